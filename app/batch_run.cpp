#include "app/batch_run.h"

#include "filelist/folder_scan.h"
#include "filelist/list_commands.h"
#include "gallery/build.h"
#include "pages/page_writer.h"
#include "platform/pictures.h"
#include "platform/text_rules.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <vector>

namespace tavlo {
namespace {

// The window's services without a window: messages go to standard error, the
// questions are answered from the options, and a progress line shows on a terminal.
class BatchUi final : public Ui {
public:
    BatchUi(const BatchOptions& options, Console& console)
        : options_(options), console_(console), onTerminal_(console.errorIsTerminal())
    {
    }

    /// The progress line's text; none while it is empty.
    std::function<std::string()> progress;
    /// The page being written.
    std::string page;

    /// The run's exit status so far.
    int status() const { return ended_ ? std::max(status_, 1) : status_; }

    Answer msgBox(MessageKind kind, std::string_view prompt, Buttons) override
    {
        const BatchAnswer answer = batchAnswer(kind, options_);
        if (answer.shown)
            say(prompt);
        failed(answer.exitStatus);
        return answer.answer;
    }

    /// The run's exit status is at least `status`.
    void failed(int status) { status_ = std::max(status_, status); }

    void beep() override {}
    void setScreenPointer(int) override {}

    void writingPage(std::string_view fileName) override
    {
        page = fileName;
        if (progress)
            drawProgress(progress, false);
    }

    void doEvents() override
    {
        if (progress)
            drawProgress(progress, true);
    }

    // The thumbnails' progress goes to the progress line; nothing asks to cancel.
    bool showProgress(std::string_view text, std::string_view) override
    {
        drawProgress([text] { return std::string(text); }, true);
        return false;
    }
    void closeProgress() override { clearProgress(); }
    // The window passes over them without a word; here the user should know what the gallery lacks.
    void scanCannotRead(std::string_view folder) override { say("Cartella non leggibile: " + std::string(folder)); }
    void scanCannotFollow(std::string_view path) override { say("Percorso non seguito: " + std::string(path)); }
    void untold(std::string_view line) override { say(line); }
    void endProgram() override { ended_ = true; }
    // A signal ends the run as the end of the program does: where it stands, the build
    // dropping what it had not finished.
    bool programEnded() const override { return ended_ || console_.stopSignal() != 0; }
    double screenWidthTwips() const override { return 0; }  // no screen: the page-size default is not used
    double twipsPerPixelX() const override { return 15; }
    std::optional<std::string> showPicker(const PickerRequest&) override { return std::nullopt; }
    void openPage(const OpenRequest& request) override { console_.openPage(request); }

    /// A message of the window, on a line of its own; its carriage returns break the line.
    void say(std::string_view text)
    {
        clearProgress();
        std::string lines(text);
        for (char& c : lines)
            if (c == '\r')
                c = '\n';
        console_.writeError(lines + "\n");
    }

    void clearProgress()
    {
        if (shownWidth_ == 0)
            return;
        console_.writeError(std::string("\r").append(shownWidth_, ' ').append("\r"));
        shownWidth_ = 0;
    }

private:
    void drawProgress(const std::function<std::string()>& text, bool often)
    {
        if (!onTerminal_)
            return;
        // A scan yields thousands of times a second; the line is drawn a few times a second.
        const auto now = std::chrono::steady_clock::now();
        if (often && now - drawn_ < std::chrono::milliseconds(100))
            return;
        drawn_ = now;
        const std::string line = text();
        const std::size_t width = line.size();
        console_.writeError(std::string("\r").append(line).append(shownWidth_ > width ? shownWidth_ - width : 0, ' '));
        shownWidth_ = std::max(shownWidth_, width);
    }

    const BatchOptions& options_;
    Console& console_;
    const bool onTerminal_;
    int status_ = 0;
    bool ended_ = false;
    std::size_t shownWidth_ = 0;
    std::chrono::steady_clock::time_point drawn_{};
};

// The build's questions, answered by kind as the window's boxes are; a page that is there
// already, without --sovrascrivi, stops the run before anything is written: no
// thumbnail, no page of a series half done.
class BatchQuestions final : public BuildQuestions {
public:
    BatchQuestions(const BatchOptions& options, BatchUi& ui, FileSystem& fs) : options_(options), ui_(ui), fs_(fs) {}

    bool starting(const PagePlan& plan) override;
    Answer ask(MessageKind kind, std::string_view question) override { return ui_.msgBox(kind, question, Buttons::YesNo); }

    /// The series' pages, in order, for the progress line.
    std::vector<std::string> series;

private:
    const BatchOptions& options_;
    BatchUi& ui_;
    FileSystem& fs_;
};

// A page of the plan that is there already, if any, in the order the build writes them.
std::optional<std::string> pageThere(FileSystem& fs, const PagePlan& plan)
{
    for (const std::string& page : plan.series)
        if (fs.canRead(plan.folder + page))
            return plan.folder + page;
    return fs.canRead(plan.index) ? std::optional(plan.index) : std::nullopt;
}

bool BatchQuestions::starting(const PagePlan& plan)
{
    series = plan.series;
    if (options_.overwrite)
        return true;
    const auto there = pageThere(fs_, plan);
    if (there) {
        ui_.say(overwriteQuestion(*there));
        ui_.failed(1);
    }
    return !there;
}

// The list a load fills, with the one extension it loads.
class BatchList final : public ScanList {
public:
    std::string filter() const override { return extension; }
    void add(std::string_view entry) override { entries.append(entry); }

