// The renderer's texts: bitmap fonts, single texts, pieces of numbers and wide-text lists.
#include "render/GLRenderer.h"

#include <QString>
#include <algorithm>

#include <GL/gl.h>

#include "render/GLRecording.h"
#include "render/GLText.h"

// ---- text ----

unsigned CGLRenderer::CreateFontListA(int height, const char* faceName) {
    if (!HasCurrentContext()) {
        return 0;
    }
    const GLuint base = glGenLists(256);
    if (base == 0) {
        return 0;
    }
    if (!kzv::CompileSingleByteGlyphs(base, height * m_nPixelScale, faceName)) {
        glDeleteLists(base, 256);
        return 0;
    }
    m_fontLists[base] = FontKey(height * m_nPixelScale, faceName != nullptr ? faceName : "");
    return base;
}

kzv::CBitmapFont& CGLRenderer::BitmapFont(const FontKey& key) {
    auto it = m_bitmapFonts.find(key);
    if (it == m_bitmapFonts.end()) {
        it = m_bitmapFonts
                 .emplace(key, std::make_unique<kzv::CBitmapFont>(key.first, key.second.c_str()))
                 .first;
    }
    return *it->second;
}

void CGLRenderer::StartText(CVector4 position, unsigned listBase, const char* text,
                            CVector4 colour) {
    glColor4fv(colour.Data());
    glRasterPos3fv(position.Data());
    if (m_recording != nullptr) {
        const auto font = m_fontLists.find(listBase);
        if (font != m_fontLists.end()) {
            m_recording->Bitmap(position,
                                BitmapFont(font->second).Text(kzv::SingleByteChars(text)));
        }
    }
}

void CGLRenderer::DrawTextA(CVector4 position, unsigned listBase, const char* text,
                            CVector4 colour) {
    if (listBase == 0 || text == nullptr || !HasCurrentContext()) {
        return;
    }
    StartText(position, listBase, text, colour);
    glListBase(listBase);
    glCallLists(static_cast<GLsizei>(std::strlen(text)), GL_UNSIGNED_BYTE, text);
}

void CGLRenderer::DeleteFontList(unsigned listBase) {
    if (listBase != 0 && HasCurrentContext()) {
        glDeleteLists(listBase, 256);
        m_fontLists.erase(listBase);
        const auto pieces = m_pieceLists.find(listBase);
        if (pieces != m_pieceLists.end()) {
            for (const auto& piece : pieces->second) {
                glDeleteLists(piece.second, 1);
            }
            m_pieceLists.erase(pieces);
        }
    }
}

void CGLRenderer::DrawTextBitmap(CVector4 position, unsigned listBase, const char* text,
                                 CVector4 colour) {
    if (listBase == 0 || text == nullptr || !HasCurrentContext()) {
        return;
    }
    const auto font = m_fontLists.find(listBase);
    if (font == m_fontLists.end()) {
        DrawTextA(position, listBase, text, colour);  // not a font of ours: glyph by glyph
        return;
    }
    const kzv::CBitmapImage image = BitmapFont(font->second).Text(kzv::SingleByteChars(text));
    glColor4fv(colour.Data());
    glRasterPos3fv(position.Data());
    if (m_recording != nullptr) {
        m_recording->Bitmap(position, image);
    }
    kzv::DrawBitmapImage(image);
}

namespace {
// The length of the first of a text's pieces: the pieces are three characters long, counted
// from the text's right end, so the first holds what is left over.
size_t FirstPieceLength(size_t length) {
    return length % 3 != 0 ? length % 3 : std::min<size_t>(3, length);
}
}  // namespace

void CGLRenderer::PrepareTextPieces(unsigned listBase, const std::vector<std::string>& texts) {
    const auto font = m_fontLists.find(listBase);
    if (font == m_fontLists.end() || !HasCurrentContext()) {
        return;
    }
    GLint compiling = 0;
    glGetIntegerv(GL_LIST_INDEX, &compiling);
    if (compiling != 0) {
        return;  // no list inside another
    }
    std::unordered_map<std::string, unsigned>& pieces = m_pieceLists[listBase];
    std::string piece;
    for (const std::string& text : texts) {
        for (size_t at = 0, n = FirstPieceLength(text.size()); at < text.size(); at += n, n = 3) {
            piece.assign(text, at, n);
            if (pieces.count(piece) != 0 || pieces.size() >= kMaxTextPieces) {
                continue;
            }
            const GLuint list = glGenLists(1);
            if (list == 0) {
                return;
            }
            glNewList(list, GL_COMPILE);
            kzv::DrawBitmapImage(
                BitmapFont(font->second).Text(kzv::SingleByteChars(piece.c_str())));
            glEndList();
            pieces.emplace(piece, list);
        }
    }
}

