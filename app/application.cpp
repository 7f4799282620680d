#include "app/application.h"

Application::Application(int &argc, char **argv)
    : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Zandrel"));
    setApplicationDisplayName(QStringLiteral("Zandrel"));
    setApplicationVersion(QStringLiteral(ZANDREL_VERSION));
}

bool Application::notify(QObject *receiver, QEvent *event)
{
    return deliverGuarded([&] { return QApplication::notify(receiver, event); }, m_messages,
                          [](int status) { std::exit(status); });
}
