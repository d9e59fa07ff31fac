// Pictures on Qt's image reader and writer: Qt GUI only, no widgets, so that it
// works without a window or a display, and from any thread. Qt's image format
// plugins read TIFF and WebP; HEIC and HEIF, which Qt does not read, go to libheif.
#include "platform/pictures.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>

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

bool isHeif(QFile& file)
{
    const QByteArray start = file.peek(12);
    return heif_check_filetype(reinterpret_cast<const std::uint8_t*>(start.constData()),
                               static_cast<int>(start.size())) == heif_filetype_yes_supported;
}

// The primary picture of a HEIF file, with its own rotation and mirroring applied.
QImage readHeif(QFile& file)
{
    static const heif_error initialised = heif_init(nullptr);  // once, for every thread
    (void)initialised;
    const QByteArray bytes = file.readAll();
    const std::unique_ptr<heif_context, decltype(&heif_context_free)> context(heif_context_alloc(), heif_context_free);
    heif_image_handle* handle = nullptr;
    heif_image* decoded = nullptr;
    QImage image;
    if (heif_context_read_from_memory_without_copy(context.get(), bytes.constData(), static_cast<std::size_t>(bytes.size()),
                                                   nullptr).code == heif_error_Ok &&
        heif_context_get_primary_image_handle(context.get(), &handle).code == heif_error_Ok &&
        heif_decode_image(handle, &decoded, heif_colorspace_RGB, heif_chroma_interleaved_RGB, nullptr).code ==
            heif_error_Ok) {
        int stride = 0;
        const std::uint8_t* pixels = heif_image_get_plane_readonly(decoded, heif_channel_interleaved, &stride);
        const int width = heif_image_get_width(decoded, heif_channel_interleaved);
        const int height = heif_image_get_height(decoded, heif_channel_interleaved);
        if (pixels != nullptr && width > 0 && height > 0)
            image = QImage(pixels, width, height, stride, QImage::Format_RGB888).copy();
    }
    if (decoded != nullptr)
        heif_image_release(decoded);
    if (handle != nullptr)
        heif_image_handle_release(handle);
    return image;
}

Picture toPicture(const QImage& image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    const auto row = static_cast<std::size_t>(rgb.width()) * 3;
    Picture picture{rgb.width(), rgb.height(), std::vector<unsigned char>(row * rgb.height())};
    for (int y = 0; y < rgb.height(); ++y)
        std::memcpy(picture.rgb.data() + y * row, rgb.constScanLine(y), row);
    return picture;
}

class QtPictures final : public Pictures {
public:
    std::optional<Picture> squareCentre(const std::string& path, int side) const override
    {
        QFile file;
        if (!openPicture(path, file))
            return std::nullopt;
        if (isHeif(file)) {
            const QImage whole = readHeif(file);
            return whole.isNull() ? std::nullopt : std::optional(squareCentreOf(toPicture(whole), side));
        }
        QImageReader reader(&file);
        reader.setAutoTransform(true);
        const QSize stored = reader.size();
        if (!stored.isValid() || stored.isEmpty())
            return std::nullopt;
        // The centred square is the same before and after the picture is turned
        // upright, so it is cut from the picture as stored: a JPEG is then decoded
        // at a fraction of its size, straight from its compressed blocks.
        const int square = std::min(stored.width(), stored.height());
        reader.setClipRect(QRect((stored.width() - square) / 2, (stored.height() - square) / 2, square, square));
        reader.setScaledSize(QSize(side, side));
        QImage image = reader.read();
        if (image.isNull())
            return std::nullopt;
        if (image.size() != QSize(side, side))
            image = image.scaled(side, side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        return toPicture(image);
    }

    std::optional<Picture> fitted(const std::string& path, int longestSide) const override
    {
        QFile file;
        if (!openPicture(path, file))
            return std::nullopt;
        QImage image;
        if (isHeif(file)) {
            image = readHeif(file);
        } else {
            QImageReader reader(&file);
            reader.setAutoTransform(true);
            const QSize stored = reader.size();
            const int longest = std::max(stored.width(), stored.height());
            if (stored.isValid() && longest > longestSide)  // a JPEG is decoded at a fraction of its size
                reader.setScaledSize(QSize(static_cast<int>(std::lround(1.0 * stored.width() * longestSide / longest)),
                                           static_cast<int>(std::lround(1.0 * stored.height() * longestSide / longest))));
            image = reader.read();
        }
        if (image.isNull())
            return std::nullopt;
        if (std::max(image.width(), image.height()) > longestSide)
            image = image.scaled(longestSide, longestSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        return toPicture(image);
    }

    std::string jpeg(const Picture& picture) const override
    {
        const QImage image(picture.rgb.data(), picture.width, picture.height, picture.width * 3,
                           QImage::Format_RGB888);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "jpeg");
        writer.setQuality(kJpegQuality);
        writer.setOptimizedWrite(true);
        if (!writer.write(image))
            return {};
        return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    }
};

} // namespace

std::unique_ptr<Pictures> createPictures() { return std::make_unique<QtPictures>(); }

} // namespace tavlo
