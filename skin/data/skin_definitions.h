// Everything a loaded skin consists of: the element definitions, the caption buttons, the colours
// and the frame sample. The skin component owns one of these and replaces its content at every load.
#pragma once

#include "skin/data/skin_colours.h"
#include "skin/data/skin_elements.h"

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace orvo {

// The optional element definitions, in the order the load creates them. Each exists only when
// the skin defines it (the derived ComboxArrow and Toolbar always exist after a load).
enum class TSkinElement : int {
    Progress,
    ProgressChunk,
    MenuBar,
    GroupBoxEdge,
    GroupBox,
    Tabs,
    StatusBarEdges,
    TabPane,
    ToolBars,
    ComboButton,
    SunkEdge,
    ExtraImages,
    Headerbar,
    MenuItem,
    MenuBackground,
    Scrollbar,
    HorzScroll,
    VertScroll,
    HorzScrollThumb,
    VertScrollThumb,
    TrackbarThumbHorz,
    TrackbarThumbVert,
    TrackbarThumbLeft,
    TrackbarThumbRight,
    TrackbarThumbUp,
    TrackbarThumbDown,
    UpDownHorz,
    UpDownVert,
    Track,
    TrackVert,
    ComboxArrow,
    Toolbar,
};
constexpr int SkinElementCount = static_cast<int>(TSkinElement::Toolbar) + 1;

// The INI section an element is read from (its Name); the menu bar's is "Personality".
std::string_view SkinElementSection(TSkinElement element);
// The same as the element's Name.
std::wstring SkinElementName(TSkinElement element);

// What the load derives images from, as it was read: the skin at another DPI derives them again
// from these, scaled, because the derived combo box pictures replace ComboButton's and SunkEdge's
// own images and margins.
struct TDerivedSources {
    std::unique_ptr<TDataSkinObject> ComboButton; // as read, when the combo box pictures replaced it
    std::unique_ptr<TDataSkinObject> SunkEdge;
    int ComboButtonWidth = 0; // the button width at 96 DPI the pictures were made for
    TBitmap MdiStrip;         // [MDICONTROLS] Image: the MDI child buttons, four frames each
    std::string MdiStripEntry;
};

struct TSkinDefinitions {
    TSkinDefinitions();

    std::wstring SkinName;
    TDataSkinBorder Left{L"Left"};
    TDataSkinBorder Right{L"Right"};
    TDataSkinBorder Top{L"Top"};
    TDataSkinBorder Bottom{L"Bottom"};
    TDataSkinTitle Title{L"Title"};
    TDataSkinButton Buttons{L"Buttons"};
    // The skin's caption buttons in text order, then the three of a maximised MDI child.
    std::vector<std::unique_ptr<TDataSkinSysButton>> SysButtons;
    std::array<std::unique_ptr<TDataSkinObject>, SkinElementCount> Elements;
    TSkinColours Colours;
    TColor FrameSample = clBtnFace;
    TDerivedSources AsRead;

    TDataSkinObject* Element(TSkinElement e) const { return Elements[static_cast<int>(e)].get(); }
    std::unique_ptr<TDataSkinObject>& Slot(TSkinElement e) { return Elements[static_cast<int>(e)]; }
    // Frees every optional definition and empties the fixed ones.
    void Clear();
};

} // namespace orvo
