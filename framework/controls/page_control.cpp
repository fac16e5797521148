#include "framework/controls/page_control.h"

#include "framework/base/exceptions.h"
#include "framework/base/list.h"
#include "framework/base/properties.h"
#include "framework/controls/control_publish.h"

#include <algorithm>

namespace orvo {

ORVO_IMPLEMENT_CLASS(TTabSheet);
ORVO_IMPLEMENT_CLASS(TPageControl);

// ---- TTabSheet -------------------------------------------------------------------------------

TTabSheet::TTabSheet(TComponent* owner) : TCustomControl(owner) {
    SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls});
    SetBounds(0, 0, 200, 150);
}

TTabSheet::~TTabSheet() {
    if (FPageControl) FPageControl->RemovePage(this);
}

void TTabSheet::Publish(TPublisher<TTabSheet>& p) {
    PublishCaption(p);
    PublishFont(p);
    p.Integer(L"PageIndex", &TTabSheet::PageIndex, &TTabSheet::SetPageIndex);
    p.Boolean(L"TabVisible", &TTabSheet::TabVisible, &TTabSheet::SetTabVisible);
    p.Integer(L"ImageIndex", &TTabSheet::ImageIndex, &TTabSheet::SetImageIndex);
    p.Event(L"OnShow", &TTabSheet::OnShow);
    p.Event(L"OnHide", &TTabSheet::OnHide);
}

void TTabSheet::SetPageControl(TPageControl* control) {
    SetParent(control);
}

void TTabSheet::ParentChanged() {
    TCustomControl::ParentChanged();
    auto* control = dynamic_cast<TPageControl*>(Parent());
    if (control == FPageControl) return;
    if (FPageControl) FPageControl->RemovePage(this);
    if (control) control->InsertPage(this);
}

