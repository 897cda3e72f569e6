#pragma once
// Windows shown modally over another: the owner is disabled while the
// window shows, then enabled and made active again, and what the window left
// in the queue is dropped. Written once here for every window of the program.

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "ui/Window.h"

namespace seamster::ui {

// Window 5 without a close box, centred over the active window (or `owner`),
// whose F1 opens `helpPage`.
WindowArgs modalWindowArgs(const std::string& title, int clientWidth, int clientHeight, Owner owner,
                           const std::string& helpPage);

// The window that has the keyboard now (none when another program has it).
Owner activeWindow();

// The one way a window is made modal over its owner: the owner is disabled
// for the scope's life, then enabled and made the active window again. Every
// modal window, requester and busy spell of the program holds one; nothing
// else enables or disables an owner.
class ModalScope {
public:
    explicit ModalScope(Owner owner);
    ~ModalScope();
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

private:
    HWND owner_;
};

// Hands every gadget event of `window` to `onGadget` (when set) and returns
// true once `closeGadget` was pressed; false when the window went away
// first. Events of other windows are dropped.
bool runUntilGadget(Toolkit& toolkit, Window& window, int closeGadget,
                    const std::function<void(int gadget)>& onGadget = {});

// A window run modally over `owner`: open() disables the owner, shows and
// activates the window and gives the keyboard to one of its gadgets; close()
// (or the end of the object) enables and activates the owner, takes the window
// away (destroys it, or hides a window that is kept) and drops the events
// left over.
class ModalWindow {
public:
    // A window made for this run.
    ModalWindow(Toolkit& toolkit, const WindowArgs& args);
    // A window that is kept between runs (hidden when closed).
    ModalWindow(Toolkit& toolkit, Window& kept, Owner owner);
    ~ModalWindow() { close(); }
    ModalWindow(const ModalWindow&) = delete;
    ModalWindow& operator=(const ModalWindow&) = delete;

    bool valid() const { return window_ && window_->valid(); }
    Window& window() { return *window_; }

    // `focus`: the gadget that gets the keyboard, none when 0.
    void open(int focus = 0);
    // As runUntilGadget.
    bool runUntil(int closeGadget, const std::function<void(int gadget)>& onGadget = {});
    // The next event of any window; a close event when this window is gone.
    Event nextEvent();
    void close();

private:
    Toolkit& toolkit_;
    Owner owner_;
    std::unique_ptr<Window> made_;
    Window* window_;
    std::optional<ModalScope> open_;
};

}  // namespace seamster::ui
