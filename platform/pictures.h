#pragma once
// Pictures: the decoding, scaling, turning upright and JPEG encoding that the
// thumbnails and the screen copies need. Backends use the platform's own imaging (Qt's image reader on
// Linux, the Windows Imaging Component on Windows). Every operation may run on
// several threads at once.

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tavlo {

/// Pixels, three bytes (red, green, blue) each, row after row from the top.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
};

class Pictures {
public:
    virtual ~Pictures() = default;

    /// The largest centred square of a picture file, as it shows once its
    /// orientation tag is applied, scaled to side x side pixels; nullopt when
    /// the file cannot be read or decoded.
    virtual std::optional<Picture> squareCentre(const std::string& path, int side) const = 0;
    /// The whole picture as it shows once its orientation is applied, scaled down so
    /// that its longer side is at most longestSide pixels (never up); nullopt when the
    /// file cannot be read or decoded.
    virtual std::optional<Picture> fitted(const std::string& path, int longestSide) const = 0;
    /// The picture as the bytes of a JPEG file.
    virtual std::string jpeg(const Picture& picture) const = 0;
};

/// The largest centred square of a picture in memory, scaled to side x side, each
/// pixel the average of those it covers.
Picture squareCentreOf(const Picture& picture, int side);

/// The platform's own imaging; the build picks the backend.
std::unique_ptr<Pictures> createPictures();

} // namespace tavlo
