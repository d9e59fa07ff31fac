#pragma once
// A real folder tree in a temporary directory, removed at the end of the test.

#include <string>
#include <string_view>

namespace tavlo::test {

class TempTree {
public:
    TempTree();
    ~TempTree();
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    const std::string& path() const { return root_; }  // without a trailing separator
    std::string at(std::string_view relative) const;
    /// Creates a file, and the folders above it; returns its full path.
    std::string file(std::string_view relative, std::string_view content = "") const;
    /// Creates a folder, and the folders above it; returns its full path.
    std::string folder(std::string_view relative) const;
    std::string read(std::string_view relative) const;
    bool exists(std::string_view relative) const;

private:
    std::string root_;
};

/// The content of a file, or an empty text when it cannot be read.
std::string readFile(const std::string& path);

} // namespace tavlo::test
