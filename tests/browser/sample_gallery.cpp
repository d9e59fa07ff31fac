// Builds the gallery of a folder as a user does in the window: load all known
// types, then build one page TAVLO.HTM in that folder.
//
//   tavlo_sample_gallery <folder> [images per row]
#include "support/rig.h"

#include <iostream>

int main(int argc, char** argv)
{
    using namespace tavlo;
    using enum ControlId;
    if (argc < 2 || argc > 3) {
        std::cerr << "usage: tavlo_sample_gallery <folder> [images per row]\n";
        return 2;
    }
    const std::string folder = argv[1];
    test::Rig rig;
    rig.start();
    rig.type(txtPATH_RICERCA, folder);
    rig.click(cmdCONFERMA_Tutti);
    rig.type(txtNOME_FILE_HTM, folder + "/TAVLO.HTM");
    if (argc == 3)
        rig.type(txtMAX_PER_RIGA, argv[2]);
    rig.ui.answerNext(kAnswerNo);  // view question
    rig.click(Command1);
    if (!rig.ui.unexpected.empty() || !rig.ui.allAnswersUsed()) {
        for (const auto& prompt : rig.ui.unexpected)
            std::cerr << "unexpected: " << prompt << "\n";
        return 1;
    }
    std::cout << folder << "/TAVLO.HTM\n";
    return 0;
}
