#include "framework/controls/speed_button.h"

#include "framework/controls/control_publish.h"
#include "framework/controls/win_control.h"

#include <algorithm>

namespace orvo {

ORVO_IMPLEMENT_CLASS(TSpeedButton);

namespace {

// A button that stays down shows a checked face: highlight and face colours alternating.
void FillDithered(HDC dc, const RECT& r) {
    static const WORD pattern[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
    HBITMAP bits = CreateBitmap(8, 8, 1, 1, pattern);
    if (!bits) return;
    HBRUSH brush = CreatePatternBrush(bits);
    if (brush) {
        const COLORREF text = SetTextColor(dc, ColorToColorRef(clBtnFace));
        const COLORREF back = SetBkColor(dc, ColorToColorRef(clBtnHighlight));
        FillRect(dc, &r, brush);
        SetTextColor(dc, text);
        SetBkColor(dc, back);
        DeleteObject(brush);
    }
    DeleteObject(bits);
}

} // namespace

void TSpeedButton::Publish(TPublisher<TSpeedButton>& p) {
    PublishCaption(p);
    PublishFont(p);
    p.Boolean(L"AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp);
    p.Integer(L"GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex);
    p.Boolean(L"Down", &TSpeedButton::Down, &TSpeedButton::SetDown);
    p.Boolean(L"Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat);
    p.Object(L"Glyph", &TSpeedButton::Glyph, &TSpeedButton::SetGlyph);
    p.Integer(L"NumGlyphs", &TSpeedButton::NumGlyphs, &TSpeedButton::SetNumGlyphs);
    p.Enum(L"Layout", ButtonLayoutType(), &TSpeedButton::Layout, &TSpeedButton::SetLayout);
    p.Integer(L"Margin", &TSpeedButton::Margin, &TSpeedButton::SetMargin);
    p.Integer(L"Spacing", &TSpeedButton::Spacing, &TSpeedButton::SetSpacing);
}

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner) {
    // A quick second click is a click of its own, not a double click.
    SetControlStyle(TControlStyle{csCaptureMouse, csClickEvents});
    SetBounds(0, 0, 23, 22);
    FGlyph.OnChange = [this] { Invalidate(); };
}

// ---- properties ------------------------------------------------------------------------------

template <class F> void TSpeedButton::ForEachOfGroup(F&& action) {
    if (FGroupIndex == 0 || !Parent()) return;
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
        TControl* c = Parent()->Controls(i);
        if (c != this && c->InheritsFrom<TSpeedButton>() &&
            static_cast<TSpeedButton*>(c)->FGroupIndex == FGroupIndex)
            action(*static_cast<TSpeedButton*>(c));
    }
}

void TSpeedButton::UpdateExclusive() {
    ForEachOfGroup([this](TSpeedButton& other) {
        if (FDown && other.FDown) {
            other.FDown = false;
            other.Invalidate();
        }
        other.FAllowAllUp = FAllowAllUp;
    });
}

void TSpeedButton::SetDown(bool down) {
    if (ComponentState().Contains(csLoading)) {
        FDown = down; // the group index may come later in the text
        return;
    }
    if (FGroupIndex == 0) down = false;
    if (down == FDown) return;
    if (FDown && !FAllowAllUp) return;
    FDown = down;
    Invalidate();
    if (down) UpdateExclusive();
}

void TSpeedButton::SetFlat(bool flat) {
    if (flat == FFlat) return;
    FFlat = flat;
    Invalidate();
}

void TSpeedButton::SetGroupIndex(int index) {
    if (index == FGroupIndex) return;
    FGroupIndex = index;
    if (ComponentState().Contains(csLoading)) return;
    if (FGroupIndex == 0 && FDown) {
        FDown = false;
        Invalidate();
    }
    UpdateExclusive();
}

void TSpeedButton::SetAllowAllUp(bool value) {
    FAllowAllUp = value;
    if (!ComponentState().Contains(csLoading)) UpdateExclusive();
}

void TSpeedButton::SetGlyph(TBitmap* glyph) {
    if (glyph)
        FGlyph.Glyph().Assign(*glyph);
    else
        FGlyph.Glyph().Clear();
}

void TSpeedButton::ChangeScale(int oldDpi, int newDpi) {
    TGraphicControl::ChangeScale(oldDpi, newDpi);
    FGlyph.SetDpi(newDpi);
}

void TSpeedButton::Loaded() {
    TGraphicControl::Loaded();
    if (FGroupIndex == 0)
        FDown = false;
    else if (FDown)
        UpdateExclusive();
}

// ---- the mouse -------------------------------------------------------------------------------

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft && Enabled()) {
        FState = bsDown;
        FDragging = true;
        Invalidate();
    }
    TGraphicControl::MouseDown(button, shift, x, y);
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y) {
    if (FDragging) {
        const RECT client = ClientRect();
        const TButtonState state = PtInRect(&client, POINT{x, y}) ? bsDown : bsUp;
        if (state != FState) {
            FState = state;
            Invalidate();
        }
    }
    TGraphicControl::MouseMove(shift, x, y);
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft && FDragging) {
        FDragging = false;
        const RECT client = ClientRect();
        // The click itself follows (TControl), after the group has its new state.
        if (PtInRect(&client, POINT{x, y}) && FGroupIndex != 0) SetDown(!FDown);
        FState = bsUp;
        Invalidate();
    }
    TGraphicControl::MouseUp(button, shift, x, y);
}

void TSpeedButton::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_LBUTTONDBLCLK:
        m.Msg = WM_LBUTTONDOWN;
        break;
    case CM_MOUSEENTER:
        FMouseInControl = true;
        if (FFlat && Enabled()) Invalidate();
        break;
    case CM_MOUSELEAVE:
        FMouseInControl = false;
        if (FFlat) Invalidate();
        break;
    case CM_ENABLEDCHANGED:
        FState = bsUp;
        FDragging = false;
        break;
    default:
        break;
    }
    TGraphicControl::WndProc(m);
}

// ---- painting --------------------------------------------------------------------------------

void TSpeedButton::Paint() {
    TCanvas& canvas = *Canvas();
    HDC dc = canvas.Handle();
    const RECT bounds = ClientRect();
    const bool pressed = FState == bsDown;
    const bool sunk = pressed || FDown;
    RECT face = bounds;
    if (!FFlat) {
        DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (sunk ? DFCS_PUSHED : 0));
        InflateRect(&face, -2, -2);
    } else {
        // Flat: the parent's background, an edge only when it means something.
        if (sunk)
            DrawEdge(dc, &face, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
        else if (FMouseInControl && Enabled())
            DrawEdge(dc, &face, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
        else
            InflateRect(&face, -1, -1);
    }
    if (FDown && !pressed) FillDithered(dc, face);
    RECT content = bounds;
    InflateRect(&content, -2, -2);
    if (sunk) OffsetRect(&content, 1, 1);
    const TButtonState state = !Enabled() ? bsDisabled : pressed ? bsDown : FDown ? bsExclusive : bsUp;
    HGDIOBJ oldFont = SelectObject(dc, Font()->Handle());
    const COLORREF oldColor = SetTextColor(dc, ColorToColorRef(Font()->Color()));
    FGlyph.Draw(dc, content, Caption(), state, DrawTextBiDiModeFlags(0));
    SetTextColor(dc, oldColor);
    SelectObject(dc, oldFont);
}

} // namespace orvo
