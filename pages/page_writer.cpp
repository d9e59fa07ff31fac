#include "pages/page_writer.h"

#include "pages/record_keeping.h"
#include "pages/entry_values.h"
#include "pages/html_text.h"
#include "pages/known_types.h"
#include "pages/view_page.h"
#include "pages/write_fallback.h"
#include "platform/file_system_shared.h"
#include "platform/text_rules.h"

#include <algorithm>
#include <cmath>

namespace tavlo {
namespace {

constexpr char Q = '"';

// Writes lines until the first failure, which it keeps; later lines are dropped.
class PageLines {
public:
    explicit PageLines(TextWriter& file) : file_(file) {}

    void operator()(std::string_view line)
    {
        if (!failure_)
            failure_ = file_.writeLine(line);
    }
    const Failure& failure() const { return failure_; }

private:
    TextWriter& file_;
    Failure failure_;
};

// Copies a template's lines into the page; a failing line is ignored. False when
// the template cannot be opened.
bool copyTemplate(FileSystem& fs, TextWriter& page, const std::string& path)
{
    const auto lines = fs.readLines(path, kTemplateLimit);
    if (!lines)
        return false;
    for (const auto& line : *lines)
        page.writeLine(line);
    return true;
}

// `thumbnail`: the thumbnail the cell shows instead of the picture, or nullptr; the
// viewer then shows `screenCopy` where there is one, else the picture itself.
void writeCellStart(PageLines& put, const EntryValues& e, char sep, const std::string* thumbnail,
                    const std::string* screenCopy)
{
    // The entry's own file, where the cell names it, may lie on another drive: a file URL.
    const std::string target = linkTarget(e.target, sep, e.fileUrl && e.media);
    const std::string picture = linkTarget(e.source, sep, e.fileUrl && !e.media);
    const std::string image = thumbnail ? linkTarget(*thumbnail, sep) : picture;
    put("<td valign=\"Top\">");
    put("  <table border=\"0\" cellpadding=\"0\" cellspacing=\"0\" width=\" 130\">");
    put("  <tr>");
    put("   <td background=\"DIAPOSIT.JPG\" width=\"130\" height=\"130\">");
    put("    <table border=\"0\" cellpadding=\"0\" cellspacing=\"0\" width=\"130\" height=\"130\">");
    put("     <tr>");
    put("      <td><p align=\"center\">");
    put(std::string(8, ' ') + "<A HREF=" + Q + target + Q + ">");
    // What the viewer shows: the picture or its screen copy; or what it plays: a film or a sound.
    const std::string_view played = playedAs(e.extension);
    const std::string shown = played.empty() ? "foto=\"" + (screenCopy ? linkTarget(*screenCopy, sep) : picture)
                                             : std::string(played) + "=\"" + target;
    const std::string lazy = thumbnail ? " loading=\"lazy\" data-" + shown + Q : "";
    put(std::string(8, ' ') + "<img src=" + Q + image + Q + " border=\"0\" width=\"100\" height=\"100\"" + lazy + "></A>");
    put("      </td>");
    put("     </tr>");
    put("    </table>");
    put("   </td>");
    put("  </tr>");
    put("  <tr><td><p align=\"center\">");
    put(std::string(8, ' ') + "<A HREF=" + Q + target + Q + ">" + htmlText(e.caption) + "</A>");
}

void writeCellEnd(PageLines& put)
{
    put("</td></tr></table></td>");
    put(" ");
}

// What a page is made of: its frame, the build's entries, and the cells per row.
struct PageSources {
    std::string header;
    std::string footer;
    const std::vector<std::string>& entries;
    double rowSize;
};

// The cells of the positions Primo_File..Ultimo_File, each picture's view page written
// beside, a row closed after every rowSize cells. A view page's failure is returned; a
// line's stays in `put`, which writes nothing more.
Failure writeCells(Platform& p, JobVariables& job, const PageSources& sources, const ViewPageNames& viewPages,
                   PageLines& put)
{
    const char sep = p.fs.separator();
    const EntryNaming naming{sep, p.fs.caseSensitive()};
    const auto listEnd = static_cast<double>(sources.entries.size());
    long cellsInRow = 0;
    for (double k = job.Primo_File; k <= job.Ultimo_File && !put.failure(); k += 1) {
        // A run asked to stop (a signal on the command line) stops between two cells; the
        // page being written is dropped and the one there before stays.
        if (p.ui.programEnded())
            throw ProgramEnded{};
        // A fractional position reads the item at k - 1 rounded half to even.
        const double item = std::nearbyint(k - 1);
        // Positions past the end of the list read as empty entries, which add nothing:
        // a huge last position (a huge page size) must not keep the writer counting.
        if (item >= listEnd)
            break;
        const std::string& entry = sources.entries[static_cast<std::size_t>(item)];
        if (trimBlanks(entry).empty())
            continue;
        EntryValues values = entryValues(entry, job.Cartella_Tavlo, naming);
        const auto given = viewPages.renamed.find(static_cast<long>(item));
        if (given != viewPages.renamed.end() && !values.media)
            giveViewPageName(values, given->second, naming);
        const auto copy = job.screenCopies.find(entry);
        const std::string* screenCopy = copy == job.screenCopies.end() ? nullptr : &copy->second;
        if (screenCopy)
            values.viewImageSource = *screenCopy;
        const auto thumbnail = job.thumbnails.find(entry);
        writeCellStart(put, values, sep, thumbnail == job.thumbnails.end() ? nullptr : &thumbnail->second, screenCopy);
        if (put.failure())
            break;
        if (!values.media) {
            if (Failure f = writeViewPage(p, job, values))
                return f;
        }
        writeCellEnd(put);
        ++cellsInRow;
        if (sources.rowSize <= static_cast<double>(cellsInRow)) {
            put(" ");
            put("</tr>");
            put("<tr>");
            put(" ");
            cellsInRow = 0;
        }
    }
    return {};
}

// Steps from the opening of the page to the end of the table; the first failure
// met is returned for the fallback, and the open page handed back in `page`.
Failure writeBody(Platform& p, JobVariables& job, const PageSources& sources, const ViewPageNames& viewPages,
                  std::unique_ptr<TextWriter>& page)
{
    Failure failure;
    page = p.fs.createText(job.Cartella_Tavlo + job.Nome_Pagina, failure);
    if (!page)
        return failure;
    if (Failure f = page->writeLine("<HTML>"))
        return f;
    copyTemplate(p.fs, *page, sources.header);

    PageLines put(*page);
    if (!contains(job.Nome_Pagina, "TAVLO.HTM"))
        put("<H2><a href=\"TAVLO.HTM\" target=\"_top\"><p align=\"center\"><font color=\"#FFFF80\">"
            "<strong><em>Ritorna a pagina iniziale</strong></em></font></p></a></H2>");
    put("<table border=\"0\" cellpadding=\"0\" cellspacing=\"10\" width=\"130\">");
    put("<tr>");
    put(" ");

    if (Failure f = writeCells(p, job, sources, viewPages, put))
        return f;
    put(" </tr>");
    put("</table>");
    put("</center></div>");
    if (put.failure())
        return put.failure();
    return page->flush();
}

// The list items the positions Primo_File..Ultimo_File read, as a range first..end-1.
long firstItem(const JobVariables& job) { return static_cast<long>(std::max(0.0, std::nearbyint(job.Primo_File - 1))); }
long endItem(const JobVariables& job, long listCount)
{
    return static_cast<long>(std::min(static_cast<double>(listCount), std::nearbyint(job.Ultimo_File - 1) + 1));
}

// The files the page is about to write where it now goes: itself, and the view pages
// of its pictures.
std::vector<std::string> filesOfPage(const JobVariables& job, const PageSources& sources, const ViewPageNames& viewPages,
                                     char sep)
{
    std::vector<std::string> names{job.Nome_Pagina};
    const auto listCount = static_cast<long>(sources.entries.size());
    for (long item = firstItem(job), end = endItem(job, listCount); item < end; ++item) {
        const std::string& entry = sources.entries[static_cast<std::size_t>(item)];
        const auto given = viewPages.renamed.find(item);
        if (given != viewPages.renamed.end())
            names.push_back(given->second);
        else if (auto own = ownViewPageName(entry, sep); own && !trimBlanks(entry).empty())
            names.push_back(std::move(*own));
    }
    return names;
}

// The overwrite question, unless the user agreed to overwrite in this build; false on No.
bool confirmOverwrite(Platform& p, JobVariables& job)
{
    const std::string page = job.Cartella_Tavlo + job.Nome_Pagina;
    if (!p.fs.canRead(page) || job.Elenco_Confermato == 1)
        return true;
    p.ui.beep();
    if (p.ui.msgBox(MessageKind::Overwrite, overwriteQuestion(page), kYesNo) != kAnswerYes)
        return false;
    job.Elenco_Confermato = 1;
    return true;
}

// The questions asked before anything is written; false when the user says No.
bool confirmBeforeWriting(Platform& p, JobVariables& job, const std::string& programFolder)
{
    if (!confirmOverwrite(p, job))
        return false;
    for (const char* name : {"INTESTAZ.HTM", "PIEDE.HTM"}) {
        const std::string path = programFolder + name;
        if (!p.fs.canRead(path)) {
            p.ui.beep();
            if (p.ui.msgBox(MessageKind::MissingTemplate, std::string("Manca il file ") + name + ", continuo ?\r\r" + path, kYesNo) != kAnswerYes)
                return false;
        }
    }
    return true;
}

// The whole page, or the first failure met; the page takes its name only when whole,
// so that a failure leaves what was there as it was. From the footer on, a failing
// line is ignored, but a page that cannot then be named whole has failed.
Failure writePage(Platform& p, JobVariables& job, const PageSources& sources, const ViewPageNames& viewPages)
{
    std::unique_ptr<TextWriter> page;
    if (Failure failure = writeBody(p, job, sources, viewPages, page))
        return failure;
    if (!copyTemplate(p.fs, *page, sources.footer))
        page->writeLine("</HTML>");
    return page->close();
}

// A fallback place that holds a page this build wrote is not written again: two
// pages never end under one name.
Failure writePageAt(Platform& p, JobVariables& job, const PageSources& sources, const ViewPageNames& viewPages,
                    int retries)
{
    if (retries > 0 && job.pagesWritten.contains(job.Cartella_Tavlo + job.Nome_Pagina))
        return fileAlreadyExists();
    return writePage(p, job, sources, viewPages);
}

} // namespace

std::string overwriteQuestion(std::string_view page)
{
    return "Elenco  " + std::string(page) + "  gia' esistente, continuo (S/N)";
}

void Crea_Pagina(Platform& p, JobVariables& job, const BuildSettings& settings)
{
    job.pageLost = false;
    const std::string programFolder = p.fs.programFolder() + p.fs.separator();
    if (confirmBeforeWriting(p, job, programFolder)) {
        const PageSources sources{
            programFolder + (settings.withoutBackground ? "INTEST_2.HTM" : "INTESTAZ.HTM"),
            programFolder + "PIEDE.HTM",
            settings.entries,
            settings.rowSize,
        };
        // A page written alone is a build of its own; a build names the view pages of all its pages at once.
        const auto listCount = static_cast<long>(settings.entries.size());
        const bool planned = job.viewPages.planned && job.viewPages.listCount == listCount;
        const ViewPageNames lonePage =
            planned ? ViewPageNames{} : planViewPageNames(settings.entries, p.fs.separator(), firstItem(job), endItem(job, listCount));
        int retries = 0;
        for (;;) {
            p.ui.setScreenPointer(kPointerHourglass);
            p.ui.writingPage(job.Nome_Pagina);
            const ViewPageNames& viewPages = planned ? job.viewPages : lonePage;
            noteWriting(p, job, job.Cartella_Tavlo, filesOfPage(job, sources, viewPages, p.fs.separator()));
            const Failure failure = writePageAt(p, job, sources, viewPages, retries);
            if (!failure) {
                job.pagesWritten.insert(job.Cartella_Tavlo + job.Nome_Pagina);
                noteWritten(job, job.Cartella_Tavlo, job.Nome_Pagina);
                break;
            }
            // A fallback place that holds a file asks before replacing it, as the first place does.
            if (handleWriteFailure(p, job, failure, retries) == AfterFailure::GiveUp ||
                (!job.pagesWritten.contains(job.Cartella_Tavlo + job.Nome_Pagina) && !confirmOverwrite(p, job))) {
                job.pageLost = true;
                break;
            }
        }
    }
    p.ui.setScreenPointer(kPointerDefault);
    p.ui.beep();
}

} // namespace tavlo
