// What the Body Shop stand-in reports about a game folder. The demo and the
// end-to-end tests read it to see the effect of a run, so a wrong word here
// would hide a fault of the program.

#include <gtest/gtest.h>

#include "StandInView.h"
#include "fakes/MemoryFileSystem.h"

namespace seamster::standin {
namespace {

const std::string kDocuments = "C:\\users\\me\\Documents\\";
const std::string kGame = kDocuments + "EA Games\\The Sims 2\\";

TEST(StandInViewTest, UserFolderIsTheFirstOneHoldingNeighborhoods) {
    MemoryFileSystem fs;
    EXPECT_EQ(findUserFolder(fs, kDocuments), "");
    fs.addFile(kDocuments + "EA Games\\notes.txt")
        .addFolder(kDocuments + "EA Games\\Empty")
        .addFolder(kDocuments + "EA Games\\The Sims 2\\Neighborhoods")
        .addFolder(kDocuments + "EA Games\\Later\\Neighborhoods");
    EXPECT_EQ(findUserFolder(fs, kDocuments), kGame);

    View view = gatherView(fs, kDocuments);
    EXPECT_EQ(view.userFolder, kGame);
    EXPECT_EQ(view.poses.text, "Hands on Hips (the default pose)\nNo pose packages in Config");
    EXPECT_EQ(view.downloads, (Shown{"not there", Tone::quiet}));

    MemoryFileSystem none;
    none.addFolder(kDocuments + "EA Games\\The Sims 2");
    view = gatherView(none, kDocuments);
    EXPECT_EQ(view.userFolder, "");
    EXPECT_EQ(view.userFolderText.tone, Tone::attention);
}

TEST(StandInViewTest, PoseAndLightingShowWhatIsActive) {
    MemoryFileSystem fs;
    fs.addFolder(kGame + "Neighborhoods")
        .addFile(kGame + "Config\\casieHipsANIM.off")
        .addFile(kGame + "Config\\casieWaveanim.package")
        .addFile(kGame + "Config\\CasieLightsReplacementDim.PACKAGE")
        .addFile(kGame + "Config\\casielightsreplacementWarm.package")
        .addFile(kGame + "Config\\casielightsreplacementCool.package")
        .addFolder(kGame + "Config\\casieFolderanim.package");
    View view = gatherView(fs, kDocuments);
    EXPECT_EQ(view.poses, (Shown{"casieWaveanim.package\n2 pose packages in Config, 1 switched off",
                                 Tone::good}));
    EXPECT_EQ(view.lighting,
              (Shown{"CasieLightsReplacementDim.PACKAGE\ncasielightsreplacementWarm.package\n"
                     "and 1 more\n3 active at once!  (3 in Config, 0 switched off)",
                     Tone::attention}));
}

TEST(StandInViewTest, GameFoldersAndCachesShowTheirState) {
    MemoryFileSystem fs;
    fs.addFolder(kGame + "Neighborhoods")
        .addFolder(kGame + "Downloads_off")
        .addFolder(kGame + "SavedSims")
        .addFolder(kGame + "SavedSims_off")
        .addFile(kGame + "Thumbnails\\CASThumbnails.package");
    View view = gatherView(fs, kDocuments);
    EXPECT_EQ(view.downloads, (Shown{"hidden as Downloads_off", Tone::attention}));
    EXPECT_EQ(view.savedSims, (Shown{"visible, and SavedSims_off is there too", Tone::attention}));
    EXPECT_EQ(view.caches.text,
              "Body Shop (cigen.package):  not there\nGame (CASThumbnails.package):  present");

    ASSERT_TRUE(fs.rename(kGame + "Downloads_off", kGame + "Downloads"));
    EXPECT_EQ(gatherView(fs, kDocuments).downloads, (Shown{"visible", Tone::good}));
}

TEST(StandInViewTest, ReplacementsFollowTheirExactMarkers) {
    MemoryFileSystem fs;
    fs.addFolder(kGame + "Neighborhoods")
        .addFile(kGame + "Config\\BodyShopscreenreplacementBeach.package")
        .addFile(kGame + "Config\\bodyshopscreenreplacementLower.package")
        .addFile(kGame + "Config\\mannequinreplacementTan.off")
        .addFile(kGame + "Config\\wind_female_inisibleundies.package")
        .addFile(kGame + "Config\\wind_male_inisibleundies.off");
    EXPECT_EQ(gatherView(fs, kDocuments).replacements.text,
              "Background:  BodyShopscreenreplacementBeach\nSkin:  Default (Grey)\n"
              "Underwear:  female invisible, male default");

    ASSERT_TRUE(fs.rename(kGame + "Config\\wind_male_inisibleundies.off",
                          kGame + "Config\\wind_male_inisibleundies.package"));
    ASSERT_TRUE(fs.rename(kGame + "Config\\wind_female_inisibleundies.package",
                          kGame + "Config\\wind_female_inisibleundies.off"));
    EXPECT_EQ(gatherView(fs, kDocuments).replacements.text,
              "Background:  BodyShopscreenreplacementBeach\nSkin:  Default (Grey)\n"
              "Underwear:  female default, male invisible");
}

TEST(StandInViewTest, CommandLineParametersAndScreenSize) {
    EXPECT_EQ(parametersOf("\"C:\\Program Files\\EA GAMES\\CSBin\\TS2BodyShop.exe\" -r1024x768"),
              "-r1024x768");
    EXPECT_EQ(parametersOf("C:\\Games\\TS2BodyShop.exe   -r800x600  "), "-r800x600");
    EXPECT_EQ(parametersOf("\"C:\\a b\\TS2BodyShop.exe\""), "");
    EXPECT_EQ(parametersOf("TS2BodyShop.exe"), "");
    EXPECT_EQ(parametersOf(""), "");

    EXPECT_EQ(screenSizeOf("-r1024x768"), (Shown{"Screen size 1024 x 768", Tone::good}));
    EXPECT_EQ(screenSizeOf("-w -R800X600"), (Shown{"Screen size 800 x 600", Tone::good}));
    EXPECT_EQ(screenSizeOf("-rbig").tone, Tone::attention);
    EXPECT_EQ(screenSizeOf("-r1024x").tone, Tone::attention);
    EXPECT_EQ(screenSizeOf(""), (Shown{"No screen size given", Tone::quiet}));
}

}  // namespace
}  // namespace seamster::standin
