#pragma once
// The job variables through which a build command hands one page to the page
// writer, and reads back where the page was finally written.

#include "pages/build_record.h"
#include "pages/entry_values.h"
#include "pages/view_page_names.h"

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace tavlo {

/// A file a build wrote, and its size where the writer knows it.
struct WrittenFile {
    std::string name;
    std::optional<std::uint64_t> size;
};

/// A folder's record in the course of a build.
struct FolderRecord {
    BuildRecord earlier;                // as the build found it
    std::vector<WrittenFile> written;   // what the build wrote there
    std::optional<FileStamp> left;      // the record as the build last left it
    bool failed = false;                // it could not be written: told once, not tried again
};

struct JobVariables {
    std::string Cartella_Tavlo;  // folder of the page and its view pages, ending in a separator
    std::string Nome_File_Htm;   // name part of the output path (or the series page's name)
    std::string Nome_Pagina;     // file name of the page being written
    long Num_Files = 0;
    double Primo_File = 0;       // first list position of the page, from 1
    double Ultimo_File = 0;      // last list position, inclusive; may lie past the list's end
    std::vector<std::string> Pagine{""};  // page names of a paged build; slot 0 unused
    long Num_Pagina = 0;
    int Elenco_Confermato = 0;   // 1 once the user agreed to overwrite a page in this build

    // For each picture entry that has a thumbnail, the thumbnail its cell shows,
    // as a path from the page folder. Empty unless asked for.
    std::map<std::string, std::string> thumbnails;
    // Ours: the view page names a build gave where pictures' own names repeat.
    ViewPageNames viewPages;
    // Ours: by folder, the record of what the build wrote there, for every folder whose
    // record the build read or touched.
    std::map<std::string, FolderRecord> records;

    // Ours: the pages this build wrote, so that a fallback never puts a second page
    // under the name of one already written; and whether the last page ended with
    // nothing written anywhere, so that a build does not go on failing page after page.
    std::set<std::string> pagesWritten;
    bool pageLost = false;
    // For a picture that browsers cannot show, its JPEG copy for the screen, which its
    // view page and the viewer show instead.
    std::map<std::string, std::string> screenCopies;
    // For each picture entry that has a thumbnail, its size, which its view page fits in its frame.
    std::map<std::string, PictureSize> pictureSizes;
};

} // namespace tavlo
