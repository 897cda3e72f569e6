// Start-up time: from process creation to a visible main window, measured
// side by side with the smallest Win32 window program started the same way,
// so the ratio means something on a noisy machine. SEAMSTER_STARTUP_RUNS sets
// the number of alternating runs (default 1). The ratio's goal is checked
// only with SEAMSTER_TIME_GOALS set, as scripts/bench-startup.sh does; the
// test run checks that the main window shows.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "Scenario.h"

namespace seamster::e2e {
namespace {

using Clock = std::chrono::steady_clock;

// Milliseconds until a visible window with the title shows, or -1.
double timeToWindow(const std::string& exe, const std::string& folder, const std::string& title,
                    Process& process) {
    const auto start = Clock::now();
    process = Process::start(exe, folder);
    if (!process.started()) return -1;
    while (Clock::now() - start < std::chrono::seconds(20)) {
        HWND window = findWindow(process.id(), title);
        if (window && IsWindowVisible(window))
            return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        Sleep(2);
    }
    return -1;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

class StartUpTime : public Scenario {};

TEST_F(StartUpTime, MainWindowShowsAsSoonAsAnEmptyWindowWould) {
    const char* runsText = std::getenv("SEAMSTER_STARTUP_RUNS");
    const int runs = std::max(1, runsText ? std::atoi(runsText) : 1);
    const std::string probe = [] {
        wchar_t path[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, path, MAX_PATH);
        std::string own = narrow(path);
        return own.substr(0, own.find_last_of('\\') + 1) + "StartProbe.exe";
    }();
    ASSERT_TRUE(fileExists(probe)) << probe;
    writeSettings(settingsForPack("The Sims 2"));

    std::vector<double> seamsterTimes, probeTimes;
    for (int run = 0; run < runs; ++run) {
        Process probeProcess;
        double probeTime = timeToWindow(probe, programFolder(), "Start probe", probeProcess);
        probeProcess.terminate();
        Process seamster;
        double seamsterTime =
            timeToWindow(exePath(), programFolder(), mainTitle("The Sims 2"), seamster);
        seamster.terminate();
        ASSERT_GT(probeTime, 0) << "the probe window never showed";
        ASSERT_GT(seamsterTime, 0) << "the main window never showed";
        probeTimes.push_back(probeTime);
        seamsterTimes.push_back(seamsterTime);
    }
    const double seamster = median(seamsterTimes), probeMedian = median(probeTimes);
    const double ratio = seamster / probeMedian;
    std::printf(
        "start-up to a visible window, median of %d runs: Seamster %.0f ms, "
        "empty window %.0f ms, ratio %.2f (goal: at most 2, %s)\n",
        runs, seamster, probeMedian, ratio, ratio <= 2 ? "met" : "not met");
    if (std::getenv("SEAMSTER_TIME_GOALS")) {
        EXPECT_LE(ratio, 2.0);
    }
}

}  // namespace
}  // namespace seamster::e2e
