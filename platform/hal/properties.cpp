// Property files and the two property tables, the device properties, the
// application folder and paths.

#include <cerrno>
#include <cstdio>
#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>

#include "hal/HALList.h"
#include "hal/fatal.h"
#include "hal/memory.h"
#include "hal/properties.h"
#include "wince/file.h"
#include "wince/registry.h"
#include "wince/system.h"
#include "wince/user.h"

// One key and its value, both in the same counted block.
struct HALProperty {
    char16_t* key;
    int32_t keyLength;
    char16_t* value;
    int32_t valueLength;
};

namespace {

enum Table { kSystem = 0, kApplication = 1 };

HALList* g_tables[2] = {nullptr, nullptr};

void freeTable(Table table)
{
    HALList* list = g_tables[table];
    if (!list) {
        return;
    }
    for (int32_t i = 0; i < list->size(); ++i) {
        HAL_free(list->get(i));
    }
    HALList::destroy(list);
    g_tables[table] = nullptr;
}

// An entry is one HAL_malloc block; a line that would need a larger one is
// refused. Tests make the limit small.
uint32_t g_entryLimit = UINT32_MAX;

// Bytes of the block for a key and a value of these lengths (in characters),
// each with its terminator.
uint64_t entryBytes(uint64_t keyLength, uint64_t valueLength)
{
    return sizeof(HALProperty) + (keyLength + valueLength + 2) * sizeof(char16_t);
}

// Appends an entry; false when it is too large or cannot be allocated (it is
// then left out).
bool addEntry(Table table, std::u16string_view key, std::u16string_view value)
{
    if (!g_tables[table]) {
        g_tables[table] = HALList::create();
        if (!g_tables[table]) {
            return false;
        }
    }
    uint64_t bytes = entryBytes(key.size(), value.size());
    if (bytes > g_entryLimit) {
        return false;
    }
    auto* entry = static_cast<HALProperty*>(HAL_malloc(static_cast<uint32_t>(bytes)));
    if (!entry) {
        return false;
    }
    entry->key = reinterpret_cast<char16_t*>(entry + 1);
    entry->keyLength = static_cast<int32_t>(key.size());
    entry->value = entry->key + key.size() + 1;
    entry->valueLength = static_cast<int32_t>(value.size());
    std::copy(key.begin(), key.end(), entry->key);
    entry->key[key.size()] = 0;
    std::copy(value.begin(), value.end(), entry->value);
    entry->value[value.size()] = 0;
    if (!g_tables[table]->add(entry)) {
        HAL_free(entry);
        return false;
    }
    return true;
}

// One line: the key before the first colon, the value after the colon and
// one blank, without the line end (LF, CRLF, or none on the last line). A
// line without a colon is no entry; false when the entry was refused.
bool parseLine(Table table, std::u16string_view line)
{
    if (!line.empty() && line.back() == u'\n') {
        line.remove_suffix(1);
        if (!line.empty() && line.back() == u'\r') {
            line.remove_suffix(1);
        }
    }
    size_t colon = line.find(u':');
    if (colon == std::u16string_view::npos) {
        return true;
    }
    size_t start = colon + 1;
    if (start < line.size() && line[start] == u' ') {
        ++start;
    }
    return addEntry(table, line.substr(0, colon), line.substr(start));
}

// Tells the console what was wrong with a property file, and what was done.
void warn(const char16_t* fileName, int32_t line, const char* what)
{
    std::string name;
    for (const char16_t* c = fileName; *c; ++c) {
        name += static_cast<char>(*c);
    }
    if (line > 0) {
        std::fprintf(stderr, "properties\\%s line %d: %s\n", name.c_str(), line, what);
    } else {
        std::fprintf(stderr, "properties\\%s: %s\n", name.c_str(), what);
    }
}

// True when the file starts with a UTF-16 byte-order mark; the file is read
// from its start again afterwards.
bool startsAsUtf16(FILE* file)
{
    unsigned char head[2] = {0, 0};
    size_t n = std::fread(head, 1, 2, file);
    std::rewind(file);
    return n == 2 && ((head[0] == 0xFF && head[1] == 0xFE) || (head[0] == 0xFE && head[1] == 0xFF));
}

// One piece of a line from fgetws; false at the end of the file. The buffer
// is filled with a mark first, so a NUL character read from the file is told
// apart from the terminator: the terminator is the last character written.
bool readPiece(FILE* file, std::u16string* piece)
{
    constexpr char16_t kUnwritten = 0xFFFF;
    char16_t buffer[256];
    std::fill(std::begin(buffer), std::end(buffer), kUnwritten);
    if (!fgetws(buffer, 256, file)) {
        return false;
    }
    size_t end = 255;
    while (end > 0 && buffer[end] == kUnwritten) {
        --end;
    }
    piece->assign(buffer, end);
    return true;
}

// Reads a file line by line; a line longer than the read buffer is joined
// from its pieces, so nothing is cut or split into false entries. The text is
// UTF-8: a line with other bytes is read with U+FFFD in their place, a line
// too long for an entry is left out, and a UTF-16 file is not read; each is
// told on the console.
void readFile(Table table, const char16_t* fileName)
{
    char16_t* path = HAL_buildPath(u"\\properties\\", fileName);
    if (!path) {
        return;
    }
    FILE* file = _wfopen(path, u"rt");
    HAL_free(path);
    if (!file) {
        return;
    }
    if (startsAsUtf16(file)) {
        warn(fileName, 0, "UTF-16 text, not read (property files are UTF-8)");
        std::fclose(file);
        return;
    }
    // The longest line whose entry still fits.
    uint64_t maxLine = (g_entryLimit - std::min<uint64_t>(g_entryLimit, entryBytes(0, 0))) /
                       sizeof(char16_t);
    std::u16string line;
    std::u16string piece;
    int32_t number = 0;
    bool notUtf8 = false;
    bool tooLong = false;
    auto endLine = [&] {
        ++number;
        if (number == 1 && !line.empty() && line[0] == 0xFEFF) {
            line.erase(0, 1);  // byte-order mark
        }
        if (notUtf8) {
            warn(fileName, number, "not UTF-8 text; the bad bytes are read as U+FFFD");
        }
        if (tooLong || !parseLine(table, line)) {
            warn(fileName, number, "too long for a property entry; left out");
        }
        line.clear();
        notUtf8 = false;
        tooLong = false;
    };
    for (;;) {
        errno = 0;
        if (!readPiece(file, &piece)) {
            break;
        }
        notUtf8 |= errno == EILSEQ;
        bool ends = !piece.empty() && piece.back() == u'\n';
        if (!tooLong && line.size() + piece.size() > maxLine + (ends ? 1 : 0)) {
            tooLong = true;  // the rest of the line is read and dropped
            line.clear();
        }
        if (!tooLong) {
            line += piece;
        }
        if (!ends && !std::feof(file)) {
            continue;  // the rest of a long line follows
        }
        endLine();
    }
    // A last line that filled its final piece exactly: the end of the file
    // shows only at the next read.
    if (!line.empty() || tooLong) {
        endLine();
    }
    std::fclose(file);
}

std::u16string deviceName()
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"Ident", 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
        return u"";
    }
    char16_t buffer[65] = {};
    DWORD size = 128;
    DWORD type = 0;
    LONG result = RegQueryValueExW(key, u"Name", nullptr, &type, reinterpret_cast<BYTE*>(buffer),
                                   &size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS && type == REG_SZ ? std::u16string(buffer) : u"";
}

