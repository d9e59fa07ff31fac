#include "pages/known_types.h"

namespace tavlo {
namespace {

struct KnownType {
    std::string_view extension;
    bool prefixOnly;  // the extension begins with it
    std::string_view icon;  // empty: a picture
    bool loadedByEveryTypeLoad;
};

// In the order they are tried: the first row that matches holds.
constexpr KnownType kKnownTypes[] = {
    {"HTM", false, "HTM-1A.JPG", true},
    {"WAV", false, "MUSIC-1A.JPG", true},
    {"MP3", false, "MUSIC-1A.JPG", true},
    {"MID", false, "MUSIC-1A.JPG", true},
    {"WMA", false, "MUSIC-1A.JPG", false},  // a media file, but the load of every type leaves it
    {"AVI", false, "FILM-1A.JPG", true},
    {"MP", true, "FILM-1A.JPG", true},
    {"JPG", false, "", true},
    {"BMP", false, "", true},
    {"TIF", false, "", true},
    {"GIF", false, "", true},
    {"WMF", false, "", true},
};

const KnownType* knownType(std::string_view extension)
{
    for (const KnownType& type : kKnownTypes) {
        if (type.prefixOnly ? extension.starts_with(type.extension) : extension == type.extension)
            return &type;
    }
    return nullptr;
}

} // namespace

std::string_view mediaIcon(std::string_view extension)
{
    const KnownType* type = knownType(extension);
    return type == nullptr ? std::string_view() : type->icon;
}

bool isMediaExtension(std::string_view extension) { return !mediaIcon(extension).empty(); }

std::string_view playedAs(std::string_view extension)
{
    const std::string_view icon = mediaIcon(extension);
    return icon == "FILM-1A.JPG" ? "film" : icon == "MUSIC-1A.JPG" ? "suono" : "";
}

bool isLoadedByEveryTypeLoad(std::string_view extension)
{
    const KnownType* type = knownType(extension);
    return type != nullptr && type->loadedByEveryTypeLoad;
}

} // namespace tavlo
