#include <gtest/gtest.h>

#include "core/BodyShopWatch.h"

namespace seamster {
namespace {

// A process list with one Body Shop that can start and end, counting how
// often the whole list is walked.
struct WatchedProcesses : Processes {
    bool bodyShopRuns = false;
    bool canHold = true;  // whether a found process can be held on to
    int failure = 0;      // -1: the list cannot be taken
    bool held = false;
    int walks = 0;

    int checkRunning(const std::string&) override {
        ++walks;
        return failure ? failure : bodyShopRuns ? 1 : 0;
    }
    int findAndWatch(const std::string& name) override {
        int result = checkRunning(name);
        held = result == 1 && canHold;
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
    for (; now < 1000; now += 10) EXPECT_EQ(watch.check(processes, now), 0);
    EXPECT_EQ(processes.walks, 4) << "one walk every 300 ms";

    processes.bodyShopRuns = true;  // started outside Seamster
    int64_t started = now;
    while (watch.check(processes, now) == 0) now += 10;
    EXPECT_LE(now - started, BodyShopWatch::lookInterval);
}

TEST(BodyShopWatch, HoldsTheFoundProcessAndSeesItsEndAtOnce) {
    WatchedProcesses processes;
    processes.bodyShopRuns = true;
    BodyShopWatch watch;
    EXPECT_EQ(watch.check(processes, 0), 1);
    for (int64_t now = 10; now < 5000; now += 10) ASSERT_EQ(watch.check(processes, now), 1);
    EXPECT_EQ(processes.walks, 1) << "a held process needs no more walks";

    processes.bodyShopRuns = false;
    EXPECT_EQ(watch.check(processes, 5000), 0) << "the first pass after the end sees it";
    EXPECT_EQ(processes.walks, 2) << "one walk makes sure no other copy runs";
}

TEST(BodyShopWatch, AnotherCopyStillRunningKeepsTheRunGoing) {
    WatchedProcesses processes;
    processes.bodyShopRuns = true;
    BodyShopWatch watch;
    EXPECT_EQ(watch.check(processes, 0), 1);
    processes.held = false;  // the held copy ended, another one runs on
    EXPECT_EQ(watch.check(processes, 10), 1);
    EXPECT_TRUE(processes.held);
}

TEST(BodyShopWatch, LookNowSeesAJustStartedBodyShopOnTheNextPass) {
    WatchedProcesses processes;
    BodyShopWatch watch;
    EXPECT_EQ(watch.check(processes, 0), 0);
    processes.bodyShopRuns = true;  // started by "Run Bodyshop"
    watch.lookNow();
    EXPECT_EQ(watch.check(processes, 10), 1) << "a stale answer would end the run before it began";
}

TEST(BodyShopWatch, WithoutAHoldItKeepsLookingAndAFailedListIsReported) {
    WatchedProcesses processes;
    processes.bodyShopRuns = true;
    processes.canHold = false;
    BodyShopWatch watch;
    EXPECT_EQ(watch.check(processes, 0), 1);
    EXPECT_EQ(watch.check(processes, 100), 1);
    processes.bodyShopRuns = false;
    EXPECT_EQ(watch.check(processes, 350), 0) << "the end is seen at the next look";

    processes.failure = -1;
    EXPECT_EQ(watch.check(processes, 700), -1);
}

}  // namespace
}  // namespace seamster
