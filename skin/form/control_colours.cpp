// TControlColours: the skin's window colours set on controls, and given back.
#include "skin/form/control_colours.h"

#include "core/colour/colour.h"
#include "framework/base/properties.h"
#include "framework/controls/date_time_picker.h"
#include "framework/controls/win_control.h"
#include "framework/forms/forms.h"
#include "framework/window/subclass.h"
#include "framework/window/window_property.h"
#include "skin/controls/control_skin.h"
#include "skin/data/skin_data.h"
#include "skin/form/item_colours.h"
#include "skin/form/window_colours.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

namespace orvo {

ORVO_IMPLEMENT_CLASS(TControlColours);

namespace {

// One colour setting of a control: the message that reads it and the one that writes it, with the
// setting's index in WParam (a calendar's parts) or 0.
struct TColourSetting {
    UINT Get = 0;
    UINT Set = 0;
    WPARAM Index = 0;
};

struct TColourKind {
    const wchar_t* ClassName; // lower case
    bool FrameworkToo;        // the framework does not set these from the control's Color
    int Count;
    std::array<TColourSetting, 6> Settings;
};

// List views: background, text, text background. Tree views: background, text, lines. Date-time
// pickers: their calendar's background, text, title background and text, month background, and the
// days of the months before and after.
const std::array<TColourKind, 3> ColourKinds{{
    {L"syslistview32", false, 3,
     {{{LVM_GETBKCOLOR, LVM_SETBKCOLOR, 0}, {LVM_GETTEXTCOLOR, LVM_SETTEXTCOLOR, 0},
       {LVM_GETTEXTBKCOLOR, LVM_SETTEXTBKCOLOR, 0}}}},
    {L"systreeview32", false, 3,
     {{{TVM_GETBKCOLOR, TVM_SETBKCOLOR, 0}, {TVM_GETTEXTCOLOR, TVM_SETTEXTCOLOR, 0},
       {TVM_GETLINECOLOR, TVM_SETLINECOLOR, 0}}}},
    {L"sysdatetimepick32", true, 6,
     {{{DTM_GETMCCOLOR, DTM_SETMCCOLOR, MCSC_BACKGROUND}, {DTM_GETMCCOLOR, DTM_SETMCCOLOR, MCSC_TEXT},
       {DTM_GETMCCOLOR, DTM_SETMCCOLOR, MCSC_TITLEBK}, {DTM_GETMCCOLOR, DTM_SETMCCOLOR, MCSC_TITLETEXT},
       {DTM_GETMCCOLOR, DTM_SETMCCOLOR, MCSC_MONTHBK}, {DTM_GETMCCOLOR, DTM_SETMCCOLOR, MCSC_TRAILINGTEXT}}}},
}};

std::array<COLORREF, 6> SkinColoursOf(int kind, const TSkinData& skin) {
    const auto c = [&skin](TSkinColourIndex index) { return ColorToColorRef(skin.Colour(index)); };
    switch (kind) {
    case 0: return {c(scWindow), c(scWindowText), c(scWindow)};
    case 1: return {c(scWindow), c(scWindowText), c(scButtonShadow)};
    default: return {c(scWindow), c(scWindowText), c(scHilight), c(scHilightText), c(scWindow), c(scButtonShadow)};
    }
}

COLORREF Read(HWND window, const TColourSetting& setting) {
    return static_cast<COLORREF>(SendMessageW(window, setting.Get, setting.Index, 0));
}

void Write(HWND window, const TColourSetting& setting, COLORREF colour) {
    SendMessageW(window, setting.Set, setting.Index, static_cast<LPARAM>(colour));
}

bool Dresses(const TSkinData& skin) {
    return skin.Colours().Given[scWindow];
}

// The colour `control` stands on under the skin: that of the first of it and its parents with a
// colour of its own, the platform's window and face colours taken as the skin's.
TColor GroundOf(const TControl* control, const TSkinData& skin) {
    for (const TControl* c = control; c; c = c->Parent()) {
        if (c->ParentColor() && c->Parent()) continue;
        if (dynamic_cast<const TCustomForm*>(c) || c->Color() == clBtnFace) return ColorToRGB(skin.Colour(scButtonFace));
        if (c->Color() == clWindow) return ColorToRGB(skin.Colour(scWindow));
        return ColorToRGB(c->Color());
    }
    return ColorToRGB(skin.Colour(scButtonFace));
}

// WCAG's ratio for body text.
constexpr double ReadableContrast = 4.5;

} // namespace

TControlColours::TControlColours(TComponent* owner) : TComponent(owner) {}

TControlColours::~TControlColours() {
    Destroying();
    Forget();
}

void TControlColours::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != opRemove) return;
    std::erase_if(FControls, [component](const TControlEntry& e) { return static_cast<TComponent*>(e.Control) == component; });
}

