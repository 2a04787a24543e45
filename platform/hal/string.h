#pragma once
// HALString: reference-counted UTF-16 text with an explicit length, the form in
// which text crosses the platform boundary.

#include <cstdint>

struct HALString;

int32_t HAL_deleteString(HALString* string);
int32_t HAL_getStringLength(const HALString* string, int32_t* length);
int32_t HAL_getStringCharacters(const HALString* string, char16_t* buffer);
