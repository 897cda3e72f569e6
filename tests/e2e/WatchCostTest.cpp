// Following the Body Shop: a Body Shop started elsewhere, and the end of one,
// show in the main window. With SEAMSTER_TIME_GOALS set (scripts/bench-watch.sh
// sets it) it also measures what that costs: Seamster's processor time while
// idle, with and without a Body Shop running, side by side with a program that
// walks the process list every 10 ms, and how soon the start and end are seen,
// and checks them against their goals. The test run checks no times: on a
// loaded machine they say nothing about the program.
// SEAMSTER_WATCH_SECONDS sets each measuring span (default 3 s); from 10 s
// on, the goals are checked strictly.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "Scenario.h"

namespace seamster::e2e {
namespace {

using Clock = std::chrono::steady_clock;
constexpr int runButton = 18;
const std::string pack = "The Sims 2";

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Wine does not count another process's processor time, so it is read from
// the host's process table (drive Z: is the host's root): the user and
// system ticks of the process whose command name is `name`, or -1.
std::string readHostFile(const std::string& path) {
    std::string data;
    HANDLE file = CreateFileW(widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return data;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        data.append(buffer, got);
    CloseHandle(file);
    return data;
}

double hostCpuMilliseconds(const std::string& name) {
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW(L"Z:\\proc\\*", &entry);
    if (find == INVALID_HANDLE_VALUE) return -1;
    double result = -1;
    do {
        const std::string pid = narrow(entry.cFileName);
        if (pid.empty() || pid.find_first_not_of("0123456789") != std::string::npos) continue;
        const std::string folder = "Z:\\proc\\" + pid + "\\";
        std::string comm = readHostFile(folder + "comm");
        while (!comm.empty() && (comm.back() == '\n' || comm.back() == '\r')) comm.pop_back();
        if (comm != name) continue;
        const std::string stat = readHostFile(folder + "stat");
        const size_t end = stat.rfind(')');
        if (end == std::string::npos) continue;
        // After the name: state, then fields 4 to 13, then user and system ticks.
        std::istringstream fields(stat.substr(end + 2));
        std::string skip;
        for (int i = 0; i < 11; ++i) fields >> skip;
        double user = 0, system = 0;
        fields >> user >> system;
        result = (user + system) * 10.0;  // 100 ticks a second
        break;
    } while (FindNextFileW(find, &entry));
    FindClose(find);
    return result;
}

// Percent of one core the named program used over the span.
double cpuPercent(const std::string& name, int seconds) {
    const double before = hostCpuMilliseconds(name);
    const auto start = Clock::now();
    Sleep(DWORD(seconds) * 1000);
    const double after = hostCpuMilliseconds(name);
    if (before < 0 || after < 0) return -1;
    return 100.0 * (after - before) / millisecondsSince(start);
}

// Milliseconds until the Run button shows the state, or -1.
double timeUntilRunButton(HWND main, bool enabled, Clock::time_point since) {
    while (millisecondsSince(since) < defaultWaitMs) {
        if (isEnabled(control(main, runButton)) == enabled) return millisecondsSince(since);
        Sleep(2);
    }
    return -1;
}

class WatchCost : public Scenario {};

TEST_F(WatchCost, FollowingTheBodyShopCostsLittleAndNoticesItPromptly) {
    const char* secondsText = std::getenv("SEAMSTER_WATCH_SECONDS");
    const int seconds = std::max(1, secondsText ? std::atoi(secondsText) : 3);
    const bool measuring = std::getenv("SEAMSTER_TIME_GOALS") != nullptr;
    const bool strict = seconds >= 10;

    const std::string probe = [] {
        wchar_t path[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, path, MAX_PATH);
        std::string own = narrow(path);
        return own.substr(0, own.find_last_of('\\') + 1) + "StartProbe.exe";
    }();
    double walking = -1, idle = -1, running = -1;
    if (measuring) {
        Process walker = Process::start(probe, programFolder(), "--walk-every-10ms");
        ASSERT_TRUE(walker.started());
        Sleep(500);
        walking = cpuPercent("StartProbe.exe", seconds);
        walker.terminate();
    }

    writeSettings(settingsForPack(pack));
    Process seamster = startSeamster();
    HWND main = waitForMainWindow(seamster);
    ASSERT_NE(main, nullptr);
    if (measuring) {
        Sleep(500);
        idle = cpuPercent("Seamster.exe", seconds);
    }

    const std::string exe = bodyShopPath(installDirectory, pack);
    const auto started = Clock::now();
    Process bodyShop = Process::start(exe, exe.substr(0, exe.rfind('\\')));
    ASSERT_TRUE(bodyShop.started());
    const double noticed = timeUntilRunButton(main, false, started);
    ASSERT_GE(noticed, 0) << "the Body Shop started elsewhere was never noticed";
    HWND standIn = waitForWindow(bodyShop.id(), "Body Shop stand-in");
    ASSERT_NE(standIn, nullptr);
    if (measuring) {
        Sleep(500);
        running = cpuPercent("Seamster.exe", seconds);
    }

    bodyShop.terminate();  // ends at once, as a crash of the Body Shop would
    const auto ended = Clock::now();
    const double endSeen = timeUntilRunButton(main, true, ended);
    ASSERT_GE(endSeen, 0) << "the end of the Body Shop was never noticed";
    if (!measuring) {
        std::printf("Body Shop start seen after %.0f ms, its end after %.0f ms\n", noticed,
                    endSeen);
        quitWithQuestion(seamster, main);
        return;
    }

    std::printf(
        "watching over %d s: Seamster idle %.2f %%, with the Body Shop running %.2f %% "
        "of one core; a walk of the process list every 10 ms %.2f %% (ratio %.1f); "
        "Body Shop start seen after %.0f ms, its end after %.0f ms\n",
        seconds, idle, running, walking, walking / std::max(idle, 0.01), noticed, endSeen);
    ASSERT_GE(walking, 0) << "the host's process table cannot be read";
    ASSERT_GE(idle, 0);
    ASSERT_GE(running, 0);
    EXPECT_LT(idle, walking);
    EXPECT_LT(running, walking);
    if (strict) {
        EXPECT_LT(idle, 1.0);
        EXPECT_LT(running, 1.0);
        EXPECT_LE(noticed, 500);
        EXPECT_LE(endSeen, 100);
    } else {  // a short span on a busy machine: only gross slowness fails
        EXPECT_LE(noticed, 1500);
        EXPECT_LE(endSeen, 500);
    }
    quitWithQuestion(seamster, main);
}

}  // namespace
}  // namespace seamster::e2e
