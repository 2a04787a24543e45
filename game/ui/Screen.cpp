#include "ui/Screen.h"

#include "java/lang/IllegalArgumentException.h"
#include "java/lang/System.h"
#include "tq/Frame.h"
#include "tq/Gob.h"
#include "ui/ResManager.h"

namespace ui {

using tq::AnimPlayer;
using tq::Gob;
using tq::Paintable;
using tq::graphics::CollisionBox;

namespace {

void fill(const VMPtr<VMArray<int32_t, 1>>& row, int32_t value)
{
    for (int32_t i = 0; i < row->length; i++)
        (*row)[i] = value;
}

VMPtr<VMArray<int32_t, 1>> copyOf(const VMPtr<VMArray<int32_t, 1>>& from, int32_t length)
{
    VMPtr<VMArray<int32_t, 1>> copy = VMArray<int32_t, 1>::newArray(length);
    java::lang::System::arraycopy(from, 0, copy, 0, length);
    return copy;
}

} // namespace

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

void Screen::allocItems(int32_t n)
{
    capacity = n;
    paintables = PaintableArray::newArray(n);
    VMPtr<IntArray> slots = IntArray::newArray(n);
    fill(slots, -1);
    gobSlot = slots;
    slots = IntArray::newArray(n);
    fill(slots, -1);
    animSetSlot = slots;
    players = PlayerArray::newArray(n);
    itemPos = IntTable::newArray({n, 2});
    frame = IntArray::newArray(n);
    itemClip = IntTable::newArray({n, 5});
    seqFrames = IntTable::newArray(n);
    seqDurations = IntTable::newArray(n);
    VMPtr<IntArray> index = IntArray::newArray(n);
    fill(index, -1);
    seqIndex = index;
}

void Screen::clipItemsToScreen()
{
    VMPtr<IntArray> screen = IntArray::newArray(4);
    (*screen)[2] = SCREEN_WIDTH;
    (*screen)[3] = SCREEN_HEIGHT;
    for (int32_t i = 0; i < capacity; i++)
        setItemClip(i, screen);
}

void Screen::allocRects(int32_t m)
{
    rects = IntTable::newArray(m);
    rectColors = IntArray::newArray(m);
}

// ---- Items ----

int32_t Screen::kindOf(int32_t i)
{
    if (!paintables || i < 0 || i >= paintables->length)
        return -1;
    VMPtr<Paintable> p = paintables->get(i);
    if (p == nullptr)
        return -1;
    switch (p->getType()) {
    case 0:
        return GOB_ITEM;
    case 1:
        return FRAME_ITEM;
    case 2:
        return ANIM_ITEM;
    default:
        return -1;
    }
}

int32_t Screen::getItemKind(int32_t i)
{
    return kindOf(i);
}

void Screen::removeItem(int32_t i)
{
    if (paintables->get(i) == nullptr)
        return;
    ResManager::release((*gobSlot)[i], (*animSetSlot)[i]);
    players->set(i, nullptr);
    (*gobSlot)[i] = -1;
    (*animSetSlot)[i] = -1;
    paintables->set(i, nullptr);
}

void Screen::setGobItem(int32_t i, int32_t gobSetId)
{
    removeItem(i);
    ResManager::load(gobSetId, -1);
    int32_t slot = ResManager::getLastGobSlot();
    (*gobSlot)[i] = slot;
    (*animSetSlot)[i] = -1;
    paintables->set(i, ResManager::gobSets->get(slot)->get(0));
    VMPtr<IntArray> pos = itemPos->get(i);
    (*pos)[0] = 0;
    (*pos)[1] = 0;
    (*frame)[i] = 0;
}

VMPtr<tq::AnimSet> Screen::loadSets(int32_t i, int32_t gobSetId, int32_t animSetId)
{
    removeItem(i);
    ResManager::load(gobSetId, animSetId);
    (*gobSlot)[i] = ResManager::getLastGobSlot();
    (*animSetSlot)[i] = ResManager::getLastAnimSetSlot();
    VMPtr<tq::AnimSet> set = (*animSetSlot)[i] < 0 ? VMPtr<tq::AnimSet>()
                                                   : ResManager::animSets->get((*animSetSlot)[i]);
    if (set == nullptr) {
        // Nothing to show: hand the uses back and leave the place empty.
        ResManager::release((*gobSlot)[i], (*animSetSlot)[i]);
        (*gobSlot)[i] = (*animSetSlot)[i] = -1;
        vm_throwNew<java::lang::IllegalArgumentException>(
            java::lang::String::valueOf(animSetId));
    }
    return set;
}

void Screen::setItem(int32_t i, int32_t gobSetId, int32_t animSetId, int32_t f, int32_t x,
                     int32_t y)
{
    VMPtr<tq::AnimSet> set = loadSets(i, gobSetId, animSetId);
    paintables->set(i, set->getFrame(f));
    VMPtr<IntArray> pos = itemPos->get(i);
    (*pos)[0] = x;
    (*pos)[1] = y;
    (*frame)[i] = f;
}

void Screen::setAnimItem(int32_t i, int32_t gobSetId, int32_t animSetId, int32_t animation,
                         int32_t x, int32_t y)
{
    VMPtr<tq::AnimSet> set = loadSets(i, gobSetId, animSetId);
    VMPtr<AnimPlayer> player = AnimPlayer::create()->init();
    player->setAnimSet(set);
    player->setAnimation(animation);
    player->setPosX(x);
    player->setPosY(y);
    players->set(i, player);
    paintables->set(i, player);
    VMPtr<IntArray> pos = itemPos->get(i);
    (*pos)[0] = 0;
    (*pos)[1] = 0;
    (*frame)[i] = animation;
}

void Screen::addItem(int32_t gobSetId, int32_t animSetId, int32_t f, int32_t x, int32_t y)
{
    setItem(nextItem, gobSetId, animSetId, f, x, y);
    nextItem += 1;
}

void Screen::addAnimItem(int32_t gobSetId, int32_t animSetId, int32_t animation, int32_t x,
                         int32_t y)
{
    setAnimItem(nextItem, gobSetId, animSetId, animation, x, y);
    nextItem += 1;
}

void Screen::addGobItem(int32_t gobSetId)
{
    setGobItem(nextItem, gobSetId);
    nextItem += 1;
}

void Screen::setItemFrame(int32_t i, int32_t f)
{
    if (!paintables || i < 0 || i >= paintables->length)
        return;
    VMPtr<Paintable> p = paintables->get(i);
    if (p == nullptr || (*frame)[i] == f)
        return;
    switch (p->getType()) {
    case 0:
        paintables->set(i, ResManager::gobSets->get((*gobSlot)[i])->get(f));
        break;
    case 1:
        paintables->set(i, vm_cast<tq::Frame>(p)->getAnimSet()->getFrame(f));
        break;
    case 2:
        players->get(i)->setAnimation(f);
        break;
    default:
        return;
    }
    (*frame)[i] = f;
}

void Screen::setItemPlayerFrame(int32_t i, int32_t f)
{
    if (kindOf(i) == ANIM_ITEM)
        players->get(i)->setStep(f);
}

void Screen::setNextItem(int32_t k)
{
    if (k >= 0 && k <= capacity)
        nextItem = k;
}

int32_t Screen::getNextItem()
{
    return nextItem;
}

int32_t Screen::getItemCapacity()
{
    return capacity;
}

void Screen::release()
{
    if (!paintables)
        return;
    for (int32_t k = 0; k < paintables->length; k++)
        ResManager::release((*gobSlot)[k], (*animSetSlot)[k]);
    clearItems();
}

void Screen::clearItems()
{
    if (!paintables)
        return;
    for (int32_t k = 0; k < paintables->length; k++) {
        paintables->set(k, nullptr);
        players->set(k, nullptr);
    }
    if (animSetSlot) {
        fill(VMPtr<IntArray>(gobSlot), -1);
        fill(VMPtr<IntArray>(animSetSlot), -1);
    }
}

// ---- Item queries ----

int32_t Screen::getItemFrame(int32_t i)
{
    return kindOf(i) < 0 ? -1 : (*frame)[i];
}

int32_t Screen::getItemX(int32_t i)
{
    int32_t kind = kindOf(i);
    if (kind < 0)
        return 0;
    return kind == ANIM_ITEM ? players->get(i)->getPosX() : (*itemPos->get(i))[0];
}

int32_t Screen::getItemY(int32_t i)
{
    int32_t kind = kindOf(i);
    if (kind < 0)
        return 0;
    return kind == ANIM_ITEM ? players->get(i)->getPosY() : (*itemPos->get(i))[1];
}

void Screen::setItemPosition(int32_t i, int32_t x, int32_t y)
{
    int32_t kind = kindOf(i);
    if (kind == ANIM_ITEM) {
        VMPtr<AnimPlayer> player = players->get(i);
        player->setPosX(x);
        player->setPosY(y);
    } else if (kind >= 0) {
        VMPtr<IntArray> pos = itemPos->get(i);
        (*pos)[0] = x;
        (*pos)[1] = y;
    }
}

int32_t Screen::getItemPlayerValue(int32_t i)
{
    return kindOf(i) == ANIM_ITEM ? players->get(i)->getUserShort() : -1;
}

int32_t Screen::getItemAnimLength(int32_t i)
{
    return kindOf(i) == ANIM_ITEM ? players->get(i)->getAnimationDuration() : 0;
}

int32_t Screen::getItemGobSlot(int32_t i)
{
    return gobSlot && i >= 0 && i < gobSlot->length ? (*gobSlot)[i] : -1;
}

int32_t Screen::getItemAnimSetSlot(int32_t i)
{
    return animSetSlot && i >= 0 && i < animSetSlot->length ? (*animSetSlot)[i] : -1;
}

int32_t Screen::getItemSize1(int32_t i)
{
    return kindOf(i) < 0 ? 0 : paintables->get(i)->getHeight(0);
}

int32_t Screen::getItemSize2(int32_t i)
{
    return kindOf(i) < 0 ? 0 : paintables->get(i)->getWidth(0);
}

// ---- Boxes and collisions ----

VMPtr<Gob> Screen::firstGob(int32_t i)
{
    return ResManager::gobSets->get((*gobSlot)[i])->get(0);
}

int32_t Screen::getItemBoxCount(int32_t i)
{
    switch (kindOf(i)) {
    case GOB_ITEM:
        return firstGob(i)->getCollisionBoxCount();
    case FRAME_ITEM:
    case ANIM_ITEM:
        return paintables->get(i)->getCollisionBoxCount();
    default:
        return 0;
    }
}

void Screen::relativeBox(int32_t i, int32_t kind, int32_t k, VMPtr<IntArray> out)
{
    if (kind == FRAME_ITEM)
        paintables->get(i)->getCollisionRects(0, out, k);
    else if (kind == ANIM_ITEM)
        players->get(i)->getCollisionRects(out, k);
}

void Screen::fillItemBoxOfKind(int32_t i, int32_t k, VMPtr<IntArray> out)
{
    for (int32_t n = 0; n < 5; n++)
        (*out)[n] = 0;
    int32_t kind = kindOf(i);
    if (kind == FRAME_ITEM || kind == ANIM_ITEM) {
        relativeBox(i, kind, k, out);
        VMPtr<IntArray> pos = itemPos->get(i);
        (*out)[0] += (*pos)[0];
        (*out)[1] += (*pos)[1];
    }
}

VMPtr<Screen::IntArray> Screen::getItemBoxOfKind(int32_t i, int32_t k)
{
    VMPtr<IntArray> box = IntArray::newArray(5);
    fillItemBoxOfKind(i, k, box);
    return box;
}

VMPtr<Screen::IntArray> Screen::getItemBox1(int32_t i)
{
    return getItemBoxOfKind(i, 1);
}

VMPtr<Screen::IntArray> Screen::getItemBox2(int32_t i)
{
    return getItemBoxOfKind(i, 2);
}

VMPtr<Screen::IntArray> Screen::getItemBox3(int32_t i)
{
    return getItemBoxOfKind(i, 3);
}

VMPtr<Screen::IntArray> Screen::getItemBox4(int32_t i)
{
    return getItemBoxOfKind(i, 4);
}

VMPtr<Screen::IntArray> Screen::getItemBox(int32_t i, int32_t k)
{
    VMPtr<IntArray> box = IntArray::newArray(5);
    getItemBoxInto(i, k, box);
    return box;
}

void Screen::getItemBoxInto(int32_t i, int32_t k, VMPtr<IntArray> out)
{
    int32_t kind = kindOf(i);
    if (kind != GOB_ITEM) {
        fillItemBoxOfKind(i, k, out);
        if (kind == ANIM_ITEM) {
            VMPtr<AnimPlayer> player = players->get(i);
            (*out)[0] += player->getPosX();
            (*out)[1] += player->getPosY();
        }
        return;
    }
    VMPtr<Gob> gob = firstGob(i);
    VMPtr<IntArray> pos = itemPos->get(i);
    (*out)[0] = gob->xOffset + gob->collisionX + (*pos)[0];
    (*out)[1] = gob->yOffset + gob->collisionY + (*pos)[1];
    (*out)[2] = gob->collisionWidth;
    (*out)[3] = gob->collisionHeight;
    (*out)[4] = 0;
}

VMPtr<CollisionBox> Screen::getItemBoxObject(int32_t i, int32_t k)
{
    VMPtr<IntArray> r = getItemBox(i, k);
    VMPtr<CollisionBox> box = CollisionBox::newInstance()->init();
    box->setBounds((*r)[0], (*r)[1], (*r)[2], (*r)[3]);
    box->id = (*r)[4];
    return box;
}

bool Screen::itemContains(int32_t i, int32_t k, VMPtr<IntArray> rect)
{
    VMPtr<CollisionBox> box = getItemBoxObject(i, k);
    if ((*rect)[2] == 0 || (*rect)[3] == 0)
        return box->contains((*rect)[0], (*rect)[1]);
    return box->containsRect((*rect)[0], (*rect)[1], (*rect)[2], (*rect)[3]);
}

bool Screen::itemContainsBox(int32_t i, int32_t k, VMPtr<CollisionBox> box)
{
    VMPtr<IntArray> rect = IntArray::newArray(4);
    (*rect)[0] = box->x;
    (*rect)[1] = box->y;
    (*rect)[2] = box->width;
    (*rect)[3] = box->height;
    return itemContains(i, k, rect);
}

VMPtr<Screen::IntArray> Screen::getItemRects(int32_t i)
{
    int32_t kind = kindOf(i);
    if (kind == GOB_ITEM) {
        VMPtr<Gob> gob = firstGob(i);
        VMPtr<IntArray> pos = itemPos->get(i);
        VMPtr<IntArray> r = IntArray::newArray(5);
        (*r)[0] = gob->collisionX + (*pos)[0];
        (*r)[1] = gob->collisionY + (*pos)[1];
        (*r)[2] = gob->collisionWidth;
        (*r)[3] = gob->collisionHeight;
        (*r)[4] = -1;
        return r;
    }
    if (kind < 0)
        return IntArray::newArray(0);
    int32_t count = getItemBoxCount(i);
    VMPtr<IntArray> r = IntArray::newArray(5 * count);
    int32_t dx = (*itemPos->get(i))[0];
    int32_t dy = (*itemPos->get(i))[1];
    if (kind == FRAME_ITEM) {
        paintables->get(i)->getCollisionRects(0, r, -1);
    } else {
        VMPtr<AnimPlayer> player = players->get(i);
        player->getCollisionRects(r);
        dx += player->getPosX();
        dy += player->getPosY();
    }
    for (int32_t b = 0; b < count; b++) {
        (*r)[5 * b] += dx;
        (*r)[5 * b + 1] += dy;
    }
    return r;
}

int32_t Screen::hitItemBox(int32_t i, VMPtr<CollisionBox> box)
{
    int32_t kind = kindOf(i);
    if (kind == FRAME_ITEM) {
        VMPtr<IntArray> r = getItemRects(i);
        for (int32_t b = 0; 5 * b + 4 < r->length; b++) {
            if (box->intersectsRect((*r)[5 * b], (*r)[5 * b + 1], (*r)[5 * b + 2],
                                    (*r)[5 * b + 3]))
                return (*r)[5 * b + 4];
        }
    } else if (kind == ANIM_ITEM && players->get(i)->collidesWithBox(box)) {
        return VMPtr<CollisionBox>(CollisionBox::hitBoxA)->id;
    }
    return -1;
}

int32_t Screen::hitItemRect(int32_t i, VMPtr<IntArray> rect)
{
    VMPtr<CollisionBox> box = CollisionBox::newInstance()->init();
    box->setBounds((*rect)[0], (*rect)[1], (*rect)[2], (*rect)[3]);
    return hitItemBox(i, box);
}

void Screen::collisionShift(int32_t i, int32_t kind, int32_t& dx, int32_t& dy)
{
    dx = dy = 0;
    if (kind == ANIM_ITEM) {
        VMPtr<AnimPlayer> player = players->get(i);
        dx = player->getPosX();
        dy = player->getPosY();
    } else if (kind == FRAME_ITEM) {
        dx = (*itemPos->get(i))[0];
        dy = (*itemPos->get(i))[1];
    }
}

int32_t Screen::getItemCollisionRects(int32_t i, VMPtr<IntArray> out)
{
    int32_t kind = kindOf(i);
    if (kind < 0)
        return 0;
    int32_t count = kind == ANIM_ITEM ? players->get(i)->getCollisionRects(out)
                                      : paintables->get(i)->getCollisionRects(0, out, -1);
    int32_t dx, dy;
    collisionShift(i, kind, dx, dy);
    for (int32_t b = 0; 5 * b + 4 < out->length; b++) {
        (*out)[5 * b] += dx;
        (*out)[5 * b + 1] += dy;
    }
    return count;
}

int32_t Screen::getItemCollisionBoxes(int32_t i, VMPtr<BoxArray> out)
{
    int32_t kind = kindOf(i);
    if (kind < 0)
        return 0;
    int32_t count = kind == ANIM_ITEM ? players->get(i)->getCollisionBoxes(out)
                                      : paintables->get(i)->getCollisionBoxes(0, out, -1);
    int32_t dx, dy;
    collisionShift(i, kind, dx, dy);
    for (int32_t b = 0; b < out->length; b++) {
        VMPtr<CollisionBox> box = out->get(b);
        if (box != nullptr)
            box->translate(dx, dy);
    }
    return count;
}

// ---- Sequences, clips, rectangles, origin, background ----

void Screen::setItemSequence(int32_t i, VMPtr<IntArray> frames, VMPtr<IntArray> durations)
{
    if (paintables->get(i) == nullptr)
        return;
    VMPtr<IntArray> f = copyOf(frames, frames->length);
    VMPtr<IntArray> d = copyOf(durations, frames->length);
    seqFrames->set(i, f);
    seqDurations->set(i, d);
    (*seqIndex)[i] = 0;
}

void Screen::setItemSequence1(int32_t i, int32_t f, int32_t duration)
{
    VMPtr<IntArray> frames = IntArray::newArray(1);
    (*frames)[0] = f;
    VMPtr<IntArray> durations = IntArray::newArray(1);
    (*durations)[0] = duration;
    setItemSequence(i, frames, durations);
}

void Screen::clearItemSequences()
{
    if (seqIndex)
        fill(VMPtr<IntArray>(seqIndex), -1);
}

void Screen::setItemClip(int32_t i, VMPtr<IntArray> rect)
{
    java::lang::System::arraycopy(rect, 0, itemClip->get(i), 0, 4);
}

void Screen::setRect(int32_t k, VMPtr<IntArray> rect, int32_t colour)
{
    // Painting reads x, y, width and height.
    if (rect->length < 4)
        vm_throwNew<java::lang::IllegalArgumentException>(
            java::lang::String::valueOf(rect->length));
    rects->set(k, copyOf(rect, rect->length));
    (*rectColors)[k] = colour;
}

void Screen::clearRect(int32_t k)
{
    rects->set(k, nullptr);
}

void Screen::resetOrigin()
{
    if (!origin)
        origin = IntArray::newArray(2);
    (*origin)[0] = 0;
    (*origin)[1] = 0;
}

void Screen::setOrigin(int32_t x, int32_t y)
{
    resetOrigin();
    (*origin)[0] = x;
    (*origin)[1] = y;
}

int32_t Screen::getOriginX()
{
    return origin ? (*origin)[0] : 0;
}

int32_t Screen::getOriginY()
{
    return origin ? (*origin)[1] : 0;
}

void Screen::setBackgroundEnabled(bool flag)
{
    bgEnabled = flag;
}

void Screen::setBackgroundColors(int32_t c1, int32_t c2)
{
    bgColor1 = c1;
    bgColor2 = c2;
}

void Screen::setBackgroundColor(int32_t c)
{
    bgColor1 = c;
    bgColor2 = c;
}

// ---- Frame step and painting ----

void Screen::auxUpdate() {}

void Screen::update()
{
    if (isStopped() != 0 || !paintables)
        return;
    // nextItem may be left past a smaller list made later.
    int32_t items = nextItem < paintables->length ? nextItem : paintables->length;
    for (int32_t k = 0; k < items; k++)
        stepItem(k, frameTime);
}

void Screen::stepItem(int32_t k, int32_t t)
{
    VMPtr<Paintable> p = paintables->get(k);
    if (p == nullptr)
        return;
    VMPtr<AnimPlayer> player = players->get(k);
    VMPtr<IntArray> frames = seqFrames->get(k);
    int32_t s = (*seqIndex)[k];
    if (frames != nullptr && s >= 0 && s < frames->length) {
        if ((*frame)[k] != (*frames)[s]) {
            setItemFrame(k, (*frames)[s]);
            return;
        }
        if (player != nullptr) {
            player->update(t);
            if (player->getLoopsLeft() == 0)
                (*seqIndex)[k] += 1;
        }
        VMPtr<IntArray> durations = seqDurations->get(k);
        s = (*seqIndex)[k];
        if (s < durations->length) {
            (*durations)[s] -= t;
            if ((*durations)[s] < 0)
                (*seqIndex)[k] += 1;
        }
    } else if (player != nullptr) {
        player->update(t);
        if (player->getLoopsLeft() == 0) {
            (*frame)[k] += 1;
            player->setAnimation((*frame)[k]);
        }
    }
}

void Screen::paint(VMPtr<Graphics> g)
{
    if (bgEnabled) {
        if (bgColor1 == bgColor2) {
            g->setColor(bgColor1);
            g->fillRect(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT);
        } else {
            // At the panel's own (0, 0): g's translation is applied once, by g.
            VMPtr<tq::TqCanvas>(canvas)->fillVerticalGradientRect(g, 0, 0, SCREEN_WIDTH,
                                                                  SCREEN_HEIGHT, bgColor1,
                                                                  bgColor2);
        }
    }
    int32_t ox = getOriginX();
    int32_t oy = getOriginY();
    if (paintables) {
        for (int32_t k = 0; k < capacity; k++) {
            VMPtr<Paintable> p = paintables->get(k);
            if (p == nullptr)
                continue;
            VMPtr<IntArray> pos = itemPos->get(k);
            int32_t x = (*pos)[0] - ox;
            int32_t y = (*pos)[1] - oy;
            VMPtr<IntArray> clip = itemClip->get(k);
            if ((*clip)[2] != 0 && (*clip)[3] != 0) {
                (*clipSave)[0] = g->getClipX();
                (*clipSave)[1] = g->getClipY();
                (*clipSave)[2] = g->getClipWidth();
                (*clipSave)[3] = g->getClipHeight();
                g->setClip((*clip)[0] - ox, (*clip)[1] - oy, (*clip)[2], (*clip)[3]);
                p->paint(g, x, y, 0);
                g->setClip((*clipSave)[0], (*clipSave)[1], (*clipSave)[2], (*clipSave)[3]);
            } else {
                p->paint(g, x, y, 0);
            }
        }
    }
    g->setClip(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT);
    if (rects) {
        for (int32_t k = 0; k < rects->length; k++) {
            VMPtr<IntArray> r = rects->get(k);
            if (r == nullptr)
                continue;
            g->setColor((*rectColors)[k]);
            g->fillRect((*r)[0] - ox, (*r)[1] - oy, (*r)[2], (*r)[3]);
        }
    }
}

} // namespace ui

VM_REGISTER_CLASS(ui::Screen, "ui.Screen", "ui.MyObject", "..\\src\\ui_Screen", nullptr);
