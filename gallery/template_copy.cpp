#include "gallery/template_copy.h"

#include "pages/record_keeping.h"
#include "pages/page_writer.h"
#include "platform/text_case.h"

#include <vector>

namespace tavlo {
namespace {

// Whether a file already holds a template's very bytes: then it may be written again.
bool holdsTemplate(FileSystem& fs, const std::string& source, const std::string& destination)
{
    const auto bytes = fs.readRegularFile(source, kTemplateLimit);
    return bytes && fs.readRegularFile(destination, bytes->size(), Links::NotFollowed) == bytes;
}

} // namespace

void Copia_Modelli(BuildContext& b)
{
    Services& p = b.p;
    const JobVariables& job = b.job;
    const std::string source = p.fs.templateFolder();
    const BuildRecord& ours = b.records.found(job.Cartella_Tavlo);
    struct Copy {
        std::string from, to, name;
    };
    std::vector<Copy> copies;
    for (std::string_view name : kTemplateFiles) {
        // Where letter case matters on disk, the output folder keeps its own.
        const std::string destination = p.fs.caseSensitive() ? job.Cartella_Tavlo + upperCase(name)
                                                             : upperCase(job.Cartella_Tavlo + std::string(name));
        Copy copy{source + std::string(name), destination, destination.substr(job.Cartella_Tavlo.size())};
        // A file of that name that a build of ours did not leave there is the user's: it stays,
        // and the pages make do without that template.
        const bool taken = p.fs.fileStamp(destination) || p.fs.canRead(destination);
        if (taken && !ours.wrote(copy.name) && !holdsTemplate(p.fs, copy.from, destination)) {
            p.ui.untold("Modello non copiato, al suo posto c'e' un file non creato da TAVLO: " + destination);
            continue;
        }
        copies.push_back(std::move(copy));
    }
    std::vector<std::string> names;
    names.reserve(copies.size());
    for (const Copy& copy : copies)
        names.push_back(copy.name);
    b.records.noteWriting(job.Cartella_Tavlo, names);
    for (const Copy& copy : copies)
        if (!p.fs.copyFile(copy.from, copy.to))  // a failing copy is skipped
            b.records.noteWritten(job.Cartella_Tavlo, copy.name);
}

} // namespace tavlo
