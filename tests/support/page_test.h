#pragma once
// The pages as the page format words them, written once: a line is the sequence of its pieces,
// Q one double quote, every line ending in CR LF. PageTest hands pages to the writer as a build
// does; BuildTest is a started program whose output page lies in the folder "site" of the tree.

#include "gallery/window_build.h"
#include "pages/page_writer.h"
#include "platform/text_case.h"
#include "support/rig_test.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

namespace tavlo::test {

using Lines = std::vector<std::string>;

// The build's questions in the headless window's boxes, as the window asks them.
class BoxQuestions final : public BuildQuestions {
public:
    explicit BoxQuestions(Ui& ui) : ui_(ui) {}
    bool starting(const PagePlan&) override { return true; }
    Answer ask(MessageKind kind, std::string_view question) override { return ui_.msgBox(kind, question, Buttons::YesNo); }

private:
    Ui& ui_;
};

/// Writes the page the job variables name, as a build of these settings does, the
/// view pages of its own pictures named among themselves.
inline void writePage(BuildContext& build, const BuildSettings& settings)
{
    const JobVariables& job = build.job;
    const auto count = static_cast<double>(settings.entries.size());
    const auto first = static_cast<long>(std::max(0.0, std::nearbyint(job.Primo_File - 1)));
    const auto end = static_cast<long>(std::min(count, std::nearbyint(job.Ultimo_File - 1) + 1));
    Crea_Pagina(build, {settings.entries, ViewPageNames(settings.entries, build.p.fs.separator(), first, std::max(first, end)),
                        settings.rowSize, settings.withoutBackground});
}

inline std::string crlfText(const Lines& lines)
{
    std::string text;
    for (const auto& line : lines)
        text += line + "\r\n";
    return text;
}
inline Lines crlfLines(std::string_view text)  // a last piece without CR LF is a line too
{
    Lines lines;
    for (std::size_t end; !text.empty(); text = end == text.npos ? "" : text.substr(end + 2))
        lines.emplace_back(text.substr(0, end = text.find("\r\n")));
    return lines;
}
inline long countOf(const Lines& lines, std::string_view line) { return std::ranges::count(lines, line); }

namespace expected {

constexpr char Q = '"';

template <typename... Pieces>
std::string line(const Pieces&... pieces)
{
    std::string joined;
    (joined += ... += pieces);
    return joined;
}

/// One entry's cell, with its target, source and caption as the page holds them.
inline Lines cell(std::string_view target, std::string_view source, std::string_view caption)
{
    const std::string eight(8, ' '), border = line("border=", Q, "0", Q, " cellpadding=", Q, "0", Q, " cellspacing=");
    return {line("<td valign=", Q, "Top", Q, ">"), line("  <table ", border, Q, "0", Q, " width=", Q, " 130", Q, ">"),
            "  <tr>", line("   <td background=", Q, "DIAPOSIT.JPG", Q, " width=", Q, "130", Q, " height=", Q, "130", Q, ">"),
            line("    <table ", border, Q, "0", Q, " width=", Q, "130", Q, " height=", Q, "130", Q, ">"), "     <tr>",
            line("      <td><p align=", Q, "center", Q, ">"), line(eight, "<A HREF=", Q, target, Q, ">"),
            line(eight, "<img src=", Q, source, Q, " border=", Q, "0", Q, " width=", Q, "100", Q, " height=", Q, "100", Q,
                 "></A>"),
            "      </td>", "     </tr>", "    </table>", "   </td>", "  </tr>",
            line("  <tr><td><p align=", Q, "center", Q, ">"), line(eight, "<A HREF=", Q, target, Q, ">", caption, "</A>"),
            "</td></tr></table></td>", " "};
}

/// "<HTML>", the header, the back link or not, the table with the cells in rows of perRow
/// (each full row followed by the four row-break lines), the footer.
inline Lines page(const Lines& header, bool backLink, const std::vector<Lines>& cells, int perRow, const Lines& footer)
{
    Lines lines{"<HTML>"};
    const auto add = [&](const Lines& more) { lines.insert(lines.end(), more.begin(), more.end()); };
    add(header);
    if (backLink)
        add({line("<H2><a href=", Q, "TAVLO.HTM", Q, " target=", Q, "_top", Q, "><p align=", Q, "center", Q,
                  "><font color=", Q, "#FFFF80", Q, "><strong><em>Ritorna a pagina iniziale</strong></em></font></p></a></H2>")});
    add({line("<table border=", Q, "0", Q, " cellpadding=", Q, "0", Q, " cellspacing=", Q, "10", Q, " width=", Q, "130",
              Q, ">"), "<tr>", " "});
    for (std::size_t i = 0; i < cells.size(); ++i) {
        add(cells[i]);
        if ((i + 1) % static_cast<std::size_t>(perRow) == 0)
            add({" ", "</tr>", "<tr>", " "});
    }
    add({" </tr>", "</table>", "</center></div>"});
    add(footer);
    return lines;
}

/// A view page, with its back link and image source as it holds them; the numbers in the
/// page format (a space for the sign, one after). Where the code page is UTF-8 it says so.
inline Lines viewPage(std::string_view fileName, std::string_view backTo, std::string_view imageSource)
{
    return {kWindows ? std::string("<HTML><HEAD>") : line("<HTML><HEAD><META CHARSET=", Q, "UTF-8", Q, ">"),
            line("<TITLE> ", fileName, " </TITLE>"), "</HEAD><BODY BGCOLOR=#FFFFFF><CENTER><H2><pre>",
            line(fileName, "   <A HREF=", Q, backTo, Q, ">Torna all'indice dell'tavlo</A></pre></H2>"),
            "<TABLE><TR><TD>", line("<IMG SRC=", Q, imageSource, Q, " width=", " 600 ", " height=", " 430 ",
                                    "></TD></TR></TABLE></CENTER>"), "</BODY></HTML>"};
}

} // namespace expected

// A small header and footer of our own beside the program keep the expected pages short.
inline const Lines kHeaderLines{"<HEAD><TITLE>Prova</TITLE></HEAD>", "<BODY>", "<div align=\"center\"><center>"};
inline const Lines kHeader2Lines{"<HEAD></HEAD>", "<BODY bgcolor=\"#000000\"><div><center>"}, kFooterLines{"</BODY>", "</HTML>"};
inline Lines smallPage(bool backLink, const std::vector<Lines>& cells, int perRow)
{
    return expected::page(kHeaderLines, backLink, cells, perRow, kFooterLines);
}

// How a page names a file below its folder, given as on disk with "/" between names: where
// letter case matters on disk as it is there, elsewhere as the page writer cases it.
inline std::string linkTo(const Rig& rig, std::string_view asOnDisk)
{
    const std::string path = native(asOnDisk);
    const auto name = path.rfind(kSep) + 1;  // 0 where there is no folder
    return rig.fs.caseSensitive() ? path : upperCase(path.substr(0, name)) + lowerCase(path.substr(name));
}
inline std::string viewLink(const Rig& rig, std::string_view page) { return rig.fs.caseSensitive() ? std::string(page) : lowerCase(page); }
inline std::string viewSource(const Rig& rig, std::string_view onDisk)  // the picture on its view page
{
    return rig.fs.caseSensitive() ? native(onDisk) : upperCase(native(onDisk));
}

class PageTest : public RigTest {
protected:
    explicit PageTest(RigOptions options = {}) : RigTest(options), folder(rig.tree.folder("site") + kSep)
    {
        if (options.withProgramTemplates) {
            rig.tree.file("program/INTESTAZ.HTM", crlfText(kHeaderLines));
            rig.tree.file("program/INTEST_2.HTM", crlfText(kHeader2Lines));
            rig.tree.file("program/PIEDE.HTM", crlfText(kFooterLines));
        }
        rig.type(ControlId::txtMAX_PER_RIGA, "3");
    }
    std::string in(std::string_view relative) const { return folder + native(relative); }  // "/" between names
    std::string pageText(const std::string& name) const { return rig.tree.read("site/" + name); }
    Lines page(const std::string& name) const { return crlfLines(pageText(name)); }

