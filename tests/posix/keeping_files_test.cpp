// What a user has is never lost to a build: a page that fails leaves the old one as it
// was, a fallback place asks before it replaces a file and never takes two pages of one
// build, a paged build that can write nowhere stops, and a pipe is never waited on.
#include "gallery/build_steps.h"
#include "support/page_test.h"

#include <cstring>

#include <sys/stat.h>

namespace tavlo::test {
namespace {

std::string fallbackMessages(const std::string& page)  // to the same folder at home, then home's TAVLO.HTM
{
    return "Errore in registrazione Elenco (forse e' un CD-ROM) " + page + "\r\rTento di registrare sul disco C: " +
           "\r\r ERR= 75 - Permission denied|Errore in registrazione Elenco (non esiste stessa cartella) " + page +
           "\r\rTento di registrare sul disco con il nome C:\\TAVLO.HTM \r\r ERR= 75 - Permission denied|";
}

class KeepingFiles : public BuildTest {
protected:
    void refuse(std::string_view where)  // as a read-only medium does
    {
        rig.fs.failCreate = [where](const std::string& path) {
            return path.find(where) != std::string::npos ? Failure{75, "Permission denied"} : Failure{};
        };
    }
    std::string shown() const
    {
        std::string all;
        for (const auto& prompt : prompts())
            all += prompt + "|";
        return all;
    }
    const std::string home = rig.tree.at("home") + kSep;
};

TEST_F(KeepingFiles, AFailureMidPageLeavesTheOldPagesAndSweepsOnlyTheTemporariesOfEndedRuns)
{
    fillList(numbered(4, "foto", ".jpg"));
    click(ControlId::Command1, {Answer::No});
    const std::string page = pageText("TAVLO.HTM"), viewPage = pageText("FOTO1.HTM");
    rig.tree.file("site/.tavlo-999999999-0.tmp", "a killed run's");
    const std::string running = rig.tree.file("site/.tavlo-" + std::to_string(::getppid()) + "-0.tmp");
    rig.fs.failCreate = [this](const std::string& path) {
        return path == in("FOTO3.HTM") ? Failure{61, "No space left on device"} : Failure{};
    };
    rig.ui.boxes.clear(), rig.fs.copies.clear();
    click(ControlId::Command1, {Answer::Yes, Answer::Ok});  // the overwrite question, the failure; no view question
    EXPECT_EQ(shown(), overwriteQuestion(in("TAVLO.HTM")) + "|" + pageGivenUp(in("TAVLO.HTM"), 61, "No space left on device") + "|");
    EXPECT_EQ(pageText("TAVLO.HTM") + pageText("FOTO1.HTM"), page + viewPage);
    EXPECT_TRUE(rig.fs.copies.empty()) << "no templates beside a page that went nowhere";
    std::vector<std::string> left;
    for (const auto& file : std::filesystem::directory_iterator(folder))
        if (file.path().filename().string().starts_with(".tavlo-"))
            left.push_back(file.path().string());
    EXPECT_EQ(left, Lines{running});
}

TEST_F(KeepingFiles, AFallbackPlaceThatHoldsAFileAsksBeforeReplacingIt)
{
    fillList(numbered(2, "foto", ".jpg"));
    refuse(folder);
    rig.tree.file("home/TAVLO.HTM", "mine");
    for (const Answer reply : {Answer::No, Answer::Yes}) {
        rig.ui.boxes.clear();
        answer({Answer::Ok, Answer::Ok, reply});
        if (reply == Answer::Yes)
            answer({Answer::No});  // the view question
        rig.click(ControlId::Command1);
        EXPECT_EQ(shown(), fallbackMessages(in("TAVLO.HTM")) + overwriteQuestion(home + "TAVLO.HTM") + "|" +
                               (reply == Answer::Yes ? std::string(kViewQuestion) + home + "TAVLO.HTM (S/N) |" : ""));
        EXPECT_EQ(rig.tree.read("home/TAVLO.HTM") == "mine", reply == Answer::No);
        EXPECT_EQ(rig.tree.exists("home/DIAPOSIT.JPG"), reply == Answer::Yes);
    }
}

TEST_F(KeepingFiles, APagedBuildNeverWritesTwoPagesUnderOneNameAndStopsAtAPageThatWentNowhere)
{
    fillList(numbered(3, "foto", ".jpg"));
    rig.type(ControlId::txtMAX_N_FILES, "1");
    refuse("PAG_");  // the first page ends in home's TAVLO.HTM, and the second finds it taken
    click(ControlId::Command4, {Answer::Ok, Answer::Ok, Answer::Ok, Answer::Ok, Answer::Ok});
    EXPECT_EQ(shown(), fallbackMessages(in("PAG_1.HTM")) + fallbackMessages(home + "PAG_2.HTM") +
                           pageGivenUp(home + "TAVLO.HTM", 58, "File already exists") + "|");
    const std::string first = rig.tree.read("home/TAVLO.HTM");
    EXPECT_TRUE(first.find("foto1") != std::string::npos && first.find("foto2") == std::string::npos);
    EXPECT_FALSE(rig.controls.isEnabled(ControlId::Command5));
    EXPECT_EQ(rig.controls.listCount(), 3) << "the build ended there";
}

// A pipe in the tree is no entry; one where a view page would go is a file we did not
// write. Reading either would wait for a writer that never comes.
TEST_F(KeepingFiles, APipeIsNeverAnEntryNorWaitedOnWhereAViewPageGoes)
{
    ASSERT_EQ(::mkfifo(in("x.jpg").c_str(), 0644) + ::mkfifo(in("Y.HTM").c_str(), 0644), 0);
    rig.tree.file("site/y.jpg");
    EXPECT_EQ(load(folder, "JPG"), Lines{in("y.jpg")});
    rig.ui.boxes.clear();
    rig.controls.listAdd(in("x.jpg"));  // as a single inserted file
    rig.controls.setChecked(ControlId::chkMINIATURE, true);
    click(ControlId::Command1, {Answer::Ok, Answer::Ok});
    EXPECT_EQ(shown(), pageGivenUp(in("TAVLO.HTM"), 58, "File already exists") +
                           "|Miniatura non creata (formato sconosciuto o file danneggiato), resta l'originale: N.files = 2|");
    struct stat info {};
    EXPECT_TRUE(::stat(in("Y.HTM").c_str(), &info) == 0 && S_ISFIFO(info.st_mode));
}

TEST_F(KeepingFiles, AViewPageNameTheDiskRefusesFailsThatFileAloneAndThePageStaysWhereAsked)
{
    // Two pictures of one name of 251 characters: the second's view page, "~2" longer,
    // is past the longest name a folder holds.
    const std::string name(251, 'x');
    fillList({rig.tree.file("site/a/" + name + ".jpg"), rig.tree.file("site/b/" + name + ".jpg")});
    click(ControlId::Command1, {Answer::Ok, Answer::No});
    const std::string refused = in(upperCase(name) + "~2.HTM");
    EXPECT_EQ(prompts(), (Lines{"Errore in registrazione Pagina " + refused + "\r\r ERR= 76 - " + std::strerror(ENAMETOOLONG),
                                "Visualizzo la pagina creata " + in("TAVLO.HTM") + " (S/N) "}));
    EXPECT_TRUE(rig.tree.exists("site/TAVLO.HTM") && rig.tree.exists("site/" + upperCase(name) + ".HTM"));
}

} // namespace
} // namespace tavlo::test
