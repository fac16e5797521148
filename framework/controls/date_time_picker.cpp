#include "framework/controls/date_time_picker.h"

#include "framework/base/exceptions.h"
#include "framework/base/properties.h"

#include <commctrl.h>

namespace orvo {

ORVO_IMPLEMENT_CLASS(TDateTimePicker);

const TEnumType& DateTimeKindType() {
    static const TEnumType type(L"TDateTimeKind", {L"dtkDate", L"dtkTime"});
    return type;
}

const TEnumType& DTDateModeType() {
    static const TEnumType type(L"TDTDateMode", {L"dmComboBox", L"dmUpDown"});
    return type;
}

const TEnumType& DTDateFormatType() {
    static const TEnumType type(L"TDTDateFormat", {L"dfShort", L"dfLong"});
    return type;
}

namespace {

void EnsureDateClasses() {
    static const bool done = [] {
        INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_DATE_CLASSES};
        return InitCommonControlsEx(&controls) != FALSE;
    }();
    (void)done;
}

SYSTEMTIME ToSystemTime(TDateTime value) {
    const TDateTimeParts p = value.Decode();
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(p.Year);
    st.wMonth = static_cast<WORD>(p.Month);
    st.wDay = static_cast<WORD>(p.Day);
    st.wHour = static_cast<WORD>(p.Hour);
    st.wMinute = static_cast<WORD>(p.Minute);
    st.wSecond = static_cast<WORD>(p.Second);
    st.wMilliseconds = static_cast<WORD>(p.Millisecond);
    // The day of the week: 1899-12-30 was a Saturday.
    const std::int64_t days = value.DatePart().Milliseconds() / TDateTime::MillisecondsPerDay;
    st.wDayOfWeek = static_cast<WORD>(((days % 7) + 7 + 6) % 7);
    return st;
}

std::optional<TDateTime> FromSystemTime(const SYSTEMTIME& st) {
    return TDateTime::Encode(TDateTimeParts{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond,
                                            st.wMilliseconds});
}

TDateTime NowToTheSecond() {
    SYSTEMTIME st{};
    GetLocalTime(&st);
    st.wMilliseconds = 0;
    return FromSystemTime(st).value_or(TDateTime());
}

TDateTime ParsedOrThrow(std::optional<TDateTime> value, const std::wstring& text, const wchar_t* what) {
    if (!value) throw EConvertError(L"'" + text + L"' is not a valid " + what);
    return *value;
}

} // namespace

void TDateTimePicker::Publish(TPublisher<TDateTimePicker>& p) {
    PublishColor(p);
    PublishFont(p);
    p.Enum(L"Kind", DateTimeKindType(), &TDateTimePicker::Kind, &TDateTimePicker::SetKind);
    p.Enum(L"DateMode", DTDateModeType(), &TDateTimePicker::DateMode, &TDateTimePicker::SetDateMode);
    p.Enum(L"DateFormat", DTDateFormatType(), &TDateTimePicker::DateFormat, &TDateTimePicker::SetDateFormat);
    p.String(L"Format", &TDateTimePicker::Format, &TDateTimePicker::SetFormat);
    p.String(
        L"Date", [](TDateTimePicker& c) { return c.Date().DateToIso(); },
        [](TDateTimePicker& c, const std::wstring& text) {
            c.SetDate(ParsedOrThrow(TDateTime::ParseIsoDate(text), text, L"date (YYYY-MM-DD)"));
        });
    p.String(
        L"Time", [](TDateTimePicker& c) { return c.Time().TimeToIso(); },
        [](TDateTimePicker& c, const std::wstring& text) {
            c.SetTime(ParsedOrThrow(TDateTime::ParseIsoTime(text), text, L"time (HH:MM:SS)"));
        });
    p.Boolean(L"ShowCheckbox", &TDateTimePicker::ShowCheckbox, &TDateTimePicker::SetShowCheckbox);
    p.Boolean(L"Checked", &TDateTimePicker::Checked, &TDateTimePicker::SetChecked);
    p.Event(L"OnChange", &TDateTimePicker::OnChange);
    p.Event(L"OnDropDown", &TDateTimePicker::OnDropDown);
    p.Event(L"OnCloseUp", &TDateTimePicker::OnCloseUp);
}

TDateTimePicker::TDateTimePicker(TComponent* owner) : TWinControl(owner), FDateTime(NowToTheSecond()) {
    SetControlStyle(TControlStyle{});
    SetBounds(0, 0, 186, 21);
    SetTabStop(true);
    SetColor(clWindow);
}

HWND TDateTimePicker::Window() const {
    auto* self = const_cast<TDateTimePicker*>(this);
    return self->HandleAllocated() ? self->Handle() : nullptr;
}

