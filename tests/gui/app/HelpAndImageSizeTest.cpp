#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QImage>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QToolButton>

#include "app/CommandIds.h"
#include "app/HelpWindow.h"
#include "app/ImageScaleDlg.h"
#include "app/MainFrame.h"
#include "render/TestView.h"
#include "ui/FilePrompt.h"
#include "view/KZ_VView.h"

namespace {

// The centre (viewport pixels) of the first link of the shown page to another page.
QPoint FirstLink(QTextBrowser& browser, QString& target) {
    for (QTextBlock block = browser.document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QString href = fragment.charFormat().anchorHref();
            if (fragment.charFormat().isAnchor() && !href.isEmpty() &&
                href != QStringLiteral("index.html")) {
                target = href;
                QTextCursor cursor(browser.document());
                cursor.setPosition(fragment.position() + 1);
                return browser.cursorRect(cursor).center();
            }
        }
    }
    return QPoint(-1, -1);
}

TEST(HelpWindow, F1ShowsTheGuideWhoseLinksAndBackButtonWork) {
    CMainFrame frame;
    ASSERT_TRUE(ShowExposed(frame, 900, 600));
    frame.m_strHelpPath = std::string(KZV_HELP_DIR) + "index.html";
    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));  // shortcuts go to the active window
    QTest::keyClick(&frame, Qt::Key_F1);
    CHelpWindow* help = frame.HelpWindow();
    ASSERT_NE(help, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(help));
    QTextBrowser& browser = *help->Browser();
    EXPECT_TRUE(browser.source().path().endsWith(QStringLiteral("/index.html")));
    EXPECT_EQ(browser.documentTitle(), QStringLiteral("KZ_V ユーザーガイド"));
    EXPECT_TRUE(help->windowTitle().contains(QStringLiteral("KZ_V ヘルプ")));
    EXPECT_FALSE(help->BackButton()->isEnabled());
    // A look at the window, beside the test program in the build tree.
    help->grab().save(QCoreApplication::applicationDirPath() + "/help-window.png");

    // A link of the contents leads to its page; 戻る comes back.
    QString target;
    const QPoint link = FirstLink(browser, target);
    ASSERT_GE(link.x(), 0);
    QTest::mouseClick(browser.viewport(), Qt::LeftButton, Qt::NoModifier, link);
    EXPECT_TRUE(browser.source().path().endsWith(QLatin1Char('/') + target));
    EXPECT_NE(browser.documentTitle(), QStringLiteral("KZ_V ユーザーガイド"));
    ASSERT_TRUE(help->BackButton()->isEnabled());
    QTest::mouseClick(help->BackButton(), Qt::LeftButton);
    EXPECT_TRUE(browser.source().path().endsWith(QStringLiteral("/index.html")));

    // Closed on another page and asked for again, the same window comes back at the contents.
    QTest::mouseClick(browser.viewport(), Qt::LeftButton, Qt::NoModifier, link);
    help->close();
    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    QTest::keyClick(&frame, Qt::Key_F1);
    EXPECT_EQ(frame.HelpWindow(), help);
    EXPECT_TRUE(help->isVisible());
    EXPECT_TRUE(browser.source().path().endsWith(QStringLiteral("/index.html")))
        << browser.source().toString().toStdString();
}

TEST(ImageScaleDialog, ClickingAChoiceAndOkGivesItsScaleAndShowsTheSizes) {
    CImageScaleDlg dialog(400, 300, 1);
    ASSERT_TRUE(ShowExposed(dialog, 320, 220));
    EXPECT_TRUE(dialog.Choice(1)->isChecked());
    EXPECT_TRUE(dialog.Choice(3)->text().contains(QStringLiteral("1200 × 900")));
    QRadioButton* three = dialog.Choice(3);
    QTest::mouseClick(three, Qt::LeftButton, Qt::NoModifier, QPoint(8, three->height() / 2));
    EXPECT_EQ(dialog.Scale(), 3);
    auto* buttons = dialog.findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr);
    QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST(ImageScaleDialog, SaveImageAtThreeTimesTheWindowAndCancelWritesNothing) {
    CMainFrame frame;
    ASSERT_TRUE(ShowExposed(frame, 900, 600));
    LoadSample(*frame.View(), "lshape");
    // The picture stays beside the test program in the build tree, to look at.
    QString png = QCoreApplication::applicationDirPath() + "/lshape-3x.png";
    QFile::remove(png);
    QFile::remove(png + ".json");
    SetFilePromptHook([&](bool, const QString&, const QString&, const QString&, const QString&) {
        return png.toStdString();
    });
    int offered = 0;
    bool accept = true;
    SetImageScaleHook([&](int, int, int& scale) {
        offered = scale;
        scale = 3;
        return accept;
    });
    frame.RunCommand(ID_SAVE_IMAGE);
    const QImage image(png, "PNG");
    const CKZ_VView& view = *frame.View();
    EXPECT_EQ(image.size(), QSize(3 * view.ClientWidth(), 3 * view.ClientHeight()));
    EXPECT_EQ(offered, 1);
    // The record of how the picture was made lies beside it.
    QFile sidecar(png + ".json");
    ASSERT_TRUE(sidecar.open(QIODevice::ReadOnly));
    EXPECT_TRUE(sidecar.readAll().contains(QStringLiteral("\"scale\": 3}").toUtf8()));
    // The choice is offered again next time; cancelling it saves nothing.
    QTemporaryDir dir;
    png = dir.filePath("cancelled.png");
    accept = false;
    frame.RunCommand(ID_SAVE_IMAGE);
    EXPECT_EQ(offered, 3);
    EXPECT_FALSE(QFile::exists(png));
    SetImageScaleHook(nullptr);
    SetFilePromptHook(nullptr);
}

}  // namespace
