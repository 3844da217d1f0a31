#include <gtest/gtest.h>

#include <QFile>
#include <QImageReader>
#include <QPrinter>
#include <QTemporaryDir>
#include <cstring>

#include "TestView.h"
#include "geometry/Matrix4.h"
#include "render/GLRecording.h"

namespace {

const CVector4 kSquare[4] = {CVector4(-20, -20, 0), CVector4(20, -20, 0), CVector4(20, 20, 0),
                             CVector4(-20, 20, 0)};

TEST(Render, DefaultProjectionFollowsTheWindowSize) {
    CTestView view(801, 600);
    (void)view.Frame();
    EXPECT_EQ(view.m_gl.ProjectionBox()[0], -400.0f);
    EXPECT_EQ(view.m_gl.ProjectionBox()[1], 400.0f);
    EXPECT_EQ(view.m_gl.ProjectionBox()[2], -300.0f);
    EXPECT_EQ(view.m_gl.ProjectionBox()[3], 300.0f);
    EXPECT_EQ(view.m_gl.ProjectionBox()[4], -5000.0f);
    EXPECT_EQ(view.m_gl.ProjectionBox()[5], 5000.0f);
    view.resize(300, 201);
    (void)view.Frame();
    EXPECT_EQ(view.m_gl.ProjectionBox()[1], 150.0f);
    EXPECT_EQ(view.m_gl.ProjectionBox()[3], 100.0f);
}

TEST(Render, PrimitivesLandWhereTheyAreDrawn) {
    CTestView view(200, 200);
    view.scene = [](CTestView& v) {
        v.m_gl.DisableLighting();
        v.m_gl.DrawPolygon(kSquare, 4, OPAQUE_RED);  // centre of the window
        const CVector4 line[2] = {CVector4(-90, 60, 0), CVector4(90, 60, 0)};
        v.m_gl.DrawLine(line, OPAQUE_BLUE, 3.0f);  // 60 px above the centre
        v.m_gl.DrawSphere(CVector4(60, -60, 0), 10, OPAQUE_GREEN, 16);
        v.m_gl.DrawLineLoop(kSquare, 0, OPAQUE_BLACK, 1.0f);  // nothing
        v.m_gl.DrawCone(CVector4(-60, -60, 0), 10, 20, 0, AXIS_Z, OPAQUE_MAGENTA);
    };
    const QImage image = view.Frame();
    ASSERT_EQ(image.width(), 200);
    EXPECT_TRUE(Near(PixelAt(image, 100, 100), Qt::red))
        << PixelAt(image, 100, 100).name().toStdString();
    EXPECT_TRUE(Near(PixelAt(image, 100, 40), Qt::blue));
    EXPECT_TRUE(Near(PixelAt(image, 160, 160), Qt::green));
    EXPECT_TRUE(Near(PixelAt(image, 40, 160), Qt::magenta));
    EXPECT_TRUE(Near(PixelAt(image, 5, 5), Qt::white));
}

TEST(Render, LitFacesAreShadedByMaterialAndLights) {
    CTestView view(100, 100);
    view.scene = [](CTestView& v) {
        v.SetLights(CVector4(0, 0, 1000, 0), CVector4(0, 0, -1000, 0), OPAQUE_WHITE, OPAQUE_WHITE,
                    GL_DIFFUSE);
        const CVector4 material[4] = {CVector4(0, 0, 1, 1), COLOR_BLACK, COLOR_BLACK,
                                      CVector4(10, 0, 0)};
        v.m_gl.DrawFace(kSquare, 4, material, GL_FRONT_AND_BACK);
        v.m_gl.DisableLighting();
    };
    const QColor c = PixelAt(view.Frame(), 50, 50);
    EXPECT_GT(c.blue(), 150);
    EXPECT_LT(c.red(), 60);
}

TEST(Render, BitmapTextLatinAndJapanese) {
    CTestView view(200, 100);
    std::pair<unsigned, int> japanese{0, 0};
    view.scene = [&japanese](CTestView& v) {
        v.m_gl.DrawTextA(CVector4(-90, 10, 0), v.fontBase, "KZ_V 1.25", OPAQUE_BLACK);
        if (japanese.first == 0) {
            japanese = v.m_gl.CreateTextListW(15, L"風圧係数", "ＭＳ ゴシック");
        }
        v.m_gl.DrawTextList(CVector4(-90, -30, 0), japanese.first, japanese.second, OPAQUE_BLACK);
    };
    const QImage image = view.Frame();
    ASSERT_NE(view.fontBase, 0u);
    EXPECT_EQ(japanese.second, 4);
    // Latin text sits right of and above its raster position (x 10, baseline y 40 from top).
    EXPECT_GT(CountPixelsDarkerThan(image, QRect(10, 25, 90, 16), 128), 20);
    EXPECT_EQ(CountPixelsDarkerThan(image, QRect(0, 0, 9, 100), 128), 0);  // nothing left of it
    // Japanese glyphs: baseline 80 from the top.
    EXPECT_GT(CountPixelsDarkerThan(image, QRect(10, 64, 80, 18), 128), 40);

    view.makeCurrent();
    EXPECT_EQ(view.m_gl.CreateTextListW(15, L"", "ＭＳ ゴシック"), std::make_pair(0u, 0));
    view.m_gl.DeleteLists(japanese.first, japanese.second);
    view.doneCurrent();
}

// Picks at window point (x, y from the top) in a scene of named squares.
unsigned PickAt(CTestView& view, int x, int y,
                const std::vector<std::pair<unsigned, float>>& squares, float* depth) {
    view.makeCurrent();
    view.m_gl.BeginPick();
    view.m_gl.SetPickMatrix(x, view.ClientHeight() - y);
    glLoadIdentity();
    for (const auto& [name, z] : squares) {
        view.m_gl.LoadName(name);
        CVector4 pts[4];
        for (int i = 0; i < 4; ++i) {
            pts[i] = kSquare[i];
            pts[i].z = z;
        }
        view.m_gl.DrawPolygon(pts, 4, OPAQUE_RED);
    }
    unsigned names[64];
    const unsigned hit = view.m_gl.EndPick(names, depth);
    view.doneCurrent();
    return hit;
}

TEST(Render, PickingChoosesTheNearestAndTheFirstOnTies) {
    CTestView view(200, 200);
    (void)view.Frame();
    float depth = 0;
    EXPECT_EQ(PickAt(view, 10, 10, {{1, 0}, {2, 100}}, &depth), 0xFFFFFFFFu);
    EXPECT_EQ(depth, 2147483648.0f);
    // The viewer looks down -z: larger z is nearer.
    EXPECT_EQ(PickAt(view, 100, 100, {{1, 0}, {2, 100}}, &depth), 2u);
    EXPECT_EQ(PickAt(view, 100, 100, {{2, 100}, {1, 0}}, &depth), 2u);
    EXPECT_EQ(PickAt(view, 100, 100, {{7, 50}, {8, 50}}, &depth), 7u);

    // The picked depth unprojects to the drawn point.
    PickAt(view, 110, 95, {{3, 250}}, &depth);
    view.makeCurrent();
    glLoadIdentity();
    const CVector4 p = view.m_gl.UnProject(110, 95, depth);
    view.doneCurrent();
    EXPECT_NEAR(p.x, 10.0f, 1.0f);
    EXPECT_NEAR(p.y, 5.0f, 1.0f);
    EXPECT_NEAR(p.z, 250.0f, 1.0f);
}

TEST(Render, CoreRotationIsTheOneOpenGLApplies) {
    CTestView view(50, 50);
    (void)view.Frame();
    view.makeCurrent();
    CMatrix4 stored;
    stored.Rotate(CVector4(12.5f, -40.0f, 7.0f));
    const CMatrix4 old = stored;
    const CVector4 angles(33.0f, 21.5f, -80.25f);
    const CVector4 axes[3] = {CVector4(0.3f, 0.9f, 0.1f), AXIS_Y, CVector4(0, 0, -1)};

    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glRotatef(angles.x, axes[0].x, axes[0].y, axes[0].z);
    glRotatef(angles.y, axes[1].x, axes[1].y, axes[1].z);
    glRotatef(angles.z, axes[2].x, axes[2].y, axes[2].z);
    glMultMatrixf(old.Data());
    float gl[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, gl);

    glLoadIdentity();
    stored.Rotate(angles, axes);
    view.m_gl.MultMatrix(stored);
    float applied[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, applied);
    view.doneCurrent();
    for (int i = 0; i < 16; ++i) {
        EXPECT_NEAR(stored.m[i], gl[i], 1e-6f) << i;
        EXPECT_EQ(applied[i], stored.m[i]) << i;
    }
}

TEST(Render, OffscreenImageFitsThePage) {
    CTestView view(800, 600);
    (void)view.Frame();
    ASSERT_TRUE(view.m_gl.CreateOffscreen(800, 600));
    view.m_gl.PrepareOffscreen(2000, 3000, 800, 600);
    EXPECT_EQ(view.m_gl.OffscreenInfo().width, 2000);
    EXPECT_EQ(view.m_gl.OffscreenInfo().height, 1500);
    view.m_gl.PrepareOffscreen(3000, 1000, 800, 600);
    EXPECT_EQ(view.m_gl.OffscreenInfo().width, 1333);
    EXPECT_EQ(view.m_gl.OffscreenInfo().height, 1000);
    // The stored box is kept: the page shows exactly the window's picture.
    EXPECT_EQ(view.m_gl.ProjectionBox()[1], 400.0f);
    view.m_gl.DestroyOffscreen();
    EXPECT_FALSE(view.m_gl.HasOffscreen());
}

TEST(Render, WithoutAContextNothingHappens) {
    CGLRenderer gl;  // never bound to a window
    gl.SetOrtho(CVector4(-1, 1, -1, 1), CVector4(-1, 1, 0, 0));
    gl.Clear(OPAQUE_WHITE);
    gl.DrawPolygon(kSquare, 4, OPAQUE_RED);
    gl.DrawSphere(CVector4(), 1, OPAQUE_RED, 8);
    EXPECT_EQ(gl.CreateFontListA(15, "ＭＳ ゴシック"), 0u);
    gl.DrawTextA(CVector4(), 0, "x", OPAQUE_BLACK);
    gl.BeginPick();
    unsigned names[64];
    float depth = 0;
    EXPECT_EQ(gl.EndPick(names, &depth), 0xFFFFFFFFu);
    QImage image;
    EXPECT_FALSE(gl.ReadPixelsToBitmap(10, 10, image));
    EXPECT_EQ(gl.UnProject(1, 1, 0.5f).x, 0.0f);
}

}  // namespace

