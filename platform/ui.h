#pragma once
// User-interaction services of the platform: message boxes, beep, the screen-wide
// mouse pointer, letting pending events run, ending the program, screen metrics,
// the picker dialog, opening a page in the browser, and a progress window.

#include <optional>
#include <string>
#include <string_view>

namespace tavlo {

/// The buttons a message box offers, and the one its user chose.
enum class Buttons { OkOnly, YesNo };
enum class Answer { Ok, Yes, No };

/// What a message box is, beside its exact text: the command line answers a question
/// and reports the run's outcome by it, never by the words.
enum class MessageKind {
    WindowMode,       // simplified or complete window, at start-up
    Overwrite,        // a page is there already: write over it?
    MissingTemplate,  // the header or footer is missing: go on?
    View,             // open the page just written?
    DeleteEntry,      // remove an entry from the list?
    Refusal,          // a command refused: nothing done
    WriteFailure,     // a file could not be written where asked
    Notice,           // for information: the work went on
};

// Screen-wide mouse pointer values.
inline constexpr int kPointerDefault = 0;
inline constexpr int kPointerHourglass = 11;

struct PickerRequest {
    std::string title;
    std::string startFolder;  // may be empty: anywhere
    std::string firstPattern;
    std::string secondPattern;
    bool folderMayBeChosen = false;  // the folder picker also accepts a folder itself
};

struct OpenRequest {
    std::string documentPath;  // the page to open, as a full path
};

/// Thrown out of the procedures when the program has been ended while they ran
/// (the end button or the window closed during a scan). Caught where the event
/// that started them is dispatched.
struct ProgramEnded {};

class Ui {
public:
    virtual ~Ui() = default;

    /// Modal message box with the program's title; returns the button chosen.
    virtual Answer msgBox(MessageKind kind, std::string_view prompt, Buttons buttons) = 0;
    virtual void beep() = 0;
    virtual void setScreenPointer(int pointer) = 0;
    /// Let pending window events run.
    virtual void doEvents() = 0;
    /// End the program: the window closes, nothing more is written.
    virtual void endProgram() = 0;
    virtual bool programEnded() const = 0;
    virtual double screenWidthTwips() const = 0;
    virtual double twipsPerPixelX() const = 0;
    /// Shows the modal picker; the chosen path, empty when cancelled,
    /// nullopt when the dialog could not be shown.
    virtual std::optional<std::string> showPicker(const PickerRequest& request) = 0;
    /// Opens a page in the browser; never reports a failure.
    virtual void openPage(const OpenRequest& request) = 0;

    /// Shows the progress window of a long piece of work above the main window, or
    /// changes its text: the text and a button captioned `cancelCaption`. Pending
    /// events run, and the main window takes no clicks while it shows. True once
    /// the user has asked to cancel (the button, or closing the progress window).
    /// Where there is no such window, the work runs to its end.
    virtual bool showProgress(std::string_view /*text*/, std::string_view /*cancelCaption*/) { return false; }
    virtual void closeProgress() {}

    /// What the scan passes over without a word in the window: a folder it cannot list,
    /// and a path it cannot follow (a link to nothing, or back to a folder it is in).
    /// The command line reports them.
    virtual void scanCannotRead(std::string_view /*folder*/) {}
    virtual void scanCannotFollow(std::string_view /*path*/) {}
    /// What else the window passes over without a word, as one line: a folder past the
    /// depth limit, a template copy left out, a build record not read or written. The
    /// command line reports it.
    virtual void untold(std::string_view /*line*/) {}
    /// The page writer starts writing a page (its questions answered): the command
    /// line shows it on its progress line.
    virtual void writingPage(std::string_view /*fileName*/) {}
};

} // namespace tavlo
