#pragma once
// The shop entered on the game's own menu art over the play test pack, with
// the saved progress set up first and save data that writes each progress
// record into the request log beside the scene changes, so their order
// shows.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "game/scene/menu/MenuFixture.h"
#include "main/Game.h"
#include "scene/menu/ShopMenu.h"

namespace shoptest {

// The progress the shop reads and writes.
struct Progress {
    int32_t money = 0;
    std::array<int32_t, 5> weapons{1, 0, 0, 0, 0};
    std::array<int32_t, 8> supports{1, 0, 0, 0, 0, 0, 0, 0};
    int32_t weapon = 0;
    int32_t support = 0;

    bool operator==(const Progress&) const = default;
};

// The statics as they are now.
Progress currentProgress();
void setProgress(const Progress& p);
// What a fresh main::Game reads back from the record on disk; the statics
// are left as they were.
Progress progressOnDisk();

// Save data whose progress records go into the request log.
class LoggingGame : public main::Game {
    VM_CLASS(LoggingGame, main::Game)

    VMPtr<LoggingGame> init()
    {
        Game::init();
        return VMPtr<LoggingGame>(this);
    }
    bool saveProgress() override;
};

class ShopMenuFixture : public menutest::MenuFixture {
protected:
    using ShopMenu = scene::menu::ShopMenu;
    using Ints = std::vector<int32_t>;
    using Strings = std::vector<std::string>;

    void SetUp() override;
    void TearDown() override;

    // p saved and in the statics, then the shop made and entered; the
    // request log starts empty.
    ShopMenu* openShop(const Progress& p);
    // The request log's records and scene changes.
    static Strings leaving();

    // A touch held on the box's centre till the scene sees it; its release,
    // seen (two frames each).
    void touchDown(VMPtr<IntArray> box);
    void touchUp(VMPtr<IntArray> box);
    using MenuFixture::touchDown;
    // The key's release alone, one frame.
    void releaseKey(int32_t key);
    // Buy question by the action key, Yes, select.
    void buyByKeys();
    // Down from the weapon row to the support row, then to the start row.
    void toStartRow();

    int32_t panelFrame(int32_t item);
    // Level, next level and price labels.
    Strings rowLabels();
    // The dialog's two lines.
    Strings dialogLines();
    // The Yes and No keys' frames.
    Ints choiceFrames();
    Ints markerFrames();

    VMStatic<ShopMenu> shop;
};

} // namespace shoptest
