#include "framework/controls/rich_edit.h"

#include "framework/base/exceptions.h"
#include "framework/base/properties.h"
#include "framework/controls/control_publish.h"
#include "framework/graphics/color.h"

#include <richedit.h>

#include <cstring>

namespace orvo {

ORVO_IMPLEMENT_CLASS(TCustomRichEdit);
ORVO_IMPLEMENT_CLASS(TRichEdit);

namespace {

// The largest text a rich edit takes: no limit in practice.
constexpr LPARAM NoTextLimit = 0x7FFFFFFE;

DWORD CALLBACK StreamOutToString(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* done) {
    reinterpret_cast<std::string*>(cookie)->append(reinterpret_cast<const char*>(buffer), static_cast<std::size_t>(count));
    *done = count;
    return 0;
}

struct TStreamSource {
    const std::string* Data;
    std::size_t Position;
};

DWORD CALLBACK StreamInFromString(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* done) {
    auto* source = reinterpret_cast<TStreamSource*>(cookie);
    const std::size_t left = source->Data->size() - source->Position;
    const std::size_t n = std::min(left, static_cast<std::size_t>(std::max(count, 0L)));
    std::memcpy(buffer, source->Data->data() + source->Position, n);
    source->Position += n;
    *done = static_cast<LONG>(n);
    return 0;
}

// Rich text format is 7-bit: other characters of a text written by hand become \uN? escapes.
std::string RtfBytes(const std::wstring& rtf) {
    std::string bytes;
    bytes.reserve(rtf.size());
    for (wchar_t ch : rtf) {
        if (ch < 0x80) {
            bytes += static_cast<char>(ch);
        } else {
            bytes += "\\u" + std::to_string(static_cast<int>(static_cast<std::int16_t>(ch))) + "?";
        }
    }
    return bytes;
}

void StreamIn(HWND edit, const std::string& rtf) {
    TStreamSource source{&rtf, 0};
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&source), 0, &StreamInFromString};
    SendMessageW(edit, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
}

std::string StreamOut(HWND edit) {
    std::string rtf;
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&rtf), 0, &StreamOutToString};
    SendMessageW(edit, EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&stream));
    return rtf;
}

} // namespace

const wchar_t* TCustomRichEdit::NativeClassName() {
    static const wchar_t* const name = []() -> const wchar_t* {
        WNDCLASSEXW info{};
        info.cbSize = sizeof info;
        if (LoadLibraryW(L"Msftedit.dll") && GetClassInfoExW(nullptr, MSFTEDIT_CLASS, &info)) return MSFTEDIT_CLASS;
        if (LoadLibraryW(L"Riched20.dll") && GetClassInfoExW(nullptr, RICHEDIT_CLASSW, &info)) return RICHEDIT_CLASSW;
        return nullptr;
    }();
    if (!name) RaiseLastOSError();
    return name;
}

TCustomRichEdit::TCustomRichEdit(TComponent* owner)
    : TCustomEdit(owner), FLines(std::make_unique<TRichEditStrings>(*this)) {
    SetBounds(0, 0, 185, 89);
}

TCustomRichEdit::~TCustomRichEdit() = default;

void TCustomRichEdit::SetLines(TStrings* lines) {
    if (lines) FLines->Assign(lines);
}

void TCustomRichEdit::SetPlainText(bool value) {
    if (value == FPlainText) return;
    FPlainText = value;
    // Plain text mode drops the formatting; the text stays.
    RecreateWnd();
}

void TCustomRichEdit::SetScrollBars(TScrollStyle style) {
    if (style == FScrollBars) return;
    FScrollBars = style;
    RecreateWnd();
}

void TCustomRichEdit::SetWordWrap(bool value) {
    if (value == FWordWrap) return;
    FWordWrap = value;
    RecreateWnd();
}

std::wstring TCustomRichEdit::ControlText() const {
    auto* self = const_cast<TCustomRichEdit*>(this);
    if (!self->HandleAllocated()) return Text();
    HWND edit = self->Handle();
    GETTEXTLENGTHEX length{GTL_NUMCHARS | GTL_PRECISE, 1200};
    const auto count = SendMessageW(edit, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0);
    if (count <= 0) return {};
    std::wstring text(static_cast<std::size_t>(count) + 1, L'\0');
    GETTEXTEX get{static_cast<DWORD>((count + 1) * sizeof(wchar_t)), GT_DEFAULT, 1200, nullptr, nullptr};
    const auto copied = SendMessageW(edit, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(std::max<LRESULT>(copied, 0)));
    return text;
}

std::wstring TCustomRichEdit::RtfText() const {
    auto* self = const_cast<TCustomRichEdit*>(this);
    if (FPlainText) return ControlText();
    std::string rtf;
    if (self->HandleAllocated())
        rtf = StreamOut(self->Handle());
    else if (FHasSavedRtf)
        rtf = FSavedRtf;
    else
        return Text();
    return std::wstring(rtf.begin(), rtf.end()); // 7-bit
}

