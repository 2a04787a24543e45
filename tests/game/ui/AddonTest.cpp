// Text panels: box frames from the cache and their release, labels, the
// item list moved by keys and picked by touch, arrow and row rectangles,
// painting of the box.

#include <gtest/gtest.h>

#include "UiFixture.h"
#include "java/lang/String.h"
#include "support/LangTestSupport.h"
#include "tq/input/PointerInputEventManager.h"
#include "tq/input/PointerInputKeyManager.h"
#include "ui/Addon.h"

using tq::input::PointerInputKeyManager;
using ui::Addon;
using ui::ResManager;
using namespace uitest;

namespace {

using Ints = std::vector<int32_t>;

Ints ints(const VMPtr<VMArray<int32_t, 1>>& a)
{
    return Ints(a->elements(), a->elements() + a->length);
}

class AddonTest : public UiFixture {
protected:
    void SetUp() override
    {
        UiFixture::SetUp();
        canvas->startPointerInput();
        PointerInputKeyManager::removeRegions(0);
    }
    void TearDown() override
    {
        PointerInputKeyManager::resetAll();
        PointerInputKeyManager::removeRegions(0);
        tq::input::PointerInputEventManager::setEnabled(false);
        UiFixture::TearDown();
    }

    VMPtr<Addon> panel() { return attach(Addon::newInstance()->init()); }

    // Gives the panel the arrow frame of the box set, as an owner does.
    static void giveArrows(const VMPtr<Addon>& a)
    {
        ResManager::load(BOX_GOBS, BOX_ANIMS);
        a->arrowGobSetSlot = ResManager::getLastGobSlot();
        a->arrowAnimSetSlot = ResManager::getLastAnimSetSlot();
        a->arrowFrame = ResManager::animSets->get(a->arrowAnimSetSlot)->getFrame(1);
    }

