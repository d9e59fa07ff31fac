#include "pages/page_writer.h"

#include "pages/entry_values.h"
#include "pages/html_text.h"
#include "pages/view_page.h"
#include "pages/write_fallback.h"
#include "platform/text_rules.h"

#include <cmath>

namespace tavlo {
namespace {

constexpr char Q = '"';
constexpr std::string_view kOverwriteStart = "Elenco  ";
constexpr std::string_view kOverwriteEnd = "  gia' esistente, continuo (S/N)";

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
    const auto lines = fs.readLines(path);
    if (!lines)
        return false;
    for (const auto& line : *lines)
        page.writeLine(line);
    return true;
}

// `thumbnail`: the thumbnail the cell shows instead of the picture, or nullptr; the
// picture the viewer shows then goes with it, as `shown`.
void writeCellStart(PageLines& put, const EntryValues& e, char sep, const std::string* thumbnail,
                    const std::string& shown)
{
    const std::string target = linkTarget(e.target, sep);
    put("<td valign=\"Top\">");
    put("  <table border=\"0\" cellpadding=\"0\" cellspacing=\"0\" width=\" 130\">");
    put("  <tr>");
    put("   <td background=\"DIAPOSIT.JPG\" width=\"130\" height=\"130\">");
    put("    <table border=\"0\" cellpadding=\"0\" cellspacing=\"0\" width=\"130\" height=\"130\">");
    put("     <tr>");
    put("      <td><p align=\"center\">");
    put(std::string(8, ' ') + "<A HREF=" + Q + target + Q + ">");
    const std::string lazy = thumbnail ? " loading=\"lazy\" data-foto=\"" + linkTarget(shown, sep) + Q : "";
    put(std::string(8, ' ') + "<img src=" + Q + linkTarget(thumbnail ? *thumbnail : e.source, sep) + Q +
        " border=\"0\" width=\"100\" height=\"100\"" + lazy + "></A>");
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

struct PageSources {
    std::string header;
    std::string footer;
};

// Steps from the opening of the page to the end of the table; the first failure
// met is returned for the fallback, and the open page handed back in `page`.
Failure writeBody(Platform& p, JobVariables& job, const PageSources& sources, std::unique_ptr<TextWriter>& page)
{
    const char sep = p.fs.separator();
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

    const EntryNaming naming{sep, p.fs.caseSensitive()};
    const auto listEnd = static_cast<double>(p.form.listCount());
    long cellsInRow = 0;
    for (double k = job.Primo_File; k <= job.Ultimo_File && !put.failure(); k += 1) {
        // A fractional position reads the item at k - 1 rounded half to even.
        const double item = std::nearbyint(k - 1);
        // Positions past the end of the list read as empty entries, which add nothing:
        // a huge last position (a huge page size) must not keep the writer counting.
        if (item >= listEnd)
            break;
        const std::string entry = p.form.listItem(static_cast<long>(item));
        if (trimBlanks(entry).empty())
            continue;
        EntryValues values = entryValues(entry, job.Cartella_Tavlo, naming);
        if (const auto copy = job.screenCopies.find(entry); copy != job.screenCopies.end())
            values.viewImageSource = copy->second;
        const auto thumbnail = job.thumbnails.find(entry);
        writeCellStart(put, values, sep, thumbnail == job.thumbnails.end() ? nullptr : &thumbnail->second,
                       job.screenCopies.contains(entry) ? values.viewImageSource : values.source);
        if (put.failure())
            break;
        if (!values.media)
            if (Failure f = writeViewPage(p, job, values))
                return f;
        writeCellEnd(put);
        ++cellsInRow;
        if (numericValue(p.form.text(ControlId::txtMAX_PER_RIGA)) <= static_cast<double>(cellsInRow)) {
            put(" ");
            put("</tr>");
            put("<tr>");
            put(" ");
            cellsInRow = 0;
        }
    }
    put(" </tr>");
    put("</table>");
    put("</center></div>");
    if (put.failure())
        return put.failure();
    return page->flush();
}

// The questions asked before anything is written; false when the user says No.
bool confirmBeforeWriting(Platform& p, JobVariables& job, const std::string& programFolder)
{
    const std::string page = job.Cartella_Tavlo + job.Nome_Pagina;
    if (p.fs.canRead(page) && job.Elenco_Confermato != 1) {
        p.ui.beep();
        if (p.ui.msgBox(overwriteQuestion(page), kYesNo) != kAnswerYes)
            return false;
        job.Elenco_Confermato = 1;
    }
    for (const char* name : {"INTESTAZ.HTM", "PIEDE.HTM"}) {
        const std::string path = programFolder + name;
        if (!p.fs.canRead(path)) {
            p.ui.beep();
            if (p.ui.msgBox(std::string("Manca il file ") + name + ", continuo ?\r\r" + path, kYesNo) != kAnswerYes)
                return false;
        }
    }
    return true;
}

} // namespace

std::string overwriteQuestion(std::string_view page)
{
    return std::string(kOverwriteStart) + std::string(page) + std::string(kOverwriteEnd);
}

bool isOverwriteQuestion(std::string_view prompt)
{
    return prompt.starts_with(kOverwriteStart) && prompt.ends_with(kOverwriteEnd);
}

void Crea_Pagina(Platform& p, JobVariables& job)
{
    const std::string programFolder = p.fs.programFolder() + p.fs.separator();
    if (confirmBeforeWriting(p, job, programFolder)) {
        const PageSources sources{
            programFolder + (p.form.checkValue() == 0 ? "INTESTAZ.HTM" : "INTEST_2.HTM"),
            programFolder + "PIEDE.HTM",
        };
        int retries = 0;
        for (;;) {
            p.ui.setScreenPointer(kPointerHourglass);
            std::unique_ptr<TextWriter> page;
            const Failure failure = writeBody(p, job, sources, page);
            if (!failure) {
                // From the footer on, failures are ignored.
                if (!copyTemplate(p.fs, *page, sources.footer))
                    page->writeLine("</HTML>");
                page->close();
                break;
            }
            if (page)
                page->close();
            if (handleWriteFailure(p, job, failure, retries) == AfterFailure::GiveUp)
                break;
        }
    }
    p.ui.setScreenPointer(kPointerDefault);
    p.ui.beep();
}

} // namespace tavlo
