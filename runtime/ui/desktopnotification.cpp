#include "runtime/ui/desktopnotification.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QGuiApplication>
#include <QVariantMap>

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");

QDBusMessage callService(const QString &method)
{
    return QDBusMessage::createMethodCall(kService, kPath, kInterface, method);
}

// Runs answered(reply) once the service answers call, unless receiver has gone by then; an error
// (no service, a service that failed) is no answer.
template<typename Reply, typename Answered>
void whenAnswered(const QDBusMessage &call, QObject *receiver, Answered &&answered)
{
    auto *watcher = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call), receiver);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, receiver,
                     [watcher, answered = std::forward<Answered>(answered)] {
                         watcher->deleteLater();
                         const QDBusPendingReply<Reply> reply = *watcher;
                         if (!reply.isError())
                             answered(reply.value());
                     });
}

} // namespace

DesktopNotification::DesktopNotification(const QString &text, std::function<void()> chosen, QObject *parent)
    : QObject(parent)
    , m_text(text)
    , m_chosen(std::move(chosen))
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    bus.connect(kService, kPath, kInterface, QStringLiteral("ActionInvoked"), this, SLOT(actionInvoked(uint, QString)));
    // The body is markup where the service reads it so: a path may hold "<" or "&".
    whenAnswered<QStringList>(callService(QStringLiteral("GetCapabilities")), this, [this](const QStringList &offers) {
        notify(offers.contains(QLatin1String("body-markup")));
    });
}

DesktopNotification::~DesktopNotification()
{
    if (m_id != 0)
        QDBusConnection::sessionBus().call(callService(QStringLiteral("CloseNotification")) << m_id,
                                           QDBus::NoBlock);
}

void DesktopNotification::notify(bool markup)
{
    const QString name = QGuiApplication::applicationDisplayName();
    const QStringList actions = { QStringLiteral("default"), name };
    const QVariantMap hints = { { QStringLiteral("desktop-entry"), QGuiApplication::desktopFileName() } };
    QDBusMessage call = callService(QStringLiteral("Notify"));
    call << name << uint(0) << QGuiApplication::desktopFileName() << name << (markup ? m_text.toHtmlEscaped() : m_text)
         << actions << hints << -1;
    whenAnswered<uint>(call, this, [this](uint id) { m_id = id; });
}

void DesktopNotification::actionInvoked(uint id, const QString &action)
{
    if (id == m_id && m_id != 0 && action == QLatin1String("default") && m_chosen)
        m_chosen();
}
