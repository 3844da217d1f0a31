#include <gtest/gtest.h>

#include "TempDir.h"
#include "state/SizeFile.h"

namespace {

TEST(SizeFile, RoundTripInTheFileOrderWithCrLf) {
    TempDir dir;
    CWindowLayout layout;
    layout.showCmd = CWindowLayout::SHOW_NORMAL;
    layout.minX = 1;
    layout.minY = 2;
    layout.maxX = 3;
    layout.maxY = 4;
    layout.left = 5;
    layout.right = 6;
    layout.top = 7;
    layout.bottom = 8;
    layout.panel = CBarSizes{9, 10, 11, 12, 13, 14};
    layout.values = CBarSizes{15, 16, 17, 18, 19, -20};
    const std::string path = (dir.Path() / "size").string();
    ASSERT_TRUE(WriteWindowLayout(path, layout));
    std::string expected;
    for (int v : {1, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, -20}) {
        expected += std::to_string(v) + "\r\n";
    }
    EXPECT_EQ(FormatWindowLayout(layout, true), expected);

    CWindowLayout back;
    ReadWindowLayout(path, back);
    EXPECT_EQ(FormatWindowLayout(back, true), expected);
    EXPECT_EQ(FormatWindowLayout(layout, false), expected.substr(expected.find("9\r\n")));
}

TEST(SizeFile, MissingShortAndBrokenFilesKeepDefaults) {
    TempDir dir;
    CWindowLayout layout;
    ReadWindowLayout((dir.Path() / "none").string(), layout);
    EXPECT_EQ(layout.showCmd, CWindowLayout::SHOW_MAXIMIZED);
    EXPECT_EQ(layout.left, 20);
    EXPECT_EQ(layout.top, 20);
    EXPECT_EQ(layout.right, 1004);
    EXPECT_EQ(layout.bottom, 748);
    EXPECT_EQ(layout.panel.horzCx, 320);
    EXPECT_EQ(layout.values.vertCy, 500);

    // Placement and the panel's sizes, then the file ends inside the value list's group.
    std::string text = "1\r\n0\r\n0\r\n0\r\n0\r\n100\r\n900\r\n50\r\n700\r\n";
    text += "320\r\n100\r\n321\r\n101\r\n322\r\n102\r\n";
    text += "330\r\n500\r\n";
    const std::string path = dir.Write("size", text);
    ReadWindowLayout(path, layout);
    EXPECT_EQ(layout.showCmd, 1);
    EXPECT_EQ(layout.right, 900);
    EXPECT_EQ(layout.panel.floatCy, 102);
    // The values of the short group that are there are taken, the rest keep their defaults.
    EXPECT_EQ(layout.values.horzCx, 330);
    EXPECT_EQ(layout.values.horzCy, 500);
    EXPECT_EQ(layout.values.vertCx, 320);

    // A file that breaks off inside the placement: the lines before the break count.
    CWindowLayout broken;
    ReadWindowLayout(dir.Write("size2", "1\n-1\n-1\n0\n0\n100\nx\n700\n"), broken);
    EXPECT_EQ(broken.showCmd, CWindowLayout::SHOW_NORMAL);
    EXPECT_EQ(broken.left, 100);
    EXPECT_EQ(broken.right, 1004);
    EXPECT_EQ(broken.top, 20);
    EXPECT_EQ(broken.panel.horzCx, 320);
}

TEST(SizeFile, ThePolarBarsGroupIsWrittenAndReadOnlyWhenItIsKept) {
    TempDir dir;
    CWindowLayout layout;
    const std::string without = FormatWindowLayout(layout, true);
    layout.hasPolar = true;
    layout.polar = CBarSizes{31, 32, 33, 34, 35, 36};
    const std::string path = (dir.Path() / "size").string();
    ASSERT_TRUE(WriteWindowLayout(path, layout));
    EXPECT_EQ(FormatWindowLayout(layout, true), without + "31\r\n32\r\n33\r\n34\r\n35\r\n36\r\n");
    CWindowLayout back;
    ReadWindowLayout(path, back);
    EXPECT_TRUE(back.hasPolar);
    EXPECT_EQ(FormatWindowLayout(back, true), FormatWindowLayout(layout, true));

    // A file of 21 lines (every user's who never opened the bar) reads without it and is
    // written back as it was.
    CWindowLayout old;
    ReadWindowLayout(dir.Write("old", without), old);
    EXPECT_FALSE(old.hasPolar);
    EXPECT_EQ(FormatWindowLayout(old, true), without);
}

}  // namespace

namespace {

TEST(SizeFileTest, AWindowOffTheScreenComesBackWhole) {
    CWindowLayout layout;
    layout.left = 3000;  // a second monitor that is gone
    layout.right = 4000;
    layout.top = -500;
    layout.bottom = 300;
    FitWindowOnto(layout, 0, 0, 1920, 1080);
    EXPECT_EQ(layout.left, 920);
    EXPECT_EQ(layout.right, 1920);
    EXPECT_EQ(layout.top, 0);
    EXPECT_EQ(layout.bottom, 800);
    layout.left = -2147483647;  // larger than the screen and far off it
    layout.right = 2147483647;
    FitWindowOnto(layout, 0, 0, 1920, 1080);
    EXPECT_EQ(layout.left, 0);
    EXPECT_EQ(layout.right, 1920);
    const CWindowLayout inside = layout;
    FitWindowOnto(layout, 0, 0, 1920, 1080);  // already on the screen: unchanged
    EXPECT_EQ(layout.left, inside.left);
    EXPECT_EQ(layout.top, inside.top);
}

}  // namespace
