#include "platform/win32/win32_shell.h"

#include <shellapi.h>

namespace tavlo {

void openDocumentMaximised(HWND owner, const std::string& document)
{
    // The open may hand the page to a COM handler.
    const ComScope com(kWindowApartment);
    const auto backslash = document.rfind('\\');
    const std::string folder = backslash == std::string::npos ? std::string() : document.substr(0, backslash + 1);
    ShellExecuteA(owner, "open", document.c_str(), nullptr, folder.empty() ? nullptr : folder.c_str(),
                  SW_SHOWMAXIMIZED);
}

} // namespace tavlo