std::u16string ascii(const std::string& text)
{
    return std::u16string(text.begin(), text.end());
}

// The device facts that follow "sys.prop" in the system table.
void addDeviceProperties()
{
    addEntry(kSystem, u"device.manufacturer",
             HAL_getSystemParameterText(SPI_GETPLATFORMMANUFACTURER));
    addEntry(kSystem, u"device.model", HAL_getSystemParameterText(SPI_GETOEMINFO));
    addEntry(kSystem, u"device.name", deviceName());
    addEntry(kSystem, u"os.name",
             u"WinCE (WM " + HAL_getSystemParameterText(SPI_GETPLATFORMTYPE) + u")");
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof(version);
    std::u16string osVersion;
    if (GetVersionExW(&version)) {
        osVersion = ascii(std::to_string(version.dwMajorVersion) + "." +
                          std::to_string(version.dwMinorVersion));
    }
    addEntry(kSystem, u"os.version", osVersion);
    addEntry(kSystem, u"os.arch", u"arm");
}

// The last entry with the key, or null.
const HALProperty* lookup(Table table, const char16_t* key, int32_t keyLength)
{
    HALList* list = g_tables[table];
    if (!list || !key) {
        return nullptr;
    }
    for (int32_t i = list->size() - 1; i >= 0; --i) {
        auto* entry = static_cast<const HALProperty*>(list->get(i));
        if (entry->keyLength == keyLength &&
            std::memcmp(entry->key, key, keyLength * sizeof(char16_t)) == 0) {
            return entry;
        }
    }
    return nullptr;
}

int32_t valueLength(Table table, const char16_t* key, int32_t keyLength)
{
    if (!key && keyLength > 0) {
        return -1;
    }
    const HALProperty* entry = lookup(table, key ? key : u"", keyLength);
    return entry ? entry->valueLength : -1;
}

int32_t copyValue(Table table, const char16_t* key, int32_t keyLength, char16_t* buffer,
                  int32_t* length)
{
    if ((!key && keyLength > 0) || (buffer && !length)) {
        return 2;
    }
    const HALProperty* entry = lookup(table, key ? key : u"", keyLength);
    if (!entry) {
        return 4;
    }
    if (!length) {
        return 0;
    }
    int32_t n = std::min(entry->valueLength, std::max(*length, 0));
    if (buffer) {
        std::copy(entry->value, entry->value + n, buffer);
    }
    *length = n;
    return 0;
}

std::u16string g_applicationFolder;

}  // namespace

