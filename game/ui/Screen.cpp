#include "ui/Screen.h"

#include "ui/ResManager.h"

namespace ui {

VMPtr<Screen> Screen::initItems()
{
    MyObject::init();
    bgColor1 = DEFAULT_BACKGROUND;
    bgColor2 = DEFAULT_BACKGROUND;
    nextItem = 0;
    capacity = 0;
    bgEnabled = false;
    clipSave = IntArray::newArray(5);
    resetOrigin();
    return VMPtr<Screen>(this);
}

void Screen::release() {}
void Screen::auxUpdate() {}
void Screen::update() {}
void Screen::paint(VMPtr<Graphics>) {}
void Screen::clearItems() {}
void Screen::clearItemSequences() {}
VMPtr<Screen::IntArray> Screen::getItemBox(int32_t, int32_t) { return IntArray::newArray(5); }
int32_t Screen::getItemFrame(int32_t) { return -1; }
void Screen::setBackgroundColors(int32_t, int32_t) {}
void Screen::setBackgroundColor(int32_t) {}
void Screen::setNextItem(int32_t) {}
int32_t Screen::getItemPlayerValue(int32_t) { return -1; }
int32_t Screen::getItemY(int32_t) { return 0; }
int32_t Screen::getOriginY() { return 0; }
void Screen::setAnimItem(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t) {}
int32_t Screen::getItemCapacity() { return capacity; }
void Screen::setItemPosition(int32_t, int32_t, int32_t) {}
void Screen::removeItem(int32_t) {}
void Screen::addAnimItem(int32_t, int32_t, int32_t, int32_t, int32_t) {}
void Screen::setItemPlayerFrame(int32_t, int32_t) {}
VMPtr<Screen::IntArray> Screen::getItemBox3(int32_t) { return IntArray::newArray(5); }
int32_t Screen::getOriginX() { return 0; }
int32_t Screen::getItemAnimSetSlot(int32_t) { return -1; }
void Screen::setBackgroundEnabled(bool) {}
int32_t Screen::getNextItem() { return nextItem; }
void Screen::clearRect(int32_t) {}
int32_t Screen::getItemGobSlot(int32_t) { return -1; }
int32_t Screen::getItemBoxCount(int32_t) { return 0; }
void Screen::addItem(int32_t, int32_t, int32_t, int32_t, int32_t) {}
void Screen::setItemFrame(int32_t, int32_t) {}
int32_t Screen::hitItemRect(int32_t, VMPtr<IntArray>) { return -1; }
int32_t Screen::hitItemBox(int32_t, VMPtr<tq::graphics::CollisionBox>) { return -1; }
VMPtr<Screen::IntArray> Screen::getItemBox2(int32_t) { return IntArray::newArray(5); }
void Screen::resetOrigin() {}
void Screen::setItem(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t) {}
bool Screen::itemContains(int32_t, int32_t, VMPtr<IntArray>) { return false; }
bool Screen::itemContainsBox(int32_t, int32_t, VMPtr<tq::graphics::CollisionBox>) { return false; }
int32_t Screen::getItemKind(int32_t) { return -1; }
void Screen::setRect(int32_t, VMPtr<IntArray>, int32_t) {}
void Screen::setOrigin(int32_t, int32_t) {}
void Screen::setItemClip(int32_t, VMPtr<IntArray>) {}
void Screen::setItemSequence1(int32_t, int32_t, int32_t) {}
void Screen::setItemSequence(int32_t, VMPtr<IntArray>, VMPtr<IntArray>) {}
VMPtr<tq::graphics::CollisionBox> Screen::getItemBoxObject(int32_t, int32_t) { return {}; }
int32_t Screen::getItemCollisionRects(int32_t, VMPtr<IntArray>) { return 0; }
int32_t Screen::getItemCollisionBoxes(int32_t, VMPtr<BoxArray>) { return 0; }
VMPtr<Screen::IntArray> Screen::getItemBox4(int32_t) { return IntArray::newArray(5); }
int32_t Screen::getItemX(int32_t) { return 0; }
void Screen::allocItems(int32_t) {}
int32_t Screen::getItemSize2(int32_t) { return 0; }
void Screen::allocRects(int32_t) {}
int32_t Screen::getItemSize1(int32_t) { return 0; }
VMPtr<Screen::IntArray> Screen::getItemRects(int32_t) { return IntArray::newArray(0); }
int32_t Screen::getItemAnimLength(int32_t) { return 0; }
void Screen::setGobItem(int32_t, int32_t) {}
void Screen::addGobItem(int32_t) {}
VMPtr<Screen::IntArray> Screen::getItemBox1(int32_t) { return IntArray::newArray(5); }
int32_t Screen::kindOf(int32_t) { return -1; }
void Screen::relativeBox(int32_t, int32_t, int32_t, VMPtr<IntArray>) {}
VMPtr<Screen::IntArray> Screen::getItemBoxOfKind(int32_t, int32_t) { return IntArray::newArray(5); }

} // namespace ui

VM_REGISTER_CLASS(ui::Screen, "ui.Screen", "ui.MyObject", "..\\src\\ui_Screen", nullptr);
