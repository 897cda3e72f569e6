#include "platform/win32/Win32Platform.h"

#include <algorithm>
#include <optional>

#include "platform/Text.h"
#include "platform/win32/Handles.h"

namespace seamster {

namespace {
HKEY rootKey(RegistryRoot root) {
    return root == RegistryRoot::currentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

// The game's installers are 32-bit, so their keys live in the 32-bit view.
constexpr REGSAM registryViews[] = {KEY_WOW64_32KEY, 0};

// A path's longest form; anything longer is not a value we want.
constexpr DWORD maxValueBytes = 32767 * sizeof(wchar_t);

// A text value of an open key; nothing when it is missing, of another type
// or too long.
std::optional<std::string> queryText(HKEY key, const std::wstring& name) {
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ) || size > maxValueBytes)
        return std::nullopt;
    std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
    DWORD got = DWORD(text.size() * sizeof(wchar_t));
    if (RegQueryValueExW(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text.data()),
                         &got) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return std::nullopt;
    text.resize(std::min<size_t>(text.size(), got / sizeof(wchar_t)));
    // Stored with or without its closing nul.
    if (const size_t end = text.find(L'\0'); end != std::wstring::npos) text.resize(end);
    return narrow(text);
}
}  // namespace

RegistryRead Win32Registry::readLocalMachineText(const std::string& keyPath,
                                                 const std::string& valueName, std::string& value) {
    return readText(RegistryRoot::localMachine, keyPath, valueName, value);
}

RegistryRead Win32Registry::readText(RegistryRoot root, const std::string& keyPath,
                                     const std::string& valueName, std::string& value) {
    RegistryRead result = RegistryRead::openFailed;
    for (REGSAM view : registryViews) {
        RegistryKey key;
        if (RegOpenKeyExW(rootKey(root), widen(keyPath).c_str(), 0, KEY_READ | view,
                          key.receive()) != ERROR_SUCCESS)
            continue;
        std::optional<std::string> text = queryText(key.get(), widen(valueName));
        if (!text) {
            result = RegistryRead::readFailed;
            continue;
        }
        value = std::move(*text);
        return RegistryRead::ok;
    }
    return result;
}

std::vector<std::string> Win32Registry::subKeyNames(RegistryRoot root, const std::string& keyPath) {
    std::vector<std::string> names;
    for (REGSAM view : registryViews) {
        RegistryKey key;
        if (RegOpenKeyExW(rootKey(root), widen(keyPath).c_str(), 0, KEY_ENUMERATE_SUB_KEYS | view,
                          key.receive()) != ERROR_SUCCESS)
            continue;
        for (DWORD index = 0;; ++index) {
            wchar_t name[256];  // the longest key name is 255 characters
            DWORD length = DWORD(std::size(name));
            const LONG status =
                RegEnumKeyExW(key.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
            if (status == ERROR_MORE_DATA) continue;
            if (status != ERROR_SUCCESS) break;
            std::string found = narrow(std::wstring(name, length));
            if (std::none_of(names.begin(), names.end(), [&](const std::string& known) {
                    return equalsIgnoreCase(known, found);
                }))
                names.push_back(std::move(found));
        }
    }
    return names;
}

}  // namespace seamster
