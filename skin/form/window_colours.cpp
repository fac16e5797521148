// The skin's window colours and the colour messages of windows no framework control stands
// behind. Only what the platform answered by default is replaced: a dialog that colours one of its
// controls itself keeps that colour.
#include "skin/form/window_colours.h"

#include "skin/controls/control_skin.h"
#include "skin/data/skin_data.h"

namespace orvo {

namespace {

bool IsPlatformText(COLORREF colour) {
    colour &= 0xFFFFFF;
    return colour == GetSysColor(COLOR_WINDOWTEXT) || colour == GetSysColor(COLOR_BTNTEXT);
}

// The default handling's answer: the platform's brush of that colour (or none at all).
bool IsPlatformBrush(LRESULT answer, int index) {
    return answer == 0 || reinterpret_cast<HBRUSH>(answer) == GetSysColorBrush(index);
}

void FaceText(const TWindowPalette& p, HDC dc) {
    if (IsPlatformText(GetTextColor(dc))) SetTextColor(dc, p.FaceText);
}

} // namespace

TWindowPalette WindowPaletteOf(const TSkinData& skin) {
    TWindowPalette p;
    p.Dressed = skin.Colours().Given[scWindow];
    p.Window = ColorToColorRef(skin.Colour(scWindow));
    p.WindowText = ColorToColorRef(skin.Colour(scWindowText));
    p.Face = ColorToColorRef(skin.Colour(scButtonFace));
    p.FaceText = ColorToColorRef(skin.Colour(scButtonText));
    p.Highlight = ColorToColorRef(skin.Colour(scHilight));
    p.HighlightText = ColorToColorRef(skin.Colour(scHilightText));
    p.Shadow = ColorToColorRef(skin.Colour(scButtonShadow));
    p.WindowBrush = skin.WindowBrush();
    p.FaceBrush = skin.ButtonFaceBrush();
    return p;
}

TColor SkinColourFor(const TSkinData& skin, TColor colour) {
    if (!skin.Colours().Given[scWindow]) return colour;
    switch (colour) {
    case clWindow: return skin.Colour(scWindow);
    case clWindowText: return skin.Colour(scWindowText);
    case clBtnFace: return skin.Colour(scButtonFace);
    case clBtnText: return skin.Colour(scButtonText);
    case clHighlight: return skin.Colour(scHilight);
    case clHighlightText: return skin.Colour(scHilightText);
    default: return colour;
    }
}

bool ShowsFace(HWND edit) {
    const std::wstring name = LowerText(WindowClassName(edit));
    if (name == L"combobox" || name == L"comboboxex32") return !IsWindowEnabled(edit);
    if (name != L"edit") return false;
    return !IsWindowEnabled(edit) || (GetWindowLongPtrW(edit, GWL_STYLE) & ES_READONLY);
}

COLORREF BackgroundOf(HWND control) {
    const bool face = ShowsFace(control);
    const auto message = static_cast<UINT>(face ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT);
    const COLORREF fallback = GetSysColor(face ? COLOR_BTNFACE : COLOR_WINDOW);
    HWND parent = GetParent(control);
    HDC dc = CreateCompatibleDC(nullptr);
    if (!parent || !dc) {
        if (dc) DeleteDC(dc);
        return fallback;
    }
    const auto wParam = reinterpret_cast<WPARAM>(dc);
    const auto lParam = reinterpret_cast<LPARAM>(control);
    auto brush = reinterpret_cast<HBRUSH>(SendMessageW(parent, message, wParam, lParam));
    if (!brush) brush = reinterpret_cast<HBRUSH>(DefWindowProcW(parent, message, wParam, lParam));
    DeleteDC(dc);
    LOGBRUSH info{};
    if (brush && GetObjectW(brush, sizeof info, &info) == sizeof info && info.lbStyle == BS_SOLID)
        return info.lbColor & 0xFFFFFF;
    return fallback;
}

bool AnswerColourMessage(const TWindowPalette& p, TMessage& m) {
    auto dc = reinterpret_cast<HDC>(m.WParam);
    auto child = reinterpret_cast<HWND>(m.LParam);
    switch (m.Msg) {
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        if (!p.Dressed || !p.WindowBrush || !IsPlatformBrush(m.Result, COLOR_WINDOW)) return true;
        SetTextColor(dc, p.WindowText);
        SetBkColor(dc, p.Window);
        m.Result = reinterpret_cast<LRESULT>(p.WindowBrush);
        return true;
    case WM_CTLCOLORSTATIC:
        if (!p.FaceBrush) return true;
        FaceText(p, dc);
        SetBkColor(dc, p.Face);
        // A read-only edit's text needs its background; a label stands on the dialog's face.
        if (!p.Dressed || !ShowsFace(child)) SetBkMode(dc, TRANSPARENT);
        m.Result = reinterpret_cast<LRESULT>(p.FaceBrush);
        return true;
    case WM_CTLCOLORBTN:
        SetBkMode(dc, TRANSPARENT);
        FaceText(p, dc);
        if (p.Dressed && p.FaceBrush && IsPlatformBrush(m.Result, COLOR_BTNFACE))
            m.Result = reinterpret_cast<LRESULT>(p.FaceBrush);
        return true;
    case WM_CTLCOLORDLG:
        if (!p.FaceBrush || !IsPlatformBrush(m.Result, COLOR_BTNFACE)) return true;
        FaceText(p, dc);
        SetBkColor(dc, p.Face);
        m.Result = reinterpret_cast<LRESULT>(p.FaceBrush);
        return true;
    default:
        return false;
    }
}

} // namespace orvo
