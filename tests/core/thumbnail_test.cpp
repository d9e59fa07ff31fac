// Thumbnails ("Crea miniature") through the build buttons, over real pictures made with the
// platform's own imaging: the cells, the thumbnails, their reuse, cancelling, a write failure.
#include "gallery/screen_copies.h"
#include "gallery/thumbnails.h"
#include "platform/text_rules.h"
#include "support/page_test.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <set>

namespace tavlo::test {
namespace {

std::string bigEndian(std::uint32_t value)
{
    return {static_cast<char>(value >> 24), static_cast<char>(value >> 16), static_cast<char>(value >> 8), static_cast<char>(value)};
}

// A PNG whose rows are all `row`, of three bytes a pixel (RGB) or four (RGBA), stored without compression.
std::string png(const std::string& row, int channels, int height)
{
    static const auto table = [] {
        std::array<std::uint32_t, 256> crc{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            crc[n] = n;
            for (int k = 0; k < 8; ++k)
                crc[n] = crc[n] & 1 ? 0xEDB88320u ^ (crc[n] >> 1) : crc[n] >> 1;
        }
        return crc;
    }();
    std::string file("\x89PNG\r\n\x1a\n");
    const auto chunk = [&](std::string_view type, std::string_view data) {
        std::uint32_t crc = ~0u;
        for (const std::string_view part : {type, data})
            for (const unsigned char c : part)
                crc = table[(crc ^ c) & 0xFF] ^ (crc >> 8);
        file += bigEndian(static_cast<std::uint32_t>(data.size())), file += type, file += data, file += bigEndian(~crc);
    };
    const std::string rows = [&] { std::string all; for (int y = 0; y < height; ++y) all += '\0' + row; return all; }();
    std::string deflated("\x78\x01");
    std::uint64_t a = 1, b = 0;  // the checksum's sums, wide enough for a whole block
    for (std::size_t at = 0; at < rows.size(); at += 65535) {
        const auto size = static_cast<std::uint16_t>(std::min<std::size_t>(65535, rows.size() - at));
        deflated += {static_cast<char>(at + size == rows.size()), static_cast<char>(size), static_cast<char>(size >> 8),
                     static_cast<char>(~size), static_cast<char>(~size >> 8)};
        deflated.append(rows, at, size);
        for (const unsigned char c : std::string_view(rows).substr(at, size))
            a += c, b += a;
        a %= 65521, b %= 65521;
    }
    deflated += bigEndian(static_cast<std::uint32_t>(b << 16 | a));
    const auto width = static_cast<std::uint32_t>(row.size() / channels);
    chunk("IHDR", bigEndian(width) + bigEndian(static_cast<std::uint32_t>(height)) + std::string{8, static_cast<char>(channels == 4 ? 6 : 2), 0, 0, 0});
    chunk("IDAT", deflated);
    chunk("IEND", "");
    return file;
}

// A PNG of 3 x 2 green pixels and a GIF of 2 x 2 blue ones, made by hand.
const std::string kPng = png(std::string("\0\xff\0\0\xff\0\0\xff\0", 9), 3, 2);
const std::string kGif("GIF89a\x02\0\x02\0\x80\0\0\0\0\xff\xff\xff\xff\x2c\0\0\0\0\x02\0\x02\0\0\x02\x03\x04\0\x05\0\x3b", 36);

// A width x height picture, blue but for its red top-left quarter.
Picture redCorner(int width, int height)
{
    Picture picture{width, height, {}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const unsigned char red = x < width / 2 && y < height / 2 ? 255 : 0;
            picture.rgb.insert(picture.rgb.end(), {red, 0, static_cast<unsigned char>(255 - red)});
        }
    return picture;
}

// The JPEG with an EXIF orientation tag (little-endian TIFF, one entry) right after its start marker.
std::string withOrientation(const std::string& jpeg, char orientation)
{
    const std::string exif("\xFF\xE1\0\x22" "Exif\0\0" "II*\0\x08\0\0\0" "\x01\0" "\x12\x01\x03\0\x01\0\0\0", 28);
    return jpeg.substr(0, 2) + exif + orientation + std::string(7, '\0') + jpeg.substr(2);
}

// Height and width from a JPEG's frame header.
std::string jpegSize(const std::string& jpeg) { return jpeg.substr(jpeg.find("\xFF\xC0") + 5, 4); }

// Whether a pixel is red and not blue, give or take what JPEG does to it.
bool redAt(const Picture& picture, int x, int y)
{
    const unsigned char* p = &picture.rgb[static_cast<std::size_t>((y * picture.width + x) * 3)];
    return p[0] > 200 && p[2] < 60;
}

struct Build { ControlId button; const char* page; };  // a build button, and the page that shows the pictures

class Thumbnails : public BuildTest, public ::testing::WithParamInterface<Build> {
protected:
    Thumbnails()
    {
        const std::string photo = rig.pictures->jpeg(redCorner(400, 200));
        entries = {
            rig.tree.file("site/Foto/ruotata.jpg", withOrientation(photo, 6)),
            rig.tree.file("site/a/Mare 1.jpg", photo),
            rig.tree.file("site/b/Mare 1.jpg", rig.pictures->jpeg(redCorner(300, 300))),
            rig.tree.file("site/rotta.jpg", photo.substr(0, 60)),
            rig.tree.file("site/disegno.png", kPng),
            rig.tree.file("site/anim.gif", kGif),
            in("brano.mp3"),
        };
        refill();
        rig.controls.setChecked(ControlId::chkMINIATURE, true);
    }

