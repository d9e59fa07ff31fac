#include "app/command_line.h"

#include "app/batch_run.h"
#include "platform/text_case.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace tavlo {
namespace {

bool isNumber(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string helpText(char sep)
{
    const std::string defaultPage = std::string("CARTELLA") + sep + "TAVLO.HTM";
    return "Uso: tavlo\n"
           "     tavlo --finestra [CARTELLA]\n"
           "     tavlo --cartella CARTELLA [--estensione EST[,EST...]] [--pagina FILE.HTM]\n"
           "           [--per-pagina N] [--per-riga N] [--senza-sfondo] [--miniature]\n"
           "           [--sovrascrivi] [--apri]\n"
           "     tavlo --help | --version\n"
           "\n"
           "Senza opzioni apre la finestra. Con le opzioni crea la galleria senza finestra:\n"
           "carica i files della cartella e delle sue sotto cartelle e crea le pagine .HTM\n"
           "come i pulsanti della finestra.\n"
           "\n"
           "  --finestra           apre la finestra, con CARTELLA (se c'e') in Ricerca nella\n"
           "                       Directory, come \"Apri con\" su una cartella\n"
           "  --cartella CARTELLA  la cartella in cui cercare i files (obbligatoria)\n"
           "  --estensione EST     carica i files di questa estensione, senza il punto (JPG);\n"
           "                       piu' estensioni separate da virgole (JPG,HEIC,PNG) si caricano\n"
           "                       una dopo l'altra; senza l'opzione, o con *, tutti i files\n"
           "                       multimediali conosciuti\n"
           "  --pagina FILE.HTM    la pagina da creare (se manca: " + defaultPage + ")\n"
           "  --per-pagina N       crea le pagine PAG_1.HTM, PAG_2.HTM... di al massimo N files\n"
           "                       e la pagina indicata, che le elenca; senza, una sola pagina\n"
           "  --per-riga N         immagini per ogni riga (se manca: 5)\n"
           "  --senza-sfondo       elimino sfondo e titolo\n"
           "  --miniature          crea miniature: le pagine mostrano le immagini piccole, fatte\n"
           "                       nella cartella MINIATURE accanto alle pagine\n"
           "  --sovrascrivi        sostituisce le pagine gia' esistenti; senza, una pagina gia'\n"
           "                       esistente ferma il lavoro e nessun file viene toccato\n"
           "  --apri               apre la pagina creata nel browser\n"
           "  --help               mostra queste istruzioni\n"
           "  --version            mostra la versione\n"
           "\n"
           "Ogni messaggio va sullo standard error. Stato di uscita: 0 galleria creata dove\n"
           "indicato; 1 lavoro rifiutato, non confermato o pagina scritta altrove; 2 opzioni\n"
           "errate.\n";
}

int wrongOptions(Console& console, const std::string& what)
{
    console.writeError(std::string("tavlo: ") + what + "\nPer le istruzioni: tavlo --help\n");
    return 2;
}

// A page named by a folder would be written as ".HTM" inside it, or refused after the load.
bool namesAFolder(FileSystem& fs, const std::string& page)
{
    return page.ends_with(fs.separator()) || page.ends_with('/') || fs.folderIdentity(page).has_value();
}

} // namespace

CommandLine readCommandLine(const std::vector<std::string>& arguments)
{
    CommandLine line;
    if (arguments.empty())
        return line;
    if (arguments.front() == "--finestra" && arguments.size() <= 2) {
        if (arguments.size() == 2 && (arguments[1].empty() || arguments[1].starts_with("-"))) {
            line.action = CommandLine::Action::Wrong;
            line.wrong = "--finestra vuole una cartella, non '" + arguments[1] + "'";
        } else if (arguments.size() == 2) {
            line.searchFolder = arguments[1];
        }
        return line;
    }
    const auto wrong = [&line](std::string what) {
        line.action = CommandLine::Action::Wrong;
        line.wrong = std::move(what);
        return line;
    };
    bool help = false;
    bool version = false;
    bool folderGiven = false;
    BatchOptions& o = line.batch;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        bool* flag = option == "--senza-sfondo" ? &o.withoutBackground
                     : option == "--miniature"  ? &o.thumbnails
                     : option == "--sovrascrivi" ? &o.overwrite
                     : option == "--apri"       ? &o.open
                     : option == "--help"       ? &help
                     : option == "--version"    ? &version
                                                : nullptr;
        if (flag != nullptr) {
            *flag = true;
            continue;
        }
        const bool takesValue = option == "--cartella" || option == "--estensione" || option == "--pagina" ||
                                option == "--per-pagina" || option == "--per-riga";
        if (!takesValue)
            return wrong(std::string(option.starts_with("-") ? "opzione sconosciuta: " : "argomento inatteso: ") + option);
        if (i + 1 == arguments.size() || (option == "--cartella" && arguments[i + 1].empty()))
            return wrong(std::string("manca il valore di ") + option);
        const std::string& value = arguments[++i];
        if ((option == "--per-pagina" || option == "--per-riga") && !isNumber(value))
            return wrong(option + " vuole un numero, non '" + value + "'");
        if (option == "--estensione" && value.find(',') != std::string::npos &&
            (value.front() == ',' || value.back() == ',' || value.find(",,") != std::string::npos))
            return wrong("manca un'estensione fra le virgole di '" + value + "'");
        if (option == "--cartella")
            o.folder = value, folderGiven = true;
        else if (option == "--estensione")
            o.extension = upperCase(value);  // the window compares as typed; here jpg means JPG
        else if (option == "--pagina")
            o.page = value;
        else if (option == "--per-pagina")
            o.perPage = value;
        else
            o.perRow = value;
    }
    if (help || version) {
        line.action = help ? CommandLine::Action::Help : CommandLine::Action::Version;
        return line;
    }
    if (!folderGiven)
        return wrong("manca --cartella, la cartella da cercare");
    line.action = CommandLine::Action::Batch;
    return line;
}

int runCommandLine(const CommandLine& line, Console& console)
{
    switch (line.action) {
    case CommandLine::Action::Help: console.writeOutput(helpText(console.fileSystem().separator())); return 0;
    case CommandLine::Action::Version: console.writeOutput("tavlo " TAVLO_VERSION "\n"); return 0;
    case CommandLine::Action::Wrong: return wrongOptions(console, line.wrong);
    case CommandLine::Action::Batch:
        if (line.batch.page && namesAFolder(console.fileSystem(), *line.batch.page))
            return wrongOptions(console, "--pagina indica una cartella, non una pagina: " + *line.batch.page);
        return runBatch(line.batch, console);
    case CommandLine::Action::Window: break;
    }
    return 2;
}

} // namespace tavlo
