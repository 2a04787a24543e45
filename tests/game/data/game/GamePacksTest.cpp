// The game's own packs, as the build made them from assets/game, read
// through the engine: the text table, the two bitmap fonts, and the Gob sets
// and animation sets that the frame and the menus name.

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/support/PackFolderTest.h"
#include "java/lang/String.h"
#include "javax/microedition/lcdui/Graphics.h"
#include "javax/microedition/lcdui/Image.h"
#include "rp/Part2.h"
#include "tq/AnimSet.h"
#include "tq/Gob.h"
#include "tq/Resources.h"
#include "tq/ResourcesExt.h"
#include "tq/util/text/RichFont.h"
#include "tq/util/text/Translation.h"
#include "vm/VMStringLiterals.h"

using javax::microedition::lcdui::Graphics;
using javax::microedition::lcdui::Image;
using tq::Resources;
using tq::util::text::RichFont;
using tq::util::text::Translation;

namespace {

constexpr int32_t FONT_0 = 0x802; // labels, the hub's font 0
constexpr int32_t FONT_1 = 0x801; // text blocks, font 1
constexpr int32_t TEXTS = 0x806;
constexpr int32_t VERSION_TEXT = 33; // the about page puts "1.0.0" right after it

// Texts the code shows as one-line labels (menus, dialogs, pause, options,
// stage selection, shop).
const int32_t labelTexts[] = {1, 8, 10, 11, 17, 24, 25, 27, 29, 31, 48, 49, 50, 51, 52, 53};

class GamePacksTest : public PackFolderTest {
protected:
    void SetUp() override
    {
        PackFolderTest::SetUp();
        installPack(VX_GAME_RSC);
    }
    void TearDown() override { Resources::closePack(); }

