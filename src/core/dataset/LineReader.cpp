#include "dataset/LineReader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string_view>

#include "text/NumberParse.h"

namespace kzv {

static_assert(kCurrentFolder == AT_FDCWD, "kCurrentFolder names the current folder");

namespace {

FileFault FaultOfErrno(int err) {
    switch (err) {
        case ENOENT:
        case ENOTDIR:
            return FileFault::Missing;
        case EACCES:
        case EPERM:
            return FileFault::NoPermission;
        case EISDIR:
            return FileFault::NotRegularFile;
        default:
            return FileFault::ReadError;
    }
}

}  // namespace

CLineReader::~CLineReader() {
    Close();
}

bool CLineReader::Open(const char* path, uint64_t byteLimit, int dirFd) {
    Close();
    m_begin = m_end = 0;
    m_eof = false;
    m_afterCr = false;
    m_limit = byteLimit;
    m_bytesRead = 0;
    m_size = 0;
    m_lineNumber = 0;
    m_lastLineCut = false;
    m_cutLines = 0;
    m_firstCutLine = 0;
    m_fault = FileFault::None;
    if (!OpenRegularFile(path, dirFd)) {
        return false;
    }
    SkipBomOrRefuseUtf16();
    if (m_fault != FileFault::None) {
        Close();
        return false;
    }
    return true;
}

bool CLineReader::OpenRegularFile(const char* path, int dirFd) {
    if (path == nullptr) {
        m_fault = FileFault::Missing;
        return false;
    }
    // Look before opening: opening a FIFO waits for a writer, and a device may do anything.
    struct stat st {};
    if (::fstatat(dirFd, path, &st, 0) != 0) {
        m_fault = FaultOfErrno(errno);
        return false;
    }
    if (!S_ISREG(st.st_mode)) {
        m_fault = FileFault::NotRegularFile;
        return false;
    }
    if (static_cast<uint64_t>(st.st_size) > m_limit) {
        m_fault = FileFault::TooLarge;
        return false;
    }
    // Non-blocking, so that a file swapped for a FIFO after the look above cannot make the open
    // wait; for a regular file the flag changes nothing. What was opened is looked at again.
    const int fd = ::openat(dirFd, path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        m_fault = FaultOfErrno(errno);
        return false;
    }
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        m_fault = FileFault::NotRegularFile;
        return false;
    }
    if (static_cast<uint64_t>(st.st_size) > m_limit) {
        ::close(fd);
        m_fault = FileFault::TooLarge;
        return false;
    }
    m_size = static_cast<uint64_t>(st.st_size);
    // A small file (a header) gets a small buffer: no 64 KiB to clear for 200 bytes. One byte
    // more than the file, so that its end shows in the first read.
    const uint64_t want = std::max<uint64_t>(m_size + 1, 4096);
    m_bufferSize = static_cast<size_t>(std::min<uint64_t>(want, kBufferSize));
    if (m_bufferSize > m_bufferCapacity) {
        m_buffer.reset(new char[m_bufferSize]);
        m_bufferCapacity = m_bufferSize;
    }
    m_fd = fd;
    return true;
}

void CLineReader::SkipBomOrRefuseUtf16() {
    if (!Fill()) {
        return;  // empty (or already refused)
    }
    const auto* b = reinterpret_cast<const unsigned char*>(m_buffer.get());
    const size_t n = m_end;
    if (n >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF) {
        m_begin = 3;
        return;
    }
    if (n >= 2 && ((b[0] == 0xFF && b[1] == 0xFE) || (b[0] == 0xFE && b[1] == 0xFF))) {
        m_fault = FileFault::Utf16;
        return;
    }
    // Without a mark: the ASCII tag every data file starts with has, in UTF-16, a NUL in every
    // other byte (after each character in little-endian order, before it in big-endian).
    const size_t pairs = std::min<size_t>(n / 2, 8);
    if (pairs < 2) {
        return;
    }
    bool little = true;
    bool big = true;
    for (size_t i = 0; i < pairs; ++i) {
        const bool firstNul = b[2 * i] == 0;
        const bool secondNul = b[2 * i + 1] == 0;
        little = little && !firstNul && secondNul;
        big = big && firstNul && !secondNul;
    }
    if (little || big) {
        m_fault = FileFault::Utf16;
    }
}

void CLineReader::Close() {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}

