// The page writer: the questions before anything is written, header and footer, back link,
// rows and list positions, what each entry becomes in its cell and on its view page where
// letter case matters on disk and where it does not, and what a view page may replace.
#include "support/page_test.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tavlo::test {
namespace {

using expected::cell;

class PageWriter : public PageTest {
protected:
    explicit PageWriter(RigOptions options = {}) : PageTest(options) { rig.job().Elenco_Confermato = 1; }
    /// Lists the sound files a.mp3, b.mp3... of the page folder and returns their cells.
    std::vector<Lines> sounds(std::string_view names)
    {
        std::vector<Lines> cells;
        for (char c : names) {
            rig.controls.listAdd(in(std::string(1, c) + ".mp3"));
            cells.push_back(cell(std::string(1, c) + ".mp3", "MUSIC-1A.JPG", std::string(1, c - 32) + ".mp3"));
        }
        return cells;
    }
};

TEST_F(PageWriter, QuestionsComeBeforeAnythingIsWrittenAndANoWritesNothing)
{
    const auto missing = [&](const std::string& name) {
        return "box:4:Manca il file " + name + ", continuo ?\r\r" + rig.programFolder() + kSep + name;
    };
    const std::string overwrite = "box:4:Elenco  " + in("PAG_1.HTM") + "  gia' esistente, continuo (S/N)";
    const std::string head = missing("INTESTAZ.HTM"), foot = missing("PIEDE.HTM");
    const Lines none, html{"</HTML>"}, templates[] = {kHeaderLines, kHeader2Lines, kFooterLines};
    const struct {
        int agreed;             // Elenco_Confermato before the call
        std::string beside;     // templates beside the program: I INTESTAZ.HTM, 2 INTEST_2.HTM, P PIEDE.HTM
        bool check1;
        std::vector<int> answers;
        Lines log;              // up to the closing "pointer:0", "beep"
        const Lines *header, *footer;  // of the page written; nothing written without them
    } rows[] = {
        {0, "", false, {kAnswerNo}, {"beep", overwrite}, nullptr, nullptr},
        {0, "", false, {kAnswerYes, kAnswerNo}, {"beep", overwrite, "beep", head}, nullptr, nullptr},
        {1, "", false, {kAnswerYes, kAnswerNo}, {"beep", head, "beep", foot}, nullptr, nullptr},
        {1, "", false, {kAnswerYes, kAnswerYes}, {"beep", head, "beep", foot, "pointer:11"}, &none, &html},
        {1, "I", false, {kAnswerYes}, {"beep", foot, "pointer:11"}, &kHeaderLines, &html},
        // INTESTAZ.HTM is the one asked about, whichever header Check1 chooses; a missing INTEST_2.HTM adds nothing.
        {1, "2P", true, {kAnswerYes}, {"beep", head, "pointer:11"}, &kHeader2Lines, &kFooterLines},
        {1, "IP", true, {}, {"pointer:11"}, &none, &kFooterLines},
    };
    const std::vector<Lines> aCell = sounds("a");
    for (const auto& r : rows) {
        for (int t = 0; t < 3; ++t) {
            const std::string name = std::string("program/") + (t == 0 ? "INTESTAZ" : t == 1 ? "INTEST_2" : "PIEDE");
            std::filesystem::remove(rig.tree.at(name + ".HTM"));
            if (r.beside.find("I2P"[t]) != std::string::npos)
                rig.tree.file(name + ".HTM", crlfText(templates[t]));
        }
        rig.tree.file("site/PAG_1.HTM", "old");
        rig.controls.setChecked(r.check1);
        rig.job().Elenco_Confermato = r.agreed;
        rig.ui.log.clear();
        for (int answer : r.answers)
            rig.ui.answerNext(answer);
        writeRange("PAG_1.HTM", 1, 1);

        Lines log = r.log;
        log.insert(log.end(), {"pointer:0", "beep"});
        EXPECT_EQ(rig.ui.log, log) << r.beside;
        EXPECT_EQ(rig.job().Elenco_Confermato, r.agreed || r.answers[0] == kAnswerYes);
        EXPECT_EQ(pageText("PAG_1.HTM"), r.header ? crlfText(expected::page(*r.header, true, aCell, 3, *r.footer)) : "old");
    }
}

TEST_F(PageWriter, TemplateLinesEndAtCrOrCrLfWhileALoneLineFeedStaysInside)
{
    rig.tree.file("program/INTESTAZ.HTM", "one\r\ntwo\rthree\nstill three\r\nlast");
    rig.tree.file("program/PIEDE.HTM", "</BODY>\n</HTML>");
    write("TAVLO.HTM", {});
    const Lines footer{"</BODY>\n</HTML>"};
    EXPECT_EQ(pageText("TAVLO.HTM"),
              crlfText(expected::page({"one", "two", "three\nstill three", "last"}, false, {}, 3, footer)));
    rig.tree.file("program/INTESTAZ.HTM", "");
    write("TAVLO.HTM", {});
    EXPECT_EQ(pageText("TAVLO.HTM"), crlfText(expected::page({}, false, {}, 3, footer)));
}

TEST_F(PageWriter, OnlyAPageNamedWithTavloHtmLacksTheBackLinkAndCellsGoInRowsOfTheRowSize)
{
    const std::vector<Lines> cells = sounds("abcdefg");
    const struct {
        const char* name;
        int cells;
        bool backLink;
    } rows[] = {{"TAVLO.HTM", 7, false}, {"MIOTAVLO.HTM", 6, false}, {"PAG_3.HTM", 3, true},
                {"MARE.HTM", 1, true},   {"Tavlo.htm", 2, true}};
    for (const auto& r : rows) {
        writeRange(r.name, 1, r.cells);
        EXPECT_EQ(pageText(r.name), crlfText(smallPage(r.backLink, {cells.begin(), cells.begin() + r.cells}, 3)))
            << r.name;
    }
}

TEST_F(PageWriter, PositionsReadTheListRoundedHalfToEvenSkippingBlankEntriesAndThoseBeyondIt)
{
    const std::vector<Lines> a = sounds("a");
    rig.controls.listAdd("");
    rig.controls.listAdd("   ");
    const std::vector<Lines> bc = sounds("bc");
    rig.type(ControlId::txtMAX_PER_RIGA, "2");
    const struct {
        double first, last;
        std::vector<Lines> cells;
    } rows[] = {{1, 9, {a[0], bc[0], bc[1]}}, {1, 1e18, {a[0], bc[0], bc[1]}}, {2, 1, {}}, {0.5, 4.5, {a[0], a[0], bc[1]}}};
    for (const auto& r : rows) {
        writeRange("TAVLO.HTM", r.first, r.last);
        EXPECT_EQ(pageText("TAVLO.HTM"), crlfText(smallPage(false, r.cells, 2))) << r.first << " to " << r.last;
    }
}

// What an entry becomes: its cell, and for a picture its view page, with the name as on
// disk or as the tool cases it, escaped where written, and every link a path below the page.
struct EntryCase {
    std::string entry;     // below the page folder, "/" between names
    std::string target, source, caption;
    std::string viewPage = {}, title = {};  // a picture's view page and its name there; none for media
};

class PageWriterEntries : public PageWriter, public ::testing::WithParamInterface<bool> {
protected:
    PageWriterEntries() : PageWriter({.caseSensitive = GetParam()}) {}
};

TEST_P(PageWriterEntries, EachEntryGivesItsCellAndAPictureItsViewPage)
{
    if (kWindows && GetParam())
        GTEST_SKIP() << "Windows ignores letter case";
    const auto v = [](std::string_view path) { return native(path); };
    std::vector<EntryCase> cases;
    if (GetParam())  // links name files as on disk, escaped; created names and captions as the tool forms them
        cases = {
            {"VACANZE/Mare 1.jpg", "MARE 1.HTM", "VACANZE/Mare 1.jpg", "Mare 1.jpg", "MARE 1.HTM", "MARE 1.JPG"},
            {"MUSICA/Song.MP3", "MUSICA/Song.MP3", "MUSIC-1A.JPG", "Song.mp3"},
            {"<" + folder + "Sub>", "SUB.HTM", "./Sub%3E", "Sub&gt;", "SUB.HTM", "SUB&gt;"},
            {"R&D/\"1\" <2>?.jpg", "%221%22 %3C2%3E%3F.HTM", "R%26D/%221%22 %3C2%3E%3F.jpg", "&quot;1&quot; &lt;2&gt;?.jpg",
             "\"1\" <2>?.HTM", "&quot;1&quot; &lt;2&gt;?.JPG"},
            {" #50%.jpg", "%20%2350%25.HTM", "%20%2350%25.jpg", "#50%.jpg", " #50%.HTM", " #50%.JPG"},
            {"x\xFF\t\\.jpg", "X%FF%09%5C.HTM", "x%FF%09%5C.jpg", "X&#xFFFD;&#xFFFD;\\.jpg", "X\xFF\t\\.HTM",
             "X&#xFFFD;&#xFFFD;\\.JPG"},
            // A ":" in the first piece would start a URL scheme, and a letter with "|" a drive.
            {"javascript:alert(1).jpg", "./JAVASCRIPT:ALERT(1).HTM", "./javascript:alert(1).jpg", "Javascript:alert(1).jpg",
             "JAVASCRIPT:ALERT(1).HTM", "JAVASCRIPT:ALERT(1).JPG"},
            {"mailto:x.mp3", "./mailto:x.mp3", "MUSIC-1A.JPG", "Mailto:x.mp3"},
            {"sub/file:x.jpg", "./FILE:X.HTM", "sub/file:x.jpg", "File:x.jpg", "FILE:X.HTM", "FILE:X.JPG"},
            {"http:/y.gif", "Y.HTM", "./http:/y.gif", "Y.gif", "Y.HTM", "Y.GIF"},
            {"c|/z.gif", "Z.HTM", "./c|/z.gif", "Z.gif", "Z.HTM", "Z.GIF"},
        };
    else  // every name cased as the tool cases it, accented letters whole, escaped after casing
        cases = {
            {"VACANZE/Mare 1.jpg", "mare 1.htm", v("VACANZE/mare 1.jpg"), "Mare 1.jpg", "MARE 1.HTM", "MARE 1.JPG"},
            {"MUSICA/Song.MP3", v("MUSICA/song.mp3"), "MUSIC-1A.JPG", "Song.mp3"},
            {"<" + folder + "Sub>", "sub.htm", "." + v("/sub%3E"), "Sub&gt;", "SUB.HTM", "SUB&gt;"},
            {"Film.MPG", "film.mpg", "FILM-1A.JPG", "Film.mpg"},
            {"clip.avi", "clip.avi", "FILM-1A.JPG", "Clip.avi"},
            {"voce.Wav", "voce.wav", "MUSIC-1A.JPG", "Voce.wav"},
            {"brano.mid", "brano.mid", "MUSIC-1A.JPG", "Brano.mid"},
            {"disco.WMA", "disco.wma", "MUSIC-1A.JPG", "Disco.wma"},
            {"Pagina.HTM", "pagina.htm", "HTM-1A.JPG", "Pagina.htm"},
            {"Sito.HTML", "sito.htm", "sito.html", "Sito.html", "SITO.HTM", "SITO.HTML"},
            {"A.B.JPG", "a.b.htm", "a.b.jpg", "A.b.jpg", "A.B.HTM", "A.B.JPG"},
            {"README", "readm.htm", "readme", "Readme", "READM.HTM", "README"},
            {"Perché.jpg", "perché.htm", "perché.jpg", "Perché.jpg", "PERCHÉ.HTM", "PERCHÉ.JPG"},
            {"R&D/Canzone #2.mp3", v("R%26D/canzone %232.mp3"), "MUSIC-1A.JPG", "Canzone #2.mp3"},
        };
    std::vector<Lines> cells;
    for (const auto& c : cases) {
        rig.controls.listAdd(c.entry.starts_with("<") ? c.entry : in(inCodePage(c.entry)));
        cells.push_back(cell(inCodePage(c.target), inCodePage(c.source), inCodePage(c.caption)));
    }
    // A page whose name could start a scheme is linked back to as a path too.
    const std::string page = GetParam() ? "HTTP:PAGINA.HTM" : "PAGINA.HTM", back = GetParam() ? "./" + page : page;
    rig.type(ControlId::txtMAX_PER_RIGA, "30");
    writeRange(page, 1, static_cast<double>(cases.size()));

    EXPECT_EQ(pageText(page), crlfText(smallPage(true, cells, 30)));
    // A view page shows the picture by its source, in upper case where letter case does not matter.
    for (const auto& c : cases)
        EXPECT_EQ(c.viewPage.empty() ? "" : pageText(inCodePage(c.viewPage)),
                  c.viewPage.empty() ? "" : crlfText(expected::viewPage(inCodePage(c.title), back,
                                                        inCodePage(GetParam() ? c.source : upperCase(c.source)))));
    for (const char* noViewPage : {"SONG.HTM", "FILM.HTM", "CLIP.HTM", "VOCE.HTM", "X.HTM"})
        EXPECT_FALSE(rig.tree.exists(std::string("site/") + noViewPage)) << noViewPage;
}

INSTANTIATE_TEST_SUITE_P(LetterCase, PageWriterEntries, ::testing::Values(true, false));

TEST_F(PageWriter, AnEntryEndingInTheSeparatorEndsThePageThroughTheGeneralFailurePath)
{
    write("TAVLO.HTM", {in("a.mp3"), in("sub/"), in("b.jpg")}, {kAnswerOk});
    EXPECT_EQ(rig.ui.log, (Lines{"pointer:11", "beep",
                                 "box:0:" + pageGivenUp(folder + "TAVLO.HTM", 5, "Invalid procedure call or argument"),
                                 "pointer:0", "beep"}));
    // The page stays as far as it was written: up to the caption of the entry that failed.
    const Lines whole = smallPage(false, {cell("a.mp3", "MUSIC-1A.JPG", "A.mp3"), cell("", linkTo(rig, "sub/"), "")}, 3);
    EXPECT_EQ(pageText("TAVLO.HTM"), crlfText({whole.begin(), whole.end() - 7}));
    EXPECT_FALSE(rig.tree.exists("site/B.HTM"));
}

TEST_F(PageWriter, ViewPagesOfOursAreReplacedButAFileOfTheUsersOrThePageItselfNever)
{
    const Lines fiume = expected::viewPage("FIUME.JPG", "PAG_1.HTM", viewSource(rig, "Fiume.jpg"));
    Lines monte = expected::viewPage("MONTE.JPG", "PAG_1.HTM", viewSource(rig, "Monte.jpg"));
    monte[0] = "<HTML><HEAD>";  // as written in an 8-bit code page
    rig.tree.file("site/FIUME.HTM", crlfText({fiume.begin(), fiume.begin() + 3}));  // cut short by a failure
    rig.tree.file("site/LAGO.HTM", "");
    rig.tree.file("site/MONTE.HTM", crlfText(monte));
    // Two pictures of one name share the view page of the later one.
    write("PAG_1.HTM", {in("uno/Mare.jpg"), in("due/Mare.jpg"), in("Fiume.jpg"), in("Lago.jpg"), in("Monte.jpg")});
    EXPECT_EQ(pageText("MARE.HTM"), crlfText(expected::viewPage("MARE.JPG", "PAG_1.HTM", viewSource(rig, "due/Mare.jpg"))));
    for (const char* name : {"FIUME", "LAGO", "MONTE"})
        EXPECT_EQ(pageText(name + std::string(".HTM")),
                  crlfText(expected::viewPage(name + std::string(".JPG"), "PAG_1.HTM",
                                              viewSource(rig, std::string(1, name[0]) + lowerCase(name + 1) + ".jpg"))));

    const std::string notes = "my own notes\r\n", html = "<HTML><HEAD>\r\n<TITLE>Mare</TITLE>\r\n</HEAD><BODY>\r\n";
    rig.tree.file("site/MARE.HTM", notes);
    rig.tree.file("site/FIUME.HTM", html);
    for (const char* picture : {"Mare.jpg", "Fiume.jpg", "Tavlo.jpg"}) {
        rig.controls.listClear();
        rig.ui.log.clear();
        write("TAVLO.HTM", {in(picture)}, {kAnswerOk});
        EXPECT_EQ(rig.ui.log, (Lines{"pointer:11", "beep",
                                     "box:0:" + pageGivenUp(folder + "TAVLO.HTM", 58, "File already exists"),
                                     "pointer:0", "beep"})) << picture;
    }
    EXPECT_EQ(pageText("MARE.HTM"), notes);
    EXPECT_EQ(pageText("FIUME.HTM"), html);
    EXPECT_TRUE(pageText("TAVLO.HTM").ends_with(">Tavlo.jpg</A>\r\n"));
}

} // namespace
} // namespace tavlo::test