    static bool hasPart(int part)
    {
        std::string base = std::string(VX_GAME_RSC) + "/RP" + std::to_string(part);
        return std::filesystem::exists(base + "part0.rp") || std::filesystem::exists(base + ".rp");
    }
    static VMPtr<RichFont> font(int32_t id)
    {
        VMPtr<tq::Gob::GobArray> glyphs = tq::ResourcesExt::loadGobs(id);
        EXPECT_NE(glyphs, nullptr) << id;
        if (!glyphs)
            return nullptr;
        VMPtr<RichFont> f = RichFont::newInstance()->initSystemFont();
        f->setGlyphs(glyphs);
        return f;
    }
    static VMPtr<Translation> texts()
    {
        VMPtr<Translation> t = Resources::loadTranslation(TEXTS);
        EXPECT_NE(t, nullptr);
        return t;
    }
    static std::string utf8(const VMPtr<java::lang::String>& s)
    {
        std::string out;
        for (int32_t i = 0; i < s->length(); i++) {
            char16_t c = s->charAt(i);
            out += c < 0x80 ? char(c) : '?';
        }
        return out;
    }
    // Pixels of a picture that are not the background.
    static int inked(const VMPtr<Image>& image, uint32_t background)
    {
        int w = image->getWidth(), h = image->getHeight();
        VMPtr<VMArray<int32_t, 1>> rgb = VMArray<int32_t, 1>::newArray(w * h);
        image->getRGB(rgb, 0, w, 0, 0, w, h);
        int n = 0;
        for (int i = 0; i < w * h; i++)
            n += (uint32_t((*rgb)[i]) & 0xFFFFFF) != background;
        return n;
    }
};

TEST_F(GamePacksTest, TheTextTableHoldsEveryTextTheCodeNames)
{
    EXPECT_EQ(rp::TEXTS, TEXTS);
    VMPtr<Translation> table = texts();
    ASSERT_NE(table, nullptr);
    ASSERT_GE(table->count, 54);
    for (int32_t id = 0; id <= 53; id++)
        EXPECT_GT(table->getLength(id), 0) << "text " << id;
    // The version follows text 33 with nothing between them.
    std::string version = utf8(table->getString(VERSION_TEXT));
    EXPECT_EQ(version.back(), ' ') << version;
    for (int32_t id : labelTexts)
        EXPECT_EQ(utf8(table->getString(id)).find('\n'), std::string::npos) << "label text " << id;
}

TEST_F(GamePacksTest, TheFontsAreBitmapFontsWithEveryCharacterOfTheTexts)
{
    VMPtr<RichFont> labels = font(FONT_0);
    VMPtr<RichFont> body = font(FONT_1);
    ASSERT_NE(labels, nullptr);
    ASSERT_NE(body, nullptr);
    for (const VMPtr<RichFont>& f : {labels, body}) {
        EXPECT_TRUE(f->isBitmapFont());
        // Readable on a 240 x 320 screen, and lines do not overlap.
        EXPECT_GE(f->getHeight(), 11);
        EXPECT_LE(f->getHeight(), 20);
        EXPECT_GE(f->getLineHeight(), f->getHeight());
        EXPECT_GT(f->getBaselinePosition(), 0);
        EXPECT_LT(f->getBaselinePosition(), f->getHeight());
    }
    EXPECT_GE(labels->getHeight(), body->getHeight()) << "titles are not smaller than the body";

    VMPtr<Translation> table = texts();
    ASSERT_NE(table, nullptr);
    for (int32_t id = 0; id < table->count; id++) {
        VMPtr<java::lang::String> text = table->getString(id);
        for (int32_t i = 0; i < text->length(); i++) {
            char16_t c = text->charAt(i);
            if (c == '\n')
                continue;
            EXPECT_NE(labels->getGlyph(c), nullptr) << "text " << id << " char " << int(c);
            EXPECT_NE(body->getGlyph(c), nullptr) << "text " << id << " char " << int(c);
        }
    }
}

TEST_F(GamePacksTest, LabelTextsFitOnTheScreenAndDrawInk)
{
    VMPtr<RichFont> labels = font(FONT_0);
    VMPtr<Translation> table = texts();
    ASSERT_NE(labels, nullptr);
    ASSERT_NE(table, nullptr);
    for (int32_t id : labelTexts) {
        VMPtr<java::lang::String> text = table->getString(id);
        // A label is one line inside a panel of the 240-pixel-wide screen.
        EXPECT_LE(labels->stringWidth(text), 210) << "label text " << id << ": " << utf8(text);
    }
    // The glyphs carry their own light colour: they show on a dark panel.
    VMPtr<Image> image = Image::createImage(120, 30, false, 0x000000);
    labels->drawString(image->getGraphics(), table->getString(50), 2, 2, Graphics::TOP | Graphics::LEFT);
    EXPECT_GT(inked(image, 0x000000), 20);
}

// Pictures of parts 1 and 3 that the frame and the menus show: a Gob set, its
// animation set, the highest frame and the highest animation the code picks
// (-1: none), and a frame that must show something.
struct Pair {
    int32_t gobs;
    int32_t anims;
    int32_t highestFrame;
    int32_t highestAnimation;
    int32_t shownFrame;
};

const Pair menuPictures[] = {
    {0xC01, 0xC00, -1, 0, 0},  // animated logo
    {1055, 1035, 0, -1, 0},    // title picture
    {1043, 1026, 0, -1, 0},    // title banner
    {1057, 1037, 0, -1, 0},    // backdrop
    {1059, 1039, 73, 16, 30},  // buttons, arrows, dialogs (frame 30: the dialog)
    {1047, 1028, 12, -1, 4},   // shop and stage selection sheet
    {1046, 1027, 6, -1, 5},    // option icons
    {1041, 1024, -1, 9, 0},    // stage picture backing and bezel
    {1042, 1025, 0, -1, 0},    // progress mark
};

TEST_F(GamePacksTest, MenuPicturesLoadAndDraw)
{
    if (!hasPart(1) || !hasPart(3))
        GTEST_SKIP() << "the pictures' packs (parts 1 and 3) are not built yet";
    for (const Pair& p : menuPictures) {
        SCOPED_TRACE(p.gobs);
        VMPtr<tq::Gob::GobArray> gobs = tq::ResourcesExt::loadGobs(p.gobs);
        ASSERT_NE(gobs, nullptr);
        EXPECT_GT(gobs->length, 0);
        VMPtr<tq::AnimSet> set = Resources::loadAnimSet(p.anims);
        ASSERT_NE(set, nullptr);
        EXPECT_GT(set->getFrameCount(), p.highestFrame);
        EXPECT_GT(set->getAnimationCount(), p.highestAnimation);
        set->setGobs(gobs);
        VMPtr<Image> image = Image::createImage(240, 320, false, 0x102030);
        set->paintFrame(image->getGraphics(), p.shownFrame, 120, 160, 0);
        EXPECT_GT(inked(image, 0x102030), 0) << "frame " << p.shownFrame << " shows nothing";
    }
    // The loading picture is Gob 0 of its set.
    VMPtr<tq::Gob::GobArray> loading = tq::ResourcesExt::loadGobs(0x415);
    ASSERT_NE(loading, nullptr);
    EXPECT_GT(loading->get(0)->getWidth(0), 0);
}

// Texts the code puts into boxes of the pictures (a box is the first
// collision box of that id in the frame): labels are one line of font 0,
// text blocks wrap in font 1.
struct TextBox {
    int32_t anims;
    int32_t frame;
    int32_t box;
    std::vector<int32_t> texts;
    bool wrapped;
};

const TextBox textBoxes[] = {
    {1039, 1, 2, {29, 24, 25, 27}, false},        // main menu: the selected item
    {1039, 30, 2, {27, 24, 8, 51, 52, 53}, false}, // dialogs: title, shop questions
    {1039, 30, 3, {8}, false},                    // quit question
    {1039, 30, 1, {9}, true},                     // sound question body
    {1039, 28, 1, {1}, false},                    // options rows
    {1039, 28, 2, {31}, false},
    {1039, 29, 1, {25}, false},                   // about page title
    {1028, 3, 3, {50, 48}, false},                // shop and stage selection titles
};

// Lines of a greedy word wrap at width.
int32_t wrappedLines(const VMPtr<RichFont>& font, const std::string& text, int32_t width)
{
    int32_t lines = 1;
    std::string line;
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find_first_of(" \n", at);
        std::string word = text.substr(at, end == std::string::npos ? std::string::npos : end - at);
        std::string longer = line.empty() ? word : line + " " + word;
        if (!line.empty() && font->stringWidth(java::lang::String::newFromCString(longer.c_str())) > width) {
            lines++;
            line = word;
        } else {
            line = longer;
        }
        if (end != std::string::npos && text[end] == '\n') {
            lines++;
            line.clear();
        }
        at = end == std::string::npos ? text.size() : end + 1;
    }
    return lines;
}

