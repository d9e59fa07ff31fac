// The commands that fill and trim the file list: loads, delete, new list, and the pickers.
#include "support/rig_test.h"

namespace tavlo::test {
namespace {

using enum ControlId;
using Entries = std::vector<std::string>;
class ListCommands : public RigTest {};

TEST_F(ListCommands, LoadsAppendCountBeepAndUnlockTheBuildsLoadAllTakesTheKnownTypesADotIsRefusedDeleteAsks)
{
    rig.start();
    for (const char* name : {"a.jpg", "b.jpg", "notes.txt", "sub/c.jpg", "sub/voice.wav"})
        rig.tree.file(std::string("photos/") + name);
    const std::string photos = rig.tree.at("photos"), b = photos + native("/b.jpg"), c = photos + native("/sub/c.jpg");
    const auto enabled = [&](ControlId id) { return rig.controls.isEnabled(id); };
    rig.ui.log.clear();
    rig.ui.onDoEvents = [&] {  // while the scan runs: the load buttons locked, the hourglass up
        EXPECT_FALSE(enabled(cmdCONFERMA) || enabled(cmdCONFERMA_Tutti) || rig.ui.pointers.back() != kPointerHourglass);
        rig.click(cmdCONFERMA_Tutti);  // ignored: it would set "*" and scan again
    };
    EXPECT_EQ(load(rig.tree.at("missing"), "JPG"), Entries{});  // adds nothing, unlocks nothing
    EXPECT_FALSE(enabled(Command1) || enabled(Command4));
    click(cmdCANC_FILE, {Answer::Ok});
    EXPECT_EQ(load(photos, "JPG"), (Entries{photos + native("/a.jpg"), b, c}));
    EXPECT_TRUE(enabled(Command1) && enabled(Command4) && enabled(cmdCONFERMA) && !enabled(Command5));
    rig.controls.select(1);
    click(cmdCANC_FILE, {Answer::No});
    click(cmdCANC_FILE, {Answer::Yes});
    const std::string asked = "box:4:Confermi la cancellazione di " + b + " dal solo elenco (S/N) ";
    EXPECT_EQ(rig.ui.log, (Entries{"pointer:11", "beep", "pointer:0", "beep", "box:0:SELEZIONARE UN FILE IN ELENCO tra i "
                                   "possibili  0 files !!!", "pointer:11", "beep", "pointer:0", asked, asked}));
    EXPECT_EQ(rig.controls.entries(), (Entries{photos + native("/a.jpg"), c}));
    rig.type(txtESTENSIONE, ".JPG");  // a dot would be refused: load all sets "*" first
    rig.click(cmdCONFERMA_Tutti);
    EXPECT_EQ(rig.controls.entries().back() + rig.text(txtESTENSIONE) + rig.text(txtNUM_FILE), photos + native("/sub/voice.wav*6"));
    auto before = windowState(rig.controls);
    rig.click(Command2);  // only the list changes: the count and the unlocked builds stay
    before.erase(before.end() - 7, before.end() - 1);
    EXPECT_EQ(windowState(rig.controls), before);
    rig.type(txtESTENSIONE, "JPG.");
    before = windowState(rig.controls);
    click(cmdCONFERMA, {Answer::Ok});
    EXPECT_EQ(rig.ui.log.back(), "box:0:Indicare solo l'estensione dei files da cercare !!!");
    EXPECT_EQ(windowState(rig.controls), before);
}

TEST_F(ListCommands, ThePickersMoveTheSearchFolderAndTheOutputPageOrInsertTheChosenFile)
{
    rig.start();
    const std::tuple<ControlId, const char*, const char*, std::optional<std::string>, const char*, const char*> cases[] = {
        {Command3, "x/T/", "x/T/TAVLO.HTM", "  x/Foto/Mare/img.jpg  ", "x/Foto/Mare/", "x/Foto/Mare/TAVLO.HTM"},
        {Command3, "x/T/", "y/deep/Galleria.htm", "x/Foto/", "x/Foto/", "x/Foto/Galleria.htm"},
        {Command3, "x/Foto", "x/T/T.HTM", "img001.jpg", "x/", "x/T.HTM"},  // no folder chosen: the old one
        {Command3, "Foto", "x/T/TAVLO.HTM", "img001.jpg", "", "TAVLO.HTM"},
        {Command3, "x/", "T.HTM", kWindows ? "x/F/" : "x/F\\o/M\\img.jpg", kWindows ? "x/F/" : "x/F\\o/",
         kWindows ? "x/F/T.HTM" : "x/F\\o/T.HTM"},  // "\" is part of a name where it is no separator
        {Command3, "x/a", "T.HTM", "  ", "x/a", "T.HTM"}, {cmdIns_File, "x/a", "T.HTM", std::nullopt, "x/a", "T.HTM"},
        {cmdIns_File, "x/a", "T.HTM", "  x/a b.jpg  ", "x/a", "T.HTM"},
    };
    for (const auto& [command, search, page, chosen, newSearch, newPage] : cases) {
        rig.type(txtPATH_RICERCA, native(search));
        rig.type(txtNOME_FILE_HTM, native(page));
        rig.ui.pickNext(chosen ? std::optional(native(*chosen)) : std::nullopt);
        rig.click(command);
        EXPECT_EQ(rig.text(txtPATH_RICERCA) + "|" + rig.text(txtNOME_FILE_HTM), native(newSearch) + "|" + native(newPage));
        const PickerRequest& asked = rig.ui.pickers.back();
        EXPECT_EQ(asked.title + "|" + asked.firstPattern + asked.secondPattern + std::to_string(asked.folderMayBeChosen),
                  "Ricerca cartelle/directory contenenti Foto/Film/Suoni|*.**.*" + std::to_string(command == Command3));
    }
    EXPECT_EQ(rig.ui.pickers[2].startFolder + "|" + rig.ui.pickers[3].startFolder, native("x/") + "|");  // the search folder's
    EXPECT_EQ(std::ranges::count(rig.ui.log, "beep") + std::ranges::count(rig.ui.log, "picker"), 2 * std::ssize(cases));
    EXPECT_EQ(rig.ui.doEventsCalls, 7) << "once after each dialog that could show";
    EXPECT_EQ(rig.controls.entries(), Entries{native("x/a b.jpg")});
    EXPECT_TRUE(rig.text(txtNUM_FILE) == "1" && rig.controls.isEnabled(Command1) && rig.controls.isEnabled(Command5));
}

} // namespace
} // namespace tavlo::test
