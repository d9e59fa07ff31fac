// Pictures on Qt's image reader and writer: Qt GUI only, no widgets, so that it
// works without a window or a display, and from any thread.
#include "platform/pictures.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>

#include <algorithm>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace tavlo {
namespace {

constexpr int kJpegQuality = 82;

class QtPictures final : public Pictures {
public:
    std::optional<Picture> squareCentre(const std::string& path, int side) const override
    {
        // Opened by its bytes: a name that is not valid UTF-8 still opens.
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            return std::nullopt;
        QFile file;
        if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
            ::close(fd);
            return std::nullopt;
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
        image = image.convertToFormat(QImage::Format_RGB888);

        Picture picture{side, side, std::vector<unsigned char>(static_cast<std::size_t>(side) * side * 3)};
        for (int y = 0; y < side; ++y)
            std::memcpy(picture.rgb.data() + static_cast<std::size_t>(y) * side * 3, image.constScanLine(y),
                        static_cast<std::size_t>(side) * 3);
        return picture;
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
