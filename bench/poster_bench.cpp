// Posters: the thumbnail phase over films (a frame a tenth of the way in, its centre, 200x200)
// against FFmpeg's own program taking the same frame with the same crop and size, one process
// per film, with as many parallel jobs as cores; and the phase's peak memory.
//
// Usage: poster_bench WORK_FOLDER [FILMS] [RUNS]

#include "app/frm_tavlo.h"
#include "bench_support.h"
#include "headless_bench.h"
#include "gallery/thumbnails.h"
#include "gallery/window_build.h"
#include "support/headless_controls.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace tavlo;
using namespace tavlo::bench;
namespace fs = std::filesystem;

constexpr int kDistinct = 10;   // distinct films; the others are copies of them
constexpr int kSeconds = 20;    // each film's length: its poster is taken at 2 s
constexpr const char* kSize = "1280x720";

// Films as a camera makes them: H.264 at 30 frames a second, a key frame every 250.
std::vector<std::string> makeFilms(const std::string& folder, int count, const std::string& cores)
{
    fs::create_directories(folder);
    std::string made;
    for (int i = 0; i < kDistinct; ++i)
        made += std::to_string(i) + "\n";
    std::ofstream(folder + "distinct.txt") << made;
    const std::string make = "xargs -P " + cores + " -I{} ffmpeg -v error -y -f lavfi -i testsrc2=s=" + kSize + ":r=30:d=" +
                             std::to_string(kSeconds) + " -vf hue=h={}0 -c:v libx264 -preset veryfast -g 250 -pix_fmt yuv420p '" +
                             folder + "distinct-{}.mp4' < '" + folder + "distinct.txt'";
    if (runProgram({"sh", "-c", make}, false).exitCode != 0)
        fail("ffmpeg could not make the films (is ffmpeg installed?)");
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "MVI_%04d.MP4", i + 1);
        paths.push_back(folder + name);
        fs::copy_file(folder + "distinct-" + std::to_string(i % kDistinct) + ".mp4", paths.back(),
                      fs::copy_options::overwrite_existing);
    }
    return paths;
}

} // namespace

int main(int argc, char** argv)
{
    const auto [work, filmCount, runs] = readWorkArguments(argc, argv, "poster_bench WORK_FOLDER [FILMS] [RUNS]", 50, 3);
    const int count = static_cast<int>(filmCount);
    const std::string cores = std::to_string(std::max(1u, std::thread::hardware_concurrency()));
    const auto fileSystem = benchFileSystem(work);
    const auto pictures = createPictures();
    const std::string site = work + "site/";
    std::cout << "Posters of " << count << " films of " << kSize << ", " << kSeconds << " s, " << cores << " cores\n";
    const std::vector<std::string> films = makeFilms(site + "Film/", count, cores);

    HeadlessControls controls;
    HeadlessUi ui;
    frmTAVLO form(controls, ui, *fileSystem, pictures.get());
    ui.answerNext(Answer::No);  // the complete window
    form.Form_Load();
    std::string list;
    for (const std::string& path : films)
        controls.listAdd(path), list += path + "\n";
    std::ofstream(work + "films.txt") << list;
    controls.setText(ControlId::txtNUM_FILE, std::to_string(count));
    controls.setText(ControlId::txtNOME_FILE_HTM, site + "TAVLO.HTM");
    controls.setChecked(ControlId::chkMINIATURE, true);

    const std::string theirs = work + "ffmpeg/";
    const std::string baseline = "xargs -P " + cores + " -I{} sh -c 'ffmpeg -v error -y -ss " + std::to_string(kSeconds / 10) +
                                 " -i {} -frames:v 1 -vf \"crop=min(iw\\,ih):min(iw\\,ih),scale=200:200\" -q:v 4 " + theirs +
                                 "$(basename {}).jpg' < '" + work + "films.txt'";
    std::vector<double> ours, ffmpeg;
    long peakKiB = 0, growthKiB = 0;
    for (int run = 0; run < runs; ++run) {
        fs::remove_all(site + "MINIATURE"), fs::remove_all(theirs), fs::create_directories(theirs);
        resetPeakRss();
        const long startKiB = peakSinceResetKiB();
        const double start = nowSeconds();
        NoQuestions none;
        BuildContext build(form.platform(), none);
        const ThumbnailRun made = makeThumbnails(build, settingsFromWindow(form.platform().form), site);
        ours.push_back(nowSeconds() - start);
        peakKiB = std::max(peakKiB, peakSinceResetKiB());
        growthKiB = std::max(growthKiB, peakSinceResetKiB() - startKiB);
        if (made.stopped || made.keptOriginal != 0 || made.tooLarge != 0 || build.pictures.thumbnails.size() != films.size())
            fail("the thumbnail phase did not make every poster");
        const Finished finished = runProgram({"sh", "-c", baseline}, false);
        if (finished.exitCode != 0 || !fs::exists(theirs + "MVI_0001.MP4.jpg"))
            fail("the baseline failed: " + baseline);
        ffmpeg.push_back(finished.endedAt - finished.startedAt);
    }
    const double phase = median(ours), baselinePhase = median(ffmpeg);
    printFigure("poster phase, median of " + std::to_string(runs), milliseconds(phase));
    printFigure("ffmpeg, median of " + std::to_string(runs), milliseconds(baselinePhase));
    printRow("Posters of " + std::to_string(count) + " films " + kSize + " H.264: thumbnail phase vs ffmpeg -ss T -i FILM "
             "-frames:v 1, xargs -P " + cores,
             milliseconds(phase), milliseconds(baselinePhase), ratioText(phase / baselinePhase), "<= 1.0x",
             phase <= baselinePhase ? "met" : "MISSED");
    printMemory("Peak RSS, poster phase of " + std::to_string(count) + " films",
                mebibytes(static_cast<double>(peakKiB)) + ", " + mebibytes(static_cast<double>(growthKiB)) + " above its start");
    return 0;
}
