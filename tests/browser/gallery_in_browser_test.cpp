// Galleries built through the window's buttons, opened in a real browser: every
// picture and icon loads, every link reaches its file, and names with characters
// that mean something in HTML or in a URL come out as the names they are.
#include "browser/browser_report.h"
#include "support/rig_test.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

namespace tavlo::test {
namespace {

using enum ControlId;

// A file of the sample tree, and what the browser should show for it.
struct TreeFile {
    std::string path;     // below the gallery folder
    std::string caption;  // the text of its caption link
    std::string heading;  // the name on its view page; empty for a sound, film or web page
};

const std::vector<TreeFile> kPictures{
    {"Tramonto.jpg", "Tramonto.jpg", "TRAMONTO.JPG"},
    {"Onde del mare.Jpg", "Onde del mare.jpg", "ONDE DEL MARE.JPG"},
    {"Il \"faro\" di notte.jpg", "Il \"faro\" di notte.jpg", "IL \"FARO\" DI NOTTE.JPG"},
    {"Numero #1.jpg", "Numero #1.jpg", "NUMERO #1.JPG"},
    {"Sconto 50%.JPG", "Sconto 50%.jpg", "SCONTO 50%.JPG"},
    {"Chi? Io.jpg", "Chi? io.jpg", "CHI? IO.JPG"},
    {"<Titolo>.jpg", "<titolo>.jpg", "<TITOLO>.JPG"},
    {"Sale & pepe.jpg", "Sale & pepe.jpg", "SALE & PEPE.JPG"},
    {"Caffè però.jpg", "Caffè però.jpg", "CAFFÈ PERÒ.JPG"},
    {"Back\\slash.jpg", "Back\\slash.jpg", "BACK\\SLASH.JPG"},
    {" Inizio.jpg", "inizio.jpg", " INIZIO.JPG"},
    {"Fotografia", "Fotografia", "FOTOGRAFIA"},  // no extension: not loaded by "*", inserted by hand
    {"Vacanze 2023/Spiaggia.jpg", "Spiaggia.jpg", "SPIAGGIA.JPG"},
    {"Vacanze 2023/Notte & giorno/Luna piena.JPG", "Luna piena.jpg", "LUNA PIENA.JPG"},
    {"Città d'arte/Perché #2?/Ponte 100%.jpg", "Ponte 100%.jpg", "PONTE 100%.JPG"},
    {"Città d'arte/àncora.jpg", "Àncora.jpg", "ÀNCORA.JPG"},
};

const std::vector<TreeFile> kMedia{
    {"Rock & Roll.mp3", "Rock & roll.mp3", ""},
    {"Vacanze 2023/Musica/Canzone.MP3", "Canzone.mp3", ""},
    {"Film/Viaggio.avi", "Viaggio.avi", ""},
    {"Film/Clip corto.MPG", "Clip corto.mpg", ""},
    {"Web/Diario.htm", "Diario.htm", ""},
    {"Web/<Pagina> \"prova\" #3.htm", "<pagina> \"prova\" #3.htm", ""},
};

const std::string kBackLink = "Ritorna a pagina iniziale";

std::multiset<std::string> captionsOf(const std::vector<TreeFile>& files)
{
    std::multiset<std::string> captions;
    for (const auto& file : files)
        captions.insert(file.caption);
    return captions;
}

class GalleryInBrowser : public RigTest {
protected:
    void SetUp() override
    {
        chromium_ = findChromium();
        if (!chromium_)
            GTEST_SKIP() << "Chromium is not installed";
        rig.start();
        makeTree();
        loadTree();
    }

    std::string gallery(std::string_view relative = "") const
    {
        return rig.tree.at("Galleria") + (relative.empty() ? "" : "/" + std::string(relative));
    }

    BrowserReport openGallery() const { return openInBrowser(*chromium_, {gallery("TAVLO.HTM")}); }

    // Every picture is a real JPEG; sounds and films need no content; the web pages are pages.
    void makeTree() const
    {
        const std::string jpeg = readFile(sourceTemplateFolder() + "/Foto-1a.jpg");
        ASSERT_FALSE(jpeg.empty());
        for (const auto& picture : kPictures)
            rig.tree.file("Galleria/" + picture.path, jpeg);
        for (const auto& media : kMedia)
            rig.tree.file("Galleria/" + media.path,
                          media.path.ends_with(".htm") ? "<html><body><p>Pagina</p></body></html>\n" : "");
    }

