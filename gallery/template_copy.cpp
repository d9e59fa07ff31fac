#include "gallery/template_copy.h"

#include "pages/build_record.h"
#include "platform/text_case.h"

namespace tavlo {

void Copia_Modelli(Platform& p, JobVariables& job)
{
    const std::string source = p.fs.templateFolder();
    for (std::string_view name : kTemplateFiles) {
        // Where letter case matters on disk, the output folder keeps its own.
        const std::string destination = p.fs.caseSensitive() ? job.Cartella_Tavlo + upperCase(name)
                                                             : upperCase(job.Cartella_Tavlo + std::string(name));
        if (!p.fs.copyFile(source + std::string(name), destination))  // a failing copy is skipped
            noteWritten(job, job.Cartella_Tavlo, destination.substr(job.Cartella_Tavlo.size()));
    }
}

} // namespace tavlo
