// Films and sounds with "Crea miniature": a film's cell shows a frame of it with a play mark, a
// sound's the cover it carries, each reused by the next build; one that shows nothing keeps its
// icon, and one that cannot be decoded is told. The films are made by FFmpeg's own program where
// it is installed (not on Windows, where only the damaged ones are tried).
#include "gallery/thumbnails.h"
#include "support/page_test.h"

#include <cstdlib>

namespace tavlo::test {
namespace {

struct Seen { const char* name; const char* caption; bool film; int x, y; unsigned char rgb[3]; };  // a pixel of a poster, upright

// Where FFmpeg's program is: made with it (`command`, its output named last), else nothing.
bool made(const std::string& command)
{
    return !kWindows && std::system(("ffmpeg -v error -y " + command + " >/dev/null 2>&1").c_str()) == 0;
}

TEST_F(BuildTest, FilmsAndSoundsShowTheirPostersOrKeepTheirIcons)
{
    const std::string film = in("Vacanze/IMG_0001.MP4"), greek = in("Ταινία.avi"), cover = in("音乐.mp3");
    rig.tree.folder("site/Vacanze");
    // A phone's portrait film: stored on its side (red left, blue right), black for its first 1.6 s.
    const bool films = made("-f lavfi -i color=c=blue:s=320x240:d=4,drawbox=w=160:h=240:c=red:t=fill,fade=st=1.6:d=0.1 "
                            "-c:v libx264 -pix_fmt yuv420p '" + in("stored.mp4") + "'") &&
                       made("-i '" + in("stored.mp4") + "' -c copy -metadata:s:v:0 rotate=270 '" + film + "'") &&
                       made("-f lavfi -i color=c=blue:s=176x144:d=2 -c:v mpeg4 '" + greek + "'") &&
                       made("-f lavfi -i sine=d=1 -f lavfi -i color=c=lime:s=64x48:d=1 -map 0 -map 1 -frames:v 1 "
                            "-c:v mjpeg -disposition:v attached_pic '" + cover + "'") &&
                       made("-f lavfi -i sine=d=1 '" + in("🎵.mp3") + "'") &&  // no cover
                       made("-f lavfi -i sine=d=1 -c:a aac '" + in("suono.mp4") + "'");  // a film without pictures
    const std::string start = films ? readFile(film) : std::string("\0\0\0\x18" "ftypisom\0\0\0\0isomavc1\0\0\x40\0mdat", 32);
    std::vector<std::string> entries{rig.tree.file("site/rotto.mp4", start.substr(0, start.size() / 2)),
                                     rig.tree.file("site/vuoto.mpg")};
    if (films)
        entries.insert(entries.end(), {film, greek, cover, in("🎵.mp3"), in("suono.mp4")});
    fillList(entries);
    rig.controls.setChecked(ControlId::chkMINIATURE, true);
    click(ControlId::Command1, {Answer::Ok, Answer::No});
    EXPECT_EQ(prompts().at(0), "Miniatura non creata (formato sconosciuto o file danneggiato), resta l'originale: N.files = 2");

    const std::string eight(8, ' ');
    const auto tail = [](std::string_view caption) {  // each cell's picture with its caption as its text
        return "\" border=\"0\" width=\"100\" height=\"100\" alt=\"" + std::string(caption) + "\"";
    };
    const Lines page = this->page("TAVLO.HTM");
    const auto cellOf = [&](const std::string& entry) {
        const std::string link = "<A HREF=\"" + linkTo(rig, entry.substr(folder.size())) + "\">";
        const auto at = std::find(page.begin(), page.end(), eight + link);
        return at == page.end() ? std::string() : *(at + 1);
    };
    for (const auto& [icon, caption] : {std::pair{entries[0], "Rotto.mp4"}, {entries[1], "Vuoto.mpg"},
                                        films ? std::pair{in("suono.mp4"), "Suono.mp4"} : std::pair{entries[0], "Rotto.mp4"}})
        EXPECT_EQ(cellOf(icon), eight + "<img src=\"FILM-1A.JPG" + tail(caption) + "></A>");
    if (!films)
        return;
    EXPECT_EQ(cellOf(in("🎵.mp3")), eight + "<img src=\"MUSIC-1A.JPG" + tail("🎵.mp3") + "></A>");
    const Seen shown[] = {{"Vacanze/IMG_0001.MP4", "Img_0001.mp4", true, 100, 25, {255, 0, 0}},
                           {"Vacanze/IMG_0001.MP4", "Img_0001.mp4", true, 100, 175, {0, 0, 255}},
                           {"Ταινία.avi", "Ταινία.avi", true, 20, 100, {0, 0, 255}}, {"音乐.mp3", "音乐.mp3", false, 100, 100, {0, 255, 0}}};
    for (const Seen& s : shown) {
        const std::string name = thumbnailName(in(s.name), kSep);
        EXPECT_EQ(cellOf(in(s.name)), eight + "<img src=\"" + native("MINIATURE/") + name + tail(s.caption) + " loading=\"lazy\" data-" +
                                          (s.film ? "film" : "suono") + "=\"" + linkTo(rig, s.name) + "\"></A>");
        const Decoded decoded = rig.pictures->squareCentre(in("MINIATURE/" + name), 200);
        const Picture* poster = std::get_if<Picture>(&decoded);
        ASSERT_TRUE(poster) << s.name;
        const unsigned char* at = &poster->rgb[(s.y * 200 + s.x) * 3], *middle = &poster->rgb[(100 * 200 + 100) * 3];
        for (int c = 0; c < 3; ++c)
            EXPECT_NEAR(at[c], s.rgb[c], 40) << s.name << " at " << s.x << "," << s.y;
        EXPECT_EQ(middle[0] > 200 && middle[1] > 200 && middle[2] > 200, s.film) << s.name << ": the play mark";
    }

    rig.ui.boxes.clear(), rig.ui.progress.clear();
    click(ControlId::Command1, {Answer::Yes, Answer::Ok, Answer::No});
    EXPECT_EQ(rig.ui.progress.back(), "Miniature: 4 di 4 [Annulla]") << "the posters made are used again";
}

} // namespace
} // namespace tavlo::test
