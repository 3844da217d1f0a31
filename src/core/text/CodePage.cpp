#include "text/CodePage.h"

#include <iconv.h>

#include <cerrno>
#include <cstddef>

namespace kzv {

namespace {

// Length of the well-formed UTF-8 sequence at the start of s, or 0 if there is none.
size_t Utf8SequenceLength(std::string_view s) {
    if (s.empty()) {
        return 0;
    }
    const auto b = [&s](size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char c = b(0);
    if (c < 0x80) {
        return 1;
    }
    size_t len = 0;
    unsigned char lo = 0x80, hi = 0xBF;  // allowed range of the second byte
    if (c >= 0xC2 && c <= 0xDF) {
        len = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        len = 3;
        if (c == 0xE0) {
            lo = 0xA0;  // no overlong forms
        } else if (c == 0xED) {
            hi = 0x9F;  // no surrogates
        }
    } else if (c >= 0xF0 && c <= 0xF4) {
        len = 4;
        if (c == 0xF0) {
            lo = 0x90;
        } else if (c == 0xF4) {
            hi = 0x8F;  // nothing above U+10FFFF
        }
    } else {
        return 0;
    }
    if (s.size() < len || b(1) < lo || b(1) > hi) {
        return 0;
    }
    for (size_t i = 2; i < len; ++i) {
        if (b(i) < 0x80 || b(i) > 0xBF) {
            return 0;
        }
    }
    return len;
}

// One converter per direction, opened on first use and kept for the thread's life: opening
// one loads and sets up the code-page tables, which costs far more than converting a header
// field (the data search converts ten per data set). Reset to its initial state before each
// use.
class CConverter {
public:
    CConverter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~CConverter() {
        if (Ok()) {
            iconv_close(m_cd);
        }
    }
    CConverter(const CConverter&) = delete;
    CConverter& operator=(const CConverter&) = delete;
    bool Ok() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
    iconv_t Get() const { return m_cd; }

private:
    iconv_t m_cd;
};

// The converter from CP932 to UTF-8 (toUtf8) or back, reset; (iconv_t)-1 when the system has
// none.
iconv_t ConverterFor(bool toUtf8) {
    thread_local CConverter fromCp932("UTF-8", "CP932");
    thread_local CConverter fromUtf8("CP932", "UTF-8");
    CConverter& c = toUtf8 ? fromCp932 : fromUtf8;
    if (!c.Ok()) {
        return reinterpret_cast<iconv_t>(-1);
    }
    iconv(c.Get(), nullptr, nullptr, nullptr, nullptr);
    return c.Get();
}

// Converts in with iconv from CP932 to UTF-8 (toUtf8) or back. Where iconv stops at input it
// cannot convert, replacement is appended and skip(rest) bytes of the input are passed over.
template <typename Skip>
std::string Convert(bool toUtf8, std::string_view in, std::string_view replacement, Skip skip) {
    std::string out;
    if (in.empty()) {
        return out;
    }
    iconv_t cd = ConverterFor(toUtf8);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        // No converter on this system: every non-ASCII byte is unreadable.
        for (char ch : in) {
            if (static_cast<unsigned char>(ch) < 0x80) {
                out += ch;
            } else {
                out += replacement;
            }
        }
        return out;
    }
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    char buffer[4096];
    while (srcLeft > 0) {
        char* dst = buffer;
        size_t dstLeft = sizeof buffer;
        const size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buffer, static_cast<size_t>(dst - buffer));
        if (r != static_cast<size_t>(-1)) {
            continue;
        }
        if (errno == E2BIG) {
            continue;
        }
        // EILSEQ (not convertible) or EINVAL (incomplete at the end): replace and go on.
        out += replacement;
        const size_t n = skip(std::string_view(src, srcLeft));
        src += n;
        srcLeft -= n;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    return out;
}

}  // namespace

bool IsValidUtf8(std::string_view text) {
    while (!text.empty()) {
        const size_t n = Utf8SequenceLength(text);
        if (n == 0) {
            return false;
        }
        text.remove_prefix(n);
    }
    return true;
}

std::string Cp932ToUtf8(std::string_view bytes) {
    // Only the offending byte is passed over, so a valid character after a stray lead byte
    // (an ASCII character in particular) is still read.
    return Convert(true, bytes, "\xEF\xBF\xBD", [](std::string_view) { return 1; });
}

std::string FileTextToUtf8(std::string_view bytes) {
    return IsValidUtf8(bytes) ? std::string(bytes) : Cp932ToUtf8(bytes);
}

std::string Utf8ToCp932(std::string_view text) {
    // A whole character that CP932 cannot hold is one '?'; a broken byte is one '?' too.
    return Convert(false, text, "?", [](std::string_view rest) {
        const size_t n = Utf8SequenceLength(rest);
        return n == 0 ? size_t{1} : n;
    });
}

}  // namespace kzv
