// The view pages: their seven lines, their names, where they go, their link back to
// the index page, and which existing files they may replace.
#include "support/page_test.h"

#include <gtest/gtest.h>

namespace tavlo::test {
namespace {

using enum ControlId;
using expected::cell;

class ViewPageTest : public PageTest {};

TEST_F(ViewPageTest, SevenLinesByteForByteWithTheNumbersInPageFormat)
{
    write("PAG_3.HTM", {in("VACANZE/Mare 1.jpg")});

    const std::string source = viewSource(rig, "VACANZE/Mare 1.jpg");
    EXPECT_EQ(pageText("MARE 1.HTM"),
              expected::kViewPageFirstLine + "\r\n"
              "<TITLE> MARE 1.JPG </TITLE>\r\n"
              "</HEAD><BODY BGCOLOR=#FFFFFF><CENTER><H2><pre>\r\n"
              "MARE 1.JPG   <A HREF=\"PAG_3.HTM\">Torna all'indice dell'tavlo</A></pre></H2>\r\n"
              "<TABLE><TR><TD>\r\n"
              "<IMG SRC=\"" + source + "\" width= 600  height= 430 ></TD></TR></TABLE></CENTER>\r\n"
              "</BODY></HTML>\r\n");
    EXPECT_EQ(page("MARE 1.HTM"), expected::viewPage("MARE 1.JPG", "PAG_3.HTM", source));
}

struct NameCase {
    const char* picture;
    const char* viewPage;
};

class ViewPageName : public ViewPageTest, public ::testing::WithParamInterface<NameCase> {};

TEST_P(ViewPageName, IsTheFileNameWithoutItsLastExtensionFollowedByHtm)
{
    write("TAVLO.HTM", {in(GetParam().picture)});

    const std::string viewPage = GetParam().viewPage;
    EXPECT_TRUE(rig.tree.exists("site/" + viewPage)) << viewPage;
    // The cell's link: the eighth line of the first cell.
    EXPECT_EQ(page("TAVLO.HTM").at(1 + kHeaderLines.size() + 3 + 7),
              "        <A HREF=\"" + viewLink(rig, viewPage) + "\">");
}

INSTANTIATE_TEST_SUITE_P(Names, ViewPageName,
                         ::testing::Values(NameCase{"README", "READM.HTM"}, NameCase{"A.B.JPG", "A.B.HTM"},
                                           NameCase{"foto.jpeg", "FOTO.HTM"}, NameCase{"x.y.z", "X.Y.HTM"},
                                           NameCase{"Mare.gif", "MARE.HTM"}));

TEST_F(ViewPageTest, GoesIntoThePageFolderWhateverFolderThePictureLiesIn)
{
    write("TAVLO.HTM", {in("a/b/c/Deep.jpg"), rig.tree.file("elsewhere/Far.jpg")});

    EXPECT_TRUE(rig.tree.exists("site/DEEP.HTM"));
    EXPECT_TRUE(rig.tree.exists("site/FAR.HTM"));
    EXPECT_FALSE(rig.tree.exists("site/a/b/c/DEEP.HTM"));
    EXPECT_FALSE(rig.tree.exists("elsewhere/FAR.HTM"));
}

TEST_F(ViewPageTest, AnEntryEndingInTheSeparatorEndsThePageThroughTheGeneralFailurePath)
{
    rig.ui.answerNext(kAnswerOk);
    write("TAVLO.HTM", {in("a.mp3"), in("sub/"), in("b.jpg")});

    ASSERT_EQ(rig.ui.boxes.size(), 1u);
    EXPECT_EQ(rig.ui.boxes[0].prompt, pageGivenUp(folder + "TAVLO.HTM", 5, "Invalid procedure call or argument"));
    EXPECT_EQ(rig.ui.boxes[0].buttons, kOkOnly);
    EXPECT_EQ(rig.ui.log, (Lines{"pointer:11", "beep", "box:0:" + rig.ui.boxes[0].prompt, "pointer:0", "beep"}));

    // The page stays as far as it was written: up to the caption of the entry that failed.
    Lines written{"<HTML>"};
    written.insert(written.end(), kHeaderLines.begin(), kHeaderLines.end());
    for (const Lines& part : {expected::tableStart(), cell("a.mp3", "MUSIC-1A.JPG", "A.mp3")})
        written.insert(written.end(), part.begin(), part.end());
    const Lines failed = cell("", linkTo(rig, "sub/"), "");
    written.insert(written.end(), failed.begin(), failed.begin() + 16);
    EXPECT_EQ(page("TAVLO.HTM"), written);
    EXPECT_FALSE(rig.tree.exists("site/B.HTM"));
}

TEST_F(ViewPageTest, TwoPicturesOfOneNameShareTheViewPageOfTheLaterOne)
{
    write("TAVLO.HTM", {in("uno/Mare.jpg"), in("due/Mare.jpg")});

    const Lines first = cell(viewLink(rig, "MARE.HTM"), linkTo(rig, "uno/Mare.jpg"), "Mare.jpg");
    const Lines later = cell(viewLink(rig, "MARE.HTM"), linkTo(rig, "due/Mare.jpg"), "Mare.jpg");
    EXPECT_EQ(page("TAVLO.HTM"), smallPage(false, {first, later}, 3));
    EXPECT_EQ(page("MARE.HTM"), expected::viewPage("MARE.JPG", "TAVLO.HTM", viewSource(rig, "due/Mare.jpg")));
}

TEST_F(ViewPageTest, OurOwnEarlierViewPageIsReplaced)
{
    write("PAG_1.HTM", {in("Mare.jpg")});
    writeRange("PAG_2.HTM", 1, 1);

    EXPECT_TRUE(rig.ui.boxes.empty());
    EXPECT_EQ(page("MARE.HTM"), expected::viewPage("MARE.JPG", "PAG_2.HTM", viewSource(rig, "Mare.jpg")));
}

TEST_F(ViewPageTest, OneOfOursCutShortByAFailureIsReplaced)
{
    const Lines whole = expected::viewPage("MARE.JPG", "PAG_1.HTM", viewSource(rig, "Mare.jpg"));
    rig.tree.file("site/MARE.HTM", crlfText(Lines(whole.begin(), whole.begin() + 3)));
    rig.tree.file("site/FIUME.HTM", "");
    write("TAVLO.HTM", {in("Mare.jpg"), in("Fiume.jpg")});

    EXPECT_TRUE(rig.ui.boxes.empty());
    EXPECT_EQ(page("MARE.HTM"), expected::viewPage("MARE.JPG", "TAVLO.HTM", viewSource(rig, "Mare.jpg")));
    EXPECT_EQ(page("FIUME.HTM"), expected::viewPage("FIUME.JPG", "TAVLO.HTM", viewSource(rig, "Fiume.jpg")));
}

TEST_F(ViewPageTest, OneWrittenWithoutTheCharacterSetDeclarationIsOursToo)
{
    Lines older = expected::viewPage("MARE.JPG", "PAG_1.HTM", viewSource(rig, "Mare.jpg"));
    older[0] = "<HTML><HEAD>";
    rig.tree.file("site/MARE.HTM", crlfText(older));
    write("TAVLO.HTM", {in("Mare.jpg")});

    EXPECT_TRUE(rig.ui.boxes.empty());
    EXPECT_EQ(page("MARE.HTM"), expected::viewPage("MARE.JPG", "TAVLO.HTM", viewSource(rig, "Mare.jpg")));
}

TEST_F(ViewPageTest, AUsersOwnFileIsNeverWrittenOver)
{
    const std::string notes = "my own notes\r\n";
    const std::string html = expected::kViewPageFirstLine + "\r\n<TITLE>Mare</TITLE>\r\n</HEAD><BODY>\r\n";
    rig.tree.file("site/MARE.HTM", notes);
    rig.tree.file("site/FIUME.HTM", html);

    rig.ui.answerNext(kAnswerOk);
    write("TAVLO.HTM", {in("Mare.jpg")});
    ASSERT_EQ(rig.ui.boxes.size(), 1u);
    EXPECT_EQ(rig.ui.boxes[0].prompt, pageGivenUp(folder + "TAVLO.HTM", 58, "File already exists"));
    EXPECT_EQ(rig.ui.boxes[0].buttons, kOkOnly);
    EXPECT_EQ(pageText("MARE.HTM"), notes);

    rig.controls.listClear();
    rig.ui.boxes.clear();
    rig.job().Elenco_Confermato = 1;
    rig.ui.answerNext(kAnswerOk);
    write("TAVLO.HTM", {in("Fiume.jpg")});
    ASSERT_EQ(rig.ui.boxes.size(), 1u);
    EXPECT_EQ(rig.ui.boxes[0].prompt, pageGivenUp(folder + "TAVLO.HTM", 58, "File already exists"));
    EXPECT_EQ(pageText("FIUME.HTM"), html);
}

TEST_F(ViewPageTest, ThePageBeingWrittenIsNeverTakenForAViewPage)
{
    rig.ui.answerNext(kAnswerOk);
    write("TAVLO.HTM", {in("Tavlo.jpg")});

    ASSERT_EQ(rig.ui.boxes.size(), 1u);
    EXPECT_EQ(rig.ui.boxes[0].prompt, pageGivenUp(folder + "TAVLO.HTM", 58, "File already exists"));
    const Lines lines = page("TAVLO.HTM");
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), "<HTML>");
    EXPECT_EQ(lines.back(), "        <A HREF=\"" + viewLink(rig, "TAVLO.HTM") + "\">Tavlo.jpg</A>");
}

// On a paged build each series page's view pages lead back to that page.
class ViewPageOfPagedBuild : public BuildTest {};

TEST_F(ViewPageOfPagedBuild, LinksBackToItsOwnSeriesPage)
{
    fillList(rig, numbered(25, "p", ".jpg"));
    rig.type(txtMAX_N_FILES, "10");
    rig.ui.answerNext(kAnswerNo);
    rig.click(Command4);

    EXPECT_EQ(page("P1.HTM"), expected::viewPage("P1.JPG", "PAG_1.HTM", viewSource(rig, "p1.jpg")));
    EXPECT_EQ(page("P20.HTM"), expected::viewPage("P20.JPG", "PAG_2.HTM", viewSource(rig, "p20.jpg")));
    EXPECT_EQ(page("P21.HTM"), expected::viewPage("P21.JPG", "PAG_3.HTM", viewSource(rig, "p21.jpg")));
    EXPECT_EQ(page("P25.HTM"), expected::viewPage("P25.JPG", "PAG_3.HTM", viewSource(rig, "p25.jpg")));
}

} // namespace
} // namespace tavlo::test
