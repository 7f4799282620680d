// How long the window thread goes without a turn while "Go" writes a batch. Runs the real
// windows, types the bounds and the count, presses "Go", and keeps a 2 ms timer on the window
// thread from the moment the batch starts until it reports, its final sync and rename included,
// then ends:
//   zandrel_latency COUNT [MIN MAX]
// The file goes where "Go" puts it (the home folder: set HOME to choose). Run it on the desktop,
// or with QT_QPA_PLATFORM=offscreen.
#include "app/application.h"
#include "app/forms.h"
#include "runtime/randomgenerator.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Instead of boxes to press: the batch's start and its report start and stop the timing.
class TimingMessages final : public MessageSink
{
public:
    void show(const QString &text, QWidget *) override
    {
        if (text.startsWith(QLatin1String("Generating"))) {
            m_turns.start(2);
            m_clock.start();
            m_last = 0;
            return;
        }
        std::printf("%s\n", qPrintable(text));
        if (m_turns.isActive()) { // the batch's report
            m_turns.stop();
            m_batchSeconds = static_cast<double>(m_clock.nsecsElapsed()) / 1e9;
            tick(); // the wait up to the report
            report();
            QCoreApplication::quit();
        }
    }

    void tell(const QString &text, QWidget *owner) override { show(text, owner); }

    void report() const
    {
        std::vector<qint64> gaps = m_gaps;
        std::sort(gaps.begin(), gaps.end());
        if (gaps.empty())
            return;
        const auto ms = [](qint64 ns) { return static_cast<double>(ns) / 1e6; };
        std::printf("batch: %.2f s; turns of the 2 ms timer: %zu; longest wait between two turns: %.1f ms "
                    "(median %.2f ms, 99.9th percentile %.1f ms)\n",
                    m_batchSeconds, gaps.size(), ms(gaps.back()), ms(gaps[gaps.size() / 2]),
                    ms(gaps[gaps.size() * 999 / 1000]));
    }

    TimingMessages()
    {
        m_turns.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_turns, &QTimer::timeout, [this] { tick(); });
    }

private:
    void tick()
    {
        const qint64 now = m_clock.nsecsElapsed();
        m_gaps.push_back(now - m_last);
        m_last = now;
    }

    QTimer m_turns;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    std::vector<qint64> m_gaps;
    double m_batchSeconds = 0;
};

template<typename T>
T *control(Form &form, const char *name)
{
    return form.window()->findChild<T *>(QString::fromLatin1(name));
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2 && argc != 4) {
        std::fprintf(stderr, "usage: %s COUNT [MIN MAX]\n", argv[0]);
        return 2;
    }
    Application application(argc, argv);
    TimingMessages messages;
    Forms forms(messages, processGenerator());
    forms.Start();
    QTimer::singleShot(500, [&] {
        control<QLineEdit>(forms.main, "txtMinValue")->setText(QString::fromLocal8Bit(argc == 4 ? argv[2] : "0"));
        control<QLineEdit>(forms.main, "txtMaxValue")->setText(QString::fromLocal8Bit(argc == 4 ? argv[3] : "1000000"));
        control<QPushButton>(forms.main, "cmdOpenBatchForm")->click();
        control<QLineEdit>(forms.exportWindow, "txtNumberofRandomNumbers")->setText(QString::fromLocal8Bit(argv[1]));
        control<QPushButton>(forms.exportWindow, "cmdCreateOutPut")->click(); // starts the batch and returns
    });
    return application.exec();
}
