#include "framework/controls/bit_btn.h"

#include "framework/controls/control_publish.h"
#include "framework/forms/forms.h"

#include <algorithm>

namespace orvo {

ORVO_IMPLEMENT_CLASS(TBitBtn);

const TEnumType& BitBtnKindType() {
    static const TEnumType type(L"TBitBtnKind",
                                {L"bkCustom", L"bkOK", L"bkCancel", L"bkHelp", L"bkYes", L"bkNo", L"bkClose",
                                 L"bkAbort", L"bkRetry", L"bkIgnore", L"bkAll"});
    return type;
}

namespace {

struct TKindInfo {
    const wchar_t* Caption;
    std::int32_t ModalResult;
};
const TKindInfo KindInfo[] = {
    {L"", mrNone},        {L"OK", mrOk},          {L"Cancel", mrCancel}, {L"&Help", mrNone},
    {L"&Yes", mrYes},     {L"&No", mrNo},         {L"&Close", mrNone},   {L"Abort", mrAbort},
    {L"&Retry", mrRetry}, {L"&Ignore", mrIgnore}, {L"&All", mrAll},
};

const TKindInfo& Info(TBitBtnKind kind) {
    return KindInfo[kind <= bkAll ? kind : bkCustom];
}

void Check(TCanvas& c, int dx, int dy) {
    const POINT mark[] = {{3 + dx, 8 + dy}, {6 + dx, 11 + dy}, {12 + dx, 4 + dy}};
    c.Polyline(mark);
}

void Cross(TCanvas& c, int inset) {
    c.MoveTo(inset, inset);
    c.LineTo(15 - inset, 15 - inset);
    c.MoveTo(15 - inset, inset);
    c.LineTo(inset, 15 - inset);
}

} // namespace

std::wstring BitBtnKindCaption(TBitBtnKind kind) {
    return Info(kind).Caption;
}

void LoadBitBtnKindGlyph(TBitBtnKind kind, TBitmap& glyph, int dpi) {
    if (kind == bkCustom || kind > bkAll) {
        glyph.Clear();
        return;
    }
    const int size = ScaleLength(16, dpi);
    glyph.SetPixelFormat(pf24bit);
    glyph.SetSize(size, size);
    TCanvas& c = glyph.Canvas();
    c.Brush().SetColor(clFuchsia); // the bottom-left pixel: the transparent colour
    c.FillRect(RECT{0, 0, size, size});
    // Drawn on a 16-pixel grid, at the display's scale: lines and shapes as sharp as at 96 DPI
    // (where the grid is the pixels, in the compatible mode as ever).
    const bool scaled = size != 16;
    const int mode = scaled ? SetGraphicsMode(c.Handle(), GM_ADVANCED) : 0;
    const float s = static_cast<float>(size) / 16.0f;
    const XFORM scale{s, 0, 0, s, 0, 0};
    if (scaled) SetWorldTransform(c.Handle(), &scale);
    c.Pen().SetWidth(2);
    switch (kind) {
    case bkOK:
    case bkYes:
        c.Pen().SetColor(clGreen);
        Check(c, 0, 0);
        break;
    case bkAll:
        c.Pen().SetColor(clGreen);
        Check(c, -2, -2);
        Check(c, 2, 2);
        break;
    case bkCancel:
        c.Pen().SetColor(clRed);
        Cross(c, 4);
        break;
    case bkNo:
    case bkAbort:
        c.Pen().SetColor(clRed);
        c.Ellipse(RECT{2, 2, 14, 14});
        if (kind == bkNo) {
            c.MoveTo(4, 11);
            c.LineTo(11, 4);
        } else {
            Cross(c, 5);
        }
        break;
    case bkRetry: {
        c.Pen().SetColor(clGreen);
        // Three quarters of a circle, counter-clockwise from the top round to the right, and the
        // arrow head at the top pointing on.
        Arc(c.Handle(), 3, 3, 13, 13, 8, 3, 13, 8);
        c.Pen().SetWidth(1);
        c.Brush().SetColor(clGreen);
        const POINT head[] = {{9, 0}, {9, 6}, {12, 3}};
        c.Polygon(head);
        break;
    }
    case bkIgnore: {
        c.Pen().SetWidth(1);
        c.Pen().SetColor(clNavy);
        c.Brush().SetColor(clNavy);
        const POINT arrow[] = {{2, 6}, {9, 6}, {9, 3}, {14, 8}, {9, 13}, {9, 10}, {2, 10}};
        c.Polygon(arrow);
        break;
    }
    case bkHelp: {
        c.Pen().SetColor(clNavy);
        Arc(c.Handle(), 4, 2, 12, 9, 4, 5, 11, 8);
        c.MoveTo(10, 8);
        c.LineTo(8, 10);
        c.Brush().SetColor(clNavy);
        c.Pen().SetWidth(1);
        c.Rectangle(RECT{7, 12, 10, 15});
        break;
    }
    case bkClose:
        c.Pen().SetWidth(1);
        c.Pen().SetColor(clBlack);
        c.Brush().SetColor(clTeal);
        c.Rectangle(RECT{4, 1, 12, 15});
        c.Brush().SetColor(clYellow);
        c.Rectangle(RECT{9, 7, 11, 9});
        break;
    default:
        break;
    }
    c.Pen().SetWidth(1);
    if (scaled) {
        ModifyWorldTransform(c.Handle(), nullptr, MWT_IDENTITY);
        SetGraphicsMode(c.Handle(), mode);
    }
    c.SetPixel(0, size - 1, clFuchsia);
}

TBitBtn::TBitBtn(TComponent* owner) : TButton(owner) {
    FGlyph.OnChange = [this] { GlyphChanged(); };
    // The stock glyphs are drawn at each scale, not resampled.
    FGlyph.DrawForDpi = [this](TBitmap& strip, int dpi) {
        if (FOwnGlyph || FKind == bkCustom) return false;
        LoadBitBtnKindGlyph(FKind, strip, dpi);
        return true;
    };
}

void TBitBtn::ChangeScale(int oldDpi, int newDpi) {
    TButton::ChangeScale(oldDpi, newDpi);
    FGlyph.SetDpi(newDpi);
}

void TBitBtn::Publish(TPublisher<TBitBtn>& p) {
    p.Object(L"Glyph", &TBitBtn::Glyph, &TBitBtn::SetGlyph);
    p.Integer(L"NumGlyphs", &TBitBtn::NumGlyphs, &TBitBtn::SetNumGlyphs);
    p.Enum(L"Kind", BitBtnKindType(), &TBitBtn::Kind, &TBitBtn::SetKind);
    p.Enum(L"Layout", ButtonLayoutType(), &TBitBtn::Layout, &TBitBtn::SetLayout);
    p.Integer(L"Margin", &TBitBtn::Margin, &TBitBtn::SetMargin);
    p.Integer(L"Spacing", &TBitBtn::Spacing, &TBitBtn::SetSpacing);
}

void TBitBtn::CreateParams(TCreateParams& params) {
    TButton::CreateParams(params);
    params.Style = (params.Style & ~static_cast<DWORD>(0x0F)) | BS_OWNERDRAW;
}

void TBitBtn::GlyphChanged() {
    // Stored forms fill Glyph in place (Glyph.Data = {...}): any change not made by Kind is the
    // user's glyph.
    if (!FLoadingKindGlyph) FOwnGlyph = !FGlyph.Glyph().Empty();
    Invalidate();
}

void TBitBtn::SetGlyph(TBitmap* glyph) {
    if (glyph && !glyph->Empty()) {
        FGlyph.Glyph().Assign(*glyph);
        return;
    }
    FOwnGlyph = false;
    FLoadingKindGlyph = true;
    LoadBitBtnKindGlyph(FKind, FGlyph.Glyph());
    FLoadingKindGlyph = false;
    if (FKind != bkCustom) FGlyph.SetNumGlyphs(1);
    Invalidate();
}

void TBitBtn::SetKind(TBitBtnKind kind) {
    if (kind > bkAll || kind == FKind) return;
    const TBitBtnKind old = FKind;
    FKind = kind;
    if (kind == bkCustom) return; // what the old kind gave stays
    const std::wstring caption = Caption();
    if (caption.empty() || caption == BitBtnKindCaption(old)) SetCaption(BitBtnKindCaption(kind));
    if (ModalResult() == Info(old).ModalResult) SetModalResult(Info(kind).ModalResult);
    if (kind == bkOK || kind == bkYes) SetDefault(true);
    if (kind == bkCancel || kind == bkNo) SetCancel(true);
    if (!FOwnGlyph) {
        FLoadingKindGlyph = true;
        LoadBitBtnKindGlyph(kind, FGlyph.Glyph());
        FLoadingKindGlyph = false;
        FGlyph.SetNumGlyphs(1);
    }
    Invalidate();
}

void TBitBtn::Click() {
    if (FKind == bkClose && ModalResult() == mrNone)
        if (TCustomForm* form = GetParentForm(this)) {
            form->Close();
            return;
        }
    TButton::Click();
}

void TBitBtn::SetButtonStyle(bool isDefault) {
    // The native style would drop the owner drawing: the frame is drawn here.
    if (isDefault == FShowDefault) return;
    FShowDefault = isDefault;
    Invalidate();
}

void TBitBtn::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CN_DRAWITEM:
        DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam));
        m.Result = TRUE;
        return;
    case WM_LBUTTONDBLCLK:
        // A quick second click presses the button again rather than double-clicking it.
        m.Msg = WM_LBUTTONDOWN;
        break;
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
    case CM_ENABLEDCHANGED:
        Invalidate();
        break;
    default:
        break;
    }
    TButton::WndProc(m);
}

