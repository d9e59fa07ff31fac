#include "app/frm_tavlo.h"

#include "app/start_up.h"
#include "gallery/paged_build.h"
#include "gallery/result_viewer.h"
#include "gallery/single_page_build.h"
#include "filelist/list_commands.h"
#include "filelist/pickers.h"
#include "platform/text_rules.h"

namespace tavlo {

frmTAVLO::frmTAVLO(Controls& controls, Ui& ui, FileSystem& fs, const Pictures* pictures)
    : p_{controls, ui, fs, pictures}
{
}

void frmTAVLO::Form_Load() { tavlo::Form_Load(p_); }

void frmTAVLO::click(ControlId id)
{
    if (p_.ui.programEnded() || !p_.form.isEnabled(id) || !p_.form.isVisible(id))
        return;
    try {
        route(id);
    } catch (const ProgramEnded&) {
        // The program was ended while the handler ran: nothing more is done.
    }
}

void frmTAVLO::close() { p_.ui.endProgram(); }

BuildSettings frmTAVLO::buildSettings() const
{
    const Controls& form = p_.form;
    BuildSettings settings;
    settings.pagePath = form.text(ControlId::txtNOME_FILE_HTM);
    settings.entries.reserve(static_cast<std::size_t>(form.listCount()));
    for (long i = 0; i < form.listCount(); ++i)
        settings.entries.push_back(form.listItem(i));
    settings.filesFound = numericValue(form.text(ControlId::txtNUM_FILE));
    settings.rowSize = numericValue(form.text(ControlId::txtMAX_PER_RIGA));
    settings.pageSize = numericValue(form.text(ControlId::txtMAX_N_FILES));
    settings.withoutBackground = form.checkValue(ControlId::Check1) != 0;
    settings.thumbnails = form.checkValue(ControlId::chkMINIATURE) != 0;
    return settings;
}

void frmTAVLO::route(ControlId id)
{
    switch (id) {
    case ControlId::cmdCONFERMA: cmdCONFERMA_Click(p_, scan_); break;
    case ControlId::cmdCONFERMA_Tutti: cmdCONFERMA_Tutti_Click(p_, scan_); break;
    case ControlId::Command2: Command2_Click(p_); break;
    case ControlId::cmdCANC_FILE: cmdCANC_FILE_Click(p_); break;
    case ControlId::Command3: Sfoglia_Cartella(p_); break;
    case ControlId::cmdIns_File: cmdIns_File_Click(p_); break;
    case ControlId::Command1: Command1_Click(p_, job_, buildSettings()); break;
    case ControlId::Command4: Command4_Click(p_, job_, buildSettings()); break;
    case ControlId::Command5: Command5_Click(p_, job_); break;
    case ControlId::cmdFINE: p_.ui.endProgram(); break;
    case ControlId::Check1:  // only settings: a build reads them when it starts
    case ControlId::chkMINIATURE:
    default: break;
    }
}

} // namespace tavlo
