// Each edition of the game from a first start without a settings file: the
// main window with at most the set-up window's "OK", "Run Bodyshop" starting
// that edition's Body Shop, and the Downloads folder of that edition's own
// user game folder hidden for the run. scripts/e2e.sh lays each edition
// (tools/sandbox/make-sandbox.sh reset PREFIX EDITION).

#include "GameContent.h"
#include "Scenario.h"

namespace seamster::e2e {
namespace {

struct Edition {
    std::string bodyShopStart;  // how RunBodyshop begins; "" for no Body Shop at all
    std::string userFolder;     // the edition's own, under Documents\EA Games
    std::string aboutLine;      // the About window's line on the game found
};

const std::string ultimateName = "The Sims\xE2\x84\xA2 2 Ultimate Collection";
const std::string noBodyShopBox =
    "The Sims 2 Legacy has no Body Shop.\n\nThis edition of the game comes without it. Add the "
    "Body Shop with a community installer, which puts TS2BodyShop.exe into a CSBin folder of the "
    "game, then start Seamster again.\n\nRenaming packages, backgrounds and cleaning up projects "
    "work without it.";
constexpr int aboutGameLine = 205, aboutOk = 200, hideDownloads = 210, hideOk = 200;

class Editions : public ContentScenario {
protected:
    void TearDown() override { terminateProcessesNamed(bodyShopExe); }

    static std::string eaGames() {
        const std::string game = gameFolder();
        return game.substr(0, game.find_last_of('\\') + 1);
    }

    std::string savedRunBodyshop() {
        const std::string saved = readSettings();
        const size_t at = saved.find("\r\nRunBodyshop = ");
        if (at == std::string::npos) return {};
        const size_t start = at + 16;
        return saved.substr(start, saved.find("\r\n", start) - start);
    }

    void checkAbout(const Edition& edition) {
        HWND about = openFromToolBar(mainButton::about, aboutTitle);
        ASSERT_NE(about, nullptr);
        snap(about, "about");
        EXPECT_EQ(text(control(about, aboutGameLine)), edition.aboutLine);
        pressOk(about, aboutOk);
    }

    void chooseToHideDownloads() {
        HWND hide = openFromToolBar(mainButton::hideGameFolders, hideFoldersTitle);
        ASSERT_NE(hide, nullptr);
        click(control(hide, hideDownloads));
        settle(hide, 50);
        pressOk(hide, hideOk);
    }

    // The run: that edition's Body Shop, its own Downloads hidden meanwhile
    // and back afterwards; every other user folder left alone.
    void runAndCheckHiding(const Edition& edition) {
        const std::string own = eaGames() + edition.userFolder;
        const std::string runBodyshop = savedRunBodyshop();
        EXPECT_EQ(runBodyshop.rfind(edition.bodyShopStart, 0), 0u) << runBodyshop;
        const std::string log =
            runBodyshop.substr(0, runBodyshop.find_last_of('\\')) + "\\TS2BodyShop.log";
        StandIn standIn;
        runBodyShop(standIn);
        ASSERT_FALSE(HasFailure());
        snap(standIn.window(), "stand-in");
        EXPECT_TRUE(waitUntil([&] { return fileExists(log); })) << "no " << log;
        EXPECT_TRUE(folderExists(own + "\\Downloads_off"));
        EXPECT_FALSE(folderExists(own + "\\Downloads"));
        EXPECT_TRUE(folderExists(gameFolder() + "\\Downloads") || own == gameFolder());
        ASSERT_TRUE(standIn.close());
        EXPECT_EQ(answerBox(IDOK, "restored"), "The Downloads folder is unhidden \n");
        EXPECT_TRUE(folderExists(own + "\\Downloads"));
    }

    void startFresh(const Edition& edition) {
        ASSERT_FALSE(fileExists(settingsPath()));
        seamster_ = startSeamster();
        if (edition.bodyShopStart.empty()) {
            EXPECT_EQ(answerBox(IDOK, "no-body-shop"), noBodyShopBox);
        }
        main_ = waitForMainWindow(seamster_);
        ASSERT_NE(main_, nullptr);
        settle(main_);
        snap(main_, "main-window");
    }

    void checkEdition(const Edition& edition) {
        startFresh(edition);
        ASSERT_FALSE(HasFailure());
        checkAbout(edition);
        chooseToHideDownloads();
        ASSERT_FALSE(HasFailure());
        if (edition.bodyShopStart.empty()) {
            // "Run Bodyshop" says the same and hides nothing.
            click(control(main_, runBodyshopGadget));
            EXPECT_EQ(answerBox(IDOK, "run-without-body-shop"), noBodyShopBox);
            EXPECT_TRUE(folderExists(eaGames() + edition.userFolder + "\\Downloads"));
            EXPECT_TRUE(processIdsNamed(bodyShopExe).empty());
        } else {
            runAndCheckHiding(edition);
        }
        quitWithQuestion(seamster_, main_);
    }
};

TEST_F(Editions, Discs) { checkEdition({"C:\\Program Files\\EA GAMES\\\\", "The Sims 2", ""}); }

TEST_F(Editions, DiscsUnderProgramFilesX86) {
    checkEdition({"C:\\Program Files (x86)\\EA GAMES\\", "The Sims 2", ""});
}

TEST_F(Editions, UltimateCollection) {
    checkEdition(
        {"C:\\Program Files (x86)\\Origin Games\\The Sims 2 Ultimate Collection\\Fun "
         "with Pets\\SP9\\CSBin\\TS2BodyShop.exe",
         ultimateName, ultimateName});
}

TEST_F(Editions, LegacyCollectionWithBodyShop) {
    checkEdition(
        {"C:\\SteamLibrary\\steamapps\\common\\The Sims 2 Legacy Collection\\EP9\\CSBin\\"
         "TS2BodyShop.exe",
         "The Sims 2 Legacy", "The Sims 2 Legacy"});
}

TEST_F(Editions, LegacyCollectionAsItShips) {
    checkEdition({"", "The Sims 2 Legacy", "The Sims 2 Legacy"});
}

}  // namespace
}  // namespace seamster::e2e