void TDateTimePicker::CreateParams(TCreateParams& params) {
    EnsureDateClasses();
    TWinControl::CreateParams(params);
    params.BaseClassName = DATETIMEPICK_CLASSW;
    if (FKind == dtkTime)
        params.Style |= DTS_TIMEFORMAT;
    else if (FDateMode == dmUpDown)
        params.Style |= DTS_UPDOWN;
    if (FKind == dtkDate && FDateFormat == dfLong) params.Style |= DTS_LONGDATEFORMAT;
    if (FShowCheckbox) params.Style |= DTS_SHOWNONE;
    if (UseRightToLeftAlignment()) params.Style |= DTS_RIGHTALIGN;
    params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TDateTimePicker::CreateWnd() {
    TWinControl::CreateWnd();
    if (!FFormat.empty()) SendMessageW(Handle(), DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(FFormat.c_str()));
    WriteToWindow();
}

void TDateTimePicker::WriteToWindow() {
    HWND window = Window();
    if (!window) return;
    FWriting = true;
    SYSTEMTIME st = ToSystemTime(FDateTime);
    SendMessageW(window, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
    if (FShowCheckbox && !FChecked) SendMessageW(window, DTM_SETSYSTEMTIME, GDT_NONE, 0);
    FWriting = false;
}

void TDateTimePicker::ReadFromWindow() {
    HWND window = Window();
    if (!window) return;
    SYSTEMTIME st{};
    const LRESULT r = SendMessageW(window, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st));
    // The check box's state comes with the change notices: not every platform answers GDT_NONE.
    if (r == GDT_VALID) {
        if (const auto value = FromSystemTime(st)) FDateTime = *value;
        if (!FShowCheckbox) FChecked = true;
    } else if (r == GDT_NONE) {
        FChecked = false;
    }
}

TDateTime TDateTimePicker::DateTime() const {
    const_cast<TDateTimePicker*>(this)->ReadFromWindow();
    return FDateTime;
}

void TDateTimePicker::SetDateTime(TDateTime value) {
    // The platform's calendar reaches from 1601 to 30827; ours from 1 to 9999.
    if (value.Decode().Year < 1601) throw EConvertError(L"The date picker takes dates from 1601 on");
    FDateTime = value;
    if (!ComponentState().Contains(csLoading)) FChecked = true;
    WriteToWindow();
}

void TDateTimePicker::SetKind(TDateTimeKind kind) {
    if (kind == FKind) return;
    ReadFromWindow();
    FKind = kind;
    RecreateWnd();
}

void TDateTimePicker::SetDateMode(TDTDateMode mode) {
    if (mode == FDateMode) return;
    ReadFromWindow();
    FDateMode = mode;
    RecreateWnd();
}

void TDateTimePicker::SetDateFormat(TDTDateFormat format) {
    if (format == FDateFormat) return;
    ReadFromWindow();
    FDateFormat = format;
    RecreateWnd();
}

void TDateTimePicker::SetFormat(const std::wstring& format) {
    FFormat = format;
    if (HWND window = Window())
        SendMessageW(window, DTM_SETFORMATW, 0, format.empty() ? 0 : reinterpret_cast<LPARAM>(format.c_str()));
}

void TDateTimePicker::SetShowCheckbox(bool value) {
    if (value == FShowCheckbox) return;
    ReadFromWindow();
    FShowCheckbox = value;
    RecreateWnd();
}

bool TDateTimePicker::Checked() const {
    const_cast<TDateTimePicker*>(this)->ReadFromWindow();
    return FChecked;
}

void TDateTimePicker::SetChecked(bool value) {
    ReadFromWindow();
    FChecked = value;
    WriteToWindow();
}

bool TDateTimePicker::DroppedDown() const {
    HWND window = Window();
    return window && SendMessageW(window, DTM_GETMONTHCAL, 0, 0) != 0;
}

void TDateTimePicker::Change() {
    if (OnChange) OnChange(this);
}

void TDateTimePicker::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CN_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(m.LParam);
        switch (header->code) {
        case DTN_DATETIMECHANGE: {
            const auto* change = reinterpret_cast<const NMDATETIMECHANGE*>(m.LParam);
            if (change->dwFlags == GDT_VALID) {
                if (const auto value = FromSystemTime(change->st)) FDateTime = *value;
                FChecked = true;
            } else {
                FChecked = false;
            }
            if (!FWriting) Change();
            break;
        }
        case DTN_DROPDOWN:
            if (OnDropDown) OnDropDown(this);
            break;
        case DTN_CLOSEUP:
            if (OnCloseUp) OnCloseUp(this);
            break;
        default:
            break;
        }
        m.Result = 0;
        return;
    }
    case WM_DESTROY:
        ReadFromWindow();
        break;
    default:
        break;
    }
    TWinControl::WndProc(m);
}

} // namespace orvo
