#pragma once
// ui.Addon: the game's text panel. One object in a scene's draw list shows a
// box (a frame picture of the menu set, or a plain filled and outlined
// rectangle), a block of word-wrapped text that scrolls line by line with a
// scroll bar, a fixed number of single-line labels placed at points or
// centred in rectangles, and a list of selectable items picked by touch or
// moved by the up and down actions. Texts come from the hub's table and are
// drawn in the hub's shared font. Scrolling, selecting and the touch step
// act only while auxEnabled is set.
//
// The box frame is held through the resource cache; arrowFrame and its
// slots are the owner's, read and cleared here. Label operations ignore a
// full table and an index beyond the label slots.

#include <cstdint>

#include "java/lang/String.h"
#include "tq/Frame.h"
#include "tq/Gob.h"
#include "tq/util/text/WrappedText.h"
#include "ui/MyObject.h"
#include "ui/Pointer.h"
#include "vm/VMArray.h"

namespace ui {

class Addon : public MyObject {
    VM_CLASS(Addon, MyObject)

    using IntArray = VMArray<int32_t, 1>;
    using IntTable = VMArray<int32_t, 2>;
    using StringArray = VMArray<java::lang::String, 1>;
    using String = java::lang::String;

    static constexpr int32_t TEXT_COLOR = 0x82451A;
    static constexpr int32_t OUTLINE_COLOR = 0xE3CA83;
    static constexpr int32_t SCROLL_BAR_WIDTH = 5;
    // The box pictures: a Gob set and its AnimSet in part 1.
    static constexpr int32_t FRAME_GOB_SET = (1 << 10) | 35;
    static constexpr int32_t FRAME_ANIM_SET = (1 << 10) | 15;
    static constexpr int32_t SCREEN_WIDTH = 240;
    static constexpr int32_t SCREEN_HEIGHT = 320;
    static constexpr int32_t MARQUEE_STEP = 2;

    VMPtr<Addon> init();

    // Removes the arrow key regions and hands the frames back to the cache.
    void release() override;
    void auxUpdate() override;
    void update() override;
    void paint(VMPtr<Graphics> g) override;
    void clearItems() override;

    // As release, without telling the cache.
    virtual void clear();
    virtual void setLabelCapacity(int32_t n);
    virtual void drawText(VMPtr<Graphics> g);
    virtual void scrollTextDown();
    virtual int32_t getBoxWidth();
    virtual void setText(VMPtr<String> text, int32_t x, int32_t y, int32_t width, int32_t height);
    virtual void setText(VMPtr<String> text);
    // Box frame centred in the rectangle; its collision box 0 is the text
    // area.
    virtual void setFrame(int32_t frameIndex, int32_t x, int32_t y, int32_t width, int32_t height);
    // Box frame centred on the screen; collision box 1 is the text area and
    // boxes 0 and 1 place the labels.
    virtual void setDialogFrame(int32_t frameIndex);
    virtual void selectPrevious();
    virtual void addLabel(VMPtr<String> text, int32_t x, int32_t y);
    virtual void addLabel(int32_t textId, int32_t x, int32_t y);
    virtual void addLabel(VMPtr<String> text, int32_t x, int32_t y, int32_t width);
    virtual void addLabel(int32_t textId, int32_t x, int32_t y, int32_t width);
    virtual void addLabel(VMPtr<String> text, int32_t x, int32_t y, int32_t width, int32_t height);
    virtual void addLabel(int32_t textId, int32_t x, int32_t y, int32_t width, int32_t height);
    virtual void setLabel(int32_t i, VMPtr<String> text, int32_t x, int32_t y, int32_t width,
                          int32_t height);
    virtual void setLabel(int32_t i, VMPtr<String> text, int32_t x, int32_t y);
    virtual void setLabel(int32_t i, VMPtr<String> text, int32_t x, int32_t y, int32_t width);
    virtual void setLabelText(int32_t i, VMPtr<String> text);
    virtual void setListFlag2(bool on);
    virtual void moveDown();
    virtual int32_t getHighlightedId();
    virtual void reserved();
    virtual void stepMarquee();
    virtual VMPtr<IntArray> getUpArrowRect();
    virtual int32_t getReleasedId();
    virtual void scrollTextUp();
    virtual void setLabelFont(int32_t i, int32_t font);
    virtual void resetClip(VMPtr<Graphics> g);
    virtual VMPtr<IntArray> getLeftArrowRect();
    virtual void setClip(VMPtr<Graphics> g, int32_t x, int32_t y, int32_t width, int32_t height);
    virtual VMPtr<IntArray> getLowerHalfRect();
    // Rows of collision box 5 of arrowFrame, one per shown item.
    virtual VMPtr<IntTable> getItemRects();
    virtual VMPtr<IntArray> getRightArrowRect();
    virtual void selectNext();
    virtual int32_t getFirstVisibleItem();
    virtual void updatePointerItems();
    virtual void setItemCount(int32_t n);
    virtual int32_t getBoxX();
    virtual int32_t getOriginX();
    virtual void setListFlag1(bool on);
    virtual int32_t getReleasedIndex();
    virtual int32_t getLineHeight();
    virtual void setItemMetrics(int32_t metric, int32_t spacing);
    virtual int32_t getBoxHeight();
    virtual void clipToText();
    virtual VMPtr<IntArray> getDownArrowRect();
    virtual void setArrowGob(VMPtr<tq::Gob> gob, int32_t i);
    virtual void setItemIds(VMPtr<IntArray> ids);
    virtual VMPtr<IntArray> getTextRect();
    virtual void setListArea(int32_t x, int32_t y, int32_t width, int32_t height);
    virtual VMPtr<IntArray> getUpperHalfRect();
    virtual void setLabelCount(int32_t n);
    virtual void setShown(bool on);
    virtual int32_t getOriginY();
    virtual void setHighlighted(int32_t i);
    virtual int32_t getBoxY();
    virtual bool isShown();
    virtual void followDrag();
    virtual bool isBoxed();
    virtual void setScrolling(bool on);
    virtual void updateReleasedItem();
    virtual bool isListFlag2();
    virtual void updateHeldItem();
    virtual void setTextFont(int32_t font);
    virtual void moveUp();
    virtual bool isListFlag1();
    virtual void setBoxed(bool on);

