#include "generator/ui/frmzandrel.h"

#include "runtime/numberformat.h"
#include "runtime/randomgenerator.h"
#include "runtime/ui/accessiblewidgets.h"
#include "runtime/ui/messagebox.h"

#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QPushButton>

namespace {

// In tab order.
constexpr ControlSpec kControls[] = {
    { "cmdGenerateRandomNumber", ControlKind::Button, QT_TRANSLATE_NOOP("frmZandrel", "Generate Random Number"),
      { 480, 1200, 1815, 615 } },
    { "txtRandom", ControlKind::OutputBox, "", { 2400, 2280, 1215, 375 } },
    { "txtMinValue", ControlKind::TextBox, "", { 1440, 360, 1215, 375 } },
    { "lblMinValue", ControlKind::Label, QT_TRANSLATE_NOOP("frmZandrel", "Min Value"), { 120, 360, 975, 375 } },
    { "txtMaxValue", ControlKind::TextBox, "", { 4680, 360, 1215, 375 } },
    { "lblMaxValue", ControlKind::Label, QT_TRANSLATE_NOOP("frmZandrel", "Max Value"), { 3240, 360, 975, 375 } },
    { "lblRandomNumber", ControlKind::Label, QT_TRANSLATE_NOOP("frmZandrel", "Random Number Generated"),
      { 240, 2280, 2175, 375 } },
    { "cmClear", ControlKind::Button, QT_TRANSLATE_NOOP("frmZandrel", "Clear"), { 6960, 1200, 1335, 615 } },
    { "cmdExit", ControlKind::Button, QT_TRANSLATE_NOOP("frmZandrel", "Exit"), { 6960, 2160, 1335, 615 } },
    { "txtAverage", ControlKind::OutputBox, "", { 5400, 2280, 1215, 375 } },
    { "Label1", ControlKind::Label,
      QT_TRANSLATE_NOOP("frmZandrel", "Moving Average of the Randomly Generated Numbers"), { 4200, 2280, 1095, 975 } },
    { "cmdOpenBatchForm", ControlKind::Button,
      QT_TRANSLATE_NOOP("frmZandrel", "Generate Random Numbers and Export Them into Excel"),
      { 2760, 1200, 1815, 615 } },
};

} // namespace

frmZandrel::frmZandrel(MessageSink &messages, SharedGenerator &generator, QObject *parent)
    : Form({ "frmZandrel", QT_TRANSLATE_NOOP("frmZandrel", "Zandrel"), { 8445, 3600 } }, parent)
    , m_messages(messages)
    , m_generator(generator)
{
}

QString frmZandrel::minimumText() const
{
    return isLoaded() ? txtMinValue->text() : QString();
}

QString frmZandrel::maximumText() const
{
    return isLoaded() ? txtMaxValue->text() : QString();
}

void frmZandrel::createControls(QWidget *client)
{
    addControls(client, kControls);
    txtMinValue = control<QLineEdit>("txtMinValue");
    txtMaxValue = control<QLineEdit>("txtMaxValue");
    txtRandom = control<QLineEdit>("txtRandom");
    txtAverage = control<QLineEdit>("txtAverage");
    labelFor(control<QLabel>("lblMinValue"), txtMinValue);
    labelFor(control<QLabel>("lblMaxValue"), txtMaxValue);
    labelFor(control<QLabel>("lblRandomNumber"), txtRandom);
    labelFor(control<QLabel>("Label1"), txtAverage);

    onClick("cmdGenerateRandomNumber", &frmZandrel::cmdGenerateRandomNumber_Click);
    onClick("cmClear", &frmZandrel::cmClear_Click);
    onClick("cmdExit", &frmZandrel::cmdExit_Click);
    onClick("cmdOpenBatchForm", &frmZandrel::cmdOpenBatchForm_Click);
    // Any change of a bound, typed or set by the program, starts a new average.
    connect(txtMinValue, &QLineEdit::textChanged, this, [this] { m_average.Reset(); });
    connect(txtMaxValue, &QLineEdit::textChanged, this, [this] { m_average.Reset(); });
}

QMenuBar *frmZandrel::createMenuBar(QWidget *window)
{
    auto *menuBar = new QMenuBar(window);
    QMenu *help = menuBar->addMenu(tr("Help"));
    help->setObjectName(QStringLiteral("Help"));
    QAction *contact = help->addAction(tr("Contact"));
    contact->setObjectName(QStringLiteral("Contact"));
    connect(contact, &QAction::triggered, this, &frmZandrel::contactRequested);
    return menuBar;
}

void frmZandrel::onLoaded()
{
    ClearFields();
    txtMinValue->setFocus();
}

void frmZandrel::Activate()
{
    if (isLoaded())
        txtMinValue->setFocus(Qt::ActiveWindowFocusReason);
}

void frmZandrel::ClearFields()
{
    txtMinValue->clear();
    txtMaxValue->clear();
    txtRandom->clear();
    txtAverage->clear();
}

void frmZandrel::ValidateRange()
{
    m_checkedRange = checkRange(txtMinValue->text(), txtMaxValue->text(), QLocale());
    RangeValid = !m_checkedRange.boundsRefused();
    if (RangeValid)
        return;
    if (!messageRead(m_messages, m_checkedRange.message()))
        return;
    ClearFields();
    txtMinValue->setFocus();
}

void frmZandrel::cmdGenerateRandomNumber_Click()
{
    ValidateRange();
    if (!RangeValid)
        return;
    if (!m_checkedRange.range) {
        messageRead(m_messages, m_checkedRange.message()); // no whole number: the bounds stay for the user to mend
        return;
    }
    // A batch may be drawing from the same generator on its own thread: this waits for its
    // block, a few microseconds.
    const double value =
        m_generator.use([&](RandomGenerator &generator) { return DrawRandomNumber(*m_checkedRange.range, generator); });
    const QLocale locale;
    txtRandom->setText(numberToText(value, locale));
    txtAverage->setText(numberToText(UpdateAverage(value), locale));
    // What a sighted user sees appear, told to a screen reader while the focus stays.
    announce(window(), tr("%1: %2. %3: %4.").arg(txtRandom->accessibleName(), txtRandom->text(),
                                                 txtAverage->accessibleName(), txtAverage->text()));
}

void frmZandrel::cmClear_Click()
{
    ClearFields();
    m_average.Reset();
    announce(window(), tr("The boxes are empty."));
}

void frmZandrel::cmdExit_Click()
{
    emit exitRequested();
}

void frmZandrel::cmdOpenBatchForm_Click()
{
    ValidateRange();
    if (RangeValid)
        emit openBatchFormRequested();
}
