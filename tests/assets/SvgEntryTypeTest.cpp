#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "EntryType.h"
#include "support/AppFolder.h"

namespace {

using packbuilder::BuildError;
using packbuilder::EntryContext;

// Encodes one svg entry whose source is written into a temporary folder.
class SvgEntryTypeTest : public ::testing::Test {
protected:
    std::vector<uint8_t> encode(const std::string& text)
    {
        std::filesystem::path file = std::filesystem::path(folder.path()) / "picture.svg";
        std::ofstream(file, std::ios::binary) << text;
        EntryContext entry{"PICTURE", file, {}, &inputs, 0x400, &identifiers};
        return packbuilder::findEntryType("svg")->encode(entry);
    }

    std::string failure(const std::string& text)
    {
        try {
            encode(text);
        } catch (const BuildError& e) {
            return e.what();
        }
        return "no error";
    }

    vxtest::AppFolder folder;
    std::vector<std::filesystem::path> inputs;
    std::map<std::string, int32_t> identifiers;
};

uint32_t bigEndian32(const std::vector<uint8_t>& b, size_t at)
{
    return uint32_t(b[at]) << 24 | uint32_t(b[at + 1]) << 16 | uint32_t(b[at + 2]) << 8 | b[at + 3];
}

TEST_F(SvgEntryTypeTest, RendersAPictureOfTheDrawingsSize)
{
    const packbuilder::EntryType* type = packbuilder::findEntryType("svg");
    ASSERT_NE(type, nullptr);
    EXPECT_EQ(type->code, -3);
    EXPECT_TRUE(type->ownFile);

    std::vector<uint8_t> png = encode("<svg xmlns='http://www.w3.org/2000/svg' width='24' height='10'>"
                                      "<rect x='2' y='2' width='20' height='6' fill='#3af'/></svg>");
    ASSERT_GT(png.size(), 24u);
    EXPECT_EQ(std::string(png.begin(), png.begin() + 8), std::string("\x89PNG\r\n\x1a\n", 8));
    EXPECT_EQ(std::string(png.begin() + 12, png.begin() + 16), "IHDR");
    EXPECT_EQ(bigEndian32(png, 16), 24u);
    EXPECT_EQ(bigEndian32(png, 20), 10u);
    ASSERT_EQ(inputs.size(), 1u);
    EXPECT_EQ(inputs[0].filename(), "picture.svg");
}

TEST_F(SvgEntryTypeTest, BadSourcesAndAMissingRendererAreErrors)
{
    EXPECT_NE(failure("just words").find("is not an SVG picture"), std::string::npos);
    EXPECT_NE(failure("<svg xmlns='http://www.w3.org/2000/svg' width='4'").find("could not render"),
              std::string::npos);

    setenv("VX_RSVG_CONVERT", "/nonexistent/rsvg-convert", 1);
    std::string message = failure("<svg xmlns='http://www.w3.org/2000/svg' width='4' height='4'/>");
    unsetenv("VX_RSVG_CONVERT");
    EXPECT_NE(message.find("cannot run /nonexistent/rsvg-convert"), std::string::npos) << message;
}

} // namespace
