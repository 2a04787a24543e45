#include "scene/menu/About.h"

#include "java/lang/StringBuffer.h"
#include "vm/VMStringLiterals.h"
#include "scene/SceneManager.h"
#include "ui/Pointer.h"

namespace scene::menu {

using java::lang::String;
using java::lang::StringBuffer;

VMPtr<About> About::init()
{
    Scene::init();
    return VMPtr<About>(this);
}

void About::load()
{
    panel = ClsUiAbout::newInstance()->init();
    panel->setDrawOrder(PANEL_DRAW_ORDER);
    panel->allocItems(PANEL_ITEMS);
    addObject(panel);
}

void About::load2()
{
    panel->build();
}

VMPtr<String> About::bodyText()
{
    VMPtr<StringBuffer> text = StringBuffer::newInstance()->init();
    text->append(texts->getString(HEADING_TEXT));
    text->append(u'\n');
    text->append(texts->getString(VERSION_TEXT));
    text->append(_VM_literal(VERSION));
    text->append(_VM_literal("\n\n"));
    text->append(texts->getString(BODY_TEXT));
    return text->toString();
}

void About::initTexts()
{
    labels = ui::Addon::newInstance()->init();
    labels->setDrawOrder(LABELS_DRAW_ORDER);
    labels->setLabelCapacity(LABELS);
    // Scrolling acts only while the input flag is set.
    labels->setAuxEnabled(true);
    VMPtr<IntArray> title = panel->getTitleBox();
    labels->addLabel(TITLE_TEXT, (*title)[0], (*title)[1], (*title)[2], (*title)[3]);
    // The dialog frame moves the title to the page's box 0 and puts the
    // body in its box 1.
    labels->setDialogFrame(ClsUiAbout::TEXT_PAGE_FRAME);
    labels->setTextFont(TEXT_FONT);
    labels->setText(bodyText());
    labels->setScrolling(true);
    addObject(labels);
}

void About::paintLayer(VMPtr<Graphics>) {}

void About::update()
{
    Scene::update();
    // The panel and the labels exist once the scene has entered.
    if (entering || left)
        return;
    scroll();
    handleBack();
}

void About::scroll()
{
    VMPtr<ui::Pointer> pointer = SceneManager::pointer;
    if ((*ui::Pointer::released)[0]) {
        VMPtr<IntArray> touch = workValues;
        (*touch)[0] = pointer->getX(0);
        (*touch)[1] = pointer->getY(0);
        (*touch)[2] = 1;
        (*touch)[3] = 1;
        return;
    }
    if ((*ui::Pointer::pressed)[0]) {
        // Measured from where the touch went down: the body keeps moving a
        // line a frame while the drag stays long enough.
        int32_t y = pointer->getY(0);
        int32_t from = pointer->getStartY(0);
        if (y < from && from - y > DRAG_DEAD_ZONE)
            labels->scrollTextUp();
        else if (y > from && y - from > DRAG_DEAD_ZONE)
            labels->scrollTextDown();
        return;
    }
    if (sceneManager->wasKeyPressed(SceneManager::KEY_DOWN))
        labels->moveDown();
    else if (sceneManager->wasKeyPressed(SceneManager::KEY_UP))
        labels->moveUp();
}

void About::handleBack()
{
    if (sceneManager->wasKeyPressed(KEY_BACK)) {
        panel->pressBack();
    } else if (sceneManager->wasKeyReleased(KEY_BACK)) {
        panel->releaseBack();
        leave();
        return;
    }
    VMPtr<ui::Pointer> pointer = SceneManager::pointer;
    if ((*ui::Pointer::pressed)[0] && pointer->isInside(panel->getBackBox(), 0))
        panel->pressBack();
    if ((*ui::Pointer::released)[0]) {
        panel->releaseBack();
        if (pointer->isInside(panel->getBackBox(), 0))
            leave();
    }
}

void About::leave()
{
    if (left)
        return;
    labels->setAuxEnabled(false);
    // A refused change keeps the page up and answering.
    if (leaveTo(SceneManager::MAIN_MENU))
        release();
    else
        labels->setAuxEnabled(true);
}

} // namespace scene::menu

VM_REGISTER_CLASS(scene::menu::About, "scene.menu.About", "ui.Scene", "..\\src\\scene_menu_About",
                  nullptr);
