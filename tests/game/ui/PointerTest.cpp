// The touch state as the canvas's pointer callbacks feed it, hit tests on
// item boxes and rectangles, and the direction buttons' key regions.

#include <gtest/gtest.h>

#include "UiFixture.h"
#include "tq/input/PointerInputEventManager.h"
#include "tq/input/PointerInputKeyManager.h"
#include "ui/Pointer.h"

using tq::input::PointerInputEventManager;
using tq::input::PointerInputKeyManager;
using ui::Pointer;

namespace {

using uitest::Ints;

VMPtr<VMArray<int32_t, 1>> rect(int32_t x, int32_t y, int32_t w, int32_t h)
{
    return uitest::intArray({x, y, w, h});
}

// The canvas's pointer input started as its loop starts it, no regions, and
// a fresh touch state.
class PointerTest : public uitest::UiFixture {
protected:
    void SetUp() override
    {
        UiFixture::SetUp();
        canvas->startPointerInput();
        PointerInputKeyManager::removeRegions(0);
        pointer = Pointer::newInstance()->init();
    }
    void TearDown() override
    {
        PointerInputKeyManager::resetAll();
        PointerInputKeyManager::removeRegions(0);
        PointerInputEventManager::setEnabled(false);
        UiFixture::TearDown();
    }

    // Touches in picture coordinates.
    void press(int32_t x, int32_t y) { canvas->pointerPressed(x + dx(), y + dy()); }
    void drag(int32_t x, int32_t y) { canvas->pointerDragged(x + dx(), y + dy()); }
    void release(int32_t x, int32_t y) { canvas->pointerReleased(x + dx(), y + dy()); }
    int32_t dx() { return canvas->getViewportOffsetX(); }
    int32_t dy() { return canvas->getViewportOffsetY(); }

    // {pressed, released, start x, y, previous x, y, current x, y}
    Ints state()
    {
        return {(*Pointer::pressed)[0],  (*Pointer::released)[0], pointer->getStartX(0),
                pointer->getStartY(0),   pointer->getPreviousX(0), pointer->getPreviousY(0),
                pointer->getX(0),        pointer->getY(0)};
    }

