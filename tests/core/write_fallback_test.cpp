// A page that cannot be written: the messages, and the move to the same folder on drive
// C: (the home folder's file system: a folder elsewhere, here one below /proc where no
// file can be made, moves below home), then to C:\TAVLO.HTM (the home folder's TAVLO.HTM).
#include "pages/page_writer.h"
#include "support/rig_test.h"

#include <cstring>
#include <filesystem>

namespace tavlo::test {
namespace {

TEST(WriteFallback, APageOnAnotherFileSystemMovesWithItsViewPagesToTheSameFolderAtHomeThenToTavloHtm)
{
    if (kWindows)
        GTEST_SKIP() << "drive C: is the real one there";
    for (const bool sameFolderAtHome : {true, false}) {
        Rig rig;
        const std::string cd = "/proc/tavlo-cd/FOTO/", home = rig.homeFolder() + "/", refused = cd + "PAG_2.HTM";
        if (sameFolderAtHome)
            rig.tree.folder("home/tavlo-cd/FOTO");
        for (const char* name : {"a.mp3", "Mare.jpg"})
            rig.controls.listAdd(cd + name);
        rig.type(ControlId::txtMAX_PER_RIGA, "5");
        rig.ui.answerNext(kAnswerOk), rig.ui.answerNext(kAnswerOk);
        JobVariables& job = rig.job();
        job.Cartella_Tavlo = cd, job.Nome_Pagina = "PAG_2.HTM", job.Primo_File = 1, job.Ultimo_File = 2;
        Crea_Pagina(rig.platform(), job);
        const std::string moved = sameFolderAtHome ? home + "tavlo-cd/FOTO/PAG_2.HTM" : home + "TAVLO.HTM";
        std::vector<std::string> prompts{"Errore in registrazione Elenco (forse e' un CD-ROM) " + refused +
                                         "\r\rTento di registrare sul disco C: \r\r ERR= 76 - " + std::strerror(ENOENT)};
        if (!sameFolderAtHome)
            prompts.push_back("Errore in registrazione Elenco (non esiste stessa cartella) " + home + "tavlo-cd/FOTO/PAG_2.HTM" +
                              "\r\rTento di registrare sul disco con il nome C:\\TAVLO.HTM \r\r ERR= 76 - " + std::strerror(ENOENT));
        EXPECT_EQ(rig.ui.boxes.size(), prompts.size());
        for (std::size_t i = 0; i < rig.ui.boxes.size() && i < prompts.size(); ++i)
            EXPECT_EQ(rig.ui.boxes[i].prompt, prompts[i]);
        EXPECT_EQ(job.Cartella_Tavlo + job.Nome_Pagina, moved);
        EXPECT_TRUE(std::filesystem::exists(moved) && std::filesystem::exists(job.Cartella_Tavlo + "MARE.HTM"));
        EXPECT_TRUE(rig.ui.allAnswersUsed() == !sameFolderAtHome && rig.ui.unexpected.empty());
    }
}

} // namespace
} // namespace tavlo::test
