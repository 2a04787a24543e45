#pragma once
// HALString: reference-counted UTF-16 text with an explicit length. The
// buffer is NUL-terminated and may be absent (a string made from no text);
// an absent buffer reads as the empty text. Objects and buffers come from the
// counted platform heap.

#include "hal/string.h"

#include <cstdint>

struct HALString {
public:
    // Copies `length` characters; no characters (null or length < 1) gives a
    // string without buffer. Null when the object cannot be allocated; a
    // string whose buffer cannot be allocated has none.
    static HALString* make(const char16_t* characters, int32_t length);
    // Copies a NUL-terminated text; null gives a string without buffer.
    static HALString* make(const char16_t* text);
    // A new string (count 1) with the same characters.
    static HALString* copy(const HALString* other);

    // Characters begin .. end - 1; null when the range is not within the text.
    HALString* substring(int32_t begin, int32_t end) const;

    void addReference();
    // Drops one reference; the last one frees the buffer and the object.
    void release();

    int32_t length() const { return length_; }
    const char16_t* characters() const { return buffer_; }
    // 0 outside 0 .. length - 1.
    char16_t charAt(int32_t index) const;
    // First index at or after `from` (a negative start counts from 0); -1 when
    // absent or when `from` is at or past the end.
    int32_t indexOf(char16_t character, int32_t from = 0) const;
    int32_t lastIndexOf(char16_t character) const;

    // Appends text; nothing or empty text leaves the string unchanged. False
    // (string unchanged) when memory runs out.
    bool append(const char16_t* text);
    bool append(const HALString* other);
    bool append(const char16_t* characters, int32_t length);

    // Same text, case-sensitive; a string without buffer equals only another
    // one without buffer.
    bool equals(const HALString* other) const;

private:
    HALString() = default;
    ~HALString() = default;

    int32_t references_ = 1;
    char16_t* buffer_ = nullptr;
    int32_t length_ = 0;
};
