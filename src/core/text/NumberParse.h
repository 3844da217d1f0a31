#pragma once

#include <string_view>

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

    bool ReadInt(int& out);
    bool ReadFloat(float& out);
    bool ReadDouble(double& out);

    // Skips blanks (space, tab, CR, vertical tab, form feed, line feed).
    void SkipBlanks();
    // Consumes the next character if it equals c.
    bool Expect(char c);
    // Consumes exactly one character, whatever it is; false at the end.
    bool SkipOne();

    bool AtEnd() const { return m_pos >= m_text.size(); }
    std::string_view Rest() const { return m_text.substr(m_pos); }

private:
    template <typename T>
    bool ReadNumber(T& out);

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
