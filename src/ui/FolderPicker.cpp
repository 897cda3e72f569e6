#include "ui/FolderPicker.h"

#include <shlobj.h>

#include "platform/Text.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Win32Platform.h"
#include "ui/CurrentFolder.h"

namespace seamster::ui {

namespace {
// The shell's list of items naming the chosen folder, freed with the shell's
// allocator.
struct ItemListTraits {
    static PIDLIST_ABSOLUTE invalid() { return nullptr; }
    static void close(PIDLIST_ABSOLUTE items) { CoTaskMemFree(items); }
};
using ItemList = UniqueHandle<PIDLIST_ABSOLUTE, ItemListTraits>;

int CALLBACK openAtStart(HWND requester, UINT message, LPARAM, LPARAM start) {
    if (message == BFFM_INITIALIZED && start)
        SendMessageW(requester, BFFM_SETSELECTIONW, TRUE, start);
    return 0;
}
}  // namespace

std::string pickFolder(Owner owner, const std::string& title, const std::string& start) {
    std::wstring wideTitle = widen(title), wideStart = widen(start);
    // The requester wants no trailing backslash, except on a drive root.
    if (wideStart.size() > 3 && wideStart.back() == L'\\') wideStart.pop_back();
    BROWSEINFOW info = {};
    info.hwndOwner = owner.hwnd();
    info.lpszTitle = wideTitle.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    info.lpfn = openAtStart;
    info.lParam = wideStart.empty() ? 0 : reinterpret_cast<LPARAM>(wideStart.c_str());
    const KeepCurrentFolder keep;
    const ItemList chosen(SHBrowseForFolderW(&info));
    if (!chosen) return {};
    // Long paths do not fit MAX_PATH; ask for as much as the shell can give.
    std::wstring path(32768, L'\0');
    if (!SHGetPathFromIDListEx(chosen.get(), path.data(), DWORD(path.size()), GPFIDL_DEFAULT))
        return {};
    path.resize(wcslen(path.c_str()));
    return path.empty() ? std::string() : withBackslash(narrow(path));
}

}  // namespace seamster::ui
