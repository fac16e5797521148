// Messages of the control framework: the message record handed to every control's window method,
// the framework's own notices (CM_*, based at 0xB000) and the notifications a parent reflects back
// to the child control that sent them (CN_*, 0xBC00 plus the original message number).
//
// CM_* numbers are a contract with code that chains a control's window method (the skin engine
// handles several of them by number); never renumber them.
#pragma once

#include <cstdint>
#include <functional>
#include <windows.h>

namespace orvo {

// One message as a control's window method sees it. Params are pointer-sized, as in the window
// procedure; Result is what the window procedure (or Perform) answers.
struct TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
};

// A control's window method: replaceable and chainable (see TControl::WindowProc).
using TWndMethod = std::function<void(TMessage& message)>;

// The signed client coordinates packed into a mouse message's LParam.
inline POINT PointFromLParam(LPARAM lParam) noexcept {
    return POINT{static_cast<std::int16_t>(LOWORD(lParam)), static_cast<std::int16_t>(HIWORD(lParam))};
}
inline LPARAM PointToLParam(POINT p) noexcept {
    return MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y));
}

// Framework notices.
constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_ACTIVATE = CM_BASE + 0;           // the form became active
constexpr UINT CM_DEACTIVATE = CM_BASE + 1;         // the form lost activation
constexpr UINT CM_DIALOGKEY = CM_BASE + 5;          // 45061: Tab, arrows, Enter, Esc no control wanted
constexpr UINT CM_DIALOGCHAR = CM_BASE + 6;         // 45062: a mnemonic key (Alt+letter) no control took
constexpr UINT CM_FOCUSCHANGED = CM_BASE + 7;       // 45063: LParam = the control that has the focus now
constexpr UINT CM_PARENTFONTCHANGED = CM_BASE + 8;  // the parent's font changed
constexpr UINT CM_PARENTCOLORCHANGED = CM_BASE + 9; // the parent's colour changed
constexpr UINT CM_VISIBLECHANGED = CM_BASE + 11;    // 45067: WParam = new Visible
constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 12;    // 45068
constexpr UINT CM_COLORCHANGED = CM_BASE + 13;      // 45069
constexpr UINT CM_FONTCHANGED = CM_BASE + 14;       // 45070
constexpr UINT CM_CURSORCHANGED = CM_BASE + 15;     // the control's Cursor changed
constexpr UINT CM_TEXTCHANGED = CM_BASE + 18;       // 45074
constexpr UINT CM_MOUSEENTER = CM_BASE + 19;        // 45075: the pointer moved onto the control
constexpr UINT CM_MOUSELEAVE = CM_BASE + 20;        // 45076: the pointer left it
constexpr UINT CM_MENUCHANGED = CM_BASE + 21;       // 45077: sent by a form's main menu when it changed
constexpr UINT CM_SHOWINGCHANGED = CM_BASE + 25;    // a form was shown or hidden
constexpr UINT CM_ENTER = CM_BASE + 26;             // 45082: the control became the form's focused control
constexpr UINT CM_EXIT = CM_BASE + 27;              // 45083: it stopped being so
constexpr UINT CM_WANTSPECIALKEY = CM_BASE + 30;    // non-zero: the control handles this dialog key itself
constexpr UINT CM_RELEASE = CM_BASE + 33;           // 45089: posted by TCustomForm::Release
constexpr UINT CM_SHOWHINTCHANGED = CM_BASE + 34;   // the control's ShowHint changed
constexpr UINT CM_PARENTSHOWHINTCHANGED = CM_BASE + 35;
constexpr UINT CM_TABSTOPCHANGED = CM_BASE + 40;  // the control's TabStop changed
constexpr UINT CM_RECREATEWND = CM_BASE + 51;     // 45107: re-create the window, keeping the state
constexpr UINT CM_BORDERCHANGED = CM_BASE + 59;   // a bevel or border setting changed
constexpr UINT CM_BIDIMODECHANGED = CM_BASE + 60; // the control's BiDiMode changed
// 45264: sent by a check box or radio button to itself once its check state changed (by a click,
// a key, code, or a sibling radio button taking the check), after its window shows the new state:
// whatever paints the control in its place repaints it.
constexpr UINT CM_CHECKSTATECHANGED = CM_BASE + 208;
// Sent to each windowed child after its parent's client area changed size: children that keep to
// an edge of their parent (status bars) follow it.
constexpr UINT CM_PARENTRESIZED = CM_BASE + 209;
// 45266: sent to a control after it was laid out at another DPI (its bounds, font and lengths
// scaled; TControl::ScaleForDpi): WParam = the old DPI, LParam = the new one. Whatever draws the
// control in its place (the skin engine) takes up the new scale.
constexpr UINT CM_DPICHANGED = CM_BASE + 210;
// 45267: a form asks its window method how wide the frame around its client area is at a DPI,
// WParam = the DPI, LParam = a RECT* around (0, 0, 0, 0), left and top negative, filled in by the
// framework with the system's frame for the window's styles and menu. Whoever draws the form's
// non-client area itself (the skin engine) answers with its own frame instead, where it is not the
// system's scaled: the form sizes itself by the answer when it moves to another DPI.
constexpr UINT CM_FRAMEFORDPI = CM_BASE + 211;

// Reflected notifications: what a parent window received from a child control window, sent to
// that child as CN_BASE + the message through its Perform.
constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_CHARTOITEM = CN_BASE + WM_CHARTOITEM;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND; // 48401
constexpr UINT CN_COMPAREITEM = CN_BASE + WM_COMPAREITEM;
constexpr UINT CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN;
constexpr UINT CN_CTLCOLORDLG = CN_BASE + WM_CTLCOLORDLG;
constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
constexpr UINT CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX;
constexpr UINT CN_CTLCOLORMSGBOX = CN_BASE + WM_CTLCOLORMSGBOX;
constexpr UINT CN_CTLCOLORSCROLLBAR = CN_BASE + WM_CTLCOLORSCROLLBAR;
constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;
constexpr UINT CN_DELETEITEM = CN_BASE + WM_DELETEITEM;
constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM; // 48171
constexpr UINT CN_HSCROLL = CN_BASE + WM_HSCROLL;
constexpr UINT CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM;
constexpr UINT CN_PARENTNOTIFY = CN_BASE + WM_PARENTNOTIFY;
constexpr UINT CN_VKEYTOITEM = CN_BASE + WM_VKEYTOITEM;
constexpr UINT CN_VSCROLL = CN_BASE + WM_VSCROLL; // 48405
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;   // 48206
// Keyboard messages are offered to the focused control as CN_* before they are dispatched
// (TApplication); an answer other than 0 means the control consumed them.
constexpr UINT CN_KEYDOWN = CN_BASE + WM_KEYDOWN;
constexpr UINT CN_KEYUP = CN_BASE + WM_KEYUP;
constexpr UINT CN_CHAR = CN_BASE + WM_CHAR;
constexpr UINT CN_SYSKEYDOWN = CN_BASE + WM_SYSKEYDOWN;
constexpr UINT CN_SYSCHAR = CN_BASE + WM_SYSCHAR;

} // namespace orvo