    int32_t textWidth = 0;
    int32_t textHeight = 0;
    int32_t textX = 0;
    int32_t textY = 0;
    int32_t originX = 0;
    int32_t originY = 0;
    int32_t itemCount = 0;
    int32_t visibleItems = 0;
    int32_t firstVisibleItem = 0;
    int32_t itemSpacing = 0;
    int32_t itemGap = 0;
    int32_t itemMetric = 0;
    VMField<IntArray> itemIds;
    int32_t highlightedItem = 0;
    int32_t releasedItem = 0;
    int32_t areaX = 0;
    int32_t areaY = 0;
    int32_t areaWidth = 0;
    int32_t areaHeight = 0;
    int32_t arrowOffsetX = 0;
    VMField<tq::Frame> arrowFrame;
    int32_t arrowGobSetSlot = 0;
    int32_t arrowAnimSetSlot = 0;
    VMField<tq::Frame> frame;
    int32_t frameGobSetSlot = 0;
    int32_t frameAnimSetSlot = 0;
    int32_t boxX = 0;
    int32_t boxY = 0;
    int32_t boxWidth = 0;
    int32_t boxHeight = 0;
    bool boxed = false;
    VMField<tq::util::text::WrappedText> wrappedText;
    int32_t textFont = 0;
    int32_t lineCount = 0;
    int32_t visibleLines = 0;
    int32_t scrollLine = 0;
    bool scrolling = false;
    bool listFlag1 = false;
    bool listFlag2 = false;
    int32_t marqueeOffset = 0;
    bool shown = false;
    int32_t labelCapacity = 0;
    int32_t labelCount = 0;
    VMField<StringArray> labelTexts;
    VMField<IntTable> labelPositions;
    VMField<IntArray> labelWidths;
    VMField<IntArray> labelHeights;
    VMField<IntArray> labelFonts;
    VMField<Pointer> pointer;

private:
    // Box `index` of f as {x, y, width, height, value}, all 0 without it.
    static VMPtr<IntArray> frameBox(VMPtr<tq::Frame> f, int32_t index);
    // The arrow rectangle from box `index` of arrowFrame.
    VMPtr<IntArray> arrowRect(int32_t index, int32_t dy, bool above);
    // Loads the box pictures once and takes frame frameIndex.
    void takeFrame(int32_t frameIndex);
    // The next free label place, or -1 when the table is full.
    int32_t nextLabel();
    void dropFrames(bool toCache);
    void selectFont(int32_t font);

public:
    VM_FIELDS(itemIds, arrowFrame, frame, wrappedText, labelTexts, labelPositions, labelWidths,
              labelHeights, labelFonts, pointer)
};

} // namespace ui
