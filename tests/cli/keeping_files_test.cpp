// The files a user has, against real faults of real runs of the program: a run killed
// mid-page, a full disk, two runs into one page at once, a run refused before it makes
// any thumbnail. Every page is whole or as it was, and no temporary stays behind.

#include "platform/pictures.h"
#include "platform/posix/posix_file_system.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <cstdio>
#include <filesystem>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tavlo::test {
namespace {

namespace fs = std::filesystem;
using Args = std::vector<std::string>;

// Starts the program with no display, its messages going to `err`.
pid_t start(const Args& args, const std::string& err)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::unsetenv("DISPLAY"), ::unsetenv("WAYLAND_DISPLAY"), ::unsetenv("QT_QPA_PLATFORM");
        if (!std::freopen(err.c_str(), "w", stderr))
            ::_exit(126);
        std::vector<char*> argv{const_cast<char*>(TAVLO_PROGRAM)};
        for (const std::string& arg : args)
            argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        ::execv(TAVLO_PROGRAM, argv.data());
        ::_exit(127);
    }
    return pid;
}

int finish(pid_t pid)
{
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

int run(const Args& args, const std::string& err) { return finish(start(args, err)); }

// Pictures IMG_00001.JPG... in a folder, empty: the pages do not look inside.
void pictures(const TempTree& tree, const std::string& folder, int count)
{
    tree.folder(folder);
    char name[32];
    for (int i = 1; i <= count; ++i) {
        std::snprintf(name, sizeof name, "/IMG_%05d.JPG", i);
        std::ofstream(tree.at(folder) + name);
    }
}

long occurrences(const std::string& text, const std::string& piece)
{
    long count = 0;
    for (auto at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1))
        ++count;
    return count;
}

std::vector<std::string> temporariesIn(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& file : fs::directory_iterator(folder))
        if (file.path().filename().string().starts_with(".tavlo-"))
            names.push_back(file.path().filename().string());
    return names;
}

const std::string kCell = "<td valign=\"Top\">";

TEST(KeepingFiles, ARunKilledMidPageLeavesTheOldPageAndTheNextRunSweepsWhatItLeft)
{
    const TempTree tree;
    pictures(tree, "photos", 20000);
    const std::string old = tree.file("photos/TAVLO.HTM", "my page\r\n");
    const pid_t pid = start({"--cartella", tree.at("photos"), "--estensione", "JPG", "--sovrascrivi"}, tree.at("err"));
    // Killed once its view pages are being written, deep inside the page.
    int status = 0;
    while (!tree.exists("photos/IMG_02000.HTM") && ::waitpid(pid, &status, WNOHANG) == 0) {
    }
    if (::kill(pid, SIGKILL) != 0)
        GTEST_SKIP() << "the build ended before it could be killed";
    ASSERT_EQ(finish(pid), 128 + SIGKILL);
    EXPECT_EQ(tree.read("photos/TAVLO.HTM"), "my page\r\n");

    EXPECT_EQ(run({"--cartella", tree.at("photos"), "--estensione", "JPG", "--sovrascrivi"}, tree.at("err")), 0);
    EXPECT_EQ(occurrences(tree.read("photos/TAVLO.HTM"), kCell), 20000);
    EXPECT_EQ(temporariesIn(tree.at("photos")), std::vector<std::string>{});
}

// A small memory file system, filled up by the view pages.
class FullDisk : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (::mount("tavlo-full", disk.c_str(), "tmpfs", 0, "size=300k") != 0)
            GTEST_SKIP() << "a 300 KB tmpfs cannot be mounted here (" << std::strerror(errno)
                         << "): the full disk is left untried";
        mounted = true;
        pictures(tree, "disk/photos", 400);
        tree.file("disk/photos/TAVLO.HTM", "my page\r\n");
        tree.file("disk/photos/INTESTAZ.HTM", "my header\r\n");
    }
    void fillUp() const
    {
        const int fd = ::open((disk + "/filler").c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        const std::string block(4096, 'x');
        while (::write(fd, block.data(), block.size()) > 0) {
        }
        ::close(fd);
    }
    void TearDown() override
    {
        if (mounted)
            ::umount2(disk.c_str(), MNT_DETACH);
    }
    const TempTree tree;
    const std::string disk = tree.folder("disk");
    bool mounted = false;
};

