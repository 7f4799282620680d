#pragma once

#include "export/countcheck.h"
#include "runtime/ui/form.h"

#include <QLineEdit>
#include <QPointer>

#include <functional>
#include <optional>
#include <utility>

class DrawRange;
class MessageSink;
class SharedGenerator;
struct BatchRequest;

// Where the export window finds its range: the bounds as they stand in the window that holds
// them, read afresh at every "Go".
struct BoundsSource
{
    // The minimum's and the maximum's texts; both empty while that window is closed.
    std::function<std::pair<QString, QString>()> texts;
    // Brings that window back, empty, when it has been closed.
    std::function<void()> reopen;
};

// The export window: how many numbers to draw between the main window's bounds, and "Go".
class frmNumberofRandomNumbers final : public Form
{
    Q_OBJECT

public:
    frmNumberofRandomNumbers(BoundsSource bounds, MessageSink &messages, SharedGenerator &generator,
                             QObject *parent = nullptr);

    // Draws the requested numbers into the export file on a thread of its own, and tells the
    // user how it went.
    void GenerateBatchRandomNumbers(const BatchRequest &request);

    double NumberOfBatch = 0;

    bool countValid() const { return CountValid; }
    bool excelOutput() const { return ExcelOutput; }

protected:
    void createControls(QWidget *client, const TwipsScale &scale) override;
    void onLoaded() override;

private:
    void ValidateCount();
    // The bounds as they stand, checked again; tells the user when they are refused.
    std::optional<DrawRange> checkedRange();
    void cmdCreateOutPut_Click();
    void cmdClose_Click();

    BoundsSource m_bounds;
    MessageSink &m_messages;
    SharedGenerator &m_generator;
    bool CountValid = false;
    bool ExcelOutput = false;
    // The count as the last ValidateCount read it.
    CountCheck m_checkedCount { CountVerdict::NotANumber };
    // A batch runs: "Go", pressed again by assistive technology under the progress dialog,
    // starts no second one.
    bool m_batchRunning = false;

    QPointer<QLineEdit> txtNumberofRandomNumbers;
};
