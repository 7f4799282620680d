#include "export/ui/batchprogress.h"

#include <QBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>

#include <algorithm>
#include <climits>

namespace {
constexpr int kSteps = 1000;
} // namespace

BatchProgress::BatchProgress(std::uint64_t lines, QWidget *window)
    : QWidget(window)
    , m_text(new QLabel(this))
    , m_bar(new QProgressBar(this))
    , m_cancel(new QPushButton(tr("Cancel"), this))
    , m_lines(lines)
{
    setObjectName(QStringLiteral("batchProgress"));
    m_text->setWordWrap(true);
    m_text->setTextFormat(Qt::PlainText);
    m_bar->setRange(0, kSteps);
    m_bar->setAccessibleName(tr("Export progress"));
    // Where the percent sign goes, and the blank before it, is the language's.
    m_bar->setFormat(tr("%p%"));
    m_cancel->setObjectName(QStringLiteral("cmdCancel"));
    m_cancel->setAutoDefault(false);
    m_cancel->setShortcut(Qt::Key_Escape); // only while it shows, and only in its window
    connect(m_cancel, &QPushButton::clicked, this, &BatchProgress::cancelled);

    auto *layout = new QVBoxLayout(this);
    auto *row = new QHBoxLayout;
    row->addWidget(m_bar, 1);
    row->addWidget(m_cancel);
    layout->addWidget(m_text);
    layout->addLayout(row);

    // One height, that of the longest text at the window's width, whatever the count written.
    const int width = window->width() - layout->contentsMargins().left() - layout->contentsMargins().right();
    int textHeight = 0;
    for (const QString &text : { tr("Exporting the random numbers: %1 of %2 written.")
                                     .arg(QLocale().toString(lines), QLocale().toString(lines)),
                                 tr("Saving the file to the disk: all %1 numbers are written.")
                                     .arg(QLocale().toString(lines)) })
        textHeight = std::max(textHeight, fontMetrics().boundingRect(QRect(0, 0, width, INT_MAX), Qt::TextWordWrap, text).height());
    m_text->setMinimumHeight(textHeight);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setWritten(0);
}

void BatchProgress::setWritten(quint64 lines)
{
    const QLocale locale;
    m_text->setText(tr("Exporting the random numbers: %1 of %2 written.").arg(locale.toString(lines), locale.toString(m_lines)));
    m_bar->setValue(static_cast<int>(static_cast<double>(lines) / static_cast<double>(m_lines) * kSteps));
}

void BatchProgress::setSaving()
{
    m_text->setText(tr("Saving the file to the disk: all %1 numbers are written.").arg(QLocale().toString(m_lines)));
    m_bar->setValue(kSteps);
}

