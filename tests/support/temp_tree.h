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
    std::string file(std::string_view relative, std::string_view content = "") const;  // and its folders; its path
    std::string folder(std::string_view relative) const;                               // and those above; its path
    std::string read(std::string_view relative) const;
    bool exists(std::string_view relative) const;

private:
    std::string root_;
};

std::string readFile(const std::string& path);  // empty when it cannot be read

} // namespace tavlo::test