void TBitBtn::DrawItem(const DRAWITEMSTRUCT& item) {
    const RECT bounds{0, 0, item.rcItem.right - item.rcItem.left, item.rcItem.bottom - item.rcItem.top};
    if (bounds.right <= 0 || bounds.bottom <= 0) return;
    // Off screen first, then one copy: no flicker while the state changes.
    TBitmap buffer(bounds.right, bounds.bottom, pf24bit);
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    const bool focused = (item.itemState & ODS_FOCUS) != 0;
    PaintButton(buffer.Canvas().Handle(), bounds, pressed, focused);
    BitBlt(item.hDC, item.rcItem.left, item.rcItem.top, bounds.right, bounds.bottom, buffer.Canvas().Handle(),
           0, 0, SRCCOPY);
}

void TBitBtn::PaintButton(HDC dc, const RECT& bounds, bool pressed, bool focused) {
    RECT r = bounds;
    const bool showDefault = FShowDefault || focused;
    if (showDefault) {
        HBRUSH frame = GetSysColorBrush(COLOR_WINDOWFRAME);
        FrameRect(dc, &r, frame);
        InflateRect(&r, -1, -1);
    }
    if (pressed) {
        // Pressed: a flat face inside a shadow line, the content one pixel down-right.
        FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
        FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNSHADOW));
    } else {
        DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH);
    }
    RECT content = bounds;
    InflateRect(&content, -2, -2);
    content.right -= FRightSpace;
    if (pressed) OffsetRect(&content, 1, 1);
    const TButtonState state = !Enabled() ? bsDisabled : pressed ? bsDown : bsUp;
    HGDIOBJ oldFont = SelectObject(dc, Font()->Handle());
    const COLORREF oldColor = SetTextColor(dc, ColorToColorRef(Font()->Color()));
    FGlyph.Draw(dc, content, Caption(), state, DrawTextBiDiModeFlags(0));
    SetTextColor(dc, oldColor);
    SelectObject(dc, oldFont);
    if (focused) {
        RECT focus = bounds;
        InflateRect(&focus, -4, -4);
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, RGB(255, 255, 255));
        DrawFocusRect(dc, &focus);
    }
}

} // namespace orvo
