#include "app/UiTexts.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QDockWidget>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <fstream>
#include <optional>
#include <set>

#include "GuiTestSupport.h"
#include "app/CommandIds.h"
#include "app/HelpWindow.h"
#include "app/ImageScaleDlg.h"
#include "app/MainFrame.h"
#include "dataset/DataFolderList.h"
#include "dataset/HeaderFile.h"
#include "datasets/DataFolderDlg.h"
#include "datasets/DataSearchDlg.h"
#include "datasets/DataSetChooser.h"
#include "datasets/DatasetWidgets.h"
#include "datasets/FolderBrowser.h"
#include "datasets/FolderEditDlg.h"
#include "datasets/HeaderInfoDlg.h"
#include "datasets/OpenFolder.h"
#include "panels/OperationPanelBar.h"
#include "panels/RangeDlg.h"
#include "panels/ValueListBar.h"
#include "ui/AutoCorrectDlg.h"
#include "ui/ColorPrompt.h"
#include "ui/CoordEditDlg.h"
#include "ui/FilePrompt.h"
#include "ui/MessageBox.h"
#include "ui/PrintPrompt.h"
#include "valuelist/ExcludeRangeDlg.h"
#include "valuelist/OutputDlg.h"
#include "valuelist/ValueListDlg.h"

namespace {

QString Where(const QWidget& widget) {
    // A pop-up menu is a window of its own: name the window it belongs to.
    const QWidget* parent = widget.parentWidget();
    if (qobject_cast<const QMenu*>(&widget) != nullptr && parent != nullptr) {
        return Where(*parent);
    }
    return QString::fromLatin1(widget.window()->metaObject()->className());
}

void Add(QStringList& texts, const QString& where, const char* kind, const QString& text) {
    if (text.trimmed().isEmpty()) {
        return;
    }
    QString flat = text;
    flat.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    texts << where + QLatin1Char('\t') + QLatin1String(kind) + QLatin1Char('\t') + flat;
}

void AddActions(QStringList& texts, const QString& where, const QList<QAction*>& actions) {
    for (const QAction* action : actions) {
        Add(texts, where, "action", action->text());
        if (action->toolTip() != QString(action->text()).remove(QLatin1Char('&'))) {
            Add(texts, where, "action tip", action->toolTip());
        }
        Add(texts, where, "action status tip", action->statusTip());
        if (action->menu() != nullptr) {
            Add(texts, where, "menu", action->menu()->title());
            AddActions(texts, where, action->menu()->actions());
        }
    }
}

void AddModelHeaders(QStringList& texts, const QString& where, const QAbstractItemModel* model) {
    if (model == nullptr) {
        return;
    }
    for (int c = 0; c < model->columnCount(); ++c) {
        Add(texts, where, "heading", model->headerData(c, Qt::Horizontal).toString());
    }
}

void AddOne(QStringList& texts, const QWidget& widget) {
    const QString where = Where(widget);
    if (widget.isWindow() || qobject_cast<const QDockWidget*>(&widget) != nullptr) {
        Add(texts, where, "title", widget.windowTitle());
    }
    Add(texts, where, "tooltip", widget.toolTip());
    Add(texts, where, "status tip", widget.statusTip());
    Add(texts, where, "what's this", widget.whatsThis());
    AddActions(texts, where, widget.actions());
    if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
        Add(texts, where, "label", label->text());
    } else if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) {
        Add(texts, where, "button", button->text());
    } else if (const auto* group = qobject_cast<const QGroupBox*>(&widget)) {
        Add(texts, where, "group", group->title());
    } else if (const auto* combo = qobject_cast<const QComboBox*>(&widget)) {
        for (int i = 0; i < combo->count(); ++i) {
            Add(texts, where, "combo entry", combo->itemText(i));
        }
    } else if (const auto* edit = qobject_cast<const QLineEdit*>(&widget)) {
        Add(texts, where, "placeholder", edit->placeholderText());
    } else if (const auto* spin = qobject_cast<const QAbstractSpinBox*>(&widget)) {
        Add(texts, where, "spin special", spin->specialValueText());
    } else if (const auto* tabs = qobject_cast<const QTabWidget*>(&widget)) {
        for (int i = 0; i < tabs->count(); ++i) {
            Add(texts, where, "tab", tabs->tabText(i));
            Add(texts, where, "tab tip", tabs->tabToolTip(i));
        }
    } else if (const auto* menu = qobject_cast<const QMenu*>(&widget)) {
        Add(texts, where, "menu", menu->title());
    } else if (const auto* bar = qobject_cast<const QStatusBar*>(&widget)) {
        Add(texts, where, "status", bar->currentMessage());
    }
    if (const auto* table = qobject_cast<const QTableWidget*>(&widget)) {
        for (int r = 0; r < table->rowCount(); ++r) {
            for (int c = 0; c < table->columnCount(); ++c) {
                if (const QTableWidgetItem* item = table->item(r, c)) {
                    Add(texts, where, "cell", item->text());
                }
            }
        }
    } else if (const auto* list = qobject_cast<const QListWidget*>(&widget)) {
        for (int r = 0; r < list->count(); ++r) {
            Add(texts, where, "list entry", list->item(r)->text());
        }
    }
    if (const auto* view = qobject_cast<const QAbstractItemView*>(&widget)) {
        AddModelHeaders(texts, where, view->model());
    }
}