    void touch(int32_t x, int32_t y, bool andRelease)
    {
        int32_t dx = canvas->getViewportOffsetX();
        int32_t dy = canvas->getViewportOffsetY();
        canvas->pointerPressed(x + dx, y + dy);
        if (andRelease)
            canvas->pointerReleased(x + dx, y + dy);
    }
};

TEST_F(AddonTest, ANewPanelCoversTheScreenWithNothingSelected)
{
    VMPtr<Addon> a = panel();
    EXPECT_EQ(a->areaWidth, 240);
    EXPECT_EQ(a->areaHeight, 320);
    EXPECT_EQ(a->releasedItem, -1);
    EXPECT_TRUE(a->isShown());
    EXPECT_FALSE(a->isBoxed());
    EXPECT_TRUE(a->isActive());
    EXPECT_FALSE(a->isAuxEnabled());
    EXPECT_NE(a->pointer, nullptr);
    EXPECT_EQ(a->getReleasedId(), -1);
    EXPECT_EQ(a->getHighlightedId(), -1);
    EXPECT_EQ(a->getLineHeight(), 0);
    a->update();
    a->auxUpdate();
    a->release();
}

TEST_F(AddonTest, AFrameIsCentredInItsRectangleAndGivesTheTextArea)
{
    VMPtr<Addon> a = panel();
    a->setFrame(0, 20, 30, 100, 50);
    EXPECT_TRUE(a->isBoxed());
    EXPECT_EQ(a->getBoxX(), 20 + (100 - 4) / 2);
    EXPECT_EQ(a->getBoxY(), 30 + (50 - 4) / 2);
    EXPECT_EQ(a->getBoxWidth(), 100);
    EXPECT_EQ(a->getBoxHeight(), 50);
    EXPECT_EQ(ints(a->getTextRect()), (Ints{28, 23, 80, 20, 0}));
    EXPECT_EQ(ints(a->getUpperHalfRect()), (Ints{28, 23, 80, 10, 0}));
    EXPECT_EQ(ints(a->getLowerHalfRect()), (Ints{28, 33, 80, 10, 0}));
    EXPECT_EQ((Ints{a->areaX, a->areaY, a->areaWidth, a->areaHeight}), (Ints{28, 23, 80, 20}));

    VMPtr<RecordingGraphics> g = RecordingGraphics::newInstance();
    a->paint(g);
    EXPECT_EQ(g->calls[0], "picture 66 51 4 4");
    EXPECT_EQ(g->calls[1], "clip 28 23 80 20");
    EXPECT_EQ(g->only("clip").back(),
              "clip 0 0 " + std::to_string(canvas->getViewportWidth()) + " " +
                  std::to_string(canvas->getViewportHeight()));

    // A dialog frame sits on the screen's centre and places two labels.
    VMPtr<Addon> d = panel();
    d->setLabelCapacity(2);
    d->setDialogFrame(0);
    EXPECT_EQ((Ints{d->getBoxX(), d->getBoxY(), d->getBoxWidth(), d->getBoxHeight()}),
              (Ints{120, 160, 4, 4}));
    EXPECT_EQ(ints(d->getTextRect()), (Ints{90, 155, 60, 30, 0}));
    EXPECT_EQ(ints(d->labelPositions->get(0)), (Ints{80, 130}));
    EXPECT_EQ(ints(d->labelPositions->get(1)), (Ints{90, 155}));
    EXPECT_EQ(ints(d->labelWidths), (Ints{80, 60}));
    EXPECT_EQ(ints(d->labelHeights), (Ints{20, 30}));
}

TEST_F(AddonTest, PanelsShareTheBoxPicturesUntilTheLastReleases)
{
    VMPtr<Addon> a = panel();
    VMPtr<Addon> b = panel();
    a->setFrame(0, 0, 0, 100, 100);
    a->setFrame(0, 10, 10, 100, 100);
    b->setDialogFrame(0);
    ASSERT_EQ(a->frameAnimSetSlot, b->frameAnimSetSlot);
    int32_t slot = a->frameGobSetSlot;
    EXPECT_EQ(gobUses(slot), 2) << "a second frame of one panel loads nothing";

    a->release();
    EXPECT_EQ(a->frame, nullptr);
    EXPECT_EQ(a->frameGobSetSlot, -1);
    EXPECT_NE(ResManager::gobSets->get(slot), nullptr);
    VMPtr<RecordingGraphics> g = RecordingGraphics::newInstance();
    b->paint(g);
    EXPECT_EQ(g->calls[0], "picture 118 158 4 4");
    b->release();
    EXPECT_EQ(ResManager::gobSets->get(slot), nullptr);
    EXPECT_EQ(ResManager::animSets->get(slot), nullptr);

    // Clearing drops the frames without telling the cache.
    VMPtr<Addon> c = panel();
    c->setFrame(0, 0, 0, 10, 10);
    giveArrows(c);
    int32_t frameSlot = c->frameGobSetSlot;
    c->clearItems();
    EXPECT_EQ(c->frame, nullptr);
    EXPECT_EQ(c->arrowFrame, nullptr);
    EXPECT_EQ(gobUses(frameSlot), 2);
}

TEST_F(AddonTest, APlainBoxIsFilledAndOutlined)
{
    VMPtr<Addon> a = panel();
    a->boxX = 5;
    a->boxY = 6;
    a->boxWidth = 70;
    a->boxHeight = 80;
    a->setBoxed(true);
    VMPtr<RecordingGraphics> g = RecordingGraphics::newInstance();
    a->paint(g);
    EXPECT_EQ(g->calls[0], "fill 5 6 70 80 82451A");
    EXPECT_EQ(g->calls[1], "outline 5 6 70 80 E3CA83");
}

TEST_F(AddonTest, ArrowAndRowRectanglesComeFromTheArrowFrame)
{
    VMPtr<Addon> a = panel();
    for (auto r : {a->getUpArrowRect(), a->getDownArrowRect(), a->getLeftArrowRect(),
                   a->getRightArrowRect()})
        EXPECT_EQ(ints(r), (Ints{0, 0, 0, 0, 0})) << "no arrow frame";
    EXPECT_EQ(a->getItemRects()->length, 0);

    giveArrows(a);
    a->setListArea(10, 50, 200, 100);
    a->arrowOffsetX = 3;
    EXPECT_EQ(ints(a->getUpArrowRect()), (Ints{15, 41, 50, 12, 0}));
    EXPECT_EQ(ints(a->getDownArrowRect()), (Ints{15, 153, 50, 12, 0}));
    EXPECT_EQ(ints(a->getLeftArrowRect()), (Ints{3, 55, 8, 9, 0}));
    EXPECT_EQ(ints(a->getRightArrowRect()), (Ints{113, 55, 8, 9, 0}));

    a->setItemCount(5);
    a->visibleItems = 3;
    a->itemGap = 4;
    a->setItemMetrics(99, 10);
    VMPtr<VMArray<int32_t, 2>> rows = a->getItemRects();
    ASSERT_EQ(rows->length, 3);
    for (int32_t i = 0; i < 3; i++)
        EXPECT_EQ(ints(rows->get(i)), (Ints{15, 57 + 14 * i, 50, 12, 7})) << i;
    a->setItemCount(2);
    EXPECT_EQ(a->getItemRects()->length, 2);

    // Releasing takes the arrow buttons' key regions away, no others.
    VMPtr<ui::Pointer> p(a->pointer);
    p->addUpRegion(a->getUpArrowRect());
    p->addDownRegion(a->getDownArrowRect());
    p->addLeftRegion(a->getLeftArrowRect());
    p->addRightRegion(a->getRightArrowRect());
    p->addRightRegion(a->getLeftArrowRect());
    int32_t slot = a->arrowGobSetSlot;
    a->release();
    EXPECT_EQ(PointerInputKeyManager::getRegionCount(0), 1);
    EXPECT_EQ(PointerInputKeyManager::getRegionCount(5), 1);
    EXPECT_EQ(a->arrowFrame, nullptr);
    EXPECT_EQ(ResManager::gobSets->get(slot), nullptr);
}

TEST_F(AddonTest, LabelsFillTheirSlotsAndIgnoreTheRest)
{
    VMPtr<Addon> a = panel();
    a->setLabelCapacity(2);
    a->addLabel(vmString("one"), 1, 2, 30, 40);
    a->addLabel(vmString("two"), 3, 4, 50);
    a->addLabel(vmString("three"), 5, 6);
    EXPECT_EQ(a->labelCount, 2);
    EXPECT_EQ(vmText(a->labelTexts->get(1)), "two");
    EXPECT_EQ(ints(a->labelWidths), (Ints{30, 50}));
    EXPECT_EQ(ints(a->labelHeights), (Ints{40, 0}));

    a->setLabel(0, vmString("uno"), 7, 8);
    EXPECT_EQ(ints(a->labelPositions->get(0)), (Ints{7, 8}));
    EXPECT_EQ(ints(a->labelWidths), (Ints{0, 50})) << "centring across is off";
    EXPECT_EQ(ints(a->labelHeights), (Ints{40, 0}));
    a->setLabel(1, vmString("dos"), 9, 10, 60);
    EXPECT_EQ(ints(a->labelWidths), (Ints{0, 60}));
    a->setLabel(2, vmString("tres"), 0, 0, 1, 1);
    a->setLabelText(-1, vmString("x"));
    a->setLabelFont(2, 1);
    a->setLabelFont(1, 1);
    EXPECT_EQ(ints(a->labelFonts), (Ints{0, 1}));
    a->setLabelCount(3);
    EXPECT_EQ(a->labelCount, 2);
    a->setLabelCount(1);
    a->addLabel(vmString("again"), 0, 0);
    EXPECT_EQ(vmText(a->labelTexts->get(1)), "again");
    a->setLabelText(0, vmString("first"));
    EXPECT_EQ(vmText(a->labelTexts->get(0)), "first");
}

TEST_F(AddonTest, TheListMovesOnlyWhileEnabledAndWithinItsItems)
{
    VMPtr<Addon> a = panel();
    a->setItemCount(5);
    a->visibleItems = 3;
    a->setListFlag1(true);
    a->moveDown();
    a->selectNext();
    EXPECT_EQ(a->getFirstVisibleItem(), 0) << "auxEnabled is clear";

    a->setAuxEnabled(true);
    a->marqueeOffset = -30;
    Ints seen;
    for (int32_t n = 0; n < 4; n++) {
        a->moveDown();
        seen.push_back(a->getFirstVisibleItem());
    }
    for (int32_t n = 0; n < 4; n++) {
        a->moveUp();
        seen.push_back(a->getFirstVisibleItem());
    }
    EXPECT_EQ(seen, (Ints{1, 2, 2, 2, 1, 0, 0, 0}));
    EXPECT_EQ(a->marqueeOffset, 0);

    a->setListFlag1(false);
    a->setListFlag2(true);
    a->moveDown();
    EXPECT_EQ(a->getFirstVisibleItem(), 1) << "either flag moves the list";
}

TEST_F(AddonTest, TouchingARowHighlightsAndReleasingPicksItsItem)
{
    VMPtr<Addon> a = panel();
    giveArrows(a);
    a->setListArea(0, 0, 240, 320);
    a->setItemCount(5);
    int32_t ids[] = {11, 12, 0, 14, 15};
    for (int32_t i = 0; i < 5; i++)
        (*a->itemIds)[i] = ids[i];
    a->visibleItems = 3;
    a->itemGap = 0;
    a->itemSpacing = 24;
    // Rows at y 3, 27, 51, each 12 high.
    VMPtr<VMArray<int32_t, 2>> rows = a->getItemRects();
    VMPtr<ui::Pointer> p(a->pointer);
    VMPtr<VMArray<int32_t, 1>> all = VMArray<int32_t, 1>::newArray(4);
    (*all)[2] = 240;
    (*all)[3] = 320;
    p->setItemBoxes(rows, all);
    a->setAuxEnabled(true);
    a->setListFlag1(true);
    a->moveDown();
    a->moveDown();
    ASSERT_EQ(a->getFirstVisibleItem(), 2);

    struct Case {
        int32_t y, heldId, releasedIndex, releasedId;
    } cases[] = {
        {30, 12, 3, 14},  // row 1 shows item 3
        {5, 11, -1, -1},  // row 0 shows item 2, which is empty
        {45, -1, -1, -1}, // between rows
    };
    for (const Case& c : cases) {
        touch(10, c.y, false);
        p->update();
        a->auxUpdate();
        EXPECT_EQ(a->getHighlightedId(), c.heldId) << c.y;
        EXPECT_EQ(a->getReleasedIndex(), -1) << "not while held";
        canvas->pointerReleased(10 + canvas->getViewportOffsetX(),
                                c.y + canvas->getViewportOffsetY());
        p->update();
        a->auxUpdate();
        EXPECT_EQ(a->getReleasedIndex(), c.releasedIndex) << c.y;
        EXPECT_EQ(a->getReleasedId(), c.releasedId) << c.y;
        EXPECT_EQ(a->getHighlightedId(), -1);
        p->update();
        a->auxUpdate();
        EXPECT_EQ(a->getReleasedIndex(), -1) << "one frame only";
    }

    a->setHighlighted(4);
    EXPECT_EQ(a->getHighlightedId(), 15);
    a->setHighlighted(5);
    EXPECT_EQ(a->getHighlightedId(), 15);
    a->setAuxEnabled(false);
    EXPECT_EQ(a->getHighlightedId(), -1);
}

} // namespace
