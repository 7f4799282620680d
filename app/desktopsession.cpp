#include "app/desktopsession.h"

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

QtMessageHandler g_usualHandler = nullptr;
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
    std::fprintf(stderr, "Zandrel could not open a window on this desktop session: %s\n", qPrintable(why));
    std::_Exit(EXIT_FAILURE);
}

} // namespace

std::optional<QString> missingDesktopSession()
{
    if (isSet("QT_QPA_PLATFORM"))
        return std::nullopt; // the user chose the platform
    if (!isSet("DISPLAY") && !isSet("WAYLAND_DISPLAY"))
        return QStringLiteral("Zandrel needs a graphical desktop session: neither DISPLAY nor WAYLAND_DISPLAY is set.");
    if (!isSet("DISPLAY") && !waylandPluginInstalled())
        return QStringLiteral("Zandrel needs Qt's Wayland platform plugin on this Wayland desktop: "
                              "install the package qt6-wayland.");
    return std::nullopt;
}

void reportFailedStartAsOneLine()
{
    g_usualHandler = qInstallMessageHandler(oneLineOnFailedStart);
}

void reportMessagesAsUsual()
{
    qInstallMessageHandler(g_usualHandler);
}