// Reads every window that came up (each once) and closes the ones that wait for an answer.
class CWindowReader {
public:
    explicit CWindowReader(QStringList& texts, const QWidget* frame) : m_texts(texts) {
        m_seen.insert(frame);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { ReadNew(); });
        m_timer.start(10);
    }
    void ReadNew() {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (!window->isVisible() || qobject_cast<QMenu*>(window) != nullptr ||
                !m_seen.insert(window).second) {
                continue;
            }
            m_texts << WidgetTexts(*window);
            if (auto* dialog = qobject_cast<QDialog*>(window)) {
                dialog->reject();
            } else {
                window->close();
            }
        }
    }

private:
    QStringList& m_texts;
    std::set<const QWidget*> m_seen;
    QTimer m_timer;
};

}  // namespace

QStringList WidgetTexts(const QWidget& root) {
    QStringList texts;
    AddOne(texts, root);
    for (const QWidget* child : root.findChildren<QWidget*>()) {
        AddOne(texts, *child);
    }
    return texts;
}

QStringList AllUiTexts(const std::string& guideIndex) {
    QStringList texts;
    // Every prompt of a command answered "cancel"; message boxes read.
    const auto messages = SetMessageBoxHook(
        [&texts](const QString& text, const QString& caption, KzButtons buttons, KzIcon) {
            Add(texts, QStringLiteral("KzMessageBox"), "caption", caption);
            Add(texts, QStringLiteral("KzMessageBox"), "message", text);
            return buttons == KzButtons::YesNo ? KzAnswer::No : KzAnswer::Ok;
        });
    const auto files = SetFilePromptHook([](bool, const QString&, const QString&, const QString&,
                                            const QString&) { return std::string(); });
    const auto colours = SetColorHook([](const QColor&) { return std::optional<QColor>(); });
    const auto print = SetPrintDialogHook([](QPrinter&) { return false; });
    const auto preview = SetPrintPreviewHook([](QPrinter&, const KzPaintPages&) {});
    const auto scale = SetImageScaleHook([](int, int, int&) { return false; });
    const auto browse = CFolderBrowser::SetHook([](QWidget*, const QString&) { return QString(); });
    const auto open = SetOpenFolderHook([](const QString&) { return true; });

    QTemporaryDir appDir;
    const std::string appFolder = appDir.path().toStdString() + "/";
    kzv::WriteDataFolderList(kzv::DataFolderListPath(appFolder), {SamplesFolder()});

    {
        CMainFrame frame;
        frame.resize(1000, 700);
        frame.show();
        (void)QTest::qWaitForWindowExposed(&frame);
        frame.m_strHelpPath = guideIndex;
        // The load commands take the tower without asking; the dialogs are read below.
        std::string chosen;
        frame.SetDataSetDialogs(
            [&chosen](QWidget*, const std::vector<std::string>*, std::string& folder,
                      CHeaderFile& header) {
                folder = SamplesFolder() + chosen;
                header.Read((folder + "header").c_str());
                return true;
            },
            [&appFolder](QWidget* parent, std::vector<std::string>& results) {
                return RunDataSearch(parent, appFolder, results);
            },
            ShowHeaderInfo);
        texts << WidgetTexts(frame);  // before any data set
        CWindowReader reader(texts, &frame);
        chosen = "tower/";
        frame.RunCommand(ID_LOAD_DATA);
        chosen = "lshape/";  // 32 directions against 16: refused with a message
        frame.RunCommand(ID_LOAD_REFERENCE);
        chosen = "tower/";
        frame.RunCommand(ID_LOAD_REFERENCE);
        const int skipped[] = {ID_APP_EXIT,  ID_FILE_PRINT_SETUP, ID_FILE_NEW,
                               ID_LOAD_DATA, ID_LOAD_REFERENCE,   ID_END_COMPARISON};
        for (const CMainFrame::CCommand& command : CMainFrame::Commands()) {
            if (std::find(std::begin(skipped), std::end(skipped), command.id) ==
                std::end(skipped)) {
                frame.RunCommand(command.id);
                QTest::qWait(30);
                reader.ReadNew();
            }
        }
        texts << WidgetTexts(frame);  // loaded and comparing

        // The dialogs the pages and the value list open, made directly.
        const CViewState& state = frame.View()->State();
        auto* valueList = frame.findChild<CValueListDlg*>();
        CRangeRequest request;
        CArbitraryPoint point;
        std::vector<std::unique_ptr<QWidget>> dialogs;
        dialogs.emplace_back(new CDataFolderDlg(appFolder, nullptr));
        dialogs.emplace_back(new CFolderEditDlg);
        dialogs.emplace_back(new CDataSearchDlg(appFolder));
        dialogs.emplace_back(new CHeaderInfoDlg(SamplesFolder() + "tower/"));
        dialogs.emplace_back(new CRangeDlg(state, request));
        dialogs.emplace_back(new CAutoCorrectDlg);
        dialogs.emplace_back(new CCoordEditDlg(state, point, {0, 0, 0}));
        dialogs.emplace_back(new CImageScaleDlg(800, 600, 1));
        dialogs.emplace_back(new CExcludeRangeDlg(valueList));
        dialogs.emplace_back(new COutputDlg(state));
        dialogs.emplace_back(new CHelpWindow(QString::fromStdString(guideIndex)));
        for (const auto& dialog : dialogs) {
            texts << WidgetTexts(*dialog);
        }
        frame.RunCommand(ID_END_COMPARISON);
        texts << WidgetTexts(frame);
    }

    SetMessageBoxHook(messages);
    SetFilePromptHook(files);
    SetColorHook(colours);
    SetPrintDialogHook(print);
    SetPrintPreviewHook(preview);
    SetImageScaleHook(scale);
    CFolderBrowser::SetHook(browse);
    SetOpenFolderHook(open);

    for (QString& text : texts) {
        text.replace(QString::fromStdString(SamplesFolder()), QLatin1String("<samples>/"));
        text.replace(QString::fromStdString(appFolder), QLatin1String("<app>/"));
    }
    texts.sort();
    texts.removeDuplicates();
    return texts;
}

QStringList SampleDataTexts() {
    QStringList data;
    const QDir samples(QString::fromStdString(SamplesFolder()));
    for (const QString& name : samples.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        data << name;
        CHeaderFile header;
        if (header.Read(
                (samples.filePath(name) + QLatin1String("/header")).toStdString().c_str())) {
            for (const std::string* field :
                 {&header.m_strTitle, &header.m_strAffiliation, &header.m_strMeasurer,
                  &header.m_strManager, &header.m_strSummary, &header.m_strBuildingShape,
                  &header.m_strRoofShape, &header.m_strBuildingSize,
                  &header.m_strAdjacentCondition}) {
                for (const QString& line :
                     kzv::FileTextToQString(*field).split(QLatin1Char('\n'))) {
                    data << line.trimmed();
                }
            }
        }
    }
    data.removeAll(QString());
    return data;
}
