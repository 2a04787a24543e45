#pragma once
// A boss of the later stages on its own: the play test pack in the suite's
// application folder, a seeded random source, the play scene's statics the
// boss reads (player, its position, the enemy-bullet list), a bullet
// factory that writes down every shot and money ring instead of making
// bullets, and a current scene whose play time the frames advance. Frames
// are 40 ms.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "game/scene/SceneFixture.h"
#include "game/support/FakeScene.h"
#include "scene/mainGame/MainGame.h"
#include "scene/mainGame/boss/ClsBoss.h"
#include "scene/mainGame/weapon/ClsBcreator.h"

namespace bosstest {

// One line per call: the operation and its arguments.
class RecordingFactory : public scene::mainGame::weapon::ClsBcreator {
    VM_CLASS(RecordingFactory, scene::mainGame::weapon::ClsBcreator)

    void fireDirectional(int32_t dir, int32_t spreadDeg, int32_t x, int32_t y, int32_t count,
                         bool jitter, bool aimAtPlayer) override;
    void fireAtPlayer(int32_t x, int32_t y) override;
    void fireRingDefault(int32_t count, int32_t x, int32_t y) override;
    void fireAimedDefault(int32_t x1, int32_t y1, int32_t x2, int32_t y2) override;
    void fireEightWay(int32_t dir, int32_t x, int32_t y) override;
    void fireAtPoint(int32_t x1, int32_t y1, int32_t x2, int32_t y2) override;
    void dropMoneySlow(int32_t count, int32_t x, int32_t y) override;
    // The player's weapons.
    void firePlayerShot(int32_t dir, int32_t part) override;
    void fireFlameSpread(int32_t dir, int32_t x, int32_t y, int32_t part) override;
    void fireHomingSpread(int32_t dir, int32_t x, int32_t y, int32_t part) override;
    void fireLaser(int32_t dir, int32_t part) override;
    void fireBombs(int32_t dir, int32_t x, int32_t y, int32_t part) override;

    // The calls whose line starts with prefix.
    std::vector<std::string> calls(const std::string& prefix) const;
    // Money pick-ups dropped so far.
    int32_t coins() const;

    std::vector<std::string> log;
};

class BossFixture : public scenetest::SceneFixture {
protected:
    static constexpr int32_t FRAME_MS = 40;

    void SetUp() override;
    void TearDown() override;

    // The boss's animation set answers with the set that falls short of
    // every boss's attachment points.
    static void useSparseSet(int32_t gobs, int32_t anims);

    // One frame of the boss.
    void frame(scene::mainGame::boss::ClsBoss* boss);
    // Frames until the boss fights; false after 400.
    bool fight(scene::mainGame::boss::ClsBoss* boss);
    // A player shot on part i, as the bullets deliver it.
    static void hit(scene::mainGame::boss::ClsBoss* boss, int32_t i, int32_t damage);
    // Shots of 100 on part i until it has no hit points left or is off (at
    // most 1000).
    static void destroy(scene::mainGame::boss::ClsBoss* boss, int32_t i);
    // A shot on every part with a hit area each frame until the boss is
    // beaten; the frames that took, -1 past the limit.
    int32_t beat(scene::mainGame::boss::ClsBoss* boss, int32_t damage, int32_t maxFrames);

    VMStatic<RecordingFactory> factory;
    VMStatic<vxtest::FakeScene> clock;
};

} // namespace bosstest
