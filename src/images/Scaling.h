#pragma once
// Scaling pictures, on one thread or two.

#include <optional>

#include "core/Image.h"

namespace seamster {

// How much of the machine a long piece of picture work may use.
enum class Threading {
    single,       // this thread only
    whenWorthIt,  // a second thread for large pictures, on more than one core
    always        // a second thread whenever the work can be split (for tests)
};

// Whether work that can be split should take a second thread.
bool wantsSecondThread(Threading threading, bool large);

// Smooth scaling as the system's half-tone stretch does it: each axis that
// shrinks is area-averaged (every source pixel counts by how much of it falls
// into the target pixel), each axis that grows is interpolated linearly
// between the nearest pixel centres. Nothing for an empty source or a target
// size that is not allowed. The result is the same however many threads do
// the work.
std::optional<Image> scaleImage(const Image& source, int width, int height,
                                Threading threading = Threading::whenWorthIt);

// The window of a virtual scaling of `source` to scaledWidth x scaledHeight
// whose top-left corner is (left, top) in the scaled picture and whose size
// is width x height; parts of the window outside the scaled picture are black.
// Only the window is computed, so a picture scaled far beyond the size limit
// (a thin strip enlarged to fill the screen) can still be shown in part; only
// the window itself must be of an allowed size.
std::optional<Image> scaleImageWindow(const Image& source, int scaledWidth, int scaledHeight,
                                      int left, int top, int width, int height,
                                      Threading threading = Threading::whenWorthIt);

}  // namespace seamster
