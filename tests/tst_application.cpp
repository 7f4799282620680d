#include "app/application.h"
#include "app/forms.h"
#include "runtime/errors.h"
#include "runtime/randomgenerator.h"
#include "support/recordingmessages.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <stdexcept>

class tst_Application : public QObject
{
    Q_OBJECT

private slots:
    void deliveredEventsPassThrough();
    void escapedErrorIsReportedAndEnds_data();
    void escapedErrorIsReportedAndEnds();
    void messageBoxShowsTextUnderTheApplicationsTitle();
    void windowsCarryTheIconAndTheirCaptions();
};

void tst_Application::deliveredEventsPassThrough()
{
    RecordingMessages messages;
    int status = -1;
    QCOMPARE(deliverGuarded([] { return true; }, messages, [&](int code) { status = code; }), true);
    QCOMPARE(deliverGuarded([] { return false; }, messages, [&](int code) { status = code; }), false);
    QCOMPARE(status, -1);
    QVERIFY(messages.texts.isEmpty());
}

void tst_Application::escapedErrorIsReportedAndEnds_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("named");
    QTest::newRow("type mismatch") << 0 << "Type mismatch: 'abc' is not a number";
    QTest::newRow("overflow") << 1 << "Overflow or invalid result in the moving average";
    QTest::newRow("anything else") << 2 << "an unknown error";
}

void tst_Application::escapedErrorIsReportedAndEnds()
{
    QFETCH(int, kind);
    QFETCH(QString, named);
    RecordingMessages messages;
    int status = -1;
    const bool result = deliverGuarded(
        [kind]() -> bool {
            if (kind == 0)
                throw std::invalid_argument("Type mismatch: 'abc' is not a number");
            if (kind == 1)
                checkedFinite(1e308 * 10, "the moving average");
            throw 42;
        },
        messages, [&](int code) { status = code; });
    QVERIFY(!result);
    QCOMPARE(messages.texts.size(), 1);
    QVERIFY2(messages.texts.first().contains(named), qPrintable(messages.texts.first()));
    QVERIFY(status != -1 && status != 0);
}

void tst_Application::messageBoxShowsTextUnderTheApplicationsTitle()
{
    QString text;
    QString title;
    QStringList buttons;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        text = box->text();
        title = box->windowTitle();
        for (QAbstractButton *button : box->buttons())
            buttons << button->text();
        box->button(QMessageBox::Ok)->click();
    });
    poll.start(10);
    MessageBox().show(QStringLiteral("Min Value should be smaller than Max Value"));
    poll.stop();
    QCOMPARE(text, "Min Value should be smaller than Max Value");
    QCOMPARE(title, "Zandrel");
    QCOMPARE(buttons, QStringList { "OK" });
}

void tst_Application::windowsCarryTheIconAndTheirCaptions()
{
    QVERIFY(!QApplication::windowIcon().isNull());
    RecordingMessages messages;
    MixingGenerator generator(1);
    Forms forms(messages, generator);
    forms.Start();
    forms.batch.Show();
    forms.contact.Show();
    const QList<std::pair<Form *, const char *>> windows = {
        { &forms.main, "Zandrel" }, { &forms.batch, "Export To Excel" }, { &forms.contact, "Contact" } };
    for (const auto &[form, caption] : windows) {
        QVERIFY(!form->window()->windowIcon().isNull());
        QCOMPARE(form->window()->windowTitle(), caption);
    }
}

int main(int argc, char *argv[])
{
    Application application(argc, argv);
    tst_Application test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_application.moc"
