#include <gtest/gtest.h>

#include "core/BodyShopWatch.h"

namespace seamster {
namespace {

// A process list with one Body Shop that can start and end, counting how
// often the whole list is walked.
struct WatchedProcesses : Processes {
    bool bodyShopRuns = false;
    bool canHold = true;   // whether a found process can be held on to
    bool failing = false;  // the list cannot be taken
    bool held = false;
    int walks = 0;

    ProcessState checkRunning(const std::string&) override {
        ++walks;
        return failing        ? ProcessState::unknown
               : bodyShopRuns ? ProcessState::running
                              : ProcessState::notRunning;
    }
    ProcessState findAndWatch(const std::string& name) override {
        ProcessState result = checkRunning(name);
        held = result == ProcessState::running && canHold;
        return result;
    }
    bool watchedRunning() override {
        if (held && !bodyShopRuns) held = false;
        return held;
    }
};

TEST(BodyShopWatch, LooksAFewTimesASecondUntilItFindsTheBodyShop) {
    WatchedProcesses processes;
    BodyShopWatch watch;
    int64_t now = 0;
    for (; now < 1000; now += 10) EXPECT_EQ(watch.check(processes, now), ProcessState::notRunning);
    EXPECT_EQ(processes.walks, 3) << "one walk every 400 ms";

    processes.bodyShopRuns = true;  // started outside Seamster
    int64_t started = now;
    while (watch.check(processes, now) == ProcessState::notRunning) now += 10;
    EXPECT_LE(now - started, BodyShopWatch::lookInterval);
}

TEST(BodyShopWatch, HoldsTheFoundProcessAndSeesItsEndAtOnce) {
    WatchedProcesses processes;
    processes.bodyShopRuns = true;
    BodyShopWatch watch;
    EXPECT_EQ(watch.check(processes, 0), ProcessState::running);
    for (int64_t now = 10; now < 5000; now += 10)
        ASSERT_EQ(watch.check(processes, now), ProcessState::running);
    EXPECT_EQ(processes.walks, 1) << "a held process needs no more walks";
    EXPECT_EQ(watch.timeToNextLook(5000), BodyShopWatch::lookInterval)
        << "its end wakes the loop; nothing needs looking at before";

    processes.bodyShopRuns = false;
    EXPECT_EQ(watch.check(processes, 5000), ProcessState::notRunning)
        << "the first pass after the end sees it";
    EXPECT_EQ(processes.walks, 2) << "one walk makes sure no other copy runs";
}

TEST(BodyShopWatch, AnotherCopyStillRunningKeepsTheRunGoing) {
    WatchedProcesses processes;
    processes.bodyShopRuns = true;
    BodyShopWatch watch;
    EXPECT_EQ(watch.check(processes, 0), ProcessState::running);
    processes.held = false;  // the held copy ended, another one runs on
    EXPECT_EQ(watch.check(processes, 10), ProcessState::running);
    EXPECT_TRUE(processes.held);
}

TEST(BodyShopWatch, LookNowSeesAJustStartedBodyShopOnTheNextPass) {
    WatchedProcesses processes;
    BodyShopWatch watch;
    EXPECT_EQ(watch.check(processes, 0), ProcessState::notRunning);
    processes.bodyShopRuns = true;  // started by "Run Bodyshop"
    watch.lookNow();
    EXPECT_EQ(watch.check(processes, 10), ProcessState::running)
        << "a stale answer would end the run before it began";
}

TEST(BodyShopWatch, WithoutAHoldItKeepsLookingAndAFailedListIsReported) {
    WatchedProcesses processes;
    processes.bodyShopRuns = true;
    processes.canHold = false;
    BodyShopWatch watch;
    EXPECT_EQ(watch.check(processes, 0), ProcessState::running);
    EXPECT_EQ(watch.check(processes, 100), ProcessState::running);
    processes.bodyShopRuns = false;
    EXPECT_EQ(watch.timeToNextLook(100), 300);
    EXPECT_EQ(watch.check(processes, 450), ProcessState::notRunning)
        << "the end is seen at the next look";

    processes.failing = true;
    EXPECT_EQ(watch.check(processes, 900), ProcessState::unknown);
}

}  // namespace
}  // namespace seamster
