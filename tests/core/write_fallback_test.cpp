// A page that cannot be written, on real failures: the messages, the move to the same
// folder on drive C: (the home folder, for a folder on another file system; here one
// below /proc, where no file can be made), then to C:\TAVLO.HTM (the home folder's
// TAVLO.HTM), and the page given up. A folder in a page's place refuses it.
#include "pages/page_writer.h"
#include "support/rig_test.h"

#include <cstring>
#include <filesystem>

namespace tavlo::test {
namespace {

using enum ControlId;
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
        rig.type(txtMAX_PER_RIGA, "5");
    }
    /// The page writer writes PAG_2.HTM of the entries; the prompts shown, in order.
    Lines write(const std::string& folder, const Lines& entries, std::initializer_list<int> answers,
                const std::string& page = "PAG_2.HTM")
    {
        for (const auto& name : entries)
            rig.controls.listAdd(folder + name);
        answer(answers);
        JobVariables& job = rig.job();
        job.Cartella_Tavlo = folder, job.Nome_Pagina = page, job.Primo_File = 1, job.Ultimo_File = 2;
        job.Elenco_Confermato = 0;
        Crea_Pagina(rig.platform(), job);
        Lines prompts;
        for (const auto& box : rig.ui.boxes)
            prompts.push_back(box.prompt);
        return prompts;
    }
    const std::string cd = "/proc/tavlo-cd/FOTO/", home = rig.homeFolder() + "/";
};

TEST_F(WriteFallback, APageOnAnotherFileSystemMovesWithItsViewPagesToTheSameFolderAtHomeThenToTavloHtm)
{
    rig.tree.folder("home/tavlo-cd/FOTO");
    EXPECT_EQ(write(cd, {"a.mp3", "Mare.jpg"}, {kAnswerOk}), Lines{first(cd + "PAG_2.HTM", 76, ENOENT)});
    EXPECT_EQ(rig.job().Cartella_Tavlo + rig.job().Nome_Pagina, home + "tavlo-cd/FOTO/PAG_2.HTM");
    EXPECT_TRUE(rig.tree.exists("home/tavlo-cd/FOTO/PAG_2.HTM") && rig.tree.exists("home/tavlo-cd/FOTO/MARE.HTM"));
    std::filesystem::remove_all(home + "tavlo-cd");
    rig.ui.boxes.clear();
    EXPECT_EQ(write(cd, {}, {kAnswerOk, kAnswerOk}),
              (Lines{first(cd + "PAG_2.HTM", 76, ENOENT), second(home + "tavlo-cd/FOTO/PAG_2.HTM", 76, ENOENT)}));
    EXPECT_EQ(rig.job().Cartella_Tavlo + rig.job().Nome_Pagina, home + "TAVLO.HTM");
    EXPECT_TRUE(rig.tree.exists("home/TAVLO.HTM") && rig.tree.exists("home/MARE.HTM"));
}

TEST_F(WriteFallback, RefusedEverywhereOrOnAFullDiskThePageIsGivenUp)
{
    rig.tree.folder("site/PAG_2.HTM");  // in the home folder's file system: the first fallback keeps the folder
    rig.tree.folder("home/TAVLO.HTM");
    const std::string site = rig.tree.at("site/");
    EXPECT_EQ(write(site, {"a.mp3"}, {kAnswerYes, kAnswerOk, kAnswerOk, kAnswerOk}),
              (Lines{"Elenco  " + site + "PAG_2.HTM  gia' esistente, continuo (S/N)", first(site + "PAG_2.HTM", 75, EISDIR), second(site + "PAG_2.HTM", 75, EISDIR),
                     "Errore in registrazione Elenco " + home + "TAVLO.HTM" + err(75, EISDIR)}));
    EXPECT_EQ(Lines(rig.ui.log.end() - 2, rig.ui.log.end()), (Lines{"pointer:0", "beep"}));
    rig.ui.boxes.clear();
    rig.controls.listClear();
    EXPECT_EQ(write("/dev/", {"a.mp3"}, {kAnswerYes, kAnswerOk}, "full"),
              (Lines{"Elenco  /dev/full  gia' esistente, continuo (S/N)", "Errore in registrazione Elenco /dev/full" + err(61, ENOSPC)}));
}

TEST_F(WriteFallback, ABuildShowsCopiesBesideAndOpensThePageWhereItWasWritten)
{
    struct CurrentFolderKept {  // a build makes the page folder the current folder
        std::filesystem::path folder = std::filesystem::current_path();
        ~CurrentFolderKept() { std::filesystem::current_path(folder); }
    } kept;
    rig.start();
    rig.tree.folder("site/TAVLO.HTM");
    rig.controls.listAdd(rig.tree.at("site/a.mp3"));
    rig.type(txtNUM_FILE, "1");
    rig.controls.setEnabled(Command1, true);
    rig.type(txtNOME_FILE_HTM, rig.tree.at("site/TAVLO.HTM"));
    click(Command1, {kAnswerYes, kAnswerOk, kAnswerOk, kAnswerYes});
    EXPECT_EQ(rig.ui.boxes.back().prompt, "Visualizzo la pagina creata " + home + "TAVLO.HTM (S/N) ");
    EXPECT_TRUE(rig.tree.exists("home/DIAPOSIT.JPG") && !rig.tree.exists("site/DIAPOSIT.JPG"));
    ASSERT_EQ(rig.ui.opened.size(), 1u);
    EXPECT_EQ(rig.ui.opened[0].documentPath, home + "TAVLO.HTM");
}

} // namespace
} // namespace tavlo::test
