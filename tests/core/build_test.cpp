// The builds through the window's buttons: the single page (Command1) and the series with its
// index (Command4), their refusals, page names and pages, the overwrite agreement across a
// build, the view question and open command; the template copy; the result viewer (Command5).
#include "support/page_test.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tavlo::test {
namespace {

using enum ControlId;
using expected::cell;

constexpr const char* kNoFiles = "Nessun files da elaborare !!!";
constexpr const char* kNoMaximum = "Indicare numero massimo files per pagina .HTM da elaborare !!!";
constexpr const char* kNoRowSize = "Indicare quante immagini si voglio per ogni riga !!!";

class Build : public BuildTest {
protected:
    Build()
    {
        rig.fs.failCreate = [this](const std::string&) {  // a page or view page: no template copied yet
            copiesBeforeLastFile = rig.fs.copies.size();
            return Failure{};
        };
    }
    static Lines sound(int k) { return cell("s" + std::to_string(k) + ".mp3", "MUSIC-1A.JPG", "S" + std::to_string(k) + ".mp3"); }
    Lines indexCell(int k) const
    {
        return cell(linkTo(rig, "PAG_" + std::to_string(k) + ".HTM"), "HTM-1A.JPG", "Pag_" + std::to_string(k) + ".htm");
    }
    std::string question(bool paged, const std::string& page) const
    {
        return (paged ? "Visualizzo la prima pagina creata " : "Visualizzo la pagina creata ") + page + " (S/N) ";
    }
    std::size_t copiesBeforeLastFile = 0;
};

TEST_F(Build, RefusalsComeInOrderBeforeAnythingIsWrittenOrTheListChanged)
{
    const std::string missing = "La cartella " + built("missing/") + " non esiste !!!";
    const struct {
        ControlId command;
        const char *count, *maximum, *perRow, *output;
        std::string message;
    } rows[] = {
        // The count, then the row size, then the output folder (the single build sets the maximum to "0" first).
        {Command1, "", "7", "5", "", kNoFiles},      {Command1, "abc", "7", "5", "", kNoFiles},
        {Command1, "0", "7", "0", "", kNoFiles},     {Command1, "3", "7", "", "", kNoRowSize},
        {Command1, "3", "7", "0.5", "", kNoRowSize}, {Command1, "3", "0", "5", "TAVLO.HTM", "Indicare la cartella in cui creare la pagina .HTM !!!"},
        {Command1, "3", "0", "5", "missing/TAVLO.HTM", missing},
        // The count, then the maximum (a whole number of at least 1), then the row size, then the output folder.
        {Command4, "0", "abc", "0", "", kNoFiles},   {Command4, "2", "", "0", "", kNoMaximum},
        {Command4, "2", "abc", "5", "", kNoMaximum}, {Command4, "2", "-3", "5", "", kNoMaximum},
        {Command4, "2", "0.5", "5", "", kNoMaximum}, {Command4, "2", "2.5", "5", "", kNoMaximum},
        {Command4, "2", "10", "0", "", kNoRowSize},  {Command4, "2", "10", "5", "missing/TAVLO.HTM", missing},
    };
    fillList({in("a.jpg"), in("b.jpg")});
    for (const auto& r : rows) {
        rig.type(txtNUM_FILE, r.count);
        rig.type(txtMAX_N_FILES, r.command == Command1 ? "7" : r.maximum);
        rig.type(txtMAX_PER_RIGA, r.perRow);
        rig.type(txtNOME_FILE_HTM, *r.output ? (r.output[0] == 'm' ? in(r.output) : r.output) : in("TAVLO.HTM"));
        rig.job().Elenco_Confermato = 1;
        rig.ui.log.clear();
        click(r.command, {kAnswerOk});
        EXPECT_EQ(rig.ui.log, (Lines{"beep", "box:0:" + r.message})) << r.count << " " << r.maximum << " " << r.perRow;
        EXPECT_EQ(rig.job().Elenco_Confermato, 0);
        EXPECT_EQ(rig.text(txtMAX_N_FILES), r.maximum);
    }
    EXPECT_EQ(rig.controls.entries(), (Lines{in("a.jpg"), in("b.jpg")}));
    EXPECT_TRUE(rig.fs.created.empty() && rig.fs.copies.empty() && rig.job().Nome_Pagina.empty());
    EXPECT_FALSE(rig.controls.isEnabled(Command5));
}

TEST_F(Build, TheSingleBuildWritesTheWholeListIntoAPageNamedAfterTheOutputNameUpToItsFirstDot)
{
    const struct {
        const char *typed, *folder, *fileName, *page;
    } rows[] = {
        {"Mare.htm", "", "MARE.HTM", "MARE.HTM"},         {"SITO/INDEX.HTML", "SITO/", "INDEX.HTML", "INDEX.HTM"},
        {"MY.SITE.HTM", "", "MY.SITE.HTM", "MY.HTM"},     {"galleria", "", "GALLERIA", "GALLERIA.HTM"},
        {"", "", "", ".HTM"},                              {"Foto Mare/mare.htm", "Foto Mare/", "MARE.HTM", "MARE.HTM"},
    };
    fillList(numbered(4, "s", ".mp3"));
    rig.tree.folder("site/SITO");
    rig.tree.folder("site/Foto Mare");
    for (const auto& r : rows) {
        const std::string pageFolder = built(r.folder);
        const std::size_t copies = rig.fs.copies.size();
        rig.type(txtNOME_FILE_HTM, "  " + in(r.typed) + "  ");
        rig.ui.boxes.clear();
        click(Command1, {kAnswerNo});

        EXPECT_EQ(rig.job().Cartella_Tavlo, pageFolder) << r.typed;
        EXPECT_EQ(rig.job().Nome_File_Htm, r.fileName) << r.typed;
        EXPECT_EQ(rig.fs.currentFolder() + kSep, pageFolder) << r.typed;
        EXPECT_EQ(prompts(), Lines{question(false, pageFolder + r.page)}) << r.typed;
        EXPECT_EQ(readFile(pageFolder + r.page), crlfText(smallPage(true, {sound(1), sound(2), sound(3), sound(4)}, 5)));
        EXPECT_EQ(copiesBeforeLastFile, copies);  // the templates are copied after the page
        EXPECT_EQ(rig.fs.copies.size(), copies + 10);
    }
    EXPECT_EQ(rig.text(txtMAX_N_FILES), "0");
    EXPECT_EQ(rig.controls.entries(), numbered(4, "s", ".mp3"));
    EXPECT_TRUE(rig.controls.isEnabled(Command5));
}

TEST_F(Build, EachSingleBuildAsksBeforeOverwritingThenOpensThePageNamedAlone)
{
    fillList({in("a.jpg")});
    for (int answer : {kAnswerYes, kAnswerNo}) {  // an earlier Yes does not carry over to the next build
        rig.tree.file("site/TAVLO.HTM", "old");
        rig.ui.boxes.clear();
        click(Command1, {answer, kAnswerNo});
        EXPECT_EQ(prompts(), (Lines{"Elenco  " + built("TAVLO.HTM") + "  gia' esistente, continuo (S/N)",
                                    question(false, built("TAVLO.HTM"))}));
        EXPECT_EQ(pageText("TAVLO.HTM") == "old", answer == kAnswerNo);
    }
    EXPECT_TRUE(rig.ui.opened.empty());
    click(Command1, {kAnswerYes, kAnswerYes});
    ASSERT_EQ(rig.ui.opened.size(), 1u);
    EXPECT_EQ(rig.ui.opened[0].commandLine, "START /max /w TAVLO.HTM");
    EXPECT_EQ(rig.ui.opened[0].documentPath, built("TAVLO.HTM"));
}

struct SeriesCase {
    int entries;
    const char* maximum;  // as typed
    int perPage, pages;
};

class PagedBuild : public Build, public ::testing::WithParamInterface<SeriesCase> {};

TEST_P(PagedBuild, PagesTakeAtMostNPositionsEachThenTheIndexLinksToThem)
{
    const auto [entries, maximum, perPage, pages] = GetParam();
    fillList(numbered(entries, "s", ".mp3"));
    rig.type(txtNUM_FILE, "3");  // also when the list is empty
    rig.type(txtMAX_N_FILES, maximum);
    click(Command4, {kAnswerYes});

    Lines names;
    std::vector<Lines> index;
    for (int k = 1; k <= pages; ++k) {
        names.push_back("PAG_" + std::to_string(k) + ".HTM");
        index.push_back(indexCell(k));
        std::vector<Lines> cells;
        for (int i = (k - 1) * perPage + 1; i <= std::min(k * perPage, entries); ++i)
            cells.push_back(sound(i));
        EXPECT_EQ(pageText(names.back()), crlfText(smallPage(true, cells, 5))) << names.back();
    }
    EXPECT_EQ(pageText("TAVLO.HTM"), crlfText(smallPage(false, index, 5)));
    EXPECT_EQ(rig.controls.entries(), names);
    EXPECT_EQ(rig.job().Num_Pagina, pages);
    EXPECT_EQ(copiesBeforeLastFile, 0u);  // once, after the index page
    EXPECT_EQ(rig.fs.copies.size(), 10u);
    EXPECT_EQ(prompts(), Lines{question(true, built("TAVLO.HTM"))});
    ASSERT_EQ(rig.ui.opened.size(), 1u);
    EXPECT_EQ(rig.ui.opened[0].commandLine, "START /max /w " + built("TAVLO.HTM"));

    EXPECT_EQ(rig.text(txtMAX_N_FILES), "0");  // so that a second build straight after is refused
    rig.ui.log.clear();
    click(Command4, {kAnswerOk});
    EXPECT_EQ(rig.ui.log, (Lines{"beep", std::string("box:0:") + kNoMaximum}));
}

INSTANTIATE_TEST_SUITE_P(Sizes, PagedBuild,
                         ::testing::Values(SeriesCase{25, "10", 10, 3}, SeriesCase{20, "10", 10, 2},
                                           SeriesCase{5, "10", 10, 1}, SeriesCase{0, "10", 10, 1},
                                           SeriesCase{25, "1 0", 10, 3}, SeriesCase{1001, "1", 1, 1001}));

TEST_F(Build, OneYesCoversTheLaterPagesOfTheBuildAndViewPagesLinkBackToTheirOwnPage)
{
    for (const char* name : {"site/PAG_1.HTM", "site/PAG_2.HTM", "site/PAG_3.HTM", "site/MARE.HTM"})
        rig.tree.file(name, "old");
    rig.type(txtNOME_FILE_HTM, in("Mare.html"));
    fillList({in("a.jpg"), in("b.jpg"), in("c.jpg")});
    rig.type(txtMAX_N_FILES, "1");
    click(Command4, {kAnswerNo, kAnswerYes, kAnswerNo});  // PAG_1.HTM kept, PAG_2.HTM replaced, then no view

    EXPECT_EQ(prompts(), (Lines{"Elenco  " + built("PAG_1.HTM") + "  gia' esistente, continuo (S/N)",
                                "Elenco  " + built("PAG_2.HTM") + "  gia' esistente, continuo (S/N)",
                                question(true, built("MARE.HTM"))}));
    EXPECT_EQ(pageText("PAG_1.HTM"), "old");
    EXPECT_EQ(pageText("PAG_3.HTM"), crlfText(smallPage(true, {cell(viewLink(rig, "C.HTM"), linkTo(rig, "c.jpg"), "C.jpg")}, 5)));
    EXPECT_EQ(pageText("C.HTM"), crlfText(expected::viewPage("C.JPG", "PAG_3.HTM", viewSource(rig, "c.jpg"))));
    EXPECT_EQ(pageText("MARE.HTM"), crlfText(smallPage(true, {indexCell(1), indexCell(2), indexCell(3)}, 5)));
}

TEST_F(Build, TheTenTemplatesAreCopiedInTableOrderUnderUpperCaseNamesSkippingFailures)
{
    const std::string templates = rig.templateFolder(), page = rig.tree.folder("site/Foto Mare") + kSep;
    const char* names[] = {"Intestaz.htm", "Intest_2.htm", "PIEDE.htm",    "DIAPOSIT.JPG", "Film-1a.jpg",
                           "Foto-1a.jpg",  "Htm-1a.jpg",   "Music-1a.jpg", "Sfondo1g.jpg", "Sfondo1p.jpg"};
    rig.tree.file("site/Foto Mare/DIAPOSIT.JPG", "old");  // replaced
    rig.tree.folder("site/Foto Mare/PIEDE.HTM");           // in the way
    std::filesystem::remove(templates + "Foto-1a.jpg");   // missing
    rig.type(txtNOME_FILE_HTM, page + "tavlo.htm");
    fillList({in("a.mp3")});
    click(Command1, {kAnswerNo});

    std::vector<std::pair<std::string, std::string>> copies;
    for (const std::string name : names) {
        const std::string copy = page + upperCase(name);
        copies.emplace_back(templates + name, rig.fs.caseSensitive() ? copy : upperCase(copy));
        EXPECT_EQ(readFile(copy), name == "PIEDE.htm" || name == "Foto-1a.jpg" ? "" : readFile(templates + name)) << name;
    }
    EXPECT_EQ(rig.fs.copies, copies);

    // Into the template folder itself, every copy has one file as source and destination: nothing is lost.
    rig.type(txtNOME_FILE_HTM, templates + "tavlo.htm");
    click(Command1, {kAnswerNo});
    for (const std::string name : names)
        EXPECT_EQ(readFile(templates + name), name == "Foto-1a.jpg" ? "" : readFile(sourceTemplateFolder() + kSep + name));
}

TEST_F(Build, TheResultViewerOpensThePageOfTheLatestBuildByItsFullPath)
{
    rig.ui.pickNext(rig.tree.file("foto/a.jpg"));
    rig.click(cmdIns_File);  // enables the viewer before any page exists: it does nothing then
    rig.ui.log.clear();
    rig.click(Command5);
    EXPECT_TRUE(rig.ui.log.empty());

    rig.type(txtNOME_FILE_HTM, in("Mare.htm"));
    click(Command1, {kAnswerNo});
    rig.click(Command5);
    rig.type(txtNOME_FILE_HTM, in("TAVLO.HTM"));
    rig.type(txtMAX_N_FILES, "10");
    click(Command4, {kAnswerNo});
    rig.click(Command5);
    ASSERT_EQ(rig.ui.opened.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(rig.ui.opened[i].commandLine, "START /max /w " + built(i == 0 ? "MARE.HTM" : "TAVLO.HTM"));
        EXPECT_EQ(rig.ui.opened[i].documentPath, built(i == 0 ? "MARE.HTM" : "TAVLO.HTM"));
    }
}

} // namespace
} // namespace tavlo::test
