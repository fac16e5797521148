// The keyboard side of TWinControl: keys offered before dispatch (CN_*), dialog keys and
// mnemonics sent to the form, and the key events.
#include "framework/controls/win_control.h"

#include "framework/forms/forms.h"

namespace orvo {

bool TWinControl::HandleKeyMessage(TMessage& m) {
    switch (m.Msg) {
    case CN_KEYDOWN:
    case CN_SYSKEYDOWN:
        CNKeyDown(m);
        return true;
    case CN_CHAR:
        CNChar(m);
        return true;
    case CN_SYSCHAR:
        CNSysChar(m);
        return true;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        return DoKeyDown(m);
    case WM_KEYUP:
    case WM_SYSKEYUP:
        return DoKeyUp(m);
    case WM_CHAR:
        return DoKeyPress(m);
    default:
        return false;
    }
}

bool TWinControl::IsMenuKey(TMessage& m) {
    TCustomForm* form = GetParentForm(this);
    return form && form->IsShortCut(m);
}

// Result 1: consumed (a menu shortcut, or a dialog key the form acted on); 0: dispatch it.
void TWinControl::CNKeyDown(TMessage& m) {
    m.Result = 1;
    if (IsMenuKey(m)) return;
    UINT mask = 0;
    switch (m.WParam) {
    case VK_TAB:
        mask = DLGC_WANTTAB;
        break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        mask = DLGC_WANTARROWS;
        break;
    case VK_RETURN:
    case VK_EXECUTE:
    case VK_ESCAPE:
    case VK_CANCEL:
        mask = DLGC_WANTALLKEYS;
        break;
    default:
        break;
    }
    if (mask != 0 && Perform(CM_WANTSPECIALKEY, m.WParam, m.LParam) == 0 &&
        (Perform(WM_GETDLGCODE) & mask) == 0) {
        TCustomForm* form = GetParentForm(this);
        if (form && form->Perform(CM_DIALOGKEY, m.WParam, m.LParam) != 0) return;
    }
    m.Result = 0;
}

// A character the control does not take may be a mnemonic of another control.
void TWinControl::CNChar(TMessage& m) {
    m.Result = 1;
    if ((Perform(WM_GETDLGCODE) & DLGC_WANTCHARS) == 0) {
        TCustomForm* form = GetParentForm(this);
        if (form && form->Perform(CM_DIALOGCHAR, m.WParam, m.LParam) != 0) return;
    }
    m.Result = 0;
}

// Alt+letter: a mnemonic; when no control takes it the window's menu may.
void TWinControl::CNSysChar(TMessage& m) {
    m.Result = 0;
    if (m.WParam == VK_SPACE) return;
    if (TCustomForm* form = GetParentForm(this)) m.Result = form->Perform(CM_DIALOGCHAR, m.WParam, m.LParam);
}

bool TWinControl::DoKeyDown(TMessage& m) {
    TCustomForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview() && static_cast<TWinControl*>(form)->DoKeyDown(m))
        return true;
    auto key = static_cast<WORD>(m.WParam);
    KeyDown(key, KeyDataShiftState(m.LParam));
    m.WParam = key;
    return key == 0;
}

bool TWinControl::DoKeyUp(TMessage& m) {
    TCustomForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview() && static_cast<TWinControl*>(form)->DoKeyUp(m))
        return true;
    auto key = static_cast<WORD>(m.WParam);
    KeyUp(key, KeyDataShiftState(m.LParam));
    m.WParam = key;
    return key == 0;
}

// An Abort() from a handler travels up to the window procedure, which drops it silently: the key
// is swallowed then as well.
bool TWinControl::DoKeyPress(TMessage& m) {
    TCustomForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview() && static_cast<TWinControl*>(form)->DoKeyPress(m))
        return true;
    auto key = static_cast<wchar_t>(m.WParam);
    KeyPress(key);
    m.WParam = static_cast<WPARAM>(key);
    return key == 0;
}

void TWinControl::KeyDown(WORD& key, TShiftState shift) {
    if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(WORD& key, TShiftState shift) {
    if (OnKeyUp) OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(wchar_t& key) {
    if (OnKeyPress) OnKeyPress(this, key);
}

} // namespace orvo
