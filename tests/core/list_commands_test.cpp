// The commands that fill and trim the file list: the loads with their refusal,
// count, beep, pointer and button states; the new list; the delete with its
// question; and what these commands do to a scan that is running.
#include "support/rig_test.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace tavlo::test {
namespace {

using enum ControlId;
using Entries = std::vector<std::string>;
using Log = std::vector<std::string>;

const Log kLoadLog{"pointer:11", "beep", "pointer:0"};
constexpr std::string_view kOnlyTheExtension = "Indicare solo l'estensione dei files da cercare !!!";

class ListCommands : public RigTest {
protected:
    void SetUp() override
    {
        rig.start();
        rig.tree.file("photos/a.jpg");
        rig.tree.file("photos/b.jpg");
        rig.tree.file("photos/notes.txt");
        rig.tree.file("photos/sub/c.jpg");
        rig.tree.file("photos/sub/voice.wav");
        photos = rig.tree.at("photos");
        pictures = {photos + native("/a.jpg"), photos + native("/b.jpg"), photos + native("/sub/c.jpg")};
    }

    /// Forgets what the user saw so far, so that a test sees only its own command.
    void forgetTheLog()
    {
        rig.ui.log.clear();
        rig.ui.boxes.clear();
        rig.ui.beeps = 0;
        rig.fs.listed.clear();
    }

    /// Runs at each pending-events point of a scan; `n` counts them from 1.
    void whileScanning(std::function<void(int n)> action)
    {
        rig.ui.onDoEvents = [action, n = 0]() mutable { action(++n); };
    }

