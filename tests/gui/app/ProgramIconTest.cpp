#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/KZ_VApp.h"
#include "app/MainFrame.h"

namespace {

// Whether some pixel of the image's rows [top, bottom) is close to colour.
bool HasColourIn(const QImage& image, int top, int bottom, QColor colour) {
    for (int y = top; y < bottom; ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.alpha() > 200 && std::abs(c.red() - colour.red()) < 60 &&
                std::abs(c.green() - colour.green()) < 60 &&
                std::abs(c.blue() - colour.blue()) < 60) {
                return true;
            }
        }
    }
    return false;
}

// The program's own icon (a building banded from red at the top to blue at the bottom) is
// the main window's and the About box's; the user closes the box with its OK button.
TEST(ProgramIcon, WindowAndAboutBoxShowTheProgramsIcon) {
    const QIcon icon = CKZ_VApp::LoadIconImage(128);
    ASSERT_FALSE(icon.isNull());
    for (int size : {16, 32, 48}) {
        SCOPED_TRACE(size);
        const QImage image = icon.pixmap(size, size).toImage();
        EXPECT_TRUE(HasColourIn(image, 0, size / 2, QColor(224, 38, 31)));
        EXPECT_TRUE(HasColourIn(image, size / 2, size, QColor(29, 79, 216)));
        EXPECT_FALSE(HasColourIn(image, size / 2, size, QColor(224, 38, 31)));
    }

    CMainFrame frame;
    EXPECT_EQ(frame.windowIcon().pixmap(32, 32).toImage(), icon.pixmap(32, 32).toImage());

    QImage shown;
    QString title;
    QTimer::singleShot(0, [&shown, &title] {
        auto* about = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(about, nullptr);
        title = about->windowTitle();
        for (QLabel* label : about->findChildren<QLabel*>()) {
            if (!label->pixmap().isNull()) {
                shown = label->pixmap().toImage();
            }
        }
        QTest::mouseClick(about->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                          Qt::LeftButton);
    });
    CKZ_VApp::OnAppAbout();
    EXPECT_EQ(title, QString::fromUtf8("KZ_Vのﾊﾞｰｼﾞｮﾝ情報"));
    EXPECT_EQ(shown, icon.pixmap(32, 32).toImage());
}

}  // namespace
