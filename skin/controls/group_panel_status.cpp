// Group boxes, panels, bare containers, status bars and size grips.
#include "skin/controls/group_panel_status.h"

#include "framework/base/prop_access.h"
#include "framework/controls/control.h"
#include "framework/controls/win_control.h"
#include "framework/graphics/font.h"
#include "framework/graphics/gdi_handle.h"
#include "skin/data/skin_data.h"
#include "skin/draw/draw_helpers.h"
#include "skin/draw/skin_draw.h"
#include "skin/form/window_colours.h"

#include <commctrl.h>

#include <algorithm>

namespace orvo {

ORVO_IMPLEMENT_CLASS(TSkinGroupBox);
ORVO_IMPLEMENT_CLASS(TSkinBox);
ORVO_IMPLEMENT_CLASS(TSkinBoxH);
ORVO_IMPLEMENT_CLASS(TSkinStatusBar);
ORVO_IMPLEMENT_CLASS(TSkinSizer);

namespace {

int WidthOf(const RECT& r) {
    return r.right - r.left;
}
int HeightOf(const RECT& r) {
    return r.bottom - r.top;
}

COLORREF Rgb(TColor colour) {
    return static_cast<COLORREF>(ColorToRGB(colour));
}

// Font, colours and background mode of a DC, put back at the end of the scope.
class TDcText {
public:
    TDcText(HDC dc, HFONT font) : FDc(dc), FOldFont(font ? SelectObject(dc, font) : nullptr) {
        FOldText = GetTextColor(dc);
        FOldBack = GetBkColor(dc);
        FOldMode = GetBkMode(dc);
    }
    TDcText(const TDcText&) = delete;
    TDcText& operator=(const TDcText&) = delete;
    ~TDcText() {
        SetBkMode(FDc, FOldMode);
        SetBkColor(FDc, FOldBack);
        SetTextColor(FDc, FOldText);
        if (FOldFont) SelectObject(FDc, FOldFont);
    }

private:
    HDC FDc;
    HGDIOBJ FOldFont;
    COLORREF FOldText = 0;
    COLORREF FOldBack = 0;
    int FOldMode = 0;
};

// The status bar's grip, frame 5 of ExtraImages' strip, at the bottom-right of `r`.
void DrawSkinGrip(HDC dc, const RECT& r, TDataSkinObject* extra) {
    if (!HasImage(extra)) return;
    const int frames = std::max(extra->Frame, 5);
    const SIZE grip{extra->Image.Width() / frames, extra->Image.Height()};
    DrawFrameStrip(dc, SizeGripRect(r, grip), extra->Image, true, frames, 5);
}

} // namespace

int StatusBevelFrame(const std::wstring& bevel) noexcept {
    if (bevel == L"pbraised") return 2;
    if (bevel == L"pbnone") return 3;
    return 1;
}

UINT StatusAlignmentFlags(const std::wstring& alignment, bool rightToLeft) noexcept {
    if (alignment == L"tacenter") return DT_CENTER;
    const bool right = alignment == L"tarightjustify";
    return right != rightToLeft ? DT_RIGHT : DT_LEFT;
}

RECT SizeGripRect(const RECT& r, SIZE grip) noexcept {
    return RECT{r.right - 1 - grip.cx, r.bottom - 1 - grip.cy, r.right - 1, r.bottom - 1};
}

// ---- group box -------------------------------------------------------------------------------

void TSkinGroupBox::AttachControl(TWinSkinForm* form, TSkinData* skinData, bool manageColor, TCanvas* formCanvas) {
    if (Attached) return;
    TSkinControl::AttachControl(form, skinData, manageColor, formCanvas);
    Mode = Control ? 1 : 0;
}

bool TSkinGroupBox::BeforeMessage(TMessage& m) {
    if (m.Msg == WM_PAINT && Mode == 1 && SkinData) {
        FullPaint(m);
        return false;
    }
    return TSkinControl::BeforeMessage(m);
}

void TSkinGroupBox::DrawSkin(HDC dc, const RECT& r) {
    if (!SkinData) return;
    Text = SkinWindowText(Handle);
    if (Text.empty() && Control) Text = StrProp(L"Caption");
    if (Control) FillFace(dc, r);
    TFont* font = ControlFont();
    TDcText saved(dc, font ? font->Handle() : WindowFont());
    SIZE zero{};
    GetTextExtentPoint32W(dc, L"0", 1, &zero);
    const int y = GroupFrameLineY(zero.cy);
    if (Mode == 0) {
        // Cover the platform's own edge.
        RECT ring{0, y, r.right, r.bottom};
        FrameRect(dc, &ring, SkinData->ButtonFaceBrush());
        InflateRect(&ring, -1, -1);
        FrameRect(dc, &ring, SkinData->ButtonFaceBrush());
    }
    {
        TPenHandle pen(CreatePen(PS_SOLID, 1, Rgb(SkinData->Colour(scButtonShadow))));
        TSelectObject selectPen(dc, pen.Get());
        TSelectObject selectBrush(dc, GetStockObject(NULL_BRUSH));
        RoundRect(dc, 1, y, r.right - 1, r.bottom - 1, 5, 5);
    }
    if (!Text.empty()) {
        SetTextColor(dc, Rgb(font ? (Enabled || !Control ? font->Color() : clBtnShadow) : SkinData->Colour(scButtonText)));
        SetBkColor(dc, Rgb(SkinData->Colour(scButtonFace)));
        SetBkMode(dc, OPAQUE);
        RECT t = r;
        UINT flags = DT_EXPANDTABS;
        if (ExStyle() & WS_EX_RIGHT) {
            t.right -= 8;
            flags |= DT_RIGHT;
        } else {
            t.left += 8;
        }
        DrawTextW(dc, Text.c_str(), static_cast<int>(Text.size()), &t, TextFlags(flags));
    }
    if (Mode == 1)
        if (auto* windowed = dynamic_cast<TWinControl*>(Control)) windowed->PaintControls(dc, nullptr);
}

// ---- panel -----------------------------------------------------------------------------------

void TSkinBox::Unskin() {
    if (!Active) return;
    Active = false;
    if (State != TSkinControlState::Destroyed) {
        RestoreColor();
        State = TSkinControlState::Unskinned;
    }
}

// ---- bare container --------------------------------------------------------------------------

bool TSkinBoxH::BeforeMessage(TMessage& m) {
    if (!SkinData) return TSkinControl::BeforeMessage(m);
    switch (m.Msg) {
    case WM_ERASEBKGND: {
        RECT r{};
        GetWindowRect(Handle, &r);
        OffsetRect(&r, -r.left, -r.top);
        if (m.WParam) FillFace(reinterpret_cast<HDC>(m.WParam), r);
        m.Result = 0;
        return false;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
        // The page's controls are coloured as its dialog's are.
        CallDefault(m);
        AnswerColourMessage(WindowPaletteOf(*SkinData), m);
        return false;
    default:
        return TSkinControl::BeforeMessage(m);
    }
}

// ---- status bar ------------------------------------------------------------------------------

bool TSkinStatusBar::BeforeMessage(TMessage& m) {
    if (!SkinData) return TSkinControl::BeforeMessage(m);
    switch (m.Msg) {
    case WM_PAINT:
        FullPaint(m);
        return false;
    case WM_ERASEBKGND:
        m.Result = 1;
        return false;
    default:
        return TSkinControl::BeforeMessage(m);
    }
}

void TSkinStatusBar::PanelEdge(HDC dc, const RECT& r, int frame) const {
    TDataSkinObject* edges = Skin().StatusBarEdges();
    if (HasImage(edges)) {
        DrawSliced(dc, r, edges->Image, 3, frame, false,
                   MarginsOf(*edges),
                   edges->Tile != 0, false);
        return;
    }
    if (frame == 3) return;
    const TColor light = frame == 1 ? clBtnHighlight : clBtnShadow;
    const TColor dark = frame == 1 ? clBtnShadow : clBtnHighlight;
    TPenHandle darkPen(CreatePen(PS_SOLID, 1, Rgb(dark)));
    TPenHandle lightPen(CreatePen(PS_SOLID, 1, Rgb(light)));
    {
        TSelectObject select(dc, darkPen.Get());
        MoveToEx(dc, r.left, r.bottom - 1, nullptr);
        LineTo(dc, r.left, r.top);
        LineTo(dc, r.right - 1, r.top);
    }
    TSelectObject select(dc, lightPen.Get());
    MoveToEx(dc, r.right - 1, r.top, nullptr);
    LineTo(dc, r.right - 1, r.bottom - 1);
    LineTo(dc, r.left - 1, r.bottom - 1);
}

void TSkinStatusBar::PanelText(HDC dc, const RECT& p, const std::wstring& text, UINT alignment) const {
    SetBkMode(dc, TRANSPARENT);
    RECT t = p;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &t, alignment | DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS);
    if (alignment & DT_CENTER) {
        OffsetRect(&t, (WidthOf(p) - WidthOf(t)) / 2, 0);
    } else {
        t.left = p.left;
        t.right = p.right;
    }
    OffsetRect(&t, 0, (HeightOf(p) - HeightOf(t)) / 2 - 1);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &t, TextFlags(alignment | DT_EXPANDTABS));
}

