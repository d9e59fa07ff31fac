// Smoke test of the installed Windows program: starts tavlo.exe as a user would,
// and works its window by the means Windows gives every program (window classes,
// control identifiers, messages): answers the start-up question, loads a folder
// tree, builds a page and opens it through the shell, and ends the program. The
// shell's open command for pages is pointed at this program for the run, so that
// what the shell hands over can be checked.
//
//   tavlo_smoke PROGRAM.exe WORK-FOLDER      the test; prints one line per check
//   tavlo_smoke --opened RECORD PAGE          what the shell runs to open a page
#include "platform/form_layout.h"
#include "platform/win32/win32_names.h"
#include "support/win_files.h"

#include <windows.h>

#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

using tavlo::ControlId;
using namespace tavlo::test;

int passed = 0;
int failed = 0;

void check(bool ok, const std::string& what, const std::string& detail = {})
{
    (ok ? passed : failed)++;
    std::printf("%s - %s%s%s\n", ok ? "ok" : "not ok", what.c_str(), ok || detail.empty() ? "" : ": ",
                ok ? "" : detail.c_str());
    std::fflush(stdout);
}

// Waits, with a deadline, until a condition of the program under test holds: the
// program answers in its own time, on its own thread. Gives up at once when the
// program has ended.
bool waitFor(HANDLE program, const std::function<bool()>& condition, DWORD milliseconds = 20000)
{
    const ULONGLONG deadline = GetTickCount64() + milliseconds;
    while (!condition()) {
        if (GetTickCount64() > deadline || WaitForSingleObject(program, 25) == WAIT_OBJECT_0)
            return condition();
    }
    return true;
}

std::string textOf(HWND window)
{
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length))
        return {};
    std::string text(length + 1, '\0');
    DWORD_PTR got = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                        5000, &got);
    text.resize(got);
    return text;
}

struct Found {
    DWORD process;
    std::string className;
    std::string title;
    HWND window = nullptr;
};

