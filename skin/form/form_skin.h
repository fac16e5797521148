// TWinSkinForm: the skin object of one top-level window (a framework form, a dialog box, a message
// box, a common dialog). It replaces the window's whole non-client area: it declares a frame of the
// skin's border widths (WM_NCCALCSIZE), answers hit tests from that frame, paints the borders, the
// caption bar with its text and buttons and the menu strip itself, shapes the window with a region
// cut from the border images, runs the caption buttons and the skinned system menu, and hands the
// window's controls to their skin objects.
//
// Two roads in: a framework form's window method is chained (TWindowMethodHook), a bare window's
// procedure is replaced (TWindowSubclass); either way every message passes WndProc first and what
// it does not consume goes on with CallDefault. The system must never paint a caption of its own
// over the skin: WM_NCPAINT and WM_NCACTIVATE are answered here, and the default handling of
// WM_SETTEXT and WM_SETICON, which paints the native caption when the style has WS_CAPTION, runs
// with WS_CAPTION taken off for the call.
//
// Life: created and attached by the skin manager (state Attached), finished by SKM_FINISHSKINNING
// (Resizing, then Skinned), re-skinned by SkinChanged (SkinChanging, then Skinned), detached by
// Unskin (the window gets its own frame back, client size kept) or, when the window dies, by
// WM_NCDESTROY (Detaching, then Destroyed). A framework form owns its skin object; the manager owns
// those of bare windows. Destroying the object always detaches it first.
//
// Files: form_skin.cpp (attach, detach, the message switch), frame_paint.cpp (border pieces, caption
// bar, caption text), frame_region.cpp (the window region), caption_buttons.cpp (buttons, system
// menu, hints, keyboard entry), control_attach.cpp (the controls' skin objects), form_colours.cpp
// (the skin's window colours on the controls, the colour messages, a dialog's later children),
// form_mdi.cpp (MDI frames, their client window and their children).
//
// MDI: a frame (a window with an "MDIClient" child) subclasses its client; a child (WS_EX_MDICHILD)
// is skinned while it is created and wears a skinned frame inside the client while it is normal or
// minimised. Maximised, it keeps the platform's frame (outside the client, unseen) and its
// minimise, restore and close buttons are drawn in the frame's menu bar, where they act on it.
#pragma once

#include "framework/base/component.h"
#include "framework/controls/window_method_hook.h"
#include "framework/graphics/bitmap.h"
#include "framework/graphics/font.h"
#include "framework/graphics/gdi_handle.h"
#include "framework/window/subclass.h"
#include "skin/form/caption_buttons.h"
#include "skin/form/frame_geometry.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace orvo {

class TCanvas;
class TControl;
class TControlColours;
class TCustomForm;
class TMenu;
class TPopupMenu;
class TSkinControl;
class TWinControl;
class TWinSkinMenu;
class TSkinData;
class TTimer;
class TDataSkinBorder;
class TScaledSkin;

enum class TFormSkinState : int {
    Attached = 0,     // waiting for SKM_FINISHSKINNING
    Skinned = 1,
    SkinChanging = 3, // a new skin is being applied
    Detaching = 4,    // the window is being destroyed
    Resizing = 5,     // resizing to the skinned frame
    Destroyed = 6,    // the window is gone; the manager frees the object
};

class TWinSkinForm : public TComponent {
    ORVO_CLASS(TWinSkinForm, TComponent)
public:
    explicit TWinSkinForm(TComponent* owner);
    ~TWinSkinForm() override;

    // The window and its class as the manager saw them; set before attaching.
    HWND Handle = nullptr;
    std::wstring WindowClassName;

    // A framework form (its window method is chained) or a bare window (subclassed). Once only.
    void AttachForm(TSkinData* skinData, TCustomForm* form);
    void AttachWindow(TSkinData* skinData);
    // The window's own frame back (client size kept), every hook undone. Safe to call twice.
    void Unskin();
    // Only the hooks undone (the window is going away).
    void ReleaseHooks();
    // Geometry and caption buttons from the skin in force.
    void BuildFrame();
    // Applies a new skin after BuildFrame: colours, controls, size.
    void SkinChanged();
    // Close, maximise and minimise in the platform's look where the skin draws none.
    void AddStandInButtons();
    bool IsStandIn(const TDataSkinSysButton& element) const noexcept;
    void ReleaseSysButtons();

    // Paints the whole non-client area into `dc`, or into the window's DC when null.
    void PaintFrame(HDC dc = nullptr);
    // `redraw`: have the system repaint the window (not while it is being resized: it will).
    void UpdateRegion(bool redraw = true);
    void ReleaseRegion();
    // A screen point in frame coordinates.
    POINT ToFramePoint(POINT screen) const;