void TSkinStatusBar::DrawPanels(HDC dc, const RECT& r, int count) {
    for (int i = 0; i < count; ++i) {
        RECT p{};
        if (!SendMessageW(Handle, SB_GETRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&p))) continue;
        p.right += 2;
        if (i == count - 1) p.right = r.right;
        const std::wstring item = L"Panels[" + std::to_wstring(i) + L"].";
        PanelEdge(dc, p, StatusBevelFrame(EnumProp((item + L"Bevel").c_str())));
        if (EnumProp((item + L"Style").c_str()) == L"psownerdraw") continue;
        const bool rtl = EnumProp((item + L"BiDiMode").c_str()) == L"bdrighttoleft";
        std::wstring text = StrProp((item + L"Text").c_str());
        if (text.empty()) text = L" ";
        PanelText(dc, RECT{p.left + 2, p.top, p.right - 2, p.bottom}, text,
                  StatusAlignmentFlags(EnumProp((item + L"Alignment").c_str()), rtl));
    }
}

void TSkinStatusBar::DrawOwnerPanels(HDC dc, int count) {
    if (!Control) return;
    for (int i = 0; i < count; ++i) {
        const std::wstring item = L"Panels[" + std::to_wstring(i) + L"].";
        if (EnumProp((item + L"Style").c_str()) != L"psownerdraw") continue;
        RECT p{};
        if (!SendMessageW(Handle, SB_GETRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&p))) continue;
        // The control's own road for owner-drawn panels: it hands the panel to OnDrawPanel.
        DRAWITEMSTRUCT item_{};
        item_.CtlType = ODT_STATIC;
        item_.CtlID = static_cast<UINT>(GetDlgCtrlID(Handle));
        item_.itemID = static_cast<UINT>(i);
        item_.itemAction = ODA_DRAWENTIRE;
        item_.hwndItem = Handle;
        item_.hDC = dc;
        item_.rcItem = RECT{p.left + 2, p.top + 2, p.right - 2, p.bottom - 2};
        Control->Perform(CN_DRAWITEM, static_cast<WPARAM>(item_.CtlID), reinterpret_cast<LPARAM>(&item_));
    }
}

