// The result viewer (Command5): opens the page of the last build, by its full path,
// and does nothing before the first build.
#include "support/page_test.h"

#include <gtest/gtest.h>

namespace tavlo::test {
namespace {

using enum ControlId;

class ResultViewer : public BuildTest {
protected:
    std::string openCommand(const std::string& page) const { return "START /max /w \"\" \"" + page + "\""; }
};

TEST_F(ResultViewer, BeforeAnyBuildDoesNothing)
{
    // Inserting a single file enables the viewer before any page exists.
    rig.ui.pickNext(rig.tree.file("foto/a.jpg"));
    rig.click(cmdIns_File);
    ASSERT_TRUE(rig.controls.isEnabled(Command5));
    rig.ui.log.clear();

    rig.click(Command5);
    EXPECT_TRUE(rig.ui.opened.empty());
    EXPECT_TRUE(rig.ui.log.empty());
}

TEST_F(ResultViewer, AfterASinglePageBuildOpensThatPageByItsFullPathEveryClick)
{
    const std::string folder = rig.tree.folder("my photos") + kSep;
    rig.type(txtNOME_FILE_HTM, folder + "Mare.htm");
    fillList(rig, {folder + "a.mp3"});
    rig.ui.answerNext(kAnswerNo);
    rig.click(Command1);
    const JobVariables before = rig.job();

    rig.click(Command5);
    rig.click(Command5);
    ASSERT_EQ(rig.ui.opened.size(), 2u);
    for (const auto& opened : rig.ui.opened) {
        EXPECT_EQ(opened.commandLine, openCommand(builtFolder(rig, folder) + "MARE.HTM"));
        EXPECT_EQ(opened.documentPath, builtFolder(rig, folder) + "MARE.HTM");
    }
    EXPECT_EQ(rig.job().Cartella_Tavlo, before.Cartella_Tavlo);
    EXPECT_EQ(rig.job().Nome_Pagina, before.Nome_Pagina);
    EXPECT_EQ(rig.ui.boxes.size(), 1u);
}

TEST_F(ResultViewer, AfterAPagedBuildOpensTheIndexPage)
{
    fillList(rig, numbered(3, "s", ".mp3"));
    rig.type(txtMAX_N_FILES, "2");
    rig.ui.answerNext(kAnswerNo);
    rig.click(Command4);

    rig.click(Command5);
    ASSERT_EQ(rig.ui.opened.size(), 1u);
    EXPECT_EQ(rig.ui.opened[0].commandLine, openCommand(built("TAVLO.HTM")));
    EXPECT_EQ(rig.ui.opened[0].documentPath, built("TAVLO.HTM"));
}

TEST_F(ResultViewer, OpensThePageOfTheLatestBuild)
{
    fillList(rig, {in("a.mp3")});
    rig.ui.answerNext(kAnswerNo);
    rig.click(Command1);
    rig.type(txtNOME_FILE_HTM, in("ALTRA.HTM"));
    rig.ui.answerNext(kAnswerNo);
    rig.click(Command1);

    rig.click(Command5);
    ASSERT_EQ(rig.ui.opened.size(), 1u);
    EXPECT_EQ(rig.ui.opened[0].documentPath, built("ALTRA.HTM"));
}

} // namespace
} // namespace tavlo::test