// Wide texts of one font share a display list per distinct glyph; a glyph goes with the last
// text that shows it, and what is left still draws.
TEST(Render, WideTextsShareOneGlyphListPerGlyphAndFont) {
    CTestView view(200, 100);
    std::pair<unsigned, int> kept{0, 0};
    view.scene = [&kept](CTestView& v) {
        v.m_gl.DrawTextList(CVector4(-90, 0, 0), kept.first, kept.second, OPAQUE_BLACK);
    };
    (void)view.Frame();
    view.makeCurrent();
    const int before = view.m_gl.GlyphListCount();
    const auto a = view.m_gl.CreateTextListW(15, L"風圧風圧", "ＭＳ ゴシック");
    const auto b = view.m_gl.CreateTextListW(15, L"圧係数", "ＭＳ ゴシック");
    const auto c = view.m_gl.CreateTextListW(20, L"風", "ＭＳ ゴシック");  // another size
    EXPECT_EQ(a.second, 4);
    EXPECT_EQ(view.m_gl.GlyphListCount() - before, 5);  // 風 圧 係 数, and 風 at 20 pixels
    view.m_gl.DeleteLists(a.first, a.second);
    EXPECT_EQ(view.m_gl.GlyphListCount() - before, 4);  // 圧 stays for b
    view.m_gl.DeleteLists(c.first, c.second);
    view.doneCurrent();
    kept = b;
    EXPECT_GT(CountPixelsDarkerThan(view.Frame(), QRect(0, 30, 100, 30), 128), 40);
    view.makeCurrent();
    view.m_gl.DeleteLists(b.first, b.second);
    EXPECT_EQ(view.m_gl.GlyphListCount(), before);
    view.doneCurrent();
}

