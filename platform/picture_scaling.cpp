#include "platform/pictures.h"

#include <algorithm>
#include <cstdint>

namespace tavlo {

Picture squareCentreOf(const Picture& picture, int side)
{
    const int square = std::min(picture.width, picture.height);
    const int left = (picture.width - square) / 2, top = (picture.height - square) / 2;
    Picture scaled{side, side, std::vector<unsigned char>(static_cast<std::size_t>(side) * side * 3)};
    // The source pixels [from, to) that output pixel i covers, at least one.
    const auto span = [&](int i, int offset) {
        const int from = offset + static_cast<int>(static_cast<long long>(i) * square / side);
        const int to = offset + static_cast<int>(static_cast<long long>(i + 1) * square / side);
        return std::pair{from, std::max(to, from + 1)};
    };
    unsigned char* out = scaled.rgb.data();
    for (int y = 0; y < side; ++y) {
        const auto [y0, y1] = span(y, top);
        for (int x = 0; x < side; ++x) {
            const auto [x0, x1] = span(x, left);
            unsigned long sum[3] = {0, 0, 0};
            for (int sy = y0; sy < y1; ++sy) {
                const unsigned char* in = &picture.rgb[(static_cast<std::size_t>(sy) * picture.width + x0) * 3];
                for (int sx = x0; sx < x1; ++sx, in += 3)
                    sum[0] += in[0], sum[1] += in[1], sum[2] += in[2];
            }
            const auto count = static_cast<unsigned long>((y1 - y0) * (x1 - x0));
            for (const unsigned long channel : sum)
                *out++ = static_cast<unsigned char>((channel + count / 2) / count);
        }
    }
    return scaled;
}

bool nearlyBlack(const Picture& picture)
{
    constexpr std::uint64_t kBlackLevel = 24;  // of 255, on average over every channel
    std::uint64_t sum = 0;
    for (const unsigned char value : picture.rgb)
        sum += value;
    return sum < kBlackLevel * picture.rgb.size();
}

} // namespace tavlo
