// The paged build (Command4): its refusals, the series PAG_1.HTM, PAG_2.HTM... of at
// most N list positions each, the list refilled with the page names, the index page
// that links to them, the overwrite agreement across the build, the view question.
#include "support/page_test.h"

#include <gtest/gtest.h>

namespace tavlo::test {
namespace {

using enum ControlId;
using expected::cell;

constexpr const char* kNoFiles = "Nessun files da elaborare !!!";
constexpr const char* kNoMaximum = "Indicare numero massimo files per pagina .HTM da elaborare !!!";
constexpr const char* kNoRowSize = "Indicare quante immagini si voglio per ogni riga !!!";

std::vector<std::string> pageNames(int count)
{
    std::vector<std::string> names;
    for (int k = 1; k <= count; ++k)
        names.push_back("PAG_" + std::to_string(k) + ".HTM");
    return names;
}

/// The index page's cell of a series page: linked as the page lies on disk, with the web page icon.
Lines indexCell(const Rig& rig, int k)
{
    const std::string name = "PAG_" + std::to_string(k);
    return cell(linkTo(rig, name + ".HTM"), "HTM-1A.JPG", "Pag_" + std::to_string(k) + ".htm");
}

class PagedBuild : public BuildTest {
protected:
    void build(const std::vector<std::string>& entries, std::string_view maximum)
    {
        fillList(rig, entries);
        rig.type(txtMAX_N_FILES, maximum);
        rig.click(Command4);
    }

    std::string viewQuestion(const std::string& page) const
    {
        return "Visualizzo la prima pagina creata " + page + " (S/N) ";
    }
};

// --- Refusals --------------------------------------------------------------------

struct Refusal {
    const char* count;    // txtNUM_FILE
    const char* maximum;  // txtMAX_N_FILES
    const char* perRow;   // txtMAX_PER_RIGA
    const char* message;
};

class PagedBuildRefusal : public BuildTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(PagedBuildRefusal, BeepsShowsItsTextWithOkOnlyAndChangesNothingButTheOverwriteAgreement)
{
    fillList(rig, {in("a.jpg"), in("b.jpg")});
    rig.type(txtNUM_FILE, GetParam().count);
    rig.type(txtMAX_N_FILES, GetParam().maximum);
    rig.type(txtMAX_PER_RIGA, GetParam().perRow);
    rig.job().Elenco_Confermato = 1;
    rig.ui.answerNext(kAnswerOk);
    rig.click(Command4);

