// TWinControl: a control with a window of its own, and TCustomControl, one that paints itself.
//
// The window is created on demand (Handle, HandleNeeded) from CreateParams; a class wrapping a
// native control names the native class (BaseClassName) and the framework registers a window
// class of its own name ("TButton") whose default handling is the native class's procedure. Every
// message of the window runs through the control's WindowProc; messages it does not handle go to
// DefaultHandler, which calls that default procedure. The window carries the window-to-control
// property (window_property.h). Destroying and re-creating the window (RecreateWnd, BorderStyle
// changes) keeps the state: text, bounds and each class's own settings.
//
// A windowed control holds its children in Controls (all of them, in insertion order, windowless
// ones painted in that order) and its windowed children in tab order. Notifications that a child
// control window sends its parent (WM_COMMAND, WM_NOTIFY, WM_DRAWITEM, WM_CTLCOLOR*, WM_HSCROLL, ...)
// are reflected to that child as CN_* through its Perform, and its answer is the parent's.
//
// Keys: the application offers each key message to the focused control first as CN_KEYDOWN,
// CN_CHAR, ... (a menu shortcut, a dialog key such as Tab or Enter the control does not want, a
// mnemonic); then WM_KEYDOWN/WM_CHAR reach OnKeyDown/OnKeyPress (after the form's, with
// KeyPreview) before the native control sees them.
#pragma once

#include "framework/graphics/brush.h"
#include "framework/graphics/canvas.h"
#include "framework/controls/control.h"

#include <memory>
#include <string>
#include <vector>

namespace orvo {

class TControlCanvas;
class TWndProcThunk;

struct TCreateParams {
    std::wstring Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    HWND WndParent = nullptr;
    UINT ClassStyle = CS_DBLCLKS;
    // The window class registered for the control: its class name unless a class says otherwise.
    std::wstring WinClassName;
    // The native class whose procedure does the default handling ("BUTTON", "EDIT"); empty for
    // DefWindowProc.
    std::wstring BaseClassName;
};

class TWinControl : public TControl {
    ORVO_CLASS(TWinControl, TControl)
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    // The window, created now if it does not exist (throws EOSError when that fails).
    HWND Handle();
    bool HandleAllocated() const noexcept { return FHandle != nullptr; }
    void HandleNeeded() { Handle(); }
    // Destroys the window and those of the controls inside; the state is kept for the next one.
    void DestroyHandle();
    // A new window with the same state (after a change of a creation-time style).
    void RecreateWnd();
    // The procedure that handles what the control leaves to the window's class.
    WNDPROC DefWndProc() const noexcept { return FDefWndProc; }

    // A window to put this control's window into while it has no Parent: the control then joins
    // no Controls list and no tab order (nothing that walks controls finds it), yet is a child
    // window there, placed in that window's client coordinates. Throws EInvalidOperation while
    // the control has a Parent; giving it a Parent clears this. When the window it names dies,
    // the control's window dies with it (the control stays, without a window).
    HWND ParentWindow() const noexcept { return FParentWindow; }
    void SetParentWindow(HWND window);

    int ControlCount() const noexcept { return static_cast<int>(FControls.size()); }
    // Throws EListError for an index out of range.
    TControl* Controls(int index) const;
    // Used by TControl::SetParent.
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    // True for this control and every control inside it.
    bool ContainsControl(const TControl* control) const noexcept;
    // The topmost visible child at a client point: windowless ones, and windowed ones too when
    // asked; disabled ones when asked.
    TControl* ControlAtPos(POINT p, bool allowDisabled, bool allowWindowed = false) const;

    // Position among the parent's windowed children in tab order; setting it moves the control
    // (clamped to the list). While the form is read, the values are kept and applied at the end.
    int TabOrder() const noexcept;
    void SetTabOrder(int order);
    bool TabStop() const noexcept { return FTabStop; }
    void SetTabStop(bool value);
    // The windowed controls inside, in tab order, each followed by those inside it.
    void GetTabOrderList(std::vector<TWinControl*>& list) const;
    // The next (or previous) control of the tab order list that can take the focus, wrapping;
    // checkTabStop: only tab stops; checkParent: only direct children.
    TWinControl* FindNextControl(TWinControl* current, bool goForward, bool checkTabStop,
                                 bool checkParent) const;
    void SelectNext(TWinControl* current, bool goForward, bool checkTabStop);
    void SelectFirst();

    // The parent paints the background under this control (instead of Color).
    bool ParentBackground() const noexcept { return FParentBackground; }
    void SetParentBackground(bool value);

    // Visible and enabled, and so are its parents.
    virtual bool CanFocus() const;
    bool Focused() const noexcept;
    // Throws EInvalidOperation "Cannot focus a disabled or invisible window".
    virtual void SetFocus();

