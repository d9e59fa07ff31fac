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

long timesCreated(const Rig& rig, const std::string& path)
{
    return static_cast<long>(std::count(rig.fs.created.begin(), rig.fs.created.end(), path));
}

// The page folder lies at <tree>/cdrom/foto/, so that relative folders computed against
// the home folder (<tree>/home/) differ from those computed against the page folder.
class WriteFallback : public PageTest {
protected:
    WriteFallback() : home(kWindows ? "C:\\" : rig.homeFolder() + "/")
    {
        folder = rig.tree.folder("cdrom/foto") + kSep;
        rig.type(txtMAX_PER_RIGA, "5");
    }

    /// The failures that creating the page meets, one per attempt; later attempts succeed.
    void failPageCreation(const std::string& page, std::vector<Failure> failures)
    {
        rig.fs.failCreate = [page, failures, attempt = std::size_t{0}](const std::string& path) mutable {
            if (path != page || attempt >= failures.size())
                return Failure{};
            return failures[attempt++];
        };
    }

    Lines at(const std::string& path) const { return crlfLines(readFile(path)); }

    std::string home;  // drive C: (the rig's home folder on Linux), ending in the separator
};

TEST_F(WriteFallback, RefusedThenNotFoundMovesThePageWithItsViewPagesToTavloHtmAtHome)
{
    if (kWindows)
        GTEST_SKIP() << kDriveCItself;
    failPageCreation(in("TAVLO.HTM"), {kRefused, kNotFound});
    rig.ui.answerNext(kAnswerOk);
    rig.ui.answerNext(kAnswerOk);
    write("TAVLO.HTM", {in("VACANZE/Mare.jpg"), in("a.mp3")});

    const std::string first = firstFallback(in("TAVLO.HTM"), kRefused);
    const std::string second = secondFallback(in("TAVLO.HTM"), kNotFound);
    EXPECT_EQ(rig.ui.log, (Lines{"pointer:11", "beep", "box:0:" + first, "pointer:11", "beep", "box:0:" + second,
                                 "pointer:11", "pointer:0", "beep"}));
    // The same folder is tried first: it lies on the home folder's file system.
    EXPECT_EQ(rig.fs.created, (Lines{in("TAVLO.HTM"), in("TAVLO.HTM"), home + "TAVLO.HTM", home + "MARE.HTM"}));

    // Relative folders are now the entries' folders without as many characters as the home folder has.
    EXPECT_EQ(at(home + "TAVLO.HTM"),
              smallPage(false,
                        {cell("MARE.HTM", "/foto/VACANZE/Mare.jpg", "Mare.jpg"),
                         cell("/foto/a.mp3", "MUSIC-1A.JPG", "A.mp3")},
                        5));
    EXPECT_EQ(at(home + "MARE.HTM"), expected::viewPage("MARE.JPG", "TAVLO.HTM", "/foto/VACANZE/Mare.jpg"));
    EXPECT_FALSE(rig.tree.exists("cdrom/foto/MARE.HTM"));
    EXPECT_EQ(rig.job().Cartella_Tavlo, home);
    EXPECT_EQ(rig.job().Nome_Pagina, "TAVLO.HTM");
}

TEST_F(WriteFallback, TheSameFolderFailingTwiceTakesTheSecondFallback)
{
    if (kWindows)
        GTEST_SKIP() << kDriveCItself;
    failPageCreation(in("PAG_2.HTM"), {kRefused, kRefused});
    rig.ui.answerNext(kAnswerOk);
    rig.ui.answerNext(kAnswerOk);
    write("PAG_2.HTM", {in("a.mp3")});

    ASSERT_EQ(rig.ui.boxes.size(), 2u);
    EXPECT_EQ(rig.ui.boxes[0].prompt, firstFallback(in("PAG_2.HTM"), kRefused));
    EXPECT_EQ(rig.ui.boxes[1].prompt, secondFallback(in("PAG_2.HTM"), kRefused));
    EXPECT_EQ(rig.ui.boxes[1].buttons, kOkOnly);
    // The page of the series is now the home folder's TAVLO.HTM: it has no back link.
    EXPECT_EQ(at(home + "TAVLO.HTM"), smallPage(false, {cell("/foto/a.mp3", "MUSIC-1A.JPG", "A.mp3")}, 5));
}

