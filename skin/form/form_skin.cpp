// TWinSkinForm: attaching, detaching and the message switch. What each case calls lives in the
// files named in the header; this file reads as the index of the messages the form skin takes.
#include "skin/form/form_skin.h"

#include "framework/base/prop_access.h"
#include "framework/base/properties.h"
#include "framework/base/timer.h"
#include "framework/forms/forms.h"
#include "framework/graphics/canvas.h"
#include "framework/menus/popup_menu.h"
#include "framework/window/display_scale.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_protocol.h"
#include "skin/data/skin_trace.h"
#include "skin/form/control_colours.h"
#include "skin/form/menu_bar.h"
#include "skin/form/menu_items.h"
#include "skin/manager/skin_manager.h"

#include <algorithm>

namespace orvo {

ORVO_IMPLEMENT_CLASS(TWinSkinForm);

namespace {

// The themed non-client area's caption and frame drawing (sent by some platform versions).
constexpr UINT WM_NCUAHDRAWCAPTION = 0xAE;
constexpr UINT WM_NCUAHDRAWFRAME = 0xAF;

bool IsSystemCommandId(UINT id) noexcept {
    switch (id & 0xFFF0) {
    case SC_SIZE:
    case SC_MOVE:
    case SC_MINIMIZE:
    case SC_MAXIMIZE:
    case SC_NEXTWINDOW:
    case SC_PREVWINDOW:
    case SC_CLOSE:
    case SC_RESTORE:
        return true;
    default:
        return false;
    }
}

std::wstring ClassNameOf(HWND window) {
    wchar_t name[101]{};
    GetClassNameW(window, name, 101);
    return name;
}

} // namespace

TWinSkinForm::TWinSkinForm(TComponent* owner) : TComponent(owner) {
    FDoubleClickTime = GetDoubleClickTime();
}

TWinSkinForm::~TWinSkinForm() {
    Destroying();
    // The framework frees a form's components before its window: detach while still attached, so
    // no message of the dying window reaches this object.
    ReleaseHooks();
    if (FAppIconCopy) DestroyIcon(FAppIconCopy);
    if (TSkinManage* manager = ExistingSkinManager()) manager->RemoveFormSkin(this);
}

void TWinSkinForm::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != opRemove) return;
    std::erase_if(FOwnerDrawnMenus, [component](TMenu* menu) { return static_cast<TComponent*>(menu) == component; });
    if (component == FMenuBar) FMenuBar = nullptr;
    if (component != FSkinData) return;
    // The skin component is going (its parts may be gone already): stop using it.
    FSkinData = nullptr;
    ReleaseHooks();
    FState = TFormSkinState::Destroyed;
}

// ---- attach ----------------------------------------------------------------------------------

void TWinSkinForm::AttachForm(TSkinData* skinData, TCustomForm* form) {
    if (FAttached || !skinData || !form) return;
    FForm = form;
    if (skinData->OnBeforeSkinForm) skinData->OnBeforeSkinForm(form, Handle, WindowClassName);
    if (skinData->SkinControls().Contains(xcMenuItem)) SetPropValue(form, L"AutoScroll", L"False");
    Attach(skinData);
    FSavedColor = form->Color();
    FColorSaved = true;
    form->SetColor(skinData->Colour(scButtonFace));
    if (skinData->SkinControls().Contains(xcMenuItem) && form->Menu())
        HookMenuItems(*skinData, *form->Menu()->Items(), false, false);
}

void TWinSkinForm::AttachWindow(TSkinData* skinData) {
    if (FAttached || !skinData) return;
    Attach(skinData);
}

