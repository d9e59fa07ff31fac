// The page writer: the questions asked before anything is written, the header and
// footer, the back link, the table of cells, what each entry becomes in a cell where
// letter case matters on disk and where it does not, and the view pages of pictures.
#include "support/page_test.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tavlo::test {
namespace {

using enum ControlId;
using expected::cell;

class PageWriter : public PageTest {
protected:
    explicit PageWriter(RigOptions options = {}) : PageTest(options) {}

    /// Sound entries a.mp3, b.mp3... in the page folder, and the cells they give.
    std::vector<Lines> sounds(int count)
    {
        std::vector<Lines> cells;
        for (char c = 'a'; c < 'a' + count; ++c) {
            const std::string name(1, c);
            rig.controls.listAdd(in(name + ".mp3"));
            cells.push_back(cell(name + ".mp3", "MUSIC-1A.JPG", std::string(1, static_cast<char>(c - 32)) + ".mp3"));
        }
        return cells;
    }

    std::string overwriteQuestion(const std::string& page) const
    {
        return "Elenco  " + folder + page + "  gia' esistente, continuo (S/N)";
    }
    std::string missing(const std::string& name) const
    {
        return "Manca il file " + name + ", continuo ?\r\r" + rig.programFolder() + kSep + name;
    }
};

class PageWriterWithoutTemplates : public PageWriter {
protected:
    PageWriterWithoutTemplates() : PageWriter({.withProgramTemplates = false}) {}
};

TEST_F(PageWriterWithoutTemplates, AnExistingPageThenAMissingHeaderOrFooterIsAskedAboutAndNoWritesNothing)
{
    const std::string overwrite = "box:4:" + overwriteQuestion("PAG_1.HTM");
    const std::string header = "box:4:" + missing("INTESTAZ.HTM"), footer = "box:4:" + missing("PIEDE.HTM");
    rig.tree.file("site/PAG_1.HTM", "old");
    write("PAG_1.HTM", {in("a.mp3")}, {kAnswerNo});
    EXPECT_EQ(rig.ui.log, (Lines{"beep", overwrite, "pointer:0", "beep"}));
    EXPECT_EQ(rig.job().Elenco_Confermato, 0);

    rig.ui.log.clear();
    writeRange("PAG_1.HTM", 1, 1, {kAnswerYes, kAnswerNo});
    EXPECT_EQ(rig.ui.log, (Lines{"beep", overwrite, "beep", header, "pointer:0", "beep"}));
    EXPECT_EQ(rig.job().Elenco_Confermato, 1);

    rig.ui.log.clear();
    writeRange("PAG_1.HTM", 1, 1, {kAnswerYes, kAnswerNo});  // agreed earlier in the build: not asked again
    EXPECT_EQ(rig.ui.log, (Lines{"beep", header, "beep", footer, "pointer:0", "beep"}));
    EXPECT_EQ(pageText("PAG_1.HTM"), "old");
    EXPECT_TRUE(rig.fs.created.empty());

    // Yes to both: no header, and "</HTML>" for the footer.
    rig.ui.log.clear();
    writeRange("PAG_1.HTM", 1, 1, {kAnswerYes, kAnswerYes});
    EXPECT_EQ(rig.ui.log, (Lines{"beep", header, "beep", footer, "pointer:11", "pointer:0", "beep"}));
    const std::vector<Lines> aCell{cell("a.mp3", "MUSIC-1A.JPG", "A.mp3")};
    EXPECT_EQ(page("PAG_1.HTM"), expected::page({}, true, aCell, 3, {"</HTML>"}));

    // Only what is missing is asked about, and the header checked is INTESTAZ.HTM
    // whichever header Check1 chooses.
    rig.tree.file("program/INTESTAZ.HTM", crlfText(kHeaderLines));
    rig.ui.boxes.clear();
    writeRange("PAG_1.HTM", 1, 1, {kAnswerYes});
    EXPECT_EQ(prompts(), Lines{missing("PIEDE.HTM")});
    EXPECT_EQ(page("PAG_1.HTM"), expected::page(kHeaderLines, true, aCell, 3, {"</HTML>"}));

    std::filesystem::remove(rig.tree.at("program/INTESTAZ.HTM"));
    rig.tree.file("program/INTEST_2.HTM", crlfText(kHeader2Lines));
    rig.tree.file("program/PIEDE.HTM", crlfText(kFooterLines));
    rig.controls.setChecked(true);
    rig.ui.boxes.clear();
    writeRange("PAG_1.HTM", 1, 1, {kAnswerYes});
    EXPECT_EQ(prompts(), Lines{missing("INTESTAZ.HTM")});
    EXPECT_EQ(page("PAG_1.HTM"), expected::page(kHeader2Lines, true, aCell, 3, kFooterLines));
}

TEST_F(PageWriter, Check1ChoosesTheHeaderWhoseLinesEndAtCrOrCrLf)
{
    rig.job().Elenco_Confermato = 1;
    write("TAVLO.HTM", {});
    EXPECT_EQ(page("TAVLO.HTM"), expected::page(kHeaderLines, false, {}, 3, kFooterLines));
    rig.controls.setChecked(true);
    writeRange("TAVLO.HTM", 1, 0);
    EXPECT_EQ(page("TAVLO.HTM"), expected::page(kHeader2Lines, false, {}, 3, kFooterLines));

    // A lone line feed stays inside a line; a missing second header silently adds nothing.
    rig.tree.file("program/INTEST_2.HTM", "one\r\ntwo\rthree\nstill three\r\nlast");
    rig.tree.file("program/PIEDE.HTM", "</BODY>\n</HTML>");
    writeRange("TAVLO.HTM", 1, 0);
    EXPECT_EQ(pageText("TAVLO.HTM"), "<HTML>\r\none\r\ntwo\r\nthree\nstill three\r\nlast\r\n" +
                                         crlfText(expected::tableStart()) + crlfText(expected::tableEnd()) +
                                         "</BODY>\n</HTML>\r\n");
    std::filesystem::remove(rig.tree.at("program/INTEST_2.HTM"));
    rig.tree.file("program/PIEDE.HTM", crlfText(kFooterLines));
    writeRange("TAVLO.HTM", 1, 0);
    EXPECT_EQ(page("TAVLO.HTM"), expected::page({}, false, {}, 3, kFooterLines));
    EXPECT_TRUE(rig.ui.boxes.empty());
}

TEST_F(PageWriter, OnlyAPageWhoseNameHoldsTavloHtmHasNoBackLinkAndCellsGoInRowsOfTheRowSize)
{
    rig.job().Elenco_Confermato = 1;  // "Tavlo.htm" and "TAVLO.HTM" are one file where case does not matter
    const std::vector<Lines> seven = sounds(7);
    for (const auto& [name, backLink] : std::vector<std::pair<std::string, bool>>{
             {"TAVLO.HTM", false}, {"MIOTAVLO.HTM", false}, {"PAG_3.HTM", true}, {"MARE.HTM", true},
             {"Tavlo.htm", true}}) {
        writeRange(name, 1, 1);
        EXPECT_EQ(page(name), smallPage(backLink, {seven[0]}, 3)) << name;
    }

    writeRange("TAVLO.HTM", 1, 7);
    EXPECT_EQ(pageText("TAVLO.HTM"), crlfText(smallPage(false, seven, 3)));  // byte for byte
    EXPECT_EQ(countOf(page("TAVLO.HTM"), "</tr>"), 2);

    // Six entries end with an empty row.
    writeRange("TAVLO.HTM", 1, 6);
    const Lines six = page("TAVLO.HTM");
    EXPECT_EQ(six, smallPage(false, std::vector<Lines>(seven.begin(), seven.end() - 1), 3));
    EXPECT_EQ(Lines(six.end() - 8, six.end() - 3), (Lines{"</tr>", "<tr>", " ", " </tr>", "</table>"}));
}

TEST_F(PageWriter, PositionsReadTheListRoundedHalfToEvenSkippingBlankEntriesAndThoseBeyondIt)
{
    rig.job().Elenco_Confermato = 1;
    const std::vector<Lines> four = sounds(4);
    // Positions 0.5, 1.5, 2.5, 3.5 read the items 0, 0, 2, 2.
    writeRange("TAVLO.HTM", 0.5, 3.5);
    EXPECT_EQ(page("TAVLO.HTM"), smallPage(false, {four[0], four[0], four[2], four[2]}, 3));
    writeRange("TAVLO.HTM", 2, 1);
    EXPECT_EQ(page("TAVLO.HTM"), smallPage(false, {}, 3));

    rig.type(txtMAX_PER_RIGA, "2");
    rig.controls.listClear();
    for (const std::string& entry : {in("a.mp3"), std::string(), std::string("   "), in("b.mp3"), in("c.mp3")})
        rig.controls.listAdd(entry);
    writeRange("TAVLO.HTM", 1, 9);
    EXPECT_EQ(page("TAVLO.HTM"), smallPage(false, {four[0], four[1], four[2]}, 2));
    writeRange("TAVLO.HTM", 1, 1e18);
    EXPECT_EQ(page("TAVLO.HTM"), smallPage(false, {four[0], four[1], four[2]}, 2));
}

// Where letter case does not matter on disk, every name is cased as the tool cases
// it, accented letters whole, and characters escaped after casing.
class PageWriterIgnoringCase : public PageWriter {
protected:
    PageWriterIgnoringCase() : PageWriter({.caseSensitive = false}) {}
};

TEST_F(PageWriterIgnoringCase, PicturesMediaAndHeadingsAreCasedAsTheToolCasesThem)
{
    rig.type(txtMAX_PER_RIGA, "20");
    std::vector<std::string> entries{
        in("VACANZE/Mare 1.jpg"), in("MUSICA/Song.MP3"), in("Film.MPG"),   in("clip.avi"),
        in("voce.Wav"),           in("brano.mid"),       in("disco.WMA"),  in("video.mp4"),
        in("Pagina.HTM"),         in("Sito.HTML"),       "<" + in("Sub") + ">", in("Mare.jpg"),
        in(inCodePage("Perché.jpg")), in("Tom & \"Jerry\".jpg")};
    std::vector<Lines> cells{
        cell("mare 1.htm", native("VACANZE/mare 1.jpg"), "Mare 1.jpg"),
        cell(native("MUSICA/song.mp3"), "MUSIC-1A.JPG", "Song.mp3"),
        cell("film.mpg", "FILM-1A.JPG", "Film.mpg"),        cell("clip.avi", "FILM-1A.JPG", "Clip.avi"),
        cell("voce.wav", "MUSIC-1A.JPG", "Voce.wav"),       cell("brano.mid", "MUSIC-1A.JPG", "Brano.mid"),
        cell("disco.wma", "MUSIC-1A.JPG", "Disco.wma"),     cell("video.mp4", "FILM-1A.JPG", "Video.mp4"),
        cell("pagina.htm", "HTM-1A.JPG", "Pagina.htm"),     cell("sito.htm", "sito.html", "Sito.html"),
        cell("sub.htm", native("/sub%3E"), "Sub&gt;"),      cell("mare.htm", "mare.jpg", "Mare.jpg"),
        cell(inCodePage("perché.htm"), inCodePage("perché.jpg"), inCodePage("Perché.jpg")),
        cell("tom %26 %22jerry%22.htm", "tom %26 %22jerry%22.jpg", "Tom &amp; &quot;jerry&quot;.jpg")};
    if (kWindows) {  // '"' stands in no Windows name
        entries.pop_back();
        cells.pop_back();
    }
    write("TAVLO.HTM", entries);

    EXPECT_EQ(page("TAVLO.HTM"), smallPage(false, cells, 20));
    // Picture entries, and only they, get their view page.
    EXPECT_EQ(page("MARE 1.HTM"), expected::viewPage("MARE 1.JPG", "TAVLO.HTM", native("VACANZE/MARE 1.JPG")));
    EXPECT_EQ(page("SITO.HTM"), expected::viewPage("SITO.HTML", "TAVLO.HTM", "SITO.HTML"));
    EXPECT_EQ(page("SUB.HTM"), expected::viewPage("SUB&gt;", "TAVLO.HTM", native("/SUB%3E")));
    EXPECT_EQ(page(inCodePage("PERCHÉ.HTM")),
              expected::viewPage(inCodePage("PERCHÉ.JPG"), "TAVLO.HTM", inCodePage("PERCHÉ.JPG")));
    for (const char* name : {"SONG.HTM", "FILM.HTM", "CLIP.HTM", "VOCE.HTM", "VIDEO.HTM", "PAGINA.HTM"})
        EXPECT_FALSE(rig.tree.exists(std::string("site/") + name)) << name;
}

// Where letter case matters on disk, links name files exactly as they are there, while
// created names and captions are formed as the tool forms them. Characters that would
// break the page or the link are escaped where they are written.
TEST_F(PageWriter, EntriesAreLinkedAsOnDiskWithSpecialCharactersEscaped)
{
    rig.type(txtMAX_PER_RIGA, "10");
    std::vector<std::string> entries{in("R&D/Dell'Orto 2.jpg"), in("MUSICA/Canzone #2.MP3")};
    std::vector<Lines> cells{
        cell(viewLink(rig, "DELL'ORTO 2.HTM"), linkTo(rig, "R%26D/Dell'Orto 2.jpg"), "Dell'orto 2.jpg"),
        cell(linkTo(rig, "MUSICA/Canzone %232.MP3"), "MUSIC-1A.JPG", "Canzone #2.mp3")};
    // No Windows name holds '"', '<', '>', '?', '\' or a control character, and the
    // Windows code page has no bytes that are not text: these are Linux's.
    if (!kWindows) {
        entries.insert(entries.end(), {in("Tom & \"Jerry\" <1>.jpg"), in("50% #1?.jpg"), in("a\\b.jpg"),
                                       in("x\xFF" "y.jpg"), in("tab\there.jpg"), "<" + in("Sub") + ">"});
        cells.insert(cells.end(),
                     {cell("TOM %26 %22JERRY%22 %3C1%3E.HTM", "Tom %26 %22Jerry%22 %3C1%3E.jpg",
                           "Tom &amp; &quot;jerry&quot; &lt;1&gt;.jpg"),
                      cell("50%25 %231%3F.HTM", "50%25 %231%3F.jpg", "50% #1?.jpg"),
                      cell("A%5CB.HTM", "a%5Cb.jpg", "A\\b.jpg"), cell("X%FFY.HTM", "x%FFy.jpg", "X&#xFFFD;y.jpg"),
                      cell("TAB%09HERE.HTM", "tab%09here.jpg", "Tab&#xFFFD;here.jpg"),
                      cell("SUB.HTM", "/Sub%3E", "Sub&gt;")});
    }
    write("TAVLO.HTM", entries);

    EXPECT_EQ(page("TAVLO.HTM"), smallPage(false, cells, 10));
    EXPECT_FALSE(rig.tree.exists("site/CANZONE #2.HTM"));
    // The view pages carry the names as files on disk, and escaped where written.
    EXPECT_EQ(page("DELL'ORTO 2.HTM"),
              expected::viewPage("DELL'ORTO 2.JPG", "TAVLO.HTM", viewSource(rig, "R%26D/Dell'Orto 2.jpg")));
    if (kWindows)
        return;
    EXPECT_EQ(page("TOM & \"JERRY\" <1>.HTM"), expected::viewPage("TOM &amp; &quot;JERRY&quot; &lt;1&gt;.JPG",
                                                                  "TAVLO.HTM", "Tom %26 %22Jerry%22 %3C1%3E.jpg"));
    EXPECT_EQ(page("X\xFF" "Y.HTM"), expected::viewPage("X&#xFFFD;Y.JPG", "TAVLO.HTM", "x%FFy.jpg"));
    EXPECT_EQ(page("SUB.HTM"), expected::viewPage("SUB&gt;", "TAVLO.HTM", "/Sub%3E"));
}

// --- View pages -------------------------------------------------------------------

TEST_F(PageWriter, AViewPageIsNamedAfterThePictureWithoutItsLastExtensionInThePageFolder)
{
    const std::pair<std::string, std::string> names[] = {
        {in("README"), "READM.HTM"}, {in("A.B.JPG"), "A.B.HTM"},         {in("foto.jpeg"), "FOTO.HTM"},
        {in("x.y.z"), "X.Y.HTM"},    {in("a/b/c/Deep.jpg"), "DEEP.HTM"}, {rig.tree.file("elsewhere/Far.gif"), "FAR.HTM"}};
    for (const auto& [picture, viewPage] : names)
        rig.controls.listAdd(picture);
    writeRange("TAVLO.HTM", 1, 6);
    const Lines index = page("TAVLO.HTM");
    for (const auto& [picture, viewPage] : names) {
        EXPECT_TRUE(rig.tree.exists("site/" + viewPage)) << picture;
        EXPECT_EQ(countOf(index, "        <A HREF=\"" + viewLink(rig, viewPage) + "\">"), 1) << picture;
    }
    EXPECT_FALSE(rig.tree.exists("site/a/b/c/DEEP.HTM"));
    EXPECT_FALSE(rig.tree.exists("elsewhere/FAR.HTM"));
}

TEST_F(PageWriter, AnEntryEndingInTheSeparatorEndsThePageThroughTheGeneralFailurePath)
{
    write("TAVLO.HTM", {in("a.mp3"), in("sub/"), in("b.jpg")}, {kAnswerOk});

    const std::string message = pageGivenUp(folder + "TAVLO.HTM", 5, "Invalid procedure call or argument");
    EXPECT_EQ(rig.ui.log, (Lines{"pointer:11", "beep", "box:0:" + message, "pointer:0", "beep"}));
    // The page stays as far as it was written: up to the caption of the entry that failed.
    Lines written = expected::page(kHeaderLines, false, {cell("a.mp3", "MUSIC-1A.JPG", "A.mp3")}, 3, {});
    written.resize(written.size() - expected::tableEnd().size());
    const Lines failed = cell("", linkTo(rig, "sub/"), "");
    written.insert(written.end(), failed.begin(), failed.begin() + 16);
    EXPECT_EQ(page("TAVLO.HTM"), written);
    EXPECT_FALSE(rig.tree.exists("site/B.HTM"));
}

TEST_F(PageWriter, ViewPagesOfOursAreReplacedAndLeadBackToThePageBeingWritten)
{
    // One cut short by a failure, an empty one, and one written without the character set.
    const Lines fiume = expected::viewPage("FIUME.JPG", "PAG_1.HTM", viewSource(rig, "Fiume.jpg"));
    rig.tree.file("site/FIUME.HTM", crlfText(Lines(fiume.begin(), fiume.begin() + 3)));
    rig.tree.file("site/LAGO.HTM", "");
    Lines monte = expected::viewPage("MONTE.JPG", "PAG_1.HTM", viewSource(rig, "Monte.jpg"));
    monte[0] = "<HTML><HEAD>";
    rig.tree.file("site/MONTE.HTM", crlfText(monte));
    // Two pictures of one name share the view page of the later one.
    write("PAG_1.HTM", {in("uno/Mare.jpg"), in("due/Mare.jpg"), in("Fiume.jpg"), in("Lago.jpg"), in("Monte.jpg")});
    EXPECT_TRUE(rig.ui.boxes.empty());
    EXPECT_EQ(pageText("MARE.HTM"),  // byte for byte
              crlfText(expected::viewPage("MARE.JPG", "PAG_1.HTM", viewSource(rig, "due/Mare.jpg"))));
    EXPECT_EQ(page("FIUME.HTM"), fiume);
    EXPECT_EQ(page("LAGO.HTM"), expected::viewPage("LAGO.JPG", "PAG_1.HTM", viewSource(rig, "Lago.jpg")));
    EXPECT_EQ(page("MONTE.HTM"), expected::viewPage("MONTE.JPG", "PAG_1.HTM", viewSource(rig, "Monte.jpg")));

    writeRange("PAG_2.HTM", 3, 3);
    EXPECT_EQ(page("FIUME.HTM"), expected::viewPage("FIUME.JPG", "PAG_2.HTM", viewSource(rig, "Fiume.jpg")));
}

TEST_F(PageWriter, AUsersOwnFileIsNeverWrittenOverNorThePageBeingWritten)
{
    const std::string notes = "my own notes\r\n";
    const std::string html = expected::kViewPageFirstLine + "\r\n<TITLE>Mare</TITLE>\r\n</HEAD><BODY>\r\n";
    rig.tree.file("site/MARE.HTM", notes);
    rig.tree.file("site/FIUME.HTM", html);
    rig.job().Elenco_Confermato = 1;
    for (const char* picture : {"Mare.jpg", "Fiume.jpg", "Tavlo.jpg"}) {
        rig.controls.listClear();
        rig.ui.log.clear();
        write("TAVLO.HTM", {in(picture)}, {kAnswerOk});
        EXPECT_EQ(rig.ui.log, (Lines{"pointer:11", "beep",
                                     "box:0:" + pageGivenUp(folder + "TAVLO.HTM", 58, "File already exists"),
                                     "pointer:0", "beep"}))
            << picture;
    }
    EXPECT_EQ(pageText("MARE.HTM"), notes);
    EXPECT_EQ(pageText("FIUME.HTM"), html);
    const Lines lines = page("TAVLO.HTM");
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), "<HTML>");
    EXPECT_EQ(lines.back(), "        <A HREF=\"" + viewLink(rig, "TAVLO.HTM") + "\">Tavlo.jpg</A>");
}

} // namespace
} // namespace tavlo::test
