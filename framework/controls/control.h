// TControl: the base of everything visible on a form. A control has a parent (the windowed
// control it sits in), bounds in its parent's client coordinates (a form's in screen coordinates),
// visibility, enablement, a caption, a colour and a font (both following the parent's until the
// control is given its own), a reading order, a hint and a cursor.
//
// Every message a control handles goes through its window method, `WindowProc`: by default the
// control's own virtual WndProc. Code that wants to see or change a control's messages (the skin
// engine) saves the current WindowProc, installs its own and calls the saved one for everything
// it does not consume; putting the saved one back restores the exact previous behaviour, at any
// depth of chaining. `Perform` delivers a message straight to WindowProc; windows of windowed
// controls deliver theirs the same way (TWinControl).
//
// A control is freed by its owner (TComponent) or with `delete`; freeing a windowed control also
// frees the controls it parents.
//
// Display scale: a control's lengths (bounds, font height, and each class's own: item heights,
// column widths, ...) are in pixels at its CurrentDpi. Each is also kept as it was given, with the
// DPI it was given at (a stored form gives them at 96, the design DPI; code and the user at the
// control's DPI of that moment), and ScaleForDpi lays the control out at another DPI by scaling
// from those pairs, so nothing is scaled twice and 96 -> 144 -> 96 gives every length back. A
// control starts at 96; a form takes its monitor's DPI when its window is made and follows it when
// the window moves to another monitor; a control put into a parent of another DPI takes the
// parent's. So code that builds a form before showing it gives 96-DPI lengths, code that changes a
// shown form gives pixels.
#pragma once

#include "framework/controls/bidi_mode.h"
#include "framework/base/component.h"
#include "framework/graphics/font.h"
#include "framework/window/messages.h"
#include "framework/menus/shortcuts.h"
#include "core/scale/scaled_length.h"

#include <cstdint>
#include <functional>
#include <string>
#include <windows.h>

namespace orvo {

class TWinControl;
class TCustomForm;
class TCollectionItem;

enum TMouseButton : std::uint8_t { mbLeft, mbRight, mbMiddle };

enum TAlignment : std::uint8_t { taLeftJustify, taRightJustify, taCenter };
const TEnumType& AlignmentType();

// Window borders: forms use all six, controls (edits, panels) bsNone and bsSingle.
enum TBorderStyle : std::uint8_t { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
const TEnumType& BorderStyleType();     // bsNone, bsSingle
const TEnumType& FormBorderStyleType(); // all six

// Mouse cursors: 0 is the control's class default, negative values the standard system cursors.
using TCursor = std::int32_t;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crNo = -12;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;
const TIntegerType& CursorType();
// The system cursor of a TCursor (null for crNone; the arrow for unknown values).
HCURSOR CursorHandle(TCursor cursor);

// What kind of control this is (set by the class, read by the framework).
enum TControlStyleItem : std::uint8_t {
    csAcceptsControls, // holds other controls (its window clips them)
    csCaptureMouse,    // captures the mouse while a button is held on it
    csClickEvents,     // a press and release inside it is a click (otherwise the native control says)
    csDoubleClicks,    // double clicks reach it as such
    csOpaque,          // paints its whole area: the parent need not erase under it
};
using TControlStyle = TSet<TControlStyleItem>;

// What is happening to this control now.
enum TControlStateItem : std::uint8_t {
    csLButtonDown, // the left button went down on it and is still held
    csClicked,     // ... and a release inside is a click
    csFocusing,    // the form is moving the focus to it
    csCreating,    // its window is being created
};
using TControlState = TSet<TControlStateItem>;

using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TObject* Sender, WORD& Key, TShiftState Shift)>;
// The handler may change the character, set it to 0 to swallow it, or call Abort() to end the key
// press silently (which swallows it too).
using TKeyPressEvent = std::function<void(TObject* Sender, wchar_t& Key)>;

class TControl : public TComponent {
    ORVO_CLASS(TControl, TComponent)
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    // Parent: setting it takes the control out of the old parent's Controls and puts it last into
    // the new one's. Throws EInvalidOperation for a parent that is this control or inside it.
    TWinControl* Parent() const noexcept { return FParent; }
    void SetParent(TWinControl* parent);
    void SetParentComponent(TComponent* parent) override;
    TComponent* GetParentComponent() const override;