void TWinSkinForm::Attach(TSkinData* skinData) {
    FAttached = true;
    FSkinData = skinData;
    FDpi = FForm ? FForm->CurrentDpi() : DpiForWindow(Handle);
    FSkinData->FreeNotification(this);
    if (TSkinManage* manager = ExistingSkinManager()) manager->SetState(TSkinManagerState::Running);
    FHintTimer = new TTimer(this);
    FHintTimer->SetEnabled(false);
    FHintTimer->SetInterval(250);
    FHintTimer->OnTimer = [this](TObject*) { HintTick(); };

    FSkinFrame = skinData->SkinControls().Contains(xcMainMenu);
    ReadStyles();
    WindowClassName = WindowClassName.empty() ? ClassNameOf(Handle) : WindowClassName;
    FIsDialog = WindowClassName == L"#32770" || WindowClassName == L"TMessageForm";
    FIsChild = (FStyle & WS_CHILD) != 0;
    FRightToLeft = (FExStyle & WS_EX_LEFTSCROLLBAR) != 0;
    FOwnerWindow = GetWindow(Handle, GW_OWNER);
    FBorderIcons = BorderIconsOf(FStyle, FExStyle, false);
    ReadWindowState();
    FindMdiClient();
    if (FExStyle & WS_EX_MDICHILD) {
        FFormKind = TFormKind::MdiChild;
        // The skin may leave the children their own borders.
        if (skinData->Options().Contains(xoMDIChildBorder)) FSkinFrame = false;
    }
    FFrameKind = FrameKindOf(FStyle, FExStyle, FIsDialog);
    // On Windows 2000 the system needs WS_SYSMENU on application windows to keep their task-bar
    // entries: never take it away there.
    const DWORD version = GetVersion();
    if (LOBYTE(LOWORD(version)) == 5 && HIBYTE(LOWORD(version)) == 0 &&
        ((FExStyle & WS_EX_APPWINDOW) || (!FOwnerWindow && FFormKind != TFormKind::MdiChild)))
        FBorderIcons |= bibKeepSysMenuStyle;
    FUnicode = IsWindowUnicode(Handle) != FALSE;

    // An MDI child is attached while it is being created: it has its size once it is made.
    if (FFormKind != TFormKind::MdiChild) {
        RECT client{};
        GetClientRect(Handle, &client);
        FSkinnedClient = SIZE{client.right, client.bottom};
        MeasureNativeFrame(); // with the window's own menu bar, before the skinned one replaces it
    }

    const auto method = [this](TMessage& m) { WndProc(m); };
    if (FForm)
        FFormHook.Attach(FForm, method);
    else
        FSubclass.Attach(Handle, method);
    if (FFormKind == TFormKind::MdiFrame)
        FClientSubclass.Attach(FMDIClient, [this](TMessage& m) { ClientWndProc(m); });

    if (FSkinFrame) {
        FMenuHandle = GetMenu(Handle);
        if (FMenuHandle && FFormKind != TFormKind::MdiChild) CreateMenuBar();
        BuildFrame();
        // A region from the start: a window manager decorates a window without one, and the
        // shaped region comes only with the first skinning.
        if (FFrameKind != TFrameKind::None && !FIsChild) {
            RECT window{};
            GetWindowRect(Handle, &window);
            if (HRGN whole = CreateRectRgn(0, 0, window.right - window.left, window.bottom - window.top)) {
                if (SetWindowRgn(Handle, whole, FALSE))
                    FHasRegion = true;
                else
                    DeleteObject(whole);
            }
        }
    } else {
        FState = TFormSkinState::Skinned;
    }
    ORVO_SKIN_TRACE(L"attach %p class %ls form %d frame %d kind %d", static_cast<void*>(Handle),
                    WindowClassName.c_str(), FForm != nullptr, FSkinFrame, static_cast<int>(FFrameKind));
}

void TWinSkinForm::ReadStyles() {
    FStyle = static_cast<DWORD>(GetLong(GWL_STYLE));
    FExStyle = static_cast<DWORD>(GetLong(GWL_EXSTYLE));
}

LONG_PTR TWinSkinForm::GetLong(int index) const {
    return FUnicode ? GetWindowLongPtrW(Handle, index) : GetWindowLongPtrA(Handle, index);
}

void TWinSkinForm::SetLong(int index, LONG_PTR value) const {
    if (FUnicode)
        SetWindowLongPtrW(Handle, index, value);
    else
        SetWindowLongPtrA(Handle, index, value);
}

TScaledSkin& TWinSkinForm::Skin() const {
    return FSkinData->AtDpi(FDpi);
}

int TWinSkinForm::Scale(int length) const noexcept {
    return ScaleLength(length, FDpi);
}

TFont& TWinSkinForm::CaptionFont() {
    // The skin's font is the system's, made at the system's DPI.
    if (!FSkinData) return FCaptionFont;
    if (FDpi == SystemDpi()) return FSkinData->CaptionFont();
    if (FCaptionFontDpi != FDpi) {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        if (!NonClientMetricsForDpi(metrics, FDpi)) return FSkinData->CaptionFont();
        TFontHandle font(CreateFontIndirectW(&metrics.lfCaptionFont));
        if (!font) return FSkinData->CaptionFont();
        FCaptionFont.SetHandle(font.Get());
        FCaptionFontDpi = FDpi;
    }
    return FCaptionFont;
}

int TWinSkinForm::MenuHeightAt(int dpi) const {
    return FMenuBar ? SystemMetricForDpi(SM_CYMENU, dpi) : 0;
}