bool CLineReader::Fill() {
    if (m_eof || m_fd < 0) {
        return false;
    }
    m_begin = m_end = 0;
    // At most one byte past the limit is read: that byte shows the file is too large (it may
    // have grown since it was opened, or be a special file that reports no size).
    const uint64_t left = m_limit - m_bytesRead;
    const size_t want = left < m_bufferSize ? static_cast<size_t>(left) + 1 : m_bufferSize;
    ssize_t n = 0;
    do {
        n = ::read(m_fd, m_buffer.get(), want);
    } while (n < 0 && errno == EINTR);
    if (n <= 0) {
        if (n < 0) {
            m_fault = FileFault::ReadError;
        }
        m_eof = true;
        return false;
    }
    m_bytesRead += static_cast<uint64_t>(n);
    if (m_bytesRead > m_limit) {
        m_fault = FileFault::TooLarge;
        m_eof = true;
        return false;
    }
    m_end = static_cast<size_t>(n);
    return true;
}

bool CLineReader::ReadLine(std::string& line) {
    line.clear();
    if (m_afterCr) {
        // CR LF is one line end, also when the buffer ended between the two.
        m_afterCr = false;
        if ((m_begin < m_end || Fill()) && m_buffer[m_begin] == '\n') {
            ++m_begin;
        }
    }
    bool gotAny = false;
    bool cut = false;
    for (;;) {
        if (m_begin == m_end && !Fill()) {
            break;
        }
        gotAny = true;
        const char* start = m_buffer.get() + m_begin;
        const size_t avail = m_end - m_begin;
        const void* lf = std::memchr(start, '\n', avail);
        const size_t beforeLf =
            lf ? static_cast<size_t>(static_cast<const char*>(lf) - start) : avail;
        const void* cr = std::memchr(start, '\r', beforeLf);
        const void* stop = cr ? cr : lf;
        const size_t take =
            stop ? static_cast<size_t>(static_cast<const char*>(stop) - start) : avail;
        cut = cut || take > kMaxLineLength - line.size();
        if (line.size() < kMaxLineLength) {
            line.append(start, std::min(take, kMaxLineLength - line.size()));
        }
        m_begin += take;
        if (stop != nullptr) {
            ++m_begin;  // past the line end
            m_afterCr = cr != nullptr;
            break;
        }
    }
    if (m_fault != FileFault::None) {
        line.clear();
        return false;
    }
    if (!gotAny) {
        return false;
    }
    ++m_lineNumber;
    m_lastLineCut = cut;
    if (cut && m_cutLines++ == 0) {
        m_firstCutLine = m_lineNumber;
    }
    return true;
}

bool CLineReader::ReadLine(std::string_view& view) {
    if (m_afterCr && m_begin < m_end) {
        m_afterCr = false;
        if (m_buffer[m_begin] == '\n') {
            ++m_begin;
        }
    }
    if (!m_afterCr && m_begin < m_end) {
        const char* start = m_buffer.get() + m_begin;
        const size_t avail = m_end - m_begin;
        const void* lf = std::memchr(start, '\n', avail);
        if (lf != nullptr) {
            const size_t beforeLf = static_cast<size_t>(static_cast<const char*>(lf) - start);
            const void* cr = std::memchr(start, '\r', beforeLf);
            const size_t take = cr != nullptr
                                    ? static_cast<size_t>(static_cast<const char*>(cr) - start)
                                    : beforeLf;
            if (take <= kMaxLineLength) {
                view = std::string_view(start, take);
                m_begin += take + 1;
                m_afterCr = cr != nullptr;
                ++m_lineNumber;
                m_lastLineCut = false;
                return true;
            }
        }
    }
    // The line runs past the buffer (or is too long): the copying reader assembles it.
    if (!ReadLine(m_line)) {
        view = std::string_view();
        return false;
    }
    view = m_line;
    return true;
}

FileFault OpenDataFile(CLineReader& reader, const char* path, const std::string& tag,
                       int maxVersion, uint64_t byteLimit, int dirFd) {
    if (!reader.Open(path, byteLimit, dirFd)) {
        return reader.Fault();
    }
    std::string line;
    if (!reader.ReadLine(line)) {
        return reader.Fault() != FileFault::None ? reader.Fault() : FileFault::WrongTag;
    }
    const size_t comma = line.find(',');
    if (comma == std::string::npos || std::string_view(line).substr(0, comma) != tag) {
        return FileFault::WrongTag;
    }
    int version = 0;
    if (!CTextCursor(std::string_view(line).substr(comma + 1)).ReadInt(version)) {
        return FileFault::WrongTag;
    }
    return version <= maxVersion ? FileFault::None : FileFault::NewerVersion;
}

bool IsBlankLine(std::string_view line) {
    return line.find_first_not_of(" \t") == std::string::npos;
}

}  // namespace kzv
