#pragma once

#include <QDialog>
#include <functional>

class QRadioButton;

// "画像の解像度": asked after the file name of "画像の保存", it chooses how many times the
// window's size the saved picture has: 1 (the picture on the screen) or 2, 3, 4 (drawn again
// off-screen with lines, markers, texts, colour bar and comment enlarged to match). Each
// choice shows the size in pixels it gives.
class CImageScaleDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMaxScale = 4;

    CImageScaleDlg(int clientW, int clientH, int scale, QWidget* parent = nullptr);

    int Scale() const;
    QRadioButton* Choice(int scale) const { return m_choices[scale - 1]; }

private:
    QRadioButton* m_choices[kMaxScale] = {};
};

// Runs the dialog starting on scale; true with the chosen scale, false when cancelled. Tests
// answer it through the hook.
bool KzChooseImageScale(QWidget* parent, int clientW, int clientH, int& scale);

using KzImageScaleHook = std::function<bool(int clientW, int clientH, int& scale)>;
// Installs a hook (an empty one restores the dialog); returns the previous hook.
KzImageScaleHook SetImageScaleHook(KzImageScaleHook hook);