TEST_F(FullDisk, LeavesEveryOldFileWholeWithOneMessageAndNoTemporary)
{
    const std::string photos = tree.at("disk/photos");
    for (const Args& more : {Args{}, Args{"--per-pagina", "10"}}) {
        if (!more.empty())
            fillUp();  // not even the first page of the series fits
        Args args{"--cartella", photos, "--sovrascrivi"};
        args.insert(args.end(), more.begin(), more.end());
        EXPECT_EQ(run(args, tree.at("err")), 1);
        const std::string err = tree.read("err");
        EXPECT_EQ(occurrences(err, "Errore in registrazione Elenco "), 1) << err;
        EXPECT_EQ(occurrences(err, " ERR= 61 - "), 1) << err;
        EXPECT_EQ(occurrences(err, "Visualizzo"), 0) << "nothing was written to show";
        EXPECT_EQ(tree.read("disk/photos/TAVLO.HTM"), "my page\r\n");
        EXPECT_FALSE(tree.exists("disk/photos/PAG_1.HTM"));
        EXPECT_EQ(temporariesIn(photos), std::vector<std::string>{});
    }
    // A template copied onto the full disk: whole, or the old one stays.
    const auto fileSystem = createPosixFileSystem({});
    EXPECT_EQ(fileSystem->copyFile(tree.file("big.htm", std::string(400 * 1024, 'x')), photos + "/INTESTAZ.HTM").code, 61);
    EXPECT_EQ(tree.read("disk/photos/INTESTAZ.HTM"), "my header\r\n");
    EXPECT_EQ(temporariesIn(photos), std::vector<std::string>{});
}

TEST(KeepingFiles, TwoRunsIntoOnePageAtOnceEachEndWithWholeFiles)
{
    const TempTree tree;
    pictures(tree, "photos", 3000);
    const Args args{"--cartella", tree.at("photos"), "--sovrascrivi"};
    const pid_t first = start(args, tree.at("err1"));
    const pid_t second = start(args, tree.at("err2"));
    EXPECT_EQ(finish(first), 0) << tree.read("err1");
    EXPECT_EQ(finish(second), 0) << tree.read("err2");
    const std::string page = tree.read("photos/TAVLO.HTM");
    EXPECT_EQ(occurrences(page, kCell), 3000);
    EXPECT_EQ(occurrences(page, "</center></div>"), 1) << "one table end, one footer";
    EXPECT_EQ(temporariesIn(tree.at("photos")), std::vector<std::string>{});
}

TEST(KeepingFiles, ARunRefusedForAPageThereMakesNoThumbnail)
{
    const TempTree tree;
    const auto imaging = createPictures();
    const Picture green{8, 8, std::vector<unsigned char>(8 * 8 * 3, 200)};
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg"})
        tree.file(std::string("photos/") + name, imaging->jpeg(green));
    for (const auto& [page, more] : {std::pair{"TAVLO.HTM", Args{}}, {"PAG_2.HTM", Args{"--per-pagina", "1"}}}) {
        tree.file(std::string("photos/") + page, "mine");
        Args args{"--cartella", tree.at("photos"), "--miniature"};
        args.insert(args.end(), more.begin(), more.end());
        EXPECT_EQ(run(args, tree.at("err")), 1);
        EXPECT_EQ(tree.read("err"), "Elenco  " + tree.at("photos/") + page + "  gia' esistente, continuo (S/N)\n");
        EXPECT_FALSE(tree.exists("photos/MINIATURE"));
        fs::remove(tree.at(std::string("photos/") + page));
    }
}

} // namespace
} // namespace tavlo::test
