// The boss base's queries: the active parts are counted among the parts
// added so far, the hit points over every place; the rectangle test, the
// running total, the random choice, the bullets it clears and the touch of
// a part on the player.

#include <gtest/gtest.h>

#include "BossFixture.h"
#include "scene/mainGame/boss/ClsBoss.h"
#include "scene/mainGame/boss/ClsBoss_1.h"
#include "scene/mainGame/boss/ClsBoss_2.h"
#include "scene/mainGame/boss/ClsBoss_3.h"
#include "scene/mainGame/boss/ClsBoss_4.h"
#include "scene/mainGame/boss/ClsBoss_5.h"
#include "scene/mainGame/boss/ClsBoss_6.h"
#include "scene/mainGame/boss/ClsBoss_7.h"
#include "scene/mainGame/boss/ClsBoss_8.h"
#include "scene/mainGame/weapon/ClsEnemyBullet.h"
#include "scene/mainGame/weapon/ClsResources.h"
#include "support/VMFixture.h"
#include "tq/util/ArrayList.h"

using scene::mainGame::MainGame;
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

class ClsBossPlayTest : public bosstest::BossFixture {};

TEST_F(ClsBossPlayTest, RectanglesOverlapOnlyWithSomeArea)
{
    VMPtr<StillBoss> boss = StillBoss::newInstance();
    auto rect = [](int32_t x, int32_t y, int32_t w, int32_t h) {
        VMPtr<ClsBoss::IntArray> r = ClsBoss::IntArray::newArray(4);
        (*r)[0] = x, (*r)[1] = y, (*r)[2] = w, (*r)[3] = h;
        return r;
    };
    const struct {
        int32_t x, y, w, h;
        bool overlaps;
    } cases[] = {
        {5, 5, 10, 10, true},  {10, 0, 10, 10, false}, {0, 10, 10, 10, false},
        {-9, -9, 10, 10, true}, {-10, 0, 10, 10, false}, {0, -10, 10, 10, false},
        {3, 3, 0, 5, false},   {3, 3, 5, 0, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(boss->rectsOverlap(rect(c.x, c.y, c.w, c.h), rect(0, 0, 10, 10)), c.overlaps)
            << c.x << " " << c.y << " " << c.w << " " << c.h;
    }
}

TEST_F(ClsBossPlayTest, DamageRunsTheTotalDownWithoutAFloorRandomStaysBelowN)
{
    VMPtr<StillBoss> boss = StillBoss::newInstance();
    boss->init(factory.get(), 1, 2);
    boss->setHp(0, 10);
    boss->bossHp = 10;
    boss->damage(0, 15);
    EXPECT_EQ(boss->getHp(0), -5);
    EXPECT_EQ(boss->bossHp, -5);
    EXPECT_EQ(boss->getBossHp(), 0) << "negative parts count 0";
    for (int32_t k = 0; k < 20; k++) {
        EXPECT_EQ(boss->random(1), 0);
        int32_t r = boss->random(3);
        EXPECT_TRUE(r >= 0 && r < 3) << r;
    }
}

TEST_F(ClsBossPlayTest, ClearingEndsTheShotsAndLeavesTheMoney)
{
    VMPtr<StillBoss> boss = StillBoss::newInstance();
    boss->init(factory.get(), 1, 1);
    VMPtr<tq::util::ArrayList> list = tq::util::ArrayList::newInstance()->init();
    boss->clearBullets(list);
    EXPECT_EQ(list->size(), 0);
    using scene::mainGame::weapon::ClsBullet;
    list->add(scene::mainGame::weapon::ClsEnemyBullet::newInstance()->init(0, 0, 1, 1, 80));
    list->add(scene::mainGame::weapon::ClsResources::newInstance()->init(0, 0, 1, 1, 60));
    list->add(scene::mainGame::weapon::ClsEnemyBullet::newInstance()->init(0, 0, 1, 1, 80));
    boss->clearBullets(list);
    ASSERT_EQ(list->size(), 3);
    EXPECT_TRUE(vm_cast<ClsBullet>(list->get(0))->dead);
    EXPECT_FALSE(vm_cast<ClsBullet>(list->get(1))->dead);
    EXPECT_TRUE(vm_cast<ClsBullet>(list->get(2))->dead);
}

TEST_F(ClsBossPlayTest, APartOnThePlayerCostsAHitPointEachFrameButNotToAPod)
{
    VMPtr<StillBoss> boss = StillBoss::newInstance();
    boss->init(factory.get(), 1, 1);
    boss->addAnimItem(6161, 6144, 5, 100, 100);
    boss->addElement(1, 100, 100);
    (*boss->inactive)[0] = false;
    VMPtr<scene::mainGame::ClsPlayer> player = MainGame::player;
    player->nextItem = 0;
    player->addAnimItem(4109, 4096, 0, 104, 104);
    player->setHp(0, 10);
    const struct {
        int32_t unit;
        bool untouchable, partOff;
        int32_t boxKind, hpAfter;
    } cases[] = {
        {scene::mainGame::ClsPlayer::UNIT_SHIP, false, false, 14, 9},
        {scene::mainGame::ClsPlayer::UNIT_POD, false, false, 14, 10},
        {scene::mainGame::ClsPlayer::UNIT_SHIP, true, false, 14, 10},
        {scene::mainGame::ClsPlayer::UNIT_SHIP, false, true, 14, 10},
        {scene::mainGame::ClsPlayer::UNIT_SHIP, false, false, 15, 10},  // no such box
    };
    for (const auto& c : cases) {
        player->setHp(0, 10);
        (*player->unitKind)[0] = c.unit;
        player->setInvulnerable(0, c.untouchable);
        (*boss->inactive)[0] = c.partOff;
        boss->collidePartWithPlayer(0, c.boxKind);
        EXPECT_EQ(player->getHp(0), c.hpAfter) << c.unit << c.untouchable << c.partOff << c.boxKind;
    }
}

} // namespace

