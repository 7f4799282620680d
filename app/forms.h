#pragma once

#include "contact/ui/frmcontact.h"
#include "export/ui/frmnumberofrandomnumbers.h"
#include "generator/ui/frmzandrel.h"

#include <QObject>

#include <array>

class MessageSink;
class QWindow;
class SharedGenerator;

// The one instance of each window class, and how they open, close and end the program.
class Forms final : public QObject
{
    Q_OBJECT

public:
    Forms(MessageSink &messages, SharedGenerator &generator, QObject *parent = nullptr);

    // Loads and shows the main window.
    void Start();
    // Ends the program at once: every window disappears, none runs its unload handling, and
    // ended() tells the application to quit.
    void End();

    // The three window classes' instances.
    std::array<Form *, 3> all() { return { &main, &batch, &contact }; }

signals:
    void ended();

public:
    frmZandrel main;
    frmNumberofRandomNumbers batch;
    frmContact contact;

private:
    void focusWindowChanged(QWindow *window);
    Form *formOf(QWindow *window);

    // The form whose window was active last. The form outlives its window, so that coming back
    // from a window that has just closed still counts as coming from one of the program's own.
    Form *m_lastActiveForm = nullptr;
};
