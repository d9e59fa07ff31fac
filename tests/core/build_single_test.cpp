// The single-page build (Command1): its refusals, the page name taken from the
// output path, the one call of the page writer, the template copy, the view question.
#include "support/page_test.h"

#include <gtest/gtest.h>

namespace tavlo::test {
namespace {

using enum ControlId;
using expected::cell;

class SinglePageBuild : public BuildTest {};

// --- Refusals --------------------------------------------------------------------

struct Refusal {
    const char* count;   // txtNUM_FILE
    const char* perRow;  // txtMAX_PER_RIGA
    const char* message;
};

constexpr const char* kNoFiles = "Nessun files da elaborare !!!";
constexpr const char* kNoRowSize = "Indicare quante immagini si voglio per ogni riga !!!";

class SinglePageBuildRefusal : public BuildTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(SinglePageBuildRefusal, BeepsShowsItsTextWithOkOnlyAndChangesNothingButTheOverwriteAgreement)
{
    fillList(rig, {in("a.jpg")});
    rig.type(txtNUM_FILE, GetParam().count);
    rig.type(txtMAX_PER_RIGA, GetParam().perRow);
    rig.type(txtMAX_N_FILES, "7");
    rig.job().Elenco_Confermato = 1;
    rig.ui.answerNext(kAnswerOk);
    rig.click(Command1);

