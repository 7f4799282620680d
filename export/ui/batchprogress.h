#pragma once

#include <QWidget>

#include <cstdint>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

// A running batch's progress, in its export window below the controls, so that it is minimised,
// moved and closed with that window and covers none of its controls: the count written in the
// user's locale, then that the file is being saved; a bar that assistive technology calls
// "Export progress"; and Cancel, which Escape presses too while the progress shows. It shows
// half a second after it is made, unless it has gone by then, and never takes the focus: the user
// goes to Cancel. The window grows to make room for it when it has none to spare.
class BatchProgress final : public QWidget
{
    Q_OBJECT

public:
    // Below the controls of window, a form's window.
    BatchProgress(std::uint64_t lines, QWidget *window);

    void setWritten(quint64 lines);
    void setSaving();

    // Hides the progress, and gives back the room it took.
    void leave();

signals:
    void cancelled();

private:
    void appear();

    QLabel *m_text;
    QProgressBar *m_bar;
    QPushButton *m_cancel;
    QTimer *m_showing;
    std::uint64_t m_lines;
    int m_roomTaken = 0; // the window's height added for the progress
};
