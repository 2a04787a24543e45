// Item panels: the three item kinds and their cache uses, adding, replacing
// and releasing, frame changes, sequences and animations, painting with
// background, clips, origin and rectangles, boxes and hit tests.

#include <gtest/gtest.h>

#include "UiFixture.h"
#include "java/lang/ArrayIndexOutOfBoundsException.h"
#include "java/lang/IllegalArgumentException.h"
#include "support/LangTestSupport.h"
#include "ui/Screen.h"
#include "vm/VMHeap.h"

using ui::ResManager;
using ui::Screen;
using namespace uitest;

namespace {

class ScreenTest : public uitest::UiFixture {
protected:
    VMPtr<Screen> panel(int32_t n)
    {
        VMPtr<Screen> s = Screen::newInstance()->initItems();
        s->allocItems(n);
        return s;
    }
    static VMPtr<uitest::RecordingGraphics> recorder()
    {
        return uitest::RecordingGraphics::newInstance();
    }
};

TEST_F(ScreenTest, ANewPanelHasNoItemsAndTheDefaultBackground)
{
    VMPtr<Screen> s = Screen::newInstance()->initItems();
    EXPECT_EQ(s->getItemCapacity(), 0);
    EXPECT_EQ(s->getItemKind(0), -1);
    EXPECT_EQ(s->getItemGobSlot(0), -1);
    EXPECT_EQ(s->bgColor1, 0xE3CA83);
    EXPECT_EQ(s->bgColor2, 0xE3CA83);
    EXPECT_FALSE(s->bgEnabled);
    EXPECT_EQ(s->getOriginX() | s->getOriginY(), 0);
    EXPECT_TRUE(s->isActive());
    EXPECT_EQ(s->isStopped(), 0);
    s->update();
    s->paint(recorder());
    s->release();
}

TEST_F(ScreenTest, EachKindOfItemReportsItsCodeFramePositionAndSlots)
{
    VMPtr<Screen> s = panel(4);
    s->setAnimItem(0, GOBS, ANIMS, ANIMS_FOREVER, 30, 40);
    s->setItem(1, GOBS, ANIMS, 1, 50, 60);
    s->setGobItem(2, GOBS);
    struct Row {
        int32_t i, kind, frame, x, y, gobSlot, animSlot;
    } rows[] = {
        {0, Screen::ANIM_ITEM, ANIMS_FOREVER, 30, 40, 0, 0},
        {1, Screen::FRAME_ITEM, 1, 50, 60, 0, 0},
        {2, Screen::GOB_ITEM, 0, 0, 0, 0, -1},
        {3, -1, -1, 0, 0, -1, -1},
        {4, -1, -1, 0, 0, -1, -1},
        {-1, -1, -1, 0, 0, -1, -1},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.i);
        EXPECT_EQ(s->getItemKind(r.i), r.kind);
        EXPECT_EQ(s->getItemFrame(r.i), r.frame);
        EXPECT_EQ(s->getItemX(r.i), r.x);
        EXPECT_EQ(s->getItemY(r.i), r.y);
        EXPECT_EQ(s->getItemGobSlot(r.i), r.gobSlot);
        EXPECT_EQ(s->getItemAnimSetSlot(r.i), r.animSlot);
    }
    // One use of the shared Gob set per item, of the AnimSet per item with one.
    EXPECT_EQ(gobUses(0), 3);
    EXPECT_EQ(animUses(0), 2);
    // An animation item keeps its position in its player.
    EXPECT_EQ(ints(VMPtr<VMArray<int32_t, 1>>(s->itemPos->get(0))), (Ints{0, 0}));
    s->setItemPosition(0, 5, 6);
    s->setItemPosition(1, 7, 8);
    s->setItemPosition(3, 9, 9);
    EXPECT_EQ(s->players->get(0)->getPosX(), 5);
    EXPECT_EQ(s->getItemY(0), 6);
    EXPECT_EQ(s->getItemX(1), 7);
    EXPECT_EQ(s->getItemKind(3), -1);
    // Sizes in the engine's order: height, then width.
    EXPECT_EQ(s->getItemSize1(2), 2);
    EXPECT_EQ(s->getItemSize2(2), 4);
    EXPECT_EQ(s->getItemSize1(3), 0);
    EXPECT_EQ(s->getItemPlayerValue(1), -1);
    EXPECT_EQ(s->getItemAnimLength(0), 30);
    EXPECT_EQ(s->getItemAnimLength(1), 0);
}

