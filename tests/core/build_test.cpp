// The builds through the window's buttons, the single page (Command1) and the series with its index
// (Command4): refusals, page names and pages, the overwrite agreement across a build, the view question
// and open command, the template copy, and the result viewer (Command5).
#include "support/page_test.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

namespace tavlo::test {
namespace {

using enum ControlId;
using expected::cell;

// A sound in the folder "site", linked from a page there or (up = "../") from a folder below it.
Lines sound(int k, const std::string& up = "")
{
    return cell(native(up) + "s" + std::to_string(k) + ".mp3", "MUSIC-1A.JPG", "S" + std::to_string(k) + ".mp3");
}

class Build : public BuildTest {
protected:
    Build()
    {
        rig.fs.failCreate = [this](const std::string& path) {  // the list of what was written comes last of all
            return copiesBeforeLastFile = path.ends_with(kBuildRecordName) ? copiesBeforeLastFile : rig.fs.copies.size(), Failure{};
        };
    }
    Lines indexCell(int k) const
    {
        return cell(linkTo(rig, "PAG_" + std::to_string(k) + ".HTM"), "HTM-1A.JPG", "Pag_" + std::to_string(k) + ".htm");
    }
    std::string question(bool paged, const std::string& page) const
    {
        return (paged ? "Visualizzo la prima pagina creata " : "Visualizzo la pagina creata ") + built(page) + " (S/N) ";
    }
    std::size_t copiesBeforeLastFile = 0;  // when the last page or view page was created
};

TEST_F(Build, RefusalsComeInOrderBeforeAnythingIsWrittenOrTheListChanged)
{
    const std::string noFiles = "Nessun files da elaborare !!!", noRowSize = "Indicare quante immagini si voglio per ogni riga !!!";
    const std::string noMaximum = "Indicare numero massimo files per pagina .HTM da elaborare !!!";
    const std::string missing = "La cartella " + built("missing/") + " non esiste !!!";
    // The count is checked, then the maximum of a series (a whole number of at least 1), the row size, the output folder;
    // the single build sets the maximum to "0" before the output folder. Here the maximum as a refusal leaves it.
    const struct { ControlId command; const char *count, *maximum, *perRow, *output; std::string message; } rows[] = {
        {Command1, "", "7", "5", "TAVLO.HTM", noFiles},   {Command1, "0", "7", "0", "TAVLO.HTM", noFiles},
        {Command1, "3", "7", "", "TAVLO.HTM", noRowSize}, {Command1, "3", "7", "0.5", "TAVLO.HTM", noRowSize},
        {Command1, "3", "0", "5", "", "Indicare la cartella in cui creare la pagina .HTM !!!"},
        {Command1, "3", "0", "5", "missing/TAVLO.HTM", missing},
        {Command4, "0", "abc", "0", "TAVLO.HTM", noFiles}, {Command4, "2", "", "0", "TAVLO.HTM", noMaximum},
        {Command4, "2", "-3", "5", "TAVLO.HTM", noMaximum}, {Command4, "2", "2.5", "5", "TAVLO.HTM", noMaximum},
        {Command4, "2", "10", "0", "TAVLO.HTM", noRowSize}, {Command4, "2", "10", "5", "missing/TAVLO.HTM", missing},
    };
    fillList({in("a.jpg"), in("b.jpg")});
    for (const auto& r : rows) {
        rig.type(txtNUM_FILE, r.count), rig.type(txtMAX_N_FILES, r.command == Command1 ? "7" : r.maximum);
        rig.type(txtMAX_PER_RIGA, r.perRow), rig.type(txtNOME_FILE_HTM, *r.output ? in(r.output) : "TAVLO.HTM");
        rig.ui.log.clear();
        click(r.command, {Answer::Ok});
        EXPECT_EQ(rig.ui.log, (Lines{"beep", "box:0:" + r.message})) << r.count << " " << r.maximum << " " << r.perRow;
        EXPECT_EQ(rig.text(txtMAX_N_FILES), r.maximum);
    }
    rig.controls.setEnabled(Command5, true);
    rig.click(Command5);  // no page built yet: the result viewer does nothing
    EXPECT_EQ(rig.controls.entries(), (Lines{in("a.jpg"), in("b.jpg")}));
    EXPECT_TRUE(rig.fs.created.empty() && rig.fs.copies.empty() && rig.ui.opened.empty());
}

TEST_F(Build, TheSingleBuildWritesTheWholeListAsOnePageNamedUpToTheFirstDotThenCopiesTheTemplates)
{
    // The output path, its folder, its name, the page name, and the answer to the view question.
    const struct { const char *typed, *folder, *fileName, *page; Answer answer; } rows[] = {
        {"Mare.htm", "", "MARE.HTM", "MARE.HTM", Answer::Yes}, {"SITO/INDEX.HTML", "SITO/", "INDEX.HTML", "INDEX.HTM", Answer::No},
        {"MY.SITE.HTM", "", "MY.SITE.HTM", "MY.HTM", Answer::No}, {"galleria", "", "GALLERIA", "GALLERIA.HTM", Answer::No},
        {"", "", "", ".HTM", Answer::No}, {"Foto Mare/mare.htm", "Foto Mare/", "MARE.HTM", "MARE.HTM", Answer::Yes},
    };
    const std::string templates = rig.templateFolder();
    std::filesystem::remove(templates + "Foto-1a.jpg");  // a failing copy is skipped
    fillList(numbered(6, "s", ".mp3"));
    rig.tree.folder("site/SITO"), rig.tree.folder("site/Foto Mare");
    for (const auto& r : rows) {
        const std::size_t copies = rig.fs.copies.size(), opened = rig.ui.opened.size();
        rig.type(txtNOME_FILE_HTM, "  " + in(r.typed) + "  "), rig.ui.boxes.clear();
        click(Command1, {r.answer});
        EXPECT_EQ(rig.job().Cartella_Tavlo + rig.job().Nome_File_Htm, built(r.folder) + r.fileName);
        EXPECT_EQ(std::filesystem::current_path().string() + kSep, built(r.folder));
        EXPECT_EQ(prompts(), Lines{question(false, r.folder + std::string(r.page))});
        const std::string up = *r.folder ? "../" : "";  // the entries lie in the folder above the page's
        EXPECT_EQ(readFile(built(r.folder) + r.page),
                  crlfText(smallPage(true, {sound(1, up), sound(2, up), sound(3, up), sound(4, up), sound(5, up), sound(6, up)}, 5)));
        EXPECT_EQ(copiesBeforeLastFile, copies);  // the templates follow the page
        ASSERT_EQ(rig.ui.opened.size(), opened + (r.answer == Answer::Yes));
        EXPECT_EQ(r.answer == Answer::Yes ? rig.ui.opened.back().documentPath : "",
                  r.answer == Answer::Yes ? built(r.folder) + r.page : "");
    }
    std::vector<std::pair<std::string, std::string>> copies;  // of the last build, in table order
    for (const std::string name : {"Intestaz.htm", "Intest_2.htm", "PIEDE.htm", "DIAPOSIT.JPG", "Film-1a.jpg",
                                   "Foto-1a.jpg", "Htm-1a.jpg", "Music-1a.jpg", "Sfondo1g.jpg", "Sfondo1p.jpg"})
        copies.emplace_back(templates + name, built("Foto Mare/" + upperCase(name)));
    EXPECT_EQ(decltype(copies)(rig.fs.copies.end() - 10, rig.fs.copies.end()), copies);
    EXPECT_EQ(readFile(in("Foto Mare/SFONDO1P.JPG")), readFile(templates + "Sfondo1p.jpg"));
    rig.click(Command5);  // opens the latest page by its full path
    EXPECT_EQ(rig.ui.opened.back().documentPath, built("Foto Mare/MARE.HTM"));
    EXPECT_EQ(rig.controls.entries(), numbered(6, "s", ".mp3"));
}

struct SeriesCase { int entries; const char* maximum; int perPage, pages; };

class PagedBuild : public Build, public ::testing::WithParamInterface<SeriesCase> {};

TEST_P(PagedBuild, PagesTakeAtMostNPositionsEachThenTheIndexLinksToThemAndOpensByItsFullPath)
{
    const auto [entries, maximum, perPage, pages] = GetParam();
    fillList(numbered(entries, "s", ".mp3"));
    rig.type(txtNUM_FILE, "3"), rig.type(txtMAX_N_FILES, maximum);  // a count also for an empty list
    click(Command4, {Answer::Yes});
    Lines names;
    std::vector<Lines> index;
    for (int k = 1; k <= pages; ++k) {
        names.push_back("PAG_" + std::to_string(k) + ".HTM"), index.push_back(indexCell(k));
        std::vector<Lines> cells;
        for (int i = (k - 1) * perPage + 1; i <= std::min(k * perPage, entries); ++i)
            cells.push_back(sound(i));
        EXPECT_EQ(pageText(names.back()), crlfText(smallPage(true, cells, 5))) << names.back();
    }
    EXPECT_EQ(pageText("TAVLO.HTM"), crlfText(smallPage(false, index, 5)));
    EXPECT_EQ(rig.controls.entries(), names);
    EXPECT_EQ(copiesBeforeLastFile, 0u);  // once, after the index page
    EXPECT_EQ(rig.fs.copies.size(), 10u);
    EXPECT_EQ(prompts(), Lines{question(true, "TAVLO.HTM")});
    rig.click(Command5);
    ASSERT_EQ(rig.ui.opened.size(), 2u);
    EXPECT_EQ(rig.ui.opened[0].documentPath, built("TAVLO.HTM"));
    EXPECT_EQ(rig.ui.opened[1].documentPath, rig.ui.opened[0].documentPath);  // the result viewer: the same page
    EXPECT_EQ(rig.text(txtMAX_N_FILES), "0");  // so that a second build straight after is refused
}

INSTANTIATE_TEST_SUITE_P(Sizes, PagedBuild,
                         ::testing::Values(SeriesCase{25, "10", 10, 3}, SeriesCase{20, "10", 10, 2},
                                           SeriesCase{5, "10", 10, 1}, SeriesCase{0, "10", 10, 1},
                                           SeriesCase{1001, "1", 1, 1001}),
                         [](const auto& info) {
                             return std::to_string(info.param.entries) + "EntriesAtMost" + info.param.maximum;
                         });

TEST_F(Build, OneYesToOverwritingCoversTheLaterPagesOfTheBuildAndViewPagesLinkBackToTheirOwn)
{
    for (const char* name : {"PAG_1.HTM", "PAG_2.HTM", "PAG_3.HTM", "MARE.HTM"})
        rig.tree.file(std::string("site/") + name, "old");
    // A camera's name again on a later page: its view page is its own all the same, for the whole series.
    fillList({in("c.jpg"), in("b.jpg"), in("sub/C.JPG")});
    rig.type(txtNOME_FILE_HTM, in("Mare.html")), rig.type(txtMAX_N_FILES, "1");
    click(Command4, {Answer::No, Answer::Yes, Answer::No});
    const auto overwrite = [&](const char* page) { return "Elenco  " + built(page) + "  gia' esistente, continuo (S/N)"; };
    EXPECT_EQ(prompts(), (Lines{overwrite("PAG_1.HTM"), overwrite("PAG_2.HTM"), question(true, "MARE.HTM")}));
    EXPECT_EQ(pageText("PAG_1.HTM"), "old");
    EXPECT_FALSE(rig.tree.exists("site/C.HTM"));  // its page was not written
    EXPECT_EQ(pageText("PAG_3.HTM"), crlfText(smallPage(true, {cell(viewLink(rig, "C~2.HTM"), linkTo(rig, "sub/C.JPG"), "C.jpg")}, 5)));
    EXPECT_EQ(pageText("C~2.HTM"), crlfText(expected::viewPage("C.JPG", "PAG_3.HTM", viewSource(rig, "sub/C.JPG"))));
    EXPECT_EQ(pageText("MARE.HTM"), crlfText(smallPage(true, {indexCell(1), indexCell(2), indexCell(3)}, 5)));
}

// Files of the user's where the build's own go: a photo named like a template image (in
// the letter case the disk matches it in), a page put over a view page the build wrote,
// and, where names may hold one, a name with a carriage return that would write another
// name into the folder's record. None is replaced, no box is added, and each stays an
// entry of a later load, while what the build wrote does not.
TEST_F(BuildTest, FilesOfTheUsersWhereTheBuildsOwnGoAreKeptAndStayEntries)
{
    const std::string photo = in(kWindows ? "sfondo1g.jpg" : "SFONDO1G.JPG");
    rig.tree.file("site/foto1.jpg"), rig.tree.file("site/foto2.jpg"), rig.tree.file("site/NOTE.HTM");
    std::filesystem::copy_file(onDisk(rig.templateFolder() + "Sfondo1p.jpg"), onDisk(photo));
    if (!kWindows)
        rig.tree.file("site/x\rNOTE.jpg");
    const Lines listed = load(folder, "*");
    rig.type(ControlId::txtNUM_FILE, std::to_string(listed.size()));
    rig.controls.setEnabled(ControlId::Command1, true);
    const std::string mine = readFile(photo);
    click(ControlId::Command1, {Answer::No});
    EXPECT_EQ(prompts().size(), 1u) << "the view question alone";
    EXPECT_EQ(readFile(photo), mine);
    EXPECT_TRUE(rig.tree.exists("site/DIAPOSIT.JPG") && rig.tree.exists("site/FOTO1.HTM"));

    rig.tree.file("site/FOTO1.HTM", "my own page\r\n");
    Lines expected = listed;
    expected.push_back(in("FOTO1.HTM"));
    const Lines loaded = load(folder, "*");
    EXPECT_EQ(std::set<std::string>(loaded.begin(), loaded.end()), std::set<std::string>(expected.begin(), expected.end()));
}

// Names in Greek, Chinese and an emoji from a page folder named in Greek: each cell links its
// file and its view page, which bears the picture's own name; in a page whose code page cannot
// spell them (Windows) they are percent-encoded UTF-8 in links and character references in
// text, while the Italian name keeps the writer's own bytes in the code page.
TEST_F(BuildTest, NamesInEveryScriptReachTheirFilesFromAPageFolderNamedInGreek)
{
    const std::string album = "\xCE\x95\xCE\xB9\xCE\xBA\xCF\x8C\xCE\xBD\xCE\xB5\xCF\x82/";  // Εικόνες
    const std::string trip = "gita \xF0\x9F\x98\x80", chinese = "\xE4\xB8\xAD\xE6\x96\x87/\xE7\x85\xA7";
    for (const std::string& name : {std::string("citt\xC3\xA0"), trip, chinese})
        rig.tree.file("site/" + album + name + ".jpg");
    rig.type(ControlId::txtNOME_FILE_HTM, in(album + "TAVLO.HTM"));
    rig.type(ControlId::txtNUM_FILE, std::to_string(load(in(album), "JPG").size()));
    rig.controls.setEnabled(ControlId::Command1, true);
    click(ControlId::Command1, {Answer::No});
    const std::vector<Lines> cells = {
        cell(onPage(viewLink(rig, "CITT\xC3\x80.HTM")), onPage(linkTo(rig, "citt\xC3\xA0.jpg")), onPage("Citt\xC3\xA0.jpg")),
        kWindows ? cell("gita %F0%9F%98%80.htm", "gita %F0%9F%98%80.jpg", "Gita &#x1F600;.jpg")
                 : cell("GITA \xF0\x9F\x98\x80.HTM", trip + ".jpg", "Gita \xF0\x9F\x98\x80.jpg"),
        kWindows ? cell("%E7%85%A7.htm", "%E4%B8%AD%E6%96%87\\%E7%85%A7.jpg", "&#x7167;.jpg")
                 : cell("\xE7\x85\xA7.HTM", chinese + ".jpg", "\xE7\x85\xA7.jpg")};
    EXPECT_EQ(pageText(album + "TAVLO.HTM"), crlfText(expected::page(kHeaderLines, false, cells, 5, kFooterLines)));
    EXPECT_EQ(pageText(album + "GITA \xF0\x9F\x98\x80.HTM"),
              crlfText(kWindows ? expected::viewPage("GITA &#x1F600;.JPG", "TAVLO.HTM", "GITA %F0%9F%98%80.JPG")
                                : expected::viewPage("GITA \xF0\x9F\x98\x80.JPG", "TAVLO.HTM", trip + ".jpg")));
    const auto decoded = [](std::string link) {  // as a browser takes a link to the file system
        for (std::size_t at; (at = link.find('%')) != std::string::npos;)
            link.replace(at, 3, 1, static_cast<char>(std::stoi(link.substr(at + 1, 2), nullptr, 16)));
        return link;
    };
    for (const Lines& c : {cells[1], cells[2]})
        for (const std::string& line : {c[7], c[8]}) {
            const std::string link = line.substr(line.find('"') + 1, line.find('"', line.find('"') + 1) - line.find('"') - 1);
            EXPECT_TRUE(std::filesystem::exists(onDisk(in(album) + decoded(link)))) << link;
        }
}

// A gallery built in place by an earlier version, whose record is a bare list of names
// that also named the thumbnail folder: its files stay out of loads before and after a
// build without thumbnails.
TEST_F(BuildTest, AGalleryOfAnEarlierVersionKeepsItsOwnFilesOutOfLoads)
{
    rig.tree.file("site/foto1.jpg"), rig.tree.file("site/FOTO1.HTM"), rig.tree.file("site/TAVLO.HTM");
    rig.tree.file("site/DIAPOSIT.JPG"), rig.tree.file("site/MINIATURE/foto1-0123456789abcdef.jpg");
    rig.tree.file("site/.tavlo", "DIAPOSIT.JPG\r\nFOTO1.HTM\r\nMINIATURE\r\nTAVLO.HTM\r\n");
    const Lines photo{in("foto1.jpg")};
    EXPECT_EQ(load(folder, "*"), photo);
    rig.type(ControlId::txtNUM_FILE, "1");
    rig.controls.setEnabled(ControlId::Command1, true);
    click(ControlId::Command1, {Answer::Yes, Answer::No});  // the page is there: overwritten
    rig.click(ControlId::Command2);                        // a new list
    EXPECT_EQ(load(folder, "*"), photo);
}

} // namespace
} // namespace tavlo::test
