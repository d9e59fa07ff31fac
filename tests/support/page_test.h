#pragma once
// What the page and build tests share: the lines a written page is expected to hold,
// built piece by piece from the page format (every line ended by CR LF); a small
// header and footer of our own beside the program, so that expected pages stay
// short; how pages name files where letter case matters on disk (Linux) and where
// it does not (Windows); and the two fixtures. PageTest hands pages to the page
// writer as a build command does; BuildTest is a started program whose output page
// lies in the folder "site" of the tree.

#include "pages/page_writer.h"
#include "platform/text_case.h"
#include "support/rig_test.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tavlo::test {

using Lines = std::vector<std::string>;

/// The content of a file holding these lines, each ended by CR LF.
inline std::string crlfText(const Lines& lines)
{
    std::string text;
    for (const auto& line : lines)
        text += line + "\r\n";
    return text;
}

/// The lines of a text whose lines end in CR LF; a last piece without it is a line too.
inline Lines crlfLines(std::string_view text)
{
    Lines lines;
    while (!text.empty()) {
        const auto end = text.find("\r\n");
        lines.emplace_back(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 2);
    }
    return lines;
}

inline long countOf(const Lines& lines, std::string_view line) { return std::ranges::count(lines, line); }

namespace expected {

/// The first line of every cell: one per entry written.
inline const std::string kCellStart = "<td valign=\"Top\">";

inline Lines tableStart() { return {"<table border=\"0\" cellpadding=\"0\" cellspacing=\"0\" width=\"130\">", "<tr>", " "}; }
inline Lines tableEnd() { return {" </tr>", "</table>", "</center></div>"}; }

/// The eighteen lines of one cell, with target, source and caption as they stand in the page.
inline Lines cell(std::string_view target, std::string_view source, std::string_view caption)
{
    const std::string eight(8, ' ');
    const std::string t(target), s(source), c(caption);
    return {
        kCellStart,
        "  <table border=\"0\" cellpadding=\"0\" cellspacing=\"0\" width=\" 130\">",
        "  <tr>",
        "   <td background=\"DIAPOSIT.JPG\" width=\"130\" height=\"130\">",
        "    <table border=\"0\" cellpadding=\"0\" cellspacing=\"0\" width=\"130\" height=\"130\">",
        "     <tr>",
        "      <td><p align=\"center\">",
        eight + "<A HREF=\"" + t + "\">",
        eight + "<img src=\"" + s + "\" border=\"0\" width=\"100\" height=\"100\"></A>",
        "      </td>",
        "     </tr>",
        "    </table>",
        "   </td>",
        "  </tr>",
        "  <tr><td><p align=\"center\">",
        eight + "<A HREF=\"" + t + "\">" + c + "</A>",
        "</td></tr></table></td>",
        " ",
    };
}

/// A whole page: header, back link or not, the cells in rows of perRow (each full
/// row followed by the row break), footer.
inline Lines page(const Lines& header, bool backLink, const std::vector<Lines>& cells, int perRow, const Lines& footer)
{
    Lines lines{"<HTML>"};
    const auto add = [&](const Lines& more) { lines.insert(lines.end(), more.begin(), more.end()); };
    add(header);
    if (backLink)
        lines.push_back("<H2><a href=\"TAVLO.HTM\" target=\"_top\"><p align=\"center\"><font color=\"#FFFF80\">"
                        "<strong><em>Ritorna a pagina iniziale</strong></em></font></p></a></H2>");
    add(tableStart());
    for (std::size_t i = 0; i < cells.size(); ++i) {
        add(cells[i]);
        if ((i + 1) % static_cast<std::size_t>(perRow) == 0)
            add({" ", "</tr>", "<tr>", " "});
    }
    add(tableEnd());
    add(footer);
    return lines;
}

/// The first line of a view page: where the code page is UTF-8 (Linux) it declares it.
inline const std::string kViewPageFirstLine = kWindows ? "<HTML><HEAD>" : "<HTML><HEAD><META CHARSET=\"UTF-8\">";

/// The seven lines of a view page; the image source as it stands in the page.
inline Lines viewPage(std::string_view fileName, std::string_view backTo, std::string_view imageSource)
{
    const std::string name(fileName);
    return {
        kViewPageFirstLine,
        "<TITLE> " + name + " </TITLE>",
        "</HEAD><BODY BGCOLOR=#FFFFFF><CENTER><H2><pre>",
        name + "   <A HREF=\"" + std::string(backTo) + "\">Torna all'indice dell'tavlo</A></pre></H2>",
        "<TABLE><TR><TD>",
        "<IMG SRC=\"" + std::string(imageSource) + "\" width= 600  height= 430 ></TD></TR></TABLE></CENTER>",
        "</BODY></HTML>",
    };
}

} // namespace expected

inline const Lines kHeaderLines{"<HEAD><TITLE>Prova</TITLE></HEAD>", "<BODY>", "<div align=\"center\"><center>"};
inline const Lines kHeader2Lines{"<HEAD></HEAD>", "<BODY bgcolor=\"#000000\"><div><center>"};
inline const Lines kFooterLines{"</BODY>", "</HTML>"};

/// The page of a build with the small templates.
inline Lines smallPage(bool backLink, const std::vector<Lines>& cells, int perRow)
{
    return expected::page(kHeaderLines, backLink, cells, perRow, kFooterLines);
}

/// A page folder as a build forms it from the typed one: where letter case does
/// not matter on disk, upper-cased as the tool does.
inline std::string builtFolder(const Rig& rig, const std::string& folder)
{
    return rig.fs.caseSensitive() ? folder : upperCase(folder);
}

