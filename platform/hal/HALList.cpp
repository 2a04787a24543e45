#include "hal/HALList.h"

#include "hal/memory.h"

#include <cstring>
#include <new>

namespace {

void** allocItems(int32_t capacity)
{
    uint64_t bytes = static_cast<uint64_t>(capacity) * sizeof(void*);
    if (capacity < 0 || bytes > UINT32_MAX)
        return nullptr;
    return static_cast<void**>(HAL_malloc(static_cast<uint32_t>(bytes)));
}

}  // namespace

HALList* HALList::create(int32_t capacity, float factor)
{
    void* memory = HAL_malloc(sizeof(HALList));
    if (memory == nullptr)
        return nullptr;
    auto* list = new (memory) HALList;
    list->capacity_ = capacity > 0 ? capacity : 1;
    list->factor_ = factor > 1.0f ? factor : 1.5f;
    list->items_ = allocItems(list->capacity_);
    if (list->items_ == nullptr) {
        destroy(list);
        return nullptr;
    }
    return list;
}

void HALList::destroy(HALList* list)
{
    if (list == nullptr)
        return;
    HAL_free(list->items_);
    list->~HALList();
    HAL_free(list);
}

void* HALList::get(int32_t index) const
{
    return index >= 0 && index < count_ ? items_[index] : nullptr;
}

bool HALList::add(void* item)
{
    if (count_ == capacity_) {
        float grown = static_cast<float>(count_ + 1) * factor_;
        if (grown >= static_cast<float>(INT32_MAX))
            return false;
        int32_t capacity = static_cast<int32_t>(grown);
        if (capacity <= count_)
            capacity = count_ + 1;
        void** items = allocItems(capacity);
        if (items == nullptr)
            return false;
        std::memcpy(items, items_, static_cast<size_t>(count_) * sizeof(void*));
        HAL_free(items_);
        items_ = items;
        capacity_ = capacity;
    }
    items_[count_++] = item;
    return true;
}

int32_t HALList::indexOf(const void* item) const
{
    for (int32_t i = 0; i < count_; ++i) {
        if (items_[i] == item)
            return i;
    }
    return -1;
}

bool HALList::removeAt(int32_t index)
{
    if (index < 0 || index >= count_)
        return false;
    std::memmove(items_ + index, items_ + index + 1, static_cast<size_t>(count_ - index - 1) * sizeof(void*));
    --count_;
    return true;
}

bool HALList::remove(const void* item)
{
    return removeAt(indexOf(item));
}