    // Filled with Color; the background of the window and of reflected WM_CTLCOLOR* answers.
    TBrush* Brush() noexcept { return &FBrush; }
    // Paints the windowless children (from `first`, or all) into a DC of this window's client area.
    void PaintControls(HDC dc, TControl* first);
    // Delivers a message to every child's WindowProc until one answers non-zero.
    void Broadcast(TMessage& message);

    void SetBounds(int left, int top, int width, int height) override;
    RECT ClientRect() override;
    POINT ClientOrigin() override;
    void Invalidate() override;
    void Update() override;
    bool IsWindowed() const noexcept override { return true; }

    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

    // TabOrder, TabStop, OnEnter, OnExit and the key events.
    static void Publish(TPublisher<TWinControl>& p);

protected:
    virtual void CreateParams(TCreateParams& params);
    // Creates this control's window only; CreateHandle adds the children's.
    virtual void CreateWnd();
    // Makes the window CreateWnd described (its class registered, `id` the child id or null);
    // CreateWindowExW unless a class needs another route (an MDI child is made by its client).
    virtual HWND CreateWindowHandle(const TCreateParams& params, HMENU id);
    virtual void DestroyWnd();
    virtual void CreateHandle();
    void WndProc(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;
    std::wstring GetText() const override;
    void SetTextBuf(const std::wstring& text) override;
    void ParentChanged() override;
    void Loaded() override;
    // Scales the font (the controls that follow it take it), every control inside, then the
    // bounds: a child that keeps to an edge (a status bar) meets the new size at the new DPI.
    void ChangeScale(int oldDpi, int newDpi) override;
    void ScaleChildren(int newDpi);

    // Painting through WM_PAINT: the window's own painting, then the windowless children's.
    virtual void PaintWindow(HDC dc);
    void PaintHandler(TMessage& message);
    // True when WM_PAINT needs PaintHandler (the control paints itself or holds windowless
    // controls); otherwise the native class paints alone.
    virtual bool NeedsPaintHandler() const;
    // WM_ERASEBKGND: the native class's erasing by default.
    virtual void EraseBackground(TMessage& message);

    virtual void KeyDown(WORD& key, TShiftState shift);
    virtual void KeyUp(WORD& key, TShiftState shift);
    virtual void KeyPress(wchar_t& key);
    virtual void DoEnter();
    virtual void DoExit();

private:
    static LRESULT CALLBACK InitWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK ObjectWndProc(void* self, UINT message, WPARAM wParam, LPARAM lParam);
    void MainWndProc(TMessage& message);
    void Attach(HWND window);
    void HandleDestroyed() noexcept;
    void CreateChildHandles();
    void UpdateShowing();
    void UpdateZOrder(TWinControl* child);
    void FixupTabList();

    // Reflection and mouse forwarding (win_control.cpp)
    bool ReflectNotification(TMessage& message);
    TWinControl* FindChildByDlgId(UINT id) const;
    bool ForwardMouseMessage(TMessage& message);
    void TrackMouse(TMessage& message);
    bool SetCursorFromControl(TMessage& message);
    void ReflectedCtlColor(TMessage& message);

    // Keys (win_control_keys.cpp)
    bool HandleKeyMessage(TMessage& message);
    void CNKeyDown(TMessage& message);
    void CNChar(TMessage& message);
    void CNSysChar(TMessage& message);
    bool DoKeyDown(TMessage& message);
    bool DoKeyUp(TMessage& message);
    bool DoKeyPress(TMessage& message);
    bool IsMenuKey(TMessage& message);

    HWND FHandle = nullptr;
    HWND FParentWindow = nullptr;
    std::unique_ptr<TWndProcThunk> FThunk;
    WNDPROC FDefWndProc = nullptr;
    std::vector<TControl*> FControls;
    std::vector<TWinControl*> FTabList;
    int FTabOrder = -1; // asked for while loading
    bool FTabStop = false;
    bool FParentBackground = false;
    bool FTrackingMouse = false;
    TBrush FBrush;
};

// A windowed control that paints itself: a canvas on its window and a virtual Paint. Its
// background is filled with Color, or painted by the parent with ParentBackground.
class TCustomControl : public TWinControl {
    ORVO_CLASS(TCustomControl, TWinControl)
public:
    explicit TCustomControl(TComponent* owner);
    ~TCustomControl() override;

    TCanvas* Canvas();

protected:
    virtual void Paint();
    void PaintWindow(HDC dc) override;
    bool NeedsPaintHandler() const override { return true; }
    void EraseBackground(TMessage& message) override;
    void CreateParams(TCreateParams& params) override;

private:
    std::unique_ptr<TControlCanvas> FCanvas;
};

// Paints the part of the parent's background and content that lies under `control` into `dc`, a
// DC of the control's area (its origin at the control's top-left corner).
void PaintParentBackground(TControl& control, HDC dc);

} // namespace orvo
