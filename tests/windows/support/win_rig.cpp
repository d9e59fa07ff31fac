// The rig on Windows: the same frmTAVLO on the headless window, over the real
// Windows file system in a temporary tree on drive C:. Windows ignores letter case,
// so the rig's file system always does (RigOptions::caseSensitive has no say here).
#include "support/rig.h"

#include "platform/win32/win32_file_system.h"
#include "support/win_files.h"

namespace tavlo::test {

std::string sourceTemplateFolder() { return moduleFolder() + "\\windows-templates"; }

std::unique_ptr<FileSystem> createPlatformFileSystem(const std::string& programFolder)
{
    Win32FileSystemOptions options;
    options.programFolder = programFolder;
    return createWin32FileSystem(options);
}

std::unique_ptr<FaultyFileSystem> Rig::makeFileSystem(const TempTree& tree, const RigOptions& options)
{
    const std::string program = tree.folder("program");
    tree.folder("home");
    const std::string templates = sourceTemplateFolder();
    if (options.withProgramTemplates) {
        writeBytes(program + "\\INTESTAZ.HTM", readBytes(templates + "\\Intestaz.htm").value());
        writeBytes(program + "\\INTEST_2.HTM", readBytes(templates + "\\Intest_2.htm").value());
        writeBytes(program + "\\PIEDE.HTM", readBytes(templates + "\\PIEDE.htm").value());
    }
    Win32FileSystemOptions fsOptions;
    fsOptions.programFolder = program;
    fsOptions.templateFolder = templates;
    if (options.templatesInTree) {
        fsOptions.templateFolder = tree.folder("templates");
        for (const std::string& name : namesIn(templates))
            writeBytes(fsOptions.templateFolder + "\\" + name, readBytes(templates + "\\" + name).value());
    }
    return std::make_unique<FaultyFileSystem>(createWin32FileSystem(fsOptions));
}

} // namespace tavlo::test
