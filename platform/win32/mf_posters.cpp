// The source reader converts the film's first video stream to 32-bit pixels; a frame is
// looked for a little way in, past a black start, as on Linux. Covers of sounds are not
// read here: a sound keeps its icon.
#include "platform/win32/mf_posters.h"
#include "platform/win32/win32_com.h"

#include <windows.h>
#include <mfapi.h>
#include <mferror.h>
#include <mfidl.h>
#include <mfreadwrite.h>

#include <cstdint>
#include <optional>
#include <utility>

namespace tavlo {
namespace {

constexpr DWORD kVideo = static_cast<DWORD>(MF_SOURCE_READER_FIRST_VIDEO_STREAM);
// Samples read in search of one frame, past the key frame the search starts from.
constexpr int kMaxSamplesPerTry = 3000;

// Media Foundation, started for one poster: the start is counted, so threads start it at once.
class Started {
public:
    Started() : result_(MFStartup(MF_VERSION, MFSTARTUP_LITE)) {}
    ~Started()
    {
        if (SUCCEEDED(result_))
            MFShutdown();
    }
    Started(const Started&) = delete;
    Started& operator=(const Started&) = delete;
    bool ok() const { return SUCCEEDED(result_); }

private:
    HRESULT result_;
};

struct Frames {
    Com<IMFSourceReader> reader;
    UINT32 width = 0, height = 0;
    LONG stride = 0;  // negative: the rows from the bottom up

    /// A sample's pixels as a picture, upright and in red, green, blue.
    std::optional<Picture> pictureOf(IMFSample* sample) const
    {
        Com<IMFMediaBuffer> buffer;
        BYTE* data = nullptr;
        DWORD length = 0;
        if (FAILED(sample->ConvertToContiguousBuffer(buffer.put())) || FAILED(buffer->Lock(&data, nullptr, &length)))
            return std::nullopt;
        const LONG rowBytes = static_cast<LONG>(width) * 4, step = stride == 0 ? rowBytes : stride;
        std::optional<Picture> picture;
        if (static_cast<std::uint64_t>(rowBytes) * height <= length) {
            picture = Picture{static_cast<int>(width), static_cast<int>(height), {}};
            picture->rgb.reserve(static_cast<std::size_t>(width) * height * 3);
            const BYTE* row = step < 0 ? data + static_cast<std::size_t>(-step) * (height - 1) : data;
            for (UINT32 y = 0; y < height; ++y, row += step)
                for (UINT32 x = 0; x < width; ++x)
                    picture->rgb.insert(picture->rgb.end(), {row[x * 4 + 2], row[x * 4 + 1], row[x * 4]});
        }
        buffer->Unlock();
        return picture;
    }

    /// The first frame at or after `at` (in 100-nanosecond units), the last one when the film
    /// ends before; nullopt when none comes within the samples allowed.
    std::optional<Picture> frameAt(LONGLONG at)
    {
        PROPVARIANT position;
        PropVariantInit(&position);
        position.vt = VT_I8;
        position.hVal.QuadPart = at;
        reader->SetCurrentPosition(GUID_NULL, position);
        Com<IMFSample> last;
        for (int samples = 0; samples < kMaxSamplesPerTry; ++samples) {
            DWORD flags = 0;
            LONGLONG time = 0;
            Com<IMFSample> sample;
            if (FAILED(reader->ReadSample(kVideo, 0, nullptr, &flags, &time, sample.put())) ||
                (flags & (MF_SOURCE_READERF_ERROR | MF_SOURCE_READERF_ENDOFSTREAM)))
                break;
            if (!sample)
                continue;
            last = std::move(sample);
            if (time >= at)
                break;
        }
        return last ? pictureOf(last.get()) : std::nullopt;
    }
};

} // namespace

Decoded mediaFoundationPoster(const std::wstring& path, int side)
{
    const Started started;
    Com<IMFAttributes> options;
    Frames frames;
    if (!started.ok() || FAILED(MFCreateAttributes(options.put(), 1)) ||
        FAILED(options->SetUINT32(MF_SOURCE_READER_ENABLE_VIDEO_PROCESSING, TRUE)) ||
        FAILED(MFCreateSourceReaderFromURL(path.c_str(), options.get(), frames.reader.put())))
        return Unmade::Undecodable;
    Com<IMFMediaType> wanted, given;
    frames.reader->SetStreamSelection(static_cast<DWORD>(MF_SOURCE_READER_ALL_STREAMS), FALSE);
    if (FAILED(frames.reader->SetStreamSelection(kVideo, TRUE)))
        return Unmade::NoPicture;  // a sound, or a film without pictures
    if (FAILED(MFCreateMediaType(wanted.put())) || FAILED(wanted->SetGUID(MF_MT_MAJOR_TYPE, MFMediaType_Video)) ||
        FAILED(wanted->SetGUID(MF_MT_SUBTYPE, MFVideoFormat_RGB32)) ||
        FAILED(frames.reader->SetCurrentMediaType(kVideo, nullptr, wanted.get())) ||
        FAILED(frames.reader->GetCurrentMediaType(kVideo, given.put())) ||
        FAILED(MFGetAttributeSize(given.get(), MF_MT_FRAME_SIZE, &frames.width, &frames.height)) || frames.width == 0 ||
        frames.height == 0)
        return Unmade::Undecodable;
    if (static_cast<std::int64_t>(frames.width) * frames.height > kMaxFilmFramePixels)
        return Unmade::TooLarge;
    frames.stride = static_cast<LONG>(MFGetAttributeUINT32(given.get(), MF_MT_DEFAULT_STRIDE, 0));

    PROPVARIANT duration;
    PropVariantInit(&duration);
    LONGLONG length = 0;
    if (SUCCEEDED(frames.reader->GetPresentationAttribute(static_cast<DWORD>(MF_SOURCE_READER_MEDIASOURCE), MF_PD_DURATION,
                                                          &duration)) && duration.vt == VT_UI8)
        length = static_cast<LONGLONG>(duration.uhVal.QuadPart);
    PropVariantClear(&duration);
    std::optional<Picture> found;
    for (const double part : kPosterTries) {
        if (auto frame = frames.frameAt(static_cast<LONGLONG>(static_cast<double>(length) * part)))
            found = squareCentreOf(*frame, side);
        if ((found && !nearlyBlack(*found)) || length <= 0)
            break;
    }
    if (!found)
        return Unmade::Undecodable;
    return *found;
}

} // namespace tavlo