// One bitmap per text, or the text in pieces (one of them not prepared, so drawn glyph by
// glyph), inside a display list or not, set the pixels the glyph lists set.
TEST(Render, TextBitmapsAndPiecesSetTheGlyphListsPixels) {
    CTestView view(200, 120);
    enum Way { Lists, Bitmap, Pieces };
    const std::vector<std::string> all = {"12345", "-0.25 Wj", "ｶﾀｶﾅ 7", "", "1234"};
    auto texts = [&all](CTestView& v, Way way) {
        if (way == Pieces) {
            v.m_gl.PrepareTextPieces(v.fontBase, {all.begin(), all.end() - 1});
        }
        int k = 0;
        for (const std::string& text : all) {
            const CVector4 at(-95.3f + 7.1f * k, 40.6f - 21.0f * k, 0.0f);
            if (way == Bitmap) {
                v.m_gl.DrawTextBitmap(at, v.fontBase, text.c_str(), OPAQUE_BLUE);
            } else if (way == Pieces) {
                v.m_gl.DrawTextPieces(at, v.fontBase, text.c_str(), OPAQUE_BLUE);
            } else {
                v.m_gl.DrawTextA(at, v.fontBase, text.c_str(), OPAQUE_BLUE);
            }
            ++k;
        }
    };
    view.scene = [&texts](CTestView& v) { texts(v, Lists); };
    const QImage glyphs = view.Frame();
    EXPECT_GT(CountPixelsDarkerThan(glyphs, glyphs.rect(), 200), 100);
    for (Way way : {Bitmap, Pieces}) {
        view.scene = [&texts, way](CTestView& v) { texts(v, way); };
        EXPECT_EQ(view.Frame(), glyphs) << way;
        unsigned list = 0;
        view.scene = [&texts, &list, way](CTestView& v) {
            if (list == 0) {
                if (way == Pieces) {
                    texts(v, Pieces);  // the pieces' lists made outside the list
                }
                list = v.m_gl.BeginList();
                texts(v, way);
                v.m_gl.EndList();
            }
            v.m_gl.CallList(list);
        };
        EXPECT_EQ(view.Frame(), glyphs) << way;
        EXPECT_NE(list, 0u);
    }
}

