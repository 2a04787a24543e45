#pragma once
// Menu scenes headless: the play fixture's canvas, hub, save data and
// scripted input, with the game's own packs (menu pictures, fonts, English
// texts: parts 1 to 3) in place of the play test pack's panels. The play
// test pack's parts 4 to 7 stay, so scenes that fly a preview or a demo find
// their planes. Scene changes are recorded, not made (sceneRequests).

#include <array>
#include <cstdint>
#include <vector>

#include "game/scene/mainGame/PlayHarness.h"
#include "ui/Screen.h"
#include "vm/VMArray.h"

namespace menutest {

// Game keys of the logical keys the menus read.
constexpr int32_t kLeftSoftKey = 27;  // logical 12
constexpr int32_t kRightSoftKey = 29; // logical 13
using playtest::kDownKey;             // 17
using playtest::kLeftKey;             // 15
using playtest::kRightKey;            // 16
using playtest::kSelectKey;           // 18
using playtest::kUpKey;               // 14

class MenuFixture : public playtest::PlayFixture {
protected:
    using IntArray = VMArray<int32_t, 1>;

    void SetUp() override;

    // Frames with nothing scripted.
    void idle(int32_t frames);
    // The key pressed for one frame, then released for one.
    void tapKey(int32_t key);
    // A touch down, seen by the scene, then up, seen, at (x, y) or at the
    // centre of a box {x, y, width, height}: four frames.
    void tap(int32_t x, int32_t y);
    void tap(VMPtr<IntArray> box);
    // Only the press: of a key, one frame; of a touch, two (till it is seen).
    void pressKey(int32_t key);
    void touchDown(int32_t x, int32_t y);
    // Only the release of a touch, at (x, y): two frames (till it is seen).
    void touchUp(int32_t x, int32_t y);
    static int32_t centreX(VMPtr<IntArray> box) { return (*box)[0] + (*box)[2] / 2; }
    static int32_t centreY(VMPtr<IntArray> box) { return (*box)[1] + (*box)[3] / 2; }
    // How far box k of each of a panel's items strays from where it starts
    // while the panel alone is updated for `frames` 40 ms frames: {least x,
    // most x, least y, most y} of its offset, by item. An animation that
    // nudges in place keeps it within the nudge.
    using Drift = std::array<int32_t, 4>;
    static std::vector<Drift> boxDrift(VMPtr<ui::Screen> panel, const std::vector<int32_t>& items,
                                       int32_t k, int32_t frames);
};

} // namespace menutest
