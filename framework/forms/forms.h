// TCustomForm / TForm: top-level windows built from stored descriptions.
//
// Creating a form is two steps, because a stored form can only be read into a fully constructed
// object: CreateForm<T>(owner) constructs the form, reads the stored form compiled in under its
// class name (if there is one), runs Loaded on everything read, then fires OnCreate.
//
// The stored ClientWidth/ClientHeight is the size of the client area: the window gets whatever
// frame and menu bar its border style and menu add around it. A form keeps the focused control
// (ActiveControl) and gives it the focus back whenever it is activated; it moves the focus with
// Tab/Shift+Tab (tab order), the arrow keys (among the controls of one parent), answers Enter and
// Esc through its default and cancel buttons (CM_DIALOGKEY) and mnemonics through CM_DIALOGCHAR.
// Its main menu gets the menu messages (commands, pop-ups, owner drawing, shortcuts).
//
// FormStyle: fsMDIForm makes the form an MDI frame. Its window holds the platform's MDI client
// (class "MDIClient", ClientHandle) in the part of the client area that the frame's own controls
// along its edges (tool bars, status bars) leave free, and runs through DefFrameProc. fsMDIChild
// forms live inside the client of a frame (their Owner when that is a frame, else the main form,
// else the first frame on the screen), are made by WM_MDICREATE and run through DefMDIChildProc;
// they are shown when created and cannot be hidden. Everything else a form does (stored
// description, OnCreate, controls, focus, Close) holds for them; the default close action of an MDI
// child is caFree (the document window goes, as users expect of its close button), caHide
// minimises it. Closing a frame asks every child's OnCloseQuery first; freeing a frame frees its
// children. The active child's Menu is merged into the frame's (TMenu::Merge) and unmerged when no
// child is active any more. A maximised child's caption joins the frame's ("Frame - [Child]") and
// its system menu and buttons stand in the frame's menu bar, as the platform does them.
// WindowMenu names the frame's menu item under which the platform lists the children. The
// application translates Ctrl+F4 (close), Ctrl+F6 and Ctrl+Tab (next child) with
// TranslateMDISysAccel.
//
// ShowModal runs a message loop with every other window of the program disabled until
// ModalResult is set (a button's ModalResult, Close, Esc on a cancel button); the form is then
// hidden (the object stays) and the other windows are enabled again.
//
// Display scale (form_scaling.cpp): a form is designed at 96 DPI. When its window is made, it is
// laid out at the DPI of the monitor it is about to appear on (its owner's for a centred dialog,
// the primary monitor's for a screen-centred form, its frame's for an MDI child), and again at the
// DPI its window really has if that differs; on WM_DPICHANGED (the window moved to a monitor of
// another scale) it is laid out at the new DPI inside the rectangle the system suggests, without
// flicker. The client size it keeps is the one it was given (the stored ClientWidth/ClientHeight,
// SetClientSize, or what the user sized it to), scaled. WM_GETDPISCALEDSIZE is answered with that
// client size plus the frame at the new DPI, which the form asks of its window method
// (CM_FRAMEFORDPI), so that whoever draws the non-client area (the skin engine) can say how wide
// its own frame is there.
#pragma once

#include "framework/controls/win_control.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace orvo {

class TMainMenu;
class TMenuItem;

enum TBorderIcon : std::uint8_t { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;
const TEnumType& BorderIconType();

enum TPosition : std::uint8_t {
    poDesigned,        // Left and Top as stored
    poDefault,         // the system chooses position and size
    poDefaultPosOnly,  // the system chooses the position
    poDefaultSizeOnly, // the system chooses the size
    poScreenCenter,    // centred in the work area of the primary monitor, each time it is shown
    poDesktopCenter,   // the same
    poMainFormCenter,  // centred over the main form, each time it is shown
    poOwnerFormCenter, // centred over the owner form (else the main form), each time it is shown
};
const TEnumType& PositionType();

enum TWindowState : std::uint8_t { wsNormal, wsMinimized, wsMaximized };
const TEnumType& WindowStateType();

enum TCloseAction : std::uint8_t { caNone, caHide, caFree, caMinimize };

enum TFormStyle : std::uint8_t { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
const TEnumType& FormStyleType();

enum TTileMode : std::uint8_t { tbHorizontal, tbVertical };
const TEnumType& TileModeType();

// The command of the first MDI child in the window menu; the children follow. Above every menu
// item's command and below the system commands' use in the frame's menu bar.
constexpr UINT FirstMDIChildCommand = 0xFF00;

using TModalResult = std::int32_t;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = IDOK;
constexpr TModalResult mrCancel = IDCANCEL;
constexpr TModalResult mrAbort = IDABORT;
constexpr TModalResult mrRetry = IDRETRY;
constexpr TModalResult mrIgnore = IDIGNORE;
constexpr TModalResult mrYes = IDYES;
constexpr TModalResult mrNo = IDNO;
constexpr TModalResult mrAll = mrNo + 1;
constexpr TModalResult mrNoToAll = mrAll + 1;
constexpr TModalResult mrYesToAll = mrNoToAll + 1;
const TIntegerType& ModalResultType(); // mrNone, mrOk, ... or a number

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

class TCustomForm : public TCustomControl {
    ORVO_CLASS(TCustomForm, TCustomControl)
public:
    explicit TCustomForm(TComponent* owner);
    ~TCustomForm() override;

