#pragma once

#include <functional>

class QPrinter;
class QWidget;

// The standard print dialog on printer; true when the user chose to print. With rangeChoices
// false the dialog offers no page range or selection and no printing to a file. Tests answer
// it through a hook.
bool KzPrintDialog(QWidget* parent, QPrinter& printer, bool rangeChoices = true);
using KzPrintDialogHook = std::function<bool(QPrinter& printer)>;
KzPrintDialogHook SetPrintDialogHook(KzPrintDialogHook hook);

// The print preview of printer, whose pages paint draws. Tests replace the window with a
// hook (which may call paint itself).
using KzPaintPages = std::function<void(QPrinter& printer)>;
void KzPrintPreview(QWidget* parent, QPrinter& printer, const KzPaintPages& paint);
using KzPrintPreviewHook = std::function<void(QPrinter& printer, const KzPaintPages& paint)>;
KzPrintPreviewHook SetPrintPreviewHook(KzPrintPreviewHook hook);
