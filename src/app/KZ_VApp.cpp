#include "app/KZ_VApp.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLibraryInfo>
#include <QPainter>
#include <QPixmap>
#include <QSettings>
#include <QSvgRenderer>
#include <QTranslator>
#include <QVBoxLayout>

#include "app/MainFrame.h"
#include "dataset/FolderUtil.h"
#include "datasets/DataSetChooser.h"
#include "io/ConfigFolder.h"
#include "text/CoreText.h"
#include "ui/FilePrompt.h"
#include "ui/MessageBox.h"
#include "view/KZ_VView.h"

// The guide's first page in language: the English guide lives in the folder "en" beside the
// Japanese one; without it, the Japanese guide.
static std::string GuideIndexFor(const std::string& japaneseIndex, const std::string& language) {
    if (language != "ja") {
        const QFileInfo index(QString::fromStdString(japaneseIndex));
        const QString translated = index.dir().filePath(
            QStringLiteral("%1/%2").arg(QString::fromStdString(language), index.fileName()));
        if (QFileInfo(translated).isFile()) {
            return translated.toStdString();
        }
    }
    return japaneseIndex;
}

// The resources live in a static library: register them before the first use.
static void InitResources() {
    static const bool done = [] {
        Q_INIT_RESOURCE(kzv);
        return true;
    }();
    (void)done;
}

CKZ_VApp::CKZ_VApp(int& argc, char** argv, const std::string& language)
    : QApplication(argc, argv), m_strLanguage(language) {
    setApplicationName(QStringLiteral("KZ_V"));
    setApplicationDisplayName(QString());
    // The window system finds the program's desktop entry, and so its icon, by this name.
    setDesktopFileName(QStringLiteral(KZV_APP_ID));
    // The standard dialogs speak the interface's language.
    InstallTranslations(m_strLanguage);
    setWindowIcon(LoadIconImage(128));
}

QTranslator* CKZ_VApp::InstallQtTranslations() {
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QStringLiteral("qtbase_ja"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return nullptr;
    }
    return translator;
}

// The core's sentences for the user (a load's report, a refused table) in the language of the
// translators installed: the source itself while none translates it.
static std::string TranslateCoreText(const char* source) {
    return QCoreApplication::translate("Core", source).toStdString();
}

std::vector<QTranslator*> CKZ_VApp::InstallTranslations(const std::string& language) {
    kzv::SetCoreTranslator(&TranslateCoreText);
    std::vector<QTranslator*> installed;
    if (language == "ja") {
        if (QTranslator* qt = InstallQtTranslations()) {
            installed.push_back(qt);
        }
        return installed;
    }
    InitResources();
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(
            QStringLiteral(":/i18n/kzv_%1.qm").arg(QString::fromStdString(language))) &&
        QCoreApplication::installTranslator(translator)) {
        installed.push_back(translator);
    } else {
        delete translator;
    }
    return installed;
}

CKZ_VApp::~CKZ_VApp() = default;

bool CKZ_VApp::notify(QObject* receiver, QEvent* event) {
    return KzDeliverReportingMemoryShortage([&] { return QApplication::notify(receiver, event); });
}

bool CKZ_VApp::InitInstance(const std::string& configFolder) {
    const std::string programFolder = GetAppFolder();
    // "dirlist" and "size" stay beside the program in a build tree or a portable copy; an
    // installed program keeps them in the user's configuration folder.
    const std::string dataFolder = kzv::InstalledDataFolder(programFolder);
    kzv::CConfigFolder config{configFolder, {}};
    if (configFolder.empty()) {
        config = kzv::ChooseConfigFolder(programFolder,
                                         qEnvironmentVariable("XDG_CONFIG_HOME").toStdString(),
                                         qEnvironmentVariable("HOME").toStdString(), dataFolder);
    }
    const std::string appFolder = config.folder;
    KeepQtSettingsIn(appFolder);
    m_pMainFrame = std::make_unique<CMainFrame>();
    m_pMainFrame->m_strHelpPath =
        GuideIndexFor(kzv::FindHelpIndex(dataFolder, KZV_SOURCE_HELP_DIR), m_strLanguage);
    m_pMainFrame->SetDataSetDialogs(
        MakeDataSetChooser(appFolder),
        [appFolder](QWidget* parent, std::vector<std::string>& results) {
            return RunDataSearch(parent, appFolder, results);
        },
        ShowHeaderInfo);
    m_pMainFrame->RestoreLayout(appFolder + "size");
    if (!config.problem.empty()) {
        KzMessageBox(m_pMainFrame.get(), QString::fromStdString(config.problem), QString(),
                     KzButtons::Ok, KzIcon::Warning);
    }
    return true;
}

void CKZ_VApp::KeepQtSettingsIn(const std::string& folder) {
    const QString path = QString::fromStdString(kzv::WithoutTrailingSlash(folder));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, path);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, path);
}

std::string CKZ_VApp::GetAppFolder() {
    std::string dir = QCoreApplication::applicationDirPath().toStdString();
    if (dir.empty() || dir.back() != '/') {
        dir += '/';
    }
    return dir;
}

std::string CKZ_VApp::PromptFileName(bool open, const QString& description,
                                     const QString& extension, const QString& defaultName,
                                     const std::string& dataFolder) {
    const QString folder = QString::fromStdString(kzv::PromptStartFolder(dataFolder));
    return KzPromptFile(activeWindow(), open, KzFileFilter(description, extension), extension,
                        defaultName, folder);
}

namespace {

// The program icon (128) drawn from its SVG at the sizes window systems, dialogs and menus ask
// for, so no image plug-in is needed at run time.
QIcon MakeProgramIcon() {
    QIcon icon;
    QSvgRenderer svg(QStringLiteral(":/kzv/kzv.svg"));
    if (!svg.isValid()) {
        return icon;
    }
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        svg.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace

QIcon CKZ_VApp::LoadIconImage(int id) {
    InitResources();
    static const QIcon program = MakeProgramIcon();
    (void)id;  // the program icon is the only one so far
    return program;
}

void CKZ_VApp::OnAppAbout() {
    QDialog about(activeWindow());
    about.setProperty("resourceId", 100);
    about.setWindowTitle(QCoreApplication::translate("CKZ_VApp", "KZ_Vのﾊﾞｰｼﾞｮﾝ情報"));
    auto* icon = new QLabel(&about);
    icon->setPixmap(LoadIconImage(128).pixmap(32, 32));
    auto* text = new QLabel(QStringLiteral("KZ_V Version 1.2"), &about);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &about);
    connect(buttons, &QDialogButtonBox::accepted, &about, &QDialog::accept);
    auto* row = new QHBoxLayout;
    row->addWidget(icon);
    row->addWidget(text, 1);
    auto* layout = new QVBoxLayout(&about);
    layout->addLayout(row);
    layout->addWidget(buttons);
    about.exec();
}
