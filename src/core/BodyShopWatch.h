#pragma once
// Follows the Body Shop process cheaply. Walking the whole process list is
// costly, so it is done only a few times a second while no Body Shop is
// known; once one is found, the watch holds on to that process and its end
// is seen at once, without another walk.

#include <cstdint>
#include <limits>

#include "platform/Platform.h"

namespace seamster {

inline constexpr char bodyShopProcessName[] = "TS2BodyShop.exe";

class BodyShopWatch {
public:
    // Time between looks at the process list while no Body Shop is held.
    // A walk of the list is most of what an idle Seamster costs; at this
    // interval a Body Shop started elsewhere is still seen within half a
    // second.
    static constexpr int64_t lookInterval = 400;

    ProcessState check(Processes& processes, int64_t nowMs);
    // The next check looks at the process list whatever the time, as after
    // starting the Body Shop.
    void lookNow() { nextLook_ = std::numeric_limits<int64_t>::min(); }
    // How long a caller may wait before the next check can tell anything
    // new: until the next look at the list, or a whole interval while a
    // held process is followed (its end is signalled, not looked for).
    int64_t timeToNextLook(int64_t nowMs) const;

private:
    bool holding_ = false;
    ProcessState lastResult_ = ProcessState::notRunning;
    int64_t nextLook_ = std::numeric_limits<int64_t>::min();
};

}  // namespace seamster
