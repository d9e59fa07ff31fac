#include "gallery/thumbnail_maker.h"

#include "gallery/screen_copies.h"

namespace tavlo {

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
