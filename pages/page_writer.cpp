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
// viewer then shows `screenCopy` where there is one, with a link to the picture itself,
// else the picture itself. In thumbnail mode the picture takes its caption as its text.
void writeCellStart(PageLines& put, const EntryValues& e, char sep, bool thumbnailMode, const std::string* thumbnail,
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
    // What the viewer shows: the picture or its screen copy, with the picture itself a link
    // away; or what it plays: a film or a sound.
    const std::string_view played = playedAs(e.extension);
    const std::string shown = played.empty() ? "foto=\"" + (screenCopy ? linkTarget(*screenCopy, sep) : picture)
                                             : std::string(played) + "=\"" + target;
    const std::string original = screenCopy ? " data-originale=\"" + picture + Q : "";
    const std::string lazy = thumbnail ? " loading=\"lazy\" data-" + shown + Q + original : "";
    const std::string alt = thumbnailMode ? " alt=\"" + htmlText(e.caption) + Q : "";
    put(std::string(8, ' ') + "<img src=" + Q + image + Q + " border=\"0\" width=\"100\" height=\"100\"" + alt + lazy +
        "></A>");
    put("      </td>");
    put("     </tr>");
    put("    </table>");
    put("   </td>");
    put("  </tr>");
    put("  <tr><td><p align=\"center\">");
    put(std::string(8, ' ') + "<A HREF=" + Q + target + Q + ">" + htmlText(e.caption) + "</A>");
}

void tellUnwritten(Services& p, const std::string& path, const Failure& failure)
{
    p.ui.beep();
    p.ui.msgBox(MessageKind::WriteFailure,
                "Errore in registrazione Pagina " + path + "\r\r ERR=" + numberForMessage(failure.code) + " - " +
                    failure.description,
                Buttons::OkOnly);
}

void writeCellEnd(PageLines& put)
{
    put("</td></tr></table></td>");
    put(" ");
}

// What a page is made of: its frame and what it lists.
struct PageSources {
    std::string header;
    std::string footer;
    const PageList& list;
};

