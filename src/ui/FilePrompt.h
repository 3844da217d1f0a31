#pragma once

#include <QString>
#include <functional>
#include <string>

class QWidget;

// The open or save file dialog with a filter, a default suffix and name, starting in folder.
// Returns the chosen path, or an empty string when the user cancels. Tests answer it through
// a hook.
std::string KzPromptFile(QWidget* parent, bool open, const QString& filter,
                         const QString& extension, const QString& defaultName,
                         const QString& folder);

// The program's filter: "<description> (*.<extension>)", then all files.
QString KzFileFilter(const QString& description, const QString& extension);

using KzFilePromptHook =
    std::function<std::string(bool open, const QString& filter, const QString& extension,
                              const QString& defaultName, const QString& folder)>;
// Installs a hook (an empty one restores the dialog); returns the previous hook.
KzFilePromptHook SetFilePromptHook(KzFilePromptHook hook);
