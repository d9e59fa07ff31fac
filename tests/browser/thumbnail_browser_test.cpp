// A thumbnail gallery in a real browser: every thumbnail loads, 200 pixels wide.
#include "browser/browser_report.h"
#include "support/page_test.h"

namespace tavlo::test {
namespace {

// A gallery test before may leave the current folder in a tree it has removed.
struct OutOfRemovedFolders { OutOfRemovedFolders() { std::filesystem::current_path(std::filesystem::temp_directory_path()); } };
class ThumbnailGallery : OutOfRemovedFolders, public BuildTest {};

TEST_F(ThumbnailGallery, EveryThumbnailLoadsAt200Pixels)
{
    const auto chromium = findChromium();
    if (!chromium)
        GTEST_SKIP() << "Chromium is not installed";
    const Picture wide{400, 300, std::vector<unsigned char>(400 * 300 * 3, 128)};
    fillList({rig.tree.file("site/Foto/Mare.jpg", rig.pictures->jpeg(wide)),
              rig.tree.file("site/Monti.jpg", rig.pictures->jpeg({300, 400, wide.rgb}))});
    rig.controls.setChecked(ControlId::chkMINIATURE, true);
    click(ControlId::Command1, {kAnswerNo});

    const PageReport page = openInBrowser(*chromium, {in("TAVLO.HTM")}).at(in("TAVLO.HTM"));
    long thumbnails = 0;
    for (const auto& image : page.images)
        if (image.path.starts_with(in("MINIATURE/"))) {
            ++thumbnails;
            EXPECT_EQ(image.naturalWidth, 200) << image.path;
        }
    EXPECT_EQ(thumbnails, 2);
}

} // namespace
} // namespace tavlo::test