    TFormSkinState State() const noexcept { return FState; }
    TSkinData* SkinData() const noexcept { return FSkinData; }
    // The DPI the frame is drawn at: the window's (a framework form's CurrentDpi, else the
    // system's answer for the window), then each DPI the window is moved to.
    int Dpi() const noexcept { return FDpi; }
    // The skin at that DPI (at 96 the skin's own definitions); ask again after a skin change.
    TScaledSkin& Skin() const;
    // A length of the frame's own designed at 96 DPI, at the frame's DPI.
    int Scale(int length) const noexcept;
    // The caption font at the frame's DPI.
    TFont& CaptionFont();
    // The skinned frame around a client area at `dpi`, as a rectangle around (0, 0, 0, 0), left
    // and top negative (what a form asks to size itself for a move to another monitor).
    RECT FrameAtDpi(int dpi);
    TCustomForm* Form() const noexcept { return FForm; }
    bool SkinFrame() const noexcept { return FSkinFrame; }
    const TFrameBorders& Borders() const noexcept { return FBorders; }
    int BorderLeft() const noexcept { return FBorders.Left; }
    int BorderTop() const noexcept { return FBorders.Top; }
    int BorderRight() const noexcept { return FBorders.Right; }
    int BorderBottom() const noexcept { return FBorders.Bottom; }
    int MenuHeight() const noexcept { return FBorders.Menu; }
    TFrameKind FrameKind() const noexcept { return FFrameKind; }
    TFormKind FormKind() const noexcept { return FFormKind; }
    TWindowShowState WindowState() const noexcept { return FWindowState; }
    bool Active() const noexcept { return FActive; }
    bool IsDialog() const noexcept { return FIsDialog; }
    bool RightToLeft() const noexcept { return FRightToLeft; }
    std::uint8_t BorderIcons() const noexcept { return FBorderIcons; }
    const RECT& TextRect() const noexcept { return FTextRect; }
    HMENU SystemMenu() const noexcept { return FSystemMenu; }
    bool MenuTracking() const noexcept;
    TWinSkinMenu* MenuBar() const noexcept { return FMenuBar; }

    // ---- MDI ----------------------------------------------------------------------------------
    // An MDI frame's client window (subclassed while the frame is skinned), else null.
    HWND MDIClient() const noexcept { return FMDIClient; }
    // An MDI frame: its active child and whether that one is maximised; null without one.
    HWND ActiveMdiChild(bool* maximized = nullptr) const;
    // An MDI frame whose active child is maximised and that has a menu bar: the bar carries the
    // child's minimise, restore and close buttons.
    bool MdiChildMaximizedInBar() const;
    // An MDI child: the frame's active child was maximised (true) or no longer is.
    void MdiMaximizedChanged(bool maximized);

    // Caption buttons (caption_buttons.cpp).
    const std::vector<std::unique_ptr<TWinSysButton>>& SysButtons() const noexcept { return FSysButtons; }
    TNCObject* HotObject() const noexcept { return FHotObject; }
    void SetHotObject(TNCObject* object) noexcept { FHotObject = object; }
    TWinSysButton* FindSysButton(POINT framePoint) const;
    // The state the buttons' visibility codes look at.
    TCaptionState CaptionState() const;
    void ShowSystemMenu(POINT screen);
    void Maximize();
    void Minimize();
    void Restore();
    void ExecuteAction(TWinSysButton& button, POINT screen);
    // The caption-button hint was reset (counter 0, hint hidden).
    void ResetCaptionHint();
    // The window DC: straight painting of one caption button in its state.
    void PaintSysButton(TWinSysButton& button);
    // Whether the skinned system menu popup exists (built at its first showing).
    TPopupMenu* SystemMenuPopup() const noexcept { return FSystemMenuPopup.get(); }

    // ---- control skins (control_attach.cpp) ---------------------------------------------------
    // Every skin object of this window's controls, in order of registration.
    const std::vector<TSkinControl*>& ControlSkins() const noexcept { return FControlSkins; }
    // Adds `skin` unless present; true when it was present already.
    bool RegisterSkin(TSkinControl* skin);
    void UnregisterSkin(TSkinControl* skin);
    // The control answers the already-skinned query, or a registered object skins it.
    bool IsSkinned(TControl* control) const;
    // A registered object has `window` as its window.
    bool IsSkinnedWindow(HWND window) const;
    // The class rules for one framework control (`container`: the component being walked).
    void SkinControl(TControl* control, TComponent* container);
    void SkinChildren(TWinControl* control);
    void SkinOwned(TComponent* component);
    // A framework form: its owned controls, then its windowed controls in tab order.
    void WalkForm(TCustomForm* form);
    // A bare window's child windows by class name and style.
    void SkinChildWindows(HWND window);
    void SkinChildWindow(HWND window);
    // The control whose window is now `window` had it re-created: a fresh skin object for it.
    void ReskinControl(HWND window);
    // Frees the objects whose windows are destroyed.
    void ReleaseDeadSkins();
    // The canvas handed to every control skin.
    TCanvas* ControlCanvas();
    // Tells every control skin that the skin changed.
    void ControlSkinsChanged();
    // Attaches a new skin object (owned by `control`) to it; a skin object that does not attach
    // is freed. True when it attached.
    bool AttachNew(TSkinControl* skin, TControl* control, bool manageColor);
    // The same for a bare window (the object owned by this form skin).
    void AttachNewWindow(TSkinControl* skin, HWND window);

