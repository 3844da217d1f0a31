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

TEST(ConfigFolder, ProgramFolderWhenWritableElseTheUsersConfigSeededWithTheSamples) {
    TempDir dir;
    const std::string program = dir.Path().string() + "/bin/";
    fs::create_directories(program);
    const std::string samples = dir.Path().string() + "/share/kzv/samples";
    fs::create_directories(samples);

    // A build tree or a portable copy: the program's own folder.
    kzv::CConfigFolder chosen = kzv::ChooseConfigFolder(program, "", "/nonexistent", samples);
    EXPECT_EQ(chosen.folder, program);
    EXPECT_TRUE(chosen.problem.empty());

    // Installed where the user cannot write: $XDG_CONFIG_HOME/kzv/, its "dirlist" seeded once.
    const std::string installed = dir.Path().string() + "/no-such-prefix/bin/";
    const std::string xdg = dir.Path().string() + "/config";
    chosen = kzv::ChooseConfigFolder(installed, xdg, "/nonexistent", samples);
    EXPECT_EQ(chosen.folder, xdg + "/kzv/");
    EXPECT_TRUE(chosen.problem.empty());
    EXPECT_EQ(Slurp(xdg + "/kzv/dirlist"), samples + "\n");
    std::ofstream(xdg + "/kzv/dirlist") << "/my/data\n";
    chosen = kzv::ChooseConfigFolder(installed, xdg, "/nonexistent", samples);
    EXPECT_EQ(Slurp(xdg + "/kzv/dirlist"), "/my/data\n");  // the user's list is kept

    // Without XDG_CONFIG_HOME: ~/.config/kzv/.
    chosen = kzv::ChooseConfigFolder(installed, "", dir.Path().string(), samples);
    EXPECT_EQ(chosen.folder, dir.Path().string() + "/.config/kzv/");

    // A config folder that cannot be made (its parent is a file): the program can still
    // start, and says why it cannot keep its list.
    std::ofstream(dir.Path() / "file") << "x";
    chosen = kzv::ChooseConfigFolder(installed, dir.Path().string() + "/file", "", samples);
    EXPECT_FALSE(chosen.problem.empty());
}

}  // namespace
