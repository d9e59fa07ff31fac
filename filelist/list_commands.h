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

/// The folder a load starts from, as typed: blank stands for the default folder, and
/// trailing asterisks ("*.*", "*.", "*") are dropped.
std::string startFolder(Services& p, std::string_view typed);
/// A filter is an extension alone: false, after a refusal, when it holds a ".".
bool refuseDottedFilter(Services& p, std::string_view filter);

/// Shows the count of the list's files in txtNUM_FILE and, when there are any,
/// unlocks both builds; true then.
bool showFileCount(Platform& p);

} // namespace tavlo
