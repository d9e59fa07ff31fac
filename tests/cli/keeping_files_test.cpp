// The files a user has, against real faults of real runs of the program: a run killed
// or stopped by a signal mid-page, two runs into one page at once, a full disk, and a
// folder that holds traps where the build's own files go. Every page is whole or as it
// was, no temporary stays behind, and nothing of the user's is replaced or taken.

#include "platform/posix/posix_file_system.h"
#include "support/temp_tree.h"
#include "support/test_paths.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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

// Stopped by a terminal or a request to end, a run ends at once with the shell's status
// for it: the old page stays, no temporary is left, and the view pages it had written are
// in the folder's record, so that a later load does not take them for the user's pages.
TEST(KeepingFiles, ARunStoppedByASignalKeepsTheOldPageAndARecordThatHidesWhatItWrote)
{
    const TempTree tree;
    const std::string out = tree.folder("out");
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        const std::string photos = pictures(tree, "photos" + std::to_string(signal), 3000);
        tree.file("photos" + std::to_string(signal) + "/TAVLO.HTM", "my page\r\n");
        const std::string run = "\"$T\" --cartella '" + photos + "' --estensione JPG --sovrascrivi 2>/dev/null";
        const int status = sh(run + " & while [ ! -e '" + photos + "/IMG_00300.HTM' ] && kill -0 $! 2>/dev/null; do :; done;"
                                    " kill -" + std::to_string(signal) + " $!; wait $!");
        if (readFile(photos + "/TAVLO.HTM") != "my page\r\n" && status == 0)
            GTEST_SKIP() << "the build ended before the signal came";
        EXPECT_EQ(status, 128 + signal);
        EXPECT_EQ(readFile(photos + "/TAVLO.HTM"), "my page\r\n");
        EXPECT_EQ(temporariesIn(photos), 0);
        // Every page there: only the user's own is an entry.
        EXPECT_EQ(sh("\"$T\" --cartella '" + photos + "' --estensione HTM --sovrascrivi --pagina '" + out + "/LOAD.HTM' 2>/dev/null"), 0);
        EXPECT_EQ(occurrences(tree.read("out/LOAD.HTM"), "<td valign=\"Top\">"), 1) << "signal " << signal;
    }
}

// Killed while it makes thumbnails, a run leaves none that a load would take for a picture
// of the user's, although thumbnails carry their picture's own time of last change.
TEST(KeepingFiles, ARunKilledAmidItsThumbnailsLeavesNoneToLoad)
{
    const TempTree tree;
    const std::string photos = tree.folder("photos");
    for (int i = 1; i <= 300; ++i)
        std::filesystem::copy_file(TAVLO_TEST_TEMPLATE_DIR "/Sfondo1g.jpg", photos + "/IMG_" + std::to_string(i) + ".JPG");
    const std::string run = "\"$T\" --cartella '" + photos + "' --estensione JPG --miniature 2>/dev/null";
    sh(run + " & while ! ls '" + photos + "/MINIATURE/' 2>/dev/null | grep -q jpg && kill -0 $! 2>/dev/null; do :; done;"
             " kill -9 $! && { wait $!; } 2>/dev/null");
    if (tree.exists("photos/TAVLO.HTM"))
        GTEST_SKIP() << "the build ended before it could be killed";
    const std::string out = tree.folder("out");
    EXPECT_EQ(sh("\"$T\" --cartella '" + photos + "' --estensione JPG --pagina '" + out + "/LOAD.HTM' 2>/dev/null"), 0);
    EXPECT_EQ(occurrences(tree.read("out/LOAD.HTM"), "<td valign=\"Top\">"), 300);
}

// What lies where the build's record goes never leaks, hangs or crashes the build, and
// is told of on the command line; a picture inside a folder of that name is not walked.
TEST(KeepingFiles, ARecordThatIsALinkAFolderAPipeOrHugeIsNeverFollowedOrRead)
{
    const TempTree tree;
    const std::string secret = tree.file("secret", "password\r\n");
    ::chmod(secret.c_str(), 0600);
    const std::string record = tree.at("photos/.tavlo");
    const std::function<void()> traps[] = {
        [&] { std::filesystem::create_symlink(secret, record); },
        [&] { tree.file("photos/.tavlo/hidden.jpg"); },
        [&] { ::mkfifo(record.c_str(), 0644); },
        [&] { tree.file("photos/.tavlo"), std::filesystem::resize_file(record, 10ull << 40); },  // 10 TB, sparse
    };
    for (const auto& trap : traps) {
        std::filesystem::remove_all(tree.at("photos"));
        pictures(tree, "photos", 3);
        trap();
        EXPECT_EQ(sh("\"$T\" --cartella '" + tree.at("photos") + "' --estensione JPG 2>'" + tree.at("err") + "'"), 0);
        const std::string err = tree.read("err"), page = tree.read("photos/TAVLO.HTM");
        EXPECT_EQ(occurrences(page, "<td valign=\"Top\">"), 3) << err;
        EXPECT_EQ(tree.read("secret"), "password\r\n");
        if (std::filesystem::is_regular_file(std::filesystem::symlink_status(record))) {
            EXPECT_EQ(tree.read("photos/.tavlo").find("password"), std::string::npos);
            EXPECT_LT(std::filesystem::file_size(record), 4096u);
        } else {
            EXPECT_EQ(occurrences(err, "Elenco dei file creati non registrato: " + record), 1) << err;
        }
    }
}

// As an ordinary user: a file of the user's where a view page goes, that cannot be read,
// is not taken for ours; the build takes the general failure road and the file stays.
TEST(KeepingFiles, AFileThatCannotBeReadWhereAViewPageGoesStaysAsItIs)
{
    const TempTree tree;
    const std::string photos = pictures(tree, "photos", 2);
    const std::string mine = tree.file("photos/IMG_00002.HTM", "mine\r\n");
    ::chown(photos.c_str(), 65534, 65534), ::chown(mine.c_str(), 65534, 65534), ::chmod(mine.c_str(), 0200);
    ::chmod(tree.at("").c_str(), 0755);
    const int status = sh("setpriv --reuid=65534 --regid=65534 --clear-groups \"$T\" --cartella '" + photos +
                          "' --estensione JPG 2>'" + tree.at("err") + "'");
    if (status == 127 || ::geteuid() != 0)
        GTEST_SKIP() << "no other user to run as here";
    EXPECT_EQ(status, 1);
    EXPECT_EQ(occurrences(tree.read("err"), "Errore in registrazione Elenco " + photos + "/TAVLO.HTM\n\n ERR= 58 - "), 1)
        << tree.read("err");
    EXPECT_EQ(tree.read("photos/IMG_00002.HTM"), "mine\r\n");
}

// The command line tells of the folders the scan leaves below its depth limit.
TEST(KeepingFiles, FoldersPastTheDepthLimitAreToldOf)
{
    const TempTree tree;
    std::string deep = "top";
    for (int level = 1; level <= 52; ++level)
        deep += "/d";
    tree.file(deep + "/IMG.JPG");
    sh("\"$T\" --cartella '" + tree.at("top") + "' --estensione JPG 2>'" + tree.at("err") + "'");
    EXPECT_EQ(occurrences(tree.read("err"), "Cartella oltre il livello 50, non letta: " + tree.at("top")), 1)
        << tree.read("err");
}

} // namespace
} // namespace tavlo::test
