// The template copy: the ten templates from the fixed template folder beside the page,
// under upper-case names, once per build, every failing copy skipped silently.
#include "build/template_copy.h"
#include "support/page_test.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <utility>

namespace tavlo::test {
namespace {

using enum ControlId;
using Copies = std::vector<std::pair<std::string, std::string>>;

// The template table: the name in the template folder, the name beside the page.
const std::vector<std::pair<std::string, std::string>> kTemplates{
    {"Intestaz.htm", "INTESTAZ.HTM"}, {"Intest_2.htm", "INTEST_2.HTM"}, {"PIEDE.htm", "PIEDE.HTM"},
    {"DIAPOSIT.JPG", "DIAPOSIT.JPG"}, {"Film-1a.jpg", "FILM-1A.JPG"},   {"Foto-1a.jpg", "FOTO-1A.JPG"},
    {"Htm-1a.jpg", "HTM-1A.JPG"},     {"Music-1a.jpg", "MUSIC-1A.JPG"}, {"Sfondo1g.jpg", "SFONDO1G.JPG"},
    {"Sfondo1p.jpg", "SFONDO1P.JPG"},
};

class TemplateCopy : public BuildTest {
protected:
    explicit TemplateCopy(RigOptions options = {}) : BuildTest(options) {}

    void buildOnePage()
    {
        fillList(rig, {in("a.mp3")});
        rig.ui.answerNext(kAnswerNo);
        rig.click(Command1);
    }

    /// The copies into a page folder as typed (the build forms its own from it).
    Copies expectedCopies(const std::string& folder)
    {
        Copies copies;
        for (const auto& [source, destination] : kTemplates)
            copies.emplace_back(rig.templateFolder() + source, builtFolder(rig, folder) + destination);
        return copies;
    }

    /// The destinations that are not a file with the template's content.
    std::vector<std::string> differingCopies(const std::string& folder)
    {
        std::vector<std::string> differing;
        for (const auto& [source, destination] : kTemplates)
            if (!std::filesystem::is_regular_file(folder + destination) ||
                readFile(folder + destination) != readFile(rig.templateFolder() + source))
                differing.push_back(destination);
        return differing;
    }
};

TEST_F(TemplateCopy, ASingleBuildCopiesTheTenTemplatesInTableOrderUnderUpperCaseNames)
{
    buildOnePage();

    EXPECT_EQ(rig.fs.copies, expectedCopies(site));
    EXPECT_EQ(differingCopies(site), std::vector<std::string>{});
    EXPECT_EQ(prompts().size(), 1u);  // only the view question
}

TEST_F(TemplateCopy, TheOutputFolderKeepsItsLetterCaseWhereCaseMattersOnDisk)
{
    if (!rig.fs.caseSensitive())
        GTEST_SKIP() << "Windows ignores letter case: the destinations are upper-cased (TemplateCopyIgnoringCase)";
    const std::string folder = rig.tree.folder("site/Foto Mare") + kSep;
    rig.type(txtNOME_FILE_HTM, folder + "tavlo.htm");
    buildOnePage();

    EXPECT_EQ(rig.fs.copies, expectedCopies(folder));
    EXPECT_EQ(differingCopies(folder), std::vector<std::string>{});
}

TEST_F(TemplateCopy, ACopyLeftByAnEarlierBuildIsReplacedAndTwoBuildsLeaveTheSameFiles)
{
    rig.tree.file("site/DIAPOSIT.JPG", "old");
    rig.tree.file("site/PIEDE.HTM", "old");
    buildOnePage();
    EXPECT_EQ(differingCopies(site), std::vector<std::string>{});

    rig.ui.answerNext(kAnswerYes);  // overwrite the page
    rig.ui.answerNext(kAnswerNo);   // view
    rig.click(Command1);
    EXPECT_EQ(rig.fs.copies.size(), 20u);
    EXPECT_EQ(differingCopies(site), std::vector<std::string>{});
}

TEST_F(TemplateCopy, ACopyThatFailsIsSkippedSilently)
{
    rig.tree.folder("site/PIEDE.HTM");  // a folder where a template would go
    buildOnePage();

    EXPECT_EQ(rig.fs.copies.size(), 10u);
    EXPECT_EQ(prompts().size(), 1u);
    EXPECT_TRUE(std::filesystem::is_directory(site + "PIEDE.HTM"));
    EXPECT_EQ(differingCopies(site), std::vector<std::string>{"PIEDE.HTM"});
}

class TemplateCopyFromTree : public TemplateCopy {
protected:
    TemplateCopyFromTree() : TemplateCopy({.templatesInTree = true}) {}
};

TEST_F(TemplateCopyFromTree, AMissingTemplateIsSkippedSilentlyAndTheOthersAreCopied)
{
    std::filesystem::remove(rig.templateFolder() + "Foto-1a.jpg");
    std::filesystem::remove(rig.templateFolder() + "Sfondo1p.jpg");
    buildOnePage();

    EXPECT_EQ(prompts().size(), 1u);
    EXPECT_FALSE(rig.tree.exists("site/FOTO-1A.JPG"));
    EXPECT_FALSE(rig.tree.exists("site/SFONDO1P.JPG"));
    EXPECT_EQ(differingCopies(site), (std::vector<std::string>{"FOTO-1A.JPG", "SFONDO1P.JPG"}));
}

TEST_F(TemplateCopyFromTree, AnOutputFolderThatIsTheTemplateFolderLosesNothing)
{
    rig.type(txtNOME_FILE_HTM, rig.templateFolder() + "TAVLO.HTM");
    buildOnePage();

    EXPECT_EQ(prompts(),
              Lines{"Visualizzo la pagina creata " + builtFolder(rig, rig.templateFolder()) + "TAVLO.HTM (S/N) "});
    // Every template keeps its content, also those copied onto themselves.
    for (const auto& [source, destination] : kTemplates)
        EXPECT_EQ(readFile(rig.templateFolder() + source), readFile(sourceTemplateFolder() + kSep + source)) << source;
    EXPECT_EQ(differingCopies(rig.templateFolder()), std::vector<std::string>{});
}

// Where letter case does not matter, the whole destination path is upper-cased as the tool does.
class TemplateCopyIgnoringCase : public ::testing::Test {
protected:
    Rig rig{{.caseSensitive = false}};
};

TEST_F(TemplateCopyIgnoringCase, UpperCasesTheWholeDestinationPath)
{
    const std::string folder = rig.tree.folder("Foto") + kSep;
    std::string upper = folder;
    std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return std::toupper(c); });
    rig.job().Cartella_Tavlo = folder;
    Copia_Modelli(rig.platform(), rig.job());

    ASSERT_EQ(rig.fs.copies.size(), 10u);
    EXPECT_EQ(rig.fs.copies.front().first, rig.templateFolder() + "Intestaz.htm");
    EXPECT_EQ(rig.fs.copies.front().second, upper + "INTESTAZ.HTM");
    EXPECT_EQ(rig.fs.copies.back().second, upper + "SFONDO1P.JPG");
    EXPECT_TRUE(rig.ui.boxes.empty());
}

} // namespace
} // namespace tavlo::test
