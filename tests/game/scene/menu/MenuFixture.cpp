#include "game/scene/menu/MenuFixture.h"

#include <filesystem>
#include <string>

#include "main/Main.h"
#include "tq/Resources.h"

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

} // namespace menutest
