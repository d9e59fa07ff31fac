// The temporary folder tree of the tests on Windows: a folder of the user's
// temporary folder on drive C:, "\" between names. A relative name written with
// "/" (as the tests shared with Linux write them) names the same place, and their
// names written in UTF-8 are spelt in the ANSI code page.
#include "support/temp_tree.h"

#include "support/native.h"
#include "support/win_files.h"

#include <windows.h>

#include <algorithm>

namespace tavlo::test {
namespace {

std::string windowsPath(std::string_view relative)
{
    std::string path(relative);
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

} // namespace

TempTree::TempTree()
{
    char temp[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathA(sizeof temp, temp);
    std::string parent = length > 0 && length < sizeof temp ? std::string(temp, length) : std::string("C:\\");
    if (parent.back() != '\\')
        parent.push_back('\\');
    root_ = makeUniqueFolder(parent, "tavlo-test-");
}

TempTree::~TempTree() { removeTree(root_); }

std::string TempTree::at(std::string_view relative) const { return root_ + "\\" + windowsPath(relative); }

std::string TempTree::file(std::string_view relative, std::string_view content) const
{
    const std::string path = at(relative);
    writeBytes(path, content);
    return path;
}

std::string TempTree::folder(std::string_view relative) const
{
    const std::string path = at(relative);
    makeFolders(path);
    return path;
}

std::string TempTree::read(std::string_view relative) const { return readFile(at(relative)); }

bool TempTree::exists(std::string_view relative) const { return pathExists(at(relative)); }

std::string readFile(const std::string& path) { return readBytes(path).value_or(std::string()); }

std::string inCodePage(std::string_view utf8)
{
    if (utf8.empty())
        return {};
    const int size = static_cast<int>(utf8.size());
    std::wstring wide(static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0)), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), static_cast<int>(wide.size()));
    const int wideSize = static_cast<int>(wide.size());
    std::string ansi(
        static_cast<std::size_t>(WideCharToMultiByte(CP_ACP, 0, wide.data(), wideSize, nullptr, 0, nullptr, nullptr)),
        '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), wideSize, ansi.data(), static_cast<int>(ansi.size()), nullptr, nullptr);
    return ansi;
}

} // namespace tavlo::test
