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
    static constexpr int64_t lookInterval = 300;

    ProcessState check(Processes& processes, int64_t nowMs);
    // The next check looks at the process list whatever the time, as after
    // starting the Body Shop.
    void lookNow() { nextLook_ = std::numeric_limits<int64_t>::min(); }

private:
    bool holding_ = false;
    ProcessState lastResult_ = ProcessState::notRunning;
    int64_t nextLook_ = std::numeric_limits<int64_t>::min();
};

}  // namespace seamster