void CGLRenderer::DrawTextPieces(CVector4 position, unsigned listBase, const char* text,
                                 CVector4 colour) {
    if (listBase == 0 || text == nullptr || !HasCurrentContext()) {
        return;
    }
    StartText(position, listBase, text, colour);
    static const std::unordered_map<std::string, unsigned> kNone;
    const auto found = m_pieceLists.find(listBase);
    const auto& pieces = found != m_pieceLists.end() ? found->second : kNone;
    const size_t length = std::strlen(text);
    std::string piece;
    for (size_t at = 0, n = FirstPieceLength(length); at < length; at += n, n = 3) {
        piece.assign(text + at, n);
        const auto list = pieces.find(piece);
        if (list != pieces.end()) {
            glCallList(list->second);
        } else {
            for (char c : piece) {
                glCallList(listBase + static_cast<unsigned char>(c));
            }
        }
    }
}

CTextLists CGLRenderer::CreateTextList(int height, const std::string& utf8, const char* faceName) {
    const std::wstring wide = QString::fromStdString(utf8).toStdWString();
    return CreateTextListW(height, wide.c_str(), faceName);
}

std::pair<unsigned, int> CGLRenderer::CreateTextListW(int height, const wchar_t* text,
                                                      const char* faceName) {
    const int count = text != nullptr ? static_cast<int>(std::wcslen(text)) : 0;
    if (count == 0 || !HasCurrentContext()) {
        return {0, 0};
    }
    const FontKey key(height * m_nPixelScale, faceName != nullptr ? faceName : "");
    const std::vector<QString> chars = kzv::WideChars(text, count);
    for (int i = 0; i < 8 && glGetError() != GL_NO_ERROR; ++i) {
        // errors of earlier calls are not this text's
    }
    // The glyph lists this text calls: those of its font made for earlier texts, the others
    // made now. Each counts the texts that use it.
    GLint alignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    std::map<std::u16string, GlyphList>& glyphs = m_glyphLists[key];
    std::vector<unsigned> calls;
    bool ok = true;
    for (const QString& ch : chars) {
        const std::u16string name(reinterpret_cast<const char16_t*>(ch.utf16()),
                                  static_cast<size_t>(ch.size()));
        auto it = glyphs.find(name);
        if (it == glyphs.end()) {
            const GLuint list = glGenLists(1);
            if (list == 0) {
                ok = false;
                break;
            }
            const kzv::CBitmapImage& glyph = BitmapFont(key).Glyph(ch);
            glNewList(list, GL_COMPILE);
            glBitmap(glyph.width, glyph.height, glyph.xorig, glyph.yorig, glyph.advance, 0.0f,
                     glyph.bits.data());
            glEndList();
            it = glyphs.emplace(name, GlyphList{list, 0}).first;
        }
        ++it->second.texts;
        calls.push_back(it->second.list);
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    const GLuint textList = ok ? glGenLists(1) : 0;
    if (textList != 0) {
        glNewList(textList, GL_COMPILE);
        for (unsigned list : calls) {
            glCallList(list);
        }
        glEndList();
    }
    m_textLists[textList] = {key, std::wstring(text, calls.size())};
    if (textList == 0 || glGetError() != GL_NO_ERROR) {
        DeleteLists(textList, static_cast<int>(calls.size()));
        return {0, 0};
    }
    return {textList, count};
}

void CGLRenderer::DrawTextList(CVector4 position, unsigned list, int count, CVector4 colour) {
    if (count <= 0 || list == 0 || !HasCurrentContext()) {
        return;
    }
    glColor4fv(colour.Data());
    glRasterPos3fv(position.Data());
    if (m_recording != nullptr) {
        const auto text = m_textLists.find(list);
        if (text != m_textLists.end()) {
            const std::wstring& chars = text->second.second;
            m_recording->Bitmap(
                position,
                BitmapFont(text->second.first).Text(kzv::WideChars(chars.c_str(), count)));
        }
    }
    glCallList(list);
}

void CGLRenderer::DeleteLists(unsigned list, int count) {
    const auto text = m_textLists.find(list);
    if (text == m_textLists.end() || count <= 0 || !HasCurrentContext()) {
        return;
    }
    // The glyphs go with the last text that used them.
    auto font = m_glyphLists.find(text->second.first);
    const std::vector<QString> chars =
        kzv::WideChars(text->second.second.c_str(), static_cast<int>(text->second.second.size()));
    for (size_t i = 0; font != m_glyphLists.end() && i < chars.size(); ++i) {
        const std::u16string name(reinterpret_cast<const char16_t*>(chars[i].utf16()),
                                  static_cast<size_t>(chars[i].size()));
        const auto glyph = font->second.find(name);
        if (glyph != font->second.end() && --glyph->second.texts <= 0) {
            glDeleteLists(glyph->second.list, 1);
            font->second.erase(glyph);
        }
    }
    if (font != m_glyphLists.end() && font->second.empty()) {
        m_glyphLists.erase(font);
    }
    if (list != 0) {
        glDeleteLists(list, 1);
    }
    m_textLists.erase(text);
}

int CGLRenderer::GlyphListCount() const {
    size_t n = 0;
    for (const auto& font : m_glyphLists) {
        n += font.second.size();
    }
    return static_cast<int>(n);
}
