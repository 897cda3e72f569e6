#pragma once
// A clock that says what the test tells it. Local dates follow UTC shifted by
// `utcOffset` seconds; `today` can be pinned apart from `now`.

#include <optional>

#include "platform/Platform.h"

namespace seamster {

class FixedClock : public Clock {
public:
    int64_t nowSeconds = 0;
    int64_t utcOffset = 0;
    std::optional<LocalDate> todayDate;  // when empty, the local date of nowSeconds

    int64_t now() override { return nowSeconds; }
    // Each reading of the steady clock is `steadyStepMs` (a second unless
    // set) after the last, so code that spaces out its work by time does it
    // on every call in tests unless the step is made smaller.
    int64_t steadyMs = 0;
    int64_t steadyStepMs = 1000;
    int64_t milliseconds() override { return steadyMs += steadyStepMs; }
    LocalDate today() override { return todayDate ? *todayDate : localDateOf(nowSeconds); }

    LocalDateTime localNow() override {
        const int64_t seconds = nowSeconds + utcOffset;
        const int64_t ofDay = ((seconds % 86400) + 86400) % 86400;
        return {localDateOf(nowSeconds), int(ofDay / 3600), int(ofDay / 60 % 60), int(ofDay % 60)};
    }

    LocalDate localDateOf(int64_t utcSeconds) override {
        int64_t seconds = utcSeconds + utcOffset;
        int64_t days = seconds / 86400 - (seconds % 86400 < 0 ? 1 : 0);
        return civilFromDays(days);
    }

    // The calendar date `days` after 1970-01-01 (proleptic Gregorian).
    static LocalDate civilFromDays(int64_t days) {
        days += 719468;
        const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
        const int64_t dayOfEra = days - era * 146097;
        const int64_t yearOfEra =
            (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
        const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
        const int64_t monthIndex = (5 * dayOfYear + 2) / 153;
        const int day = int(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
        const int month = int(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
        const int year = int(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
        return {year, month, day};
    }
};

}  // namespace seamster
