#include "runtime/ui/form.h"

#include "runtime/ui/accessiblewidgets.h"

#include <QCoreApplication>
#include <QDialog>
#include <QEvent>
#include <QMenuBar>
#include <QVBoxLayout>
#include <QWidget>

#include <utility>

Form::Form(const WindowSpec &spec, QObject *parent)
    : QObject(parent)
    , m_spec(spec)
{
}

Form::~Form()
{
    delete m_window;
    qDeleteAll(m_discarded);
}

QMenuBar *Form::createMenuBar(QWidget *)
{
    return nullptr;
}

void Form::Load()
{
    if (m_window)
        return;

    auto *window = new FormWindow;
    window->setObjectName(QString::fromLatin1(m_spec.name));
    window->setWindowTitle(QCoreApplication::translate(m_spec.name, m_spec.caption));

    const TwipsScale scale = TwipsScale::forFont(window->font());
    auto *client = new QWidget(window);
    client->setObjectName(QStringLiteral("client"));
    const QSize clientSize = scale.toPixels(m_spec.clientTwips);

    // The controls keep their places whatever the window's size, and the window is never made
    // smaller than they need; the layout only puts the client area below the menu bar, and
    // anything shown below the controls below it.
    client->setMinimumSize(clientSize);
    auto *layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(client);
    int menuHeight = 0;
    if (QMenuBar *menuBar = createMenuBar(window)) {
        layout->setMenuBar(menuBar);
        menuHeight = menuBar->sizeHint().height();
    }
    window->resize(clientSize.width(), clientSize.height() + menuHeight);

    m_window = window;
    createControls(client, scale);
    window->installEventFilter(this);
    onLoaded();
}

void Form::Show()
{
    Load();
    m_window->setWindowState(m_window->windowState() & ~Qt::WindowMinimized);
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

void Form::Unload()
{
    if (m_window)
        m_window->close(); // goes through the same path as the close box
}

bool Form::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window && event->type() == QEvent::Close)
        discardWindow();
    return QObject::eventFilter(watched, event);
}

void Form::discardWindow()
{
    QWidget *window = m_window;
    m_window = nullptr;
    window->removeEventFilter(this);
    // A message box or dialog of the window ends with it.
    for (QDialog *dialog : window->findChildren<QDialog *>()) {
        if (dialog->isVisible())
            dialog->reject();
    }
    onUnloading();
    emit unloaded();
    if (m_handlersRunning > 0) {
        window->hide();
        m_discarded.removeAll(nullptr);
        m_discarded.append(window);
    } else {
        window->deleteLater(); // once the close has run its course
    }
}

Form::Handling::Handling(Form &form)
    : m_form(form)
{
    ++m_form.m_handlersRunning;
}

Form::Handling::~Handling()
{
    if (--m_form.m_handlersRunning > 0)
        return;
    // Still listed until they go, so that the form deletes them itself if it goes first.
    for (QWidget *window : std::as_const(m_form.m_discarded)) {
        if (window)
            window->deleteLater();
    }
}
