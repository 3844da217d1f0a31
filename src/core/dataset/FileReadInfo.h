#pragma once

#include <cstddef>
#include <cstdint>

// What a reader could not take from its file, for the message after a load. The readers fill
// it when they are given one; it never changes what they read.
namespace kzv {

// Why a file gave nothing. None: it was read (perhaps with lines skipped).
enum class FileFault {
    None,
    Missing,            // no such file
    NotRegularFile,     // a folder, FIFO, device or socket (also behind a symbolic link)
    TooLarge,           // more bytes than a file of its kind can have
    NoPermission,       // exists but may not be read
    ReadError,          // the system reported an error while reading
    Utf16,              // written in UTF-16, which the readers do not decode
    WrongTag,           // the first line is not "<tag>,<version>"
    NewerVersion,       // a version above the one this program reads
    BadDirectionCount,  // "cp.dat": line 2 is not a positive multiple of 8
    TooManyDirections,  // "cp.dat": more directions than kMaxDirectionCount
};

// Byte limits per kind of file. The program's own data files are at most a few hundred MB; a
// header or a geometry far less. A larger file is refused before any of it is read.
constexpr uint64_t kTableFileLimit = uint64_t{512} << 20;    // cp.dat, measure.pos, mesh.msh
constexpr uint64_t kGeometryFileLimit = uint64_t{64} << 20;  // main.geo, sub.geo
constexpr uint64_t kHeaderFileLimit = uint64_t{8} << 20;     // header

// Numbers a file may hold but the program cannot use: a coordinate (model millimetres) beyond
// a thousand kilometres overflows the float arithmetic of normals and views and shrinks the
// fitted picture to nothing; a pressure coefficient beyond a million is no measurement.
constexpr double kMaxUsableCoordinate = 1e9;
constexpr double kMaxUsableCp = 1e6;

struct CFileReadInfo {
    FileFault fault = FileFault::None;
    uint64_t byteLimit = 0;  // the limit the file was read with

    size_t skippedLines = 0;       // non-blank lines that were not records
    size_t firstSkippedLine = 0;   // 1-based line number of the first of them; 0 when none
    size_t decimalCommaLines = 0;  // lines with numbers like "1,5" (among the skipped ones)
    bool endsEarly = false;        // the file ended before its end marker or its last item
    size_t longLines = 0;          // lines longer than the reader's line limit (skipped)
    size_t firstLongLine = 0;      // 1-based line number of the first of them
    size_t unusableNumbers = 0;    // values or coordinates beyond the usable limits above
    size_t firstUnusableLine = 0;  // 1-based line number of the first of them
    size_t stoppedAtLine = 0;      // geometry: the line that ended reading because it did
                                   // not parse (0 when reading went to the end)

    // "cp.dat": the direction count N of line 2, the records whose number of values is not N
    // (those with fewer are among the skipped lines, those with more are kept with their first
    // N values), and the value count of the first of them.
    int directionCount = 0;
    size_t countMismatchLines = 0;
    int firstMismatchValueCount = 0;

    void NoteUnusable(size_t lineNumber, size_t count = 1) {
        if (unusableNumbers == 0) {
            firstUnusableLine = lineNumber;
        }
        unusableNumbers += count;
    }
    void SkipLine(size_t lineNumber) {
        if (skippedLines++ == 0) {
            firstSkippedLine = lineNumber;
        }
    }
    // True when there is nothing to tell the user about this file.
    bool Clean() const {
        return fault == FileFault::None && skippedLines == 0 && decimalCommaLines == 0 &&
               !endsEarly && stoppedAtLine == 0 && countMismatchLines == 0 && longLines == 0 &&
               unusableNumbers == 0;
    }
};

}  // namespace kzv
