#include "hal/HALString.h"

#include "hal/memory.h"
#include "hal/status.h"

#include <cstring>
#include <new>

namespace {

int32_t textLength(const char16_t* text)
{
    int32_t length = 0;
    while (text[length] != 0)
        ++length;
    return length;
}

// Room for `length` characters and the terminator, or null.
char16_t* allocText(int32_t length)
{
    uint64_t bytes = (static_cast<uint64_t>(length) + 1) * sizeof(char16_t);
    if (bytes > UINT32_MAX)
        return nullptr;
    return static_cast<char16_t*>(HAL_malloc(static_cast<uint32_t>(bytes)));
}

// A NUL-terminated copy of `length` characters, or null.
char16_t* copyText(const char16_t* characters, int32_t length)
{
    char16_t* buffer = allocText(length);
    if (buffer == nullptr)
        return nullptr;
    if (length > 0)
        std::memcpy(buffer, characters, static_cast<size_t>(length) * sizeof(char16_t));
    buffer[length] = 0;
    return buffer;
}

}  // namespace

HALString* HALString::make(const char16_t* characters, int32_t length)
{
    void* memory = HAL_malloc(sizeof(HALString));
    if (memory == nullptr)
        return nullptr;
    auto* string = new (memory) HALString;
    if (characters != nullptr && length > 0) {
        string->buffer_ = copyText(characters, length);
        if (string->buffer_ != nullptr)
            string->length_ = length;
    }
    return string;
}

HALString* HALString::make(const char16_t* text)
{
    if (text == nullptr)
        return make(nullptr, 0);
    HALString* string = make(text, textLength(text));
    // An empty text still has a buffer.
    if (string != nullptr && string->buffer_ == nullptr)
        string->buffer_ = copyText(text, 0);
    return string;
}

HALString* HALString::copy(const HALString* other)
{
    if (other == nullptr)
        return nullptr;
    HALString* string = make(other->buffer_, other->length_);
    if (string != nullptr && other->buffer_ != nullptr && string->buffer_ == nullptr)
        string->buffer_ = copyText(other->buffer_, 0);
    return string;
}

HALString* HALString::substring(int32_t begin, int32_t end) const
{
    if (begin < 0 || end > length_ || begin > end)
        return nullptr;
    return make(buffer_ != nullptr ? buffer_ + begin : nullptr, end - begin);
}

void HALString::addReference()
{
    ++references_;
}

void HALString::release()
{
    if (--references_ >= 1)
        return;
    HAL_free(buffer_);
    this->~HALString();
    HAL_free(this);
}

char16_t HALString::charAt(int32_t index) const
{
    if (buffer_ == nullptr || index < 0 || index >= length_)
        return 0;
    return buffer_[index];
}

int32_t HALString::indexOf(char16_t character, int32_t from) const
{
    if (buffer_ == nullptr)
        return -1;
    for (int32_t i = from < 0 ? 0 : from; i < length_; ++i) {
        if (buffer_[i] == character)
            return i;
    }
    return -1;
}

int32_t HALString::lastIndexOf(char16_t character) const
{
    if (buffer_ == nullptr)
        return -1;
    for (int32_t i = length_ - 1; i >= 0; --i) {
        if (buffer_[i] == character)
            return i;
    }
    return -1;
}

bool HALString::append(const char16_t* characters, int32_t length)
{
    if (characters == nullptr || length < 1)
        return true;
    if (length > INT32_MAX - length_)
        return false;
    int32_t total = length_ + length;
    char16_t* buffer = allocText(total);
    if (buffer == nullptr)
        return false;
    if (length_ > 0)
        std::memcpy(buffer, buffer_, static_cast<size_t>(length_) * sizeof(char16_t));
    std::memcpy(buffer + length_, characters, static_cast<size_t>(length) * sizeof(char16_t));
    buffer[total] = 0;
    HAL_free(buffer_);
    buffer_ = buffer;
    length_ = total;
    return true;
}

bool HALString::append(const char16_t* text)
{
    return text == nullptr || append(text, textLength(text));
}

bool HALString::append(const HALString* other)
{
    return other == nullptr || append(other->buffer_, other->length_);
}

bool HALString::equals(const HALString* other) const
{
    if (other == nullptr)
        return false;
    if (this == other || buffer_ == other->buffer_)
        return true;
    if (buffer_ == nullptr || other->buffer_ == nullptr || length_ != other->length_)
        return false;
    return std::memcmp(buffer_, other->buffer_, static_cast<size_t>(length_) * sizeof(char16_t)) == 0;
}

int32_t HAL_deleteString(HALString* string)
{
    if (string == nullptr)
        return HAL_BAD_ARGUMENT;
    string->release();
    return HAL_OK;
}

int32_t HAL_getStringLength(const HALString* string, int32_t* length)
{
    if (string == nullptr || length == nullptr)
        return HAL_BAD_ARGUMENT;
    *length = string->length();
    return HAL_OK;
}

int32_t HAL_getStringCharacters(const HALString* string, char16_t* buffer)
{
    if (string == nullptr || buffer == nullptr || string->characters() == nullptr)
        return HAL_BAD_ARGUMENT;
    std::memcpy(buffer, string->characters(), static_cast<size_t>(string->length()) * sizeof(char16_t));
    return HAL_OK;
}
