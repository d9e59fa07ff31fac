#include "gallery/posters.h"

#include <algorithm>
#include <cmath>

namespace tavlo {
namespace {

// How much of a pixel at signed distance `d` from an edge (inside: positive) is covered.
double coverage(double d) { return std::clamp(d + 0.5, 0.0, 1.0); }

void blend(unsigned char* pixel, double alpha, double value)
{
    for (int c = 0; c < 3; ++c)
        pixel[c] = static_cast<unsigned char>(std::lround(pixel[c] * (1 - alpha) + value * alpha));
}

} // namespace

void drawPlayMark(Picture& picture)
{
    const double side = picture.width, centre = side / 2, radius = side * 0.17;
    // The triangle points right, its middle on the disc's centre: its three edges as lines
    // a x + b y = c, normalised, the inside where a x + b y < c.
    const double left = centre - radius * 0.35, tip = centre + radius * 0.55, half = radius * 0.5;
    const double slope = std::hypot(tip - left, half);
    const double edges[3][3] = {{-1, 0, -left},
                                {half / slope, (tip - left) / slope, (half * tip + (tip - left) * centre) / slope},
                                {half / slope, -(tip - left) / slope, (half * tip - (tip - left) * centre) / slope}};
    const int from = static_cast<int>(centre - radius - 1), to = static_cast<int>(centre + radius + 2);
    for (int y = std::max(0, from); y < std::min(picture.height, to); ++y)
        for (int x = std::max(0, from); x < std::min(picture.width, to); ++x) {
            const double px = x + 0.5, py = y + 0.5;
            unsigned char* pixel = &picture.rgb[(static_cast<std::size_t>(y) * picture.width + x) * 3];
            blend(pixel, 0.55 * coverage(radius - std::hypot(px - centre, py - centre)), 20);
            double inside = radius;
            for (const auto& e : edges)
                inside = std::min(inside, e[2] - e[0] * px - e[1] * py);
            blend(pixel, 0.95 * coverage(inside), 255);
        }
}

MadePictures makePoster(const Pictures& pictures, const std::string& path, int side, std::string_view playedAs)
{
    MadePictures made;
    Decoded decoded = pictures.poster(path, side);
    if (const auto* unmade = std::get_if<Unmade>(&decoded)) {
        made.unmade = *unmade;
        return made;
    }
    Picture& poster = std::get<Picture>(decoded);
    if (playedAs == "film")  // a film reads as one, also where scripts are off
        drawPlayMark(poster);
    made.thumbnail = pictures.jpeg(poster);
    return made;
}

} // namespace tavlo