void TControlColours::Apply(HWND window, TCustomForm* form, const TSkinData& skin) {
    Restore();
    FWindow = window;
    if (!Dresses(skin)) return;
    if (form) {
        ApplyToControls(form, skin);
        ApplyToControl(form, skin, true);
    }
    struct TWalk {
        TControlColours* Self;
        const TSkinData* Skin;
    } walk{this, &skin};
    EnumChildWindows(
        window,
        [](HWND child, LPARAM p) -> BOOL {
            auto* w = reinterpret_cast<TWalk*>(p);
            w->Self->ApplyToWindow(child, *w->Skin);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&walk));
}

void TControlColours::ApplyToControls(TWinControl* parent, const TSkinData& skin) {
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* child = parent->Controls(i);
        if (!child) continue;
        if (auto* windowed = dynamic_cast<TWinControl*>(child)) ApplyToControls(windowed, skin);
        ApplyToControl(child, skin);
    }
}

void TControlColours::ApplyToControl(TControl* control, const TSkinData& skin, bool onFace) {
    if (control->Tag() == skin.DisableTag()) return;
    // The platform's window and face colours become the skin's, and their text colours with them;
    // what follows its parent's colour stands on the face (its parent's text it follows too).
    bool colour = false;
    TColor back = 0, text = skin.Colour(scButtonText);
    if (!onFace && !control->ParentColor() && control->Color() == clWindow) {
        colour = true;
        back = skin.Colour(scWindow);
        text = skin.Colour(scWindowText);
    } else if (!onFace && !control->ParentColor() && control->Color() == clBtnFace) {
        colour = true;
        back = skin.Colour(scButtonFace);
    } else if (!onFace && (!control->ParentColor() || control->ParentFont())) {
        return;
    }
    const TColor fontColor = control->Font()->Color();
    TControlEntry e;
    e.Control = control;
    e.ColorSet = colour && back != control->Color();
    e.OwnColor = control->Color();
    e.SkinColor = back;
    e.FontSet = (fontColor == clWindowText || fontColor == clBtnText) && text != fontColor;
    if (!e.FontSet && !IsSystemColour(fontColor)) {
        // A colour of the program's own that cannot be read on the skin's ground (a link's blue
        // on a dark face) is lightened or darkened just as far as it takes, and given back.
        const TColor ground = colour ? ColorToRGB(back) : GroundOf(control, skin);
        text = ReadableOn(fontColor, ground, ReadableContrast);
        e.FontSet = text != fontColor;
    }
    e.OwnFontColor = fontColor;
    e.SkinFontColor = text;
    e.OwnParentFont = control->ParentFont();
    if (!e.ColorSet && !e.FontSet) return;
    control->FreeNotification(this);
    FControls.push_back(e);
    if (e.ColorSet) control->SetColor(e.SkinColor);
    if (e.FontSet) control->Font()->SetColor(e.SkinFontColor);
}

bool TControlColours::Known(HWND window) const {
    return std::any_of(FWindows.begin(), FWindows.end(), [window](const TWindowEntry& e) { return e.Window == window; });
}

