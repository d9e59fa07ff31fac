// What a user has is never lost to a build: a page that fails leaves the old one and
// its view pages as they were, with no temporary beside them; a fallback place asks
// before it replaces a file and never takes two pages of one build; a paged build
// that can write nowhere stops at once; a pipe is never an entry and never waited on.
#include "gallery/build_steps.h"
#include "support/page_test.h"

#include <sys/stat.h>

namespace tavlo::test {
namespace {

namespace fs = std::filesystem;

const Failure kRefused{75, "Permission denied"};

std::string fallbackToHome(const std::string& page)  // the first two messages of the fallback road
{
    return "Errore in registrazione Elenco (forse e' un CD-ROM) " + page +
           "\r\rTento di registrare sul disco C: \r\r ERR= 75 - Permission denied";
}
std::string fallbackToTavlo(const std::string& page)
{
    return "Errore in registrazione Elenco (non esiste stessa cartella) " + page +
           "\r\rTento di registrare sul disco con il nome C:\\TAVLO.HTM \r\r ERR= 75 - Permission denied";
}

class KeepingFiles : public BuildTest {
protected:
    // The page folder refuses every file, as a read-only medium does; home stands for drive C:.
    void refuseThePageFolder()
    {
        rig.fs.failCreate = [site = folder](const std::string& path) {
            return path.starts_with(site) ? kRefused : Failure{};
        };
    }
    std::vector<std::string> leftOver(const std::string& in) const  // temporaries of any run
    {
        std::vector<std::string> names;
        for (const auto& file : fs::directory_iterator(in))
            if (file.path().filename().string().starts_with(".tavlo-"))
                names.push_back(file.path().string());
        return names;
    }
    const std::string home = rig.tree.at("home") + kSep;
};

TEST_F(KeepingFiles, AFailureMidPageLeavesTheOldPageAndItsViewPagesAsTheyWereAndOffersNothing)
{
    fillList(numbered(4, "foto", ".jpg"));
    click(ControlId::Command1, {kAnswerNo});
    const std::string page = pageText("TAVLO.HTM"), viewPage = pageText("FOTO1.HTM");
    rig.fs.failCreate = [this](const std::string& path) {
        return path == in("FOTO3.HTM") ? Failure{61, "No space left on device"} : Failure{};
    };
    rig.ui.boxes.clear(), rig.fs.copies.clear();
    click(ControlId::Command1, {kAnswerYes, kAnswerOk});  // the overwrite question, the failure
    EXPECT_EQ(prompts(), (Lines{overwriteQuestion(in("TAVLO.HTM")),
                                pageGivenUp(in("TAVLO.HTM"), 61, "No space left on device")}));
    EXPECT_EQ(pageText("TAVLO.HTM"), page);
    EXPECT_EQ(pageText("FOTO1.HTM"), viewPage);
    EXPECT_EQ(leftOver(folder), std::vector<std::string>{});
    EXPECT_TRUE(rig.fs.copies.empty()) << "no templates beside a page that went nowhere";
}

TEST_F(KeepingFiles, AFallbackPlaceThatHoldsAFileAsksBeforeReplacingIt)
{
    fillList(numbered(2, "foto", ".jpg"));
    refuseThePageFolder();
    rig.tree.file("home/TAVLO.HTM", "mine");
    for (const int reply : {kAnswerNo, kAnswerYes}) {
        rig.ui.boxes.clear();
        answer({kAnswerOk, kAnswerOk, reply});
        if (reply == kAnswerYes)
            answer({kAnswerNo});  // the view question
        rig.click(ControlId::Command1);
        Lines expected{fallbackToHome(in("TAVLO.HTM")), fallbackToTavlo(in("TAVLO.HTM")),
                       overwriteQuestion(home + "TAVLO.HTM")};
        if (reply == kAnswerYes)
            expected.push_back(std::string(kViewQuestion) + home + "TAVLO.HTM (S/N) ");
        EXPECT_EQ(prompts(), expected);
        EXPECT_EQ(rig.tree.read("home/TAVLO.HTM") == "mine", reply == kAnswerNo);
        EXPECT_EQ(rig.tree.exists("home/DIAPOSIT.JPG"), reply == kAnswerYes);
    }
}

TEST_F(KeepingFiles, APagedBuildNeverWritesTwoPagesUnderOneNameAndStopsAtAPageThatWentNowhere)
{
    fillList(numbered(3, "foto", ".jpg"));
    rig.type(ControlId::txtMAX_N_FILES, "1");
    // No series page can be written where it is named: the first ends in home's TAVLO.HTM.
    rig.fs.failCreate = [](const std::string& path) {
        return path.find("PAG_") != std::string::npos ? kRefused : Failure{};
    };
    click(ControlId::Command4, {kAnswerOk, kAnswerOk, kAnswerOk, kAnswerOk, kAnswerOk});
    EXPECT_EQ(prompts(), (Lines{fallbackToHome(in("PAG_1.HTM")), fallbackToTavlo(in("PAG_1.HTM")),
                                fallbackToHome(home + "PAG_2.HTM"), fallbackToTavlo(home + "PAG_2.HTM"),
                                pageGivenUp(home + "TAVLO.HTM", 58, "File already exists")}));
    const std::string first = rig.tree.read("home/TAVLO.HTM");
    EXPECT_TRUE(first.find("foto1") != std::string::npos && first.find("foto2") == std::string::npos);
    EXPECT_FALSE(rig.controls.isEnabled(ControlId::Command5));
    EXPECT_EQ(rig.controls.listCount(), 3) << "the build ended there";
}

// A pipe in the tree is no entry; one where a view page would go is a file we did not
// write. Reading either would wait for a writer that never comes.
TEST_F(KeepingFiles, APipeIsNeverAnEntryNorWaitedOnWhereAViewPageGoes)
{
    ASSERT_EQ(::mkfifo(in("x.jpg").c_str(), 0644), 0);
    ASSERT_EQ(::mkfifo(in("Y.HTM").c_str(), 0644), 0);
    rig.tree.file("site/y.jpg");
    rig.tree.file("site/z.jpg");
    EXPECT_EQ(load(folder, "JPG"), (Lines{in("y.jpg"), in("z.jpg")}));
    rig.ui.boxes.clear();
    rig.controls.listAdd(in("x.jpg"));  // as a single inserted file
    rig.controls.setChecked(ControlId::chkMINIATURE, true);
    click(ControlId::Command1, {kAnswerOk, kAnswerOk});
    EXPECT_EQ(prompts(), (Lines{pageGivenUp(in("TAVLO.HTM"), 58, "File already exists"),
                                "Miniatura non creata (formato sconosciuto o file danneggiato), resta l'originale: "
                                "N.files = 3"}));
    struct stat info {};
    EXPECT_TRUE(::stat(in("Y.HTM").c_str(), &info) == 0 && S_ISFIFO(info.st_mode));
    EXPECT_FALSE(rig.tree.exists("site/TAVLO.HTM"));
}

TEST_F(KeepingFiles, ABuildSweepsTheTemporariesOfKilledRunsAndLeavesThoseOfRunningOnes)
{
    const std::string killed = rig.tree.file("site/.tavlo-999999999-0.tmp", "half");
    const std::string running = rig.tree.file("site/.tavlo-" + std::to_string(::getppid()) + "-0.tmp", "going");
    fillList(numbered(1, "foto", ".jpg"));
    click(ControlId::Command1, {kAnswerNo});
    EXPECT_EQ(leftOver(folder), Lines{running});
}

} // namespace
} // namespace tavlo::test
