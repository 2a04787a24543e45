// The theme pictures: the random choice of frames (the pair never shows the
// same frame), the drift of each speed with its dropped remainder, the
// re-entry at the top, and the stop while paused. The places stand without
// pictures (height 0): the tests move the panel's item counter themselves.

#include <set>
#include <vector>

#include <gtest/gtest.h>

#include "main/Main.h"
#include "scene/mainGame/theme/ClsBgItem.h"
#include "support/VMFixture.h"
#include "tq/util/FastRandom.h"

using scene::mainGame::theme::ClsBgItem;

namespace {

class ClsBgItemTest : public VMFixture {
protected:
    void SetUp() override
    {
        VMFixture::SetUp();
        seed(99);
        ui::MyObject::frameTime = 40;
    }
    void TearDown() override
    {
        main::Main::random = nullptr;
        VMFixture::TearDown();
    }
    static void seed(int64_t s)
    {
        main::Main::random = tq::util::FastRandom::newInstance()->init(s);
    }
    // A layer whose four places count as added.
    static VMPtr<ClsBgItem> layer()
    {
        VMPtr<ClsBgItem> items = ClsBgItem::newInstance()->init();
        items->nextItem = ClsBgItem::ITEMS;
        return items;
    }
};

TEST_F(ClsBgItemTest, FramesAndPlacesAreInRangeAndThePairDiffers)
{
    std::set<int32_t> bigFrames;
    for (int64_t s = 1; s <= 200; s++) {
        seed(s);
        VMPtr<ClsBgItem> items = ClsBgItem::newInstance()->init();
        EXPECT_NE(items->frameA, items->frameB) << s;
        EXPECT_GE(items->bigFrame, 0);
        EXPECT_LT(items->bigFrame, 6);
        EXPECT_GE(items->smallFrame, 0);
        EXPECT_LT(items->smallFrame, 2);
        EXPECT_GE(items->frameA, 0);
        EXPECT_LT(items->frameB, 4);
        bigFrames.insert(items->bigFrame);
        for (int32_t i = 0; i < 4; i++) {
            EXPECT_GE((*items->itemX)[i], 0);
            EXPECT_LT((*items->itemX)[i], 240);
            EXPECT_GE((*items->itemY)[i], 0);
            EXPECT_LT((*items->itemY)[i], 320);
        }
        EXPECT_EQ((std::vector<int32_t>{(*items->itemSpeed)[0], (*items->itemSpeed)[1],
                                        (*items->itemSpeed)[2], (*items->itemSpeed)[3]}),
                  (std::vector<int32_t>{3, 6, 16, 10}));
    }
    EXPECT_EQ(bigFrames.size(), 6u);
}

TEST_F(ClsBgItemTest, EachSpeedDriftsByItsWholePixelsPerFrame)
{
    const struct {
        int32_t frameTime;
        std::vector<int32_t> moved;
    } cases[] = {
        {40, {0, 1, 5, 3}}, // (40 * 3 / 4) >> 5 = 0
        {20, {0, 0, 2, 1}},
        {100, {2, 4, 12, 7}},
    };
    for (const auto& c : cases) {
        VMPtr<ClsBgItem> items = layer();
        for (int32_t i = 0; i < 4; i++)
            (*items->itemY)[i] = 100;
        ui::MyObject::frameTime = c.frameTime;
        items->update();
        std::vector<int32_t> moved;
        for (int32_t i = 0; i < 4; i++)
            moved.push_back((*items->itemY)[i] - 100);
        EXPECT_EQ(moved, c.moved) << c.frameTime;
    }
}

TEST_F(ClsBgItemTest, ItemReentersOnlyOncePastTheBottom)
{
    VMPtr<ClsBgItem> items = layer();
    // Item 0 does not move at 40 ms: exactly 320 stays.
    (*items->itemY)[0] = 320;
    (*items->itemX)[0] = 17;
    // Item 2 moves 5 pixels: from 316 to 321, past the bottom.
    (*items->itemY)[2] = 316;
    (*items->itemX)[2] = 17;
    std::set<int32_t> columns;
    items->update();
    EXPECT_EQ((*items->itemY)[0], 320);
    EXPECT_EQ((*items->itemX)[0], 17);
    EXPECT_EQ((*items->itemY)[2], 0) << "minus the height, which is 0 here";
    for (int32_t round = 0; round < 50; round++) {
        (*items->itemY)[2] = 400;
        items->update();
        columns.insert((*items->itemX)[2]);
        EXPECT_GE((*items->itemX)[2], 0);
        EXPECT_LT((*items->itemX)[2], 240);
    }
    EXPECT_GT(columns.size(), 10u) << "a new random column each time";
}

TEST_F(ClsBgItemTest, StoppedLayerDoesNotMove)
{
    VMPtr<ClsBgItem> items = layer();
    (*items->itemY)[2] = 100;
    items->setStopped(1);
    items->update();
    EXPECT_EQ((*items->itemY)[2], 100);
    items->setStopped(0);
    items->update();
    EXPECT_EQ((*items->itemY)[2], 105);
}

} // namespace
