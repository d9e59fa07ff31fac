#include "app/batch_run.h"

#include "app/frm_tavlo.h"
#include "gallery/build_steps.h"
#include "pages/page_writer.h"
#include "platform/headless/headless_controls.h"
#include "platform/pictures.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <vector>

namespace tavlo {
namespace {

using enum ControlId;

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

    int msgBox(MessageKind kind, std::string_view prompt, int) override
    {
        const BatchAnswer answer = batchAnswer(kind, options_);
        if (answer.shown)
            say(prompt);
        status_ = std::max(status_, answer.exitStatus);
        if (answer.stops)
            stop();
        return answer.answer;
    }

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

    /// Ends the run where it stands: the overwrite question answered No, nothing written.
    [[noreturn]] void stop()
    {
        ended_ = true;
        throw ProgramEnded{};
    }

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

// A page of the plan that is there already, if any, in the order the build writes them.
std::optional<std::string> pageThere(FileSystem& fs, const PagePlan& plan)
{
    for (const std::string& page : plan.series)
        if (fs.canRead(plan.folder + page))
            return plan.folder + page;
    return fs.canRead(plan.index) ? std::optional(plan.index) : std::nullopt;
}

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
    case MessageKind::WindowMode: return {kAnswerNo, false};  // no window to lay out: no one to ask
    case MessageKind::Overwrite:
        return options.overwrite ? BatchAnswer{kAnswerYes} : BatchAnswer{kAnswerNo, true, true, 1};
    case MessageKind::View: return {options.open ? kAnswerYes : kAnswerNo};
    case MessageKind::MissingTemplate: return {kAnswerYes};  // reported, and the build goes on
    case MessageKind::DeleteEntry: return {kAnswerNo};
    case MessageKind::Refusal:
    case MessageKind::WriteFailure: return {kAnswerOk, true, false, 1};
    case MessageKind::Notice: break;
    }
    return {kAnswerOk};
}

int runBatch(const BatchOptions& options, Console& console)
{
    HeadlessControls controls;
    BatchUi ui(options, console);
    FileSystem& fs = console.fileSystem();
    const auto pictures = options.thumbnails ? createPictures() : nullptr;
    frmTAVLO form(controls, ui, fs, pictures.get());
    form.Form_Load();

    // The settings, typed into the window as a person would.
    const std::string folder = fullPath(fs, options.folder);
    const char sep = fs.separator();
    controls.setText(txtPATH_RICERCA, folder);
    const std::string inFolder = folder.ends_with(sep) ? folder : folder + sep;
    controls.setText(txtNOME_FILE_HTM, options.page ? fullPath(fs, *options.page) : inFolder + "TAVLO.HTM");
    controls.setText(txtMAX_PER_RIGA, options.perRow);
    if (options.perPage)
        controls.setText(txtMAX_N_FILES, *options.perPage);
    controls.setChecked(options.withoutBackground);
    controls.setChecked(chkMINIATURE, options.thumbnails);

    ui.progress = [&] { return std::string("N.files trovati ") + std::to_string(controls.listCount()); };
    // Several extensions load one after another, as the user loads them in the window.
    form.scan().longExtensions = true;
    for (const std::string& extension : extensionsToLoad(options)) {
        if (extension != "*") {
            controls.setText(txtESTENSIONE, extension);
            form.click(cmdCONFERMA);
        } else {
            form.click(cmdCONFERMA_Tutti);
        }
        if (ui.status() != 0 || console.stopSignal() != 0) {
            ui.clearProgress();
            return stoppedBySignal(console).value_or(ui.status());
        }
    }

    // The build, also when the load found nothing: its own check then refuses it.
    // A page that is there already ends the run before anything is written: no
    // thumbnail, no page of a series half done.
    const bool paged = options.perPage.has_value();
    const std::optional<PagePlan> plan = planPages(form.platform(), form.buildSettings(), paged);
    if (!options.overwrite && plan)
        if (const auto there = pageThere(fs, *plan)) {
            ui.say(overwriteQuestion(*there));
            return 1;
        }
    const std::vector<std::string> series = plan ? plan->series : std::vector<std::string>{};
    ui.progress = [&] { return pageProgress(ui.page, series); };
    const ControlId build = paged ? Command4 : Command1;
    controls.setEnabled(build, true);
    form.click(build);
    ui.clearProgress();
    return stoppedBySignal(console).value_or(ui.status());
}

} // namespace tavlo
