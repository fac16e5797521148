#include "framework/forms/hint_window.h"

#include "framework/forms/application.h"
#include "framework/graphics/gdi_handle.h"
#include "framework/base/properties.h"
#include "framework/forms/screen.h"

namespace orvo {

ORVO_IMPLEMENT_CLASS(THintWindow);

namespace {
constexpr UINT HintTextFlags = DT_LEFT | DT_NOPREFIX | DT_WORDBREAK | DT_EXPANDTABS;
}

THintWindow::THintWindow(TComponent* owner) : TCustomControl(owner) {
    SetColor(clInfoBk);
    Font()->Assign(*Screen->HintFont(CurrentDpi()));
    Font()->SetColor(clInfoText);
    TCustomControl::SetVisible(false);
}

void THintWindow::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    params.Style = WS_POPUP | WS_BORDER;
    params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
    params.WndParent = Application->Handle();
    params.ClassStyle |= CS_SAVEBITS | CS_DROPSHADOW;
}

RECT THintWindow::CalcHintRect(int maxWidth, const std::wstring& text) {
    RECT r{0, 0, maxWidth, 0};
    TWindowDc screen;
    TSelectObject font(screen.Get(), Font()->Handle());
    DrawTextW(screen.Get(), text.c_str(), static_cast<int>(text.size()), &r, HintTextFlags | DT_CALCRECT);
    // Text margins (2 + 2 across, 1 + 1 down, at 96 DPI) and the one-pixel border on each side.
    r.right += ScaleValue(4) + 2;
    r.bottom += ScaleValue(2) + 2;
    return r;
}

void THintWindow::ChangeScale(int oldDpi, int newDpi) {
    TCustomControl::ChangeScale(oldDpi, newDpi);
    const TColor color = Font()->Color();
    Font()->Assign(*Screen->HintFont(newDpi));
    Font()->SetColor(color);
}

void THintWindow::ActivateHint(const RECT& rect, const std::wstring& text) {
    SetCaption(text);
    SetBoundsRect(rect);
    SetWindowPos(Handle(), HWND_TOPMOST, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
    Invalidate();
}

void THintWindow::HideHint() {
    if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
}

bool THintWindow::Showing() const {
    return HandleAllocated() && IsWindowVisible(const_cast<THintWindow*>(this)->Handle());
}

void THintWindow::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_NCHITTEST:
        m.Result = HTTRANSPARENT;
        return;
    case WM_MOUSEACTIVATE:
        m.Result = MA_NOACTIVATE;
        return;
    default:
        TCustomControl::WndProc(m);
    }
}

void THintWindow::Paint() {
    TCanvas& canvas = *Canvas();
    RECT r = ClientRect();
    canvas.Brush().SetColor(Color());
    canvas.FillRect(r);
    InflateRect(&r, -ScaleValue(2), -ScaleValue(1));
    canvas.Font().Assign(*Font());
    canvas.Brush().SetStyle(bsClear);
    const std::wstring text = Caption();
    DrawTextW(canvas.Handle(), text.c_str(), static_cast<int>(text.size()), &r,
              DrawTextBiDiModeFlags(HintTextFlags));
}

} // namespace orvo
