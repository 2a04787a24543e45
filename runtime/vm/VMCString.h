#pragma once
// An owned NUL-terminated byte string on the VM heap: the key type of the
// class registry, the string-literal table and the property table. An empty
// holder owns nothing (text() is null, length() 0).

#include <cstdint>

class VMCString {
public:
    VMCString() = default;
    explicit VMCString(const char* text);
    VMCString(const VMCString& other);
    VMCString& operator=(const VMCString& other);
    ~VMCString();

    // Replaces the text with a copy of text (null empties the holder).
    void assign(const char* text);
    // Replaces the text with at most length bytes of text; nothing for a null
    // text or a length of 0.
    void assign(const char* text, uint32_t length);
    // Appends text, or at most length bytes of it; nothing for null or 0.
    void append(const char* text);
    void append(const char* text, uint32_t length);

    const char* text() const { return text_; }
    uint32_t length() const;
    // False for a null text, else byte comparison.
    bool equals(const char* text) const;
    // Byte comparison, an empty holder comparing as "".
    int compare(const VMCString& other) const;

private:
    void replace(const char* first, uint32_t firstLength, const char* second,
                 uint32_t secondLength);

    char* text_ = nullptr;
};
