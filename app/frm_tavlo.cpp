#include "app/frm_tavlo.h"

#include "app/start_up.h"
#include "gallery/result_viewer.h"
#include "gallery/window_build.h"
#include "filelist/list_commands.h"
#include "filelist/pickers.h"
#include "platform/text_rules.h"

namespace tavlo {

frmTAVLO::frmTAVLO(Controls& controls, Ui& ui, FileSystem& fs, const Pictures* pictures)
    : p_{{ui, fs, pictures}, controls}
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

void frmTAVLO::route(ControlId id)
{
    switch (id) {
    case ControlId::cmdCONFERMA: cmdCONFERMA_Click(p_, scan_); break;
    case ControlId::cmdCONFERMA_Tutti: cmdCONFERMA_Tutti_Click(p_, scan_); break;
    case ControlId::Command2: Command2_Click(p_); break;
    case ControlId::cmdCANC_FILE: cmdCANC_FILE_Click(p_); break;
    case ControlId::Command3: Sfoglia_Cartella(p_); break;
    case ControlId::cmdIns_File: cmdIns_File_Click(p_); break;
    case ControlId::Command1: Command1_Click(p_, job_); break;
    case ControlId::Command4: Command4_Click(p_, job_); break;
    case ControlId::Command5: Command5_Click(p_, job_); break;
    case ControlId::cmdFINE: p_.ui.endProgram(); break;
    case ControlId::Check1:  // only settings: a build reads them when it starts
    case ControlId::chkMINIATURE:
    default: break;
    }
}

} // namespace tavlo
