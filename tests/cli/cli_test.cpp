// The command line through the built program, run with no display at all: its
// options and their errors, each exit status, the questions its options answer,
// and pages byte for byte those of the window's builds on the same tree.

#include "app/batch_run.h"
#include "support/rig.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <unistd.h>
#include <filesystem>
#include <map>
#include <regex>

namespace tavlo::test {
namespace {

namespace fs = std::filesystem;
using Args = std::vector<std::string>;

struct Ran {
    int status = -1;
    std::string out, err;
    std::string opened;  // what the program asked the browser to open
};

// Runs the program with no display, through a shell. The desktop's opener is one that
// reports the page on descriptor 3, a pipe read to its end, when every writer has
// gone: the opener too, which runs on its own.
Ran tavlo(const TempTree& tree, const Args& args, const std::string& program = TAVLO_PROGRAM, const std::string& asUser = "")
{
    const std::string opener = tree.file("opener/xdg-open", "#!/bin/sh\necho \"$1\" >&3\n");
    fs::permissions(opener, fs::perms::owner_all);
    std::string command = "{ env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM PATH='" + tree.at("opener") +
                          "':\"$PATH\" " + asUser + " '" + program + "'";
    for (const std::string& arg : args)
        command += " '" + arg + "'";
    command += " >" + tree.at("out") + " 2>" + tree.at("err") + "; echo $? >" + tree.at("status") + "; } 3>&1 | cat >" +
               tree.at("opened");
    EXPECT_EQ(std::system(command.c_str()), 0);
    return {std::stoi(tree.read("status")), tree.read("out"), tree.read("err"), tree.read("opened")};
}

// Every file below a folder, by its path there; of a build record, what it names and
// not the times it keeps, which differ from one build to the next.
std::map<std::string, std::string> filesBelow(const std::string& folder)
{
    std::map<std::string, std::string> files;
    for (const auto& f : fs::recursive_directory_iterator(folder)) {
        if (!f.is_regular_file())
            continue;
        std::string content = readFile(f.path().string());
        if (f.path().filename() == ".tavlo")
            content = std::regex_replace(content, std::regex("^= ([0-9]+) [0-9]+ ", std::regex::multiline), "= $1 ");
        files[fs::relative(f.path(), folder).string()] = content;
    }
    return files;
}

// A fresh folder of pictures below a tree, in two levels, with a song and a text; one
// picture is a real one, from which a thumbnail can be made.
std::string photos(const TempTree& tree)
{
    fs::remove_all(tree.at("photos"));
    for (const char* name : {"b.JPG", "song.mp3", "notes.txt", "Sub/c.jpg", "Sub/Deep/d.gif"})
        tree.file(std::string("photos/") + name);
    tree.file("photos/a.jpg", createPictures()->jpeg(Picture{8, 8, std::vector<unsigned char>(8 * 8 * 3, 200)}));
    return tree.at("photos");
}

class CommandLine : public ::testing::Test {
protected:
    TempTree tree;
    const std::string folder = photos(tree);
};

TEST_F(CommandLine, WrongOptionsEndWithStatusTwoAndAHint)
{
    for (const Args& args : {Args{"--bogus"}, Args{"--cartella"}, Args{"--per-riga", "5"}, Args{"photos"}, Args{"--finestra", "--apri"},
                             Args{"--cartella", folder, "--per-pagina", "1O"}, Args{"--cartella", folder, "--per-riga", "-1"},
                             Args{"--cartella", folder, "--pagina", folder + "/Sub"}, Args{"--cartella", folder, "--pagina", "x/"},
                             Args{"--cartella", folder, "--estensione", "JPG,,GIF"}}) {
        const Ran ran = tavlo(tree, args);
        EXPECT_EQ(ran.status, 2) << args.front();
        EXPECT_TRUE(ran.err.ends_with("\nPer le istruzioni: tavlo --help\n")) << ran.err;
        EXPECT_EQ(std::count(ran.err.begin(), ran.err.end(), '\n'), 2) << ran.err;
        EXPECT_FALSE(tree.exists("photos/TAVLO.HTM"));
    }
}

TEST_F(CommandLine, HelpVersionAndManualPageNameEveryOption)
{
    EXPECT_EQ(tavlo(tree, {"--version"}).out, "tavlo " TAVLO_VERSION "\n");
    const Ran help = tavlo(tree, {"--help"});
    EXPECT_EQ(help.status, 0);
    const std::string manual = readFile(TAVLO_MANUAL);
    for (std::string option : {"finestra", "cartella", "estensione", "pagina", "per-pagina", "per-riga", "senza-sfondo",
                               "miniature", "sovrascrivi", "apri", "help", "version"}) {
        EXPECT_NE(help.out.find("  --" + option + " "), std::string::npos) << option;
        std::string roff;  // a dash as the manual page writes it
        for (const char c : "--" + option)
            roff += c == '-' ? std::string("\\-") : std::string(1, c);
        EXPECT_NE(manual.find(roff, manual.find(".SH OPZIONI")), std::string::npos) << option;
    }
}

TEST_F(CommandLine, RefusalsAreTheWindowsMessagesAndEndWithStatusOne)
{
    const std::pair<Args, std::string> rows[] = {
        {{"--estensione", ".JPG"}, "Indicare solo l'estensione dei files da cercare !!!"},
        {{"--estensione", "PNG"}, "Nessun files da elaborare !!!"},
        {{"--per-riga", "0"}, "Indicare quante immagini si voglio per ogni riga !!!"},
        {{"--per-pagina", "0"}, "Indicare numero massimo files per pagina .HTM da elaborare !!!"},
    };
    for (auto [args, message] : rows) {
        args.insert(args.begin(), {"--cartella", folder});
        const Ran ran = tavlo(tree, args);
        EXPECT_EQ(ran.status, 1) << message;
        EXPECT_EQ(ran.err, message + "\n");
        EXPECT_EQ(filesBelow(folder).size(), 6u) << "nothing is written after " << message;
    }
}

TEST_F(CommandLine, QuestionsAreAnsweredByTheOptions)
{
    const std::string page = folder + "/TAVLO.HTM", index = folder + "/INDICE.HTM";
    const auto there = [](const std::string& p) { return "Elenco  " + p + "  gia' esistente, continuo (S/N)\n"; };
    const auto view = [](const std::string& p) { return "Visualizzo la pagina creata " + p + " (S/N) \n"; };
    tree.file("photos/TAVLO.HTM", "mine");
    tree.file("photos/INDICE.HTM", "mine too");
    struct {
        Args args;
        int status;
        std::string err, opened;
    } rows[] = {
        {{"--miniature"}, 1, there(page), ""},  // stopped before any thumbnail is made
        {{"--per-pagina", "2", "--pagina", index, "--miniature"}, 1, there(index), ""},  // the index comes last, but stops the build first
        {{"--sovrascrivi"}, 0, there(page) + view(page), ""},
        {{"--sovrascrivi", "--apri"}, 0, there(page) + view(page), page + "\n"},
    };
    for (auto& row : rows) {
        row.args.insert(row.args.begin(), {"--cartella", folder});
        const Ran ran = tavlo(tree, row.args);
        EXPECT_EQ(ran.status, row.status) << row.err;
        EXPECT_EQ(ran.err, row.err);
        EXPECT_EQ(ran.opened, row.opened);
        EXPECT_TRUE(row.status == 0 || filesBelow(folder).size() == 8u) << "not confirmed, yet written: " << row.err;
    }
    EXPECT_NE(tree.read("photos/TAVLO.HTM"), "mine");

    // A program without the header and footer beside it says so, and builds all the same.
    const std::string lonely = tree.folder("lonely") + "/tavlo";
    fs::copy_file(TAVLO_PROGRAM, lonely);
    const Ran ran = tavlo(tree, {"--cartella", folder, "--pagina", index, "--sovrascrivi"}, lonely);
    EXPECT_EQ(ran.status, 0);
    EXPECT_EQ(ran.err, there(index) + "Manca il file INTESTAZ.HTM, continuo ?\n\n" + tree.at("lonely/INTESTAZ.HTM") +
                           "\nManca il file PIEDE.HTM, continuo ?\n\n" + tree.at("lonely/PIEDE.HTM") + "\n" + view(index));
}

TEST_F(CommandLine, AnExtensionInAnyCaseLoadsItAndWhatTheScanPassesOverIsReported)
{
    tree.file("photos/chiusa/e.jpg");
    fs::create_symlink("nowhere.jpg", tree.at("photos/rotto.jpg"));
    fs::create_symlink("..", tree.at("photos/Sub/su"));
    // A folder closed to its reader: root reads every folder, so the run drops to an ordinary user.
    for (const auto& f : fs::recursive_directory_iterator(folder))
        if (!f.is_symlink())
            fs::permissions(f.path(), fs::perms::all);
    fs::permissions(folder, fs::perms::all);
    fs::permissions(tree.at("photos/chiusa"), fs::perms::none);
    const Ran ran = tavlo(tree, {"--cartella", folder, "--estensione", "jpg"}, TAVLO_PROGRAM,
                          ::geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups" : "");
    fs::permissions(tree.at("photos/chiusa"), fs::perms::all);
    EXPECT_EQ(ran.status, 0);
    // The command line says what the scan passed over, as it met it: a link to nothing is no entry.
    EXPECT_EQ(ran.err, "Percorso non seguito: " + folder + "/rotto.jpg\nCartella non leggibile: " + folder +
                           "/chiusa/\nPercorso non seguito: " + folder + "/Sub/su/\nVisualizzo la pagina creata " + folder +
                           "/TAVLO.HTM (S/N) \n");
    const std::string page = tree.read("photos/TAVLO.HTM");
    for (const char* link : {"\"a.jpg\"", "\"b.JPG\"", "\"Sub/c.jpg\""})
        EXPECT_NE(page.find(link), std::string::npos) << link;
    for (const char* left : {"rotto", "song.mp3"})
        EXPECT_EQ(page.find(left), std::string::npos) << left;
}

TEST_F(CommandLine, LoadsFourLetterExtensionsTooThatTheWindowsFilterNeverSelects)
{
    tree.file("photos/IMG_0001.HEIC"), tree.file("photos/Sub/scan.tiff"), tree.file("photos/Sub/no.xtiff");
    EXPECT_EQ(tavlo(tree, {"--cartella", folder, "--estensione", "HEIC,TIFF,JPG"}).status, 0);
    const std::string page = tree.read("photos/TAVLO.HTM");
    std::size_t at = 0;
    for (const char* name : {"IMG_0001.HEIC", "Sub/scan.tiff", "a.jpg"})  // in the order loaded
        EXPECT_NE(at = page.find(std::string("<img src=\"") + name, at), std::string::npos) << name;
    EXPECT_EQ(page.find("no.xtiff"), std::string::npos);
}

TEST(CommandLinePages, AreByteForByteTheWindowsOwn)
{
    for (const bool paged : {false, true}) {
        Rig rig;
        const std::string folder = photos(rig.tree);
        const Args options = paged ? Args{"--estensione", "GIF,JPG", "--per-pagina", "2", "--per-riga", "3", "--senza-sfondo"}
                                   : Args{};
        Args args{"--cartella", folder};
        args.insert(args.end(), options.begin(), options.end());
        EXPECT_EQ(tavlo(rig.tree, args).status, 0);
        const auto byCommandLine = filesBelow(folder);

        photos(rig.tree);
        rig.start();
        rig.type(ControlId::txtPATH_RICERCA, folder);
        rig.type(ControlId::txtNOME_FILE_HTM, folder + "/TAVLO.HTM");
        if (paged) {
            rig.type(ControlId::txtMAX_N_FILES, "2");
            rig.type(ControlId::txtMAX_PER_RIGA, "3");
            rig.controls.setChecked(true);
            rig.type(ControlId::txtESTENSIONE, "GIF");  // several extensions: one load after the other
            rig.click(ControlId::cmdCONFERMA);
            rig.type(ControlId::txtESTENSIONE, "JPG");
        }
        rig.click(paged ? ControlId::cmdCONFERMA : ControlId::cmdCONFERMA_Tutti);
        rig.ui.answerNext(Answer::No);
        rig.click(paged ? ControlId::Command4 : ControlId::Command1);
        EXPECT_EQ(filesBelow(folder), byCommandLine);
        EXPECT_GT(byCommandLine.size(), 16u);
    }
}

} // namespace
} // namespace tavlo::test
