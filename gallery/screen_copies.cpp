#include "gallery/screen_copies.h"

#include <array>

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

MadePictures makePictures(const Pictures& pictures, const std::string& path, int side, bool screenCopy)
{
    MadePictures made;
    const Decoded decoded = screenCopy ? pictures.fitted(path, kScreenCopySide) : pictures.squareCentre(path, side);
    if (const auto* unmade = std::get_if<Unmade>(&decoded)) {
        made.unmade = *unmade;
        return made;
    }
    const Picture& picture = std::get<Picture>(decoded);
    if (!screenCopy) {
        made.thumbnail = pictures.jpeg(picture);
        return made;
    }
    made.screenCopy = pictures.jpeg(picture);
    if (!made.screenCopy.empty())
        made.thumbnail = pictures.jpeg(squareCentreOf(picture, side));
    return made;
}

} // namespace tavlo
