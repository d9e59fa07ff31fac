// The builds: the single-page build (Command1) and the paged build (Command4) with
// their refusals, the page names, the calls of the page writer, the series and its
// index page, the overwrite agreement across a build and the view question; the
// template copy beside the page; and the result viewer (Command5).
#include "support/page_test.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <utility>

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

class Build : public BuildTest {
protected:
    /// Fills the list and clicks a build, answering the message boxes it shows.
    void build(ControlId command, const std::vector<std::string>& entries, std::initializer_list<int> answers,
               std::string_view maximum = "10")
    {
        fillList(entries);
        rig.type(txtMAX_N_FILES, maximum);
        click(command, answers);
    }

    /// The index page's cell of a series page: linked as the page lies on disk, with the web page icon.
    Lines indexCell(int k) const
    {
        return cell(linkTo(rig, "PAG_" + std::to_string(k) + ".HTM"), "HTM-1A.JPG", "Pag_" + std::to_string(k) + ".htm");
    }
    Lines soundCell(char c) const
    {
        return cell(std::string(1, c) + ".mp3", "MUSIC-1A.JPG", std::string(1, static_cast<char>(c - 32)) + ".mp3");
    }
    std::string overwriteQuestion(const std::string& page) const
    {
        return "Elenco  " + built(page) + "  gia' esistente, continuo (S/N)";
    }
    std::string viewQuestion(bool paged, const std::string& page) const
    {
        return (paged ? "Visualizzo la prima pagina creata " : "Visualizzo la pagina creata ") + built(page) + " (S/N) ";
    }
};

TEST_F(Build, RefusalsComeInOrderBeforeAnythingIsWrittenOrTheListChanged)
{
    const std::string missing = "La cartella " + builtFolder(rig, rig.tree.at("missing/")) + " non esiste !!!";
    const struct {
        ControlId command;
        const char *count, *maximum, *perRow;
        std::string output, message;
        bool maximumZeroed = false;  // the single build sets "0" once its settings passed
    } refusals[] = {
        // The count, then the row size, then the output folder.
        {Command1, "", "7", "5", "", kNoFiles},         {Command1, "abc", "7", "5", "", kNoFiles},
        {Command1, "0", "7", "0", "", kNoFiles},        {Command1, "3", "7", "", "", kNoRowSize},
        {Command1, "3", "7", "0.5", "", kNoRowSize},
        {Command1, "3", "7", "5", "TAVLO.HTM", "Indicare la cartella in cui creare la pagina .HTM !!!", true},
        {Command1, "3", "7", "5", rig.tree.at("missing/TAVLO.HTM"), missing, true},
        // The count, then the maximum (a whole number of at least 1: every entry lands on
        // one page), then the row size, then the output folder.
        {Command4, "0", "abc", "0", "", kNoFiles},      {Command4, "abc", "10", "5", "", kNoFiles},
        {Command4, "2", "", "0", "", kNoMaximum},       {Command4, "2", "0", "5", "", kNoMaximum},
        {Command4, "2", "abc", "5", "", kNoMaximum},    {Command4, "2", "-3", "5", "", kNoMaximum},
        {Command4, "2", "0.5", "5", "", kNoMaximum},    {Command4, "2", "2.5", "5", "", kNoMaximum},
        {Command4, "2", "10", "0", "", kNoRowSize},     {Command4, "2", "10", "", "", kNoRowSize},
        {Command4, "2", "10", "5", rig.tree.at("missing/TAVLO.HTM"), missing},
    };
    fillList({in("a.jpg"), in("b.jpg")});
    for (const auto& r : refusals) {
        rig.type(txtNUM_FILE, r.count);
        rig.type(txtMAX_N_FILES, r.maximum);
        rig.type(txtMAX_PER_RIGA, r.perRow);
        rig.type(txtNOME_FILE_HTM, r.output.empty() ? in("TAVLO.HTM") : r.output);
        rig.job().Elenco_Confermato = 1;
        rig.ui.log.clear();
        click(r.command, {kAnswerOk});

        const std::string row = std::string(r.command == Command1 ? "single" : "paged") + " build, count \"" +
                                r.count + "\", maximum \"" + r.maximum + "\", row size \"" + r.perRow + "\"";
        EXPECT_EQ(rig.ui.log, (Lines{"beep", "box:0:" + r.message})) << row;
        EXPECT_EQ(rig.job().Elenco_Confermato, 0) << row;
        EXPECT_EQ(rig.text(txtMAX_N_FILES), r.maximumZeroed ? "0" : r.maximum) << row;
    }
    EXPECT_EQ(rig.controls.entries(), (Lines{in("a.jpg"), in("b.jpg")}));
    EXPECT_TRUE(rig.fs.created.empty());
    EXPECT_TRUE(rig.fs.copies.empty());
    EXPECT_TRUE(rig.job().Nome_Pagina.empty());
    EXPECT_FALSE(rig.controls.isEnabled(Command5));
}

