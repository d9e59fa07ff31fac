#pragma once
// What headless Chromium made of a set of pages: their images, links and
// backgrounds, each resolved by the browser and turned back into a file path.

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tavlo::test {

struct PageReport {
    struct Image {
        std::string path;
        long naturalWidth = 0;  // 0: the image did not load
    };
    struct Link {
        std::string path;
        std::string text;
    };
    std::optional<std::string> heading;  // first text line of the page's <pre>, spaces kept
    std::vector<Image> images;
    std::vector<Link> links;
    std::vector<std::string> backgrounds;
};

/// Every page opened, by its file path.
using BrowserReport = std::map<std::string, PageReport>;

/// The installed Chromium (TAVLO_CHROMIUM, or chromium on the PATH); nullopt when there is none.
std::optional<std::string> findChromium();

/// Opens the start pages, and every page their links reach, in headless Chromium.
/// Throws std::runtime_error, with the browser's last words, when that fails.
BrowserReport openInBrowser(const std::string& chromium, const std::vector<std::string>& startPages);

} // namespace tavlo::test
