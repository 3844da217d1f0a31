#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>

#include "render/TestView.h"
#include "view/KZ_VView.h"

namespace {

// The printed page of a PDF as an image at dpi dots per inch (pdftoppm from poppler-utils).
QImage RasterisePdf(const QString& pdf, int dpi) {
    QProcess process;
    const QString prefix = QFileInfo(pdf).absoluteDir().filePath(QStringLiteral("page"));
    process.start(QStringLiteral("pdftoppm"),
                  {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"),
                   QStringLiteral("-singlefile"), pdf, prefix});
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        ADD_FAILURE() << "pdftoppm failed: " << process.readAllStandardError().toStdString();
        return QImage();
    }
    return QImage(prefix + QStringLiteral(".png"));
}

// The printed view through the view's own printing path (PDF printer at 300 dpi), read back
// at 100 dpi, shows the window's picture: the same colours at the same relative places. Lines
// and letters are thinner on paper, so a few places may differ; a black or missing picture
// differs almost everywhere.
TEST(PrintView, PrintedPageShowsTheWindowsPicture) {
    CStateOwner viewState;
    CKZ_VView view{viewState};
    ASSERT_TRUE(ShowExposed(view, 480, 360));
    LoadSample(view, "tower");
    Arrange(view.Owner()).m_settings.m_comment.flags[0] = 1;
    const QImage window = GrabFrame(view);
    ASSERT_FALSE(window.isNull());

    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("view.pdf")));
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setResolution(300);
    ASSERT_TRUE(view.PrintView(printer));

    const int dpi = 100;
    const QImage page = RasterisePdf(printer.outputFileName(), dpi);
    ASSERT_FALSE(page.isNull());
    // The picture: left edge of the printable area, the window's aspect ratio, centred
    // vertically in the printable area.
    const QRectF area = printer.pageLayout().paintRect(QPageLayout::Inch);
    const double pictureW =
        std::min(area.width(), area.height() * window.width() / window.height());
    const double pictureH = pictureW * window.height() / window.width();
    const QRectF picture(area.left() * dpi, (area.top() + (area.height() - pictureH) / 2) * dpi,
                         pictureW * dpi, pictureH * dpi);

    int compared = 0, same = 0, coloured = 0;
    for (int gy = 1; gy < 30; ++gy) {
        for (int gx = 1; gx < 40; ++gx) {
            const double fx = gx / 40.0, fy = gy / 30.0;
            const QColor w = PixelAt(window, int(fx * window.width()), int(fy * window.height()));
            const QColor p = PixelAt(page, int(picture.left() + fx * picture.width()),
                                     int(picture.top() + fy * picture.height()));
            ++compared;
            same += Near(w, p, 24) ? 1 : 0;
            coloured += w.saturation() > 100 ? 1 : 0;
        }
    }
    if (same < compared * 9 / 10) {
        page.save(QCoreApplication::applicationDirPath() + "/print-page.png");
        window.save(QCoreApplication::applicationDirPath() + "/print-window.png");
    }
    EXPECT_GT(coloured, compared / 20) << "the colour bar gives coloured places to compare";
    EXPECT_GE(same, compared * 9 / 10) << same << " of " << compared << " places agree";
}

}  // namespace
