#include "render/GLText.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <string>
#include <vector>

#include <GL/gl.h>

#include "text/CodePage.h"

namespace kzv {

void InstallFontSubstitutions() {
    QFont::insertSubstitution(QString::fromUtf8("ＭＳ ゴシック"), QStringLiteral("IPAGothic"));
    QFont::insertSubstitution(QString::fromUtf8("ＭＳ 明朝"), QStringLiteral("IPAMincho"));
    QFont::insertSubstitution(QString::fromUtf8("ＭＳ　Ｐゴシック"), QStringLiteral("IPAPGothic"));
    QFont::insertSubstitution(QString::fromUtf8("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
}

QFont MakeBitmapFont(int height, const char* faceName) {
    const std::string face = faceName != nullptr ? FileTextToUtf8(faceName) : std::string();
    QFont font(QString::fromStdString(face));
    font.setStyleStrategy(QFont::NoAntialias);
    font.setWeight(QFont::Normal);
    // The height is the character cell: shrink the pixel size until ascent + descent fit.
    int pixels = height > 0 ? height : 15;
    font.setPixelSize(pixels);
    while (pixels > 1) {
        const QFontMetrics fm(font);
        if (fm.ascent() + fm.descent() <= (height > 0 ? height : 15)) {
            break;
        }
        font.setPixelSize(--pixels);
    }
    return font;
}

QString SingleByteChar(unsigned char code) {
    if (code >= 0x20 && code < 0x7F) {
        return QString(QChar(code));
    }
    if (code >= 0xA1 && code <= 0xDF) {
        return QString(QChar(0xFF61 + (code - 0xA1)));  // half-width katakana
    }
    return QString();
}

namespace {

// Forgets errors of earlier calls, so that a failure seen afterwards is our own.
void DrainGlErrors() {
    for (int i = 0; i < 8 && glGetError() != GL_NO_ERROR; ++i) {
    }
}

// The glyph image of one character, as CBitmapFont describes it.
CBitmapImage RenderGlyph(const QFont& font, const QFontMetrics& fm, const QString& ch) {
    CBitmapImage glyph;
    const int advance = ch.isEmpty() ? 0 : fm.horizontalAdvance(ch);
    const int w = std::max(1, std::max(advance, fm.boundingRect(ch).right() + 1));
    const int h = std::max(1, fm.ascent() + fm.descent());
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    if (!ch.isEmpty()) {
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(0, fm.ascent(), ch);
    }
    glyph.width = w;
    glyph.height = h;
    glyph.yorig = static_cast<float>(fm.descent());
    glyph.advance = static_cast<float>(advance);
    const int rowBytes = glyph.RowBytes();
    glyph.bits.assign(static_cast<size_t>(rowBytes) * static_cast<size_t>(h), 0);
    for (int y = 0; y < h; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(h - 1 - y));
        for (int x = 0; x < w; ++x) {
            if (qAlpha(line[x]) >= 128) {
                glyph.bits[static_cast<size_t>(y * rowBytes + x / 8)] |=
                    static_cast<uint8_t>(0x80u >> (x % 8));
            }
        }
    }
    return glyph;
}

// Compiles one glyph image into list (unpack alignment 1 set by the caller).
void CompileGlyph(unsigned list, const CBitmapImage& glyph) {
    glNewList(list, GL_COMPILE);
    glBitmap(glyph.width, glyph.height, glyph.xorig, glyph.yorig, glyph.advance, 0.0f,
             glyph.bits.data());
    glEndList();
}

}  // namespace

namespace {

// Compiles count glyphs, list first + i from the character charAt(i), with byte-aligned rows.
template <typename CharAt>
bool CompileGlyphs(unsigned first, int count, int height, const char* faceName, CharAt charAt) {
    const QFont font = MakeBitmapFont(height, faceName);
    const QFontMetrics fm(font);
    DrainGlErrors();
    GLint alignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (int i = 0; i < count; ++i) {
        CompileGlyph(first + static_cast<unsigned>(i), RenderGlyph(font, fm, charAt(i)));
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    return glGetError() == GL_NO_ERROR;
}

}  // namespace

bool CompileSingleByteGlyphs(unsigned base, int height, const char* faceName) {
    return CompileGlyphs(base, 256, height, faceName,
                         [](int code) { return SingleByteChar(static_cast<unsigned char>(code)); });
}

CBitmapFont::CBitmapFont(int height, const char* faceName)
    : m_font(MakeBitmapFont(height, faceName)) {
    const QFontMetrics fm(m_font);
    m_ascent = fm.ascent();
    m_descent = fm.descent();
}

const CBitmapImage& CBitmapFont::Glyph(const QString& ch) {
    const std::u16string key(reinterpret_cast<const char16_t*>(ch.utf16()),
                             static_cast<size_t>(ch.size()));
    auto it = m_glyphs.find(key);
    if (it == m_glyphs.end()) {
        const QFontMetrics fm(m_font);
        it = m_glyphs.emplace(key, RenderGlyph(m_font, fm, ch)).first;
    }
    return it->second;
}

CBitmapImage CBitmapFont::Text(const std::vector<QString>& chars) {
    CBitmapImage text;
    text.height = std::max(1, m_ascent + m_descent);
    text.yorig = static_cast<float>(m_descent);
    // The width: every glyph's right end, at least 1 as a glyph's own image is.
    int advance = 0;
    int width = 1;
    for (const QString& ch : chars) {
        const CBitmapImage& glyph = Glyph(ch);
        width = std::max(width, advance + glyph.width);
        advance += static_cast<int>(glyph.advance);
    }
    text.width = width;
    text.advance = static_cast<float>(advance);
    const int rowBytes = text.RowBytes();
    text.bits.assign(static_cast<size_t>(rowBytes) * static_cast<size_t>(text.height), 0);
    int x0 = 0;
    for (const QString& ch : chars) {
        const CBitmapImage& glyph = Glyph(ch);
        const int glyphRowBytes = glyph.RowBytes();
        const int rows = std::min(glyph.height, text.height);
        for (int y = 0; y < rows; ++y) {
            const uint8_t* from = glyph.bits.data() + static_cast<size_t>(y * glyphRowBytes);
            uint8_t* to = text.bits.data() + static_cast<size_t>(y * rowBytes);
            for (int x = 0; x < glyph.width; ++x) {
                if (from[x / 8] & (0x80u >> (x % 8))) {
                    const int tx = x0 + x;
                    to[tx / 8] |= static_cast<uint8_t>(0x80u >> (tx % 8));
                }
            }
        }
        x0 += static_cast<int>(glyph.advance);
    }
    return text;
}

std::vector<QString> SingleByteChars(const char* text) {
    std::vector<QString> chars;
    for (const char* c = text; c != nullptr && *c != '\0'; ++c) {
        chars.push_back(SingleByteChar(static_cast<unsigned char>(*c)));
    }
    return chars;
}

std::vector<QString> WideChars(const wchar_t* text, int count) {
    std::vector<QString> chars;
    for (int i = 0; text != nullptr && i < count; ++i) {
        const char32_t c = static_cast<char32_t>(text[i]);
        chars.push_back(QString::fromUcs4(&c, 1));
    }
    return chars;
}

void DrawBitmapImage(const CBitmapImage& image) {
    GLint alignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glBitmap(image.width, image.height, image.xorig, image.yorig, image.advance, 0.0f,
             image.bits.data());
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
}

}  // namespace kzv