    void refill()
    {
        rig.controls.listClear();
        fillList(entries);
        rig.type(ControlId::txtMAX_N_FILES, "10");
    }

    Lines imageLines() const
    {
        Lines lines = page(GetParam().page);
        std::erase_if(lines, [](const std::string& line) { return line.find("<img src=") == std::string::npos; });
        return lines;
    }
    static std::string source(const std::string& line)
    {
        const auto start = line.find('"') + 1;
        return line.substr(start, line.find('"', start) - start);
    }

    std::set<std::string> made() const
    {
        std::set<std::string> names;
        for (const auto& file : std::filesystem::directory_iterator(in("MINIATURE"), dirError))
            if (!file.path().filename().string().starts_with("."))  // the build's record and sizes
                names.insert(file.path().filename().string());
        return names;
    }
    mutable std::error_code dirError;  // no folder: nothing made

    std::vector<std::string> entries;
};

TEST_P(Thumbnails, CellsShowUprightSquareThumbnailsBesideThePages)
{
    click(GetParam().button, {Answer::Ok, Answer::No});  // the count of originals kept, the view question
    EXPECT_EQ(rig.ui.progress.front(), "Miniature: 0 di 6 [Annulla]");
    EXPECT_EQ(rig.ui.progress.back(), "Miniature: 6 di 6 [Annulla]");
    EXPECT_EQ(prompts().at(0),  // the damaged photo, and the sound that is not there
              "Miniatura non creata (formato sconosciuto o file danneggiato), resta l'originale: N.files = 2");

    // One thumbnail per decodable picture (the two "Mare 1.jpg" apart), each in its cell, every
    // cell's picture with its caption as its text.
    const Lines lines = imageLines();
    ASSERT_EQ(lines.size(), 7u);
    const std::string eight(8, ' '), tail = "\" border=\"0\" width=\"100\" height=\"100\" alt=\"";
    std::set<std::string> shown;
    const char* pictures[] = {"Foto/ruotata.jpg", "a/Mare 1.jpg", "b/Mare 1.jpg", "", "disegno.png", "anim.gif"};
    const char* captions[] = {"Ruotata.jpg", "Mare 1.jpg", "Mare 1.jpg", "", "Disegno.png", "Anim.gif"};
    for (std::size_t i : {0, 1, 2, 4, 5}) {  // the viewer shows the picture itself
        const std::string name = source(lines[i]).substr(native("MINIATURE/").size());
        EXPECT_EQ(lines[i], eight + "<img src=\"" + native("MINIATURE/") + name + tail + captions[i] +
                                "\" loading=\"lazy\" data-foto=\"" + linkTo(rig, pictures[i]) + "\"></A>");
        shown.insert(name);
    }
    EXPECT_EQ(shown, made());
    EXPECT_EQ(shown.size(), 5u);
    EXPECT_EQ(lines[3], eight + "<img src=\"" + linkTo(rig, "rotta.jpg") + tail + "Rotta.jpg\"></A>");
    EXPECT_EQ(lines[6], eight + "<img src=\"MUSIC-1A.JPG" + tail + "Brano.mp3\"></A>");

    // The turned photo: 200 x 200, upright, its red corner now at the top right.
    const std::string turned = in(source(lines[0]));
    EXPECT_EQ(jpegSize(readFile(turned)), std::string("\0\xC8\0\xC8", 4));
    if (kWindows && std::getenv("WINEPREFIX") != nullptr)
        GTEST_SKIP() << "Wine's imaging component reads no JPEG metadata, so no orientation tag";
    const Decoded decoded = rig.pictures->squareCentre(turned, 200);
    const Picture* thumbnail = std::get_if<Picture>(&decoded);
    ASSERT_TRUE(thumbnail);
    EXPECT_TRUE(redAt(*thumbnail, 150, 50) && !redAt(*thumbnail, 50, 50) && !redAt(*thumbnail, 150, 150) &&
                thumbnail->rgb[2] > 200);  // blue elsewhere
}

TEST_P(Thumbnails, LoadedAndBuiltAgainInPlaceTheGalleryTakesNoneOfItsOwnFilesAndReusesEveryThumbnail)
{
    // The photos' own folder is the page folder. A page of the user's own, of a name a build writes, is loaded as
    // ever, and so is a photo in a folder of the user's that has the thumbnail folder's name.
    rig.tree.file("site/brano.mp3"), rig.tree.file("site/b/TAVLO.HTM"), rig.tree.file("site/MINIATURE/mia.jpg", rig.pictures->jpeg(redCorner(90, 60)));
    const auto load = [&] {
        rig.click(ControlId::Command2), rig.type(ControlId::txtPATH_RICERCA, folder), rig.click(ControlId::cmdCONFERMA_Tutti);
        rig.type(ControlId::txtMAX_N_FILES, "10");
    };
    load();
    const Lines listed = rig.controls.entries();
    EXPECT_EQ(listed.size(), 8u);  // a PNG is not among the known types
    click(GetParam().button, {Answer::Ok, Answer::No});
    const std::string built = pageText(GetParam().page), viewPage = pageText("MARE 1~2.HTM");
    load();
    EXPECT_EQ(rig.controls.entries(), listed);
    rig.fs.created.clear(), rig.ui.progress.clear();
    click(GetParam().button, {Answer::Yes, Answer::Ok, Answer::No});  // the page is there: overwritten
    EXPECT_EQ(pageText(GetParam().page), built);
    EXPECT_EQ(pageText("MARE 1~2.HTM"), viewPage);
    EXPECT_EQ(rig.ui.progress.back(), "Miniature: 2 di 2 [Annulla]") << "only the damaged picture and sound are tried again";
    std::erase_if(rig.fs.created, [](const std::string& path) { return path.ends_with(".tavlo"); });
    for (const std::string& path : rig.fs.created)
        EXPECT_EQ(path.find("MINIATURE"), std::string::npos) << path;
    // A view page is tried as a new file first; one that is there with these very bytes is left as it is.
    EXPECT_EQ(std::set(rig.fs.created.begin(), rig.fs.created.end()).size(), rig.fs.created.size());
    load();
    EXPECT_EQ(rig.controls.entries(), listed);
}

TEST_P(Thumbnails, APictureReplacedByAnOlderOneGetsANewThumbnail)
{
    click(GetParam().button, {Answer::Ok, Answer::No});
    // Another photo copied over it, keeping its own earlier date.
    const auto date = std::filesystem::last_write_time(entries[1]) - std::chrono::hours(24 * 365);
    rig.tree.file("site/a/Mare 1.jpg", rig.pictures->jpeg(redCorner(300, 300)));
    std::filesystem::last_write_time(entries[1], date);
    refill();
    rig.ui.progress.clear();
    click(GetParam().button, {Answer::Yes, Answer::Ok, Answer::No});
    EXPECT_EQ(rig.ui.progress.back(), "Miniature: 2 di 2 [Annulla]") << "the damaged picture and the replaced one";
}

TEST_P(Thumbnails, CancellingWritesNoPageAndNoThumbnail)
{
    rig.ui.cancelAtShow = 1;
    click(GetParam().button, {Answer::Ok});
    EXPECT_EQ(prompts(), Lines{"Miniature interrotte: nessuna pagina .HTM creata !!!"});
    EXPECT_FALSE(rig.tree.exists("site/" + std::string(GetParam().page)));
    EXPECT_EQ(made(), std::set<std::string>{});
    EXPECT_EQ(countOf(rig.ui.log, "progress closed"), 1);
}

TEST_P(Thumbnails, AThumbnailThatCannotBeWrittenStopsTheBuildAndKeepsTheEarlierPages)
{
    rig.controls.setChecked(ControlId::chkMINIATURE, false);
    click(GetParam().button, {Answer::No});
    const std::string before = pageText(GetParam().page);
    refill();
    rig.controls.setChecked(ControlId::chkMINIATURE, true);
    rig.ui.boxes.clear();
    rig.fs.failCreate = [](const std::string& path) {
        return path.find("MINIATURE") != std::string::npos ? Failure{61, "Disco pieno"} : Failure{};
    };
    click(GetParam().button, {Answer::Ok});
    ASSERT_EQ(prompts().size(), 1u);
    EXPECT_TRUE(prompts()[0].starts_with("Errore in registrazione Miniatura " + built("MINIATURE") + kSep));
    EXPECT_TRUE(prompts()[0].ends_with(".jpg\r\r ERR= 61 - Disco pieno")) << prompts()[0];
    EXPECT_EQ(pageText(GetParam().page), before);
    EXPECT_EQ(made(), std::set<std::string>{});
}

// An uncompressed little-endian TIFF of the picture.
std::string tiff(const Picture& picture)
{
    const auto bytes = static_cast<std::uint32_t>(picture.rgb.size());
    std::string file("II*\0\x08\0\0\0", 8);
    file.append(picture.rgb.begin(), picture.rgb.end());
    const auto put = [&file](std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i)
            file += static_cast<char>(value >> (8 * i));
    };
    put(8, 2), put(8, 2), put(8, 2);  // the bits of each sample, after the pixels
    put(9, 2);                        // the directory, of nine entries
    const std::uint32_t w = picture.width, h = picture.height;
    for (const auto [tag, type, value] : {std::array<std::uint32_t, 3>{256, 3, w}, {257, 3, h}, {258, 3, 8 + bytes},
                                          {259, 3, 1}, {262, 3, 2}, {273, 4, 8}, {277, 3, 3}, {278, 3, h}, {279, 4, bytes}})
        put(tag, 2), put(type, 2), put(tag == 258 ? 3 : 1, 4), put(value, 4);
    put(0, 4);
    const std::uint32_t directory = 14 + bytes;
    return file.replace(4, 4, {static_cast<char>(directory), static_cast<char>(directory >> 8),
                               static_cast<char>(directory >> 16), static_cast<char>(directory >> 24)});
}

// Pictures larger than a screen, and pictures that browsers cannot show whatever their size (a TIFF
// from a scanner, and where libheif's encoder is there, a HEIC from a phone), get their thumbnail and
// an upright JPEG copy for the screen, which the view page and the viewer show, with a link to the
// original; a smaller picture is shown itself. Every view page fits its picture in its frame at
// its own proportions, and the page is in standards mode.
TEST_F(BuildTest, LargePicturesAndThoseBrowsersCannotShowGetAScreenCopy)
{
    const std::string photo = rig.pictures->jpeg(redCorner(400, 200));
    std::vector<std::string> entries{rig.tree.file("site/Scanner/Foglio.tif", tiff(redCorner(200, 300))),
                                     rig.tree.file("site/Panorama.jpg", rig.pictures->jpeg(redCorner(3000, 1000))),
                                     rig.tree.file("site/telefono.jpg", photo)};
    if (!kWindows && std::system(("heif-enc -q 90 -o '" + in("IMG_0001.HEIC") + "' '" + in("telefono.jpg") + "'").c_str()) == 0)
        entries.push_back(in("IMG_0001.HEIC"));
    fillList(entries);
    rig.controls.setChecked(ControlId::chkMINIATURE, true);
    click(ControlId::Command1, {Answer::No});
    ASSERT_EQ(prompts().size(), 1u) << "every picture decoded";

    struct Expected { const char* copySize; const char* viewPage; const char* frame; const char* original; };
    const Expected expected[] = {{"\x01\x2C\0\xC8", "FOGLIO.HTM", " 200  height= 300 ", "Scanner/Foglio.tif"},
                                 {"\x03\x55\x0A\0", "PANORAMA.HTM", " 600  height= 200 ", "Panorama.jpg"},
                                 {nullptr, "TELEFONO.HTM", " 400  height= 200 ", "telefono.jpg"},
                                 {"\0\xC8\x01\x90", "IMG_0001.HTM", " 400  height= 200 ", "IMG_0001.HEIC"}};
    const Lines page = this->page("TAVLO.HTM");
    EXPECT_EQ(Lines(page.begin(), page.begin() + 2), (Lines{"<!DOCTYPE html>", "<HTML>"}));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const Expected& e = expected[i];
        const std::string name = thumbnailName(entries[i], kSep), screen = name.substr(0, name.size() - 4) + "-2560.jpg";
        EXPECT_EQ(rig.tree.exists("site/MINIATURE/" + screen), e.copySize != nullptr) << entries[i];
        if (e.copySize) {
            EXPECT_EQ(jpegSize(readFile(in("MINIATURE/" + screen))), std::string(e.copySize, 4)) << entries[i];
        }
        const std::string shown = e.copySize ? native("MINIATURE/") + screen : linkTo(rig, e.original);
        const std::string img = "<img src=\"" + native("MINIATURE/") + name + "\"";
        const auto cell = std::find_if(page.begin(), page.end(), [&](const std::string& line) { return contains(line, img); });
        ASSERT_NE(cell, page.end()) << entries[i];
        EXPECT_TRUE(cell->ends_with(" data-foto=\"" + shown + "\"" +
                                    (e.copySize ? " data-originale=\"" + linkTo(rig, e.original) + "\"" : "") + "></A>"))
            << *cell;
        EXPECT_EQ(crlfLines(readFile(in(e.viewPage))).at(5),
                  "<IMG SRC=\"" + (e.copySize ? shown : viewSource(rig, e.original)) + "\" width=" + e.frame +
                      "></TD></TR></TABLE></CENTER>");
        const Decoded decoded = rig.pictures->squareCentre(in("MINIATURE/" + name), 200);
        const Picture* thumbnail = std::get_if<Picture>(&decoded);
        ASSERT_TRUE(thumbnail);
        EXPECT_TRUE(redAt(*thumbnail, 50, 50) && !redAt(*thumbnail, 150, 150)) << "red top left";
    }
}

