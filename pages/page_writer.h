#pragma once
// Crea_Pagina: writes the list positions Primo_File..Ultimo_File of the build's
// entries as one page of cells, framed by the header and footer templates, with a
// view page per picture.

#include "pages/build_context.h"
#include "pages/view_page_names.h"

#include <string>
#include <string_view>
#include <vector>

namespace tavlo {

/// The most a header or footer template may hold: a longer one counts as missing.
inline constexpr std::size_t kTemplateLimit = 16 * 1024 * 1024;

/// What a page lists: the build's entries, of which it shows the list positions
/// Primo_File..Ultimo_File, the view page names the build gave them, and its frame.
struct PageList {
    const EntryStore& entries;
    ViewPageNames viewPages;
    double rowSize = 0;              // cells per row
    bool withoutBackground = false;  // Check1: the header without background and title
};

void Crea_Pagina(BuildContext& b, const PageList& list);

/// The question the writer asks before it writes over a page that is there already.
std::string overwriteQuestion(std::string_view page);

} // namespace tavlo
