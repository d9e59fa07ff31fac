// The page writer: the questions asked before anything is written, the header and
// footer, the back link, the table of cells, and what each entry becomes in a cell
// where letter case matters on disk and where it does not.
#include "support/page_test.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tavlo::test {
namespace {

using enum ControlId;
using expected::cell;

class PageWriterTest : public PageTest {
protected:
    explicit PageWriterTest(RigOptions options = {}) : PageTest(options) {}

    /// Sound entries a.mp3, b.mp3... in the page folder, and the cells they give.
    struct Sounds {
        std::vector<std::string> entries;
        std::vector<Lines> cells;
    };
    Sounds sounds(int count) const
    {
        Sounds s;
        for (char c = 'a'; c < 'a' + count; ++c) {
            const std::string name(1, c);
            s.entries.push_back(in(name + ".mp3"));
            s.cells.push_back(cell(name + ".mp3", "MUSIC-1A.JPG", std::string(1, static_cast<char>(c - 32)) + ".mp3"));
        }
        return s;
    }
};

// --- The questions before anything is written ---------------------------------

std::string overwriteQuestion(const std::string& page)
{
    return "Elenco  " + page + "  gia' esistente, continuo (S/N)";
}

TEST_F(PageWriterTest, AnExistingPageIsAskedAboutAfterABeepAndYesReplacesIt)
{
    rig.tree.file("site/PAG_1.HTM", "old");
    rig.ui.answerNext(kAnswerYes);
    write("PAG_1.HTM", {in("a.mp3")});

    ASSERT_EQ(rig.ui.boxes.size(), 1u);
    EXPECT_EQ(rig.ui.boxes[0].buttons, kYesNo);
    EXPECT_EQ(Lines(rig.ui.log.begin(), rig.ui.log.begin() + 2),
              (Lines{"beep", "box:4:" + overwriteQuestion(folder + "PAG_1.HTM")}));
    EXPECT_EQ(rig.job().Elenco_Confermato, 1);
    EXPECT_EQ(page("PAG_1.HTM"), smallPage(true, {cell("a.mp3", "MUSIC-1A.JPG", "A.mp3")}, 3));
}

TEST_F(PageWriterTest, NoToTheOverwriteQuestionWritesNothingAndStillEndsWithDefaultPointerAndBeep)
{
    rig.tree.file("site/PAG_1.HTM", "old");
    rig.ui.answerNext(kAnswerNo);
    write("PAG_1.HTM", {in("a.jpg")});

    EXPECT_EQ(pageText("PAG_1.HTM"), "old");
    EXPECT_FALSE(rig.tree.exists("site/A.HTM"));
    EXPECT_TRUE(rig.fs.created.empty());
    EXPECT_EQ(rig.job().Elenco_Confermato, 0);
    EXPECT_EQ(rig.ui.log,
              (Lines{"beep", "box:4:" + overwriteQuestion(folder + "PAG_1.HTM"), "pointer:0", "beep"}));
}

TEST_F(PageWriterTest, AnOverwriteAgreedEarlierInTheBuildIsNotAskedAgain)
{
    rig.tree.file("site/PAG_2.HTM", "old");
    rig.job().Elenco_Confermato = 1;
    write("PAG_2.HTM", {in("a.mp3")});

    EXPECT_TRUE(rig.ui.boxes.empty());
    EXPECT_EQ(page("PAG_2.HTM"), smallPage(true, {cell("a.mp3", "MUSIC-1A.JPG", "A.mp3")}, 3));
}

TEST_F(PageWriterTest, ANewPageShowsTheBusyPointerWhileWrittenThenDefaultAndABeep)
{
    write("TAVLO.HTM", {in("a.jpg"), in("b.mp3")});
    EXPECT_EQ(rig.ui.log, (Lines{"pointer:11", "pointer:0", "beep"}));
}

class PageWriterWithoutTemplates : public PageWriterTest {
protected:
    PageWriterWithoutTemplates() : PageWriterTest({.withProgramTemplates = false}) {}

