#pragma once
// The job variables through which a build hands one page to the page writer, and
// reads back where the page was finally written. Each build has its own.

#include <string>
#include <vector>

namespace tavlo {

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
};

} // namespace tavlo
