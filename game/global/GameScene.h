#pragma once
// global.GameScene: a marker interface with no operations.

#include "java/lang/Object.h"

namespace global {

class GameScene : public virtual java::lang::Object {
    VM_INTERFACE(GameScene)
};

} // namespace global
