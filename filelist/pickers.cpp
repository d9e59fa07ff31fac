#include "filelist/pickers.h"

#include "filelist/list_commands.h"
#include "platform/text_rules.h"

#include <optional>

namespace tavlo {
namespace {

struct PickerAnswer {
    std::string chosen;          // the chosen path, blanks removed at both ends
    std::string previousFolder;  // the folder part of the search folder before the click
};

// Shows the picker, starting in the search folder's folder; nullopt when nothing was
// chosen or the dialog could not be shown.
std::optional<PickerAnswer> askPicker(Platform& p, bool folderMayBeChosen)
{
    p.ui.beep();
    const char sep = p.fs.separator();
    PickerAnswer answer;
    answer.previousFolder = Dividi_Percorso(p.form.text(ControlId::txtPATH_RICERCA), sep).folder;
    PickerRequest request;
    request.title = "Ricerca cartelle/directory contenenti Foto/Film/Suoni";
    request.startFolder = answer.previousFolder;
    request.firstPattern = "*.*";
    request.secondPattern = "*.*";
    request.folderMayBeChosen = folderMayBeChosen;
    const auto chosen = p.ui.showPicker(request);
    if (!chosen)
        return std::nullopt;
    letEventsRun(p);
    answer.chosen = trimBlanks(*chosen);
    if (answer.chosen.empty())
        return std::nullopt;
    return answer;
}

} // namespace

void Sfoglia_Cartella(Platform& p)
{
    const auto answer = askPicker(p, true);
    if (!answer)
        return;
    const char sep = p.fs.separator();
    // A "/" ends the path where it is not the separator (the picker may add more after it).
    std::string_view path = answer->chosen;
    if (sep != '/')
        path = path.substr(0, path.find('/'));
    std::string folder = Dividi_Percorso(path, sep).folder;
    if (trimBlanks(folder).empty())
        folder = answer->previousFolder;
    p.form.setText(ControlId::txtPATH_RICERCA, folder);
    const std::string pageName = Dividi_Percorso(p.form.text(ControlId::txtNOME_FILE_HTM), sep).name;
    p.form.setText(ControlId::txtNOME_FILE_HTM, folder + pageName);
}

void cmdIns_File_Click(Platform& p)
{
    const auto answer = askPicker(p, false);
    if (!answer)
        return;
    p.form.listAdd(answer->chosen);
    if (showFileCount(p))
        p.form.setEnabled(ControlId::Command5, true);
}

} // namespace tavlo
