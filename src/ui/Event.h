#pragma once
// What windows tell their event loops: small values in a queue, taken one at
// a time. Plain data, so loops can be driven by tests.

namespace seamster {

// `quit`: the program was told to end (a quit message), as opposed to a
// window's close box.
enum class EventKind { none, gadget, toolBar, close, other, quit };

struct Event {
    EventKind kind = EventKind::none;
    int window = 0;
    int id = 0;  // gadget or tool-bar button number
};

}  // namespace seamster
