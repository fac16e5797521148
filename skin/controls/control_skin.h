// TSkinControl: the base of every skin object that repaints one child control of a skinned window
// in the look of the skin in force. It sees the control's messages first, lets the control do the
// real work and paints over it (or instead of it) from the skin's elements; it never changes what
// the control does (a push button, whose click the skin raises itself, is the one exception).
//
// Two roads in, one message method:
//   AttachControl  a framework control: its window method is chained (TWindowMethodHook);
//   AttachWindow   a bare window (a dialog's button, another module's control): its procedure is
//                  replaced by a thunk (TWindowSubclass).
// Either way detaching puts back exactly what was there, and only while this object is on top of
// the chain (otherwise it stays as a pass-through, so whatever chained in later is not cut out);
// nothing is written into a window after its WM_NCDESTROY.
//
// Message method (WndProc), in this order:
//   SKM_SWITCHCONTROLSKIN  WParam > 0 switches skinning on (and repaints), 0 off; not passed on.
//   while off              everything goes straight to the control.
//   BeforeMessage          true: the control handles the message, then AfterMessage reacts;
//                          false: consumed (Result set by the filter).
// Base BeforeMessage: WM_NCDESTROY (State Destroyed, the control's own handling, Unskin: colours
// are not written back into a dying control), SKM_ISSKINNED (answered 1), SKM_PAINTCONTROLINTO and
// SKM_PAINTINTO with SkmPaintMagic (the skinned look painted into the DC in WParam).
// Base AfterMessage: focus, enable and text changes repaint; WM_PAINT paints the skin over what
// the control painted.
//
// A framework control whose window is re-created (RecreateWnd, or a parent's window re-created)
// keeps its window method, so this object sees the new window's first messages while it is in
// State Destroyed; it then asks its form (SKM_RECREATECONTROLSKIN with the new window) to give the
// control a fresh skin object by the class rules.
//
// Colours: with ManageColor the control's Color becomes the skin's ButtonFace at attach (and
// ParentBackground is switched off unless the skin's Options hold xoParentBackGround); Unskin hands
// both back, SkinChanged applies the new face colour.
//
// Owner: the control it skins (a bare-window object: the form skin object or the skin object that
// found the window), so it dies with it. It registers with its form skin at attach and unregisters
// when it dies.
#pragma once

#include "framework/base/component.h"
#include "framework/controls/window_method_hook.h"
#include "framework/graphics/color.h"
#include "framework/window/subclass.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <windows.h>

namespace orvo {

class TCanvas;
class TControl;
class TDataSkinObject;
class TFont;
class TSkinData;
class TScaledSkin;
class TWinSkinForm;
struct TMargins;

// The element is there and has an image to draw: without one a family leaves its part to the
// control.
bool HasImage(const TDataSkinObject* element) noexcept;
// The element's fixed margins, as the sliced drawing routines take them.
TMargins MarginsOf(const TDataSkinObject& element) noexcept;

// Bits of MouseState.
constexpr std::uint8_t msHot = 1;     // the pointer is over the control
constexpr std::uint8_t msPressed = 2; // the left button or the space key is held on it

enum class TSkinControlState : int {
    Created = 0,
    Attached = 1,
    Unskinned = 2, // a recolouring object after Unskin
    Destroyed = 6, // the window received WM_NCDESTROY
};

class TSkinControl : public TComponent {
    ORVO_CLASS(TSkinControl, TComponent)
public:
    explicit TSkinControl(TComponent* owner);
    ~TSkinControl() override;

    // Attaches to the owner, a framework control (created on demand). A second call does nothing.
    virtual void AttachControl(TWinSkinForm* form, TSkinData* skinData, bool manageColor, TCanvas* formCanvas);
    // Attaches to a bare window.
    virtual void AttachWindow(HWND window, TSkinData* skinData, TWinSkinForm* form, TCanvas* formCanvas);
    // The control's own look back: colours handed back, skinning off. The hooks stay (passing
    // every message on) until the object dies.
    virtual void Unskin();
    // The skin or its colours changed.
    virtual void SkinChanged();

    // The one entry point of both roads.
    void WndProc(TMessage& message);
    // Hands the message to the control's own handling.
    void CallDefault(TMessage& message);
    // Invalidates and updates the window (or RepaintTarget).
    void Repaint();
    // Paints the whole window (window coordinates) into `dc`, or the window's DC when null.
    virtual void PaintSkin(HDC dc);
    // Hands the control's colour (and ParentBackground) back, once; with ManageColor only. Unskin
    // does it unless the window is destroyed; the form calls it for a control whose window was
    // re-created before it gives the control a fresh skin object.
    void RestoreColor();

