#include "app/desktopsession.h"

#include "app/translations.h"

#include <QDir>
#include <QLibraryInfo>

#include <cstdio>
#include <cstdlib>

namespace {

bool isSet(const char *variable)
{
    return !qEnvironmentVariableIsEmpty(variable);
}

bool waylandPluginInstalled()
{
    const QDir platforms(QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/platforms"));
    return !platforms.entryList({ QStringLiteral("libqwayland*") }, QDir::Files).isEmpty();
}

const char *const kNoSession = QT_TRANSLATE_NOOP(
    "DesktopSession", "Zandrel needs a graphical desktop session: neither DISPLAY nor WAYLAND_DISPLAY is set.");
const char *const kNoWaylandPlugin =
    QT_TRANSLATE_NOOP("DesktopSession", "Zandrel needs Qt's Wayland platform plugin on this Wayland desktop: "
                                        "install the package qt6-wayland.");
const char *const kNoWindow = QT_TRANSLATE_NOOP("DesktopSession",
                                                "Zandrel could not open a window on this desktop session: %1");

QtMessageHandler g_usualHandler = nullptr;
const Translations *g_translations = nullptr;
QString g_platformProblem; // what the platform plugin said first, before Qt gave up

void oneLineOnFailedStart(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type != QtFatalMsg) {
        const bool platform = context.category && QByteArray(context.category).startsWith("qt.qpa");
        if (!platform)
            g_usualHandler(type, context, message);
        else if (g_platformProblem.isEmpty())
            g_platformProblem = message;
        return;
    }
    const QString why = g_platformProblem.isEmpty() ? message.section(QLatin1Char('\n'), 0, 0) : g_platformProblem;
    std::fprintf(stderr, "%s\n", qPrintable(g_translations->translate("DesktopSession", kNoWindow).arg(why)));
    std::_Exit(EXIT_FAILURE);
}

} // namespace

std::optional<QString> missingDesktopSession(const Translations &translations)
{
    if (isSet("QT_QPA_PLATFORM"))
        return std::nullopt; // the user chose the platform
    if (!isSet("DISPLAY") && !isSet("WAYLAND_DISPLAY"))
        return translations.translate("DesktopSession", kNoSession);
    if (!isSet("DISPLAY") && !waylandPluginInstalled())
        return translations.translate("DesktopSession", kNoWaylandPlugin);
    return std::nullopt;
}

void reportFailedStartAsOneLine(const Translations &translations)
{
    g_translations = &translations;
    g_usualHandler = qInstallMessageHandler(oneLineOnFailedStart);
}

void reportMessagesAsUsual()
{
    qInstallMessageHandler(g_usualHandler);
}
