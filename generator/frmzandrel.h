#pragma once

#include "generator/runningaverage.h"
#include "runtime/form.h"

class MessageSink;
class QLineEdit;
class RandomGenerator;

// The main window: the range, one draw at a time with its moving average, and the way to the
// export and contact windows.
class frmZandrel final : public Form
{
    Q_OBJECT

public:
    frmZandrel(MessageSink &messages, RandomGenerator &generator, QObject *parent = nullptr);

    // The bounds as they stand. Only while the window is loaded.
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
    void createControls(QWidget *client, const TwipsScale &scale) override;
    QMenuBar *createMenuBar(QWidget *window) override;
    void onLoaded() override;

private:
    void ValidateRange();
    void ClearFields();
    double UpdateAverage(double value) { return m_average.UpdateAverage(value); }

    void cmdGenerateRandomNumber_Click();
    void cmClear_Click();
    void cmdOpenBatchForm_Click();

    MessageSink &m_messages;
    RandomGenerator &m_generator;
    RunningAverage m_average; // DrawCount and DrawSum
    bool RangeValid = false;

    QLineEdit *txtMinValue = nullptr;
    QLineEdit *txtMaxValue = nullptr;
    QLineEdit *txtRandom = nullptr;
    QLineEdit *txtAverage = nullptr;
};
