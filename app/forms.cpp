#include "app/forms.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

Forms::Forms(MessageSink &messages, SharedGenerator &generator, QObject *parent)
    : QObject(parent)
    , main(messages, generator)
    , batch({ [this] { return std::pair(main.minimumText(), main.maximumText()); }, [this] { main.Show(); } },
            messages, generator)
{
    connect(&main, &frmZandrel::openBatchFormRequested, &batch, &Form::Show);
    connect(&main, &frmZandrel::contactRequested, &contact, &Form::Show);
    connect(&main, &frmZandrel::exitRequested, this, &Forms::End);
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, &Forms::focusWindowChanged);
}

void Forms::Start()
{
    main.Show();
}

void Forms::End()
{
    // Every window goes, and with it any message box or running batch it waits in.
    for (Form *form : all())
        form->Unload();
    emit ended();
}

Form *Forms::formOf(QWindow *window)
{
    for (Form *form : all()) {
        if (window && form->window() && form->window()->windowHandle() == window)
            return form;
    }
    return nullptr;
}

// The main window's activate event: coming back to it from another of the program's windows,
// whether that window is still open or has just been closed, puts the focus into the minimum
// box; coming back from another program, or from a message box, leaves the focus where it was.
void Forms::focusWindowChanged(QWindow *window)
{
    Form *form = formOf(window);
    if (!form)
        return;
    if (form == &main && m_lastActiveForm && m_lastActiveForm != form)
        main.Activate();
    m_lastActiveForm = form;
}
