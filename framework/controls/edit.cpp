#include "framework/controls/edit.h"

#include "framework/controls/control_publish.h"

namespace orvo {

ORVO_IMPLEMENT_CLASS(TCustomEdit);
ORVO_IMPLEMENT_CLASS(TEdit);

namespace {
// The largest limit an edit accepts: no limit in practice.
constexpr WPARAM NoTextLimit = 0x7FFFFFFE;
} // namespace

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
    SetControlStyle(TControlStyle{csClickEvents, csDoubleClicks});
    SetBounds(0, 0, 121, 21);
    SetTabStop(true);
    SetColor(clWindow);
}

void TCustomEdit::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.BaseClassName = L"EDIT";
    params.Style |= ES_AUTOHSCROLL;
    if (FReadOnly) params.Style |= ES_READONLY;
    if (!FHideSelection) params.Style |= ES_NOHIDESEL;
    if (FPasswordChar) params.Style |= ES_PASSWORD;
    if (FBorderStyle == bsSingle) params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomEdit::CreateWnd() {
    TWinControl::CreateWnd();
    SendMessageW(Handle(), EM_LIMITTEXT, FMaxLength > 0 ? static_cast<WPARAM>(FMaxLength) : NoTextLimit, 0);
    if (FPasswordChar) SendMessageW(Handle(), EM_SETPASSWORDCHAR, FPasswordChar, 0);
}

void TCustomEdit::SetBorderStyle(TBorderStyle style) {
    if (style == FBorderStyle) return;
    FBorderStyle = style;
    RecreateWnd();
}

void TCustomEdit::SetMaxLength(int length) {
    if (length < 0) length = 0;
    FMaxLength = length;
    if (HandleAllocated())
        SendMessageW(Handle(), EM_LIMITTEXT, length > 0 ? static_cast<WPARAM>(length) : NoTextLimit, 0);
}

void TCustomEdit::SetReadOnly(bool value) {
    FReadOnly = value;
    if (HandleAllocated()) SendMessageW(Handle(), EM_SETREADONLY, value ? TRUE : FALSE, 0);
}

void TCustomEdit::SetPasswordChar(wchar_t ch) {
    if (ch == FPasswordChar) return;
    FPasswordChar = ch;
    RecreateWnd();
}

void TCustomEdit::SetHideSelection(bool value) {
    if (value == FHideSelection) return;
    FHideSelection = value;
    RecreateWnd();
}

bool TCustomEdit::Modified() const {
    auto* self = const_cast<TCustomEdit*>(this);
    return self->HandleAllocated() && SendMessageW(self->Handle(), EM_GETMODIFY, 0, 0) != 0;
}

void TCustomEdit::SetModified(bool value) {
    if (HandleAllocated()) SendMessageW(Handle(), EM_SETMODIFY, value ? TRUE : FALSE, 0);
}

int TCustomEdit::SelStart() const {
    DWORD start = 0;
    SendMessageW(const_cast<TCustomEdit*>(this)->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    return static_cast<int>(start);
}

void TCustomEdit::SetSelStart(int start) {
    SendMessageW(Handle(), EM_SETSEL, static_cast<WPARAM>(start), start);
}

int TCustomEdit::SelLength() const {
    DWORD start = 0, end = 0;
    SendMessageW(const_cast<TCustomEdit*>(this)->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(end - start);
}

void TCustomEdit::SetSelLength(int length) {
    const int start = SelStart();
    SendMessageW(Handle(), EM_SETSEL, static_cast<WPARAM>(start), start + length);
}

std::wstring TCustomEdit::SelText() const {
    const std::wstring text = Text();
    const auto start = static_cast<std::size_t>(SelStart());
    return start < text.size() ? text.substr(start, static_cast<std::size_t>(SelLength())) : std::wstring();
}

void TCustomEdit::SetSelText(const std::wstring& text) {
    SendMessageW(Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

void TCustomEdit::SelectAll() {
    SendMessageW(Handle(), EM_SETSEL, 0, -1);
}

void TCustomEdit::DoEnter() {
    // Not when a click put the focus here: the click places the caret.
    if (FAutoSelect && !ControlState().Contains(csLButtonDown) &&
        !(GetWindowLongW(Handle(), GWL_STYLE) & ES_MULTILINE))
        SelectAll();
    TWinControl::DoEnter();
}

void TCustomEdit::Change() {
    if (OnChange) OnChange(this);
}

void TCustomEdit::WndProc(TMessage& m) {
    if (m.Msg == CN_COMMAND) {
        if (HIWORD(m.WParam) == EN_CHANGE && !ControlState().Contains(csCreating)) Change();
        m.Result = 0;
        return;
    }
    TWinControl::WndProc(m);
    // A multi-line edit sends no EN_CHANGE for a text set from outside; without a window there is
    // nobody to send one.
    if (m.Msg == CM_TEXTCHANGED &&
        (!HandleAllocated() || (GetWindowLongW(Handle(), GWL_STYLE) & ES_MULTILINE)))
        Change();
}

TEdit::TEdit(TComponent* owner) : TCustomEdit(owner) {}

void TEdit::Publish(TPublisher<TEdit>& p) {
    PublishEditProperties(p);
    p.String(L"Text", &TEdit::Text, &TEdit::SetText);
    p.Integer(
        L"PasswordChar", [](TEdit& e) { return static_cast<std::int32_t>(e.PasswordChar()); },
        [](TEdit& e, std::int32_t ch) { e.SetPasswordChar(static_cast<wchar_t>(ch)); });
}

} // namespace orvo
