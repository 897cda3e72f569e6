// Every window opened and closed again, and the background thumbnail redrawn
// over and over, must leave the process as big as it was: a handle or bitmap
// kept by mistake shows as memory that only grows (under Wine the GDI and
// USER counts read 0 whatever the process holds, so memory is the signal).
//
// The test run does a short round; SEAMSTER_LEAK_ROUNDS sets how many times
// each window opens (the thumbnail is redrawn ten times per round), and
// SEAMSTER_LEAK_ON_PURPOSE=1 leaks one thumbnail-sized bitmap per redraw,
// which this test must then report.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <set>
#include <string>

#include "app/MainWindow.h"
#include "fakes/FakeApp.h"
#include "images/BackgroundWindows.h"
#include "platform/win32/Win32Platform.h"
#include "ui/ImageBitmap.h"

namespace seamster {
namespace {

int environmentNumber(const char* name, int otherwise) {
    const char* value = std::getenv(name);
    return value && *value ? std::atoi(value) : otherwise;
}

struct Usage {
    double megabytes = 0;  // memory committed for the process's own use
    DWORD gdiObjects = 0;
    DWORD userObjects = 0;
};

// Wine reports no private bytes, so they are counted from the address space:
// every committed page that is not a loaded module's image (bitmap bits,
// heaps, mapped sections).
double committedMegabytes() {
    size_t committed = 0;
    MEMORY_BASIC_INFORMATION region = {};
    for (const char* at = nullptr; VirtualQuery(at, &region, sizeof(region)) == sizeof(region);
         at = static_cast<const char*>(region.BaseAddress) + region.RegionSize) {
        if (region.State == MEM_COMMIT && region.Type != MEM_IMAGE) committed += region.RegionSize;
        if (region.RegionSize == 0) break;
    }
    return double(committed) / (1024 * 1024);
}

Usage usageNow() {
    return {committedMegabytes(), GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS),
            GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS)};
}

// Closes whatever window comes up over the main window, from a timer that
// every message loop (ours and the system requesters') dispatches: our own
// windows with their Cancel, Done or OK button, the system's with Cancel.
struct Closer {
    HWND main = nullptr;
    HWND last = nullptr;  // acted on, and not gone yet
    int waited = 0;       // ticks since
    std::set<std::wstring> titles;

    static Closer* active;

    static BOOL CALLBACK visit(HWND window, LPARAM) {
        Closer& self = *active;
        if (window == self.main || !IsWindowVisible(window) || !IsWindowEnabled(window))
            return TRUE;
        wchar_t className[64] = {};
        GetClassNameW(window, className, 64);
        const std::wstring kind = className;
        if (kind != L"SeamsterWindow" && kind != L"#32770") return TRUE;
        wchar_t title[256] = {};
        GetWindowTextW(window, title, 256);
        self.titles.insert(title);
        self.last = window;
        if (kind == L"#32770") {
            PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
            return FALSE;
        }
        for (const wchar_t* caption : {L"Cancel", L"Done", L"OK"}) {
            HWND button = FindWindowExW(window, nullptr, L"Button", caption);
            if (button && IsWindowVisible(button) && IsWindowEnabled(button)) {
                PostMessageW(button, BM_CLICK, 0, 0);
                return FALSE;
            }
        }
        return FALSE;
    }

    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) {
        Closer& self = *active;
        // A click that came while the window was still dropping what it
        // had queued is lost: click again after a while.
        if (self.last && IsWindow(self.last) && IsWindowVisible(self.last) && ++self.waited < 25)
            return;
        self.last = nullptr;
        self.waited = 0;
        EnumThreadWindows(GetCurrentThreadId(), &visit, 0);
    }
};
Closer* Closer::active = nullptr;

class HandleLeakTest : public ::testing::Test {
protected:
    HandleLeakTest() : toolkit(GetModuleHandleW(nullptr)), main(fake.app, toolkit) {
        fake.makeUserFolder();
        for (const char* folder : {"Projects", "SavedSims"}) fake.fs().addFolder(fake.at(folder));
        fake.fs().addFile(fake.at("Projects\\shirt.bpj"), "x");
        fake.app.screen = {1280, 1024, 17};
        toolkit.loadFonts();
        toolkit.loadPictures();
    }

    // Opens and closes every window once and redraws the thumbnail ten times.
    void round(bool leakOnPurpose) {
        for (Secondary which :
             {Secondary::about, Secondary::options, Secondary::hideGameFolders, Secondary::extras,
              Secondary::removeProjects, Secondary::renamePackages, Secondary::backgroundColor,
              Secondary::backgroundImage})
            main.openSecondary(which);
        main.runSetUpWindow({"The Sims 2", "University"}, 0);
        BackgroundContext context = main.backgroundContext();
        runImagePreview(context, *Image::create(640, 480));
        for (int redraw = 0; redraw < 10; ++redraw) {
            main.refreshBackgroundThumbnail();
            if (leakOnPurpose) ui::bitmapFromImage(*Image::create(220, 165)).release();
        }
    }

    FakeApp fake;
    ui::Toolkit toolkit;
    MainWindow main;
    Closer closer;
};

TEST_F(HandleLeakTest, WindowsAndThumbnailsLeaveNothingBehind) {
    const int rounds = environmentNumber("SEAMSTER_LEAK_ROUNDS", 15);
    const bool leakOnPurpose = environmentNumber("SEAMSTER_LEAK_ON_PURPOSE", 0) != 0;
    ASSERT_TRUE(main.build());
    BackgroundContext context = main.backgroundContext();
    buildImagePreviewWindow(context);
    main.show();
    closer.main = context.owner.hwnd();
    Closer::active = &closer;
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, &Closer::tick);
    ASSERT_NE(timer, 0u);

    // The first round loads what stays for the program's life (fonts,
    // requester libraries, caches).
    round(false);
    const Usage before = usageNow();
    for (int n = 0; n < rounds; ++n) round(leakOnPurpose);
    const Usage after = usageNow();
    KillTimer(nullptr, timer);
    Closer::active = nullptr;

    for (const char* title : {"    About Seamster", "    Seamster   --    Program Options",
                              "    Seamster   --    Hide Game Folders",
                              "Seamster - Bodyshop Extras", "Seamster   --    Remove Projects",
                              " Seamster - Find Package Options", "Seamster Set Up"})
        EXPECT_TRUE(closer.titles.count(widen(title))) << title << " never opened";
    EXPECT_GE(closer.titles.size(), size_t(10)) << "some windows never opened";

    const double grown = after.megabytes - before.megabytes;
    std::printf("%d rounds: committed %.1f -> %.1f MB, GDI %lu -> %lu, USER %lu -> %lu\n", rounds,
                before.megabytes, after.megabytes, before.gdiObjects, after.gdiObjects,
                before.userObjects, after.userObjects);
    // Wine's own requesters keep a little for themselves (3.5 MB over 200
    // rounds); one thumbnail-sized bitmap kept per redraw is 16 MB over 15.
    EXPECT_LT(grown, 6.0) << "memory grew by " << grown << " MB";
    // Where the system counts them, the objects stay as they were.
    if (before.gdiObjects > 0) {
        EXPECT_LE(after.gdiObjects, before.gdiObjects + 8);
    }
    if (before.userObjects > 0) {
        EXPECT_LE(after.userObjects, before.userObjects + 8);
    }
}

}  // namespace
}  // namespace seamster
