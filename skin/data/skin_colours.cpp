#include "skin/data/skin_colours.h"

#include "core/skinfile/ascii_text.h"
#include "core/skinfile/colour_text.h"
#include "core/skinfile/quick_ini.h"

#include <string>

namespace orvo {

const std::array<TSkinColourKey, 17> SkinColourKeys{{
    {scWindowText, "WindowText", clWindowText},
    {scButtonFace, "ButtonFace", clBtnFace},
    {scScrollbar, "Scrollbar", clScrollBar},
    {scHilightText, "HilightText", clHighlightText},
    {scHilight, "Hilight", clHighlight},
    {scMenubar, "Menubar", clBtnFace},
    {scMenu, "Menu", clMenu},
    {scMenuText, "MenuText", clMenuText},
    {scButtonText, "ButtonText", clBtnText},
    {scButtonHilight, "ButtonHilight", clBtnHighlight},
    {scButtonlight, "Buttonlight", clBtnHighlight},
    {scButtonShadow, "ButtonShadow", clBtnShadow},
    {scButtonDkShadow, "ButtonDkShadow", cl3DDkShadow},
    {scMenuBarText, "MenuBarText", clMenuText},
    {scTitleTextActive, "TitleTextActive", clCaptionText},
    {scTitleTextNoActive, "TitleTextNoActive", clInactiveCaptionText},
    {scWindow, "Window", clWindow},
}};

std::string_view SkinColourKey(int index) {
    for (const TSkinColourKey& key : SkinColourKeys)
        if (key.Index == index) return key.Key;
    return {};
}

void TSkinColours::Reset() {
    Colours.fill(0);
    Given.fill(false);
    for (const TSkinColourKey& key : SkinColourKeys)
        Colours[key.Index] = key.Default;
    SectionColours.clear();
    CustomColours.fill(clWhite);
}

void TSkinColours::Read(const TQuickIni& ini) {
    Reset();
    for (const TSkinColourKey& key : SkinColourKeys) {
        const std::string text = ini.ReadString("Colours", key.Key, "");
        const TColor fallback = key.Index == scMenubar ? Colours[scButtonFace] : key.Default;
        Given[key.Index] = !text.empty();
        Colours[key.Index] = ParseColour(text, fallback);
    }
    for (const std::string& section : ini.ReadSections())
        if (StartsWithNoCase(section, "COLOUR") && !EqualsNoCase(section, "COLOURS"))
            SectionColours.push_back(ParseColour(ini.ReadString(section, "color", ""), clWindowText));
    for (int i = 0; i < CustomColourCount; ++i)
        CustomColours[i] =
            ParseColour(ini.ReadString("Customcolors", "Color" + std::to_string(i), ""), clWhite);
}

} // namespace orvo
