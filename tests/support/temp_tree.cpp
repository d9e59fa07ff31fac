#include "support/temp_tree.h"

#include "support/rig.h"

#include <fstream>
#include <random>
#include <sstream>

namespace tavlo::test {

namespace fs = std::filesystem;

TempTree::TempTree()
{
    do
        root_ = (fs::temp_directory_path() / ("tavlo-test-" + std::to_string(std::random_device()()))).string();
    while (!fs::create_directory(onDisk(root_)));
}

TempTree::~TempTree()
{
    std::error_code ignored;
    fs::remove_all(onDisk(root_), ignored);
}

std::string TempTree::at(std::string_view relative) const { return root_ + kSep + native(relative); }
std::string TempTree::read(std::string_view relative) const { return readFile(at(relative)); }
bool TempTree::exists(std::string_view relative) const { return fs::exists(onDisk(at(relative))); }

std::string TempTree::file(std::string_view relative, std::string_view content) const
{
    fs::create_directories(onDisk(at(relative)).parent_path());
    std::ofstream(onDisk(at(relative)), std::ios::binary) << content;
    return at(relative);
}

std::string TempTree::folder(std::string_view relative) const
{
    fs::create_directories(onDisk(at(relative)));
    return at(relative);
}

std::string readFile(const std::string& path)
{
    std::ostringstream content;
    content << std::ifstream(onDisk(path), std::ios::binary).rdbuf();
    return content.str();
}

} // namespace tavlo::test
