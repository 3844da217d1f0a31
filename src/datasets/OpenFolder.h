#pragma once

#include <QString>
#include <functional>
#include <string>

// Shows a folder in the desktop's file browser and returns at once (the browser runs on its
// own). Tests replace the launcher through SetOpenFolderHook.
bool OpenFolderInFileBrowser(const std::string& folder);

using OpenFolderHook = std::function<bool(const QString& folder)>;
// Installs a hook (an empty one restores the real launcher); returns the previous hook.
OpenFolderHook SetOpenFolderHook(OpenFolderHook hook);
