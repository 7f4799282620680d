#pragma once

#include <QElapsedTimer>
#include <QPointer>

#include <cstdint>

class QProgressDialog;
class QWidget;

// Progress of a long batch. A batch that runs longer than about half a second gets an
// application-modal progress dialog with the count written so far and a Cancel button; the
// windows repaint while it shows. Updates a few times a second at most, whatever the rate at
// which update() is called.
class BatchProgress
{
public:
    BatchProgress(QWidget *parent, double lines);
    ~BatchProgress();

    // Reports written numbers; false once the user has cancelled, or the window the dialog
    // belongs to has gone (the dialog goes with it).
    bool update(std::uint64_t written);

private:
    void showDialog(std::uint64_t written);
    void setProgress(std::uint64_t written);

    QPointer<QWidget> m_parent;
    double m_lines;
    QElapsedTimer m_clock;
    qint64 m_lastUpdate = 0;
    bool m_shown = false;
    QPointer<QProgressDialog> m_dialog;
};
