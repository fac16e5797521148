#include "framework/controls/memo.h"

namespace orvo {

ORVO_IMPLEMENT_CLASS(TCustomMemo);
ORVO_IMPLEMENT_CLASS(TMemo);

const TEnumType& ScrollStyleType() {
    static const TEnumType type(L"TScrollStyle", {L"ssNone", L"ssHorizontal", L"ssVertical", L"ssBoth"});
    return type;
}

void AddMultiLineStyles(TCreateParams& params, TScrollStyle scrollBars, bool wordWrap) {
    if (wordWrap) params.Style &= ~static_cast<DWORD>(ES_AUTOHSCROLL);
    params.Style |= ES_MULTILINE | ES_AUTOVSCROLL;
    if (scrollBars == ssHorizontal || scrollBars == ssBoth) params.Style |= WS_HSCROLL;
    if (scrollBars == ssVertical || scrollBars == ssBoth) params.Style |= WS_VSCROLL;
}

void ApplyWantedKeys(TMessage& m, bool wantTabs, bool wantReturns) {
    if (wantTabs)
        m.Result |= DLGC_WANTTAB;
    else
        m.Result &= ~static_cast<LRESULT>(DLGC_WANTTAB);
    if (!wantReturns) m.Result &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS);
}

TCustomMemo::TCustomMemo(TComponent* owner)
    : TCustomEdit(owner), FLines(std::make_unique<TMemoStrings>(*this)) {
    SetBounds(0, 0, 185, 89);
}

TCustomMemo::~TCustomMemo() = default;

void TCustomMemo::SetLines(TStrings* lines) {
    if (lines) FLines->Assign(lines);
}

void TCustomMemo::SetScrollBars(TScrollStyle style) {
    if (style == FScrollBars) return;
    FScrollBars = style;
    RecreateWnd();
}

void TCustomMemo::SetWordWrap(bool value) {
    if (value == FWordWrap) return;
    FWordWrap = value;
    RecreateWnd();
}

void TCustomMemo::CreateParams(TCreateParams& params) {
    TCustomEdit::CreateParams(params);
    AddMultiLineStyles(params, FScrollBars, FWordWrap);
}

void TCustomMemo::WndProc(TMessage& m) {
    TCustomEdit::WndProc(m);
    if (m.Msg == WM_GETDLGCODE) ApplyWantedKeys(m, FWantTabs, FWantReturns);
}

TMemo::TMemo(TComponent* owner) : TCustomMemo(owner) {}

void TMemo::Publish(TPublisher<TMemo>& p) {
    PublishEditProperties(p);
    p.Object(L"Lines", &TMemo::Lines, &TMemo::SetLines);
    p.Enum(L"ScrollBars", ScrollStyleType(), &TMemo::ScrollBars, &TMemo::SetScrollBars);
    p.Boolean(L"WordWrap", &TMemo::WordWrap, &TMemo::SetWordWrap);
    p.Boolean(L"WantReturns", &TMemo::WantReturns, &TMemo::SetWantReturns);
    p.Boolean(L"WantTabs", &TMemo::WantTabs, &TMemo::SetWantTabs);
}

} // namespace orvo