TFrameBorders TWinSkinForm::BordersAtDpi(int dpi) {
    TScaledSkin& skin = FSkinData->AtDpi(dpi);
    TFrameBorders borders =
        BordersFromSkin(skin.Left(), skin.Top(), skin.Right(), skin.Bottom(), FFrameKind, MenuHeightAt(dpi));
    if (FFormKind == TFormKind::MdiChild && FFrameKind != TFrameKind::None) {
        // A child's caption is at least as high as the platform's (caption and frame): a strip
        // under a lower caption bar makes up the difference.
        const int native = SystemMetricForDpi(SM_CYCAPTION, dpi) + SystemMetricForDpi(SM_CXFRAME, dpi);
        borders.Menu = borders.Top < native ? native - borders.Top : 0;
    }
    return borders;
}

RECT TWinSkinForm::FrameAtDpi(int dpi) {
    const TFrameBorders b = BordersAtDpi(dpi);
    return RECT{-b.Left, -(b.Top + b.Menu), b.Right, b.Bottom};
}

void TWinSkinForm::BuildFrame() {
    if (!FSkinData || FSkinData->NoSkin()) return;
    FBorders = BordersAtDpi(FDpi);
    for (auto& shape : FShapes) shape = TPieceShape{};
    ReleaseSysButtons();
    for (const auto& definition : Skin().SysButtons())
        FSysButtons.push_back(std::make_unique<TWinSysButton>(this, definition.get()));
    AddStandInButtons();
    RenderIcon();
    FPiecesSkin = nullptr; // rebuild every border piece
}

void TWinSkinForm::ReleaseSysButtons() {
    FHotObject = nullptr;
    FPressed = nullptr;
    FSysButtons.clear();
}

void TWinSkinForm::MeasureNativeFrame() {
    if (FNativeMeasured) return;
    RECT window{}, client{};
    GetWindowRect(Handle, &window);
    GetClientRect(Handle, &client);
    FNativeFrame = SIZE{(window.right - window.left) - client.right, (window.bottom - window.top) - client.bottom};
    FNativeMeasured = true;
}

