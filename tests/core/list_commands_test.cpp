// The commands that fill and trim the file list: the loads with their refusal,
// count, beep, pointer and button states; the new list; the delete with its
// question; and what these commands do to a scan that is running.
#include "support/rig_test.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tavlo::test {
namespace {

using enum ControlId;
using Entries = std::vector<std::string>;

const Entries kLoadLog{"pointer:11", "beep", "pointer:0"};

class ListCommands : public RigTest {
protected:
    void SetUp() override
    {
        rig.start();
        for (const char* name : {"a.jpg", "b.jpg", "notes.txt", "sub/c.jpg", "sub/voice.wav"})
            rig.tree.file(std::string("photos/") + name);
        forget();
    }

    /// Forgets what the user saw so far, so that a check sees only the next command.
    void forget()
    {
        rig.ui.log.clear();
        rig.ui.boxes.clear();
        rig.fs.listed.clear();
    }

    /// Whether the builds are unlocked, and the load buttons enabled.
    bool buildsUnlocked() const { return rig.controls.isEnabled(Command1) && rig.controls.isEnabled(Command4); }
    bool loadsEnabled() const { return rig.controls.isEnabled(cmdCONFERMA) && rig.controls.isEnabled(cmdCONFERMA_Tutti); }

    const std::string photos = rig.tree.at("photos");
    const Entries pictures{photos + native("/a.jpg"), photos + native("/b.jpg"), photos + native("/sub/c.jpg")};
};

TEST_F(ListCommands, LoadsAppendCountBeepAndUnlockTheBuilds)
{
    EXPECT_EQ(load(photos, "JPG"), pictures);
    EXPECT_EQ(rig.text(txtNUM_FILE), "3");
    EXPECT_EQ(rig.ui.log, kLoadLog);
    EXPECT_TRUE(buildsUnlocked());
    EXPECT_FALSE(rig.controls.isEnabled(Command5));
    EXPECT_TRUE(loadsEnabled());
    EXPECT_EQ(rig.text(txtPATH_RICERCA), photos);
    Entries expected = pictures;
    expected.push_back(photos + native("/notes.txt"));
    EXPECT_EQ(load(photos, "TXT"), expected);
    EXPECT_EQ(rig.text(txtNUM_FILE), "4");

    // Load all sets the filter to "*" (a dot would have made a refusal) and leaves it.
    rig.type(txtESTENSIONE, ".JPG");
    forget();
    rig.click(cmdCONFERMA_Tutti);
    expected.insert(expected.end(), pictures.begin(), pictures.end());
    expected.push_back(photos + native("/sub/voice.wav"));
    EXPECT_EQ(rig.controls.entries(), expected);
    EXPECT_EQ(rig.text(txtESTENSIONE), "*");
    EXPECT_EQ(rig.text(txtNUM_FILE), "8");
    EXPECT_EQ(rig.ui.log, kLoadLog);
}

TEST_F(ListCommands, AFilterWithADotIsRefusedWithNothingChanged)
{
    const auto refused = [&](const char* filter) {
        rig.type(txtESTENSIONE, filter);
        const auto before = windowState(rig.controls);
        forget();
        click(cmdCONFERMA, {kAnswerOk});
        EXPECT_EQ(rig.ui.log, (Entries{"beep", "box:0:Indicare solo l'estensione dei files da cercare !!!"})) << filter;
        EXPECT_EQ(windowState(rig.controls), before) << filter;
        EXPECT_EQ(rig.fs.listed, Entries{}) << filter;
    };
    for (const char* filter : {".JPG", "JPG.", "*.*", ".", " J.PG "})
        refused(filter);  // the builds stay locked
    load(photos, "JPG");
    refused(".JPG");  // the list and the unlocked builds stay
}

TEST_F(ListCommands, ALoadThatAddsNothingShowsZeroRestoresButtonsAndPointerAndLocksNothing)
{
    rig.tree.file("empty/notes.txt");
    const std::string empty = rig.tree.at("empty");
    for (const auto& [folder, filter] : std::vector<std::pair<std::string, const char*>>{
             {empty, "JPG"}, {empty, ""}, {rig.tree.at("missing"), "JPG"}, {rig.tree.at("photos/a.jpg"), "JPG"},
             {photos, "JPG"}}) {
        if (folder == photos)
            rig.fs.failList = [](const std::string&) { return true; };  // refused
        forget();
        EXPECT_EQ(load(folder, filter), Entries{}) << folder;
        EXPECT_EQ(rig.text(txtNUM_FILE), "0");
        EXPECT_EQ(rig.ui.log, kLoadLog);
        EXPECT_TRUE(loadsEnabled());
        EXPECT_FALSE(buildsUnlocked());
        EXPECT_EQ(rig.form.scan().Livello, 0);
    }
    rig.fs.failList = nullptr;
    load(photos, "JPG");
    rig.click(Command2);
    EXPECT_EQ(load(photos, "GIF"), Entries{});
    EXPECT_TRUE(buildsUnlocked());
}

TEST_F(ListCommands, LoadButtonsAreDisabledWhileTheScanRunsAndCannotBeClicked)
{
    int scanEvents = 0;
    rig.ui.onDoEvents = [&] {
        ++scanEvents;
        EXPECT_FALSE(rig.controls.isEnabled(cmdCONFERMA) || rig.controls.isEnabled(cmdCONFERMA_Tutti));
        EXPECT_EQ(rig.ui.pointers.back(), kPointerHourglass);
        rig.click(cmdCONFERMA_Tutti);  // ignored: it would set "*" and scan again
        rig.click(cmdCONFERMA);
    };
    EXPECT_EQ(load(photos, "JPG"), pictures);
    EXPECT_GT(scanEvents, 0);
    EXPECT_EQ(rig.text(txtESTENSIONE), "JPG");
    EXPECT_TRUE(loadsEnabled());
    EXPECT_EQ(rig.ui.pointers.back(), kPointerDefault);
}

// A blank search folder stands for "c:\" as written on Windows, and one of asterisks
// only for the root of the current drive, "\"; on Linux both stand for the root "/".
// Trailing asterisks and blanks are dropped. The text box itself is not changed.
TEST_F(ListCommands, TheStartFolderIsTakenWithoutTrailingAsterisksAndABlankOneIsTheRoot)
{
    for (const char* suffix : {"/*.*", "/*.", "/*", "/", "", "*", "/**"}) {
        const std::string typed = "  " + photos + native(suffix) + " ";
        rig.click(Command2);
        rig.fs.listed.clear();
        EXPECT_EQ(load(typed, "JPG"), pictures) << typed;
        ASSERT_FALSE(rig.fs.listed.empty());
        EXPECT_EQ(rig.fs.listed.front(), photos + kSep);
        EXPECT_EQ(rig.text(txtPATH_RICERCA), typed);
    }
    rig.fs.failList = [](const std::string&) { return true; };  // only the first folder asked for is seen
    for (const char* typed : {"", "   ", "*", "***", " *.* "}) {
        const bool asterisks = std::string_view(typed).find('*') != std::string_view::npos;
        rig.fs.listed.clear();
        load(typed, "JPG");
        EXPECT_EQ(rig.fs.listed, Entries{kWindows && !asterisks ? "c:\\" : std::string(1, kSep)}) << typed;
        EXPECT_EQ(rig.text(txtPATH_RICERCA), typed);
    }
}

TEST_F(ListCommands, NewListEmptiesTheListOnly)
{
    load(photos, "JPG");
    rig.job().Num_Files = 7;
    const auto withoutList = [&] {
        auto state = windowState(rig.controls);
        std::erase_if(state, [](const std::string& line) { return line.starts_with("List1 "); });
        return state;
    };
    const auto before = withoutList();
    forget();
    rig.click(Command2);
    EXPECT_EQ(rig.controls.entries(), Entries{});
    EXPECT_EQ(withoutList(), before);  // the count of the last load and the unlocked builds stay
    EXPECT_EQ(rig.job().Num_Files, 7);
    EXPECT_EQ(rig.ui.log, Entries{});
}

TEST_F(ListCommands, DeleteAsksAboutTheSelectedEntryOrShowsHowManyThereAre)
{
    const auto deleteAnswered = [&](int answer) {
        forget();
        rig.ui.answerNext(answer);
        rig.click(cmdCANC_FILE);
    };
    auto before = windowState(rig.controls);
    deleteAnswered(kAnswerOk);
    EXPECT_EQ(rig.ui.log, (Entries{"beep", "box:0:SELEZIONARE UN FILE IN ELENCO tra i possibili  0 files !!!"}));
    EXPECT_EQ(windowState(rig.controls), before);
    load(photos, "JPG");
    deleteAnswered(kAnswerOk);
    EXPECT_EQ(rig.ui.log, (Entries{"beep", "box:0:SELEZIONARE UN FILE IN ELENCO tra i possibili  3 files !!!"}));

    rig.controls.select(0);
    before = windowState(rig.controls);
    deleteAnswered(kAnswerNo);
    EXPECT_EQ(rig.ui.log, Entries{"box:4:Confermi la cancellazione di " + pictures[0] + " dal solo elenco (S/N) "});
    EXPECT_EQ(windowState(rig.controls), before);
    rig.controls.select(1);
    deleteAnswered(kAnswerYes);
    EXPECT_EQ(rig.ui.log, Entries{"box:4:Confermi la cancellazione di " + pictures[1] + " dal solo elenco (S/N) "});
    EXPECT_EQ(rig.controls.entries(), (Entries{pictures[0], pictures[2]}));
    EXPECT_EQ(rig.text(txtNUM_FILE), "3");  // not updated
    EXPECT_EQ(rig.job().Num_Files, 3);
    EXPECT_TRUE(rig.tree.exists("photos/b.jpg"));
}

TEST_F(ListCommands, AListEmptiedOrTrimmedDuringTheScanKeepsOnlyWhatIsLeft)
{
    rig.ui.onDoEvents = [&, n = 0]() mutable {
        if (++n == 2)
            rig.click(Command2);
    };
    EXPECT_EQ(load(photos, "JPG"), Entries{photos + native("/sub/c.jpg")});
    EXPECT_EQ(rig.text(txtNUM_FILE), "1");

    rig.click(Command2);
    rig.ui.onDoEvents = [&, n = 0]() mutable {
        if (++n == 1) {
            rig.controls.select(0);
            click(cmdCANC_FILE, {kAnswerYes});
        }
    };
    EXPECT_EQ(load(photos, "JPG"), (Entries{photos + native("/b.jpg"), photos + native("/sub/c.jpg")}));
    EXPECT_EQ(rig.text(txtNUM_FILE), "2");
}

} // namespace
} // namespace tavlo::test
