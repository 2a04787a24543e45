// Fonts through the font cache and the GDI text stand-in, and the display
// orientation table.

#include <gtest/gtest.h>

#include <string>

#include "hal/HALFont.h"
#include "hal/hal.h"
#include "support/AppFolder.h"
#include "wince/detail/gdi.h"
#include "wince/testing.h"

namespace {

const LOGFONTW& logical(HALFont* font)
{
    return font->handle->logical;
}

std::u16string faceName(HALFont* font)
{
    return std::u16string(logical(font).lfFaceName);
}

TEST(Fonts, CacheKeysOnFaceSizeAndEveryStyleBit)
{
    struct Case {
        int32_t face, style, size;
        const char16_t* name;
        LONG height;
        BYTE italic, underline;
    } cases[] = {
        {0, 0, 0, u"Tahoma", 12, 0, 0},           {32, 0, 16, u"Courier New", 16, 0, 0},
        {64, 1, 8, u"Tahoma Bold", 9, 0, 0},      {32, 3, 0, u"Courier New Bold", 12, 1, 0},
        {0, 4, 99, u"Tahoma", 9, 0, 1},           {7, 7, 16, u"Tahoma Bold", 16, 1, 1},
    };
    for (const Case& c : cases) {
        HALFont* font = nullptr;
        ASSERT_EQ(HAL_getFont(&font, c.face, c.style, c.size), 0);
        HALFont* again = nullptr;
        ASSERT_EQ(HAL_getFont(&again, c.face, c.style, c.size), 0);
        EXPECT_EQ(font, again);
        EXPECT_EQ(faceName(font), c.name);
        EXPECT_EQ(logical(font).lfHeight, c.height);
        EXPECT_EQ(logical(font).lfWeight, 0);
        EXPECT_EQ(logical(font).lfItalic, c.italic);
        EXPECT_EQ(logical(font).lfUnderline, c.underline);
    }
    HALFont *plain = nullptr, *boldItalic = nullptr, *bold = nullptr;
    HAL_getFont(&plain, 0, 0, 0);
    HAL_getFont(&boldItalic, 0, 3, 0);
    HAL_getFont(&bold, 0, 1, 0);
    EXPECT_NE(plain, boldItalic);
    EXPECT_NE(bold, boldItalic);
    HALFont *small = nullptr, *large = nullptr;
    HAL_getFont(&small, 64, 0, 8);
    HAL_getFont(&large, 64, 0, 16);
    EXPECT_GT(HAL_getFontHeight(large), HAL_getFontHeight(small));
    EXPECT_GT(HAL_getFontAscent(large), HAL_getFontAscent(small));
    EXPECT_EQ(HAL_getFontHeight(nullptr), 0);
    EXPECT_EQ(HAL_getStringWidth(nullptr, u"a", 1), 0);
    HAL_releaseFontCache();
}

TEST(Fonts, TextIsMeasuredAndDrawnWithoutPrefixProcessing)
{
    HALFont* font = nullptr;
    ASSERT_EQ(HAL_getFont(&font, 0, 0, 16), 0);
    int32_t amp = HAL_getStringWidth(font, u"&", 1);
    EXPECT_GT(amp, 0);
    EXPECT_EQ(HAL_getStringWidth(font, u"a&b", 3),
              HAL_getStringWidth(font, u"a", 1) + amp + HAL_getStringWidth(font, u"b", 1));
    // Drawn: white on black into a top-down bitmap, some pixel fully lit.
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateBitmap(40, 24, 1, 16, nullptr);
    SelectObject(dc, bitmap);
    SelectObject(dc, font->handle);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    RECT box{0, 0, 40, 24};
    DrawTextW(dc, u"&", 1, &box, 0);
    int lit = 0, full = 0;
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 40; ++x) {
            uint16_t p = bitmap->row(y)[x];
            lit += p != 0;
            full += p == 0xFFFF;
            EXPECT_TRUE(p == 0 || x < amp + 2) << x << "," << y;
        }
    }
    EXPECT_GT(full, 0);
    EXPECT_GT(lit, 10);
    DeleteDC(dc);
    DeleteObject(bitmap);
    HAL_releaseFontCache();
}

TEST(Orientation, TableFromPropertiesMapsToTheDevice)
{
    vxtest::AppFolder app;
    app.writeAppProperties("WinceDisplayOrientation0: rotate90cw\nWinceDisplayOrientation90: sideways\n"
                           "WinceDisplayOrientation180: normal\n");
    HAL_loadProperties();
    HAL_loadOrientationTable();
    wince::setDisplayOrientation(DMDO_0);
    int32_t orientation = -1;
    ASSERT_EQ(HAL_getOrientation(&orientation), 0);
    EXPECT_EQ(orientation, 3);  // table entry of the device's index 0
    uint32_t before = wince::displayChanges();
    EXPECT_EQ(HAL_setOrientation(4), 0);
    EXPECT_EQ(wince::displayChanges(), before);
    DWORD asked = 99;
    EXPECT_EQ(HAL_setOrientation(0), 8);  // the fixed display refuses a turn
    EXPECT_EQ(wince::displayChanges(&asked), before + 1);
    EXPECT_EQ(asked, DMDO_270);
    EXPECT_EQ(HAL_setOrientation(2), 0);  // "normal": the display as it is
    EXPECT_EQ(wince::displayChanges(&asked), before + 2);
    EXPECT_EQ(asked, DMDO_0);
    EXPECT_EQ(HAL_setOrientation(1), 8);  // an unknown value keeps entry 1
    EXPECT_EQ(wince::displayChanges(&asked), before + 3);
    EXPECT_EQ(asked, DMDO_90);
    // Re-applying asks again only when the device differs.
    HAL_setOrientation(2);
    before = wince::displayChanges();
    HAL_reapplyOrientation();
    EXPECT_EQ(wince::displayChanges(), before);
    wince::setDisplayOrientation(DMDO_180);
    HAL_reapplyOrientation();
    EXPECT_EQ(wince::displayChanges(&asked), before + 1);
    EXPECT_EQ(asked, DMDO_0);
    HAL_freeProperties();
}

}  // namespace
