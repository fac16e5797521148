#include "framework/controls/label.h"

#include "framework/controls/control_publish.h"
#include "framework/graphics/gdi_handle.h"
#include "framework/controls/win_control.h"

namespace orvo {

ORVO_IMPLEMENT_CLASS(TCustomLabel);
ORVO_IMPLEMENT_CLASS(TLabel);

const TEnumType& TextLayoutType() {
    static const TEnumType type(L"TTextLayout", {L"tlTop", L"tlCenter", L"tlBottom"});
    return type;
}

namespace {

// An empty caption (or a lone mnemonic marker) still measures one line high.
std::wstring MeasurableText(const std::wstring& text, bool showAccelChar) {
    if (text.empty() || (showAccelChar && text == L"&")) return text + L' ';
    return text;
}

} // namespace

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner) {
    SetBounds(0, 0, 65, 17);
}

void TCustomLabel::SetAlignment(TAlignment alignment) {
    if (alignment == FAlignment) return;
    FAlignment = alignment;
    Invalidate();
}

void TCustomLabel::SetAutoSize(bool value) {
    if (value == FAutoSize) return;
    FAutoSize = value;
    AdjustBounds();
}

void TCustomLabel::SetLayout(TTextLayout layout) {
    if (layout == FLayout) return;
    FLayout = layout;
    Invalidate();
}

void TCustomLabel::SetWordWrap(bool value) {
    if (value == FWordWrap) return;
    FWordWrap = value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetTransparent(bool value) {
    if (value == FTransparent) return;
    FTransparent = value;
    Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool value) {
    if (value == FShowAccelChar) return;
    FShowAccelChar = value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* control) {
    if (control == FFocusControl) return;
    if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
    FFocusControl = control;
    if (control) control->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent* component, TOperation operation) {
    TGraphicControl::Notification(component, operation);
    if (operation == opRemove && component == FFocusControl) FFocusControl = nullptr;
}

void TCustomLabel::Loaded() {
    TGraphicControl::Loaded();
    AdjustBounds();
}

UINT TCustomLabel::TextFlags() const {
    static constexpr UINT alignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    UINT flags = DT_EXPANDTABS | alignments[FAlignment];
    if (FWordWrap) flags |= DT_WORDBREAK;
    if (!FShowAccelChar) flags |= DT_NOPREFIX;
    return DrawTextBiDiModeFlags(flags);
}

void TCustomLabel::AdjustBounds() {
    if (!FAutoSize || ComponentState().Contains(csLoading)) return;
    const std::wstring text = MeasurableText(Caption(), FShowAccelChar);
    TWindowDc screen;
    TSelectObject font(screen.Get(), Font()->Handle());
    RECT r{0, 0, FWordWrap ? Width() : 0, 0};
    DrawTextW(screen.Get(), text.c_str(), static_cast<int>(text.size()), &r, TextFlags() | DT_CALCRECT);
    int left = Left();
    // A right-aligned label grows to the left.
    if (FAlignment == taRightJustify && !UseRightToLeftAlignment()) left = Left() + Width() - r.right;
    SetBounds(left, Top(), r.right, r.bottom);
}

void TCustomLabel::Paint() {
    TCanvas& canvas = *Canvas();
    RECT r = ClientRect();
    if (!FTransparent) {
        canvas.Brush().SetColor(Color());
        canvas.FillRect(r);
    }
    canvas.Brush().SetStyle(bsClear);
    canvas.Font().Assign(*Font());
    const std::wstring text = MeasurableText(Caption(), FShowAccelChar);
    const UINT flags = TextFlags();
    if (FLayout != tlTop) {
        RECT measured = r;
        canvas.TextRect(measured, text, flags | DT_CALCRECT);
        const int spare = (r.bottom - r.top) - (measured.bottom - measured.top);
        OffsetRect(&r, 0, FLayout == tlBottom ? spare : spare / 2);
    }
    if (Enabled()) {
        canvas.TextRect(r, text, flags);
        return;
    }
    // Disabled: engraved, a highlight one pixel down-right under the shadow.
    OffsetRect(&r, 1, 1);
    canvas.Font().SetColor(clBtnHighlight);
    canvas.TextRect(r, text, flags);
    OffsetRect(&r, -1, -1);
    canvas.Font().SetColor(clBtnShadow);
    canvas.TextRect(r, text, flags);
}

void TCustomLabel::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
        AdjustBounds();
        break;
    case CM_DIALOGCHAR:
        if (FFocusControl && Enabled() && FShowAccelChar && IsAccel(static_cast<WORD>(m.WParam), Caption()) &&
            FFocusControl->CanFocus()) {
            FFocusControl->SetFocus();
            m.Result = 1;
            return;
        }
        break;
    default:
        break;
    }
    TGraphicControl::WndProc(m);
}

TLabel::TLabel(TComponent* owner) : TCustomLabel(owner) {}

void TLabel::Publish(TPublisher<TLabel>& p) {
    PublishCaption(p);
    PublishColor(p);
    PublishFont(p);
    p.Enum(L"Alignment", AlignmentType(), &TLabel::Alignment, &TLabel::SetAlignment);
    p.Boolean(L"AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize);
    p.Enum(L"Layout", TextLayoutType(), &TLabel::Layout, &TLabel::SetLayout);
    p.Boolean(L"WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap);
    p.Boolean(L"Transparent", &TLabel::Transparent, &TLabel::SetTransparent);
    p.Boolean(L"ShowAccelChar", &TLabel::ShowAccelChar, &TLabel::SetShowAccelChar);
    p.Object(L"FocusControl", &TLabel::FocusControl, &TLabel::SetFocusControl);
}

} // namespace orvo
