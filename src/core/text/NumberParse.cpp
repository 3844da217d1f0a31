#include "text/NumberParse.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <type_traits>

namespace kzv {

template <typename T>
bool CTextCursor::ReadNumber(T& out) {
    const size_t start = m_pos;
    SkipBlanks();
    const char* first = m_text.data() + m_pos;
    const char* last = m_text.data() + m_text.size();
    // from_chars takes no '+'; scanf does. A second sign after '+' is not a number.
    if (first != last && *first == '+') {
        ++first;
        if (first != last && (*first == '-' || *first == '+')) {
            m_pos = start;
            return false;
        }
    }
    T value{};
    std::from_chars_result r;
    if constexpr (std::is_floating_point_v<T>) {
        r = std::from_chars(first, last, value, std::chars_format::general);
    } else {
        r = std::from_chars(first, last, value, 10);
    }
    if (r.ec != std::errc()) {
        m_pos = start;
        return false;
    }
    if constexpr (std::is_floating_point_v<T>) {
        if (!std::isfinite(value)) {
            m_pos = start;
            return false;
        }
    }
    out = value;
    m_pos = static_cast<size_t>(r.ptr - m_text.data());
    return true;
}

bool CTextCursor::ReadIntSlow(int& out) {
    return ReadNumber(out);
}
bool CTextCursor::ReadFloatSlow(float& out) {
    return ReadNumber(out);
}
bool CTextCursor::ReadDoubleSlow(double& out) {
    return ReadNumber(out);
}

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Skips digits from i; returns how many there were.
size_t SkipDigits(std::string_view s, size_t& i) {
    const size_t start = i;
    while (i < s.size() && IsDigit(s[i])) {
        ++i;
    }
    return i - start;
}

// sign? digits ',' digits (exponent)?
bool IsDecimalCommaNumber(std::string_view s) {
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        ++i;
    }
    if (SkipDigits(s, i) == 0 || i >= s.size() || s[i] != ',') {
        return false;
    }
    ++i;
    if (SkipDigits(s, i) == 0) {
        return false;
    }
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
            ++i;
        }
        if (SkipDigits(s, i) == 0) {
            return false;
        }
    }
    return i == s.size();
}

}  // namespace

bool LooksLikeDecimalComma(std::string_view line) {
    size_t fields = 0;
    bool commaNumber = false;
    size_t i = 0;
    // Most lines of a data file hold no separator of such fields at all: four fast scans tell.
    const auto holds = [&line](char c) {
        return std::memchr(line.data(), c, line.size()) != nullptr;
    };
    if (!holds(';') && !holds(' ') && !holds('\t') && !holds('\r')) {
        return false;
    }
    // find_first_of would look each character up in the separator set with a call.
    const auto separator = [](char c) { return c == ';' || c == ' ' || c == '\t' || c == '\r'; };
    while (i < line.size()) {
        const size_t end = static_cast<size_t>(
            std::find_if(line.begin() + static_cast<std::ptrdiff_t>(i), line.end(), separator) -
            line.begin());
        const std::string_view field = line.substr(i, end - i);
        if (!field.empty()) {
            if (field.front() == ',' || field.back() == ',') {
                return false;
            }
            ++fields;
            commaNumber = commaNumber || IsDecimalCommaNumber(field);
        }
        i = end + 1;
    }
    return fields >= 2 && commaNumber;
}

bool ReadWholeInt(std::string_view text, bool isSigned, int& out) {
    CTextCursor cursor(text);
    cursor.SkipBlanks();
    const std::string_view rest = cursor.Rest();
    if (rest.empty() || (!isSigned && (rest.front() == '+' || rest.front() == '-'))) {
        return false;
    }
    int value = 0;
    if (!cursor.ReadInt(value)) {
        return false;
    }
    cursor.SkipBlanks();
    if (!cursor.AtEnd()) {
        return false;
    }
    out = value;
    return true;
}

}  // namespace kzv
