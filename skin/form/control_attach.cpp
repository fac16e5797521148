// The skin objects of a skinned window's controls: every child of the window (a framework form's
// controls, owned ones first and then the rest in tab order; a bare window's child windows) gets
// the skin object of its kind, and they are all released when the window is unskinned.
//
// Which object a framework control gets is decided, in this order: the Tag (DisableTag keeps
// the platform look), the already-skinned guards, the program's OnSkinControl, the Skin3rd lines
// (other libraries' classes skinned as a standard kind), then the class rules table. Both tables
// grow with the control families: a family that is not skinned yet has no row, and its controls
// keep their look (a Skin3rd kind without a row is still "handled": the class rules do not run).
//
// Not done here yet: the popup-menu owner-draw hooks of SkinOwned; the menus of tool bars.
#include "skin/form/control_attach.h"

#include "framework/base/prop_access.h"
#include "framework/controls/button.h"
#include "framework/controls/check_box.h"
#include "framework/controls/group_box.h"
#include "framework/controls/panel.h"
#include "framework/forms/forms.h"
#include "framework/graphics/canvas.h"
#include "framework/window/window_property.h"
#include "skin/controls/button_skin.h"
#include "skin/controls/check_radio.h"
#include "skin/controls/containers.h"
#include "skin/controls/group_panel_status.h"
#include "skin/controls/header_list.h"
#include "skin/controls/tab.h"
#include "skin/controls/track_progress.h"
#include "framework/controls/tab_control.h"
#include "framework/controls/tab_set.h"
#include "skin/controls/edit_combo_spin.h"
#include "skin/controls/scroll_bar.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_protocol.h"
#include "skin/data/skin_trace.h"
#include "skin/form/form_skin.h"
#include "skin/form/window_colours.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <cwctype>
#include <functional>

namespace orvo {

namespace {

std::wstring Upper(std::wstring s) {
    std::transform(s.begin(), s.end(), s.begin(), [](wchar_t c) { return static_cast<wchar_t>(std::towupper(c)); });
    return s;
}

// The control's class or one of its ancestors has this name (ASCII case ignored): the families
// are found by name, so the rules reach the framework's classes without knowing their headers.
bool IsA(const TObject* object, std::wstring_view className) {
    for (const TClassInfo* info = object ? &object->ClassInfo() : nullptr; info; info = info->Parent()) {
        const std::wstring_view name = info->Name();
        if (name.size() == className.size() &&
            std::equal(name.begin(), name.end(), className.begin(),
                       [](wchar_t a, wchar_t b) { return std::towlower(a) == std::towlower(b); }))
            return true;
    }
    return false;
}

struct TRuleContext {
    TWinSkinForm& FormSkin;
    TSkinData& Data;
    TControl* Control;
    TComponent* Container;
    std::wstring Name; // upper case
    bool Has(TSkinControlType type) const { return Data.SkinControls().Contains(type); }
    TWinControl* Windowed() const { return dynamic_cast<TWinControl*>(Control); }
};

} // namespace

// ---- plain rules -----------------------------------------------------------------------------

std::optional<std::wstring> Skin3rdKind(const std::vector<std::wstring>& lines, const std::wstring& className) {
    const std::wstring prefix = LowerText(className) + L"=";
    for (const std::wstring& line : lines) {
        const std::wstring lower = LowerText(line);
        if (!lower.starts_with(prefix)) continue;
        return lower.substr(prefix.size(), 50);
    }
    return std::nullopt;
}

TBareButtonKind BareButtonKindOf(DWORD style) noexcept {
    switch (style & 0x0F) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
    case BS_PUSHBOX:
        return (style & (BS_BITMAP | BS_ICON)) ? TBareButtonKind::None : TBareButtonKind::Push;
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
        return (style & (BS_BITMAP | BS_ICON | BS_PUSHLIKE)) ? TBareButtonKind::None : TBareButtonKind::CheckBox;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
        return (style & (BS_BITMAP | BS_ICON | BS_PUSHLIKE)) ? TBareButtonKind::None : TBareButtonKind::Radio;
    case BS_OWNERDRAW:
    case BS_USERBUTTON:
        return TBareButtonKind::OwnerDraw;
    default: // group box, split buttons, command links
        return TBareButtonKind::None;
    }
}

// ---- registration ----------------------------------------------------------------------------

bool TWinSkinForm::RegisterSkin(TSkinControl* skin) {
    if (!skin) return true;
    if (std::find(FControlSkins.begin(), FControlSkins.end(), skin) != FControlSkins.end()) return true;
    FControlSkins.push_back(skin);
    return false;
}

void TWinSkinForm::UnregisterSkin(TSkinControl* skin) {
    const auto at = std::find(FControlSkins.rbegin(), FControlSkins.rend(), skin);
    if (at != FControlSkins.rend()) FControlSkins.erase(std::next(at).base());
}