TEST_F(ScreenTest, AddingFillsPlacesInOrderAndRewindingReplacesAfterReleasing)
{
    VMPtr<Screen> s = panel(5);
    for (int32_t k = 0; k < 5; k++)
        s->addItem(GOBS, ANIMS, 0, 10 * k, 0);
    EXPECT_EQ(s->getNextItem(), 5);
    for (int32_t k = 0; k < 5; k++)
        EXPECT_EQ(s->getItemX(k), 10 * k);
    EXPECT_EQ(gobUses(0), 5);

    // A sixth add is outside the places: nothing is loaded or counted.
    EXPECT_TRUE(vmThrows<java::lang::ArrayIndexOutOfBoundsException>(
        [&] { s->addItem(GOBS, ANIMS, 0, 0, 0); }, "Array index out of range: 5"));
    EXPECT_EQ(s->getNextItem(), 5);
    EXPECT_EQ(gobUses(0), 5);

    for (int32_t bad : {-1, 6}) {
        s->setNextItem(bad);
        EXPECT_EQ(s->getNextItem(), 5) << bad;
    }
    s->setNextItem(0);
    s->addItem(GOBS, ANIMS, 2, 7, 8);
    EXPECT_EQ(s->getNextItem(), 1);
    EXPECT_EQ(s->getItemFrame(0), 2);
    EXPECT_EQ(s->getItemX(0), 7);
    EXPECT_EQ(gobUses(0), 5) << "the replaced item's use is handed back";
    EXPECT_EQ(animUses(0), 5);
}

TEST_F(ScreenTest, RemovingAndReleasingHandBackEachUseOnceAndClearingNone)
{
    VMPtr<Screen> s = panel(3);
    s->addGobItem(GOBS);
    s->addItem(GOBS, ANIMS, 0, 0, 0);
    ASSERT_EQ(gobUses(0), 2);
    s->removeItem(2);
    EXPECT_EQ(gobUses(0), 2) << "an empty place releases nothing";
    s->removeItem(0);
    EXPECT_EQ(gobUses(0), 1);
    EXPECT_EQ(s->getItemKind(0), -1);
    EXPECT_EQ(s->getItemGobSlot(0), -1);
    s->removeItem(0);
    EXPECT_EQ(gobUses(0), 1);

    s->release();
    EXPECT_EQ(gobUses(0), 0);
    EXPECT_EQ(animUses(0), 0);
    EXPECT_EQ(ResManager::gobSets->get(0), nullptr);
    EXPECT_EQ(s->getItemKind(1), -1);
    s->release();
    EXPECT_EQ(gobUses(0), 0) << "a second release hands back nothing";

    VMPtr<Screen> other = panel(2);
    other->addItem(GOBS, ANIMS, 0, 0, 0);
    int32_t slot = other->getItemGobSlot(0);
    other->clearItems();
    EXPECT_EQ(other->getItemKind(0), -1);
    EXPECT_EQ(other->getItemGobSlot(0), -1);
    EXPECT_EQ(gobUses(slot), 1) << "clearing keeps the cache's count";
}

TEST_F(ScreenTest, AnItemWithoutAnAnimSetIsRefusedWithItsUsesHandedBack)
{
    VMPtr<Screen> s = panel(2);
    EXPECT_TRUE(vmThrows<java::lang::IllegalArgumentException>(
        [&] { s->setItem(0, GOBS, -1, 0, 0, 0); }, "-1"));
    EXPECT_TRUE(vmThrows<java::lang::IllegalArgumentException>(
        [&] { s->setAnimItem(1, GOBS, -1, 0, 0, 0); }, "-1"));
    EXPECT_EQ(s->getItemKind(0), -1);
    EXPECT_EQ(s->getItemKind(1), -1);
    EXPECT_EQ(gobUses(0), 0);
}

