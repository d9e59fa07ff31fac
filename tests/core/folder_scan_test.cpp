// The folder scan through the load button: what a filter selects, the order of the
// entries, folder headings, the depth limit, hidden names, link cycles, and what the
// user does while it runs.
#include "support/rig_test.h"

#include <filesystem>

namespace tavlo::test {
namespace {

using enum ControlId;
using Entries = std::vector<std::string>;

class FolderScan : public RigTest {
protected:
    void SetUp() override { rig.start(); }
    /// Makes these files below the folder R and loads R anew; "<..." in `expected` is a heading.
    void expectLoad(std::string_view filter, Entries expected, const Entries& files = {})
    {
        for (const auto& name : files)
            rig.tree.file("R" + name);
        for (auto& e : expected)
            e = e.starts_with('<') ? "<" + r + native(e.substr(1)) : r + native(e);
        rig.click(Command2);
        EXPECT_EQ(load(r, filter), expected) << "filter \"" << filter << '"';
    }
    const std::string r = rig.tree.at("R");
};

TEST_F(FolderScan, FilesComeBeforeSubFoldersDepthFirstAndABlankFilterGivesHeadings)
{
    std::vector<long> counts;  // the list's length whenever pending events run
    rig.ui.onDoEvents = [&] { counts.push_back(rig.controls.listCount()); };
    expectLoad("JPG", {"/r1.jpg", "/r2.jpg", "/A/a1.jpg", "/A/A1/a11.jpg", "/B/b1.jpg"},
               {"/B/b1.jpg", "/r2.jpg", "/A/A1/a11.jpg", "/A/z.png", "/A/a1.jpg", "/r1.jpg"});
    EXPECT_EQ(counts, (std::vector<long>{1, 2, 3, 4, 4, 5, 5}));  // after each entry and each folder's loop
    counts.clear();
    expectLoad("  ", {"</A>", "</A/A1>", "</B>"});
    EXPECT_EQ(counts, (std::vector<long>{1, 2, 2, 3, 3}));
    rig.fs.failList = [&](const std::string& folder) { return folder == r + native("/A/"); };
    expectLoad("JPG", {"/r1.jpg", "/r2.jpg", "/B/b1.jpg"});  // and the scan goes on
}

TEST_F(FolderScan, AFilterTakesTheTextAfterTheFirstDotOfTheLastFourCharacters)
{
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"JPG", "/a.Jpg", true}, {"jpg", "/a.jpg", false}, {" JPG ", "/a.jpg", true}, {"JPG", "/a.jpeg", false},
        {"JPEG", "/A.JPEG", false}, {"JP", "/a.jp", true}, {"PG", "/a.jpg", false}, {"C", "/x.b.c", false},
        {"B", "/x.b.c", false}, {"README", "/README", false}, {"*", "/a.mpe", true}, {"*", "/a.wma", false},
        {"*", "/a.html", false}, {"JP\xC3\x89", "/a.jp\xC3\xA9", true},  // characters, not bytes
    };
    for (const auto& [filter, name, selected] : cases) {
        expectLoad(inCodePage(filter), selected ? Entries{inCodePage(name)} : Entries{}, {inCodePage(name)});
        std::filesystem::remove(rig.tree.at("R" + inCodePage(name)));
    }
    const Entries known{"/a.jpg", "/b.htm", "/c.wav", "/d.mp3", "/e.mid", "/f.avi", "/g.mp4", "/h.bmp", "/i.tif",
                        "/j.gif", "/k.wmf"};
    expectLoad("*", known, known);
}

TEST_F(FolderScan, FilesAreTakenDownToLevelFiftyAndItsSubFoldersAnnounced)
{
    std::string below;  // R/1/2/.../52, a picture in every level
    Entries files, pictures, headings;
    for (int level = 0; level <= 52; below += "/" + std::to_string(++level)) {
        pictures.push_back(below + "/f.jpg");
        if (level <= 50)
            files.push_back(below + "/f.jpg");
        if (level >= 1 && level <= 51)
            headings.push_back("<" + below + ">");
    }
    expectLoad("JPG", files, pictures);
    expectLoad("", headings);
    EXPECT_EQ(rig.form.scan().Livello, 0);
}

TEST_F(FolderScan, NamesStayAsOnDiskHiddenOnesAreSkippedAndLinkCyclesNotEntered)
{
    Entries names{"/a b.jpg", "/cent%20.jpg", inCodePage("/citt\xC3\xA0.jpg"), "/x&y#.jpg", "/M d'e & 5%/in.JPG"};
    if (!kWindows) {  // hidden names, links to folders and these names are Linux matters
        names.insert(names.begin() + 3, {"/q\"<>\\.jpg", "/raw\xFF.jpg"});
        for (const char* hidden : {"R/.hidden.jpg", "R/.secret/in.jpg", "R/Up/A/u.jpg"})
            rig.tree.file(hidden);
        std::filesystem::create_directory_symlink(r + "/Up", r + "/Up/A/up");
        std::filesystem::create_directory_symlink(r + "/Up/A", r + "/Side");
        rig.click(Command2);
        EXPECT_EQ(load(r + "/Up", ""), (Entries{"<" + r + "/Up/A>", "<" + r + "/Up/A/up>"}));  // announced, not walked
    }
    Entries expected = names;
    if (!kWindows)
        expected.insert(expected.end(), {"/Side/u.jpg", "/Up/A/u.jpg"});
    expectLoad("JPG", expected, names);
}

TEST_F(FolderScan, AFilterChangedDuringTheScanCountsFromTheNextFile)
{
    for (const char* filter : {"PNG", ""}) {
        rig.ui.onDoEvents = [&, n = 0]() mutable { ++n == 1 ? rig.type(txtESTENSIONE, filter) : void(); };
        expectLoad("JPG", *filter ? Entries{"/a.jpg", "/c.png"} : Entries{"/a.jpg", "</s>", "</s/t>"},
                   {"/a.jpg", "/b.jpg", "/c.png", "/s/s.jpg", "/s/t/t.jpg"});
    }
}

class EndedDuringTheScan : public FolderScan, public ::testing::WithParamInterface<bool> {};

TEST_P(EndedDuringTheScan, EndsTheProgramThereWithNothingMoreDone)
{
    rig.ui.onDoEvents = [&] { GetParam() ? rig.form.close() : rig.click(cmdFINE); };
    expectLoad("JPG", {"/r1.jpg"}, {"/r1.jpg", "/r2.jpg", "/A/a.jpg"});
    EXPECT_EQ(rig.text(txtNUM_FILE), "");  // the load got to neither its count nor its beep
    EXPECT_EQ(rig.ui.beeps, 0);
    EXPECT_EQ(rig.ui.doEventsCalls, 1);
}

INSTANTIATE_TEST_SUITE_P(ClosedOrEndButton, EndedDuringTheScan, ::testing::Bool());

} // namespace
} // namespace tavlo::test