// --- The single-page build --------------------------------------------------------

TEST_F(Build, TheSingleBuildWritesTheWholeListIntoAPageNamedAfterTheOutputNameUpToItsFirstDot)
{
    const struct {
        const char *typed, *folder, *fileName, *page;
    } paths[] = {
        {"site/Mare.htm", "site", "MARE.HTM", "MARE.HTM"},
        {"site/SITO/INDEX.HTML", "site/SITO", "INDEX.HTML", "INDEX.HTM"},
        {"site/MY.SITE.HTM", "site", "MY.SITE.HTM", "MY.HTM"},
        {"site/galleria", "site", "GALLERIA", "GALLERIA.HTM"},
        {"site/", "site", "", ".HTM"},
        // Where letter case matters on disk the folder keeps its own.
        {"site/Foto Mare/mare.htm", "site/Foto Mare", "MARE.HTM", "MARE.HTM"},
    };
    const std::vector<std::string> entries = numbered(7, "s", ".mp3");
    fillList(entries);
    rig.type(txtMAX_PER_RIGA, "1");
    watchPageCalls();
    for (const auto& p : paths) {
        const std::string pageFolder = builtFolder(rig, rig.tree.folder(p.folder) + kSep);
        const std::size_t copiesBefore = rig.fs.copies.size(), callsBefore = pageCalls.size();
        rig.type(txtNOME_FILE_HTM, "  " + rig.tree.at(p.typed) + "  ");
        rig.ui.boxes.clear();
        click(Command1, {kAnswerNo});

        EXPECT_EQ(rig.job().Cartella_Tavlo, pageFolder) << p.typed;
        EXPECT_EQ(rig.job().Nome_File_Htm, p.fileName) << p.typed;
        EXPECT_EQ(rig.fs.currentFolder() + kSep, pageFolder) << p.typed;
        EXPECT_EQ(prompts(), Lines{"Visualizzo la pagina creata " + pageFolder + p.page + " (S/N) "}) << p.typed;
        // One page of every list position, then the templates beside it.
        ASSERT_EQ(pageCalls.size(), callsBefore + 1);
        EXPECT_EQ(pageCalls.back().page, pageFolder + p.page);
        EXPECT_EQ(std::make_pair(pageCalls.back().first, pageCalls.back().last), std::make_pair(1.0, 7.0));
        EXPECT_EQ(pageCalls.back().copiesBefore, copiesBefore);
        EXPECT_EQ(rig.fs.copies.size(), copiesBefore + 10);
        EXPECT_EQ(countOf(crlfLines(readFile(pageFolder + p.page)), expected::kCellStart), 7);
    }
    EXPECT_EQ(rig.job().Num_Files, 7);
    EXPECT_EQ(rig.text(txtMAX_N_FILES), "0");
    EXPECT_EQ(rig.controls.entries(), entries);  // the list stays: the build can be repeated at once
    EXPECT_EQ(rig.text(txtNUM_FILE), "7");
}

TEST_F(Build, EverySingleBuildAsksBeforeOverwritingAndOffersToViewThePageNamedAlone)
{
    build(Command1, {in("a.mp3")}, {kAnswerNo});  // view
    EXPECT_TRUE(rig.ui.opened.empty());
    EXPECT_TRUE(rig.controls.isEnabled(Command5));  // whatever the answer

    for (int answer : {kAnswerYes, kAnswerNo}) {  // an earlier Yes does not carry over
        rig.tree.file("site/TAVLO.HTM", "old");
        rig.ui.boxes.clear();
        click(Command1, {answer, kAnswerNo});  // overwrite; view: asked also about a page kept by No
        EXPECT_EQ(prompts(), (Lines{overwriteQuestion("TAVLO.HTM"), viewQuestion(false, "TAVLO.HTM")}));
        EXPECT_EQ(pageText("TAVLO.HTM") == "old", answer == kAnswerNo);
    }
    EXPECT_EQ(rig.fs.copies.size(), 30u);

    rig.type(txtNOME_FILE_HTM, in("MARE.HTM"));
    rig.ui.log.clear();
    click(Command1, {kAnswerYes});
    EXPECT_EQ(rig.ui.log, (Lines{"pointer:11", "pointer:0", "beep", "box:4:" + viewQuestion(false, "MARE.HTM"),
                                 "open:START /max /w \"\" \"MARE.HTM\""}));
    ASSERT_EQ(rig.ui.opened.size(), 1u);
    EXPECT_EQ(rig.ui.opened[0].documentPath, built("MARE.HTM"));
    EXPECT_EQ(page("MARE.HTM"), smallPage(true, {soundCell('a')}, 5));
}

