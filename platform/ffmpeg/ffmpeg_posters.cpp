// Posters on FFmpeg's libraries. The file is read through our own reader, which stops at
// kMaxPosterReadBytes; each frame is bounded by kMaxFilmFramePixels inside the decoder,
// which decodes on the calling thread only: the thumbnail phase already runs one file per core.
#include "platform/ffmpeg/ffmpeg_posters.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/display.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace tavlo {
namespace {

constexpr int kReadBuffer = 64 << 10;
// Packets read in search of one frame, past the key frame the search starts from.
constexpr int kMaxPacketsPerTry = 3000;

template <typename T, void (*Free)(T**)>
struct Freed {
    void operator()(T* p) const { Free(&p); }
};
using Frame = std::unique_ptr<AVFrame, Freed<AVFrame, av_frame_free>>;
using Packet = std::unique_ptr<AVPacket, Freed<AVPacket, av_packet_free>>;
using Codec = std::unique_ptr<AVCodecContext, Freed<AVCodecContext, avcodec_free_context>>;

// A regular file read through a budget: past it, reads end as the file would.
class BoundedFile {
public:
    explicit BoundedFile(const std::string& path) : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK))
    {
        struct stat info {};
        if (fd_ >= 0 && (::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode)))  // a pipe would never end
            ::close(fd_), fd_ = -1;
        size_ = info.st_size;
    }
    ~BoundedFile()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    BoundedFile(const BoundedFile&) = delete;
    BoundedFile& operator=(const BoundedFile&) = delete;

    bool opened() const { return fd_ >= 0; }
    bool spent() const { return left_ <= 0; }

    static int read(void* opaque, std::uint8_t* buffer, int size)
    {
        auto& file = *static_cast<BoundedFile*>(opaque);
        const auto wanted = static_cast<std::size_t>(std::min<std::int64_t>(size, file.left_));
        const ssize_t got = wanted == 0 ? 0 : ::read(file.fd_, buffer, wanted);
        if (got <= 0)
            return got == 0 ? AVERROR_EOF : AVERROR(EIO);
        file.left_ -= got;
        return static_cast<int>(got);
    }
    static std::int64_t seek(void* opaque, std::int64_t offset, int whence)
    {
        auto& file = *static_cast<BoundedFile*>(opaque);
        if (whence & AVSEEK_SIZE)
            return file.size_;
        const off_t at = ::lseek(file.fd_, offset, whence & ~AVSEEK_FORCE);
        return at < 0 ? AVERROR(EIO) : at;
    }

private:
    int fd_;
    std::int64_t size_ = 0;
    std::int64_t left_ = kMaxPosterReadBytes;
};

// A file opened by the demuxer through its bounded reader.
class Input {
public:
    Input(const std::string& path, BoundedFile& file)
    {
        auto* buffer = static_cast<std::uint8_t*>(av_malloc(kReadBuffer));
        io_ = buffer ? avio_alloc_context(buffer, kReadBuffer, 0, &file, BoundedFile::read, nullptr, BoundedFile::seek)
                     : nullptr;
        if (io_ == nullptr) {
            av_free(buffer);
            return;
        }
        context_ = avformat_alloc_context();
        if (context_ == nullptr)
            return;
        context_->pb = io_;
        context_->flags |= AVFMT_FLAG_CUSTOM_IO;
        if (avformat_open_input(&context_, path.c_str(), nullptr, nullptr) < 0)
            context_ = nullptr;  // freed by the failed open
        else if (avformat_find_stream_info(context_, nullptr) < 0)
            avformat_close_input(&context_);
    }
    ~Input()
    {
        avformat_close_input(&context_);
        if (io_ != nullptr)
            av_freep(&io_->buffer);
        avio_context_free(&io_);
    }
    Input(const Input&) = delete;
    Input& operator=(const Input&) = delete;

    AVFormatContext* get() const { return context_; }

private:
    AVIOContext* io_ = nullptr;
    AVFormatContext* context_ = nullptr;
};

// The film's own pictures, else the cover the file carries; -1 when it has neither.
int posterStream(const AVFormatContext* input)
{
    int cover = -1;
    for (unsigned i = 0; i < input->nb_streams; ++i) {
        const AVStream* stream = input->streams[i];
        if (stream->codecpar->codec_type != AVMEDIA_TYPE_VIDEO)
            continue;
        if (!(stream->disposition & AV_DISPOSITION_ATTACHED_PIC))
            return static_cast<int>(i);
        if (cover < 0 && stream->attached_pic.size > 0)
            cover = static_cast<int>(i);
    }
    return cover;
}

