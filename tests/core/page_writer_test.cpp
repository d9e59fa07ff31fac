// The page writer: the questions before anything is written, header and footer, back link, rows
// and list positions, each entry's cell and view page (with letter case kept on disk or not), and
// what a view page may replace.
#include "platform/text_rules.h"
#include "support/page_test.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tavlo::test {
namespace {

using expected::cell;

Lines sound(char c) { return cell(std::string(1, c) + ".mp3", "MUSIC-1A.JPG", std::string(1, c - 32) + ".mp3"); }

class PageWriter : public PageTest {
protected:
    explicit PageWriter(RigOptions options = {}) : PageTest(options) { build.job.Elenco_Confermato = 1; }
};

TEST_F(PageWriter, QuestionsComeBeforeAnythingIsWrittenAndTemplateLinesEndAtCrOrCrLf)
{
    const auto missing = [&](const std::string& name) { return "box:4:Manca il file " + name + ", continuo ?\r\r" + rig.programFolder() + kSep + name; };
    const std::string overwrite = "box:4:Elenco  " + in("PAG_1.HTM") + "  gia' esistente, continuo (S/N)";
    const std::string head = missing("INTESTAZ.HTM"), foot = missing("PIEDE.HTM"), busy = "pointer:11", idle = "pointer:0";
    // A lone line feed stays inside a template's line.
    const std::string texts[] = {"one\r\ntwo\rthree\nstill three\r\nlast", crlfText(kHeader2Lines), "</BODY>\n</HTML>"};
    const Lines none, html{"</HTML>"}, header{"one", "two", "three\nstill three", "last"}, footer{texts[2]};
    // Elenco_Confermato, the templates beside the program (I INTESTAZ, 2 INTEST_2, P PIEDE), Check1, the answers;
    // what is shown; the page's header and footer.
    const struct { int agreed; std::string beside; bool check1; std::vector<Answer> answers; Lines log;
                   const Lines *header, *footer; } rows[] = {
        {0, "", false, {Answer::No}, {"beep", overwrite, idle, "beep"}, nullptr, nullptr},  // no page: nothing written
        {0, "", false, {Answer::Yes, Answer::No}, {"beep", overwrite, "beep", head, idle, "beep"}, nullptr, nullptr},
        {1, "", false, {Answer::Yes, Answer::No}, {"beep", head, "beep", foot, idle, "beep"}, nullptr, nullptr},
        {1, "", false, {Answer::Yes, Answer::Yes}, {"beep", head, "beep", foot, busy, idle, "beep"}, &none, &html},
        {1, "I", false, {Answer::Yes}, {"beep", foot, busy, idle, "beep"}, &header, &html},
        // INTESTAZ.HTM is asked about whichever header Check1 chooses; a missing INTEST_2.HTM adds nothing.
        {1, "2P", true, {Answer::Yes}, {"beep", head, busy, idle, "beep"}, &kHeader2Lines, &footer},
        {1, "IP", true, {}, {busy, idle, "beep"}, &none, &footer},
    };
    rig.controls.listAdd(in("a.mp3"));
    for (const auto& r : rows) {
        for (int t = 0; t < 3; ++t) {
            const std::string name = std::string("program/") + (t == 0 ? "INTESTAZ" : t == 1 ? "INTEST_2" : "PIEDE") + ".HTM";
            std::filesystem::remove(rig.tree.at(name));
            if (r.beside.find("I2P"[t]) != std::string::npos)
                rig.tree.file(name, texts[t]);
        }
        rig.tree.file("site/PAG_1.HTM", "old");
        rig.controls.setChecked(r.check1), build.job.Elenco_Confermato = r.agreed, rig.ui.log.clear();
        for (Answer answer : r.answers)
            rig.ui.answerNext(answer);
        writeRange("PAG_1.HTM", 1, 1);
        EXPECT_EQ(rig.ui.log, r.log) << r.beside;
        EXPECT_EQ(build.job.Elenco_Confermato, r.agreed || r.answers[0] == Answer::Yes);
        EXPECT_EQ(pageText("PAG_1.HTM"), r.header ? crlfText(expected::page(*r.header, true, {sound('a')}, 3, *r.footer)) : "old");
    }
}

TEST_F(PageWriter, CellsGoInRowsOfTheRowSizeAndOnlyAPageNamedWithTavloHtmLacksTheBackLink)
{
    for (const char* entry : {"a", "", "   ", "b", "c", "d", "e", "f", "g"})  // blank entries count for nothing
        rig.controls.listAdd(*entry > ' ' ? in(entry + std::string(".mp3")) : entry);
    // Positions are rounded half to even, and past the end of the list there is nothing.
    const struct { const char* name; double first, last; const char *perRow, *cells; bool backLink; } rows[] = {
        {"TAVLO.HTM", 1, 9, "3", "abcdefg", false}, {"MIOTAVLO.HTM", 4, 9, "3", "bcdefg", false},
        {"PAG_3.HTM", 7, 1e18, "1", "efg", true},   {"Tavlo.htm", 2, 1, "3", "", true},
        {"TAVLO_2.HTM", 0.5, 4.5, "2", "aac", true}};
    for (const auto& r : rows) {
        rig.type(ControlId::txtMAX_PER_RIGA, r.perRow);
        writeRange(r.name, r.first, r.last);
        std::vector<Lines> cells;
        for (const char* c = r.cells; *c; ++c)
            cells.push_back(sound(*c));
        EXPECT_EQ(pageText(r.name), crlfText(smallPage(r.backLink, cells, std::stoi(r.perRow)))) << r.name;
    }
}

// An entry below the page folder ("/" between names), its cell's target, source and caption,
// and for a picture its view page and the name shown there.
struct EntryCase { std::string entry, target, source, caption, viewPage = {}, title = {}; };

class PageWriterEntries : public PageWriter, public ::testing::WithParamInterface<bool> {
protected:
    PageWriterEntries() : PageWriter({.caseSensitive = GetParam()}) {}
};

TEST_P(PageWriterEntries, EachEntryGivesItsCellAndAPictureItsViewPage)
{
    if (kWindows && GetParam())
        GTEST_SKIP() << "Windows ignores letter case";
    std::vector<EntryCase> cases;
    if (GetParam())  // links name files as on disk, escaped; created names and captions as the writer forms them
        cases = {
            {"VACANZE/Mare 1.jpg", "MARE 1.HTM", "VACANZE/Mare 1.jpg", "Mare 1.jpg", "MARE 1.HTM", "MARE 1.JPG"},
            {"MUSICA/Song.MP3", "MUSICA/Song.MP3", "MUSIC-1A.JPG", "Song.mp3"},
            {"<" + folder + "Sub>", "SUB.HTM", "/Sub%3E", "Sub&gt;", "SUB.HTM", "SUB&gt;"},
            {"R&D/\"1\" <2>?.jpg", "%221%22 %3C2%3E%3F.HTM", "R%26D/%221%22 %3C2%3E%3F.jpg", "&quot;1&quot; &lt;2&gt;?.jpg",
             "\"1\" <2>?.HTM", "&quot;1&quot; &lt;2&gt;?.JPG"},
            {" #50%.jpg", "%20%2350%25.HTM", "%20%2350%25.jpg", "#50%.jpg", " #50%.HTM", " #50%.JPG"},
            {"x\xFF\t\\.jpg", "X%FF%09%5C.HTM", "x%FF%09%5C.jpg", "X&#xFFFD;&#xFFFD;\\.jpg", "X\xFF\t\\.HTM",
             "X&#xFFFD;&#xFFFD;\\.JPG"},
            // A ":" in the first piece would start a URL scheme, and a letter with "|" a drive.
            {"javascript:alert(1).jpg", "./JAVASCRIPT:ALERT(1).HTM", "./javascript:alert(1).jpg", "Javascript:alert(1).jpg",
             "JAVASCRIPT:ALERT(1).HTM", "JAVASCRIPT:ALERT(1).JPG"},
            {"sub/file:x.jpg", "./FILE:X.HTM", "sub/file:x.jpg", "File:x.jpg", "FILE:X.HTM", "FILE:X.JPG"},
            {"http:/y.gif", "Y.HTM", "./http:/y.gif", "Y.gif", "Y.HTM", "Y.GIF"},
            {"c|/z.gif", "Z.HTM", "./c|/z.gif", "Z.gif", "Z.HTM", "Z.GIF"},
        };
    else  // every name cased as the writer cases it, accented letters whole, escaped after casing
        cases = {
            {"VACANZE/Mare 1.jpg", "mare 1.htm", native("VACANZE/mare 1.jpg"), "Mare 1.jpg", "MARE 1.HTM", "MARE 1.JPG"},
            {"MUSICA/Song.MP3", native("MUSICA/song.mp3"), "MUSIC-1A.JPG", "Song.mp3"},
            {"<" + folder + "Sub>", "sub.htm", native("/sub%3E"), "Sub&gt;", "SUB.HTM", "SUB&gt;"},
            {"Film.MPG", "film.mpg", "FILM-1A.JPG", "Film.mpg"},  {"clip.avi", "clip.avi", "FILM-1A.JPG", "Clip.avi"},
            {"voce.Wav", "voce.wav", "MUSIC-1A.JPG", "Voce.wav"}, {"brano.mid", "brano.mid", "MUSIC-1A.JPG", "Brano.mid"},
            {"disco.WMA", "disco.wma", "MUSIC-1A.JPG", "Disco.wma"}, {"Pagina.HTM", "pagina.htm", "HTM-1A.JPG", "Pagina.htm"},
            {"Sito.HTML", "sito.htm", "sito.html", "Sito.html", "SITO.HTM", "SITO.HTML"},
            {"A.B.JPG", "a.b.htm", "a.b.jpg", "A.b.jpg", "A.B.HTM", "A.B.JPG"},
            {"README", "readm.htm", "readme", "Readme", "READM.HTM", "README"},
            {"Perché.jpg", "perché.htm", "perché.jpg", "Perché.jpg", "PERCHÉ.HTM", "PERCHÉ.JPG"},
            {"R&D/Canzone #2.mp3", native("R%26D/canzone %232.mp3"), "MUSIC-1A.JPG", "Canzone #2.mp3"},
        };
    std::vector<Lines> cells;
    for (const auto& c : cases) {
        rig.controls.listAdd(c.entry.starts_with("<") ? c.entry : in(c.entry));
        cells.push_back(cell(onPage(c.target), onPage(c.source), onPage(c.caption)));
    }
    // A page whose name could start a scheme is linked back to as a path too.
    const std::string page = GetParam() ? "HTTP:PAGINA.HTM" : "PAGINA.HTM", back = GetParam() ? "./" + page : page;
    rig.type(ControlId::txtMAX_PER_RIGA, "30");
    writeRange(page, 1, static_cast<double>(cases.size()));
    EXPECT_EQ(pageText(page), crlfText(smallPage(true, cells, 30)));
    // A view page shows the picture by its source, in upper case where letter case does not matter.
    for (const auto& c : cases)
        EXPECT_EQ(c.viewPage.empty() ? "" : pageText(c.viewPage),
                  c.viewPage.empty() ? "" : crlfText(expected::viewPage(onPage(c.title), back,
                                                        onPage(GetParam() ? c.source : upperCase(c.source)))));
    for (const char* noViewPage : {"SONG.HTM", "FILM.HTM", "CLIP.HTM", "VOCE.HTM", "X.HTM"})
        EXPECT_FALSE(rig.tree.exists(std::string("site/") + noViewPage)) << noViewPage;
}

TEST_P(PageWriterEntries, EntriesOutsideThePageFolderAreReachedByAPathUpOrOnAnotherDriveByAFileUrl)
{
    if (kWindows && GetParam())
        GTEST_SKIP() << "Windows ignores letter case";
    // The page lies in "site"; the pictures in "foto" beside it, a sound in the folder above it.
    rig.controls.listAdd(rig.tree.at("foto/Mare/uno.jpg")), rig.controls.listAdd(rig.tree.at("x.mp3"));
    std::vector<Lines> cells{cell(viewLink(rig, "UNO.HTM"), linkTo(rig, "../foto/Mare/uno.jpg"), "Uno.jpg"),
                             cell(linkTo(rig, "../x.mp3"), "MUSIC-1A.JPG", "X.mp3")};
    std::string otherDrive;
    if (kWindows) {  // no path leads to another drive
        otherDrive = std::string(1, folder[0] == 'D' ? 'E' : 'D');
        rig.controls.listAdd(otherDrive + ":\\Foto\\due.jpg");
        cells.push_back(cell("due.htm", "file:///" + otherDrive + ":/FOTO/due.jpg", "Due.jpg"));
    }
    writeRange("TAVLO.HTM", 1, static_cast<double>(rig.controls.listCount()));
    EXPECT_EQ(pageText("TAVLO.HTM"), crlfText(smallPage(false, cells, 3)));
    EXPECT_EQ(pageText("UNO.HTM"), crlfText(expected::viewPage("UNO.JPG", "TAVLO.HTM", viewSource(rig, "../foto/Mare/uno.jpg"))));
    EXPECT_EQ(kWindows ? pageText("DUE.HTM") : "",
              kWindows ? crlfText(expected::viewPage("DUE.JPG", "TAVLO.HTM", "file:///" + otherDrive + ":/FOTO/DUE.JPG")) : "");
}

INSTANTIATE_TEST_SUITE_P(LetterCase, PageWriterEntries, ::testing::Values(true, false));

TEST_F(PageWriter, AViewPageOfOursIsReplacedButAFileOfTheUsersThePageItselfOrNoNameNever)
{
    const Lines mare = expected::viewPage("MARE.JPG", "TAVLO.HTM", viewSource(rig, "uno/Mare.jpg"));
    rig.tree.file("site/MARE.HTM", crlfText({mare.begin(), mare.begin() + 3}));  // cut short by a failure
    write("TAVLO.HTM", {in("uno/Mare.jpg")});
    EXPECT_EQ(pageText("MARE.HTM"), crlfText(mare));
    // An entry ending in the separator has no name to form its view page's from.
    const std::string notes = "<HTML><HEAD>\r\nmy own notes\r\n", exists = "58 - File already exists";
    rig.tree.file("site/FIUME.HTM", notes);
    for (const auto& [entry, failure] : {std::pair{"Fiume.jpg", exists}, {"Tavlo.jpg", exists}, {"sub/", "5 - Invalid procedure call or argument"}}) {
        rig.controls.listClear(), rig.ui.log.clear();
        write("TAVLO.HTM", {in(entry)}, {Answer::Ok});
        EXPECT_EQ(rig.ui.log[2], "box:0:Errore in registrazione Elenco " + in("TAVLO.HTM") + "\r\r ERR= " + failure);
    }
    EXPECT_EQ(pageText("FIUME.HTM"), notes);
}

} // namespace
} // namespace tavlo::test
