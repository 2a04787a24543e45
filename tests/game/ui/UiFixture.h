#pragma once
// Base of the UI toolkit's tests: a game canvas (not shown) on the 240 x 400
// screen (the hub's canvas), the suite's application folder with the UI pack installed, a fresh
// resource cache, and a Graphics that writes down what is drawn.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "UiTestIds.h"
#include "engine/support/TestGameCanvas.h"
#include "support/AppFolder.h"
#include "tq/Resources.h"
#include "tq/io/resource/ResourcePack.h"
#include "main/Main.h"
#include "ui/MyObject.h"
#include "ui/ResManager.h"

namespace uitest {

// A Graphics without a target: it keeps its clip and colour and writes down
// fills, outlines, gradients, clips and the destination of every picture.
class RecordingGraphics : public javax::microedition::lcdui::Graphics {
    VM_CLASS(RecordingGraphics, javax::microedition::lcdui::Graphics)

    using Image = javax::microedition::lcdui::Image;

    void setColor(int32_t rgb) override { colour = rgb & 0xFFFFFF; }
    void fillRect(int32_t x, int32_t y, int32_t w, int32_t h) override
    {
        log("fill", {x, y, w, h}, colour);
    }
    void drawRect(int32_t x, int32_t y, int32_t w, int32_t h) override
    {
        log("outline", {x, y, w, h}, colour);
    }
    void fillGradientRect(int32_t x, int32_t y, int32_t w, int32_t h, int32_t from, int32_t to,
                          bool horizontal) override
    {
        log(horizontal ? "hgradient" : "gradient", {x, y, w, h}, from & 0xFFFFFF, to & 0xFFFFFF);
    }
    void setClip(int32_t x, int32_t y, int32_t w, int32_t h) override
    {
        clip = {x, y, w, h};
        log("clip", clip);
    }
    int32_t getClipX() override { return clip[0]; }
    int32_t getClipY() override { return clip[1]; }
    int32_t getClipWidth() override { return clip[2]; }
    int32_t getClipHeight() override { return clip[3]; }
    void drawRegion(VMPtr<Image>, int32_t, int32_t, int32_t w, int32_t h, int32_t, int32_t x,
                    int32_t y, int32_t) override
    {
        log("picture", {x, y, w, h});
    }
    void drawString(VMPtr<java::lang::String> s, int32_t x, int32_t y, int32_t) override
    {
        calls.push_back("text " + std::to_string(x) + " " + std::to_string(y) + " " +
                        std::to_string(s->length()));
    }

    void log(const std::string& what, std::vector<int32_t> values, int32_t c1 = -1,
             int32_t c2 = -1)
    {
        std::string line = what;
        for (int32_t v : values)
            line += " " + std::to_string(v);
        char hex[16];
        for (int32_t c : {c1, c2}) {
            if (c >= 0) {
                snprintf(hex, sizeof hex, " %06X", unsigned(c));
                line += hex;
            }
        }
        calls.push_back(line);
    }
    // The calls whose text starts with prefix.
    std::vector<std::string> only(const std::string& prefix) const
    {
        std::vector<std::string> out;
        for (const std::string& c : calls) {
            if (c.rfind(prefix, 0) == 0)
                out.push_back(c);
        }
        return out;
    }

    std::vector<std::string> calls;
    std::vector<int32_t> clip{0, 0, 240, 320};
    int32_t colour = 0;
};

using Calls = std::vector<std::string>;
using Ints = std::vector<int32_t>;

inline Ints ints(const VMPtr<VMArray<int32_t, 1>>& a)
{
    return Ints(a->elements(), a->elements() + a->length);
}

// The first four values of a box: {x, y, width, height}.
inline Ints rect4(const VMPtr<VMArray<int32_t, 1>>& a)
{
    return Ints(a->elements(), a->elements() + 4);
}

inline VMPtr<VMArray<int32_t, 1>> intArray(const Ints& values)
{
    VMPtr<VMArray<int32_t, 1>> a = VMArray<int32_t, 1>::newArray(int32_t(values.size()));
    for (size_t i = 0; i < values.size(); i++)
        (*a)[int32_t(i)] = values[i];
    return a;
}

class UiFixture : public vxtest::GameCanvasFixture {
protected:
    static void SetUpTestSuite()
    {
        GameCanvasFixture::SetUpTestSuite();
        folder = new vxtest::AppFolder();
        for (const auto& file : std::filesystem::directory_iterator(VX_UI_PACK)) {
            std::ifstream in(file.path(), std::ios::binary);
            folder->write("rsc/" + file.path().filename().string(),
                          std::string(std::istreambuf_iterator<char>(in), {}));
        }
    }
    static void TearDownTestSuite()
    {
        delete folder;
        folder = nullptr;
        GameCanvasFixture::TearDownTestSuite();
    }
    void SetUp() override
    {
        GameCanvasFixture::SetUp();
        tq::io::resource::ResourcePack::currentPart = -1;
        ui::ResManager::newInstance()->init();
        // Objects take the canvas from the hub.
        main::Main::canvas = VMPtr<tq::TqCanvas>(canvas);
    }
    void TearDown() override
    {
        main::Main::canvas = nullptr;
        tq::Resources::closePack();
        GameCanvasFixture::TearDown();
    }

    static int32_t gobUses(int32_t slot) { return (*ui::ResManager::gobSetUses)[slot]; }
    static int32_t animUses(int32_t slot) { return (*ui::ResManager::animSetUses)[slot]; }

    static inline vxtest::AppFolder* folder = nullptr;
};

} // namespace uitest
