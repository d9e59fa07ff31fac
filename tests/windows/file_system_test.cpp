// The Windows file system as the system uses it, on real folders of drive C:.
#include "platform/win32/win32_file_system.h"
#include "support/temp_tree.h"
#include "support/win_files.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cctype>

namespace tavlo::test {
namespace {

std::vector<std::string> names(const std::optional<std::vector<FolderEntry>>& entries)
{
    std::vector<std::string> out;
    for (const auto& e : entries.value())
        out.push_back(e.isFolder ? e.name + "\\" : e.name);
    return out;
}

bool sameFolder(std::string a, std::string b)
{
    return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

class WindowsFileSystem : public ::testing::Test {
protected:
    TempTree tree;
    std::unique_ptr<FileSystem> fs = createWin32FileSystem();
};

TEST_F(WindowsFileSystem, TheProgramFolderIsTheExecutablesFolderWithItsDriveLetter)
{
    const std::string folder = fs->programFolder();
    ASSERT_GE(folder.size(), 3u);
    EXPECT_TRUE(std::isalpha(static_cast<unsigned char>(folder[0])) && folder[1] == ':' && folder[2] == '\\') << folder;
    EXPECT_NE(folder.back(), '\\');
    EXPECT_TRUE(fs->canRead(folder + "\\tavlo_windows_tests.exe")) << folder;
    EXPECT_EQ(folder.find('/'), std::string::npos) << folder;
}

TEST_F(WindowsFileSystem, ListsAFolderInNameOrderWithoutHiddenAndSystemEntries)
{
    tree.file("Zeta.jpg");
    tree.file("beta_2.jpg");
    tree.file("Beta.jpg");
    tree.file("alfa.JPG");
    tree.folder("Sub");
    SetFileAttributesA(tree.file("nascosto.jpg").c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesA(tree.file("sistema.jpg").c_str(), FILE_ATTRIBUTE_SYSTEM);
    SetFileAttributesA(tree.folder("Nascosta").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY);
    SetFileAttributesA(tree.file("sola lettura.jpg").c_str(), FILE_ATTRIBUTE_READONLY);

    // Upper-cased name first ("BETA.JPG" before "BETA_2.JPG"), "." and ".." never.
    const std::vector<std::string> files{"alfa.JPG", "Beta.jpg", "beta_2.jpg", "sola lettura.jpg", "Zeta.jpg"};
    EXPECT_EQ(names(fs->listFolder(tree.path() + "\\", false)), files);
    const std::vector<std::string> filesAndFolders{"alfa.JPG",         "Beta.jpg", "beta_2.jpg",
                                                   "sola lettura.jpg", "Sub\\",    "Zeta.jpg"};
    EXPECT_EQ(names(fs->listFolder(tree.path(), true)), filesAndFolders);
    EXPECT_FALSE(fs->listFolder(tree.at("manca\\"), true).has_value());
}

TEST_F(WindowsFileSystem, TextFilesEndEveryLineInCrLfAndAreReadAtCrOrCrLf)
{
    Failure failure;
    auto file = fs->createText(tree.at("pagina.htm"), failure);
    ASSERT_TRUE(file) << failure.description;
    EXPECT_FALSE(file->writeLine("<HTML>"));
    EXPECT_FALSE(file->writeLine("Citt\xE0 \xE8"));
    EXPECT_FALSE(file->close());
    EXPECT_EQ(tree.read("pagina.htm"), "<HTML>\r\nCitt\xE0 \xE8\r\n");

    // A new file only where nothing is there yet, under any spelling of its name.
    EXPECT_FALSE(fs->createNewText(tree.at("PAGINA.HTM"), failure));
    EXPECT_EQ(failure.code, kErrFileAlreadyExists);
    EXPECT_EQ(tree.read("pagina.htm"), "<HTML>\r\nCitt\xE0 \xE8\r\n");
    EXPECT_TRUE(fs->createNewText(tree.at("nuova.htm"), failure));

    tree.file("modello.htm", "uno\rdue\r\ntre\nquattro");
    EXPECT_EQ(fs->readLines(tree.at("modello.htm")), (std::vector<std::string>{"uno", "due", "tre\nquattro"}));
}

TEST_F(WindowsFileSystem, FailuresCarryTheSystemsCodesAndTexts)
{
    Failure failure;
    EXPECT_FALSE(fs->createText(tree.at("manca\\pagina.htm"), failure));
    EXPECT_EQ(failure.code, kErrPathNotFound);
    EXPECT_FALSE(failure.description.empty());
    EXPECT_EQ(failure.description.find_first_of("\r\n"), std::string::npos) << failure.description;
    EXPECT_EQ(fs->setCurrentFolder(tree.at("manca")).code, kErrPathNotFound);
    EXPECT_EQ(fs->copyFile(tree.at("manca.jpg"), tree.at("copia.jpg")).code, kErrPathNotFound);

    // A page held open by another program refuses the write: access refused.
    const std::string page = tree.file("aperta.htm", "x");
    const HANDLE held = CreateFileA(page.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(fs->createText(page, failure));
    EXPECT_EQ(failure.code, kErrAccess);
    EXPECT_EQ(fs->copyFile(tree.file("altra.htm", "y"), page).code, kErrAccess);
    CloseHandle(held);

    EXPECT_EQ(failureFromWindowsError(ERROR_WRITE_PROTECT).code, kErrAccess);
    EXPECT_EQ(failureFromWindowsError(ERROR_BAD_NETPATH).code, kErrPathNotFound);
    EXPECT_EQ(failureFromWindowsError(ERROR_HANDLE_DISK_FULL).code, kErrDiskFull);
}

TEST_F(WindowsFileSystem, ACopyReplacesItsDestinationButNeverAFileOntoItself)
{
    const std::string source = tree.file("Intestaz.htm", "nuova");
    tree.file("sito\\INTESTAZ.HTM", "vecchia");
    EXPECT_FALSE(fs->copyFile(source, tree.at("sito\\INTESTAZ.HTM")));
    EXPECT_EQ(tree.read("sito\\INTESTAZ.HTM"), "nuova");

    // The same file under its upper-case name: refused, and nothing is lost.
    std::string upper = source;
    CharUpperBuffA(upper.data(), static_cast<DWORD>(upper.size()));
    EXPECT_TRUE(fs->copyFile(source, upper));
    EXPECT_EQ(tree.read("Intestaz.htm"), "nuova");
}

TEST_F(WindowsFileSystem, CurrentFolderDriveAndFullPaths)
{
    const std::string before = fs->currentFolder();
    const std::string folder = tree.folder("Foto & Mare 1") + "\\";
    EXPECT_FALSE(fs->setCurrentFolder(folder));
    EXPECT_FALSE(fs->setCurrentDrive(folder.substr(0, 1)));
    EXPECT_TRUE(sameFolder(fs->currentFolder() + "\\", folder)) << fs->currentFolder();
    EXPECT_TRUE(sameFolder(fs->fullFolderPath("Sub\\"), folder + "Sub\\")) << fs->fullFolderPath("Sub\\");
    EXPECT_EQ(fs->fullFolderPath(folder), folder);
    EXPECT_EQ(fs->fullFolderPath(folder.substr(2)), folder);  // from the drive's root: "\..."
    EXPECT_TRUE(fs->setCurrentDrive("\\"));
    fs->setCurrentFolder(before);
}

TEST_F(WindowsFileSystem, AFolderKeepsItsIdentityUnderAnotherSpelling)
{
    const std::string folder = tree.folder("Sub");
    std::string upper = folder + "\\";
    CharUpperBuffA(upper.data(), static_cast<DWORD>(upper.size()));
    const auto identity = fs->folderIdentity(folder);
    ASSERT_TRUE(identity.has_value());
    EXPECT_EQ(identity, fs->folderIdentity(upper));
    EXPECT_NE(identity, fs->folderIdentity(tree.folder("Altra")));
    EXPECT_FALSE(fs->folderIdentity(tree.file("file.jpg")).has_value());
}

} // namespace
} // namespace tavlo::test
