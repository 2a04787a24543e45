#pragma once
// scene.mainGame.ClsUiPause: the pause panel: a background with a title box
// and two rows (continue above, quit below) and a marker that stands on the
// selected row. The play scene writes the texts into the boxes and answers
// the rows.

#include <cstdint>

#include "generated/RP.h"
#include "ui/Screen.h"

namespace scene::mainGame {

class ClsUiPause : public ui::Screen {
    VM_CLASS(ClsUiPause, ui::Screen)

    static constexpr int32_t GOBS = generated::RP::UI_BUTTON;
    static constexpr int32_t ANIMATIONS = generated::RP::ANIM_UI_BUTTON;
    static constexpr int32_t BACKGROUND_FRAME = 30;
    static constexpr int32_t MARKER_FRAME = 32;
    // The background's boxes.
    static constexpr int32_t TITLE_BOX = 2;
    static constexpr int32_t UPPER_ROW_BOX = 3;
    static constexpr int32_t LOWER_ROW_BOX = 4;

    // The panel, no items yet.
    VMPtr<ClsUiPause> init();

    // {x, y, width, height} of the continue row.
    virtual VMPtr<IntArray> getUpperRowRect();
    // {x, y, width, height} of the quit row.
    virtual VMPtr<IntArray> getLowerRowRect();
    // Puts the marker on the upper row when upper, else on the lower one.
    virtual void selectRow(bool upper);
    // {x, y, width, height} of the title.
    virtual VMPtr<IntArray> getTitleRect();
    // Adds the background and the marker on the upper row, and reads the
    // boxes; the resources are loaded.
    virtual void setupItems();

    VMField<IntArray> titleBox;
    VMField<IntArray> upperRowBox;
    VMField<IntArray> lowerRowBox;
    int32_t upperRowCentreY = 0;
    int32_t lowerRowCentreY = 0;

    static inline int32_t backgroundItem = 0;
    static inline int32_t markerItem = 0;
    // The marker's x on both rows: the centre of the upper row.
    static inline int32_t markerX = 0;

    VM_FIELDS(titleBox, upperRowBox, lowerRowBox)
};

} // namespace scene::mainGame
