// Tab controls over the native SysTabControl32 class.
//
// Classes in this file:
//   TCustomTabControl  the native tab strip: tab position, style, rows, hot tracking, images, the
//                      display area inside the tab frame, the change events
//   TTabControl        a tab strip whose tabs are a string list (`Tabs`) the program fills
//   TTabStrings        that string list, kept in step with the native tabs
//
// The control keeps its tabs (text, object, selection) itself and mirrors them into the window,
// so a re-created window (a new TabPosition, Style or MultiLine) has the same tabs and the same
// selection. A tab picked by the user asks OnChanging first (which may refuse it), then fires
// OnChange; selecting a tab from code fires neither. Left and right tabs are drawn in rows that the
// native control needs multi-line for; the control sets that style itself.
#pragma once

#include "framework/base/string_list.h"
#include "framework/controls/control_publish.h"
#include "framework/controls/win_control.h"
#include "framework/graphics/image_list.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace orvo {

enum TTabPosition : std::uint8_t { tpTop, tpBottom, tpLeft, tpRight };
const TEnumType& TabPositionType();

enum TTabStyle : std::uint8_t { tsTabs, tsButtons, tsFlatButtons };
const TEnumType& TabStyleType();

// AllowChange starts true; setting it false keeps the current tab.
using TTabChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;
// ImageIndex starts at the tab's default image; -1 shows none.
using TTabGetImageEvent = std::function<void(TObject* Sender, int TabIndex, int& ImageIndex)>;

class TCustomTabControl : public TWinControl {
    ORVO_CLASS(TCustomTabControl, TWinControl)
public:
    explicit TCustomTabControl(TComponent* owner);
    ~TCustomTabControl() override;

    TTabPosition TabPosition() const noexcept { return FTabPosition; }
    void SetTabPosition(TTabPosition position);
    TTabStyle Style() const noexcept { return FStyle; }
    void SetStyle(TTabStyle style);
    // Tabs wrap into several rows instead of scrolling (always so for left and right tabs).
    bool MultiLine() const noexcept { return FMultiLine; }
    void SetMultiLine(bool value);
    // The tab under the mouse is highlighted.
    bool HotTrack() const noexcept { return FHotTrack; }
    void SetHotTrack(bool value);
    // A fixed size for every tab when not 0.
    int TabWidth() const noexcept { return FTabWidth.At(CurrentDpi()); }
    void SetTabWidth(int width);
    int TabHeight() const noexcept { return FTabHeight.At(CurrentDpi()); }
    void SetTabHeight(int height);
    // The images shown on the tabs (not owned; the control forgets a list that is freed).
    TImageList* Images() const noexcept { return FImages; }
    void SetImages(TImageList* images);

    // The area inside the tab frame, in client coordinates (the client area without a window).
    RECT DisplayRect();
    // The tab at a client point, -1 for none.
    int IndexOfTabAt(int x, int y);
    // A tab's rectangle in client coordinates (empty when it is scrolled out of view).
    RECT TabRect(int index);
    // How many rows of tabs the control shows.
    int RowCount();
    // The tab images again, after the images or their choice changed.
    void UpdateTabImages();

    TTabChangingEvent OnChanging;
    TNotifyEvent OnChange;
    TTabGetImageEvent OnGetImageIndex;

protected:
    // The tabs, kept here and mirrored into the window.
    int TabCount() const noexcept { return static_cast<int>(FTabs.size()); }
    const std::wstring& TabText(int index) const;
    TObject* TabObject(int index) const;
    void SetTabObject(int index, TObject* object);
    void InsertTab(int index, const std::wstring& text, TObject* object);
    void DeleteTab(int index);
    void SetTabText(int index, const std::wstring& text);
    void ClearTabs();
    void MoveTab(int from, int to);
    // The selected tab, -1 for none; selecting from code fires no event. While the form is read the
    // index is kept and applied once the tabs are there.
    int CurrentTab() const noexcept { return FTabIndex; }
    void SelectTab(int index);

    // The image of a tab: OnGetImageIndex, starting from the tab's index.
    virtual int GetImageIndex(int tabIndex);
    // OnChanging; false keeps the current tab.
    virtual bool CanChange();
    // The user picked tab CurrentTab(): OnChange.
    virtual void Change();
    // The display area moved (new size, tabs added or removed, rows wrapped).
    virtual void DisplayChanged() {}

    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void WndProc(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;
    void Loaded() override;
    void ChangeScale(int oldDpi, int newDpi) override;

private:
    struct TTab {
        std::wstring Text;
        TObject* Object = nullptr;
    };
    void WriteTab(int index, bool insert);
    void ApplyItemSize();
    void ApplyImages();
    void TabsChanged();
    bool HandleNotify(const NMHDR& header, LRESULT& result);
    void ResetTabIndex();

    std::vector<TTab> FTabs;
    int FTabIndex = -1;
    TTabPosition FTabPosition = tpTop;
    TTabStyle FStyle = tsTabs;
    bool FMultiLine = false;
    bool FHotTrack = false;
    TScaledLength FTabWidth{0};
    TScaledLength FTabHeight{0};
    TImageList* FImages = nullptr;
};

class TTabControl;

// The tab texts of a TTabControl as a string list (objects are kept with the tabs).
class TTabStrings : public TStrings {
    ORVO_CLASS(TTabStrings, TStrings)
public:
    explicit TTabStrings(TTabControl& control) : FControl(control) {}

    int Count() const override;
    std::wstring Get(int index) const override;
    void Put(int index, const std::wstring& text) override;
    TObject* Objects(int index) const override;
    void PutObject(int index, TObject* object) override;
    void Insert(int index, const std::wstring& text) override;
    void InsertObject(int index, const std::wstring& text, TObject* object) override;
    void Delete(int index) override;
    void Clear() override;
    void Move(int from, int to) override;

private:
    void CheckIndex(int index, bool allowEnd) const;
    TTabControl& FControl;
};

class TTabControl : public TCustomTabControl {
    ORVO_CLASS(TTabControl, TCustomTabControl)
public:
    explicit TTabControl(TComponent* owner);
    ~TTabControl() override;

    TStrings* Tabs() noexcept { return FTabStrings.get(); }
    void SetTabs(TStrings* tabs);
    int TabIndex() const noexcept { return CurrentTab(); }
    void SetTabIndex(int index) { SelectTab(index); }

    static void Publish(TPublisher<TTabControl>& p);

private:
    friend class TTabStrings;
    std::unique_ptr<TTabStrings> FTabStrings;
};

// What every tab control publishes (page controls add their sheets).
template <class T> void PublishTabControl(TPublisher<T>& p) {
    PublishFont(p);
    p.Enum(L"TabPosition", TabPositionType(), &T::TabPosition, &T::SetTabPosition);
    p.Enum(L"Style", TabStyleType(), &T::Style, &T::SetStyle);
    p.Boolean(L"MultiLine", &T::MultiLine, &T::SetMultiLine);
    p.Boolean(L"HotTrack", &T::HotTrack, &T::SetHotTrack);
    p.Integer(L"TabWidth", &T::TabWidth, &T::SetTabWidth);
    p.Integer(L"TabHeight", &T::TabHeight, &T::SetTabHeight);
    p.Object(L"Images", &T::Images, &T::SetImages);
    p.Event(L"OnChange", &T::OnChange);
    p.Event(L"OnChanging", &T::OnChanging);
    p.Event(L"OnGetImageIndex", &T::OnGetImageIndex);
}

} // namespace orvo