TEST_F(Build, ACountWithAnEmptyListGivesPagesWithoutEntries)
{
    rig.type(txtNUM_FILE, "3");
    rig.controls.setEnabled(Command1, true);
    rig.controls.setEnabled(Command4, true);
    click(Command1, {kAnswerNo});
    EXPECT_EQ(page("TAVLO.HTM"), smallPage(false, {}, 5));

    rig.type(txtMAX_N_FILES, "10");
    click(Command4, {kAnswerYes, kAnswerNo});  // overwrite, view
    EXPECT_EQ(page("PAG_1.HTM"), smallPage(true, {}, 5));
    EXPECT_EQ(page("TAVLO.HTM"), smallPage(false, {indexCell(1)}, 5));
    EXPECT_EQ(rig.controls.entries(), Lines{"PAG_1.HTM"});
}

// --- The paged build --------------------------------------------------------------

struct SeriesCase {
    int entries;
    const char* maximum;
    std::vector<std::pair<double, double>> pages;  // Primo_File and Ultimo_File of each series page
};

class PagedBuildSeries : public Build, public ::testing::WithParamInterface<SeriesCase> {};

TEST_P(PagedBuildSeries, PagesTakeAtMostNPositionsEachThenTheIndexLinksToThem)
{
    const SeriesCase& c = GetParam();
    const int pages = static_cast<int>(c.pages.size());
    watchPageCalls();
    build(Command4, numbered(c.entries, "s", ".mp3"), {kAnswerNo}, c.maximum);

    ASSERT_EQ(pageCalls.size(), c.pages.size() + 1);
    for (std::size_t k = 0; k < c.pages.size(); ++k) {
        EXPECT_EQ(pageCalls[k].page, built(pageNames(pages)[k]));
        EXPECT_EQ(std::make_pair(pageCalls[k].first, pageCalls[k].last), c.pages[k]) << k + 1;
        EXPECT_EQ(pageCalls[k].copiesBefore, 0u);
    }
    EXPECT_EQ(pageCalls.back().page, built("TAVLO.HTM"));
    EXPECT_EQ(std::make_pair(pageCalls.back().first, pageCalls.back().last), std::make_pair(1.0, 1.0 * pages));
    EXPECT_EQ(rig.fs.copies.size(), 10u);  // once, after the index page

    long cells = 0;  // every entry lands on exactly one page
    for (const auto& name : pageNames(pages))
        cells += countOf(page(name), expected::kCellStart);
    EXPECT_EQ(cells, c.entries);
    EXPECT_EQ(rig.controls.entries(), pageNames(pages));
    EXPECT_EQ(rig.text(txtNUM_FILE), std::to_string(c.entries));  // not updated
    EXPECT_EQ(rig.job().Num_Pagina, pages);
    EXPECT_EQ(rig.job().Num_Files, pages);
    EXPECT_EQ(rig.fs.currentFolder() + kSep, built(""));
    EXPECT_TRUE(rig.ui.opened.empty());
    EXPECT_TRUE(rig.controls.isEnabled(Command5));

    // The maximum is now "0": a second build straight after is refused.
    EXPECT_EQ(rig.text(txtMAX_N_FILES), "0");
    rig.ui.log.clear();
    click(Command4, {kAnswerOk});
    EXPECT_EQ(rig.ui.log, (Lines{"beep", std::string("box:0:") + kNoMaximum}));
}

INSTANTIATE_TEST_SUITE_P(Sizes, PagedBuildSeries,
                         ::testing::Values(SeriesCase{25, "10", {{1, 10}, {11, 20}, {21, 30}}},
                                           SeriesCase{20, "10", {{1, 10}, {11, 20}}}, SeriesCase{5, "10", {{1, 10}}},
                                           SeriesCase{25, "1 0", {{1, 10}, {11, 20}, {21, 30}}},
                                           SeriesCase{3, "1e18", {{1, 1e18}}}));

