#pragma once
// Property files, device properties, the built-in system properties, the
// application folder and the device quirks.

#include <cstdint>
#include <string>

// ---- Property tables ----------------------------------------------------------

// Reads "sys.prop" (then adds the device properties) and "app.prop" from the
// application's "\\properties\\" folder into fresh tables; a missing file
// leaves its table empty.
void HAL_loadProperties();
// Frees both tables and every entry.
void HAL_freeProperties();
// Test seam: the largest block a property entry may take, in bytes (0: the
// largest HAL_malloc size). A line that needs more is left out.
void HAL_setPropertyEntryLimit(uint32_t bytes);

// Value length of the last entry with the key; -1 when absent or when the
// key is null with a length of 1 or more.
int32_t HAL_getSystemPropertyLength(const char16_t* key, int32_t keyLength);
// Copies min(value length, *length) characters (no terminator); 2 for a null
// key with a length, or a null length with a buffer; 4 when absent.
int32_t HAL_getSystemProperty(const char16_t* key, int32_t keyLength, char16_t* buffer,
                              int32_t* length);
int32_t HAL_getApplicationPropertyLength(const char16_t* key, int32_t keyLength);
int32_t HAL_getApplicationProperty(const char16_t* key, int32_t keyLength, char16_t* buffer,
                                   int32_t* length);

// ---- Built-in system properties -------------------------------------------

// Hands every built-in (key, value) pair, 8-bit NUL-terminated, to the sink;
// the runtime builds its property table from them. The texts live for the
// call only.
typedef void (*HALPropertySink)(void* context, const char* key, const char* value);
void HAL_listBuiltInProperties(HALPropertySink sink, void* context);
// The locale text ("en-us", "it-it", ...); null when it cannot be read.
const char* HAL_getLocale();

// ---- Application folder and paths ------------------------------------------

// The folder of the executable (fatal when its path cannot be read).
const char16_t* HAL_getApplicationFolder();
// Folder + subFolder + fileName in a HAL_malloc block; null when out of memory.
char16_t* HAL_buildPath(const char16_t* subFolder, const char16_t* fileName);
// The same into a zeroed buffer; 0 when it does not fit with its terminator.
int32_t HAL_buildPathInto(char16_t* buffer, int32_t bufferLength, const char16_t* subFolder,
                          const char16_t* fileName);

// ---- Device quirks ----------------------------------------------------------

enum HALQuirk : int32_t {
    HAL_QUIRK_IGNORE_SOME_POINTER_EVENTS = 0,
    HAL_QUIRK_COUNT
};

// The device class by its OEM text: 2 emulator, 3 to 7 known phones, 1 other.
int32_t HAL_getDeviceClass();
// A text of the system parameters (SPI_GETOEMINFO and the like), at most 64
// characters; empty when it cannot be read.
std::u16string HAL_getSystemParameterText(uint32_t action);
bool HAL_isQuirkOn(HALQuirk quirk);
// Forgets the evaluated quirk states (the property tables changed).
void HAL_resetQuirks();
// The quirk's sub-value (from "<quirk name>_<subKey>" in the system
// properties, else its default); false and an empty text when there is none.
bool HAL_getQuirkText(HALQuirk quirk, const char* subKey, char16_t* buffer, int32_t bufferLength);
// The sub-value as comma-separated integers, at most *count; *count becomes
// the number read.
bool HAL_getQuirkInts(HALQuirk quirk, const char* subKey, int32_t* values, int32_t* count);

// ---- Number limits ------------------------------------------------------------

void HAL_getFloatLimits(uint32_t* max, uint32_t* min, uint32_t* nan, uint32_t* negativeInfinity,
                        uint32_t* positiveInfinity);
void HAL_getDoubleLimits(uint64_t* max, uint64_t* min, uint64_t* nan, uint64_t* negativeInfinity,
                         uint64_t* positiveInfinity);