// Camera-sized pictures get their thumbnail (and screen copy) in every format, and transparent parts
// show white: 48-megapixel pictures, all red, as PNG, TIFF and (where ImageMagick is there) WebP, and
// a PNG red on its left half and transparent on its right.
TEST_F(BuildTest, CameraSizedAndTransparentPicturesGetThumbnailsOnWhite)
{
    std::string red, half;
    for (int x = 0; x < 8000; ++x)
        red += std::string("\xff\0\0", 3), half += x >= 20 ? "" : x < 10 ? std::string("\xff\0\0\xff", 4) : std::string(4, '\0');
    Picture big{8000, 6000, {}};
    for (int y = 0; y < big.height; ++y)
        big.rgb.insert(big.rgb.end(), red.begin(), red.end());
    std::vector<std::string> entries{rig.tree.file("site/grande.png", png(red, 3, 6000)), rig.tree.file("site/grande.tif", tiff(big)),
                                     rig.tree.file("site/trasparente.png", png(half, 4, 20))};
    if (!kWindows && std::system(("convert -size 8000x6000 xc:red '" + in("grande.webp") + "'").c_str()) == 0)
        entries.push_back(in("grande.webp"));
    fillList(entries);
    rig.controls.setChecked(ControlId::chkMINIATURE, true);
    click(ControlId::Command1, {Answer::No});
    ASSERT_EQ(prompts().size(), 1u) << "every picture decoded";
    for (const std::string& entry : entries) {
        const Decoded decoded = rig.pictures->squareCentre(in("MINIATURE/" + thumbnailName(entry, kSep)), 200);
        const Picture* thumbnail = std::get_if<Picture>(&decoded);
        ASSERT_TRUE(thumbnail) << entry;
        const unsigned char* right = &thumbnail->rgb[(100 * 200 + 150) * 3];
        EXPECT_TRUE(redAt(*thumbnail, 50, 100)) << entry;
        EXPECT_EQ(right[1] > 220 && right[2] > 220, entry.ends_with("trasparente.png")) << entry << ": white where transparent";
    }
    EXPECT_TRUE(rig.tree.exists("site/MINIATURE/" + screenCopyName(thumbnailName(entries[1], kSep))));
}