    std::string photos;
    Entries pictures;
};

// --- load by extension ------------------------------------------------------------

TEST_F(ListCommands, LoadPublishesTheCountAndUnlocksTheBuildCommands)
{
    forgetTheLog();
    EXPECT_EQ(load(photos, "JPG"), pictures);
    EXPECT_EQ(rig.text(txtNUM_FILE), "3");
    EXPECT_EQ(rig.ui.log, kLoadLog);
    EXPECT_TRUE(rig.controls.isEnabled(Command1));
    EXPECT_TRUE(rig.controls.isEnabled(Command4));
    EXPECT_FALSE(rig.controls.isEnabled(Command5));
    EXPECT_TRUE(rig.controls.isEnabled(cmdCONFERMA));
    EXPECT_TRUE(rig.controls.isEnabled(cmdCONFERMA_Tutti));
    EXPECT_EQ(rig.text(txtPATH_RICERCA), photos);
    EXPECT_EQ(rig.text(txtESTENSIONE), "JPG");
}

class DotInFilter : public RigTestWithParam<const char*> {
protected:
    void SetUp() override { rig.start(); }
};

TEST_P(DotInFilter, IsRefusedWithNothingChanged)
{
    rig.tree.file("photos/a.jpg");
    load(rig.tree.at("photos"), "JPG");  // a list and unlocked builds that must stay as they are
    rig.type(txtESTENSIONE, GetParam());
    const auto before = windowState(rig.controls);
    rig.ui.log.clear();
    rig.fs.listed.clear();

    rig.ui.answerNext(kAnswerOk);
    rig.click(cmdCONFERMA);

    EXPECT_EQ(rig.ui.log, (Log{"beep", "box:0:" + std::string(kOnlyTheExtension)}));
    EXPECT_EQ(windowState(rig.controls), before);
    EXPECT_EQ(rig.fs.listed, Entries{});
}

TEST_P(DotInFilter, BeforeAnyLoadLeavesTheBuildCommandsLocked)
{
    rig.type(txtESTENSIONE, GetParam());
    const auto before = windowState(rig.controls);
    rig.ui.answerNext(kAnswerOk);
    rig.click(cmdCONFERMA);
    EXPECT_EQ(windowState(rig.controls), before);
    EXPECT_EQ(rig.ui.pointers, std::vector<int>{});
}

INSTANTIATE_TEST_SUITE_P(Filters, DotInFilter, ::testing::Values(".JPG", "JPG.", "*.*", ".", " J.PG "));

TEST_F(ListCommands, LoadAllSetsTheFilterToStarAndLeavesIt)
{
    rig.type(txtESTENSIONE, ".JPG");  // would be refused by the load by extension
    rig.type(txtPATH_RICERCA, photos);
    forgetTheLog();
    rig.click(cmdCONFERMA_Tutti);
    EXPECT_EQ(rig.controls.entries(), (Entries{photos + native("/a.jpg"), photos + native("/b.jpg"),
                                               photos + native("/sub/c.jpg"), photos + native("/sub/voice.wav")}));
    EXPECT_EQ(rig.text(txtESTENSIONE), "*");
    EXPECT_EQ(rig.text(txtNUM_FILE), "4");
    EXPECT_EQ(rig.ui.log, kLoadLog);
}

TEST_F(ListCommands, TwoLoadsAppendAndTheCountShowsTheTotal)
{
    load(photos, "JPG");
    load(photos, "TXT");
    load(photos, "JPG");
    Entries expected = pictures;
    expected.push_back(photos + native("/notes.txt"));
    expected.insert(expected.end(), pictures.begin(), pictures.end());
    EXPECT_EQ(rig.controls.entries(), expected);
    EXPECT_EQ(rig.text(txtNUM_FILE), "7");
}

TEST_F(ListCommands, LoadThatAddsNothingShowsZeroAndLeavesTheBuildCommandsLocked)
{
    rig.tree.folder("empty");
    forgetTheLog();
    EXPECT_EQ(load(rig.tree.at("empty"), "JPG"), Entries{});
    EXPECT_EQ(rig.text(txtNUM_FILE), "0");
    EXPECT_FALSE(rig.controls.isEnabled(Command1));
    EXPECT_FALSE(rig.controls.isEnabled(Command4));
    EXPECT_EQ(rig.ui.log, kLoadLog);  // the beep sounds all the same
    EXPECT_TRUE(rig.controls.isEnabled(cmdCONFERMA));
    EXPECT_TRUE(rig.controls.isEnabled(cmdCONFERMA_Tutti));
}

TEST_F(ListCommands, LoadThatAddsNothingToAnEmptiedListKeepsTheBuildCommandsUnlocked)
{
    load(photos, "JPG");
    rig.click(Command2);
    EXPECT_EQ(load(photos, "GIF"), Entries{});
    EXPECT_EQ(rig.text(txtNUM_FILE), "0");
    EXPECT_TRUE(rig.controls.isEnabled(Command1));
    EXPECT_TRUE(rig.controls.isEnabled(Command4));
}

TEST_F(ListCommands, LoadButtonsAreDisabledWhileTheScanRunsAndCannotBeClicked)
{
    struct Seen {
        bool load, loadAll;
        int pointer;
        bool operator==(const Seen&) const = default;
    };
    std::vector<Seen> seen;
    whileScanning([&](int n) {
        seen.push_back({rig.controls.isEnabled(cmdCONFERMA), rig.controls.isEnabled(cmdCONFERMA_Tutti),
                        rig.ui.pointers.empty() ? -1 : rig.ui.pointers.back()});
        if (n == 1) {
            rig.click(cmdCONFERMA_Tutti);  // ignored: it would set "*" and scan again
            rig.click(cmdCONFERMA);
        }
    });
    EXPECT_EQ(load(photos, "JPG"), pictures);
    ASSERT_FALSE(seen.empty());
    for (const Seen& s : seen)
        EXPECT_EQ(s, (Seen{false, false, kPointerHourglass}));
    EXPECT_EQ(rig.text(txtESTENSIONE), "JPG");
    EXPECT_TRUE(rig.controls.isEnabled(cmdCONFERMA));
    EXPECT_TRUE(rig.controls.isEnabled(cmdCONFERMA_Tutti));
    EXPECT_EQ(rig.ui.pointers.back(), kPointerDefault);
}

// A blank search folder stands for "c:\" as written on Windows, and one of asterisks
// only for the root of the current drive, "\"; on Linux both stand for the root "/".
// The test lets the listing of every folder fail, so that only the first folder asked
// for is seen.
class RootSearchFolder : public ListCommands, public ::testing::WithParamInterface<const char*> {};

TEST_P(RootSearchFolder, IsScannedFromTheRoot)
{
    const bool asterisks = std::string_view(GetParam()).find('*') != std::string_view::npos;
    const std::string root = kWindows && !asterisks ? "c:\\" : std::string(1, kSep);
    rig.fs.failList = [](const std::string&) { return true; };
    rig.type(txtPATH_RICERCA, GetParam());
    rig.type(txtESTENSIONE, "JPG");
    forgetTheLog();
    rig.click(cmdCONFERMA);
    ASSERT_FALSE(rig.fs.listed.empty());
    for (const auto& folder : rig.fs.listed)
        EXPECT_EQ(folder, root);
    EXPECT_EQ(rig.text(txtPATH_RICERCA), GetParam());  // the text box itself is not changed
    EXPECT_EQ(rig.ui.log, kLoadLog);
}

INSTANTIATE_TEST_SUITE_P(Texts, RootSearchFolder, ::testing::Values("", "   ", "*", "***", " *.* "));

class TrailingAsterisks : public ListCommands, public ::testing::WithParamInterface<const char*> {};

TEST_P(TrailingAsterisks, AreDroppedFromTheStartFolder)
{
    const std::string typed = "  " + photos + native(GetParam()) + " ";
    rig.type(txtPATH_RICERCA, typed);
    rig.type(txtESTENSIONE, "JPG");
    rig.click(cmdCONFERMA);
    EXPECT_EQ(rig.controls.entries(), pictures);
    ASSERT_FALSE(rig.fs.listed.empty());
    EXPECT_EQ(rig.fs.listed.front(), photos + kSep);
    EXPECT_EQ(rig.text(txtPATH_RICERCA), typed);
}

INSTANTIATE_TEST_SUITE_P(Suffixes, TrailingAsterisks, ::testing::Values("/*.*", "/*.", "/*", "/", "", "*", "/**"));

struct Unusable {
    const char* what;
    std::string (*startFolder)(Rig&);
};

void PrintTo(const Unusable& u, std::ostream* out) { *out << u.what; }

class UnusableStartFolder : public RigTestWithParam<Unusable> {
protected:
    void SetUp() override { rig.start(); }
};

TEST_P(UnusableStartFolder, EndsTheLoadQuietlyWithButtonsAndPointerRestored)
{
    rig.tree.file("photos/a.jpg");
    rig.ui.log.clear();
    EXPECT_EQ(load(GetParam().startFolder(rig), "JPG"), Entries{});
    EXPECT_EQ(rig.text(txtNUM_FILE), "0");
    EXPECT_EQ(rig.ui.log, kLoadLog);
    EXPECT_TRUE(rig.controls.isEnabled(cmdCONFERMA));
    EXPECT_TRUE(rig.controls.isEnabled(cmdCONFERMA_Tutti));
    EXPECT_FALSE(rig.controls.isEnabled(Command1));
    EXPECT_EQ(rig.form.scan().Livello, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Folders, UnusableStartFolder,
    ::testing::Values(Unusable{"missing", [](Rig& rig) { return rig.tree.at("missing/folder"); }},
                      Unusable{"a file", [](Rig& rig) { return rig.tree.at("photos/a.jpg"); }},
                      Unusable{"refused", [](Rig& rig) {
                                   rig.fs.failList = [](const std::string&) { return true; };
                                   return rig.tree.at("photos");
                               }}));

// --- new list ---------------------------------------------------------------------

TEST_F(ListCommands, NewListEmptiesTheListOnly)
{
    load(photos, "JPG");
    rig.job().Num_Files = 7;
    rig.controls.select(1);
    auto expected = windowState(rig.controls);
    forgetTheLog();

    rig.click(Command2);

    EXPECT_EQ(rig.controls.entries(), Entries{});
    EXPECT_EQ(rig.text(txtNUM_FILE), "3");  // still the count of the last load
    EXPECT_EQ(rig.job().Num_Files, 7);
    EXPECT_TRUE(rig.controls.isEnabled(Command1));
    EXPECT_TRUE(rig.controls.isEnabled(Command4));
    EXPECT_EQ(rig.ui.log, Log{});
    std::erase_if(expected, [](const std::string& line) { return line.starts_with("List1 "); });
    auto after = windowState(rig.controls);
    std::erase_if(after, [](const std::string& line) { return line.starts_with("List1 "); });
    EXPECT_EQ(after, expected);
}

// --- delete one entry -------------------------------------------------------------

TEST_F(ListCommands, DeleteWithAnEmptyListAsksForASelectionWithTheCountZero)
{
    forgetTheLog();
    rig.ui.answerNext(kAnswerOk);
    rig.click(cmdCANC_FILE);
    EXPECT_EQ(rig.ui.log, (Log{"beep", "box:0:SELEZIONARE UN FILE IN ELENCO tra i possibili  0 files !!!"}));
    EXPECT_EQ(rig.job().Num_Files, 0);
}

TEST_F(ListCommands, DeleteWithoutASelectionShowsHowManyEntriesThereAre)
{
    load(photos, "JPG");
    const auto before = windowState(rig.controls);
    forgetTheLog();
    rig.ui.answerNext(kAnswerOk);
    rig.click(cmdCANC_FILE);
    EXPECT_EQ(rig.ui.log, (Log{"beep", "box:0:SELEZIONARE UN FILE IN ELENCO tra i possibili  3 files !!!"}));
    EXPECT_EQ(rig.job().Num_Files, 3);
    EXPECT_EQ(windowState(rig.controls), before);
}

TEST_F(ListCommands, DeleteAnsweredYesRemovesTheEntryFromTheListOnly)
{
    load(photos, "JPG");
    rig.controls.select(1);
    forgetTheLog();
    rig.ui.answerNext(kAnswerYes);
    rig.click(cmdCANC_FILE);
    EXPECT_EQ(rig.ui.log, Log{"box:4:Confermi la cancellazione di " + pictures[1] + " dal solo elenco (S/N) "});
    EXPECT_EQ(rig.controls.entries(), (Entries{pictures[0], pictures[2]}));
    EXPECT_EQ(rig.text(txtNUM_FILE), "3");  // not updated
    EXPECT_EQ(rig.job().Num_Files, 3);
    EXPECT_TRUE(rig.tree.exists("photos/b.jpg"));
}

TEST_F(ListCommands, DeleteAnsweredNoKeepsEverything)
{
    load(photos, "JPG");
    rig.controls.select(0);
    const auto before = windowState(rig.controls);
    rig.ui.answerNext(kAnswerNo);
    rig.click(cmdCANC_FILE);
    EXPECT_EQ(rig.ui.boxes.back().prompt, "Confermi la cancellazione di " + pictures[0] + " dal solo elenco (S/N) ");
    EXPECT_EQ(rig.ui.boxes.back().buttons, kYesNo);
    EXPECT_EQ(windowState(rig.controls), before);
}

// --- while a scan runs ------------------------------------------------------------

TEST_F(ListCommands, ListEmptiedDuringTheScanKeepsOnlyWhatCameAfter)
{
    whileScanning([&](int n) {
        if (n == 2)
            rig.click(Command2);
    });
    EXPECT_EQ(load(photos, "JPG"), Entries{photos + native("/sub/c.jpg")});
    EXPECT_EQ(rig.text(txtNUM_FILE), "1");
}

TEST_F(ListCommands, EntryDeletedDuringTheScanIsLeftOutOfTheCount)
{
    whileScanning([&](int n) {
        if (n == 1) {
            rig.controls.select(0);
            rig.ui.answerNext(kAnswerYes);
            rig.click(cmdCANC_FILE);
        }
    });
    EXPECT_EQ(load(photos, "JPG"), (Entries{photos + native("/b.jpg"), photos + native("/sub/c.jpg")}));
    EXPECT_EQ(rig.text(txtNUM_FILE), "2");
    EXPECT_EQ(rig.ui.boxes.size(), 2u);  // the window-mode question, then the delete
}

} // namespace
} // namespace tavlo::test