std::u16string HAL_getSystemParameterText(uint32_t action)
{
    char16_t buffer[65] = {};  // 64 characters and the terminator
    if (!SystemParametersInfoW(action, sizeof(buffer), buffer, 0)) {
        return u"";
    }
    return buffer;
}

void HAL_loadProperties()
{
    HAL_freeProperties();
    g_applicationFolder.clear();
    g_tables[kSystem] = HALList::create();
    g_tables[kApplication] = HALList::create();
    readFile(kSystem, u"sys.prop");
    addDeviceProperties();
    readFile(kApplication, u"app.prop");
    HAL_resetQuirks();
}

void HAL_setPropertyEntryLimit(uint32_t bytes)
{
    g_entryLimit = bytes != 0 ? bytes : UINT32_MAX;
}

void HAL_freeProperties()
{
    freeTable(kSystem);
    freeTable(kApplication);
}

int32_t HAL_getSystemPropertyLength(const char16_t* key, int32_t keyLength)
{
    return valueLength(kSystem, key, keyLength);
}

int32_t HAL_getSystemProperty(const char16_t* key, int32_t keyLength, char16_t* buffer,
                              int32_t* length)
{
    return copyValue(kSystem, key, keyLength, buffer, length);
}

int32_t HAL_getApplicationPropertyLength(const char16_t* key, int32_t keyLength)
{
    return valueLength(kApplication, key, keyLength);
}

int32_t HAL_getApplicationProperty(const char16_t* key, int32_t keyLength, char16_t* buffer,
                                   int32_t* length)
{
    return copyValue(kApplication, key, keyLength, buffer, length);
}

const char16_t* HAL_getApplicationFolder()
{
    if (g_applicationFolder.empty()) {
        char16_t path[1024] = {};
        DWORD n = GetModuleFileNameW(nullptr, path, 1024);
        if (n == 0 || n >= 1024) {
            char message[80];
            std::snprintf(message, sizeof(message), "GetModuleFileName() failed with error %u",
                          n == 0 ? GetLastError() : ERROR_INSUFFICIENT_BUFFER);
            HAL_fatalError(message);
        }
        std::u16string module(path, n);
        g_applicationFolder = module.substr(0, module.find_last_of(u'\\'));
    }
    return g_applicationFolder.c_str();
}

namespace {

// The application folder, a sub-folder and a file name, as one path.
struct PathParts {
    std::u16string_view parts[3];

    PathParts(const char16_t* subFolder, const char16_t* fileName)
        : parts{HAL_getApplicationFolder(), subFolder ? subFolder : u"", fileName ? fileName : u""}
    {
    }

    size_t length() const { return parts[0].size() + parts[1].size() + parts[2].size(); }

    // Writes the parts and a terminator; `out` has room for length() + 1.
    void writeTo(char16_t* out) const
    {
        for (std::u16string_view part : parts) {
            out = std::copy(part.begin(), part.end(), out);
        }
        *out = 0;
    }
};

}  // namespace

char16_t* HAL_buildPath(const char16_t* subFolder, const char16_t* fileName)
{
    PathParts path(subFolder, fileName);
    uint64_t bytes = (static_cast<uint64_t>(path.length()) + 1) * sizeof(char16_t);
    if (bytes > UINT32_MAX) {
        return nullptr;
    }
    auto* out = static_cast<char16_t*>(HAL_malloc(static_cast<uint32_t>(bytes)));
    if (out) {
        path.writeTo(out);
    }
    return out;
}

int32_t HAL_buildPathInto(char16_t* buffer, int32_t bufferLength, const char16_t* subFolder,
                          const char16_t* fileName)
{
    if (!buffer || bufferLength <= 0) {
        return 0;
    }
    std::fill(buffer, buffer + bufferLength, u'\0');
    PathParts path(subFolder, fileName);
    if (path.length() + 1 > static_cast<size_t>(bufferLength)) {
        return 0;
    }
    path.writeTo(buffer);
    return 1;
}

void HAL_getFloatLimits(uint32_t* max, uint32_t* min, uint32_t* nan, uint32_t* negativeInfinity,
                        uint32_t* positiveInfinity)
{
    if (max) *max = 0x7F7FFFFFu;
    if (min) *min = 0x00000001u;
    if (nan) *nan = 0x7FC00000u;
    if (negativeInfinity) *negativeInfinity = 0xFF800000u;
    if (positiveInfinity) *positiveInfinity = 0x7F800000u;
}

void HAL_getDoubleLimits(uint64_t* max, uint64_t* min, uint64_t* nan, uint64_t* negativeInfinity,
                         uint64_t* positiveInfinity)
{
    if (max) *max = 0x7FEFFFFFFFFFFFFFull;
    if (min) *min = 0x0000000000000001ull;
    if (nan) *nan = 0x7FF8000000000000ull;
    if (negativeInfinity) *negativeInfinity = 0xFFF0000000000000ull;
    if (positiveInfinity) *positiveInfinity = 0x7FF0000000000000ull;
}
