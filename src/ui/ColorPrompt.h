#pragma once

#include <QColor>
#include <functional>
#include <optional>

class QWidget;

// The standard colour dialog, started on a colour; nothing when the user cancels. Tests
// answer it through a hook.
std::optional<QColor> KzChooseColor(QWidget* parent, const QColor& initial);

using KzColorHook = std::function<std::optional<QColor>(const QColor& initial)>;
KzColorHook SetColorHook(KzColorHook hook);
