// Builds the gallery of a folder as a user does in the window: loads all known types, then builds
// one page TAVLO.HTM in that folder or, given a number of files per page, a series; with a fourth
// argument, with thumbnails.
//   tavlo_sample_gallery <folder> [images per row [files per page (0: one page) [thumbnails]]]
#include "support/rig.h"

#include <iostream>

int main(int argc, char** argv)
{
    using enum tavlo::ControlId;
    const std::string folder = argc > 1 ? argv[1] : "";
    tavlo::test::Rig rig;
    rig.start();
    rig.type(txtPATH_RICERCA, folder);
    rig.click(cmdCONFERMA_Tutti);
    rig.type(txtNOME_FILE_HTM, folder + "/TAVLO.HTM");
    rig.type(txtMAX_PER_RIGA, argc > 2 ? argv[2] : "5");
    rig.type(txtMAX_N_FILES, argc > 3 ? argv[3] : "0");
    rig.controls.setChecked(chkMINIATURE, argc > 4);
    rig.ui.answerNext(tavlo::Answer::No);  // the view question
    rig.click(rig.text(txtMAX_N_FILES) != "0" ? Command4 : Command1);
    for (const auto& prompt : rig.ui.unexpected)
        std::cerr << "unexpected: " << prompt << "\n";
    std::cout << folder << "/TAVLO.HTM\n";
    return folder.empty() || !rig.ui.unexpected.empty() || !rig.ui.allAnswersUsed();
}
