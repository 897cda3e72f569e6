// Holds files and folders open the way another program does (the game, an
// archiver, an Explorer window), until it is ended:
//
//   HoldFile.exe [--let-rename] PATH...
//
// Each path is opened for reading with no sharing at all, so nobody can
// read, write, rename or delete it meanwhile; with --let-rename, renaming and
// deleting are still allowed and only reading and writing are refused.
// Exits with 2 when a path cannot be opened.

#include <windows.h>

#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    DWORD share = 0;
    int opened = 0;
    for (int i = 1; i < argc; ++i) {
        if (std::wcscmp(argv[i], L"--let-rename") == 0) {
            share = FILE_SHARE_DELETE;
            continue;
        }
        // Folders open only with backup semantics; the handles stay open
        // until the process ends. Opening without sharing waits out anyone
        // who has the path open for a moment (a folder being listed).
        HANDLE held = INVALID_HANDLE_VALUE;
        for (int attempt = 0; attempt < 500 && held == INVALID_HANDLE_VALUE; ++attempt) {
            held = CreateFileW(argv[i], GENERIC_READ, share, nullptr, OPEN_EXISTING,
                               FILE_FLAG_BACKUP_SEMANTICS, nullptr);
            if (held == INVALID_HANDLE_VALUE && GetLastError() != ERROR_SHARING_VIOLATION) return 2;
            if (held == INVALID_HANDLE_VALUE) Sleep(10);
        }
        if (held == INVALID_HANDLE_VALUE) return 2;
        ++opened;
    }
    if (opened == 0) return 2;
    Sleep(INFINITE);
    return 0;
}
