#include "platform/win32/Win32Platform.h"

namespace seamster {

std::wstring widen(const std::string& utf8) {
    if (utf8.empty()) return {};
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
    std::wstring out(size_t(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), out.data(), n);
    return out;
}

std::string narrow(const std::wstring& wide) {
    if (wide.empty()) return {};
    int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), nullptr, 0, nullptr,
                                nullptr);
    std::string out(size_t(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), out.data(), n, nullptr, nullptr);
    return out;
}

std::string narrow(const wchar_t* wide) {
    return wide ? narrow(std::wstring(wide)) : std::string();
}

int64_t fileTimeToUnix(const FILETIME& time) {
    ULARGE_INTEGER value;
    value.LowPart = time.dwLowDateTime;
    value.HighPart = time.dwHighDateTime;
    return int64_t(value.QuadPart / 10000000ULL) - 11644473600LL;
}

FILETIME unixToFileTime(int64_t seconds) {
    ULARGE_INTEGER value;
    value.QuadPart = uint64_t(seconds + 11644473600LL) * 10000000ULL;
    FILETIME time;
    time.dwLowDateTime = value.LowPart;
    time.dwHighDateTime = value.HighPart;
    return time;
}

}  // namespace seamster
