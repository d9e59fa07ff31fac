#pragma once
// Crea_Pagina: writes the list positions Primo_File..Ultimo_File of the build's
// entries as one page of cells, framed by the header and footer templates, with a
// view page per picture.

#include "pages/build_settings.h"
#include "pages/job_variables.h"
#include "platform/platform.h"

#include <string>
#include <string_view>

namespace tavlo {

/// The most a header or footer template may hold: a longer one counts as missing.
inline constexpr std::size_t kTemplateLimit = 16 * 1024 * 1024;

void Crea_Pagina(Platform& p, JobVariables& job, const BuildSettings& settings);

/// The question the writer asks before it writes over a page that is there already.
std::string overwriteQuestion(std::string_view page);

} // namespace tavlo