    // Hands a page to the writer as a build does, answering the message boxes it shows.
    void write(const std::string& name, const std::vector<std::string>& entries, std::initializer_list<Answer> answers = {})
    {
        for (const auto& entry : entries)
            rig.controls.listAdd(entry);
        writeRange(name, 1, static_cast<double>(rig.controls.listCount()), answers);
    }
    void writeRange(const std::string& name, double first, double last, std::initializer_list<Answer> answers = {})
    {
        answer(answers);
        JobVariables& job = build.job;
        job.Cartella_Tavlo = folder, job.Nome_Pagina = name, job.Primo_File = first, job.Ultimo_File = last;
        writePage(build, settingsFromWindow(rig.controls));
    }
    Lines prompts() const  // messages and questions shown, in order
    {
        Lines texts;
        for (const auto& box : rig.ui.boxes)
            texts.push_back(box.prompt);
        return texts;
    }

    std::string folder;  // the page folder, ending in the separator
    BoxQuestions questions{rig.ui};
    BuildContext build{rig.platform(), questions};  // one build, across the pages a test writes
};

class BuildTest : public PageTest {
protected:
    BuildTest() : PageTest({.templatesInTree = true})
    {
        rig.start();
        rig.type(ControlId::txtNOME_FILE_HTM, folder + "TAVLO.HTM");
        rig.ui.boxes.clear(), rig.ui.log.clear();
    }
    ~BuildTest() override  // a build makes the page folder current: the test's own comes back
    {
        std::error_code ignored;
        std::filesystem::current_path(testFolder_, ignored);
    }
    // A path below the output folder as a build names it: upper-cased where case does not matter.
    std::string built(std::string_view path) const { return rig.fs.caseSensitive() ? in(path) : upperCase(in(path)); }

    // Lists the entries, shows their count and unlocks the builds, as a load does.
    void fillList(const std::vector<std::string>& entries)
    {
        for (const auto& entry : entries)
            rig.controls.listAdd(entry);
        rig.type(ControlId::txtNUM_FILE, std::to_string(rig.controls.listCount()));
        rig.controls.setEnabled(ControlId::Command1, true), rig.controls.setEnabled(ControlId::Command4, true);
    }
    // Entries name1 + extension ... name<count> + extension in the output folder.
    std::vector<std::string> numbered(int count, std::string_view name, std::string_view extension) const
    {
        std::vector<std::string> entries;
        for (int i = 1; i <= count; ++i)
            entries.push_back(in(std::string(name) + std::to_string(i) + std::string(extension)));
        return entries;
    }

private:
    std::filesystem::path testFolder_ = std::filesystem::current_path();
};

// Used by the write-failure tests.
inline std::string pageGivenUp(const std::string& page, int code, const std::string& description)
{
    return "Errore in registrazione Elenco " + page + "\r\r ERR= " + std::to_string(code) + " - " + description;
}

} // namespace tavlo::test
