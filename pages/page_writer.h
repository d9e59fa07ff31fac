#pragma once
// Crea_Pagina: writes the list positions Primo_File..Ultimo_File as one page of
// cells, framed by the header and footer templates, with a view page per picture.

#include "pages/job_variables.h"
#include "platform/platform.h"

namespace tavlo {

void Crea_Pagina(Platform& p, JobVariables& job);

} // namespace tavlo