    // ---- window colours (control_colours.h, window_colours.h) --------------------------------
    // The skin's window colours on the controls, again after a skin change.
    void ApplyWindowColours();
    // The colours set on controls now (null before the first skinning).
    TControlColours* ControlColours() const noexcept { return FControlColours; }
    // A child window was made inside this (skinned) window: it gets its skin and colours once it
    // is whole (SKM_CHILDCREATED is posted to the window).
    void ChildCreated(HWND child);

    // The message switch; public for the tests, which drive it like the system does.
    void WndProc(TMessage& message);
    void CallDefault(TMessage& message);

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    // form_skin.cpp
    void Attach(TSkinData* skinData);
    bool Hooked() const noexcept { return FFormHook.Attached() || FSubclass.Attached(); }
    void Unhook();
    void ReadStyles();
    LONG_PTR GetLong(int index) const;
    void SetLong(int index, LONG_PTR value) const;
    // Runs the default handling with these style bits taken off for the call.
    void CallDefaultWithout(TMessage& message, DWORD styleBits);
    void FirstSkinning();
    void ResizeToSkinnedFrame(bool keepClient);
    void RestoreNativeFrame();
    void MeasureNativeFrame();
    bool Stage2(TMessage& m);
    void NcCalcSize(TMessage& m);
    void NcHitTest(TMessage& m);
    void NcActivate(TMessage& m);
    void NcPaint(TMessage& m);
    void SetTextOrIcon(TMessage& m);
    void GetMinMaxInfo(TMessage& m);
    void ReadWindowState();
    TScrollBarSpace ScrollBars() const;
    bool IsMaximizedMdiChild() const noexcept;
    void FindMdiClient();
    // The MDI client's messages (the frame subclasses it).
    void ClientWndProc(TMessage& m);
    bool DressesMdiWorkspace() const;
    // An MDI frame: the manager learns whether the active child is maximised; the frame repaints.
    void SyncMdiState();
    // An MDI child's WM_SIZE after the default handling: its region and its frame's bar.
    void MdiChildSized();
    // The window is now at `dpi`: frame, buttons, pieces, region and fonts taken up at it.
    void TakeDpi(int dpi);
    // After the window was laid out at the DPI taken: region, frame and controls.
    void DpiTaken();
    // WM_DPICHANGED / WM_GETDPISCALEDSIZE of a bare window (a framework form sizes itself).
    void BareDpiChanged(TMessage& m);
    void BareScaledSize(TMessage& m);
    // The frame's borders from the skin at `dpi`, menu strip included.
    TFrameBorders BordersAtDpi(int dpi);
    int MenuHeightAt(int dpi) const;

    // frame_paint.cpp
    void PaintBorders(HDC dc, int w, int h);
    // The caption bar composed off screen; all of it, or only `only`, put on `dc`.
    void ComposeCaption(HDC dc, int w, int h, const RECT* only = nullptr);
    void DrawCaptionText(TCanvas& canvas, const RECT& c);
    std::wstring CaptionWindowText() const;
    TBitmap& BorderPiece(int piece, int width, int height);
    void PaintScrollBars(HDC dc);
    void RenderIcon();
    void MeasureDialogCaption(int& neededWidth);

    // caption_buttons.cpp
    bool NcMouseMessage(TMessage& m);
    bool CapturedMouse(TMessage& m);
    bool SysCommand(TMessage& m);
    void HintTick();
    void BuildSystemMenuPopup();
    void DrawButtons(TCanvas& canvas);
    void LayoutButtons(int windowWidth);
    HICON ApplicationIcon();

    // form_menus.cpp: the menu bar, owner-drawn items, the form's popup menus.
    void CreateMenuBar();
    void MenuChanged(TMessage& m);
    void DialogChar(TMessage& m);
    // Posts the opening of the bar item whose mnemonic is `key`; false when the bar has none.
    bool PostMnemonic(wchar_t key);
    bool MenuItemMessage(TMessage& m);
    void OpenMenuItemAt(POINT screen, bool keyboard);
    bool OpenMenuBarKey(wchar_t key);
    void HookMenus();
    void UnhookMenus();

