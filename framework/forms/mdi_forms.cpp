// The MDI side of forms: a frame's client window, its children's creation, activation and menus,
// and the messages the platform's MDI needs to see (DefFrameProc, DefMDIChildProc).
#include "framework/forms/forms.h"

#include "framework/base/exceptions.h"
#include "framework/base/list.h"
#include "framework/forms/application.h"
#include "framework/forms/screen.h"
#include "framework/menus/menus.h"
#include "framework/window/window_property.h"

#include <algorithm>

namespace orvo {

namespace {

// The frame's own controls that lie along an edge of `area` and span it take that strip away,
// repeatedly, so a status bar under a left panel under a tool bar is found in any order.
RECT FreeArea(const TWinControl& frame, RECT area) {
    std::vector<bool> used(static_cast<std::size_t>(frame.ControlCount()), false);
    for (bool changed = true; changed;) {
        changed = false;
        for (int i = 0; i < frame.ControlCount(); ++i) {
            const TControl* c = frame.Controls(i);
            if (used[static_cast<std::size_t>(i)] || !c->Visible()) continue;
            const RECT b = c->BoundsRect();
            if (b.right <= b.left || b.bottom <= b.top) continue;
            const bool spansWidth = b.left <= area.left && b.right >= area.right;
            const bool spansHeight = b.top <= area.top && b.bottom >= area.bottom;
            if (spansWidth && b.top <= area.top)
                area.top = std::min<LONG>(std::max(area.top, b.bottom), area.bottom);
            else if (spansWidth && b.bottom >= area.bottom)
                area.bottom = std::max<LONG>(std::min(area.bottom, b.top), area.top);
            else if (spansHeight && b.left <= area.left)
                area.left = std::min<LONG>(std::max(area.left, b.right), area.right);
            else if (spansHeight && b.right >= area.right)
                area.right = std::max<LONG>(std::min(area.right, b.left), area.left);
            else
                continue;
            used[static_cast<std::size_t>(i)] = true;
            changed = true;
        }
    }
    return area;
}

} // namespace

// ---- style -----------------------------------------------------------------------------------

void TCustomForm::SetFormStyle(TFormStyle style) {
    if (style == FFormStyle) return;
    const auto isMdi = [](TFormStyle s) { return s == fsMDIChild || s == fsMDIForm; };
    if ((isMdi(style) || isMdi(FFormStyle)) && HandleAllocated())
        throw EInvalidOperation(L"Cannot change the MDI style of a form that has a window");
    FFormStyle = style;
    if (HandleAllocated())
        SetWindowPos(Handle(), style == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

std::wstring TCustomForm::GetText() const {
    // A maximised child's caption is the platform's addition to the frame's window text.
    if (IsMDIFrame() && HandleAllocated()) return FFrameCaption;
    return TCustomControl::GetText();
}

// ---- the frame -------------------------------------------------------------------------------

void TCustomForm::CreateMDIClient() {
    CLIENTCREATESTRUCT create{WindowMenuHandle(), FirstMDIChildCommand};
    RECT client{};
    GetClientRect(Handle(), &client);
    const RECT area = FreeArea(*this, client);
    // All child styles: each child's border style and icons are its own.
    FClientHandle = CreateWindowExW(WS_EX_CLIENTEDGE, L"MDIClient", nullptr,
                                    WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_HSCROLL |
                                        WS_VSCROLL | MDIS_ALLCHILDSTYLES,
                                    area.left, area.top, area.right - area.left, area.bottom - area.top, Handle(),
                                    nullptr, GetModuleHandleW(nullptr), &create);
    if (!FClientHandle) RaiseLastOSError();
    // Under the frame's own controls.
    SetWindowPos(FClientHandle, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TCustomForm::RealignMDIClient() {
    if (!FClientHandle || !HandleAllocated()) return;
    RECT client{};
    GetClientRect(Handle(), &client);
    const RECT area = FreeArea(*this, client);
    RECT now{};
    GetWindowRect(FClientHandle, &now);
    MapWindowPoints(HWND_DESKTOP, Handle(), reinterpret_cast<POINT*>(&now), 2);
    if (EqualRect(&now, &area)) return;
    SetWindowPos(FClientHandle, nullptr, area.left, area.top, area.right - area.left, area.bottom - area.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

HMENU TCustomForm::WindowMenuHandle() {
    if (FWindowMenu) return FWindowMenu->Handle();
    // The client needs some menu to move its list into when the window menu is taken away.
    if (!FNoWindowMenu) FNoWindowMenu = CreatePopupMenu();
    return FNoWindowMenu;
}

// The frame's bar and window menu through the client, which keeps a maximised child's entries.
void TCustomForm::ApplyMDIMenus() {
    if (!FClientHandle) return;
    HMENU bar = FMenu ? FMenu->GetHandle() : nullptr;
    // The bar in place already: only the window menu changes (a client may stop at an unchanged bar).
    if (bar && bar == GetMenu(Handle())) bar = nullptr;
    SendMessageW(FClientHandle, WM_MDISETMENU, reinterpret_cast<WPARAM>(bar),
                 reinterpret_cast<LPARAM>(WindowMenuHandle()));
    if (FMenu) FMenu->SetWindowHandle(Handle());
    DrawMenuBar(Handle());
}

void TCustomForm::SetWindowMenu(TMenuItem* item) {
    if (item == FWindowMenu) return;
    if (FWindowMenu) FWindowMenu->RemoveFreeNotification(this);
    FWindowMenu = item;
    if (FWindowMenu) FWindowMenu->FreeNotification(this);
    if (FClientHandle) ApplyMDIMenus();
}

std::vector<TCustomForm*> TCustomForm::MDIChildList() const {
    std::vector<TCustomForm*> list;
    if (!IsMDIFrame()) return list;
    // The client's z-order is the platform's order: the active child first.
    if (FClientHandle)
        for (HWND w = GetWindow(FClientHandle, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
            auto* form = dynamic_cast<TCustomForm*>(FindControl(w));
            if (form && std::find(FMDIChildForms.begin(), FMDIChildForms.end(), form) != FMDIChildForms.end())
                list.push_back(form);
        }
    for (TCustomForm* form : FMDIChildForms)
        if (std::find(list.begin(), list.end(), form) == list.end()) list.push_back(form);
    return list;
}

int TCustomForm::MDIChildCount() const {
    return static_cast<int>(FMDIChildForms.size());
}

TCustomForm* TCustomForm::MDIChildren(int index) const {
    const std::vector<TCustomForm*> list = MDIChildList();
    if (index < 0 || index >= static_cast<int>(list.size())) ListIndexError(index);
    return list[static_cast<std::size_t>(index)];
}

TCustomForm* TCustomForm::ActiveMDIChild() const {
    if (!IsMDIFrame() || !FClientHandle) return nullptr;
    const auto window = reinterpret_cast<HWND>(SendMessageW(FClientHandle, WM_MDIGETACTIVE, 0, 0));
    auto* form = dynamic_cast<TCustomForm*>(FindControl(window));
    if (!form || std::find(FMDIChildForms.begin(), FMDIChildForms.end(), form) == FMDIChildForms.end())
        return nullptr;
    return form;
}

void TCustomForm::Cascade() {
    if (FClientHandle) SendMessageW(FClientHandle, WM_MDICASCADE, 0, 0);
}

void TCustomForm::Tile() {
    if (FClientHandle)
        SendMessageW(FClientHandle, WM_MDITILE, FTileMode == tbHorizontal ? MDITILE_HORIZONTAL : MDITILE_VERTICAL,
                     0);
}

void TCustomForm::ArrangeIcons() {
    if (FClientHandle) SendMessageW(FClientHandle, WM_MDIICONARRANGE, 0, 0);
}

void TCustomForm::Next() {
    if (FClientHandle) SendMessageW(FClientHandle, WM_MDINEXT, 0, 0);
}

void TCustomForm::Previous() {
    if (FClientHandle) SendMessageW(FClientHandle, WM_MDINEXT, 0, 1);
}

void TCustomForm::MergeActiveChildMenu() {
    if (!FMenu) return;
    TCustomForm* child = ActiveMDIChild();
    FMenu->Merge(child ? child->FMenu : nullptr);
}

void TCustomForm::DestroyMDIChildWindows() {
    for (TCustomForm* child : std::vector<TCustomForm*>(FMDIChildForms))
        child->DestroyHandle();
}

// After the frame's window was made again (a border change): the children come back in it.
void TCustomForm::ShowMDIChildrenAgain() {
    for (TCustomForm* child : std::vector<TCustomForm*>(FMDIChildForms))
        if (child->Visible() && !child->HandleAllocated()) child->ShowMDIChild();
}

// ---- children --------------------------------------------------------------------------------

TCustomForm* TCustomForm::FindMDIFrame() const {
    if (FMDIFrame) return FMDIFrame;
    auto* owner = dynamic_cast<TCustomForm*>(Owner());
    if (owner && owner->IsMDIFrame()) return owner;
    if (TCustomForm* main = Application->MainForm(); main && main->IsMDIFrame()) return main;
    for (int i = 0; i < Screen->FormCount(); ++i)
        if (Screen->Forms(i)->IsMDIFrame()) return Screen->Forms(i);
    throw EInvalidOperation(L"Cannot create form. No MDI forms are currently active");
}

void TCustomForm::AttachToMDIFrame() {
    TCustomForm* frame = FindMDIFrame();
    frame->HandleNeeded();
    if (!frame->FClientHandle) throw EInvalidOperation(L"The MDI frame has no client window");
    FMDIFrame = frame;
    if (std::find(frame->FMDIChildForms.begin(), frame->FMDIChildForms.end(), this) == frame->FMDIChildForms.end())
        frame->FMDIChildForms.push_back(this);
}

void TCustomForm::DetachFromMDIFrame() {
    if (!FMDIFrame) return;
    TCustomForm* frame = FMDIFrame;
    std::erase(frame->FMDIChildForms, this);
    if (frame->FMenu && FMenu) frame->FMenu->Unmerge(FMenu);
}

HWND TCustomForm::CreateWindowHandle(const TCreateParams& params, HMENU id) {
    if (!IsMDIChild()) return TCustomControl::CreateWindowHandle(params, id);
    // Through the client, so that it lists the child and the frame sees WM_MDICREATE.
    MDICREATESTRUCTW create{};
    create.szClass = params.WinClassName.c_str();
    create.szTitle = params.Caption.c_str();
    create.hOwner = GetModuleHandleW(nullptr);
    create.x = params.X;
    create.y = params.Y;
    create.cx = params.Width;
    create.cy = params.Height;
    create.style = params.Style & ~static_cast<DWORD>(WS_VISIBLE | WS_MAXIMIZE | WS_MINIMIZE);
    HWND window = reinterpret_cast<HWND>(
        SendMessageW(params.WndParent, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
    if (window) {
        const DWORD extra = params.ExStyle & (WS_EX_CONTROLPARENT | WS_EX_RTLREADING | WS_EX_LEFTSCROLLBAR | WS_EX_RIGHT);
        SetWindowLongPtrW(window, GWL_EXSTYLE, GetWindowLongPtrW(window, GWL_EXSTYLE) | extra);
    }
    return window;
}

void TCustomForm::ShowMDIChild() {
    HandleNeeded();
    if (!FActiveControl) FActiveControl = FindNextControl(nullptr, true, true, false);
    if (FPosition >= poScreenCenter) {
        // Centred in the client area it lives in.
        RECT area{};
        GetClientRect(FMDIFrame->FClientHandle, &area);
        SetBounds(std::max<int>(0, (area.right - Width()) / 2), std::max<int>(0, (area.bottom - Height()) / 2),
                  Width(), Height());
    }
    DoShow();
    // A new child joins a maximised one maximised, as the platform's own children do.
    TWindowState state = FWindowState;
    if (TCustomForm* active = FMDIFrame->ActiveMDIChild();
        active && active != this && state == wsNormal && IsZoomed(active->Handle()))
        state = wsMaximized;
    const int show[] = {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};
    ShowWindow(Handle(), show[state]);
    if (state != wsMinimized)
        SendMessageW(FMDIFrame->FClientHandle, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(Handle()), 0);
    UpdateScrollBars();
    Perform(CM_SHOWINGCHANGED, 1);
}

void TCustomForm::MDIChildActivated(bool active, HWND next) {
    FActive = active;
    TCustomForm* frame = FMDIFrame;
    // A child on its way out (WM_MDIDESTROY) only gives its place up.
    const bool dying = ComponentState().Contains(csDestroying);
    if (active) {
        if (frame) {
            frame->MergeActiveChildMenu();
            if (frame->FActive) Screen->SetActiveForm(this);
        }
        SetWindowFocus();
        if (OnActivate && !dying) OnActivate(this);
    } else {
        // The next child merges its own menu; with none the frame shows its own again.
        if (!next && frame && frame->FMenu && FMenu) frame->FMenu->Unmerge(FMenu);
        if (frame && Screen->ActiveForm() == this) Screen->SetActiveForm(frame);
        if (OnDeactivate && !dying) OnDeactivate(this);
    }
}

// ---- messages --------------------------------------------------------------------------------

bool TCustomForm::HandleMDIMessage(TMessage& m) {
    if (IsMDIFrame()) {
        if (m.Msg == WM_SETTEXT) FFrameCaption = m.LParam ? reinterpret_cast<const wchar_t*>(m.LParam) : L"";
        return false;
    }
    if (!IsMDIChild()) return false;
    switch (m.Msg) {
    case WM_MDIACTIVATE: {
        DefaultHandler(m);
        const HWND self = HandleAllocated() ? Handle() : nullptr;
        const auto activated = reinterpret_cast<HWND>(m.LParam);
        if (activated == self)
            MDIChildActivated(true, nullptr);
        else if (reinterpret_cast<HWND>(m.WParam) == self)
            MDIChildActivated(false, activated);
        return true;
    }
    case WM_SETTEXT:
        TCustomControl::WndProc(m);
        // The window menu lists the new caption.
        if (FMDIFrame && FMDIFrame->FClientHandle) {
            SendMessageW(FMDIFrame->FClientHandle, WM_MDIREFRESHMENU, 0, 0);
            DrawMenuBar(FMDIFrame->Handle());
        }
        return true;
    case WM_ACTIVATE:
        // Children are activated by the client (WM_MDIACTIVATE), never as windows of their own.
        DefaultHandler(m);
        return true;
    default:
        return false;
    }
}

void TCustomForm::DefaultHandler(TMessage& m) {
    if (HandleAllocated()) {
        // The frame places its client itself, around the frame's own controls.
        if (IsMDIFrame() && FClientHandle && m.Msg != WM_SIZE) {
            m.Result = DefFrameProcW(Handle(), FClientHandle, m.Msg, m.WParam, m.LParam);
            return;
        }
        if (IsMDIChild()) {
            m.Result = DefMDIChildProcW(Handle(), m.Msg, m.WParam, m.LParam);
            return;
        }
    }
    TCustomControl::DefaultHandler(m);
}

} // namespace orvo