    std::string missing(const std::string& name) const
    {
        return "Manca il file " + name + ", continuo ?\r\r" + rig.programFolder() + kSep + name;
    }
};

TEST_F(PageWriterWithoutTemplates, BothAreAskedAboutAndYesWritesNoHeaderAndEndsWithHtmlEnd)
{
    rig.ui.answerNext(kAnswerYes);
    rig.ui.answerNext(kAnswerYes);
    write("TAVLO.HTM", {in("a.mp3")});

    EXPECT_EQ(rig.ui.log, (Lines{"beep", "box:4:" + missing("INTESTAZ.HTM"), "beep", "box:4:" + missing("PIEDE.HTM"),
                                 "pointer:11", "pointer:0", "beep"}));
    EXPECT_EQ(pageText("TAVLO.HTM"),
              crlfText(expected::page({{}, false, {cell("a.mp3", "MUSIC-1A.JPG", "A.mp3")}, 3, {"</HTML>"}})));
}

TEST_F(PageWriterWithoutTemplates, NoToTheHeaderQuestionEndsBeforeTheFooterQuestion)
{
    rig.ui.answerNext(kAnswerNo);
    write("TAVLO.HTM", {in("a.jpg")});

    EXPECT_EQ(rig.ui.log, (Lines{"beep", "box:4:" + missing("INTESTAZ.HTM"), "pointer:0", "beep"}));
    EXPECT_TRUE(rig.fs.created.empty());
}

TEST_F(PageWriterWithoutTemplates, NoToTheFooterQuestionWritesNothing)
{
    rig.ui.answerNext(kAnswerYes);
    rig.ui.answerNext(kAnswerNo);
    write("TAVLO.HTM", {in("a.jpg")});

    EXPECT_EQ(rig.ui.boxes.size(), 2u);
    EXPECT_TRUE(rig.fs.created.empty());
    EXPECT_FALSE(rig.tree.exists("site/TAVLO.HTM"));
}

TEST_F(PageWriterWithoutTemplates, OnlyTheMissingFooterIsAskedAbout)
{
    rig.tree.file("program/INTESTAZ.HTM", crlfText(kHeaderLines));
    rig.ui.answerNext(kAnswerYes);
    write("TAVLO.HTM", {});

    ASSERT_EQ(rig.ui.boxes.size(), 1u);
    EXPECT_EQ(rig.ui.boxes[0].prompt, missing("PIEDE.HTM"));
    EXPECT_EQ(page("TAVLO.HTM"), expected::page({kHeaderLines, false, {}, 3, {"</HTML>"}}));
}

TEST_F(PageWriterWithoutTemplates, TheHeaderCheckIsOnIntestazWhicheverHeaderCheck1Chooses)
{
    rig.tree.file("program/INTEST_2.HTM", crlfText(kHeader2Lines));
    rig.tree.file("program/PIEDE.HTM", crlfText(kFooterLines));
    rig.controls.setChecked(true);
    rig.ui.answerNext(kAnswerYes);
    write("TAVLO.HTM", {});

    ASSERT_EQ(rig.ui.boxes.size(), 1u);
    EXPECT_EQ(rig.ui.boxes[0].prompt, missing("INTESTAZ.HTM"));
    EXPECT_EQ(page("TAVLO.HTM"), expected::page({kHeader2Lines, false, {}, 3, kFooterLines}));
}

TEST_F(PageWriterWithoutTemplates, TheOverwriteQuestionComesBeforeTheTemplateQuestions)
{
    rig.tree.file("site/TAVLO.HTM", "old");
    for (int i = 0; i < 3; ++i)
        rig.ui.answerNext(kAnswerYes);
    write("TAVLO.HTM", {});

    ASSERT_EQ(rig.ui.boxes.size(), 3u);
    EXPECT_EQ(rig.ui.boxes[0].prompt, overwriteQuestion(folder + "TAVLO.HTM"));
    EXPECT_EQ(rig.ui.boxes[1].prompt, missing("INTESTAZ.HTM"));
    EXPECT_EQ(rig.ui.boxes[2].prompt, missing("PIEDE.HTM"));
}

// --- Header and footer ---------------------------------------------------------

TEST_F(PageWriterTest, Check1ChoosesTheHeaderTemplate)
{
    write("TAVLO.HTM", {});
    EXPECT_EQ(page("TAVLO.HTM"), expected::page({kHeaderLines, false, {}, 3, kFooterLines}));

    rig.controls.setChecked(true);
    rig.job().Elenco_Confermato = 1;
    writeRange("TAVLO.HTM", 1, 0);
    EXPECT_EQ(page("TAVLO.HTM"), expected::page({kHeader2Lines, false, {}, 3, kFooterLines}));
}

TEST_F(PageWriterTest, TemplateLinesEndAtCrOrCrLfWhileALoneLineFeedStaysInside)
{
    rig.tree.file("program/INTESTAZ.HTM", "one\r\ntwo\rthree\nstill three\r\nlast");
    rig.tree.file("program/PIEDE.HTM", "</BODY>\n</HTML>");
    write("TAVLO.HTM", {});

    EXPECT_EQ(pageText("TAVLO.HTM"), "<HTML>\r\none\r\ntwo\r\nthree\nstill three\r\nlast\r\n" +
                                         crlfText(expected::tableStart()) + crlfText(expected::tableEnd()) +
                                         "</BODY>\n</HTML>\r\n");
}

TEST_F(PageWriterTest, AZeroByteHeaderAddsNoLines)
{
    rig.tree.file("program/INTESTAZ.HTM", "");
    write("TAVLO.HTM", {});
    EXPECT_EQ(page("TAVLO.HTM"), expected::page({{}, false, {}, 3, kFooterLines}));
}

TEST_F(PageWriterTest, AMissingSecondHeaderSilentlyAddsNothing)
{
    std::filesystem::remove(rig.programFolder() + kSep + "INTEST_2.HTM");
    rig.controls.setChecked(true);
    write("TAVLO.HTM", {});

    EXPECT_TRUE(rig.ui.boxes.empty());
    EXPECT_EQ(page("TAVLO.HTM"), expected::page({{}, false, {}, 3, kFooterLines}));
}

// --- Back link -----------------------------------------------------------------

struct BackLinkCase {
    const char* page;
    bool backLink;
};

class PageWriterBackLink : public PageWriterTest, public ::testing::WithParamInterface<BackLinkCase> {};

TEST_P(PageWriterBackLink, OnlyAPageWhoseNameHoldsTavloHtmHasNone)
{
    const std::string name = GetParam().page;
    write(name, {in("a.mp3")});
    EXPECT_EQ(page(name), smallPage(GetParam().backLink, {cell("a.mp3", "MUSIC-1A.JPG", "A.mp3")}, 3));
}

INSTANTIATE_TEST_SUITE_P(PageNames, PageWriterBackLink,
                         ::testing::Values(BackLinkCase{"TAVLO.HTM", false}, BackLinkCase{"MIOTAVLO.HTM", false},
                                           BackLinkCase{"PAG_3.HTM", true}, BackLinkCase{"MARE.HTM", true},
                                           BackLinkCase{"Tavlo.htm", true}));

// --- The table -----------------------------------------------------------------

TEST_F(PageWriterTest, ACellIsEighteenLinesByteForByte)
{
    write("TAVLO.HTM", {in("Mare.jpg")});
    const std::string target = viewLink(rig, "MARE.HTM");
    const std::string source = linkTo(rig, "Mare.jpg");
    const std::string oneCell =
        "<td valign=\"Top\">\r\n"
        "  <table border=\"0\" cellpadding=\"0\" cellspacing=\"0\" width=\" 130\">\r\n"
        "  <tr>\r\n"
        "   <td background=\"DIAPOSIT.JPG\" width=\"130\" height=\"130\">\r\n"
        "    <table border=\"0\" cellpadding=\"0\" cellspacing=\"0\" width=\"130\" height=\"130\">\r\n"
        "     <tr>\r\n"
        "      <td><p align=\"center\">\r\n"
        "        <A HREF=\"" + target + "\">\r\n"
        "        <img src=\"" + source + "\" border=\"0\" width=\"100\" height=\"100\"></A>\r\n"
        "      </td>\r\n"
        "     </tr>\r\n"
        "    </table>\r\n"
        "   </td>\r\n"
        "  </tr>\r\n"
        "  <tr><td><p align=\"center\">\r\n"
        "        <A HREF=\"" + target + "\">Mare.jpg</A>\r\n"
        "</td></tr></table></td>\r\n"
        " \r\n";
    EXPECT_EQ(pageText("TAVLO.HTM"),
              "<HTML>\r\n" + crlfText(kHeaderLines) +
              "<table border=\"0\" cellpadding=\"0\" cellspacing=\"0\" width=\"130\">\r\n<tr>\r\n \r\n" + oneCell +
              " </tr>\r\n</table>\r\n</center></div>\r\n" + crlfText(kFooterLines));
    EXPECT_EQ(crlfText(cell(target, source, "Mare.jpg")), oneCell);
}

TEST_F(PageWriterTest, SevenEntriesInRowsOfThreeMakeRowsOfThreeThreeAndOne)
{
    const Sounds seven = sounds(7);
    write("TAVLO.HTM", seven.entries);

    const Lines lines = page("TAVLO.HTM");
    EXPECT_EQ(lines, smallPage(false, seven.cells, 3));
    EXPECT_EQ(countOf(lines, "</tr>"), 2);
}

TEST_F(PageWriterTest, SixEntriesInRowsOfThreeEndWithAnEmptyRow)
{
    const Sounds six = sounds(6);
    write("TAVLO.HTM", six.entries);

    const Lines lines = page("TAVLO.HTM");
    EXPECT_EQ(lines, smallPage(false, six.cells, 3));
    const Lines tableTail(lines.end() - 8, lines.end() - 3);
    EXPECT_EQ(tableTail, (Lines{"</tr>", "<tr>", " ", " </tr>", "</table>"}));
}

TEST_F(PageWriterTest, BlankEntriesAndPositionsPastTheEndLeaveNoGapAndDoNotCount)
{
    const Sounds three = sounds(3);
    rig.type(txtMAX_PER_RIGA, "2");
    const std::string blank = "   ";
    for (const std::string& entry : {three.entries[0], std::string(), blank, three.entries[1], three.entries[2]})
        rig.controls.listAdd(entry);
    writeRange("TAVLO.HTM", 1, 9);

    EXPECT_EQ(page("TAVLO.HTM"), smallPage(false, three.cells, 2));
}

TEST_F(PageWriterTest, FractionalPositionsReadTheItemRoundedHalfToEven)
{
    const Sounds four = sounds(4);
    rig.type(txtMAX_PER_RIGA, "10");
    for (const auto& entry : four.entries)
        rig.controls.listAdd(entry);
    // Positions 0.5, 1.5, 2.5, 3.5 read the items 0, 0, 2, 2.
    writeRange("TAVLO.HTM", 0.5, 3.5);

    const Lines& a = four.cells[0];
    const Lines& c = four.cells[2];
    EXPECT_EQ(page("TAVLO.HTM"), smallPage(false, {a, a, c, c}, 10));
}

TEST_F(PageWriterTest, AFirstPositionAfterTheLastWritesAnEmptyTable)
{
    rig.controls.listAdd(in("a.mp3"));
    writeRange("TAVLO.HTM", 2, 1);
    EXPECT_EQ(page("TAVLO.HTM"), smallPage(false, {}, 3));
}

TEST_F(PageWriterTest, AHugeLastPositionEndsWithTheList)
{
    const Sounds two = sounds(2);
    for (const auto& entry : two.entries)
        rig.controls.listAdd(entry);
    writeRange("TAVLO.HTM", 1, 1e18);
    EXPECT_EQ(page("TAVLO.HTM"), smallPage(false, two.cells, 3));
}

// --- What an entry becomes ------------------------------------------------------

// Where letter case does not matter on disk, every name is cased as the tool cases it.
class PageWriterIgnoringCase : public PageWriterTest {
protected:
    PageWriterIgnoringCase() : PageWriterTest({.caseSensitive = false}) {}
};

TEST_F(PageWriterIgnoringCase, PicturesMediaAndHeadingsAreCasedAsTheToolCasesThem)
{
    rig.type(txtMAX_PER_RIGA, "20");
    write("TAVLO.HTM", {in("VACANZE/Mare 1.jpg"), in("MUSICA/Song.MP3"), in("Film.MPG"), in("clip.avi"),
                        in("voce.Wav"), in("brano.mid"), in("disco.WMA"), in("video.mp4"), in("Pagina.HTM"),
                        in("Sito.HTML"), "<" + in("Sub") + ">", in("Mare.jpg")});

    EXPECT_EQ(page("TAVLO.HTM"), smallPage(false,
                                           {
                                               cell("mare 1.htm", native("VACANZE/mare 1.jpg"), "Mare 1.jpg"),
                                               cell(native("MUSICA/song.mp3"), "MUSIC-1A.JPG", "Song.mp3"),
                                               cell("film.mpg", "FILM-1A.JPG", "Film.mpg"),
                                               cell("clip.avi", "FILM-1A.JPG", "Clip.avi"),
                                               cell("voce.wav", "MUSIC-1A.JPG", "Voce.wav"),
                                               cell("brano.mid", "MUSIC-1A.JPG", "Brano.mid"),
                                               cell("disco.wma", "MUSIC-1A.JPG", "Disco.wma"),
                                               cell("video.mp4", "FILM-1A.JPG", "Video.mp4"),
                                               cell("pagina.htm", "HTM-1A.JPG", "Pagina.htm"),
                                               cell("sito.htm", "sito.html", "Sito.html"),
                                               cell("sub.htm", native("/sub%3E"), "Sub&gt;"),
                                               cell("mare.htm", "mare.jpg", "Mare.jpg"),
                                           },
                                           20));
    // Picture entries, and only they, get their view page.
    EXPECT_EQ(page("MARE 1.HTM"), expected::viewPage("MARE 1.JPG", "TAVLO.HTM", native("VACANZE/MARE 1.JPG")));
    EXPECT_EQ(page("SITO.HTM"), expected::viewPage("SITO.HTML", "TAVLO.HTM", "SITO.HTML"));
    EXPECT_EQ(page("SUB.HTM"), expected::viewPage("SUB&gt;", "TAVLO.HTM", native("/SUB%3E")));
    EXPECT_EQ(page("MARE.HTM"), expected::viewPage("MARE.JPG", "TAVLO.HTM", "MARE.JPG"));
    for (const char* name : {"SONG.HTM", "FILM.HTM", "CLIP.HTM", "VOCE.HTM", "VIDEO.HTM", "PAGINA.HTM"})
        EXPECT_FALSE(rig.tree.exists(std::string("site/") + name)) << name;
}

TEST_F(PageWriterIgnoringCase, AccentedLettersAreCasedWholeAndEscapedCharactersAfterCasing)
{
    std::vector<std::string> entries{in(inCodePage("Perché.jpg")), in("Tom & \"Jerry\".jpg")};
    std::vector<Lines> cells{
        cell(inCodePage("perché.htm"), inCodePage("perché.jpg"), inCodePage("Perché.jpg")),
        cell("tom %26 %22jerry%22.htm", "tom %26 %22jerry%22.jpg", "Tom &amp; &quot;jerry&quot;.jpg")};
    if (kWindows) {  // '"' stands in no Windows name
        entries.pop_back();
        cells.pop_back();
    }
    write("TAVLO.HTM", entries);

    EXPECT_EQ(page("TAVLO.HTM"), smallPage(false, cells, 3));
    EXPECT_EQ(page(inCodePage("PERCHÉ.HTM")),
              expected::viewPage(inCodePage("PERCHÉ.JPG"), "TAVLO.HTM", inCodePage("PERCHÉ.JPG")));
    if (!kWindows) {
        EXPECT_TRUE(rig.tree.exists("site/TOM & \"JERRY\".HTM"));
    }
}

TEST_F(PageWriterIgnoringCase, TheIndexOfAPagedBuildLinksItsPagesInLowerCase)
{
    write("TAVLO.HTM", {"PAG_1.HTM", "PAG_2.HTM"});
    EXPECT_EQ(page("TAVLO.HTM"), smallPage(false,
                                           {cell("pag_1.htm", "HTM-1A.JPG", "Pag_1.htm"),
                                            cell("pag_2.htm", "HTM-1A.JPG", "Pag_2.htm")},
                                           3));
}

// Where letter case matters on disk, links name files exactly as they are there,
// while created names and captions are formed as the tool forms them.
TEST_F(PageWriterTest, LinksNameFilesAsTheyAreOnDisk)
{
    if (!rig.fs.caseSensitive())
        GTEST_SKIP() << "Windows ignores letter case: links are cased as the tool cases them (PageWriterIgnoringCase)";
    write("TAVLO.HTM", {in("Vacanze/Mare 1.jpg"), in("MUSICA/Song.MP3"), "<" + in("Sub") + ">", in("Mare.jpg")});

    EXPECT_EQ(page("TAVLO.HTM"), smallPage(false,
                                           {
                                               cell("MARE 1.HTM", "Vacanze/Mare 1.jpg", "Mare 1.jpg"),
                                               cell("MUSICA/Song.MP3", "MUSIC-1A.JPG", "Song.mp3"),
                                               cell("SUB.HTM", "/Sub%3E", "Sub&gt;"),
                                               cell("MARE.HTM", "Mare.jpg", "Mare.jpg"),
                                           },
                                           3));
    EXPECT_EQ(page("MARE 1.HTM"), expected::viewPage("MARE 1.JPG", "TAVLO.HTM", "Vacanze/Mare 1.jpg"));
    EXPECT_EQ(page("SUB.HTM"), expected::viewPage("SUB&gt;", "TAVLO.HTM", "/Sub%3E"));
    EXPECT_FALSE(rig.tree.exists("site/SONG.HTM"));
}

TEST_F(PageWriterTest, AnEntryInThePageFolderHasNoRelativeFolder)
{
    write("TAVLO.HTM", {in("a.jpg"), in("b.wav")});
    EXPECT_EQ(page("TAVLO.HTM"), smallPage(false,
                                           {cell(viewLink(rig, "A.HTM"), linkTo(rig, "a.jpg"), "A.jpg"),
                                            cell("b.wav", "MUSIC-1A.JPG", "B.wav")},
                                           3));
}

TEST_F(PageWriterTest, SpecialCharactersAreEscapedWhereTheyAreWritten)
{
    rig.type(txtMAX_PER_RIGA, "10");
    struct Written {
        std::string entry;
        Lines cell;
        // No Windows name holds '"', '<', '>', '?', '\' or a control character, and the
        // Windows code page has no bytes that are not text.
        bool linuxOnly = false;
    };
    const std::vector<Written> table{
        {in("Tom & \"Jerry\" <1>.jpg"),
         cell("TOM %26 %22JERRY%22 %3C1%3E.HTM", "Tom %26 %22Jerry%22 %3C1%3E.jpg",
              "Tom &amp; &quot;jerry&quot; &lt;1&gt;.jpg"),
         true},
        {in("50% #1?.jpg"), cell("50%25 %231%3F.HTM", "50%25 %231%3F.jpg", "50% #1?.jpg"), true},
        {in("a\\b.jpg"), cell("A%5CB.HTM", "a%5Cb.jpg", "A\\b.jpg"), true},
        {in(inCodePage("Perché.jpg")), cell(viewLink(rig, inCodePage("PERCHÉ.HTM")),
                                            linkTo(rig, inCodePage("Perché.jpg")), inCodePage("Perché.jpg"))},
        {in("x\xFF" "y.jpg"), cell("X%FFY.HTM", "x%FFy.jpg", "X&#xFFFD;y.jpg"), true},
        {in("tab\there.jpg"), cell("TAB%09HERE.HTM", "tab%09here.jpg", "Tab&#xFFFD;here.jpg"), true},
        {in("R&D/Dell'Orto 2.jpg"),
         cell(viewLink(rig, "DELL'ORTO 2.HTM"), linkTo(rig, "R%26D/Dell'Orto 2.jpg"), "Dell'orto 2.jpg")},
        {in("Canzone #2.mp3"), cell(linkTo(rig, "Canzone %232.mp3"), "MUSIC-1A.JPG", "Canzone #2.mp3")},
    };
    std::vector<std::string> entries;
    std::vector<Lines> cells;
    for (const auto& w : table) {
        if (kWindows && w.linuxOnly)
            continue;
        entries.push_back(w.entry);
        cells.push_back(w.cell);
    }
    write("TAVLO.HTM", entries);

    EXPECT_EQ(page("TAVLO.HTM"), smallPage(false, cells, 10));
    // The view pages carry the names as files on disk, and escaped where written.
    if (!kWindows) {
        EXPECT_EQ(page("TOM & \"JERRY\" <1>.HTM"),
                  expected::viewPage("TOM &amp; &quot;JERRY&quot; &lt;1&gt;.JPG", "TAVLO.HTM",
                                     "Tom %26 %22Jerry%22 %3C1%3E.jpg"));
        EXPECT_EQ(page("X\xFF" "Y.HTM"), expected::viewPage("X&#xFFFD;Y.JPG", "TAVLO.HTM", "x%FFy.jpg"));
    }
    EXPECT_EQ(page("DELL'ORTO 2.HTM"),
              expected::viewPage("DELL'ORTO 2.JPG", "TAVLO.HTM", viewSource(rig, "R%26D/Dell'Orto 2.jpg")));
}

} // namespace
} // namespace tavlo::test
