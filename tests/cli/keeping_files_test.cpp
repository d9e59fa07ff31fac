// The files a user has, against real faults of real runs of the program: a run killed
// mid-page, two runs into one page at once, a full disk. Every page is whole or as it
// was, and no temporary stays behind.

#include "platform/posix/posix_file_system.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/wait.h>

namespace tavlo::test {
namespace {

// Runs a shell command line, in which $T names the program, with no display; its status.
int sh(const std::string& line)
{
    std::filesystem::current_path("/");  // an earlier test may have removed the current folder
    const std::string command = "T='" TAVLO_PROGRAM "'; unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM; " + line;
    return WEXITSTATUS(std::system(command.c_str()));
}

// Pictures IMG_00001.JPG... in a folder, empty: the pages do not look inside.
std::string pictures(const TempTree& tree, const std::string& folder, int count)
{
    for (int i = 1; i <= count; ++i)
        tree.file(folder + "/IMG_" + std::string(5 - std::to_string(i).size(), '0') + std::to_string(i) + ".JPG");
    return tree.at(folder);
}

long occurrences(const std::string& text, const std::string& piece)
{
    long count = 0;
    for (auto at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1))
        ++count;
    return count;
}

long temporariesIn(const std::string& folder)
{
    return std::ranges::count_if(std::filesystem::directory_iterator(folder),
                                 [](const auto& file) { return file.path().filename().string().starts_with(".tavlo-"); });
}

TEST(KeepingFiles, ARunKilledMidPageLeavesTheOldPageAndTwoRunsAtOnceThenEndWithOneWholePage)
{
    const TempTree tree;
    const std::string photos = pictures(tree, "photos", 3000);
    tree.file("photos/TAVLO.HTM", "my page\r\n");
    const std::string run = "\"$T\" --cartella '" + photos + "' --estensione JPG --sovrascrivi 2>>'" + tree.at("err") + "'";
    // Killed once its view pages are being written, deep inside the page.
    const int killed = sh(run + " & while [ ! -e '" + photos + "/IMG_00300.HTM' ] && kill -0 $! 2>/dev/null; do :; done;"
                                " kill -9 $! && { wait $!; } 2>/dev/null");
    if (killed != 128 + SIGKILL)
        GTEST_SKIP() << "the build ended before it could be killed";
    EXPECT_EQ(tree.read("photos/TAVLO.HTM"), "my page\r\n");

    EXPECT_EQ(sh(run + " & " + run + "; s=$?; wait $!; exit $((s + $?))"), 0) << tree.read("err");
    const std::string page = tree.read("photos/TAVLO.HTM");
    EXPECT_EQ(occurrences(page, "<td valign=\"Top\">"), 3000);
    EXPECT_EQ(occurrences(page, "</center></div>"), 1) << "one table end, one footer";
    EXPECT_EQ(temporariesIn(photos), 0) << "the killed run's temporary is swept";
}

// A small memory file system, filled up by the view pages, then to the last byte.
TEST(KeepingFiles, AFullDiskLeavesEveryOldFileWholeWithOneMessageAndNoTemporary)
{
    const TempTree tree;
    if (::mount("tavlo-full", tree.folder("disk").c_str(), "tmpfs", 0, "size=300k") != 0)
        GTEST_SKIP() << "a 300 KB tmpfs cannot be mounted here (" << std::strerror(errno) << "): no full disk to try";
    const std::string photos = pictures(tree, "disk/photos", 400);
    tree.file("disk/photos/TAVLO.HTM", "my page\r\n"), tree.file("disk/photos/INTESTAZ.HTM", "my header\r\n");
    for (const char* perPage : {"", "10"}) {
        if (*perPage != '\0') {  // not even the first page of a series fits
            const int fd = ::open(tree.at("disk/filler").c_str(), O_WRONLY | O_CREAT, 0644);
            while (::write(fd, std::string(4096, 'x').data(), 4096) > 0) {
            }
            ::close(fd);
        }
        const std::string paged = *perPage ? std::string(" --per-pagina ") + perPage : "";
        EXPECT_EQ(sh("\"$T\" --cartella '" + photos + "' --sovrascrivi" + paged + " 2>'" + tree.at("err") + "'"), 1);
        const std::string err = tree.read("err");
        // The one message of the window; the command line also tells of the record it could not keep.
        EXPECT_EQ(occurrences(err, "Errore in registrazione Elenco "), 1) << err;
        EXPECT_EQ(occurrences(err, " ERR= 61 - "), 1 + occurrences(err, "Elenco dei file creati non registrato: ")) << err;
        EXPECT_EQ(occurrences(err, "Visualizzo"), 0) << "nothing was written to show";
        EXPECT_EQ(tree.read("disk/photos/TAVLO.HTM"), "my page\r\n");
        EXPECT_FALSE(tree.exists("disk/photos/PAG_1.HTM"));
    }
    // A template copied onto the full disk: whole, or the old one stays.
    const std::string big = tree.file("big.htm", std::string(400 * 1024, 'x'));
    EXPECT_EQ(createPosixFileSystem({})->copyFile(big, photos + "/INTESTAZ.HTM").code, 61);
    EXPECT_EQ(tree.read("disk/photos/INTESTAZ.HTM"), "my header\r\n");
    EXPECT_EQ(temporariesIn(photos), 0);
    ::umount2(tree.at("disk").c_str(), MNT_DETACH);
}

} // namespace
} // namespace tavlo::test
