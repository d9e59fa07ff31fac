#pragma once
// Copia_Modelli: copies the ten template files from the fixed template folder
// beside the page, under upper-case names. Every failing copy is skipped silently.

#include "pages/build_context.h"

#include <array>
#include <string_view>

namespace tavlo {

inline constexpr std::array<std::string_view, 10> kTemplateFiles{
    "Intestaz.htm", "Intest_2.htm", "PIEDE.htm",    "DIAPOSIT.JPG", "Film-1a.jpg",
    "Foto-1a.jpg",  "Htm-1a.jpg",   "Music-1a.jpg", "Sfondo1g.jpg", "Sfondo1p.jpg",
};

void Copia_Modelli(BuildContext& b);

} // namespace tavlo
