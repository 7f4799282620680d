#pragma once

#include <QString>

#include <optional>

// Whether Zandrel can hope to open a window here, asked before Qt tries: without a desktop
// session, or on a Wayland desktop without Qt's Wayland plugin, Qt would abort with advice to
// reinstall the program. Nothing when it can try; else the one line that says why not.
std::optional<QString> missingDesktopSession();

// Until the application object exists: a failure to open a window ends the program with one line
// that says so and exit status 1, rather than Qt's abort.
void reportFailedStartAsOneLine();
void reportMessagesAsUsual();
