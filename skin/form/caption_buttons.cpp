// Caption buttons of a skinned frame: which show, where they go, their four looks (normal, hot,
// pressed, disabled or on an inactive window), the mouse (a press captures it like a native
// caption button does: the action runs only when the button is released inside it), the icon
// button and caption double-clicks, the skinned system menu, the keyboard's way into the menus
// (WM_SYSCOMMAND SC_KEYMENU) and the buttons' hints.
//
// Reads: the skin's caption-button definitions, MenuBar (LeftWidth), MenuGlyphs, the hint window.
#include "skin/form/caption_buttons.h"

#include "framework/base/timer.h"
#include "framework/forms/application.h"
#include "framework/menus/menu_item.h"
#include "framework/menus/popup_menu.h"
#include "framework/window/display_scale.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_protocol.h"
#include "skin/draw/skin_draw.h"
#include "skin/form/form_skin.h"
#include "skin/form/menu_bar.h"
#include "skin/form/menu_items.h"
#include "skin/manager/skin_manager.h"

#include <algorithm>

namespace orvo {

// ---- the rules -------------------------------------------------------------------------------

bool VisibilityCodeTrue(int code, bool primary, const TCaptionState& s) {
    const bool minBox = s.BorderIcons & bibMinimizeBox, maxBox = s.BorderIcons & bibMaximizeBox;
    const bool sysMenu = s.BorderIcons & bibSystemMenu, help = s.BorderIcons & bibHelpBox;
    switch (code) {
    case 0: return true;
    case 1: return s.Maximized;
    case 2: return !s.Maximized;
    case 3: return s.Active;
    case 4: return !s.Active;
    case 5: return false;
    case 6:
    case 8: return primary ? (minBox || maxBox) && sysMenu : minBox || maxBox;
    case 7: return !maxBox;
    case 9: return !minBox;
    case 10: return primary ? help && !(minBox || maxBox) : help;
    case 100: return s.MdiChildMaximizedInBar;
    case 200: return primary && s.Kind == TFrameKind::Dialog && !s.DialogClass;
    default: break;
    }
    if (code >= 201 && code <= 999) return primary;
    if (code >= 1000 && code <= 2000) return primary && s.AskWindow && s.AskWindow(code, -1) > 0;
    return false;
}

TButtonShow EvaluateButton(int action, int visibility, int visibility1, const TCaptionState& s) {
    TButtonShow show;
    bool primary = VisibilityCodeTrue(visibility, true, s);
    if (primary && visibility >= 1000 && visibility <= 2000)
        primary = s.AskWindow && s.AskWindow(visibility, action) > 0;
    show.Visible = primary && VisibilityCodeTrue(visibility1, false, s);
    const bool sysMenu = s.BorderIcons & bibSystemMenu;
    switch (action) {
    case cbaClose:
        if (!sysMenu) show.Visible = false;
        break;
    case cbaMaximize:
    case cbaMaximizeAlt:
        show.Enabled = (s.BorderIcons & bibMaximizeBox) && sysMenu;
        break;
    case cbaMinimize:
    case cbaMinimizeAlt:
        show.Enabled = (s.BorderIcons & bibMinimizeBox) && sysMenu;
        break;
    case cbaSystemMenu:
    case cbaIcon:
    case cbaIconSystemMenu:
        // The icon is the system menu's button: a dialog frame, or a window without system menu,
        // shows none.
        if (s.Kind == TFrameKind::Dialog || !sysMenu) show.Visible = false;
        break;
    default:
        break;
    }
    return show;
}

RECT LayoutButton(const TButtonLayoutInput& in) noexcept {
    POINT p{0, 0};
    switch (in.Align) {
    case calTopLeft: p = POINT{in.XCoord, in.YCoord}; break;
    case calTopRight: p = POINT{in.WindowWidth - in.XCoord, in.YCoord}; break;
    case calLeftOfText:
    case calLeftOfTextAlt: p = POINT{in.TextRect.left - in.Width - in.XCoord, in.YCoord}; break;
    case calRightOfText:
    case calRightOfTextAlt: p = POINT{in.TextRect.right + in.XCoord, in.YCoord}; break;
    case calMenuBar:
        p = POINT{in.WindowWidth - in.XCoord - in.BorderRight - in.MenuBarLeftWidth,
                  in.BorderTop + (in.MenuHeight - in.Height) / 2};
        break;
    default: break;
    }
    return RECT{p.x, p.y, p.x + in.Width, p.y + in.Height};
}

int CaptionFrameIndex(int frameCount, bool windowActive, bool enabled) noexcept {
    return frameCount < 4 || (windowActive && enabled) ? 1 : 4;
}

int StateFrameIndex(int frameCount, int state, bool enabled, int visibility) noexcept {
    int frame = state;
    if (!enabled)
        frame = frameCount > 3 ? 4 : 1;
    else if (visibility == 100 && state == nbsHot)
        frame = 4;
    return std::clamp(frame, 1, std::max(frameCount, 1));
}

const wchar_t* CaptionHintText(int action) noexcept {
    switch (action) {
    case cbaClose:
    case cbaMdiClose:
    case cbaMdiCloseAlt: return L"Close";
    case cbaMaximize:
    case cbaMaximizeAlt: return L"Maximize";
    case cbaMinimize:
    case cbaMinimizeAlt:
    case cbaMdiMinimize:
    case cbaMdiMinimizeAlt: return L"Minimize";
    case cbaMdiRestore:
    case cbaMdiRestoreAlt: return L"Restore";
    default: return L"";
    }
}

int PlatformStandIn(int action, bool maximized) noexcept {
    switch (action) {
    case cbaClose: return DFCS_CAPTIONCLOSE; // 0
    case cbaMaximize:
    case cbaMaximizeAlt: return maximized ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMAX;
    case cbaMinimize:
    case cbaMinimizeAlt: return DFCS_CAPTIONMIN;
    case cbaMdiMinimize:
    case cbaMdiMinimizeAlt: return DFCS_CAPTIONMIN;
    case cbaMdiRestore:
    case cbaMdiRestoreAlt: return DFCS_CAPTIONRESTORE;
    case cbaMdiClose:
    case cbaMdiCloseAlt: return DFCS_CAPTIONCLOSE; // 0
    default: return -1;
    }
}

int PlatformStandInSlot(int action) noexcept {
    switch (PlatformStandIn(action)) {
    case DFCS_CAPTIONMIN: return 3;
    case DFCS_CAPTIONMAX:
    case DFCS_CAPTIONRESTORE: return 2;
    case DFCS_CAPTIONCLOSE: return 1;
    default: return 0;
    }
}

void DrawPlatformStandIn(HDC dc, const RECT& r, int action, int state, bool enabled, bool maximized) {
    if (PlatformStandIn(action, maximized) < 0) return;
    auto flags = static_cast<UINT>(PlatformStandIn(action, maximized));
    if (!enabled)
        flags |= DFCS_INACTIVE;
    else if (state == nbsPressed)
        flags |= DFCS_PUSHED;
    else if (state == nbsHot)
        flags |= DFCS_HOT;
    RECT box = r;
    DrawFrameControl(dc, &box, DFC_CAPTION, flags);
}

// ---- TNCObject -------------------------------------------------------------------------------

void TNCObject::MouseDown() {
    if (TNCObject* hot = Owner->HotObject(); hot && hot != this) hot->MouseLeave();
    if (!Visible) return;
    Owner->SetHotObject(this);
    ButtonState = nbsPressed;
    Paint();
}

void TNCObject::MouseUp() {
    if (!Visible) return;
    ButtonState = nbsHot;
    Paint();
}

void TNCObject::MouseEnter() {
    TNCObject* hot = Owner->HotObject();
    if (hot == this) return;
    if (hot) hot->MouseLeave();
    if (!Visible) return;
    Owner->SetHotObject(this);
    ButtonState = nbsHot;
    Paint();
}

void TNCObject::MouseLeave() {
    if (!Visible) return;
    Owner->SetHotObject(nullptr);
    ButtonState = nbsNormal;
    Paint();
    Owner->ResetCaptionHint();
}

void TWinSysButton::Paint() {
    Owner->PaintSysButton(*this);
}

// ---- the form's buttons ----------------------------------------------------------------------

TCaptionState TWinSkinForm::CaptionState() const {
    TCaptionState s;
    s.Maximized = FWindowState == TWindowShowState::Maximized;
    s.Active = FActive;
    s.BorderIcons = FBorderIcons;
    s.Kind = FFrameKind;
    s.DialogClass = FIsDialog;
    s.MdiChildMaximizedInBar = MdiChildMaximizedInBar();
    HWND window = Handle;
    s.AskWindow = [window](int code, int action) {
        return SendMessageW(window, SKM_CAPTIONBUTTONVISIBLE, static_cast<WPARAM>(code), action);
    };
    return s;
}

void TWinSkinForm::LayoutButtons(int windowWidth) {
    const TCaptionState state = CaptionState();
    const TDataSkinObject* menuBar = FSkinData ? Skin().MenuBar() : nullptr;
    FRightButtonsWidth = 0;
    const int gap = Scale(2); // between the platform's stand-in buttons and around them
    for (auto& button : FSysButtons) {
        const TDataSkinSysButton& e = *button->Element;
        const TButtonShow show = EvaluateButton(e.Action, e.Visibility, e.Visibility1, state);
        button->Visible = show.Visible;
        button->Enabled = show.Enabled;
        int w = 0, h = 0;
        if (!e.Image.Empty()) {
            w = e.Image.Width() / std::max(e.Frame, 1);
            h = e.Image.Height();
        } else if (IsIconAction(e.Action)) {
            w = SystemMetricForDpi(SM_CXSMICON, FDpi);
            h = SystemMetricForDpi(SM_CYSMICON, FDpi);
        } else if (e.Align == calMenuBar && PlatformStandIn(e.Action) >= 0 && FBorders.Menu > gap) {
            // A skin without the MDI strip: the platform's buttons, as the platform's bar shows them.
            h = std::min(SystemMetricForDpi(SM_CYMENUSIZE, FDpi), FBorders.Menu - gap);
            w = std::min(SystemMetricForDpi(SM_CXMENUSIZE, FDpi), h + gap);
        } else if (IsStandIn(e) && FBorders.Top > Scale(6)) {
            // A skin without the button: the platform's, centred in the caption bar.
            h = std::min(SystemMetricForDpi(SM_CYSIZE, FDpi) - Scale(4), FBorders.Top - Scale(4));
            w = h + gap;
        }
        if (w <= 0 || h <= 0) {
            button->Visible = false;
            continue;
        }
        TButtonLayoutInput in;
        in.Align = e.Align;
        in.XCoord = e.XCoord;
        in.YCoord = e.YCoord;
        if (e.Image.Empty() && e.Align == calMenuBar) in.XCoord = (w + gap) * PlatformStandInSlot(e.Action);
        if (IsStandIn(e)) {
            in.XCoord = FBorders.Right + gap + (w + gap) * PlatformStandInSlot(e.Action);
            in.YCoord = (FBorders.Top - h) / 2;
        }
        in.Width = w;
        in.Height = h;
        in.WindowWidth = windowWidth;
        in.TextRect = FTextRect;
        in.BorderRight = FBorders.Right;
        in.BorderTop = FBorders.Top;
        in.MenuHeight = FBorders.Menu;
        in.MenuBarLeftWidth = menuBar ? menuBar->LeftWidth : 0;
        button->BoundsRect = LayoutButton(in);
        if (button->Visible && e.Align == calTopRight && (!e.Image.Empty() || IsStandIn(e)))
            FRightButtonsWidth = std::max(FRightButtonsWidth, in.XCoord);
    }
}

void TWinSkinForm::AddStandInButtons() {
    FStandIns.clear();
    for (const int action : {cbaClose, cbaMaximize, cbaMinimize}) {
        const bool drawn = std::any_of(FSysButtons.begin(), FSysButtons.end(), [action](const auto& b) {
            return !b->Element->Image.Empty() && PlatformStandIn(b->Element->Action) == PlatformStandIn(action) &&
                   b->Element->Align != calMenuBar;
        });
        if (drawn) continue;
        auto e = std::make_unique<TDataSkinSysButton>(L"PlatformStandIn");
        e->Action = action;
        e->Align = calTopRight;
        // Close whenever the window has a system menu; the others only with a box of theirs.
        e->Visibility = action == cbaClose ? 0 : 6;
        e->Visibility1 = 0;
        e->CombineOp = -1;
        e->Frame = 1;
        FSysButtons.push_back(std::make_unique<TWinSysButton>(this, e.get()));
        FStandIns.push_back(std::move(e));
    }
}

bool TWinSkinForm::IsStandIn(const TDataSkinSysButton& e) const noexcept {
    return std::any_of(FStandIns.begin(), FStandIns.end(), [&e](const auto& s) { return s.get() == &e; });
}

HICON TWinSkinForm::ApplicationIcon() {
    HWND app = Application->Handle();
    auto icon = reinterpret_cast<HICON>(SendMessageW(app, WM_GETICON, ICON_SMALL, 0));
    if (!icon) icon = reinterpret_cast<HICON>(SendMessageW(app, WM_GETICON, ICON_BIG, 0));
    if (!icon) return nullptr;
    // One copy at the small size, made again only when the icon changes.
    if (icon != FAppIconSource || !FAppIconCopy) {
        if (FAppIconCopy) DestroyIcon(FAppIconCopy);
        FAppIconCopy = static_cast<HICON>(CopyImage(icon, IMAGE_ICON, SystemMetricForDpi(SM_CXSMICON, FDpi),
                                                    SystemMetricForDpi(SM_CYSMICON, FDpi), LR_COPYFROMRESOURCE));
        FAppIconSource = icon;
    }
    return FAppIconCopy ? FAppIconCopy : icon;
}

void TWinSkinForm::DrawButtons(TCanvas& canvas) {
    HDC dc = canvas.Handle();
    for (auto& button : FSysButtons) {
        if (!button->Visible) continue;
        TDataSkinSysButton& e = *button->Element;
        if (e.Align == calMenuBar) continue; // drawn by the menu bar
        const RECT& r = button->BoundsRect;
        if (IsIconAction(e.Action)) {
            if (HICON icon = ApplicationIcon())
                DrawIconEx(dc, r.left, r.top, icon, r.right - r.left, r.bottom - r.top, 0, nullptr, DI_NORMAL);
            else if (!FIconBitmap.Empty())
                TransparentBlit(dc, r, FIconBitmap);
            continue;
        }
        if (IsStandIn(e)) {
            DrawPlatformStandIn(dc, r, e.Action, button->ButtonState, button->Enabled,
                                FWindowState == TWindowShowState::Maximized);
            continue;
        }
        if (e.Image.Empty()) continue;
        const int frames = std::max(e.Frame, 1);
        // A button under the mouse or pressed keeps that look when the caption is drawn again.
        const int frame = button->ButtonState != nbsNormal
                              ? StateFrameIndex(frames, button->ButtonState, button->Enabled, e.Visibility)
                              : CaptionFrameIndex(frames, FActive, button->Enabled);
        DrawFrameStrip(dc, r, e.Image, true, frames, frame);
    }
}

void TWinSkinForm::PaintSysButton(TWinSysButton& button) {
    if (!FSkinData || FState == TFormSkinState::Destroyed || !IsWindowVisible(Handle)) return;
    if (button.Element->Align == calMenuBar) {
        // A maximised MDI child's button, on the frame's menu bar.
        if (FMenuBar) FMenuBar->PaintButton(button);
        return;
    }
    // The caption is composed again (the transparent parts of a frame show what lies under it)
    // and only the button's rectangle goes to the screen.
    HDC dc = GetWindowDC(Handle);
    if (!dc) return;
    try {
        RECT window{};
        GetWindowRect(Handle, &window);
        ComposeCaption(dc, window.right - window.left, window.bottom - window.top, &button.BoundsRect);
    } catch (...) {
    }
    ReleaseDC(Handle, dc);
}

TWinSysButton* TWinSkinForm::FindSysButton(POINT p) const {
    for (const auto& button : FSysButtons) {
        if (!button->Visible || button->Element->Action < 0) continue;
        if (PtInRect(&button->BoundsRect, p)) return button.get();
    }
    return nullptr;
}

void TWinSkinForm::ResetCaptionHint() {
    if (!FSkinData) return;
    FSkinData->CaptionHintCounter = 0;
    FSkinData->HideCaptionHint();
}

// ---- the mouse -------------------------------------------------------------------------------

bool TWinSkinForm::NcMouseMessage(TMessage& m) {
    const POINT screen = PointFromLParam(m.LParam);
    const POINT p = ToFramePoint(screen);
    TWinSysButton* button = FindSysButton(p);
    if (!button && FMenuBar) {
        if (TMenuBtn* item = FMenuBar->ItemAt(p)) {
            switch (m.Msg) {
            case WM_NCMOUSEMOVE:
                if (FActive && !FPressed) item->MouseEnter();
                return true;
            case WM_NCLBUTTONDOWN:
            case WM_NCLBUTTONDBLCLK:
                ResetCaptionHint();
                if (GetForegroundWindow() != Handle) SetForegroundWindow(Handle);
                FMenuBar->OpenItem(item->Index, false);
                return true;
            case WM_NCLBUTTONUP:
                return true;
            default:
                break;
            }
        } else if (m.WParam == HTMENU && (m.Msg == WM_NCLBUTTONDOWN || m.Msg == WM_NCLBUTTONDBLCLK)) {
            return true; // the strip beside the items: the system has no bar to track here
        }
    }
    switch (m.Msg) {
    case WM_NCMOUSEMOVE:
        if (!FActive) {
            m.Result = 0;
            return true;
        }
        if (FPressed) return true;
        if (button) {
            button->MouseEnter();
            m.Result = 0;
            return true;
        }
        if (FHotObject) {
            FHotObject->MouseLeave();
            FHotObject = nullptr;
        }
        return false;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
        ResetCaptionHint();
        if (button) {
            if (m.Msg == WM_NCLBUTTONDBLCLK && IsIconAction(button->Element->Action)) {
                if (FHintTimer) FHintTimer->SetEnabled(false);
                PostMessageW(Handle, WM_SYSCOMMAND, SC_CLOSE, 0);
                return true;
            }
            if (GetForegroundWindow() != Handle) SetForegroundWindow(Handle);
            button->MouseDown();
            FPressed = button;
            SetCapture(Handle);
            m.Result = 0;
            return true;
        }
        if (m.Msg == WM_NCLBUTTONDBLCLK) {
            if (m.WParam != HTCAPTION) return false;
            if (FWindowState != TWindowShowState::Normal)
                Restore();
            else if (FBorderIcons & bibMaximizeBox)
                Maximize();
            else
                return false;
            return true;
        }
        // A maximised window is not dragged by its caption.
        if (m.WParam == HTCAPTION && FWindowState == TWindowShowState::Maximized && FActive) return true;
        return false;
    case WM_NCLBUTTONUP:
        ResetCaptionHint();
        if (button && button == FPressed) {
            FPressed = nullptr;
            button->MouseUp();
            ExecuteAction(*button, screen);
        }
        return button != nullptr;
    case WM_NCRBUTTONDOWN:
        ResetCaptionHint();
        if (m.WParam == HTCAPTION && FFormKind != TFormKind::MdiChild) {
            ShowSystemMenu(screen);
            return true;
        }
        return false;
    case WM_NCRBUTTONUP:
        // The system would open its own system menu on the release.
        return m.WParam == HTCAPTION;
    default:
        return false;
    }
}

// While a button is pressed the mouse is captured; the client-area messages then say where it is.
bool TWinSkinForm::CapturedMouse(TMessage& m) {
    if (!FPressed) return false;
    switch (m.Msg) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP: {
        POINT screen = PointFromLParam(m.LParam);
        ClientToScreen(Handle, &screen);
        const POINT p = ToFramePoint(screen);
        TWinSysButton* pressed = FPressed;
        const bool inside = PtInRect(&pressed->BoundsRect, p) != FALSE;
        if (m.Msg == WM_MOUSEMOVE) {
            const int state = inside ? nbsPressed : nbsNormal;
            if (pressed->ButtonState != state) {
                pressed->ButtonState = state;
                FHotObject = inside ? pressed : nullptr;
                pressed->Paint();
            }
        } else {
            FPressed = nullptr;
            ReleaseCapture();
            if (inside) {
                FHotObject = pressed;
                pressed->MouseUp();
                ExecuteAction(*pressed, screen);
            } else {
                pressed->ButtonState = nbsNormal;
                FHotObject = nullptr;
                pressed->Paint();
            }
        }
        m.Result = 0;
        return true;
    }
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(m.LParam) != Handle) {
            TWinSysButton* pressed = FPressed;
            FPressed = nullptr;
            pressed->ButtonState = nbsNormal;
            FHotObject = nullptr;
            pressed->Paint();
        }
        return false;
    default:
        return false;
    }
}

