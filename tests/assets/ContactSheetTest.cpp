#include <png.h>

#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "assets/ToolPackTest.h"

namespace {

class ContactSheetTest : public ToolPackTest {
protected:
    vxtest::ToolRun draw(const std::string& expectations)
    {
        write("pack.expect", expectations);
        return vxtest::runTool(std::string(VX_CONTACTSHEET) + " " + path("app") + " " + path("sheets") + " " +
                               path("pack.manifest") + " " + path("pack.expect"));
    }

    // The colours of a written sheet, RGB.
    std::set<uint32_t> colours(const std::string& name)
    {
        png_image image{};
        image.version = PNG_IMAGE_VERSION;
        std::string file = path("sheets/" + name);
        EXPECT_TRUE(png_image_begin_read_from_file(&image, file.c_str())) << file;
        image.format = PNG_FORMAT_RGB;
        std::vector<uint8_t> rgb(PNG_IMAGE_SIZE(image));
        EXPECT_TRUE(png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) << file;
        std::set<uint32_t> seen;
        for (size_t i = 0; i + 2 < rgb.size(); i += 3)
            seen.insert(uint32_t(rgb[i]) << 16 | uint32_t(rgb[i + 1]) << 8 | rgb[i + 2]);
        return seen;
    }
};

constexpr uint32_t GOB_COLOUR = 0x336699;
constexpr uint32_t BOX_COLOUR = 0xFF3030;

// Pictures are drawn in 16-bit colour: a channel may lose its low bits.
bool shows(const std::set<uint32_t>& seen, uint32_t colour)
{
    for (uint32_t c : seen) {
        bool near = true;
        for (int shift : {0, 8, 16})
            near = near && std::abs(int(c >> shift & 0xFF) - int(colour >> shift & 0xFF)) < 8;
        if (near)
            return true;
    }
    return false;
}

TEST_F(ContactSheetTest, DrawsEveryGobSetAndAnimationSetWithItsBoxes)
{
    vxtest::ToolRun run = draw("animset 0x402 gobs=0x401\n");
    ASSERT_EQ(run.status, 0) << run.output;
    // The fonts are not picture sets; the Gob sets and the animation set are.
    for (const char* sheet : {"pack-GOBS.png", "pack-MOVES.png", "pack-ONE_GOB.png"})
        EXPECT_NE(run.output.find(sheet), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("FONT"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("3 contact sheets"), std::string::npos) << run.output;

    std::set<uint32_t> gobs = colours("pack-GOBS.png");
    EXPECT_TRUE(shows(gobs, GOB_COLOUR));
    EXPECT_TRUE(shows(gobs, BOX_COLOUR)) << "Gob 0's collision box is outlined";
    std::set<uint32_t> moves = colours("pack-MOVES.png");
    EXPECT_TRUE(shows(moves, GOB_COLOUR)) << "the frame is drawn with its Gob set";
    EXPECT_TRUE(shows(moves, BOX_COLOUR)) << "the frame's boxes are outlined";
}

TEST_F(ContactSheetTest, AnAnimationSetWithoutItsGobSetShowsItsBoxesOnly)
{
    vxtest::ToolRun run = draw("# no gobs= for 0x402\n");
    ASSERT_EQ(run.status, 0) << run.output;
    std::set<uint32_t> moves = colours("pack-MOVES.png");
    EXPECT_FALSE(shows(moves, GOB_COLOUR));
    EXPECT_TRUE(shows(moves, BOX_COLOUR));
}

TEST_F(ContactSheetTest, WithoutExpectationsAnAnimationSetTakesTheGobSetNamedLikeIt)
{
    write("named.manifest", "part 1 chunked\n"
                            "entry SHEET png sheet.png\n"
                            "entry GOBS gobset sheet.gobs image=SHEET\n"
                            "entry GOBS_ANIMS animset moves.anim\n"
                            "entry ANIM_GOBS animset moves.anim\n"
                            "entry OTHER_ANIMS animset moves.anim\n");
    vxtest::ToolRun built = vxtest::runTool(std::string(VX_PACKBUILDER) + " " + path("named.manifest") + " " +
                                            path("named/rsc") + " " + path("Named.h"));
    ASSERT_EQ(built.status, 0) << built.output;
    vxtest::ToolRun run = vxtest::runTool(std::string(VX_CONTACTSHEET) + " " + path("named") + " " +
                                          path("sheets") + " " + path("named.manifest"));
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_TRUE(shows(colours("named-GOBS_ANIMS.png"), GOB_COLOUR));
    EXPECT_TRUE(shows(colours("named-ANIM_GOBS.png"), GOB_COLOUR));
    EXPECT_FALSE(shows(colours("named-OTHER_ANIMS.png"), GOB_COLOUR));
}

TEST_F(ContactSheetTest, ASetThatDoesNotLoadFailsNamingIt)
{
    // The animation set's Gob set is a text table.
    vxtest::ToolRun run = draw("animset 0x402 gobs=0x405\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("MOVES: Gob set 0x405 does not load"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("pack-GOBS.png"), std::string::npos) << "the other sheets are still drawn";
}

} // namespace