    // The second step of creation (CreateForm calls it): reads the form's stored description if
    // one is compiled in (read errors throw EReadError), then fires OnCreate (an exception from it
    // is reported, the form stays).
    virtual void AfterConstruction();

    TBorderStyle BorderStyle() const noexcept { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle style);
    // An empty set: no caption buttons and no system menu.
    TBorderIcons BorderIcons() const noexcept { return FBorderIcons; }
    void SetBorderIcons(TBorderIcons icons);
    TPosition Position() const noexcept { return FPosition; }
    void SetPosition(TPosition position) noexcept { FPosition = position; }
    TWindowState WindowState() const noexcept { return FWindowState; }
    void SetWindowState(TWindowState state);
    TMainMenu* Menu() const noexcept { return FMenu; }
    void SetMenu(TMainMenu* menu);
    // Scroll bars appear when the controls reach beyond the client area; scrolling moves them.
    // Checked when the form is shown or resized and when AutoScroll is switched on.
    bool AutoScroll() const noexcept { return FAutoScroll; }
    void SetAutoScroll(bool value);
    // How far the content is scrolled (0, 0 without scroll bars).
    POINT ScrollPos() const noexcept { return FScrollPos; }
    // Recomputes the scroll bars from the controls' extent.
    void UpdateScrollBars();
    // The form sees key events before its controls.
    bool KeyPreview() const noexcept { return FKeyPreview; }
    void SetKeyPreview(bool value) noexcept { FKeyPreview = value; }
    // The control that has (or gets, when the form is activated) the focus.
    TWinControl* ActiveControl() const noexcept { return FActiveControl; }
    void SetActiveControl(TWinControl* control);
    TModalResult ModalResult() const noexcept { return FModalResult; }
    void SetModalResult(TModalResult result) noexcept { FModalResult = result; }
    // fsStayOnTop can be switched at any time; the MDI kinds only before the window exists
    // (EInvalidOperation after).
    TFormStyle FormStyle() const noexcept { return FFormStyle; }
    void SetFormStyle(TFormStyle style);

    // ---- MDI frames (fsMDIForm); on other forms these answer null, 0 or do nothing ----
    // The MDI client window, while the frame has its window.
    HWND ClientHandle() const noexcept { return FClientHandle; }
    // The active child, null when none.
    TCustomForm* ActiveMDIChild() const;
    int MDIChildCount() const;
    // The children in the platform's order (the active one first); EListError out of range.
    TCustomForm* MDIChildren(int index) const;
    TTileMode TileMode() const noexcept { return FTileMode; }
    void SetTileMode(TTileMode mode) noexcept { FTileMode = mode; }
    void Cascade();
    void Tile();
    void ArrangeIcons();
    // Activates the next (previous) child.
    void Next();
    void Previous();
    // The item of the frame's main menu whose drop-down lists the children.
    TMenuItem* WindowMenu() const noexcept { return FWindowMenu; }
    void SetWindowMenu(TMenuItem* item);
    // Puts the MDI client into the client area left free by the frame's controls along its edges:
    // done when the frame is shown or resized; call it after moving such a control.
    void RealignMDIClient();

    // ---- MDI children (fsMDIChild) ----
    // The frame this child lives in, once its window exists.
    TCustomForm* MDIFrame() const noexcept { return FMDIFrame; }

    // The form is the active window (an MDI child: the active child of its frame).
    bool Active() const noexcept { return FActive; }
    bool Modal() const noexcept { return FModal; }

    void SetVisible(bool visible) override;
    void SetFocus() override;
    bool CanFocus() const override;
    // Close: OnCloseQuery, then OnClose with caHide (a modal form: ModalResult = mrCancel; the main
    // form ends the application).
    void Close();
    bool CloseQuery();
    int ShowModal();
    // Frees the form once the messages waiting for it have been handled.
    void Release();

    // Focus bookkeeping used by the controls.
    void FocusControl(TWinControl* control);
    bool SetFocusedControl(TWinControl* control);
    // `control` is being hidden, disabled or (removing) freed: the focus leaves it.
    void DefocusControl(TWinControl* control, bool removing);
    // A key message (CN_KEYDOWN) that is a shortcut of the form's menu runs it.
    bool IsShortCut(TMessage& message);