void TControlColours::ApplyToWindow(HWND window, const TSkinData& skin) {
    if (!Dresses(skin) || !IsWindow(window) || Known(window)) return;
    TWinControl* control = FindControl(window);
    // A framework control's window class is named after its framework class.
    const std::wstring name = dynamic_cast<TDateTimePicker*>(control) ? std::wstring(L"sysdatetimepick32")
                                                                       : LowerText(WindowClassName(window));
    if (name == L"comboboxex32") {
        if (!control) WatchContainer(window, skin);
        return;
    }
    const auto kind = std::find_if(ColourKinds.begin(), ColourKinds.end(),
                                   [&name](const TColourKind& k) { return name == k.ClassName; });
    if (kind == ColourKinds.end()) return;
    if (control && (!kind->FrameworkToo || control->Tag() == skin.DisableTag())) return;
    TWindowEntry e;
    e.Window = window;
    e.Kind = static_cast<int>(kind - ColourKinds.begin());
    e.Skin = SkinColoursOf(e.Kind, skin);
    for (int i = 0; i < kind->Count; ++i) e.Own[i] = Read(window, kind->Settings[i]);
    FWindows.push_back(e);
    for (int i = 0; i < kind->Count; ++i) Write(window, kind->Settings[i], e.Skin[i]);
    InvalidateRect(window, nullptr, TRUE);
    if (HWND parent = GetParent(window); !control && parent && parent != FWindow && !FindControl(parent))
        WatchContainer(parent, skin);
}

void TControlColours::WatchContainer(HWND container, const TSkinData& skin) {
    // A container that died (the last folder's view) has detached itself.
    std::erase_if(FParents, [](const auto& watched) { return !watched->Attached(); });
    for (const auto& watched : FParents)
        if (watched->Handle() == container) return;
    auto subclass = std::make_unique<TWindowSubclass>();
    TWindowSubclass* self = subclass.get();
    const TWindowPalette palette = WindowPaletteOf(skin);
    const bool attached = subclass->Attach(container, [self, palette](TMessage& m) {
        if (m.Msg == WM_DRAWITEM &&
            RecolourOwnerDrawnItem(palette, m, [self](TMessage& inner) { self->CallDefault(inner); }))
            return;
        self->CallDefault(m);
        if (m.Msg == WM_NOTIFY)
            RecolourCustomDraw(palette, m);
        else
            AnswerColourMessage(palette, m);
    });
    if (attached) FParents.push_back(std::move(subclass));
}

void TControlColours::Restore() {
    FParents.clear(); // each subclass detaches as it goes
    // Backwards: the form first, so what follows its font follows it back.
    const std::vector<TControlEntry> controls = std::exchange(FControls, {});
    for (auto it = controls.rbegin(); it != controls.rend(); ++it) {
        const TControlEntry& e = *it;
        TControl* control = e.Control;
        control->RemoveFreeNotification(this);
        if (e.FontSet && control->Font()->Color() == e.SkinFontColor) {
            control->Font()->SetColor(e.OwnFontColor);
            if (e.OwnParentFont) control->SetParentFont(true);
        }
        if (e.ColorSet && control->Color() == e.SkinColor) control->SetColor(e.OwnColor);
    }
    for (const TWindowEntry& e : std::exchange(FWindows, {})) {
        if (!IsWindow(e.Window)) continue;
        const TColourKind& kind = ColourKinds[static_cast<std::size_t>(e.Kind)];
        for (int i = 0; i < kind.Count; ++i)
            if (Read(e.Window, kind.Settings[i]) == e.Skin[i]) Write(e.Window, kind.Settings[i], e.Own[i]);
        InvalidateRect(e.Window, nullptr, TRUE);
    }
}

void TControlColours::Forget() noexcept {
    FParents.clear();
    for (const TControlEntry& e : FControls) e.Control->RemoveFreeNotification(this);
    FControls.clear();
    FWindows.clear();
}

} // namespace orvo
