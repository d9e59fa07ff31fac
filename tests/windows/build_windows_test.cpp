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

namespace tavlo::test {
namespace {

using enum ControlId;

// Every link target and image source of a page, as written.
std::vector<std::string> linksIn(const std::string& page)
{
    std::vector<std::string> links;
    for (const std::string attribute : {"HREF=\"", "src=\"", "SRC=\""}) {
        for (auto at = page.find(attribute); at != std::string::npos; at = page.find(attribute, at + 1)) {
            const auto start = at + attribute.size();
            links.push_back(page.substr(start, page.find('"', start) - start));
        }
    }
    return links;
}

// The links of a page that reach no file beside it or below it.
std::vector<std::string> brokenLinks(const std::string& folder, const std::string& page)
{
    std::vector<std::string> broken;
    for (const auto& link : linksIn(page))
        if (!pathExists(folder + link))
            broken.push_back(link);
    return broken;
}

bool everyLineEndsInCrLf(const std::string& text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            return false;
        if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))
            return false;
    }
    return text.ends_with("\r\n");
}

bool holds(const std::vector<std::string>& names, const std::string& name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

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

TEST_F(WindowsBuild, LinksAreLowerCasedBelowAnUpperCasedPageFolderAndReachTheirFiles)
{
    rig.tree.file("VACANZE\\Mare 1.jpg", "jpeg");
    rig.tree.file("MUSICA\\Song.MP3", "mp3");
    load(rig.tree.path(), "*");
    buildOnePage(rig.tree.at("tavlo.htm"));

    // Windows ignores letter case: the page folder is upper-cased and the links
    // lower-cased as the tool does it, and every one of them still reaches its file.
    const std::string folder = upperCase(rig.tree.path() + "\\");
    EXPECT_EQ(rig.job().Cartella_Tavlo, folder);
    EXPECT_EQ(rig.ui.boxes.back().prompt, "Visualizzo la pagina creata " + folder + "TAVLO.HTM (S/N) ");
    const std::string page = rig.tree.read("TAVLO.HTM");
    EXPECT_NE(page.find("<A HREF=\"mare 1.htm\">"), std::string::npos) << page;
    EXPECT_NE(page.find("<img src=\"VACANZE\\mare 1.jpg\""), std::string::npos) << page;
    EXPECT_NE(page.find(">Mare 1.jpg</A>"), std::string::npos);
    EXPECT_NE(page.find("<A HREF=\"MUSICA\\song.mp3\">"), std::string::npos);
    EXPECT_NE(page.find("<img src=\"MUSIC-1A.JPG\""), std::string::npos);
    EXPECT_EQ(brokenLinks(rig.tree.path() + "\\", page), std::vector<std::string>{});

    // The view page carries the name the tool forms, exactly as it lies on disk.
    EXPECT_TRUE(holds(namesIn(rig.tree.path()), "MARE 1.HTM"));
    const std::string view = rig.tree.read("MARE 1.HTM");
    EXPECT_NE(view.find("<IMG SRC=\"VACANZE\\MARE 1.JPG\""), std::string::npos) << view;
    EXPECT_EQ(brokenLinks(rig.tree.path() + "\\", view), std::vector<std::string>{});
}

TEST_F(WindowsBuild, AccentedNamesGoIntoThePagesInTheAnsiCodePage)
{
    ASSERT_EQ(GetACP(), 1252u) << "the pages below are spelt in windows-1252";
    rig.tree.file("Citt\xE0 \xE8.jpg", "jpeg");  // "Città è.jpg"
    load(rig.tree.path(), "JPG");
    ASSERT_EQ(rig.controls.entries(), std::vector<std::string>{rig.tree.at("Citt\xE0 \xE8.jpg")});
    buildOnePage(rig.tree.at("TAVLO.HTM"));

    const std::string page = rig.tree.read("TAVLO.HTM");
    EXPECT_NE(page.find("<A HREF=\"citt\xE0 \xE8.htm\">Citt\xE0 \xE8.jpg</A>"), std::string::npos) << page;
    EXPECT_NE(page.find("<meta charset=\"windows-1252\">"), std::string::npos) << "the header names the code page";
    EXPECT_EQ(page.find("\xC3"), std::string::npos) << "no UTF-8 in a windows-1252 page";
    EXPECT_TRUE(everyLineEndsInCrLf(page));
    EXPECT_EQ(brokenLinks(rig.tree.path() + "\\", page), std::vector<std::string>{});

    EXPECT_TRUE(holds(namesIn(rig.tree.path()), "CITT\xC0 \xC8.HTM"));
    const std::string view = rig.tree.read("CITT\xC0 \xC8.HTM");
    EXPECT_NE(view.find("<TITLE> CITT\xC0 \xC8.JPG </TITLE>"), std::string::npos) << view;
    EXPECT_EQ(view.find("\xC3"), std::string::npos);
    EXPECT_TRUE(everyLineEndsInCrLf(view));
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
    const auto names = namesIn(own.tree.at("sito"));
    for (const char* name : {"GALLERIA.HTM", "FOTO.HTM", "INTESTAZ.HTM", "INTEST_2.HTM", "PIEDE.HTM",
                             "DIAPOSIT.JPG", "FILM-1A.JPG", "FOTO-1A.JPG", "HTM-1A.JPG", "MUSIC-1A.JPG",
                             "SFONDO1G.JPG", "SFONDO1P.JPG"})
        EXPECT_TRUE(holds(names, name)) << name;
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
    EXPECT_EQ(rig.ui.opened[0].commandLine, "START /max /w \"\" \"TAVLO.HTM\"");
    EXPECT_EQ(rig.ui.opened[1].documentPath, page);
    EXPECT_EQ(rig.ui.opened[1].commandLine, "START /max /w \"\" \"" + page + "\"");
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
            for (const char* name : {"TAVLO.HTM", "MARE.HTM", "INTESTAZ.HTM", "INTEST_2.HTM", "PIEDE.HTM",
                                     "DIAPOSIT.JPG", "FILM-1A.JPG", "FOTO-1A.JPG", "HTM-1A.JPG", "MUSIC-1A.JPG",
                                     "SFONDO1G.JPG", "SFONDO1P.JPG"})
                if (!pathExists(std::string("C:\\") + name))
                    absent.push_back(std::string("C:\\") + name);
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