void TSkinStatusBar::DrawSkin(HDC dc, const RECT& r) {
    if (!SkinData || WidthOf(r) <= 0 || HeightOf(r) <= 0) return;
    draw_detail::TScratch scratch(WidthOf(r), HeightOf(r));
    HDC s = scratch.Dc();
    FillFace(s, r);
    TFont plain;
    if (TFont* font = ControlFont()) {
        plain.Assign(*font);
        plain.SetStyle(TFontStyles{});
    }
    {
        TDcText saved(s, ControlFont() ? plain.Handle() : WindowFont());
        TDataSkinObject* edges = Skin().StatusBarEdges();
        SetTextColor(s, Rgb(edges ? edges->NormalColour2 : SkinData->Colour(scButtonText)));
        const int count = OrdProp(L"Panels.Count", 0);
        const int panels = std::max(count, 0);
        if (EnumProp(L"SimplePanel") == L"true" || panels == 0) {
            PanelEdge(s, r, 1);
            std::wstring text = StrProp(L"SimpleText");
            if (text.empty()) text = L" ";
            PanelText(s, RECT{r.left + 2, r.top, r.right - 2, r.bottom}, text, RightToLeft() ? DT_RIGHT : DT_LEFT);
        } else {
            DrawPanels(s, r, panels);
        }
        if (Style() & SBARS_SIZEGRIP) DrawSkinGrip(s, r, Skin().ExtraImages());
    }
    BitBlt(dc, r.left, r.top, WidthOf(r), HeightOf(r), s, 0, 0, SRCCOPY);
    if (auto* windowed = dynamic_cast<TWinControl*>(Control)) {
        windowed->PaintControls(dc, nullptr);
        if (EnumProp(L"SimplePanel") != L"true") DrawOwnerPanels(dc, std::max(OrdProp(L"Panels.Count", 0), 0));
    }
}

// ---- size grip -------------------------------------------------------------------------------

void TSkinSizer::DrawSkin(HDC dc, const RECT& r) {
    if (!SkinData) return;
    FillFace(dc, r);
    DrawSkinGrip(dc, RECT{r.left, r.top, r.right + 1, r.bottom + 1}, Skin().ExtraImages());
}

} // namespace orvo
