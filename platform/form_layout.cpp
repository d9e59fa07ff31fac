#include "platform/form_layout.h"

#include <array>
#include <stdexcept>

namespace tavlo {
namespace {

using enum ControlId;
using enum ControlKind;
using enum FontFace;
using enum ColourScheme;

constexpr std::array kControls{
    ControlDesign{txtPATH_RICERCA, "txtPATH_RICERCA", TextBox, "C:\\TAVLO\\", 2280, 240, 4335, 285, 0, Regular, LightYellowBackground},
    ControlDesign{txtESTENSIONE, "txtESTENSIONE", TextBox, "JPG", 2280, 600, 735, 285, 1, Regular, Default},
    ControlDesign{txtNOME_FILE_HTM, "txtNOME_FILE_HTM", TextBox, "C:\\TAVLO\\TAVLO.HTM", 2280, 960, 4335, 285, 2, Regular, Default},
    ControlDesign{List1, "List1", ListBox, "", 120, 1590, 6510, 4935, 3, Regular, Default},
    ControlDesign{cmdCONFERMA, "cmdCONFERMA", Button, "Carica i nomi dei files della estensione indicata", 6855, 915, 2310, 660, 4, SansBold825, Default},
    ControlDesign{Command1, "Command1", Button, "Creazione TAVLO.HTM                   singolo", 6855, 2520, 2310, 615, 5, SansBold825, Default},
    ControlDesign{cmdFINE, "cmdFINE", Button, "F I N E", 8190, 6120, 960, 495, 6, SansBold825, Default},
    ControlDesign{Label1, "Label1", Label, "Ricerca nella Directory", 120, 285, 1815, 255, 7, Regular, Default},
    ControlDesign{Label2, "Label2", Label, "Ricerca files con estensione ", 120, 645, 2175, 255, 8, Regular, Default},
    ControlDesign{Label3, "Label3", Label, "(  *  per tutti i files) (htm/jpg/avi/mp3/wav)", 3075, 630, 3720, 255, 9, Sans975, Default},
    ControlDesign{txtNUM_FILE, "txtNUM_FILE", TextBox, "", 8040, 5490, 975, 285, 10, Regular, Default},
    ControlDesign{Label4, "Label4", Label, "N.files trovati", 6960, 5505, 1095, 255, 11, Regular, Default},
    ControlDesign{Label5, "Label5", Label, "Nome file TAVLO .HTM", 120, 1005, 1815, 255, 12, Regular, Default},
    ControlDesign{Command2, "Command2", Button, "Nuovo elenco files", 6855, 15, 2310, 345, 13, Regular, Default},
    ControlDesign{Command3, "Command3", Button, "Sfoglia / Ricerca Cartella/Directory...", 6855, 360, 2310, 495, 14, SansBold825, Default},
    ControlDesign{cmdCONFERMA_Tutti, "cmdCONFERMA_Tutti", Button, "Carica tutti i files multimediali conosciuti della cartella", 6855, 1575, 2310, 840, 15, SansBold825, Default},
    ControlDesign{Label6_0, "Label6(0)", Label, "1", 6645, 0, 180, 390, 16, SansBold135, Default},
    ControlDesign{Label6_1, "Label6(1)", Label, "2", 6645, 465, 180, 360, 17, SansBold135, Default},
    ControlDesign{Label6_2, "Label6(2)", Label, "3", 6645, 1425, 180, 360, 18, SansBold135, Default},
    ControlDesign{Label6_3, "Label6(3)", Label, "4", 6645, 3000, 180, 360, 19, SansBold135, Default},
    ControlDesign{cmdCANC_FILE, "cmdCANC_FILE", Button, "Elimina file da elenco", 6870, 5040, 2295, 330, 20, Regular, Default},
    ControlDesign{cmdIns_File, "cmdIns_File", Button, "Inserisce un solo file in elenco", 6870, 4710, 2295, 330, 21, Regular, Default},
    ControlDesign{Label6_4, "Label6(4)", Label, kCreditCaption, 3990, 1305, 2295, 255, 22, ArialBold975, LightBlueOpaque},
    ControlDesign{Label6_5, "Label6(5)", Label, kCreditCaption, 4005, 1320, 2295, 255, 23, ArialBold975, Transparent},
    ControlDesign{Command4, "Command4", Button, "Creazione vari TAVLO.HTM secondo massimo numero files", 6855, 3120, 2310, 735, 24, SansBold825, Default},
    ControlDesign{txtMAX_N_FILES, "txtMAX_N_FILES", TextBox, "", 8685, 3960, 495, 285, 25, Regular, LightYellowBackground},
    ControlDesign{Label7, "Label7", Label, "Max. n.files per pag.HTM", 6840, 4005, 1815, 255, 26, Regular, Default},
    ControlDesign{txtMAX_PER_RIGA, "txtMAX_PER_RIGA", TextBox, "", 8685, 4275, 495, 285, 27, Regular, LightYellowBackground},
    ControlDesign{Label8, "Label8", Label, "Max. immagini per riga", 6855, 4320, 1815, 255, 28, Regular, Default},
    ControlDesign{Check1, "Check1", CheckBox, "Elimino sfondo e titolo", 6975, 5835, 1920, 225, 29, Regular, Default},
    ControlDesign{chkMINIATURE, "chkMINIATURE", CheckBox, "Crea miniature", 120, 1320, 2415, 225, 30, Regular, Default},
    ControlDesign{Command5, "Command5", Button, "Vedo risultato TAVLO.HTM", 6870, 6120, 1320, 495, 31, Regular, Default},
    ControlDesign{Label6_6, "Label6(6)", Label, "5", 6675, 6180, 180, 360, 32, SansBold135, Default},
    ControlDesign{CommonDialog1, "CommonDialog1", Picker, "", 1725, 1215, 480, 480, -1, Regular, Default},
};

constexpr FormDesign kForm{
    "Creazione Tavlo Multimediali / Siti Internet  .HTML di una Cartella e relative sotto cartelle",
    9285, 6750, 1215, 825};

} // namespace

const FormDesign& formDesign() { return kForm; }

std::span<const ControlDesign> controlDesigns() { return kControls; }

const ControlDesign& controlDesign(ControlId id)
{
    for (const auto& c : kControls)
        if (c.id == id)
            return c;
    throw std::out_of_range("unknown control");
}

} // namespace tavlo
