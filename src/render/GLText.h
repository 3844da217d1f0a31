#pragma once

#include <QFont>
#include <QString>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace kzv {

// The Japanese face names the settings use, mapped to the IPA fonts that stand in for them.
// Called once at start-up.
void InstallFontSubstitutions();

// A font of the given cell height (ascent + descent, in pixels) and face; faceName holds the
// bytes of a setting (CP932 or UTF-8).
QFont MakeBitmapFont(int height, const char* faceName);

// The character a single byte of the Japanese code page stands for (ASCII, half-width
// katakana); an empty string for bytes that are not characters on their own.
QString SingleByteChar(unsigned char code);

// A glBitmap image: rows bottom-up, byte-aligned, most significant bit leftmost; drawn with
// its origin (xorig, yorig) at the raster position, which then moves by advance.
struct CBitmapImage {
    int width = 0;
    int height = 0;
    float xorig = 0.0f;
    float yorig = 0.0f;
    float advance = 0.0f;
    std::vector<uint8_t> bits;

    int RowBytes() const { return (width + 7) / 8; }
};

// One bitmap font (cell height and face) and the glyph images rendered from it so far. A
// glyph's image is the character drawn without antialiasing at the left end of the baseline,
// thresholded at half coverage; its width is the larger of its advance and its ink.
class CBitmapFont {
public:
    CBitmapFont(int height, const char* faceName);
    CBitmapFont(const CBitmapFont&) = delete;
    CBitmapFont& operator=(const CBitmapFont&) = delete;

    // The image of one character; an empty string gives a blank cell of width 1 and no advance.
    const CBitmapImage& Glyph(const QString& ch);
    // One image of a whole text, the same pixels as its glyphs drawn one after another: each
    // glyph's bits at the sum of the advances before it, overlaps merged.
    CBitmapImage Text(const std::vector<QString>& chars);

private:
    QFont m_font;
    int m_ascent = 0;
    int m_descent = 0;
    std::unordered_map<std::u16string, CBitmapImage> m_glyphs;
};

// The characters of a text in the Japanese code page, one per byte (see SingleByteChar), and
// of a wide text.
std::vector<QString> SingleByteChars(const char* text);
std::vector<QString> WideChars(const wchar_t* text, int count);

// Compiles one glBitmap display list per glyph, at base + i for i = 0..255 (the byte codes).
// The raster position is the left end of the baseline and each list moves it by the glyph's
// advance. False when the font cannot be made.
bool CompileSingleByteGlyphs(unsigned base, int height, const char* faceName);
// Calls glBitmap with the image (unpack alignment 1 for the call).
void DrawBitmapImage(const CBitmapImage& image);

}  // namespace kzv
