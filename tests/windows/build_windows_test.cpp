// The road through the window on Windows: loads and builds through the click
// handlers, on real folders of Windows drives, with "\" paths, drive letters,
// letter case as Windows has it, and pages in the ANSI code page.
#include "platform/text_case.h"
#include "platform/win32/win32_file_system.h"
#include "support/rig_test.h"
#include "support/win_files.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <utility>

namespace tavlo::test {
namespace {

using enum ControlId;

class WindowsBuild : public RigTest {
protected:
    WindowsBuild()
    {
        rig.start();
        rig.ui.boxes.clear();
    }

    /// Builds one page of the whole list, answering the view question.
    void buildOnePage(const std::string& page, int viewAnswer = kAnswerNo)
    {
        rig.type(txtNOME_FILE_HTM, page);
        rig.ui.answerNext(viewAnswer);
        rig.click(Command1);
    }

    // A build makes the page folder current; the folder of the test comes back after it.
    struct CurrentFolderKept {
        std::filesystem::path folder = std::filesystem::current_path();
        ~CurrentFolderKept()
        {
            std::error_code ignored;
            std::filesystem::current_path(folder, ignored);
        }
    } currentFolderKept;
};

TEST_F(WindowsBuild, ALoadWalksTheTreeWithBackslashesInWindowsOrder)
{
    rig.tree.file("foto\\b.jpg");
    rig.tree.file("foto\\A.JPG");
    rig.tree.file("foto\\Sub\\c.jpg");
    rig.tree.file("foto\\Sub\\Deep\\d.Jpg");
    rig.tree.file("foto\\Nascosta\\x.jpg");
    SetFileAttributesA(rig.tree.at("foto\\Nascosta").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY);
    const std::string root = rig.tree.at("foto");

    // Typed without its last backslash, as users do.
    EXPECT_EQ(load(root, "JPG"), (std::vector<std::string>{root + "\\A.JPG", root + "\\b.jpg", root + "\\Sub\\c.jpg",
                                                          root + "\\Sub\\Deep\\d.Jpg"}));
    EXPECT_EQ(rig.text(txtNUM_FILE), "4");

    rig.click(Command2);
    EXPECT_EQ(load(root + "\\", ""), (std::vector<std::string>{"<" + root + "\\Sub>", "<" + root + "\\Sub\\Deep>"}));
}

TEST_F(WindowsBuild, LinksAreLowerCasedBelowAnUpperCasedPageFolderInTheAnsiCodePageAndReachTheirFiles)
{
    ASSERT_EQ(GetACP(), 1252u) << "the pages below are spelt in windows-1252";
    rig.tree.file("VACANZE\\Mare 1.jpg", "jpeg");
    rig.tree.file("MUSICA\\Song.MP3", "mp3");
    rig.tree.file("Citt\xE0 \xE8.jpg", "jpeg");  // "Città è.jpg"
    load(rig.tree.path(), "*");
    buildOnePage(rig.tree.at("tavlo.htm"));

    // Windows ignores letter case: the page folder is upper-cased and the links
    // lower-cased as the tool does it, and every one of them still reaches its file.
    const std::string folder = upperCase(rig.tree.path() + "\\");
    EXPECT_EQ(rig.job().Cartella_Tavlo, folder);
    EXPECT_EQ(rig.ui.boxes.back().prompt, "Visualizzo la pagina creata " + folder + "TAVLO.HTM (S/N) ");
    const std::string page = rig.tree.read("TAVLO.HTM");
    for (const char* written : {"<A HREF=\"mare 1.htm\">", "<img src=\"VACANZE\\mare 1.jpg\"", ">Mare 1.jpg</A>",
                                "<A HREF=\"MUSICA\\song.mp3\">", "<img src=\"MUSIC-1A.JPG\"",
                                "<A HREF=\"citt\xE0 \xE8.htm\">Citt\xE0 \xE8.jpg</A>", "<meta charset=\"windows-1252\">"})
        EXPECT_NE(page.find(written), std::string::npos) << written << " in\n" << page;
    EXPECT_EQ(page.find("\xC3"), std::string::npos) << "no UTF-8 in a windows-1252 page";
    EXPECT_TRUE(everyLineEndsInCrLf(page));
    EXPECT_EQ(brokenLinks(folder, page), std::vector<std::string>{});

    // The view pages carry the names the tool forms, exactly as they lie on disk.
    const auto names = namesIn(rig.tree.path());
    for (const auto& [name, title] : {std::pair{"MARE 1.HTM", "<IMG SRC=\"VACANZE\\MARE 1.JPG\""},
                                      {"CITT\xC0 \xC8.HTM", "<TITLE> CITT\xC0 \xC8.JPG </TITLE>"}}) {
        EXPECT_TRUE(holds(names, name)) << name;
        const std::string view = rig.tree.read(name);
        EXPECT_NE(view.find(title), std::string::npos) << view;
        EXPECT_EQ(view.find("\xC3"), std::string::npos);
        EXPECT_TRUE(everyLineEndsInCrLf(view));
        EXPECT_EQ(brokenLinks(folder, view), std::vector<std::string>{});
    }
}

TEST(WindowsTemplates, TheShippedPagesDeclareTheAnsiCodePageInPlainAscii)
{
    for (const char* name : {"Intestaz.htm", "Intest_2.htm", "PIEDE.htm"}) {
        const std::string page = readBytes(sourceTemplateFolder() + "\\" + name).value_or("");
        EXPECT_FALSE(page.empty()) << name;
        EXPECT_TRUE(everyLineEndsInCrLf(page)) << name;
        EXPECT_TRUE(std::all_of(page.begin(), page.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
            << name << ": a byte past ASCII would read differently in the code page the header declares";
        EXPECT_EQ(page.find("utf-8"), std::string::npos) << name;
    }
    EXPECT_NE(readBytes(sourceTemplateFolder() + "\\Intestaz.htm").value_or("").find("<meta charset=\"windows-1252\">"),
              std::string::npos);
}

TEST_F(WindowsBuild, TemplatesAreCopiedFromTheTemplateFolderUnderUpperCaseNames)
{
    Rig own({.templatesInTree = true});
    own.start();
    own.tree.file("sito\\foto.jpg");
    own.type(txtPATH_RICERCA, own.tree.at("sito"));
    own.click(cmdCONFERMA);
    own.type(txtNOME_FILE_HTM, own.tree.at("sito\\galleria.htm"));
    own.ui.answerNext(kAnswerNo);
    own.click(Command1);

    const std::string site = upperCase(own.tree.at("sito\\"));
    ASSERT_EQ(own.fs.copies.size(), 10u);
    EXPECT_EQ(own.fs.copies.front(), std::make_pair(own.templateFolder() + "Intestaz.htm", site + "INTESTAZ.HTM"));
    EXPECT_EQ(own.fs.copies.back(), std::make_pair(own.templateFolder() + "Sfondo1p.jpg", site + "SFONDO1P.JPG"));
    std::vector<std::string> written = kCopiedTemplates;
    written.insert(written.end(), {"GALLERIA.HTM", "FOTO.HTM"});
    for (const std::string& name : written)
        EXPECT_TRUE(holds(namesIn(own.tree.at("sito")), name)) << name;
    EXPECT_EQ(own.tree.read("sito\\INTESTAZ.HTM"), own.tree.read("templates\\Intestaz.htm"));
    EXPECT_TRUE(own.ui.allAnswersUsed());
}

TEST_F(WindowsBuild, APageInAFolderWithABlankAndAnAmpersandOpensWhole)
{
    rig.tree.file("Foto & Mare 1\\faro.jpg");
    load(rig.tree.at("Foto & Mare 1"), "JPG");
    buildOnePage(rig.tree.at("Foto & Mare 1\\TAVLO.HTM"), kAnswerYes);
    rig.click(Command5);

    const std::string page = upperCase(rig.tree.at("Foto & Mare 1\\TAVLO.HTM"));
    ASSERT_EQ(rig.ui.opened.size(), 2u);
    EXPECT_EQ(rig.ui.opened[0].documentPath, page);
    EXPECT_EQ(rig.ui.opened[0].commandLine, "START /max /w TAVLO.HTM");
    EXPECT_EQ(rig.ui.opened[1].documentPath, page);
    EXPECT_EQ(rig.ui.opened[1].commandLine, "START /max /w " + page);
    EXPECT_TRUE(pathExists(page));
}

// A disc that refuses the page: the page moves to the same folder on drive C:, and
// when that folder is missing too, to C:\TAVLO.HTM. D: is a second drive of the
// test machine; the refusal is the disc's, the rest is the real drive C:.
class WindowsWriteFallback : public WindowsBuild {
protected:
    void SetUp() override
    {
        ASSERT_NE(GetLogicalDrives() & (1u << ('D' - 'A')), 0u) << "a drive D: is needed";
        disc = makeUniqueFolder("D:\\", "tavlo-test-");
        rig.fs.failCreate = [](const std::string& path) {
            return path.starts_with("D:") ? failureFromWindowsError(ERROR_WRITE_PROTECT) : Failure{};
        };
        writeBytes(disc + "\\FOTO\\Mare.jpg", "jpeg");
        load(disc + "\\FOTO", "JPG");
    }
    void TearDown() override
    {
        removeTree(disc);
        removeTree("C:" + disc.substr(2));
        WindowsBuild::TearDown();
    }

    std::string disc;  // a folder on drive D:
};

TEST_F(WindowsWriteFallback, ThePageMovesToTheSameFolderOnDriveC)
{
    const std::string onC = "C:" + disc.substr(2) + "\\FOTO";
    makeFolders(onC);
    rig.ui.answerNext(kAnswerOk);
    buildOnePage(disc + "\\FOTO\\TAVLO.HTM");

    const std::string refused = upperCase(disc + "\\FOTO\\TAVLO.HTM");
    const Failure protect = failureFromWindowsError(ERROR_WRITE_PROTECT);
    ASSERT_EQ(rig.ui.boxes.size(), 2u);
    EXPECT_EQ(rig.ui.boxes[0].prompt, "Errore in registrazione Elenco (forse e' un CD-ROM) " + refused +
                                          "\r\rTento di registrare sul disco C: \r\r ERR= 75 - " + protect.description);
    const std::string written = upperCase(onC + "\\TAVLO.HTM");
    EXPECT_EQ(rig.ui.boxes[1].prompt, "Visualizzo la pagina creata " + written + " (S/N) ");
    EXPECT_TRUE(pathExists(written));
    EXPECT_TRUE(pathExists(onC + "\\MARE.HTM"));
    EXPECT_TRUE(pathExists(onC + "\\DIAPOSIT.JPG"));
}

TEST_F(WindowsWriteFallback, WithoutThatFolderThePageBecomesCTavloHtm)
{
    // Only where C:\TAVLO.HTM is free, so that no page of anybody's is written over;
    // what the build writes into C:\ goes again at the end.
    ASSERT_FALSE(pathExists("C:\\TAVLO.HTM"));
    struct WrittenOnCRemoved {
        std::vector<std::string> absent;
        WrittenOnCRemoved()
        {
            std::vector<std::string> written = kCopiedTemplates;
            written.insert(written.end(), {"TAVLO.HTM", "MARE.HTM"});
            for (const std::string& name : written)
                if (!pathExists("C:\\" + name))
                    absent.push_back("C:\\" + name);
        }
        ~WrittenOnCRemoved()
        {
            for (const auto& path : absent)
                DeleteFileA(path.c_str());
        }
    } writtenOnCRemoved;
    rig.ui.answerNext(kAnswerOk);
    rig.ui.answerNext(kAnswerOk);
    buildOnePage(disc + "\\FOTO\\TAVLO.HTM");

    ASSERT_EQ(rig.ui.boxes.size(), 3u);
    const Failure missing = failureFromWindowsError(ERROR_PATH_NOT_FOUND);
    EXPECT_EQ(rig.ui.boxes[1].prompt,
              "Errore in registrazione Elenco (non esiste stessa cartella) " +
                  upperCase("C:" + disc.substr(2) + "\\FOTO\\TAVLO.HTM") +
                  "\r\rTento di registrare sul disco con il nome C:\\TAVLO.HTM \r\r ERR= 76 - " + missing.description);
    EXPECT_EQ(rig.ui.boxes[2].prompt, "Visualizzo la pagina creata C:\\TAVLO.HTM (S/N) ");
    EXPECT_TRUE(pathExists("C:\\TAVLO.HTM"));
    EXPECT_TRUE(pathExists("C:\\MARE.HTM"));
    EXPECT_TRUE(pathExists("C:\\DIAPOSIT.JPG"));  // the templates go beside the page where it was written

    rig.click(Command5);  // and the viewer opens it there
    ASSERT_EQ(rig.ui.opened.size(), 1u);
    EXPECT_EQ(rig.ui.opened[0].documentPath, "C:\\TAVLO.HTM");
}

} // namespace
} // namespace tavlo::test
