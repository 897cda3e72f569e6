#include "platform/win32/Win32Platform.h"

namespace seamster {

int64_t Win32Clock::now() {
    FILETIME time;
    GetSystemTimeAsFileTime(&time);
    return fileTimeToUnix(time);
}

LocalDate Win32Clock::today() {
    SYSTEMTIME local;
    GetLocalTime(&local);
    return {local.wYear, local.wMonth, local.wDay};
}

LocalDateTime Win32Clock::localNow() {
    SYSTEMTIME local;
    GetLocalTime(&local);
    return {{local.wYear, local.wMonth, local.wDay}, local.wHour, local.wMinute, local.wSecond};
}

LocalDate Win32Clock::localDateOf(int64_t utcSeconds) {
    // Asking for the time zone costs far more than the conversion, and a
    // search dates thousands of files at once: the answer is kept a second.
    const ULONGLONG tick = GetTickCount64();
    if (!zoneKnown_ || tick - zoneAskedAt_ > 1000) {
        zoneKnown_ = GetTimeZoneInformation(&zone_) != TIME_ZONE_ID_INVALID;
        zoneAskedAt_ = tick;
    }
    FILETIME utc = unixToFileTime(utcSeconds);
    SYSTEMTIME utcTime, local;
    if (!FileTimeToSystemTime(&utc, &utcTime) ||
        !SystemTimeToTzSpecificLocalTime(zoneKnown_ ? &zone_ : nullptr, &utcTime, &local))
        return {};
    return {local.wYear, local.wMonth, local.wDay};
}

}  // namespace seamster
