// Page controls: a tab control whose tabs are pages of controls.
//
// Classes in this file:
//   TTabSheet     one page: a container with a caption (its tab's text), an image, a place among
//                 the pages and a tab that may be hidden
//   TPageControl  the tab control that holds the sheets, shows the active one over its display
//                 area and hides the others
//
// A sheet joins a page control by being placed in it (`Parent`, `PageControl`, or nesting it in a
// stored form: `object TabSheet1: TTabSheet` inside `object PageControl1: TPageControl`). Only
// sheets whose `TabVisible` is set have a tab; their order is the pages' order (`PageIndex`). The
// first page placed in an empty control becomes active; removing the active page activates the
// next one. Picking a tab with the mouse or the keyboard, and Ctrl+Tab / Ctrl+Shift+Tab (or
// Ctrl+PgDn / Ctrl+PgUp) while the focus is inside the control, asks OnChanging, changes the page
// and fires OnChange; setting ActivePage from code fires neither.
#pragma once

#include "framework/controls/tab_control.h"

#include <vector>

namespace orvo {

class TPageControl;

class TTabSheet : public TCustomControl {
    ORVO_CLASS(TTabSheet, TCustomControl)
public:
    explicit TTabSheet(TComponent* owner);
    ~TTabSheet() override;

    // The page control holding the sheet: the same as its parent when that is a page control.
    TPageControl* PageControl() const noexcept { return FPageControl; }
    void SetPageControl(TPageControl* control);
    // The place among the page control's pages (-1 outside one); setting it moves the page.
    int PageIndex() const;
    void SetPageIndex(int index);
    // The place among the tabs shown, -1 when the sheet has no tab.
    int TabIndex() const;
    bool TabVisible() const noexcept { return FTabVisible; }
    void SetTabVisible(bool value);
    // The image on the sheet's tab in the page control's Images (-1: none).
    int ImageIndex() const noexcept { return FImageIndex; }
    void SetImageIndex(int index);

    // When the sheet becomes the active page, or stops being it.
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;

    static void Publish(TPublisher<TTabSheet>& p);

protected:
    void ParentChanged() override;
    void WndProc(TMessage& message) override;

private:
    friend class TPageControl;
    TPageControl* FPageControl = nullptr;
    bool FTabVisible = true;
    int FImageIndex = -1;
};

class TPageControl : public TCustomTabControl {
    ORVO_CLASS(TPageControl, TCustomTabControl)
public:
    explicit TPageControl(TComponent* owner);
    ~TPageControl() override;

    int PageCount() const noexcept { return static_cast<int>(FPages.size()); }
    // Throws EListError for an index out of range.
    TTabSheet* Pages(int index) const;
    TTabSheet* ActivePage() const noexcept { return FActivePage; }
    // A sheet of this control or null; throws EInvalidOperation for another control's sheet.
    void SetActivePage(TTabSheet* page);
    int ActivePageIndex() const;
    void SetActivePageIndex(int index);
    // The page after (or before) `current` in page order, wrapping; with `checkTabVisible` only
    // pages with a tab. Null when there is none (or only `current`).
    TTabSheet* FindNextPage(TTabSheet* current, bool goForward, bool checkTabVisible) const;
    // Moves to the next page as the user does: OnChanging, then OnChange.
    void SelectNextPage(bool goForward, bool checkTabVisible = true);

    static void Publish(TPublisher<TPageControl>& p);

protected:
    int GetImageIndex(int tabIndex) override;
    void Change() override;
    void DisplayChanged() override;
    void WndProc(TMessage& message) override;
    void Loaded() override;

private:
    friend class TTabSheet;
    void InsertPage(TTabSheet* page);
    void RemovePage(TTabSheet* page);
    void MovePage(TTabSheet* page, int index);
    void PageCaptionChanged(TTabSheet* page);
    void RebuildTabs();
    // Shows `page` (which may be null) and hides every other sheet.
    void ShowPage(TTabSheet* page);
    bool ContainsFocus();
    bool HandleDialogKey(WORD key);

    std::vector<TTabSheet*> FPages;
    TTabSheet* FActivePage = nullptr;
};

} // namespace orvo
