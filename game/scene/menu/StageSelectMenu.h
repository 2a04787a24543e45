#pragma once
// scene.menu.StageSelectMenu: the stage selection, scene 10. The arrows
// (keys 15 and 16, or touches) browse the eight stages round in a ring,
// showing each stage's picture and saved level; Play (key 13 or its button)
// goes on to the shop (11), Back (key 12 or its button) to the main menu
// (1), each on release. Stage changes closer than 650 ms to the last one
// are refused. The chosen stage outlives the scene: the play scene reads it.
// Input waits until the scene has entered; the first leave of a frame acts,
// and nothing after it.

#include <cstdint>

#include "generated/Texts.h"
#include "scene/menu/ClsUiSelectMenu.h"
#include "ui/Addon.h"
#include "ui/Scene.h"

namespace scene::menu {

class StageSelectMenu : public ui::Scene {
    VM_CLASS(StageSelectMenu, ui::Scene)

    static constexpr int32_t STAGES = 8;
    static constexpr int32_t SHOP_SCENE = 11;
    static constexpr int32_t MAIN_MENU_SCENE = 1;
    // A change is accepted only more than this long after the last one.
    static constexpr int64_t CHANGE_GUARD_MS = 650;
    static constexpr int32_t PANEL_DRAW_ORDER = 20;
    static constexpr int32_t PANEL_ITEMS = 20;
    static constexpr int32_t LABEL_DRAW_ORDER = 53;
    static constexpr int32_t LABELS = 5;
    static constexpr int32_t TITLE_TEXT = generated::Texts::TXT_SELECT_STAGE;
    // The play button's label box.
    static constexpr int32_t PLAY_LABEL_BOX = 2;
    // Logical keys of the scene manager.
    static constexpr int32_t KEY_BACK = 12;
    static constexpr int32_t KEY_PLAY = 13;
    static constexpr int32_t KEY_LEFT = 15;
    static constexpr int32_t KEY_RIGHT = 16;

    // Scene initialisation; the play money := the saved money.
    VMPtr<StageSelectMenu> init();

    void load() override;
    void load2() override;
    void initTexts() override;
    void update() override;
    void paintLayer(VMPtr<Graphics> g) override;

    // The chosen stage's progress mark and picture.
    virtual void refresh();
    // True, and the time taken, when the last accepted change is more than
    // CHANGE_GUARD_MS old; false and nothing changed otherwise.
    virtual bool canChangeStage();
    // One stage down or up, round the ring.
    virtual void previousStage();
    virtual void nextStage();

    // The chosen stage, 0..7; kept from one visit to the next.
    static inline int32_t selectedStage = 0;

    VMField<ClsUiSelectMenu> panel;
    VMField<ui::Addon> label;
    // currentTimeMillis of the last accepted change; 0 before any.
    int64_t lastChangeTime = 0;

    VM_FIELDS(panel, label)

private:
    // Keys, then the touch; stops at a change of scene.
    void handleInput();
};

} // namespace scene::menu
