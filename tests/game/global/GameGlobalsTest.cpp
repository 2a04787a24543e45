// The game's constant tables: what class initialisation builds, and the
// entry points that constructing the object fills in place.

#include <vector>

#include <gtest/gtest.h>

#include "global/GameGlobals.h"
#include "global/GameScene.h"
#include "java/lang/Class.h"
#include "support/VMFixture.h"

using global::GameGlobals;

namespace {

using Rows = std::vector<std::vector<int32_t>>;

Rows rowsOf(const VMPtr<GameGlobals::IntTable>& table)
{
    Rows rows;
    for (int32_t r = 0; r < table->length; r++) {
        VMPtr<GameGlobals::IntArray> row = table->get(r);
        rows.emplace_back(row->elements(), row->elements() + row->length);
    }
    return rows;
}

class GameGlobalsTest : public VMFixture {};

// One test process each (ctest runs every test alone), so the first test
// to touch the class sees it before any object was constructed.
TEST_F(GameGlobalsTest, EntryPointsAreZeroUntilAnObjectFillsTheSameRowsInPlace)
{
    GameGlobals::_VM_clinit();
    EXPECT_EQ(GameGlobals::spawnMargin, 0);
    VMPtr<GameGlobals::IntTable> before = GameGlobals::spawnPoints;
    VMPtr<GameGlobals::IntArray> firstRow = before->get(0);
    EXPECT_EQ(rowsOf(before), Rows(8, {0, 0}));

    GameGlobals::newInstance()->init();
    Rows expected = {{72, -72}, {168, -72}, {72, 392}, {168, 392},
                     {-72, 72}, {312, 72},  {-72, 248}, {312, 248}};
    EXPECT_EQ(GameGlobals::spawnMargin, 72);
    EXPECT_EQ(GameGlobals::spawnPoints.get(), before.get());
    EXPECT_EQ(before->get(0).get(), firstRow.get());
    EXPECT_EQ(rowsOf(before), expected);

    // A second object writes the same values again.
    (*firstRow)[0] = 5;
    GameGlobals::newInstance()->init();
    EXPECT_EQ(rowsOf(GameGlobals::spawnPoints), expected);
}

TEST_F(GameGlobalsTest, WeaponFiguresAndPricesHoldTheirTables)
{
    GameGlobals::_VM_clinit();
    ASSERT_EQ(GameGlobals::weaponStats->length, 5);
    Rows lastLevels;
    for (int32_t w = 0; w < 5; w++) {
        Rows levels = rowsOf(GameGlobals::weaponStats->get(w));
        ASSERT_EQ(levels.size(), 3u) << w;
        for (const auto& figures : levels)
            EXPECT_EQ(figures.size(), 4u) << w;
        lastLevels.push_back(levels[2]);
    }
    EXPECT_EQ(lastLevels, (Rows{{30, 90, 3, 40}, {60, 60, 3, 60}, {95, 500, 5, 70},
                               {35, 140, 1, 1}, {220, 1000, 1, 90}}));
    EXPECT_EQ(rowsOf(GameGlobals::weaponStats->get(2)),
              (Rows{{80, 500, 3, 80}, {90, 500, 4, 75}, {95, 500, 5, 70}}));

    EXPECT_EQ(rowsOf(GameGlobals::weaponPrices),
              (Rows{{5000, 10000, 32000}, {5000, 15000, 38000}, {10000, 20000, 60000},
                    {9000, 19000, 48000}, {12000, 22000, 60000}}));
    EXPECT_EQ(rowsOf(GameGlobals::itemPrices),
              (Rows{{2000, 9000, 19000}, {3000, 10000, 20000}, {5000, 12000, 50000},
                    {7000, 15000, 45000}, {7000, 15000, 45000}, {6000, 13000, 30000},
                    {6000, 13000, 30000}, {5000, 12000, 25000}}));
}

TEST_F(GameGlobalsTest, ClassesAreRegisteredUnderTheirNames)
{
    GameGlobals::_VM_clinit();
    EXPECT_STREQ(GameGlobals::classRecord()->name, "global.GameGlobals");
    EXPECT_STREQ(global::GameScene::classRecord()->name, "global.GameScene");
}

} // namespace
