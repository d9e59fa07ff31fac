#include "platform/win32/win32_picker.h"

#include "platform/win32/win32_text.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

namespace tavlo {

std::optional<std::string> showOpenDialog(HWND owner, const PickerRequest& request)
{
    // The filter list: each pattern shown as its own description, "*.*" once.
    std::vector<std::string> patterns;
    for (const std::string* pattern : {&request.firstPattern, &request.secondPattern})
        if (!pattern->empty() && std::find(patterns.begin(), patterns.end(), *pattern) == patterns.end())
            patterns.push_back(*pattern);
    if (patterns.empty())
        patterns.emplace_back("*.*");
    std::wstring filter;
    for (const std::string& pattern : patterns)
        filter += wideText(pattern) + L'\0' + wideText(pattern) + L'\0';
    filter.push_back(L'\0');

    const std::wstring startFolder = wideText(request.startFolder);
    const std::wstring title = wideText(request.title);
    std::wstring chosen(32768, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = chosen.data();
    dialog.nMaxFile = static_cast<DWORD>(chosen.size());
    dialog.lpstrInitialDir = startFolder.empty() ? nullptr : startFolder.c_str();
    dialog.lpstrTitle = title.c_str();
    // The current folder is the build's to set: the dialog leaves it alone.
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST |
                   (request.folderMayBeChosen ? 0 : OFN_FILEMUSTEXIST);
    if (!GetOpenFileNameW(&dialog))
        return CommDlgExtendedError() == 0 ? std::optional<std::string>(std::string()) : std::nullopt;
    chosen.resize(chosen.find(L'\0'));
    return utf8Text(chosen);
}

} // namespace tavlo