VM_REGISTER_CLASS_NO_CREATOR(StillBoss, "tests.mainGame.StillBoss", "scene.mainGame.boss.ClsBoss",
                             "tests_mainGame_StillBoss", nullptr);

namespace {

template <class Boss>
VMPtr<ClsBoss> makeBoss(VMPtr<scene::mainGame::weapon::ClsBcreator> factory, int32_t level)
{
    return Boss::newInstance()->init(factory, level);
}

TEST_F(ClsBossPlayTest, NoBossActsBeforeStartLaysItOut)
{
    using Make = VMPtr<ClsBoss> (*)(VMPtr<scene::mainGame::weapon::ClsBcreator>, int32_t);
    using namespace scene::mainGame::boss;
    const Make makers[] = {
        makeBoss<ClsBoss_1>, makeBoss<ClsBoss_2>, makeBoss<ClsBoss_3>, makeBoss<ClsBoss_4>,
        makeBoss<ClsBoss_5>, makeBoss<ClsBoss_6>, makeBoss<ClsBoss_7>, makeBoss<ClsBoss_8>,
    };
    for (int32_t n = 0; n < 8; n++) {
        for (int32_t level : {1, 4}) {
            SCOPED_TRACE(testing::Message() << "boss " << n + 1 << " level " << level);
            MainGame::bossDefeated = false;
            factory->log.clear();
            VMPtr<ClsBoss> boss = makers[n](factory.get(), level);
            int32_t phase = boss->phase;
            // Longer than any pattern countdown.
            for (int32_t f = 0; f < 150; f++)
                frame(boss.get());
            EXPECT_FALSE(MainGame::bossDefeated);
            EXPECT_EQ(boss->getState(), 0);
            // Only the pattern clocks of bosses 6 to 8 move the phase so early.
            if (n < 5) {
                EXPECT_EQ(boss->phase, phase);
            }
            EXPECT_TRUE(factory->log.empty());
            boss->start();
            EXPECT_GT(boss->nextItem, 0);
            EXPECT_TRUE(fight(boss.get()));
            EXPECT_FALSE(MainGame::bossDefeated);
        }
    }
}

} // namespace
