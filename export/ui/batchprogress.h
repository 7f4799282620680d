#pragma once

#include <QWidget>

#include <cstdint>

class QLabel;
class QProgressBar;
class QPushButton;

// A running batch's progress, for its export window to show below the controls: the count written
// in the user's locale, then that the file is being saved; a bar that assistive technology calls
// "Export progress"; and Cancel, which Escape presses too while the progress shows. It never
// takes the focus: the user goes to Cancel.
class BatchProgress final : public QWidget
{
    Q_OBJECT

public:
    // For a batch of so many lines, as wide as window.
    BatchProgress(std::uint64_t lines, QWidget *window);

    void setWritten(quint64 lines);
    void setSaving();

signals:
    void cancelled();

private:
    QLabel *m_text;
    QProgressBar *m_bar;
    QPushButton *m_cancel;
    std::uint64_t m_lines;
};
