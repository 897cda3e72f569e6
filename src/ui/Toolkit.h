#pragma once
// The toolkit: numbered windows and gadgets over Win32, an event queue that
// turns control notifications into small Event values, the shared fonts and
// pictures, and message boxes.

#include <windows.h>

#include <array>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/Event.h"
#include "platform/Platform.h"
#include "platform/win32/Handles.h"

namespace seamster::ui {

inline constexpr int pictureCount = 28;
inline constexpr int fontCount = 8;
// The program's fonts by number, all bold; the gadgets' own is tahoma8.
namespace font {
inline constexpr int tahoma8 = 2, arial10 = 3, arial14 = 4, arial18 = 5, linkArial10 = 6,
                     arial12 = 7;
}

class Window;

class Toolkit {
public:
    explicit Toolkit(HINSTANCE instance);
    ~Toolkit();
    Toolkit(const Toolkit&) = delete;
    Toolkit& operator=(const Toolkit&) = delete;

    HINSTANCE instance() const { return instance_; }

    // The screen's DPI; windows start at it.
    int dpi() const { return dpi_; }
    // The screen in its pixels; a list's scroll bar in layout units, as the
    // column widths it narrows.
    int screenWidth() const { return GetSystemMetrics(SM_CXSCREEN); }
    int screenHeight() const { return GetSystemMetrics(SM_CYSCREEN); }
    int scrollBarWidth() const;

    // Fonts 2 to 7 and the built-in pictures; called once at start-up.
    void loadFonts();
    void loadPictures();
    // Font `number` at the screen's DPI or at `dpi`, same points either way.
    HFONT font(int number) const { return font(number, dpi_); }
    HFONT font(int number, int dpi) const;
    HFONT defaultFont() const { return font(font::tahoma8); }
    // Which font a handle from font() is, or -1: a window moved to another
    // DPI swaps each of its fonts for the same font there.
    int fontNumber(HFONT font) const;
    // A picture as an icon `size` pixels wide at 96 DPI, drawn for the
    // screen's DPI or for `dpi` (the nearest scale the pictures come at), or
    // nullptr.
    HICON icon(int picture, int size) const { return icon(picture, size, dpi_); }
    HICON icon(int picture, int size, int dpi) const;
    // Which picture and 96-DPI size an icon from icon() is, for a window
    // that moves to another DPI; {-1, 0} for any other icon.
    std::pair<int, int> iconPicture(HICON icon) const;
    // A picture's own pixels at `side` pixels square, read from the program's
    // resources without making an icon: bottom-up rows of 32-bit colour with
    // alpha, then the 1-bit mask. Empty unless the picture comes drawn at
    // exactly that side in 32 bits.
    struct IconPixels {
        const BYTE* colour = nullptr;
        const BYTE* mask = nullptr;
        int side = 0;
    };
    std::optional<IconPixels> iconPixels(int picture, int side) const;
    // A picture as an icon of its own shape, kept by the caller; empty when
    // it cannot be loaded.
    IconHandle loadIcon(int picture, int width, int height) const;
    // Pictures 6 and 7 are bitmaps; picture 0 is the blank thumbnail.
    HBITMAP bitmap(int picture) const { return bitmap(picture, dpi_); }
    HBITMAP bitmap(int picture, int dpi) const;
    int bitmapPicture(HBITMAP bitmap) const;
    void setBitmap(int picture, HBITMAP bitmap);
    HCURSOR arrowCursor() const { return arrow_; }
    HCURSOR waitCursor() const { return wait_; }

    // Events.
    void post(const Event& event) { queue_.push_back(event); }
    // Handles at most one pending message; the oldest queued event, if any.
    Event pollEvent();
    // Pumps messages until an event is queued. Gives up with a close event
    // when `watched` is set and that window no longer exists, so a loop never
    // waits for a window that is gone.
    Event waitEvent(HWND watched = nullptr);
    // Waits up to `milliseconds`, waking at once when input arrives or
    // `wakeOn` is signalled.
    void pause(int milliseconds, HANDLE wakeOn = nullptr);
    // Handles every pending message and drops the events they yield.
    void flushEvents();
    // Once a quit message has arrived, pollEvent gives a quit event whenever
    // nothing else is queued, and waitEvent a close event, so every loop,
    // however deeply nested, ends.
    bool quitting() const { return quitting_; }
    // True while window messages wait to be handled (none once the program
    // is asked to end).
    bool messagesPending() const;
    // The mouse cursor shown now; the one before.
    HCURSOR setCursor(HCURSOR cursor) const;

    // The window class every numbered window uses.
    static const wchar_t* windowClassName() { return L"SeamsterWindow"; }

    // F1 shows a page of the help file through `handler`, which the program
    // sets once it knows where its help is. In our windows F1 opens the
    // window's own page; in a requester or a message box the page set by
    // RequesterHelp, or else that of the window it was opened over.
    void setHelpHandler(std::function<void(const std::string& page)> handler);
    void showHelp(const std::string& page) const;

    // Windows built once and kept, hidden between uses, until the program
    // ends (the Image Preview window); found again by their numbers.
    void keepWindow(std::unique_ptr<Window> window);
    Window* keptWindow(int number) const;

private:
    friend class RequesterHelp;
    bool handleOneMessage();
    // F1 pressed in a dialog's own message loop; true when a page was shown.
    bool dialogHelp(HWND target) const;
    static LRESULT CALLBACK dialogMessages(int code, WPARAM wParam, LPARAM lParam);

    HINSTANCE instance_;
    bool quitting_ = false;
    std::deque<Event> queue_;
    int dpi_ = 96;
    // By number and DPI; made on first use at any DPI but the screen's.
    std::map<std::pair<int, int>, FontHandle> mutable fonts_;
    // By picture and side in pixels.
    std::map<std::pair<int, int>, IconHandle> mutable icons_;
    std::map<HICON, std::pair<int, int>> mutable iconPictures_;
    std::array<BitmapHandle, pictureCount> bitmaps_;
    // Pictures 6 and 7 drawn for other scales, by picture and scale.
    std::map<std::pair<int, int>, BitmapHandle> mutable scaledBitmaps_;
    HCURSOR arrow_ = nullptr;
    HCURSOR wait_ = nullptr;
    std::function<void(const std::string&)> help_;
    std::string requesterPage_;
    HHOOK dialogHook_ = nullptr;
    // Last, so kept windows go before the fonts and pictures they use.
    std::vector<std::unique_ptr<Window>> keptWindows_;
};

// The help page F1 opens in the requesters and message boxes shown while
// the object lives.
class RequesterHelp {
public:
    RequesterHelp(Toolkit& toolkit, const std::string& page);
    ~RequesterHelp();
    RequesterHelp(const RequesterHelp&) = delete;
    RequesterHelp& operator=(const RequesterHelp&) = delete;

private:
    Toolkit& toolkit_;
    std::string previous_;
};

// Waits without handling any message, however long the pause.
void sleep(int milliseconds);

// The waiting cursor while the object lives; the one before comes back after.
class WaitCursor {
public:
    explicit WaitCursor(const Toolkit& toolkit);
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR previous_;
};

// Message boxes titled "Seamster", owned by the active window.
class Win32Dialogs : public Dialogs {
public:
    void showMessage(const std::string& text, int icon) override;
    int askYesNo(const std::string& text, int icon) override;
};

}  // namespace seamster::ui
