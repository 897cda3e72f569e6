// Each edition of the game (laid by scripts/e2e.sh) from a first start: its Body
// Shop started, and its own user folder's Downloads hidden for the run.

#include "GameContent.h"
#include "Scenario.h"

namespace seamster::e2e {
namespace {

const std::string ultimateName = "The Sims\xE2\x84\xA2 2 Ultimate Collection";
const std::string noBodyShopBox = "The Sims 2 Legacy has no Body Shop.\n\nThis edition of the game";
constexpr int aboutGameLine = 205, aboutOk = 200, hideDownloads = 210, hideOk = 200;

class Editions : public ContentScenario {
protected:
    void TearDown() override { terminateProcessesNamed(bodyShopExe); }

    // The run: that edition's Body Shop, its own Downloads hidden meanwhile
    // and back afterwards, every other user folder's left alone.
    void runAndCheckHiding(const std::string& bodyShopStart, const std::string& own) {
        const std::string saved = readSettings(), key = "\r\nRunBodyshop = ";
        const size_t start = saved.find(key) + key.size();
        const std::string runBodyshop = saved.substr(start, saved.find("\r\n", start) - start);
        EXPECT_EQ(runBodyshop.rfind(bodyShopStart, 0), 0u) << runBodyshop;
        const std::string log =
            runBodyshop.substr(0, runBodyshop.find_last_of('\\')) + "\\TS2BodyShop.log";
        StandIn standIn;
        runBodyShop(standIn);
        ASSERT_FALSE(HasFailure());
        snap(standIn.window(), "stand-in");
        EXPECT_TRUE(waitUntil([&] { return fileExists(log); })) << "no " << log;
        EXPECT_TRUE(folderExists(own + "\\Downloads_off") && !folderExists(own + "\\Downloads"));
        EXPECT_TRUE(own == gameFolder() || folderExists(gameFolder() + "\\Downloads"));
        ASSERT_TRUE(standIn.close());
        EXPECT_EQ(answerBox(IDOK, "restored"), "The Downloads folder is unhidden \n");
        EXPECT_TRUE(folderExists(own + "\\Downloads"));
    }

    // `bodyShopStart`: how RunBodyshop begins, "" for a game without a Body
    // Shop; `userFolder`: the edition's own, which About names unless it is
    // the discs'.
    void checkEdition(const std::string& bodyShopStart, const std::string& userFolder) {
        const std::string game = gameFolder();
        const std::string own = game.substr(0, game.find_last_of('\\') + 1) + userFolder;
        ASSERT_FALSE(fileExists(settingsPath()));
        seamster_ = startSeamster();
        const bool noBodyShop = bodyShopStart.empty();
        if (noBodyShop) {
            EXPECT_EQ(answerBox(IDOK, "no-body-shop").rfind(noBodyShopBox, 0), 0u);
        }
        main_ = waitForMainWindow(seamster_);
        ASSERT_NE(main_, nullptr);
        settle(main_);
        HWND about = openFromToolBar(mainButton::about, aboutTitle);
        ASSERT_NE(about, nullptr);
        snap(about, "about");
        EXPECT_EQ(text(control(about, aboutGameLine)),
                  userFolder == "The Sims 2" ? "" : userFolder);
        pressOk(about, aboutOk);
        HWND hide = openFromToolBar(mainButton::hideGameFolders, hideFoldersTitle);
        ASSERT_NE(hide, nullptr);
        click(control(hide, hideDownloads));
        pressOk(hide, hideOk);
        if (noBodyShop) {
            // "Run Bodyshop" says the same and hides nothing.
            click(control(main_, runBodyshopGadget));
            EXPECT_EQ(answerBox(IDOK, "run-without-body-shop").rfind(noBodyShopBox, 0), 0u);
            EXPECT_TRUE(folderExists(own + "\\Downloads"));
            EXPECT_TRUE(processIdsNamed(bodyShopExe).empty());
        } else {
            runAndCheckHiding(bodyShopStart, own);
        }
        quitWithQuestion(seamster_, main_);
    }
};

const std::string programsX86 = "C:\\Program Files (x86)\\";

TEST_F(Editions, Discs) { checkEdition("C:\\Program Files\\EA GAMES\\\\", "The Sims 2"); }

TEST_F(Editions, DiscsUnderProgramFilesX86) {
    checkEdition(programsX86 + "EA GAMES\\", "The Sims 2");
}

TEST_F(Editions, UltimateCollection) {
    checkEdition(programsX86 + "Origin Games\\The Sims 2 Ultimate Collection\\Fun with Pets\\SP9\\",
                 ultimateName);
}

TEST_F(Editions, LegacyCollectionWithBodyShop) {
    checkEdition("C:\\SteamLibrary\\steamapps\\common\\The Sims 2 Legacy Collection\\EP9\\",
                 "The Sims 2 Legacy");
}

TEST_F(Editions, LegacyCollectionAsItShips) { checkEdition("", "The Sims 2 Legacy"); }

}  // namespace
}  // namespace seamster::e2e
