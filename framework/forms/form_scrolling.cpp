// AutoScroll of forms: scroll bars sized to the controls' extent, and scrolling that moves the
// controls.
#include "framework/forms/forms.h"

#include <algorithm>

namespace orvo {

namespace {

constexpr int LineStep = 8; // at 96 DPI

// The largest position a bar can take (0 for a hidden bar).
int MaxScrollPos(HWND window, int bar) {
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    if (!(style & (bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL))) return 0;
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE, 0, 0, 0, 0, 0};
    if (!GetScrollInfo(window, bar, &info)) return 0;
    return std::max(0, info.nMax - static_cast<int>(info.nPage) + 1);
}

} // namespace

void TCustomForm::UpdateScrollBars() {
    if (!HandleAllocated() || FUpdatingScrollBars) return;
    FUpdatingScrollBars = true;
    HWND window = Handle();
    if (!FAutoScroll) {
        ScrollTo(0, 0);
        ShowScrollBar(window, SB_BOTH, FALSE);
        FUpdatingScrollBars = false;
        return;
    }
    // The extent in unscrolled coordinates.
    int right = 0, bottom = 0;
    for (int i = 0; i < ControlCount(); ++i) {
        const TControl* c = Controls(i);
        if (!c->Visible()) continue;
        right = std::max<int>(right, c->Left() + c->Width() + FScrollPos.x);
        bottom = std::max<int>(bottom, c->Top() + c->Height() + FScrollPos.y);
    }
    // Twice: one bar appearing takes room from the other direction.
    for (int pass = 0; pass < 2; ++pass) {
        RECT client{};
        GetClientRect(window, &client);
        SCROLLINFO horizontal{
            sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE, 0, right - 1, static_cast<UINT>(client.right), 0, 0};
        SetScrollInfo(window, SB_HORZ, &horizontal, TRUE);
        SCROLLINFO vertical{
            sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE, 0, bottom - 1, static_cast<UINT>(client.bottom), 0, 0};
        SetScrollInfo(window, SB_VERT, &vertical, TRUE);
    }
    ScrollTo(FScrollPos.x, FScrollPos.y); // the range may have shrunk under the position
    FUpdatingScrollBars = false;
}

void TCustomForm::ScrollTo(int x, int y) {
    if (!HandleAllocated()) return;
    HWND window = Handle();
    x = std::clamp(x, 0, MaxScrollPos(window, SB_HORZ));
    y = std::clamp(y, 0, MaxScrollPos(window, SB_VERT));
    const int dx = static_cast<int>(FScrollPos.x) - x, dy = static_cast<int>(FScrollPos.y) - y;
    FScrollPos = POINT{x, y};
    SetScrollPos(window, SB_HORZ, x, TRUE);
    SetScrollPos(window, SB_VERT, y, TRUE);
    if (dx != 0 || dy != 0) ScrollContent(dx, dy);
}

void TCustomForm::ScrollContent(int dx, int dy) {
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        c->SetBounds(c->Left() + dx, c->Top() + dy, c->Width(), c->Height());
    }
    Invalidate();
}

void TCustomForm::HandleScroll(TMessage& m, int bar) {
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(Handle(), bar, &info);
    int pos = bar == SB_HORZ ? FScrollPos.x : FScrollPos.y;
    switch (LOWORD(m.WParam)) {
    case SB_LINEUP:
        pos -= ScaleValue(LineStep);
        break;
    case SB_LINEDOWN:
        pos += ScaleValue(LineStep);
        break;
    case SB_PAGEUP:
        pos -= static_cast<int>(info.nPage);
        break;
    case SB_PAGEDOWN:
        pos += static_cast<int>(info.nPage);
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        pos = info.nTrackPos;
        break;
    case SB_TOP:
        pos = 0;
        break;
    case SB_BOTTOM:
        pos = info.nMax;
        break;
    default:
        break;
    }
    if (bar == SB_HORZ)
        ScrollTo(pos, FScrollPos.y);
    else
        ScrollTo(FScrollPos.x, pos);
    m.Result = 0;
}

} // namespace orvo
