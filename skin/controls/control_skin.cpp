// TSkinControl: attaching, detaching, the message method and the helpers every family draws with.
#include "skin/controls/control_skin.h"

#include "framework/base/prop_access.h"
#include "framework/controls/control.h"
#include "framework/controls/win_control.h"
#include "framework/graphics/bitmap.h"
#include "framework/graphics/font.h"
#include "framework/graphics/gdi_handle.h"
#include "framework/window/display_scale.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_protocol.h"
#include "skin/data/skin_trace.h"
#include "skin/draw/skin_draw.h"
#include "skin/form/form_skin.h"

#include <algorithm>
#include <cwctype>

namespace orvo {

ORVO_IMPLEMENT_CLASS(TSkinControl);

namespace {

// BeginPaint/EndPaint for the scope: the paint ends even when drawing fails.
class TPaintDc {
public:
    explicit TPaintDc(HWND window) : FWindow(window), FDc(BeginPaint(window, &FPaint)) {}
    TPaintDc(const TPaintDc&) = delete;
    TPaintDc& operator=(const TPaintDc&) = delete;
    ~TPaintDc() { EndPaint(FWindow, &FPaint); }
    HDC Get() const { return FDc; }

private:
    HWND FWindow;
    PAINTSTRUCT FPaint{};
    HDC FDc;
};

// GetWindowDC/ReleaseDC for the scope.
class TWholeWindowDc {
public:
    explicit TWholeWindowDc(HWND window) : FWindow(window), FDc(GetWindowDC(window)) {}
    TWholeWindowDc(const TWholeWindowDc&) = delete;
    TWholeWindowDc& operator=(const TWholeWindowDc&) = delete;
    ~TWholeWindowDc() {
        if (FDc) ReleaseDC(FWindow, FDc);
    }
    HDC Get() const { return FDc; }

private:
    HWND FWindow;
    HDC FDc;
};

} // namespace

std::wstring LowerText(std::wstring text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
    return text;
}

std::wstring WindowClassName(HWND window) {
    wchar_t name[101]{};
    GetClassNameW(window, name, 101);
    return name;
}

std::wstring SkinWindowText(HWND window) {
    if (!window) return {};
    if (IsWindowUnicode(window)) {
        const int length = GetWindowTextLengthW(window);
        if (length <= 0) return {};
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        const int got = GetWindowTextW(window, text.data(), length + 1);
        text.resize(static_cast<std::size_t>(std::max(got, 0)));
        return text;
    }
    char buffer[1000]{};
    const auto got = SendMessageA(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
    const int bytes = static_cast<int>(std::clamp<LRESULT>(got, 0, sizeof buffer - 1));
    if (bytes == 0) return {};
    const int chars = MultiByteToWideChar(CP_ACP, 0, buffer, bytes, nullptr, 0);
    std::wstring text(static_cast<std::size_t>(std::max(chars, 0)), L'\0');
    if (chars > 0) MultiByteToWideChar(CP_ACP, 0, buffer, bytes, text.data(), chars);
    return text;
}

bool HasImage(const TDataSkinObject* e) noexcept {
    return e && !e->Image.Empty();
}

TMargins MarginsOf(const TDataSkinObject& e) noexcept {
    return TMargins{e.LeftWidth, e.TopHeight, e.RightWidth, e.BottomHeight};
}

TSkinControl::TSkinControl(TComponent* owner) : TComponent(owner) {}

TSkinControl::~TSkinControl() {
    Destroying();
    // Both put back what they replaced only while on top, and never into a destroyed window.
    FHook.Detach();
    FSubclass.Detach();
    if (Form) Form->UnregisterSkin(this);
    Form = nullptr;
}

TControl* TSkinControl::Target() const noexcept {
    return Control ? Control : RepaintTarget;
}

int TSkinControl::Dpi() const {
    if (const TControl* target = Target()) return target->CurrentDpi();
    if (Form) return Form->Dpi();
    return DpiForWindow(Handle);
}

TScaledSkin& TSkinControl::Skin() const {
    return SkinData->AtDpi(Dpi());
}

int TSkinControl::Scale(int length) const {
    return ScaleLength(length, Dpi());
}

// ---- attach ----------------------------------------------------------------------------------

void TSkinControl::RegisterWithForm(TWinSkinForm* form) {
    Form = form;
    if (Form) Form->RegisterSkin(this);
}

void TSkinControl::HookControl(TControl* control) {
    FHook.Attach(control, [this](TMessage& m) { WndProc(m); });
}

bool TSkinControl::BeginAttach(TControl* control, TSkinData* skinData, TWinSkinForm* form, TCanvas* formCanvas) {
    if (Attached) return false;
    auto* windowed = dynamic_cast<TWinControl*>(control);
    if (!windowed) return false;
    try {
        Handle = windowed->Handle();
    } catch (...) {
        return false;
    }
    SkinData = skinData;
    FormCanvas = formCanvas;
    Control = control;
    Unicode = IsWindowUnicode(Handle) != FALSE;
    RegisterWithForm(form);
    return true;
}

void TSkinControl::AttachControl(TWinSkinForm* form, TSkinData* skinData, bool manageColor, TCanvas* formCanvas) {
    if (Attached) return;
    auto* control = dynamic_cast<TControl*>(Owner());
    if (!control) return;
    ManageColor = manageColor;
    SkinData = skinData;
    FormCanvas = formCanvas;
    Control = control;
    if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
        try {
            Handle = windowed->Handle();
        } catch (...) {
            Handle = nullptr;
        }
    }
    Unicode = Handle ? IsWindowUnicode(Handle) != FALSE : true;
    HookControl(control);
    RegisterWithForm(form);
    if (ManageColor) {
        SwitchParentBackground(false);
        SavedColor = control->Color();
        FColorSaved = true;
        if (SkinData) control->SetColor(SkinData->Colour(scButtonFace));
    }
    if (ParentBackgroundChanged) Mode = 1;
    control->Invalidate();
    Attached = true;
    State = TSkinControlState::Attached;
}

void TSkinControl::AttachWindow(HWND window, TSkinData* skinData, TWinSkinForm* form, TCanvas* formCanvas) {
    if (Attached || !window) return;
    Handle = window;
    SkinData = skinData;
    FormCanvas = formCanvas;
    Enabled = true;
    Mode = 0;
    FBareWindow = true;
    if (!FSubclass.Attach(window, [this](TMessage& m) { WndProc(m); })) return;
    RegisterWithForm(form);
    Unicode = FSubclass.Unicode();
    Text = SkinWindowText(window);
    InvalidateRect(Handle, nullptr, TRUE);
    Attached = true;
    State = TSkinControlState::Attached;
}

void TSkinControl::Unskin() {
    if (!Active) return;
    Active = false;
    if (State != TSkinControlState::Destroyed) RestoreColor();
}

void TSkinControl::RestoreColor() {
    if (!FColorSaved || !Control) return;
    FColorSaved = false;
    SwitchParentBackground(true);
    Control->SetColor(SavedColor);
}

void TSkinControl::SkinChanged() {
    if (ManageColor && Control && SkinData && Active) Control->SetColor(SkinData->Colour(scButtonFace));
    Repaint();
}

void TSkinControl::SwitchParentBackground(bool on) {
    if (!Control) return;
    // Switching back needs nothing of the skin (which may be gone by then).
    if (!on && (!SkinData || SkinData->Options().Contains(xoParentBackGround))) return;
    // By name where a class publishes it, else the framework's own windowed-control setting.
    auto* windowed = dynamic_cast<TWinControl*>(Control);
    const bool named = HasProp(L"ParentBackground");
    if (!named && !windowed) return;
    if (!on) {
        const bool isOn = named ? EnumProp(L"ParentBackground") == L"true" : windowed->ParentBackground();
        if (!isOn) return;
        if (named ? SetProp(L"ParentBackground", L"False") : (windowed->SetParentBackground(false), true))
            ParentBackgroundChanged = true;
    } else if (ParentBackgroundChanged) {
        if (named)
            SetProp(L"ParentBackground", L"True");
        else
            windowed->SetParentBackground(true);
        ParentBackgroundChanged = false;
    }
}

// ---- messages --------------------------------------------------------------------------------

void TSkinControl::CallDefault(TMessage& m) {
    if (FBareWindow)
        FSubclass.CallDefault(m);
    else
        FHook.CallDefault(m);
}

void TSkinControl::CheckRecreated() {
    if (FAskedForReskin || !Form) return;
    auto* windowed = dynamic_cast<TWinControl*>(Control);
    if (!windowed || !windowed->HandleAllocated()) return;
    HWND now = windowed->Handle();
    if (now == Handle) return;
    FAskedForReskin = true;
    ORVO_SKIN_TRACE(L"control %p re-created as %p", static_cast<void*>(Handle), static_cast<void*>(now));
    PostMessageW(Form->Handle, SKM_RECREATECONTROLSKIN, reinterpret_cast<WPARAM>(now), 0);
}

void TSkinControl::WndProc(TMessage& m) {
    if (State == TSkinControlState::Destroyed) CheckRecreated();
    if (m.Msg == SKM_SWITCHCONTROLSKIN) {
        SwitchMessage(m);
        return;
    }
    if (!Active) {
        CallDefault(m);
        return;
    }
    bool passOn = true;
    try {
        passOn = BeforeMessage(m);
    } catch (...) {
        ORVO_SKIN_TRACE(L"filter of %04x on %p failed", m.Msg, static_cast<void*>(Handle));
        passOn = true;
    }
    if (passOn) {
        CallDefault(m);
        if (Active) {
            try {
                AfterMessage(m);
            } catch (...) {
                ORVO_SKIN_TRACE(L"reaction to %04x on %p failed", m.Msg, static_cast<void*>(Handle));
            }
        }
    }
    if (FThenRun) {
        const auto action = std::move(FThenRun);
        FThenRun = nullptr;
        action();
    }
}

void TSkinControl::SwitchMessage(const TMessage& m) {
    Active = static_cast<INT_PTR>(m.WParam) > 0;
    if (Active) Repaint();
}

bool TSkinControl::BeforeMessage(TMessage& m) {
    switch (m.Msg) {
    case WM_NCDESTROY:
        State = TSkinControlState::Destroyed;
        CallDefault(m);
        if (Active) Unskin();
        return false;
    case SKM_ISSKINNED:
        m.Result = 1;
        return false;
    case SKM_PAINTCONTROLINTO:
    case SKM_PAINTINTO:
        if (m.LParam != SkmPaintMagic) return true;
        if (m.WParam) PaintSkin(reinterpret_cast<HDC>(m.WParam));
        m.Result = SkmPaintMagic;
        return false;
    default:
        return true;
    }
}

void TSkinControl::AfterMessage(TMessage& m) {
    switch (m.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SETTEXT:
    case CM_ENABLEDCHANGED:
    case CM_TEXTCHANGED:
        Repaint();
        break;
    case WM_PAINT:
        PaintSkin(reinterpret_cast<HDC>(m.WParam));
        break;
    default:
        break;
    }
}

// ---- painting --------------------------------------------------------------------------------

void TSkinControl::Repaint() {
    if (RepaintTarget) {
        RepaintTarget->Invalidate();
        return;
    }
    if (!Handle || !IsWindow(Handle)) return;
    InvalidateRect(Handle, nullptr, TRUE);
    UpdateWindow(Handle);
}

void TSkinControl::PaintSkin(HDC dc) {
    try {
        RECT r{};
        if (!Handle || !GetWindowRect(Handle, &r)) return;
        WindowRect = r;
        OffsetRect(&r, -r.left, -r.top);
        if (dc) {
            DrawSkin(dc, r);
            return;
        }
        TWholeWindowDc window(Handle);
        if (window.Get()) DrawSkin(window.Get(), r);
    } catch (...) {
        ORVO_SKIN_TRACE(L"paint of %p failed", static_cast<void*>(Handle));
    }
}

void TSkinControl::DrawSkin(HDC, const RECT&) {}

void TSkinControl::FullPaint(TMessage& m) {
    m.Result = 0;
    auto draw = [this](HDC dc) {
        RECT r{};
        if (!GetWindowRect(Handle, &r)) return;
        WindowRect = r;
        OffsetRect(&r, -r.left, -r.top);
        try {
            DrawSkin(dc, r);
        } catch (...) {
            ORVO_SKIN_TRACE(L"full paint of %p failed", static_cast<void*>(Handle));
        }
    };
    if (m.WParam) {
        draw(reinterpret_cast<HDC>(m.WParam));
        return;
    }
    TPaintDc paint(Handle);
    if (paint.Get()) draw(paint.Get());
}

void TSkinControl::PaintBackground(TMessage& m) {
    auto dc = reinterpret_cast<HDC>(m.WParam);
    if (dc) {
        if (Control) {
            DrawParentBackground(dc, *Control);
        } else {
            RECT r{};
            GetClientRect(Handle, &r);
            FillParentColor(dc, r);
        }
    }
    m.Result = 1;
}

void TSkinControl::FillColor(HDC dc, const RECT& r, TColor color) {
    TBrushHandle brush(CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(color))));
    FillRect(dc, &r, brush.Get());
}

