#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "dataset/FileReadInfo.h"

namespace kzv {

// The current folder as the folder a relative path is taken from (AT_FDCWD).
constexpr int kCurrentFolder = -100;

// Reads a text file line by line. Lines end with LF, CR LF or a lone CR (old Macintosh
// editors); the last line may lack its line end. A UTF-8 byte-order mark at the start is
// skipped. Lines are read whole, however long: the data formats promise at most 511
// characters, and a longer line is one line of data, not several. Only a pathological line
// over kMaxLineLength characters is cut there (the rest of it is skipped) so that memory stays
// bounded whatever the file holds.
//
// Only regular files are read: a FIFO, a device or a folder (also behind a symbolic link) is
// refused without blocking, and so is a file above the byte limit given to Open. A file
// written in UTF-16 (byte-order mark, or the NUL bytes of every other byte of ASCII text) is
// refused too, since reading its bytes as text would give nothing sensible.
class CLineReader {
public:
    static constexpr size_t kMaxLineLength = 1u << 20;

    CLineReader() = default;
    ~CLineReader();
    CLineReader(const CLineReader&) = delete;
    CLineReader& operator=(const CLineReader&) = delete;

    // False when the file cannot be read; Fault() says why. A relative path is taken from the
    // open folder dirFd (by default the current folder).
    bool Open(const char* path, uint64_t byteLimit = kTableFileLimit, int dirFd = kCurrentFolder);
    void Close();
    bool IsOpen() const { return m_fd >= 0; }

    // The next line without its line end; false at the end of the file, and for good once
    // the file turned out to be longer than the byte limit or could not be read further.
    bool ReadLine(std::string& line);
    // The same as a view, valid until the next call: into the read buffer when the line lies
    // whole in it (no copy), else into a copy the reader keeps.
    bool ReadLine(std::string_view& line);

    // For reserving tables ahead: about how many records the rest of the file holds when they
    // are as long as the line of lineLength characters just read (5 % and 16 more), or 0 when
    // that is more than the rest could hold at bytesPerRecord bytes each at least (a short
    // first line, or a huge declared count, must not reserve beyond what the file can fill).
    uint64_t RecordsAhead(size_t lineLength, uint64_t bytesPerRecord) const {
        const uint64_t left =
            m_size > m_bytesRead ? m_size - m_bytesRead + (m_end - m_begin) : m_end - m_begin;
        const uint64_t records = left / (lineLength + 1) * 21 / 20 + 16;
        return records <= left / std::max<uint64_t>(1, bytesPerRecord) ? records : 0;
    }

    // 1-based number of the line ReadLine returned last; 0 before the first.
    size_t LineNumber() const { return m_lineNumber; }
    // Whether the line ReadLine returned last was cut at kMaxLineLength; how many lines were
    // cut so far, and the number of the first of them (0 when none).
    bool LastLineCut() const { return m_lastLineCut; }
    size_t CutLines() const { return m_cutLines; }
    size_t FirstCutLine() const { return m_firstCutLine; }
    // Why Open failed, or TooLarge / ReadError when reading had to stop early; None otherwise.
    FileFault Fault() const { return m_fault; }

private:
    bool Fill();
    bool OpenRegularFile(const char* path, int dirFd);
    void SkipBomOrRefuseUtf16();

    int m_fd = -1;
    // Sized to the file on Open, at most kBufferSize, and left uninitialised: bytes are read
    // into it before they are looked at, and clearing 4 KiB for every 200-byte header cost
    // more than reading it. The allocation is kept for the next file.
    std::unique_ptr<char[]> m_buffer;
    size_t m_bufferSize = 0;
    size_t m_bufferCapacity = 0;
    static constexpr size_t kBufferSize = 1 << 16;
    size_t m_begin = 0;
    size_t m_end = 0;
    bool m_eof = false;
    bool m_afterCr = false;  // the last line ended with CR: an LF right after it belongs to it
    uint64_t m_limit = 0;
    uint64_t m_bytesRead = 0;
    uint64_t m_size = 0;  // the file's size when it was opened
    std::string m_line;   // a line that crossed the buffer's end
    size_t m_lineNumber = 0;
    bool m_lastLineCut = false;
    size_t m_cutLines = 0;
    size_t m_firstCutLine = 0;
    FileFault m_fault = FileFault::None;
};

// Opens a data file and checks its first line, "<tag>,<version>": the text before the first
// comma must equal tag exactly, and the rest must start with an integer (white space before it
// is allowed) that is not above maxVersion. Returns None when both hold; otherwise the reader's
// fault, WrongTag (also for a first line without a comma or without a number after it) or
// NewerVersion.
FileFault OpenDataFile(CLineReader& reader, const char* path, const std::string& tag,
                       int maxVersion, uint64_t byteLimit, int dirFd = kCurrentFolder);

// True for a line of nothing but blanks and tabs. Such lines carry no data and are passed over
// without being counted as skipped.
bool IsBlankLine(std::string_view line);

}  // namespace kzv
