#include "gallery/thumbnail_maker.h"

#include "gallery/screen_copies.h"

#include <utility>

namespace tavlo {

MadePictures makePictures(const Pictures& pictures, const std::string& path, std::string_view extension, int side)
{
    MadePictures made;
    auto decoded = pictures.shown(path, side, kScreenCopySide, needsScreenCopy(extension));
    if (const auto* unmade = std::get_if<Unmade>(&decoded)) {
        made.unmade = *unmade;
        return made;
    }
    Shown& shown = std::get<Shown>(decoded);
    made.width = shown.width, made.height = shown.height;
    // A screen copy due but not encoded leaves the picture without a thumbnail as well.
    if (shown.screen.empty() && needsScreenCopy(extension, shown.width, shown.height))
        return made;
    made.screenCopy = std::move(shown.screen);
    made.thumbnail = std::move(shown.square);
    return made;
}

} // namespace tavlo
