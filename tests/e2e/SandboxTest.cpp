// The sandbox's finished packages must look as old to Windows programs as the
// sandbox builder made them; the package finder's age filters rely on it.

#include <map>

#include "Scenario.h"

namespace seamster::e2e {
namespace {

class Sandbox : public Scenario {};

// Whole days between the file's creation (UTC) and now.
std::map<std::string, long long> creationAgesInDays(const std::string& folder) {
    std::map<std::string, long long> ages;
    FILETIME nowTime{};
    GetSystemTimeAsFileTime(&nowTime);
    const auto ticks = [](const FILETIME& t) {
        return static_cast<long long>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) |
                                      t.dwLowDateTime);
    };
    constexpr long long ticksPerDay = 864000000000LL;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW(widen(folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return ages;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        // Rounded, so that the seconds spent since the sandbox was laid don't count.
        const long long age =
            (ticks(nowTime) - ticks(found.ftCreationTime) + ticksPerDay / 2) / ticksPerDay;
        ages[narrow(found.cFileName)] = age;
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return ages;
}

TEST_F(Sandbox, FinishedPackagesAreAsOldAsTheBuilderMadeThem) {
    const std::string game = gameFolder();
    ASSERT_FALSE(game.empty());
    const std::map<std::string, long long> expected = {
        {"0a1b2c3d_Summer_Dress.package", 0}, {"00000000_Blank_Top.package", 1},
        {"1f2e3d4c_Red_Gown.package", 2},     {"Summer_Dress.package", 5},
        {"7b7b7b7b_Denim_Jeans.package", 7},  {"My Party Outfit.package", 12},
        {"3c4d5e6f_Winter_Coat.package", 30}, {"9a8b7c6d_Old_Skin.PACKAGE", 90},
        {"e0e0e0e0_Swimsuit.package", 400},   {"readme.txt", 3},
    };
    EXPECT_EQ(creationAgesInDays(game + "\\SavedSims"), expected);
}

}  // namespace
}  // namespace seamster::e2e
