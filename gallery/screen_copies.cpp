#include "gallery/screen_copies.h"

#include <algorithm>
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

bool needsScreenCopy(std::string_view extension, int width, int height)
{
    return needsScreenCopy(extension) || std::max(width, height) > kScreenCopySide;
}

std::string screenCopyName(std::string_view thumbnailName)
{
    const std::string_view stem = thumbnailName.substr(0, thumbnailName.rfind('.'));
    return std::string(stem) + "-" + std::to_string(kScreenCopySide) + ".jpg";
}

} // namespace tavlo
