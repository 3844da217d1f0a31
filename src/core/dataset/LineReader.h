#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace kzv {

// Reads a text file line by line. Lines end with LF or CR LF (the CR is dropped); the last line
// may lack its line end. Lines are read whole, however long: the data formats promise at most
// 511 characters, and a longer line is one line of data, not several. Only a pathological line
// over kMaxLineLength characters is cut there (the rest of it is skipped) so that memory stays
// bounded whatever the file holds.
class CLineReader {
public:
    static constexpr size_t kMaxLineLength = 1u << 20;

    CLineReader() = default;
    ~CLineReader();
    CLineReader(const CLineReader&) = delete;
    CLineReader& operator=(const CLineReader&) = delete;

    bool Open(const char* path);
    void Close();
    bool IsOpen() const { return m_file != nullptr; }

    // The next line without its line end; false at the end of the file.
    bool ReadLine(std::string& line);

private:
    bool Fill();

    std::FILE* m_file = nullptr;
    std::vector<char> m_buffer = std::vector<char>(1 << 16);
    size_t m_begin = 0;
    size_t m_end = 0;
    bool m_eof = false;
};

// Checks the first line of a data file, "<tag>,<version>": the text before the first comma
// must equal tag exactly, and the rest must start with an integer (white space before it is
// allowed) that is not above maxVersion. A first line without a comma, or without a number
// after it, is rejected.
bool ReadTagLine(CLineReader& reader, const std::string& tag, int maxVersion);

}  // namespace kzv
