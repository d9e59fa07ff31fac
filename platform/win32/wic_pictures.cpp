// Pictures on the Windows Imaging Component: nothing beyond the Windows API. A
// JPEG is scaled by its decoder, from its compressed blocks, before the centre is
// cut; the orientation tag is read from the picture's metadata and applied here.
// TIFF has its codec in every Windows; WebP and HEIC theirs where the system has them. Films
// go to Media Foundation.
#include "platform/pictures.h"
#include "platform/win32/mf_posters.h"
#include "platform/win32/win32_com.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_text.h"

#include <windows.h>
#include <wincodec.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <utility>

namespace tavlo {
namespace {

constexpr float kJpegQuality = 0.82f;

bool createFactory(Com<IWICImagingFactory>& factory)
{
    return SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                      reinterpret_cast<void**>(factory.put())));
}

// The EXIF orientation tag (1 to 8), 1 when the picture has none.
int orientationOf(IWICBitmapFrameDecode* frame)
{
    Com<IWICMetadataQueryReader> metadata;
    if (FAILED(frame->GetMetadataQueryReader(metadata.put())))
        return 1;
    for (const wchar_t* name : {L"/app1/ifd/{ushort=274}", L"/ifd/{ushort=274}"}) {
        PROPVARIANT value;
        PropVariantInit(&value);
        const bool found = SUCCEEDED(metadata->GetMetadataByName(name, &value)) && value.vt == VT_UI2;
        const int orientation = found ? value.uiVal : 0;
        PropVariantClear(&value);
        if (orientation >= 1 && orientation <= 8)
            return orientation;
    }
    return 1;
}

// Turns a picture upright as its orientation tag says.
Picture upright(Picture picture, int orientation)
{
    if (orientation < 2 || orientation > 8)
        return picture;
    const int w = picture.width, h = picture.height;
    const bool across = orientation >= 5;  // turned a quarter: width and height swap
    Picture turned{across ? h : w, across ? w : h, std::vector<unsigned char>(picture.rgb.size())};
    for (int y = 0; y < turned.height; ++y)
        for (int x = 0; x < turned.width; ++x) {
            // Where the pixel shown at (x, y) is stored.
            int sx = x, sy = y;
            switch (orientation) {
            case 2: sx = w - 1 - x; break;
            case 3: sx = w - 1 - x, sy = h - 1 - y; break;
            case 4: sy = h - 1 - y; break;
            case 5: sx = y, sy = x; break;
            case 6: sx = y, sy = h - 1 - x; break;
            case 7: sx = w - 1 - y, sy = h - 1 - x; break;
            case 8: sx = w - 1 - y, sy = x; break;
            default: break;
            }
            std::copy_n(&picture.rgb[(static_cast<std::size_t>(sy) * w + sx) * 3], 3,
                        &turned.rgb[(static_cast<std::size_t>(y) * turned.width + x) * 3]);
        }
    return turned;
}

void swapRedAndBlue(std::vector<unsigned char>& pixels)
{
    for (std::size_t i = 0; i + 2 < pixels.size(); i += 3)
        std::swap(pixels[i], pixels[i + 2]);
}

// A picture file's first frame, ready to give its pixels.
struct Frame {
    Com<IWICImagingFactory> factory;
    Com<IWICBitmapDecoder> decoder;
    Com<IWICBitmapFrameDecode> frame;
    Com<IWICFormatConverter> converter;
    IWICBitmapSource* pixels = nullptr;  // the frame's own 24-bit pixels, or the converter's 32-bit ones
    UINT width = 0, height = 0;

