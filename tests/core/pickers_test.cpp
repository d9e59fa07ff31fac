// The folder picker and the single-file insert: what the picker is asked, what the
// chosen path does to the search folder, the output page and the list, and a
// cancelled or missing picker.
#include "support/rig_test.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace tavlo::test {
namespace {

using enum ControlId;
using Entries = std::vector<std::string>;

constexpr std::string_view kPickerTitle = "Ricerca cartelle/directory contenenti Foto/Film/Suoni";

class Pickers : public RigTest {
protected:
    void SetUp() override
    {
        rig.start();
        rig.type(txtPATH_RICERCA, fromRoot("/x/TAVLO/"));
        rig.type(txtNOME_FILE_HTM, fromRoot("/x/TAVLO/TAVLO.HTM"));
        rig.ui.log.clear();
    }

    /// Clicks a picker command with the path the user chooses in the dialog.
    void choose(ControlId command, std::optional<std::string> chosen)
    {
        rig.ui.pickNext(std::move(chosen));
        rig.click(command);
    }
};

// --- what the picker is asked, the same for both commands -------------------------

class EitherPicker : public Pickers, public ::testing::WithParamInterface<ControlId> {};

TEST_P(EitherPicker, BeepsThenShowsThePickerInTheSearchFoldersFolder)
{
    rig.type(txtPATH_RICERCA, fromRoot("/x/Foto/Mare"));  // no trailing separator: its folder part is /x/Foto/
    choose(GetParam(), "");
    ASSERT_EQ(rig.ui.pickers.size(), 1u);
    const PickerRequest& asked = rig.ui.pickers[0];
    EXPECT_EQ(asked.title, kPickerTitle);
    EXPECT_EQ(asked.startFolder, fromRoot("/x/Foto/"));
    EXPECT_EQ(asked.firstPattern, "*.*");
    EXPECT_EQ(asked.secondPattern, "*.*");
    EXPECT_EQ(asked.folderMayBeChosen, GetParam() == Command3);
    EXPECT_EQ(rig.ui.log, (std::vector<std::string>{"beep", "picker"}));
}

TEST_P(EitherPicker, SearchFolderWithoutSeparatorStartsAnywhere)
{
    rig.type(txtPATH_RICERCA, "Foto");
    choose(GetParam(), "");
    ASSERT_EQ(rig.ui.pickers.size(), 1u);
    EXPECT_EQ(rig.ui.pickers[0].startFolder, "");
}

TEST_P(EitherPicker, PendingEventsRunOnceAfterTheDialog)
{
    std::size_t pickersShownWhenEventsRan = 0;
    rig.ui.onDoEvents = [&] { pickersShownWhenEventsRan = rig.ui.pickers.size(); };
    choose(GetParam(), fromRoot("/x/Foto/a.jpg"));
    EXPECT_EQ(rig.ui.doEventsCalls, 1);
    EXPECT_EQ(pickersShownWhenEventsRan, 1u);
}

TEST_P(EitherPicker, EndButtonClickedWhileEventsRunAfterTheDialogLeavesEverythingAsItWas)
{
    const auto before = windowState(rig.controls);
    rig.ui.onDoEvents = [&] { rig.click(cmdFINE); };
    EXPECT_NO_THROW(choose(GetParam(), fromRoot("/x/Foto/a.jpg")));
    EXPECT_TRUE(rig.ui.programEnded());
    EXPECT_EQ(windowState(rig.controls), before);
}

INSTANTIATE_TEST_SUITE_P(Commands, EitherPicker, ::testing::Values(Command3, cmdIns_File),
                         [](const auto& info) { return info.param == Command3 ? "Folder" : "File"; });

// Nothing chosen, or no picker at all: the command ends after the beep.
struct NothingChosen {
    ControlId command;
    std::optional<std::string> chosen;
};

void PrintTo(const NothingChosen& c, std::ostream* out)
{
    *out << (c.command == Command3 ? "folder picker" : "insert") << " with "
         << (c.chosen ? "\"" + *c.chosen + "\"" : std::string("no picker"));
}

class NothingChosenChangesNothing : public Pickers, public ::testing::WithParamInterface<NothingChosen> {};

TEST_P(NothingChosenChangesNothing, InEitherCommand)
{
    rig.tree.file("photos/a.jpg");
    load(rig.tree.at("photos"), "JPG");
    rig.ui.log.clear();
    const auto before = windowState(rig.controls);
    choose(GetParam().command, GetParam().chosen);
    EXPECT_EQ(windowState(rig.controls), before);
    EXPECT_EQ(rig.ui.beeps, 2);  // the load's, then the picker's
    EXPECT_EQ(rig.ui.boxes.size(), 1u);  // only the window-mode question at start-up
}

INSTANTIATE_TEST_SUITE_P(Answers, NothingChosenChangesNothing,
                         ::testing::Values(NothingChosen{Command3, ""}, NothingChosen{Command3, "   "},
                                           NothingChosen{Command3, std::nullopt}, NothingChosen{cmdIns_File, ""},
                                           NothingChosen{cmdIns_File, "  "},
                                           NothingChosen{cmdIns_File, std::nullopt}));

// --- the folder picker ------------------------------------------------------------

TEST_F(Pickers, ChosenFileMovesTheSearchFolderAndTheOutputPageToItsFolder)
{
    choose(Command3, fromRoot("/x/Foto/Mare/img001.jpg"));
    EXPECT_EQ(rig.text(txtPATH_RICERCA), fromRoot("/x/Foto/Mare/"));
    EXPECT_EQ(rig.text(txtNOME_FILE_HTM), fromRoot("/x/Foto/Mare/TAVLO.HTM"));
    EXPECT_EQ(rig.controls.entries(), Entries{});
}

TEST_F(Pickers, ChosenPathIsTrimmedBeforeItIsSplit)
{
    choose(Command3, "  " + fromRoot("/x/Foto/Mare/img001.jpg") + "  ");
    EXPECT_EQ(rig.text(txtPATH_RICERCA), fromRoot("/x/Foto/Mare/"));
}

TEST_F(Pickers, ChosenFolderEndingInASeparatorIsTakenWhole)
{
    choose(Command3, fromRoot("/x/Foto/Mare/"));
    EXPECT_EQ(rig.text(txtPATH_RICERCA), fromRoot("/x/Foto/Mare/"));
    EXPECT_EQ(rig.text(txtNOME_FILE_HTM), fromRoot("/x/Foto/Mare/TAVLO.HTM"));
}

TEST_F(Pickers, BackslashInAChosenNameIsPartOfTheName)
{
    if (kWindows)
        GTEST_SKIP() << "\"\\\" is the separator on Windows, part of no name";
    choose(Command3, "/x/Fo\\to/Mare\\img.jpg");
    EXPECT_EQ(rig.text(txtPATH_RICERCA), "/x/Fo\\to/");
}

TEST_F(Pickers, ChosenTextWithoutSeparatorKeepsThePreviousFolder)
{
    rig.type(txtPATH_RICERCA, fromRoot("/x/Foto"));
    choose(Command3, "img001.jpg");
    EXPECT_EQ(rig.text(txtPATH_RICERCA), fromRoot("/x/"));
    EXPECT_EQ(rig.text(txtNOME_FILE_HTM), fromRoot("/x/TAVLO.HTM"));
}

TEST_F(Pickers, NoFolderAnywhereLeavesTheBarePageName)
{
    rig.type(txtPATH_RICERCA, "Foto");
    choose(Command3, "img001.jpg");
    EXPECT_EQ(rig.text(txtPATH_RICERCA), "");
    EXPECT_EQ(rig.text(txtNOME_FILE_HTM), "TAVLO.HTM");
}

TEST_F(Pickers, OutputPageWithoutSeparatorIsTakenWholeAsTheFileName)
{
    rig.type(txtNOME_FILE_HTM, "PAGINA.HTM");
    choose(Command3, fromRoot("/x/Foto/Mare/img001.jpg"));
    EXPECT_EQ(rig.text(txtNOME_FILE_HTM), fromRoot("/x/Foto/Mare/PAGINA.HTM"));
}

TEST_F(Pickers, EmptyOutputPageBecomesTheChosenFolderAlone)
{
    rig.type(txtNOME_FILE_HTM, "");
    choose(Command3, fromRoot("/x/Foto/Mare/img001.jpg"));
    EXPECT_EQ(rig.text(txtNOME_FILE_HTM), fromRoot("/x/Foto/Mare/"));
}

TEST_F(Pickers, OutputPageInAnotherFolderKeepsOnlyItsName)
{
    rig.type(txtNOME_FILE_HTM, fromRoot("/elsewhere/deep/Galleria.htm"));
    choose(Command3, fromRoot("/x/Foto/Mare/img001.jpg"));
    EXPECT_EQ(rig.text(txtNOME_FILE_HTM), fromRoot("/x/Foto/Mare/Galleria.htm"));
}

TEST(FolderPicker, SimplifiedWindowStillMovesTheHiddenOutputPage)
{
    Rig rig;
    rig.start(true);
    ASSERT_FALSE(rig.controls.isVisible(txtNOME_FILE_HTM));
    rig.ui.pickNext(fromRoot("/x/Foto/Mare/img001.jpg"));
    rig.click(Command3);
    EXPECT_EQ(rig.text(txtNOME_FILE_HTM), fromRoot("/x/Foto/Mare/TAVLO.HTM"));
    EXPECT_EQ(rig.ui.unexpected, std::vector<std::string>{});
}

// --- the single-file insert ---------------------------------------------------------

TEST_F(Pickers, InsertAppendsTheTrimmedPathAndUnlocksBuildAndView)
{
    ASSERT_FALSE(rig.controls.isEnabled(Command1));
    choose(cmdIns_File, "  " + fromRoot("/x/Foto/Mare/a b.jpg") + "  ");
    EXPECT_EQ(rig.controls.entries(), Entries{fromRoot("/x/Foto/Mare/a b.jpg")});
    EXPECT_EQ(rig.text(txtNUM_FILE), "1");
    EXPECT_TRUE(rig.controls.isEnabled(Command1));
    EXPECT_TRUE(rig.controls.isEnabled(Command4));
    EXPECT_TRUE(rig.controls.isEnabled(Command5));
}

TEST_F(Pickers, InsertLeavesTheSearchFolderAndTheOutputPageAlone)
{
    choose(cmdIns_File, fromRoot("/x/Foto/Mare/img001.jpg"));
    EXPECT_EQ(rig.text(txtPATH_RICERCA), fromRoot("/x/TAVLO/"));
    EXPECT_EQ(rig.text(txtNOME_FILE_HTM), fromRoot("/x/TAVLO/TAVLO.HTM"));
}

TEST_F(Pickers, InsertTakesAnyFileWhateverTheFilterAndWithoutLookingAtTheDisk)
{
    rig.type(txtESTENSIONE, "JPG");
    choose(cmdIns_File, fromRoot("/nowhere/notes.txt"));
    choose(cmdIns_File, "bare name");
    EXPECT_EQ(rig.controls.entries(), (Entries{fromRoot("/nowhere/notes.txt"), "bare name"}));
}

TEST_F(Pickers, SameFileInsertedTwiceGivesTwoEntries)
{
    choose(cmdIns_File, fromRoot("/x/Foto/a.jpg"));
    choose(cmdIns_File, fromRoot("/x/Foto/a.jpg"));
    EXPECT_EQ(rig.controls.entries(), (Entries{fromRoot("/x/Foto/a.jpg"), fromRoot("/x/Foto/a.jpg")}));
    EXPECT_EQ(rig.text(txtNUM_FILE), "2");
}

TEST_F(Pickers, InsertFollowsTheLoadedEntriesAndCountsThemAll)
{
    rig.tree.file("photos/a.jpg");
    rig.tree.file("photos/b.jpg");
    load(rig.tree.at("photos"), "JPG");
    choose(cmdIns_File, fromRoot("/x/Foto/z.jpg"));
    EXPECT_EQ(rig.controls.entries(),
              (Entries{rig.tree.at("photos/a.jpg"), rig.tree.at("photos/b.jpg"), fromRoot("/x/Foto/z.jpg")}));
    EXPECT_EQ(rig.text(txtNUM_FILE), "3");
}

} // namespace
} // namespace tavlo::test