bool TWinSkinForm::IsSkinned(TControl* control) const {
    if (!control) return false;
    if (auto* windowed = dynamic_cast<TWinControl*>(control); windowed && windowed->HandleAllocated())
        if (SendMessageW(windowed->Handle(), SKM_ISSKINNED, 0, 0) == 1) return true;
    return std::any_of(FControlSkins.begin(), FControlSkins.end(),
                       [control](TSkinControl* s) { return s->Control == control || s->RepaintTarget == control; });
}

bool TWinSkinForm::IsSkinnedWindow(HWND window) const {
    return std::any_of(FControlSkins.begin(), FControlSkins.end(), [window](TSkinControl* s) {
        return s->Handle == window && s->State != TSkinControlState::Destroyed;
    });
}

TCanvas* TWinSkinForm::ControlCanvas() {
    if (!FControlCanvas) FControlCanvas = std::make_unique<TCanvas>();
    return FControlCanvas.get();
}

void TWinSkinForm::ControlSkinsChanged() {
    const std::vector<TSkinControl*> skins = FControlSkins;
    for (TSkinControl* skin : skins)
        if (std::find(FControlSkins.begin(), FControlSkins.end(), skin) != FControlSkins.end()) skin->SkinChanged();
}

bool TWinSkinForm::AttachNew(TSkinControl* skin, TControl* control, bool manageColor) {
    skin->AttachControl(this, FSkinData, manageColor, ControlCanvas());
    if (skin->Attached) {
        ORVO_SKIN_TRACE(L"control %ls gets %ls", std::wstring(control->ClassName()).c_str(),
                        std::wstring(skin->ClassName()).c_str());
        return true;
    }
    delete skin;
    return false;
}

void TWinSkinForm::AttachNewWindow(TSkinControl* skin, HWND window) {
    skin->AttachWindow(window, FSkinData, this, ControlCanvas());
    if (!skin->Attached) delete skin;
}

// ---- the tables ------------------------------------------------------------------------------

namespace {

using TRuleTest = bool (*)(const TRuleContext&);
using TRuleAction = void (*)(TRuleContext&);

struct TClassRule {
    int Row; // the rule's place in the order of every family's rules
    TRuleTest Test;
    std::optional<TSkinControlType> Needs; // the row is skipped without it
    TRuleAction Apply;
};

void Attach(TRuleContext& c, TSkinControl* skin, bool manageColor) {
    c.FormSkin.AttachNew(skin, c.Control, manageColor);
}

// Children run through every guard of SkinControl (Tag, already skinned) before they get `make`'s
// object.
template <class TSkin> void EachChild(TRuleContext& c, bool manageColor) {
    TWinControl* parent = c.Windowed();
    if (!parent) return;
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* child = parent->Controls(i);
        if (!child || child->Tag() == c.Data.DisableTag() || c.FormSkin.IsSkinned(child)) continue;
        auto* windowed = dynamic_cast<TWinControl*>(child);
        if (!windowed) continue;
        try {
            windowed->HandleNeeded();
        } catch (...) {
            continue;
        }
        c.FormSkin.AttachNew(new TSkin(child), child, manageColor);
    }
}

void AttachSpeedButton(TRuleContext& c, const std::wstring& graphicProperty) {
    auto* skin = new TSkinSpeedButton(c.Control);
    skin->GraphicProperty = graphicProperty;
    skin->AttachSpeedButton(&c.FormSkin, &c.Data, c.Control, c.FormSkin.ControlCanvas());
    if (!skin->Attached) delete skin;
}

void RadioGroupRule(TRuleContext& c) {
    EachChild<TSkinRadioButton>(c, false);
    Attach(c, new TSkinGroupBox(c.Control), true);
}

void GroupBoxRule(TRuleContext& c) {
    if (TWinControl* w = c.Windowed()) c.FormSkin.SkinChildren(w);
    Attach(c, new TSkinGroupBox(c.Control), false);
}

void PanelRule(TRuleContext& c) {
    if (TWinControl* w = c.Windowed()) c.FormSkin.SkinChildren(w);
    Attach(c, new TSkinBox(c.Control), true);
}

void NavigatorRule(TRuleContext& c) {
    Attach(c, new TSkinBox(c.Control), true);
    if (TWinControl* w = c.Windowed())
        for (int i = 0; i < w->ControlCount(); ++i) c.FormSkin.SkinControl(w->Controls(i), c.Control);
}

void BitButtonRule(TRuleContext& c) {
    if (!c.Has(xcBitBtn)) return;
    // A bit button with a drop-down arrow keeps its arrow.
    if (IsA(c.Control, L"TMenuButton"))
        Attach(c, new TSkinMenuButton(c.Control), false);
    else
        Attach(c, new TSkinBitButton(c.Control), false);
}