    EXPECT_EQ(rig.ui.log, (Lines{"beep", std::string("box:0:") + GetParam().message}));
    EXPECT_EQ(rig.job().Elenco_Confermato, 0);
    EXPECT_EQ(rig.text(txtMAX_N_FILES), "7");
    EXPECT_TRUE(rig.fs.created.empty());
    EXPECT_TRUE(rig.job().Nome_Pagina.empty());
    EXPECT_FALSE(rig.controls.isEnabled(Command5));
}

INSTANTIATE_TEST_SUITE_P(Settings, SinglePageBuildRefusal,
                         ::testing::Values(Refusal{"", "5", kNoFiles}, Refusal{"0", "5", kNoFiles},
                                           Refusal{"abc", "5", kNoFiles}, Refusal{"0", "0", kNoFiles},
                                           Refusal{"3", "", kNoRowSize}, Refusal{"3", "0", kNoRowSize},
                                           Refusal{"3", "0.5", kNoRowSize}));

TEST_F(SinglePageBuild, AnOutputPathWithoutAFolderIsRefusedBeforeAnythingIsWritten)
{
    fillList(rig, {in("a.jpg")});
    rig.type(txtNOME_FILE_HTM, "TAVLO.HTM");
    rig.ui.answerNext(kAnswerOk);
    rig.click(Command1);

    EXPECT_EQ(rig.ui.log, (Lines{"beep", "box:0:Indicare la cartella in cui creare la pagina .HTM !!!"}));
    EXPECT_TRUE(rig.fs.created.empty());
    EXPECT_TRUE(rig.fs.copies.empty());
    EXPECT_FALSE(rig.controls.isEnabled(Command5));
}

TEST_F(SinglePageBuild, AnOutputFolderThatDoesNotExistIsRefusedBeforeAnythingIsWritten)
{
    fillList(rig, {in("a.jpg")});
    rig.type(txtNOME_FILE_HTM, rig.tree.at("missing/TAVLO.HTM"));
    rig.ui.answerNext(kAnswerOk);
    rig.click(Command1);

    const std::string missing = builtFolder(rig, rig.tree.at("missing/"));
    EXPECT_EQ(rig.ui.log, (Lines{"beep", "box:0:La cartella " + missing + " non esiste !!!"}));
    EXPECT_TRUE(rig.fs.created.empty());
    EXPECT_TRUE(rig.fs.copies.empty());
    EXPECT_FALSE(rig.controls.isEnabled(Command5));
}

// --- The page and where it goes -----------------------------------------------------

struct OutputPathCase {
    const char* typed;     // below the output folder's parent: "site/..."
    const char* folder;    // Cartella_Tavlo, below the tree
    const char* fileName;  // Nome_File_Htm
    const char* page;      // Nome_Pagina
};

class SinglePageBuildOutputPath : public BuildTest, public ::testing::WithParamInterface<OutputPathCase> {};

TEST_P(SinglePageBuildOutputPath, NamesThePageAfterTheNameUpToItsFirstDot)
{
    const OutputPathCase& c = GetParam();
    const std::string folder = builtFolder(rig, rig.tree.folder(c.folder) + kSep);
    fillList(rig, {in("a.mp3")});
    rig.type(txtNOME_FILE_HTM, "  " + rig.tree.at(c.typed) + "  ");
    rig.ui.answerNext(kAnswerNo);
    rig.click(Command1);

    EXPECT_EQ(rig.job().Cartella_Tavlo, folder);
    EXPECT_EQ(rig.job().Nome_File_Htm, c.fileName);
    EXPECT_EQ(rig.job().Nome_Pagina, c.page);
    EXPECT_TRUE(std::filesystem::exists(folder + c.page));
    EXPECT_EQ(rig.fs.currentFolder() + kSep, folder);
    EXPECT_EQ(prompts(), Lines{"Visualizzo la pagina creata " + folder + c.page + " (S/N) "});
}

INSTANTIATE_TEST_SUITE_P(
    Paths, SinglePageBuildOutputPath,
    ::testing::Values(OutputPathCase{"site/Mare.htm", "site", "MARE.HTM", "MARE.HTM"},
                      OutputPathCase{"site/SITO/INDEX.HTML", "site/SITO", "INDEX.HTML", "INDEX.HTM"},
                      OutputPathCase{"site/MY.SITE.HTM", "site", "MY.SITE.HTM", "MY.HTM"},
                      OutputPathCase{"site/galleria", "site", "GALLERIA", "GALLERIA.HTM"},
                      OutputPathCase{"site/", "site", "", ".HTM"},
                      // Letter case matters on disk: the folder keeps its own.
                      OutputPathCase{"site/Foto Mare/mare.htm", "site/Foto Mare", "MARE.HTM", "MARE.HTM"}));

TEST_F(SinglePageBuild, WritesEveryListPositionIntoOnePageThenCopiesTheTemplates)
{
    watchPageCalls();
    const std::vector<std::string> entries = numbered(7, "s", ".mp3");
    fillList(rig, entries);
    rig.type(txtMAX_PER_RIGA, "1");
    rig.type(txtMAX_N_FILES, "10");
    rig.ui.answerNext(kAnswerNo);
    rig.click(Command1);

    ASSERT_EQ(pageCalls.size(), 1u);
    EXPECT_EQ(pageCalls[0].page, built("TAVLO.HTM"));
    EXPECT_EQ(pageCalls[0].first, 1);
    EXPECT_EQ(pageCalls[0].last, 7);
    EXPECT_EQ(pageCalls[0].copiesBefore, 0u);
    EXPECT_EQ(rig.fs.copies.size(), 10u);
    EXPECT_EQ(rig.job().Num_Files, 7);
    EXPECT_EQ(countOf(page("TAVLO.HTM"), expected::kCellStart), 7);
    EXPECT_EQ(rig.text(txtMAX_N_FILES), "0");

    // The settings and the list stay as they were: the build can be repeated at once.
    EXPECT_EQ(rig.controls.entries(), entries);
    EXPECT_EQ(rig.text(txtNUM_FILE), "7");
    EXPECT_EQ(rig.text(txtMAX_PER_RIGA), "1");
    EXPECT_EQ(rig.text(txtNOME_FILE_HTM), in("TAVLO.HTM"));
    EXPECT_TRUE(rig.controls.isEnabled(Command1));
    EXPECT_TRUE(rig.controls.isEnabled(Command4));
}

TEST_F(SinglePageBuild, ACountWithAnEmptyListWritesAPageWithoutEntries)
{
    rig.type(txtNUM_FILE, "3");
    rig.controls.setEnabled(Command1, true);
    rig.ui.answerNext(kAnswerNo);
    rig.click(Command1);

    EXPECT_EQ(page("TAVLO.HTM"), smallPage(false, {}, 5));
}

TEST_F(SinglePageBuild, YesToTheViewQuestionOpensThePageNamedAlone)
{
    fillList(rig, {in("a.mp3")});
    rig.type(txtNOME_FILE_HTM, in("MARE.HTM"));
    rig.ui.answerNext(kAnswerYes);
    rig.click(Command1);

    const std::string question = "Visualizzo la pagina creata " + built("MARE.HTM") + " (S/N) ";
    EXPECT_EQ(rig.ui.log, (Lines{"pointer:11", "pointer:0", "beep", "box:4:" + question,
                                 "open:START /max /w \"\" \"MARE.HTM\""}));
    ASSERT_EQ(rig.ui.opened.size(), 1u);
    EXPECT_EQ(rig.ui.opened[0].documentPath, built("MARE.HTM"));
    EXPECT_TRUE(rig.controls.isEnabled(Command5));
    EXPECT_EQ(page("MARE.HTM"), smallPage(true, {cell("a.mp3", "MUSIC-1A.JPG", "A.mp3")}, 5));
}

TEST_F(SinglePageBuild, NoToTheViewQuestionOpensNothingAndStillEnablesTheViewer)
{
    fillList(rig, {in("a.mp3")});
    rig.ui.answerNext(kAnswerNo);
    rig.click(Command1);

    EXPECT_TRUE(rig.ui.opened.empty());
    EXPECT_TRUE(rig.controls.isEnabled(Command5));
}

TEST_F(SinglePageBuild, APageKeptByNoToTheOverwriteQuestionStillGetsTemplatesAndTheViewQuestion)
{
    rig.tree.file("site/TAVLO.HTM", "old");
    fillList(rig, {in("a.mp3")});
    rig.ui.answerNext(kAnswerNo);  // overwrite
    rig.ui.answerNext(kAnswerNo);  // view
    rig.click(Command1);

    EXPECT_EQ(prompts(), (Lines{"Elenco  " + built("TAVLO.HTM") + "  gia' esistente, continuo (S/N)",
                                "Visualizzo la pagina creata " + built("TAVLO.HTM") + " (S/N) "}));
    EXPECT_EQ(pageText("TAVLO.HTM"), "old");
    EXPECT_EQ(rig.fs.copies.size(), 10u);
    EXPECT_TRUE(rig.controls.isEnabled(Command5));
}

TEST_F(SinglePageBuild, EachBuildAsksAgainBeforeOverwriting)
{
    fillList(rig, {in("a.mp3")});
    rig.ui.answerNext(kAnswerNo);
    rig.click(Command1);
    for (int build = 0; build < 2; ++build) {
        rig.ui.answerNext(kAnswerYes);  // overwrite
        rig.ui.answerNext(kAnswerNo);   // view
        rig.click(Command1);
    }
    EXPECT_EQ(rig.ui.boxes.size(), 5u);
    EXPECT_EQ(rig.ui.boxes[3].prompt, "Elenco  " + built("TAVLO.HTM") + "  gia' esistente, continuo (S/N)");
}

} // namespace
} // namespace tavlo::test
