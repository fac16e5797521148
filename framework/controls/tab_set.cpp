#include "framework/controls/tab_set.h"

#include "framework/base/properties.h"
#include "framework/controls/common_controls.h"
#include "framework/controls/control_publish.h"

#include <algorithm>
#include <commctrl.h>

namespace orvo {

ORVO_IMPLEMENT_CLASS(TTabSet);

namespace {
// At 96 DPI.
constexpr int TabPadding = 9;     // a tab is its text's width plus this
constexpr int ScrollerWidth = 32; // the two arrows at the strip's end
} // namespace

TTabSet::TTabSet(TComponent* owner) : TCustomControl(owner), FTabs(std::make_unique<TStringList>()) {
    SetBounds(0, 0, 185, 21);
    FTabs->OnChange = Bind(this, &TTabSet::TabsChanged);
}

TTabSet::~TTabSet() {
    FTabs->OnChange = nullptr;
}

void TTabSet::Publish(TPublisher<TTabSet>& p) {
    PublishFont(p);
    p.Object(L"Tabs", &TTabSet::Tabs, &TTabSet::SetTabs);
    p.Integer(L"TabIndex", &TTabSet::TabIndex, &TTabSet::SetTabIndex);
    p.Integer(L"FirstIndex", &TTabSet::FirstIndex, &TTabSet::SetFirstIndex);
    p.Integer(L"StartMargin", &TTabSet::StartMargin, &TTabSet::SetStartMargin);
    p.Integer(L"EndMargin", &TTabSet::EndMargin, &TTabSet::SetEndMargin);
    p.Boolean(L"AutoScroll", &TTabSet::AutoScroll, &TTabSet::SetAutoScroll);
    p.Integer(L"TabHeight", &TTabSet::TabHeight, &TTabSet::SetTabHeight);
    p.Integer(L"SelectedColor", ColorType(), &TTabSet::SelectedColor, &TTabSet::SetSelectedColor);
    p.Integer(L"UnselectedColor", ColorType(), &TTabSet::UnselectedColor, &TTabSet::SetUnselectedColor);
    p.Integer(L"BackgroundColor", ColorType(), &TTabSet::BackgroundColor, &TTabSet::SetBackgroundColor);
    p.Event(L"OnChange", &TTabSet::OnChange);
    p.Event(L"OnClick", &TTabSet::OnClick);
}

// ---- properties ------------------------------------------------------------------------------

void TTabSet::SetTabs(TStrings* tabs) {
    if (tabs) FTabs->Assign(tabs);
}

void TTabSet::TabsChanged(TObject*) {
    if (ComponentState().Contains(csLoading)) return;
    if (FTabIndex >= FTabs->Count()) FTabIndex = FTabs->Count() - 1;
    if (FFirstIndex >= FTabs->Count()) FFirstIndex = std::max(FTabs->Count() - 1, 0);
    UpdateScroller();
    Invalidate();
}

void TTabSet::Loaded() {
    TCustomControl::Loaded();
    if (FTabIndex < -1 || FTabIndex >= FTabs->Count()) FTabIndex = -1;
    TabsChanged(nullptr);
}

void TTabSet::SetTabIndex(int index) {
    if (!ComponentState().Contains(csLoading) && (index < -1 || index >= FTabs->Count())) index = -1;
    if (index == FTabIndex) return;
    FTabIndex = index;
    Invalidate();
}

void TTabSet::SetFirstIndex(int index) {
    if (!ComponentState().Contains(csLoading)) index = std::clamp(index, 0, std::max(FTabs->Count() - 1, 0));
    if (index == FFirstIndex) return;
    FFirstIndex = index;
    UpdateScroller();
    Invalidate();
}

void TTabSet::SetStartMargin(int margin) {
    FStartMargin.Set(std::max(margin, 0), CurrentDpi());
    UpdateScroller();
    Invalidate();
}

void TTabSet::SetEndMargin(int margin) {
    FEndMargin.Set(std::max(margin, 0), CurrentDpi());
    UpdateScroller();
    Invalidate();
}

void TTabSet::SetAutoScroll(bool value) {
    FAutoScroll = value;
    UpdateScroller();
    Invalidate();
}

void TTabSet::SetTabHeight(int height) {
    FTabHeight.Set(std::max(height, 1), CurrentDpi());
    UpdateScroller();
    Invalidate();
}

void TTabSet::SetSelectedColor(TColor color) {
    FSelectedColor = color;
    Invalidate();
}

void TTabSet::SetUnselectedColor(TColor color) {
    FUnselectedColor = color;
    Invalidate();
}

void TTabSet::SetBackgroundColor(TColor color) {
    FBackgroundColor = color;
    Invalidate();
}

// ---- layout ----------------------------------------------------------------------------------

int TTabSet::TextWidth(const std::wstring& text) {
    TCanvas& canvas = *Canvas();
    canvas.Font().Assign(*Font());
    return canvas.TextWidth(text);
}

TTabSet::TLayout TTabSet::Layout(bool withScroller) {
    TLayout layout;
    layout.Rects.resize(static_cast<std::size_t>(FTabs->Count()), RECT{});
    if (!HandleAllocated()) return layout;
    const int end = ClientWidth() - EndMargin() - (withScroller ? ScaleValue(ScrollerWidth) : 0);
    int x = StartMargin();
    for (int i = FFirstIndex; i < FTabs->Count(); ++i) {
        const int width = TextWidth(FTabs->Get(i)) + ScaleValue(TabPadding);
        if (end - x < width) continue; // left out; a narrower one further on may fit
        layout.Rects[static_cast<std::size_t>(i)] = RECT{x, 0, x + width, TabHeight()};
        x += width;
        ++layout.Shown;
    }
    return layout;
}

int TTabSet::VisibleTabs() {
    return Layout(ScrollerVisible()).Shown;
}

RECT TTabSet::ItemRect(int index) {
    if (index < 0 || index >= FTabs->Count()) return RECT{};
    return Layout(ScrollerVisible()).Rects[static_cast<std::size_t>(index)];
}

int TTabSet::ItemAtPos(POINT p) {
    const TLayout layout = Layout(ScrollerVisible());
    for (int i = 0; i < FTabs->Count(); ++i)
        if (PtInRect(&layout.Rects[static_cast<std::size_t>(i)], p)) return i;
    return -1;
}

void TTabSet::UpdateScroller() {
    if (!FScroller) return;
    const bool needed =
        FAutoScroll && (FFirstIndex > 0 || Layout(false).Shown < FTabs->Count() - FFirstIndex);
    const int height = std::min(TabHeight(), ClientHeight());
    const int width = ScaleValue(ScrollerWidth);
    SetWindowPos(FScroller, nullptr, ClientWidth() - width, 0, width, std::max(height - ScaleValue(2), ScaleValue(10)),
                 SWP_NOZORDER | SWP_NOACTIVATE | (needed ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

// ---- behaviour -------------------------------------------------------------------------------

bool TTabSet::CanChange(int newTab) {
    bool allow = true;
    if (OnChange) OnChange(this, newTab, allow);
    return allow;
}

void TTabSet::SelectNext(bool goForward) {
    const int count = FTabs->Count();
    if (count == 0) return;
    const int next = FTabIndex < 0 ? 0 : (FTabIndex + (goForward ? 1 : count - 1)) % count;
    if (next == FTabIndex || !CanChange(next)) return;
    SetTabIndex(next);
    Click();
}

void TTabSet::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != mbLeft) return;
    // The click itself (OnClick) follows when the button goes up, as for any control.
    const int tab = ItemAtPos(POINT{x, y});
    if (tab < 0 || tab == FTabIndex || !CanChange(tab)) return;
    SetTabIndex(tab);
}

void TTabSet::ChangeScale(int oldDpi, int newDpi) {
    TCustomControl::ChangeScale(oldDpi, newDpi);
    UpdateScroller();
    Invalidate();
}

void TTabSet::CreateWnd() {
    TCustomControl::CreateWnd();
    NeedCommonControls(ICC_UPDOWN_CLASS);
    FScroller = CreateWindowExW(0, UPDOWN_CLASSW, nullptr, WS_CHILD | UDS_HORZ, 0, 0, ScaleValue(ScrollerWidth), TabHeight(),
                                Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    // The arrows stay enabled: the tab set keeps its own position (FirstIndex).
    if (FScroller) {
        SendMessageW(FScroller, UDM_SETRANGE32, 0, 100);
        SendMessageW(FScroller, UDM_SETPOS32, 0, 50);
    }
    UpdateScroller();
}

void TTabSet::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(m.LParam);
        if (header && FScroller && header->hwndFrom == FScroller && header->code == UDN_DELTAPOS) {
            SetFirstIndex(FFirstIndex + reinterpret_cast<const NMUPDOWN*>(m.LParam)->iDelta);
            m.Result = TRUE; // the scroller's own position stays
            return;
        }
        break;
    }
    case WM_SIZE:
        TCustomControl::WndProc(m);
        UpdateScroller();
        Invalidate();
        return;
    case WM_DESTROY:
        FScroller = nullptr; // destroyed with the window
        break;
    case CM_FONTCHANGED:
        TCustomControl::WndProc(m);
        UpdateScroller();
        Invalidate();
        return;
    default:
        break;
    }
    TCustomControl::WndProc(m);
}

