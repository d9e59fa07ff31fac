#include "pages/view_page.h"

#include "pages/html_text.h"
#include "pages/record_keeping.h"
#include "platform/file_system_shared.h"
#include "platform/text_case.h"
#include "platform/text_rules.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace tavlo {
namespace {

// A page without a declared encoding is read in a legacy one (or a guessed one), which
// garbles a UTF-8 name and sends the browser looking for the picture under the garbled
// name; the index page has its declaration from the header template.
std::string_view firstLine() { return codePageIsUtf8() ? "<HTML><HEAD><META CHARSET=\"UTF-8\">" : "<HTML><HEAD>"; }
constexpr std::string_view kThirdLine = "</HEAD><BODY BGCOLOR=#FFFFFF><CENTER><H2><pre>";
constexpr std::string_view kLastLine = "</BODY></HTML>";
// More than any view page of ours holds, whatever its picture's path.
constexpr std::size_t kViewPageLimit = std::size_t{64} * 1024;

// Whether line i of a file is what that line of a view page of ours holds, as far as it is fixed.
bool isViewPageLine(std::size_t i, std::string_view line)
{
    switch (i) {
    case 0: return line == firstLine() || line == "<HTML><HEAD>";  // also as written in an 8-bit code page
    case 1: return line.starts_with("<TITLE> ") && line.ends_with(" </TITLE>");
    case 2: return line == kThirdLine;
    case 3: return line.ends_with("\">Torna all'indice dell'tavlo</A></pre></H2>");
    case 4: return line == "<TABLE><TR><TD>";
    case 5: return line.starts_with("<IMG SRC=\"") && line.ends_with("></TD></TR></TABLE></CENTER>");
    case 6: return line == kLastLine;
    default: return false;
    }
}

// A view page that an earlier build wrote may be replaced, also one that a failure cut
// short (a full disk, or a write failure that restarted the page): otherwise every later
// build would stop at it. Any other file is the user's, and so is the page being written.
bool mayReplace(const std::optional<std::string>& there)
{
    if (!there)
        return false;
    const auto lines = textLines(*there);
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (!isViewPageLine(i, lines[i]))
            return false;
    return true;
}

std::string fileBytes(const std::array<std::string, 7>& lines)
{
    std::string bytes;
    for (const auto& line : lines)
        bytes.append(line).append("\r\n");
    return bytes;
}

Failure writeLines(FileSystem& fs, const std::string& path, const std::array<std::string, 7>& lines, bool replace)
{
    Failure failure;
    const auto file = replace ? fs.createText(path, failure) : fs.createNewText(path, failure);
    if (!file)
        return failure;
    for (const auto& line : lines)
        if (Failure f = file->writeLine(line))
            return f;
    return file->close();
}

// Writes the view page at `path`: as a new file where none is there, else over one of ours.
Failure writeAt(Services& p, const JobVariables& job, const std::string& path, const std::array<std::string, 7>& lines)
{
    // Most view pages are new: written and named in one go, without a look at the folder first.
    Failure failure = writeLines(p.fs, path, lines, false);
    if (failure.code != kErrFileAlreadyExists)
        return failure;
    if (path == job.Cartella_Tavlo + job.Nome_Pagina)
        return fileAlreadyExists();
    // A gallery built again in place: a view page that holds these very bytes stays as it
    // is. Only what a view page can hold is read: a longer file, a link, or one that
    // cannot be read is not one of ours.
    const auto there = p.fs.readRegularFile(path, kViewPageLimit, Links::NotFollowed);
    if (there && *there == fileBytes(lines))
        return {};
    if (!mayReplace(there))
        return fileAlreadyExists();
    return writeLines(p.fs, path, lines, true);
}

// The frame of the page, 600 x 430; a picture of known size is fitted in it at its own
// proportions, never enlarged.
PictureSize frameFor(const std::optional<PictureSize>& picture)
{
    constexpr PictureSize kFrame{600, 430};
    if (!picture || picture->width <= 0 || picture->height <= 0)
        return kFrame;
    const double scale = std::min({1.0, 1.0 * kFrame.width / picture->width, 1.0 * kFrame.height / picture->height});
    return {std::max(1, static_cast<int>(std::lround(picture->width * scale))),
            std::max(1, static_cast<int>(std::lround(picture->height * scale)))};
}

} // namespace

Failure writeViewPage(BuildContext& b, const EntryValues& entry)
{
    Services& p = b.p;
    const JobVariables& job = b.job;
    if (!entry.viewPageName)
        return {kErrIllegalCall, "Invalid procedure call or argument"};
    const std::string path = job.Cartella_Tavlo + *entry.viewPageName;
    const char sep = p.fs.separator();
    const std::string name = htmlText(entry.fileName);
    const PictureSize frame = frameFor(entry.viewImageSize);
    const std::array<std::string, 7> lines{
        std::string(firstLine()),
        "<TITLE> " + name + " </TITLE>",
        std::string(kThirdLine),
        name + "   <A HREF=\"" + linkTarget(job.Nome_Pagina, sep) + "\">Torna all'indice dell'tavlo</A></pre></H2>",
        "<TABLE><TR><TD>",
        "<IMG SRC=\"" + linkTarget(entry.viewImageSource, sep, entry.fileUrl) + "\" width=" + numberForPage(frame.width) +
            " height=" + numberForPage(frame.height) + "></TD></TR></TABLE></CENTER>",
        std::string(kLastLine),
    };
    Failure failure = writeAt(p, job, path, lines);
    if (!failure) {
        std::uint64_t size = 0;  // the lines, each with its CR LF
        for (const auto& line : lines)
            size += line.size() + 2;
        b.records.noteWritten(job.Cartella_Tavlo, *entry.viewPageName, size);
    }
    return failure;
}

} // namespace tavlo