    // All known types through the load button, then the file without extension through the picker.
    void loadTree()
    {
        rig.type(txtPATH_RICERCA, gallery());
        rig.click(cmdCONFERMA_Tutti);
        rig.ui.pickNext(gallery("Fotografia"));
        rig.click(cmdIns_File);
        rig.type(txtNOME_FILE_HTM, gallery("TAVLO.HTM"));
        ASSERT_EQ(rig.text(txtNUM_FILE), std::to_string(kPictures.size() + kMedia.size()));
    }

private:
    std::optional<std::string> chromium_;
};

void expectImagesLoadAndLinksReachFiles(const BrowserReport& report)
{
    for (const auto& [page, seen] : report) {
        for (const auto& image : seen.images)
            EXPECT_GT(image.naturalWidth, 0) << page << " shows an image that did not load: " << image.path;
        for (const auto& link : seen.links)
            EXPECT_TRUE(std::filesystem::exists(link.path)) << page << " links to a missing file: " << link.path;
        for (const auto& background : seen.backgrounds)
            EXPECT_TRUE(std::filesystem::exists(background)) << page << " has a missing background: " << background;
    }
}

// Each picture has one view page, found through the links, that shows its name and the picture itself.
void expectViewPages(const BrowserReport& report, const std::string& galleryFolder)
{
    for (const auto& picture : kPictures) {
        const auto viewPage = std::find_if(report.begin(), report.end(), [&](const auto& page) {
            return page.second.heading == picture.heading + "   ";
        });
        if (viewPage == report.end()) {
            ADD_FAILURE() << "no view page showing " << picture.heading << " reached";
            continue;
        }
        std::vector<std::string> shown;
        for (const auto& image : viewPage->second.images)
            shown.push_back(image.path);
        EXPECT_EQ(shown, std::vector<std::string>{galleryFolder + "/" + picture.path}) << viewPage->first;
    }
}

struct IndexCells {
    std::multiset<std::string> captions;
    std::set<std::string> images;
    int backLinks = 0;
};

// What the cells of the given index pages show, all pages together.
IndexCells cellsOf(const BrowserReport& report, const std::vector<std::string>& pages)
{
    IndexCells cells;
    for (const auto& page : pages) {
        const auto found = report.find(page);
        if (found == report.end()) {
            ADD_FAILURE() << "page not reached: " << page;
            continue;
        }
        for (const auto& link : found->second.links) {
            if (link.text == kBackLink)
                ++cells.backLinks;
            else if (!link.text.empty())
                cells.captions.insert(link.text);
        }
        for (const auto& image : found->second.images)
            cells.images.insert(image.path);
    }
    return cells;
}

std::set<std::string> picturesAndIcons(const std::string& galleryFolder)
{
    std::set<std::string> images;
    for (const auto& picture : kPictures)
        images.insert(galleryFolder + "/" + picture.path);
    for (const char* icon : {"MUSIC-1A.JPG", "FILM-1A.JPG", "HTM-1A.JPG"})
        images.insert(galleryFolder + "/" + icon);
    return images;
}

TEST_F(GalleryInBrowser, OnePageShowsEveryFileAndReachesEveryView)
{
    rig.ui.answerNext(kAnswerNo);  // view question
    rig.click(Command1);

    const BrowserReport report = openGallery();

    expectImagesLoadAndLinksReachFiles(report);
    const IndexCells cells = cellsOf(report, {gallery("TAVLO.HTM")});
    std::multiset<std::string> expected = captionsOf(kPictures);
    expected.merge(captionsOf(kMedia));
    EXPECT_EQ(cells.captions, expected);
    EXPECT_EQ(cells.images, picturesAndIcons(gallery()));
    EXPECT_EQ(cells.backLinks, 0);
    expectViewPages(report, gallery());
    // The page, a view page per picture, and the two web pages of the tree.
    EXPECT_EQ(report.size(), 1 + kPictures.size() + 2);
}

TEST_F(GalleryInBrowser, PagedSeriesShowsEveryFileOnceAndReachesEveryView)
{
    rig.type(txtMAX_N_FILES, "5");
    rig.ui.answerNext(kAnswerNo);  // view question
    rig.click(Command4);

    const BrowserReport report = openGallery();

    expectImagesLoadAndLinksReachFiles(report);
    const std::vector<std::string> series{gallery("PAG_1.HTM"), gallery("PAG_2.HTM"), gallery("PAG_3.HTM"),
                                          gallery("PAG_4.HTM"), gallery("PAG_5.HTM")};
    const IndexCells index = cellsOf(report, {gallery("TAVLO.HTM")});
    EXPECT_EQ(index.captions,
              (std::multiset<std::string>{"Pag_1.htm", "Pag_2.htm", "Pag_3.htm", "Pag_4.htm", "Pag_5.htm"}));
    EXPECT_EQ(index.images, std::set<std::string>{gallery("HTM-1A.JPG")});

    const IndexCells cells = cellsOf(report, series);
    std::multiset<std::string> expected = captionsOf(kPictures);
    expected.merge(captionsOf(kMedia));
    EXPECT_EQ(cells.captions, expected);
    EXPECT_EQ(cells.images, picturesAndIcons(gallery()));
    EXPECT_EQ(cells.backLinks, static_cast<int>(series.size()));
    expectViewPages(report, gallery());
    EXPECT_EQ(report.size(), 1 + series.size() + kPictures.size() + 2);
}

} // namespace
} // namespace tavlo::test
