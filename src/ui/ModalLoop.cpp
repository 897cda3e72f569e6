#include "ui/ModalLoop.h"

namespace seamster::ui {

WindowArgs modalWindowArgs(const std::string& title, int clientWidth, int clientHeight,
                           HWND owner) {
    WindowArgs args;
    args.number = 5;
    args.title = title;
    args.clientWidth = clientWidth;
    args.clientHeight = clientHeight;
    args.closeBox = false;  // only the window's own button closes it
    HWND active = GetActiveWindow();
    args.centreOver = active ? active : owner;
    args.owner = owner;
    return args;
}

bool runUntilGadget(Toolkit& toolkit, Window& window, int closeGadget,
                    const std::function<void(int gadget)>& onGadget) {
    for (;;) {
        const Event event = toolkit.waitEvent(window.hwnd());
        if (!IsWindow(window.hwnd()) || toolkit.quitting()) return false;
        if (event.kind != EventKind::gadget || event.window != window.number()) continue;
        if (onGadget) onGadget(event.id);
        if (event.id == closeGadget) return true;
    }
}

bool runModal(Toolkit& toolkit, Window& window, HWND owner, int closeGadget,
              const std::function<void(int gadget)>& onGadget) {
    window.show();
    ModalScope modal(owner);
    window.activate();
    SetFocus(window.gadget(closeGadget));
    return runUntilGadget(toolkit, window, closeGadget, onGadget);
}

}  // namespace seamster::ui
