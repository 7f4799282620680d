#pragma once

#include <QObject>
#include <QString>

#include <functional>

// A notice in the desktop's own notifications (the freedesktop notification service on the
// session bus), where such a service runs; nothing where none does. It asks nothing of the
// window thread: every call to the service is answered later. Choosing the notice, where the
// service lets the user choose it, runs chosen. The notice is withdrawn once this object goes.
class DesktopNotification final : public QObject
{
    Q_OBJECT

public:
    DesktopNotification(const QString &text, std::function<void()> chosen, QObject *parent);
    ~DesktopNotification() override;

private slots:
    void actionInvoked(uint id, const QString &action);

private:
    void notify(bool markup);

    QString m_text;
    std::function<void()> m_chosen;
    uint m_id = 0; // the service's number for the notice, once it has shown it
};
