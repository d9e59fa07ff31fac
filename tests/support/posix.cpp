// The rig's platform on Linux.
#include "platform/posix/posix_file_system.h"
#include "support/rig.h"
#include "support/test_paths.h"

namespace tavlo::test {

std::string sourceTemplateFolder() { return TAVLO_TEST_TEMPLATE_DIR; }
std::filesystem::path onDisk(const std::string& path) { return path; }
std::string onPage(std::string_view utf8) { return std::string(utf8); }

std::unique_ptr<FileSystem> createFileSystem(const std::string& program, const std::string& templates,
                                             const std::string& home, bool caseSensitive)
{
    return createPosixFileSystem({program, templates, home, caseSensitive});
}

} // namespace tavlo::test
