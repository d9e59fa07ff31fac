// The folder picker and the single-file insert: what the picker is asked, and what the
// chosen path does to the search folder, the output page and the list.
#include "support/rig_test.h"

namespace tavlo::test {
namespace {

using enum ControlId;

/// A path of the tables: "/" at its start (after blanks) is the root, "/" between names the separator.
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
        rig.ui.log.clear();
    }
    void choose(ControlId command, std::optional<std::string> chosen)
    {
        rig.ui.pickNext(std::move(chosen));
        rig.click(command);
    }
};

TEST_F(Pickers, BothAskTheSamePickerAndNothingChosenOrTheEndMeanwhileChangesNothing)
{
    rig.type(txtPATH_RICERCA, spelt("/x/Foto/Mare"));
    const auto before = windowState(rig.controls);
    for (ControlId command : {Command3, cmdIns_File})
        for (const auto& chosen : {std::optional<std::string>("  "), std::optional<std::string>()})
            choose(command, chosen);
    EXPECT_EQ(windowState(rig.controls), before);
    EXPECT_EQ(rig.ui.doEventsCalls, 2) << "once after each dialog that could show";
    ASSERT_EQ(rig.ui.pickers.size(), 4u);
    for (const PickerRequest& asked : rig.ui.pickers) {
        EXPECT_EQ(asked.title, "Ricerca cartelle/directory contenenti Foto/Film/Suoni");
        EXPECT_EQ(asked.startFolder + asked.firstPattern + asked.secondPattern, spelt("/x/Foto/") + "*.**.*");
        EXPECT_EQ(asked.folderMayBeChosen, &asked < &rig.ui.pickers[2]);
    }
    EXPECT_EQ(rig.ui.log, (std::vector<std::string>{"beep", "picker", "beep", "picker", "beep", "picker", "beep", "picker"}));
}

TEST_F(Pickers, TheFolderPickerMovesTheSearchFolderAndTheOutputPageToTheChosenFolder)
{
    const std::tuple<const char*, const char*, const char*, const char*, const char*> cases[] = {
        {"/x/T/", "/x/T/TAVLO.HTM", "  /x/Foto/Mare/img.jpg  ", "/x/Foto/Mare/", "/x/Foto/Mare/TAVLO.HTM"},
        {"/x/T/", "/x/T/TAVLO.HTM", "/x/Foto/Mare/", "/x/Foto/Mare/", "/x/Foto/Mare/TAVLO.HTM"},
        {"/x/Foto", "/x/T/TAVLO.HTM", "img001.jpg", "/x/", "/x/TAVLO.HTM"},  // no folder chosen: the old one
        {"Foto", "/x/T/TAVLO.HTM", "img001.jpg", "", "TAVLO.HTM"},
        {"/x/", "", "/x/Foto/img.jpg", "/x/Foto/", "/x/Foto/"},
        {"/x/", "/y/deep/Galleria.htm", "/x/Foto/img.jpg", "/x/Foto/", "/x/Foto/Galleria.htm"},
        {"/x/", "T.HTM", "/x/Fo\\to/Ma\\img.jpg", "/x/Fo\\to/", "/x/Fo\\to/T.HTM"},  // "\" where it is no separator
    };
    for (const auto& [search, page, chosen, newSearch, newPage] : cases) {
        if (kWindows && std::string_view(chosen).find('\\') != std::string_view::npos)
            continue;
        rig.type(txtPATH_RICERCA, spelt(search));
        rig.type(txtNOME_FILE_HTM, spelt(page));
        choose(Command3, spelt(chosen));
        EXPECT_EQ(rig.text(txtPATH_RICERCA) + " " + rig.text(txtNOME_FILE_HTM), spelt(newSearch) + " " + spelt(newPage));
    }
    EXPECT_EQ(rig.controls.listCount(), 0);
}

TEST_F(Pickers, InsertAppendsTheChosenFileTrimmedAndUnlocksBuildAndView)
{
    choose(cmdIns_File, "  " + fromRoot("/x/a b.jpg") + "  ");
    choose(cmdIns_File, "bare name.txt");
    EXPECT_EQ(rig.controls.entries(), (std::vector<std::string>{fromRoot("/x/a b.jpg"), "bare name.txt"}));
    EXPECT_EQ(rig.text(txtNUM_FILE), "2");
    EXPECT_TRUE(rig.controls.isEnabled(Command1) && rig.controls.isEnabled(Command4) && rig.controls.isEnabled(Command5));
    EXPECT_EQ(rig.text(txtPATH_RICERCA), rig.programFolder() + kSep);
    rig.ui.onDoEvents = [&] { rig.click(cmdFINE); };  // "F I N E" once the dialog has closed
    choose(cmdIns_File, "more.jpg");
    EXPECT_EQ(rig.controls.listCount(), 2);
}

} // namespace
} // namespace tavlo::test
