#include "support/rig.h"

#include "platform/posix/posix_file_system.h"
#include "support/test_paths.h"

#include <cctype>
#include <filesystem>

namespace tavlo::test {

namespace fs = std::filesystem;

std::string sourceTemplateFolder() { return TAVLO_TEST_TEMPLATE_DIR; }

std::unique_ptr<FileSystem> createPlatformFileSystem(const std::string& programFolder)
{
    PosixFileSystemOptions options;
    options.programFolder = programFolder;
    return createPosixFileSystem(options);
}

std::unique_ptr<FaultyFileSystem> Rig::makeFileSystem(const TempTree& tree, const RigOptions& options)
{
    const fs::path program = tree.folder("program"), templates = sourceTemplateFolder();
    if (options.withProgramTemplates)
        for (const char* name : {"Intestaz.htm", "Intest_2.htm", "PIEDE.htm"}) {
            std::string upper = name;  // beside the program under the names the writer reads
            for (char& c : upper)
                c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            fs::copy_file(templates / name, program / upper);
        }
    PosixFileSystemOptions fsOptions{program.string(), templates.string(), tree.folder("home"), options.caseSensitive};
    if (options.templatesInTree) {
        fsOptions.templateFolder = tree.folder("templates");
        for (const auto& shipped : fs::directory_iterator(templates))
            if (shipped.is_regular_file() && shipped.path().extension() != ".sh")
                fs::copy_file(shipped.path(), fs::path(fsOptions.templateFolder) / shipped.path().filename());
    }
    return std::make_unique<FaultyFileSystem>(createPosixFileSystem(fsOptions));
}

} // namespace tavlo::test
