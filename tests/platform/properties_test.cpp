// Property files, the device properties, the built-in properties, paths and
// the device quirks, read from a temporary application folder.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>

#include "hal/hal.h"
#include "support/AppFolder.h"
#include "wince/file.h"
#include "wince/testing.h"

namespace {

using vxtest::AppFolder;

std::u16string get(int32_t (*read)(const char16_t*, int32_t, char16_t*, int32_t*),
                   std::u16string_view key)
{
    char16_t buffer[512];
    int32_t length = 512;
    int32_t status = read(key.data(), static_cast<int32_t>(key.size()), buffer, &length);
    return status == 0 ? std::u16string(buffer, static_cast<size_t>(length)) : u"<absent>";
}

// A host path as the platform layer spells it.
std::u16string windowsPath(const std::string& hostPath)
{
    std::u16string path;
    for (char c : hostPath) {
        path += c == '/' ? u'\\' : static_cast<char16_t>(c);
    }
    return path;
}

std::u16string appProperty(std::u16string_view key)
{
    return get(HAL_getApplicationProperty, key);
}

std::u16string sysProperty(std::u16string_view key)
{
    return get(HAL_getSystemProperty, key);
}

class Properties : public ::testing::Test {
protected:
    void TearDown() override
    {
        HAL_freeProperties();
        HAL_setPropertyEntryLimit(0);
        wince::resetDevice();
    }

    // Loads the properties; answers what they said on the console.
    std::string loadAndListen()
    {
        ::testing::internal::CaptureStderr();
        HAL_loadProperties();
        return ::testing::internal::GetCapturedStderr();
    }

