#pragma once

#include "runtime/ui/messagebox.h"

#include <QApplication>

#include <cstdlib>
#include <exception>

// Delivers an event through deliver(). An exception that escapes it is shown in a message box
// naming the error, and then end() runs: no exception crosses the event loop unreported.
template<typename Deliver, typename End>
bool deliverGuarded(Deliver &&deliver, MessageSink &messages, End &&end)
{
    QString error;
    try {
        return deliver();
    } catch (const std::exception &exception) {
        error = QString::fromLocal8Bit(exception.what());
    } catch (...) {
        error = QCoreApplication::translate("Application", "an unknown error");
    }
    const QString ending = QCoreApplication::translate(
        "Application", "Zandrel has met an error it cannot recover from and will close:\n\n%1");
    messages.show(ending.arg(error), nullptr);
    end();
    return false;
}

class Application final : public QApplication
{
    Q_OBJECT

public:
    Application(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;

    MessageSink &messages() { return m_messages; }
    // The status the program ends with: 1 once an error has escaped a handler.
    int exitStatus() const { return m_failed ? EXIT_FAILURE : EXIT_SUCCESS; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

signals:
    // An error has escaped a handler, and the user has read so: the program is to end, as Exit
    // ends it, a running batch and its temporary file included.
    void failed();

private:
    MessageBox m_messages;
    bool m_failed = false;
};
