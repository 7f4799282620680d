#include "app/application.h"

#include <QIcon>
#include <QWindow>

Application::Application(int &argc, char **argv)
    : QApplication(argc, argv)
{
    // Only the name: a display name would be appended to every window's title.
    setApplicationName(QStringLiteral("Zandrel"));
    setApplicationVersion(QStringLiteral(ZANDREL_VERSION));
    setDesktopFileName(QStringLiteral("com.example.zandrel"));
    // Every window carries the program's icon, the picture installed in the icon theme too, from
    // the first window's showing on: see eventFilter().
    installEventFilter(this);
    // The menu bar is the window's own, laid out with its controls: never moved to a desktop's
    // global menu, which would only be looked for on the session bus as the first window opens.
    setAttribute(Qt::AA_DontUseNativeMenuBar);
}

bool Application::notify(QObject *receiver, QEvent *event)
{
    return deliverGuarded([&] { return QApplication::notify(receiver, event); }, m_messages, [this] {
        m_failed = true;
        emit failed();
    });
}

bool Application::eventFilter(QObject *watched, QEvent *event)
{
    // The icon is taken from the program itself once the first window is on the screen: looking
    // it up in the icon theme took a sixth of the time to the first window, and reading it before,
    // through Qt's image plugins, a tenth.
    if (event->type() == QEvent::Expose && qobject_cast<QWindow *>(watched)) {
        removeEventFilter(this);
        setWindowIcon(QIcon(QStringLiteral(":/icons/zandrel.png")));
    }
    return QApplication::eventFilter(watched, event);
}
