#pragma once

#include <QLabel>
#include <QMainWindow>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/KZ_VDoc.h"
#include "state/SizeFile.h"
#include "view/ViewHost.h"

class QAction;
class QPrinter;
class CKZ_VView;
class CHelpWindow;
class CAgreementDlg;
class CLabelPosDlg;
class COperationPanelBar;
class CPolarBar;
class CValueListBar;
class CValueListDlg;

// The main window: the 3-D view in the middle, the operation panel and the value list docked
// on the right, the menus, the status bar with three panes, and the window layout kept in the
// file "size". It is the view's host: the view reaches the pages and the list through it.
class CMainFrame : public QMainWindow, public CViewHost {
    Q_OBJECT
public:
    explicit CMainFrame(QWidget* parent = nullptr);
    ~CMainFrame() override;

    CKZ_VView* View() const { return m_pView; }
    // The user guide's window once the help has been opened, else null.
    CHelpWindow* HelpWindow() const { return m_pHelpWindow; }
    COperationPanelBar* OperationPanel() const { return m_pPanelBar; }
    CValueListBar* ValueListBar() const { return m_pValueBar; }
    // "風向特性": made with the frame, hidden until the user opens it.
    CPolarBar* PolarBar() const { return m_pPolarBar; }
    // "数値表示位置の編集": made with the frame, hidden until the contour page shows it.
    CLabelPosDlg* LabelPosDlg() const { return m_pLabelPosDlg; }
    CValueListDlg* ValueListPage() const { return m_pValueList; }
    CKZ_VDoc& Document() { return m_doc; }

    // When a command can run.
    enum class CommandEnable { Always, WithDataSet, Comparing };
    // One command: its id, menu text and status-bar prompt (UTF-8), when it is enabled and
    // the handler that runs it. The menus, the status prompts, RunCommand and the tests all
    // use this one table.
    struct CCommand {
        int id;
        const char* text;
        const char* prompt;
        CommandEnable enable;
        void (CMainFrame::*run)();
    };
    static const std::vector<CCommand>& Commands();
    static const CCommand* FindCommand(int id);

    // The action of a command id, or null.
    QAction* Action(int id) const;
    // Runs a command as its menu item would: nothing while it is disabled.
    void RunCommand(int id);

    // Reads "size" and applies placement and bar sizes, then shows the window.
    void RestoreLayout(const std::string& sizePath);
    // The layout as it stands, for "size".
    CWindowLayout CurrentLayout() const;

    std::string m_strHelpPath;         // the user guide's contents page (index.html)
    std::string m_strSizePath;         // written on close; empty: not written
    bool m_bSizeFailureShown = false;  // the user was told that "size" could not be written
    int m_nImageScale = 1;             // the saved picture's size in window sizes, last chosen

    // Status bar panes 1 (data-set name) and 2 (direction).
    QLabel* NamePane() const { return m_paneName; }
    QLabel* DirectionPane() const { return m_paneDirection; }
    QLabel* RangePane() const { return m_paneRange; }

    // The data-set chooser and the search; set by the data-folder dialogs when present.
    using Chooser =
        std::function<bool(QWidget*, const std::vector<std::string>*, std::string&, CHeaderFile&)>;
    using Searcher = std::function<bool(QWidget*, std::vector<std::string>&)>;
    using HeaderViewer = std::function<void(QWidget*, const std::string& folder)>;
    void SetDataSetDialogs(Chooser chooser, Searcher searcher, HeaderViewer headerViewer);

    // The commands that need a data set follow its presence.
    void UpdateCommandStates();
    // The loaded data set's name: document title, caption, status pane.
    void SetDataSetName(const std::string& name);

    // CViewHost
    bool ChooseDataSet(const std::vector<std::string>* searchResults, std::string& folder,
                       CHeaderFile& header) override;
    bool RunRangeDialog(const CViewState& state, CRangeRequest& request) override;
    int RunAutoCorrectDialog() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateMenus();
    // A command's action, run through RunCommand: an item of menu, or, for a null menu, an
    // action of the window reached only by its shortcut.
    QAction* AddCommand(class QMenu* menu, int id);
    bool IsCommandEnabled(const CCommand& command) const;
    void UpdateCaption();
    // The frame's own part of a state change: title, status panes, command states.
    void OnStateChanged(unsigned aspects);

    void OnLoadData();
    void OnSearchData();
    void OnHeaderInfo();
    void OnSaveImage();
    void OnCopyImage();
    QPrinter* Printer();
    void OnPrint();
    void OnPrintPreview();
    void OnPrintSetup();
    void OnResetDisplay();
    void OnLoadReference();
    void OnAgreement();
    void OnEndComparison();
    void OnComment();
    // "風向特性": opens the polar-diagram bar, or closes it when it is open.
    void OnPolarDiagram();
    void ShowPolarBar(bool open);
    void OnSaveSettings();
    void OnLoadSettings();
    void OnHelp();
    void OnAbout();
    void OnExit();
    void OnFileNew();
    void OnFileOpen();

    CKZ_VDoc m_doc;
    CKZ_VView* m_pView = nullptr;
    int m_nStateListener = -1;  // the frame's own listener on the view's state
    COperationPanelBar* m_pPanelBar = nullptr;
    CValueListBar* m_pValueBar = nullptr;
    CPolarBar* m_pPolarBar = nullptr;
    // The polar bar's sizes go into "size" once it has been opened (now or in an earlier
    // session, whose file holds them).
    bool m_bPolarKept = false;
    CLabelPosDlg* m_pLabelPosDlg = nullptr;
    CAgreementDlg* m_pAgreementDlg = nullptr;  // made when first shown
    CValueListDlg* m_pValueList = nullptr;
    QLabel* m_paneName = nullptr;
    QLabel* m_paneDirection = nullptr;
    QLabel* m_paneRange = nullptr;  // the true range of the values shown
    std::map<int, QAction*> m_actions;
    std::unique_ptr<QPrinter> m_pPrinter;
    CHelpWindow* m_pHelpWindow = nullptr;  // a child window, made on the first help request
    QString m_strHelpIndex;                // the page it was made for
    Chooser m_chooser;
    Searcher m_searcher;
    HeaderViewer m_headerViewer;
};
