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

} // namespace tavlo
