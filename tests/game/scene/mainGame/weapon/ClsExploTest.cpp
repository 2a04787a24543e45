// The explosion pool: 30 free slots, requests taking the lowest free slots
// in order, a full pool dropping a request, a finished explosion freeing
// its slot, and a pause that freezes every explosion where it stands.

#include <vector>

#include <gtest/gtest.h>

#include "game/scene/mainGame/weapon/WeaponFixture.h"
#include "scene/mainGame/weapon/ClsExplo.h"

using scene::mainGame::weapon::ClsExplo;

namespace {

// The pack's explosion (animation 1) lasts three steps of 100 ms.
constexpr int32_t kBlast = 1;
constexpr int32_t kFree = ClsExplo::FREE_ANIMATION;

class ClsExploTest : public weapontest::WeaponFixture {
protected:
    void SetUp() override
    {
        WeaponFixture::SetUp();
        pool = ClsExplo::newInstance()->init();
        pool->setupItems();
        ui::MyObject::frameTime = 100;
    }
    void TearDown() override
    {
        pool = nullptr;
        WeaponFixture::TearDown();
    }

    std::vector<int32_t> frames()
    {
        std::vector<int32_t> values;
        for (int32_t i = 0; i < pool->getNextItem(); i++)
            values.push_back(pool->getItemFrame(i));
        return values;
    }
    // The slots not free.
    std::vector<int32_t> busy()
    {
        std::vector<int32_t> slots;
        for (int32_t i = 0; i < pool->getNextItem(); i++) {
            if (pool->getItemFrame(i) != kFree)
                slots.push_back(i);
        }
        return slots;
    }
    // Updates until slot i is free again; the number of updates, or -1
    // after 100.
    int32_t updatesUntilFree(int32_t i)
    {
        for (int32_t n = 1; n <= 100; n++) {
            pool->update();
            if (pool->getItemFrame(i) == kFree)
                return n;
        }
        return -1;
    }

    VMStatic<ClsExplo> pool;
};

TEST_F(ClsExploTest, StartsWithThirtyFreeSlots)
{
    EXPECT_EQ(pool->getItemCapacity(), 30);
    EXPECT_EQ(frames(), std::vector<int32_t>(30, kFree));
}

TEST_F(ClsExploTest, RequestsTakeTheLowestFreeSlotsInOrder)
{
    pool->explode(kBlast, 10, 20);
    pool->explode(kBlast, 30, 40);
    EXPECT_EQ(busy(), (std::vector<int32_t>{0, 1}));
    EXPECT_EQ(pool->getItemX(0), 10);
    EXPECT_EQ(pool->getItemY(0), 20);
    EXPECT_EQ(pool->getItemX(1), 30);
    EXPECT_EQ(pool->getItemY(1), 40);
    EXPECT_EQ(pool->players->get(0)->getAnimation(), kBlast);

    // Slot 0 ends first once it started first; the next request takes it.
    EXPECT_GT(updatesUntilFree(0), 0);
    pool->explode(kBlast, 50, 60);
    EXPECT_EQ(pool->getItemX(0), 50);
}

TEST_F(ClsExploTest, AThirtyFirstRequestIsDropped)
{
    for (int32_t i = 0; i < 30; i++)
        pool->explode(kBlast, i, i);
    EXPECT_EQ(busy().size(), 30u);
    pool->explode(kBlast, 200, 200);
    for (int32_t i = 0; i < 30; i++) {
        EXPECT_EQ(pool->getItemX(i), i);
        EXPECT_EQ(pool->getItemY(i), i);
    }
}

TEST_F(ClsExploTest, AFinishedExplosionFreesItsSlotAndStaysFree)
{
    pool->explode(kBlast, 10, 10);
    int32_t n = updatesUntilFree(0);
    // Three steps of 100 ms at 100 ms a frame.
    EXPECT_EQ(n, 3);
    EXPECT_EQ(pool->players->get(0)->getAnimation(), kFree);
    for (int32_t i = 0; i < 5; i++)
        pool->update();
    EXPECT_EQ(busy(), std::vector<int32_t>{});
}

TEST_F(ClsExploTest, PauseFreezesEveryExplosionWhereItStands)
{
    pool->explode(kBlast, 10, 10);
    int32_t unpaused = updatesUntilFree(0);

    pool->explode(kBlast, 10, 10);
    pool->update();
    pool->setStopped(1);
    int32_t elapsed = pool->players->get(0)->getElapsedTime();
    for (int32_t i = 0; i < 10; i++)
        pool->update();
    EXPECT_EQ(busy(), std::vector<int32_t>{0});
    EXPECT_EQ(pool->players->get(0)->getElapsedTime(), elapsed);
    pool->setStopped(0);
    EXPECT_EQ(updatesUntilFree(0), unpaused - 1) << "it goes on where it stopped";
}

} // namespace
