// TTabSet: a strip of tabs hanging below a line, the older companion of a notebook, drawn by the
// control itself (the native tab control has no such look).
//
// Tabs are laid out from StartMargin, from the first tab shown (FirstIndex) on, each as wide as
// its text plus 9 pixels, as many as fit before EndMargin; a tab that does not fit is passed over
// for the next one. When tabs are left out and AutoScroll is set, a horizontal up-down control
// (class "msctls_updown32", a child window of the tab set: ScrollerHandle) scrolls FirstIndex. A
// click on a tab asks OnChange (which may refuse it) and selects it; OnClick follows every click.
#pragma once

#include "framework/base/string_list.h"
#include "framework/controls/win_control.h"

#include <functional>
#include <memory>
#include <vector>

namespace orvo {

// AllowChange starts true; setting it false keeps the current tab.
using TTabChangeEvent = std::function<void(TObject* Sender, int NewTab, bool& AllowChange)>;

class TTabSet : public TCustomControl {
    ORVO_CLASS(TTabSet, TCustomControl)
public:
    explicit TTabSet(TComponent* owner);
    ~TTabSet() override;

    TStrings* Tabs() noexcept { return FTabs.get(); }
    void SetTabs(TStrings* tabs);
    // -1 for none; selecting from code fires nothing.
    int TabIndex() const noexcept { return FTabIndex; }
    void SetTabIndex(int index);
    // The first tab shown.
    int FirstIndex() const noexcept { return FFirstIndex; }
    void SetFirstIndex(int index);
    int StartMargin() const noexcept { return FStartMargin.At(CurrentDpi()); }
    void SetStartMargin(int margin);
    int EndMargin() const noexcept { return FEndMargin.At(CurrentDpi()); }
    void SetEndMargin(int margin);
    // The scroller shows when tabs are left out.
    bool AutoScroll() const noexcept { return FAutoScroll; }
    void SetAutoScroll(bool value);
    int TabHeight() const noexcept { return FTabHeight.At(CurrentDpi()); }
    void SetTabHeight(int height);
    TColor SelectedColor() const noexcept { return FSelectedColor; }
    void SetSelectedColor(TColor color);
    TColor UnselectedColor() const noexcept { return FUnselectedColor; }
    void SetUnselectedColor(TColor color);
    TColor BackgroundColor() const noexcept { return FBackgroundColor; }
    void SetBackgroundColor(TColor color);

    // How many tabs are shown, and where (client coordinates; empty for a tab not shown).
    int VisibleTabs();
    RECT ItemRect(int index);
    // The tab at a client point, -1 for none.
    int ItemAtPos(POINT p);
    // The scroller window, null while the control has no window.
    HWND ScrollerHandle() const noexcept { return FScroller; }
    bool ScrollerVisible() const noexcept { return FScroller && IsWindowVisible(FScroller); }
    // Selects the next (or previous) tab as a click does, wrapping.
    void SelectNext(bool goForward);

    TTabChangeEvent OnChange;

    static void Publish(TPublisher<TTabSet>& p);

protected:
    void CreateWnd() override;
    void Paint() override;
    void WndProc(TMessage& message) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void Loaded() override;
    void ChangeScale(int oldDpi, int newDpi) override;
    virtual bool CanChange(int newTab);

private:
    struct TLayout {
        std::vector<RECT> Rects; // one per tab, empty when not shown
        int Shown = 0;
    };
    TLayout Layout(bool withScroller);
    void TabsChanged(TObject* sender);
    void UpdateScroller();
    int TextWidth(const std::wstring& text);

    std::unique_ptr<TStringList> FTabs;
    int FTabIndex = -1;
    int FFirstIndex = 0;
    TScaledLength FStartMargin{5};
    TScaledLength FEndMargin{5};
    bool FAutoScroll = true;
    TScaledLength FTabHeight{20};
    TColor FSelectedColor = clBtnFace;
    TColor FUnselectedColor = clWindow;
    TColor FBackgroundColor = clBtnFace;
    HWND FScroller = nullptr;
};

} // namespace orvo
