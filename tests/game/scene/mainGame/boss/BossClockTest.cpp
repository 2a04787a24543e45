// The bosses' clocks that run from creation, while the waves are flown and
// the boss comes on: boss 2's phase clock on the scene's play time and the
// pattern countdowns of bosses 6, 7 and 8.

#include <functional>

#include <gtest/gtest.h>

#include "BossFixture.h"
#include "scene/mainGame/boss/ClsBoss_2.h"
#include "scene/mainGame/boss/ClsBoss_6.h"
#include "scene/mainGame/boss/ClsBoss_7.h"
#include "scene/mainGame/boss/ClsBoss_8.h"

using scene::mainGame::boss::ClsBoss;
using scene::mainGame::boss::ClsBoss_2;
using scene::mainGame::boss::ClsBoss_6;
using scene::mainGame::boss::ClsBoss_7;
using scene::mainGame::boss::ClsBoss_8;
using scene::mainGame::weapon::ClsBcreator;

namespace {

using BossClockTest = bosstest::BossFixture;

TEST_F(BossClockTest, ThePatternCountdownRunsFromCreation)
{
    using Make = std::function<VMPtr<ClsBoss>(VMPtr<ClsBcreator>)>;
    const struct {
        const char* name;
        Make make;
    } cases[] = {
        {"boss 6", [](VMPtr<ClsBcreator> f) { return ClsBoss_6::newInstance()->init(f, 1); }},
        {"boss 7", [](VMPtr<ClsBcreator> f) { return ClsBoss_7::newInstance()->init(f, 1); }},
        {"boss 8", [](VMPtr<ClsBcreator> f) { return ClsBoss_8::newInstance()->init(f, 1); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        VMPtr<ClsBoss> boss = c.make(VMPtr<ClsBcreator>(factory.get()));
        // Half the countdown goes by before the waves are over.
        for (int32_t f = 0; f < 50; f++)
            frame(boss.get());
        EXPECT_EQ(boss->phase, 0);
        boss->start();
        int32_t frames = 0;
        while (boss->phase == 0 && frames < 200) {
            frame(boss.get());
            frames++;
        }
        EXPECT_EQ(frames, 50) << "4000 ms after creation, while the boss comes on";
        EXPECT_EQ(boss->getState(), 0);
        EXPECT_EQ(boss->phase, 1);
    }
}

TEST_F(BossClockTest, BossTwoOpensInPhaseMinusOneAfterAMinuteOfWaves)
{
    VMPtr<ClsBoss_2> boss = ClsBoss_2::newInstance()->init(factory.get(), 1);
    // The clock steps every 101 frames (the first past 4000 ms); the last
    // step before start is at frame 1414 of 1500.
    for (int32_t f = 0; f < 1500; f++)
        frame(boss.get());
    EXPECT_EQ(boss->phase, -1) << "no turret, no change";
    boss->start();
    frame(boss.get());
    EXPECT_EQ(boss->phase, -1) << "the core's phase comes first";
    int32_t frames = 1;
    while (boss->phase == -1 && frames < 200) {
        frame(boss.get());
        frames++;
    }
    EXPECT_EQ(frames, 15);
    EXPECT_EQ(boss->phase, 0);
}

} // namespace
