#include "game/support/Screenshot.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>

#include <gtest/gtest.h>

#include "main/Main.h"
#include "scene/SceneManager.h"
#include "tq/TqCanvas.h"

namespace vxtest {

using javax::microedition::lcdui::Image;
using ByteArray = VMArray<int8_t, 1>;
using IntArray = VMArray<int32_t, 1>;

namespace {

constexpr int32_t kCubeRed = 6;
constexpr int32_t kCubeGreen = 7;
constexpr int32_t kCubeBlue = 6;

int32_t level(int32_t value, int32_t levels)
{
    return (value * (levels - 1) + 127) / 255;
}

int32_t cubeIndex(int32_t c)
{
    return (level(c >> 16 & 0xFF, kCubeRed) * kCubeGreen + level(c >> 8 & 0xFF, kCubeGreen)) *
               kCubeBlue +
           level(c & 0xFF, kCubeBlue);
}

} // namespace

std::string writeScreenshot(VMPtr<Image> image, const std::string& name)
{
    int32_t width = image->getWidth();
    int32_t height = image->getHeight();
    VMPtr<IntArray> rgb = IntArray::newArray(width * height);
    image->getRGB(rgb, 0, width, 0, 0, width, height);

    // Colours in order of appearance.
    std::map<int32_t, int32_t> index;
    for (int32_t i = 0; i < rgb->length && index.size() <= 256; i++)
        index.emplace((*rgb)[i] & 0xFFFFFF, int32_t(index.size()));
    bool cube = index.size() > 256;
    int32_t colours = cube ? kCubeRed * kCubeGreen * kCubeBlue : int32_t(index.size());
    VMPtr<ByteArray> palette = ByteArray::newArray(colours * 3 + 4);
    auto setColour = [&](int32_t i, int32_t c) {
        (*palette)[i * 3] = int8_t(c >> 16);
        (*palette)[i * 3 + 1] = int8_t(c >> 8);
        (*palette)[i * 3 + 2] = int8_t(c);
    };
    if (cube) {
        for (int32_t r = 0; r < kCubeRed; r++)
            for (int32_t g = 0; g < kCubeGreen; g++)
                for (int32_t b = 0; b < kCubeBlue; b++)
                    setColour((r * kCubeGreen + g) * kCubeBlue + b,
                              (r * 255 / (kCubeRed - 1)) << 16 | (g * 255 / (kCubeGreen - 1)) << 8 |
                                  b * 255 / (kCubeBlue - 1));
    } else {
        for (auto [colour, i] : index)
            setColour(i, colour);
    }
    tq::TqCanvas::updatePaletteCrc(palette);
    VMPtr<ByteArray> pixels = ByteArray::newArray(width * height);
    for (int32_t i = 0; i < rgb->length; i++) {
        int32_t c = (*rgb)[i] & 0xFFFFFF;
        (*pixels)[i] = int8_t(cube ? cubeIndex(c) : index.at(c));
    }
    VMPtr<ByteArray> png =
        tq::TqCanvas::createPalettedPng(pixels, 0, width, width, height, palette, -1);

    std::filesystem::create_directories(VX_SCREENSHOT_DIR);
    std::string path = std::string(VX_SCREENSHOT_DIR) + "/" + name + ".png";
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(&(*png)[0]), png->length);
    EXPECT_TRUE(out.flush()) << path;
    std::cout << "screenshot: " << path << std::endl;
    return path;
}

std::string screenshotScene(const std::string& name)
{
    VMPtr<Image> image = Image::createImage(main::Main::WIDTH, main::Main::HEIGHT, false, 0);
    scene::SceneManager::instance->paint(image->getGraphics());
    return writeScreenshot(image, name);
}

} // namespace vxtest
