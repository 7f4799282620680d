#pragma once

#include "runtime/ui/messagebox.h"

#include <QApplication>

#include <cstdlib>
#include <exception>

// Delivers an event through deliver(). An exception that escapes it is shown in a message box
// naming the error, and the program ends through terminate with a non-zero status: no exception
// crosses the event loop unreported.
template<typename Deliver, typename Terminate>
bool deliverGuarded(Deliver &&deliver, MessageSink &messages, Terminate &&terminate)
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
    terminate(EXIT_FAILURE);
    return false;
}

class Application final : public QApplication
{
public:
    Application(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;

    MessageSink &messages() { return m_messages; }

private:
    MessageBox m_messages;
};
