// Text panels: box frames from the cache and their release, labels, the
// item list moved by keys and picked by touch, arrow and row rectangles,
// painting of the box.

#include <gtest/gtest.h>

#include "UiFixture.h"
#include "java/lang/IllegalArgumentException.h"
#include "java/lang/String.h"
#include "support/LangTestSupport.h"
#include "tq/Resources.h"
#include "tq/util/text/RichFont.h"
#include "tq/input/PointerInputEventManager.h"
#include "tq/input/PointerInputKeyManager.h"
#include "ui/Addon.h"

using tq::input::PointerInputKeyManager;
using ui::Addon;
using ui::ResManager;
using namespace uitest;

namespace {

class AddonTest : public UiFixture {
protected:
    void SetUp() override
    {
        UiFixture::SetUp();
        canvas->startPointerInput();
        PointerInputKeyManager::removeRegions(0);
        // The hub's font and texts; its fonts come from the UI pack.
        main::Main::instance = main::Main::newInstance();
        main::Main::font = tq::util::text::RichFont::newInstance()->initSystemFont();
        // A new font has no glyphs: none is current, so the next choice sets them.
        main::Main::currentFontId = -1;
        main::Main::texts = tq::Resources::loadTranslation(TEXTS);
        tq::Resources::closePack();
    }
    void TearDown() override
    {
        PointerInputKeyManager::resetAll();
        PointerInputKeyManager::removeRegions(0);
        tq::input::PointerInputEventManager::setEnabled(false);
        UiFixture::TearDown();
    }

