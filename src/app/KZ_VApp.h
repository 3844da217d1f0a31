#pragma once

#include <QApplication>
#include <QIcon>
#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class CMainFrame;
class QTranslator;

// The application: start-up, the program folder, the one file prompt, icons and the About box.
class CKZ_VApp : public QApplication {
    Q_OBJECT
public:
    // language: "ja" or "en" (kzv::UiLanguageFromLocale, or "--lang"); the interface and Qt's
    // own dialogs speak it.
    CKZ_VApp(int& argc, char** argv, const std::string& language = "ja");
    ~CKZ_VApp() override;

    // Creates the main window with its view and bars, restores the layout from "size" and
    // shows it with an empty scene. False when the frame cannot be made. configFolder (ending
    // in '/') is where "dirlist" and "size" live; empty: beside the program or in the user's
    // configuration folder, as ChooseConfigFolder decides.
    bool InitInstance(const std::string& configFolder = std::string());

    CMainFrame* MainFrame() const { return m_pMainFrame.get(); }

    // The folder of the executable, ending in '/'. "dirlist" and "size" live there in a build
    // tree; an installed program has its samples and help in <prefix>/share/kzv/.
    static std::string GetAppFolder();

    // The open or save file dialog with the filter "<description> (*.<ext>)" and all files,
    // starting in the Documents folder of the data set at dataFolder when it exists, else in
    // that folder. Returns the chosen path, or an empty string when the user cancels.
    static std::string PromptFileName(bool open, const QString& description,
                                      const QString& extension, const QString& defaultName,
                                      const std::string& dataFolder);
    // (Tests answer it through the file-prompt seam, SetFilePromptHook.)

    // An application icon by resource id (the program icon is 128: a building banded in the
    // colours of the pressure scale, drawn from resources/kzv.svg).
    static QIcon LoadIconImage(int id);

    // Command 57664: the About box (dialog 100), with the program icon.
    static void OnAppAbout();

    // Installs Qt's own Japanese texts ("qtbase_ja" from Qt's translations folder) for the
    // standard dialogs and buttons. Returns the translator (owned by the application), or null
    // when the file is missing: those dialogs then stay in English.
    static QTranslator* InstallQtTranslations();

    // Installs the translators of language: for "ja" Qt's own Japanese texts (the program's
    // are its sources), for "en" the program's English translation (built into the program;
    // Qt's own texts are English). Returns them (owned by the application) so a test can
    // remove them again.
    static std::vector<QTranslator*> InstallTranslations(const std::string& language);

    // The interface's language, "ja" or "en".
    const std::string& Language() const { return m_strLanguage; }

    // Qt's own settings of this program (the file dialog's history, "QtProject.conf") are
    // kept in folder, beside "dirlist" and "size", not in the user's general configuration.
    static void KeepQtSettingsIn(const std::string& folder);

    // Every event goes through here: an allocation failure in a user action becomes a message
    // instead of ending the program.
    bool notify(QObject* receiver, QEvent* event) override;

private:
    std::string m_strLanguage;
    std::unique_ptr<CMainFrame> m_pMainFrame;
};