void TTabSet::Paint() {
    TCanvas& canvas = *Canvas();
    const RECT client = ClientRect();
    canvas.Brush().SetColor(FBackgroundColor);
    canvas.Brush().SetStyle(bsSolid);
    canvas.FillRect(client);
    const TLayout layout = Layout(ScrollerVisible());
    canvas.Font().Assign(*Font());
    // The line the tabs hang from; the selected tab joins the page above it.
    canvas.Pen().SetColor(clBtnShadow);
    canvas.MoveTo(client.left, 0);
    canvas.LineTo(client.right, 0);
    for (int i = 0; i < FTabs->Count(); ++i) {
        const RECT r = layout.Rects[static_cast<std::size_t>(i)];
        if (IsRectEmpty(&r)) continue;
        const bool selected = i == FTabIndex;
        const int slant = ScaleValue(3);
        const POINT outline[] = {{r.left, r.top}, {r.left + slant, r.bottom - 1}, {r.right - 1 - slant, r.bottom - 1},
                                 {r.right - 1, r.top}};
        canvas.Brush().SetColor(selected ? FSelectedColor : FUnselectedColor);
        canvas.Pen().SetColor(clWindowFrame);
        canvas.Polygon(outline);
        if (selected) {
            canvas.Pen().SetColor(FSelectedColor);
            canvas.MoveTo(r.left + 1, 0);
            canvas.LineTo(r.right - 1, 0);
        }
        canvas.Brush().SetStyle(bsClear);
        RECT text = r;
        canvas.TextRect(text, FTabs->Get(i), DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        canvas.Brush().SetStyle(bsSolid);
    }
}

} // namespace orvo
