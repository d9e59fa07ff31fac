// The folder scan, through the load buttons: which files a filter selects, the order
// of the entries, the folder heading entries, the depth limit, hidden names and link
// cycles, large folders, names kept as they are on disk, and what the user does
// while it runs.
#include "support/rig_test.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace tavlo::test {
namespace {

using enum ControlId;
using Entries = std::vector<std::string>;

class FolderScan : public RigTest {
protected:
    void SetUp() override { rig.start(); }

    /// R holds r1.jpg, r2.jpg and the sub-folders A (a1.jpg, skipped.png and A1 with
    /// a11.jpg) and B (b1.jpg); made in an order other than the listing's. The
    /// sub-folders sort before the files.
    std::string exampleTree()
    {
        for (const char* name : {"B/b1.jpg", "r2.jpg", "A/A1/a11.jpg", "A/skipped.png", "A/a1.jpg", "r1.jpg"})
            rig.tree.file(std::string("R/") + name);
        return rig.tree.at("R");
    }

    /// The entries of paths below `root`, written with "/" between names; "<...>" a heading.
    static Entries below(const std::string& root, std::initializer_list<std::string_view> paths)
    {
        Entries entries;
        for (std::string_view path : paths)
            entries.push_back(path.starts_with('<') ? "<" + root + native(path.substr(1)) : root + native(path));
        return entries;
    }

    /// Empties the list and loads anew.
    const Entries& reload(const std::string& folder, std::string_view filter)
    {
        rig.click(Command2);
        return load(folder, filter);
    }

