#include "framework/base/date_time.h"

#include <cmath>
#include <cstdio>

namespace orvo {

namespace {

// Days from 1970-01-01 of a civil date, and back (Gregorian, any year).
constexpr std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) noexcept {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void CivilFromDays(std::int64_t z, int& year, int& month, int& day) noexcept {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (month <= 2));
}

constexpr std::int64_t Epoch = DaysFromCivil(1899, 12, 30);

bool IsLeap(int year) noexcept {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) noexcept {
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeap(year) ? 29 : days[month - 1];
}

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) noexcept {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

// Reads exactly `width` digits at `pos`.
bool Digits(std::wstring_view text, std::size_t pos, std::size_t width, int& value) noexcept {
    if (pos + width > text.size()) return false;
    value = 0;
    for (std::size_t i = pos; i < pos + width; ++i) {
        if (text[i] < L'0' || text[i] > L'9') return false;
        value = value * 10 + (text[i] - L'0');
    }
    return true;
}

bool ParseTimeParts(std::wstring_view text, TDateTimeParts& parts) noexcept {
    if (text.size() != 8 && text.size() != 12) return false;
    if (!Digits(text, 0, 2, parts.Hour) || text[2] != L':' || !Digits(text, 3, 2, parts.Minute) ||
        text[5] != L':' || !Digits(text, 6, 2, parts.Second))
        return false;
    parts.Millisecond = 0;
    if (text.size() == 12 && (text[8] != L'.' || !Digits(text, 9, 3, parts.Millisecond))) return false;
    return true;
}

bool ParseDateParts(std::wstring_view text, TDateTimeParts& parts) noexcept {
    return text.size() == 10 && Digits(text, 0, 4, parts.Year) && text[4] == L'-' &&
           Digits(text, 5, 2, parts.Month) && text[7] == L'-' && Digits(text, 8, 2, parts.Day);
}

} // namespace

std::optional<TDateTime> TDateTime::Encode(const TDateTimeParts& p) noexcept {
    if (p.Year < 1 || p.Year > 9999 || p.Month < 1 || p.Month > 12 || p.Day < 1 ||
        p.Day > DaysInMonth(p.Year, p.Month))
        return std::nullopt;
    if (p.Hour < 0 || p.Hour > 23 || p.Minute < 0 || p.Minute > 59 || p.Second < 0 || p.Second > 59 ||
        p.Millisecond < 0 || p.Millisecond > 999)
        return std::nullopt;
    const std::int64_t days = DaysFromCivil(p.Year, static_cast<unsigned>(p.Month), static_cast<unsigned>(p.Day)) - Epoch;
    const std::int64_t time = ((p.Hour * 60LL + p.Minute) * 60 + p.Second) * 1000 + p.Millisecond;
    return TDateTime(days * MillisecondsPerDay + time);
}

std::optional<TDateTime> TDateTime::EncodeDate(int year, int month, int day) noexcept {
    return Encode(TDateTimeParts{year, month, day, 0, 0, 0, 0});
}

TDateTimeParts TDateTime::Decode() const noexcept {
    TDateTimeParts p;
    const std::int64_t days = FloorDiv(FMilliseconds, MillisecondsPerDay);
    std::int64_t time = FMilliseconds - days * MillisecondsPerDay;
    CivilFromDays(days + Epoch, p.Year, p.Month, p.Day);
    p.Millisecond = static_cast<int>(time % 1000);
    time /= 1000;
    p.Second = static_cast<int>(time % 60);
    time /= 60;
    p.Minute = static_cast<int>(time % 60);
    p.Hour = static_cast<int>(time / 60);
    return p;
}

TDateTime TDateTime::DatePart() const noexcept {
    return TDateTime(FloorDiv(FMilliseconds, MillisecondsPerDay) * MillisecondsPerDay);
}

TDateTime TDateTime::TimePart() const noexcept {
    return TDateTime(FMilliseconds - DatePart().FMilliseconds);
}

double TDateTime::ToOleDate() const noexcept {
    const std::int64_t days = FloorDiv(FMilliseconds, MillisecondsPerDay);
    const double fraction = static_cast<double>(FMilliseconds - days * MillisecondsPerDay) / MillisecondsPerDay;
    // Before day 0 the platform writes -1.25 for a quarter past day -1's midnight.
    return days >= 0 ? static_cast<double>(days) + fraction : static_cast<double>(days) - fraction;
}

std::optional<TDateTime> TDateTime::FromOleDate(double value) noexcept {
    if (!std::isfinite(value) || std::fabs(value) > 3.0e6) return std::nullopt;
    const double whole = std::trunc(value);
    const auto fraction = static_cast<std::int64_t>(std::llround(std::fabs(value - whole) * MillisecondsPerDay));
    const auto days = static_cast<std::int64_t>(whole);
    const TDateTime result(days * MillisecondsPerDay + fraction);
    const TDateTimeParts p = result.Decode();
    if (p.Year < 1 || p.Year > 9999) return std::nullopt;
    return result;
}

std::wstring TDateTime::DateToIso() const {
    const TDateTimeParts p = Decode();
    wchar_t text[16];
    std::swprintf(text, 16, L"%04d-%02d-%02d", p.Year, p.Month, p.Day);
    return text;
}

std::wstring TDateTime::TimeToIso() const {
    const TDateTimeParts p = Decode();
    wchar_t text[16];
    if (p.Millisecond != 0)
        std::swprintf(text, 16, L"%02d:%02d:%02d.%03d", p.Hour, p.Minute, p.Second, p.Millisecond);
    else
        std::swprintf(text, 16, L"%02d:%02d:%02d", p.Hour, p.Minute, p.Second);
    return text;
}

std::wstring TDateTime::ToIso() const {
    return DateToIso() + L"T" + TimeToIso();
}

std::optional<TDateTime> TDateTime::ParseIsoDate(std::wstring_view text) noexcept {
    TDateTimeParts p;
    if (!ParseDateParts(text, p)) return std::nullopt;
    return EncodeDate(p.Year, p.Month, p.Day);
}

std::optional<TDateTime> TDateTime::ParseIsoTime(std::wstring_view text) noexcept {
    TDateTimeParts p;
    if (!ParseTimeParts(text, p)) return std::nullopt;
    return Encode(p);
}

std::optional<TDateTime> TDateTime::ParseIso(std::wstring_view text) noexcept {
    TDateTimeParts p;
    if (text.size() < 11 || text[10] != L'T' || !ParseDateParts(text.substr(0, 10), p)) return std::nullopt;
    TDateTimeParts t;
    if (!ParseTimeParts(text.substr(11), t)) return std::nullopt;
    p.Hour = t.Hour;
    p.Minute = t.Minute;
    p.Second = t.Second;
    p.Millisecond = t.Millisecond;
    return Encode(p);
}

} // namespace orvo