// SKM_FINISHSKINNING: the controls get their skins, the window the skinned frame's size.
void TWinSkinForm::FirstSkinning() {
    if (FState == TFormSkinState::Destroyed || !FSkinData) return;
    if (FBorderIcons & bibSystemMenu || (FStyle & WS_SYSMENU)) FSystemMenu = GetSystemMenu(Handle, FALSE);
    RenderIcon();
    if (FFormKind == TFormKind::MdiChild && !FNativeMeasured) {
        RECT client{};
        GetClientRect(Handle, &client);
        FSkinnedClient = SIZE{client.right, client.bottom};
    }
    MeasureNativeFrame();
    AttachControlSkins();
    ApplyWindowColours();
    HookMenus();
    if (FState == TFormSkinState::Attached && FFormKind == TFormKind::MdiChild) {
        ReadWindowState();
        TSkinManage* manager = ExistingSkinManager();
        if (FWindowState == TWindowShowState::Maximized) {
            // Its frame is outside the client; the frame's bar shows its buttons.
            if (manager) {
                manager->SetMdiMaximized(true);
                PostMessageW(manager->MdiClient(), SKM_REDRAWMDICLIENT, reinterpret_cast<WPARAM>(Handle), 0);
            }
        } else if (FWindowState == TWindowShowState::Normal && FFrameKind != TFrameKind::None) {
            FState = TFormSkinState::Resizing;
            ResizeToSkinnedFrame(false);
            FState = TFormSkinState::Skinned;
            UpdateRegion();
        }
    } else if (FState == TFormSkinState::Attached) {
        if (!FIsChild && FFrameKind != TFrameKind::None && FWindowState != TWindowShowState::Minimized) {
            FState = TFormSkinState::Resizing;
            ResizeToSkinnedFrame(false);
            FState = TFormSkinState::Skinned;
            if (FWindowState == TWindowShowState::Maximized)
                SetWindowPos(Handle, nullptr, 0, 0, 0, 0,
                             SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
            else
                UpdateRegion();
        }
    }
    FState = TFormSkinState::Skinned;
    SendMessageW(Handle, SKM_SKINNINGDONE, 0, SkmPaintMagic);
    if (FSkinData && FSkinData->OnAfterSkinForm) FSkinData->OnAfterSkinForm(FForm, Handle, WindowClassName);
    if (FHintTimer) FHintTimer->SetEnabled(true);
    PaintFrame();
}

void TWinSkinForm::ResizeToSkinnedFrame(bool keepClient) {
    if (FWindowState == TWindowShowState::Maximized) {
        SetWindowPos(Handle, nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        return;
    }
    SIZE client = FSkinnedClient;
    if (keepClient || FState == TFormSkinState::SkinChanging) {
        RECT r{};
        GetClientRect(Handle, &r);
        client = SIZE{r.right, r.bottom};
    }
    int width = client.cx + FBorders.Left + FBorders.Right;
    const int height = client.cy + FBorders.Top + FBorders.Bottom + FBorders.Menu;
    if (FIsDialog && !keepClient) {
        int needed = 0;
        MeasureDialogCaption(needed);
        if (needed > width) {
            // A dialog whose caption does not fit grows; its controls move to stay centred.
            const int shift = (needed - width) / 2;
            for (HWND child = GetWindow(Handle, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
                RECT r{};
                GetWindowRect(child, &r);
                MapWindowPoints(nullptr, Handle, reinterpret_cast<POINT*>(&r), 2);
                SetWindowPos(child, nullptr, r.left + shift, r.top, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSENDCHANGING | SWP_NOOWNERZORDER);
            }
            width = needed;
            FSkinnedClient.cx = width - FBorders.Left - FBorders.Right;
        }
    }
    SetWindowPos(Handle, nullptr, 0, 0, width, height,
                 SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE);
}

void TWinSkinForm::RestoreNativeFrame() {
    RECT window{};
    if (!GetWindowRect(Handle, &window)) return;
    const int width = (window.right - window.left) + FNativeFrame.cx - FBorders.Left - FBorders.Right;
    const int height =
        (window.bottom - window.top) + FNativeFrame.cy - FBorders.Top - FBorders.Bottom - FBorders.Menu;
    SetWindowPos(Handle, nullptr, 0, 0, width, height,
                 SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE);
}

// ---- detach ----------------------------------------------------------------------------------

void TWinSkinForm::Unhook() {
    FFormHook.Detach();
    FSubclass.Detach();
    FClientSubclass.Detach();
    if (FFormKind == TFormKind::MdiFrame)
        if (TSkinManage* manager = ExistingSkinManager()) manager->ForgetMdiFrame(FMDIClient);
}

void TWinSkinForm::ReleaseHooks() {
    FSystemMenuPopup.reset();
    if (FHintTimer) FHintTimer->SetEnabled(false);
    Unhook();
    if (FControlColours) FControlColours->Forget();
    ReleaseSkinControls();
    UnhookMenus();
    if (FMenuBar) {
        TWinSkinMenu* bar = std::exchange(FMenuBar, nullptr);
        delete bar;
    }
}

void TWinSkinForm::Unskin() {
    if (!FAttached) return;
    const bool destroying = FState == TFormSkinState::Detaching || FState == TFormSkinState::Destroyed;
    const bool hadFrame = Hooked() && FSkinFrame && FState != TFormSkinState::Attached;
    // The window's own menu comes back before the frame is measured again.
    if (FMenuBar && !destroying) FMenuBar->GiveMenuBack();
    if (FControlColours && !destroying) FControlColours->Restore();
    ReleaseHooks();
    if (FSkinData) FSkinData->HideCaptionHint();
    if (FForm && FColorSaved && !destroying) FForm->SetColor(FSavedColor);
    FColorSaved = false;
    if (!destroying && IsWindow(Handle)) {
        if (hadFrame && (!FIsChild || FFormKind == TFormKind::MdiChild) && FNativeMeasured &&
            FWindowState != TWindowShowState::Maximized)
            RestoreNativeFrame();
        else if (hadFrame)
            SetWindowPos(Handle, nullptr, 0, 0, 0, 0,
                         SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        if (FHasRegion) SetWindowRgn(Handle, nullptr, TRUE);
    }
    FHasRegion = false;
    FRegion.Reset();
    FRegionWidth = FRegionHeight = -1;
    FAttached = false;
}

// ---- the message switch ----------------------------------------------------------------------

void TWinSkinForm::CallDefault(TMessage& m) {
    if (FForm)
        FFormHook.CallDefault(m);
    else
        FSubclass.CallDefault(m);
}

void TWinSkinForm::CallDefaultWithout(TMessage& m, DWORD styleBits) {
    const auto style = static_cast<DWORD>(GetLong(GWL_STYLE));
    if (!(style & styleBits)) {
        CallDefault(m);
        return;
    }
    SetLong(GWL_STYLE, static_cast<LONG_PTR>(style & ~styleBits));
    CallDefault(m);
    // Put back only what was taken: the default handling may have changed other bits.
    const auto after = static_cast<DWORD>(GetLong(GWL_STYLE));
    SetLong(GWL_STYLE, static_cast<LONG_PTR>(after | (style & styleBits)));
}

void TWinSkinForm::WndProc(TMessage& m) {
    try {
        switch (m.Msg) {
        case WM_NCPAINT:
            if (FState == TFormSkinState::Attached) {
                m.Result = 0; // nothing yet: the native frame must never show
                return;
            }
            break;
        case WM_ERASEBKGND:
            CallDefault(m);
            if (!FForm && FSkinData && !FSkinData->NoSkin()) {
                RECT r{};
                GetClientRect(Handle, &r);
                FillRect(reinterpret_cast<HDC>(m.WParam), &r, FSkinData->ButtonFaceBrush());
                m.Result = 1;
            }
            return;
        case WM_NCDESTROY:
            FState = TFormSkinState::Detaching;
            ReleaseHooks();
            CallDefault(m);
            FState = TFormSkinState::Destroyed;
            return;
        case WM_NCACTIVATE:
            // An MDI child made while another is active is deactivated before its first
            // skinning: its state is kept all the same.
            if (FState == TFormSkinState::Attached) {
                FActive = m.WParam != 0;
                m.LParam = -1; // the system keeps its active flag but paints nothing
                CallDefault(m);
                m.Result = 1; // never veto the change
                return;
            }
            break;
        case WM_NCUAHDRAWCAPTION:
        case WM_NCUAHDRAWFRAME:
            m.Result = 0;
            return;
        case WM_INITMENUPOPUP:
            if (TSkinManage* manager = ExistingSkinManager())
                manager->SetMenuSource(reinterpret_cast<HMENU>(m.WParam) == FSystemMenu ? TMenuSource::SystemMenu
                                                                                         : TMenuSource::MenuBar);
            CallDefault(m);
            return;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
            CallDefault(m);
            AnswerColourMessage(m);
            return;
        case WM_NOTIFY:
        case WM_DRAWITEM:
            if (ItemMessage(m)) return;
            break;
        case SKM_CHILDCREATED:
            ChildMade(reinterpret_cast<HWND>(m.WParam));
            return;
        case SKM_FINISHSKINNING:
            FirstSkinning();
            return;
        case SKM_RECREATECONTROLSKIN:
            ReskinControl(reinterpret_cast<HWND>(m.WParam));
            return;
        case SKM_ISSKINNED:
            m.Result = 1;
            PostMessageW(Handle, SKM_SKINNINGDONE, 0, SkmPaintMagic);
            return;
        case WM_SETTEXT:
        case WM_SETICON:
            SetTextOrIcon(m);
            return;
        case SKM_SKINCHANGED:
            if (FForm) {
                SkinChanged();
                return;
            }
            break;
        case SKM_PAINTINTO:
            if (m.LParam == SkmPaintMagic) {
                if (m.WParam) PaintFrame(reinterpret_cast<HDC>(m.WParam));
                m.Result = SkmPaintMagic;
                return;
            }
            break;
        case SKM_PAINTQUERY:
            m.Result = m.LParam == SkmPaintMagic ? SkmPaintMagic : 1;
            return;
        case CM_DIALOGCHAR:
            if (FForm && FSkinFrame) {
                DialogChar(m);
                return;
            }
            break;
        default:
            break;
        }
        if (FSkinFrame && FSkinData && Stage2(m)) return;
        CallDefault(m);
    } catch (...) {
        // A drawing or handling fault must never break the window's message handling.
        ORVO_SKIN_TRACE(L"message %04x of %p failed", m.Msg, static_cast<void*>(Handle));
    }
}

bool TWinSkinForm::Stage2(TMessage& m) {
    if (FIsChild && FFormKind != TFormKind::MdiChild) return false;
    if (FPressed && CapturedMouse(m)) return true;
    switch (m.Msg) {
    case WM_CONTEXTMENU:
        // The system would open its own system menu for a click on what it takes for the caption.
        if (m.LParam != -1 && FState != TFormSkinState::Attached) {
            TMessage hit{WM_NCHITTEST, 0, m.LParam, 0};
            NcHitTest(hit);
            if (hit.Result == HTCAPTION) {
                ShowSystemMenu(PointFromLParam(m.LParam));
                return true;
            }
        }
        return false;
    case WM_SIZE: {
        CallDefault(m);
        FWindowState = m.WParam == SIZE_MINIMIZED   ? TWindowShowState::Minimized
                       : m.WParam == SIZE_MAXIMIZED ? TWindowShowState::Maximized
                                                    : TWindowShowState::Normal;
        if (FFormKind == TFormKind::MdiChild) {
            MdiChildSized();
            return true;
        }
        if (FWindowState != TWindowShowState::Minimized &&
            (FState == TFormSkinState::Skinned || FState == TFormSkinState::SkinChanging))
            UpdateRegion(false); // the resize repaints the window anyway
        return true;
    }
    case WM_ACTIVATE:
        FActive = LOWORD(m.WParam) != WA_INACTIVE;
        CallDefault(m);
        return true;
    case WM_GETMINMAXINFO:
        GetMinMaxInfo(m);
        return true;
    case WM_WINDOWPOSCHANGED:
        ReadWindowState();
        CallDefault(m);
        return true;
    case WM_COMMAND:
        // A system command picked in the skinned system menu arrives as a command.
        if (HIWORD(m.WParam) == 0 && m.LParam == 0 && LOWORD(m.WParam) < 0xFF00 &&
            IsSystemCommandId(LOWORD(m.WParam))) {
            PostMessageW(Handle, WM_SYSCOMMAND, LOWORD(m.WParam), 0);
            return true;
        }
        return false;
    case WM_SYSCOMMAND:
        return SysCommand(m);
    case SKM_OPENMENUITEM:
        OpenMenuItemAt(PointFromLParam(m.LParam), m.WParam != 0);
        return true;
    case CM_MENUCHANGED:
        if (!FForm) return false;
        MenuChanged(m);
        return true;
    case WM_MENUSELECT:
        if (FMenuBar) FMenuBar->MenuSelect(m.WParam, m.LParam);
        return false;
    case WM_DPICHANGED:
        if (!FForm) {
            BareDpiChanged(m);
            return true;
        }
        // The frame at the new DPI first: the form sizes itself against it.
        TakeDpi(LOWORD(m.WParam));
        CallDefault(m);
        DpiTaken();
        return true;
    case WM_GETDPISCALEDSIZE:
        if (FForm) return false; // the form answers, asking CM_FRAMEFORDPI
        BareScaledSize(m);
        return true;
    case CM_DPICHANGED:
        // A form laid out at another DPI without WM_DPICHANGED (made there, an MDI child moved
        // with its frame): the frame follows, around the client the form has now.
        if (!FForm) return false;
        CallDefault(m);
        if (static_cast<int>(m.LParam) != FDpi) {
            TakeDpi(static_cast<int>(m.LParam));
            if (FState == TFormSkinState::Skinned && FFrameKind != TFrameKind::None &&
                FWindowState != TWindowShowState::Minimized && !IsMaximizedMdiChild())
                ResizeToSkinnedFrame(true);
            DpiTaken();
        }
        return true;
    case CM_FRAMEFORDPI:
        if (!FForm || FFrameKind == TFrameKind::None || FState == TFormSkinState::Attached || IsMaximizedMdiChild() ||
            !m.LParam)
            return false;
        *reinterpret_cast<RECT*>(m.LParam) = FrameAtDpi(static_cast<int>(m.WParam));
        m.Result = 1;
        return true;
    default:
        break;
    }
    // A maximised MDI child keeps the platform's frame: its buttons are in its frame's menu bar.
    if (IsMaximizedMdiChild() || FState == TFormSkinState::Attached) return false;
    switch (m.Msg) {
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
        return MenuItemMessage(m);
    case WM_NCCALCSIZE:
        NcCalcSize(m);
        return true;
    case WM_NCHITTEST:
        NcHitTest(m);
        return true;
    case WM_NCPAINT:
        NcPaint(m);
        return true;
    case WM_NCACTIVATE:
        NcActivate(m);
        return true;
    case WM_NCMOUSEMOVE:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
        return NcMouseMessage(m);
    case SKM_REPAINTFRAME:
        if (FFormKind == TFormKind::MdiFrame)
            SyncMdiState();
        else
            PaintFrame();
        return true;
    default:
        return false;
    }
}

bool TWinSkinForm::IsMaximizedMdiChild() const noexcept {
    // The window's own state: the platform changes it before it asks for the new frame.
    return FFormKind == TFormKind::MdiChild && IsZoomed(Handle);
}

TScrollBarSpace TWinSkinForm::ScrollBars() const {
    const auto style = static_cast<DWORD>(GetLong(GWL_STYLE));
    TScrollBarSpace bars;
    if (style & WS_VSCROLL) bars.Vertical = SystemMetricForDpi(SM_CXVSCROLL, FDpi);
    if (style & WS_HSCROLL) bars.Horizontal = SystemMetricForDpi(SM_CYHSCROLL, FDpi);
    bars.LeftScrollBar = (GetLong(GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
    return bars;
}

void TWinSkinForm::NcCalcSize(TMessage& m) {
    if (FFrameKind == TFrameKind::None) {
        CallDefault(m);
        return;
    }
    if (!m.WParam) {
        auto* r = reinterpret_cast<RECT*>(m.LParam);
        *r = ClientInside(*r, FBorders, ScrollBars());
        m.Result = 0;
        return;
    }
    auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(m.LParam);
    // The proposed window rectangle, shrunk by the skinned frame (the WINDOWPOS in the block is
    // empty under SWP_NOSIZE and SWP_NOMOVE).
    const RECT proposed = params->rgrc[0];
    CallDefault(m);
    params->rgrc[0] = ClientInside(proposed, FBorders, ScrollBars());
    params->rgrc[1] = params->rgrc[0];
    m.Result = WVR_VALIDRECTS;
}

void TWinSkinForm::NcHitTest(TMessage& m) {
    RECT window{};
    GetWindowRect(Handle, &window);
    RECT client{};
    GetClientRect(Handle, &client);
    MapWindowPoints(Handle, nullptr, reinterpret_cast<POINT*>(&client), 2);
    OffsetRect(&client, -window.left, -window.top);
    const POINT screen = PointFromLParam(m.LParam);
    THitTestInput in;
    in.Point = POINT{screen.x - window.left, screen.y - window.top};
    in.Window = SIZE{window.right - window.left, window.bottom - window.top};
    in.Client = client;
    in.Borders = FBorders;
    in.Kind = FFrameKind;
    in.Show = IsIconic(Handle) ? TWindowShowState::Minimized : FWindowState;
    in.CornerSize = SystemMetricForDpi(SM_CXSIZE, FDpi);
    in.TopSizingRows = Scale(in.TopSizingRows);
    const int hit = FrameHitTest(in);
    if (hit == HitTestAskDefault) {
        CallDefault(m);
        return;
    }
    m.Result = hit;
}

void TWinSkinForm::NcActivate(TMessage& m) {
    FActive = m.WParam != 0;
    if (FHintTimer) FHintTimer->SetEnabled(FActive);
    // A frame's default handling passes the message on to its client, which tells the active
    // child: the child's caption follows the frame's activation.
    m.LParam = -1; // the system keeps its active flag but paints nothing
    CallDefault(m);
    if (!IsMaximizedMdiChild()) PaintFrame();
    m.Result = 1;
}

void TWinSkinForm::NcPaint(TMessage& m) {
    if (FFrameKind == TFrameKind::None || IsMaximizedMdiChild()) {
        CallDefault(m);
        return;
    }
    PaintFrame();
    m.Result = 0;
}

void TWinSkinForm::SetTextOrIcon(TMessage& m) {
    // The default handling paints the native caption when it sees WS_CAPTION.
    if (FSkinFrame && FFrameKind != TFrameKind::None)
        CallDefaultWithout(m, WS_CAPTION);
    else
        CallDefault(m);
    if (m.Msg == WM_SETICON) {
        RenderIcon();
        if (FAppIconCopy) {
            DestroyIcon(FAppIconCopy);
            FAppIconCopy = nullptr;
            FAppIconSource = nullptr;
        }
    }
    if (FSkinFrame && FState != TFormSkinState::Attached && IsWindowVisible(Handle)) {
        if (m.Msg == WM_SETTEXT && IsMaximizedMdiChild()) {
            if (TSkinManage* manager = ExistingSkinManager())
                PostMessageW(manager->MdiClient(), SKM_REDRAWMDICLIENT, reinterpret_cast<WPARAM>(Handle), 0);
        } else {
            PaintFrame();
        }
    }
}

void TWinSkinForm::ReadWindowState() {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (GetWindowPlacement(Handle, &placement)) FWindowState = ShowStateOf(placement.showCmd);
    if (IsIconic(Handle))
        FWindowState = TWindowShowState::Minimized;
    else if (IsZoomed(Handle))
        FWindowState = TWindowShowState::Maximized;
}

void TWinSkinForm::GetMinMaxInfo(TMessage& m) {
    CallDefault(m);
    ReadWindowState();
    if (FFrameKind == TFrameKind::None || FFormKind == TFormKind::MdiChild) return;
    auto* info = reinterpret_cast<MINMAXINFO*>(m.LParam);
    // Maximised, the caption stays whole on the screen and the other borders go just past it, as a
    // native frame's do.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoW(MonitorFromWindow(Handle, MONITOR_DEFAULTTONEAREST), &monitor)) return;
    const RECT& work = monitor.rcWork;
    info->ptMaxPosition = POINT{work.left - monitor.rcMonitor.left - FBorders.Left, work.top - monitor.rcMonitor.top};
    info->ptMaxSize = POINT{(work.right - work.left) + FBorders.Left + FBorders.Right,
                            (work.bottom - work.top) + FBorders.Bottom};
    info->ptMinTrackSize.y = std::max<LONG>(info->ptMinTrackSize.y, FBorders.Top + FBorders.Bottom + FBorders.Menu);
}

// ---- display scale ---------------------------------------------------------------------------

void TWinSkinForm::TakeDpi(int dpi) {
    if (dpi <= 0 || dpi == FDpi) return;
    FDpi = dpi;
    if (FAppIconCopy) {
        DestroyIcon(FAppIconCopy);
        FAppIconCopy = nullptr;
        FAppIconSource = nullptr;
    }
    if (!FSkinData || FSkinData->NoSkin() || !FSkinFrame) return;
    // Buttons, borders, icon and pieces made again from the skin at the new DPI; the hot or
    // pressed button goes with the old ones.
    if (FPressed && GetCapture() == Handle) ReleaseCapture();
    BuildFrame();
    FRegionWidth = FRegionHeight = -1;
    if (FNativeMeasured) {
        const RECT native = NativeFrameForDpi(FStyle, FExStyle, FMenuBar != nullptr, dpi);
        FNativeFrame = SIZE{native.right - native.left, native.bottom - native.top};
    }
}

void TWinSkinForm::DpiTaken() {
    if (FState == TFormSkinState::Attached) {
        // Not skinned yet: the first skinning sizes the client the window has now.
        if (FFormKind != TFormKind::MdiChild) {
            RECT client{};
            GetClientRect(Handle, &client);
            FSkinnedClient = SIZE{client.right, client.bottom};
            FNativeMeasured = false;
            MeasureNativeFrame();
        }
        return;
    }
    if (FRegionWidth < 0 && FWindowState != TWindowShowState::Minimized) {
        // The size stayed (no WM_SIZE made the region): the frame's shape at the new DPI.
        UpdateRegion(false);
        if (IsWindowVisible(Handle))
            RedrawWindow(Handle, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
    }
}

void TWinSkinForm::BareDpiChanged(TMessage& m) {
    const bool visible = IsWindowVisible(Handle) != FALSE;
    if (visible) SendMessageW(Handle, WM_SETREDRAW, FALSE, 0);
    TakeDpi(LOWORD(m.WParam));
    CallDefault(m);
    if (m.LParam && !FIsChild && !IsZoomed(Handle) && !IsIconic(Handle)) {
        const RECT& r = *reinterpret_cast<const RECT*>(m.LParam);
        SetWindowPos(Handle, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    if (visible) SendMessageW(Handle, WM_SETREDRAW, TRUE, 0);
    DpiTaken();
    if (visible)
        RedrawWindow(Handle, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
    m.Result = 0;
}

void TWinSkinForm::BareScaledSize(TMessage& m) {
    auto* size = reinterpret_cast<SIZE*>(m.LParam);
    if (!size || FFrameKind == TFrameKind::None || FState == TFormSkinState::Attached || IsZoomed(Handle)) {
        CallDefault(m);
        return;
    }
    const int dpi = static_cast<int>(m.WParam);
    RECT client{};
    GetClientRect(Handle, &client);
    const RECT frame = FrameAtDpi(dpi);
    size->cx = ScaleLengthBetween(client.right, FDpi, dpi) + frame.right - frame.left;
    size->cy = ScaleLengthBetween(client.bottom, FDpi, dpi) + frame.bottom - frame.top;
    m.Result = TRUE;
}

POINT TWinSkinForm::ToFramePoint(POINT screen) const {
    RECT window{};
    GetWindowRect(Handle, &window);
    return POINT{screen.x - window.left, screen.y - window.top};
}

// ---- skin change -----------------------------------------------------------------------------

void TWinSkinForm::SkinChanged() {
    if (!FSkinData || FSkinData->NoSkin() || FState == TFormSkinState::Destroyed) return;
    if (FForm) FForm->SetColor(FSkinData->Colour(scButtonFace));
    FState = TFormSkinState::SkinChanging;
    FPiecesSkin = nullptr;
    if (FSkinFrame && (!FIsChild || FFormKind == TFormKind::MdiChild)) {
        if (FFormKind != TFormKind::MdiChild || FWindowState != TWindowShowState::Minimized)
            ResizeToSkinnedFrame(true);
        FRegionWidth = FRegionHeight = -1;
        UpdateRegion();
    }
    ControlSkinsChanged();
    ApplyWindowColours();
    SendMessageW(Handle, SKM_SKINNINGDONE, 0, SkmPaintMagic);
    if (FSkinData->OnAfterSkinForm) FSkinData->OnAfterSkinForm(FForm, Handle, WindowClassName);
    FState = TFormSkinState::Skinned;
    RedrawWindow(Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

} // namespace orvo
