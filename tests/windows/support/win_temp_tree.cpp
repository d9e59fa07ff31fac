// The temporary folder tree of the tests on Windows: a folder of the user's
// temporary folder on drive C:, "\" between names. A relative name written with
// "/" (as the tests shared with Linux write them) names the same place.
#include "support/temp_tree.h"

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

} // namespace tavlo::test