    std::uint8_t MouseState = 0;
    TCanvas* FormCanvas = nullptr;
    bool Enabled = true;
    bool Focused = false;
    std::wstring Text;
    bool Active = true;
    bool Unicode = true;
    TSkinData* SkinData = nullptr;
    HWND Handle = nullptr;
    TControl* Control = nullptr;
    RECT WindowRect{};
    TControl* RepaintTarget = nullptr;
    bool ManageColor = false;
    TColor SavedColor = 0;
    bool Attached = false;
    TSkinControlState State = TSkinControlState::Created;
    TWinSkinForm* Form = nullptr;
    int Mode = 0;
    bool ParentBackgroundChanged = false;

    bool Hot() const noexcept { return MouseState & msHot; }
    bool Pressed() const noexcept { return MouseState & msPressed; }
    // The control this object paints for (Control, else RepaintTarget).
    TControl* Target() const noexcept;
    // The DPI the control is drawn at: its own (a framework control's CurrentDpi), else its form
    // skin's, else its window's.
    int Dpi() const;
    // The skin at that DPI: every element a family draws is read from it (at 96 the skin's own).
    TScaledSkin& Skin() const;
    // A length of the drawing code's own, designed at 96 DPI, at the control's DPI.
    int Scale(int length) const;

protected:
    // true: pass the message on; false: consumed.
    virtual bool BeforeMessage(TMessage& message);
    virtual void AfterMessage(TMessage& message);
    // Draws the skinned look into `dc`; `r` is the window rectangle moved to the origin.
    virtual void DrawSkin(HDC dc, const RECT& r);

    // Chains the window method of a control (also a windowless one) and registers with the form.
    void HookControl(TControl* control);
    // What the skins that attach on their own road share: the control's window (made now), the
    // skin, the form's canvas, registration with the form. False (nothing changed) when already
    // attached, or the control is not windowed or its window cannot be made.
    bool BeginAttach(TControl* control, TSkinData* skinData, TWinSkinForm* form, TCanvas* formCanvas);
    void RegisterWithForm(TWinSkinForm* form);
    // WM_PAINT / WM_PRINTCLIENT taken over: DrawSkin into the paint DC (BeginPaint when WParam
    // carries none, EndPaint always). Consumed.
    void FullPaint(TMessage& message);
    // WM_ERASEBKGND of the transparent variants: the parent's background under the control.
    void PaintBackground(TMessage& message);
    void FillFace(HDC dc, const RECT& r) const;
    void FillParentColor(HDC dc, const RECT& r) const;
    static void FillColor(HDC dc, const RECT& r, TColor color);
    // DT_RTLREADING added for a right-to-left control.
    UINT TextFlags(UINT flags) const;
    bool RightToLeft() const;
    // The caption with a focus rectangle around it (the text as DrawText would place it).
    void DrawTextFocus(HDC dc, UINT flags, const RECT& r) const;
    // Frame `index` of an n-frame glyph strip stretched into `r`, magenta transparent.
    static void DrawGlyph(HDC dc, const RECT& r, class TBitmap& strip, int count, int index);
    void ForwardMouseDown(const TMessage& message);
    LONG_PTR GetLong(int index) const;
    DWORD Style() const { return static_cast<DWORD>(GetLong(GWL_STYLE)); }
    DWORD ExStyle() const { return static_cast<DWORD>(GetLong(GWL_EXSTYLE)); }
    // The control's Caption, else the window text.
    std::wstring ReadText() const;
    // The control's Font (a framework control), else null.
    TFont* ControlFont() const;
    // The font the window answers to WM_GETFONT (null: the system font).
    HFONT WindowFont() const;
    // The ParentBackground switch: off at attach, back on at Unskin (only when it was changed).
    void SwitchParentBackground(bool on);
    // Runs `action` once the filters of the message under way are done, outside their fault
    // containment: what it raises (a click handler's error) is the program's to report.
    void ThenRun(std::function<void()> action) { FThenRun = std::move(action); }
    // Takes this object out of the control's window-method chain (when on top).
    void UnhookControl() noexcept { FHook.Detach(); }

    // Properties of the control by name; absent when there is no control or no such property.
    std::int32_t OrdProp(const wchar_t* name, std::int32_t absent = -1) const;
    std::wstring EnumProp(const wchar_t* name) const;   // lower-case identifier, empty when absent
    std::wstring StrProp(const wchar_t* name) const;    // empty when absent
    class TObject* ObjectProp(const wchar_t* name) const;
    bool SetProp(const wchar_t* name, const wchar_t* value) const;
    bool HasProp(const wchar_t* name) const;

private:
    void SwitchMessage(const TMessage& message);
    void CheckRecreated();

    TWindowMethodHook FHook;
    TWindowSubclass FSubclass;
    std::function<void()> FThenRun;
    bool FBareWindow = false;
    bool FColorSaved = false;
    bool FAskedForReskin = false;
};

// The text of a window: Unicode windows by GetWindowTextW, others by WM_GETTEXT (1000 bytes).
std::wstring SkinWindowText(HWND window);
// Lower-cased ASCII and wide letters.
std::wstring LowerText(std::wstring text);
// The class name of a window, at most 100 characters.
std::wstring WindowClassName(HWND window);

} // namespace orvo
