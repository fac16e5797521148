// The steps of a skin load after the archive has been opened, in the order LoadSkinDefinitions
// runs them, and the images derived from the skin's own.
#pragma once

#include "skin/data/skin_definitions.h"
#include "skin/data/skin_source.h"

namespace orvo {

// Reads every element definition, the colours and the caption buttons into `skin`, replacing what
// it held, sets the frame counts and builds the derived images. Throws only for platform failures
// (out of memory or GDI objects); the skin's own data never makes it fail.
void LoadSkinDefinitions(TSkinSource& source, TSkinDefinitions& skin);

void ApplyFrameCounts(TSkinDefinitions& skin, const TQuickIni& ini);

// The width of a combo box's button at 96 DPI: the platform's horizontal scroll arrow plus 2.
int ComboButtonWidth();

// The derived images below are made for `dpi`: their sizes (50 x 21 combo frames, 17 x 17
// arrows, the 10 x 40 tool-bar background) and the margins they set are 96-DPI lengths scaled by
// ScaleLength; at 96 DPI they are exactly the sizes named.
//
// The combo box picture: each frame of SunkEdge with ComboButton (and the ExtraImages glyph)
// in its rightmost `buttonWidth` pixels, the edit area magenta. ComboButton becomes that picture
// (Style 2) and SunkEdge its mirror image. Only when both elements exist.
void BuildComboComposite(TSkinDefinitions& skin, int buttonWidth, int dpi);
// The element ComboxArrow: the combo button alone, 17 x 17 per frame.
void BuildComboxArrow(TSkinDefinitions& skin, int dpi);
// The colour of the Top border image's first frame at a third of its width and height, or the
// ButtonFace colour without a Top image.
TColor FrameSampleOf(const TSkinDefinitions& skin);
// The element Toolbar: a 10 x 40 vertical gradient from near-white to a shade of FrameSample.
void BuildToolbar(TSkinDefinitions& skin, int dpi);
// ComboButton's second image: its first, mirrored, for buttons at the left of a box.
void MirrorComboButton(TSkinDefinitions& skin);
// Top and bottom colours of the Toolbar gradient.
void ToolbarColours(const TSkinDefinitions& skin, TColor& top, TColor& bottom);

// A built-in bitmap resource of the skin engine ("TRACK", "TRACKVERT", "MENUGLYPHS"), looked up
// in the module holding this code. Leaves `target` cleared when it is not there.
void LoadSkinResource(TBitmap& target, const wchar_t* name);

} // namespace orvo
