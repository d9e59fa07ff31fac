#pragma once
// A real folder tree in a temporary directory, removed at the end of the test.
#include "support/native.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace tavlo::test {

std::filesystem::path onDisk(const std::string& path);  // as the platform's file calls take it

inline std::string readFile(const std::string& path)
{
    std::ostringstream content;
    content << std::ifstream(onDisk(path), std::ios::binary).rdbuf();
    return content.str();
}

class TempTree {
public:
    TempTree()
    {
        do
            root_ = (std::filesystem::temp_directory_path() / ("tavlo-test-" + std::to_string(std::random_device()()))).string();
        while (!std::filesystem::create_directory(onDisk(root_)));
    }
    ~TempTree() { std::filesystem::remove_all(onDisk(root_), ignored_); }
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    std::string at(std::string_view relative) const { return root_ + kSep + native(relative); }
    std::string read(std::string_view relative) const { return readFile(at(relative)); }
    bool exists(std::string_view relative) const { return std::filesystem::exists(onDisk(at(relative))); }
    std::string folder(std::string_view relative) const  // and those above it; its path
    {
        std::filesystem::create_directories(onDisk(at(relative)));
        return at(relative);
    }
    std::string file(std::string_view relative, std::string_view content = "") const  // and its folders; its path
    {
        std::filesystem::create_directories(onDisk(at(relative)).parent_path());
        std::ofstream(onDisk(at(relative)), std::ios::binary) << content;
        return at(relative);
    }

private:
    std::string root_;
    std::error_code ignored_;
};

} // namespace tavlo::test