    AppFolder app;
};

TEST_F(Properties, LineEndsAreCutAndNothingElse)
{
    struct Case {
        const char* file;
        const char16_t* value;
    };
    const Case cases[] = {
        {"Key: value\n", u"value"},
        {"Key: value\r\n", u"value"},
        {"Key: value", u"value"},  // the last line without a line end
        {"Key: x\n", u"x"},
        {"Key: x", u"x"},
        {"Key: \n", u""},
        {"Key:\n", u""},
        {"Key:value\n", u"value"},        // no blank after the colon
        {"Key: a: b\n", u"a: b"},         // only the first colon splits
        {"Key:  two blanks\n", u" two blanks"},
        {"Key: caf\xC3\xA9 \xF0\x9F\x98\x80\n", u"caf\u00E9 \U0001F600"},
        {"\xEF\xBB\xBFKey: after a byte-order mark\n", u"after a byte-order mark"},
        {"no colon here\nKey: found\n\n", u"found"},
    };
    for (const Case& c : cases) {
        app.writeAppProperties(c.file);
        HAL_loadProperties();
        EXPECT_EQ(appProperty(u"Key"), c.value) << "file: " << c.file;
    }
}

TEST_F(Properties, LongLinesAreKeptWhole)
{
    std::string value(700, 'v');
    value += ": not a key";
    app.writeAppProperties("Long: " + value + "\nNext: 1\n");
    HAL_loadProperties();
    EXPECT_EQ(HAL_getApplicationPropertyLength(u"Long", 4), static_cast<int32_t>(value.size()));
    EXPECT_EQ(appProperty(u"Next"), u"1");
    EXPECT_EQ(HAL_getApplicationPropertyLength(u"vvvv", 4), -1);
}

TEST_F(Properties, AByteOrderMarkIsDroppedWhereverTheFirstLineEnds)
{
    // A first line without a line end whose characters (mark included) fill
    // the reader's 255-character pieces exactly ends at the end of the file
    // after the last piece, not within one.
    for (size_t units : {254u, 255u, 256u, 510u}) {
        std::string value(units - 6, 'v');  // the mark and "Key: " are 6
        app.writeAppProperties("\xEF\xBB\xBFKey: " + value);
        HAL_loadProperties();
        EXPECT_EQ(HAL_getApplicationPropertyLength(u"Key", 3), static_cast<int32_t>(value.size()))
            << units << " characters";
    }
}

// Entries are single blocks whose size is a 32-bit count: a line too long
// for one is left out whole (shown here with a small limit), and what follows
// it is read as usual.
TEST_F(Properties, ALineTooLongForAnEntryIsLeftOutAndTold)
{
    HAL_setPropertyEntryLimit(256);
    // The long line spans three of the reader's pieces; its third piece
    // looks like a line of its own.
    std::string longLine = "Long: " + std::string(504, 'v') + "X: y\n";
    app.writeAppProperties("Short: " + std::string(40, 's') + "\n" + longLine + "After: 1\n" +
                           "Last: " + std::string(300, 'w'));
    std::string told = loadAndListen();
    EXPECT_EQ(appProperty(u"Short"), std::u16string(40, u's'));
    EXPECT_EQ(appProperty(u"Long"), u"<absent>");
    EXPECT_EQ(appProperty(u"X"), u"<absent>");
    EXPECT_EQ(appProperty(u"After"), u"1");
    EXPECT_EQ(appProperty(u"Last"), u"<absent>");
    EXPECT_NE(told.find("properties\\app.prop line 2: too long"), std::string::npos) << told;
    EXPECT_NE(told.find("properties\\app.prop line 4: too long"), std::string::npos) << told;
    EXPECT_EQ(told.find("line 1"), std::string::npos) << told;
}

TEST_F(Properties, TextThatIsNotUtf8IsToldWithFileAndLine)
{
    struct Case {
        std::string file;
        const char16_t* name;  // the value of "Name", or null when absent
        const char* told;      // null: nothing is said
    };
    const Case cases[] = {
        {"Good: 1\nName: caf\xE9\nLast: 2\n", u"caf\uFFFD",
         "properties\\app.prop line 2: not UTF-8"},
        {"Good: 1\nLast: 2\nName: \xC3\n", u"\uFFFD", "properties\\app.prop line 3: not UTF-8"},
        {std::string("\xFF\xFEN\0a\0m\0e\0:\0 \0x\0\n\0", 18), nullptr,
         "properties\\app.prop: UTF-16 text, not read"},
        {std::string("\xFE\xFF\0N\0a\0m\0e\0:\0 \0x\0\n", 18), nullptr,
         "properties\\app.prop: UTF-16 text, not read"},
        {"Good: 1\nName: \xEF\xBF\xBD\nLast: 2\n", u"\uFFFD", nullptr},  // a real U+FFFD
    };
    for (const Case& c : cases) {
        app.writeAppProperties(c.file);
        std::string told = loadAndListen();
        EXPECT_EQ(appProperty(u"Name"), c.name ? c.name : u"<absent>") << c.file;
        if (c.told) {
            EXPECT_NE(told.find(c.told), std::string::npos) << told;
        } else {
            EXPECT_EQ(told, "");
        }
        if (c.name) {
            EXPECT_EQ(appProperty(u"Good"), u"1");
            EXPECT_EQ(appProperty(u"Last"), u"2");
        }
    }
}

TEST_F(Properties, ANulCharacterInALineKeepsTheLinesApart)
{
    app.writeAppProperties(std::string("Damaged: ab\0cd\nNext: 1\n\0\nLast: 2\n", 33));
    HAL_loadProperties();
    EXPECT_EQ(appProperty(u"Damaged"), std::u16string(u"ab\0cd", 5));
    EXPECT_EQ(appProperty(u"Next"), u"1");
    EXPECT_EQ(appProperty(u"Last"), u"2");
}

TEST_F(Properties, LaterLinesWinAndTheTwoFilesStaySeparate)
{
    app.writeSysProperties("Shared: sys\nos.arch: sparc\ndevice.name: from file\n");
    app.writeAppProperties("Shared: first\nShared: second\n");
    HAL_loadProperties();
    EXPECT_EQ(appProperty(u"Shared"), u"second");
    EXPECT_EQ(sysProperty(u"Shared"), u"sys");
    // The device's facts come after sys.prop and win over it.
    EXPECT_EQ(sysProperty(u"os.arch"), u"arm");
    EXPECT_EQ(sysProperty(u"device.name"), u"Vexalon");
    EXPECT_EQ(sysProperty(u"os.name"), u"WinCE (WM PocketPC)");
    EXPECT_EQ(sysProperty(u"os.version"), u"5.2");
    EXPECT_EQ(sysProperty(u"device.model"), u"Vexalon Desktop");
    EXPECT_EQ(appProperty(u"os.arch"), u"<absent>");
}

TEST_F(Properties, MissingFilesLeaveEmptyTables)
{
    HAL_loadProperties();
    EXPECT_EQ(HAL_getApplicationPropertyLength(u"MIDlet-Name", 11), -1);
    EXPECT_EQ(appProperty(u"MIDlet-Name"), u"<absent>");
    EXPECT_EQ(sysProperty(u"os.arch"), u"arm");
}

TEST_F(Properties, CopiesAndArgumentErrors)
{
    app.writeSysProperties("Key: abcdef\n");
    HAL_loadProperties();
    char16_t buffer[8] = {u'#', u'#', u'#', u'#', u'#', u'#', u'#', u'#'};
    int32_t length = 3;
    EXPECT_EQ(HAL_getSystemProperty(u"Key", 3, buffer, &length), 0);
    EXPECT_EQ(length, 3);
    EXPECT_EQ(std::u16string(buffer, 8), u"abc#####");  // nothing past the count
    EXPECT_EQ(HAL_getSystemPropertyLength(u"Key", 3), 6);
    EXPECT_EQ(HAL_getSystemPropertyLength(u"key", 3), -1);  // case counts
    EXPECT_EQ(HAL_getSystemPropertyLength(u"Ke", 2), -1);
    EXPECT_EQ(HAL_getSystemPropertyLength(nullptr, 3), -1);
    EXPECT_EQ(HAL_getSystemProperty(nullptr, 3, buffer, &length), 2);
    EXPECT_EQ(HAL_getSystemProperty(u"Key", 3, buffer, nullptr), 2);
    EXPECT_EQ(HAL_getSystemProperty(u"Nope", 4, buffer, &length), 4);
}

TEST_F(Properties, PathsJoinTheApplicationFolder)
{
    HAL_loadProperties();
    std::u16string folder = HAL_getApplicationFolder();
    std::u16string expected = windowsPath(app.path());
    EXPECT_EQ(folder, expected);
    char16_t* path = HAL_buildPath(u"\\rsc\\", u"RP1.rp");
    ASSERT_NE(path, nullptr);
    EXPECT_EQ(std::u16string(path), expected + u"\\rsc\\RP1.rp");
    HAL_free(path);
    std::u16string full = expected + u"\\rsc\\RP1.rp";
    std::vector<char16_t> buffer(full.size() + 1, u'#');
    EXPECT_EQ(HAL_buildPathInto(buffer.data(), static_cast<int32_t>(full.size()), u"\\rsc\\",
                                u"RP1.rp"),
              0);
    EXPECT_EQ(HAL_buildPathInto(buffer.data(), static_cast<int32_t>(buffer.size()), u"\\rsc\\",
                                u"RP1.rp"),
              1);
    EXPECT_EQ(std::u16string(buffer.data()), full);
}

TEST_F(Properties, ARelativeApplicationFolderIsMadeAbsoluteOnce)
{
    app.writeAppProperties("MIDlet-Name: Relative\n");
    std::filesystem::path saved = std::filesystem::current_path();
    std::filesystem::path folder(app.path());
    std::filesystem::current_path(folder.parent_path());
    setenv("VEXALON_APP_DIR", ("./" + folder.filename().string() + "/").c_str(), 1);
    HAL_loadProperties();
    std::filesystem::current_path("/");  // moving on later changes nothing
    EXPECT_EQ(appProperty(u"MIDlet-Name"), u"Relative");
    EXPECT_EQ(std::u16string(HAL_getApplicationFolder()), windowsPath(app.path()));
    char16_t* path = HAL_buildPath(u"\\PROPERTIES\\", u"App.Prop");
    ASSERT_NE(path, nullptr);
    FILE* file = _wfopen(path, u"rt");
    HAL_free(path);
    EXPECT_NE(file, nullptr);
    if (file) {
        std::fclose(file);
    }
    std::filesystem::current_path(saved);
}

TEST_F(Properties, DeviceTextsOfSixtyFourCharactersAreRead)
{
    std::u16string model(64, u'm');
    wince::setDeviceTexts(model.c_str(), std::u16string(64, u'f').c_str(), nullptr);
    HAL_loadProperties();
    EXPECT_EQ(sysProperty(u"device.model"), model);
    EXPECT_EQ(sysProperty(u"device.manufacturer"), std::u16string(64, u'f'));
    // A longer text cannot be read whole, and is left empty.
    wince::setDeviceTexts(std::u16string(65, u'm').c_str(), nullptr, nullptr);
    HAL_loadProperties();
    EXPECT_EQ(sysProperty(u"device.model"), u"");
}

TEST_F(Properties, PointerQuirkFollowsTheDeviceClassAndScreen)
{
    struct Case {
        const char16_t* model;
        int width;
        int height;
        int32_t deviceClass;
        bool on;
        std::vector<int32_t> points;
    };
    const Case cases[] = {
        {u"Vexalon Desktop", 240, 320, 1, false, {}},
        {u"Microsoft DeviceEmulator", 240, 320, 2, false, {}},
        {u"HTC Touch Diamond P3700", 240, 320, 3, true, {407, 26}},
        {u"DIAM500", 240, 320, 3, true, {407, 26}},
        {u"HTC-P4600", 240, 320, 4, true, {407, 26, 505, 26}},
        {u"HTC", 320, 240, 5, true, {203, 13, 247, 13}},
        {u"HTC", 480, 640, 5, false, {}},
        {u"O2 Xda Atom Exec", 240, 320, 6, true, {171, 13}},
        {u"PA10A1", 240, 320, 7, true, {203, 13, 251, 13}},
        {u"htc", 240, 320, 1, false, {}},  // the model text matches exactly
    };
    for (const Case& c : cases) {
        wince::setDeviceTexts(c.model, nullptr, nullptr);
        wince::setScreenSize(c.width, c.height);
        HAL_loadProperties();
        EXPECT_EQ(HAL_getDeviceClass(), c.deviceClass);
        EXPECT_EQ(HAL_isQuirkOn(HAL_QUIRK_IGNORE_SOME_POINTER_EVENTS), c.on);
        int32_t points[16];
        int32_t count = 16;
        HAL_getQuirkInts(HAL_QUIRK_IGNORE_SOME_POINTER_EVENTS, "WHERE", points, &count);
        EXPECT_EQ(std::vector<int32_t>(points, points + count), c.points);
    }
}

TEST_F(Properties, SystemPropertySwitchesTheQuirkOnAnyDevice)
{
    struct Case {
        const char16_t* model;
        const char* properties;
        bool on;
        std::vector<int32_t> points;
    };
    const Case cases[] = {
        {u"HTC Touch Diamond P3700",
         "TQ_WINCE_PROPERTY_BUG_IGNORE_SOME_POINTER_EVENTS: false\n", false, {407, 26}},
        {u"HTC Touch Diamond P3700", "TQ_WINCE_PROPERTY_BUG_IGNORE_SOME_POINTER_EVENTS: 0\n",
         false, {407, 26}},
        {u"HTC Touch Diamond P3700", "TQ_WINCE_PROPERTY_BUG_IGNORE_SOME_POINTER_EVENTS: yes\n",
         false, {407, 26}},
        {u"Vexalon Desktop", "TQ_WINCE_PROPERTY_BUG_IGNORE_SOME_POINTER_EVENTS: 1\n", true, {}},
        {u"Vexalon Desktop",
         "TQ_WINCE_PROPERTY_BUG_IGNORE_SOME_POINTER_EVENTS: 7\n"
         "TQ_WINCE_PROPERTY_BUG_IGNORE_SOME_POINTER_EVENTS_WHERE: 1, 2,x,3,4\n",
         true, {1, 2, 3, 4}},
    };
    for (const Case& c : cases) {
        wince::setDeviceTexts(c.model, nullptr, nullptr);
        app.writeSysProperties(c.properties);
        HAL_loadProperties();
        EXPECT_EQ(HAL_isQuirkOn(HAL_QUIRK_IGNORE_SOME_POINTER_EVENTS), c.on) << c.properties;
        int32_t points[16];
        int32_t count = 16;
        HAL_getQuirkInts(HAL_QUIRK_IGNORE_SOME_POINTER_EVENTS, "WHERE", points, &count);
        EXPECT_EQ(std::vector<int32_t>(points, points + count), c.points) << c.properties;
    }
}

TEST_F(Properties, QuirkIntegersStopAtTheAskedCount)
{
    wince::setDeviceTexts(u"HTC-P4600", nullptr, nullptr);
    HAL_loadProperties();
    int32_t points[3] = {-1, -1, -1};
    int32_t count = 2;
    EXPECT_TRUE(HAL_getQuirkInts(HAL_QUIRK_IGNORE_SOME_POINTER_EVENTS, "WHERE", points, &count));
    EXPECT_EQ(count, 2);
    EXPECT_EQ(points[2], -1);
    char16_t text[8];
    EXPECT_TRUE(HAL_getQuirkText(HAL_QUIRK_IGNORE_SOME_POINTER_EVENTS, "WHERE", text, 8));
    EXPECT_EQ(std::u16string(text), u"407,26,");  // cut to the buffer
    EXPECT_FALSE(HAL_getQuirkText(HAL_QUIRK_IGNORE_SOME_POINTER_EVENTS, "OTHER", text, 8));
    EXPECT_EQ(text[0], 0);
}

std::map<std::string, std::string> builtIns()
{
    std::map<std::string, std::string> table;
    HAL_listBuiltInProperties(
        [](void* context, const char* key, const char* value) {
            auto& t = *static_cast<std::map<std::string, std::string>*>(context);
            EXPECT_TRUE(t.emplace(key, value).second) << "twice: " << key;
        },
        &table);
    return table;
}

TEST(BuiltInProperties, FixedAnswersLocaleAndUniqueIdentifier)
{
    setenv("LANG", "it_IT.UTF-8", 1);
    unsetenv("LC_ALL");
    std::map<std::string, std::string> table = builtIns();
    EXPECT_EQ(table["microedition.configuration"], "CLDC-1.1");
    EXPECT_EQ(table["microedition.profiles"], "MIDP-2.0");
    EXPECT_EQ(table["microedition.encoding"], "UTF-8");
    EXPECT_EQ(table["microedition.locale"], "it-it");
    EXPECT_EQ(table["microedition.commports"], "");
    EXPECT_EQ(table["com.tarquel.velto.hal.platform"], "WindowsMobile");
    EXPECT_EQ(table["com.tarquel.velto.hal.version"], "1");
    const std::string& id = table["com.tarquel.velto.hal.uniqueid"];
    ASSERT_EQ(id.size(), 4u + 40u);
    EXPECT_EQ(id.substr(0, 4), "Wind");
    EXPECT_EQ(id.find_first_not_of("0123456789abcdef", 4), std::string::npos);
    EXPECT_EQ(builtIns()["com.tarquel.velto.hal.uniqueid"], id);  // stable
    EXPECT_EQ(table.size(), 12u);
}

TEST(BuiltInProperties, LocalesByLanguage)
{
    const std::pair<const char*, const char*> cases[] = {
        {"it_IT", "it-it"}, {"fr_FR", "fr-fr"}, {"pt_PT", "pt-pt"}, {"de_DE", "de-de"},
        {"es_ES", "es-es"}, {"ru_RU", "ru"},    {"en_GB", "en-us"}, {"nl_NL", "en-us"},
        {"C", "en-us"},
    };
    unsetenv("LC_ALL");
    for (const auto& [lang, locale] : cases) {
        setenv("LANG", lang, 1);
        ASSERT_NE(HAL_getLocale(), nullptr);
        EXPECT_STREQ(HAL_getLocale(), locale) << lang;
    }
}

}  // namespace
