#include <gtest/gtest.h>

#include <vector>

#include "platform/Platform.h"
#include "rename/NamingRules.h"

namespace seamster {
namespace {

struct RecordingDialogs : Dialogs {
    std::vector<std::string> messages;
    void showMessage(const std::string& text, int icon) override {
        EXPECT_EQ(icon, iconInformation);
        messages.push_back(text);
    }
    int askYesNo(const std::string&, int) override { return answerNo; }
};

struct ComposeCase {
    const char* oldName;
    const char* inFront;
    const char* inBack;
    bool keepNumber;
    bool customNumber;
    const char* startNumber;
    const char* expected;
    const char* nextStartNumber;
};

TEST(ComposeNewName, FollowsTheRenamingOptions) {
    const ComposeCase cases[] = {
        {"0a1b2c3d_Dress.package", "XY_", "_v2", false, true, "001", "XY_Dress_v2001", "002"},
        {"0a1b2c3d_Dress.package", "XY_", "_v2", true, true, "001", "XY_0a1b2c3d_Dress_v2001",
         "002"},
        {"My.Package.Backup.package", "", "", true, false, "7", "My.Backup", "7"},
        {"Summer_Dress.package", "", "", false, false, "", "Summer_Dress", ""},
        {"00000000_Dress.package", "", "", false, false, "", "00000000_Dress", ""},
        {"1ZZZZZZZ_Dress.PACKAGE", "", "", false, false, "", "Dress", ""},
        {"0A1B2C3D_Robe \xC3\xA9t\xC3\xA9.package", "", "", false, false, "",
         "Robe \xC3\xA9t\xC3\xA9", ""},
        // The number is counted in characters, so a non-ASCII one is cut whole.
        {"1\xC3\xA9"
         "345678_Hat.package",
         "", "", false, false, "", "Hat", ""},
        {"0a1b2c3d_Dress.package", "", "   ", true, true, "5", "0a1b2c3d_Dress   5", "6"},
        {"0a1b2c3d_Dress.package", "", "", true, true, "", "0a1b2c3d_Dress", "1"},
    };
    for (const ComposeCase& c : cases) {
        NamingSettings options{c.inFront, c.inBack, c.startNumber, c.keepNumber, c.customNumber, 0,
                               "",        ""};
        EXPECT_EQ(composeNewName(c.oldName, options), c.expected) << c.oldName;
        EXPECT_EQ(options.startNumber, c.nextStartNumber) << c.oldName;
    }
}

TEST(ComposeNewName, NumbersSuccessiveFilesFromTheStartNumber) {
    auto numbersFor = [](const char* start) {
        NamingSettings options{"", "", start, 1, 1, 0, "", ""};
        std::vector<std::string> names;
        for (int i = 0; i < 3; ++i) names.push_back(composeNewName("a.package", options));
        names.push_back(options.startNumber);
        return names;
    };
    EXPECT_EQ(numbersFor("009"), (std::vector<std::string>{"a009", "a010", "a011", "012"}));
    EXPECT_EQ(numbersFor("99"), (std::vector<std::string>{"a99", "a100", "a101", "102"}));
    EXPECT_EQ(numbersFor(""), (std::vector<std::string>{"a", "a1", "a2", "3"}));
}

TEST(AdvanceStartNumber, KeepsTheWidthAndReadsLikeANumber) {
    const std::pair<const char*, const char*> cases[] = {
        {"001", "002"},
        {"009", "010"},
        {"99", "100"},
        {"", "1"},
        {"0", "1"},
        {" 7", "08"},
        {"12ab", "0013"},
        {"abc", "001"},
        {"+4", "05"},
        {"-3", "-2"},
        {"-1", "00"},
        {"-0", "01"},
        // Longer than any integer type, as a hand-edited settings file may hold.
        {"99999999999999999999", "100000000000000000000"},
    };
    for (auto [from, to] : cases) EXPECT_EQ(advanceStartNumber(from), to) << from;
}

TEST(IsValidFileName, RefusesEmptyTextControlsAndReservedCharacters) {
    for (const char* good : {"a", "[x]", "Dress=+;,", "   ", "Caf\xC3\xA9", "a.b"})
        EXPECT_TRUE(isValidFileName(good)) << good;
    for (const char* bad :
         {"", "a?b", "a\"b", "a*", "a/b", "a:b", "<", ">", "a\\b", "a|b", "tab\there", "\x1f"})
        EXPECT_FALSE(isValidFileName(bad)) << bad;
}

TEST(CleanFileNameText, TrimsThenRemovesEveryUnwantedCharacter) {
    struct Case {
        const char* text;
        const char* cleaned;
        bool message;
    };
    const Case cases[] = {
        {"a?b", "ab", true},
        {"  a:b  ", "ab", true},
        {"a ?", "a ", true},  // the blank before the removed character stays
        {"x[=+;,]y", "xy", false},
        {"", "", true},
        {"\t", "", true},
        {"  Dress  ", "Dress", false},
        {"C:\\Temp\\x", "CTempx", true},
    };
    for (const Case& c : cases) {
        CleanedText result = cleanFileNameText(c.text);
        EXPECT_EQ(result.text, c.cleaned) << c.text;
        EXPECT_EQ(result.showMessage, c.message) << c.text;
    }
    // Whatever goes in, what comes out is a usable name or nothing.
    for (int code = 0; code < 128; ++code) {
        std::string text = "a" + std::string(1, char(code)) + "b";
        EXPECT_TRUE(isValidFileName(cleanFileNameText(text).text)) << code;
    }
}

TEST(CleanTypedText, ShowsTheMessageOnceAndLeavesValidTextAlone) {
    RecordingDialogs dialogs;
    std::string text = "a?b";
    EXPECT_TRUE(cleanTypedText(text, dialogs));
    EXPECT_EQ(text, "ab");
    EXPECT_FALSE(cleanTypedText(text, dialogs));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0],
              "These characters are not allowed in filenames:\n\" ? [ ] / \\ = + < > : ; * ,");

    for (std::string untouched : {"[x]", "   ", ""}) {
        std::string before = untouched;
        EXPECT_FALSE(cleanTypedText(untouched, dialogs));
        EXPECT_EQ(untouched, before);
    }
    EXPECT_EQ(dialogs.messages.size(), 1u);

    EXPECT_EQ(cleanFileNameText("", dialogs), "");
    EXPECT_EQ(dialogs.messages.size(), 2u);
}

}  // namespace
}  // namespace seamster
