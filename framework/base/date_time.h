// TDateTime: a moment of calendar time without a time zone (the user's local clock), held as a
// whole number of milliseconds since 1899-12-30 00:00:00.000 (day 0 of the platform's automation
// dates, so ToOleDate/FromOleDate convert exactly for whole milliseconds). Integers, not a
// floating day count, so that a time of day keeps its exact value through every conversion and
// comparisons are exact. Valid years: 1 to 9999 (the proleptic Gregorian calendar).
//
// Texts are ISO 8601: dates "YYYY-MM-DD", times "HH:MM:SS" or "HH:MM:SS.mmm", both
// "YYYY-MM-DDTHH:MM:SS[.mmm]". Parsing is strict (fixed widths, real calendar dates, hours
// 0..23) and answers no value for anything else.
#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvo {

struct TDateTimeParts {
    int Year = 1899;
    int Month = 12;
    int Day = 30;
    int Hour = 0;
    int Minute = 0;
    int Second = 0;
    int Millisecond = 0;
};

class TDateTime {
public:
    static constexpr std::int64_t MillisecondsPerDay = 86'400'000;

    constexpr TDateTime() = default;
    static constexpr TDateTime FromMilliseconds(std::int64_t ms) noexcept { return TDateTime(ms); }
    constexpr std::int64_t Milliseconds() const noexcept { return FMilliseconds; }

    // No value for a date or time that does not exist.
    static std::optional<TDateTime> Encode(const TDateTimeParts& parts) noexcept;
    static std::optional<TDateTime> EncodeDate(int year, int month, int day) noexcept;
    TDateTimeParts Decode() const noexcept;

    // The day at midnight, and the time of day on day 0.
    TDateTime DatePart() const noexcept;
    TDateTime TimePart() const noexcept;
    // This day with the other's time of day.
    TDateTime WithTime(TDateTime time) const noexcept { return TDateTime(DatePart().FMilliseconds + time.TimePart().FMilliseconds); }

    // Days since 1899-12-30 with the time as a fraction; before day 0 the fraction still counts
    // forwards from midnight, as the platform's automation dates do.
    double ToOleDate() const noexcept;
    static std::optional<TDateTime> FromOleDate(double days) noexcept;

    std::wstring DateToIso() const;
    std::wstring TimeToIso() const;
    std::wstring ToIso() const;
    static std::optional<TDateTime> ParseIsoDate(std::wstring_view text) noexcept;
    static std::optional<TDateTime> ParseIsoTime(std::wstring_view text) noexcept;
    static std::optional<TDateTime> ParseIso(std::wstring_view text) noexcept;

    friend constexpr auto operator<=>(TDateTime, TDateTime) noexcept = default;

private:
    constexpr explicit TDateTime(std::int64_t ms) noexcept : FMilliseconds(ms) {}
    std::int64_t FMilliseconds = 0;
};

} // namespace orvo
