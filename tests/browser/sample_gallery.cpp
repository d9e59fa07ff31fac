// Builds the gallery of a folder as a user does in the window: loads all known types, then
// builds one page TAVLO.HTM in that folder or, given a number of files per page, a series.
//
//   tavlo_sample_gallery <folder> [images per row [files per page]]
#include "support/rig.h"

#include <iostream>

int main(int argc, char** argv)
{
    using namespace tavlo;
    using enum ControlId;
    if (argc < 2 || argc > 4) {
        std::cerr << "usage: tavlo_sample_gallery <folder> [images per row [files per page]]\n";
        return 2;
    }
    const std::string folder = argv[1];
    test::Rig rig;
    rig.start();
    rig.type(txtPATH_RICERCA, folder);
    rig.click(cmdCONFERMA_Tutti);
    rig.type(txtNOME_FILE_HTM, folder + "/TAVLO.HTM");
    if (argc > 2)
        rig.type(txtMAX_PER_RIGA, argv[2]);
    if (argc > 3)
        rig.type(txtMAX_N_FILES, argv[3]);
    rig.ui.answerNext(kAnswerNo);  // the view question
    rig.click(argc > 3 ? Command4 : Command1);
    for (const auto& prompt : rig.ui.unexpected)
        std::cerr << "unexpected: " << prompt << "\n";
    std::cout << folder << "/TAVLO.HTM\n";
    return rig.ui.unexpected.empty() && rig.ui.allAnswersUsed() ? 0 : 1;
}
