#include "support/rig.h"

namespace tavlo::test {

namespace fs = std::filesystem;

std::unique_ptr<FaultyFileSystem> Rig::makeFileSystem(const TempTree& tree, const RigOptions& options)
{
    const std::string templates = sourceTemplateFolder();
    if (options.withProgramTemplates)  // beside the program under the names the writer reads
        for (const auto& [shipped, placed] :
             {std::pair{"Intestaz.htm", "INTESTAZ.HTM"}, {"Intest_2.htm", "INTEST_2.HTM"}, {"PIEDE.htm", "PIEDE.HTM"}})
            tree.file(std::string("program/") + placed, readFile(templates + kSep + shipped));
    std::string templateFolder = templates;
    if (options.templatesInTree) {
        templateFolder = tree.folder("templates");
        for (const auto& shipped : fs::directory_iterator(onDisk(templates)))
            if (shipped.path().extension() != ".sh")
                fs::copy_file(shipped.path(), onDisk(templateFolder) / shipped.path().filename());
    }
    return std::make_unique<FaultyFileSystem>(
        createFileSystem(tree.folder("program"), templateFolder, tree.folder("home"), options.caseSensitive));
}

} // namespace tavlo::test