void TCustomRichEdit::SetRtfText(const std::wstring& rtf) {
    if (FPlainText) {
        SetText(rtf);
        return;
    }
    // Only the control reads rich text: it is made now if it can be, else the text waits for it.
    if (!HandleAllocated() && Parent()) HandleNeeded();
    if (!HandleAllocated()) {
        FSavedRtf = RtfBytes(rtf);
        FHasSavedRtf = true;
        return;
    }
    StreamIn(Handle(), RtfBytes(rtf));
}

std::wstring TCustomRichEdit::SelText() const {
    auto* self = const_cast<TCustomRichEdit*>(this);
    if (!self->HandleAllocated()) return {};
    CHARRANGE range{};
    SendMessageW(self->Handle(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    if (range.cpMax <= range.cpMin) return {};
    std::wstring text(static_cast<std::size_t>(range.cpMax - range.cpMin) + 1, L'\0');
    const auto copied = SendMessageW(self->Handle(), EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(std::max<LRESULT>(copied, 0)));
    return text;
}

void TCustomRichEdit::SetSelText(const std::wstring& text) {
    SendMessageW(Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

void TCustomRichEdit::CreateParams(TCreateParams& params) {
    const wchar_t* native = NativeClassName();
    TCustomEdit::CreateParams(params);
    params.BaseClassName = native;
    // The text goes in after the text mode is set, which needs an empty control.
    params.Caption.clear();
    AddMultiLineStyles(params, FScrollBars, FWordWrap);
}

void TCustomRichEdit::CreateWnd() {
    TCustomEdit::CreateWnd();
    HWND edit = Handle();
    // The mode changes only in an empty control with nothing to undo (setting the font left an
    // undo step under Wine).
    SendMessageW(edit, EM_EMPTYUNDOBUFFER, 0, 0);
    SendMessageW(edit, EM_SETTEXTMODE, FPlainText ? TM_PLAINTEXT : TM_RICHTEXT, 0);
    SendMessageW(edit, EM_EXLIMITTEXT, 0, NoTextLimit);
    // Target device 0 with width 0 wraps at the window; width 1 never wraps.
    SendMessageW(edit, EM_SETTARGETDEVICE, 0, FWordWrap ? 0 : 1);
    ApplyColor();
    {
        // Restoring the content is no change of the text.
        FRestoring = true;
        if (FHasSavedRtf && !FPlainText)
            StreamIn(edit, FSavedRtf);
        else if (!FText.empty())
            SetWindowTextW(edit, FText.c_str());
        FRestoring = false;
    }
    FHasSavedRtf = false;
    FSavedRtf.clear();
    SendMessageW(edit, EM_SETEVENTMASK, 0, ENM_CHANGE | ENM_SELCHANGE);
}

void TCustomRichEdit::Change() {
    if (!FRestoring) TCustomEdit::Change();
}

void TCustomRichEdit::ApplyColor() {
    if (HandleAllocated()) SendMessageW(Handle(), EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(ColorToColorRef(Color())));
}

void TCustomRichEdit::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_DESTROY:
        if (!FPlainText) {
            FSavedRtf = StreamOut(Handle());
            FHasSavedRtf = true;
        }
        break;
    case CN_NOTIFY:
        if (m.LParam && reinterpret_cast<const NMHDR*>(m.LParam)->code == EN_SELCHANGE) {
            if (OnSelectionChange) OnSelectionChange(this);
            m.Result = 0;
            return;
        }
        break;
    case CM_COLORCHANGED:
        TCustomEdit::WndProc(m);
        ApplyColor();
        return;
    default:
        break;
    }
    TCustomEdit::WndProc(m);
    if (m.Msg == WM_GETDLGCODE) ApplyWantedKeys(m, FWantTabs, FWantReturns);
}

TRichEdit::TRichEdit(TComponent* owner) : TCustomRichEdit(owner) {}

void TRichEdit::Publish(TPublisher<TRichEdit>& p) {
    PublishEditProperties(p);
    p.Object(L"Lines", &TRichEdit::Lines, &TRichEdit::SetLines);
    p.Boolean(L"PlainText", &TRichEdit::PlainText, &TRichEdit::SetPlainText);
    p.Enum(L"ScrollBars", ScrollStyleType(), &TRichEdit::ScrollBars, &TRichEdit::SetScrollBars);
    p.Boolean(L"WordWrap", &TRichEdit::WordWrap, &TRichEdit::SetWordWrap);
    p.Boolean(L"WantReturns", &TRichEdit::WantReturns, &TRichEdit::SetWantReturns);
    p.Boolean(L"WantTabs", &TRichEdit::WantTabs, &TRichEdit::SetWantTabs);
    p.Event(L"OnSelectionChange", &TRichEdit::OnSelectionChange);
}

} // namespace orvo
