#pragma once
// What the window, the console and the imaging of the Windows program share: COM
// on the calling thread for a while, and the shell's document open.

#include <windows.h>
#include <objbase.h>

#include <string>

namespace tavlo {

/// COM joined on the calling thread for the scope's life; left again only when
/// this scope joined it (a thread already in it is counted once more, as COM wants).
class ComScope {
public:
    explicit ComScope(DWORD model) : result_(CoInitializeEx(nullptr, model)) {}
    ~ComScope()
    {
        if (SUCCEEDED(result_))
            CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    HRESULT result_;
};

/// The apartment of a thread that runs windows and the shell's document open.
inline constexpr DWORD kWindowApartment = COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE;

/// Opens a document with the shell's own open, maximised, in its folder: no command
/// line is formed, so no blank or "&" in a folder name can break it. A failure is
/// not reported.
void openDocumentMaximised(HWND owner, const std::string& document);

} // namespace tavlo
