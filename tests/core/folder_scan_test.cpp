// The folder scan: which files a filter selects, the order of the entries, the
// folder heading entries, the depth limit, hidden names and link cycles, large
// folders, names kept as they are on disk, and what the user does while it runs.
#include "support/rig_test.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace tavlo::test {
namespace {

using enum ControlId;
using Entries = std::vector<std::string>;

class FolderScan : public RigTest {
protected:
    void SetUp() override { rig.start(); }

    /// R holds r1.jpg, r2.jpg and the sub-folders A (a1.jpg and A1 with a11.jpg)
    /// and B (b1.jpg); made in an order other than the listing's.
    std::string exampleTree()
    {
        rig.tree.file("R/B/b1.jpg");
        rig.tree.file("R/r2.jpg");
        rig.tree.file("R/A/A1/a11.jpg");
        rig.tree.file("R/A/a1.jpg");
        rig.tree.file("R/r1.jpg");
        return rig.tree.at("R");
    }

    /// Runs at each pending-events point of the scan; `n` counts them from 1.
    void whileScanning(std::function<void(int n)> action)
    {
        rig.ui.onDoEvents = [action, n = 0]() mutable { action(++n); };
    }
};

TEST_F(FolderScan, FilesOfAFolderComeBeforeItsSubFoldersDepthFirst)
{
    const std::string r = exampleTree();
    EXPECT_EQ(load(r, "JPG"),
              (Entries{r + native("/r1.jpg"), r + native("/r2.jpg"), r + native("/A/a1.jpg"),
                       r + native("/A/A1/a11.jpg"), r + native("/B/b1.jpg")}));
}

TEST_F(FolderScan, BlankFilterAddsOneHeadingPerSubFolderBeforeItsOwnSubFolders)
{
    const std::string r = exampleTree();
    rig.fs.listed.clear();
    EXPECT_EQ(load(r, ""), (Entries{"<" + r + native("/A>"), "<" + r + native("/A/A1>"), "<" + r + native("/B>")}));
    // No file pass: each folder is listed once, for its sub-folders.
    EXPECT_EQ(rig.fs.listed, (Entries{r + kSep, r + native("/A/"), r + native("/A/A1/"), r + native("/B/")}));
}

TEST_F(FolderScan, FilterOfBlanksOnlyCountsAsBlank)
{
    const std::string r = exampleTree();
    EXPECT_EQ(load(r, "   "), (Entries{"<" + r + native("/A>"), "<" + r + native("/A/A1>"), "<" + r + native("/B>")}));
}

TEST_F(FolderScan, FilesOfAFolderComeFirstEvenWhenASubFolderSortsBeforeThem)
{
    rig.tree.file("R/zz.jpg");
    rig.tree.file("R/0sub/in.jpg");
    const std::string r = rig.tree.at("R");
    EXPECT_EQ(load(r, "JPG"), (Entries{r + native("/zz.jpg"), r + native("/0sub/in.jpg")}));
}

TEST_F(FolderScan, FolderNamedLikeAFileIsWalkedNotListed)
{
    rig.tree.file("R/album.jpg/in.jpg");
    const std::string r = rig.tree.at("R");
    EXPECT_EQ(load(r, "JPG"), Entries{r + native("/album.jpg/in.jpg")});
}

TEST_F(FolderScan, StartFolderWithOrWithoutTrailingSeparatorGivesTheSameEntries)
{
    const std::string r = exampleTree();
    const Entries without = load(r, "JPG");
    rig.click(Command2);
    EXPECT_EQ(load(r + kSep, "JPG"), without);
}

TEST_F(FolderScan, FolderWithoutSubFoldersOrMatchingFilesAddsNothing)
{
    rig.tree.file("R/notes.txt");
    EXPECT_EQ(load(rig.tree.at("R"), "JPG"), Entries{});
    EXPECT_EQ(load(rig.tree.at("R"), ""), Entries{});
}

// Names sort by their upper-cased text, ties broken by their bytes; files and
// sub-folders alike. Where letter case does not matter on disk there are no ties:
// "A.jpg" and "a.jpg" name one file, so only one of the two is made there.
Entries withoutCaseTwins(const Rig& rig, Entries names, std::string_view twin)
{
    if (!rig.fs.caseSensitive())
        std::erase(names, twin);
    return names;
}

TEST_F(FolderScan, NamesAreListedByUpperCasedNameThenBytes)
{
    const std::string accented = inCodePage("\xC3\xA9t\xC3\xA9.jpg");
    for (const auto& name :
         withoutCaseTwins(rig, {"b.jpg", "a.jpg", "_x.jpg", "A.jpg", "Banana.jpg", "apple.jpg", "9.jpg", "10.jpg",
                                accented, "C.jpg"}, "a.jpg"))
        rig.tree.file("R/" + name);
    const std::string r = rig.tree.at("R");
    Entries expected;
    for (const auto& name : withoutCaseTwins(rig, {"10.jpg", "9.jpg", "A.jpg", "a.jpg", "apple.jpg", "b.jpg",
                                                   "Banana.jpg", "C.jpg", "_x.jpg", accented}, "a.jpg"))
        expected.push_back(r + kSep + name);
    EXPECT_EQ(load(r, "JPG"), expected);
}

TEST_F(FolderScan, SubFoldersAreWalkedInListingOrder)
{
    for (const auto& name : withoutCaseTwins(rig, {"c", "B", "a", "b"}, "b"))
        rig.tree.folder("R/" + name);
    const std::string r = rig.tree.at("R");
    Entries expected;
    for (const auto& name : withoutCaseTwins(rig, {"a", "B", "b", "c"}, "b"))
        expected.push_back("<" + r + kSep + name + ">");
    EXPECT_EQ(load(r, ""), expected);
}

// --- the extension rule ---------------------------------------------------------

struct FilterCase {
    std::string filter;
    std::string name;
    bool selected;
};

void PrintTo(const FilterCase& c, std::ostream* out)
{
    *out << "filter \"" << c.filter << "\" on " << c.name << (c.selected ? ": selected" : ": not selected");
}

class ExtensionRule : public RigTestWithParam<FilterCase> {
protected:
    void SetUp() override { rig.start(); }
};

TEST_P(ExtensionRule, SelectsByTheTextAfterTheFirstDotOfTheLastFourCharacters)
{
    const FilterCase& c = GetParam();
    const std::string path = rig.tree.file("R/" + c.name);
    const Entries expected = c.selected ? Entries{path} : Entries{};
    EXPECT_EQ(load(rig.tree.at("R"), c.filter), expected);
}

INSTANTIATE_TEST_SUITE_P(
    OneExtension, ExtensionRule,
    ::testing::Values(FilterCase{"JPG", "photo.jpg", true}, FilterCase{"JPG", "photo.Jpg", true},
                      FilterCase{"JPG", "photo.JPG", true}, FilterCase{"jpg", "photo.jpg", false},
                      FilterCase{"jpg", "photo.JPG", false}, FilterCase{" JPG ", "photo.jpg", true},
                      FilterCase{"TXT", "notes.TxT", true}, FilterCase{"JPG", "photo.jpeg", false},
                      FilterCase{"JPEG", "photo.jpeg", false}, FilterCase{"JPEG", "PHOTO.JPEG", false},
                      FilterCase{"JPG", "photo.png", false}, FilterCase{"JP", "photo.jp", true},
                      FilterCase{"PG", "photo.jpg", false}, FilterCase{"README", "README", false},
                      FilterCase{"B", "archive.b.c", false}, FilterCase{"C", "archive.b.c", false},
                      // the last four are characters, not bytes; casing knows accented letters
                      FilterCase{inCodePage("JP\xC3\x89"), inCodePage("foto.jp\xC3\xA9"), true}));

INSTANTIATE_TEST_SUITE_P(
    KnownTypes, ExtensionRule,
    ::testing::Values(FilterCase{"*", "page.htm", true}, FilterCase{"*", "voice.wav", true},
                      FilterCase{"*", "song.mp3", true}, FilterCase{"*", "tune.mid", true},
                      FilterCase{"*", "clip.avi", true}, FilterCase{"*", "clip.mpg", true},
                      FilterCase{"*", "clip.mpe", true}, FilterCase{"*", "song.mp2", true},
                      FilterCase{"*", "clip.mp4", true}, FilterCase{"*", "photo.jpg", true},
                      FilterCase{"*", "PHOTO.JPG", true}, FilterCase{"*", "scan.bmp", true},
                      FilterCase{"*", "scan.tif", true}, FilterCase{"*", "icon.gif", true},
                      FilterCase{"*", "drawing.wmf", true}, FilterCase{" * ", "icon.gif", true},
                      FilterCase{"*", "voice.wma", false}, FilterCase{"*", "notes.txt", false},
                      FilterCase{"*", "page.html", false}, FilterCase{"*", "photo.jpeg", false},
                      FilterCase{"*", "README", false}, FilterCase{"*", "archive.b.c", false}));

TEST_F(FolderScan, KnownTypesKeepTheListingOrderAcrossTypes)
{
    for (const char* name : {"d.wav", "c.txt", "b.mp4", "a.jpg"})
        rig.tree.file(std::string("R/") + name);
    const std::string r = rig.tree.at("R");
    EXPECT_EQ(load(r, "*"), (Entries{r + native("/a.jpg"), r + native("/b.mp4"), r + native("/d.wav")}));
}

// --- depth ----------------------------------------------------------------------

class DeepTree : public FolderScan {
protected:
    // R/1/2/.../60, a picture in the start folder and in every level. The names are
    // short: a path on Windows holds at most 260 characters.
    void SetUp() override
    {
        FolderScan::SetUp();
        std::string relative = "R";
        rig.tree.file(relative + "/f.jpg");
        for (int level = 1; level <= 60; ++level) {
            relative += "/" + std::to_string(level);
            rig.tree.file(relative + "/f.jpg");
        }
    }

