#include "dataset/LineReader.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "text/NumberParse.h"

namespace kzv {

CLineReader::~CLineReader() {
    Close();
}

bool CLineReader::Open(const char* path) {
    Close();
    if (path == nullptr) {
        return false;
    }
    m_file = std::fopen(path, "rb");
    m_begin = m_end = 0;
    m_eof = false;
    return m_file != nullptr;
}

void CLineReader::Close() {
    if (m_file != nullptr) {
        std::fclose(m_file);
        m_file = nullptr;
    }
}

bool CLineReader::Fill() {
    if (m_eof || m_file == nullptr) {
        return false;
    }
    m_begin = 0;
    m_end = std::fread(m_buffer.data(), 1, m_buffer.size(), m_file);
    if (m_end == 0) {
        m_eof = true;
        return false;
    }
    return true;
}

bool CLineReader::ReadLine(std::string& line) {
    line.clear();
    bool gotAny = false;
    for (;;) {
        if (m_begin == m_end && !Fill()) {
            break;
        }
        gotAny = true;
        const char* start = m_buffer.data() + m_begin;
        const size_t avail = m_end - m_begin;
        const void* lf = std::memchr(start, '\n', avail);
        const size_t take = lf ? static_cast<size_t>(static_cast<const char*>(lf) - start) : avail;
        if (line.size() < kMaxLineLength) {
            line.append(start, std::min(take, kMaxLineLength - line.size()));
        }
        m_begin += take;
        if (lf != nullptr) {
            ++m_begin;  // past the line feed
            break;
        }
    }
    if (!gotAny) {
        return false;
    }
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return true;
}

bool ReadTagLine(CLineReader& reader, const std::string& tag, int maxVersion) {
    std::string line;
    if (!reader.ReadLine(line)) {
        return false;
    }
    const size_t comma = line.find(',');
    if (comma == std::string::npos || std::string_view(line).substr(0, comma) != tag) {
        return false;
    }
    int version = 0;
    if (!CTextCursor(std::string_view(line).substr(comma + 1)).ReadInt(version)) {
        return false;
    }
    return version <= maxVersion;
}

}  // namespace kzv
