// The Windows console of a run without any window. tavlo.exe is a windowed program:
// Windows gives it standard handles only where they were redirected, so it takes
// the console of the program that started it (a command prompt) for the others.

#include "platform/console.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_text.h"

#include <windows.h>
#include <shellapi.h>


#include <string>

namespace tavlo {
namespace {

bool usable(HANDLE handle)
{
    return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

bool isConsole(HANDLE handle)
{
    DWORD mode = 0;
    return GetConsoleMode(handle, &mode) != 0;
}

void writeTo(DWORD which, std::string_view text)
{
    const HANDLE handle = GetStdHandle(which);
    if (!usable(handle))
        return;  // nowhere to write to: the run goes on without its messages
    if (isConsole(handle)) {
        // The console shows its own code page: the text goes to it as characters.
        const std::wstring wide = wideText(text);
        DWORD written = 0;
        WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        return;
    }
    std::string lines;  // a file or a pipe gets the lines of Windows text files, in UTF-8, which spells every name
    for (const char c : text) {
        if (c == '\n')
            lines.push_back('\r');
        lines.push_back(c);
    }
    DWORD written = 0;
    WriteFile(handle, lines.data(), static_cast<DWORD>(lines.size()), &written, nullptr);
}

class Win32Console final : public Console {
public:
    Win32Console()
    {
        constexpr DWORD kStandard[] = {STD_OUTPUT_HANDLE, STD_ERROR_HANDLE};
        bool missing = false;
        for (const DWORD which : kStandard)
            missing = missing || !usable(GetStdHandle(which));
        if (!missing || !AttachConsole(ATTACH_PARENT_PROCESS))
            return;
        for (const DWORD which : kStandard)
            if (!usable(GetStdHandle(which)))
                SetStdHandle(which, CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE,
                                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                                nullptr));
    }

    FileSystem& fileSystem() override { return *fs_; }
    void writeOutput(std::string_view text) override { writeTo(STD_OUTPUT_HANDLE, text); }
    void writeError(std::string_view text) override { writeTo(STD_ERROR_HANDLE, text); }
    bool errorIsTerminal() const override { return isConsole(GetStdHandle(STD_ERROR_HANDLE)); }

    void openPage(const OpenRequest& request) override
    {
        openDocumentMaximised(nullptr, request.documentPath);  // as the window opens a page
    }

private:
    std::unique_ptr<FileSystem> fs_ = createWin32FileSystem();
};

} // namespace

std::unique_ptr<Console> createConsole() { return std::make_unique<Win32Console>(); }

std::vector<std::string> programArguments(int, char**)
{
    // The C runtime's arguments are in the ANSI code page, which cannot spell every name.
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; wide != nullptr && i < count; ++i)
        arguments.push_back(utf8Text(wide[i]));
    LocalFree(wide);
    return arguments;
}

} // namespace tavlo
