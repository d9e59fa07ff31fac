// A single-page build of many picture entries through Command1, on the headless
// window and the real Linux file system, against a plain program that writes the
// same number of files of the same sizes.
//
// Usage: page_bench WORK_FOLDER [ENTRIES] [RUNS]

#include "app/frm_tavlo.h"
#include "bench_support.h"
#include "headless_bench.h"
#include "support/headless_controls.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <iostream>
#include <string>
#include <sys/vfs.h>
#include <unistd.h>
#include <vector>

namespace {

using namespace tavlo;
using namespace tavlo::bench;
namespace fs = std::filesystem;

struct PlainFile {
    std::string name;
    std::size_t size;
};

// A typical picture entry of a gallery folder below the page folder.
std::string pictureEntry(const std::string& pageFolder, long index)
{
    char tail[64];
    std::snprintf(tail, sizeof tail, "Album %03ld/IMG_%06ld.jpg", index / 100, index);
    return pageFolder + "Foto vacanze/" + tail;
}

std::vector<PlainFile> filesIn(const std::string& folder)
{
    std::vector<PlainFile> files;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.is_regular_file())
            files.push_back({entry.path().filename().string(), static_cast<std::size_t>(entry.file_size())});
    return files;
}

// The baseline: create each file and write its bytes, nothing more.
void writePlainFiles(const std::string& folder, const std::vector<PlainFile>& files, const std::string& bytes)
{
    for (const PlainFile& file : files) {
        const std::string path = folder + file.name;
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd < 0)
            fail("cannot create " + path);
        std::size_t left = file.size;
        while (left > 0) {
            const ssize_t written = ::write(fd, bytes.data(), std::min(left, bytes.size()));
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0)
                fail("cannot write " + path);
            left -= static_cast<std::size_t>(written);
        }
        ::close(fd);
    }
}

// The kind of file system a folder lies on, for the report.
std::string fileSystemKind(const std::string& folder)
{
    struct statfs info {};
    if (::statfs(folder.c_str(), &info) != 0)
        return "unknown";
    switch (static_cast<unsigned long>(info.f_type)) {
    case 0x01021994: return "tmpfs";
    case 0xEF53: return "ext4";
    case 0x9123683E: return "btrfs";
    case 0x58465342: return "xfs";
    default: return "other";
    }
}

} // namespace

int main(int argc, char** argv)
{
    const auto [work, entries, runs] = readWorkArguments(argc, argv, "page_bench WORK_FOLDER [ENTRIES] [RUNS]", 10000, 5);

    const auto fileSystem = benchFileSystem(work);

    HeadlessControls controls;
    HeadlessUi ui;
    frmTAVLO form(controls, ui, *fileSystem);
    ui.answerNext(Answer::No);  // the complete window
    form.Form_Load();

    int folders = 0;
    const auto freshFolder = [&] {
        const std::string folder = work + "run" + std::to_string(++folders) + "/";
        fs::create_directories(folder);
        return folder;
    };
    const auto buildOnce = [&](const std::string& folder) {
        controls.listClear();
        for (long i = 0; i < entries; ++i)
            controls.listAdd(pictureEntry(folder, i));
        controls.setText(ControlId::txtNUM_FILE, std::to_string(entries));
        controls.setEnabled(ControlId::Command1, true);  // as a load leaves it
        controls.setText(ControlId::txtMAX_PER_RIGA, "5");
        controls.setText(ControlId::txtNOME_FILE_HTM, folder + "TAVLO.HTM");
        return timedBuild(form, ui);
    };

    // A first build, untimed, gives the files and sizes the baseline writes.
    const std::string first = freshFolder();
    buildOnce(first);
    const std::vector<PlainFile> files = filesIn(first);
    if (files.size() != static_cast<std::size_t>(entries) + 12)  // the view pages, the page, ten templates, the list of them
        fail("the build wrote " + std::to_string(files.size()) + " files");
    std::size_t totalBytes = 0;
    std::size_t largest = 0;
    for (const PlainFile& file : files) {
        totalBytes += file.size;
        largest = std::max(largest, file.size);
    }
    const std::string bytes(std::min<std::size_t>(largest, 1 << 20), 'x');

    // Nothing is removed until every run is done: where ext4 runs without a journal it
    // steps over recently freed inodes when it makes a file, which would slow down
    // whichever side ran after a removal. The two sides take turns at going first.
    std::vector<double> ours;
    std::vector<double> theirs;
    const auto plainOnce = [&] {
        const std::string plain = freshFolder();
        const double start = nowSeconds();
        writePlainFiles(plain, files, bytes);
        theirs.push_back(nowSeconds() - start);
    };
    for (int run = 0; run < runs; ++run) {
        if (run % 2 == 1)
            plainOnce();
        ours.push_back(buildOnce(freshFolder()));
        if (run % 2 == 0)
            plainOnce();
    }
    for (int folder = 1; folder <= folders; ++folder)
        fs::remove_all(work + "run" + std::to_string(folder));
    const double oursMedian = median(ours);
    const double plainMedian = median(theirs);
    const double ratio = oursMedian / plainMedian;

    std::cout << "Single-page build of " << countText(entries) << " picture entries\n";
    printFigure("file system", fileSystemKind(work));
    printFigure("files written", countText(static_cast<long>(files.size())) + ", " +
                                     countText(static_cast<long>(totalBytes)) + " bytes");
    printFigure("Command1, median of " + std::to_string(runs), milliseconds(oursMedian));
    printFigure("plain writes, median of " + std::to_string(runs), milliseconds(plainMedian));
    printFigure("peak RSS", mebibytes(static_cast<double>(peakRssKiB())));
    printRow("Page build, " + countText(entries) + " pictures: Command1 vs plain writes", milliseconds(oursMedian), milliseconds(plainMedian),
             ratioText(ratio), "<= 1.25x", ratio <= 1.25 ? "met" : "MISSED");
    printMemory("Peak RSS, page build (headless, " + countText(entries) + " entries)",
                mebibytes(static_cast<double>(peakRssKiB())));
    return 0;
}
