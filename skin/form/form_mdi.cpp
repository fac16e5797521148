// MDI frames and children of a skinned program.
//
// A frame (a window with an "MDIClient" child) subclasses its client: the client loses its scroll
// bars unless the skin's options keep them (xoMDIScrollbar), is redrawn whole on
// SKM_REDRAWMDICLIENT, and tells the frame when children go, are arranged or a new menu is put in
// the frame. The frame's menu bar carries the buttons of a maximised active child (menu_bar.cpp,
// caption_buttons.cpp). A child is skinned while it is created (the manager's hook); it is normal
// or minimised inside a skinned frame with a region, maximised it keeps the platform's frame
// (outside the client, unseen) and no region. The manager holds whether the frame's active child is
// maximised (SetMdiMaximized) and tells the children; the frame keeps it true to the client's
// answer after every change of a child's state (SKM_REPAINTFRAME).
//
// Messages of the client: WM_NCCALCSIZE, WM_MDIDESTROY, WM_MDITILE, WM_MDICASCADE, WM_MDISETMENU,
// SKM_REDRAWMDICLIENT, WM_NCDESTROY.
#include "skin/data/skin_data.h"
#include "skin/data/skin_protocol.h"
#include "skin/form/form_skin.h"
#include "skin/form/menu_bar.h"
#include "skin/form/window_colours.h"
#include "skin/manager/skin_manager.h"

#include <cwchar>

namespace orvo {

void TWinSkinForm::FindMdiClient() {
    for (HWND child = GetTopWindow(Handle); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[101]{};
        GetClassNameW(child, name, 101);
        if (_wcsicmp(name, L"MDIClient") != 0) continue;
        FFormKind = TFormKind::MdiFrame;
        FMDIClient = child;
        if (TSkinManage* manager = ExistingSkinManager()) manager->SetMdiFrame(child, FForm);
        return;
    }
}

HWND TWinSkinForm::ActiveMdiChild(bool* maximized) const {
    if (maximized) *maximized = false;
    if (FFormKind != TFormKind::MdiFrame || !FMDIClient || !IsWindow(FMDIClient)) return nullptr;
    BOOL zoomed = FALSE;
    const auto child =
        reinterpret_cast<HWND>(SendMessageW(FMDIClient, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&zoomed)));
    if (maximized) *maximized = child && zoomed;
    return child;
}

bool TWinSkinForm::MdiChildMaximizedInBar() const {
    if (FFormKind != TFormKind::MdiFrame || !FMenuBar) return false;
    bool maximized = false;
    return ActiveMdiChild(&maximized) && maximized;
}

void TWinSkinForm::MdiMaximizedChanged(bool maximized) {
    if (FState == TFormSkinState::Destroyed || !FSkinFrame || !IsWindow(Handle)) return;
    if (maximized) {
        // A maximised child must not be cut to its normal shape.
        ReleaseRegion();
    } else if (!IsIconic(Handle) && !IsZoomed(Handle)) {
        FWindowState = TWindowShowState::Normal;
        FRegionWidth = FRegionHeight = -1;
        UpdateRegion();
    }
}

void TWinSkinForm::MdiChildSized() {
    TSkinManage* manager = ExistingSkinManager();
    if (FWindowState != TWindowShowState::Normal)
        ReleaseRegion();
    else if ((FState == TFormSkinState::Skinned || FState == TFormSkinState::SkinChanging) &&
             !(manager && manager->MdiMaximized()))
        UpdateRegion(false); // the resize repaints the window anyway
    if (FMdiSizedState == FWindowState) return;
    FMdiSizedState = FWindowState;
    // The frame's bar shows the buttons of a maximised child, or loses them.
    if (HWND client = GetParent(Handle))
        if (HWND frame = GetParent(client)) PostMessageW(frame, SKM_REPAINTFRAME, 0, 0);
}

void TWinSkinForm::SyncMdiState() {
    bool maximized = false;
    ActiveMdiChild(&maximized);
    if (TSkinManage* manager = ExistingSkinManager(); manager && manager->MdiClient() == FMDIClient)
        manager->SetMdiMaximized(maximized);
    PaintFrame();
}