TEST_F(ScreenTest, ChangingTheFrameMakesANewPictureOnlyWhenItDiffers)
{
    VMPtr<Screen> s = panel(4);
    s->setItem(0, GOBS, ANIMS, 0, 0, 0);
    s->setGobItem(1, GOBS);
    s->setAnimItem(2, GOBS, ANIMS, ANIMS_ONCE, 0, 0);

    VMPtr<tq::Paintable> before = s->paintables->get(0);
    s->setItemFrame(0, 0);
    EXPECT_EQ(s->paintables->get(0).get(), before.get());
    s->setItemFrame(0, 1);
    EXPECT_NE(s->paintables->get(0).get(), before.get());
    EXPECT_EQ(vm_cast<tq::Frame>(s->paintables->get(0))->getIndex(), 1);
    EXPECT_EQ(s->getItemFrame(0), 1);

    s->setItemFrame(1, 2);
    EXPECT_EQ(s->paintables->get(1).get(), ResManager::gobSets->get(0)->get(2).get());
    EXPECT_EQ(s->getItemFrame(1), 2);

    s->setItemFrame(2, ANIMS_FOREVER);
    EXPECT_EQ(s->players->get(2)->getAnimation(), ANIMS_FOREVER);
    EXPECT_EQ(s->getItemFrame(2), ANIMS_FOREVER);

    // Out of range and empty places change nothing.
    s->setItemFrame(3, 1);
    s->setItemFrame(9, 1);
    EXPECT_EQ(s->getItemFrame(3), -1);
}

TEST_F(ScreenTest, AFrameSequenceSwitchesCountsDownAndStopsOnItsLastStep)
{
    VMPtr<Screen> s = panel(1);
    s->addItem(GOBS, ANIMS, 0, 0, 0);
    VMPtr<VMArray<int32_t, 1>> durations = intArray({100, 50});
    s->setItemSequence(0, intArray({3, 4}), durations);
    // A step ends when its count drops below 0, not when it reaches 0.
    ui::MyObject::frameTime = 50;
    Ints frames;
    for (int32_t n = 0; n < 9; n++) {
        s->update();
        frames.push_back(s->getItemFrame(0));
    }
    EXPECT_EQ(frames, (Ints{3, 3, 3, 3, 4, 4, 4, 4, 4}));
    EXPECT_EQ(ints(durations), (Ints{100, 50})) << "the caller's durations are copied";

    // Set again, the sequence runs afresh from its first step.
    s->setItemSequence(0, intArray({3, 4}), durations);
    s->update();
    EXPECT_EQ(s->getItemFrame(0), 3);
    s->clearItemSequences();
    s->update();
    s->update();
    EXPECT_EQ(s->getItemFrame(0), 3) << "no sequence, no change for a frame item";

    // A stopped panel does not move on.
    s->setItemSequence1(0, 1, 10);
    s->setStopped(1);
    s->update();
    EXPECT_EQ(s->getItemFrame(0), 3);
    s->setStopped(0);
    s->tick(0, 0);
    EXPECT_EQ(s->getItemFrame(0), 1);
}

