#include "GLText.h"

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

// Renders one character and compiles it into the current list as a glBitmap.
void CompileGlyph(unsigned list, const QFont& font, const QFontMetrics& fm, const QString& ch) {
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
    // glBitmap rows run bottom-up, most significant bit leftmost, byte-aligned.
    const int rowBytes = (w + 7) / 8;
    std::vector<GLubyte> bits(static_cast<size_t>(rowBytes) * static_cast<size_t>(h), 0);
    for (int y = 0; y < h; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(h - 1 - y));
        for (int x = 0; x < w; ++x) {
            if (qAlpha(line[x]) >= 128) {
                bits[static_cast<size_t>(y * rowBytes + x / 8)] |=
                    static_cast<GLubyte>(0x80u >> (x % 8));
            }
        }
    }
    glNewList(list, GL_COMPILE);
    glBitmap(w, h, 0.0f, static_cast<GLfloat>(fm.descent()), static_cast<GLfloat>(advance), 0.0f,
             bits.data());
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
        CompileGlyph(first + static_cast<unsigned>(i), font, fm, charAt(i));
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    return glGetError() == GL_NO_ERROR;
}

}  // namespace

bool CompileSingleByteGlyphs(unsigned base, int height, const char* faceName) {
    return CompileGlyphs(base, 256, height, faceName,
                         [](int code) { return SingleByteChar(static_cast<unsigned char>(code)); });
}

bool CompileTextGlyphs(unsigned first, int height, const wchar_t* text, int count,
                       const char* faceName) {
    if (text == nullptr || count <= 0) {
        return false;
    }
    return CompileGlyphs(first, count, height, faceName, [text](int i) {
        const char32_t c = static_cast<char32_t>(text[i]);
        return QString::fromUcs4(&c, 1);
    });
}

}  // namespace kzv