namespace {

// The sunken edge of a client window (WS_EX_CLIENTEDGE, two pixels) in the skin's shadows.
void PaintClientEdge(HWND window, COLORREF outer, COLORREF inner) {
    if (!(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_CLIENTEDGE)) return;
    RECT r{};
    GetWindowRect(window, &r);
    OffsetRect(&r, -r.left, -r.top);
    HDC dc = GetWindowDC(window);
    if (!dc) return;
    for (const COLORREF colour : {outer, inner}) {
        if (r.right - r.left < 2 || r.bottom - r.top < 2) break;
        HBRUSH brush = CreateSolidBrush(colour);
        FrameRect(dc, &r, brush);
        DeleteObject(brush);
        InflateRect(&r, -1, -1);
    }
    ReleaseDC(window, dc);
}

} // namespace

bool TWinSkinForm::DressesMdiWorkspace() const {
    // Under a skin that dresses window colours the workspace takes its darkest shade (the
    // platform's application-workspace grey would be the one light area of a dark skin).
    return FSkinFrame && FSkinData && !FSkinData->NoSkin() && WindowPaletteOf(*FSkinData).Dressed;
}

void TWinSkinForm::ClientWndProc(TMessage& m) {
    TSkinManage* manager = ExistingSkinManager();
    switch (m.Msg) {
    case WM_ERASEBKGND:
        if (DressesMdiWorkspace()) {
            RECT r{};
            GetClientRect(FMDIClient, &r);
            HBRUSH brush = CreateSolidBrush(ColorToColorRef(FSkinData->Colour(scButtonDkShadow)));
            FillRect(reinterpret_cast<HDC>(m.WParam), &r, brush);
            DeleteObject(brush);
            m.Result = 1;
            return;
        }
        break;
    case WM_NCPAINT:
        FClientSubclass.CallDefault(m);
        if (DressesMdiWorkspace())
            PaintClientEdge(FMDIClient, ColorToColorRef(FSkinData->Colour(scButtonShadow)),
                            ColorToColorRef(FSkinData->Colour(scButtonDkShadow)));
        return;
    case WM_NCCALCSIZE:
        // The skinned frame's client shows no system scroll bars unless the skin wants them.
        if (FSkinFrame && FSkinData && !FSkinData->NoSkin() && !FSkinData->Options().Contains(xoMDIScrollbar)) {
            const LONG_PTR style = GetWindowLongPtrW(FMDIClient, GWL_STYLE);
            if (style & (WS_HSCROLL | WS_VSCROLL))
                SetWindowLongPtrW(FMDIClient, GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_HSCROLL | WS_VSCROLL));
        }
        break;
    case WM_MDIDESTROY:
        FClientSubclass.CallDefault(m);
        // The last child gone: the bar shows the frame's own menu again.
        if (!ActiveMdiChild() && FMenuBar && FState != TFormSkinState::Destroyed) FMenuBar->BuildItems();
        if (IsWindow(Handle)) PostMessageW(Handle, SKM_REPAINTFRAME, 0, 0);
        return;
    case WM_MDITILE:
    case WM_MDICASCADE:
        if (manager && manager->MdiMaximized()) manager->SetMdiMaximized(false);
        break;
    case WM_MDISETMENU:
        FClientSubclass.CallDefault(m);
        // The client put a new menu into the frame: the bar takes its items, the frame loses it.
        if (m.WParam && FMenuBar && FSkinFrame && FState != TFormSkinState::Destroyed) {
            FMenuBar->BuildItems();
            if (GetMenu(Handle)) SetMenu(Handle, nullptr);
            PaintFrame();
        }
        return;
    case SKM_REDRAWMDICLIENT:
        RedrawWindow(FMDIClient, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
        m.Result = 0;
        return;
    default:
        break;
    }
    FClientSubclass.CallDefault(m);
}

} // namespace orvo