int TTabSheet::PageIndex() const {
    if (!FPageControl) return -1;
    const auto& pages = FPageControl->FPages;
    return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetPageIndex(int index) {
    if (FPageControl) FPageControl->MovePage(this, index);
}

int TTabSheet::TabIndex() const {
    if (!FPageControl || !FTabVisible) return -1;
    int tab = 0;
    for (const TTabSheet* page : FPageControl->FPages) {
        if (page == this) return tab;
        if (page->FTabVisible) ++tab;
    }
    return -1;
}

void TTabSheet::SetTabVisible(bool value) {
    if (value == FTabVisible) return;
    FTabVisible = value;
    if (FPageControl) FPageControl->RebuildTabs();
}

void TTabSheet::SetImageIndex(int index) {
    if (index == FImageIndex) return;
    FImageIndex = index;
    if (FPageControl) FPageControl->UpdateTabImages();
}

void TTabSheet::WndProc(TMessage& m) {
    TCustomControl::WndProc(m);
    if (m.Msg == CM_TEXTCHANGED && FPageControl) FPageControl->PageCaptionChanged(this);
}

// ---- TPageControl ----------------------------------------------------------------------------

TPageControl::TPageControl(TComponent* owner) : TCustomTabControl(owner) {}

TPageControl::~TPageControl() {
    // The sheets are freed later, by the windowed control's destructor: they must not call back.
    for (TTabSheet* page : FPages)
        page->FPageControl = nullptr;
    FPages.clear();
    FActivePage = nullptr;
}

void TPageControl::Publish(TPublisher<TPageControl>& p) {
    PublishTabControl(p);
    p.Object(L"ActivePage", &TPageControl::ActivePage, &TPageControl::SetActivePage);
}

TTabSheet* TPageControl::Pages(int index) const {
    if (index < 0 || index >= PageCount()) ListIndexError(index);
    return FPages[static_cast<std::size_t>(index)];
}

int TPageControl::ActivePageIndex() const {
    return FActivePage ? FActivePage->PageIndex() : -1;
}

void TPageControl::SetActivePageIndex(int index) {
    SetActivePage(index >= 0 && index < PageCount() ? FPages[static_cast<std::size_t>(index)] : nullptr);
}

void TPageControl::SetActivePage(TTabSheet* page) {
    if (page && page->FPageControl != this)
        throw EInvalidOperation(L"The sheet " + page->Name() + L" is not a page of " + Name());
    if (ComponentState().Contains(csLoading)) {
        FActivePage = page; // shown once the whole form is read
        return;
    }
    const bool hadFocus = page != FActivePage && ContainsFocus();
    ShowPage(page);
    if (hadFocus && CanFocus()) SetFocus();
}

void TPageControl::ShowPage(TTabSheet* page) {
    TTabSheet* previous = FActivePage;
    FActivePage = page;
    if (page) {
        page->SetBoundsRect(DisplayRect());
        page->SetVisible(true);
        if (page->HandleAllocated())
            SetWindowPos(page->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    for (TTabSheet* other : FPages)
        if (other != page) other->SetVisible(false);
    SelectTab(page ? page->TabIndex() : -1);
    if (previous == page || ComponentState().Contains(csLoading)) return;
    if (previous && previous->OnHide) previous->OnHide(previous);
    if (page && page->OnShow) page->OnShow(page);
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* current, bool goForward, bool checkTabVisible) const {
    const int count = PageCount();
    if (count == 0) return nullptr;
    int start = current ? current->PageIndex() : -1;
    if (start < 0 || start >= count) start = goForward ? count - 1 : 0;
    int i = start;
    do {
        i = goForward ? (i + 1) % count : (i + count - 1) % count;
        TTabSheet* page = FPages[static_cast<std::size_t>(i)];
        if (page != current && (!checkTabVisible || page->FTabVisible)) return page;
    } while (i != start);
    return nullptr;
}

void TPageControl::SelectNextPage(bool goForward, bool checkTabVisible) {
    TTabSheet* next = FindNextPage(FActivePage, goForward, checkTabVisible);
    if (!next || next == FActivePage || !CanChange()) return;
    const bool hadFocus = ContainsFocus();
    ShowPage(next);
    if (hadFocus && CanFocus()) SetFocus();
    TCustomTabControl::Change();
}

void TPageControl::InsertPage(TTabSheet* page) {
    FPages.push_back(page);
    page->FPageControl = this;
    page->SetBoundsRect(DisplayRect());
    page->SetVisible(false);
    RebuildTabs();
    if (!FActivePage && !ComponentState().Contains(csLoading) && page->FTabVisible)
        ShowPage(page);
}

void TPageControl::RemovePage(TTabSheet* page) {
    const auto it = std::find(FPages.begin(), FPages.end(), page);
    if (it == FPages.end()) return;
    TTabSheet* next = page == FActivePage ? FindNextPage(page, true, true) : FActivePage;
    FPages.erase(it);
    page->FPageControl = nullptr;
    if (page == FActivePage) FActivePage = nullptr;
    RebuildTabs();
    if (!ComponentState().Contains(csDestroying) && next != FActivePage) ShowPage(next);
}

void TPageControl::MovePage(TTabSheet* page, int index) {
    const auto it = std::find(FPages.begin(), FPages.end(), page);
    if (it == FPages.end()) return;
    index = std::clamp(index, 0, PageCount() - 1);
    FPages.erase(it);
    FPages.insert(FPages.begin() + index, page);
    RebuildTabs();
}

void TPageControl::PageCaptionChanged(TTabSheet* page) {
    const int tab = page->TabIndex();
    if (tab >= 0 && tab < TabCount()) SetTabText(tab, page->Caption());
}

void TPageControl::RebuildTabs() {
    ClearTabs();
    for (TTabSheet* page : FPages)
        if (page->FTabVisible) InsertTab(TabCount(), page->Caption(), page);
    SelectTab(FActivePage ? FActivePage->TabIndex() : -1);
}

int TPageControl::GetImageIndex(int tabIndex) {
    auto* page = dynamic_cast<TTabSheet*>(TabObject(tabIndex));
    int image = page ? page->FImageIndex : -1;
    if (OnGetImageIndex) OnGetImageIndex(this, tabIndex, image);
    return image;
}

void TPageControl::Change() {
    const int tab = CurrentTab();
    auto* page = tab >= 0 && tab < TabCount() ? dynamic_cast<TTabSheet*>(TabObject(tab)) : nullptr;
    if (page && page != FActivePage) ShowPage(page);
    TCustomTabControl::Change();
}

void TPageControl::DisplayChanged() {
    const RECT display = DisplayRect();
    for (TTabSheet* page : FPages)
        page->SetBoundsRect(display);
}

void TPageControl::Loaded() {
    TCustomTabControl::Loaded();
    TTabSheet* page = FActivePage;
    if (!page) page = FindNextPage(nullptr, true, true);
    FActivePage = nullptr;
    ShowPage(page);
}

bool TPageControl::ContainsFocus() {
    if (!HandleAllocated()) return false;
    HWND focus = GetFocus();
    return focus && (focus == Handle() || IsChild(Handle(), focus));
}

bool TPageControl::HandleDialogKey(WORD key) {
    if (GetKeyState(VK_CONTROL) >= 0 || GetKeyState(VK_MENU) < 0 || !ContainsFocus()) return false;
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    switch (key) {
    case VK_TAB:
        SelectNextPage(!shift);
        return true;
    case VK_NEXT:
        SelectNextPage(true);
        return true;
    case VK_PRIOR:
        SelectNextPage(false);
        return true;
    default:
        return false;
    }
}

void TPageControl::WndProc(TMessage& m) {
    if (m.Msg == CM_DIALOGKEY) {
        // A page control inside one of the pages goes first.
        TCustomTabControl::WndProc(m);
        if (m.Result == 0 && HandleDialogKey(static_cast<WORD>(m.WParam))) m.Result = 1;
        return;
    }
    TCustomTabControl::WndProc(m);
}

} // namespace orvo
