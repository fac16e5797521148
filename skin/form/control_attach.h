// The plain rules of the control attachment, apart from windows so they can be tested alone:
// the Skin3rd mapping lines and the kinds of bare "button" windows.
#pragma once

#include <optional>
#include <string>
#include <vector>
#include <windows.h>

namespace orvo {

// Lines "ClassName=kind": the kind (lower case, at most 50 characters) of the first line whose
// lower-cased text begins with the lower-cased class name followed by "="; nothing when no line
// names the class ("TRzButton" does not match "TRzButtonEdit=Edit").
std::optional<std::wstring> Skin3rdKind(const std::vector<std::wstring>& lines, const std::wstring& className);

enum class TBareButtonKind {
    None,      // group boxes, bitmap and icon buttons, split buttons, command links
    CheckBox,  // BS_CHECKBOX, BS_AUTOCHECKBOX, BS_3STATE, BS_AUTO3STATE
    Radio,     // BS_RADIOBUTTON, BS_AUTORADIOBUTTON
    Push,      // BS_PUSHBUTTON, BS_DEFPUSHBUTTON, BS_PUSHBOX
    OwnerDraw, // BS_OWNERDRAW (and BS_USERBUTTON): drawn by its owner, not by the skin
};
// The type of a "button" window is the low four bits of its style, compared as a whole.
TBareButtonKind BareButtonKindOf(DWORD style) noexcept;

} // namespace orvo
