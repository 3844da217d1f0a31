#include "ui/PrintPrompt.h"

#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "ui/Seam.h"

namespace {
using PrintDialogSeam = KzSeam<struct PrintDialogTag, KzPrintDialogHook>;
using PrintPreviewSeam = KzSeam<struct PrintPreviewTag, KzPrintPreviewHook>;
}  // namespace

KzPrintDialogHook SetPrintDialogHook(KzPrintDialogHook hook) {
    return PrintDialogSeam::Swap(std::move(hook));
}

bool KzPrintDialog(QWidget* parent, QPrinter& printer, bool rangeChoices) {
    if (const KzPrintDialogHook& hook = PrintDialogSeam::Installed()) {
        return hook(printer);
    }
    QPrintDialog dialog(&printer, parent);
    if (!rangeChoices) {
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
        dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
        dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    }
    return dialog.exec() == QDialog::Accepted;
}

KzPrintPreviewHook SetPrintPreviewHook(KzPrintPreviewHook hook) {
    return PrintPreviewSeam::Swap(std::move(hook));
}

void KzPrintPreview(QWidget* parent, QPrinter& printer, const KzPaintPages& paint) {
    if (const KzPrintPreviewHook& hook = PrintPreviewSeam::Installed()) {
        hook(printer, paint);
        return;
    }
    QPrintPreviewDialog preview(&printer, parent);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested,
                     [&paint](QPrinter* pages) { paint(*pages); });
    preview.exec();
}
