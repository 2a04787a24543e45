#include "game/scene/menu/MenuFixture.h"

#include <algorithm>
#include <filesystem>
#include <string>

#include "main/Main.h"
#include "tq/Resources.h"
#include "ui/MyObject.h"

namespace menutest {

using playtest::InputEvent;

void MenuFixture::SetUp()
{
    PlayFixture::SetUp();
    // The game's packs are files RP<part>part<chunk>; its part 1 replaces
    // the play test pack's, whose chunks are removed first.
    std::filesystem::path rsc = std::filesystem::path(folder->path()) / "rsc";
    for (const auto& file : std::filesystem::directory_iterator(rsc)) {
        if (file.path().filename().string().rfind("RP1part", 0) == 0)
            std::filesystem::remove(file.path());
    }
    // Parts 1 to 3 only: the game's later parts would replace the play test
    // pack's chunks of the same part.
    copyPack(VX_GAME_RSC, [](const std::string& name) {
        return name.rfind("RP1part", 0) == 0 || name.rfind("RP2part", 0) == 0 ||
               name.rfind("RP3part", 0) == 0;
    });
    main::Main::texts = tq::Resources::loadTranslation(0x806);
    tq::Resources::closePack();
}

void MenuFixture::idle(int32_t frames)
{
    for (int32_t i = 0; i < frames; i++)
        step({});
}

void MenuFixture::pressKey(int32_t key)
{
    step({{frameNumber, InputEvent::KEY_DOWN, key}});
}

void MenuFixture::tapKey(int32_t key)
{
    pressKey(key);
    step({{frameNumber, InputEvent::KEY_UP, key}});
}

// A touch reaches the scene in the frame after the one it comes in.
void MenuFixture::touchDown(int32_t x, int32_t y)
{
    step({{frameNumber, InputEvent::TOUCH_DOWN, 0, x, y}});
    step({});
}

void MenuFixture::touchUp(int32_t x, int32_t y)
{
    step({{frameNumber, InputEvent::TOUCH_UP, 0, x, y}});
    step({});
}

void MenuFixture::tap(int32_t x, int32_t y)
{
    touchDown(x, y);
    touchUp(x, y);
}

void MenuFixture::tap(VMPtr<IntArray> box)
{
    tap(centreX(box), centreY(box));
}

std::vector<MenuFixture::Drift> MenuFixture::boxDrift(VMPtr<ui::Screen> panel,
                                                     const std::vector<int32_t>& items, int32_t k,
                                                     int32_t frames)
{
    std::vector<std::array<int32_t, 2>> start;
    for (int32_t item : items) {
        VMPtr<IntArray> box = panel->getItemBox(item, k);
        start.push_back({(*box)[0], (*box)[1]});
    }
    std::vector<Drift> drift(items.size(), Drift{0, 0, 0, 0});
    ui::MyObject::frameTime = 40;
    for (int32_t f = 0; f < frames; f++) {
        panel->update();
        for (size_t n = 0; n < items.size(); n++) {
            VMPtr<IntArray> box = panel->getItemBox(items[n], k);
            int32_t dx = (*box)[0] - start[n][0];
            int32_t dy = (*box)[1] - start[n][1];
            Drift& d = drift[n];
            d = {std::min(d[0], dx), std::max(d[1], dx), std::min(d[2], dy), std::max(d[3], dy)};
        }
    }
    return drift;
}

} // namespace menutest