// Pictures past the bounds keep their original, and the user is told they are too large after the
// count of damaged ones: a bitmap that states 11000 x 11000 pixels, and a sparse HEIC file of 3 GiB,
// refused without being read.
TEST_F(BuildTest, PicturesPastTheBoundsAreToldTooLarge)
{
    std::string bitmap("BM\0\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0\xf8\x2a\0\0\xf8\x2a\0\0\x01\0\x18\0", 30);
    std::vector<std::string> entries{rig.tree.file("site/rotta.jpg", "\xFF\xD8\xFF"),
                                     rig.tree.file("site/enorme.bmp", bitmap + std::string(24, '\0'))};
    if (!kWindows) {  // libheif's own reading
        entries.push_back(rig.tree.file("site/enorme.heic", std::string("\0\0\0\x18" "ftypheic\0\0\0\0" "mif1heic", 24)));
        std::filesystem::resize_file(entries.back(), std::uintmax_t{3} << 30);
    }
    fillList(entries);
    rig.controls.setChecked(ControlId::chkMINIATURE, true);
    click(ControlId::Command1, {Answer::Ok, Answer::Ok, Answer::No});
    ASSERT_EQ(prompts().size(), 3u);
    EXPECT_EQ(prompts()[0], "Miniatura non creata (formato sconosciuto o file danneggiato), resta l'originale: N.files = 1");
    EXPECT_EQ(prompts()[1], std::string("Miniatura non creata (immagine troppo grande), resta l'originale: N.files =") +
                                (kWindows ? " 1" : " 2"));
}

