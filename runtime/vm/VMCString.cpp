#include "vm/VMCString.h"

#include <cstring>

#include "vm/VMHeap.h"

namespace {

uint32_t lengthOf(const char* text)
{
    return text ? static_cast<uint32_t>(std::strlen(text)) : 0;
}

// At most max bytes of text, stopping at a NUL.
uint32_t boundedLength(const char* text, uint32_t max)
{
    const void* end = std::memchr(text, 0, max);
    return end ? static_cast<uint32_t>(static_cast<const char*>(end) - text) : max;
}

} // namespace

VMCString::VMCString(const char* text)
{
    assign(text);
}

VMCString::VMCString(const VMCString& other)
{
    assign(other.text_);
}

VMCString& VMCString::operator=(const VMCString& other)
{
    if (this != &other)
        assign(other.text_);
    return *this;
}

VMCString::~VMCString()
{
    _VM_free(text_);
}

// Builds a new zero-filled block holding first then second, frees the old
// one. The old text stays in place when the allocation throws.
void VMCString::replace(const char* first, uint32_t firstLength, const char* second,
                        uint32_t secondLength)
{
    uint32_t total = firstLength + secondLength;
    char* block = static_cast<char*>(_VM_new(total + 1));
    std::memset(block, 0, total + 1);
    if (firstLength)
        std::memcpy(block, first, firstLength);
    if (secondLength)
        std::memcpy(block + firstLength, second, secondLength);
    _VM_free(text_);
    text_ = block;
}

void VMCString::assign(const char* text)
{
    if (!text) {
        _VM_free(text_);
        text_ = nullptr;
        return;
    }
    replace(text, lengthOf(text), nullptr, 0);
}

void VMCString::assign(const char* text, uint32_t length)
{
    if (!text || length == 0)
        return;
    replace(text, boundedLength(text, length), nullptr, 0);
}

void VMCString::append(const char* text)
{
    append(text, lengthOf(text));
}

void VMCString::append(const char* text, uint32_t length)
{
    if (!text || length == 0)
        return;
    replace(text_, this->length(), text, boundedLength(text, length));
}

uint32_t VMCString::length() const
{
    return lengthOf(text_);
}

bool VMCString::equals(const char* text) const
{
    if (!text)
        return false;
    return std::strcmp(text_ ? text_ : "", text) == 0;
}

int VMCString::compare(const VMCString& other) const
{
    return std::strcmp(text_ ? text_ : "", other.text_ ? other.text_ : "");
}
