#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTranslator>

#include "app/KZ_VApp.h"
#include "ui/MessageBox.h"

namespace {

// With Qt's Japanese texts installed (as the program does at start-up), a Yes/No question
// offers "はい" and "いいえ", and the user's click on "いいえ" answers No.
TEST(QtTranslations, StandardButtonsSpeakJapanese) {
    QTranslator* translator = CKZ_VApp::InstallQtTranslations();
    ASSERT_NE(translator, nullptr) << "qtbase_ja missing (Debian package qt6-translations-l10n)";

    QStringList texts;
    QTimer::singleShot(0, [&texts] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        texts << box->button(QMessageBox::Yes)->text() << box->button(QMessageBox::No)->text();
        QTest::mouseClick(box->button(QMessageBox::No), Qt::LeftButton);
    });
    const KzAnswer answer = KzMessageBox(nullptr, QStringLiteral("削除しますか？"),
                                         QStringLiteral("削除"), KzButtons::YesNo);
    QCoreApplication::removeTranslator(translator);
    delete translator;

    EXPECT_EQ(answer, KzAnswer::No);
    ASSERT_EQ(texts.size(), 2);
    EXPECT_TRUE(texts[0].contains(QStringLiteral("はい"))) << texts[0].toStdString();
    EXPECT_TRUE(texts[1].contains(QStringLiteral("いいえ"))) << texts[1].toStdString();
}

}  // namespace
