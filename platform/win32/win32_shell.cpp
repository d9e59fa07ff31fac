#include "platform/win32/win32_shell.h"

#include "platform/win32/win32_text.h"

#include <shellapi.h>

namespace tavlo {

void openDocumentMaximised(HWND owner, const std::string& document)
{
    // The open may hand the page to a COM handler.
    const ComScope com(kWindowApartment);
    const auto backslash = document.rfind('\\');
    const std::string folder = backslash == std::string::npos ? std::string() : document.substr(0, backslash + 1);
    const std::wstring wideFolder = wideText(folder);
    ShellExecuteW(owner, L"open", wideText(document).c_str(), nullptr, folder.empty() ? nullptr : wideFolder.c_str(),
                  SW_SHOWMAXIMIZED);
}

} // namespace tavlo
