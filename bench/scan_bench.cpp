// The load command (cmdCONFERMA with the filter JPG) run through the real Qt window
// on a large folder tree, against find(1) listing the same files; and whether the
// list visibly grows while the scan runs.
//
// Usage: scan_bench TREE EXPECTED_ENTRIES [RUNS [TARGET_RATIO]]   (TARGET_RATIO 0: none)

#include "app/frm_tavlo.h"
#include "bench_support.h"
#include "platform/posix/posix_file_system.h"
#include "app/program.h"
#include "platform/qt/qt_window.h"
#include "qt_bench_support.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QEvent>
#include <QTimer>

#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

namespace {

using namespace tavlo;
using namespace tavlo::bench;

// The window's own services, counting how often a procedure lets events run.
class CountingUi final : public Ui {
public:
    explicit CountingUi(Ui& window) : window_(window) {}

    long doEventsCalls = 0;

    Answer msgBox(MessageKind kind, std::string_view prompt, Buttons buttons) override
    {
        return window_.msgBox(kind, prompt, buttons);
    }
    void beep() override { window_.beep(); }
    void setScreenPointer(int pointer) override { window_.setScreenPointer(pointer); }
    void doEvents() override
    {
        ++doEventsCalls;
        window_.doEvents();
    }
    void endProgram() override { window_.endProgram(); }
    bool programEnded() const override { return window_.programEnded(); }
    double screenWidthTwips() const override { return window_.screenWidthTwips(); }
    double twipsPerPixelX() const override { return window_.twipsPerPixelX(); }
    std::optional<std::string> showPicker(const PickerRequest& request) override
    {
        return window_.showPicker(request);
    }
    void openPage(const OpenRequest& request) override { window_.openPage(request); }

private:
    Ui& window_;
};

// Notes the list's count each time the list is painted: what the user saw of it.
class PaintWatcher final : public QObject {
public:
    explicit PaintWatcher(const Controls& list) : list_(list) {}
    std::vector<long> countsShown;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            countsShown.push_back(list_.listCount());
        return false;
    }

private:
    const Controls& list_;
};

// How many of the counts lie strictly between empty and full, each above the one before.
long growingCounts(const std::vector<long>& counts, long full)
{
    long growing = 0;
    long previous = 0;
    for (long count : counts) {
        if (count > previous && count < full)
            ++growing;
        previous = std::max(previous, count);
    }
    return growing;
}

// The counts in a line, the middle ones left out of a long series.
std::string joined(const std::vector<long>& counts)
{
    std::string text;
    for (std::size_t i = 0; i < counts.size(); ++i) {
        if (counts.size() > 24 && i == 12) {
            text += ", ... (" + std::to_string(counts.size() - 24) + " more)";
            i = counts.size() - 12;
        }
        text += (text.empty() ? "" : ", ") + std::to_string(counts[i]);
    }
    return text.empty() ? "none" : text;
}

