// A page that cannot be written, on real failures: the messages, the move to the same
// folder on drive C: (the home folder, for a folder on another file system: here one
// below /proc, where no file can be made), then to C:\TAVLO.HTM (the home folder's
// TAVLO.HTM), and the page given up. A folder in a page's place refuses the page.
#include "pages/page_writer.h"
#include "support/rig_test.h"

#include <cstring>
#include <filesystem>

namespace tavlo::test {
namespace {

using Lines = std::vector<std::string>;

std::string err(int code, int error) { return "\r\r ERR= " + std::to_string(code) + " - " + std::strerror(error); }
std::string first(const std::string& page, int code, int error)
{
    return "Errore in registrazione Elenco (forse e' un CD-ROM) " + page + "\r\rTento di registrare sul disco C: " + err(code, error);
}
std::string second(const std::string& page, int code, int error)
{
    return "Errore in registrazione Elenco (non esiste stessa cartella) " + page +
           "\r\rTento di registrare sul disco con il nome C:\\TAVLO.HTM " + err(code, error);
}

class WriteFallback : public RigTest {
protected:
    void SetUp() override
    {
        if (kWindows)
            GTEST_SKIP() << "drive C: is the real one there";
        rig.type(ControlId::txtMAX_PER_RIGA, "5");
    }
    /// The page writer writes the page of a sound and a picture; the prompts shown, in order.
    Lines write(const std::string& folder, std::initializer_list<int> answers, const std::string& page = "PAG_2.HTM")
    {
        rig.controls.listClear();
        rig.controls.listAdd(folder + "a.mp3");
        rig.controls.listAdd(folder + "Mare.jpg");
        answer(answers);
        JobVariables& job = rig.job();
        job.Cartella_Tavlo = folder, job.Nome_Pagina = page, job.Primo_File = 1, job.Ultimo_File = page == "full" ? 1 : 2;
        job.Elenco_Confermato = 0;
        rig.ui.boxes.clear();
        Crea_Pagina(rig.platform(), job);
        Lines prompts;
        for (const auto& box : rig.ui.boxes)
            prompts.push_back(box.prompt);
        return prompts;
    }
    std::string where() { return rig.job().Cartella_Tavlo + rig.job().Nome_Pagina; }
    const std::string cd = "/proc/tavlo-cd/FOTO/", home = rig.homeFolder() + "/", site = rig.tree.at("site/");
};

TEST_F(WriteFallback, APageOnAnotherFileSystemMovesWithItsViewPagesToTheSameFolderAtHomeThenToTavloHtm)
{
    rig.tree.folder("home/tavlo-cd/FOTO");
    EXPECT_EQ(write(cd, {kAnswerOk}), Lines{first(cd + "PAG_2.HTM", 76, ENOENT)});
    EXPECT_EQ(where(), home + "tavlo-cd/FOTO/PAG_2.HTM");
    EXPECT_TRUE(rig.tree.exists("home/tavlo-cd/FOTO/PAG_2.HTM") && rig.tree.exists("home/tavlo-cd/FOTO/MARE.HTM"));
    std::filesystem::remove_all(home + "tavlo-cd");
    EXPECT_EQ(write(cd, {kAnswerOk, kAnswerOk}),
              (Lines{first(cd + "PAG_2.HTM", 76, ENOENT), second(home + "tavlo-cd/FOTO/PAG_2.HTM", 76, ENOENT)}));
    EXPECT_EQ(where(), home + "TAVLO.HTM");
    EXPECT_TRUE(rig.tree.exists("home/TAVLO.HTM") && rig.tree.exists("home/MARE.HTM"));
}

TEST_F(WriteFallback, RefusedEverywhereOrOnAFullDiskThePageIsGivenUp)
{
    rig.tree.folder("site/PAG_2.HTM");  // on the home folder's file system: the first fallback keeps the folder
    rig.tree.folder("home/TAVLO.HTM");
    EXPECT_EQ(write(site, {kAnswerYes, kAnswerOk, kAnswerOk, kAnswerOk}),
              (Lines{"Elenco  " + site + "PAG_2.HTM  gia' esistente, continuo (S/N)", first(site + "PAG_2.HTM", 75, EISDIR),
                     second(site + "PAG_2.HTM", 75, EISDIR), "Errore in registrazione Elenco " + home + "TAVLO.HTM" + err(75, EISDIR)}));
    EXPECT_EQ(Lines(rig.ui.log.end() - 2, rig.ui.log.end()), (Lines{"pointer:0", "beep"}));
    EXPECT_EQ(write("/dev/", {kAnswerYes, kAnswerOk}, "full").back(), "Errore in registrazione Elenco /dev/full" + err(61, ENOSPC));
}

TEST_F(WriteFallback, ABuildShowsCopiesBesideAndOpensThePageWhereItWasWritten)
{
    struct CurrentFolderKept {  // a build makes the page folder the current folder
        std::filesystem::path folder = std::filesystem::current_path();
        ~CurrentFolderKept() { std::filesystem::current_path(folder); }
    } kept;
    rig.start();
    rig.tree.folder("site/TAVLO.HTM");
    rig.controls.listAdd(site + "a.mp3");
    rig.type(ControlId::txtNUM_FILE, "1");
    rig.controls.setEnabled(ControlId::Command1, true);
    rig.type(ControlId::txtNOME_FILE_HTM, site + "TAVLO.HTM");
    click(ControlId::Command1, {kAnswerYes, kAnswerOk, kAnswerOk, kAnswerYes});
    EXPECT_EQ(rig.ui.boxes.back().prompt, "Visualizzo la pagina creata " + home + "TAVLO.HTM (S/N) ");
    EXPECT_TRUE(rig.tree.exists("home/DIAPOSIT.JPG") && !rig.tree.exists("site/DIAPOSIT.JPG"));
    EXPECT_EQ(rig.ui.opened.size() == 1 ? rig.ui.opened[0].documentPath : "", home + "TAVLO.HTM");
}

} // namespace
} // namespace tavlo::test
