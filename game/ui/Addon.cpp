#include "ui/Addon.h"

#include "ui/HubLink.h"
#include "ui/ResManager.h"

namespace ui {

VMPtr<Addon> Addon::init()
{
    MyObject::init();
    return VMPtr<Addon>(this);
}
void Addon::release() {}
void Addon::auxUpdate() {}
void Addon::update() {}
void Addon::paint(VMPtr<Graphics>) {}
void Addon::clearItems() {}
void Addon::clear() {}
void Addon::setLabelCapacity(int32_t) {}
void Addon::drawText(VMPtr<Graphics>) {}
void Addon::scrollTextDown() {}
int32_t Addon::getBoxWidth() { return 0; }
void Addon::setText(VMPtr<String>, int32_t, int32_t, int32_t, int32_t) {}
void Addon::setText(VMPtr<String>) {}
void Addon::setFrame(int32_t, int32_t, int32_t, int32_t, int32_t) {}
void Addon::setDialogFrame(int32_t) {}
void Addon::selectPrevious() {}
void Addon::addLabel(VMPtr<String>, int32_t, int32_t) {}
void Addon::addLabel(int32_t, int32_t, int32_t) {}
void Addon::addLabel(VMPtr<String>, int32_t, int32_t, int32_t) {}
void Addon::addLabel(int32_t, int32_t, int32_t, int32_t) {}
void Addon::addLabel(VMPtr<String>, int32_t, int32_t, int32_t, int32_t) {}
void Addon::addLabel(int32_t, int32_t, int32_t, int32_t, int32_t) {}
void Addon::setLabel(int32_t, VMPtr<String>, int32_t, int32_t, int32_t, int32_t) {}
void Addon::setLabel(int32_t, VMPtr<String>, int32_t, int32_t) {}
void Addon::setLabel(int32_t, VMPtr<String>, int32_t, int32_t, int32_t) {}
void Addon::setLabelText(int32_t, VMPtr<String>) {}
void Addon::setListFlag2(bool) {}
void Addon::moveDown() {}
int32_t Addon::getHighlightedId() { return 0; }
void Addon::reserved() {}
void Addon::stepMarquee() {}
VMPtr<Addon::IntArray> Addon::getUpArrowRect() { return {}; }
int32_t Addon::getReleasedId() { return 0; }
void Addon::scrollTextUp() {}
void Addon::setLabelFont(int32_t, int32_t) {}
void Addon::resetClip(VMPtr<Graphics>) {}
VMPtr<Addon::IntArray> Addon::getLeftArrowRect() { return {}; }
void Addon::setClip(VMPtr<Graphics>, int32_t, int32_t, int32_t, int32_t) {}
VMPtr<Addon::IntArray> Addon::getLowerHalfRect() { return {}; }
VMPtr<Addon::IntTable> Addon::getItemRects() { return {}; }
VMPtr<Addon::IntArray> Addon::getRightArrowRect() { return {}; }
void Addon::selectNext() {}
int32_t Addon::getFirstVisibleItem() { return 0; }
void Addon::updatePointerItems() {}
void Addon::setItemCount(int32_t) {}
int32_t Addon::getBoxX() { return 0; }
int32_t Addon::getOriginX() { return 0; }
void Addon::setListFlag1(bool) {}
int32_t Addon::getReleasedIndex() { return 0; }
int32_t Addon::getLineHeight() { return 0; }
void Addon::setItemMetrics(int32_t, int32_t) {}
int32_t Addon::getBoxHeight() { return 0; }
void Addon::clipToText() {}
VMPtr<Addon::IntArray> Addon::getDownArrowRect() { return {}; }
void Addon::setArrowGob(VMPtr<tq::Gob>, int32_t) {}
void Addon::setItemIds(VMPtr<IntArray>) {}
VMPtr<Addon::IntArray> Addon::getTextRect() { return {}; }
void Addon::setListArea(int32_t, int32_t, int32_t, int32_t) {}
VMPtr<Addon::IntArray> Addon::getUpperHalfRect() { return {}; }
void Addon::setLabelCount(int32_t) {}
void Addon::setShown(bool) {}
int32_t Addon::getOriginY() { return 0; }
void Addon::setHighlighted(int32_t) {}
int32_t Addon::getBoxY() { return 0; }
bool Addon::isShown() { return false; }
void Addon::followDrag() {}
bool Addon::isBoxed() { return false; }
void Addon::setScrolling(bool) {}
void Addon::updateReleasedItem() {}
bool Addon::isListFlag2() { return false; }
void Addon::updateHeldItem() {}
void Addon::setTextFont(int32_t) {}
void Addon::moveUp() {}
bool Addon::isListFlag1() { return false; }
void Addon::setBoxed(bool) {}

} // namespace ui

VM_REGISTER_CLASS(ui::Addon, "ui.Addon", "ui.MyObject", "..\\src\\ui_Addon", nullptr);
