// The Linux file system seam: failure codes, drive C: for the write fallbacks, files
// created only where nothing is, and copies.
#include "platform/posix/posix_file_system.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

namespace tavlo {
namespace {

TEST(PosixFileSystem, FailuresCarryTheSystemsCodesAndText)
{
    const std::pair<int, int> codes[] = {{EACCES, 75}, {EPERM, 75}, {EROFS, 75}, {EISDIR, 75}, {ETXTBSY, 75},
                                         {ENOENT, 76}, {ENOTDIR, 76}, {ENAMETOOLONG, 76}, {ELOOP, 76},
                                         {ENOSPC, 61}, {EDQUOT, 61}, {EIO, 57}, {EBUSY, 57}};
    for (const auto& [error, code] : codes)
        EXPECT_EQ(failureFromErrno(error).description + " " + std::to_string(failureFromErrno(error).code),
                  std::strerror(error) + (" " + std::to_string(code)));
}

TEST(PosixFileSystem, DriveCIsTheHomeFileSystemAndAFolderElsewhereMovesBelowHomeByItsPathBelowItsMountPoint)
{
    const test::TempTree tree;
    const auto fs = createPosixFileSystem({"", "", tree.folder("home"), true});
    const std::string home = tree.at("home/"), site = tree.folder("site") + "/";
    for (const auto& [folder, onDriveC] : {std::pair{site, site}, {site + "no/more/", site + "no/more/"},
                                           {"/proc/tavlo-cd/FOTO/", home + "tavlo-cd/FOTO/"}, {"/proc/", home}})
        EXPECT_EQ(fs->sameFolderOnDriveC(folder), onDriveC);
    EXPECT_EQ(fs->driveCRoot() + fs->defaultSearchFolder(), home + "/");

    Failure failure;
    auto file = fs->createText(site + "page.htm", failure);
    EXPECT_FALSE(!file || file->writeLine("<HTML>") || file->writeLine("\xC3\xA0") || file->close());
    for (const auto& [path, code] : {std::pair{site + "page.htm", 58}, {site + "no/page.htm", 76},
                                     {site + "page.htm/x", 76}, {site, 75}, {site + "new.htm", 0}})
        EXPECT_EQ((fs->createNewText(path, failure), failure.code), code) << path;
    EXPECT_EQ(tree.read("site/page.htm"), "<HTML>\r\n\xC3\xA0\r\n");
    file = fs->createText("/dev/full", failure);  // a full disk shows when the lines are handed over
    EXPECT_EQ(file->writeLine("x").code + file->flush().code, 61);
    EXPECT_EQ(fs->readLines(site), std::nullopt);

    EXPECT_FALSE(fs->copyFile(site + "page.htm", tree.file("INTESTAZ.HTM", "old")) || fs->copyFile(site + "page.htm", site + "c"));
    EXPECT_EQ(tree.read("INTESTAZ.HTM"), tree.read("site/c"));
    EXPECT_NE(std::filesystem::status(site + "c").permissions() & std::filesystem::perms::others_read,
              std::filesystem::perms::none) << "a copy anyone may read";
    EXPECT_EQ(fs->copyFile(site + "page.htm", site + "../site/page.htm").code, 75) << "a file onto itself";
    EXPECT_EQ(fs->copyFile(site + "none.jpg", site + "copy.jpg").code, 76);
}

} // namespace
} // namespace tavlo
