#include "skin/data/skin_readers.h"

#include "core/skinfile/colour_text.h"
#include "skin/data/skin_text.h"

#include <string>

namespace orvo {

namespace {

std::wstring WideName(std::string_view section) {
    return AnsiToWide(section);
}

void ReadMargins(TSkinSource& source, std::string_view section, TDataSkinObject& e) {
    e.LeftWidth = source.Integer(section, "LeftWidth");
    e.RightWidth = source.Integer(section, "RightWidth");
    e.TopHeight = source.Integer(section, "TopHeight");
    e.BottomHeight = source.Integer(section, "BottomHeight");
}

void ReadTextColours(TSkinSource& source, std::string_view section, TDataSkinObject& e, TColor buttonText) {
    e.NormalColour = source.Integer(section, "NormalColour", -1);
    e.MouseOverColour = source.Integer(section, "MouseOverColour", -1);
    e.PressedColour = source.Integer(section, "PressedColour", -1);
    e.NormalColour2 = ParseColour(source.String(section, "NormalColour2"), buttonText);
    e.MouseOverColour2 = ParseColour(source.String(section, "MouseOverColour2"), buttonText);
    e.PressedColour2 = ParseColour(source.String(section, "PressedColour2"), buttonText);
}

// The keys shared by the generic, two-image and group box readers (all but Frame).
void ReadCommonKeys(TSkinSource& source, std::string_view section, TDataSkinObject& e, TColor buttonText) {
    e.ImageEntry = source.LoadImage(e.Image, section, "Image");
    e.Style = source.Integer(section, "Style");
    ReadMargins(source, section, e);
    e.Trans = source.Integer(section, "Trans");
    e.Tile = source.Integer(section, "Tile");
    if (e.Tile > 1) e.Tile = 0;
    ReadTextColours(source, section, e, buttonText);
}

// Colour parts of the title text: all three given (0 or more), else not given.
TColor ReadTitleColour(TSkinSource& source, std::string_view prefix) {
    const std::string p(prefix);
    const int r = source.Integer("Personality", p + "R", -1);
    const int g = source.Integer("Personality", p + "G", -1);
    const int b = source.Integer("Personality", p + "B", -1);
    if (r < 0 || g < 0 || b < 0) return clNone;
    return (r % 256) + 256 * (g % 256) + 65536 * (b % 256);
}

} // namespace

std::unique_ptr<TDataSkinObject> ReadGenericElement(TSkinSource& source, std::string_view section,
                                                    TColor buttonText) {
    if (!source.Has(section, "Image")) return nullptr;
    auto e = std::make_unique<TDataSkinObject>(WideName(section));
    ReadCommonKeys(source, section, *e, buttonText);
    e->Frame = source.Integer(section, "Frame");
    return e;
}

std::unique_ptr<TDataSkinBorder> ReadTwoImageElement(TSkinSource& source, std::string_view section,
                                                     std::string_view secondKey, TColor buttonText) {
    if (!source.Has(section, "Image")) return nullptr;
    auto e = std::make_unique<TDataSkinBorder>(WideName(section));
    ReadCommonKeys(source, section, *e, buttonText);
    if (source.Has(section, secondKey)) e->Image2Entry = source.LoadImage(e->Image2, section, secondKey);
    return e;
}

std::unique_ptr<TDataSkinBorder> ReadProgressElement(TSkinSource& source) {
    constexpr std::string_view section = "Progress";
    if (!source.Has(section, "Bitmap")) return nullptr;
    auto e = std::make_unique<TDataSkinBorder>(WideName(section));
    e->ImageEntry = source.LoadImage(e->Image, section, "Bitmap");
    e->Style = source.Integer(section, "Style");
    ReadMargins(source, section, *e);
    e->Trans = source.Integer(section, "Trans");
    e->Tile = source.Integer(section, "Tile");
    if (e->Tile > 1) e->Tile = 1;
    return e;
}

std::unique_ptr<TDataSkinBoxLabel> ReadGroupBoxElement(TSkinSource& source, TColor buttonText) {
    constexpr std::string_view section = "GroupBox";
    if (!source.Has(section, "Image")) return nullptr;
    auto e = std::make_unique<TDataSkinBoxLabel>(WideName(section));
    ReadCommonKeys(source, section, *e, buttonText);
    e->BackgroundAlignment = source.Integer(section, "BackgroundAlignment");
    e->BackgroundLeftShift = source.Integer(section, "BackgroundLeftShift");
    e->BackgroundRightShift = source.Integer(section, "BackgroundRightShift");
    return e;
}

std::unique_ptr<TDataSkinObject> ReadMenuBarElement(TSkinSource& source) {
    constexpr std::string_view section = "Personality";
    if (!source.Has(section, "menuBar")) return nullptr;
    auto e = std::make_unique<TDataSkinObject>(WideName(section));
    e->ImageEntry = source.LoadImage(e->Image, section, "menuBar");
    e->Tile = source.Integer(section, "TileMenu", 1);
    if (e->Tile > 1) e->Tile = 1;
    e->LeftWidth = source.Integer(section, "TileLeftMenu", 1);
    e->RightWidth = source.Integer(section, "TileRightMenu", 1);
    return e;
}

void ReadButtonsElement(TSkinSource& source, TDataSkinButton& e, TColor buttonText) {
    constexpr std::string_view section = "Buttons";
    e.Reset();
    ReadMargins(source, section, e);
    e.Trans = source.Integer(section, "Trans");
    e.ImageEntry = source.LoadImage(e.Image, section, "Bitmap");
    e.Tile = source.Integer(section, "Tile");
    if (e.Tile > 1) e.Tile = 0;
    e.CheckImageEntry = source.LoadImage(e.CheckImage, section, "CheckButton");
    e.RadioImageEntry = source.LoadImage(e.RadioImage, section, "RadioButton");
    e.RadioButtonFrame = source.Integer(section, "RadioButtonFrame");
    e.CheckButtonFrame = source.Integer(section, "CheckButtonFrame");
    e.HasNormalColour2 = source.Has(section, "NormalColour2");
    e.HasMouseOverColour2 = source.Has(section, "MouseOverColour2");
    e.HasPressedColour2 = source.Has(section, "PressedColour2");
    ReadTextColours(source, section, e, buttonText);
}

void ReadTitleElement(TSkinSource& source, TDataSkinTitle& e) {
    constexpr std::string_view section = "Personality";
    e.Reset();
    e.ImageEntry = source.LoadImage(e.Image, section, "TextBack");
    e.LeftWidth = source.Integer(section, "TextShift");
    e.TopHeight = source.Integer(section, "TextShiftVert");
    e.RightWidth = source.Integer(section, "TextRightClip");
    e.TextAlignment = source.Integer(section, "TextAlignment");
    e.Textbackground = source.Integer(section, "Textbackground");
    e.TXTBackleft = source.Integer(section, "TXTBackleft");
    e.TXTBackRight = source.Integer(section, "TXTBackRight");
    e.FontHeight = source.Integer("Fonts", "FontHeight", 14);
    e.ActiveTextColour = ReadTitleColour(source, "ActiveText");
    e.InActiveTextColour = ReadTitleColour(source, "InActiveText");
}

void ReadBorderElement(TSkinSource& source, TDataSkinBorder& e, std::string_view side) {
    constexpr std::string_view section = "Personality";
    const std::string n(side);
    e.Reset();
    e.ImageEntry = source.LoadImage(e.Image, section, n);
    const int topHeight = source.Integer(section, n + "TopHeight");
    const int botHeight = source.Integer(section, n + "BotHeight");
    if (side == "Left" || side == "Right") {
        e.TopHeight = topHeight;
        e.BottomHeight = botHeight;
    } else {
        e.LeftWidth = topHeight;
        e.RightWidth = botHeight;
    }
    e.Frame = source.Integer(section, n + "Frame", 1);
    e.Tile = source.Integer(section, n + "Stretch", 1);
    if (e.Tile > 1) e.Tile = 1;
    e.Trans = source.Integer(section, n + "Trans", 1);
}

} // namespace orvo