    // Bounds (in the parent's client coordinates; a top-level window's in screen coordinates).
    int Left() const noexcept { return FLeft; }
    int Top() const noexcept { return FTop; }
    int Width() const noexcept { return FWidth; }
    int Height() const noexcept { return FHeight; }
    void SetLeft(int value) { SetBounds(value, FTop, FWidth, FHeight); }
    void SetTop(int value) { SetBounds(FLeft, value, FWidth, FHeight); }
    void SetWidth(int value) { SetBounds(FLeft, FTop, value, FHeight); }
    void SetHeight(int value) { SetBounds(FLeft, FTop, FWidth, value); }
    // Negative sizes count as 0.
    virtual void SetBounds(int left, int top, int width, int height);
    RECT BoundsRect() const noexcept { return RECT{FLeft, FTop, FLeft + FWidth, FTop + FHeight}; }
    void SetBoundsRect(const RECT& r) { SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top); }
    // The area inside the control's frame, from (0, 0).
    virtual RECT ClientRect();
    int ClientWidth() {
        const RECT r = ClientRect();
        return r.right - r.left;
    }
    int ClientHeight() {
        const RECT r = ClientRect();
        return r.bottom - r.top;
    }
    void SetClientWidth(int value) { SetClientSize(value, ClientHeight()); }
    void SetClientHeight(int value) { SetClientSize(ClientWidth(), value); }
    // Resizes the control so that its client area gets this size.
    virtual void SetClientSize(int width, int height);
    // The screen position of the client area's top-left corner.
    virtual POINT ClientOrigin();
    POINT ClientToScreen(POINT p);
    POINT ScreenToClient(POINT p);

    bool Visible() const noexcept { return FVisible; }
    virtual void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible, and so are all its parents (a parentless control: its own visibility).
    bool IsVisibleOnScreen() const;
    bool Enabled() const noexcept { return FEnabled; }
    virtual void SetEnabled(bool enabled);

    // The caption of labels, buttons, forms, the text of edits: one UTF-16 text.
    std::wstring Caption() const { return GetText(); }
    void SetCaption(const std::wstring& caption) { SetText(caption); }
    std::wstring Text() const { return GetText(); }
    void SetText(const std::wstring& text);

    // Colour of the control's background; ParentColor: follow the parent's. Setting Color clears
    // ParentColor.
    TColor Color() const noexcept { return FColor; }
    void SetColor(TColor color);
    bool ParentColor() const noexcept { return FParentColor; }
    void SetParentColor(bool value);
    // The control's font; ParentFont: follow the parent's. Changing the font clears ParentFont.
    TFont* Font() noexcept { return &FFont; }
    void SetFont(TFont* font);
    bool ParentFont() const noexcept { return FParentFont; }
    void SetParentFont(bool value);

    TBiDiMode BiDiMode() const noexcept { return FBiDiMode; }
    void SetBiDiMode(TBiDiMode mode);
    bool UseRightToLeftReading() const noexcept { return IsRightToLeftReading(FBiDiMode); }
    bool UseRightToLeftAlignment() const noexcept { return IsRightToLeftAlignment(FBiDiMode); }

    // Hint text: "short|long"; the hint window shows the short part.
    const std::wstring& Hint() const noexcept { return FHint; }
    void SetHint(const std::wstring& hint) { FHint = hint; }
    bool ShowHint() const noexcept { return FShowHint; }
    void SetShowHint(bool value);
    bool ParentShowHint() const noexcept { return FParentShowHint; }
    void SetParentShowHint(bool value);

    TCursor Cursor() const noexcept { return FCursor; }
    void SetCursor(TCursor cursor);

    TControlStyle ControlStyle() const noexcept { return FControlStyle; }
    void SetControlStyle(TControlStyle style) noexcept { FControlStyle = style; }
    TControlState ControlState() const noexcept { return FControlState; }

    // The window method and direct delivery through it.
    TWndMethod WindowProc;
    LRESULT Perform(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    virtual void Click();
    virtual void DblClick();
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);

    // Repainting: Invalidate marks the control for painting, Update paints what is marked now,
    // Repaint does both.
    virtual void Invalidate();
    virtual void Update();
    void Repaint();

    // A windowless control paints into its parent's window.
    virtual bool IsWindowed() const noexcept { return false; }

