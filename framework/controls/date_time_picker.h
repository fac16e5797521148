// Date and time pickers over the platform's SysDateTimePick32.
//
// Kind: dtkDate shows the date (DateMode dmComboBox: with a drop-down calendar; dmUpDown: with
// arrows), dtkTime the time of day (always with arrows). DateTime is the whole value (date_time.h);
// Date and Time are its two parts, each set without touching the other. Published, Date is an ISO
// text "YYYY-MM-DD" and Time "HH:MM:SS" (the stored form's format has no fractions), so a form
// says `Date = '2024-05-17'`; a text that is no real date or time is refused (EConvertError).
// A new picker holds the current moment to the second.
//
// ShowCheckbox puts a check box before the value; Checked is its state (unchecked: no value
// chosen). Format is the platform's custom format text ("yyyy'-'MM'-'dd"; empty for DateFormat's
// short or long date). OnChange follows every change by the user; OnDropDown / OnCloseUp
// surround the calendar. Changes from code raise no event.
#pragma once

#include "framework/base/date_time.h"
#include "framework/controls/control_publish.h"
#include "framework/controls/win_control.h"

namespace orvo {

enum TDateTimeKind : std::uint8_t { dtkDate, dtkTime };
const TEnumType& DateTimeKindType();
enum TDTDateMode : std::uint8_t { dmComboBox, dmUpDown };
const TEnumType& DTDateModeType();
enum TDTDateFormat : std::uint8_t { dfShort, dfLong };
const TEnumType& DTDateFormatType();

class TDateTimePicker : public TWinControl {
    ORVO_CLASS(TDateTimePicker, TWinControl)
public:
    explicit TDateTimePicker(TComponent* owner);

    TDateTime DateTime() const;
    void SetDateTime(TDateTime value);
    TDateTime Date() const { return DateTime().DatePart(); }
    void SetDate(TDateTime date) { SetDateTime(date.WithTime(DateTime())); }
    TDateTime Time() const { return DateTime().TimePart(); }
    void SetTime(TDateTime time) { SetDateTime(DateTime().WithTime(time)); }

    TDateTimeKind Kind() const noexcept { return FKind; }
    void SetKind(TDateTimeKind kind);
    TDTDateMode DateMode() const noexcept { return FDateMode; }
    void SetDateMode(TDTDateMode mode);
    TDTDateFormat DateFormat() const noexcept { return FDateFormat; }
    void SetDateFormat(TDTDateFormat format);
    const std::wstring& Format() const noexcept { return FFormat; }
    void SetFormat(const std::wstring& format);
    bool ShowCheckbox() const noexcept { return FShowCheckbox; }
    void SetShowCheckbox(bool value);
    bool Checked() const;
    void SetChecked(bool value);
    bool DroppedDown() const;

    TNotifyEvent OnChange;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;

    static void Publish(TPublisher<TDateTimePicker>& p);

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void WndProc(TMessage& message) override;
    virtual void Change();

private:
    HWND Window() const;
    void ReadFromWindow();
    void WriteToWindow();

    TDateTime FDateTime;
    TDateTimeKind FKind = dtkDate;
    TDTDateMode FDateMode = dmComboBox;
    TDTDateFormat FDateFormat = dfShort;
    std::wstring FFormat;
    bool FShowCheckbox = false;
    bool FChecked = true;
    bool FWriting = false; // our own changes raise no OnChange
};

} // namespace orvo