// The cells of the positions Primo_File..Ultimo_File, each picture's view page written
// beside, a row closed after every rowSize cells. A view page's failure is returned; a
// line's stays in `put`, which writes nothing more.
Failure writeCells(BuildContext& b, const PageList& list, PageLines& put)
{
    Services& p = b.p;
    const JobVariables& job = b.job;
    const char sep = p.fs.separator();
    const EntryNaming naming{sep, p.fs.caseSensitive()};
    const auto listEnd = static_cast<double>(list.entries.size());
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
        const std::string_view entry = list.entries.at(static_cast<long>(item));
        if (trimBlanks(entry).empty())
            continue;
        EntryValues values =
            entryValues(entry, job.Cartella_Tavlo, naming, list.viewPages.nameOf(static_cast<long>(item), entry));
        const auto& pictures = b.pictures;
        const auto copy = pictures.screenCopies.find(entry);
        const std::string* screenCopy = copy == pictures.screenCopies.end() ? nullptr : &copy->second;
        if (screenCopy)
            values.viewImageSource = *screenCopy;
        if (const auto size = pictures.sizes.find(entry); size != pictures.sizes.end())
            values.viewImageSize = size->second;
        const auto thumbnail = pictures.thumbnails.find(entry);
        writeCellStart(put, values, sep, list.thumbnails, thumbnail == pictures.thumbnails.end() ? nullptr : &thumbnail->second,
                       screenCopy);
        if (put.failure())
            break;
        if (!values.media) {
            if (Failure f = writeViewPage(b, values)) {
                // The page's own file stands in the folder, so a path not found is the
                // view page's name (too long, or one the disk refuses): that file alone
                // fails, and the page goes on.
                if (f.code != kErrPathNotFound || !values.viewPageName)
                    return f;
                tellUnwritten(p, job.Cartella_Tavlo + *values.viewPageName, f);
            }
        }
        writeCellEnd(put);
        ++cellsInRow;
        if (list.rowSize <= static_cast<double>(cellsInRow)) {
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
Failure writeBody(BuildContext& b, const PageSources& sources, std::unique_ptr<TextWriter>& page)
{
    Services& p = b.p;
    const JobVariables& job = b.job;
    Failure failure;
    page = p.fs.createText(job.Cartella_Tavlo + job.Nome_Pagina, failure);
    if (!page)
        return failure;
    // In thumbnail mode the page is read in standards mode, where it looks the same.
    if (sources.list.thumbnails)
        if (Failure f = page->writeLine("<!DOCTYPE html>"))
            return f;
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

    if (Failure f = writeCells(b, sources.list, put))
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
std::vector<std::string> filesOfPage(const JobVariables& job, const PageList& list)
{
    std::vector<std::string> names{job.Nome_Pagina};
    const auto listCount = static_cast<long>(list.entries.size());
    for (long item = firstItem(job), end = endItem(job, listCount); item < end; ++item)
        if (auto name = list.viewPages.nameOf(item, list.entries.at(item)))
            names.push_back(std::move(*name));
    return names;
}

// The overwrite question, unless the user agreed to overwrite in this build; false on No.
bool confirmOverwrite(BuildContext& b)
{
    JobVariables& job = b.job;
    const std::string page = job.Cartella_Tavlo + job.Nome_Pagina;
    if (!b.p.fs.canRead(page) || job.Elenco_Confermato == 1)
        return true;
    b.p.ui.beep();
    if (b.questions.ask(MessageKind::Overwrite, overwriteQuestion(page)) != Answer::Yes)
        return false;
    job.Elenco_Confermato = 1;
    return true;
}

// The questions asked before anything is written; false when the user says No.
bool confirmBeforeWriting(BuildContext& b, const std::string& programFolder)
{
    if (!confirmOverwrite(b))
        return false;
    for (const char* name : {"INTESTAZ.HTM", "PIEDE.HTM"}) {
        const std::string path = programFolder + name;
        if (!b.p.fs.canRead(path)) {
            b.p.ui.beep();
            if (b.questions.ask(MessageKind::MissingTemplate, std::string("Manca il file ") + name + ", continuo ?\r\r" + path) != Answer::Yes)
                return false;
        }
    }
    return true;
}

// The whole page, or the first failure met; the page takes its name only when whole,
// so that a failure leaves what was there as it was. From the footer on, a failing
// line is ignored, but a page that cannot then be named whole has failed.
Failure writePage(BuildContext& b, const PageSources& sources)
{
    std::unique_ptr<TextWriter> page;
    if (Failure failure = writeBody(b, sources, page))
        return failure;
    if (!copyTemplate(b.p.fs, *page, sources.footer))
        page->writeLine("</HTML>");
    return page->close();
}

// A fallback place that holds a page this build wrote is not written again: two
// pages never end under one name.
Failure writePageAt(BuildContext& b, const PageSources& sources, int retries)
{
    if (retries > 0 && b.pagesWritten.contains(b.job.Cartella_Tavlo + b.job.Nome_Pagina))
        return fileAlreadyExists();
    return writePage(b, sources);
}

} // namespace

std::string overwriteQuestion(std::string_view page)
{
    return "Elenco  " + std::string(page) + "  gia' esistente, continuo (S/N)";
}

void Crea_Pagina(BuildContext& b, const PageList& list)
{
    Services& p = b.p;
    JobVariables& job = b.job;
    b.pageLost = false;
    const std::string programFolder = p.fs.programFolder() + p.fs.separator();
    if (confirmBeforeWriting(b, programFolder)) {
        const PageSources sources{
            programFolder + (list.withoutBackground ? "INTEST_2.HTM" : "INTESTAZ.HTM"),
            programFolder + "PIEDE.HTM",
            list,
        };
        int retries = 0;
        for (;;) {
            p.ui.setScreenPointer(kPointerHourglass);
            p.ui.writingPage(job.Nome_Pagina);
            b.records.noteWriting(job.Cartella_Tavlo, filesOfPage(job, list));
            const Failure failure = writePageAt(b, sources, retries);
            if (!failure) {
                b.pagesWritten.insert(job.Cartella_Tavlo + job.Nome_Pagina);
                b.records.noteWritten(job.Cartella_Tavlo, job.Nome_Pagina);
                break;
            }
            // A fallback place that holds a file asks before replacing it, as the first place does.
            if (handleWriteFailure(p, job, failure, retries) == AfterFailure::GiveUp ||
                (!b.pagesWritten.contains(job.Cartella_Tavlo + job.Nome_Pagina) && !confirmOverwrite(b))) {
                b.pageLost = true;
                break;
            }
        }
    }
    p.ui.setScreenPointer(kPointerDefault);
    p.ui.beep();
}

} // namespace tavlo