TEST_F(Build, SeriesPagesAndTheirViewPagesLinkBackAndAnIndexNotNamedTavloDoesToo)
{
    rig.type(txtNOME_FILE_HTM, in("Mare.html"));
    build(Command4, {in("a.mp3"), in("b.jpg"), in("c.jpg")}, {kAnswerYes}, "2");

    const Lines b = cell(viewLink(rig, "B.HTM"), linkTo(rig, "b.jpg"), "B.jpg");
    const Lines c = cell(viewLink(rig, "C.HTM"), linkTo(rig, "c.jpg"), "C.jpg");
    EXPECT_EQ(page("PAG_1.HTM"), smallPage(true, {soundCell('a'), b}, 5));
    EXPECT_EQ(page("PAG_2.HTM"), smallPage(true, {c}, 5));
    EXPECT_EQ(page("B.HTM"), expected::viewPage("B.JPG", "PAG_1.HTM", viewSource(rig, "b.jpg")));
    EXPECT_EQ(page("C.HTM"), expected::viewPage("C.JPG", "PAG_2.HTM", viewSource(rig, "c.jpg")));
    EXPECT_EQ(page("MARE.HTM"), smallPage(true, {indexCell(1), indexCell(2)}, 5));

    // Yes to the view question opens the index page by its full path.
    EXPECT_EQ(rig.ui.log.back(), "open:START /max /w \"\" \"" + built("MARE.HTM") + "\"");
    EXPECT_EQ(prompts(), Lines{viewQuestion(true, "MARE.HTM")});
    ASSERT_EQ(rig.ui.opened.size(), 1u);
    EXPECT_EQ(rig.ui.opened[0].documentPath, built("MARE.HTM"));
}

TEST_F(Build, MoreThanAThousandPagesAllLandInTheListAndOnTheIndex)
{
    build(Command4, numbered(2500, "s", ".mp3"), {kAnswerNo}, "1");

    EXPECT_EQ(rig.controls.entries(), pageNames(2500));
    EXPECT_EQ(rig.job().Pagine.size(), 2501u);
    EXPECT_TRUE(rig.tree.exists("site/PAG_10.HTM"));
    EXPECT_FALSE(rig.tree.exists("site/PAG_2501.HTM"));
    EXPECT_EQ(page("PAG_2500.HTM"), smallPage(true, {cell("s2500.mp3", "MUSIC-1A.JPG", "S2500.mp3")}, 5));
    const Lines index = page("TAVLO.HTM");
    EXPECT_EQ(countOf(index, expected::kCellStart), 2500);
    EXPECT_EQ(countOf(index, "        <A HREF=\"" + linkTo(rig, "PAG_1001.HTM") + "\">Pag_1001.htm</A>"), 1);
    EXPECT_EQ(countOf(index, "        <A HREF=\"" + linkTo(rig, "PAG_2500.HTM") + "\">Pag_2500.htm</A>"), 1);
}

TEST_F(Build, OneYesToOverwritingCoversTheLaterPagesAndTheIndexWhileAPageKeptByNoKeepsItsPlace)
{
    for (const char* name : {"site/PAG_1.HTM", "site/PAG_2.HTM", "site/PAG_3.HTM", "site/TAVLO.HTM"})
        rig.tree.file(name, "old");
    // PAG_1.HTM: No, which does not count as agreement; PAG_2.HTM: Yes; the view question: No.
    build(Command4, {in("a.mp3"), in("b.mp3"), in("c.mp3")}, {kAnswerNo, kAnswerYes, kAnswerNo}, "1");

    EXPECT_EQ(prompts(), (Lines{overwriteQuestion("PAG_1.HTM"), overwriteQuestion("PAG_2.HTM"),
                                viewQuestion(true, "TAVLO.HTM")}));
    EXPECT_EQ(pageText("PAG_1.HTM"), "old");
    EXPECT_EQ(page("PAG_3.HTM"), smallPage(true, {soundCell('c')}, 5));
    EXPECT_EQ(rig.controls.entries(), pageNames(3));
    EXPECT_EQ(page("TAVLO.HTM"), smallPage(false, {indexCell(1), indexCell(2), indexCell(3)}, 5));
}

// --- The template copy ------------------------------------------------------------

// The template table: the name in the template folder, the name beside the page.
const std::vector<std::pair<std::string, std::string>> kTemplates{
    {"Intestaz.htm", "INTESTAZ.HTM"}, {"Intest_2.htm", "INTEST_2.HTM"}, {"PIEDE.htm", "PIEDE.HTM"},
    {"DIAPOSIT.JPG", "DIAPOSIT.JPG"}, {"Film-1a.jpg", "FILM-1A.JPG"},   {"Foto-1a.jpg", "FOTO-1A.JPG"},
    {"Htm-1a.jpg", "HTM-1A.JPG"},     {"Music-1a.jpg", "MUSIC-1A.JPG"}, {"Sfondo1g.jpg", "SFONDO1G.JPG"},
    {"Sfondo1p.jpg", "SFONDO1P.JPG"},
};