    VMStatic<Pointer> pointer;
};

TEST_F(PointerTest, ATouchIsHeldThenReleasedForExactlyOneFrame)
{
    EXPECT_EQ(state(), (Ints{0, 0, 0, 0, 0, 0, 0, 0}));
    press(10, 20);
    pointer->update();
    EXPECT_EQ(state(), (Ints{1, 0, 10, 20, 10, 20, 10, 20}));
    drag(15, 25);
    drag(30, 40);
    pointer->processEvents();
    EXPECT_EQ(state(), (Ints{1, 0, 10, 20, 15, 25, 30, 40}));
    EXPECT_EQ(pointer->getDragX(0), 20);
    EXPECT_EQ(pointer->getDragY(0), 20);
    release(31, 41);
    pointer->processEvents();
    EXPECT_EQ(state(), (Ints{0, 1, 10, 20, 30, 40, 31, 41}));
    pointer->processEvents();
    EXPECT_EQ(state(), (Ints{0, 0, 0, 0, 0, 0, 0, 0})) << "the next frame is idle";

    // A press and its release in one frame: released, at the release point.
    press(50, 60);
    release(52, 61);
    pointer->processEvents();
    EXPECT_EQ(state(), (Ints{0, 1, 50, 60, 50, 60, 52, 61}));
}

TEST_F(PointerTest, AFullRingIsTakenInOneFrame)
{
    press(1, 1);
    for (int32_t k = 2; k <= 20; k++)
        drag(k, k);
    ASSERT_EQ(pointer->getPendingEventCount(), 20);
    pointer->processEvents();
    EXPECT_EQ(pointer->getPendingEventCount(), 0);
    EXPECT_EQ(pointer->getX(0), 20);
    EXPECT_EQ(pointer->getPreviousX(0), 19);
}

TEST_F(PointerTest, ItemBoxesLeaveOutTheirRightAndBottomEdgesRectanglesKeepThem)
{
    EXPECT_EQ(pointer->getItemAt(0), -1) << "no item boxes yet";
    VMPtr<VMArray<int32_t, 2>> boxes = VMArray<int32_t, 2>::newArray({3, 4});
    Ints rows[] = {{0, 0, 10, 10}, {5, 5, 10, 10}, {45, 0, 10, 10}};
    for (int32_t i = 0; i < 3; i++) {
        for (int32_t k = 0; k < 4; k++)
            (*boxes->get(i))[k] = rows[i][k];
    }
    pointer->setItemBoxes(boxes, rect(0, 0, 50, 50));
    struct Case {
        int32_t x, y, item;
        bool insideFirst;
    } cases[] = {
        {0, 0, 0, true},    {9, 9, 0, true},     {7, 7, 0, true}, // overlap: lowest wins
        {10, 3, -1, true},  {10, 10, 1, true},   {14, 14, 1, false},
        {15, 15, -1, false}, {47, 3, 2, false},  {52, 3, -1, false}, // outside the area
    };
    for (const Case& c : cases) {
        press(c.x, c.y);
        pointer->processEvents();
        EXPECT_EQ(pointer->getItemAt(0), c.item) << c.x << "," << c.y;
        EXPECT_EQ(pointer->getHeldItem(0), c.item);
        EXPECT_EQ(pointer->getReleasedItem(0), -1) << "not while held";
        EXPECT_EQ(pointer->isInside(rect(0, 0, 10, 10), 0), c.insideFirst) << c.x << "," << c.y;
        release(c.x, c.y);
        pointer->processEvents();
        EXPECT_EQ(pointer->getHeldItem(0), -1);
        EXPECT_EQ(pointer->getReleasedItem(0), c.item);
        pointer->processEvents();
        EXPECT_EQ(pointer->getReleasedItem(0), -1) << "one frame only";
    }
}

TEST_F(PointerTest, DirectionButtonsPressTheirGameKeysAndGoByRectangleAndKey)
{
    struct Button {
        void (Pointer::*add)(VMPtr<VMArray<int32_t, 1>>);
        void (Pointer::*remove)(VMPtr<VMArray<int32_t, 1>>);
        int8_t key;
    } buttons[] = {
        {&Pointer::addUpRegion, &Pointer::removeUpRegions, 1},
        {&Pointer::addDownRegion, &Pointer::removeDownRegions, 6},
        {&Pointer::addLeftRegion, &Pointer::removeLeftRegions, 2},
        {&Pointer::addRightRegion, &Pointer::removeRightRegions, 5},
    };
    int32_t x = 0;
    for (const Button& b : buttons) {
        SCOPED_TRACE(int(b.key));
        ((*pointer).*b.add)(rect(x, 100, 20, 20));
        ((*pointer).*b.add)(rect(x, 100, 20, 20));
        ((*pointer).*b.add)(rect(x, 100, 0, 20));
        EXPECT_EQ(PointerInputKeyManager::getRegionCount(b.key), 2);
        EXPECT_EQ(pointer->directionRegions->get(0), nullptr) << "no region is kept";
        press(x + 5, 105);
        canvas->latchKeys();
        EXPECT_TRUE(canvas->isHeld(b.key));
        release(x + 5, 105);
        canvas->latchKeys();
        EXPECT_FALSE(canvas->isHeld(b.key));
        x += 30;
    }
    EXPECT_EQ(PointerInputKeyManager::getRegionCount(0), 8);

    // Removing goes by key and by the whole rectangle.
    pointer->removeLeftRegions(rect(0, 100, 20, 20));
    EXPECT_EQ(PointerInputKeyManager::getRegionCount(1), 2) << "the up button's rectangle";
    pointer->removeUpRegions(rect(0, 100, 20, 21));
    pointer->removeUpRegions(rect(0, 100, 0, 0));
    EXPECT_EQ(PointerInputKeyManager::getRegionCount(1), 2);
    pointer->removeUpRegions(rect(0, 100, 20, 20));
    EXPECT_EQ(PointerInputKeyManager::getRegionCount(1), 0);
    EXPECT_EQ(PointerInputKeyManager::getRegionCount(0), 6);

    press(3, 3);
    pointer->processEvents();
    pointer->clearRegions();
    EXPECT_EQ(PointerInputKeyManager::getRegionCount(0), 0);
    EXPECT_EQ(pointer->directionRegions, nullptr);
    EXPECT_FALSE((*Pointer::pressed)[0]) << "the touch state starts afresh";
}

TEST_F(PointerTest, FinishedDragsGatherInTheOffsetsWithinTheirBounds)
{
    pointer->setOffsetBounds(0, 100, 0, -50);
    press(10, 100);
    drag(10, 70);
    release(10, 70);
    pointer->processEvents();
    EXPECT_EQ(Pointer::offsetY, 0) << "folded when the release has been seen";
    pointer->processEvents();
    EXPECT_EQ(Pointer::offsetY, -30);
    press(10, 100);
    release(10, 60);
    pointer->processEvents();
    pointer->processEvents();
    EXPECT_EQ(Pointer::offsetY, -50);
    pointer->resetY();
    EXPECT_EQ(Pointer::offsetY, 0);
}

} // namespace
