#include "app/forms.h"

#include <QGuiApplication>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace {
// A batch stopped as the program ends that has not ended after this is waiting for the disk.
constexpr int kEndingNoticeAfterMs = 300;
} // namespace

Forms::Forms(MessageSink &messages, SharedGenerator &generator, QObject *parent)
    : QObject(parent)
    , main(messages, generator)
    , exportWindow({ [this] { return std::pair(main.minimumText(), main.maximumText()); }, [this] { main.Show(); } },
            messages, generator)
{
    connect(&main, &frmZandrel::openBatchFormRequested, &exportWindow, &Form::Show);
    connect(&main, &frmZandrel::contactRequested, &contact, &Form::Show);
    connect(&main, &frmZandrel::exitRequested, this, &Forms::End);
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, &Forms::focusWindowChanged);
    for (Form *form : all())
        connect(form, &Form::unloaded, this, &Forms::formUnloaded);
}

void Forms::Start()
{
    main.Show();
}

void Forms::End()
{
    if (m_ending)
        return;
    m_ending = true;
    // Every window goes, and with it any message box or running batch it waits in.
    for (Form *form : all())
        form->Unload();
    if (!exportWindow.batchesEnding()) {
        emit ended();
        return;
    }
    connect(&exportWindow, &frmNumberofRandomNumbers::batchesEnded, this, [this] {
        m_endingNotice.reset();
        emit ended();
    });
    // Stopping takes a moment; waiting for a slow disk to finish a final sync takes longer.
    QTimer::singleShot(kEndingNoticeAfterMs, this, [this] {
        if (!exportWindow.batchesEnding())
            return;
        m_endingNotice = std::make_unique<QLabel>(
            tr("The export is stopped. Zandrel ends as soon as the disk has finished with its file."));
        QLabel &notice = *m_endingNotice;
        notice.setObjectName(QStringLiteral("endingNotice"));
        notice.setWindowTitle(QGuiApplication::applicationDisplayName());
        notice.setWordWrap(true);
        notice.setMargin(notice.fontMetrics().height());
        notice.setFixedWidth(notice.fontMetrics().averageCharWidth() * 50);
        notice.setAttribute(Qt::WA_ShowWithoutActivating);
        notice.show();
    });
}

void Forms::formUnloaded()
{
    if (std::ranges::none_of(all(), [](const Form *form) { return form->isLoaded(); }))
        End();
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
    if (!form) {
        if (window) // a message box
            m_lastActiveForm = nullptr;
        return;
    }
    if (form == &main && m_lastActiveForm && m_lastActiveForm != form)
        main.Activate();
    m_lastActiveForm = form;
}
