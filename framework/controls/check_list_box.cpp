#include "framework/controls/check_list_box.h"

#include "framework/base/list.h"
#include "framework/base/properties.h"

#include <algorithm>

namespace orvo {

ORVO_IMPLEMENT_CLASS(TCheckListBox);

namespace {

// The per-item word: the state in the low bits, then the marks.
constexpr std::uint32_t StateMask = 0x3;
constexpr std::uint32_t DisabledFlag = 0x4;
constexpr std::uint32_t HeaderFlag = 0x8;

// The platform's check box glyph.
// At 96 DPI.
constexpr int CheckSize = 13;
constexpr int CheckGap = 2; // around the glyph

} // namespace

TCheckListBox::TCheckListBox(TComponent* owner) : TCustomListBox(owner) {}

void TCheckListBox::Publish(TPublisher<TCheckListBox>& p) {
    PublishListBoxProperties(p);
    p.Enum(L"Style", ListBoxStyleType(), &TCheckListBox::Style, &TCheckListBox::SetStyle);
    p.Boolean(L"AllowGrayed", &TCheckListBox::AllowGrayed, &TCheckListBox::SetAllowGrayed);
    p.Integer(L"HeaderColor", ColorType(), &TCheckListBox::HeaderColor, &TCheckListBox::SetHeaderColor);
    p.Integer(L"HeaderBackgroundColor", ColorType(), &TCheckListBox::HeaderBackgroundColor,
              &TCheckListBox::SetHeaderBackgroundColor);
    p.Event(L"OnClickCheck", &TCheckListBox::OnClickCheck);
}

void TCheckListBox::CreateParams(TCreateParams& params) {
    TCustomListBox::CreateParams(params);
    if (!(params.Style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE))) params.Style |= LBS_OWNERDRAWFIXED;
}

std::uint32_t TCheckListBox::ItemFlags(int index) const {
    if (index < 0 || index >= Count()) ListIndexError(index);
    return const_cast<TCheckListBox*>(this)->ItemList().Flags(index);
}

void TCheckListBox::SetItemFlags(int index, std::uint32_t mask, std::uint32_t value) {
    const std::uint32_t flags = ItemFlags(index);
    const std::uint32_t next = (flags & ~mask) | (value & mask);
    if (next == flags) return;
    ItemList().SetFlags(index, next);
    InvalidateItem(index);
}

TCheckBoxState TCheckListBox::State(int index) const {
    const std::uint32_t state = ItemFlags(index) & StateMask;
    return state <= cbGrayed ? static_cast<TCheckBoxState>(state) : cbUnchecked;
}

void TCheckListBox::SetState(int index, TCheckBoxState state) {
    SetItemFlags(index, StateMask, static_cast<std::uint32_t>(state));
}

bool TCheckListBox::ItemEnabled(int index) const {
    return (ItemFlags(index) & DisabledFlag) == 0;
}

void TCheckListBox::SetItemEnabled(int index, bool enabled) {
    SetItemFlags(index, DisabledFlag, enabled ? 0 : DisabledFlag);
}

bool TCheckListBox::Header(int index) const {
    return (ItemFlags(index) & HeaderFlag) != 0;
}

void TCheckListBox::SetHeader(int index, bool header) {
    SetItemFlags(index, HeaderFlag, header ? HeaderFlag : 0);
}

void TCheckListBox::SetHeaderColor(TColor color) {
    if (color == FHeaderColor) return;
    FHeaderColor = color;
    Invalidate();
}

void TCheckListBox::SetHeaderBackgroundColor(TColor color) {
    if (color == FHeaderBackgroundColor) return;
    FHeaderBackgroundColor = color;
    Invalidate();
}

void TCheckListBox::InvalidateItem(int index) {
    if (!HandleAllocated()) return;
    const RECT r = ItemRect(index);
    InvalidateRect(Handle(), &r, FALSE);
}

RECT TCheckListBox::CheckRect(const RECT& itemRect) const {
    const int size = ScaleValue(CheckSize), gap = ScaleValue(CheckGap);
    const int top = itemRect.top + (itemRect.bottom - itemRect.top - size) / 2;
    const int left = UseRightToLeftAlignment() ? itemRect.right - gap - size : itemRect.left + gap;
    return RECT{left, top, left + size, top + size};
}

