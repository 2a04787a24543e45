#include "scene/mainGame/ClsUiPause.h"

namespace scene::mainGame {

namespace {

constexpr int32_t kBackgroundX = 120;
constexpr int32_t kBackgroundY = 160;

// y of the middle of a box {x, y, width, height}.
int32_t centreY(VMPtr<VMArray<int32_t, 1>> box)
{
    return (*box)[1] + (*box)[3] / 2;
}

} // namespace

VMPtr<ClsUiPause> ClsUiPause::init()
{
    initItems();
    return VMPtr<ClsUiPause>(this);
}

void ClsUiPause::setupItems()
{
    backgroundItem = nextItem;
    addItem(GOBS, ANIMATIONS, BACKGROUND_FRAME, kBackgroundX, kBackgroundY);

    titleBox = getItemBox(backgroundItem, TITLE_BOX);
    upperRowBox = getItemBox(backgroundItem, UPPER_ROW_BOX);
    markerX = (*upperRowBox)[0] + (*upperRowBox)[2] / 2;
    markerItem = nextItem;
    upperRowCentreY = centreY(upperRowBox);
    addItem(GOBS, ANIMATIONS, MARKER_FRAME, markerX, upperRowCentreY);

    lowerRowBox = getItemBox(backgroundItem, LOWER_ROW_BOX);
    lowerRowCentreY = centreY(lowerRowBox);
}

void ClsUiPause::selectRow(bool upper)
{
    setItemPosition(markerItem, markerX, upper ? upperRowCentreY : lowerRowCentreY);
}

VMPtr<ClsUiPause::IntArray> ClsUiPause::getUpperRowRect()
{
    return upperRowBox;
}

VMPtr<ClsUiPause::IntArray> ClsUiPause::getLowerRowRect()
{
    return lowerRowBox;
}

VMPtr<ClsUiPause::IntArray> ClsUiPause::getTitleRect()
{
    return titleBox;
}

} // namespace scene::mainGame

VM_REGISTER_CLASS(scene::mainGame::ClsUiPause, "scene.mainGame.ClsUiPause", "ui.Screen",
                  "..\\src\\scene_mainGame_ClsUiPause", nullptr);
