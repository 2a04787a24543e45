// The resource cache: shared slots and use counts, slots handed out in
// order and kept through growth, emptying, and sets that cannot be read.

#include <vector>

#include <gtest/gtest.h>

#include "CacheTestIds.h"
#include "engine/support/PackFolderTest.h"
#include "java/lang/Throwable.h"
#include "tq/Resources.h"
#include "ui/ResManager.h"

using ui::ResManager;

namespace {

class ResManagerTest : public PackFolderTest {
protected:
    void SetUp() override
    {
        PackFolderTest::SetUp();
        copyPack(VX_CACHE_PACK);
        ResManager::newInstance()->init();
    }
    void TearDown() override { tq::Resources::closePack(); }

    // Loads and answers the two slots.
    static std::pair<int32_t, int32_t> load(int32_t gobSetId, int32_t animSetId)
    {
        ResManager::load(gobSetId, animSetId);
        EXPECT_EQ(tq::io::resource::ResourcePack::currentPart, -1) << "the pack stays open";
        return {ResManager::getLastGobSlot(), ResManager::getLastAnimSetSlot()};
    }
    static int32_t gobUses(int32_t slot) { return (*ResManager::gobSetUses)[slot]; }
    static int32_t animUses(int32_t slot) { return (*ResManager::animSetUses)[slot]; }
    static int32_t id(int32_t kind, int32_t slot) { return (*ResManager::ids->get(kind))[slot]; }
};

using Slots = std::pair<int32_t, int32_t>;

TEST_F(ResManagerTest, ThePairLoadedTwiceSharesItsSlotUntilTheLastRelease)
{
    EXPECT_EQ(load(cachetest::GOBS_A, cachetest::ANIM_A), Slots(0, 0));
    VMPtr<VMArray<tq::Gob, 1>> gobs = ResManager::gobSets->get(0);
    VMPtr<tq::AnimSet> anim = ResManager::animSets->get(0);
    ASSERT_NE(gobs, nullptr);
    ASSERT_NE(anim, nullptr);
    EXPECT_EQ(gobs->length, 3);
    EXPECT_EQ(anim->getGobs().get(), gobs.get()) << "the AnimSet draws the Gob set of its call";

    EXPECT_EQ(load(cachetest::GOBS_A, cachetest::ANIM_A), Slots(0, 0));
    EXPECT_EQ(ResManager::gobSets->get(0).get(), gobs.get()) << "read once";
    EXPECT_EQ(ResManager::animSets->get(0).get(), anim.get());
    EXPECT_EQ(gobUses(0), 2);
    EXPECT_EQ(animUses(0), 2);
    EXPECT_EQ(ResManager::used, 1);

    ResManager::release(0, 0);
    EXPECT_EQ(ResManager::gobSets->get(0).get(), gobs.get());
    EXPECT_EQ(ResManager::animSets->get(0).get(), anim.get());
    ResManager::release(0, 0);
    EXPECT_EQ(ResManager::gobSets->get(0), nullptr);
    EXPECT_EQ(ResManager::animSets->get(0), nullptr);
    EXPECT_EQ(id(ResManager::GOB_SETS, 0), -1);
    EXPECT_EQ(id(ResManager::ANIM_SETS, 0), -1);

    // A released slot is not handed out again; the sets are read anew.
    EXPECT_EQ(load(cachetest::GOBS_A, cachetest::ANIM_A), Slots(1, 1));
    EXPECT_NE(ResManager::gobSets->get(1).get(), gobs.get());
    EXPECT_EQ(ResManager::used, 2);
}

TEST_F(ResManagerTest, ANewAnimSetBesideACachedGobSetTakesTheNextSlot)
{
    for (int32_t gobSet : {cachetest::GOBS_A, cachetest::GOBS_B, cachetest::GOBS_C,
                           cachetest::GOBS_D})
        load(gobSet, -1);
    ASSERT_EQ(ResManager::used, 4);
    EXPECT_EQ(load(cachetest::GOBS_C, cachetest::ANIM_B), Slots(2, 4));
    EXPECT_EQ(ResManager::gobSets->get(4), nullptr);
    EXPECT_EQ(ResManager::animSets->get(4)->getGobs().get(), ResManager::gobSets->get(2).get());
    EXPECT_EQ(gobUses(2), 2);
    EXPECT_EQ(animUses(4), 1);
    // The fifth slot in use grows the tables before the next load.
    EXPECT_EQ(ResManager::used, 5);
    EXPECT_EQ(ResManager::capacity, 10);
    EXPECT_EQ(ResManager::gobSets->length, 10);
    EXPECT_EQ(ResManager::ids->get(1)->length, 10);

    // A new Gob set with a cached AnimSet: the Gob set takes the next slot.
    EXPECT_EQ(load(cachetest::GOBS_E, cachetest::ANIM_B), Slots(5, 4));
    EXPECT_EQ(animUses(4), 2);
}

TEST_F(ResManagerTest, GrowthRunsByHalfTheCapacityBetweenFiveAndFifteenKeepingSlots)
{
    ASSERT_EQ(load(cachetest::GOBS_A, cachetest::ANIM_A), Slots(0, 0));
    VMPtr<tq::AnimSet> anim = ResManager::animSets->get(0);
    std::vector<int32_t> capacities = {ResManager::capacity};
    // A set released to no use leaves its slot, so each round takes a new one.
    while (ResManager::used < 80) {
        auto [gobSlot, animSlot] = load(cachetest::GOBS_B, -1);
        EXPECT_EQ(gobSlot, ResManager::used - 1);
        ResManager::release(gobSlot, animSlot);
        if (ResManager::capacity != capacities.back())
            capacities.push_back(ResManager::capacity);
        ASSERT_LT(ResManager::used, ResManager::capacity);
    }
    EXPECT_EQ(capacities, (std::vector<int32_t>{5, 10, 15, 22, 33, 48, 63, 78, 93}));
    EXPECT_EQ(ResManager::growStep, 15);
    EXPECT_EQ(load(cachetest::GOBS_A, cachetest::ANIM_A), Slots(0, 0));
    EXPECT_EQ(ResManager::animSets->get(0).get(), anim.get());
    EXPECT_EQ(gobUses(0), 2);
    EXPECT_EQ(animUses(0), 2);
}

TEST_F(ResManagerTest, ReleasingAllEmptiesTheCacheAndKeepsItsSize)
{
    for (int32_t gobSet : {cachetest::GOBS_A, cachetest::GOBS_B, cachetest::GOBS_C,
                           cachetest::GOBS_D, cachetest::GOBS_E, cachetest::GOBS_F})
        load(gobSet, cachetest::ANIM_C);
    ASSERT_EQ(ResManager::capacity, 10);
    ResManager::releaseAll();
    EXPECT_EQ(ResManager::used, 0);
    EXPECT_EQ(ResManager::getLastGobSlot(), -1);
    EXPECT_EQ(ResManager::getLastAnimSetSlot(), -1);
    EXPECT_EQ(ResManager::capacity, 10);
    for (int32_t slot = 0; slot < ResManager::capacity; slot++) {
        EXPECT_EQ(ResManager::gobSets->get(slot), nullptr) << slot;
        EXPECT_EQ(ResManager::animSets->get(slot), nullptr) << slot;
        EXPECT_EQ(gobUses(slot) + animUses(slot), 0) << slot;
        EXPECT_EQ(id(0, slot) & id(1, slot), -1) << slot;
    }
    EXPECT_EQ(load(cachetest::GOBS_F, -1), Slots(0, -1));
    EXPECT_EQ(gobUses(0), 1);

    ResManager::clear();
    EXPECT_EQ(ResManager::capacity, 5);
    EXPECT_EQ(ResManager::used, 0);
    EXPECT_EQ(ResManager::gobSets->get(0), nullptr);
}

TEST_F(ResManagerTest, LoadingNothingOnlyClearsTheLastSlots)
{
    load(cachetest::GOBS_A, cachetest::ANIM_A);
    EXPECT_EQ(load(-1, -1), Slots(-1, -1));
    EXPECT_EQ(ResManager::used, 1);
    EXPECT_EQ(gobUses(0), 1);
    EXPECT_EQ(animUses(0), 1);
}

TEST_F(ResManagerTest, ReleasingAnEmptySlotAgainLeavesItAtNoUse)
{
    load(cachetest::GOBS_A, cachetest::ANIM_A);
    ResManager::release(0, 0);
    ResManager::release(0, 0);
    EXPECT_EQ(gobUses(0), 0);
    EXPECT_EQ(animUses(0), 0);
    ResManager::release(-1, -1);
}

TEST_F(ResManagerTest, AnAnimSetWithoutAGobSetOrThatCannotBeReadIsCachedAsIs)
{
    EXPECT_EQ(load(-1, cachetest::ANIM_A), Slots(-1, 0));
    ASSERT_NE(ResManager::animSets->get(0), nullptr);
    EXPECT_EQ(ResManager::animSets->get(0)->getGobs(), nullptr);

    EXPECT_EQ(load(cachetest::GOBS_A, cachetest::NOT_ANIM), Slots(1, 1));
    EXPECT_NE(ResManager::gobSets->get(1), nullptr);
    EXPECT_EQ(ResManager::animSets->get(1), nullptr);
    // Cached: a second load does not read it again.
    EXPECT_EQ(load(-1, cachetest::NOT_ANIM), Slots(-1, 1));
    EXPECT_EQ(animUses(1), 2);

    // A Gob set that cannot be read throws, closes the pack and takes no slot.
    bool thrown = false;
    try {
        ResManager::load((1 << 10) | 200, -1); // no such entry
    } catch (java::lang::Throwable* unreadable) {
        VMPtr<java::lang::Throwable> keep(unreadable);
        thrown = true;
    }
    EXPECT_TRUE(thrown);
    EXPECT_EQ(tq::io::resource::ResourcePack::currentPart, -1);
    EXPECT_EQ(load(cachetest::GOBS_B, -1), Slots(2, -1));
}

} // namespace
