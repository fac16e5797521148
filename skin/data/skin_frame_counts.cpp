// The frame count of every element, set after all readers: most elements have a fixed number of
// state frames whatever the INI says.
#include "skin/data/skin_load_steps.h"

#include <algorithm>

namespace orvo {

namespace {

struct TFixedFrameCount {
    TSkinElement Element;
    int Frames;
};

constexpr TFixedFrameCount FixedFrameCounts[] = {
    {TSkinElement::MenuBar, 2},           {TSkinElement::GroupBoxEdge, 2},
    {TSkinElement::Toolbar, 1},           {TSkinElement::TabPane, 1},
    {TSkinElement::GroupBox, 1},          {TSkinElement::MenuBackground, 1},
    {TSkinElement::ToolBars, 5},          {TSkinElement::Tabs, 5},
    {TSkinElement::ExtraImages, 5},       {TSkinElement::MenuItem, 5},
    {TSkinElement::TrackbarThumbHorz, 5}, {TSkinElement::TrackbarThumbVert, 5},
    {TSkinElement::TrackbarThumbLeft, 5}, {TSkinElement::TrackbarThumbRight, 5},
    {TSkinElement::TrackbarThumbUp, 5},   {TSkinElement::TrackbarThumbDown, 5},
    {TSkinElement::StatusBarEdges, 3},    {TSkinElement::ComboButton, 4},
    {TSkinElement::SunkEdge, 4},          {TSkinElement::HorzScroll, 4},
    {TSkinElement::VertScroll, 4},        {TSkinElement::UpDownHorz, 8},
    {TSkinElement::UpDownVert, 8},        {TSkinElement::Scrollbar, 23},
};

// Check and radio glyph strips without a count: 16-pixel frames in images at least 16 high,
// else 13-pixel ones, and never fewer than 4.
int GlyphFrames(const TBitmap& image) {
    const int frames = image.Width() / (image.Height() >= 16 ? 16 : 13);
    return std::max(frames, 4);
}

void SetFrames(TSkinDefinitions& skin, TSkinElement element, int frames) {
    if (TDataSkinObject* e = skin.Element(element)) e->Frame = frames;
}

// Counts taken from the skin are used as divisors by the drawing code: keep them at least 1.
void KeepPositive(int& frames) {
    frames = std::max(frames, 1);
}

} // namespace

void ApplyFrameCounts(TSkinDefinitions& skin, const TQuickIni& ini) {
    TDataSkinButton& buttons = skin.Buttons;
    buttons.Frame = 5;
    if (buttons.RadioButtonFrame == 0) buttons.RadioButtonFrame = GlyphFrames(buttons.RadioImage);
    if (buttons.CheckButtonFrame == 0) buttons.CheckButtonFrame = GlyphFrames(buttons.CheckImage);
    skin.Title.Frame = 2;
    if (TDataSkinObject* progress = skin.Element(TSkinElement::Progress))
        progress->Frame = progress->Style != 0 ? 1 : 2;
    for (const TFixedFrameCount& fixed : FixedFrameCounts)
        SetFrames(skin, fixed.Element, fixed.Frames);
    if (TDataSkinObject* header = skin.Element(TSkinElement::Headerbar); header && header->Frame == 0)
        header->Frame = 5;
    SetFrames(skin, TSkinElement::HorzScrollThumb, ini.ReadInteger("HorzScrollThumb", "FrameCount", 3));
    SetFrames(skin, TSkinElement::VertScrollThumb, ini.ReadInteger("VertScrollThumb", "FrameCount", 3));

    KeepPositive(buttons.RadioButtonFrame);
    KeepPositive(buttons.CheckButtonFrame);
    for (TDataSkinBorder* border : {&skin.Left, &skin.Right, &skin.Top, &skin.Bottom})
        KeepPositive(border->Frame);
    for (auto& element : skin.Elements)
        if (element) KeepPositive(element->Frame);
    for (auto& button : skin.SysButtons)
        KeepPositive(button->Frame);
}

} // namespace orvo