// A recorded frame drawn again from its arrays gives the frame's pixels: lit faces, polygons,
// lines, loops, solids, texts, an overlay and a second light.
TEST(Render, ARecordedFrameReplaysToTheSamePixels) {
    CTestView view(240, 200);
    view.scene = [](CTestView& v) {
        v.m_gl.Rotate(30.0f, CVector4(1, 1, 0));
        v.SetLights(CVector4(0, 0, 1000, 0), CVector4(0, 0, -1000, 0), OPAQUE_WHITE, OPAQUE_WHITE,
                    GL_DIFFUSE);
        const CVector4 material[4] = {CVector4(0, 0, 1, 1), COLOR_BLACK, COLOR_BLACK,
                                      CVector4(10, 0, 0)};
        v.m_gl.DrawFace(kSquare, 4, material, GL_FRONT_AND_BACK);
        v.m_gl.DrawOutline(kSquare, 4, material, 2.0f, GL_FRONT_AND_BACK);
        v.m_gl.DisableLighting();
        const CVector4 triangle[3] = {CVector4(-100, -90, 5), CVector4(-20, -90, 5),
                                      CVector4(-60, -30, -5)};
        v.m_gl.DrawPolygon(triangle, 3, OPAQUE_RED);
        const CVector4 line[2] = {CVector4(-110, 80, 0), CVector4(110, 60, 0)};
        v.m_gl.DrawLine(line, OPAQUE_GREEN, 3.0f);
        v.m_gl.DrawLineLoop(triangle, 3, OPAQUE_BLACK, 1.0f);
        for (int i = 0; i < 5; ++i) {
            v.m_gl.DrawSphere(CVector4(20.0f * i, -50, 3.0f * i), 7.5f, OPAQUE_MAGENTA, 8);
        }
        v.m_gl.DrawCone(CVector4(60, 40, 0), 10, 30, 45, AXIS_X, OPAQUE_YELLOW);
        v.m_gl.SetDepthTest(false);
        v.m_gl.DrawTextA(CVector4(-50, 0, 0), v.fontBase, "Cp -1.25", OPAQUE_BLACK);
        v.m_gl.SetDepthTest(true);
        v.m_gl.BeginWindowOverlay(v.ClientWidth(), v.ClientHeight());
        const CVector4 corner[4] = {CVector4(5, 5, 0), CVector4(30, 5, 0), CVector4(30, 20, 0),
                                    CVector4(5, 20, 0)};
        v.m_gl.DrawPolygon(corner, 4, OPAQUE_CYAN);
        v.m_gl.EndWindowOverlay();
    };
    const QImage drawn = view.Frame();
    CGLRecording recording;
    view.makeCurrent();
    view.m_gl.SetRecording(&recording);
    view.RenderScene();
    view.m_gl.SetRecording(nullptr);
    glClearColor(0.5f, 0.5f, 0.5f, 1.0f);  // the replay must clear for itself
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    recording.Replay();
    view.doneCurrent();
    QImage replayed;
    ASSERT_TRUE(view.CaptureImage(replayed));
    EXPECT_EQ(replayed, drawn);
    EXPECT_EQ(recording.BitmapCount(), 1u);
    EXPECT_LT(recording.DrawCalls(), 14u);  // the runs under one state are one draw each
}
