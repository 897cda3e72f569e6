#include "platform/win32/Win32Platform.h"

#include "platform/Text.h"

namespace seamster {

std::string Win32TextCodec::toFileBytes(const std::string& utf8) {
    std::wstring wide = widen(utf8);
    if (wide.empty()) return {};
    BOOL lossy = FALSE;
    int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), int(wide.size()),
                                nullptr, 0, nullptr, &lossy);
    if (n <= 0 || lossy) return utf8;
    std::string out(size_t(n), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), int(wide.size()), out.data(), n,
                        nullptr, &lossy);
    return lossy ? utf8 : out;
}

std::string Win32TextCodec::fromFileBytes(const std::string& bytes) {
    if (isValidUtf8(bytes)) return bytes;
    int n = MultiByteToWideChar(CP_ACP, 0, bytes.data(), int(bytes.size()), nullptr, 0);
    std::wstring wide(size_t(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), int(bytes.size()), wide.data(), n);
    return narrow(wide);
}

}  // namespace seamster
