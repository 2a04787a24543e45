#include "game/scene/SceneFixture.h"

VM_REGISTER_CLASS_NO_CREATOR(scenetest::RecordingHub, "tests.scene.RecordingHub", "main.Main",
                             "tests", nullptr);
VM_REGISTER_CLASS_NO_CREATOR(scenetest::RecordingSceneManager, "tests.scene.RecordingSceneManager",
                             "scene.SceneManager", "tests", nullptr);
