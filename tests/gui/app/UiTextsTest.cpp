#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QTranslator>

#include "app/KZ_VApp.h"
#include "app/UiTexts.h"

namespace {

QString ReadUtf8(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void WriteUtf8(const QString& path, const QString& text) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        file.write(text.toUtf8());
    }
}

// In Japanese every text of every window, page, dialog, menu and message read is the one the
// program showed before it could speak another language, byte for byte. The list read now is
// written beside the test program (ui-texts-ja.txt) to compare or to take over.
TEST(UiTexts, JapaneseUnchanged) {
    // As the program starts: Qt's own texts in Japanese.
    QTranslator* qt = CKZ_VApp::InstallQtTranslations();
    const QString now = AllUiTexts().join(QLatin1Char('\n')) + QLatin1Char('\n');
    QCoreApplication::removeTranslator(qt);
    delete qt;
    WriteUtf8(QCoreApplication::applicationDirPath() + QLatin1String("/ui-texts-ja.txt"), now);
    const QString committed = ReadUtf8(QStringLiteral(KZV_TEST_DATA_DIR "ui-texts-ja.txt"));
    ASSERT_FALSE(committed.isEmpty());
    const QStringList want = committed.split(QLatin1Char('\n'));
    const QStringList got = now.split(QLatin1Char('\n'));
    for (const QString& line : want) {
        EXPECT_TRUE(got.contains(line)) << "missing: " << line.toStdString();
    }
    for (const QString& line : got) {
        EXPECT_TRUE(want.contains(line)) << "new: " << line.toStdString();
    }
}

}  // namespace
