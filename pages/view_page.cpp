#include "pages/view_page.h"

#include "pages/html_text.h"
#include "platform/text_rules.h"

#include <array>

namespace tavlo {
namespace {

constexpr std::string_view kFirstLine = "<HTML><HEAD>";
constexpr std::string_view kThirdLine = "</HEAD><BODY BGCOLOR=#FFFFFF><CENTER><H2><pre>";
constexpr std::string_view kLastLine = "</BODY></HTML>";

// A view page that an earlier build wrote may be replaced; any other file is the user's.
bool mayReplace(FileSystem& fs, const std::string& path)
{
    if (!fs.canRead(path))
        return true;
    const auto lines = fs.readLines(path);
    return lines && lines->size() == 7 && (*lines)[0] == kFirstLine && (*lines)[2] == kThirdLine &&
           (*lines)[6] == kLastLine;
}

} // namespace

Failure writeViewPage(Platform& p, const JobVariables& job, const EntryValues& entry)
{
    if (!entry.viewPageName)
        return {kErrIllegalCall, "Invalid procedure call or argument"};
    const std::string path = job.Cartella_Tavlo + *entry.viewPageName;
    if (!mayReplace(p.fs, path))
        return {kErrFileAlreadyExists, "File already exists"};

    Failure failure;
    auto file = p.fs.createText(path, failure);
    if (!file)
        return failure;
    const char sep = p.fs.separator();
    const std::string name = htmlText(entry.fileName);
    const std::array<std::string, 7> lines{
        std::string(kFirstLine),
        "<TITLE> " + name + " </TITLE>",
        std::string(kThirdLine),
        name + "   <A HREF=\"" + linkTarget(job.Nome_Pagina, sep) + "\">Torna all'indice dell'tavlo</A></pre></H2>",
        "<TABLE><TR><TD>",
        "<IMG SRC=\"" + linkTarget(entry.viewImageSource, sep) + "\" width=" + numberForPage(600) +
            " height=" + numberForPage(430) + "></TD></TR></TABLE></CENTER>",
        std::string(kLastLine),
    };
    for (const auto& line : lines)
        if (Failure f = file->writeLine(line))
            return f;
    return file->close();
}

} // namespace tavlo
