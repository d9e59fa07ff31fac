// Pictures on Qt's image reader and writer: Qt GUI only, no widgets, so that it
// works without a window or a display, and from any thread. Qt's image format
// plugins read TIFF and WebP; HEIC and HEIF, which Qt does not read, go to libheif; films
// and sounds to FFmpeg's libraries.
#include "platform/pictures.h"
#include "platform/ffmpeg/ffmpeg_posters.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QThreadPool>

#include <libheif/heif.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

namespace tavlo {
namespace {

constexpr int kJpegQuality = 82;
// Qt's own bound on one image's memory, in MiB: the largest picture we take at the widest
// pixel Qt's readers decode to (16 bits a channel with alpha, 8 bytes).
constexpr int kAllocationLimitMiB = static_cast<int>(kMaxPicturePixels * 8 / (1 << 20)) + 1;

// Opened by its bytes: a name that is not valid UTF-8 still opens.
bool openPicture(const std::string& path, QFile& file)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    if (file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        return true;
    ::close(fd);
    return false;
}

bool tooManyPixels(std::int64_t width, std::int64_t height) { return width * height > kMaxPicturePixels; }

bool isHeif(QFile& file)
{
    const QByteArray start = file.peek(12);
    return heif_check_filetype(reinterpret_cast<const std::uint8_t*>(start.constData()),
                               static_cast<int>(start.size())) == heif_filetype_yes_supported;
}

// libheif reads the file through this, a box at a time, never whole.
const heif_reader kFileReader{
    1,
    [](void* file) -> std::int64_t { return static_cast<QFile*>(file)->pos(); },
    [](void* data, std::size_t size, void* file) {
        return static_cast<QFile*>(file)->read(static_cast<char*>(data), static_cast<qint64>(size)) ==
                       static_cast<qint64>(size) ? 0 : 1;
    },
    [](std::int64_t position, void* file) { return static_cast<QFile*>(file)->seek(position) ? 0 : 1; },
    [](std::int64_t size, void* file) {
        return size <= static_cast<QFile*>(file)->size() ? heif_reader_grow_status_size_reached
                                                         : heif_reader_grow_status_size_beyond_eof;
    },
};

// The primary picture of a HEIF file, with its own rotation and mirroring applied; the
// image holds libheif's own pixels, without a copy.
std::variant<QImage, Unmade> readHeif(QFile& file)
{
    if (file.size() > kMaxHeldPictureBytes)  // libheif holds the picture's coded data whole
        return Unmade::TooLarge;
    const std::unique_ptr<heif_context, decltype(&heif_context_free)> context(heif_context_alloc(), heif_context_free);
    heif_image_handle* handle = nullptr;
    if (heif_context_read_from_reader(context.get(), &kFileReader, &file, nullptr).code != heif_error_Ok ||
        heif_context_get_primary_image_handle(context.get(), &handle).code != heif_error_Ok)
        return Unmade::Undecodable;
    const std::unique_ptr<heif_image_handle, decltype(&heif_image_handle_release)> held(handle,
                                                                                       heif_image_handle_release);
    if (tooManyPixels(heif_image_handle_get_width(handle), heif_image_handle_get_height(handle)))
        return Unmade::TooLarge;
    const bool alpha = heif_image_handle_has_alpha_channel(handle) != 0;
    heif_image* decoded = nullptr;
    if (heif_decode_image(handle, &decoded, heif_colorspace_RGB,
                          alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB, nullptr).code != heif_error_Ok)
        return Unmade::Undecodable;
    int stride = 0;
    std::uint8_t* pixels = heif_image_get_plane(decoded, heif_channel_interleaved, &stride);
    const int width = heif_image_get_width(decoded, heif_channel_interleaved);
    const int height = heif_image_get_height(decoded, heif_channel_interleaved);
    if (pixels == nullptr || width <= 0 || height <= 0) {
        heif_image_release(decoded);
        return Unmade::Undecodable;
    }
    return QImage(pixels, width, height, stride, alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888,
                  [](void* image) { heif_image_release(static_cast<heif_image*>(image)); }, decoded);
}

// Transparent parts laid on white, as on the page: each premultiplied pixel gets the
// white its transparency lets through.
QImage onWhite(const QImage& image)
{
    if (!image.hasAlphaChannel())
        return image;
    QImage white = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < white.height(); ++y) {
        auto* pixel = reinterpret_cast<QRgb*>(white.scanLine(y));
        for (int x = 0; x < white.width(); ++x, ++pixel) {
            const int clear = 255 - qAlpha(*pixel);
            *pixel = qRgb(qRed(*pixel) + clear, qGreen(*pixel) + clear, qBlue(*pixel) + clear);
        }
    }
    white.reinterpretAsFormat(QImage::Format_RGB32);
    return white;
}

Picture toPicture(const QImage& image)
{
    const QImage rgb = onWhite(image).convertToFormat(QImage::Format_RGB888);
    const auto row = static_cast<std::size_t>(rgb.width()) * 3;
    Picture picture{rgb.width(), rgb.height(), std::vector<unsigned char>(row * rgb.height())};
    for (int y = 0; y < rgb.height(); ++y)
        std::memcpy(picture.rgb.data() + y * row, rgb.constScanLine(y), row);
    return picture;
}

// The centred square of an image in memory scaled to side x side, cut without a copy.
QImage centreOf(const QImage& image, int side)
{
    const int square = std::min(image.width(), image.height());
    const QImage centre(image.constScanLine((image.height() - square) / 2) +
                            static_cast<qsizetype>((image.width() - square) / 2) * image.depth() / 8,
                        square, square, image.bytesPerLine(), image.format());
    return centre.scaled(side, side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage fittedIn(const QImage& image, int longestSide)
{
    if (std::max(image.width(), image.height()) <= longestSide)
        return image;
    return image.scaled(longestSide, longestSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

// A picture file's reader, once the size it states is known to be within the bounds.
std::variant<Unmade, QSize> checkedSize(QFile& file, QImageReader& reader)
{
    reader.setAutoTransform(true);
    const QSize stored = reader.size();
    if (!stored.isValid() || stored.isEmpty())
        return Unmade::Undecodable;
    // Qt's WebP reader holds the whole file in memory.
    if (tooManyPixels(stored.width(), stored.height()) ||
        (reader.format() == "webp" && file.size() > kMaxHeldPictureBytes))
        return Unmade::TooLarge;
    return stored;
}

// The image as the bytes of a JPEG file, its transparent parts laid on white; empty when it
// cannot be encoded.
std::string jpegOf(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(kJpegQuality);
    writer.setOptimizedWrite(true);
    if (!writer.write(onWhite(image)))
        return {};
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// A picture as read, or why there is none.
using Read = std::variant<QImage, Unmade>;

Decoded decoded(const Read& read)
{
    if (const auto* unmade = std::get_if<Unmade>(&read))
        return *unmade;
    const QImage& image = std::get<QImage>(read);
    if (image.isNull())
        return Unmade::Undecodable;
    return toPicture(image);
}

// Opens a picture and reads it within the bounds: a HEIF file whole, then `whole` makes
// of it what is wanted; any other through a reader whose stated size passed, which
// `scaled` sets up and reads.
template <typename Whole, typename Scaled>
Read readPicture(const std::string& path, Whole whole, Scaled scaled)
{
    QFile file;
    if (!openPicture(path, file))
        return Unmade::Undecodable;
    if (isHeif(file)) {
        const auto read = readHeif(file);
        if (const auto* unmade = std::get_if<Unmade>(&read))
            return *unmade;
        return whole(std::get<QImage>(read));
    }
    QImageReader reader(&file);
    const auto size = checkedSize(file, reader);
    if (const auto* unmade = std::get_if<Unmade>(&size))
        return *unmade;
    return scaled(reader, std::get<QSize>(size));
}

// The centred square, side x side. It is the same before and after the picture is turned
// upright, so it is cut from the picture as stored: a JPEG is then decoded at a fraction
// of its size, straight from its compressed blocks.
QImage readSquare(QImageReader& reader, QSize stored, int side)
{
    const int square = std::min(stored.width(), stored.height());
    reader.setClipRect(QRect((stored.width() - square) / 2, (stored.height() - square) / 2, square, square));
    reader.setScaledSize(QSize(side, side));
    QImage image = reader.read();
    if (!image.isNull() && image.size() != QSize(side, side))
        image = image.scaled(side, side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return image;
}

QImage readFitted(QImageReader& reader, QSize stored, int longestSide)
{
    const int longest = std::max(stored.width(), stored.height());
    if (longest > longestSide)  // a JPEG is decoded at a fraction of its size where it can
        reader.setScaledSize(QSize(static_cast<int>(std::lround(1.0 * stored.width() * longestSide / longest)),
                                   static_cast<int>(std::lround(1.0 * stored.height() * longestSide / longest))));
    const QImage image = reader.read();
    return image.isNull() ? image : fittedIn(image, longestSide);
}

class QtPictures final : public Pictures {
public:
    Decoded squareCentre(const std::string& path, int side) const override
    {
        return decoded(readPicture(
            path, [side](const QImage& image) { return centreOf(image, side); },
            [side](QImageReader& reader, QSize stored) { return readSquare(reader, stored, side); }));
    }

    std::variant<Shown, Unmade> shown(const std::string& path, int side, int screenSide, bool screen) const override
    {
        // Whether the screen copy is made is settled by the size the picture states, before
        // it is decoded: a picture without one is decoded for its square alone.
        QSize upright;
        const auto settle = [&](QSize size) {
            upright = size;
            screen = screen || std::max(size.width(), size.height()) > screenSide;
        };
        const Read read = readPicture(
            path,
            [&](const QImage& image) {
                settle(image.size());
                return screen ? fittedIn(image, screenSide) : centreOf(image, side);
            },
            [&](QImageReader& reader, QSize stored) {
                settle(reader.transformation() & QImageIOHandler::TransformationRotate90 ? stored.transposed() : stored);
                return screen ? readFitted(reader, stored, screenSide) : readSquare(reader, stored, side);
            });
        if (const auto* unmade = std::get_if<Unmade>(&read))
            return *unmade;
        const QImage& image = std::get<QImage>(read);
        if (image.isNull())
            return Unmade::Undecodable;
        if (!screen)
            return Shown{jpegOf(image), {}, upright.width(), upright.height()};
        return Shown{jpegOf(centreOf(image, side)), jpegOf(image), upright.width(), upright.height()};
    }

    Decoded poster(const std::string& path, int side) const override { return ffmpegPoster(path, side); }

    std::string jpeg(const Picture& picture) const override
    {
        return jpegOf(QImage(picture.rgb.data(), picture.width, picture.height, picture.width * 3, QImage::Format_RGB888));
    }
};

} // namespace

std::unique_ptr<Pictures> createPictures()
{
    // What every thread shares, settled once on this one before any worker reads a picture:
    // libheif's decoders and colour conversions; FFmpeg's log; Qt's allocation limit, a plain global; and,
    // where no application object is made (the command line), Qt's main thread, which Qt
    // takes to be the first thread that uses it: this one, which outlives every worker,
    // rather than a worker that ends while the others still move the image plugins to it.
    static const bool settled = [] {
        heif_init(nullptr);
        settleFfmpeg();
        QImageReader::setAllocationLimit(kAllocationLimitMiB);
        (void)QImageReader::supportedImageFormats();
        (void)QThreadPool::globalInstance();
        return true;
    }();
    (void)settled;
    return std::make_unique<QtPictures>();
}

} // namespace tavlo
