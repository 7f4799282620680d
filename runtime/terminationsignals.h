#pragma once

#include <QObject>

class QSocketNotifier;

// SIGTERM (the desktop session ends), SIGHUP (its terminal goes) and SIGINT (Ctrl+C), turned into
// a signal on the thread that made this object, as its event loop comes round: the handler itself
// only writes a byte to a socket pair. One at a time in a process; while it lives, those signals
// no longer end the process by themselves (those it was started to ignore, as under nohup, stay
// ignored). Once it is gone each does again what it did before, so that a second Ctrl+C ends a
// program that takes too long to end.
class TerminationSignals final : public QObject
{
    Q_OBJECT

public:
    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;

signals:
    void received(int signalNumber);

private:
    void readSignal();

    QSocketNotifier *m_notifier = nullptr;
};
