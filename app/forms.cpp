#include "app/forms.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

Forms::Forms(MessageSink &messages, RandomGenerator &generator, QObject *parent)
    : QObject(parent)
    , main(messages, generator)
    , batch(main, messages, generator)
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
    for (Form *form : all()) {
        if (QWidget *window = form->window())
            window->hide();
    }
    emit ended();
}

QWidget *Forms::formWindow(QWindow *window)
{
    for (Form *form : all()) {
        if (window && form->window() && form->window()->windowHandle() == window)
            return form->window();
    }
    return nullptr;
}

// The main window's activate event: coming back to it from another of the program's windows
// puts the focus into the minimum box; coming back from another program, or from a message
// box, leaves the focus where it was.
void Forms::focusWindowChanged(QWindow *window)
{
    QWidget *form = formWindow(window);
    if (!form)
        return;
    if (form == main.window() && m_lastActiveForm && m_lastActiveForm != form)
        main.Activate();
    m_lastActiveForm = form;
}