Codec openDecoder(const AVStream* stream, std::int64_t maxPixels)
{
    const AVCodec* codec = avcodec_find_decoder(stream->codecpar->codec_id);
    Codec decoder(codec ? avcodec_alloc_context3(codec) : nullptr);
    if (!decoder || avcodec_parameters_to_context(decoder.get(), stream->codecpar) < 0)
        return nullptr;
    decoder->thread_count = 1;
    decoder->max_pixels = maxPixels;  // every frame, also one whose size changes midway
    decoder->pkt_timebase = stream->time_base;
    if (avcodec_open2(decoder.get(), codec, nullptr) < 0)
        return nullptr;
    return decoder;
}

// The largest centred square of the frame as it shows (its pixels may not be square),
// scaled to side x side.
std::optional<Picture> squareOf(AVFrame* frame, AVRational pixelShape, int side)
{
    const double shape = pixelShape.num > 0 && pixelShape.den > 0 ? av_q2d(pixelShape) : 1.0;
    const double shownWidth = frame->width * shape;
    int width = frame->width, height = frame->height;
    if (shownWidth > height)
        width = std::clamp(static_cast<int>(std::lround(height / shape)), 1, frame->width);
    else
        height = std::clamp(static_cast<int>(std::lround(shownWidth)), 1, frame->height);
    frame->crop_left = static_cast<std::size_t>(frame->width - width) / 2;
    frame->crop_right = static_cast<std::size_t>(frame->width - width) - frame->crop_left;
    frame->crop_top = static_cast<std::size_t>(frame->height - height) / 2;
    frame->crop_bottom = static_cast<std::size_t>(frame->height - height) - frame->crop_top;
    if (av_frame_apply_cropping(frame, AV_FRAME_CROP_UNALIGNED) < 0)
        return std::nullopt;
    SwsContext* scaler = sws_getContext(frame->width, frame->height, static_cast<AVPixelFormat>(frame->format), side,
                                        side, AV_PIX_FMT_RGB24, SWS_AREA, nullptr, nullptr, nullptr);
    if (scaler == nullptr)
        return std::nullopt;
    Picture picture{side, side, std::vector<unsigned char>(static_cast<std::size_t>(side) * side * 3)};
    std::uint8_t* rows[4] = {picture.rgb.data()};
    const int strides[4] = {side * 3};
    const int scaled = sws_scale(scaler, frame->data, frame->linesize, 0, frame->height, rows, strides);
    sws_freeContext(scaler);
    if (scaled != side)
        return std::nullopt;
    return picture;
}

// The square turned clockwise by a number of quarter turns, as the film asks to be shown.
Picture turned(const Picture& picture, int quarters)
{
    const int side = picture.width;
    Picture out{side, side, std::vector<unsigned char>(picture.rgb.size())};
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const int sx = quarters == 1 ? y : quarters == 2 ? side - 1 - x : side - 1 - y;
            const int sy = quarters == 1 ? side - 1 - x : quarters == 2 ? side - 1 - y : x;
            std::copy_n(&picture.rgb[(static_cast<std::size_t>(sy) * side + sx) * 3], 3,
                        &out.rgb[(static_cast<std::size_t>(y) * side + x) * 3]);
        }
    return out;
}

// Quarter turns clockwise from the film's display matrix, as phones tag portrait films.
int quarterTurns(const AVStream* stream)
{
    const auto* matrix = reinterpret_cast<const std::int32_t*>(
        av_stream_get_side_data(stream, AV_PKT_DATA_DISPLAYMATRIX, nullptr));
    if (matrix == nullptr)
        return 0;
    const double degrees = -av_display_rotation_get(matrix);
    if (std::isnan(degrees))
        return 0;
    return static_cast<int>(std::lround(degrees / 90.0)) & 3;
}

class Poster {
public:
    Poster(AVFormatContext* input, int index, Codec decoder, int side)
        : input_(input), stream_(input->streams[index]), decoder_(std::move(decoder)), side_(side) {}

    /// The cover: the one picture its packet holds.
    std::optional<Picture> cover()
    {
        if (avcodec_send_packet(decoder_.get(), &stream_->attached_pic) < 0 || avcodec_send_packet(decoder_.get(), nullptr) < 0)
            return std::nullopt;
        return received();
    }