    std::string folderAtLevel(int level) const
    {
        std::string path = rig.tree.at("R");
        for (int l = 1; l <= level; ++l)
            path += kSep + std::to_string(l);
        return path;
    }
};

TEST_F(DeepTree, FilesAreTakenDownToLevelFifty)
{
    Entries expected;
    for (int level = 0; level <= 50; ++level)
        expected.push_back(folderAtLevel(level) + kSep + "f.jpg");
    EXPECT_EQ(load(rig.tree.at("R"), "JPG"), expected);
    EXPECT_EQ(rig.form.scan().Livello, 0);
}

TEST_F(DeepTree, LevelFiftyStillAnnouncesItsSubFoldersButNothingDeeperIsListed)
{
    Entries expected;
    for (int level = 1; level <= 51; ++level)
        expected.push_back("<" + folderAtLevel(level) + ">");
    EXPECT_EQ(load(rig.tree.at("R"), ""), expected);
    EXPECT_EQ(rig.form.scan().Livello, 0);
}

// --- hidden names and links -------------------------------------------------------

constexpr const char* kLinksAreLinuxOnly =
    "links to folders and their cycles are a Linux matter: a Windows program may not make symbolic links";

TEST_F(FolderScan, HiddenNamesAreNeitherListedNorEntered)
{
    if (kWindows)
        GTEST_SKIP() << "names beginning with \".\" are hidden on Linux only; on Windows the hidden attribute hides "
                        "(WindowsBuild.ALoadWalksTheTreeWithBackslashesInWindowsOrder)";
    rig.tree.file("R/.hidden.jpg");
    rig.tree.file("R/.secret/inside.jpg");
    rig.tree.file("R/.secret/deeper/inside.jpg");
    rig.tree.file("R/shown/.dot.jpg");
    rig.tree.file("R/shown/plain.jpg");
    const std::string r = rig.tree.at("R");
    EXPECT_EQ(load(r, "JPG"), Entries{r + native("/shown/plain.jpg")});
    rig.click(Command2);
    EXPECT_EQ(load(r, ""), Entries{"<" + r + native("/shown>")});
}

TEST_F(FolderScan, LinkToAFolderIsScannedLikeAFolder)
{
    if (kWindows)
        GTEST_SKIP() << kLinksAreLinuxOnly;
    rig.tree.file("Other/o.jpg");
    rig.tree.file("R/r.jpg");
    std::filesystem::create_directory_symlink(rig.tree.at("Other"), rig.tree.at("R/link"));
    const std::string r = rig.tree.at("R");
    EXPECT_EQ(load(r, "JPG"), (Entries{r + native("/r.jpg"), r + native("/link/o.jpg")}));
}

// One cycle per test: were cycles walked, two of them would branch at every level.
TEST_F(FolderScan, LinkBackToAFolderOpenHigherUpIsNotEnteredAgain)
{
    if (kWindows)
        GTEST_SKIP() << kLinksAreLinuxOnly;
    rig.tree.file("R/r.jpg");
    rig.tree.file("R/A/a.jpg");
    std::filesystem::create_directory_symlink(rig.tree.at("R"), rig.tree.at("R/A/up"));
    const std::string r = rig.tree.at("R");
    EXPECT_EQ(load(r, "JPG"), (Entries{r + native("/r.jpg"), r + native("/A/a.jpg")}));
    rig.click(Command2);
    // The link is a sub-folder of A, so it is announced; it is not walked.
    EXPECT_EQ(load(r, ""), (Entries{"<" + r + native("/A>"), "<" + r + native("/A/up>")}));
    EXPECT_EQ(rig.form.scan().Livello, 0);
}

TEST_F(FolderScan, LinkToItsOwnFolderIsNotEnteredAgain)
{
    if (kWindows)
        GTEST_SKIP() << kLinksAreLinuxOnly;
    rig.tree.file("R/A/a.jpg");
    std::filesystem::create_directory_symlink(rig.tree.at("R/A"), rig.tree.at("R/A/self"));
    const std::string r = rig.tree.at("R");
    EXPECT_EQ(load(r, "JPG"), Entries{r + native("/A/a.jpg")});
}

TEST_F(FolderScan, LinkToAFolderOpenOnlyOnAnotherBranchIsWalked)
{
    if (kWindows)
        GTEST_SKIP() << kLinksAreLinuxOnly;
    rig.tree.file("R/A/a.jpg");
    rig.tree.folder("R/B");
    std::filesystem::create_directory_symlink(rig.tree.at("R/A"), rig.tree.at("R/B/toA"));
    const std::string r = rig.tree.at("R");
    EXPECT_EQ(load(r, "JPG"), (Entries{r + native("/A/a.jpg"), r + native("/B/toA/a.jpg")}));
}

// --- large folders ----------------------------------------------------------------

TEST_F(FolderScan, EveryFileOfAFolderIsTakenPastTheFiveHundredth)
{
    char name[32];
    for (int i = 0; i < 505; ++i) {  // counted as seen though not selected
        std::snprintf(name, sizeof name, "R/a%03d.txt", i);
        rig.tree.file(name);
    }
    for (int i = 0; i < 10; ++i) {
        std::snprintf(name, sizeof name, "R/z%03d.jpg", i);
        rig.tree.file(name);
    }
    const Entries& entries = load(rig.tree.at("R"), "JPG");
    ASSERT_EQ(entries.size(), 10u);
    EXPECT_EQ(entries.back(), rig.tree.at("R/z009.jpg"));
    EXPECT_EQ(rig.text(txtNUM_FILE), "10");
}

TEST_F(FolderScan, EverySubFolderOfAFolderIsWalkedPastTheFiveHundredth)
{
    char name[32];
    for (int i = 0; i < 505; ++i) {
        std::snprintf(name, sizeof name, "R/d%03d", i);
        rig.tree.folder(name);
    }
    rig.tree.file("R/d504/last.jpg");
    const std::string r = rig.tree.at("R");
    EXPECT_EQ(load(r, "JPG"), Entries{r + native("/d504/last.jpg")});
    rig.click(Command2);
    const Entries& headings = load(r, "");
    ASSERT_EQ(headings.size(), 505u);
    EXPECT_EQ(headings.back(), "<" + r + native("/d504>"));
}

// --- names kept as they are on disk -----------------------------------------------

TEST_F(FolderScan, NamesAreListedExactlyAsOnDisk)
{
    Entries names{"a b.jpg",       "back\\slash.jpg", "cent%20.jpg", inCodePage("citt\xC3\xA0.jpg"),
                  "hash#1.jpg",    "it's.jpg",        "q\"uote.jpg", "raw\xFF\xFE.jpg",
                  "x&y<z>.jpg"};
    if (kWindows)  // the separator and the characters that Windows allows in no name
        std::erase_if(names, [](const std::string& n) { return n.find_first_of("\\\"<>") != std::string::npos; });
    for (const auto& n : names)
        rig.tree.file("R/" + n);
    rig.tree.file("R/Mare d'estate #2 & 50%/in.JPG");
    const std::string r = rig.tree.at("R");
    Entries expected;
    for (const auto& n : names)
        expected.push_back(r + kSep + n);
    expected.push_back(r + native("/Mare d'estate #2 & 50%/in.JPG"));
    EXPECT_EQ(load(r, "JPG"), expected);
}

TEST_F(FolderScan, HeadingEntriesDropBlanksOnlyAtTheirEnds)
{
    if (kWindows)
        GTEST_SKIP() << "Windows drops the blanks at the end of a name: no folder name ends in one there";
    rig.tree.folder("R/trail /in side");
    const std::string r = rig.tree.at("R");
    EXPECT_EQ(load(r, ""), (Entries{"<" + r + native("/trail>"), "<" + r + native("/trail /in side>")}));
}

// --- while the scan runs ----------------------------------------------------------

TEST_F(FolderScan, PendingEventsRunAfterEachAddedEntryAndAfterEachFoldersLoop)
{
    const std::string r = exampleTree();
    rig.tree.file("R/A/skipped.png");
    std::vector<long> countAtEvents;
    whileScanning([&](int) { countAtEvents.push_back(rig.controls.listCount()); });
    load(r, "JPG");
    // r1, r2, a1, a11, end of A's loop, b1, end of R's loop; A1 and B have no sub-folders.
    EXPECT_EQ(countAtEvents, (std::vector<long>{1, 2, 3, 4, 4, 5, 5}));
}

TEST_F(FolderScan, PendingEventsRunAfterEachHeadingEntryAndAfterEachFoldersLoop)
{
    const std::string r = exampleTree();
    std::vector<long> countAtEvents;
    whileScanning([&](int) { countAtEvents.push_back(rig.controls.listCount()); });
    load(r, "");
    EXPECT_EQ(countAtEvents, (std::vector<long>{1, 2, 2, 3, 3}));
}

TEST_F(FolderScan, FilterTypedDuringTheScanTakesEffectAtTheNextTest)
{
    for (const char* name : {"a.jpg", "b.jpg", "c.png", "d.jpg"})
        rig.tree.file(std::string("R/") + name);
    whileScanning([&](int n) {
        if (n == 1)
            rig.type(txtESTENSIONE, "PNG");
    });
    const std::string r = rig.tree.at("R");
    EXPECT_EQ(load(r, "JPG"), (Entries{r + native("/a.jpg"), r + native("/c.png")}));
}

TEST_F(FolderScan, FilterBlankedDuringTheScanTurnsTheRestIntoHeadings)
{
    rig.tree.file("R/a.jpg");
    rig.tree.file("R/b.jpg");
    rig.tree.file("R/sub/s.jpg");
    rig.tree.folder("R/sub/deeper");
    whileScanning([&](int n) {
        if (n == 1)
            rig.type(txtESTENSIONE, "");
    });
    const std::string r = rig.tree.at("R");
    EXPECT_EQ(load(r, "JPG"),
              (Entries{r + native("/a.jpg"), "<" + r + native("/sub>"), "<" + r + native("/sub/deeper>")}));
}

TEST_F(FolderScan, EndButtonClickedDuringTheScanEndsTheProgramThere)
{
    const std::string r = exampleTree();
    int eventsAfterEnd = 0;
    whileScanning([&](int n) {
        if (n == 2)
            rig.click(cmdFINE);
        else if (n > 2)
            ++eventsAfterEnd;
    });
    EXPECT_NO_THROW(load(r, "JPG"));
    EXPECT_TRUE(rig.ui.programEnded());
    EXPECT_EQ(rig.controls.entries(), (Entries{r + native("/r1.jpg"), r + native("/r2.jpg")}));
    EXPECT_EQ(eventsAfterEnd, 0);
    EXPECT_EQ(rig.text(txtNUM_FILE), "");  // the load never got to its count
    EXPECT_EQ(rig.ui.beeps, 0);
    EXPECT_EQ(rig.form.scan().Livello, 0);

    rig.click(cmdCONFERMA_Tutti);  // nothing runs once the program has ended
    EXPECT_EQ(rig.text(txtESTENSIONE), "JPG");
    EXPECT_EQ(rig.controls.listCount(), 2);
}

TEST_F(FolderScan, WindowClosedDuringTheScanEndsTheProgramThere)
{
    const std::string r = exampleTree();
    whileScanning([&](int n) {
        if (n == 3)
            rig.form.close();
    });
    EXPECT_NO_THROW(load(r, "JPG"));
    EXPECT_TRUE(rig.ui.programEnded());
    EXPECT_EQ(rig.controls.entries(), (Entries{r + native("/r1.jpg"), r + native("/r2.jpg"), r + native("/A/a1.jpg")}));
}

TEST_F(FolderScan, SubFolderThatCannotBeListedAddsNothingAndTheScanGoesOn)
{
    const std::string r = exampleTree();
    rig.fs.failList = [&](const std::string& folder) { return folder == r + native("/A/"); };
    EXPECT_EQ(load(r, "JPG"), (Entries{r + native("/r1.jpg"), r + native("/r2.jpg"), r + native("/B/b1.jpg")}));
}

} // namespace
} // namespace tavlo::test