TEST_F(GamePacksTest, TextsFitTheBoxesTheyArePutIn)
{
    if (!hasPart(1))
        GTEST_SKIP() << "the pictures' pack (part 1) is not built yet";
    VMPtr<RichFont> labels = font(FONT_0);
    VMPtr<RichFont> body = font(FONT_1);
    VMPtr<Translation> table = texts();
    ASSERT_NE(table, nullptr);
    for (const TextBox& b : textBoxes) {
        SCOPED_TRACE(testing::Message() << b.anims << " frame " << b.frame << " box " << b.box);
        VMPtr<tq::AnimSet> set = Resources::loadAnimSet(b.anims);
        ASSERT_NE(set, nullptr);
        VMPtr<VMArray<int32_t, 1>> rect = VMArray<int32_t, 1>::newArray(5 * 8);
        ASSERT_GT(set->getCollisionRects(b.frame, 0, rect, b.box), 0);
        int32_t width = (*rect)[2], height = (*rect)[3];
        for (int32_t id : b.texts) {
            VMPtr<java::lang::String> text = table->getString(id);
            if (b.wrapped) {
                int32_t lines = wrappedLines(body, utf8(text), width - 5);
                EXPECT_LE(lines * body->getLineHeight(), height) << "text " << id << " in " << lines << " lines";
            } else {
                EXPECT_LE(labels->stringWidth(text), width) << "text " << id << ": " << utf8(text);
                EXPECT_LE(labels->getHeight(), height + 4) << "text " << id;
            }
        }
    }
}

} // namespace
