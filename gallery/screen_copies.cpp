#include "gallery/screen_copies.h"

#include <algorithm>
#include <array>
#include <utility>

namespace tavlo {

bool needsScreenCopy(std::string_view extension)
{
    constexpr std::array<std::string_view, 4> kUnshown{"HEIC", "HEIF", "TIF", "TIFF"};
    for (const std::string_view unshown : kUnshown)
        if (extension == unshown)
            return true;
    return false;
}

std::string screenCopyName(std::string_view thumbnailName)
{
    const std::string_view stem = thumbnailName.substr(0, thumbnailName.rfind('.'));
    return std::string(stem) + "-" + std::to_string(kScreenCopySide) + ".jpg";
}

bool needsScreenCopy(std::string_view extension, int width, int height)
{
    return needsScreenCopy(extension) || std::max(width, height) > kScreenCopySide;
}

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