void TSkinControl::FillFace(HDC dc, const RECT& r) const {
    FillColor(dc, r, SkinData ? SkinData->Colour(scButtonFace) : clBtnFace);
}

void TSkinControl::FillParentColor(HDC dc, const RECT& r) const {
    TControl* target = Target();
    if (target && target->Parent()) {
        if (auto color = GetOrdProp(target->Parent(), L"Color")) {
            FillColor(dc, r, *color);
            return;
        }
    }
    FillFace(dc, r);
}

bool TSkinControl::RightToLeft() const {
    if (TControl* target = Target()) return target->BiDiMode() == bdRightToLeft;
    return Handle && (ExStyle() & WS_EX_RTLREADING);
}

UINT TSkinControl::TextFlags(UINT flags) const {
    return RightToLeft() ? flags | DT_RTLREADING : flags;
}

void TSkinControl::DrawTextFocus(HDC dc, UINT flags, const RECT& r) const {
    RECT t = r;
    DrawTextW(dc, Text.c_str(), static_cast<int>(Text.size()), &t, flags | DT_CALCRECT | DT_NOCLIP);
    const int tw = t.right - t.left;
    const int th = t.bottom - t.top;
    if (flags & DT_CENTER)
        OffsetRect(&t, ((r.right - r.left) - tw) / 2, ((r.bottom - r.top) - th) / 2 - 1);
    else if (flags & DT_RIGHT)
        OffsetRect(&t, (r.right - r.left) - tw, 0);
    InflateRect(&t, 2, 1);
    RECT clipped{};
    if (IntersectRect(&clipped, &t, &r)) DrawFocusRect(dc, &clipped);
}

