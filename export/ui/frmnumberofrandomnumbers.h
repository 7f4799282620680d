#pragma once

#include "export/countcheck.h"
#include "runtime/ui/form.h"

#include <QLineEdit>
#include <QPointer>

#include <optional>

class DrawRange;
class MessageSink;
class QLineEdit;
class RandomGenerator;
class frmZandrel;

// The export window: how many numbers to draw between the main window's bounds, and "Go".
class frmNumberofRandomNumbers final : public Form
{
    Q_OBJECT

public:
    frmNumberofRandomNumbers(frmZandrel &main, MessageSink &messages, RandomGenerator &generator,
                             QObject *parent = nullptr);

    // Draws NumberOfBatch numbers from range into the export file in folder that the last count
    // check chose, and tells the user how it went.
    void GenerateBatchRandomNumbers(const DrawRange &range, const QString &folder);

    double NumberOfBatch = 0;

    bool countValid() const { return CountValid; }
    bool excelOutput() const { return ExcelOutput; }

protected:
    void createControls(QWidget *client, const TwipsScale &scale) override;
    void onLoaded() override;

private:
    void ValidateCount();
    // The main window's range as it stands, checked again; tells the user when it is refused.
    std::optional<DrawRange> checkedRange();
    void cmdCreateOutPut_Click();
    void cmdClose_Click();

    frmZandrel &m_main;
    MessageSink &m_messages;
    RandomGenerator &m_generator;
    bool CountValid = false;
    bool ExcelOutput = false;
    // The count as the last ValidateCount read it.
    CountCheck m_checkedCount { CountVerdict::NotANumber };

    QPointer<QLineEdit> txtNumberofRandomNumbers;
};