    /// Nothing when the file is a picture within the bounds, ready to give its pixels.
    std::optional<Unmade> open(const std::string& path)
    {
        if (!createFactory(factory) ||
            FAILED(factory->CreateDecoderFromFilename(systemPath(path).c_str(), nullptr, GENERIC_READ,
                                                      WICDecodeMetadataCacheOnDemand, decoder.put())) ||
            FAILED(decoder->GetFrame(0, frame.put())) || FAILED(frame->GetSize(&width, &height)) || width == 0 ||
            height == 0)
            return Unmade::Undecodable;
        if (static_cast<std::int64_t>(width) * height > kMaxPicturePixels)  // as the frame states it, before decoding
            return Unmade::TooLarge;
        // A JPEG's own pixels go to the scaler straight from its decoder, which then
        // decodes it at a fraction of its size; any other picture (a palette, an alpha
        // channel, 16 bits a channel) is converted to premultiplied 32-bit pixels first,
        // which scale without the colour of transparent parts bleeding in.
        WICPixelFormatGUID stored{};
        if (FAILED(frame->GetPixelFormat(&stored)))
            return Unmade::Undecodable;
        if (stored == GUID_WICPixelFormat24bppBGR) {
            pixels = frame.get();
            return std::nullopt;
        }
        if (FAILED(factory->CreateFormatConverter(converter.put())) ||
            FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr,
                                         0, WICBitmapPaletteTypeCustom)))
            return Unmade::Undecodable;
        pixels = converter.get();
        return std::nullopt;
    }

    /// The pixels of `source` (width x height, from these pixels), upright, transparent parts on white.
    Decoded copy(IWICBitmapSource* source, UINT w, UINT h) const
    {
        const std::size_t bytesPerPixel = pixels == frame.get() ? 3 : 4;
        std::vector<unsigned char> copied(static_cast<std::size_t>(w) * h * bytesPerPixel);
        if (FAILED(source->CopyPixels(nullptr, static_cast<UINT>(w * bytesPerPixel), static_cast<UINT>(copied.size()),
                                      copied.data())))
            return Unmade::Undecodable;
        Picture picture{static_cast<int>(w), static_cast<int>(h), {}};
        picture.rgb.reserve(static_cast<std::size_t>(w) * h * 3);
        for (std::size_t i = 0; i < copied.size(); i += bytesPerPixel) {
            // A premultiplied pixel gets the white its transparency lets through.
            const auto clear = static_cast<unsigned char>(bytesPerPixel == 4 ? 255 - copied[i + 3] : 0);
            picture.rgb.insert(picture.rgb.end(), {static_cast<unsigned char>(copied[i + 2] + clear),
                                                   static_cast<unsigned char>(copied[i + 1] + clear),
                                                   static_cast<unsigned char>(copied[i] + clear)});
        }
        return upright(std::move(picture), orientationOf(frame.get()));
    }
};

// The centred square of an opened picture, side x side: scaled as a whole so that its
// shorter side becomes `side`, then the centre cut out.
Decoded squareOf(const Frame& d, int side)
{
    const double scale = static_cast<double>(side) / std::min(d.width, d.height);
    const auto scaledWidth = static_cast<UINT>(std::max<long>(side, std::lround(d.width * scale)));
    const auto scaledHeight = static_cast<UINT>(std::max<long>(side, std::lround(d.height * scale)));
    const WICRect centre{static_cast<INT>((scaledWidth - side) / 2), static_cast<INT>((scaledHeight - side) / 2),
                         side, side};
    Com<IWICBitmapScaler> scaler;
    Com<IWICBitmapClipper> clipper;
    if (FAILED(d.factory->CreateBitmapScaler(scaler.put())) ||
        FAILED(scaler->Initialize(d.pixels, scaledWidth, scaledHeight, WICBitmapInterpolationModeFant)) ||
        FAILED(d.factory->CreateBitmapClipper(clipper.put())) || FAILED(clipper->Initialize(scaler.get(), &centre)))
        return Unmade::Undecodable;
    return d.copy(clipper.get(), static_cast<UINT>(side), static_cast<UINT>(side));
}

// An opened picture whole, scaled down so that its longer side is at most longestSide.
Decoded fittedOf(const Frame& d, int longestSide)
{
    const double scale = std::min(1.0, static_cast<double>(longestSide) / std::max(d.width, d.height));
    const auto width = static_cast<UINT>(std::max(1L, std::lround(d.width * scale)));
    const auto height = static_cast<UINT>(std::max(1L, std::lround(d.height * scale)));
    Com<IWICBitmapScaler> scaler;
    if (FAILED(d.factory->CreateBitmapScaler(scaler.put())) ||
        FAILED(scaler->Initialize(d.pixels, width, height, WICBitmapInterpolationModeFant)))
        return Unmade::Undecodable;
    return d.copy(scaler.get(), width, height);
}

