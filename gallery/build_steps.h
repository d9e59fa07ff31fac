#pragma once
// The steps the single-page and the paged build share: their checks, their plan, their
// start (output path, page folder, thumbnails), one page of the whole list, and the
// offer to view the result.

#include "gallery/thumbnails.h"
#include "pages/build_context.h"
#include "pages/build_settings.h"
#include "pages/page_plan.h"
#include "pages/page_writer.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavlo {

/// The count of files found and the row size: false, after a refusal, when either is missing.
bool refuseWithoutFiles(Services& p, const BuildSettings& settings);
bool refuseWithoutRowSize(Services& p, const BuildSettings& settings);
/// The page size of a series: false, after a refusal, unless a whole number of at least 1.
bool refuseWithoutPageSize(Services& p, const BuildSettings& settings);

struct OutputPath {
    std::string folder;  // Cartella_Tavlo: a full path, ending in a separator
    std::string name;    // Nome_File_Htm
};

/// Splits the output path as typed into its folder and name.
/// A folder typed relative to the current folder is made a full path, so that
/// the page lands there even after the build has made that folder current.
OutputPath splitOutputPath(Services& p, const BuildSettings& settings);

struct BuildStart {
    OutputPath output;
    ThumbnailRun thumbnails;
};

/// The start both builds share, after their checks: the output path split, the page
/// folder made current and swept of the temporaries of killed runs, the thumbnails
/// made. Nullopt when the build stops there: the output path names no folder or one
/// that does not exist (refused), or the thumbnails stopped.
std::optional<BuildStart> startBuild(BuildContext& b, const BuildSettings& settings);

/// The page name derivation: the name up to its first ".", followed by ".HTM".
std::string pageNameFrom(const std::string& name);

/// Writes every entry of the list as one page at the output path, then copies the
/// templates beside it, and keeps the records of what the build wrote.
void writeWholeListPage(BuildContext& b, const OutputPath& output, const PageList& list);

/// The names of a series' pages, PAG_1.HTM..., at most `perPage` entries each: one page at least.
std::vector<std::string> seriesPageNames(long entries, double perPage);

/// The pages the paged build (`paged`) or the single-page build writes with these settings.
PagePlan planPages(Services& p, const BuildSettings& settings, bool paged);

/// The view questions of the single-page and the paged build, before the page's path.
inline constexpr std::string_view kViewQuestion = "Visualizzo la pagina creata ";
inline constexpr std::string_view kViewFirstPageQuestion = "Visualizzo la prima pagina creata ";

/// Asks the view question about the page last written and opens it on Yes; false,
/// without a question, when that page went nowhere.
bool offerToView(BuildContext& b, std::string_view question);

} // namespace tavlo
