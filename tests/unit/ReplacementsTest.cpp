#include <gtest/gtest.h>

#include <algorithm>

#include "app/MainLoop.h"
#include "content/Replacements.h"
#include "fakes/MemoryFileSystem.h"

namespace seamster {
namespace {

const std::string kConfig = "C:\\Users\\Ann\\Documents\\EA Games\\The Sims 2\\Config\\";

class Replacements : public ::testing::Test {
protected:
    enum Kind : size_t { background, skin };  // rows of replacementKinds
    Replacements() { fs.addFolder(kConfig); }

    void add(std::initializer_list<std::string> names) {
        for (const std::string& name : names) fs.addFile(kConfig + name, name);
    }
    // The Config folder's file names, sorted.
    std::vector<std::string> files() {
        std::vector<DirEntry> entries;
        fs.list(kConfig, "*.*", entries);
        std::vector<std::string> names;
        for (const DirEntry& entry : entries)
            if (!entry.isFolder) names.push_back(entry.name);
        std::sort(names.begin(), names.end());
        return names;
    }
    // The texts of a background or skin list, default entry first.
    static std::vector<std::string> entries(const ReplacementList& list, const std::string& first) {
        std::vector<std::string> out{first};
        for (const std::string& name : list.names) out.push_back(" " + name);
        return out;
    }
    ReplacementScan scan() { return scanReplacementPackages(fs, kConfig); }
    InvisibleUnderwear ok(const ReplacementScan& found, ReplacementChoice choice) {
        return applyReplacementChoice(fs, kConfig, found, choice);
    }