    // The DPI the control's lengths are in pixels at (96 until its form is laid out at its
    // monitor's DPI).
    int CurrentDpi() const noexcept { return FCurrentDpi; }
    // Lays the control and what it holds out at `dpi`: bounds, font and the class's own lengths
    // scaled from the values they were given, then CM_DPICHANGED. Nothing happens at the current
    // DPI.
    void ScaleForDpi(int dpi);
    // A length designed at 96 DPI, in pixels at the control's DPI.
    int ScaleValue(int designLength) const noexcept { return ScaleLength(designLength, FCurrentDpi); }

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TNotifyEvent OnResize;

    // Published by every control: bounds, Visible, Enabled, BiDiMode, Cursor, hints and the mouse
    // events. Caption, Color and Font are published by the classes that show them
    // (control_publish.h).
    static void Publish(TPublisher<TControl>& p);

protected:
    // The control's own message handling; unhandled messages end in DefaultHandler.
    virtual void WndProc(TMessage& message);
    virtual void DefaultHandler(TMessage& message);

    virtual std::wstring GetText() const { return FText; }
    // Stores a new text; TWinControl puts it into the window.
    virtual void SetTextBuf(const std::wstring& text);
    virtual void Resize();
    // The parent changed (also to or from null).
    virtual void ParentChanged() {}
    void SetControlState(TControlStateItem item, bool on) noexcept;
    // Sets the bounds fields from a window's real position without moving it.
    void UpdateBoundsFields(int left, int top, int width, int height);
    // Scales what the class keeps to the new DPI (CurrentDpi is the new one already). TControl
    // scales its bounds, then its own font (a control that sizes itself to its text does so
    // then); a class with lengths of its own scales them (and puts them into its window) after
    // calling the base.
    virtual void ChangeScale(int oldDpi, int newDpi);
    // The two steps of TControl's ChangeScale.
    void ScaleBounds(int newDpi);
    void ScaleFont(int newDpi);
    // While ChangeScale runs: lengths set then are scaled ones, not given ones.
    bool ScalingDpi() const noexcept { return FScalingDpi; }
    // The bounds the control was given, at `dpi` (edges scaled apart, so touching controls keep
    // touching).
    RECT DesignBoundsAt(int dpi) const noexcept;
    // The font's height as given, at `dpi`.
    int DesignFontHeightAt(int dpi) const noexcept { return FDesignFontHeight.At(dpi); }
    // Text flags for DrawText that give this control's reading order and alignment.
    UINT DrawTextBiDiModeFlags(UINT flags) const noexcept;

    std::wstring FText; // the text while the control has no window (windowed controls)

private:
    friend class TWinControl;

    void HandleMouseDown(TMessage& message, TMouseButton button, bool doubleClick);
    void HandleMouseUp(TMessage& message, TMouseButton button);
    void AdoptParentFont();
    void AdoptParentColor();
    void AdoptParentShowHint();
    void FontChanged();
    void KeepGivenBounds();

    TWinControl* FParent = nullptr;
    int FLeft = 0;
    int FTop = 0;
    int FWidth = 0;
    int FHeight = 0;
    bool FVisible = true;
    bool FEnabled = true;
    TColor FColor = clBtnFace;
    bool FParentColor = true;
    TFont FFont;
    bool FParentFont = true;
    bool FAdoptingFont = false;
    TBiDiMode FBiDiMode = bdLeftToRight;
    std::wstring FHint;
    bool FShowHint = false;
    bool FParentShowHint = true;
    TCursor FCursor = crDefault;
    TControlStyle FControlStyle{csCaptureMouse, csClickEvents, csDoubleClicks};
    TControlState FControlState;
    int FCurrentDpi = DesignDpi;
    bool FScalingDpi = false;
    // The edges and the font height as given (core/scale/scaled_length.h).
    TScaledLength FDesignLeft, FDesignTop, FDesignRight, FDesignBottom;
    TScaledLength FDesignFontHeight{TFont::DefaultHeight, DesignDpi};
};

// The DPI of the control whose collection holds an item (a status panel, a list column), whose
// lengths are that control's pixels; 96 for an item of no control.
int CollectionItemDpi(const TCollectionItem& item) noexcept;

// The form a control sits on (following parents to the top); null when the top is not a form.
TCustomForm* GetParentForm(const TControl* control) noexcept;
// The shift state of a mouse message's key flags (Alt from the keyboard).
TShiftState MouseShiftState(WPARAM keyFlags) noexcept;
// The shift state of a key message (Alt from its key data).
TShiftState KeyDataShiftState(LPARAM keyData) noexcept;

} // namespace orvo
