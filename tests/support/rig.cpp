#include "support/rig.h"

#include "platform/posix/posix_file_system.h"
#include "support/test_paths.h"

#include <filesystem>

namespace tavlo::test {

std::string sourceTemplateFolder() { return TAVLO_TEST_TEMPLATE_DIR; }

std::unique_ptr<FileSystem> createPlatformFileSystem(const std::string& programFolder)
{
    PosixFileSystemOptions options;
    options.programFolder = programFolder;
    return createPosixFileSystem(options);
}

std::unique_ptr<FaultyFileSystem> Rig::makeFileSystem(const TempTree& tree, const RigOptions& options)
{
    const std::string program = tree.folder("program");
    tree.folder("home");
    if (options.withProgramTemplates) {
        namespace fs = std::filesystem;
        const fs::path templates = sourceTemplateFolder();
        fs::copy_file(templates / "Intestaz.htm", program + "/INTESTAZ.HTM");
        fs::copy_file(templates / "Intest_2.htm", program + "/INTEST_2.HTM");
        fs::copy_file(templates / "PIEDE.htm", program + "/PIEDE.HTM");
    }
    PosixFileSystemOptions fsOptions;
    fsOptions.programFolder = program;
    fsOptions.templateFolder = sourceTemplateFolder();
    if (options.templatesInTree) {
        namespace fs = std::filesystem;
        fsOptions.templateFolder = tree.folder("templates");
        for (const auto& shipped : fs::directory_iterator(sourceTemplateFolder()))
            if (shipped.is_regular_file() && shipped.path().extension() != ".sh")
                fs::copy_file(shipped.path(), fs::path(fsOptions.templateFolder) / shipped.path().filename());
    }
    fsOptions.homeFolder = tree.at("home");
    fsOptions.caseSensitive = options.caseSensitive;
    return std::make_unique<FaultyFileSystem>(createPosixFileSystem(fsOptions));
}

} // namespace tavlo::test
