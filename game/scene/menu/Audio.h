#pragma once
// scene.menu.Audio: the sound question, scenes 6 (at start-up) and 2 (from
// the main menu). A confirmation panel with a title and a question; Yes
// (right soft key or button) turns sound on, No (left soft key or button)
// turns it off, each on release. Either answer leaves: to the title splash
// (12) in mode 6, else to the main menu (1). Only the first answer of a
// frame acts; input waits until the scene has entered.

#include <cstdint>

#include "generated/Texts.h"
#include "scene/mainMenu/ClsUiConfirm.h"
#include "ui/Addon.h"
#include "ui/Scene.h"

namespace scene::menu {

class Audio : public ui::Scene {
    VM_CLASS(Audio, ui::Scene)

    static constexpr int32_t START_MODE = 6;
    static constexpr int32_t AFTER_START = 12;
    static constexpr int32_t AFTER_MENU = 1;
    static constexpr int32_t PANEL_DRAW_ORDER = 20;
    static constexpr int32_t PANEL_ITEMS = 7;
    static constexpr int32_t LABELS_DRAW_ORDER = 53;
    static constexpr int32_t LABELS = 2;
    static constexpr int32_t TITLE_TEXT = generated::Texts::TXT_SOUND;
    static constexpr int32_t QUESTION_TEXT = generated::Texts::TXT_SOUND_QUESTION;
    static constexpr int32_t TEXT_FONT = 1;
    static constexpr int32_t MUSIC = 5;
    // Logical keys of the scene manager.
    static constexpr int32_t KEY_NO = 12;
    static constexpr int32_t KEY_YES = 13;

    // sceneId (6 or 2) is kept as the mode.
    VMPtr<Audio> init(int32_t sceneId);

    void load2() override;
    void update() override;
    void load() override;
    void paintLayer(VMPtr<Graphics> g) override;
    void initTexts() override;

    // Keys, then the pointer; acts at most once.
    virtual void handleInput();
    // To scene 12 in mode 6, else to scene 1; only once.
    virtual void leave();

    VMField<ui::Addon> labels;
    VMField<mainMenu::ClsUiConfirm> panel;
    int32_t mode = 0;

    VM_FIELDS(labels, panel)

private:
    void answer(bool soundOn);
};

} // namespace scene::menu
