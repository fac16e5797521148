#include "skin/data/skin_definitions.h"

#include "skin/data/skin_text.h"

namespace orvo {

namespace {

constexpr std::string_view ElementSections[SkinElementCount] = {
    "Progress",
    "Progress.Chunk",
    "Personality",
    "GroupBoxEdge",
    "GroupBox",
    "Tabs",
    "StatusBarEdges",
    "Tab.Pane",
    "ToolBars",
    "ComboButton",
    "SunkEdge",
    "ExtraImages",
    "Headerbar",
    "MenuItem",
    "MenuBackground",
    "Scrollbar",
    "HorzScroll",
    "VertScroll",
    "HorzScrollThumb",
    "VertScrollThumb",
    "Trackbar.ThumbHorz",
    "Trackbar.ThumbVert",
    "Trackbar.ThumbLeft",
    "Trackbar.ThumbRight",
    "Trackbar.ThumbUp",
    "Trackbar.ThumbDown",
    "UpDown.Horz",
    "UpDown.Vert",
    "Track",
    "TRACKVERT",
    "ComboxArrow",
    "Toolbar",
};

} // namespace

std::string_view SkinElementSection(TSkinElement element) {
    return ElementSections[static_cast<int>(element)];
}

std::wstring SkinElementName(TSkinElement element) {
    return AnsiToWide(SkinElementSection(element));
}

TSkinDefinitions::TSkinDefinitions() {
    Colours.Reset();
}

void TSkinDefinitions::Clear() {
    SkinName.clear();
    for (TDataSkinObject* fixed :
         std::initializer_list<TDataSkinObject*>{&Left, &Right, &Top, &Bottom, &Title, &Buttons})
        fixed->Reset();
    SysButtons.clear();
    for (auto& element : Elements)
        element.reset();
    Colours.Reset();
    FrameSample = Colours[scButtonFace];
    AsRead.ComboButton.reset();
    AsRead.SunkEdge.reset();
    AsRead.ComboButtonWidth = 0;
    AsRead.MdiStrip.Clear();
    AsRead.MdiStripEntry.clear();
}

} // namespace orvo