/// The destinations in a page folder that are not a file with their template's content.
std::vector<std::string> differingCopies(const std::string& templateFolder, const std::string& pageFolder)
{
    std::vector<std::string> differing;
    for (const auto& [source, destination] : kTemplates)
        if (!std::filesystem::is_regular_file(pageFolder + destination) ||
            readFile(pageFolder + destination) != readFile(templateFolder + source))
            differing.push_back(destination);
    return differing;
}

TEST_F(Build, ABuildCopiesTheTenTemplatesInTableOrderUnderUpperCaseNamesSkippingFailures)
{
    const std::string pageFolder = rig.tree.folder("site/Foto Mare") + kSep;
    rig.tree.file("site/Foto Mare/DIAPOSIT.JPG", "old");    // replaced
    rig.tree.folder("site/Foto Mare/PIEDE.HTM");            // a folder where a template would go
    std::filesystem::remove(rig.templateFolder() + "Foto-1a.jpg");  // missing
    rig.type(txtNOME_FILE_HTM, pageFolder + "tavlo.htm");
    build(Command1, {in("a.mp3")}, {kAnswerNo});

    std::vector<std::pair<std::string, std::string>> copies;
    for (const auto& [source, destination] : kTemplates)
        copies.emplace_back(rig.templateFolder() + source, builtFolder(rig, pageFolder) + destination);
    EXPECT_EQ(rig.fs.copies, copies);
    EXPECT_EQ(differingCopies(rig.templateFolder(), pageFolder), (std::vector<std::string>{"PIEDE.HTM", "FOTO-1A.JPG"}));
    EXPECT_TRUE(std::filesystem::is_directory(pageFolder + "PIEDE.HTM"));
    EXPECT_FALSE(std::filesystem::exists(pageFolder + "FOTO-1A.JPG"));
    EXPECT_EQ(prompts().size(), 1u);  // only the view question
}

TEST_F(Build, AnOutputFolderThatIsTheTemplateFolderLosesNothing)
{
    rig.type(txtNOME_FILE_HTM, rig.templateFolder() + "tavlo.htm");
    build(Command1, {in("a.mp3")}, {kAnswerNo});
    EXPECT_EQ(prompts(),
              Lines{"Visualizzo la pagina creata " + builtFolder(rig, rig.templateFolder()) + "TAVLO.HTM (S/N) "});
    for (const auto& [source, destination] : kTemplates)
        EXPECT_EQ(readFile(rig.templateFolder() + source), readFile(sourceTemplateFolder() + kSep + source)) << source;
    EXPECT_EQ(differingCopies(rig.templateFolder(), rig.templateFolder()), std::vector<std::string>{});
}

// --- The result viewer, at the end of the whole road through the click handlers ----

TEST_F(Build, TheResultViewerOpensThePageOfTheLatestBuildByItsFullPath)
{
    // Inserting a single file enables the viewer before any page exists: it does nothing then.
    rig.ui.pickNext(rig.tree.file("foto/a.jpg"));
    rig.click(cmdIns_File);
    rig.ui.log.clear();
    rig.click(Command5);
    EXPECT_TRUE(rig.ui.log.empty());
    rig.click(Command2);

    rig.tree.file("my photos/a.jpg", "x");
    rig.tree.file("my photos/sub/b.JPG", "x");
    rig.type(txtPATH_RICERCA, rig.tree.at("my photos"));
    rig.type(txtNOME_FILE_HTM, rig.tree.at("my photos/Mare.htm"));
    rig.click(cmdCONFERMA);
    click(Command1, {kAnswerNo});
    const std::string myPhotos = builtFolder(rig, rig.tree.at("my photos") + kSep);
    for (const char* name : {"MARE.HTM", "A.HTM", "B.HTM", "DIAPOSIT.JPG"})
        EXPECT_TRUE(std::filesystem::exists(myPhotos + name)) << name;
    rig.click(Command5);
    rig.click(Command5);
    rig.type(txtNOME_FILE_HTM, in("TAVLO.HTM"));
    build(Command4, {in("b.mp3")}, {kAnswerNo});
    rig.click(Command5);

    ASSERT_EQ(rig.ui.opened.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        const std::string page = i < 2 ? myPhotos + "MARE.HTM" : built("TAVLO.HTM");
        EXPECT_EQ(rig.ui.opened[i].commandLine, "START /max /w \"\" \"" + page + "\"");
        EXPECT_EQ(rig.ui.opened[i].documentPath, page);
    }
}

} // namespace
} // namespace tavlo::test