// Many more pictures than cores, in every format the platform decodes (HEIC and WebP where their
// encoders are installed), through the threaded phase: once cancelled while the workers run, once whole.
TEST_F(BuildTest, ManyMixedPicturesGoThroughEveryCore)
{
    const std::string photo = rig.pictures->jpeg(redCorner(640, 480));
    std::vector<std::pair<std::string, std::string>> kinds{
        {"jpg", photo}, {"tif", tiff(redCorner(300, 200))}, {"png", kPng}, {"gif", kGif}};
    const std::string source = rig.tree.file("site/fonte.jpg", photo);
    const auto encode = [&](const std::string& extension, const std::string& command) {
        if (!kWindows && std::system((command + " >/dev/null 2>&1").c_str()) == 0)
            kinds.emplace_back(extension, readFile(in("fonte." + extension)));
    };
    encode("heic", "heif-enc -q 60 -o '" + in("fonte.heic") + "' '" + source + "'");
    encode("webp", "convert '" + source + "' -quality 60 '" + in("fonte.webp") + "'");
    std::vector<std::string> entries;
    for (std::size_t i = 0; i < 12 * kinds.size(); ++i)
        entries.push_back(rig.tree.file("site/misti/" + std::to_string(i) + "." + kinds[i % kinds.size()].first,
                                        kinds[i % kinds.size()].second));
    fillList(entries);
    rig.controls.setChecked(ControlId::chkMINIATURE, true);
    rig.ui.cancelAtShow = 3;
    click(ControlId::Command1, {Answer::Ok});
    EXPECT_EQ(prompts(), Lines{"Miniature interrotte: nessuna pagina .HTM creata !!!"});
    rig.ui.boxes.clear();
    click(ControlId::Command1, {Answer::No});
    EXPECT_EQ(prompts().size(), 1u) << "every picture decoded";
}

INSTANTIATE_TEST_SUITE_P(BothBuilds, Thumbnails,
                         ::testing::Values(Build{ControlId::Command1, "TAVLO.HTM"}, Build{ControlId::Command4, "PAG_1.HTM"}),
                         [](const auto& info) { return info.index == 0 ? "SinglePage" : "Paged"; });

} // namespace
} // namespace tavlo::test