bool HasTabs(const TRuleContext& c) {
    return c.Data.Tabs() != nullptr;
}

void TabRule(TRuleContext& c) {
    if (IsA(c.Control, L"TPageControl")) {
        auto* skin = new TSkinTab(c.Control);
        if (c.FormSkin.AttachNew(skin, c.Control, false)) skin->Mode = 2;
        return;
    }
    auto* tabs = dynamic_cast<TCustomTabControl*>(c.Control);
    if (tabs && tabs->Style() != tsTabs)
        Attach(c, new TSkinTabBtn(c.Control), false);
    else
        Attach(c, new TSkinTab(c.Control), false);
}

void TabSetRule(TRuleContext& c) {
    auto* skin = new TSkinTab31(c.Control);
    skin->AttachTabSet(dynamic_cast<TTabSet*>(c.Control), &c.Data, &c.FormSkin, c.FormSkin.ControlCanvas());
    if (!skin->Attached) delete skin;
}

void EmbeddedRule(TRuleContext& c) {
    if (IsA(c.Control, L"TCustomForm")) Attach(c, new TSkinBox(c.Control), true);
    c.FormSkin.SkinOwned(c.Control);
}

void AttachScrollSkin(TRuleContext& c, int mode = 0) {
    auto* skin = new TSkinScrollbar(c.Control);
    skin->Mode = mode;
    skin->AttachScrollbars(c.Control, &c.Data, &c.FormSkin, c.FormSkin.ControlCanvas());
    if (!skin->Attached) delete skin;
}

void AttachScrollControl(TRuleContext& c, TControl* control) {
    auto* skin = new TSkinScControl(control);
    skin->AttachScrollControl(control, &c.Data, &c.FormSkin, c.FormSkin.ControlCanvas());
    if (!skin->Attached) delete skin;
}

bool HasScrollStyle(const TControl* control) {
    auto* windowed = dynamic_cast<const TWinControl*>(control);
    if (!windowed || !windowed->HandleAllocated()) return false;
    const auto style = GetWindowLongPtrW(const_cast<TWinControl*>(windowed)->Handle(), GWL_STYLE);
    return (style & (WS_VSCROLL | WS_HSCROLL)) != 0;
}

// A date picker with arrows (a time, or a date by arrows) is an edit with an up-down inside.
void DateTimeRule(TRuleContext& c) {
    const std::wstring kind = LowerText(GetPropValue(c.Control, L"Kind").value_or(L""));
    const std::wstring mode = LowerText(GetPropValue(c.Control, L"DateMode").value_or(L""));
    if (kind == L"dtktime" || mode == L"dmupdown")
        Attach(c, new TSkinEdit(c.Control), false);
    else
        Attach(c, new TSkinDateTime(c.Control), false);
}

// The window has a border: window and client rectangle differ in size.
bool Bordered(const TControl* control) {
    auto* windowed = dynamic_cast<const TWinControl*>(control);
    if (!windowed || !windowed->HandleAllocated()) return false;
    HWND w = const_cast<TWinControl*>(windowed)->Handle();
    RECT outer{};
    RECT inner{};
    GetWindowRect(w, &outer);
    GetClientRect(w, &inner);
    return inner.right != outer.right - outer.left || inner.bottom != outer.bottom - outer.top;
}

