// The boss base's queries: the active parts are counted among the parts
// added so far, the hit points over every place.

#include <gtest/gtest.h>

#include "scene/mainGame/boss/ClsBoss.h"
#include "support/VMFixture.h"

using scene::mainGame::boss::ClsBoss;

namespace {

class StillBoss : public ClsBoss {
    VM_CLASS(StillBoss, ClsBoss)

    void start() override {}
};

class ClsBossTest : public VMFixture {};

TEST_F(ClsBossTest, ActivePartsAreTheAddedOnesHitPointsCountEveryPlace)
{
    VMPtr<StillBoss> boss = StillBoss::newInstance();
    boss->init(VMPtr<scene::mainGame::weapon::ClsBcreator>(), 1, 5);
    ASSERT_EQ(boss->capacity, 5);
    // Three parts added, the second knocked off; every place holds hit
    // points, one of them below zero.
    boss->nextItem = 3;
    const int32_t hp[] = {10, 7, -5, 4, 2};
    for (int32_t i = 0; i < 5; i++) {
        (*boss->inactive)[i] = i == 1;
        (*boss->hp)[i] = hp[i];
    }
    EXPECT_EQ(boss->countActiveParts(), 2);
    EXPECT_EQ(boss->getBossHp(), 10 + 7 + 4 + 2);
    boss->nextItem = 0;
    EXPECT_EQ(boss->countActiveParts(), 0);
}

} // namespace

VM_REGISTER_CLASS_NO_CREATOR(StillBoss, "tests.mainGame.StillBoss", "scene.mainGame.boss.ClsBoss",
                             "tests_mainGame_StillBoss", nullptr);
