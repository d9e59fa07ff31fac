// The Linux file system seam: failure codes, drive C: and the page moved there, files and copies.
#include "pages/page_writer.h"
#include "platform/posix/posix_file_system.h"
#include "support/page_test.h"

#include <gtest/gtest.h>

#include <cstring>

namespace tavlo::test {
namespace {

TEST(PosixFileSystem, FailuresCarryTheSystemsCodesAndText)
{
    const std::pair<int, int> codes[] = {{EACCES, 75}, {EPERM, 75}, {EROFS, 75}, {EISDIR, 75}, {ETXTBSY, 75},
                                         {ENOENT, 76}, {ENOTDIR, 76}, {ENAMETOOLONG, 76}, {ELOOP, 76},
                                         {ENOSPC, 61}, {EDQUOT, 61}, {EIO, 57}, {EBUSY, 57}};
    for (const auto& [error, code] : codes)
        EXPECT_EQ(failureFromErrno(error).description + " " + std::to_string(failureFromErrno(error).code),
                  std::strerror(error) + (" " + std::to_string(code)));
}

TEST(PosixFileSystem, DriveCIsTheHomeFileSystemAndAFolderElsewhereMovesBelowHomeByItsPathBelowItsMountPoint)
{
    const TempTree tree;
    const auto fs = createFileSystem("", "", tree.folder("home"), true);
    const std::string home = tree.at("home/"), site = tree.folder("site") + "/";
    for (const auto& [folder, onDriveC] : {std::pair{site, site}, {site + "no/more/", site + "no/more/"},
                                           {"/proc/tavlo-cd/FOTO/", home + "tavlo-cd/FOTO/"}, {"/proc/", home}})
        EXPECT_EQ(fs->sameFolderOnDriveC(folder), onDriveC);
    EXPECT_EQ(fs->driveCRoot() + fs->defaultSearchFolder(), home + "/");

    Failure failure;
    tree.file("site/page.htm", "kept");
    for (const auto& [path, code] : {std::pair{site + "page.htm", 58}, {site + "no/page.htm", 76},
                                     {site + "page.htm/x", 76}, {site, 75}, {site + "new.htm", 0}})
        if (const auto file = fs->createNewText(path, failure); file)  // a file takes its name when closed
            EXPECT_EQ(file->close().code, code) << path;
        else
            EXPECT_EQ(failure.code, code) << path;
    EXPECT_EQ(tree.read("site/page.htm"), "kept");
    EXPECT_FALSE(fs->createText("/dev/full", failure));  // a device is never replaced by a page
    EXPECT_EQ(failure.code, 58);
    EXPECT_FALSE(fs->copyFile(site + "page.htm", tree.file("INTESTAZ.HTM", "old")) || fs->copyFile(site + "page.htm", site + "c"));
    EXPECT_EQ(tree.read("INTESTAZ.HTM"), tree.read("site/c"));
    EXPECT_NE(std::filesystem::status(site + "c").permissions() & std::filesystem::perms::others_read,
              std::filesystem::perms::none) << "a copy anyone may read";
    EXPECT_EQ(fs->copyFile(site + "page.htm", site + "../site/page.htm").code, 75) << "a file onto itself";
    EXPECT_EQ(fs->copyFile(site + "none.jpg", site + "copy.jpg").code, 76);
}

// A page that cannot be written (below /proc no file can be made) moves with its view
// pages to the same folder at home, and where that is missing, to home's TAVLO.HTM.
TEST(PosixFileSystem, APageThatCannotBeWrittenMovesToTheSameFolderAtHomeThenToTavloHtm)
{
    for (const bool sameFolderAtHome : {true, false}) {
        Rig rig;
        const std::string cd = "/proc/tavlo-cd/FOTO/", home = rig.tree.at("home/"), moved = home + "tavlo-cd/FOTO/";
        if (sameFolderAtHome)
            rig.tree.folder("home/tavlo-cd/FOTO");
        rig.controls.listAdd(cd + "a.mp3"), rig.controls.listAdd(cd + "Mare.jpg");
        rig.ui.answerNext(Answer::Ok), rig.ui.answerNext(Answer::Ok);
        BoxQuestions questions(rig.ui);
        BuildContext build(rig.platform(), questions);
        JobVariables& job = build.job;
        job.Cartella_Tavlo = cd, job.Nome_Pagina = "PAG_2.HTM", job.Primo_File = 1, job.Ultimo_File = 2;
        writePage(build, settingsFromWindow(rig.controls));
        const std::string err = "\r\r ERR= 76 - " + std::string(std::strerror(ENOENT));
        std::vector<std::string> shown, prompts{"Errore in registrazione Elenco (forse e' un CD-ROM) " + cd +
                                                "PAG_2.HTM\r\rTento di registrare sul disco C: " + err};
        if (!sameFolderAtHome)
            prompts.push_back("Errore in registrazione Elenco (non esiste stessa cartella) " + moved +
                              "PAG_2.HTM\r\rTento di registrare sul disco con il nome C:\\TAVLO.HTM " + err);
        for (const auto& box : rig.ui.boxes)
            shown.push_back(box.prompt);
        EXPECT_EQ(shown, prompts);
        EXPECT_EQ(job.Cartella_Tavlo + job.Nome_Pagina, sameFolderAtHome ? moved + "PAG_2.HTM" : home + "TAVLO.HTM");
        EXPECT_TRUE(std::filesystem::exists(job.Cartella_Tavlo + job.Nome_Pagina) &&
                    std::filesystem::exists(job.Cartella_Tavlo + "MARE.HTM"));
    }
}

} // namespace
} // namespace tavlo::test
