#pragma once
// The commands that fill and trim the file list: load by extension, load all
// known types, new list, delete one entry.

#include "filelist/folder_scan.h"
#include "platform/platform.h"

namespace tavlo {

void cmdCONFERMA_Click(Platform& p, ScanState& scan);
void cmdCONFERMA_Tutti_Click(Platform& p, ScanState& scan);
void Command2_Click(Platform& p);
void cmdCANC_FILE_Click(Platform& p);

/// Shows the count of the list's files in txtNUM_FILE and, when there are any,
/// unlocks both builds; true then.
bool showFileCount(Platform& p);

} // namespace tavlo
