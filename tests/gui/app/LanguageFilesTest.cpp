// The files the program writes do not depend on the language of its interface, and the main
// window with each sample is saved in both languages under <test binary folder>/gallery/.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTranslator>

#include "GuiTestSupport.h"
#include "app/CommandIds.h"
#include "app/KZ_VApp.h"
#include "app/MainFrame.h"
#include "panels/PageControlIds.h"
#include "panels/PageTestSupport.h"
#include "render/TestView.h"
#include "state/SelectionSteps.h"
#include "text/CodePage.h"
#include "ui/FilePrompt.h"
#include "ui/MessageBox.h"
#include "valuelist/OutputDlg.h"
#include "valuelist/ValueListDlg.h"
#include "view/PickSupport.h"

namespace {

using namespace kzv::page;

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// The interface in language while it lives.
class CLanguage {
public:
    explicit CLanguage(const std::string& language)
        : m_translators(CKZ_VApp::InstallTranslations(language)) {}
    ~CLanguage() {
        for (QTranslator* translator : m_translators) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
    }

private:
    std::vector<QTranslator*> m_translators;
};

// With the interface in language: loads lshape (32 directions, with peak tables), lists taps with
// the envelope of the peak minimum shown, exports the list as CSV and Tolvex through the value
// list's buttons, saves the settings through the menu command and closes the window (which writes
// "size"); every file goes into folder. Also saves the window with each sample into the gallery.
void WriteEverything(const std::string& language, const QString& folder) {
    const CLanguage interface(language);
    const KzMessageBoxHook messages = SetMessageBoxHook(
        [](const QString&, const QString&, KzButtons, KzIcon) { return KzAnswer::Ok; });
    QString answer;
    const KzFilePromptHook prompts =
        SetFilePromptHook([&answer](bool, const QString&, const QString&, const QString&,
                                    const QString&) { return answer.toStdString(); });
    QDir().mkpath(QCoreApplication::applicationDirPath() + QLatin1String("/gallery"));
    {
        CMainFrame frame;
        frame.RestoreLayout((folder + QLatin1String("/size")).toStdString());
        frame.resize(1100, 800);
        frame.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
        std::string sample;
        frame.SetDataSetDialogs(
            [&sample](QWidget*, const std::vector<std::string>*, std::string& dataSet,
                      CHeaderFile& header) {
                dataSet = SamplesFolder() + sample + "/";
                header.Read((dataSet + "header").c_str());
                return true;
            },
            nullptr, nullptr);
        for (const char* name : {"tower", "gable", "lshape"}) {
            sample = name;
            frame.RunCommand(ID_LOAD_DATA);
            QTest::qWait(50);
            // A widget's grab leaves the 3-D view empty: paint in the view's own frame.
            QPixmap picture = frame.grab();
            QPainter painter(&picture);
            painter.drawImage(
                QRect(frame.View()->mapTo(&frame, QPoint(0, 0)), frame.View()->size()),
                GrabFrame(*frame.View()));
            painter.end();
            picture.save(QCoreApplication::applicationDirPath() +
                         QStringLiteral("/gallery/window-%1-%2.png")
                             .arg(QLatin1String(name), QString::fromStdString(language)));
        }

        CStateOwner& owner = frame.View()->Owner();
        {
            CViewState& state = Arrange(owner);
            state.m_settings.m_nQuantity = static_cast<int>(EValueQuantity::PeakMin);
            state.m_settings.m_nEnvelope = ENVELOPE_MIN;
            for (int tap : {12, 3, 40, 7, 25}) {
                SelectMeasurementPoint(state, tap);
            }
        }
        owner.Changed(ASPECT_ALL);
        CValueListDlg* page = frame.ValueListPage();
        for (const auto& [format, name] : {std::pair{COutputDlg::IDC_CSV, "list.csv"},
                                           std::pair{COutputDlg::IDC_TOLVEX, "tolvex.csv"}}) {
            answer = folder + QLatin1Char('/') + QLatin1String(name);
            WhenModalShows(COutputDlg::IDD, [format = format](QDialog& dialog) {
                ClickIndicator(PageControl<QRadioButton>(&dialog, format));
                Click(PageControl<QPushButton>(&dialog, COutputDlg::IDC_OUTPUT));
                if (dialog.isVisible()) {
                    ADD_FAILURE() << "the export dialog stayed open";
                    dialog.reject();
                }
            });
            Click(PageControl<QPushButton>(page, CValueListDlg::IDC_FILE));
            // The Tolvex file holds the mean whatever is shown: show it, so the dialog has no
            // note about it.
            Arrange(owner).m_settings.m_nQuantity = 0;
            Arrange(owner).m_settings.m_nEnvelope = ENVELOPE_NONE;
            owner.Changed(ASPECT_ALL);
        }
        answer = folder + QLatin1String("/display.set");
        frame.RunCommand(ID_SAVE_SETTINGS);
        frame.close();
    }
    SetFilePromptHook(prompts);
    SetMessageBoxHook(messages);
}

// Exports, their records, the settings file and "size" written with the English interface are
// byte for byte those written with the Japanese one (the records' time aside).
TEST(LanguageFiles, WrittenFilesAreTheSameInBothLanguages) {
    QTemporaryDir japanese;
    QTemporaryDir english;
    WriteEverything("ja", japanese.path());
    WriteEverything("en", english.path());
    const QStringList files = QDir(japanese.path()).entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(files, QDir(english.path()).entryList(QDir::Files, QDir::Name));
    for (const char* name :
         {"list.csv", "list.csv.json", "tolvex.csv", "tolvex.csv.json", "display.set", "size"}) {
        EXPECT_TRUE(files.contains(QLatin1String(name))) << name;
    }
    const QRegularExpression time(QStringLiteral("\"time\": \"[^\"]*\""));
    for (const QString& name : files) {
        QByteArray ja = ReadBytes(japanese.filePath(name));
        QByteArray en = ReadBytes(english.filePath(name));
        if (name.endsWith(QLatin1String(".json"))) {
            ja = QString::fromUtf8(ja).remove(time).toUtf8();
            en = QString::fromUtf8(en).remove(time).toUtf8();
        }
        EXPECT_EQ(en, ja) << name.toStdString();
    }
    // The CSV's title line names what is shown in Japanese, whatever the interface speaks.
    EXPECT_TRUE(ReadBytes(english.filePath(QStringLiteral("list.csv")))
                    .contains(QByteArray::fromStdString(kzv::Utf8ToCp932("ピーク最小"))));
}

}  // namespace
