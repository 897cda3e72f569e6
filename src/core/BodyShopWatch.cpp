#include "core/BodyShopWatch.h"

#include <algorithm>

namespace seamster {

ProcessState BodyShopWatch::check(Processes& processes, int64_t nowMs) {
    if (holding_) {
        if (processes.watchedRunning()) return ProcessState::running;
        // That one ended; another copy may still run, so look right away.
        holding_ = false;
        lookNow();
    }
    if (nowMs < nextLook_) return lastResult_;
    nextLook_ = nowMs + lookInterval;
    lastResult_ = processes.findAndWatch(bodyShopProcessName);
    holding_ = lastResult_ == ProcessState::running && processes.watchedRunning();
    return lastResult_;
}

int64_t BodyShopWatch::timeToNextLook(int64_t nowMs) const {
    if (holding_) return lookInterval;
    if (nextLook_ <= nowMs) return 0;
    return std::min(nextLook_ - nowMs, lookInterval);
}

}  // namespace seamster