// ---- actions ---------------------------------------------------------------------------------

void TWinSkinForm::Maximize() {
    if (FWindowState == TWindowShowState::Maximized) {
        Restore();
        return;
    }
    // A child tells the manager first, so the frame's bar shows the child's buttons.
    if (FFormKind == TFormKind::MdiChild)
        if (TSkinManage* manager = ExistingSkinManager()) manager->SetMdiMaximized(true);
    FWindowState = TWindowShowState::Maximized;
    PostMessageW(Handle, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    FHotObject = nullptr;
}

void TWinSkinForm::Minimize() {
    if (FWindowState == TWindowShowState::Minimized) {
        Restore();
        return;
    }
    FWindowState = TWindowShowState::Minimized;
    PostMessageW(Handle, WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

void TWinSkinForm::Restore() {
    FWindowState = TWindowShowState::Normal;
    PostMessageW(Handle, WM_SYSCOMMAND, SC_RESTORE, 0);
}

void TWinSkinForm::ExecuteAction(TWinSysButton& button, POINT screen) {
    const int action = button.Element->Action;
    switch (action) {
    case cbaClose: {
        // As the system's close button: only when the system menu offers Close, and it is enabled.
        const UINT state = FSystemMenu ? GetMenuState(FSystemMenu, SC_CLOSE, MF_BYCOMMAND) : 0;
        if (state != static_cast<UINT>(-1) && !(state & (MF_GRAYED | MF_DISABLED))) {
            if (FHintTimer) FHintTimer->SetEnabled(false);
            PostMessageW(Handle, WM_SYSCOMMAND, SC_CLOSE, 0);
        }
        break;
    }
    case cbaMaximize:
    case cbaMaximizeAlt:
        if (button.Enabled) Maximize();
        break;
    case cbaMinimize:
    case cbaMinimizeAlt:
        if (button.Enabled) Minimize();
        break;
    case cbaSystemMenu:
    case cbaIcon:
    case cbaIconSystemMenu:
        ShowSystemMenu(POINT{screen.x + 1, screen.y + 1});
        break;
    case cbaHelp:
        PostMessageW(Handle, WM_SYSCOMMAND, SC_CONTEXTHELP, 0);
        break;
    case cbaMdiMinimize:
    case cbaMdiMinimizeAlt:
    case cbaMdiRestore:
    case cbaMdiRestoreAlt:
    case cbaMdiClose:
    case cbaMdiCloseAlt: {
        // An MDI frame's buttons for its active child.
        HWND child = ActiveMdiChild();
        if (!child) break;
        const UINT command = action == cbaMdiMinimize || action == cbaMdiMinimizeAlt ? SC_MINIMIZE
                             : action == cbaMdiRestore || action == cbaMdiRestoreAlt ? SC_RESTORE
                                                                                    : SC_CLOSE;
        FHotObject = nullptr;
        button.ButtonState = nbsNormal;
        SendMessageW(child, WM_SYSCOMMAND, command, 0);
        break;
    }
    default:
        PostMessageW(Handle, SKM_CAPTIONACTION, static_cast<WPARAM>(action), 0);
        break;
    }
}

// ---- the system menu -------------------------------------------------------------------------

void TWinSkinForm::ShowSystemMenu(POINT screen) {
    if (!(FBorderIcons & bibSystemMenu) || !IsWindow(Handle)) return;
    const DWORD now = GetTickCount();
    if (now - FLastMenuTime > FDoubleClickTime) {
        if (TSkinManage* manager = ExistingSkinManager()) manager->SetMenuSource(TMenuSource::SystemMenu);
        FLastMenuTime = now;
        BuildSystemMenuPopup();
        if (!FSystemMenuPopup) return;
        FMenuTracking = true;
        const HWND window = Handle;
        FSystemMenuPopup->Popup(screen.x, screen.y);
        if (IsWindow(window)) FMenuTracking = false;
        FLastMenuTime = GetTickCount();
        return;
    }
    // A second click on the icon within the double-click time closes the window.
    if (FHotObject) {
        if (FHintTimer) FHintTimer->SetEnabled(false);
        PostMessageW(Handle, WM_CLOSE, 0, 0);
    }
}

void TWinSkinForm::BuildSystemMenuPopup() {
    if (!FSystemMenu) FSystemMenu = GetSystemMenu(Handle, FALSE);
    if (!FSystemMenu) return;
    auto popup = std::make_unique<TPopupMenu>(nullptr);
    popup->SetTag(33333);
    popup->SetOwnerDraw(true);
    if (FSkinData) {
        // The glyphs at this window's DPI (one system menu shows at a time).
        FSkinData->MenuGlyphs().SetDpi(FDpi);
        popup->SetImages(&FSkinData->MenuGlyphs());
    }
    const int count = GetMenuItemCount(FSystemMenu);
    const bool maximized = IsZoomed(Handle) != FALSE, minimized = IsIconic(Handle) != FALSE;
    for (int i = 0; i < count; ++i) {
        wchar_t text[80]{};
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STATE | MIIM_ID | MIIM_STRING | MIIM_FTYPE;
        info.dwTypeData = text;
        info.cch = 80;
        if (!GetMenuItemInfoW(FSystemMenu, static_cast<UINT>(i), TRUE, &info)) continue;
        auto* item = new TMenuItem(popup.get());
        item->SetCaption((info.fType & MFT_SEPARATOR) || !text[0] ? std::wstring(L"-") : std::wstring(text));
        item->SetTag(static_cast<std::int32_t>(info.wID));
        bool enabled = !(info.fState & (MFS_GRAYED | MFS_DISABLED));
        switch (info.wID & 0xFFF0) {
        case SC_SIZE:
        case SC_MOVE: enabled = enabled && !maximized; break;
        case SC_MINIMIZE:
            item->SetImageIndex(2);
            enabled = enabled && !minimized && (FBorderIcons & bibMinimizeBox);
            break;
        case SC_MAXIMIZE:
            item->SetImageIndex(1);
            enabled = enabled && !maximized && (FBorderIcons & bibMaximizeBox);
            break;
        case SC_CLOSE: item->SetImageIndex(3); break;
        case SC_RESTORE:
            item->SetImageIndex(0);
            enabled = enabled && (maximized || minimized);
            break;
        default: break;
        }
        item->SetEnabled(enabled);
        if (info.fState & MFS_CHECKED) item->SetChecked(true);
        const HWND window = Handle;
        const UINT command = info.wID;
        item->OnClick = [window, command](TObject*) { PostMessageW(window, WM_SYSCOMMAND, command, 0); };
        popup->Items()->Add(item);
    }
    if (FSkinData) HookMenuItems(*FSkinData, *popup->Items(), false, true);
    FSystemMenuPopup = std::move(popup);
}

// ---- the keyboard ----------------------------------------------------------------------------

bool TWinSkinForm::SysCommand(TMessage& m) {
    const UINT command = static_cast<UINT>(m.WParam) & 0xFFF0;
    if (!MenuTracking()) {
        if (command == SC_KEYMENU) {
            const auto ch = static_cast<wchar_t>(m.LParam);
            if (ch == L' ') {
                if (FBorderIcons & bibSystemMenu) {
                    POINT origin{0, 0};
                    ClientToScreen(Handle, &origin);
                    ShowSystemMenu(origin);
                }
                m.Result = 0;
                return true;
            }
            // A mnemonic, or a bare Alt or F10, opens the skinned bar's item.
            if (ch != L'-' && OpenMenuBarKey(ch)) {
                m.Result = 1;
                return true;
            }
            // Otherwise the system would open its own menus over the skin.
            CallDefaultWithout(m, WS_SYSMENU);
            return true;
        }
        switch (command) {
        case SC_MINIMIZE: FWindowState = TWindowShowState::Minimized; break;
        case SC_MAXIMIZE: FWindowState = TWindowShowState::Maximized; break;
        case SC_RESTORE:
            FWindowState = TWindowShowState::Normal;
            // A child restored: its frame's bar loses the child's buttons.
            if (FFormKind == TFormKind::MdiChild)
                if (TSkinManage* manager = ExistingSkinManager(); manager && manager->MdiMaximized())
                    manager->SetMdiMaximized(false);
            break;
        default: break;
        }
    }
    CallDefault(m);
    return true;
}

// ---- hover and hints -------------------------------------------------------------------------

void TWinSkinForm::HintTick() {
    if (MenuTracking() || !FHotObject || FPressed || !FSkinData) return;
    POINT cursor{};
    GetCursorPos(&cursor);
    const POINT p = ToFramePoint(cursor);
    // Run on every tick: a button or bar item left towards the client gets no non-client message.
    if (!PtInRect(&FHotObject->BoundsRect, p) || WindowFromPoint(cursor) != Handle) {
        TNCObject* hot = FHotObject;
        FHotObject = nullptr;
        hot->ButtonState = nbsNormal;
        hot->Paint();
        ResetCaptionHint();
        return;
    }
    if (!FSkinData->Options().Contains(xoCaptionButtonHint)) return;
    auto* button = dynamic_cast<TWinSysButton*>(FHotObject);
    if (!button) return;
    FSkinData->CaptionHintCounter += static_cast<int>(FHintTimer ? FHintTimer->Interval() : 250);
    const int delay = Application->HintPause(), shown = Application->HintHidePause();
    const int counter = FSkinData->CaptionHintCounter;
    const std::wstring text = CaptionHintText(button->Element->Action);
    if (counter >= 2 * delay && counter < 2 * delay + shown) {
        if (!text.empty() && !FSkinData->CaptionHintShowing()) {
            RECT window{};
            GetWindowRect(Handle, &window);
            const int x = button->BoundsRect.left + window.left, y = cursor.y + 24;
            FSkinData->ShowCaptionHint(RECT{x, y, x, y}, text);
        }
    } else if (counter >= 2 * delay + shown) {
        FSkinData->HideCaptionHint();
    }
}

} // namespace orvo
