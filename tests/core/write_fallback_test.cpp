// What happens when a page cannot be written: the messages, the move to the same
// folder on drive C: (the home folder's file system: the same folder) and then to
// C:\TAVLO.HTM (the home folder's TAVLO.HTM), the page given up, and the place left
// in the job variables for the build that called the writer.
#include "support/page_test.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tavlo::test {
namespace {

using enum ControlId;
using expected::cell;

const Failure kRefused{kErrAccess, "Permission denied"};
const Failure kNotFound{kErrPathNotFound, "No such file or directory"};
const Failure kDiskFull{kErrDiskFull, "No space left on device"};

std::string firstFallback(const std::string& page, const Failure& f)
{
    return "Errore in registrazione Elenco (forse e' un CD-ROM) " + page +
           "\r\rTento di registrare sul disco C: \r\r ERR= " + std::to_string(f.code) + " - " + f.description;
}

std::string secondFallback(const std::string& page, const Failure& f)
{
    return "Errore in registrazione Elenco (non esiste stessa cartella) " + page +
           "\r\rTento di registrare sul disco con il nome C:\\TAVLO.HTM \r\r ERR= " + std::to_string(f.code) +
           " - " + f.description;
}

// The rig's drive C: on Linux is its home folder in the tree; on Windows it is the
// real drive C:, where these tests would leave pages in the root.
constexpr const char* kDriveCItself =
    "the second fallback writes into the root of drive C: itself on Windows; WindowsWriteFallback covers it there";

const Lines kSoundCell = cell("/foto/a.mp3", "MUSIC-1A.JPG", "A.mp3");  // a.mp3 seen from the home folder

// The page folder lies at <tree>/cdrom/foto/, so that relative folders computed against
// the home folder (<tree>/home/) differ from those computed against the page folder.
class WriteFallback : public PageTest {
protected:
    WriteFallback() : home(kWindows ? "C:\\" : rig.homeFolder() + "/")
    {
        folder = rig.tree.folder("cdrom/foto") + kSep;
        rig.type(txtMAX_PER_RIGA, "5");
    }

    /// The failures that creating a file meets, one per attempt; later attempts succeed.
    void failCreation(const std::string& path, std::vector<Failure> failures)
    {
        rig.fs.failCreate = [path, failures, attempt = std::size_t{0}](const std::string& created) mutable {
            if (created != path || attempt >= failures.size())
                return Failure{};
            return failures[attempt++];
        };
    }

    long timesCreated(const std::string& path) const { return std::ranges::count(rig.fs.created, path); }
    Lines at(const std::string& path) const { return crlfLines(readFile(path)); }

