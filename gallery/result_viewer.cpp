#include "gallery/result_viewer.h"

#include "gallery/open_page.h"
#include "platform/text_rules.h"

namespace tavlo {

void Command5_Click(Services& p, const JobVariables& job)
{
    if (trimBlanks(job.Nome_Pagina).empty())
        return;
    const std::string page = job.Cartella_Tavlo + job.Nome_Pagina;
    openPage(p, page);
}

} // namespace tavlo
