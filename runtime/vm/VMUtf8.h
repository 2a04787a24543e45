#pragma once
// The codec between UTF-16 and (modified) UTF-8. In the modified form the
// unit 0 is written as C0 80, so encoded text never holds a 0 byte. Units are
// encoded one by one: surrogates are not combined.

#include <cstdint>

#include "vm/VMPtr.h"

class VMCString;
namespace java::lang { class String; }

// Writes unit at *cursor when it fits in remaining bytes and advances the
// cursor. Returns the new remaining count; when the unit does not fit,
// nothing is written and the result is remaining minus the bytes needed
// (negative). With 0 or fewer remaining, remaining is returned unchanged.
int32_t _VM_utf8EncodeChar(char16_t unit, int32_t remaining, uint8_t** cursor, bool modified);
// The bytes the encoding of count units needs.
int32_t _VM_utf8Length(const char16_t* units, int32_t count, bool modified);
// Encodes up to *capacity bytes; *capacity becomes the bytes written. With
// terminate, one byte is kept for a trailing 0 (not counted). Returns the
// number of units processed; a unit that does not fit ends the output.
int32_t _VM_utf16ToUtf8(uint8_t* output, int32_t* capacity, const char16_t* units, int32_t count,
                        bool modified, bool terminate);
// Decodes one unit. A truncated or malformed sequence gives U+0080 and stays
// valid; a bad lead byte gives 0, clears *valid and leaves the cursor on it.
char16_t _VM_utf8DecodeChar(int32_t* remaining, const uint8_t** cursor, bool* valid);
// Decodes while bytes, capacity and validity last; *capacity becomes the
// units written. Returns the bytes consumed.
int32_t _VM_utf8ToUtf16(char16_t* output, int32_t* capacity, const uint8_t* bytes, int32_t count,
                        bool* valid);
// Counts characters by their lead bytes; a continuation or 4-byte lead stops
// the count and clears *valid.
int32_t _VM_utf8CountChars(const uint8_t* bytes, int32_t count, bool* valid);
// True when the bytes decode to exactly the given units.
bool _VM_utf8EqualsUtf16(const uint8_t* bytes, int32_t byteCount, const char16_t* units,
                         int32_t unitCount);

// The text of a String in modified UTF-8; a null String empties out.
void _VM_stringToCString(const VMPtr<java::lang::String>& string, VMCString* out);
