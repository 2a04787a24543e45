#pragma once
// HALList: the layer's growable pointer array. When an append needs more
// room, the capacity becomes (count + 1) x factor (single precision,
// truncated); removing an entry moves the later ones down one place. The
// array comes from the counted platform heap.

#include <cstdint>

struct HALList {
public:
    // Null when memory runs out.
    static HALList* create(int32_t capacity = 8, float factor = 1.5f);
    // Frees the list (not what its entries point to); null ignored.
    static void destroy(HALList* list);

    int32_t size() const { return count_; }
    // Null outside 0 .. size - 1.
    void* get(int32_t index) const;
    // False (list unchanged) when memory runs out.
    bool add(void* item);
    // Index of the first entry equal to item, -1 when absent.
    int32_t indexOf(const void* item) const;
    // False for an index outside the list.
    bool removeAt(int32_t index);
    // Removes the first entry equal to item; false when absent.
    bool remove(const void* item);
    void clear() { count_ = 0; }

private:
    HALList() = default;
    ~HALList() = default;

    void** items_ = nullptr;
    int32_t count_ = 0;
    int32_t capacity_ = 0;
    float factor_ = 1.5f;
};
