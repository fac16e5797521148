// TWinSkinForm: the skin's window colours on the window's controls (control_colours.h), the
// colour messages of windows no framework control stands behind (window_colours.h), their
// custom-drawn and owner-drawn items (item_colours.h), and the child
// windows a dialog makes after it was skinned (the open-file dialog makes a new file list for
// every folder it shows).
#include "framework/window/window_property.h"
#include "skin/controls/control_skin.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_protocol.h"
#include "skin/form/control_colours.h"
#include "skin/form/form_skin.h"
#include "skin/form/item_colours.h"
#include "skin/form/window_colours.h"

#include <commctrl.h>

namespace orvo {

namespace {

// The containers whose children the bare-window walk skins (control_attach.cpp).
bool WalkedContainer(HWND window, HWND top) {
    if (window == top) return true;
    const std::wstring name = LowerText(WindowClassName(window));
    return name == L"#32770" || name == L"shelldll_defview";
}

} // namespace

void TWinSkinForm::ApplyWindowColours() {
    if (!FSkinData || FSkinData->NoSkin() || FState == TFormSkinState::Destroyed) return;
    if (!FControlColours) FControlColours = new TControlColours(this);
    FControlColours->Apply(Handle, FForm, *FSkinData);
}

void TWinSkinForm::AnswerColourMessage(TMessage& m) {
    if (!FSkinData || FSkinData->NoSkin()) return;
    // A framework control answers from its own colours: the framework reflects the message to it.
    if (FForm && FindControl(reinterpret_cast<HWND>(m.LParam))) return;
    orvo::AnswerColourMessage(WindowPaletteOf(*FSkinData), m);
}

bool TWinSkinForm::ItemMessage(TMessage& m) {
    // A framework control's items are its own skin object's (the framework reflects the notice).
    if (FForm || !FSkinData || FSkinData->NoSkin()) return false;
    const TWindowPalette palette = WindowPaletteOf(*FSkinData);
    if (!palette.Dressed) return false;
    if (m.Msg == WM_DRAWITEM) return RecolourOwnerDrawnItem(palette, m, [this](TMessage& inner) { CallDefault(inner); });
    const auto* header = reinterpret_cast<const NMHDR*>(m.LParam);
    if (!header || header->code != NM_CUSTOMDRAW) return false;
    CallDefault(m);
    RecolourCustomDraw(palette, m);
    return true;
}

void TWinSkinForm::ChildCreated(HWND child) {
    // A framework form's controls are walked once, at the first skinning; a dialog's children
    // made before it are walked then too.
    if (FForm || FState == TFormSkinState::Attached || FState == TFormSkinState::Destroyed) return;
    PostMessageW(Handle, SKM_CHILDCREATED, reinterpret_cast<WPARAM>(child), 0);
}

void TWinSkinForm::ChildMade(HWND child) {
    if (!FSkinData || FSkinData->NoSkin() || !IsWindow(child) || !IsChild(Handle, child)) return;
    // The window this one replaces (the last folder's file list) has gone with its skin object.
    ReleaseDeadSkins();
    if (WalkedContainer(GetParent(child), Handle)) SkinChildWindow(child);
    if (FControlColours) FControlColours->ApplyToWindow(child, *FSkinData);
}

} // namespace orvo
