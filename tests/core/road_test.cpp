// The whole road through the click handlers: start, load, build one page.
#include "support/page_rig.h"

#include <gtest/gtest.h>

namespace tavlo::test {
namespace {

using enum ControlId;

TEST(Road, LoadAndBuildOnePageWithTemplatesBesideIt)
{
    Rig rig;
    rig.start();
    rig.tree.file("photos/a.jpg", "x");
    rig.tree.file("photos/sub/b.JPG", "x");
    rig.type(txtPATH_RICERCA, rig.tree.at("photos"));
    rig.type(txtNOME_FILE_HTM, rig.tree.at("photos/TAVLO.HTM"));
    rig.click(cmdCONFERMA);
    ASSERT_EQ(rig.text(txtNUM_FILE), "2");

    rig.ui.answerNext(kAnswerNo);  // view question
    rig.click(Command1);

    EXPECT_TRUE(rig.tree.exists("photos/TAVLO.HTM"));
    EXPECT_TRUE(rig.tree.exists("photos/A.HTM"));
    EXPECT_TRUE(rig.tree.exists("photos/B.HTM"));
    EXPECT_TRUE(rig.tree.exists("photos/DIAPOSIT.JPG"));
    EXPECT_TRUE(rig.ui.allAnswersUsed());
    EXPECT_EQ(rig.ui.boxes.back().prompt, "Visualizzo la pagina creata " +
                                              builtFolder(rig, rig.tree.at("photos/")) + "TAVLO.HTM (S/N) ");
}

} // namespace
} // namespace tavlo::test