// In the order of every family's rules; later families insert their rows by number.
const std::array<TClassRule, 34>& ClassRules() {
    static const std::array<TClassRule, 34> rules{{
        {1, [](const TRuleContext& c) { return HasTabs(c) && IsA(c.Control, L"TCustomTabControl"); }, xcTab, TabRule},
        {3, [](const TRuleContext& c) { return IsA(c.Control, L"TCoolBar"); }, xcToolbar,
         [](TRuleContext& c) { Attach(c, new TSkinCoolBar(c.Control), false); }},
        {4, [](const TRuleContext& c) { return HasTabs(c) && c.Name == L"TTABSET"; }, xcTab, TabSetRule},
        {5, [](const TRuleContext& c) { return HasTabs(c) && IsA(c.Control, L"TTabSheet"); }, xcTab,
         [](TRuleContext& c) { Attach(c, new TSkinTabSheet(c.Control), false); }},
        {7, [](const TRuleContext& c) { return c.Name == L"TMVCPANEL"; }, std::nullopt,
         [](TRuleContext& c) {
             if (TWinControl* w = c.Windowed()) c.FormSkin.SkinChildren(w);
         }},
        {9, [](const TRuleContext& c) { return IsA(c.Control, L"THeaderControl"); }, xcPanel,
         [](TRuleContext& c) { Attach(c, new TSkinHeader(c.Control), false); }},
        {10, [](const TRuleContext& c) { return c.Control->InheritsFrom<TCustomCheckBox>(); }, xcCheckBox,
         [](TRuleContext& c) { Attach(c, new TSkinCheckBox(c.Control), false); }},
        {11, [](const TRuleContext& c) { return IsA(c.Control, L"TTrackBar"); }, xcTrackBar,
         [](TRuleContext& c) { Attach(c, new TSkinTrackBar(c.Control), false); }},
        {12, [](const TRuleContext& c) { return c.Name == L"TUPDOWN" || c.Name == L"TSPINBUTTON"; }, xcSpin,
         [](TRuleContext& c) { Attach(c, new TSkinUpDown(c.Control), false); }},
        {14, [](const TRuleContext& c) { return IsA(c.Control, L"TCustomRadioGroup"); }, xcRadioButton, RadioGroupRule},
        {15, [](const TRuleContext& c) { return c.Name == L"TDBNAVIGATOR"; }, xcPanel, NavigatorRule},
        {19, [](const TRuleContext& c) { return c.Control->InheritsFrom<TCustomGroupBox>(); }, xcPanel, GroupBoxRule},
        {20, [](const TRuleContext& c) { return IsA(c.Control, L"TRadioButton"); }, xcRadioButton,
         [](TRuleContext& c) { Attach(c, new TSkinRadioButton(c.Control), false); }},
        {21, [](const TRuleContext& c) { return IsA(c.Control, L"TToolBar"); }, xcToolbar,
         [](TRuleContext& c) { Attach(c, new TSkinToolBar(c.Control), false); }},
        {22, [](const TRuleContext& c) { return IsA(c.Control, L"TStatusBar"); }, xcStatusBar,
         [](TRuleContext& c) { Attach(c, new TSkinStatusBar(c.Control), false); }},
        {23, [](const TRuleContext& c) { return IsA(c.Control, L"TProgressBar"); }, xcProgress,
         [](TRuleContext& c) { Attach(c, new TSkinProgress(c.Control), false); }},
        {24, [](const TRuleContext& c) { return IsA(c.Control, L"TScrollBar"); }, xcScrollbar,
         [](TRuleContext& c) { AttachScrollControl(c, c.Control); }},
        {25, [](const TRuleContext& c) { return c.Name == L"TTNTCOMBOBOX"; }, xcCombo,
         [](TRuleContext& c) { Attach(c, new TSkinComBox(c.Control), false); }},
        {26, [](const TRuleContext& c) { return IsA(c.Control, L"TCustomComboBox"); }, xcCombo,
         [](TRuleContext& c) { Attach(c, new TSkinComBox(c.Control), false); }},
        {27, [](const TRuleContext& c) { return IsA(c.Control, L"TDateTimePicker"); }, xcEdit, DateTimeRule},
        {28, [](const TRuleContext& c) { return c.Name == L"TRICHEDIT"; }, xcScrollbar,
         [](TRuleContext& c) { AttachScrollSkin(c); }},
        {29, [](const TRuleContext& c) { return c.Name == L"TWWDBRICHEDIT" || c.Name == L"TDXDBMEMO"; }, xcScrollbar,
         [](TRuleContext& c) { AttachScrollSkin(c); }},
        {31, [](const TRuleContext& c) { return IsA(c.Control, L"TBitBtn"); }, std::nullopt, BitButtonRule},
        {32, [](const TRuleContext& c) { return IsA(c.Control, L"TSpeedButton"); }, xcSpeedButton,
         [](TRuleContext& c) { AttachSpeedButton(c, {}); }},
        {33, [](const TRuleContext& c) { return c.Control->InheritsFrom<TCustomPanel>(); }, xcPanel, PanelRule},
        {34,
         [](const TRuleContext& c) {
             return c.Name == L"TDXTREELIST" || c.Name == L"TDXDBTREELIST" || c.Name == L"TDXDBGRID";
         },
         xcScrollbar, [](TRuleContext& c) { AttachScrollSkin(c); }},
        {35, [](const TRuleContext& c) { return IsA(c.Control, L"TCustomListView"); }, xcScrollbar,
         [](TRuleContext& c) { Attach(c, new TSkinListView(c.Control), false); }},
        {36, [](const TRuleContext& c) { return c.Name == L"TCHECKLISTBOX"; }, xcScrollbar,
         [](TRuleContext& c) { Attach(c, new TSkinCheckList(c.Control), false); }},
        {37, [](const TRuleContext& c) { return IsA(c.Control, L"TCustomMemo"); }, xcScrollbar,
         [](TRuleContext& c) { AttachScrollSkin(c); }},
        {38,
         [](const TRuleContext& c) {
             return IsA(c.Control, L"TCustomListBox") || IsA(c.Control, L"TCustomTreeView") ||
                    IsA(c.Control, L"TStringGrid");
         },
         xcScrollbar,
         [](TRuleContext& c) {
             if (IsA(c.Control, L"TCustomTreeView"))
                 Attach(c, new TSkinTreeView(c.Control), false);
             else
                 AttachScrollSkin(c);
         }},
        {39, [](const TRuleContext& c) { return HasScrollStyle(c.Control) || IsA(c.Control, L"TMemo"); }, xcScrollbar,
         [](TRuleContext& c) { AttachScrollSkin(c); }},
        {40, [](const TRuleContext& c) { return c.Control->InheritsFrom<TButton>(); }, xcButton,
         [](TRuleContext& c) { Attach(c, new TSkinButton(c.Control), false); }},
        {41, [](const TRuleContext& c) { return IsA(c.Control, L"TCustomEdit"); }, xcEdit,
         [](TRuleContext& c) { Attach(c, new TSkinEdit(c.Control), false); }},
        {42,
         [](const TRuleContext& c) {
             return c.Name != L"TDCEDIT" && c.Name != L"TDCDBEDIT" && c.Control->Parent() &&
                    (IsA(c.Control, L"TCustomFrame") || IsA(c.Control, L"TCustomForm"));
         },
         std::nullopt, EmbeddedRule},
    }};
    return rules;
}