    EXPECT_EQ(rig.ui.log, (Lines{"beep", std::string("box:0:") + GetParam().message}));
    EXPECT_EQ(rig.job().Elenco_Confermato, 0);
    EXPECT_EQ(rig.text(txtMAX_N_FILES), GetParam().maximum);
    EXPECT_EQ(rig.controls.entries(), (Lines{in("a.jpg"), in("b.jpg")}));
    EXPECT_TRUE(rig.fs.created.empty());
    EXPECT_FALSE(rig.controls.isEnabled(Command5));
}

INSTANTIATE_TEST_SUITE_P(
    Settings, PagedBuildRefusal,
    ::testing::Values(
        // Tested in order: the count, then the maximum, then the row size.
        Refusal{"0", "abc", "0", kNoFiles}, Refusal{"abc", "10", "5", kNoFiles}, Refusal{"2", "", "0", kNoMaximum},
        Refusal{"2", "0", "5", kNoMaximum}, Refusal{"2", "abc", "5", kNoMaximum},
        // A maximum that would not make a series in which every entry lands on one page.
        Refusal{"2", "-3", "5", kNoMaximum}, Refusal{"2", "0.5", "5", kNoMaximum}, Refusal{"2", "2.5", "5", kNoMaximum},
        Refusal{"2", "10", "0", kNoRowSize}, Refusal{"2", "10", "", kNoRowSize}));

TEST_F(PagedBuild, AnOutputFolderThatDoesNotExistIsRefusedBeforeAnythingIsWrittenOrChanged)
{
    rig.type(txtNOME_FILE_HTM, rig.tree.at("missing/TAVLO.HTM"));
    rig.ui.answerNext(kAnswerOk);
    build({in("a.jpg")}, "10");

    const std::string missing = builtFolder(rig, rig.tree.at("missing/"));
    EXPECT_EQ(rig.ui.log, (Lines{"beep", "box:0:La cartella " + missing + " non esiste !!!"}));
    EXPECT_EQ(rig.controls.entries(), Lines{in("a.jpg")});
    EXPECT_EQ(rig.text(txtMAX_N_FILES), "10");
    EXPECT_TRUE(rig.fs.created.empty());
}

TEST_F(PagedBuild, ASecondBuildStraightAfterIsRefused)
{
    rig.ui.answerNext(kAnswerNo);
    build(numbered(3, "s", ".mp3"), "2");
    ASSERT_EQ(rig.text(txtMAX_N_FILES), "0");

    rig.ui.log.clear();
    rig.ui.answerNext(kAnswerOk);
    rig.click(Command4);
    EXPECT_EQ(rig.ui.log, (Lines{"beep", std::string("box:0:") + kNoMaximum}));
}

// --- The series ------------------------------------------------------------------

struct SeriesCase {
    int entries;
    const char* maximum;
    std::vector<std::pair<double, double>> pages;  // Primo_File and Ultimo_File of each series page
};

class PagedBuildSeries : public PagedBuild, public ::testing::WithParamInterface<SeriesCase> {};

TEST_P(PagedBuildSeries, PagesTakeAtMostNPositionsEachThenTheIndexLinksToThem)
{
    const SeriesCase& c = GetParam();
    const int pages = static_cast<int>(c.pages.size());
    watchPageCalls();
    rig.ui.answerNext(kAnswerNo);
    build(numbered(c.entries, "s", ".mp3"), c.maximum);

    ASSERT_EQ(pageCalls.size(), c.pages.size() + 1);
    for (int k = 1; k <= pages; ++k) {
        const PageCall& call = pageCalls[static_cast<std::size_t>(k - 1)];
        EXPECT_EQ(call.page, built("PAG_" + std::to_string(k) + ".HTM"));
        EXPECT_EQ(call.first, c.pages[static_cast<std::size_t>(k - 1)].first) << k;
        EXPECT_EQ(call.last, c.pages[static_cast<std::size_t>(k - 1)].second) << k;
        EXPECT_EQ(call.copiesBefore, 0u);
    }
    const PageCall& index = pageCalls.back();
    EXPECT_EQ(index.page, built("TAVLO.HTM"));
    EXPECT_EQ(index.first, 1);
    EXPECT_EQ(index.last, pages);
    EXPECT_EQ(index.copiesBefore, 0u);
    EXPECT_EQ(rig.fs.copies.size(), 10u);  // once, after the index page

    // Every entry lands on exactly one page.
    long cells = 0;
    for (const auto& name : pageNames(pages))
        cells += countOf(page(name), expected::kCellStart);
    EXPECT_EQ(cells, c.entries);

    EXPECT_EQ(rig.controls.entries(), pageNames(pages));
    EXPECT_EQ(rig.text(txtNUM_FILE), std::to_string(c.entries));  // not updated
    EXPECT_EQ(rig.job().Num_Pagina, pages);
    EXPECT_EQ(rig.job().Num_Files, pages);
    EXPECT_EQ(rig.fs.currentFolder() + kSep, built(""));
}

INSTANTIATE_TEST_SUITE_P(Sizes, PagedBuildSeries,
                         ::testing::Values(SeriesCase{25, "10", {{1, 10}, {11, 20}, {21, 30}}},
                                           SeriesCase{20, "10", {{1, 10}, {11, 20}}},
                                           SeriesCase{5, "10", {{1, 10}}},
                                           SeriesCase{25, "1 0", {{1, 10}, {11, 20}, {21, 30}}},
                                           SeriesCase{3, "1e18", {{1, 1e18}}}));

TEST_F(PagedBuild, AnEmptyListWithACountGivesOneEmptyPageAndAnIndexListingIt)
{
    rig.type(txtNUM_FILE, "4");
    rig.controls.setEnabled(Command4, true);
    rig.ui.answerNext(kAnswerNo);
    rig.click(Command4);

    EXPECT_EQ(page("PAG_1.HTM"), smallPage(true, {}, 5));
    EXPECT_EQ(page("TAVLO.HTM"), smallPage(false, {indexCell(rig, 1)}, 5));
    EXPECT_EQ(rig.controls.entries(), Lines{"PAG_1.HTM"});
}

TEST_F(PagedBuild, SeriesPagesCarryTheBackLinkAndTheIndexCellsLinkThePagesAsOnDisk)
{
    rig.ui.answerNext(kAnswerNo);
    build({in("a.mp3"), in("b.mp3"), in("c.mp3")}, "2");

    EXPECT_EQ(page("PAG_1.HTM"),
              smallPage(true, {cell("a.mp3", "MUSIC-1A.JPG", "A.mp3"), cell("b.mp3", "MUSIC-1A.JPG", "B.mp3")}, 5));
    EXPECT_EQ(page("PAG_2.HTM"), smallPage(true, {cell("c.mp3", "MUSIC-1A.JPG", "C.mp3")}, 5));
    EXPECT_EQ(page("TAVLO.HTM"), smallPage(false, {indexCell(rig, 1), indexCell(rig, 2)}, 5));
}

TEST_F(PagedBuild, AnIndexNotNamedTavloCarriesTheBackLinkToo)
{
    rig.type(txtNOME_FILE_HTM, in("Mare.html"));
    rig.ui.answerNext(kAnswerNo);
    build({in("a.mp3")}, "10");

    EXPECT_EQ(page("MARE.HTM"), smallPage(true, {indexCell(rig, 1)}, 5));
    EXPECT_EQ(prompts(), Lines{viewQuestion(built("MARE.HTM"))});
}

TEST_F(PagedBuild, MoreThanAThousandPagesAllLandInTheListAndOnTheIndex)
{
    rig.ui.answerNext(kAnswerNo);
    build(numbered(2500, "s", ".mp3"), "1");

    const std::vector<std::string> names = pageNames(2500);
    EXPECT_EQ(rig.controls.entries(), names);
    EXPECT_EQ(rig.job().Pagine.size(), 2501u);
    EXPECT_TRUE(rig.tree.exists("site/PAG_9.HTM"));
    EXPECT_TRUE(rig.tree.exists("site/PAG_10.HTM"));
    EXPECT_TRUE(rig.tree.exists("site/PAG_2500.HTM"));
    EXPECT_FALSE(rig.tree.exists("site/PAG_2501.HTM"));
    EXPECT_EQ(page("PAG_2500.HTM"), smallPage(true, {cell("s2500.mp3", "MUSIC-1A.JPG", "S2500.mp3")}, 5));

    const Lines index = page("TAVLO.HTM");
    EXPECT_EQ(countOf(index, expected::kCellStart), 2500);
    EXPECT_EQ(countOf(index, "        <A HREF=\"" + linkTo(rig, "PAG_1001.HTM") + "\">Pag_1001.htm</A>"), 1);
    EXPECT_EQ(countOf(index, "        <A HREF=\"" + linkTo(rig, "PAG_2500.HTM") + "\">Pag_2500.htm</A>"), 1);
}

// --- Overwriting -------------------------------------------------------------------

TEST_F(PagedBuild, OneYesToOverwritingCoversTheLaterPagesAndTheIndex)
{
    for (const char* name : {"site/PAG_1.HTM", "site/PAG_2.HTM", "site/TAVLO.HTM"})
        rig.tree.file(name, "old");
    rig.ui.answerNext(kAnswerYes);
    rig.ui.answerNext(kAnswerNo);
    build({in("a.mp3"), in("b.mp3")}, "1");

    EXPECT_EQ(prompts(), (Lines{"Elenco  " + built("PAG_1.HTM") + "  gia' esistente, continuo (S/N)",
                                viewQuestion(built("TAVLO.HTM"))}));
    EXPECT_EQ(page("PAG_2.HTM"), smallPage(true, {cell("b.mp3", "MUSIC-1A.JPG", "B.mp3")}, 5));
    EXPECT_EQ(page("TAVLO.HTM"), smallPage(false, {indexCell(rig, 1), indexCell(rig, 2)}, 5));
}

TEST_F(PagedBuild, APageKeptByNoKeepsItsPlaceInTheListAndOnTheIndex)
{
    rig.tree.file("site/PAG_2.HTM", "old 2");
    rig.tree.file("site/PAG_3.HTM", "old 3");
    rig.ui.answerNext(kAnswerNo);   // PAG_2.HTM
    rig.ui.answerNext(kAnswerYes);  // PAG_3.HTM: a No does not count as agreement
    rig.ui.answerNext(kAnswerNo);   // view
    build({in("a.mp3"), in("b.mp3"), in("c.mp3")}, "1");

    EXPECT_EQ(prompts(), (Lines{"Elenco  " + built("PAG_2.HTM") + "  gia' esistente, continuo (S/N)",
                                "Elenco  " + built("PAG_3.HTM") + "  gia' esistente, continuo (S/N)",
                                viewQuestion(built("TAVLO.HTM"))}));
    EXPECT_EQ(pageText("PAG_2.HTM"), "old 2");
    EXPECT_EQ(page("PAG_3.HTM"), smallPage(true, {cell("c.mp3", "MUSIC-1A.JPG", "C.mp3")}, 5));
    EXPECT_EQ(rig.controls.entries(), pageNames(3));
    EXPECT_EQ(page("TAVLO.HTM"), smallPage(false, {indexCell(rig, 1), indexCell(rig, 2), indexCell(rig, 3)}, 5));
}

// --- The view question ---------------------------------------------------------------

TEST_F(PagedBuild, YesToTheViewQuestionOpensTheIndexPageByItsFullPath)
{
    rig.ui.answerNext(kAnswerYes);
    build({in("a.mp3")}, "10");

    EXPECT_EQ(rig.ui.boxes.back().prompt, viewQuestion(built("TAVLO.HTM")));
    EXPECT_EQ(rig.ui.boxes.back().buttons, kYesNo);
    ASSERT_EQ(rig.ui.opened.size(), 1u);
    EXPECT_EQ(rig.ui.opened[0].commandLine, "START /max /w \"\" \"" + built("TAVLO.HTM") + "\"");
    EXPECT_EQ(rig.ui.opened[0].documentPath, built("TAVLO.HTM"));
    EXPECT_TRUE(rig.controls.isEnabled(Command5));
    EXPECT_EQ(rig.job().Cartella_Tavlo + rig.job().Nome_Pagina, built("TAVLO.HTM"));
}

TEST_F(PagedBuild, NoToTheViewQuestionOpensNothingAndStillEnablesTheViewer)
{
    rig.ui.answerNext(kAnswerNo);
    build({in("a.mp3")}, "10");

    EXPECT_TRUE(rig.ui.opened.empty());
    EXPECT_TRUE(rig.controls.isEnabled(Command5));
}

} // namespace
} // namespace tavlo::test