    /// Runs at each pending-events point of the scan; `n` counts them from 1.
    void whileScanning(std::function<void(int n)> action)
    {
        rig.ui.onDoEvents = [action, n = 0]() mutable { action(++n); };
    }
};

TEST_F(FolderScan, FilesOfAFolderComeBeforeItsSubFoldersDepthFirstAndABlankFilterGivesHeadings)
{
    const std::string r = exampleTree();
    std::vector<long> countAtEvents;
    whileScanning([&](int) { countAtEvents.push_back(rig.controls.listCount()); });
    const Entries files = below(r, {"/r1.jpg", "/r2.jpg", "/A/a1.jpg", "/A/A1/a11.jpg", "/B/b1.jpg"});
    EXPECT_EQ(load(r, "JPG"), files);
    // Pending events run after each entry and each folder's loop: r1, r2, a1, a11, end
    // of A's loop, b1, end of R's loop; A1 and B have no sub-folders.
    EXPECT_EQ(countAtEvents, (std::vector<long>{1, 2, 3, 4, 4, 5, 5}));
    EXPECT_EQ(reload(r + kSep, "JPG"), files);  // the trailing separator changes nothing

    for (const char* blank : {"", "   "}) {
        rig.fs.listed.clear();
        countAtEvents.clear();
        EXPECT_EQ(reload(r, blank), below(r, {"</A>", "</A/A1>", "</B>"})) << '"' << blank << '"';
        EXPECT_EQ(countAtEvents, (std::vector<long>{1, 2, 2, 3, 3}));
        // No file pass: each folder is listed once, for its sub-folders.
        EXPECT_EQ(rig.fs.listed, (Entries{r + kSep, r + native("/A/"), r + native("/A/A1/"), r + native("/B/")}));
    }
    // A sub-folder that cannot be listed adds nothing, and the scan goes on.
    rig.fs.failList = [&](const std::string& folder) { return folder == r + native("/A/"); };
    EXPECT_EQ(reload(r, "JPG"), below(r, {"/r1.jpg", "/r2.jpg", "/B/b1.jpg"}));
}

// Names sort by their upper-cased text, ties broken by their bytes; files and
// sub-folders alike.
TEST_F(FolderScan, NamesAndSubFoldersAreTakenByUpperCasedNameThenBytes)
{
    const std::string accented = inCodePage("\xC3\xA9t\xC3\xA9.jpg");
    Entries made{"b.jpg", "a.jpg", "_x.jpg", "A.jpg", "Banana.jpg", "apple.jpg", "9.jpg", "10.jpg", accented,
                 "C.jpg", "z/in.jpg", "b/in.jpg", "B/in.jpg", "album.jpg/in.jpg"};
    Entries listed{"10.jpg", "9.jpg", "A.jpg", "a.jpg", "apple.jpg", "b.jpg", "Banana.jpg", "C.jpg", "_x.jpg",
                   accented, "album.jpg/in.jpg", "B/in.jpg", "b/in.jpg", "z/in.jpg"};
    if (!rig.fs.caseSensitive())  // "a.jpg" and "A.jpg" name one file there, "b" and "B" one folder
        for (Entries* names : {&made, &listed})
            std::erase_if(*names, [](const std::string& n) { return n == "a.jpg" || n == "b/in.jpg"; });
    for (const auto& name : made)
        rig.tree.file("R/" + name);
    const std::string r = rig.tree.at("R");
    for (auto& name : listed)
        name = r + kSep + native(name);
    EXPECT_EQ(load(r, "JPG"), listed);  // a folder named like a picture is walked, not listed
}

TEST_F(FolderScan, AFilterSelectsByTheTextAfterTheFirstDotOfTheLastFourCharacters)
{
    const struct {
        std::string filter, name;
        bool selected;
    } cases[] = {
        {"JPG", "photo.jpg", true},  {"JPG", "photo.Jpg", true},   {"JPG", "photo.JPG", true},
        {"jpg", "photo.jpg", false}, {"jpg", "photo.JPG", false},  {" JPG ", "photo.jpg", true},
        {"TXT", "notes.TxT", true},  {"JPG", "photo.jpeg", false}, {"JPEG", "PHOTO.JPEG", false},
        {"JPG", "photo.png", false}, {"JP", "photo.jp", true},     {"PG", "photo.jpg", false},
        {"README", "README", false}, {"B", "archive.b.c", false},  {"C", "archive.b.c", false},
        // the last four are characters, not bytes; casing knows accented letters
        {inCodePage("JP\xC3\x89"), inCodePage("foto.jp\xC3\xA9"), true},
    };
    int n = 0;
    for (const auto& c : cases) {
        const std::string folder = "E" + std::to_string(++n);
        const std::string path = rig.tree.file(folder + "/" + c.name);
        EXPECT_EQ(reload(rig.tree.at(folder), c.filter), c.selected ? Entries{path} : Entries{})
            << "filter \"" << c.filter << "\" on " << c.name;
    }
}

TEST_F(FolderScan, AnAsteriskSelectsTheKnownTypesInListingOrder)
{
    const Entries known{"a.jpg", "b.mp4", "c.htm", "d.wav", "e.mp3", "f.mid", "g.avi", "h.mpg",
                        "i.mpe", "j.mp2", "K.JPG", "l.bmp", "m.tif", "n.gif", "o.wmf"};
    for (const auto& name : known)
        rig.tree.file("R/" + name);
    for (const char* name : {"p.wma", "q.txt", "r.html", "s.jpeg", "README", "archive.b.c"})
        rig.tree.file(std::string("R/") + name);
    const std::string r = rig.tree.at("R");
    Entries expected;
    for (const auto& name : known)
        expected.push_back(r + kSep + name);
    EXPECT_EQ(load(r, " * "), expected);
}

TEST_F(FolderScan, FilesAreTakenDownToLevelFiftyAndItsSubFoldersAnnounced)
{
    // R/1/2/.../60, a picture in every level; short names: a Windows path holds at most 260 characters.
    std::string relative = "R";
    Entries files, headings;
    for (int level = 0; level <= 60; relative += "/" + std::to_string(++level)) {
        const std::string folder = rig.tree.at(relative);
        rig.tree.file(relative + "/f.jpg");
        if (level <= 50)
            files.push_back(folder + native("/f.jpg"));
        if (level >= 1 && level <= 51)
            headings.push_back("<" + folder + ">");
    }
    EXPECT_EQ(load(rig.tree.at("R"), "JPG"), files);
    EXPECT_EQ(reload(rig.tree.at("R"), ""), headings);
    EXPECT_EQ(rig.form.scan().Livello, 0);
}

// One cycle per tree: were cycles walked, two of them would branch at every level.
TEST_F(FolderScan, ALinkToAFolderIsWalkedUnlessThatFolderIsOpenHigherUp)
{
    if (kWindows)
        GTEST_SKIP() << "links to folders and their cycles are a Linux matter";
    for (const char* name : {"Up/r.jpg", "Up/A/a.jpg", "Self/A/a.jpg", "Other/o.jpg", "Side/A/a.jpg", "Side/B/b.txt"})
        rig.tree.file(name);
    for (const auto& [to, at] : {std::pair{"Up", "Up/A/up"}, {"Self/A", "Self/A/self"}, {"Side/A", "Side/B/toA"},
                                 {"Other", "Side/link"}})
        std::filesystem::create_directory_symlink(rig.tree.at(to), rig.tree.at(at));
    const std::string up = rig.tree.at("Up"), self = rig.tree.at("Self"), side = rig.tree.at("Side");
    EXPECT_EQ(load(up, "JPG"), below(up, {"/r.jpg", "/A/a.jpg"}));
    EXPECT_EQ(reload(up, ""), below(up, {"</A>", "</A/up>"}));  // announced, not walked
    EXPECT_EQ(rig.form.scan().Livello, 0);
    EXPECT_EQ(reload(self, "JPG"), below(self, {"/A/a.jpg"}));
    // Open only on another branch, or not open at all: walked.
    EXPECT_EQ(reload(side, "JPG"), below(side, {"/A/a.jpg", "/B/toA/a.jpg", "/link/o.jpg"}));
}

TEST_F(FolderScan, EveryFileAndSubFolderIsTakenPastTheFiveHundredth)
{
    for (int i = 1000; i < 1505; ++i) {  // files counted as seen though not selected
        rig.tree.file("R/a" + std::to_string(i) + ".txt");
        rig.tree.folder("R/d" + std::to_string(i));
    }
    for (int i = 0; i < 10; ++i)
        rig.tree.file("R/z" + std::to_string(i) + ".jpg");
    rig.tree.file("R/d1504/last.jpg");
    const std::string r = rig.tree.at("R");
    const Entries& entries = load(r, "JPG");
    ASSERT_EQ(entries.size(), 11u);
    EXPECT_EQ(Entries(entries.end() - 2, entries.end()), below(r, {"/z9.jpg", "/d1504/last.jpg"}));
    const Entries& headings = reload(r, "");
    ASSERT_EQ(headings.size(), 505u);
    EXPECT_EQ(headings.back(), "<" + r + native("/d1504>"));
}

TEST_F(FolderScan, NamesAreListedExactlyAsOnDiskAndHiddenOnesNotAtAll)
{
    Entries names{"a b.jpg",    "back\\slash.jpg", "cent%20.jpg",    inCodePage("citt\xC3\xA0.jpg"), "hash#1.jpg",
                  "it's.jpg",   "q\"uote.jpg",     "raw\xFF\xFE.jpg", "x&y<z>.jpg"};
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
    if (kWindows)  // Windows drops the blanks at the end of a name, and hides names by an attribute
        return;
    // Heading entries drop blanks only at their ends; names beginning with "." are neither listed nor entered.
    rig.tree.folder("R/trail /in side");
    for (const char* hidden : {"R/.hidden.jpg", "R/.secret/inside.jpg", "R/.secret/deeper/in.jpg", "R/trail /.dot.jpg"})
        rig.tree.file(hidden);
    EXPECT_EQ(reload(r, "JPG"), expected);
    EXPECT_EQ(reload(r, ""), below(r, {"</Mare d'estate #2 & 50%>", "</trail>", "</trail /in side>"}));
}

TEST_F(FolderScan, AFilterChangedDuringTheScanTakesEffectAtTheNextFile)
{
    for (const char* name : {"a.jpg", "b.jpg", "c.png", "d.jpg", "sub/s.jpg", "sub/deeper/t.jpg"})
        rig.tree.file(std::string("R/") + name);
    const std::string r = rig.tree.at("R");
    whileScanning([&](int n) {
        if (n == 1)
            rig.type(txtESTENSIONE, "PNG");
    });
    EXPECT_EQ(load(r, "JPG"), below(r, {"/a.jpg", "/c.png"}));

    whileScanning([&](int n) {
        if (n == 1)
            rig.type(txtESTENSIONE, "");  // the rest turns into headings
    });
    EXPECT_EQ(reload(r, "JPG"), below(r, {"/a.jpg", "</sub>", "</sub/deeper>"}));
}

// "F I N E" clicked or the window closed at a pending-events point of the scan.
class EndedDuringTheScan : public FolderScan, public ::testing::WithParamInterface<bool> {};

TEST_P(EndedDuringTheScan, EndsTheProgramThere)
{
    const std::string r = exampleTree();
    int eventsAfterEnd = 0;
    whileScanning([&](int n) {
        if (n == 2)
            GetParam() ? rig.form.close() : rig.click(cmdFINE);
        else if (n > 2)
            ++eventsAfterEnd;
    });
    EXPECT_NO_THROW(load(r, "JPG"));
    EXPECT_TRUE(rig.ui.programEnded());
    EXPECT_EQ(rig.controls.entries(), below(r, {"/r1.jpg", "/r2.jpg"}));
    EXPECT_EQ(eventsAfterEnd, 0);
    EXPECT_EQ(rig.text(txtNUM_FILE), "");  // the load never got to its count or its beep
    EXPECT_EQ(rig.ui.beeps, 0);
    rig.click(cmdCONFERMA_Tutti);  // nothing runs once the program has ended
    EXPECT_EQ(rig.text(txtESTENSIONE), "JPG");
}

INSTANTIATE_TEST_SUITE_P(Ways, EndedDuringTheScan, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "WindowClosed" : "EndButton"; });

} // namespace
} // namespace tavlo::test
