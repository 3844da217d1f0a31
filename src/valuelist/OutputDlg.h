#pragma once

#include <QDialog>

class CViewState;
class QRadioButton;

// "出力": writes the value list's rows as a CSV copy of the list, or as the 16-direction input
// file of the ventilation program Tolvex. Modal; ends after a file was written (or could not
// be), stays open when the file prompt is cancelled or the data cannot make a Tolvex file.
class COutputDlg : public QDialog {
    Q_OBJECT
public:
    enum { IDD = 146 };
    enum ControlId {
        IDC_CSV = 1157,
        IDC_TOLVEX = 1158,
        IDC_CANCEL = 1159,
        IDC_OUTPUT = 1160,
        IDC_TOLVEX_NOTE = 1406,  // "always the mean" while another value is shown
    };

    // state: the rows and the data the Tolvex values come from, and the building-angle step,
    // which turns the Tolvex columns with the building.
    COutputDlg(const CViewState& state, QWidget* parent = nullptr);

    // "出力": the file prompt for the chosen format, then the file.
    void OnOutput();

private:
    // The save prompt in the folder the program's other prompts start in; empty on cancel.
    std::string PromptPath(const QString& defaultName);

    const CViewState& m_state;
    QRadioButton* m_csv;
    QRadioButton* m_tolvex;
};
