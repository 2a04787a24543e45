#pragma once
// scene.menu.About: the about page, scene 4, reached from the main menu. A
// text page with a title and a body that scrolls a line at a time (keys up
// and down, or a drag of 50 pixels or more), and a back key in the
// bottom-right corner (right soft key or touch) that returns to the main
// menu on release. Input waits until the scene has entered and ends when it
// has left.

#include <cstdint>

#include "generated/Texts.h"
#include "scene/menu/ClsUiAbout.h"
#include "ui/Addon.h"
#include "ui/Scene.h"

namespace scene::menu {

class About : public ui::Scene {
    VM_CLASS(About, ui::Scene)

    static constexpr int32_t PANEL_DRAW_ORDER = 20;
    static constexpr int32_t PANEL_ITEMS = 4;
    static constexpr int32_t LABELS_DRAW_ORDER = 53;
    static constexpr int32_t LABELS = 1;
    static constexpr int32_t TITLE_TEXT = generated::Texts::TXT_ABOUT;
    static constexpr int32_t HEADING_TEXT = generated::Texts::TXT_ABOUT_HEADING;
    static constexpr int32_t VERSION_TEXT = generated::Texts::TXT_VERSION;
    static constexpr int32_t BODY_TEXT = generated::Texts::TXT_ABOUT_BODY;
    static constexpr const char* VERSION = "1.0.0";
    static constexpr int32_t TEXT_FONT = 1;
    // A drag scrolls once it is longer than this.
    static constexpr int32_t DRAG_DEAD_ZONE = 49;
    // The right soft key's logical key.
    static constexpr int32_t KEY_BACK = 13;

    // ui::Scene::init.
    VMPtr<About> init();

    void load2() override;
    void update() override;
    void load() override;
    void paintLayer(VMPtr<Graphics> g) override;
    void initTexts() override;

    // The body a line up or down: by a release, a drag or a key.
    virtual void scroll();
    // The back key's look, and leaving on its release.
    virtual void handleBack();
    // Releases the page and changes to the main menu; only once.
    virtual void leave();
    // Heading, line break, version line, two line breaks, body.
    virtual VMPtr<java::lang::String> bodyText();

    VMField<ui::Addon> labels;
    VMField<ClsUiAbout> panel;

    VM_FIELDS(labels, panel)
};

} // namespace scene::menu
