// Two yardsticks for Seamster's measurements. Without arguments: one empty
// window titled "Start probe" that ends when it is closed, to compare start-up
// times. With "--walk-every-10ms": no window, but a walk of the whole process
// list every 10 ms until the process is ended, to compare the cost of
// following the Body Shop.
#include <windows.h>
#include <tlhelp32.h>

#include <cwchar>

namespace {
void walkForever() {
    for (;;) {
        HANDLE list = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
        if (list != INVALID_HANDLE_VALUE) {
            PROCESSENTRY32W entry = {};
            entry.dwSize = sizeof(entry);
            int found = 0;
            for (BOOL more = Process32FirstW(list, &entry); more;
                 more = Process32NextW(list, &entry))
                found += wcscmp(entry.szExeFile, L"TS2BodyShop.exe") == 0;
            CloseHandle(list);
            (void)found;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}
}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    if (commandLine && wcsstr(commandLine, L"--walk-every-10ms")) walkForever();
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = [](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (message == WM_DESTROY) PostQuitMessage(0);
        return DefWindowProcW(hwnd, message, wParam, lParam);
    };
    windowClass.hInstance = instance;
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = L"StartProbe";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowW(L"StartProbe", L"Start probe", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                CW_USEDEFAULT, 527, 250, nullptr, nullptr, instance, nullptr);
    ShowWindow(window, SW_SHOW);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