    std::string extension;
    EntryStore entries;
};

// The progress line while a page is written: a page of a series with its place in it.
std::string pageProgress(const std::string& page, const std::vector<std::string>& series)
{
    std::string line = "Creazione " + page;
    const auto at = std::find(series.begin(), series.end(), page);
    if (at != series.end())
        line += " (" + std::to_string(at - series.begin() + 1) + " di " + std::to_string(series.size()) + ")";
    return line;
}

// A path of the options as a full path: one relative to the current folder is put
// below it, and its "." and ".." steps are resolved in the text, so that the page
// folder and the entries below it begin alike, as the page writer counts on.
std::string fullPath(FileSystem& fs, const std::string& path)
{
    // As UTF-8 on every platform: a plain string would be the ANSI code page on Windows.
    const std::string full = fs.fullFolderPath(path);
    const std::u8string normal = std::filesystem::path(std::u8string(full.begin(), full.end())).lexically_normal().u8string();
    return std::string(normal.begin(), normal.end());
}

// The extensions of --estensione, split at its commas; every known type without it.
std::vector<std::string> extensionsToLoad(const BatchOptions& options)
{
    if (!options.extension)
        return {"*"};
    std::vector<std::string> extensions{""};
    for (const char c : *options.extension) {
        if (c == ',')
            extensions.emplace_back();
        else
            extensions.back().push_back(c);
    }
    return extensions;
}

// A run stopped by a signal ends with the status a shell gives such a run: 128 + the signal.
std::optional<int> stoppedBySignal(const Console& console)
{
    const int signal = console.stopSignal();
    return signal != 0 ? std::optional(128 + signal) : std::nullopt;
}

} // namespace

BatchAnswer batchAnswer(MessageKind kind, const BatchOptions& options)
{
    switch (kind) {
    case MessageKind::WindowMode: return {Answer::No, false};  // no window to lay out: no one to ask
    case MessageKind::Overwrite: return options.overwrite ? BatchAnswer{Answer::Yes} : BatchAnswer{Answer::No, true, 1};
    case MessageKind::View: return {options.open ? Answer::Yes : Answer::No};
    case MessageKind::MissingTemplate: return {Answer::Yes};  // reported, and the build goes on
    case MessageKind::DeleteEntry: return {Answer::No};
    case MessageKind::Refusal:
    case MessageKind::WriteFailure: return {Answer::Ok, true, 1};
    case MessageKind::Notice: break;
    }
    return {Answer::Ok};
}

int runBatch(const BatchOptions& options, Console& console)
{
    BatchUi ui(options, console);
    FileSystem& fs = console.fileSystem();
    const auto pictures = options.thumbnails ? createPictures() : nullptr;
    Services services{ui, fs, pictures.get()};
    const auto ended = [&] { return stoppedBySignal(console).value_or(ui.status()); };

    // Several extensions load one after another, as the user loads them in the window.
    const std::string typed = fullPath(fs, options.folder);
    const std::string folder = startFolder(services, typed);
    BatchList list;
    ui.progress = [&] { return std::string("N.files trovati ") + std::to_string(list.entries.size()); };
    for (const std::string& extension : extensionsToLoad(options)) {
        if (refuseDottedFilter(services, extension)) {
            ScanState scan;
            scan.longExtensions = true;
            list.extension = extension;
            try {
                Legge_Dir(services, scan, list, folder);
            } catch (const ProgramEnded&) {
                // A signal: the run ends where it stands.
            }
        }
        if (ui.status() != 0 || ui.programEnded()) {
            ui.clearProgress();
            return ended();
        }
    }

    // The build, also when the load found nothing: its own check then refuses it.
    const char sep = fs.separator();
    const std::string inFolder = typed.ends_with(sep) ? typed : typed + sep;
    BuildSettings settings;
    settings.pagePath = options.page ? fullPath(fs, *options.page) : inFolder + "TAVLO.HTM";
    settings.filesFound = static_cast<double>(list.entries.size());
    settings.entries = std::move(list.entries);
    settings.rowSize = numericValue(options.perRow);
    settings.pageSize = options.perPage ? numericValue(*options.perPage) : 0;
    settings.withoutBackground = options.withoutBackground;
    settings.thumbnails = options.thumbnails;

    BatchQuestions questions(options, ui, fs);
    ui.progress = [&] { return pageProgress(ui.page, questions.series); };
    try {
        buildGallery(services, questions, settings, options.perPage ? BuildKind::Series : BuildKind::SinglePage);
    } catch (const ProgramEnded&) {
        // A signal: the page being written is dropped, the records kept.
    }
    ui.clearProgress();
    return ended();
}

} // namespace tavlo
