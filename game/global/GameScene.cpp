#include "global/GameScene.h"

VM_REGISTER_INTERFACE(global::GameScene, "global.GameScene", "..\\src\\global_GameScene", nullptr);
