// Thumbnails: the thumbnail phase of a build over camera-sized photos against
// vipsthumbnail making the same 200x200 centre crops with as many parallel jobs
// as cores; a second build with every thumbnail up to date against a build
// without thumbnails; the bytes a browser fetches for the page either way; and
// phone photos in HEIC, thumbnail and screen copy, against heif-convert followed by
// vipsthumbnail on the same files.
//
// Usage: thumbnail_bench WORK_FOLDER [PHOTOS] [RUNS]

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
#include <functional>
#include <iostream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace tavlo;
using namespace tavlo::bench;
namespace fs = std::filesystem;

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;
constexpr int kDistinct = 20;  // distinct photos; the others are copies of them

// A deterministic "photo": soft gradients, a few large shapes and fine grain, so
// that its JPEG is about the size a camera's is.
Picture photo(int seed)
{
    Picture picture{kWidth, kHeight, std::vector<unsigned char>(static_cast<std::size_t>(kWidth) * kHeight * 3)};
    std::uint32_t noise = 2463534242u + static_cast<std::uint32_t>(seed) * 7919u;
    unsigned char* p = picture.rgb.data();
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            noise ^= noise << 13, noise ^= noise >> 17, noise ^= noise << 5;
            const int grain = static_cast<int>(noise & 63) - 32;
            const int dx = x - 2000 - seed * 40, dy = y - 1500;
            const bool disc = dx * dx + dy * dy < 900 * 900;
            const int base[3] = {(x * 255 / kWidth + seed * 11) % 256, disc ? 200 : y * 255 / kHeight,
                                 ((x + y) / 30 % 2 == 0) ? 90 : 160};
            for (int c = 0; c < 3; ++c)
                *p++ = static_cast<unsigned char>(std::clamp(base[c] + grain, 0, 255));
        }
    return picture;
}

std::vector<std::string> makePhotos(const Pictures& pictures, const std::string& folder, int count)
{
    fs::create_directories(folder);
    std::vector<std::string> distinct(kDistinct);
    std::vector<std::thread> makers;
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    for (unsigned t = 0; t < cores; ++t)
        makers.emplace_back([&, t] {
            for (std::size_t i = t; i < distinct.size(); i += cores)
                distinct[i] = pictures.jpeg(photo(static_cast<int>(i)));
        });
    for (auto& maker : makers)
        maker.join();
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "IMG_%04d.jpg", i + 1);
        paths.push_back(folder + name);
        std::ofstream(paths.back(), std::ios::binary) << distinct[static_cast<std::size_t>(i % kDistinct)];
    }
    return paths;
}

std::size_t sizeOf(const std::string& path)
{
    std::error_code error;
    const auto size = fs::file_size(path, error);
    return error ? 0 : static_cast<std::size_t>(size);
}

