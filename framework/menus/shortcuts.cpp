#include "framework/menus/shortcuts.h"

#include "framework/base/sysutils.h"

#include <array>

namespace orvo {

namespace {

constexpr TShortCut ModifierMask = scShift | scCtrl | scAlt;

struct TModifierName {
    TShortCut Bit;
    std::wstring_view Name;
};
constexpr std::array<TModifierName, 3> Modifiers{
    {{scShift, L"Shift+"}, {scCtrl, L"Ctrl+"}, {scAlt, L"Alt+"}}};

std::wstring_view NamedKey(WORD key) {
    switch (key) {
    case VK_BACK:
        return L"BkSp";
    case VK_TAB:
        return L"Tab";
    case VK_RETURN:
        return L"Enter";
    case VK_ESCAPE:
        return L"Esc";
    case VK_SPACE:
        return L"Space";
    case VK_PRIOR:
        return L"PgUp";
    case VK_NEXT:
        return L"PgDn";
    case VK_END:
        return L"End";
    case VK_HOME:
        return L"Home";
    case VK_LEFT:
        return L"Left";
    case VK_UP:
        return L"Up";
    case VK_RIGHT:
        return L"Right";
    case VK_DOWN:
        return L"Down";
    case VK_INSERT:
        return L"Ins";
    case VK_DELETE:
        return L"Del";
    case VK_MULTIPLY:
        return L"Num *";
    case VK_ADD:
        return L"Num +";
    case VK_SUBTRACT:
        return L"Num -";
    case VK_DECIMAL:
        return L"Num .";
    case VK_DIVIDE:
        return L"Num /";
    default:
        return {};
    }
}

// The punctuation keys carry the character they type on the current keyboard layout.
std::wstring LayoutKeyName(WORD key) {
    const UINT ch = MapVirtualKeyW(key, MAPVK_VK_TO_CHAR) & 0x7FFFFFFF; // high bit: dead key
    if (ch <= L' ' || ch > 0xFFFF) return {};
    return std::wstring(1, static_cast<wchar_t>(ch));
}

std::wstring KeyName(WORD key) {
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
        return std::wstring(1, static_cast<wchar_t>(key));
    if (key >= VK_F1 && key <= VK_F24) return L"F" + IntToStr(key - VK_F1 + 1);
    if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9) return L"Num " + IntToStr(key - VK_NUMPAD0);
    if (std::wstring_view named = NamedKey(key); !named.empty()) return std::wstring(named);
    if ((key >= VK_OEM_1 && key <= VK_OEM_3) || (key >= VK_OEM_4 && key <= VK_OEM_8) || key == VK_OEM_102)
        return LayoutKeyName(key);
    return {};
}

bool StartsWithText(std::wstring_view text, std::wstring_view prefix) {
    return text.size() >= prefix.size() && SameText(text.substr(0, prefix.size()), prefix);
}

wchar_t UpperChar(wchar_t c) {
    // CharUpperW takes a single character in the low word of its pointer argument.
    return static_cast<wchar_t>(
        reinterpret_cast<UINT_PTR>(CharUpperW(reinterpret_cast<LPWSTR>(UINT_PTR{c}))));
}

} // namespace

TShortCut ShortCut(WORD key, TShiftState shift) {
    if (key == 0 || key > 0xFF) return scNone;
    TShortCut result = key;
    if (shift.Contains(ssShift)) result |= scShift;
    if (shift.Contains(ssCtrl)) result |= scCtrl;
    if (shift.Contains(ssAlt)) result |= scAlt;
    return result;
}

void ShortCutToKey(TShortCut shortCut, WORD& key, TShiftState& shift) {
    key = shortCut & 0xFF;
    shift = {};
    if (shortCut & scShift) shift.Include(ssShift);
    if (shortCut & scCtrl) shift.Include(ssCtrl);
    if (shortCut & scAlt) shift.Include(ssAlt);
}

std::wstring ShortCutToText(TShortCut shortCut) {
    const std::wstring name = KeyName(shortCut & 0xFF);
    if (name.empty()) return {};
    std::wstring text;
    for (const TModifierName& m : Modifiers)
        if (shortCut & m.Bit) text += m.Name;
    return text + name;
}

TShortCut TextToShortCut(std::wstring_view text) {
    TShortCut modifiers = 0;
    for (bool found = true; found;) {
        found = false;
        for (const TModifierName& m : Modifiers)
            // "Ctrl++" is Ctrl with the "+" key: a modifier needs a key name after it.
            if (text.size() > m.Name.size() && StartsWithText(text, m.Name)) {
                modifiers |= m.Bit;
                text.remove_prefix(m.Name.size());
                found = true;
            }
    }
    if (text.empty()) return scNone;
    for (WORD key = 1; key <= 0xFF; ++key) {
        const std::wstring name = KeyName(key);
        if (!name.empty() && SameText(name, text)) return static_cast<TShortCut>(key | modifiers);
    }
    return scNone;
}

TShiftState KeyboardShiftState() {
    TShiftState shift;
    if (GetKeyState(VK_SHIFT) < 0) shift.Include(ssShift);
    if (GetKeyState(VK_CONTROL) < 0) shift.Include(ssCtrl);
    if (GetKeyState(VK_MENU) < 0) shift.Include(ssAlt);
    return shift;
}

wchar_t GetHotkey(std::wstring_view caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != L'&') continue;
        if (caption[i + 1] != L'&') return caption[i + 1];
        ++i; // "&&" is a literal ampersand
    }
    return 0;
}

bool IsAccel(WORD charCode, std::wstring_view caption) {
    const wchar_t hotkey = GetHotkey(caption);
    return hotkey != 0 && charCode != 0 && UpperChar(hotkey) == UpperChar(static_cast<wchar_t>(charCode));
}

std::wstring StripHotkey(std::wstring_view caption) {
    std::wstring text;
    text.reserve(caption.size());
    for (std::size_t i = 0; i < caption.size(); ++i) {
        // "&x" shows x, "&&" shows "&", a trailing "&" shows nothing.
        if (caption[i] == L'&') {
            if (i + 1 < caption.size()) text += caption[++i];
            continue;
        }
        text += caption[i];
    }
    return text;
}

} // namespace orvo
