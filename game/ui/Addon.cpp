#include "ui/Addon.h"

#include <algorithm>

#include "javax/microedition/lcdui/Graphics.h"
#include "main/Main.h"
#include "ui/ResManager.h"

namespace ui {

using javax::microedition::lcdui::Graphics;

namespace {

constexpr int32_t TOP_LEFT = Graphics::TOP | Graphics::LEFT;

VMPtr<VMArray<int32_t, 1>> rectOf(int32_t x, int32_t y, int32_t w, int32_t h)
{
    VMPtr<VMArray<int32_t, 1>> r = VMArray<int32_t, 1>::newArray(5);
    (*r)[0] = x;
    (*r)[1] = y;
    (*r)[2] = w;
    (*r)[3] = h;
    return r;
}

} // namespace

VMPtr<Addon> Addon::init()
{
    MyObject::init();
    areaX = 0;
    areaY = 0;
    areaWidth = SCREEN_WIDTH;
    areaHeight = SCREEN_HEIGHT;
    releasedItem = -1;
    highlightedItem = -1;
    labelCapacity = 0;
    labelCount = 0;
    boxed = false;
    listFlag1 = false;
    listFlag2 = false;
    scrolling = false;
    itemMetric = 0;
    itemSpacing = 0;
    textFont = 0;
    frameGobSetSlot = frameAnimSetSlot = -1;
    arrowGobSetSlot = arrowAnimSetSlot = -1;
    pointer = Pointer::newInstance()->init();
    shown = true;
    return VMPtr<Addon>(this);
}

void Addon::selectFont(int32_t font)
{
    VMPtr<main::Main>(main::Main::instance)->selectFont(font);
}

// ---- Releasing ----

void Addon::dropFrames(bool toCache)
{
    VMPtr<Pointer> p(pointer);
    p->removeUpRegions(getUpArrowRect());
    p->removeDownRegions(getDownArrowRect());
    p->removeLeftRegions(getLeftArrowRect());
    p->removeRightRegions(getRightArrowRect());
    if (frame) {
        frame = nullptr;
        if (toCache)
            ResManager::release(frameGobSetSlot, frameAnimSetSlot);
        frameGobSetSlot = frameAnimSetSlot = -1;
    }
    if (arrowFrame) {
        arrowFrame = nullptr;
        if (toCache)
            ResManager::release(arrowGobSetSlot, arrowAnimSetSlot);
        arrowGobSetSlot = arrowAnimSetSlot = -1;
    }
}

void Addon::release()
{
    dropFrames(true);
}

void Addon::clear()
{
    dropFrames(false);
}

void Addon::clearItems()
{
    clear();
}

// ---- Frame step ----

void Addon::auxUpdate()
{
    updatePointerItems();
}

void Addon::update() {}

void Addon::reserved() {}

void Addon::updatePointerItems()
{
    updateHeldItem();
    updateReleasedItem();
}

void Addon::updateHeldItem()
{
    int32_t held = VMPtr<Pointer>(pointer)->getHeldItem(0);
    highlightedItem = itemIds && held >= 0 && held < itemIds->length ? held : -1;
}

void Addon::updateReleasedItem()
{
    releasedItem = VMPtr<Pointer>(pointer)->getReleasedItem(0);
}

void Addon::followDrag()
{
    if (listFlag1 || listFlag2 || scrolling)
        originY = VMPtr<Pointer>(pointer)->getDragY(0);
}

// ---- Text block ----

void Addon::setText(VMPtr<String> text, int32_t x, int32_t y, int32_t width, int32_t height)
{
    textX = x;
    textY = y;
    textWidth = width;
    textHeight = height;
    setText(text);
}

void Addon::setText(VMPtr<String> text)
{
    originX = textX;
    originY = textY;
    scrollLine = 0;
    selectFont(textFont);
    VMPtr<tq::util::text::WrappedText> block =
        tq::util::text::WrappedText::newInstance()->init(VMPtr<tq::TqCanvas>(canvas));
    block->setText(VMPtr<tq::util::text::RichFont>(main::Main::font), text, textWidth - SCROLL_BAR_WIDTH);
    wrappedText = block;
    lineCount = block->getLineCount();
    int32_t lineHeight = getLineHeight();
    // A font without height fits every line.
    int32_t fitting = lineHeight > 0 ? textHeight / lineHeight : lineCount;
    visibleLines = lineCount < fitting ? lineCount : fitting;
    int32_t lowest = 0;
    if (visibleLines < lineCount)
        lowest = -((lineCount - visibleLines) * (itemGap + lineHeight));
    VMPtr<Pointer> p(pointer);
    p->resetX();
    p->resetY();
    p->setOffsetY(0);
    p->setOffsetBounds(0, originY, 0, lowest);
}

int32_t Addon::getLineHeight()
{
    return wrappedText ? VMPtr<tq::util::text::WrappedText>(wrappedText)->getLineStep() : 0;
}

void Addon::drawText(VMPtr<Graphics> g)
{
    selectFont(textFont);
    if (!wrappedText)
        return;
    int32_t y = scrolling ? textY - getLineHeight() * scrollLine : textY;
    VMPtr<tq::util::text::WrappedText>(wrappedText)->draw(g, textX, y, TOP_LEFT);
}

void Addon::scrollTextDown()
{
    if (auxEnabled && scrollLine + visibleLines + 1 <= lineCount)
        scrollLine += 1;
}

void Addon::scrollTextUp()
{
    if (auxEnabled && scrollLine > 0)
        scrollLine -= 1;
}

void Addon::setTextFont(int32_t font)
{
    textFont = font;
}

void Addon::setScrolling(bool on)
{
    scrolling = on;
}

// ---- Box frames ----

VMPtr<Addon::IntArray> Addon::frameBox(VMPtr<tq::Frame> f, int32_t index)
{
    VMPtr<IntArray> box = IntArray::newArray(5);
    if (f == nullptr)
        return box;
    int32_t count = f->getCollisionBoxCount();
    if (index < 0 || index >= count)
        return box;
    VMPtr<IntArray> all = IntArray::newArray(5 * count);
    f->getCollisionRects(0, all, -1);
    for (int32_t k = 0; k < 5; k++)
        (*box)[k] = (*all)[5 * index + k];
    return box;
}

void Addon::takeFrame(int32_t frameIndex)
{
    VMPtr<tq::AnimSet> set;
    if (frame) {
        set = VMPtr<tq::Frame>(frame)->getAnimSet();
    } else {
        ResManager::load(FRAME_GOB_SET, FRAME_ANIM_SET);
        frameGobSetSlot = ResManager::getLastGobSlot();
        frameAnimSetSlot = ResManager::getLastAnimSetSlot();
        set = ResManager::animSets->get(frameAnimSetSlot);
    }
    frame = set->getFrame(frameIndex);
}

void Addon::setFrame(int32_t frameIndex, int32_t x, int32_t y, int32_t width, int32_t height)
{
    takeFrame(frameIndex);
    VMPtr<tq::Frame> f(frame);
    boxWidth = width;
    boxHeight = height;
    boxX = x + (width - f->getWidth(0)) / 2;
    boxY = y + (height - f->getHeight(0)) / 2;
    boxed = true;
    VMPtr<IntArray> box = frameBox(f, 0);
    textX = boxX + (*box)[0];
    textY = boxY + (*box)[1];
    textWidth = (*box)[2];
    textHeight = (*box)[3];
    setListArea(textX, textY, textWidth, textHeight);
}

void Addon::setDialogFrame(int32_t frameIndex)
{
    takeFrame(frameIndex);
    VMPtr<tq::Frame> f(frame);
    boxWidth = f->getWidth(0);
    boxHeight = f->getHeight(0);
    boxX = SCREEN_WIDTH / 2;
    boxY = SCREEN_HEIGHT / 2;
    boxed = true;
    VMPtr<IntArray> box = frameBox(f, 1);
    textX = boxX + (*box)[0];
    textY = boxY + (*box)[1];
    textWidth = (*box)[2];
    textHeight = (*box)[3];
    setListArea(textX, textY, textWidth, textHeight);
    if (labelCapacity == 1 || labelCapacity == 2) {
        for (int32_t i = 0; i < labelCapacity; i++) {
            VMPtr<IntArray> place = frameBox(f, i);
            VMPtr<IntArray> pos = labelPositions->get(i);
            (*pos)[0] = boxX + (*place)[0];
            (*pos)[1] = boxY + (*place)[1];
            (*labelWidths)[i] = (*place)[2];
            (*labelHeights)[i] = (*place)[3];
        }
    }
}

int32_t Addon::getBoxX()
{
    return boxX;
}

int32_t Addon::getBoxY()
{
    return boxY;
}

int32_t Addon::getBoxWidth()
{
    return boxWidth;
}

int32_t Addon::getBoxHeight()
{
    return boxHeight;
}

bool Addon::isBoxed()
{
    return boxed;
}

void Addon::setBoxed(bool on)
{
    boxed = on;
}

// ---- Painting ----

void Addon::setClip(VMPtr<Graphics> g, int32_t x, int32_t y, int32_t width, int32_t height)
{
    g->setClip(x, y, width, height);
}

void Addon::resetClip(VMPtr<Graphics> g)
{
    VMPtr<tq::TqCanvas>(canvas)->clipToViewport(g);
}

void Addon::paint(VMPtr<Graphics> g)
{
    g->setColor(TEXT_COLOR);
    if (boxed) {
        if (frame) {
            VMPtr<tq::Frame>(frame)->paint(g, boxX, boxY, 0);
        } else {
            g->fillRect(boxX, boxY, boxWidth, boxHeight);
            g->setColor(OUTLINE_COLOR);
            g->drawRect(boxX, boxY, boxWidth, boxHeight);
        }
    }
    if (boxed || wrappedText) {
        setClip(g, textX, textY, textWidth, textHeight);
        g->setColor(TEXT_COLOR);
        drawText(g);
        resetClip(g);
        if (scrolling && visibleLines < lineCount) {
            int32_t unit = textHeight / lineCount;
            int32_t barX = textX + textWidth - SCROLL_BAR_WIDTH;
            g->setColor(TEXT_COLOR);
            g->drawRect(barX, textY, SCROLL_BAR_WIDTH, lineCount * unit);
            g->fillRect(barX, textY + unit * scrollLine, SCROLL_BAR_WIDTH, unit * visibleLines);
        }
    }
    for (int32_t i = 0; i < labelCount; i++) {
        VMPtr<String> text = labelTexts->get(i);
        if (text == nullptr)
            continue;
        selectFont((*labelFonts)[i]);
        g->setColor(TEXT_COLOR);
        VMPtr<tq::util::text::RichFont> font = VMPtr<tq::util::text::RichFont>(main::Main::font);
        VMPtr<IntArray> pos = labelPositions->get(i);
        int32_t x = (*pos)[0];
        int32_t y = (*pos)[1];
        if ((*labelWidths)[i] >= 1)
            x += ((*labelWidths)[i] - font->stringWidth(text)) / 2;
        if ((*labelHeights)[i] >= 1)
            y += ((*labelHeights)[i] - font->getHeight()) / 2;
        font->drawString(g, text, x, y, TOP_LEFT);
    }
}

// ---- Labels ----

void Addon::setLabelCapacity(int32_t n)
{
    labelCapacity = n;
    labelCount = 0;
    labelTexts = StringArray::newArray(n);
    labelPositions = IntTable::newArray({n, 2});
    labelWidths = IntArray::newArray(n);
    labelHeights = IntArray::newArray(n);
    labelFonts = IntArray::newArray(n);
}

int32_t Addon::nextLabel()
{
    if (labelCount >= labelCapacity)
        return -1;
    return labelCount++;
}

void Addon::setLabel(int32_t i, VMPtr<String> text, int32_t x, int32_t y, int32_t width,
                     int32_t height)
{
    if (i < 0 || i >= labelCapacity)
        return;
    labelTexts->set(i, text);
    VMPtr<IntArray> pos = labelPositions->get(i);
    (*pos)[0] = x;
    (*pos)[1] = y;
    (*labelWidths)[i] = width;
    (*labelHeights)[i] = height;
}

void Addon::setLabel(int32_t i, VMPtr<String> text, int32_t x, int32_t y)
{
    if (i < 0 || i >= labelCapacity)
        return;
    setLabel(i, text, x, y, 0, (*labelHeights)[i]);
}

void Addon::setLabel(int32_t i, VMPtr<String> text, int32_t x, int32_t y, int32_t width)
{
    if (i < 0 || i >= labelCapacity)
        return;
    setLabel(i, text, x, y, width, (*labelHeights)[i]);
}

void Addon::setLabelText(int32_t i, VMPtr<String> text)
{
    if (i >= 0 && i < labelCapacity)
        labelTexts->set(i, text);
}

void Addon::setLabelFont(int32_t i, int32_t font)
{
    if (i >= 0 && i < labelCapacity)
        (*labelFonts)[i] = font;
}

void Addon::setLabelCount(int32_t n)
{
    if (n >= 0 && n <= labelCapacity)
        labelCount = n;
}

void Addon::addLabel(VMPtr<String> text, int32_t x, int32_t y, int32_t width, int32_t height)
{
    int32_t i = nextLabel();
    if (i >= 0)
        setLabel(i, text, x, y, width, height);
}

void Addon::addLabel(VMPtr<String> text, int32_t x, int32_t y)
{
    addLabel(text, x, y, 0, 0);
}

void Addon::addLabel(VMPtr<String> text, int32_t x, int32_t y, int32_t width)
{
    addLabel(text, x, y, width, 0);
}

void Addon::addLabel(int32_t textId, int32_t x, int32_t y)
{
    addLabel(textId, x, y, 0, 0);
}

void Addon::addLabel(int32_t textId, int32_t x, int32_t y, int32_t width)
{
    addLabel(textId, x, y, width, 0);
}

void Addon::addLabel(int32_t textId, int32_t x, int32_t y, int32_t width, int32_t height)
{
    if (labelCount >= labelCapacity)
        return;
    addLabel(VMPtr<tq::util::text::Translation>(main::Main::texts)->getString(textId), x, y, width, height);
}

// ---- Item list ----

void Addon::setItemCount(int32_t n)
{
    itemIds = IntArray::newArray(n);
    itemCount = n;
}

void Addon::setItemIds(VMPtr<IntArray> ids)
{
    itemIds = ids;
}

void Addon::setItemMetrics(int32_t metric, int32_t spacing)
{
    itemMetric = metric;
    itemSpacing = spacing;
}

void Addon::setHighlighted(int32_t i)
{
    if (itemIds && i >= 0 && i < itemIds->length)
        highlightedItem = i;
}

int32_t Addon::getHighlightedId()
{
    if (!auxEnabled || !itemIds || highlightedItem < 0 || highlightedItem >= itemIds->length)
        return -1;
    return (*itemIds)[highlightedItem];
}

int32_t Addon::getReleasedIndex()
{
    if (!itemIds || releasedItem < 0)
        return -1;
    int32_t index = releasedItem + firstVisibleItem;
    if (index >= itemIds->length || (*itemIds)[index] == 0)
        return -1;
    return index;
}

int32_t Addon::getReleasedId()
{
    int32_t index = getReleasedIndex();
    return index < 0 ? -1 : (*itemIds)[index];
}

int32_t Addon::getFirstVisibleItem()
{
    return firstVisibleItem;
}

void Addon::selectPrevious()
{
    if (auxEnabled && firstVisibleItem > 0)
        firstVisibleItem -= 1;
}

void Addon::selectNext()
{
    if (auxEnabled && firstVisibleItem + visibleItems < itemCount)
        firstVisibleItem += 1;
}

void Addon::moveUp()
{
    if (!auxEnabled)
        return;
    marqueeOffset = 0;
    if (listFlag1 || listFlag2)
        selectPrevious();
    else if (boxed || wrappedText)
        scrollTextUp();
}

void Addon::moveDown()
{
    if (!auxEnabled)
        return;
    marqueeOffset = 0;
    if (listFlag1 || listFlag2)
        selectNext();
    else if (boxed || wrappedText)
        scrollTextDown();
}

void Addon::stepMarquee()
{
    if (!scrolling)
        return;
    if (!itemIds || highlightedItem < 0 || highlightedItem >= itemIds->length) {
        marqueeOffset = 0;
        return;
    }
    int32_t w = VMPtr<tq::util::text::RichFont>(main::Main::font)->stringWidth(VMPtr<tq::util::text::Translation>(main::Main::texts)->getString((*itemIds)[highlightedItem]));
    if (w <= SCREEN_WIDTH) {
        marqueeOffset = 0;
        return;
    }
    marqueeOffset -= MARQUEE_STEP;
    if (marqueeOffset <= -(w + areaX))
        marqueeOffset = SCREEN_WIDTH;
}

void Addon::setListFlag1(bool on)
{
    listFlag1 = on;
}

void Addon::setListFlag2(bool on)
{
    listFlag2 = on;
}

bool Addon::isListFlag1()
{
    return listFlag1;
}

bool Addon::isListFlag2()
{
    return listFlag2;
}

void Addon::setShown(bool on)
{
    shown = on;
}

bool Addon::isShown()
{
    return shown;
}

// ---- Rectangles ----

void Addon::setListArea(int32_t x, int32_t y, int32_t width, int32_t height)
{
    areaX = x;
    areaY = y;
    areaWidth = width;
    areaHeight = height;
}

void Addon::clipToText()
{
    setListArea(textX, textY, textWidth, textHeight);
}

VMPtr<Addon::IntArray> Addon::arrowRect(int32_t index, int32_t dy, bool above)
{
    if (!arrowFrame)
        return IntArray::newArray(5);
    VMPtr<IntArray> box = frameBox(VMPtr<tq::Frame>(arrowFrame), index);
    int32_t y = (*box)[1] + areaY + dy - (above ? (*box)[3] : 0);
    return rectOf((*box)[0] + areaX + arrowOffsetX, y, (*box)[2], (*box)[3]);
}

VMPtr<Addon::IntArray> Addon::getUpArrowRect()
{
    return arrowRect(5, 0, true);
}

VMPtr<Addon::IntArray> Addon::getDownArrowRect()
{
    return arrowRect(5, areaHeight, false);
}

VMPtr<Addon::IntArray> Addon::getLeftArrowRect()
{
    return arrowRect(3, 0, false);
}

VMPtr<Addon::IntArray> Addon::getRightArrowRect()
{
    return arrowRect(4, 0, false);
}

VMPtr<Addon::IntTable> Addon::getItemRects()
{
    int32_t n = std::max(0, std::min(itemCount, visibleItems));
    if (!arrowFrame)
        return IntTable::newArray(0);
    VMPtr<IntArray> box = frameBox(VMPtr<tq::Frame>(arrowFrame), 5);
    VMPtr<IntTable> rows = IntTable::newArray(n);
    for (int32_t i = 0; i < n; i++) {
        VMPtr<IntArray> row = rectOf((*box)[0] + areaX + arrowOffsetX,
                                     (*box)[1] + areaY + itemGap + (itemGap + itemSpacing) * i,
                                     (*box)[2], (*box)[3]);
        (*row)[4] = (*box)[4];
        rows->set(i, row);
    }
    return rows;
}

VMPtr<Addon::IntArray> Addon::getTextRect()
{
    return rectOf(textX, textY, textWidth, textHeight);
}

VMPtr<Addon::IntArray> Addon::getUpperHalfRect()
{
    return rectOf(textX, textY, textWidth, textHeight / 2);
}

VMPtr<Addon::IntArray> Addon::getLowerHalfRect()
{
    return rectOf(textX, textY + textHeight / 2, textWidth, textHeight / 2);
}

void Addon::setArrowGob(VMPtr<tq::Gob> gob, int32_t i)
{
    ResManager::gobSets->get(arrowGobSetSlot)->set(i, gob);
}

int32_t Addon::getOriginX()
{
    return originX;
}

int32_t Addon::getOriginY()
{
    return originY;
}

} // namespace ui

VM_REGISTER_CLASS(ui::Addon, "ui.Addon", "ui.MyObject", "..\\src\\ui_Addon", nullptr);
