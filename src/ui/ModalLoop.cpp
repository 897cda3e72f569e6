#include "ui/ModalLoop.h"

namespace seamster::ui {

WindowArgs modalWindowArgs(const std::string& title, int clientWidth, int clientHeight, Owner owner,
                           const std::string& helpPage) {
    WindowArgs args;
    args.helpPage = helpPage;
    args.number = 5;
    args.title = title;
    args.clientWidth = clientWidth;
    args.clientHeight = clientHeight;
    args.closeBox = false;  // only the window's own button closes it
    const Owner active = activeWindow();
    args.centreOver = active ? active : owner;
    args.owner = owner;
    return args;
}

Owner activeWindow() { return Owner::ofHandle(GetActiveWindow()); }

ModalScope::ModalScope(Owner owner) : owner_(owner.hwnd()) {
    if (owner_) EnableWindow(owner_, FALSE);
}

ModalScope::~ModalScope() {
    if (!owner_) return;
    EnableWindow(owner_, TRUE);
    SetForegroundWindow(owner_);
    SetActiveWindow(owner_);
}

bool runUntilGadget(Toolkit& toolkit, Window& window, int closeGadget,
                    const std::function<void(int gadget)>& onGadget) {
    for (;;) {
        const Event event = toolkit.waitEvent(window.hwnd());
        if (!window.exists() || toolkit.quitting()) return false;
        if (event.kind != EventKind::gadget || event.window != window.number()) continue;
        if (onGadget) onGadget(event.id);
        if (event.id == closeGadget) return true;
    }
}

ModalWindow::ModalWindow(Toolkit& toolkit, const WindowArgs& args)
    : toolkit_(toolkit),
      owner_(args.owner),
      made_(std::make_unique<Window>(toolkit, args)),
      window_(made_.get()) {}

ModalWindow::ModalWindow(Toolkit& toolkit, Window& kept, Owner owner)
    : toolkit_(toolkit), owner_(owner), window_(&kept) {}

void ModalWindow::open(int focus) {
    if (!valid() || open_) return;
    open_.emplace(owner_);
    window_->show();
    window_->activate();
    if (focus)
        window_->control(focus).focus();
    else
        window_->focusFirstGadget();
}

bool ModalWindow::runUntil(int closeGadget, const std::function<void(int gadget)>& onGadget) {
    return valid() && runUntilGadget(toolkit_, *window_, closeGadget, onGadget);
}

Event ModalWindow::nextEvent() { return toolkit_.waitEvent(window_ ? window_->hwnd() : nullptr); }

void ModalWindow::close() {
    if (!window_) return;
    const bool wasOpen = open_.has_value();
    open_.reset();
    if (made_) {
        made_.reset();
    } else if (wasOpen) {
        window_->show(false);
    }
    window_ = nullptr;
    toolkit_.flushEvents();
}

}  // namespace seamster::ui