    RECT ClientRect() override;
    void SetClientSize(int width, int height) override;
    void SetBounds(int left, int top, int width, int height) override;
    // The frame around the client area at a DPI (left and top negative), as the window method
    // answers CM_FRAMEFORDPI: the system's frame for the form's styles and menu unless whoever
    // draws the non-client area says otherwise.
    RECT FrameForDpi(int dpi);
    // The client size the form was given, at `dpi`.
    SIZE DesignClientSizeAt(int dpi);

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnPaint;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;

    static void Publish(TPublisher<TCustomForm>& p);

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    // Scales the font, the controls inside (and an MDI frame's children), then the client size.
    void ChangeScale(int oldDpi, int newDpi) override;
    // A window made while the stored form was read takes its DPI now.
    void Loaded() override;
    HWND CreateWindowHandle(const TCreateParams& params, HMENU id) override;
    void DestroyWnd() override;
    void WndProc(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;
    std::wstring GetText() const override;
    void Paint() override;
    void Notification(TComponent* component, TOperation operation) override;
    // A form given a Parent is embedded: a child window of that control, without caption or frame.
    void ParentChanged() override;
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& action);

private:
    bool HandleMenuMessage(TMessage& message);
    bool HandleDialogKey(TMessage& message);
    void ShowForm();
    void HideForm();
    void ApplyPosition();
    // Whether Position centres the form when shown, and over which form (null: the screen).
    bool Centres(const TCustomForm*& over) const;
    void ApplyMenu();
    void ApplyClientSize();
    void SetWindowFocus();
    void Activated(bool active);
    void CloseModal();
    RECT EstimatedFrame() const;
    // MDI (mdi_forms.cpp)
    bool IsMDIChild() const noexcept { return FFormStyle == fsMDIChild; }
    bool IsMDIFrame() const noexcept { return FFormStyle == fsMDIForm; }
    TCustomForm* FindMDIFrame() const;
    void CreateMDIClient();
    void DestroyMDIChildWindows();
    void ShowMDIChildrenAgain();
    void AttachToMDIFrame();
    void DetachFromMDIFrame();
    void ApplyMDIMenus();
    void MDIChildActivated(bool active, HWND next);
    void MergeActiveChildMenu();
    bool HandleMDIMessage(TMessage& message);
    void ShowMDIChild();
    HMENU WindowMenuHandle();
    std::vector<TCustomForm*> MDIChildList() const;
    // Display scale (form_scaling.cpp)
    int DpiForNewWindow() const;
    void KnowClientSize(int dpiOfClient);
    void KeepGivenClientSize(int width, int height);
    void ApplyScaledClientSize(int dpi);
    bool HandleDpiMessage(TMessage& message);
    // Scrolling (form_scrolling.cpp)
    void ScrollContent(int dx, int dy);
    void HandleScroll(TMessage& message, int bar);
    void ScrollTo(int x, int y);

    TBorderStyle FBorderStyle = bsSizeable;
    TBorderIcons FBorderIcons{biSystemMenu, biMinimize, biMaximize};
    TPosition FPosition = poDesigned;
    TWindowState FWindowState = wsNormal;
    TMainMenu* FMenu = nullptr;
    bool FAutoScroll = false;
    POINT FScrollPos{0, 0};
    bool FUpdatingScrollBars = false;
    bool FKeyPreview = false;
    TWinControl* FActiveControl = nullptr;
    TWinControl* FFocusedControl = nullptr;
    TModalResult FModalResult = mrNone;
    bool FActive = false;
    bool FModal = false;
    bool FShowAfterCreate = false;
    // The client size asked for (stored ClientWidth/ClientHeight), applied to the real window.
    bool FClientSizeWanted = false;
    SIZE FClientSize{0, 0};
    bool FApplyingSize = false;
    // The client size as given (display scale), and the rectangle WM_DPICHANGED suggests while it
    // is handled.
    TScaledLength FDesignClientWidth, FDesignClientHeight;
    bool FDesignClientKnown = false;
    const RECT* FSuggestedRect = nullptr;
    TFormStyle FFormStyle = fsNormal;
    TTileMode FTileMode = tbHorizontal;
    // MDI frame
    HWND FClientHandle = nullptr;
    TMenuItem* FWindowMenu = nullptr;
    HMENU FNoWindowMenu = nullptr;     // handed to the client when WindowMenu is taken away
    std::wstring FFrameCaption;        // the frame's own caption, without a maximised child's
    std::vector<TCustomForm*> FMDIChildForms; // in creation order
    // MDI child
    TCustomForm* FMDIFrame = nullptr;
};

class TForm : public TCustomForm {
    ORVO_CLASS(TForm, TCustomForm)
public:
    explicit TForm(TComponent* owner);
};

// Constructs a form of class T, then reads its stored description and fires OnCreate. Throws
// what reading throws (the form is freed again).
template <class T> T* CreateForm(TComponent* owner) {
    std::unique_ptr<T> form(new T(owner));
    form->AfterConstruction();
    return form.release();
}

} // namespace orvo
