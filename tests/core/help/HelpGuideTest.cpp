// The user guide (help/*.html) is installed as it is and read in the program's help window:
// every page it links and every picture it shows must be there, and every page must be
// reachable from the contents page.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The values of attribute (href or src) in html, in order.
std::vector<std::string> Attributes(const std::string& html, const std::string& attribute) {
    std::vector<std::string> values;
    const std::regex pattern(attribute + "=\"([^\"]*)\"");
    for (auto it = std::sregex_iterator(html.begin(), html.end(), pattern);
         it != std::sregex_iterator(); ++it) {
        values.push_back((*it)[1].str());
    }
    return values;
}

// Checks the guide in folder help; returns its pages.
std::set<std::string> CheckGuide(const fs::path& help) {
    EXPECT_TRUE(fs::is_regular_file(help / "index.html")) << help;
    std::set<std::string> pages;
    for (const auto& entry : fs::directory_iterator(help)) {
        if (entry.path().extension() == ".html") {
            pages.insert(entry.path().filename().string());
        }
    }
    std::set<std::string> reached = {"index.html"};
    std::vector<std::string> queue = {"index.html"};
    while (!queue.empty()) {
        const std::string page = queue.back();
        queue.pop_back();
        const std::string html = ReadText(help / page);
        EXPECT_NE(html.find("<title>"), std::string::npos) << page;
        EXPECT_NE(html.find("charset=\"utf-8\""), std::string::npos) << page;
        for (const std::string& src : Attributes(html, "src")) {
            EXPECT_TRUE(fs::is_regular_file(help / src)) << page << ": picture " << src;
        }
        for (std::string href : Attributes(html, "href")) {
            if (href.rfind("http", 0) == 0) {
                continue;  // the web, opened by the desktop's browser
            }
            href = href.substr(0, href.find('#'));
            if (href.empty()) {
                continue;  // a place on the same page
            }
            if (fs::path(href).extension() == ".css") {
                EXPECT_TRUE(fs::is_regular_file(help / href)) << page << ": style " << href;
                continue;
            }
            EXPECT_TRUE(pages.count(href)) << page << ": link " << href;
            if (pages.count(href) && reached.insert(href).second) {
                queue.push_back(href);
            }
        }
    }
    EXPECT_EQ(reached, pages) << help;
    return pages;
}

// Both guides, the Japanese (help/) and the English (help/en/), hold the same pages.
TEST(HelpGuide, EveryLinkAndPictureResolvesAndEveryPageIsReachable) {
    const std::set<std::string> japanese = CheckGuide(fs::path(KZV_HELP_DIR));
    const std::set<std::string> english = CheckGuide(fs::path(KZV_HELP_DIR) / "en");
    EXPECT_EQ(english, japanese);
}

}  // namespace
