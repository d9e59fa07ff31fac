// The commands that fill and trim the file list: the loads with their refusal, count,
// beep, pointer and button states, the start folder, the new list and the delete.
#include "support/rig_test.h"

namespace tavlo::test {
namespace {

using enum ControlId;
using Entries = std::vector<std::string>;

class ListCommands : public RigTest {
protected:
    void SetUp() override
    {
        rig.start();
        for (const char* name : {"a.jpg", "b.jpg", "notes.txt", "sub/c.jpg", "sub/voice.wav"})
            rig.tree.file(std::string("photos/") + name);
        rig.ui.log.clear();
    }
    bool enabled(ControlId id) const { return rig.controls.isEnabled(id); }
    const std::string photos = rig.tree.at("photos");
    const Entries pictures{photos + native("/a.jpg"), photos + native("/b.jpg"), photos + native("/sub/c.jpg")};
    const Entries loadLog{"pointer:11", "beep", "pointer:0"};
};

TEST_F(ListCommands, LoadsAppendCountBeepAndUnlockTheBuildsAndLoadAllTakesTheKnownTypes)
{
    EXPECT_EQ(load(photos, "JPG"), pictures);
    EXPECT_EQ(rig.text(txtNUM_FILE), "3");
    EXPECT_EQ(rig.ui.log, loadLog);
    EXPECT_TRUE(enabled(Command1) && enabled(Command4) && enabled(cmdCONFERMA) && enabled(cmdCONFERMA_Tutti));
    EXPECT_FALSE(enabled(Command5));
    rig.type(txtESTENSIONE, ".JPG");  // a dot would be refused: load all sets "*" first
    rig.click(cmdCONFERMA_Tutti);
    EXPECT_EQ(rig.controls.entries().back(), photos + native("/sub/voice.wav"));
    EXPECT_EQ(rig.text(txtESTENSIONE) + rig.text(txtNUM_FILE), "*7");
    for (const std::string& folder : {rig.tree.at("missing"), pictures[0]}) {  // a load that adds nothing
        rig.click(Command2);
        EXPECT_EQ(load(folder, "JPG"), Entries{});
        EXPECT_EQ(rig.text(txtNUM_FILE), "0");
    }
    rig.ui.log.clear();
    for (const char* filter : {".JPG", "JPG.", "*.*"}) {
        rig.type(txtESTENSIONE, filter);
        const auto before = windowState(rig.controls);
        click(cmdCONFERMA, {kAnswerOk});
        EXPECT_EQ(rig.ui.log.back(), "box:0:Indicare solo l'estensione dei files da cercare !!!") << filter;
        EXPECT_EQ(windowState(rig.controls), before);
    }
}

TEST(ListCommandsAtStart, ALoadThatAddsNothingUnlocksNothingAndTheLoadButtonsAreLockedMeanwhile)
{
    Rig rig;
    rig.start();
    rig.ui.onDoEvents = [&] {
        EXPECT_FALSE(rig.controls.isEnabled(cmdCONFERMA) || rig.controls.isEnabled(cmdCONFERMA_Tutti));
        EXPECT_EQ(rig.ui.pointers.back(), kPointerHourglass);
        rig.click(cmdCONFERMA_Tutti);  // ignored: it would set "*" and scan again
    };
    rig.tree.file("photos/sub/c.jpg");
    rig.type(txtPATH_RICERCA, rig.tree.at("photos"));
    rig.click(cmdCONFERMA);
    EXPECT_EQ(rig.text(txtESTENSIONE), "JPG");
    EXPECT_EQ(rig.text(txtNUM_FILE), "1");
    EXPECT_FALSE(rig.controls.isEnabled(Command5));
    Rig empty;
    empty.start();
    empty.type(txtPATH_RICERCA, empty.tree.at("missing"));
    empty.click(cmdCONFERMA);
    EXPECT_FALSE(empty.controls.isEnabled(Command1) || empty.controls.isEnabled(Command4));
    EXPECT_TRUE(empty.controls.isEnabled(cmdCONFERMA) && empty.controls.isEnabled(cmdCONFERMA_Tutti));
}

// A blank search folder is the root ("c:\" as written on Windows, "\" when it holds
// asterisks), trailing asterisks are dropped, and the text box stays as typed.
TEST_F(ListCommands, TheStartFolderIsTakenWithoutTrailingAsterisksAndABlankOneIsTheRoot)
{
    rig.fs.failList = [](const std::string&) { return true; };  // only the first folder asked for is seen
    const std::string root(1, kSep), c = kWindows ? "c:\\" : root;
    for (const auto& [typed, listed] : std::vector<std::pair<std::string, std::string>>{
             {"  " + photos + native("/*.*") + " ", photos + kSep}, {photos + "*", photos + kSep},
             {photos + native("/*."), photos + kSep}, {"", c}, {"   ", c}, {"*", root}, {" *.* ", root}}) {
        rig.fs.listed.clear();
        load(typed, "JPG");
        EXPECT_EQ(rig.fs.listed, Entries{listed}) << typed;
        EXPECT_EQ(rig.text(txtPATH_RICERCA), typed);
    }
}

TEST_F(ListCommands, NewListEmptiesTheListOnlyAndDeleteAsksAboutTheSelectedEntry)
{
    click(cmdCANC_FILE, {kAnswerOk});
    load(photos, "JPG");
    click(cmdCANC_FILE, {kAnswerOk});
    rig.controls.select(1);
    click(cmdCANC_FILE, {kAnswerNo});
    click(cmdCANC_FILE, {kAnswerYes});
    const std::string asked = "box:4:Confermi la cancellazione di " + pictures[1] + " dal solo elenco (S/N) ";
    EXPECT_EQ(rig.ui.log, (Entries{"beep", "box:0:SELEZIONARE UN FILE IN ELENCO tra i possibili  0 files !!!",
                                   loadLog[0], loadLog[1], loadLog[2], "beep",
                                   "box:0:SELEZIONARE UN FILE IN ELENCO tra i possibili  3 files !!!", asked, asked}));
    EXPECT_EQ(rig.controls.entries(), (Entries{pictures[0], pictures[2]}));
    EXPECT_TRUE(rig.tree.exists("photos/b.jpg"));
    auto before = windowState(rig.controls);
    rig.click(Command2);
    before.erase(before.end() - 3, before.end() - 1);  // the two entries; the count and the unlocked builds stay
    EXPECT_EQ(windowState(rig.controls), before);
    EXPECT_EQ(rig.ui.log.size(), 9u);
}

} // namespace
} // namespace tavlo::test