void TSkinControl::DrawGlyph(HDC dc, const RECT& r, TBitmap& strip, int count, int index) {
    DrawFrameStrip(dc, r, strip, true, std::max(count, 1), index);
}

void TSkinControl::ForwardMouseDown(const TMessage& m) {
    if (!Control) return;
    POINT p = PointFromLParam(m.LParam);
    if (Control->Width() > 32768 || Control->Height() > 32768) {
        // The packed coordinates are 16-bit: past that they wrap.
        GetCursorPos(&p);
        p = Control->ScreenToClient(p);
    }
    Control->MouseDown(mbLeft, MouseShiftState(m.WParam), p.x, p.y);
}

LONG_PTR TSkinControl::GetLong(int index) const {
    if (!Handle) return 0;
    return Unicode ? GetWindowLongPtrW(Handle, index) : GetWindowLongPtrA(Handle, index);
}

std::wstring TSkinControl::ReadText() const {
    if (Control) {
        if (auto caption = GetStrProp(Control, L"Caption")) return *caption;
    }
    return SkinWindowText(Handle);
}

TFont* TSkinControl::ControlFont() const {
    return dynamic_cast<TFont*>(ObjectProp(L"Font"));
}

HFONT TSkinControl::WindowFont() const {
    return Handle ? reinterpret_cast<HFONT>(SendMessageW(Handle, WM_GETFONT, 0, 0)) : nullptr;
}

// ---- properties by name ----------------------------------------------------------------------

std::int32_t TSkinControl::OrdProp(const wchar_t* name, std::int32_t absent) const {
    return GetOrdProp(Target(), name).value_or(absent);
}

std::wstring TSkinControl::EnumProp(const wchar_t* name) const {
    if (auto value = GetPropValue(Target(), name)) return LowerText(*value);
    return {};
}

std::wstring TSkinControl::StrProp(const wchar_t* name) const {
    return GetStrProp(Target(), name).value_or(std::wstring{});
}

TObject* TSkinControl::ObjectProp(const wchar_t* name) const {
    return GetObjectProp(Target(), name);
}

bool TSkinControl::SetProp(const wchar_t* name, const wchar_t* value) const {
    return SetPropValue(Target(), name, value);
}

bool TSkinControl::HasProp(const wchar_t* name) const {
    return Target() && IsPublishedProp(Target(), name);
}

} // namespace orvo