TEST_F(ScreenTest, AnAnimationThatEndsGivesWayToTheNextOneBelowNextItemOnly)
{
    VMPtr<Screen> s = panel(2);
    s->addAnimItem(GOBS, ANIMS, ANIMS_ONCE, 0, 0);
    s->setAnimItem(1, GOBS, ANIMS, ANIMS_ONCE, 0, 0);
    ui::MyObject::frameTime = 150;
    s->update();
    EXPECT_EQ(s->getItemFrame(0), ANIMS_ONCE);
    s->update();
    EXPECT_EQ(s->getItemFrame(0), ANIMS_NEXT);
    EXPECT_EQ(s->players->get(0)->getAnimation(), ANIMS_NEXT);
    EXPECT_EQ(s->players->get(1)->getElapsedTime(), 0) << "beyond nextItem: not animated";

    // In a sequence, the end of the animation moves to the next step.
    s->setItemSequence(0, intArray({ANIMS_NEXT, ANIMS_FOREVER}), intArray({1000, 1000}));
    ui::MyObject::frameTime = 60;
    s->update();
    EXPECT_EQ(s->seqIndex->elements()[0], 1);
    s->update();
    EXPECT_EQ(s->getItemFrame(0), ANIMS_FOREVER);

    // A smaller list made after adding leaves nextItem past its end.
    VMPtr<Screen> shrunk = panel(3);
    for (int32_t i = 0; i < 3; i++)
        shrunk->addAnimItem(GOBS, ANIMS, ANIMS_ONCE, 0, 0);
    shrunk->allocItems(1);
    shrunk->setAnimItem(0, GOBS, ANIMS, ANIMS_ONCE, 0, 0);
    ui::MyObject::frameTime = 150;
    shrunk->update();
    EXPECT_EQ(shrunk->getItemFrame(0), ANIMS_ONCE);
}

TEST_F(ScreenTest, TheBackgroundIsOneFillOneGradientAtThePanelsCornerOrNothing)
{
    struct Case {
        bool enabled;
        int32_t c1, c2;
        uitest::Calls expected;
    } cases[] = {
        {false, 0x112233, 0x445566, {}},
        {true, 0x112233, 0x112233, {"fill 0 0 240 320 112233"}},
        {true, 0x112233, 0x445566, {"gradient 0 0 240 320 112233 445566"}},
    };
    for (const Case& c : cases) {
        VMPtr<Screen> s = panel(1);
        s->setBackgroundEnabled(c.enabled);
        s->setBackgroundColors(c.c1, c.c2);
        VMPtr<uitest::RecordingGraphics> g = recorder();
        // The panel is drawn inside a centred picture.
        g->translate(120, 40);
        s->paint(g);
        uitest::Calls drawn = g->only("fill");
        for (const std::string& line : g->only("gradient"))
            drawn.push_back(line);
        EXPECT_EQ(drawn, c.expected) << c.enabled << " " << c.c1 << " " << c.c2;
    }
}

TEST_F(ScreenTest, ItemsClipsAndRectanglesAreDrawnMovedByTheOrigin)
{
    VMPtr<Screen> s = panel(4);
    s->setItem(0, GOBS, ANIMS, 0, 50, 50);
    s->setItem(1, GOBS, ANIMS, 0, 100, 10);
    s->setItemClip(1, intArray({90, 0, 20, 30}));
    s->setItem(2, GOBS, ANIMS, 0, 5, 5);
    s->setItemClip(2, intArray({0, 0, 0, 30}));
    s->allocRects(2);
    s->setRect(1, intArray({60, 70, 8, 9}), 0xABCDEF);
    s->setOrigin(10, 20);
    VMPtr<uitest::RecordingGraphics> g = recorder();
    g->clip = {1, 2, 3, 4};
    s->paint(g);
    EXPECT_EQ(g->calls, (uitest::Calls{
                            "picture 40 30 4 4",
                            "clip 80 -20 20 30",
                            "picture 90 -10 4 4",
                            "clip 1 2 3 4",
                            "picture -5 -15 4 4",
                            "clip 0 0 240 320",
                            "fill 50 50 8 9 ABCDEF",
                        }));

    // A row too short to paint is refused and the place keeps its rectangle.
    s->setRect(0, intArray({1, 2, 3, 4}), 0);
    for (int32_t length : {0, 1, 3}) {
        EXPECT_TRUE(vmThrows<java::lang::IllegalArgumentException>(
            [&] { s->setRect(0, VMArray<int32_t, 1>::newArray(length), 0); },
            std::to_string(length).c_str()));
        EXPECT_EQ(ints(s->rects->get(0)), (Ints{1, 2, 3, 4}));
    }
    s->clearRect(0);

    // Items beyond nextItem are drawn too; cleared rectangles are not.
    s->clearRect(1);
    s->resetOrigin();
    g = recorder();
    s->paint(g);
    EXPECT_EQ(g->only("picture").size(), 3u);
    EXPECT_TRUE(g->only("fill").empty());
}

