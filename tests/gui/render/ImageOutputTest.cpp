#include <gtest/gtest.h>

#include <QClipboard>
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QPrinter>
#include <QTemporaryDir>

#include "TestView.h"

namespace {

// Top half red, bottom half blue, in a window of w x h.
void HalfAndHalf(CTestView& v) {
    v.m_gl.DisableLighting();
    const float w = v.ClientWidth() / 2.0f + 1, h = v.ClientHeight() / 2.0f + 1;
    const CVector4 top[4] = {CVector4(-w, 0, 0), CVector4(w, 0, 0), CVector4(w, h, 0),
                             CVector4(-w, h, 0)};
    const CVector4 bottom[4] = {CVector4(-w, -h, 0), CVector4(w, -h, 0), CVector4(w, 0, 0),
                                CVector4(-w, 0, 0)};
    v.m_gl.DrawPolygon(top, 4, OPAQUE_RED);
    v.m_gl.DrawPolygon(bottom, 4, OPAQUE_BLUE);
}

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(ImageOutput, BmpFilesByteForByteAndReadableElsewhere) {
    QTemporaryDir dir;
    for (const int w : {101, 100}) {
        CTestView view(w, 50);
        view.scene = HalfAndHalf;
        (void)view.Frame();
        const QString path = dir.filePath(QString("view%1.bmp").arg(w));
        ASSERT_TRUE(view.SaveBitmap(path.toStdString()));
        const QByteArray bmp = ReadAll(path);
        const int row = w == 101 ? 304 : 300;
        ASSERT_EQ(bmp.size(), 54 + row * 50);
        // The first stored row is the bottom of the window: blue, stored blue-green-red.
        EXPECT_EQ(static_cast<uint8_t>(bmp[54]), 255);
        EXPECT_EQ(static_cast<uint8_t>(bmp[56]), 0);
        if (w == 101) {
            EXPECT_EQ(bmp[54 + 303], 0);  // padding
        }
        QImageReader reader(path);
        const QImage image = reader.read();
        ASSERT_FALSE(image.isNull()) << reader.errorString().toStdString();
        EXPECT_EQ(image.size(), QSize(w, 50));
        EXPECT_TRUE(Near(PixelAt(image, 3, 3), Qt::red));
        EXPECT_TRUE(Near(PixelAt(image, 3, 46), Qt::blue));
    }
}

TEST(ImageOutput, UnwritableTargetKeepsTheOldFileAndSaysWhy) {
    QTemporaryDir dir;
    CTestView view(40, 30);
    (void)view.Frame();
    std::string error;
    EXPECT_FALSE(view.SaveBitmap(dir.filePath("missing/folder/a.bmp").toStdString(), &error));
    EXPECT_FALSE(error.empty());
    const QString existing = dir.filePath("keep.bmp");
    QFile f(existing);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("old");
    f.close();
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);  // folder read-only
    if (!view.SaveBitmap(existing.toStdString(), &error)) {                 // root may still write
        EXPECT_EQ(ReadAll(existing), QByteArray("old"));
    }
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST(ImageOutput, DarkFirstPixelStillGivesThePicture) {
    // A yellow background has blue 0 in its first byte: the read falls back and still works.
    CTestView view(64, 32);
    view.scene = [](CTestView& v) { v.m_gl.Clear(OPAQUE_YELLOW); };
    const QImage image = view.Frame();
    EXPECT_TRUE(Near(PixelAt(image, 0, 31), Qt::yellow));
    EXPECT_TRUE(Near(PixelAt(image, 63, 0), Qt::yellow));
}

TEST(ImageOutput, ClipboardGetsTheRgbPicture) {
    CTestView view(80, 60);
    view.scene = HalfAndHalf;
    (void)view.Frame();
    ASSERT_TRUE(view.CopyToClipboard());
    const QImage image = QGuiApplication::clipboard()->image();
    ASSERT_EQ(image.size(), QSize(80, 60));
    EXPECT_TRUE(Near(PixelAt(image, 40, 5), Qt::red));
    EXPECT_TRUE(Near(PixelAt(image, 40, 55), Qt::blue));
}

TEST(ImageOutput, PrintingMakesOnePage) {
    QTemporaryDir dir;
    CTestView view(400, 300);
    view.scene = HalfAndHalf;
    (void)view.Frame();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString pdf = dir.filePath("view.pdf");
    printer.setOutputFileName(pdf);
    ASSERT_TRUE(view.PrintView(printer));
    const QByteArray bytes = ReadAll(pdf);
    ASSERT_FALSE(bytes.isEmpty());
    EXPECT_TRUE(bytes.contains("/Count 1")) << "exactly one page";
    EXPECT_TRUE(bytes.contains("/Image"));
    // The window's own picture and projection are back afterwards.
    EXPECT_EQ(view.m_gl.ProjectionBox()[1], 200.0f);
    EXPECT_FALSE(view.m_gl.HasOffscreen());
    EXPECT_TRUE(Near(PixelAt(view.Frame(), 200, 10), Qt::red));
}

// Every primitive in one frame, saved beside the test program (in the build tree) as
// render-showcase.bmp to look at.
TEST(ImageOutput, Showcase) {
    CTestView view(480, 360);
    std::pair<unsigned, int> text{0, 0};
    view.scene = [&text](CTestView& v) {
        v.SetLights(CVector4(-500, 1000, 1000, 0), CVector4(500, -1000, -1000, 0), OPAQUE_WHITE,
                    OPAQUE_WHITE, GL_DIFFUSE);
        const CVector4 material[4] = {CVector4(0.7f, 0.7f, 0.7f, 1), COLOR_BLACK,
                                      CVector4(0.2f, 0.2f, 0.2f, 1), CVector4(10, 0, 0)};
        const CVector4 face[4] = {CVector4(-220, -160, 0), CVector4(-60, -160, 0),
                                  CVector4(-60, 0, -100), CVector4(-220, 0, -100)};
        v.m_gl.DrawFace(face, 4, material, GL_FRONT_AND_BACK);
        const CVector4 black[4] = {COLOR_BLACK, COLOR_BLACK, COLOR_BLACK, CVector4(10, 0, 0)};
        v.m_gl.DrawOutline(face, 4, black, 2.0f, GL_FRONT_AND_BACK);
        v.m_gl.DisableLighting();  // markers and arrows are drawn unlit, in their colour
        v.m_gl.DrawSphere(CVector4(0, -80, 0), 30, OPAQUE_RED, 16);
        v.m_gl.DrawCone(CVector4(120, -120, 0), 25, 60, -60, AXIS_X, OPAQUE_GREEN);
        const CVector4 tri[3] = {CVector4(60, 20, 0), CVector4(200, 20, 0), CVector4(130, 140, 0)};
        v.m_gl.DrawPolygon(tri, 3, OPAQUE_CYAN);
        v.m_gl.DrawLineLoop(tri, 3, OPAQUE_BLUE, 3.0f);
        const CVector4 line[2] = {CVector4(-220, 160, 0), CVector4(220, 160, 0)};
        v.m_gl.DrawLine(line, OPAQUE_MAGENTA, 2.0f);
        v.m_gl.DrawTextA(CVector4(-220, 120, 0), v.fontBase, "Cp -1.25  X Y Z  KZ_V", OPAQUE_BLACK);
        if (text.first == 0) {
            text = v.m_gl.CreateTextListW(20, L"風圧係数 測定点 ｶﾀｶﾅ", "ＭＳ 明朝");
        }
        v.m_gl.DrawTextList(CVector4(-220, 80, 0), text.first, text.second, OPAQUE_BLACK);
    };
    (void)view.Frame();
    const QString path = QCoreApplication::applicationDirPath() + "/render-showcase.bmp";
    ASSERT_TRUE(view.SaveBitmap(path.toStdString()));
    EXPECT_FALSE(QImage(path).isNull());
}

}  // namespace
