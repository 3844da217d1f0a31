#pragma once

#include <QString>
#include <functional>
#include <string>

class QWidget;

// The one way the program shows a message box. Tests replace the box with a hook that records
// the message and answers it, instead of clicking modal windows.
enum class KzButtons { Ok, YesNo };
enum class KzIcon { None, Information, Warning, Question, Error };
enum class KzAnswer { Ok, Yes, No };

// A null caption (QString()) gives the application's title "KZ_V"; an empty but not null one
// (QStringLiteral("")) leaves the caption empty.
KzAnswer KzMessageBox(QWidget* parent, const QString& text, const QString& caption = QString(),
                      KzButtons buttons = KzButtons::Ok, KzIcon icon = KzIcon::None);

// Runs deliver (the delivery of one event, that is one user action) and turns an allocation
// failure in it into a message box instead of ending the program. Returns what deliver
// returned; true (handled) after a failure.
bool KzDeliverReportingMemoryShortage(const std::function<bool()>& deliver);
// Its message.
extern const char* const MSG_OUT_OF_MEMORY;

// A text of the core that the core marks for translation (KZV_TR_NOOP("Core", ...), such as
// why a file could not be written) in the interface's language; any other text as it is.
QString KzCoreText(const std::string& text);

using KzMessageBoxHook =
    std::function<KzAnswer(const QString& text, const QString& caption, KzButtons, KzIcon)>;
// Installs a hook (an empty one restores the real message box); returns the previous hook.
KzMessageBoxHook SetMessageBoxHook(KzMessageBoxHook hook);
