#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "TempDir.h"
#include "io/ConfigFolder.h"

namespace fs = std::filesystem;

namespace {

std::string Slurp(const fs::path& path) {
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(ConfigFolder, BuildTreeKeepsItsFolderAnInstalledProgramTheUsersConfigSeededWithTheSamples) {
    TempDir dir;
    const std::string root = dir.Path().string();
    const std::string build = root + "/build/bin/";
    fs::create_directories(build);
    const std::string xdg = root + "/config";

    // A build tree or a portable copy: the program's own folder.
    kzv::CConfigFolder chosen =
        kzv::ChooseConfigFolder(build, xdg, "/nonexistent", kzv::InstalledDataFolder(build));
    EXPECT_EQ(chosen.folder, build);
    EXPECT_TRUE(chosen.problem.empty());

    // Installed, even under a prefix the user may write to (cmake --install --prefix
    // ~/.local): $XDG_CONFIG_HOME/kzv/, its "dirlist" seeded once with the installed samples,
    // named without "..", and nothing written beside the program.
    const std::string bin = root + "/prefix/bin/";
    fs::create_directories(bin);
    fs::create_directories(root + "/prefix/share/kzv/samples");
    const std::string data = kzv::InstalledDataFolder(bin);
    EXPECT_EQ(data, root + "/prefix/share/kzv/");
    chosen = kzv::ChooseConfigFolder(bin, xdg, "/nonexistent", data);
    EXPECT_EQ(chosen.folder, xdg + "/kzv/");
    EXPECT_TRUE(chosen.problem.empty());
    EXPECT_EQ(Slurp(xdg + "/kzv/dirlist"), root + "/prefix/share/kzv/samples\n");
    EXPECT_TRUE(fs::is_empty(bin));
    std::ofstream(xdg + "/kzv/dirlist") << "/my/data\n";
    chosen = kzv::ChooseConfigFolder(bin, xdg, "/nonexistent", data);
    EXPECT_EQ(Slurp(xdg + "/kzv/dirlist"), "/my/data\n");  // the user's list is kept

    // Without XDG_CONFIG_HOME (or a relative one): ~/.config/kzv/.
    chosen = kzv::ChooseConfigFolder(bin, "relative", root, data);
    EXPECT_EQ(chosen.folder, root + "/.config/kzv/");

    // A config folder that cannot be made (its parent is a file): the program can still
    // start, and says why it cannot keep its list.
    std::ofstream(dir.Path() / "file") << "x";
    chosen = kzv::ChooseConfigFolder(bin, root + "/file", "", data);
    EXPECT_FALSE(chosen.problem.empty());
}

TEST(ConfigFolder, HelpIsTheInstalledGuideElseTheSourceTreesElseNamedWhereItShouldBe) {
    TempDir dir;
    const std::string root = dir.Path().string();
    const std::string data = root + "/share/kzv/";
    const std::string source = root + "/src/help";
    fs::create_directories(source);
    EXPECT_EQ(kzv::FindHelpIndex(data, source), data + "help/index.html");  // neither exists
    std::ofstream(source + "/index.html") << "<html/>";
    EXPECT_EQ(kzv::FindHelpIndex(data, source), source + "/index.html");
    fs::create_directories(data + "help");
    std::ofstream(data + "help/index.html") << "<html/>";
    EXPECT_EQ(kzv::FindHelpIndex(data, source), data + "help/index.html");
}

}  // namespace
