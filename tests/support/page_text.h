#pragma once
// The lines a written page is expected to hold, built piece by piece from the page
// format (header, back link, table of cells, footer; the seven lines of a view page),
// and the lines of a file as written: every line ended by CR LF.

#include "support/native.h"

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

/// How often a line occurs among the lines.
inline long countOf(const Lines& lines, std::string_view line)
{
    long n = 0;
    for (const auto& l : lines)
        n += l == line ? 1 : 0;
    return n;
}

namespace expected {

inline const std::string kBackLink =
    "<H2><a href=\"TAVLO.HTM\" target=\"_top\"><p align=\"center\"><font color=\"#FFFF80\">"
    "<strong><em>Ritorna a pagina iniziale</strong></em></font></p></a></H2>";
/// The first line of every cell: one per entry written.
inline const std::string kCellStart = "<td valign=\"Top\">";

inline Lines tableStart()
{
    return {"<table border=\"0\" cellpadding=\"0\" cellspacing=\"0\" width=\"130\">", "<tr>", " "};
}
inline Lines rowBreak() { return {" ", "</tr>", "<tr>", " "}; }
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

struct Page {
    Lines header;           // the header template's lines
    bool backLink = false;
    std::vector<Lines> cells;
    int perRow = 5;
    Lines footer{"</HTML>"};  // the footer template's lines
};

/// A whole page: cells in rows of perRow, each full row followed by the row break.
inline Lines page(const Page& p)
{
    Lines lines{"<HTML>"};
    lines.insert(lines.end(), p.header.begin(), p.header.end());
    if (p.backLink)
        lines.push_back(kBackLink);
    const auto add = [&](const Lines& more) { lines.insert(lines.end(), more.begin(), more.end()); };
    add(tableStart());
    for (std::size_t i = 0; i < p.cells.size(); ++i) {
        add(p.cells[i]);
        if ((i + 1) % static_cast<std::size_t>(p.perRow) == 0)
            add(rowBreak());
    }
    add(tableEnd());
    add(p.footer);
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
} // namespace tavlo::test
