#pragma once
// The language runtime's text rules that the system relies on: trimming, the numeric
// value of a text, numbers written as text, and the path split.

#include <string>
#include <string_view>
#include <vector>

namespace tavlo {

/// Removes leading and trailing blanks (spaces only).
std::string trimBlanks(std::string_view text);
/// The number formed by the leading characters of a text; blanks, tabs and line
/// feeds are ignored wherever they stand; "." is the decimal separator; 0 when
/// the text does not begin with a number.
double numericValue(std::string_view text);
/// A number put into a message: one leading space in the place of the sign.
std::string numberForMessage(long long value);
/// A number written into a page file: one leading and one trailing space.
std::string numberForPage(long long value);

struct PathParts {
    std::string folder;  // up to and including the last separator; empty when there is none
    std::string name;    // everything after it
};

/// Dividi_Percorso: splits a path at its last separator.
PathParts Dividi_Percorso(std::string_view path, char separator);

bool contains(std::string_view text, std::string_view part);

/// The lines of a text file's content: a line ends at CR or at CR LF; a lone LF
/// stays inside its line, and a last line without an end still counts.
std::vector<std::string> textLines(std::string_view content);

} // namespace tavlo