    /// The first frame at or after `at` (in the stream's time), the last one when the film
    /// ends before; nullopt when none decodes within the packets allowed.
    std::optional<Picture> frameAt(std::int64_t at)
    {
        if (at > 0 && av_seek_frame(input_, stream_->index, at, AVSEEK_FLAG_BACKWARD) >= 0)
            avcodec_flush_buffers(decoder_.get());
        Frame last;
        const Packet packet(av_packet_alloc());
        for (int packets = 0; packet && packets < kMaxPacketsPerTry;) {
            const int read = av_read_frame(input_, packet.get());
            if (read >= 0 && packet->stream_index != stream_->index) {
                av_packet_unref(packet.get());
                continue;
            }
            ++packets;
            const int sent = avcodec_send_packet(decoder_.get(), read >= 0 ? packet.get() : nullptr);
            av_packet_unref(packet.get());
            if (sent < 0 && read >= 0)
                continue;  // a damaged packet: the next may do
            while (Frame frame = nextFrame()) {
                const std::int64_t time = frame->best_effort_timestamp;
                last = std::move(frame);
                if (time == AV_NOPTS_VALUE || time >= at)
                    return square(last.get());
            }
            if (read < 0)
                break;
        }
        return last ? square(last.get()) : std::nullopt;
    }

    int turns() const { return quarterTurns(stream_); }

private:
    Frame nextFrame()
    {
        Frame frame(av_frame_alloc());
        if (!frame || avcodec_receive_frame(decoder_.get(), frame.get()) < 0)
            return nullptr;
        return frame;
    }
    std::optional<Picture> received()
    {
        const Frame frame = nextFrame();
        return frame ? square(frame.get()) : std::nullopt;
    }
    std::optional<Picture> square(AVFrame* frame) { return squareOf(frame, av_guess_sample_aspect_ratio(input_, stream_, frame), side_); }

    AVFormatContext* input_;
    AVStream* stream_;
    Codec decoder_;
    int side_;
};

// A frame a little way in, past a black start: the first that is not black of the tries,
// else the last found.
std::optional<Picture> filmFrame(Poster& poster, const AVFormatContext* input, const AVStream* stream)
{
    const std::int64_t start = stream->start_time == AV_NOPTS_VALUE ? 0 : stream->start_time;
    std::int64_t length = stream->duration;
    if (length == AV_NOPTS_VALUE || length <= 0)
        length = input->duration == AV_NOPTS_VALUE ? 0 : av_rescale_q(input->duration, AV_TIME_BASE_Q, stream->time_base);
    std::optional<Picture> found;
    for (const double part : kPosterTries) {
        const auto at = start + static_cast<std::int64_t>(static_cast<double>(length) * part);
        if (auto frame = poster.frameAt(at))
            found = std::move(frame);
        if ((found && !nearlyBlack(*found)) || length <= 0)
            break;
    }
    return found;
}

} // namespace

Decoded ffmpegPoster(const std::string& path, int side)
{
    BoundedFile file(path);
    if (!file.opened())
        return Unmade::Undecodable;
    const Input input(path, file);
    if (input.get() == nullptr)
        return file.spent() ? Unmade::TooLarge : Unmade::Undecodable;
    const int index = posterStream(input.get());
    if (index < 0)
        return Unmade::NoPicture;
    const AVStream* stream = input.get()->streams[index];
    const bool cover = stream->disposition & AV_DISPOSITION_ATTACHED_PIC;
    const std::int64_t maxPixels = cover ? kMaxPicturePixels : kMaxFilmFramePixels;
    if (std::int64_t{stream->codecpar->width} * stream->codecpar->height > maxPixels)
        return Unmade::TooLarge;
    Codec decoder = openDecoder(stream, maxPixels);
    if (!decoder)
        return Unmade::Undecodable;
    Poster poster(input.get(), index, std::move(decoder), side);
    const std::optional<Picture> picture = cover ? poster.cover() : filmFrame(poster, input.get(), stream);
    if (!picture)
        return file.spent() ? Unmade::TooLarge : Unmade::Undecodable;
    const int turns = poster.turns();
    return turns == 0 ? *picture : turned(*picture, turns);
}

void settleFfmpeg() { av_log_set_level(AV_LOG_QUIET); }

} // namespace tavlo
