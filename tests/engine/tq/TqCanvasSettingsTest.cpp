// Canvas operations on a canvas that is not shown: settings and their
// defaults, device calls that never fail, the text table from a resource,
// and the scene layers behind the canvas's map position and scene size.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/support/EngineBytes.h"
#include "engine/support/TestGameCanvas.h"
#include "java/io/IOException.h"
#include "support/LangTestSupport.h"
#include "tq/Resources.h"

using tq::Resources;
using tq::TqCanvas;
using IntArray = VMArray<int32_t, 1>;
using javax::microedition::lcdui::Graphics;
using javax::microedition::lcdui::Image;

namespace {

class TqCanvasSettingsTest : public vxtest::GameCanvasFixture {
protected:
    void TearDown() override
    {
        Resources::closePack();
        GameCanvasFixture::TearDown();
    }

    // A pack of the given entries, opened.
    static void openPack(const std::vector<Bytes>& entries)
    {
        VMPtr<VMArray<int8_t, 2>> array = VMArray<int8_t, 2>::newArray(int32_t(entries.size()));
        for (size_t i = 0; i < entries.size(); i++)
            array->set(int32_t(i), vmBytes(entries[i]));
        VMPtr<VMByteArray> pack =
            Resources::buildPack(array, vmBytes(Bytes(entries.size(), uint8_t(0xF9))));
        ASSERT_TRUE(Resources::openPack(vmDataStream(bytesOf(pack))));
    }
    // A text table: the count, then each text after its length.
    static Bytes table(const std::vector<std::string>& texts)
    {
        Bytes b{uint8_t(texts.size() >> 8), uint8_t(texts.size())};
        for (const std::string& t : texts) {
            b.insert(b.end(), {uint8_t(t.size() >> 8), uint8_t(t.size())});
            b.insert(b.end(), t.begin(), t.end());
        }
        return b;
    }
};

TEST_F(TqCanvasSettingsTest, SettingsStartOnAndStayAsTheGameSetsThem)
{
    EXPECT_FALSE(canvas->soundSetting);
    EXPECT_FALSE(canvas->vibrationEnabled);
    EXPECT_TRUE(canvas->isVibrationEnabled());
    EXPECT_TRUE(canvas->soundSetting);
    EXPECT_TRUE(canvas->isAlertVibrationEnabled());

    canvas->setVibrationEnabled(false);
    canvas->soundSetting = false;
    canvas->initDefaultSettings(true);
    EXPECT_FALSE(canvas->isVibrationEnabled());
    EXPECT_FALSE(canvas->soundSetting);
    EXPECT_TRUE(canvas->isAlertVibrationEnabled());
    canvas->setAlertVibrationEnabled(false);
    EXPECT_FALSE(canvas->isAlertVibrationEnabled());
    canvas->setVibrationEnabled(true);
    EXPECT_TRUE(canvas->isVibrationEnabled());
}

TEST_F(TqCanvasSettingsTest, DeviceCallsReportFailureInsteadOfThrowing)
{
    // The display refuses a negative duration; the canvas drops that.
    canvas->vibrate(-5);
    canvas->vibrateAlert(-5);
    canvas->vibrate(200);
    canvas->setVibrationEnabled(false);
    canvas->vibrate(-5);
    // This platform takes no alarms.
    EXPECT_FALSE(canvas->registerWakeUpAlarm(0));
    EXPECT_FALSE(canvas->registerWakeUpAlarm(60));
    canvas->logInfo(1, vmString("info"));
    canvas->logDetail(2, vmString("detail"), nullptr);
}

TEST_F(TqCanvasSettingsTest, TheTextTableIsDecodedOnceFromItsResource)
{
    openPack({Bytes{1, 2, 3}, table({"Start", "", "caf\xC3\xA9", "\xE2\x82\xAC"})});
    canvas->loadTextTable(1);
    EXPECT_EQ(canvas->textData.get(), nullptr);
    EXPECT_EQ(canvas->textOffsets.get(), nullptr);
    const char16_t* want[] = {u"Start", u"", u"caf\u00E9", u"\u20AC"};
    for (int32_t i = 0; i < 4; i++) {
        ASSERT_NE(canvas->getText(i).get(), nullptr) << i;
        EXPECT_EQ(std::u16string(canvas->getText(i)->chars(), size_t(canvas->getText(i)->length())),
                  want[i]);
    }
    EXPECT_EQ(vmText(canvas->getTextAlias(0)), "Start");
    // Outside the table: null.
    EXPECT_EQ(canvas->getText(4).get(), nullptr);
    EXPECT_EQ(canvas->getText(-1).get(), nullptr);

    canvas->loadTextTable(-1);
    EXPECT_EQ(canvas->textCache.get(), nullptr);
    EXPECT_EQ(canvas->getText(0).get(), nullptr);

    // A table whose texts run past its size is refused and leaves none.
    canvas->loadTextTable(1);
    openPack({Bytes{0, 1, 0, 3, 'a', 'b'}});
    EXPECT_TRUE(vmThrows<java::io::IOException>([&] { canvas->loadTextTable(0); },
                                                "Damaged text table"));
    EXPECT_EQ(canvas->textCache.get(), nullptr);
    EXPECT_EQ(canvas->getText(0).get(), nullptr);
}

TEST_F(TqCanvasSettingsTest, ARawTableIsDecodedIntoTheCache)
{
    using CharArray = VMArray<char16_t, 1>;
    struct Case {
        std::vector<char16_t> offsets;
        const char* first;
    };
    // A first offset other than 0 means each text follows a length field.
    for (const Case& c : {Case{{2, 7, 12}, "cde"}, Case{{0, 5, 10}, "abcde"}}) {
        canvas->textData = vmBytes(std::string("abcdefghijklmn"));
        VMPtr<CharArray> offsets = CharArray::newArray(3);
        for (int32_t i = 0; i < 3; i++)
            (*offsets)[i] = c.offsets[size_t(i)];
        canvas->textOffsets = offsets;
        canvas->textCache = nullptr;
        EXPECT_EQ(vmText(canvas->getText(0)), c.first);
        canvas->decodeAllTexts();
        EXPECT_EQ(canvas->textData.get(), nullptr);
        EXPECT_EQ(canvas->textCache->length, 2);
        EXPECT_EQ(vmText(canvas->getText(0)), c.first);
    }
}

TEST_F(TqCanvasSettingsTest, TheCanvasPaintsItsLayersAtTheMapPosition)
{
    VMPtr<IntArray> red = IntArray::newArray(16);
    for (int32_t i = 0; i < 16; i++)
        (*red)[i] = int32_t(0xFFF80000u);
    canvas->setMapPosition(9, 9);
    canvas->createTileMap(2, 2, Image::createRGBImage(red, 4, 4, false), 4, 4);
    EXPECT_EQ(canvas->getMapX(), 0);
    canvas->fillCells(0, 0, 2, 2, 1);
    EXPECT_EQ(canvas->getCell(1, 1), 1);
    canvas->setMapPosition(3, 2);
    canvas->setSceneSize(8, 8);

    VMPtr<Image> out = Image::createImage(12, 12, false, 0);
    canvas->paintScene(out->getGraphics());
    VMPtr<IntArray> rgb = IntArray::newArray(144);
    out->getRGB(rgb, 0, 12, 0, 0, 12, 12);
    for (int32_t y = 0; y < 12; y++)
        for (int32_t x = 0; x < 12; x++) {
            bool onMap = x >= 3 && x < 11 && y >= 2 && y < 10;
            ASSERT_EQ(uint32_t((*rgb)[y * 12 + x]), onMap ? 0xFFF80000u : 0xFF000000u) << x << "," << y;
        }

    // A negative scene size releases the map.
    EXPECT_FALSE(canvas->setSceneSize(8, 0));
    EXPECT_TRUE(canvas->setSceneSize(-1, 100));
    EXPECT_EQ(canvas->sceneWidth, 0);
    EXPECT_EQ(canvas->sceneHeight, 100);
    EXPECT_EQ(canvas->layers->cells.get(), nullptr);
}

} // namespace
