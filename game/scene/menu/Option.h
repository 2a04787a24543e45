#pragma once
// scene.menu.Option: the options, scene 7. Two rows, the text row above and
// the sound switch below, chosen by keys up and down or by touch and acted
// on by the select key or a touch released on the row; the back key (right
// soft key or touch) leaves on release. Acting on the sound row turns sound
// on or off; acting on the text row reloads the hub's texts and takes them
// as the scene's own, and selects bitmap font 1. Input waits until the
// scene has entered and ends when it has left.

#include <cstdint>

#include "generated/Texts.h"
#include "scene/menu/ClsUiOption.h"
#include "ui/Addon.h"
#include "ui/Scene.h"

namespace scene::menu {

class Option : public ui::Scene {
    VM_CLASS(Option, ui::Scene)

    static constexpr int32_t PANEL_DRAW_ORDER = 20;
    static constexpr int32_t PANEL_ITEMS = 7;
    static constexpr int32_t LABELS_DRAW_ORDER = 53;
    static constexpr int32_t LABELS = 2;
    static constexpr int32_t TEXT_ROW_TEXT = generated::Texts::TXT_LANGUAGE;
    static constexpr int32_t SOUND_ROW_TEXT = generated::Texts::TXT_SOUND_SETTING;
    static constexpr int32_t LABEL_FONT = 1;
    // The hub's resource set the text row selects: its bitmap font 1.
    static constexpr int32_t RESOURCE_SET = 1;
    // selectedRow values.
    static constexpr int32_t UPPER_ROW = 1;
    static constexpr int32_t LOWER_ROW = 0;
    // The right soft key's logical key.
    static constexpr int32_t KEY_BACK = 13;

    // sceneId is kept: it decides where the scene leaves to.
    VMPtr<Option> init(int32_t sceneId);

    void load2() override;
    void update() override;
    void load() override;
    void paintLayer(VMPtr<Graphics> g) override;
    void initTexts() override;

    // Keys pressed, key released, touch pressed, touch released.
    virtual void handleInput();
    virtual void selectRow(int32_t row);
    virtual void actOnRow(int32_t row);
    // To scene 12 from scene 7, else to scene 1; only once.
    virtual void leave();

    VMField<ClsUiOption> panel;
    VMField<ui::Addon> label;
    int32_t selectedRow = UPPER_ROW;
    int32_t sceneId = 0;

    VM_FIELDS(panel, label)
};

} // namespace scene::menu