struct TKindRule {
    const wchar_t* Kind;
    std::optional<TSkinControlType> Needs;
    TRuleAction Apply;
};

void PanelKind(TRuleContext& c) {
    SetPropValue(c.Control, L"Transparent", L"True");
    Attach(c, new TSkinBox(c.Control), true);
}

void BitBtnKind(TRuleContext& c) {
    const std::wstring lower = LowerText(std::wstring(c.Control->ClassName()));
    if (lower + L"=" == L"tcxbutton=" && GetPropValue(c.Control, L"Kind").value_or(L"") == L"cxbkDropDownButton")
        Attach(c, new TSkinMenuButton(c.Control), false);
    else
        Attach(c, new TSkinBitButton(c.Control), false);
}

void PngBitBtnKind(TRuleContext& c) {
    auto* skin = new TSkinBitButton(c.Control);
    skin->GraphicProperty = L"PngImage";
    Attach(c, skin, false);
}

// Other vendors' check controls with custom glyph strips take another skin object; plain ones
// are skinned as check boxes and radio buttons.
template <class TSkin> void GroupItems(TRuleContext& c) {
    if (c.Name.find(L"TRZ") != std::wstring::npos) return;
    EachChild<TSkin>(c, false);
}

void RadioGroupKind(TRuleContext& c) {
    if (c.Has(xcRadioButton)) GroupItems<TSkinRadioButton>(c);
    Attach(c, new TSkinGroupBox(c.Control), true);
}

void CheckGroupKind(TRuleContext& c) {
    if (c.Has(xcRadioButton)) GroupItems<TSkinCheckBox>(c);
    if (c.Has(xcGroupBox)) Attach(c, new TSkinGroupBox(c.Control), true);
}

void EmbedScrollbarKind(TRuleContext& c) {
    TWinControl* parent = c.Windowed();
    if (!parent) return;
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* child = parent->Controls(i);
        if (!child || c.FormSkin.IsSkinned(child)) continue;
        auto* windowed = dynamic_cast<TWinControl*>(child);
        if (!windowed) continue;
        try {
            windowed->HandleNeeded();
        } catch (...) {
            continue;
        }
        TRuleContext childContext{c.FormSkin, c.Data, child, c.Control, c.Name};
        if (IsA(child, L"TScrollBar"))
            AttachScrollControl(c, child);
        else if (HasScrollStyle(child) || IsA(child, L"TMemo"))
            AttachScrollSkin(childContext);
    }
}

