#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QTranslator>
#include <algorithm>
#include <vector>

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
    const QString now =
        AllUiTexts(KZV_HELP_DIR "index.html").join(QLatin1Char('\n')) + QLatin1Char('\n');
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

bool IsJapanese(QChar c) {
    const char16_t u = c.unicode();
    return (u >= 0x3000 && u <= 0x30FF) || (u >= 0x3400 && u <= 0x9FFF) ||
           (u >= 0xF900 && u <= 0xFAFF) || (u >= 0xFF00 && u <= 0xFFEF);
}

// In English no text of any window, page, dialog, menu or message read holds a Japanese
// character but data: the samples' header fields and names, and the names of the fonts the
// settings file keeps.
TEST(UiTexts, EnglishHasNoJapaneseButData) {
    const std::vector<QTranslator*> translators = CKZ_VApp::InstallTranslations("en");
    ASSERT_EQ(translators.size(), 1u) << "the English translation is not built in";
    const QStringList texts = AllUiTexts(KZV_HELP_DIR "en/index.html");
    for (QTranslator* translator : translators) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
    QStringList data = SampleDataTexts();
    data << QStringLiteral("ＭＳ ゴシック") << QStringLiteral("ＭＳ 明朝");
    // Longest first, so a field is not cut by a shorter one inside it.
    std::sort(data.begin(), data.end(),
              [](const QString& a, const QString& b) { return a.size() > b.size(); });
    EXPECT_GT(texts.size(), 300);
    for (const QString& line : texts) {
        QString text = line.section(QLatin1Char('\t'), 2);
        for (const QString& datum : data) {
            text.remove(datum);
        }
        EXPECT_FALSE(std::any_of(text.begin(), text.end(), IsJapanese)) << line.toStdString();
    }
}

}  // namespace
