// The folder picker and the single-file insert: what the picker is asked, what the
// chosen path does to the search folder, the output page and the list, and a
// cancelled or missing picker.
#include "support/rig_test.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace tavlo::test {
namespace {

using enum ControlId;
using Entries = std::vector<std::string>;

/// A path of the tests' tables: a "/" at its start (after blanks) is the root, on
/// Windows the root of drive C:; "/" between names is the separator.
std::string spelt(std::string_view path)
{
    const auto start = path.find_first_not_of(' ');
    if (start == std::string_view::npos || path[start] != '/')
        return native(path);
    return std::string(path.substr(0, start)) + fromRoot(path.substr(start));
}

class Pickers : public RigTest {
protected:
    void SetUp() override
    {
        rig.start();
        rig.type(txtPATH_RICERCA, spelt("/x/TAVLO/"));
        rig.type(txtNOME_FILE_HTM, spelt("/x/TAVLO/TAVLO.HTM"));
        rig.ui.log.clear();
    }

    /// Clicks a picker command with the path the user chooses in the dialog.
    void choose(ControlId command, std::optional<std::string> chosen)
    {
        rig.ui.pickNext(std::move(chosen));
        rig.click(command);
    }
};

TEST_F(Pickers, BothCommandsBeepAndAskTheSameAndNothingChosenChangesNothing)
{
    rig.tree.file("photos/a.jpg");
    load(rig.tree.at("photos"), "JPG");
    std::size_t pickersShownWhenEventsRan = 0;
    rig.ui.onDoEvents = [&] { pickersShownWhenEventsRan = rig.ui.pickers.size(); };
    for (ControlId command : {Command3, cmdIns_File}) {
        for (const std::optional<std::string>& chosen : {std::optional<std::string>(""), {"   "}, {}}) {
            // No trailing separator: the folder part of the search folder is /x/Foto/.
            rig.type(txtPATH_RICERCA, spelt("/x/Foto/Mare"));
            const auto before = windowState(rig.controls);
            rig.ui.log.clear();
            rig.ui.pickers.clear();
            pickersShownWhenEventsRan = 0;
            choose(command, chosen);

            EXPECT_EQ(windowState(rig.controls), before);
            EXPECT_EQ(rig.ui.log, (Entries{"beep", "picker"}));
            ASSERT_EQ(rig.ui.pickers.size(), 1u);
            const PickerRequest& asked = rig.ui.pickers[0];
            EXPECT_EQ(asked.title, "Ricerca cartelle/directory contenenti Foto/Film/Suoni");
            EXPECT_EQ(asked.startFolder, spelt("/x/Foto/"));
            EXPECT_EQ(asked.firstPattern, "*.*");
            EXPECT_EQ(asked.secondPattern, "*.*");
            EXPECT_EQ(asked.folderMayBeChosen, command == Command3);
            // Pending events run once after a dialog that could be shown.
            EXPECT_EQ(pickersShownWhenEventsRan, chosen ? 1u : 0u);
        }
        rig.type(txtPATH_RICERCA, "Foto");  // without a separator the picker starts anywhere
        choose(command, "");
        EXPECT_EQ(rig.ui.pickers.back().startFolder, "");
    }
}

TEST_F(Pickers, EndButtonClickedWhileEventsRunAfterTheDialogLeavesEverythingAsItWas)
{
    for (ControlId command : {Command3, cmdIns_File}) {
        Rig fresh;
        fresh.start();
        const auto before = windowState(fresh.controls);
        fresh.ui.onDoEvents = [&] { fresh.click(cmdFINE); };
        fresh.ui.pickNext(fromRoot("/x/Foto/a.jpg"));
        EXPECT_NO_THROW(fresh.click(command));
        EXPECT_TRUE(fresh.ui.programEnded());
        EXPECT_EQ(windowState(fresh.controls), before);
    }
}

TEST_F(Pickers, TheFolderPickerMovesTheSearchFolderAndTheOutputPageToTheChosenFolder)
{
    const struct {
        const char *search, *page, *chosen, *newSearch, *newPage;
        bool linuxOnly = false;
    } cases[] = {
        {"/x/TAVLO/", "/x/TAVLO/TAVLO.HTM", "/x/Foto/Mare/img001.jpg", "/x/Foto/Mare/", "/x/Foto/Mare/TAVLO.HTM"},
        {"/x/TAVLO/", "/x/TAVLO/TAVLO.HTM", "  /x/Foto/Mare/img.jpg  ", "/x/Foto/Mare/", "/x/Foto/Mare/TAVLO.HTM"},
        {"/x/TAVLO/", "/x/TAVLO/TAVLO.HTM", "/x/Foto/Mare/", "/x/Foto/Mare/", "/x/Foto/Mare/TAVLO.HTM"},
        // without a separator the previous folder stays, and without any folder the bare page name
        {"/x/Foto", "/x/TAVLO/TAVLO.HTM", "img001.jpg", "/x/", "/x/TAVLO.HTM"},
        {"Foto", "/x/TAVLO/TAVLO.HTM", "img001.jpg", "", "TAVLO.HTM"},
        // the output page keeps only its name
        {"/x/", "PAGINA.HTM", "/x/Foto/Mare/img001.jpg", "/x/Foto/Mare/", "/x/Foto/Mare/PAGINA.HTM"},
        {"/x/", "", "/x/Foto/Mare/img001.jpg", "/x/Foto/Mare/", "/x/Foto/Mare/"},
        {"/x/", "/elsewhere/deep/Galleria.htm", "/x/Foto/Mare/img.jpg", "/x/Foto/Mare/", "/x/Foto/Mare/Galleria.htm"},
        // "\" is part of a name where it is not the separator
        {"/x/", "TAVLO.HTM", "/x/Fo\\to/Mare\\img.jpg", "/x/Fo\\to/", "/x/Fo\\to/TAVLO.HTM", true},
    };
    for (const auto& c : cases) {
        if (kWindows && c.linuxOnly)
            continue;
        rig.type(txtPATH_RICERCA, spelt(c.search));
        rig.type(txtNOME_FILE_HTM, spelt(c.page));
        choose(Command3, spelt(c.chosen));
        EXPECT_EQ(rig.text(txtPATH_RICERCA), spelt(c.newSearch)) << c.chosen;
        EXPECT_EQ(rig.text(txtNOME_FILE_HTM), spelt(c.newPage)) << c.chosen;
    }
    EXPECT_EQ(rig.controls.entries(), Entries{});
}

TEST_F(Pickers, InsertAppendsAnyChosenFileTrimmedAndUnlocksBuildAndView)
{
    ASSERT_FALSE(rig.controls.isEnabled(Command1));
    rig.type(txtESTENSIONE, "JPG");
    choose(cmdIns_File, "  " + fromRoot("/x/Foto/Mare/a b.jpg") + "  ");
    EXPECT_EQ(rig.text(txtNUM_FILE), "1");
    EXPECT_TRUE(rig.controls.isEnabled(Command1));
    EXPECT_TRUE(rig.controls.isEnabled(Command4));
    EXPECT_TRUE(rig.controls.isEnabled(Command5));
    EXPECT_EQ(rig.text(txtPATH_RICERCA), spelt("/x/TAVLO/"));
    EXPECT_EQ(rig.text(txtNOME_FILE_HTM), spelt("/x/TAVLO/TAVLO.HTM"));

    rig.tree.file("photos/a.jpg");
    load(rig.tree.at("photos"), "JPG");
    // Whatever the filter, without looking at the disk, and twice if chosen twice.
    choose(cmdIns_File, "bare name.txt");
    choose(cmdIns_File, "bare name.txt");
    EXPECT_EQ(rig.controls.entries(), (Entries{fromRoot("/x/Foto/Mare/a b.jpg"), rig.tree.at("photos/a.jpg"),
                                               "bare name.txt", "bare name.txt"}));
    EXPECT_EQ(rig.text(txtNUM_FILE), "4");
}

} // namespace
} // namespace tavlo::test