// The kinds of this system's control families, in the order they are compared.
const std::array<TKindRule, 23>& KindRules() {
    static const std::array<TKindRule, 23> rules{{
        {L"combobox", xcCombo, [](TRuleContext& c) { Attach(c, new TSkinComBox(c.Control), false); }},
        {L"comboboxex", xcCombo,
         [](TRuleContext& c) {
             auto* skin = new TSkinComBox(c.Control);
             skin->FlatMode = true;
             Attach(c, skin, false);
         }},
        {L"edit", xcEdit,
         [](TRuleContext& c) {
             if (Bordered(c.Control)) Attach(c, new TSkinEdit(c.Control), false);
         }},
        {L"radiobutton", xcRadioButton, [](TRuleContext& c) { Attach(c, new TSkinRadioButton(c.Control), false); }},
        {L"panel", xcPanel, PanelKind},
        {L"trackbar", xcButton,
         [](TRuleContext& c) {
             SetPropValue(c.Control, L"Transparent", L"True");
             Attach(c, new TSkinTrackBar(c.Control), false);
         }},
        {L"button", xcButton, [](TRuleContext& c) { Attach(c, new TSkinButton(c.Control), false); }},
        {L"bitbtn", xcButton, BitBtnKind},
        {L"pngbitbtn", xcButton, PngBitBtnKind},
        {L"pngspeedbutton", xcButton, [](TRuleContext& c) { AttachSpeedButton(c, L"PngImage"); }},
        {L"menubtn", xcButton, [](TRuleContext& c) { Attach(c, new TSkinMenuButton(c.Control), false); }},
        {L"speedbutton", xcSpeedButton, [](TRuleContext& c) { AttachSpeedButton(c, {}); }},
        {L"tab", xcTab,
         [](TRuleContext& c) {
             if (HasTabs(c)) Attach(c, new TSkinTab(c.Control), false);
         }},
        {L"progress", xcProgress, [](TRuleContext& c) { Attach(c, new TSkinProgress(c.Control), false); }},
        {L"datetimepicker", xcCombo, [](TRuleContext& c) { Attach(c, new TSkinDateTime(c.Control), false); }},
        {L"scrollbar", xcScrollbar,
         [](TRuleContext& c) {
             AttachScrollSkin(c);
             if (TWinControl* w = c.Windowed()) c.FormSkin.SkinChildren(w);
         }},
        {L"singlescrollbar", xcScrollbar, [](TRuleContext& c) { AttachScrollSkin(c, 1); }},
        {L"embedscrollbar", xcScrollbar, EmbedScrollbarKind},
        {L"container", std::nullopt,
         [](TRuleContext& c) {
             if (TWinControl* w = c.Windowed()) c.FormSkin.SkinChildren(w);
         }},
        {L"groupbox", xcGroupBox, [](TRuleContext& c) { Attach(c, new TSkinGroupBox(c.Control), true); }},
        {L"radiogroup", xcGroupBox, RadioGroupKind},
        {L"checkgroup", xcPanel, CheckGroupKind},
        {L"checkbox", xcCheckBox, [](TRuleContext& c) { Attach(c, new TSkinCheckBox(c.Control), false); }},
    }};
    return rules;
}

} // namespace

// ---- framework controls ----------------------------------------------------------------------

bool TWinSkinForm::Skin3rdMapping(TControl* control, const std::wstring& upperName) {
    TStringList* lines = FSkinData->Skin3rd();
    if (!lines) return false;
    std::vector<std::wstring> text;
    text.reserve(static_cast<std::size_t>(lines->Count()));
    for (int i = 0; i < lines->Count(); ++i) text.push_back(lines->Get(i));
    const auto kind = Skin3rdKind(text, std::wstring(control->ClassName()));
    if (!kind) return false;
    if (*kind == L"nil") return true;
    TRuleContext c{*this, *FSkinData, control, nullptr, upperName};
    for (const TKindRule& rule : KindRules()) {
        if (*kind != rule.Kind || (rule.Needs && !c.Has(*rule.Needs))) continue;
        rule.Apply(c);
        break;
    }
    return true;
}

void TWinSkinForm::SkinControl(TControl* control, TComponent* container) {
    if (!control || !FSkinData || FReleasingControls) return;
    try {
        if (control->Tag() == FSkinData->DisableTag()) {
            // A disabled group's buttons stay unskinned with it.
            const std::wstring lower = LowerText(std::wstring(control->ClassName()));
            if (lower.find(L"radiogroup") != std::wstring::npos || lower.find(L"checkgroup") != std::wstring::npos)
                if (auto* group = dynamic_cast<TWinControl*>(control))
                    for (int i = 0; i < group->ControlCount(); ++i) group->Controls(i)->SetTag(FSkinData->DisableTag());
            return;
        }
        if (!control->Parent() || IsSkinned(control)) return;
        const std::wstring name = Upper(std::wstring(control->ClassName()));
        if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
            try {
                windowed->HandleNeeded();
            } catch (...) {
                return;
            }
        }
        if (FSkinData->OnSkinControl) {
            TComponent* supplied = nullptr;
            FSkinData->OnSkinControl(this, FSkinData, dynamic_cast<TControl*>(container), control, name, supplied);
            if (supplied) {
                if (auto* skin = dynamic_cast<TSkinControl*>(supplied); skin && !RegisterSkin(skin)) {
                    skin->AttachControl(this, FSkinData, skin->ManageColor, ControlCanvas());
                    if (auto* panel = dynamic_cast<TCustomPanel*>(control)) SkinChildren(panel);
                }
                return;
            }
        }
        if (Skin3rdMapping(control, name)) return;
        if (name == L"TDBCOMBOBOXEH" || name == L"TFRDESIGNERPAGE" || name == L"TFRPBOX") return;
        TRuleContext c{*this, *FSkinData, control, container, name};
        for (const TClassRule& rule : ClassRules()) {
            if (rule.Needs && !c.Has(*rule.Needs)) continue;
            if (!rule.Test(c)) continue;
            rule.Apply(c);
            return;
        }
    } catch (...) {
        ORVO_SKIN_TRACE(L"skinning a %ls failed", std::wstring(control->ClassName()).c_str());
    }
}

