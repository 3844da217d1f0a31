#pragma once

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

// A fresh folder under the system's temporary directory, removed with everything in it when
// the object goes away. Write() puts a file there byte for byte and returns its path.
class TempDir {
public:
    TempDir() {
        std::random_device rd;
        for (;;) {
            m_path = std::filesystem::temp_directory_path() /
                     ("kzv-test-" + std::to_string(rd()) + std::to_string(rd()));
            if (std::filesystem::create_directory(m_path)) {
                break;
            }
        }
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return m_path; }

    std::string Write(const std::string& name, const std::string& bytes) const {
        const std::filesystem::path p = m_path / name;
        std::ofstream out(p, std::ios::binary);
        out << bytes;
        return p.string();
    }

private:
    std::filesystem::path m_path;
};

// Every byte of the file at path; empty when it cannot be read.
inline std::string ReadFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// How many entries (files and folders) lie directly in folder.
inline std::ptrdiff_t CountEntries(const std::filesystem::path& folder) {
    return std::distance(std::filesystem::directory_iterator(folder),
                         std::filesystem::directory_iterator());
}

// Replaces every LF by CR LF.
inline std::string WithCrLf(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') {
            out += '\r';
        }
        out += c;
    }
    return out;
}
