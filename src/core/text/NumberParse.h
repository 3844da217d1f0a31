#pragma once

#include <cstdint>
#include <string_view>
#include <type_traits>

// The number loops of the readers run millions of times per data set: the shortcuts below are
// worth inlining into them even where the compiler would call them.
#if defined(__GNUC__)
#define KZV_ALWAYS_INLINE inline __attribute__((always_inline))
#else
#define KZV_ALWAYS_INLINE inline
#endif

// Locale-independent number reading with the semantics of the C scanf conversions the data
// files were written for ("%d", "%g", "%lf"): leading white space is skipped, a sign is
// allowed, and the cursor moves past the number on success. On failure the cursor is left
// where it was. Values that do not fit the target type, and infinities and NaNs, fail: a data
// file never means them, and they would poison every computation downstream.
namespace kzv {

// A cursor over one line of text.
class CTextCursor {
public:
    explicit CTextCursor(std::string_view text) : m_text(text) {}

    KZV_ALWAYS_INLINE bool ReadInt(int& out) { return ReadPlainInt(out) || ReadIntSlow(out); }
    KZV_ALWAYS_INLINE bool ReadFloat(float& out) { return ReadPlain(out) || ReadFloatSlow(out); }
    KZV_ALWAYS_INLINE bool ReadDouble(double& out) { return ReadPlain(out) || ReadDoubleSlow(out); }
    // The same by the target's type, for code generic over it.
    bool Read(int& out) { return ReadInt(out); }
    bool Read(float& out) { return ReadFloat(out); }
    bool Read(double& out) { return ReadDouble(out); }

    // Skips blanks (space, tab, CR, vertical tab, form feed, line feed).
    void SkipBlanks() {
        while (m_pos < m_text.size() && IsBlank(m_text[m_pos])) {
            ++m_pos;
        }
    }
    // Consumes the next character if it equals c.
    bool Expect(char c) {
        if (m_pos < m_text.size() && m_text[m_pos] == c) {
            ++m_pos;
            return true;
        }
        return false;
    }
    // Consumes exactly one character, whatever it is; false at the end.
    bool SkipOne() {
        if (m_pos >= m_text.size()) {
            return false;
        }
        ++m_pos;
        return true;
    }

    bool AtEnd() const { return m_pos >= m_text.size(); }
    // The next character as an unsigned byte, or -1 at the end.
    int Peek() const {
        return m_pos < m_text.size() ? static_cast<unsigned char>(m_text[m_pos]) : -1;
    }
    std::string_view Rest() const { return m_text.substr(m_pos); }

private:
    static bool IsBlank(char c) {
        return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
    }
    template <typename T>
    bool ReadNumber(T& out);
    bool ReadIntSlow(int& out);
    bool ReadFloatSlow(float& out);
    bool ReadDoubleSlow(double& out);

    // The plain decimals data files are made of ("-0.564", "20000.0", "12"), read exactly as
    // the general path (from_chars) reads them, without its machinery: a '-' or nothing,
    // digits, optionally a point and at least one more digit, and nothing after them that
    // could continue the number. The digits form an integer m and the point a power of ten p;
    // when m and 10^p are both exact in T, m / 10^p is one correctly rounded division, which
    // is the correctly rounded value of the text (strtod's fast path rests on the same fact).
    // Anything else (blanks first, a '+', exponents, long mantissas, a lone point) answers
    // false without moving, for the general path.
    // A '-' or nothing and at most nine digits, which always fit; longer numbers, blanks and
    // '+' go the general way.
    KZV_ALWAYS_INLINE bool ReadPlainInt(int& out) {
        const char* p = m_text.data() + m_pos;
        const char* const last = m_text.data() + m_text.size();
        const bool negative = p != last && *p == '-';
        p += negative ? 1 : 0;
        int v = 0;
        int digits = 0;
        while (p != last && *p >= '0' && *p <= '9') {
            if (++digits > 9) {
                return false;
            }
            v = v * 10 + (*p++ - '0');
        }
        if (digits == 0) {
            return false;
        }
        out = negative ? -v : v;
        m_pos = static_cast<size_t>(p - m_text.data());
        return true;
    }

    template <typename T>
    KZV_ALWAYS_INLINE bool ReadPlain(T& out) {
        constexpr uint64_t kMaxExact =
            std::is_same_v<T, float> ? (uint64_t{1} << 24) : (uint64_t{1} << 53);
        constexpr int kMaxPower = std::is_same_v<T, float> ? 10 : 22;
        static constexpr T kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
        const char* p = m_text.data() + m_pos;
        const char* const last = m_text.data() + m_text.size();
        const bool negative = p != last && *p == '-';
        p += negative ? 1 : 0;
        const auto digit = [&p, last] {
            return p != last && static_cast<unsigned char>(*p - '0') < 10;
        };
        // Reads digits into m up to 19 in all (more could overflow it); how many were read
        // comes from the cursor's advance rather than a count kept per digit.
        uint64_t m = 0;
        const auto readDigits = [&p, last, &m](int room) {
            const char* const start = p;
            const char* const stop = last - p < room ? last : p + room;
            while (p != stop && static_cast<unsigned char>(*p - '0') < 10) {
                m = m * 10 + static_cast<uint64_t>(*p++ - '0');
            }
            return static_cast<int>(p - start);
        };
        int digits = readDigits(19);
        if (digits == 0) {
            return false;
        }
        int fraction = 0;
        if (p != last && *p == '.') {
            ++p;
            fraction = readDigits(19 - digits);
            digits += fraction;
            if (fraction == 0) {
                return false;
            }
        }
        if (digit() || (p != last && (*p == '.' || *p == 'e' || *p == 'E')) || m > kMaxExact ||
            fraction > kMaxPower) {
            return false;  // more digits than counted, a second point, an exponent, or inexact
        }
        const T v = static_cast<T>(m) / kPowers[fraction];
        out = negative ? -v : v;
        m_pos = static_cast<size_t>(p - m_text.data());
        return true;
    }

    std::string_view m_text;
    size_t m_pos = 0;
};

// True when a line looks like numbers written with a decimal comma, as a spreadsheet in a
// German or French locale exports them: fields separated by ';', tabs or blanks, at least two
// of them, one of them a number like "1,5" or "-0,25e3", and no field starting or ending with a
// comma (which would make the commas separators). Such a line must not be read as
// comma-separated numbers: "0,5;1,5" would give 0, 5, 1, 5.
bool LooksLikeDecimalComma(std::string_view line);

// The whole text of a number box read as an int, as a dialog reads its edit controls: blanks
// around the number are allowed, a sign ('+' or '-') only when isSigned, nothing else. False
// for an empty text, any other character and a number beyond the int range; out is then
// unchanged.
bool ReadWholeInt(std::string_view text, bool isSigned, int& out);

}  // namespace kzv
