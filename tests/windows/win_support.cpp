// The rig's platform on Windows: drive C:'s temporary folder, names in UTF-8, pages in windows-1252.
#include "platform/win32/win32_file_system.h"
#include "support/rig.h"

#include <windows.h>

namespace tavlo::test {

std::string sourceTemplateFolder() { return moduleFolder() + "\\windows-templates"; }

std::unique_ptr<FileSystem> createFileSystem(const std::string& program, const std::string& templates,
                                             const std::string&, bool)
{
    return createWin32FileSystem({program, templates});
}

namespace {
std::wstring recoded(std::string_view text, UINT from)
{
    std::wstring wide(MultiByteToWideChar(from, 0, text.data(), static_cast<int>(text.size()), nullptr, 0), L'\0');
    MultiByteToWideChar(from, 0, text.data(), static_cast<int>(text.size()), wide.data(), static_cast<int>(wide.size()));
    return wide;
}
} // namespace

std::filesystem::path onDisk(const std::string& path) { return recoded(path, CP_UTF8); }

std::string onPage(std::string_view utf8)
{
    const std::wstring wide = recoded(utf8, CP_UTF8);
    const int size = static_cast<int>(wide.size());
    std::string page(WideCharToMultiByte(1252, 0, wide.data(), size, nullptr, 0, nullptr, nullptr), '\0');
    WideCharToMultiByte(1252, 0, wide.data(), size, page.data(), static_cast<int>(page.size()), nullptr, nullptr);
    return page;
}

} // namespace tavlo::test
