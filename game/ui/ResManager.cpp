#include "ui/ResManager.h"

#include "java/lang/Exception.h"
#include "java/lang/System.h"
#include "tq/Resources.h"
#include "tq/ResourcesExt.h"

namespace ui {

using tq::Resources;

namespace {

void fill(const VMPtr<ResManager::IntArray>& row, int32_t value)
{
    for (int32_t i = 0; i < row->length; i++)
        (*row)[i] = value;
}

// The AnimSet of id, or null when it cannot be read; the pack is closed
// either way.
VMPtr<tq::AnimSet> readAnimSet(int32_t id)
{
    VMPtr<tq::AnimSet> set;
    try {
        set = Resources::loadAnimSet(id);
    } catch (java::lang::Exception* unreadable) {
        VMPtr<java::lang::Exception> keep(unreadable);
    }
    Resources::closePack();
    return set;
}

// The Gob set of id; the pack is closed either way, and a set that cannot
// be read throws with the cache unchanged.
VMPtr<tq::Gob::GobArray> readGobSet(int32_t id)
{
    VMPtr<tq::Gob::GobArray> set;
    try {
        set = tq::ResourcesExt::loadGobs(id);
    } catch (java::lang::Throwable* unreadable) {
        VMPtr<java::lang::Throwable> keep(unreadable);
        Resources::closePack();
        throw;
    }
    Resources::closePack();
    return set;
}

} // namespace

VMPtr<ResManager> ResManager::init()
{
    Object::init();
    resetTables();
    return VMPtr<ResManager>(this);
}

void ResManager::resetTables()
{
    capacity = INITIAL_CAPACITY;
    growStep = MIN_GROWTH;
    used = 0;
    lastGobSlot = -1;
    lastAnimSetSlot = -1;
    ids = IntTable::newArray({2, capacity});
    fill(ids->get(GOB_SETS), -1);
    fill(ids->get(ANIM_SETS), -1);
    gobSets = GobSetArray::newArray(capacity);
    animSets = AnimSetArray::newArray(capacity);
    gobSetUses = IntArray::newArray(capacity);
    animSetUses = IntArray::newArray(capacity);
}

int32_t ResManager::findSlot(int32_t kind, int32_t id)
{
    VMPtr<IntArray> row = ids->get(kind);
    for (int32_t slot = 0; slot < used; slot++) {
        if ((*row)[slot] == id)
            return slot;
    }
    return used;
}

void ResManager::load(int32_t gobSetId, int32_t animSetId)
{
    if (ids == nullptr)
        resetTables();
    bool placed = false;

    lastGobSlot = -1;
    if (gobSetId != -1) {
        lastGobSlot = findSlot(GOB_SETS, gobSetId);
        if (lastGobSlot == used) {
            gobSets->set(used, readGobSet(gobSetId));
            (*ids->get(GOB_SETS))[used] = gobSetId;
            placed = true;
        }
        (*gobSetUses)[lastGobSlot] += 1;
    }

    lastAnimSetSlot = -1;
    if (animSetId != -1) {
        lastAnimSetSlot = findSlot(ANIM_SETS, animSetId);
        if (lastAnimSetSlot == used) {
            VMPtr<tq::AnimSet> set = readAnimSet(animSetId);
            // Without a Gob set in the call the AnimSet has no pictures.
            if (set != nullptr && lastGobSlot != -1)
                set->setGobs(gobSets->get(lastGobSlot));
            animSets->set(used, set);
            (*ids->get(ANIM_SETS))[used] = animSetId;
            placed = true;
        }
        (*animSetUses)[lastAnimSetSlot] += 1;
    }

    if (placed)
        used += 1;
    if (used >= capacity)
        grow();
}

void ResManager::grow()
{
    growStep = capacity / 2;
    if (growStep < MIN_GROWTH)
        growStep = MIN_GROWTH;
    if (growStep > MAX_GROWTH)
        growStep = MAX_GROWTH;
    int32_t grown = capacity + growStep;

    VMPtr<IntTable> newIds = IntTable::newArray({2, grown});
    for (int32_t kind = GOB_SETS; kind <= ANIM_SETS; kind++) {
        fill(newIds->get(kind), -1);
        java::lang::System::arraycopy(ids->get(kind), 0, newIds->get(kind), 0, capacity);
    }
    VMPtr<GobSetArray> newGobSets = GobSetArray::newArray(grown);
    java::lang::System::arraycopy(gobSets, 0, newGobSets, 0, capacity);
    VMPtr<AnimSetArray> newAnimSets = AnimSetArray::newArray(grown);
    java::lang::System::arraycopy(animSets, 0, newAnimSets, 0, capacity);
    VMPtr<IntArray> newGobSetUses = IntArray::newArray(grown);
    VMPtr<IntArray> newAnimSetUses = IntArray::newArray(grown);
    for (int32_t slot = 0; slot < capacity; slot++) {
        (*newGobSetUses)[slot] = (*gobSetUses)[slot];
        (*newAnimSetUses)[slot] = (*animSetUses)[slot];
    }

    ids = newIds;
    gobSets = newGobSets;
    animSets = newAnimSets;
    gobSetUses = newGobSetUses;
    animSetUses = newAnimSetUses;
    capacity = grown;
}

int32_t ResManager::getLastGobSlot()
{
    return lastGobSlot;
}

int32_t ResManager::getLastAnimSetSlot()
{
    return lastAnimSetSlot;
}

void ResManager::release(int32_t gobSlot, int32_t animSetSlot)
{
    if (gobSlot != -1 && (*gobSetUses)[gobSlot] > 0) {
        (*gobSetUses)[gobSlot] -= 1;
        if ((*gobSetUses)[gobSlot] == 0) {
            gobSets->set(gobSlot, nullptr);
            (*ids->get(GOB_SETS))[gobSlot] = -1;
        }
    }
    if (animSetSlot != -1 && (*animSetUses)[animSetSlot] > 0) {
        (*animSetUses)[animSetSlot] -= 1;
        if ((*animSetUses)[animSetSlot] == 0) {
            animSets->set(animSetSlot, nullptr);
            (*ids->get(ANIM_SETS))[animSetSlot] = -1;
        }
    }
}

void ResManager::releaseAll()
{
    if (ids == nullptr)
        return;
    lastGobSlot = -1;
    lastAnimSetSlot = -1;
    for (int32_t slot = 0; slot < capacity; slot++) {
        gobSets->set(slot, nullptr);
        animSets->set(slot, nullptr);
        (*gobSetUses)[slot] = 0;
        (*animSetUses)[slot] = 0;
    }
    fill(ids->get(GOB_SETS), -1);
    fill(ids->get(ANIM_SETS), -1);
    used = 0;
}

void ResManager::clear()
{
    resetTables();
}

} // namespace ui

VM_REGISTER_CLASS(ui::ResManager, "ui.ResManager", "java.lang.Object", "..\\src\\ui_ResManager",
                  nullptr);
