#pragma once
// The folder picker (the search folder and the output page move to the folder of
// the chosen path) and the single-file insert.

#include "platform/platform.h"

namespace tavlo {

void Sfoglia_Cartella(Platform& p);
void cmdIns_File_Click(Platform& p);

} // namespace tavlo
