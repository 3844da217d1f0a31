#pragma once

#include <QListWidget>
#include <QPushButton>
#include <string>

#include "PanelPage.h"

// The six pages of the operation panel. Each is filled in by its own piece of work; today they
// follow the state's changes with what they already show.

// "方位": wind direction and building angle.
class CDirectionPage : public CPanelPage {
    Q_OBJECT
public:
    explicit CDirectionPage(QWidget* parent = nullptr);
    // A new direction count: the direction runs 0..count-1 and is back at 0.
    void SetDirectionCount(int count);
    int m_nDirCount = 8;

protected:
    void OnStateChanged(unsigned aspects) override;
};

// "操作": camera buttons and numbers.
class COperationPage : public CPanelPage {
    Q_OBJECT
public:
    explicit COperationPage(QWidget* parent = nullptr);
    // Zoom, angles and pan from the view.
    void UpdateFromView();

protected:
    void OnStateChanged(unsigned aspects) override;
};

// "表示": geometry parts, display switches, brightness and contrast.
class CDisplayPage : public CPanelPage {
    Q_OBJECT
public:
    explicit CDisplayPage(QWidget* parent = nullptr);
    void ClearPartNames();
    void AddPartName(const std::string& name);  // bytes of the geometry file
    QListWidget* PartList() const { return m_parts; }

protected:
    void OnStateChanged(unsigned aspects) override;

private:
    QListWidget* m_parts;
};

// "コンタ": contour kind, faces, colours, labels.
class CContourPage : public CPanelPage {
    Q_OBJECT
public:
    explicit CContourPage(QWidget* parent = nullptr);
};

// "カラーバー": colour scale.
class CColorBarPage : public CPanelPage {
    Q_OBJECT
public:
    explicit CColorBarPage(QWidget* parent = nullptr);
};
