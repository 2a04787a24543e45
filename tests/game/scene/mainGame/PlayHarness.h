#pragma once
// A play scene flown headless and repeatably: the scene fixture's canvas and
// hub with the play test pack, the hub's random source seeded, both frame
// time bounds at 40 ms, fresh save data. A stage is made and entered as the
// scene manager does it, then stepped frame by frame with scripted keys and
// touches; playStateHash sums up the whole play state so that two runs can
// be compared frame by frame.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "game/scene/SceneFixture.h"
#include "javax/microedition/lcdui/Image.h"
#include "scene/mainGame/MainGame.h"

namespace playtest {

// Logical keys of the play scene as the canvas's game keys.
constexpr int32_t kUpKey = 1;
constexpr int32_t kLeftKey = 2;
constexpr int32_t kRightKey = 5;
constexpr int32_t kDownKey = 6;
constexpr int32_t kSelectKey = 8;
constexpr int32_t kPauseKey = 29;

// One input change, applied before the frame of its number (frames count
// from 0, the first frame after the entry).
struct InputEvent {
    enum Kind { KEY_DOWN, KEY_UP, TOUCH_DOWN, TOUCH_MOVE, TOUCH_UP };
    int32_t frame;
    Kind kind;
    // The game key, or the touch point in screen pixels.
    int32_t key = 0;
    int32_t x = 0;
    int32_t y = 0;
};
using Script = std::vector<InputEvent>;

// A key held for `length` frames from `from`.
void holdKey(Script& script, int32_t key, int32_t from, int32_t length);
// From `from` on, `sweeps` times: right for `length` frames, then left as
// long.
void sweepLeftRight(Script& script, int32_t from, int32_t length, int32_t sweeps);

// FNV-1a (64 bits) over the play: the play scene's statics and flags,
// every plane's state and per-element arrays (player, enemies, the stage's
// boss), the player's lives, both bullet lists, the explosions, the theme
// pictures and stars, the spawner's place in its table and the random
// source's state.
uint64_t playStateHash(const scene::mainGame::MainGame& play);

// The first frame whose hash differs between two lists of hashes taken
// every `every` frames (frame numbers every, 2 * every, ...); -1 when they
// agree, including in length.
int32_t firstDivergentFrame(const std::vector<uint64_t>& recorded,
                            const std::vector<uint64_t>& flown, int32_t every);
// The list as C++ source, for pasting into a test when it is re-recorded.
std::string hashListSource(const std::vector<uint64_t>& hashes);

// What the player has bought: the selected weapon and support and their
// levels (1..3).
struct Loadout {
    int32_t weapon = 0;
    int32_t weaponLevel = 1;
    int32_t support = 0;
    int32_t supportLevel = 1;
};

class PlayFixture : public scenetest::SceneFixture {
protected:
    static constexpr int64_t kSeed = 7;
    static constexpr int32_t kFrameTime = 40;

    void SetUp() override;
    void TearDown() override;

    // Stage s at level l with this loadout, made and entered as the manager
    // does it, the random source seeded afresh; every other stage at level
    // 1, nothing else owned, no money.
    scene::mainGame::MainGame* startStage(int32_t s, int32_t level, Loadout loadout = {});
    // Any scene made current, entered as the manager does it and stepped
    // from then on; false when it has not entered after 20 frames.
    bool show(VMPtr<ui::Scene> scene);
    // One frame with this frame's part of the script applied first, then
    // painted when painting is set; the frame counter advances.
    void step(const Script& script);
    // Frames until done holds or `limit` frames have run; the hash after
    // every `every`-th frame goes into hashes when given. The frames run.
    int32_t fly(const Script& script, int32_t limit, const std::function<bool()>& done,
                std::vector<uint64_t>* hashes = nullptr, int32_t every = 100);

    VMStatic<scene::mainGame::MainGame> play;
    // The scene that step runs: the play scene, or any scene a derived
    // fixture shows.
    VMStatic<ui::Scene> stepped;
    // Frames stepped since the entry.
    int32_t frameNumber = 0;
    // Each step also paints the scene on a 240 x 320 picture.
    bool painting = false;
    VMStatic<javax::microedition::lcdui::Image> screen;

private:
    void apply(const InputEvent& e);
};

} // namespace playtest
