#pragma once

#include <QFont>
#include <QString>

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

// Compiles one glBitmap display list per glyph, at base + i for i = 0..255 (the byte codes)
// or per character of text. The raster position is the left end of the baseline and each
// list moves it by the glyph's advance. False when the font cannot be made.
bool CompileSingleByteGlyphs(unsigned base, int height, const char* faceName);
bool CompileTextGlyphs(unsigned first, int height, const wchar_t* text, int count,
                       const char* faceName);

}  // namespace kzv
