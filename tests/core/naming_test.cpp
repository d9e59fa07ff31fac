// The rules that name what a page links to, each at its own seam: a view page's name,
// the way from the page folder to an entry's folder, and what a folder's record owns.
#include "pages/build_record.h"
#include "pages/link_from_page.h"
#include "pages/view_page_names.h"
#include "support/rig.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tavlo::test {
namespace {

TEST(ViewPageNames, TheFirstPictureOfANameKeepsItAndEachLaterOneTakesTheLowestFreeTilde)
{
    // A picture's view page is its name in upper case without the extension, and ".HTM";
    // a name without a dot loses its last character. Names are compared ignoring case; a
    // "~N" is neither given already nor a picture's own name. Blank entries and sounds,
    // films and pages have none, and take no name from a picture.
    const std::pair<const char*, const char*> rows[] = {
        {"A/IMG_0001.JPG", "IMG_0001.HTM"}, {"B/IMG_0001.JPG", "IMG_0001~3.HTM"}, {"C/IMG_0001~2.JPG", "IMG_0001~2.HTM"},
        {"x.gif", "X.HTM"},                 {"A/IMG_0001.MP3", ""},               {"X.JPG", "X~2.HTM"},
        {"x.jpg", "X~3.HTM"},               {"D/IMG_0001.JPG", "IMG_0001~4.HTM"}, {"   ", ""},
        {"E/ΦΩΤΟ.jpeg", "ΦΩΤΟ.HTM"},        {"E/ritratto", "RITRATT.HTM"},        {"F/PAG_1.HTM", ""},
    };
    EntryStore entries;
    for (const auto& [entry, name] : rows)
        entries.append(native(entry));
    const ViewPageNames names(entries, kSep, 0, entries.size());
    for (long i = 0; i < entries.size(); ++i)
        EXPECT_EQ(names.nameOf(i, entries.at(i)).value_or(""), rows[i].second) << rows[i].first;
    // Named among the pictures of one page alone, the first of a name keeps its own.
    EXPECT_EQ(ViewPageNames(entries, kSep, 1, 2).nameOf(1, entries.at(1)), "IMG_0001.HTM");
}

TEST(LinkFromPage, AnEntryBelowThePageFolderIsReachedDownAndOneElsewhereByAPathUp)
{
    const EntryNaming naming{kSep, !kWindows};
    const std::string page = native("/home/anna/site/");
    // The entry's folder, and the folder the page names before the file's name.
    const std::pair<const char*, const char*> rows[] = {
        {"/home/anna/site/", ""},
        {"/home/anna/site/Mare 2024/", "Mare 2024/"},
        {"/home/anna/foto/", "../foto/"},
        {"/home/anna/sitex/", "../sitex/"},  // a name that only begins like the page folder's is another folder
        {"/var/foto/", "../../../var/foto/"},
        {"relative/folder/of/", "of/"},  // not a full path: the page folder's length of characters is dropped, as ever
    };
    for (const auto& [entry, expected] : rows) {
        const std::string folder = kWindows ? "C:" + native(entry) : native(entry);  // "C:relative\" is no full path
        const std::string pageFolder = kWindows ? "C:" + page : page;
        EXPECT_EQ(folderFromPage(folder, pageFolder, naming).folder, kWindows ? native(expected) : expected) << entry;
    }
    if (kWindows) {  // no path leads to another drive
        EXPECT_TRUE(folderFromPage("D:\\FOTO\\", "C:" + page, naming).isUrl);
    }
}

TEST(BuildRecords, ANameIsOursOnlyWhileItsFileLiesThereAsTheBuildLeftIt)
{
    TempTree tree;
    const auto fs = createPlatformFileSystem();
    const std::string folder = tree.folder("site") + kSep;
    const auto stampOf = [&](const std::string& name) { return *fs->fileStamp(folder + name); };
    for (const char* name : {"ours.htm", "changed.htm", "small.htm", "grown.htm", "line\rbreak.htm", "user.jpg"})
        tree.file(std::string("site/") + name, "1234");
    std::string record = BuildRecord::startLine();
    BuildRecord::addWrittenLine(record, "ours.htm", stampOf("ours.htm"));
    BuildRecord::addWrittenLine(record, "changed.htm", stampOf("changed.htm"));
    BuildRecord::addWrittenHereLine(record, "small.htm", 4);
    BuildRecord::addWrittenHereLine(record, "grown.htm", 4);
    BuildRecord::addWrittenLine(record, "line\rbreak.htm", stampOf("line\rbreak.htm"));
    record += "junk that names nothing\r\n= 4 x folder/in/a/name.htm\r\n";
    tree.file("site/" + std::string(kBuildRecordName), record);
    tree.file("site/changed.htm", "12345");
    tree.file("site/grown.htm", "12345");

    const BuildRecord ours(*fs, folder);
    EXPECT_TRUE(ours.current());
    for (const char* name : {"ours.htm", "small.htm", kWindows ? "ours.htm" : "line\rbreak.htm"})  // no CR in a Windows name
        EXPECT_TRUE(ours.wrote(name)) << name;
    for (const char* name : {"changed.htm", "grown.htm", "user.jpg", "line", "break.htm", "junk that names nothing"})
        EXPECT_FALSE(ours.wrote(name)) << name;

    // A name about to be written counts for a file made after the record took it; a
    // record of an earlier version, a bare name a line, for files no newer than it.
    tree.file("site/" + std::string(kBuildRecordName), BuildRecord::startLine() + BuildRecord::writingLine("next.htm") +
                                                         BuildRecord::tookLine(stampOf("ours.htm").changed - 1));
    tree.file("site/next.htm", "new");
    EXPECT_TRUE(BuildRecord(*fs, folder).wrote("next.htm"));
    tree.file("site/" + std::string(kBuildRecordName), "ours.htm\r\nuser.jpg\r\n");
    std::filesystem::last_write_time(onDisk(tree.at("site/" + std::string(kBuildRecordName))),
                                     std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
    const BuildRecord legacy(*fs, folder);
    EXPECT_FALSE(legacy.current());
    EXPECT_FALSE(legacy.wrote("ours.htm"));  // newer than that record
}

} // namespace
} // namespace tavlo::test