void TWinSkinForm::SkinChildren(TWinControl* control) {
    if (!control) return;
    for (int i = 0; i < control->ControlCount(); ++i) SkinControl(control->Controls(i), control);
}

void TWinSkinForm::SkinOwned(TComponent* component) {
    if (!component) return;
    for (int i = 0; i < component->ComponentCount(); ++i)
        if (auto* control = dynamic_cast<TControl*>(component->Components(i))) SkinControl(control, component);
    // menus: the popup menus' owner-draw hooks go here (xcPopupMenu).
}

void TWinSkinForm::WalkForm(TCustomForm* form) {
    ReleaseDeadSkins();
    SkinOwned(form);
    std::vector<TWinControl*> tabOrder;
    form->GetTabOrderList(tabOrder);
    for (TWinControl* control : tabOrder) {
        if (!control->HandleAllocated() || control->Tag() == FSkinData->DisableTag()) continue;
        if (SendMessageW(control->Handle(), SKM_ISSKINNED, 0, 0) == 1) continue;
        SkinControl(control, form);
    }
}

void TWinSkinForm::AttachControlSkins() {
    if (!FSkinData || FSkinData->NoSkin()) return;
    if (FForm)
        WalkForm(FForm);
    else
        SkinChildWindows(Handle);
}

void TWinSkinForm::ReskinControl(HWND window) {
    if (!window || !FSkinData || FReleasingControls) return;
    for (auto it = FControlSkins.rbegin(); it != FControlSkins.rend(); ++it) {
        TSkinControl* old = *it;
        auto* windowed = dynamic_cast<TWinControl*>(old->Control);
        const bool same = old->Handle == window ||
                          (old->State == TSkinControlState::Destroyed && windowed && windowed->HandleAllocated() &&
                           windowed->Handle() == window);
        if (!same || !windowed) continue;
        TComponent* container = windowed->Parent() ? static_cast<TComponent*>(windowed->Parent()) : FForm;
        // The new object saves the control's own colour, not the skin's.
        old->RestoreColor();
        UnregisterSkin(old);
        // A scroll-bar skin (or one built on it) is made again of the same class and mode: the
        // class rules might choose another (a child skinned by its container's kind).
        const TClassInfo& kind = old->ClassInfo();
        const int mode = old->Mode;
        const bool scrollSkin = old->InheritsFrom<TSkinScrollbar>() && kind.CanCreate();
        delete old;
        if (scrollSkin && windowed->Tag() != FSkinData->DisableTag()) {
            auto* fresh = dynamic_cast<TSkinScrollbar*>(kind.Create(windowed));
            if (fresh) {
                fresh->Mode = mode;
                fresh->AttachScrollbars(windowed, FSkinData, this, ControlCanvas());
                if (!fresh->Attached) delete fresh;
                return;
            }
        }
        SkinControl(windowed, container);
        return;
    }
}

// ---- bare windows ----------------------------------------------------------------------------

void TWinSkinForm::SkinChildWindows(HWND window) {
    for (HWND child = GetTopWindow(window); child; child = GetWindow(child, GW_HWNDNEXT))
        if (GetWindowLongPtrW(child, GWL_STYLE) & WS_CHILD) SkinChildWindow(child);
}