class WicPictures final : public Pictures {
public:
    Decoded squareCentre(const std::string& path, int side) const override
    {
        const ComScope com(COINIT_MULTITHREADED);  // a worker thread's own COM
        Frame d;
        if (const auto unmade = d.open(path))
            return *unmade;
        return squareOf(d, side);
    }

    std::variant<Shown, Unmade> shown(const std::string& path, int side, int screenSide, bool screen) const override
    {
        const ComScope com(COINIT_MULTITHREADED);  // a worker thread's own COM
        Frame d;
        if (const auto unmade = d.open(path))
            return *unmade;
        const bool turned = orientationOf(d.frame.get()) >= 5;  // a quarter turn
        const auto width = static_cast<int>(turned ? d.height : d.width), height = static_cast<int>(turned ? d.width : d.height);
        // A picture without a screen copy is decoded for its square alone.
        const bool copy = screen || static_cast<int>(std::max(d.width, d.height)) > screenSide;
        Decoded decoded = copy ? fittedOf(d, screenSide) : squareOf(d, side);
        if (const auto* unmade = std::get_if<Unmade>(&decoded))
            return *unmade;
        const Picture& picture = std::get<Picture>(decoded);
        if (!copy)
            return Shown{jpeg(picture), {}, width, height};
        return Shown{jpeg(squareCentreOf(picture, side)), jpeg(picture), width, height};
    }

    Decoded poster(const std::string& path, int side) const override
    {
        const ComScope com(COINIT_MULTITHREADED);  // a worker thread's own COM
        return mediaFoundationPoster(wideText(path), side);
    }

    std::string jpeg(const Picture& picture) const override
    {
        const ComScope com(COINIT_MULTITHREADED);  // a worker thread's own COM
        Com<IWICImagingFactory> factory;
        Com<IStream> stream;
        Com<IWICBitmapEncoder> encoder;
        Com<IWICBitmapFrameEncode> frame;
        Com<IPropertyBag2> options;
        if (!createFactory(factory) || FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.put())) ||
            FAILED(factory->CreateEncoder(GUID_ContainerFormatJpeg, nullptr, encoder.put())) ||
            FAILED(encoder->Initialize(stream.get(), WICBitmapEncoderNoCache)) ||
            FAILED(encoder->CreateNewFrame(frame.put(), options.put())))
            return {};
        PROPBAG2 quality{};
        quality.pstrName = const_cast<LPOLESTR>(L"ImageQuality");
        VARIANT value;
        VariantInit(&value);
        value.vt = VT_R4;
        value.fltVal = kJpegQuality;
        options->Write(1, &quality, &value);  // a codec without the option keeps its own quality

        std::vector<unsigned char> bgr = picture.rgb;
        swapRedAndBlue(bgr);
        WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
        const auto stride = static_cast<UINT>(picture.width) * 3;
        if (FAILED(frame->Initialize(options.get())) ||
            FAILED(frame->SetSize(static_cast<UINT>(picture.width), static_cast<UINT>(picture.height))) ||
            FAILED(frame->SetPixelFormat(&format)) || format != GUID_WICPixelFormat24bppBGR ||
            FAILED(frame->WritePixels(static_cast<UINT>(picture.height), stride, static_cast<UINT>(bgr.size()),
                                      bgr.data())) ||
            FAILED(frame->Commit()) || FAILED(encoder->Commit()))
            return {};

        ULARGE_INTEGER size{};
        const LARGE_INTEGER start{};
        if (FAILED(stream->Seek(start, STREAM_SEEK_CUR, &size)) || FAILED(stream->Seek(start, STREAM_SEEK_SET, nullptr)))
            return {};
        std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
        ULONG read = 0;
        if (FAILED(stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read)))
            return {};
        bytes.resize(read);
        return bytes;
    }
};

} // namespace

std::unique_ptr<Pictures> createPictures() { return std::make_unique<WicPictures>(); }

} // namespace tavlo
