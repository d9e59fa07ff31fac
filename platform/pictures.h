#pragma once
// Pictures: the decoding, scaling, turning upright and JPEG encoding that the
// thumbnails and the screen copies need, and the posters of films and sounds. Backends use
// the platform's own imaging (Qt's image reader and FFmpeg's libraries on Linux, the Windows
// Imaging Component and Media Foundation on Windows). Every operation may run on several
// threads at once.

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace tavlo {

/// The largest picture decoded, in pixels, as its file states its size: every camera's
/// (a 100-megapixel one included). Each decode holds at most 8 bytes a pixel (16 bits a
/// channel with alpha) twice, the picture and one working copy: with the largest file a
/// decoder holds whole, the peak memory of one decode is at most
/// 2 x 8 x kMaxPicturePixels + kMaxHeldPictureBytes, about 2 GiB.
inline constexpr std::int64_t kMaxPicturePixels = 120'000'000;
/// The largest picture file whose decoder holds it whole in memory (HEIC, WebP); every
/// other format is read as its decoder goes.
inline constexpr std::int64_t kMaxHeldPictureBytes = std::int64_t{256} << 20;

/// The most a poster reads of its file, its cover (held whole, as the tag holds it: an ID3v2
/// tag is at most 256 MiB) and the frames it decodes on its way included.
inline constexpr std::int64_t kMaxPosterReadBytes = std::int64_t{256} << 20;
/// The largest film frame decoded (8K): a decoder holds a few frames of its film at once.
inline constexpr std::int64_t kMaxFilmFramePixels = std::int64_t{8192} * 4320;

/// Pixels, three bytes (red, green, blue) each, row after row from the top.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
};

/// What a gallery shows of one picture, upright and its transparent parts laid on white, as
/// the bytes of JPEG files: encoded straight from the decoded pixels, without a copy.
struct Shown {
    std::string square;  // the centred square; empty when it could not be encoded
    std::string screen;  // the whole picture fitted for the screen; empty when not made
    int width = 0;       // the picture's own size, upright
    int height = 0;
};

/// Why a picture file gave no picture.
enum class Unmade {
    Undecodable,  // not a picture, a format without a decoder, or damaged
    TooLarge,     // more pixels than kMaxPicturePixels, or a held file above kMaxHeldPictureBytes
    NoPicture,    // a sound without a cover, a film without pictures: nothing to show, nothing wrong
};

/// A picture, or why there is none.
using Decoded = std::variant<Picture, Unmade>;

class Pictures {
public:
    virtual ~Pictures() = default;

    /// The largest centred square of a picture file, as it shows once its
    /// orientation tag is applied and its transparent parts laid on white, scaled to
    /// side x side pixels. Its stated size is checked against the bounds before it is decoded.
    virtual Decoded squareCentre(const std::string& path, int side) const = 0;
    /// What a gallery shows of a picture file, from one decode: its centred square as
    /// squareCentre makes it and, when its longer side is above screenSide or `screen` asks
    /// for it in any case, the whole picture scaled down to fit in screenSide x screenSide.
    virtual std::variant<Shown, Unmade> shown(const std::string& path, int side, int screenSide, bool screen) const = 0;
    /// The poster of a film or a sound file: a frame of the film a little way in (past a
    /// black start), or else the cover picture the file carries, as its largest centred
    /// square scaled to side x side. Reads at most kMaxPosterReadBytes of the file.
    virtual Decoded poster(const std::string& path, int side) const = 0;
    /// The picture as the bytes of a JPEG file.
    virtual std::string jpeg(const Picture& picture) const = 0;
};

/// The largest centred square of a picture in memory, scaled to side x side, each
/// pixel the average of those it covers.
Picture squareCentreOf(const Picture& picture, int side);

/// Where a poster's frame is looked for, as parts of the film's length: a little way in, and
/// further on while the frame found is nearly black (a fade from black, titles on black).
inline constexpr double kPosterTries[] = {0.1, 0.3, 0.5};
bool nearlyBlack(const Picture& picture);

/// The platform's own imaging; the build picks the backend. Made on one thread before any
/// picture is read: it settles what the imaging shares across threads.
std::unique_ptr<Pictures> createPictures();

} // namespace tavlo