// A visible top-level window of the program, by class and title.
HWND topWindow(DWORD process, const std::string& className, const std::string& title)
{
    Found found{process, className, title};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto& f = *reinterpret_cast<Found*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            char name[64] = {};
            GetClassNameA(window, name, sizeof name);
            char caption[256] = {};
            GetWindowTextA(window, caption, sizeof caption);
            if (owner == f.process && IsWindowVisible(window) && f.className == name && f.title == caption) {
                f.window = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found.window;
}

// The text of a message box: its longest static text.
std::string boxText(HWND box)
{
    std::string text;
    EnumChildWindows(
        box,
        [](HWND child, LPARAM data) -> BOOL {
            char name[16] = {};
            GetClassNameA(child, name, sizeof name);
            auto& best = *reinterpret_cast<std::string*>(data);
            if (lstrcmpiA(name, "Static") == 0) {
                std::string shown = textOf(child);
                if (shown.size() > best.size())
                    best = shown;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&text));
    return text;
}

// Message boxes come with "\r" as their line breaks; the system may show them as "\r\n".
std::string withoutLineFeeds(std::string text)
{
    std::erase(text, '\n');
    return text;
}

std::string upper(std::string text)
{
    CharUpperBuffA(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

// The shell's open command for .htm pages, pointed at this program for the run
// and put back afterwards.
class PageOpenCommand {
public:
    explicit PageOpenCommand(const std::string& command)
    {
        HKEY extension = nullptr;
        if (RegCreateKeyExA(HKEY_CLASSES_ROOT, ".htm", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &extension, nullptr))
            return;
        char previous[256] = {};
        DWORD size = sizeof previous;
        if (RegQueryValueExA(extension, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(previous), &size) == 0)
            previousClass_ = previous;
        const char ours[] = "TavloSmoke.Page";
        RegSetValueExA(extension, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(ours), sizeof ours);
        RegCloseKey(extension);
        HKEY open = nullptr;
        RegCreateKeyExA(HKEY_CLASSES_ROOT, "TavloSmoke.Page\\shell\\open\\command", 0, nullptr, 0, KEY_ALL_ACCESS,
                        nullptr, &open, nullptr);
        RegSetValueExA(open, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                       static_cast<DWORD>(command.size() + 1));
        RegCloseKey(open);
    }
    ~PageOpenCommand()
    {
        HKEY extension = nullptr;
        if (RegOpenKeyExA(HKEY_CLASSES_ROOT, ".htm", 0, KEY_ALL_ACCESS, &extension) == 0) {
            if (previousClass_)
                RegSetValueExA(extension, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(previousClass_->c_str()),
                               static_cast<DWORD>(previousClass_->size() + 1));
            RegCloseKey(extension);
        }
        RegDeleteTreeA(HKEY_CLASSES_ROOT, "TavloSmoke.Page");
    }

private:
    std::optional<std::string> previousClass_;
};

// Run by the shell for a page: records the page and how its window was to show.
int recordOpened(const std::string& record, const std::string& page)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) != 0 ? startup.wShowWindow : -1;
    const std::string line = page + "|" + std::to_string(show) + "\n";
    const HANDLE file =
        CreateFileA(record.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
    return 0;
}

class Program {
public:
    Program(const std::string& exe, const std::string& startIn)
    {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        std::string commandLine = "\"" + exe + "\"";
        started_ = CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                  startIn.c_str(), &startup, &info_) != 0;
    }
    ~Program()
    {
        if (!started_)
            return;
        if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(info_.hProcess, 99);
        CloseHandle(info_.hThread);
        CloseHandle(info_.hProcess);
    }
    bool started() const { return started_; }
    DWORD id() const { return info_.dwProcessId; }
    HANDLE handle() const { return info_.hProcess; }

    HWND box(const std::string& startOfText = {}) const
    {
        HWND found = nullptr;
        waitFor(handle(), [&] {
            found = topWindow(id(), "#32770", tavlo::kWin32MessageBoxTitle);
            return found != nullptr && boxText(found).starts_with(startOfText);
        });
        return found;
    }

private:
    PROCESS_INFORMATION info_{};
    bool started_ = false;
};

void answer(HWND box, int button) { PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0); }

int runSmokeTest(const std::string& exe, const std::string& work)
{
    using enum ControlId;
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, sizeof self);
    const std::string record = work + "\\opened.txt";
    DeleteFileA(record.c_str());
    const PageOpenCommand openCommand("\"" + std::string(self) + "\" --opened \"" + record + "\" \"%1\"");

    // The pictures: a folder with a blank and an "&", a name in the ANSI code page.
    const std::string photos = work + "\\Foto & Mare 1\\";
    removeTree(work + "\\Foto & Mare 1");
    writeBytes(photos + "Citt\xE0 \xE8.jpg", "jpeg");
    writeBytes(photos + "VACANZE\\Mare 1.JPG", "jpeg");
    writeBytes(photos + "MUSICA\\Canzone.mp3", "mp3");

    Program tavlo(exe, "C:\\");
    check(tavlo.started(), "the program starts", exe);
    if (!tavlo.started())
        return 1;

    const HWND question = tavlo.box();
    check(question != nullptr, "the start-up question shows, titled TAVLO");
    if (question == nullptr)
        return 1;
    check(boxText(question) == "Si desidera la Versione Semplificata (Si) o Completa (No) ", "the question's text",
          boxText(question));
    check(GetDlgItem(question, IDYES) && GetDlgItem(question, IDNO) && !GetDlgItem(question, IDOK),
          "the question has the buttons Yes and No");
    answer(question, IDNO);

    HWND window = nullptr;
    const std::string caption(tavlo::formDesign().caption);
    waitFor(tavlo.handle(), [&] {
        window = topWindow(tavlo.id(), tavlo::kWin32WindowClass, caption);
        return window != nullptr;
    });
    check(window != nullptr, "the complete window shows with its caption");
    if (window == nullptr)
        return 1;
    const auto control = [window](ControlId id) { return GetDlgItem(window, tavlo::win32ControlId(id)); };
    const auto checkText = [&](ControlId id, const std::string& expected, const std::string& what) {
        check(textOf(control(id)) == expected, what, textOf(control(id)));
    };
    const std::string programFolder = exe.substr(0, exe.rfind('\\'));
    checkText(txtPATH_RICERCA, programFolder + "\\", "the search folder is the program's");
    checkText(txtNOME_FILE_HTM, programFolder + "\\TAVLO.HTM", "the output page lies in the program folder");
    checkText(txtMAX_N_FILES, GetSystemMetrics(SM_CXSCREEN) >= 800 ? "10" : "6", "the page size fits the screen");
    check(!IsWindowEnabled(control(Command1)) && !IsWindowEnabled(control(Command5)) &&
              IsWindowVisible(control(Command1)),
          "the build and view buttons wait for a list");

    // The focus starts in the search folder and the tab key walks the design's tab
    // order, passing over the disabled buttons.
    DWORD thread = GetWindowThreadProcessId(window, nullptr);
    const auto focused = [thread] {
        GUITHREADINFO gui{};
        gui.cbSize = sizeof gui;
        return GetGUIThreadInfo(thread, &gui) ? gui.hwndFocus : nullptr;
    };
    waitFor(tavlo.handle(), [&] { return focused() == control(txtPATH_RICERCA); }, 5000);
    check(focused() == control(txtPATH_RICERCA), "the focus starts in the search folder");
    std::string walked;
    for (ControlId next : {txtESTENSIONE, txtNOME_FILE_HTM, List1, cmdCONFERMA, cmdFINE, txtNUM_FILE, Command2,
                           Command3, cmdCONFERMA_Tutti, cmdCANC_FILE, cmdIns_File, txtMAX_N_FILES, txtMAX_PER_RIGA,
                           Check1, chkMINIATURE, txtPATH_RICERCA}) {
        const HWND from = focused();
        PostMessageA(from, WM_KEYDOWN, VK_TAB, 0);
        PostMessageA(from, WM_KEYUP, VK_TAB, 0);
        waitFor(tavlo.handle(), [&] { return focused() != from; }, 5000);
        if (focused() != control(next)) {
            walked += " then not " + std::string(tavlo::controlDesign(next).name);
            break;
        }
        walked += " " + std::string(tavlo::controlDesign(next).name);
    }
    check(walked.find("not") == std::string::npos, "the tab key walks the tab order", walked);

    // Load every known file of the tree.
    SendMessageA(control(txtPATH_RICERCA), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(photos.c_str()));
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(control(cmdCONFERMA_Tutti), BM_CLICK, 0, 0, SMTO_NORMAL, 60000, &ignored);
    checkText(txtNUM_FILE, "3", "the load finds three files");

    // Build one page, and open it from the view question.
    SendMessageA(control(txtNOME_FILE_HTM), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>((photos + "Galleria.htm").c_str()));
    PostMessageA(control(Command1), BM_CLICK, 0, 0);
    const std::string folder = upper(photos);
    const HWND view = tavlo.box("Visualizzo");
    check(view != nullptr && withoutLineFeeds(boxText(view)) ==
                                 "Visualizzo la pagina creata " + folder + "GALLERIA.HTM (S/N) ",
          "the build asks whether to show the page", view ? boxText(view) : "no question");
    if (view == nullptr)
        return 1;
    answer(view, IDYES);
    const auto opened = [&] {
        std::optional<std::string> text;
        waitFor(tavlo.handle(), [&] { return (text = readBytes(record)) && !text->empty() && text->back() == '\n'; });
        return text.value_or("");
    };
    const std::string maximised = "|" + std::to_string(SW_SHOWMAXIMIZED) + "\n";
    check(opened() == folder + "GALLERIA.HTM" + maximised, "the shell opens the whole page, maximised", opened());

    const auto page = readBytes(folder + "GALLERIA.HTM").value_or("");
    check(page.find("<meta charset=\"windows-1252\">") != std::string::npos, "the page declares its code page");
    check(page.find("<A HREF=\"citt\xE0 \xE8.htm\">Citt\xE0 \xE8.jpg</A>") != std::string::npos &&
              page.find("<img src=\"VACANZE\\mare 1.jpg\"") != std::string::npos &&
              page.find("<A HREF=\"MUSICA\\canzone.mp3\">") != std::string::npos,
          "the page links its files as the tool does, in windows-1252");
    const auto first = page.find("citt\xE0 \xE8.htm"), second = page.find("MUSICA\\canzone.mp3"),
               third = page.find("VACANZE\\mare 1.jpg");
    check(first < second && second < third && third != std::string::npos,
          "the cells follow the list, in the order Windows lists the folders");
    check(everyLineEndsInCrLf(page), "every line of the page ends in CR LF");
    std::string missing;
    std::vector<std::string> beside = kCopiedTemplates;
    beside.insert(beside.end(), {"CITT\xC0 \xC8.HTM", "MARE 1.HTM"});
    for (const std::string& name : beside)
        if (!holds(namesIn(folder), name))
            missing += name + " ";
    check(missing.empty(), "the view pages and the templates lie beside the page", missing);
    std::string broken;
    for (const std::string& link : brokenLinks(folder, page))
        broken += link + " ";
    check(broken.empty(), "every link of the page reaches its file", broken);

    // The view button opens the same page again.
    SendMessageTimeoutA(control(Command5), BM_CLICK, 0, 0, SMTO_NORMAL, 20000, &ignored);
    waitFor(tavlo.handle(), [&] { return opened().find('\n') != opened().rfind('\n'); });
    check(opened() == folder + "GALLERIA.HTM" + maximised + folder + "GALLERIA.HTM" + maximised,
          "the view button opens the page again", opened());

    // The folder picker starts in the search folder; a file chosen there makes its
    // folder the search folder, and the output page follows it.
    PostMessageA(control(Command3), BM_CLICK, 0, 0);
    HWND picker = nullptr;
    waitFor(tavlo.handle(), [&] {
        picker = topWindow(tavlo.id(), "#32770", "Ricerca cartelle/directory contenenti Foto/Film/Suoni");
        return picker != nullptr;
    });
    check(picker != nullptr, "the folder picker opens with its title");
    if (picker != nullptr) {
        HWND name = GetDlgItem(picker, 0x47C);  // the file name box of the Open dialog (cmb13), or its older edt1
        if (name == nullptr)
            name = GetDlgItem(picker, 0x480);
        const std::string relative = "VACANZE\\Mare 1.JPG";
        SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(relative.c_str()));
        PostMessageA(picker, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        waitFor(tavlo.handle(), [&] { return textOf(control(txtPATH_RICERCA)) != photos; });
        check(textOf(control(txtPATH_RICERCA)) == photos + "VACANZE\\" &&
                  textOf(control(txtNOME_FILE_HTM)) == photos + "VACANZE\\Galleria.htm",
              "a file chosen in the picker moves the search folder and the output page to its folder",
              textOf(control(txtPATH_RICERCA)) + " " + textOf(control(txtNOME_FILE_HTM)));
    }

    // The end button ends the program.
    PostMessageA(control(cmdFINE), BM_CLICK, 0, 0);
    const bool ended = WaitForSingleObject(tavlo.handle(), 20000) == WAIT_OBJECT_0;
    DWORD code = 1;
    GetExitCodeProcess(tavlo.handle(), &code);
    check(ended && code == 0, "F I N E ends the program", "exit code " + std::to_string(code));

    removeTree(work + "\\Foto & Mare 1");
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::string(argv[1]) == "--opened")
        return recordOpened(argv[2], argv[3]);
    if (argc != 3) {
        std::fprintf(stderr, "usage: tavlo_smoke PROGRAM.exe WORK-FOLDER\n");
        return 2;
    }
    const int broken = runSmokeTest(argv[1], argv[2]);
    std::printf("smoke: %d passed, %d failed\n", passed, failed);
    return broken != 0 || failed != 0 ? 1 : 0;
}
