#include "ColorPrompt.h"

#include <QColorDialog>

namespace {
KzColorHook& Hook() {
    static KzColorHook hook;
    return hook;
}
}  // namespace

KzColorHook SetColorHook(KzColorHook hook) {
    KzColorHook previous = std::move(Hook());
    Hook() = std::move(hook);
    return previous;
}

std::optional<QColor> KzChooseColor(QWidget* parent, const QColor& initial) {
    if (Hook()) {
        return Hook()(initial);
    }
    const QColor chosen = QColorDialog::getColor(initial, parent);
    if (!chosen.isValid()) {
        return std::nullopt;
    }
    return chosen;
}
