// The folder scan through the load button, on real folder trees.
#include "support/rig_test.h"

namespace tavlo::test {
namespace {

using Entries = std::vector<std::string>;

class FolderScan : public RigTest, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override { rig.start(); }
    /// Makes the files below the folder R, loads R (or a folder below it) anew and checks the entries.
    void expectLoad(std::string_view filter, Entries expected, const Entries& files = {}, const std::string& below = "")
    {
        for (const auto& name : files)
            rig.tree.file("R" + name);
        for (auto& e : expected)  // "<...>" a heading
            e = e.starts_with('<') ? "<" + r + native(e.substr(1)) : r + native(e);
        rig.click(ControlId::Command2);
        EXPECT_EQ(load(r + native(below), filter), expected) << "filter \"" << filter << '"';
    }
    void remove(const std::string& below = "") { std::filesystem::remove_all(onDisk(r + native(below))); }
    const std::string r = rig.tree.at("R");
};

TEST_F(FolderScan, FilesComeBeforeSubFoldersDepthFirstABlankFilterGivesHeadingsAndTheFilterTakesTheLastFourCharacters)
{
    std::vector<long> counts;  // the list's length whenever pending events run: after each entry and folder
    rig.ui.onDoEvents = [&] { counts.push_back(rig.controls.listCount()); };
    expectLoad("JPG", {"/r1.jpg", "/r2.jpg", "/A/a1.jpg", "/A/A1/a11.jpg", "/B/b1.jpg"},
               {"/B/b1.jpg", "/r2.jpg", "/A/A1/a11.jpg", "/A/z.png", "/A/a1.jpg", "/r1.jpg"}, "/");
    expectLoad("  ", {"</A>", "</A/A1>", "</B>"});
    EXPECT_EQ(rig.form.scan().Livello, 0);
    EXPECT_EQ(counts, (std::vector<long>{1, 2, 3, 4, 4, 5, 5, 1, 2, 2, 3, 3}));
    rig.fs.failList = [&](const std::string& folder) { return folder == r + native("/A/"); };
    expectLoad("JPG", {"/r1.jpg", "/r2.jpg", "/B/b1.jpg"});  // and the scan goes on
    rig.fs.failList = nullptr;
    remove();
    for (const auto& [filter, name, selected] : {std::tuple{"JPG", "/a.Jpg", true}, {"jpg", "/a.jpg", false},
             {" JPG ", "/a.jpg", true}, {"JPEG", "/A.JPEG", false}, {"JP", "/a.jp", true}, {"PG", "/a.jpg", false},
             {"C", "/x.b.c", false}, {"*", "/a.mpe", true}, {"*", "/a.wma", false}, {"*", "/a.html", false},
             {"JP\xC3\x89", "/a.jp\xC3\xA9", true}}) {  // characters, not bytes
        expectLoad(filter, selected ? Entries{name} : Entries{}, {name});
        remove(name);
    }
    const Entries known{"/a.htm", "/b.wav", "/c.mid", "/d.avi", "/e.mp3", "/f.bmp", "/g.tif", "/h.gif", "/i.wmf"};
    expectLoad("*", known, known);  // and JPG, and every MP
    remove();
    Entries chain, headings;  // folders down to level 51: the one at level 51 is announced, not scanned
    for (std::string d = "/d"; chain.size() < 51; d += "/d")
        chain.push_back(d + "/x.jpg"), headings.push_back("<" + d + ">");
    expectLoad("JPG", Entries(chain.begin(), chain.end() - 1), chain);
    expectLoad("", headings);
}

TEST_F(FolderScan, NamesStayAsOnDiskHiddenOnesAreSkippedLinkCyclesNotEntered)
{
    const Entries names{"/a b&%#'.jpg", "/citt\xC3\xA0.jpg", "/\xCE\xB3\xCE\xB9\xCF\x84\xCE\xB1 \xF0\x9F\x98\x80.jpg",  // Greek, an emoji
                        "/M d'e/in.JPG", "/\xE4\xB8\xAD\xE6\x96\x87/\xE7\x85\xA7.jpg"};  // Chinese
    if (kWindows)  // hidden names, links to folders and names that are no text are Linux matters
        return expectLoad("JPG", names, names);
    expectLoad("JPG", {"/raw\xFF\".jpg", "/Up/A/u.jpg"}, {"/Up/A/u.jpg", "/.hidden.jpg", "/.secret/in.jpg", "/raw\xFF\".jpg"});
    std::filesystem::create_directory_symlink(r + "/Up", r + "/Up/A/up");
    std::filesystem::create_directory_symlink(r + "/Up/A", r + "/Side");
    expectLoad("", {"</Up/A>", "</Up/A/up>"}, {}, "/Up");  // the link back up is announced, not walked
    expectLoad("JPG", {names[0], names[1], "/raw\xFF\".jpg", names[2], names[3], "/Side/u.jpg", "/Up/A/u.jpg", names[4]}, names);
}

TEST_P(FolderScan, AFilterChangedMeanwhileCountsFromTheNextFileAndTheEndOrClosingStopsTheScan)
{
    rig.ui.onDoEvents = [&, n = 0]() mutable { ++n == 1 ? rig.type(ControlId::txtESTENSIONE, GetParam() ? "PNG" : "") : void(); };
    expectLoad("JPG", GetParam() ? Entries{"/a.jpg", "/c.png"} : Entries{"/a.jpg", "</s>", "</s/t>"},
               {"/a.jpg", "/b.jpg", "/c.png", "/s/s.jpg", "/s/t/t.jpg"});
    rig.ui.onDoEvents = [&] { GetParam() ? rig.form.close() : rig.click(ControlId::cmdFINE); };
    expectLoad("JPG", {"/a.jpg"});
    EXPECT_EQ(rig.text(ControlId::txtNUM_FILE) + std::to_string(rig.ui.beeps), GetParam() ? "21" : "31");  // nor count nor beep
}

INSTANTIATE_TEST_SUITE_P(ClosedOrEndButton, FolderScan, ::testing::Bool());

} // namespace
} // namespace tavlo::test
