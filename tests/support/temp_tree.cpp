#include "support/temp_tree.h"

#include "support/native.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace tavlo::test {

namespace fs = std::filesystem;

TempTree::TempTree() : root_((fs::temp_directory_path() / "tavlo-test-XXXXXX").string())
{
    if (::mkdtemp(root_.data()) == nullptr)
        throw std::runtime_error("cannot create a temporary folder");
}

TempTree::~TempTree()
{
    std::error_code ignored;
    fs::remove_all(root_, ignored);
}

std::string TempTree::at(std::string_view relative) const { return root_ + "/" + std::string(relative); }

std::string TempTree::file(std::string_view relative, std::string_view content) const
{
    const std::string path = at(relative);
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << content;
    return path;
}

std::string TempTree::folder(std::string_view relative) const
{
    fs::create_directories(at(relative));
    return at(relative);
}

std::string TempTree::read(std::string_view relative) const { return readFile(at(relative)); }

bool TempTree::exists(std::string_view relative) const { return fs::exists(at(relative)); }

std::string readFile(const std::string& path)
{
    std::ostringstream content;
    content << std::ifstream(path, std::ios::binary).rdbuf();
    return content.str();
}

std::string inCodePage(std::string_view utf8) { return std::string(utf8); }

} // namespace tavlo::test
