#include "ui/ColorPrompt.h"

#include <QColorDialog>

#include "ui/Seam.h"

namespace {
using ColorSeam = KzSeam<struct ColorTag, KzColorHook>;
}  // namespace

KzColorHook SetColorHook(KzColorHook hook) {
    return ColorSeam::Swap(std::move(hook));
}

std::optional<QColor> KzChooseColor(QWidget* parent, const QColor& initial) {
    if (const KzColorHook& hook = ColorSeam::Installed()) {
        return hook(initial);
    }
    const QColor chosen = QColorDialog::getColor(initial, parent);
    if (!chosen.isValid()) {
        return std::nullopt;
    }
    return chosen;
}
