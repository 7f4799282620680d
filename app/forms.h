#pragma once

#include "contact/ui/frmcontact.h"
#include "export/ui/frmnumberofrandomnumbers.h"
#include "generator/ui/frmzandrel.h"

#include <QLabel>
#include <QObject>

#include <array>
#include <memory>

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
    // Ends the program: every window disappears at once, a running batch stops, and ended()
    // tells the application to quit once every batch's threads have ended. A stopped batch may
    // wait for the disk a while yet; the user is told so meanwhile. The program ends so too once
    // the last window has gone, in any way.
    void End();

    // The three window classes' instances.
    std::array<Form *, 3> all() { return { &main, &exportWindow, &contact }; }

signals:
    void ended();

public:
    frmZandrel main;
    frmNumberofRandomNumbers exportWindow;
    frmContact contact;

private:
    void focusWindowChanged(QWindow *window);
    Form *formOf(QWindow *window);
    void formUnloaded();

    bool m_ending = false;
    // While the program ends but a stopped batch still waits for the disk.
    std::unique_ptr<QLabel> m_endingNotice;

    // The form whose window was active last. The form outlives its window, so that coming back
    // from a window that has just closed still counts as coming from one of the program's own.
    Form *m_lastActiveForm = nullptr;
};
