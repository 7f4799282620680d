#pragma once

#include "generator/rangecheck.h"
#include "generator/runningaverage.h"
#include "runtime/ui/form.h"

#include <QLineEdit>
#include <QPointer>

class MessageSink;
class SharedGenerator;

// The main window: the range, one draw at a time with its moving average, and the way to the
// export and contact windows.
class frmZandrel final : public Form
{
    Q_OBJECT

public:
    frmZandrel(MessageSink &messages, SharedGenerator &generator, QObject *parent = nullptr);

    // The bounds as they stand; empty while the window is not loaded.
    QString minimumText() const;
    QString maximumText() const;

    // The window became the program's active window, coming from another of its windows.
    void Activate();

    bool rangeValid() const { return RangeValid; }
    const RunningAverage &average() const { return m_average; }

signals:
    // The range passed its check: open the export window.
    void openBatchFormRequested();
    void contactRequested();
    void exitRequested();

protected:
    void createControls(QWidget *client) override;
    QMenuBar *createMenuBar(QWidget *window) override;
    void onLoaded() override;

private:
    void ValidateRange();
    void ClearFields();
    double UpdateAverage(double value) { return m_average.UpdateAverage(value); }

    void cmdGenerateRandomNumber_Click();
    void cmClear_Click();
    void cmdExit_Click();
    void cmdOpenBatchForm_Click();

    MessageSink &m_messages;
    SharedGenerator &m_generator;
    RunningAverage m_average; // DrawCount and DrawSum
    bool RangeValid = false;
    // The bounds as the last ValidateRange read them, ready to draw from when they hold a number.
    RangeCheck m_checkedRange { RangeVerdict::NotNumbers, std::nullopt };

    QPointer<QLineEdit> txtMinValue;
    QPointer<QLineEdit> txtMaxValue;
    QPointer<QLineEdit> txtRandom;
    QPointer<QLineEdit> txtAverage;
};