// What a browser fetches to show the page: the page and every picture it names once.
std::size_t bytesFetched(const std::string& folder, const std::string& page)
{
    std::ifstream in(folder + page, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    const std::string html = text.str();
    std::set<std::string> named;
    const std::regex source(R"re((?:src|background)="([^"]+)")re", std::regex::icase);
    for (auto it = std::sregex_iterator(html.begin(), html.end(), source); it != std::sregex_iterator(); ++it)
        named.insert((*it)[1].str());
    std::size_t total = html.size();
    for (const std::string& name : named)
        total += sizeOf(folder + name);
    return total;
}

struct PhaseTimes {
    std::vector<double> ours, theirs;
    long peakKiB = 0;    // the thumbnail phase's peak resident size, the largest of its runs
    long growthKiB = 0;  // and the most it rose above the size at the phase's start
};

// The thumbnail phase of the list, every thumbnail made afresh, and the baseline
// command in `theirs`, in turns; the benchmark ends unless the phase made what
// `complete` asks of it and the baseline ran through.
PhaseTimes timePhases(frmTAVLO& form, const std::string& site, const std::string& theirs, const std::string& baseline,
                      int runs, const std::function<bool(const EntryPictures&)>& complete)
{
    PhaseTimes times;
    for (int run = 0; run < runs; ++run) {
        fs::remove_all(site + "MINIATURE"), fs::remove_all(theirs), fs::create_directories(theirs);
        resetPeakRss();
        const long startKiB = peakSinceResetKiB();
        const double start = nowSeconds();
        NoQuestions none;
        BuildContext build(form.platform(), none);
        const ThumbnailRun made = makeThumbnails(build, settingsFromWindow(form.platform().form), site);
        times.ours.push_back(nowSeconds() - start);
        times.peakKiB = std::max(times.peakKiB, peakSinceResetKiB());
        times.growthKiB = std::max(times.growthKiB, peakSinceResetKiB() - startKiB);
        if (made.stopped || made.keptOriginal != 0 || made.tooLarge != 0 || !complete(build.pictures))
            fail("the thumbnail phase did not make every thumbnail (and screen copy)");
        const Finished finished = runProgram({"sh", "-c", baseline}, false);
        if (finished.exitCode != 0)
            fail("the baseline failed (are libvips-tools and libheif-examples installed?): " + baseline);
        times.theirs.push_back(finished.endedAt - finished.startedAt);
    }
    return times;
}

std::string mib(std::size_t bytes) { return mebibytes(static_cast<double>(bytes) / 1024); }

// The thumbnails of `count` HEIC photos (heif-enc's own, from the JPEG photos) against
// heif-convert and vipsthumbnail, file by file, with as many parallel jobs as cores.
void heicRow(frmTAVLO& form, HeadlessControls& controls, const std::string& work, const std::vector<std::string>& jpegs,
             int count, int runs)
{
    const std::string site = work + "heic/", cores = std::to_string(std::max(1u, std::thread::hardware_concurrency()));
    fs::create_directories(site + "Telefono");
    std::string distinct;
    for (int i = 0; i < kDistinct; ++i)
        distinct += jpegs[static_cast<std::size_t>(i)] + "\n";
    std::ofstream(work + "distinct.txt") << distinct;
    if (runProgram({"sh", "-c", "xargs -P " + cores + " -I{} sh -c 'heif-enc -q 82 -o \"" + site +
                                    "Telefono/$(basename {} .jpg).heic\" {} >/dev/null' < '" + work + "distinct.txt'"},
                   false).exitCode != 0)
        fail("heif-enc failed (is libheif-examples installed?)");
    controls.listClear();
    std::string list;
    for (int i = 0; i < count; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "IMG_%04d.heic", i + 1);
        const std::string path = site + "Telefono/" + name;
        if (i >= kDistinct)
            fs::copy_file(site + "Telefono/" + fs::path(jpegs[static_cast<std::size_t>(i % kDistinct)]).stem().string() + ".heic",
                          path, fs::copy_options::overwrite_existing);
        controls.listAdd(path);
        list += path + "\n";
    }
    std::ofstream(work + "heic.txt") << list;
    const std::string theirs = work + "heic-theirs/";
    const std::string baseline = "xargs -P " + cores + " -I{} sh -c 'j=" + theirs + "$(basename {}).jpg; heif-convert -q 82 {} $j " +
                                 ">/dev/null && vipsthumbnail --size 200x200 --smartcrop centre -o %s-200.jpg[Q=82] $j' < '" +
                                 work + "heic.txt'";
    const PhaseTimes times = timePhases(form, site, theirs, baseline, runs, [&](const EntryPictures& made) {
        return made.screenCopies.size() == static_cast<std::size_t>(count);
    });
    const double phase = median(times.ours), baselinePhase = median(times.theirs);
    printRow("Thumbnails and 2048-pixel screen copies of " + std::to_string(count) + " HEIC photos 4000x3000 vs heif-convert + "
             "vipsthumbnail, xargs -P " + cores,
             milliseconds(phase), milliseconds(baselinePhase), ratioText(phase / baselinePhase), "<= 1.5x",
             phase <= 1.5 * baselinePhase ? "met" : "MISSED");
}

} // namespace

int main(int argc, char** argv)
{
    const auto [work, photoCount, runs] = readWorkArguments(argc, argv, "thumbnail_bench WORK_FOLDER [PHOTOS] [RUNS]", 200, 3);
    const int count = static_cast<int>(photoCount);
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());

    const auto fileSystem = benchFileSystem(work);
    const auto pictures = createPictures();

    const std::string site = work + "site/";
    std::cout << "Thumbnails of " << count << " photos of " << kWidth << "x" << kHeight << ", " << cores << " cores\n";
    const double madeAt = nowSeconds();
    const std::vector<std::string> photos = makePhotos(*pictures, site + "Foto/", count);
    std::size_t photoBytes = 0;
    for (const std::string& path : photos)
        photoBytes += sizeOf(path);
    printFigure("photos made in", milliseconds(nowSeconds() - madeAt));
    printFigure("photo size, average", mib(photoBytes / photos.size()));

    HeadlessControls controls;
    HeadlessUi ui;
    frmTAVLO form(controls, ui, *fileSystem, pictures.get());
    ui.answerNext(Answer::No);  // the complete window
    form.Form_Load();
    for (const std::string& path : photos)
        controls.listAdd(path);
    controls.setText(ControlId::txtNUM_FILE, std::to_string(count));
    controls.setEnabled(ControlId::Command1, true);
    controls.setText(ControlId::txtMAX_PER_RIGA, "5");
    controls.setText(ControlId::txtNOME_FILE_HTM, site + "TAVLO.HTM");
    fs::current_path(site);

    // The thumbnail phase, every thumbnail made afresh, against vipsthumbnail.
    const std::string theirs = work + "vips";
    std::string list;
    for (const std::string& path : photos)
        list += path + "\n";
    std::ofstream(work + "photos.txt") << list;
    const std::string vips = "xargs -P " + std::to_string(cores) + " -n 10 vipsthumbnail --size 200x200 --smartcrop centre -o '" +
                             theirs + "/%s.jpg[Q=82]' < '" + work + "photos.txt'";
    controls.setChecked(ControlId::chkMINIATURE, true);
    const PhaseTimes times = timePhases(form, site, theirs, vips, runs, [&](const EntryPictures& made) {
        return made.thumbnails.size() == photos.size();
    });
    const double phase = median(times.ours), vipsPhase = median(times.theirs);
    printFigure("thumbnail phase, median of " + std::to_string(runs), milliseconds(phase));
    printFigure("vipsthumbnail, median of " + std::to_string(runs), milliseconds(vipsPhase));
    printRow("Thumbnails of " + std::to_string(count) + " photos 4000x3000: thumbnail phase vs vipsthumbnail, xargs -P " +
                 std::to_string(cores),
             milliseconds(phase), milliseconds(vipsPhase), ratioText(phase / vipsPhase), "<= 1.0x",
             phase <= vipsPhase ? "met" : "MISSED");
    // What one decode may hold at most, the picture bound's consequence, on each core.
    const double boundKiB = static_cast<double>(2 * 8 * kMaxPicturePixels + kMaxHeldPictureBytes) / 1024;
    printMemory("Peak RSS, thumbnail phase of " + std::to_string(count) + " photos",
                mebibytes(static_cast<double>(times.peakKiB)) + ", " + mebibytes(static_cast<double>(times.growthKiB)) +
                    " above its start");
    printMemory("Bound above the start of the thumbnail phase: " + std::to_string(cores) + " cores x " + mebibytes(boundKiB),
                mebibytes(static_cast<double>(cores) * boundKiB));

    // A second build with every thumbnail up to date, against a build without thumbnails.
    const auto buildOnce = [&](bool ticked) {
        controls.setChecked(ControlId::chkMINIATURE, ticked);
        if (fs::exists(site + "TAVLO.HTM"))
            ui.answerNext(Answer::Yes);  // the page is there: overwritten
        return timedBuild(form, ui);
    };
    buildOnce(false);  // the page is there from now on, for both sides alike
    std::vector<double> again, without;
    for (int run = 0; run < runs * 2; ++run) {
        again.push_back(buildOnce(true));
        without.push_back(buildOnce(false));
    }
    const double againMedian = median(again), withoutMedian = median(without);
    printRow("Build of " + std::to_string(count) + " photos, thumbnails up to date vs without thumbnails",
             milliseconds(againMedian), milliseconds(withoutMedian), ratioText(againMedian / withoutMedian), "<= 1.2x",
             againMedian <= 1.2 * withoutMedian ? "met" : "MISSED");

    // What a browser fetches for the page, with and without thumbnails.
    buildOnce(true);
    const std::size_t light = bytesFetched(site, "TAVLO.HTM");
    buildOnce(false);
    const std::size_t heavy = bytesFetched(site, "TAVLO.HTM");
    printRow("Bytes a browser fetches for the page of " + std::to_string(count) + " photos: with vs without thumbnails",
             mib(light), mib(heavy), ratioText(static_cast<double>(light) / static_cast<double>(heavy)), "-", "-");

    controls.setChecked(ControlId::chkMINIATURE, true);
    heicRow(form, controls, work, photos, std::min(count, 40), runs);
    return 0;
}