TEST_F(WriteFallback, APageAlreadyAtTheFallbackPlaceIsReplacedWithoutAQuestion)
{
    if (kWindows)
        GTEST_SKIP() << kDriveCItself;
    rig.tree.file("home/TAVLO.HTM", "old");
    failPageCreation(in("TAVLO.HTM"), {kRefused, kRefused});
    rig.ui.answerNext(kAnswerOk);
    rig.ui.answerNext(kAnswerOk);
    write("TAVLO.HTM", {in("a.mp3")});

    EXPECT_EQ(rig.ui.boxes.size(), 2u);
    EXPECT_EQ(at(home + "TAVLO.HTM"), smallPage(false, {cell("/foto/a.mp3", "MUSIC-1A.JPG", "A.mp3")}, 5));
}

TEST_F(WriteFallback, AFailureAfterBothFallbacksGivesThePageUp)
{
    rig.fs.failCreate = [](const std::string&) { return kRefused; };
    for (int i = 0; i < 3; ++i)
        rig.ui.answerNext(kAnswerOk);
    write("TAVLO.HTM", {in("a.mp3")});

    ASSERT_EQ(rig.ui.boxes.size(), 3u);
    EXPECT_EQ(rig.ui.boxes[2].prompt, pageGivenUp(home + "TAVLO.HTM", 75, "Permission denied"));
    EXPECT_EQ(rig.ui.log.back(), "beep");
    EXPECT_EQ(rig.fs.created.size(), 3u);
}

TEST_F(WriteFallback, AFailureWhileAViewPageIsWrittenRestartsTheWholePage)
{
    // The fourth line of the view page cannot be written, once.
    bool failed = false;
    rig.fs.failWrite = [&](const std::string& path, long line) {
        if (path != in("MARE.HTM") || line != 4 || failed)
            return Failure{};
        failed = true;
        return kRefused;
    };
    rig.ui.answerNext(kAnswerOk);
    write("TAVLO.HTM", {in("a.mp3"), in("Mare.jpg"), in("Fiume.jpg")});

    ASSERT_EQ(rig.ui.boxes.size(), 1u);
    EXPECT_EQ(rig.ui.boxes[0].prompt, firstFallback(in("TAVLO.HTM"), kRefused));
    EXPECT_EQ(timesCreated(rig, in("TAVLO.HTM")), 2);
    EXPECT_EQ(timesCreated(rig, in("MARE.HTM")), 2);
    EXPECT_EQ(at(in("TAVLO.HTM")),
              smallPage(false,
                        {cell("a.mp3", "MUSIC-1A.JPG", "A.mp3"),
                         cell(viewLink(rig, "MARE.HTM"), linkTo(rig, "Mare.jpg"), "Mare.jpg"),
                         cell(viewLink(rig, "FIUME.HTM"), linkTo(rig, "Fiume.jpg"), "Fiume.jpg")},
                        5));
    EXPECT_EQ(at(in("MARE.HTM")), expected::viewPage("MARE.JPG", "TAVLO.HTM", viewSource(rig, "Mare.jpg")));
    EXPECT_EQ(at(in("FIUME.HTM")), expected::viewPage("FIUME.JPG", "TAVLO.HTM", viewSource(rig, "Fiume.jpg")));
}

TEST_F(WriteFallback, AViewPageThatCannotBeCreatedTakesTheSameRoad)
{
    failPageCreation(in("MARE.HTM"), {kNotFound});
    rig.ui.answerNext(kAnswerOk);
    write("TAVLO.HTM", {in("Mare.jpg")});

    ASSERT_EQ(rig.ui.boxes.size(), 1u);
    EXPECT_EQ(rig.ui.boxes[0].prompt, firstFallback(in("TAVLO.HTM"), kNotFound));
    EXPECT_EQ(at(in("MARE.HTM")), expected::viewPage("MARE.JPG", "TAVLO.HTM", viewSource(rig, "Mare.jpg")));
}

