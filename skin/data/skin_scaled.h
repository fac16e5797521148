// TScaledSkin: a loaded skin at one DPI, as the skin component hands it to the drawing code
// (TSkinData::AtDpi). It reads like the component itself (TSkinElementAccess: Left(), Buttons(),
// MenuBar(), ... Colours()), and every definition in it is ready to draw at its DPI:
//   - images: the store's image drawn for that scale when it has one; otherwise its nearest larger
//     one scaled down, or else its largest scaled up; a store without them gets the 100 % image
//     resampled (nine-grid aware, the magenta key kept sharp: core/skinscale/skin_resample.h);
//   - lengths scaled by ScaleLength (core/scale/dpi_scale.h): LeftWidth, TopHeight, RightWidth,
//     BottomHeight (for the title TextShift, TextShiftVert, TextRightClip), the title's FontHeight,
//     TXTBackleft and TXTBackRight, caption buttons' XCoord and YCoord, the group box's
//     BackgroundLeftShift and BackgroundRightShift;
//   - frame counts, flags, styles, colours and caption-button actions as at 96 DPI;
//   - the derived images (combo box pictures, ComboxArrow, Toolbar, the MDI child buttons) built
//     again at that scale from the scaled images.
// At 96 DPI it is the component's own definitions: the very objects and pixels of today.
#pragma once

#include "core/scale/dpi_scale.h"
#include "skin/data/skin_element_access.h"

#include <memory>

namespace orvo {

class TScaledSkin : public TSkinElementAccess {
public:
    // The definitions as loaded, at 96 DPI (not owned).
    explicit TScaledSkin(TSkinDefinitions& designed) : TSkinElementAccess(designed) {}
    // Definitions built for `dpi` (owned).
    TScaledSkin(std::unique_ptr<TSkinDefinitions> scaled, int dpi)
        : TSkinElementAccess(*scaled), FOwned(std::move(scaled)), FDpi(dpi) {}

    int Dpi() const { return FDpi; }
    // A length designed at 96 DPI at this DPI, by the one rule: for geometry the drawing code
    // holds itself rather than reading it from the skin.
    int Scale(int length) const { return ScaleLength(length, FDpi); }

private:
    std::unique_ptr<TSkinDefinitions> FOwned;
    int FDpi = DesignDpi;
};

} // namespace orvo