    // control_attach.cpp: the controls' skin objects.
    void AttachControlSkins();
    void ReleaseSkinControls();
    bool Skin3rdMapping(TControl* control, const std::wstring& upperName);

    // The colour messages of windows no framework control stands behind.
    void AnswerColourMessage(TMessage& m);
    // Custom-drawn and owner-drawn items of other modules in the skin's colours; false when the
    // message is none of those (it goes on as any other).
    bool ItemMessage(TMessage& m);
    void ChildMade(HWND child);

    // control_attach.cpp
    std::vector<TSkinControl*> FControlSkins;
    std::unique_ptr<TCanvas> FControlCanvas;
    bool FReleasingControls = false;
    TControlColours* FControlColours = nullptr; // owned

    TWindowMethodHook FFormHook;
    TWindowSubclass FSubclass;
    TWindowSubclass FClientSubclass; // an MDI frame's client
    HWND FMDIClient = nullptr;
    TWindowShowState FMdiSizedState = TWindowShowState::Normal; // an MDI child's state at its last WM_SIZE
    TSkinData* FSkinData = nullptr;
    TCustomForm* FForm = nullptr;
    TFormSkinState FState = TFormSkinState::Attached;
    bool FAttached = false;
    bool FSkinFrame = false;
    bool FUnicode = true;
    bool FIsDialog = false;
    bool FIsChild = false;
    bool FRightToLeft = false;
    bool FActive = true;
    bool FMenuTracking = false;
    bool FColorSaved = false;
    TColor FSavedColor = 0;
    DWORD FStyle = 0;
    DWORD FExStyle = 0;
    HWND FOwnerWindow = nullptr;
    HMENU FMenuHandle = nullptr;
    HMENU FSystemMenu = nullptr;
    TFrameKind FFrameKind = TFrameKind::Sizeable;
    TFormKind FFormKind = TFormKind::Ordinary;
    TWindowShowState FWindowState = TWindowShowState::Normal;
    std::uint8_t FBorderIcons = 0;
    TFrameBorders FBorders;
    SIZE FNativeFrame{0, 0};
    SIZE FSkinnedClient{0, 0};
    bool FNativeMeasured = false;
    RECT FWindowRect{};
    RECT FTextRect{};
    int FRightButtonsWidth = 0;
    int FWidth = 0;
    int FHeight = 0;
    std::wstring FCaptionPrefix = L"  ";
    std::wstring FCaptionSuffix = L" ";
    TFont FCaptionFont;     // the caption font at FCaptionFontDpi (not the system's DPI)
    int FCaptionFontDpi = 0;
    int FDpi = 96;

    // Border pieces kept at the size they were last built (per piece and activation), so a repaint
    // is a few blits.
    struct TPieceCache {
        TBitmap Bitmap;
        int Width = -1;
        int Height = -1;
    };
    std::array<TPieceCache, 8> FPieces;
    const TSkinData* FPiecesSkin = nullptr; // null: every piece is built again
    int FPiecesDpi = 0;
    TBitmap FCaptionBitmap;
    TBitmap FIconBitmap;

    // The window region (frame_region.cpp). The ends of each piece's image frame, as regions, when
    // its middle is opaque (then a region at any size only moves them).
    struct TPieceShape {
        bool Built = false;
        bool Fast = false;
        TRegionHandle Start;
        TRegionHandle End;
        int StartLength = 0;
        int EndLength = 0;
        int Across = 0;
    };
    std::array<TPieceShape, 8> FShapes;
    TPieceShape& PieceShape(int piece, int frame);
    // The window region (frame_region.cpp).
    TRegionHandle FRegion; // built, not yet handed to the window
    bool FHasRegion = false;
    int FRegionWidth = -1;
    int FRegionHeight = -1;

    // Caption buttons; the definitions of the platform's stand-ins for those the skin lacks
    // (declared first: they outlive the buttons).
    std::vector<std::unique_ptr<TDataSkinSysButton>> FStandIns;
    std::vector<std::unique_ptr<TWinSysButton>> FSysButtons;
    TNCObject* FHotObject = nullptr;
    TWinSysButton* FPressed = nullptr;
    std::unique_ptr<TPopupMenu> FSystemMenuPopup;
    TTimer* FHintTimer = nullptr; // owned
    DWORD FLastMenuTime = 0;
    UINT FDoubleClickTime = 0;
    HICON FAppIconCopy = nullptr; // the application's icon at the small size (owned)
    HICON FAppIconSource = nullptr;

    // Menus (form_menus.cpp).
    TWinSkinMenu* FMenuBar = nullptr; // owned
    bool FFramePaintSuspended = false;
    std::vector<TMenu*> FOwnerDrawnMenus; // menus this object switched to owner drawing
};

} // namespace orvo