TEST_F(WriteFallback, AFullDiskGivesThePageUpAtOnceLeavingItAsFarAsWritten)
{
    rig.fs.failWrite = [&](const std::string& path, long line) {
        return path == in("TAVLO.HTM") && line == 12 ? kDiskFull : Failure{};
    };
    rig.ui.answerNext(kAnswerOk);
    write("TAVLO.HTM", {in("a.mp3"), in("b.mp3")});

    ASSERT_EQ(rig.ui.boxes.size(), 1u);
    EXPECT_EQ(rig.ui.boxes[0].prompt, pageGivenUp(in("TAVLO.HTM"), 61, "No space left on device"));
    EXPECT_EQ(rig.fs.created, Lines{in("TAVLO.HTM")});
    const Lines whole =
        smallPage(false, {cell("a.mp3", "MUSIC-1A.JPG", "A.mp3"), cell("b.mp3", "MUSIC-1A.JPG", "B.mp3")}, 5);
    EXPECT_EQ(at(in("TAVLO.HTM")), Lines(whole.begin(), whole.begin() + 11));
}

TEST_F(WriteFallback, ADiskFoundFullWhenThePageIsHandedToItIsReportedNotTakenForSuccess)
{
    rig.fs.failFlush = [&](const std::string& path) { return path == in("TAVLO.HTM") ? kDiskFull : Failure{}; };
    rig.ui.answerNext(kAnswerOk);
    write("TAVLO.HTM", {in("a.mp3")});

    ASSERT_EQ(rig.ui.boxes.size(), 1u);
    EXPECT_EQ(rig.ui.boxes[0].prompt, pageGivenUp(in("TAVLO.HTM"), 61, "No space left on device"));
    EXPECT_EQ(rig.fs.created, Lines{in("TAVLO.HTM")});
}

// The build reads the page's place back from the job variables after the writer.
class WriteFallbackInBuild : public BuildTest {};

TEST_F(WriteFallbackInBuild, TheMovedPageIsShownCopiedBesideAndOpenedWhereItWasWritten)
{
    if (kWindows)
        GTEST_SKIP() << kDriveCItself;
    const std::string home = rig.homeFolder() + "/";
    rig.fs.failCreate = [&](const std::string& path) { return path == in("TAVLO.HTM") ? kRefused : Failure{}; };
    fillList(rig, {in("a.mp3")});
    rig.ui.answerNext(kAnswerOk);
    rig.ui.answerNext(kAnswerOk);
    rig.ui.answerNext(kAnswerYes);
    rig.click(Command1);

    EXPECT_EQ(prompts(), (Lines{firstFallback(in("TAVLO.HTM"), kRefused), secondFallback(in("TAVLO.HTM"), kRefused),
                                "Visualizzo la pagina creata " + home + "TAVLO.HTM (S/N) "}));
    EXPECT_TRUE(rig.tree.exists("home/TAVLO.HTM"));
    EXPECT_TRUE(rig.tree.exists("home/DIAPOSIT.JPG"));
    EXPECT_FALSE(rig.tree.exists("site/DIAPOSIT.JPG"));
    ASSERT_EQ(rig.ui.opened.size(), 1u);
    EXPECT_EQ(rig.ui.opened[0].commandLine, "START /max /w \"\" \"TAVLO.HTM\"");
    EXPECT_EQ(rig.ui.opened[0].documentPath, home + "TAVLO.HTM");

    rig.click(Command5);
    ASSERT_EQ(rig.ui.opened.size(), 2u);
    EXPECT_EQ(rig.ui.opened[1].documentPath, home + "TAVLO.HTM");
}

TEST_F(WriteFallbackInBuild, AMovedSeriesPageTakesTheFollowingPagesWithItWhileTheIndexStaysPut)
{
    if (kWindows)
        GTEST_SKIP() << kDriveCItself;
    const std::string home = rig.homeFolder() + "/";
    rig.fs.failCreate = [&](const std::string& path) { return path == in("PAG_1.HTM") ? kRefused : Failure{}; };
    fillList(rig, numbered(4, "s", ".mp3"));
    rig.type(txtMAX_N_FILES, "2");
    rig.ui.answerNext(kAnswerOk);
    rig.ui.answerNext(kAnswerOk);
    rig.ui.answerNext(kAnswerNo);
    rig.click(Command4);

    EXPECT_EQ(rig.fs.created,
              (Lines{in("PAG_1.HTM"), in("PAG_1.HTM"), home + "TAVLO.HTM", home + "PAG_2.HTM", in("TAVLO.HTM")}));
    EXPECT_EQ(rig.controls.entries(), (Lines{"PAG_1.HTM", "PAG_2.HTM"}));
    EXPECT_EQ(prompts().back(), "Visualizzo la prima pagina creata " + in("TAVLO.HTM") + " (S/N) ");
}

} // namespace
} // namespace tavlo::test
