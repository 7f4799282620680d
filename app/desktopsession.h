#pragma once

#include <QString>

#include <optional>

class Translations;

// Whether Zandrel can hope to open a window here, asked before Qt tries: without a desktop
// session, or on a Wayland desktop without Qt's Wayland plugin, Qt would abort with advice to
// reinstall the program. Nothing when it can try; else the one line that says why not, in the
// desktop's language.
std::optional<QString> missingDesktopSession(const Translations &translations);

// Until the application object exists: a failure to open a window ends the program with one line
// that says so and exit status 1, rather than Qt's abort. translations must outlive the start.
void reportFailedStartAsOneLine(const Translations &translations);
void reportMessagesAsUsual();
