#include "app/application.h"

#include <QIcon>

Application::Application(int &argc, char **argv)
    : QApplication(argc, argv)
{
    // Only the name: a display name would be appended to every window's title.
    setApplicationName(QStringLiteral("Zandrel"));
    setApplicationVersion(QStringLiteral(ZANDREL_VERSION));
    setDesktopFileName(QStringLiteral("com.example.zandrel"));
    // Every window carries the program's icon; the installed theme icon is the same picture.
    setWindowIcon(QIcon::fromTheme(QStringLiteral("zandrel"), QIcon(QStringLiteral(":/icons/zandrel.png"))));
}

bool Application::notify(QObject *receiver, QEvent *event)
{
    return deliverGuarded([&] { return QApplication::notify(receiver, event); }, m_messages, [this] {
        m_failed = true;
        emit failed();
    });
}
