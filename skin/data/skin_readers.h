// The readers that turn INI sections into element definitions. Readers of optional elements
// answer null when their image key is missing (the element does not exist); an image that cannot
// be loaded still gives an element, with an empty image.
#pragma once

#include "skin/data/skin_definitions.h"
#include "skin/data/skin_source.h"

#include <memory>
#include <string_view>

namespace orvo {

// Image, Style, the four margins, Frame, Trans, Tile and the text colours; Tile above 1 becomes 0.
std::unique_ptr<TDataSkinObject> ReadGenericElement(TSkinSource& source, std::string_view section,
                                                    TColor buttonText);
// As the generic reader without Frame, plus a second image from `secondKey` when present.
std::unique_ptr<TDataSkinBorder> ReadTwoImageElement(TSkinSource& source, std::string_view section,
                                                     std::string_view secondKey, TColor buttonText);
// [Progress]: image key Bitmap; no text colours; Tile above 1 becomes 1.
std::unique_ptr<TDataSkinBorder> ReadProgressElement(TSkinSource& source);
// [GroupBox]: the generic keys without Frame, plus the background alignment and shifts.
std::unique_ptr<TDataSkinBoxLabel> ReadGroupBoxElement(TSkinSource& source, TColor buttonText);
// The menu bar, from [Personality] key menuBar, named "Personality".
std::unique_ptr<TDataSkinObject> ReadMenuBarElement(TSkinSource& source);

// The definitions that always exist are read in place (section absent: defaults).
void ReadButtonsElement(TSkinSource& source, TDataSkinButton& buttons, TColor buttonText);
void ReadTitleElement(TSkinSource& source, TDataSkinTitle& title);
// One window border from [Personality]: `side` is Left, Right, Top or Bottom.
void ReadBorderElement(TSkinSource& source, TDataSkinBorder& border, std::string_view side);

// The caption buttons of the [Button...] sections, then the three buttons of a maximised MDI
// child with their images cut from [MDICONTROLS] Image, which is kept in `asRead`.
void ReadCaptionButtons(TSkinSource& source, std::vector<std::unique_ptr<TDataSkinSysButton>>& buttons,
                        TDerivedSources& asRead);
// The images of the MDI child buttons (the last three of `buttons`) cut from their strip, four
// frames of width / 12 each (cleared without a strip). Answers that frame width.
int CutMdiButtonImages(TBitmap& strip, std::vector<std::unique_ptr<TDataSkinSysButton>>& buttons);

} // namespace orvo
