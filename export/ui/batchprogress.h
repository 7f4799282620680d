#pragma once

#include <QProgressDialog>

#include <cstdint>

class QProgressBar;

// A running batch's progress, beside the windows: the count written in the user's locale, a bar
// that assistive technology calls "Export progress", and Cancel. Modeless: every window stays in
// use meanwhile. Cancel and the close box cancel it, Escape while it has the focus rejects it. It
// keeps one size, the one the whole count takes, however many digits the count written has.
class BatchProgress final : public QProgressDialog
{
    Q_OBJECT

public:
    BatchProgress(QWidget *window, std::uint64_t lines);

    void update(std::uint64_t written);

private:
    QProgressBar *m_bar;
    std::uint64_t m_lines;
};
