// The order in which a skin's INI text becomes element definitions.
#include "skin/data/skin_load_steps.h"
#include "skin/data/skin_readers.h"
#include "skin/data/skin_text.h"

#include "core/scale/dpi_scale.h"
#include "skin/draw/win_convert.h"

#include <algorithm>

namespace orvo {

namespace {

HMODULE ThisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&ThisModule), &module);
    return module;
}

void ReadGeneric(TSkinSource& source, TSkinDefinitions& skin, TSkinElement element) {
    skin.Slot(element) = ReadGenericElement(source, SkinElementSection(element), skin.Colours[scButtonText]);
}

void ReadTwoImage(TSkinSource& source, TSkinDefinitions& skin, TSkinElement element,
                  std::string_view second) {
    skin.Slot(element) =
        ReadTwoImageElement(source, SkinElementSection(element), second, skin.Colours[scButtonText]);
}

// A built-in track image for a skin without one: 3-pixel margins, stretched, one frame.
void ReadTrack(TSkinSource& source, TSkinDefinitions& skin, TSkinElement element, const wchar_t* resource) {
    ReadGeneric(source, skin, element);
    if (skin.Element(element)) return;
    auto track = std::make_unique<TDataSkinObject>(SkinElementName(element));
    LoadSkinResource(track->Image, resource);
    track->LeftWidth = track->TopHeight = track->RightWidth = track->BottomHeight = 3;
    track->Tile = 0;
    track->Frame = 1;
    skin.Slot(element) = std::move(track);
}

// Tab.Pane's margins are the width of the pane's own edge, never more than 4 pixels.
void CapPaneMargins(TSkinDefinitions& skin) {
    if (TDataSkinObject* pane = skin.Element(TSkinElement::TabPane)) {
        pane->LeftWidth = std::min(pane->LeftWidth, 4);
        pane->TopHeight = std::min(pane->TopHeight, 4);
        pane->RightWidth = std::min(pane->RightWidth, 4);
        pane->BottomHeight = std::min(pane->BottomHeight, 4);
    }
}

void ReadElements(TSkinSource& source, TSkinDefinitions& skin) {
    const TColor buttonText = skin.Colours[scButtonText];
    ReadButtonsElement(source, skin.Buttons, buttonText);
    ReadTitleElement(source, skin.Title);
    skin.Slot(TSkinElement::Progress) = ReadProgressElement(source);
    ReadGeneric(source, skin, TSkinElement::ProgressChunk);
    skin.Slot(TSkinElement::MenuBar) = ReadMenuBarElement(source);
    ReadGeneric(source, skin, TSkinElement::GroupBoxEdge);
    skin.Slot(TSkinElement::GroupBox) = ReadGroupBoxElement(source, buttonText);
    ReadTwoImage(source, skin, TSkinElement::Tabs, "Border");
    ReadGeneric(source, skin, TSkinElement::StatusBarEdges);
    ReadGeneric(source, skin, TSkinElement::TabPane);
    CapPaneMargins(skin);
    ReadGeneric(source, skin, TSkinElement::ToolBars);
    ReadTwoImage(source, skin, TSkinElement::ComboButton, "****"); // no skin has a second combo image
    ReadGeneric(source, skin, TSkinElement::SunkEdge);
    MirrorComboButton(skin);
    for (int e = static_cast<int>(TSkinElement::ExtraImages);
         e <= static_cast<int>(TSkinElement::TrackbarThumbDown); ++e)
        ReadGeneric(source, skin, static_cast<TSkinElement>(e));
    ReadTwoImage(source, skin, TSkinElement::UpDownHorz, "GlyphImage");
    ReadTwoImage(source, skin, TSkinElement::UpDownVert, "GlyphImage");
    ReadTrack(source, skin, TSkinElement::Track, L"TRACK");
    ReadTrack(source, skin, TSkinElement::TrackVert, L"TRACKVERT");
}

// The combo box pictures replace ComboButton's and SunkEdge's images and margins: keep them as
// read for making the pictures at other DPIs.
void KeepComboSources(TSkinDefinitions& skin) {
    const TDataSkinObject* combo = skin.Element(TSkinElement::ComboButton);
    const TDataSkinObject* sunk = skin.Element(TSkinElement::SunkEdge);
    if (!combo || !sunk) return;
    skin.AsRead.ComboButton = combo->Clone(true);
    skin.AsRead.SunkEdge = sunk->Clone(true);
}

} // namespace

void MirrorComboButton(TSkinDefinitions& skin) {
    auto* combo = dynamic_cast<TDataSkinBorder*>(skin.Element(TSkinElement::ComboButton));
    if (!combo || combo->Image.Empty()) return;
    combo->Image2.Assign(combo->Image);
    FlipHorizontal(combo->Image2);
}

void LoadSkinResource(TBitmap& target, const wchar_t* name) {
    target.Clear();
    const HMODULE module = ThisModule();
    if (!FindResourceW(module, name, RT_BITMAP)) return;
    target.LoadFromResourceName(module, name);
    target.SetPixelFormat(pf24bit);
}

void LoadSkinDefinitions(TSkinSource& source, TSkinDefinitions& skin) {
    skin.Clear();
    skin.SkinName = AnsiToWide(source.String("TitlebarSkin", "SkinName"));
    for (TDataSkinBorder* border : {&skin.Left, &skin.Right, &skin.Top, &skin.Bottom})
        ReadBorderElement(source, *border, WideToAnsi(border->Name));
    skin.Colours.Read(source.Ini());
    ReadCaptionButtons(source, skin.SysButtons, skin.AsRead);
    ReadElements(source, skin);
    ApplyFrameCounts(skin, source.Ini());
    KeepComboSources(skin);
    skin.AsRead.ComboButtonWidth = ComboButtonWidth();
    BuildComboComposite(skin, skin.AsRead.ComboButtonWidth, DesignDpi);
    BuildComboxArrow(skin, DesignDpi);
    skin.FrameSample = FrameSampleOf(skin);
    BuildToolbar(skin, DesignDpi);
}

} // namespace orvo