TEST_F(ScreenTest, BoxesOfEachKindArePlacedAtTheItem)
{
    VMPtr<Screen> s = panel(4);
    s->setGobItem(0, GOBS);
    s->setItemPosition(0, 100, 200);
    s->setItem(1, GOBS, ANIMS, 1, 30, 40);
    s->setAnimItem(2, GOBS, ANIMS, ANIMS_ONCE, 7, 8);
    struct Case {
        const char* what;
        Ints got, expected;
    } cases[] = {
        {"Gob: drawing offset and box offset, any kind", ints(s->getItemBox(0, 3)),
         {99, 199, 2, 2, 0}},
        {"Gob: no box of a kind", ints(s->getItemBox1(0)), {0, 0, 0, 0, 0}},
        {"Gob rectangles: box offset only", ints(s->getItemRects(0)), {101, 200, 2, 2, -1}},
        {"frame: first box of kind 1", ints(s->getItemBox(1, 1)), {50, 40, 5, 5, 1}},
        {"frame: kind 2", ints(s->getItemBox2(1)), {40, 40, 2, 2, 2}},
        {"frame: no box of kind 4", ints(s->getItemBox4(1)), {30, 40, 0, 0, 0}},
        {"frame rectangles", ints(s->getItemRects(1)), {40, 40, 2, 2, 2, 50, 40, 5, 5, 1}},
        {"player: at its position", ints(s->getItemBox(2, 3)), {8, 9, 2, 2, 3}},
        {"player: relative in the family", ints(s->getItemBox3(2)), {1, 1, 2, 2, 3}},
        {"player rectangles", ints(s->getItemRects(2)), {7, 8, 4, 4, 1, 8, 9, 2, 2, 3}},
        {"missing item", ints(s->getItemBox(3, 1)), {0, 0, 0, 0, 0}},
        {"beyond the places", ints(s->getItemRects(7)), {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.got, c.expected) << c.what;
    EXPECT_EQ(s->getItemBoxCount(0), 1);
    EXPECT_EQ(s->getItemBoxCount(1), 2);
    EXPECT_EQ(s->getItemBoxCount(2), 2);
    EXPECT_EQ(s->getItemBoxCount(3), 0);
}

TEST_F(ScreenTest, BoxIntoACallersArrayMatchesTheNewBoxAndAllocatesNothing)
{
    VMPtr<Screen> s = panel(4);
    s->setGobItem(0, GOBS);
    s->setItemPosition(0, 100, 200);
    s->setItem(1, GOBS, ANIMS, 1, 30, 40);
    s->setAnimItem(2, GOBS, ANIMS, ANIMS_ONCE, 7, 8);
    // One array reused for every query, first filled with a sentinel: a box
    // of a kind the item lacks and a missing item must leave nothing behind.
    VMPtr<VMArray<int32_t, 1>> out = intArray({-7, -7, -7, -7, -7});
    const std::pair<int32_t, int32_t> queries[] = {{0, 3}, {1, 1}, {1, 4}, {2, 3},
                                                   {2, 1}, {3, 1}, {1, 2}, {0, 0}};
    for (auto [i, k] : queries) {
        s->getItemBoxInto(i, k, out);
        EXPECT_EQ(ints(out), ints(s->getItemBox(i, k))) << i << " kind " << k;
    }

    uint32_t free = _VM_getFreeMemory();
    for (int32_t n = 0; n < 100; n++)
        for (auto [i, k] : queries)
            s->getItemBoxInto(i, k, out);
    EXPECT_EQ(_VM_getFreeMemory(), free);

    // An array too short for a box is refused.
    EXPECT_TRUE(vmThrows<java::lang::ArrayIndexOutOfBoundsException>(
        [&] { s->getItemBoxInto(1, 1, VMArray<int32_t, 1>::newArray(4)); },
        "Array index out of range: 4"));
}

TEST_F(ScreenTest, HitTestsAnswerTheValueOfTheFirstBoxHit)
{
    VMPtr<Screen> s = panel(3);
    s->setItem(0, GOBS, ANIMS, 1, 30, 40);
    s->setAnimItem(1, GOBS, ANIMS, ANIMS_ONCE, 7, 8);
    s->setGobItem(2, GOBS);
    struct Case {
        int32_t i;
        Ints rect;
        int32_t value;
    } cases[] = {
        {0, {52, 42, 1, 1}, 1}, {0, {41, 41, 1, 1}, 2}, {0, {35, 40, 4, 4}, -1},
        {0, {38, 38, 20, 5}, 2}, {1, {8, 9, 1, 1}, 1},  {1, {0, 0, 7, 8}, -1},
        {2, {-5, -5, 20, 20}, -1}, {9, {0, 0, 100, 100}, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(s->hitItemRect(c.i, intArray(c.rect)), c.value) << c.i << " " << c.rect[0];

    // Containment in the item's box of a kind: a point, or a whole rectangle.
    EXPECT_TRUE(s->itemContains(0, 1, intArray({50, 40, 0, 0})));
    EXPECT_FALSE(s->itemContains(0, 1, intArray({55, 40, 0, 9})));
    EXPECT_TRUE(s->itemContains(0, 1, intArray({51, 41, 4, 4})));
    EXPECT_FALSE(s->itemContains(0, 1, intArray({51, 41, 5, 4})));
    VMPtr<tq::graphics::CollisionBox> box = tq::graphics::CollisionBox::newInstance()->init();
    box->setBounds(41, 41, 1, 1);
    EXPECT_TRUE(s->itemContainsBox(0, 2, box));
    EXPECT_FALSE(s->itemContainsBox(0, 1, box));
}

TEST_F(ScreenTest, CollisionRectanglesAreMovedThroughTheWholeBuffer)
{
    VMPtr<Screen> s = panel(3);
    s->setItem(0, GOBS, ANIMS, 1, 30, 40);
    s->setAnimItem(1, GOBS, ANIMS, ANIMS_ONCE, 7, 8);
    s->setGobItem(2, GOBS);
    s->setItemPosition(2, 50, 50);

    VMPtr<VMArray<int32_t, 1>> out = VMArray<int32_t, 1>::newArray(15);
    EXPECT_EQ(s->getItemCollisionRects(0, out), 2);
    EXPECT_EQ(ints(out), (Ints{40, 40, 2, 2, 2, 50, 40, 5, 5, 1, 30, 40, 0, 0, 0}));
    out = VMArray<int32_t, 1>::newArray(10);
    EXPECT_EQ(s->getItemCollisionRects(1, out), 2);
    EXPECT_EQ(ints(out), (Ints{7, 8, 4, 4, 1, 8, 9, 2, 2, 3}));
    out = VMArray<int32_t, 1>::newArray(5);
    EXPECT_EQ(s->getItemCollisionRects(2, out), 1);
    EXPECT_EQ(ints(out), (Ints{-1, -1, 2, 2, -1})) << "Gob items are not moved";
    EXPECT_EQ(s->getItemCollisionRects(5, out), 0);

    VMPtr<Screen::BoxArray> boxes = Screen::BoxArray::newArray(2);
    for (int32_t b = 0; b < 2; b++)
        boxes->set(b, tq::graphics::CollisionBox::newInstance()->init());
    EXPECT_EQ(s->getItemCollisionBoxes(0, boxes), 2);
    EXPECT_EQ(boxes->get(0)->x, 40);
    EXPECT_EQ(boxes->get(1)->x, 50);
    EXPECT_EQ(boxes->get(1)->y, 40);
}

} // namespace