bool TCheckListBox::Toggleable(int index) const {
    return index >= 0 && index < Count() && Enabled() && ItemEnabled(index) && !Header(index);
}

void TCheckListBox::ToggleItem(int index) {
    switch (State(index)) {
    case cbUnchecked:
        SetState(index, FAllowGrayed ? cbGrayed : cbChecked);
        break;
    case cbChecked:
        SetState(index, cbUnchecked);
        break;
    case cbGrayed:
        SetState(index, cbChecked);
        break;
    }
    ClickCheck();
}

void TCheckListBox::ClickCheck() {
    if (OnClickCheck) OnClickCheck(this);
}

int TCheckListBox::StandardItemHeight() {
    return std::max(FontLineHeight(*Font()) + ScaleValue(2), ScaleValue(CheckSize + CheckGap));
}

void TCheckListBox::DrawItem(int index, RECT rect, TOwnerDrawState state) {
    if (OnDrawItem) {
        TCustomListBox::DrawItem(index, rect, state);
        return;
    }
    TCanvas& canvas = *Canvas();
    const std::wstring text = Items()->Get(index);
    const UINT bidi = DrawTextBiDiModeFlags(0);
    if (Header(index)) {
        canvas.Brush().SetColor(FHeaderBackgroundColor);
        canvas.Font().SetColor(FHeaderColor);
        DrawListItemText(canvas, rect, text, bidi);
        return;
    }
    const bool enabled = Enabled() && ItemEnabled(index);
    if (!enabled) canvas.Font().SetColor(clGrayText);
    const RECT check = CheckRect(rect);
    // The glyph sits on the list's own colour, the highlight covers the text only.
    TColor textBrush = canvas.Brush().Color();
    canvas.Brush().SetColor(Color());
    RECT glyphArea = rect;
    RECT textArea = rect;
    if (UseRightToLeftAlignment()) {
        glyphArea.left = check.left - ScaleValue(CheckGap);
        textArea.right = glyphArea.left;
    } else {
        glyphArea.right = check.right + ScaleValue(CheckGap);
        textArea.left = glyphArea.right;
    }
    canvas.FillRect(glyphArea);
    UINT glyph = DFCS_BUTTONCHECK;
    switch (State(index)) {
    case cbChecked:
        glyph |= DFCS_CHECKED;
        break;
    case cbGrayed:
        glyph = DFCS_BUTTON3STATE | DFCS_CHECKED;
        break;
    case cbUnchecked:
        break;
    }
    if (!enabled) glyph |= DFCS_INACTIVE;
    RECT frame = check;
    DrawFrameControl(canvas.Handle(), &frame, DFC_BUTTON, glyph);
    canvas.Brush().SetColor(textBrush);
    DrawListItemText(canvas, textArea, text, bidi);
}

void TCheckListBox::ChangeScale(int oldDpi, int newDpi) {
    TCustomListBox::ChangeScale(oldDpi, newDpi);
    if (Style() == lbStandard && HandleAllocated())
        SendMessageW(Handle(), LB_SETITEMHEIGHT, 0, std::clamp(StandardItemHeight(), 1, 255));
}

void TCheckListBox::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CN_MEASUREITEM:
        TCustomListBox::WndProc(m);
        if (Style() == lbStandard)
            reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam)->itemHeight = static_cast<UINT>(StandardItemHeight());
        return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        const POINT p = PointFromLParam(m.LParam);
        const int index = ItemAtPos(p, true);
        TCustomListBox::WndProc(m);
        if (index < 0 || !Toggleable(index)) return;
        const RECT check = CheckRect(ItemRect(index));
        const RECT hit{check.left - ScaleValue(CheckGap), ItemRect(index).top, check.right + ScaleValue(CheckGap),
                       ItemRect(index).bottom};
        if (PtInRect(&hit, p)) ToggleItem(index);
        return;
    }
    case WM_CHAR:
        if (m.WParam == L' ') {
            TCustomListBox::WndProc(m); // OnKeyPress first; it may swallow the key
            if (m.WParam == L' ' && Toggleable(ItemIndex())) ToggleItem(ItemIndex());
            m.Result = 0;
            return;
        }
        break;
    default:
        break;
    }
    TCustomListBox::WndProc(m);
}

} // namespace orvo
