#pragma once
// The window's settings for one build, read from its controls once when the build
// starts: the builds, the thumbnails and the page writer take them as they are.

#include "platform/entry_store.h"

#include <string>

namespace tavlo {

struct BuildSettings {
    std::string pagePath;              // the output path as typed (txtNOME_FILE_HTM)
    EntryStore entries;                // the file list, in order (List1), held as compactly as the list
    double filesFound = 0;             // the count of files found (txtNUM_FILE), as a number
    double rowSize = 0;                // cells per row (txtMAX_PER_RIGA), as a number
    double pageSize = 0;               // entries per page of a series (txtMAX_N_FILES), as a number
    bool withoutBackground = false;    // Check1: the header without background and title
    bool thumbnails = false;           // chkMINIATURE
};

} // namespace tavlo
