// Keyboard shortcuts of menu items and the mnemonic ("&x") rules of captions.
//
// A TShortCut is a virtual-key code in the low byte plus modifier bits: scShift, scCtrl, scAlt.
// Its text is "Shift+", "Ctrl+", "Alt+" (in that order) and the key's name: "Ctrl+S", "Shift+F10",
// "Del", "Alt+F4". TextToShortCut reads such texts back, ignoring case and the modifiers' order.
#pragma once

#include "framework/base/type_info.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <windows.h>

namespace orvo {

using TShortCut = std::uint16_t;

constexpr TShortCut scNone = 0;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;

// Modifier keys and mouse buttons held during an input event.
enum TShiftStateItem : std::uint8_t { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateItem>;

// Only Shift, Ctrl and Alt of `shift` count; a key outside 1..255 gives scNone.
TShortCut ShortCut(WORD key, TShiftState shift);
void ShortCutToKey(TShortCut shortCut, WORD& key, TShiftState& shift);

// Empty when the key has no name (then the shortcut is not shown).
std::wstring ShortCutToText(TShortCut shortCut);
// scNone for an empty or unknown text.
TShortCut TextToShortCut(std::wstring_view text);

// The modifier keys held now, as this thread's input state sees them.
TShiftState KeyboardShiftState();

// The mnemonic character of a caption: the character after the first "&" that is not part of a
// "&&" pair; 0 when there is none.
wchar_t GetHotkey(std::wstring_view caption);
// True when `charCode` is the caption's mnemonic, compared without case.
bool IsAccel(WORD charCode, std::wstring_view caption);
// The caption as shown: mnemonic markers removed, "&&" turned into "&".
std::wstring StripHotkey(std::wstring_view caption);

} // namespace orvo
