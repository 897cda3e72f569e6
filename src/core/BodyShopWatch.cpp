#include "core/BodyShopWatch.h"

namespace seamster {

int BodyShopWatch::check(Processes& processes, int64_t nowMs) {
    if (holding_) {
        if (processes.watchedRunning()) return 1;
        // That one ended; another copy may still run, so look right away.
        holding_ = false;
        lookNow();
    }
    if (nowMs < nextLook_) return lastResult_;
    nextLook_ = nowMs + lookInterval;
    lastResult_ = processes.findAndWatch(bodyShopProcessName);
    holding_ = lastResult_ == 1 && processes.watchedRunning();
    return lastResult_;
}

}  // namespace seamster