    std::string home;  // drive C: (the rig's home folder on Linux), ending in the separator
};

TEST_F(WriteFallback, RefusedThenNotFoundOrRefusedAgainMovesThePageWithItsViewPagesToTavloHtmAtHome)
{
    if (kWindows)
        GTEST_SKIP() << kDriveCItself;
    failCreation(in("PAG_2.HTM"), {kRefused, kNotFound});
    write("PAG_2.HTM", {in("VACANZE/Mare.jpg"), in("a.mp3")}, {kAnswerOk, kAnswerOk});

    EXPECT_EQ(rig.ui.log, (Lines{"pointer:11", "beep", "box:0:" + firstFallback(in("PAG_2.HTM"), kRefused),
                                 "pointer:11", "beep", "box:0:" + secondFallback(in("PAG_2.HTM"), kNotFound),
                                 "pointer:11", "pointer:0", "beep"}));
    // The same folder is tried first: it lies on the home folder's file system.
    EXPECT_EQ(rig.fs.created, (Lines{in("PAG_2.HTM"), in("PAG_2.HTM"), home + "TAVLO.HTM", home + "MARE.HTM"}));
    // Relative folders are now the entries' folders without as many characters as the
    // home folder has; the page is now a TAVLO.HTM: it has no back link.
    EXPECT_EQ(at(home + "TAVLO.HTM"),
              smallPage(false, {cell("MARE.HTM", "/foto/VACANZE/Mare.jpg", "Mare.jpg"), kSoundCell}, 5));
    EXPECT_EQ(at(home + "MARE.HTM"), expected::viewPage("MARE.JPG", "TAVLO.HTM", "/foto/VACANZE/Mare.jpg"));
    EXPECT_FALSE(rig.tree.exists("cdrom/foto/MARE.HTM"));
    EXPECT_EQ(rig.job().Cartella_Tavlo, home);
    EXPECT_EQ(rig.job().Nome_Pagina, "TAVLO.HTM");

    // The same folder failing again takes the second fallback too, replacing the page there without a question.
    rig.controls.listClear();
    rig.ui.boxes.clear();
    failCreation(in("TAVLO.HTM"), {kRefused, kRefused});
    write("TAVLO.HTM", {in("a.mp3")}, {kAnswerOk, kAnswerOk});
    EXPECT_EQ(prompts(), (Lines{firstFallback(in("TAVLO.HTM"), kRefused), secondFallback(in("TAVLO.HTM"), kRefused)}));
    EXPECT_EQ(at(home + "TAVLO.HTM"), smallPage(false, {kSoundCell}, 5));
}

TEST_F(WriteFallback, AFailureAfterBothFallbacksGivesThePageUp)
{
    rig.fs.failCreate = [](const std::string&) { return kRefused; };
    write("TAVLO.HTM", {in("a.mp3")}, {kAnswerOk, kAnswerOk, kAnswerOk});

    ASSERT_EQ(rig.ui.boxes.size(), 3u);
    EXPECT_EQ(rig.ui.boxes[2].prompt, pageGivenUp(home + "TAVLO.HTM", 75, "Permission denied"));
    EXPECT_EQ(Lines(rig.ui.log.end() - 2, rig.ui.log.end()), (Lines{"pointer:0", "beep"}));
    EXPECT_EQ(rig.fs.created.size(), 3u);
}

TEST_F(WriteFallback, AViewPageThatCannotBeWrittenOrCreatedRestartsTheWholePage)
{
    // The fourth line of the view page cannot be written, once.
    bool failed = false;
    rig.fs.failWrite = [&](const std::string& path, long line) {
        if (path != in("MARE.HTM") || line != 4 || failed)
            return Failure{};
        failed = true;
        return kRefused;
    };
    write("TAVLO.HTM", {in("a.mp3"), in("Mare.jpg"), in("Fiume.jpg")}, {kAnswerOk});

    EXPECT_EQ(prompts(), Lines{firstFallback(in("TAVLO.HTM"), kRefused)});
    EXPECT_EQ(timesCreated(in("TAVLO.HTM")), 2);
    EXPECT_EQ(timesCreated(in("MARE.HTM")), 3);  // new, then again: found there, ours, replaced
    EXPECT_EQ(at(in("TAVLO.HTM")),
              smallPage(false,
                        {cell("a.mp3", "MUSIC-1A.JPG", "A.mp3"),
                         cell(viewLink(rig, "MARE.HTM"), linkTo(rig, "Mare.jpg"), "Mare.jpg"),
                         cell(viewLink(rig, "FIUME.HTM"), linkTo(rig, "Fiume.jpg"), "Fiume.jpg")},
                        5));
    EXPECT_EQ(at(in("MARE.HTM")), expected::viewPage("MARE.JPG", "TAVLO.HTM", viewSource(rig, "Mare.jpg")));
    EXPECT_EQ(at(in("FIUME.HTM")), expected::viewPage("FIUME.JPG", "TAVLO.HTM", viewSource(rig, "Fiume.jpg")));

    failCreation(in("FIUME.HTM"), {kNotFound});
    rig.ui.boxes.clear();
    rig.job().Elenco_Confermato = 1;
    writeRange("TAVLO.HTM", 1, 3, {kAnswerOk});
    EXPECT_EQ(prompts(), Lines{firstFallback(in("TAVLO.HTM"), kNotFound)});
    EXPECT_EQ(timesCreated(in("FIUME.HTM")), 4);  // the one of the first page, failed, found there, replaced
    EXPECT_EQ(at(in("FIUME.HTM")), expected::viewPage("FIUME.JPG", "TAVLO.HTM", viewSource(rig, "Fiume.jpg")));
}

TEST_F(WriteFallback, AFullDiskGivesThePageUpAtOnceLeavingItAsFarAsWritten)
{
    rig.fs.failWrite = [&](const std::string& path, long line) {
        return path == in("TAVLO.HTM") && line == 12 ? kDiskFull : Failure{};
    };
    write("TAVLO.HTM", {in("a.mp3"), in("b.mp3")}, {kAnswerOk});

    EXPECT_EQ(prompts(), Lines{pageGivenUp(in("TAVLO.HTM"), 61, "No space left on device")});
    EXPECT_EQ(rig.fs.created, Lines{in("TAVLO.HTM")});
    const Lines whole =
        smallPage(false, {cell("a.mp3", "MUSIC-1A.JPG", "A.mp3"), cell("b.mp3", "MUSIC-1A.JPG", "B.mp3")}, 5);
    EXPECT_EQ(at(in("TAVLO.HTM")), Lines(whole.begin(), whole.begin() + 11));

    // A disk found full only when the page is handed to it is reported, not taken for success.
    rig.fs.failWrite = nullptr;
    rig.fs.failFlush = [&](const std::string& path) { return path == in("TAVLO.HTM") ? kDiskFull : Failure{}; };
    rig.job().Elenco_Confermato = 1;
    rig.ui.boxes.clear();
    writeRange("TAVLO.HTM", 1, 2, {kAnswerOk});
    EXPECT_EQ(prompts(), Lines{pageGivenUp(in("TAVLO.HTM"), 61, "No space left on device")});
    EXPECT_EQ(rig.fs.created, (Lines{in("TAVLO.HTM"), in("TAVLO.HTM")}));
}

// The build reads the page's place back from the job variables after the writer.
class WriteFallbackInBuild : public BuildTest {};

TEST_F(WriteFallbackInBuild, TheMovedPageIsShownCopiedBesideAndOpenedWhereItWasWritten)
{
    if (kWindows)
        GTEST_SKIP() << kDriveCItself;
    const std::string home = rig.homeFolder() + "/";
    rig.fs.failCreate = [&](const std::string& path) { return path == in("TAVLO.HTM") ? kRefused : Failure{}; };
    fillList({in("a.mp3")});
    click(Command1, {kAnswerOk, kAnswerOk, kAnswerYes});

    EXPECT_EQ(prompts(), (Lines{firstFallback(in("TAVLO.HTM"), kRefused), secondFallback(in("TAVLO.HTM"), kRefused),
                                "Visualizzo la pagina creata " + home + "TAVLO.HTM (S/N) "}));
    EXPECT_TRUE(rig.tree.exists("home/TAVLO.HTM"));
    EXPECT_TRUE(rig.tree.exists("home/DIAPOSIT.JPG"));
    EXPECT_FALSE(rig.tree.exists("site/DIAPOSIT.JPG"));
    rig.click(Command5);
    ASSERT_EQ(rig.ui.opened.size(), 2u);
    EXPECT_EQ(rig.ui.opened[0].commandLine, "START /max /w TAVLO.HTM");
    for (const auto& opened : rig.ui.opened)
        EXPECT_EQ(opened.documentPath, home + "TAVLO.HTM");
}

TEST_F(WriteFallbackInBuild, AMovedSeriesPageTakesTheFollowingPagesWithItWhileTheIndexStaysPut)
{
    if (kWindows)
        GTEST_SKIP() << kDriveCItself;
    const std::string home = rig.homeFolder() + "/";
    rig.fs.failCreate = [&](const std::string& path) { return path == in("PAG_1.HTM") ? kRefused : Failure{}; };
    fillList(numbered(4, "s", ".mp3"));
    rig.type(txtMAX_N_FILES, "2");
    click(Command4, {kAnswerOk, kAnswerOk, kAnswerNo});

    EXPECT_EQ(rig.fs.created,
              (Lines{in("PAG_1.HTM"), in("PAG_1.HTM"), home + "TAVLO.HTM", home + "PAG_2.HTM", in("TAVLO.HTM")}));
    EXPECT_EQ(rig.controls.entries(), (Lines{"PAG_1.HTM", "PAG_2.HTM"}));
    EXPECT_EQ(prompts().back(), "Visualizzo la prima pagina creata " + in("TAVLO.HTM") + " (S/N) ");
}

} // namespace
} // namespace tavlo::test