long countLines(const std::string& text) { return static_cast<long>(std::count(text.begin(), text.end(), '\n')); }

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
        fail("usage: scan_bench TREE EXPECTED_ENTRIES [RUNS [TARGET_RATIO]]");
    const std::string tree = argv[1];
    const long expected = std::stol(argv[2]);
    const int runs = argc > 3 ? std::stoi(argv[3]) : 5;
    const double target = argc > 4 ? std::stod(argv[4]) : 2;

    useOffscreenPlatformByDefault();
    QApplication app(argc, argv);
    answerMessageBoxesWith(QMessageBox::No);  // the start-up question: the complete window

    QtWindow window;
    const auto fs = createPosixFileSystem({});
    CountingUi ui(window);
    frmTAVLO form(window, ui, *fs);
    startWindow(window, form);
    QCoreApplication::processEvents();

    window.setText(ControlId::txtPATH_RICERCA, tree);
    window.setText(ControlId::txtESTENSIONE, "JPG");

    // Watching the list: its count sampled every 5 ms, its repaints and the yields counted.
    std::vector<long> samples;
    QTimer sampler;
    sampler.setTimerType(Qt::PreciseTimer);
    sampler.setInterval(5);
    QObject::connect(&sampler, &QTimer::timeout, [&] { samples.push_back(window.listCount()); });
    QWidget* listArea = static_cast<QAbstractScrollArea*>(window.widget(ControlId::List1))->viewport();
    PaintWatcher paintsOfList(window);

    const auto scanOnce = [&](bool watched) {
        form.click(ControlId::Command2);  // a new list: every run starts empty
        QCoreApplication::processEvents();
        if (watched) {
            listArea->installEventFilter(&paintsOfList);
            sampler.start();
        }
        ui.doEventsCalls = 0;
        const double start = nowSeconds();
        form.click(ControlId::cmdCONFERMA);
        const double seconds = nowSeconds() - start;
        if (watched) {
            sampler.stop();
            listArea->removeEventFilter(&paintsOfList);
        }
        if (window.listCount() != expected)
            fail("the scan listed " + std::to_string(window.listCount()) + " entries, not " +
                 std::to_string(expected));
        return seconds;
    };
    const std::vector<std::string> find{"find", tree, "-type", "f", "-iname", "*.jpg"};
    const auto findOnce = [&] {
        const Finished listed = runProgram(find, false);
        if (listed.exitCode != 0)
            fail("find failed");
        return listed.endedAt - listed.startedAt;
    };

    // A first run warms the caches and watches the list while the scan runs. The peak
    // memory is taken after it, before find's own listing is read into this process.
    const double watchedRun = scanOnce(true);
    const long doEventsCalls = ui.doEventsCalls;
    const long peakOfScan = peakRssKiB();

    const long listedByFind = countLines(runProgram(find, true).output);
    if (listedByFind != expected)
        fail("find listed " + std::to_string(listedByFind) + " files, not " + std::to_string(expected));

    std::vector<double> ours;
    std::vector<double> theirs;
    for (int run = 0; run < runs; ++run) {
        ours.push_back(scanOnce(false));
        theirs.push_back(findOnce());
    }
    const double oursMedian = median(ours);
    const double findMedian = median(theirs);
    const double ratio = oursMedian / findMedian;

    // The list grows on screen when its repaints during the scan show counts between
    // empty and full, each larger than the one before.
    const long grownOnScreen = growingCounts(paintsOfList.countsShown, expected);
    const long grownInSamples = growingCounts(samples, expected);
    const bool grows = grownOnScreen >= 2;

    std::cout << "Scan of " << tree << " (" << countText(expected) << " entries)\n";
    printFigure("watched run", milliseconds(watchedRun));
    printFigure("load command, median of " + std::to_string(runs), milliseconds(oursMedian));
    printFigure("find, median of " + std::to_string(runs), milliseconds(findMedian));
    printFigure("doEvents calls in one scan", std::to_string(doEventsCalls));
    printFigure("list counts sampled every 5 ms", joined(samples));
    printFigure("list counts on screen at its repaints", joined(paintsOfList.countsShown));
    printFigure("peak RSS", mebibytes(static_cast<double>(peakOfScan)));

    printRow("Scan, " + countText(expected) + " pictures: load JPG vs find", milliseconds(oursMedian), milliseconds(findMedian),
             ratioText(ratio), target > 0 ? "< " + ratioText(target) : "-",
             target <= 0 ? "-" : ratio < target ? "met" : "MISSED");
    printRow("Scan: the list grows while scanning",
             std::to_string(grownOnScreen) + " repaints, " + std::to_string(grownInSamples) + " samples growing",
             "-", "-", ">= 2 repaints", grows ? "met" : "MISSED");
    printMemory("Peak RSS, scan (Qt window, " + countText(expected) + "-entry list)",
                mebibytes(static_cast<double>(peakOfScan)));
    return 0;
}
