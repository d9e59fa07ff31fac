#include "filelist/list_commands.h"

#include "platform/text_rules.h"

namespace tavlo {
namespace {

// The window's list and extension box, as a scan fills and reads them.
class WindowList final : public ScanList {
public:
    explicit WindowList(Controls& form) : form_(form) {}
    std::string filter() const override { return form_.text(ControlId::txtESTENSIONE); }
    void add(std::string_view entry) override { form_.listAdd(entry); }

private:
    Controls& form_;
};

} // namespace

std::string startFolder(Services& p, std::string_view typed)
{
    std::string folder = trimBlanks(typed);
    if (folder.empty())
        folder = p.fs.defaultSearchFolder();
    const auto starInLastThree = [&] {
        return folder.find('*', folder.size() < 3 ? 0 : folder.size() - 3) != std::string::npos;
    };
    while (!folder.empty() && starInLastThree())
        folder.pop_back();
    return folder;
}

namespace {

void setLoadButtonsEnabled(Platform& p, bool enabled)
{
    p.form.setEnabled(ControlId::cmdCONFERMA, enabled);
    p.form.setEnabled(ControlId::cmdCONFERMA_Tutti, enabled);
}

} // namespace

void cmdCONFERMA_Click(Platform& p, ScanState& scan)
{
    if (!refuseDottedFilter(p, p.form.text(ControlId::txtESTENSIONE)))
        return;
    p.ui.setScreenPointer(kPointerHourglass);
    setLoadButtonsEnabled(p, false);

    scan.Livello = 0;
    WindowList list(p.form);
    Legge_Dir(p, scan, list, startFolder(p, p.form.text(ControlId::txtPATH_RICERCA)));

    showFileCount(p);
    p.ui.beep();
    setLoadButtonsEnabled(p, true);
    p.ui.setScreenPointer(kPointerDefault);
}

bool refuseDottedFilter(Services& p, std::string_view filter)
{
    if (!contains(filter, "."))
        return true;
    refuse(p, "Indicare solo l'estensione dei files da cercare !!!");
    return false;
}

void cmdCONFERMA_Tutti_Click(Platform& p, ScanState& scan)
{
    p.form.setText(ControlId::txtESTENSIONE, "*");
    cmdCONFERMA_Click(p, scan);
}

void Command2_Click(Platform& p) { p.form.listClear(); }

bool showFileCount(Platform& p)
{
    p.form.setText(ControlId::txtNUM_FILE, std::to_string(p.form.listCount()));
    if (numericValue(p.form.text(ControlId::txtNUM_FILE)) <= 0)
        return false;
    p.form.setEnabled(ControlId::Command1, true);
    p.form.setEnabled(ControlId::Command4, true);
    return true;
}

void cmdCANC_FILE_Click(Platform& p)
{
    const long selected = p.form.listIndex();
    if (selected < 0) {
        refuse(p, "SELEZIONARE UN FILE IN ELENCO tra i possibili " + numberForMessage(p.form.listCount()) + " files !!!");
        return;
    }
    const std::string prompt = "Confermi la cancellazione di " + p.form.listItem(selected) + " dal solo elenco (S/N) ";
    if (p.ui.msgBox(MessageKind::DeleteEntry, prompt, Buttons::YesNo) == Answer::Yes)
        p.form.listRemove(selected);
}

} // namespace tavlo