    MemoryFileSystem fs;
};

using Names = std::vector<std::string>;

TEST_F(Replacements, OpeningSwitchesTheBackgroundOffAndOkSwitchesTheChosenOneOn) {
    add({"A_BodyShopscreenreplacement.package", "B_BodyShopscreenreplacement.off", "readme.txt"});
    ReplacementScan found = scan();
    EXPECT_EQ(entries(found.lists[background], " Standard Background"),
              (Names{" Standard Background", " A_BodyShopscreenreplacement",
                     " B_BodyShopscreenreplacement"}));
    EXPECT_EQ(found.lists[background].selected, 1);
    EXPECT_EQ(files(), (Names{"A_BodyShopscreenreplacement.off", "B_BodyShopscreenreplacement.off",
                              "readme.txt"}));
    // Renamed, not copied: the package keeps its contents.
    EXPECT_EQ(fs.contents(kConfig + "A_BodyShopscreenreplacement.off"),
              "A_BodyShopscreenreplacement.package");

    ok(found, {.lists = {2}});
    EXPECT_EQ(files(), (Names{"A_BodyShopscreenreplacement.off",
                              "B_BodyShopscreenreplacement.package", "readme.txt"}));

    // The standard background leaves every replacement off.
    found = scan();
    EXPECT_EQ(found.lists[background].selected, 2);
    ok(found, {.lists = {0}});
    EXPECT_EQ(files(), (Names{"A_BodyShopscreenreplacement.off", "B_BodyShopscreenreplacement.off",
                              "readme.txt"}));
}

TEST_F(Replacements, SkinsFolderAndMixedNamesAreScannedByKind) {
    add({"Tan_mannequinreplacement.off", "Dark_mannequinreplacement.package",
         "bodyshopscreenreplacement.package"});  // the patterns are case-sensitive
    fs.addFolder(kConfig + "Old_mannequinreplacement.package");
    ReplacementScan found = scan();
    EXPECT_TRUE(found.lists[background].names.empty());
    EXPECT_EQ(
        entries(found.lists[skin], " Default (Grey)"),
        (Names{" Default (Grey)", " Tan_mannequinreplacement", " Dark_mannequinreplacement"}));
    EXPECT_EQ(found.lists[skin].selected, 2);
    EXPECT_EQ(fs.exists(kConfig + "Old_mannequinreplacement.package"), PathKind::folder);

    ok(found, {.lists = {0, 1}});
    EXPECT_EQ(files(), (Names{"Dark_mannequinreplacement.off", "Tan_mannequinreplacement.package",
                              "bodyshopscreenreplacement.package"}));
}

TEST_F(Replacements, NamesHoldingAnExtensionElsewhereKeepItWhenSwitched) {
    add({"my.package.BodyShopscreenreplacement.package", "x.off_mannequinreplacement.off"});
    ReplacementScan found = scan();
    EXPECT_EQ(found.lists[background].names, (Names{"my.package.BodyShopscreenreplacement"}));
    EXPECT_EQ(found.lists[skin].names, (Names{"x.off_mannequinreplacement"}));
    ok(found, {.lists = {1, 1}});
    EXPECT_EQ(files(), (Names{"my.package.BodyShopscreenreplacement.package",
                              "x.off_mannequinreplacement.package"}));
}

TEST_F(Replacements, TheSamePackageFoundOnAndOffIsListedOnce) {
    add({"A_BodyShopscreenreplacement.off", "A_BodyShopscreenreplacement.package"});
    ReplacementScan found = scan();
    EXPECT_EQ(found.lists[background].names, (Names{"A_BodyShopscreenreplacement"}));
    EXPECT_EQ(found.lists[background].selected, 1);
    // The switch-off could not take the name that is already there; both files stay.
    EXPECT_EQ(files(),
              (Names{"A_BodyShopscreenreplacement.off", "A_BodyShopscreenreplacement.package"}));
}

TEST_F(Replacements, UnderwearIsSwitchedOffByTheScanAndOnUnderItsFixedNames) {
    add({"wind_female_inisibleundies.package", "wind_male_inisibleundies.off",
         "extra_female_inisibleundies.package"});
    ReplacementScan found = scan();
    EXPECT_TRUE(found.female.offered);
    EXPECT_TRUE(found.female.wasOn);
    EXPECT_TRUE(found.male.offered);
    EXPECT_FALSE(found.male.wasOn);
    EXPECT_EQ(files(), (Names{"extra_female_inisibleundies.off", "wind_female_inisibleundies.off",
                              "wind_male_inisibleundies.off"}));

    InvisibleUnderwear pictures = ok(found, {.female = 1, .male = 1});
    EXPECT_TRUE(pictures.female);
    EXPECT_TRUE(pictures.male);
    EXPECT_EQ(files(),
              (Names{"extra_female_inisibleundies.off", "wind_female_inisibleundies.package",
                     "wind_male_inisibleundies.package"}));

    // Opening again switches both off; keeping the defaults leaves them off.
    found = scan();
    EXPECT_TRUE(found.female.wasOn && found.male.wasOn);
    pictures = ok(found, {});
    EXPECT_FALSE(pictures.female);
    EXPECT_FALSE(pictures.male);
    EXPECT_EQ(files(), (Names{"extra_female_inisibleundies.off", "wind_female_inisibleundies.off",
                              "wind_male_inisibleundies.off"}));
}

TEST_F(Replacements, FemaleNamesDoNotCountAsMale) {
    add({"wind_female_inisibleundies.off"});
    ReplacementScan found = scan();
    EXPECT_TRUE(found.female.offered);
    EXPECT_FALSE(found.male.offered);
    // Without an invisible entry the male list's position 1 names nothing.
    EXPECT_FALSE(ok(found, {.male = 1}).male);
    EXPECT_EQ(files(), (Names{"wind_female_inisibleundies.off"}));
}

TEST_F(Replacements, EveryListedEntrySwitchesItsOwnPackageOnHoweverManyThereAre) {
    for (int i = 1; i <= 7; ++i)
        add({"bg" + std::to_string(i) + "_BodyShopscreenreplacement" +
             (i == 6 ? ".package" : ".off")});
    for (int i = 1; i <= 12; ++i)
        add({"skin" + std::to_string(i) + "_mannequinreplacement" +
             (i == 11 ? ".package" : ".off")});
    ReplacementScan found = scan();
    ASSERT_EQ(found.lists[background].names.size(), 7u);
    ASSERT_EQ(found.lists[skin].names.size(), 12u);
    EXPECT_EQ(found.lists[background].selected, 6);
    EXPECT_EQ(found.lists[skin].selected, 11);
    EXPECT_EQ(fs.exists(kConfig + "bg6_BodyShopscreenreplacement.off"), PathKind::file);
    EXPECT_EQ(fs.exists(kConfig + "skin11_mannequinreplacement.off"), PathKind::file);

    ok(found, {.lists = {7, 12}});
    EXPECT_EQ(fs.exists(kConfig + "bg7_BodyShopscreenreplacement.package"), PathKind::file);
    EXPECT_EQ(fs.exists(kConfig + "skin12_mannequinreplacement.package"), PathKind::file);
    ok(scan(), {.lists = {5, 10}});
    EXPECT_EQ(fs.exists(kConfig + "bg5_BodyShopscreenreplacement.package"), PathKind::file);
    EXPECT_EQ(fs.exists(kConfig + "bg7_BodyShopscreenreplacement.package"), PathKind::missing);
}

TEST_F(Replacements, RestoreCheckBoxFollowsTheUnderwearLists) {
    EXPECT_FALSE(restoreUndiesCheckEnabled(0, 0));
    EXPECT_FALSE(restoreUndiesCheckEnabled(-1, 0));  // nothing selected
    EXPECT_TRUE(restoreUndiesCheckEnabled(1, 0));
    EXPECT_TRUE(restoreUndiesCheckEnabled(0, 1));
    EXPECT_TRUE(restoreUndiesCheckEnabled(1, 1));
}

TEST_F(Replacements, MissingConfigFolderOffersOnlyTheDefaults) {
    MemoryFileSystem empty;
    ReplacementScan found = scanReplacementPackages(empty, kConfig);
    EXPECT_TRUE(found.lists[background].names.empty() && found.lists[skin].names.empty());
    EXPECT_FALSE(found.female.offered || found.male.offered);
    InvisibleUnderwear pictures = applyReplacementChoice(empty, kConfig, found, {});
    EXPECT_FALSE(pictures.male);
    EXPECT_FALSE(pictures.female);
    EXPECT_EQ(empty.changeCount, 0);
}

TEST_F(Replacements, FailedRenamesLoseNoFile) {
    add({"A_BodyShopscreenreplacement.package", "B_BodyShopscreenreplacement.off",
         "wind_male_inisibleundies.package"});
    fs.failWhen = [](FsOp op, const std::string&) { return op == FsOp::rename; };
    ReplacementScan found = scan();
    // Still listed and pre-selected, and still on under its own name.
    EXPECT_EQ(found.lists[background].selected, 1);
    EXPECT_TRUE(found.male.wasOn);
    const auto before = fs.snapshot();
    ok(found, {.lists = {2}, .male = 1});
    EXPECT_EQ(fs.snapshot(), before);
    for (const std::string& name : files()) EXPECT_EQ(fs.contents(kConfig + name), name);

    // A switch-on whose target name is taken leaves both files as they were.
    fs.failWhen = nullptr;
    add({"B_BodyShopscreenreplacement.package"});
    const auto taken = fs.snapshot();
    ok(found, {.lists = {2}});
    EXPECT_EQ(fs.snapshot(), taken);
}

}  // namespace
}  // namespace seamster
