#include "runtime/ui/form.h"

#include "runtime/ui/accessiblewidgets.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QMenuBar>
#include <QScrollArea>
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

    // The controls keep their places whatever the window's size. A window given less room than
    // they need (a tiling desktop, a small screen) scrolls them, so that none is out of reach.
    auto *area = new QScrollArea(window);
    area->setObjectName(QStringLiteral("clientArea"));
    area->setFrameShape(QFrame::NoFrame);
    area->setFocusPolicy(Qt::NoFocus);
    auto *client = new QWidget;
    client->setObjectName(QStringLiteral("client"));
    area->setWidget(client);
    // Wherever the focus goes, by the keyboard or by the program, the view follows.
    connect(qApp, &QApplication::focusChanged, area, [area](QWidget *, QWidget *now) {
        if (now && area->widget()->isAncestorOf(now))
            area->ensureWidgetVisible(now);
    });
    auto *layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(area);
    int menuHeight = 0;
    if (QMenuBar *menuBar = createMenuBar(window)) {
        layout->setMenuBar(menuBar);
        menuHeight = menuBar->sizeHint().height();
    }

    m_window = window;
    createControls(client);
    const TwipsScale scale = placeControls(client, TwipsScale::forFont(window->font()));
    client->setFixedSize(scale.toPixels(m_spec.clientTwips));
    window->resize(client->width(), client->height() + menuHeight);
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

void Form::placeBelow(QWidget *strip)
{
    strip->hide();
    m_window->layout()->addWidget(strip);
}

void Form::showBelow(QWidget *strip, bool shown)
{
    m_strip = strip;
    m_stripShown = shown;
    if (!m_window->isMinimized())
        fitStrip();
}

void Form::fitStrip()
{
    const bool shown = m_strip && m_stripShown;
    if (m_strip)
        m_strip->setVisible(shown);
    const int room = shown ? m_strip->sizeHint().height() : 0;
    if (room != m_roomTaken && !(m_window->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
        m_window->resize(m_window->width(), m_window->height() - m_roomTaken + room);
    m_roomTaken = room;
}

bool Form::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window && event->type() == QEvent::WindowStateChange && !m_window->isMinimized())
        fitStrip();
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