/// A page's link to a file below the page folder, given as it lies on disk with "/"
/// between names: where letter case matters on disk, exactly as there; where it
/// does not, as the tool forms it, the folders upper-cased and the name lower-cased.
inline std::string linkTo(const Rig& rig, std::string_view asOnDisk)
{
    const std::string path = native(asOnDisk);
    if (rig.fs.caseSensitive())
        return path;
    const auto name = path.rfind(kSep) + 1;  // 0 where there is no folder
    return upperCase(path.substr(0, name)) + lowerCase(path.substr(name));
}

/// A page's link to a view page (the tool names those in upper case).
inline std::string viewLink(const Rig& rig, std::string_view viewPage)
{
    return rig.fs.caseSensitive() ? std::string(viewPage) : lowerCase(viewPage);
}

/// The picture a view page shows, given as it lies on disk below the page folder.
inline std::string viewSource(const Rig& rig, std::string_view asOnDisk)
{
    return rig.fs.caseSensitive() ? native(asOnDisk) : upperCase(native(asOnDisk));
}

/// The message of a page given up: the place that failed, the failure code and its description.
inline std::string pageGivenUp(const std::string& page, int code, const std::string& description)
{
    return "Errore in registrazione Elenco " + page + "\r\r ERR= " + std::to_string(code) + " - " + description;
}

/// A build makes the page folder the current folder; this puts the test's own back.
struct CurrentFolderKept {
    std::filesystem::path folder = std::filesystem::current_path();
    ~CurrentFolderKept()
    {
        std::error_code ignored;
        std::filesystem::current_path(folder, ignored);
    }
};

class PageTest : public RigTest {
protected:
    explicit PageTest(RigOptions options = {}) : RigTest(options), folder(rig.tree.folder("site") + kSep)
    {
        if (options.withProgramTemplates)
            useSmallTemplates();
        rig.type(ControlId::txtMAX_PER_RIGA, "3");
    }

    /// Replaces the header and footer beside the program by the small ones.
    void useSmallTemplates()
    {
        rig.tree.file("program/INTESTAZ.HTM", crlfText(kHeaderLines));
        rig.tree.file("program/INTEST_2.HTM", crlfText(kHeader2Lines));
        rig.tree.file("program/PIEDE.HTM", crlfText(kFooterLines));
    }

    /// The full path of a name in the page folder ("/" between names).
    std::string in(std::string_view relative) const { return folder + native(relative); }

    /// Hands the page to the writer as a build does: every list position, first to last;
    /// the answers are those to the message boxes it shows.
    void write(const std::string& name, const std::vector<std::string>& entries, std::initializer_list<int> answers = {})
    {
        for (const auto& entry : entries)
            rig.controls.listAdd(entry);
        writeRange(name, 1, static_cast<double>(rig.controls.listCount()), answers);
    }

    void writeRange(const std::string& name, double first, double last, std::initializer_list<int> answers = {})
    {
        answer(answers);
        JobVariables& job = rig.job();
        job.Cartella_Tavlo = folder;
        job.Nome_Pagina = name;
        job.Primo_File = first;
        job.Ultimo_File = last;
        Crea_Pagina(rig.platform(), job);
    }

    std::string pageText(const std::string& name) const { return rig.tree.read("site/" + name); }
    Lines page(const std::string& name) const { return crlfLines(pageText(name)); }

    /// Messages and questions shown, in order.
    Lines prompts() const
    {
        Lines texts;
        for (const auto& box : rig.ui.boxes)
            texts.push_back(box.prompt);
        return texts;
    }

    std::string folder;  // the page folder, ending in the separator
};

class BuildTest : public PageTest {
protected:
    BuildTest() : PageTest({.templatesInTree = true})
    {
        rig.start();
        rig.type(ControlId::txtNOME_FILE_HTM, folder + "TAVLO.HTM");
        // What the tests look at starts after start-up.
        rig.ui.boxes.clear();
        rig.ui.log.clear();
        rig.ui.pointers.clear();
        rig.ui.beeps = 0;
    }

    /// The full path of a page in the output folder as the build names it.
    std::string built(std::string_view page) const { return builtFolder(rig, folder) + std::string(page); }

    /// Puts the entries in the file list, shows their count and unlocks the builds, as a load does.
    void fillList(const std::vector<std::string>& entries)
    {
        for (const auto& entry : entries)
            rig.controls.listAdd(entry);
        rig.type(ControlId::txtNUM_FILE, std::to_string(rig.controls.listCount()));
        rig.controls.setEnabled(ControlId::Command1, true);
        rig.controls.setEnabled(ControlId::Command4, true);
    }

    /// Entries name1 + extension ... name<count> + extension in the output folder.
    std::vector<std::string> numbered(int count, std::string_view name, std::string_view extension) const
    {
        std::vector<std::string> entries;
        for (int i = 1; i <= count; ++i)
            entries.push_back(in(std::string(name) + std::to_string(i) + std::string(extension)));
        return entries;
    }

    /// One call of the page writer, as seen when it creates the page.
    struct PageCall {
        std::string page;          // Cartella_Tavlo + Nome_Pagina
        double first;              // Primo_File
        double last;               // Ultimo_File
        std::size_t copiesBefore;  // template copies made before it
    };

    /// Records every call of the page writer in pageCalls (view pages are not pages).
    void watchPageCalls()
    {
        rig.fs.failCreate = [this](const std::string& path) {
            const JobVariables& job = rig.job();
            if (path == job.Cartella_Tavlo + job.Nome_Pagina)
                pageCalls.push_back({path, job.Primo_File, job.Ultimo_File, rig.fs.copies.size()});
            return Failure{};
        };
    }

    CurrentFolderKept currentFolderKept;
    std::vector<PageCall> pageCalls;
};

} // namespace tavlo::test