    VMPtr<Addon> panel() { return Addon::newInstance()->init(); }

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

TEST_F(AddonTest, UnreadableBoxPicturesAreRefusedWithTheirUsesHandedBack)
{
    // The cache keeps an AnimSet it could not read as null.
    ResManager::load(BOX_GOBS, BOX_ANIMS);
    int32_t gobSlot = ResManager::getLastGobSlot();
    int32_t animSlot = ResManager::getLastAnimSetSlot();
    ResManager::animSets->set(animSlot, nullptr);

    VMPtr<Addon> a = panel();
    const std::string id = std::to_string(Addon::FRAME_ANIM_SET);
    EXPECT_TRUE(vmThrows<java::lang::IllegalArgumentException>(
        [&] { a->setFrame(0, 0, 0, 100, 100); }, id.c_str()));
    EXPECT_TRUE(vmThrows<java::lang::IllegalArgumentException>(
        [&] { a->setDialogFrame(0); }, id.c_str()));
    EXPECT_FALSE(a->isBoxed());
    EXPECT_EQ(a->frameGobSetSlot, -1);
    EXPECT_EQ(a->frameAnimSetSlot, -1);
    EXPECT_EQ(gobUses(gobSlot), 1) << "only the test's own use";
    EXPECT_EQ(animUses(animSlot), 1);
    a->release();
    EXPECT_EQ(gobUses(gobSlot), 1);

    // Slots held without a frame are still handed back.
    a->arrowGobSetSlot = gobSlot;
    a->arrowAnimSetSlot = animSlot;
    a->release();
    EXPECT_EQ(gobUses(gobSlot), 0);
    EXPECT_EQ(animUses(animSlot), 0);
    EXPECT_EQ(a->arrowGobSetSlot, -1);
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
    p->setItemBoxes(rows, intArray({0, 0, 240, 320}));
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

// Panels with text in the hub's bitmap fonts.
class AddonTextTest : public AddonTest {
protected:
    // Lines "line 1" to "line n".
    static VMPtr<java::lang::String> lines(int32_t n)
    {
        std::string text;
        for (int32_t k = 1; k <= n; k++)
            text += (k > 1 ? "\n" : "") + ("line " + std::to_string(k));
        return vmString(text.c_str());
    }
    int32_t lineHeight()
    {
        VMPtr<Addon> probe = panel();
        probe->setText(vmString("x"), 0, 0, 100, 100);
        return probe->getLineHeight();
    }
};

TEST_F(AddonTextTest, ATextTallerThanItsAreaScrollsWithABarWithinItsLines)
{
    int32_t lh = lineHeight();
    ASSERT_GT(lh, 0);
    VMPtr<Addon> a = panel();
    a->setScrolling(true);
    a->setText(lines(10), 10, 20, 100, 4 * lh + lh / 2);
    EXPECT_EQ(a->lineCount, 10);
    EXPECT_EQ(a->visibleLines, 4);
    EXPECT_EQ((Ints{a->getOriginX(), a->getOriginY()}), (Ints{10, 20}));
    EXPECT_EQ(ui::Pointer::offsetMaxY, 20);
    EXPECT_EQ(ui::Pointer::offsetMinY, -6 * lh);

    a->scrollTextDown();
    EXPECT_EQ(a->scrollLine, 0) << "auxEnabled is clear";
    a->setAuxEnabled(true);
    Ints seen;
    for (int32_t n = 0; n < 8; n++) {
        a->moveDown();
        seen.push_back(a->scrollLine);
    }
    EXPECT_EQ(seen, (Ints{1, 2, 3, 4, 5, 6, 6, 6}));

    int32_t unit = (4 * lh + lh / 2) / 10;
    VMPtr<RecordingGraphics> g = RecordingGraphics::newInstance();
    a->paint(g);
    EXPECT_EQ(g->only("clip")[0], "clip 10 20 100 " + std::to_string(4 * lh + lh / 2));
    EXPECT_EQ(g->only("outline"), (Calls{"outline 105 20 5 " + std::to_string(10 * unit) +
                                         " 82451A"}));
    EXPECT_EQ(g->only("fill"), (Calls{"fill 105 " + std::to_string(20 + 6 * unit) + " 5 " +
                                      std::to_string(4 * unit) + " 82451A"}));

    for (int32_t n = 0; n < 7; n++)
        a->moveUp();
    EXPECT_EQ(a->scrollLine, 0);
}

TEST_F(AddonTextTest, ATextThatFitsNeitherScrollsNorShowsABar)
{
    int32_t lh = lineHeight();
    VMPtr<Addon> a = panel();
    a->setScrolling(true);
    a->setAuxEnabled(true);
    a->setText(lines(2), 10, 20, 100, 4 * lh);
    EXPECT_EQ(a->visibleLines, 2);
    EXPECT_EQ(ui::Pointer::offsetMinY, 0);
    a->scrollTextDown();
    a->moveDown();
    EXPECT_EQ(a->scrollLine, 0);
    VMPtr<RecordingGraphics> g = RecordingGraphics::newInstance();
    a->paint(g);
    EXPECT_TRUE(g->only("outline").empty());
    EXPECT_TRUE(g->only("fill").empty());
    EXPECT_FALSE(g->only("picture").empty()) << "the text is drawn";

    // Text set anew keeps the area and starts at the top.
    a->setText(lines(10));
    EXPECT_EQ(a->visibleLines, 4);
    EXPECT_EQ(a->scrollLine, 0);
}

TEST_F(AddonTextTest, LabelsAreCentredByHalfTheRoomLeft)
{
    VMPtr<Addon> a = panel();
    a->setLabelCapacity(4);
    a->addLabel(PLAY, 10, 50);
    a->addLabel(PLAY, 10, 50, 100);
    a->addLabel(PLAY, 10, 50, 0, 40);
    a->addLabel(vmString("Play"), 10, 50, 100, 40);
    EXPECT_EQ(vmText(a->labelTexts->get(0)), "Play");

    VMPtr<tq::util::text::RichFont> font(main::Main::font);
    // Each label alone, to compare where its pictures land.
    std::vector<Calls> drawn;
    for (int32_t i = 0; i < 4; i++) {
        VMPtr<Addon> one = panel();
        one->setLabelCapacity(1);
        one->addLabel(a->labelTexts->get(i), 10, 50, (*a->labelWidths)[i], (*a->labelHeights)[i]);
        VMPtr<RecordingGraphics> g = RecordingGraphics::newInstance();
        one->paint(g);
        drawn.push_back(g->only("picture"));
    }
    int32_t dx = (100 - font->stringWidth(vmString("Play"))) / 2;
    int32_t dy = (40 - font->getHeight()) / 2;
    ASSERT_GT(dx, 0);
    auto moved = [](const Calls& pictures, int32_t mx, int32_t my) {
        Calls out;
        for (const std::string& p : pictures) {
            int32_t x, y, w, h;
            sscanf(p.c_str(), "picture %d %d %d %d", &x, &y, &w, &h);
            out.push_back("picture " + std::to_string(x + mx) + " " + std::to_string(y + my) +
                          " " + std::to_string(w) + " " + std::to_string(h));
        }
        return out;
    };
    ASSERT_FALSE(drawn[0].empty());
    EXPECT_EQ(drawn[1], moved(drawn[0], dx, 0));
    EXPECT_EQ(drawn[2], moved(drawn[0], 0, dy));
    EXPECT_EQ(drawn[3], moved(drawn[0], dx, dy));
}

TEST_F(AddonTextTest, TheCaptionOfAWideItemRunsAndRestarts)
{
    VMPtr<Addon> a = panel();
    a->setItemCount(2);
    (*a->itemIds)[0] = LONG;
    (*a->itemIds)[1] = PLAY;
    a->setListArea(7, 0, 200, 100);
    main::Main::instance->selectFont(0);
    int32_t w = VMPtr<tq::util::text::RichFont>(main::Main::font)
                    ->stringWidth(VMPtr<java::lang::String>(main::Main::texts->getString(LONG)));
    ASSERT_GT(w, 240);

    a->setHighlighted(0);
    a->stepMarquee();
    EXPECT_EQ(a->marqueeOffset, 0) << "only while scrolling";
    a->setScrolling(true);
    a->stepMarquee();
    a->stepMarquee();
    EXPECT_EQ(a->marqueeOffset, -4);
    int32_t steps = 2;
    while (a->marqueeOffset < 0 && steps < 1000) {
        a->stepMarquee();
        steps++;
    }
    EXPECT_EQ(a->marqueeOffset, 240);
    EXPECT_EQ(steps, (w + 7 + 1) / 2) << "restarts once at or past -(width + area x)";

    a->setHighlighted(1);
    a->stepMarquee();
    EXPECT_EQ(a->marqueeOffset, 0) << "a narrow caption stands";
}

} // namespace