void TWinSkinForm::SkinChildWindow(HWND window) {
    if (!window || !FSkinData || FSkinData->NoSkin() || IsSkinnedWindow(window)) return;
    if (SendMessageW(window, SKM_ISSKINNED, 0, 0) == 1) return;
    const std::wstring name = LowerText(orvo::WindowClassName(window));
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    const TSkinControlTypes has = FSkinData->SkinControls();
    auto recolour = [this, window] {
        if (TWinControl* control = FindControl(window)) control->SetColor(FSkinData->Colour(scButtonFace));
    };
    if (name == L"button") {
        switch (BareButtonKindOf(style)) {
        case TBareButtonKind::CheckBox:
            if (has.Contains(xcCheckBox)) AttachNewWindow(new TSkinCheckBox(this), window);
            return;
        case TBareButtonKind::Radio:
            if (has.Contains(xcRadioButton)) AttachNewWindow(new TSkinRadioButton(this), window);
            return;
        case TBareButtonKind::Push:
            if (has.Contains(xcButton)) AttachNewWindow(new TSkinButton(this), window);
            return;
        case TBareButtonKind::None:
        case TBareButtonKind::OwnerDraw:
            return;
        }
    }
    if (name == L"combobox") {
        if (has.Contains(xcCombo) && (style & 3) != CBS_SIMPLE) AttachNewWindow(new TSkinComBox(this), window);
        return;
    }
    if (name == L"comboboxex32") {
        if (HWND inner = GetTopWindow(window); inner && has.Contains(xcCombo))
            AttachNewWindow(new TSkinComBox(this), inner);
        return;
    }
    if (name == L"scrollbar") {
        // Only the size grip: a plain scroll bar without a tab stop is still a scroll bar.
        if (!(style & WS_TABSTOP) && (style & (SBS_SIZEGRIP | SBS_SIZEBOX))) AttachNewWindow(new TSkinSizer(this), window);
        return;
    }
    if (name == L"#32770" && !(style & WS_TABSTOP)) {
        SkinChildWindows(window);
        AttachNewWindow(new TSkinBoxH(this), window);
        return;
    }
    if (name == L"tpanel" || name == L"ttntpanel.unicodeclass" || name == L"ttntsilentpaintpanel.unicodeclass") {
        SkinChildWindows(window);
        recolour();
        return;
    }
    if (name == L"tcheckbox") {
        if (has.Contains(xcCheckBox)) AttachNewWindow(new TSkinCheckBox(this), window);
        return;
    }
    if (name == L"tcombobox") {
        if (has.Contains(xcCombo)) AttachNewWindow(new TSkinComBox(this), window);
        return;
    }
    if (name == L"tbutton") {
        if (has.Contains(xcButton)) AttachNewWindow(new TSkinButton(this), window);
        return;
    }
    if (name == L"tprogressbar") {
        AttachNewWindow(new TSkinProgress(this), window);
        return;
    }
    if (name == L"systabcontrol32") {
        if (has.Contains(xcTab) && FSkinData->Tabs() && !(style & TCS_OWNERDRAWFIXED))
            AttachNewWindow(new TSkinTab(this), window);
        return;
    }
    if (name == L"tsilentpaintpanel") {
        recolour();
        return;
    }
    if (name == L"toolbarwindow32") {
        AttachNewWindow(new TSkinBoxH(this), window);
        return;
    }
    if (name == L"edit" || name == L"sysdatetimepick32") {
        // A bare date picker gets the edit's flat border; its button stays the platform's.
        if (has.Contains(xcEdit)) AttachNewWindow(new TSkinEdit(this), window);
        return;
    }
    if (name == L"shelldll_defview") {
        // The shell's view inside the open-file dialog holds its file list.
        SkinChildWindows(window);
        return;
    }
    if (name == L"syslistview32" || name == L"systreeview32") {
        // Another module's list or tree view: under a skin that dresses window colours its
        // platform edge and scroll bars would be the only white left.
        if (has.Contains(xcScrollbar) && WindowPaletteOf(*FSkinData).Dressed) {
            auto* skin = new TSkinScrollbarH(this);
            skin->OwnBorder = true;
            AttachNewWindow(skin, window);
        }
        return;
    }
    if (name == L"msctls_updown32" && has.Contains(xcSpin)) AttachNewWindow(new TSkinUpDown(this), window);
}

// ---- release ---------------------------------------------------------------------------------

void TWinSkinForm::ReleaseDeadSkins() {
    for (std::size_t i = FControlSkins.size(); i-- > 0;) {
        if (i >= FControlSkins.size()) continue;
        TSkinControl* skin = FControlSkins[i];
        if (skin->State != TSkinControlState::Destroyed) continue;
        UnregisterSkin(skin);
        delete skin;
    }
}

void TWinSkinForm::ReleaseSkinControls() {
    if (FReleasingControls) return;
    FReleasingControls = true;
    const bool dying = FState == TFormSkinState::Detaching;
    // Released because the skin component is going: nothing may read it any more.
    if (!FSkinData)
        for (TSkinControl* skin : FControlSkins) skin->SkinData = nullptr;
    while (!FControlSkins.empty()) {
        TSkinControl* skin = FControlSkins.front();
        try {
            if (!dying && skin->State != TSkinControlState::Destroyed) skin->Unskin();
        } catch (...) {
            ORVO_SKIN_TRACE(L"unskinning a control of %p failed", static_cast<void*>(Handle));
        }
        HWND window = skin->Handle;
        TControl* windowless = skin->Control ? nullptr : skin->RepaintTarget;
        UnregisterSkin(skin);
        delete skin;
        // The control's own look shows at once.
        if (!dying) {
            if (windowless)
                windowless->Invalidate();
            else if (window && IsWindow(window))
                RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
        }
    }
    FReleasingControls = false;
}

} // namespace orvo
