#include "app/application.h"
#include "runtime/errors.h"
#include "support/windows.h"

#include <QAccessible>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
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
    void windowsCloseCleanlyUnderTheirBoxes_data();
    void windowsCloseCleanlyUnderTheirBoxes();
    void assistiveTechnologyReadsButCannotWriteOutputBoxes();
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
    MessageBox().show(QStringLiteral("Min Value should be smaller than Max Value"), nullptr);
    poll.stop();
    QCOMPARE(text, "Min Value should be smaller than Max Value");
    QCOMPARE(title, "Zandrel");
    QCOMPARE(buttons, QStringList { "OK" });
}

void tst_Application::windowsCarryTheIconAndTheirCaptions()
{
    QVERIFY(!QApplication::windowIcon().isNull());
    MixingGenerator generator(1);
    Windows program(generator);
    Forms &forms = program.forms();
    forms.batch.Show();
    forms.contact.Show();
    const QList<std::pair<Form *, const char *>> windows = {
        { &forms.main, "Zandrel" }, { &forms.batch, "Export To Excel" }, { &forms.contact, "Contact" } };
    for (const auto &[form, caption] : windows) {
        QVERIFY(!form->window()->windowIcon().isNull());
        QCOMPARE(form->window()->windowTitle(), caption);
        // Announced to assistive technology as a window with its caption, not as a filler.
        QAccessibleInterface *window = QAccessible::queryAccessibleInterface(form->window());
        QCOMPARE(window->role(), QAccessible::Window);
        QCOMPARE(window->text(QAccessible::Name), caption);
    }
}

void tst_Application::windowsCloseCleanlyUnderTheirBoxes_data()
{
    QTest::addColumn<QString>("count"); // typed into the export window before "Go"
    QTest::addColumn<QString>("under"); // the start of the box's text
    QTest::addColumn<QString>("how");
    const QString refusal = QStringLiteral("Please enter number");
    const QString generating = QStringLiteral("Generating");
    QTest::newRow("refusal box, Close pressed accessibly") << "abc" << refusal << "Close";
    QTest::newRow("refusal box, close box") << "abc" << refusal << "close box";
    QTest::newRow("refusal box, Exit pressed accessibly") << "abc" << refusal << "Exit";
    QTest::newRow("\"Generating\" box, Close pressed accessibly") << "5" << generating << "Close";
}

void tst_Application::windowsCloseCleanlyUnderTheirBoxes()
{
    QFETCH(QString, count);
    QFETCH(QString, under);
    QFETCH(QString, how);
    MixingGenerator generator(1);
    Windows program(generator, &static_cast<Application *>(QCoreApplication::instance())->messages()); // real boxes
    Forms &forms = program.forms();
    QSignalSpy ended(&forms, &Forms::ended);
    program.setBounds(QStringLiteral("0"), QStringLiteral("1"));
    forms.batch.Show();
    QWidget *batch = forms.batch.window();
    typeInto(program.countBox(), count);

    // Whenever a box waits: the one named is closed under by the action; any other gets its OK.
    bool acted = false;
    QElapsedTimer sinceActing; // an accessible press comes a moment later, as the button animates
    QStringList leftOpen;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        auto *box = qobject_cast<QMessageBox *>(modal);
        const bool named = box && box->text().startsWith(under);
        if (acted && sinceActing.elapsed() < 1000)
            return;
        if (!named || acted) {
            if (acted)
                leftOpen << (box ? box->text() : modal->objectName());
            if (box)
                box->button(QMessageBox::Ok)->click();
            return;
        }
        acted = true;
        sinceActing.start();
        if (how == QLatin1String("Close"))
            pressAccessibly(batch->findChild<QPushButton *>(QStringLiteral("cmdClose")));
        else if (how == QLatin1String("Exit"))
            pressAccessibly(forms.main.window()->findChild<QPushButton *>(QStringLiteral("cmdExit")));
        else
            batch->close();
    });
    poll.start(20);
    QTest::mouseClick(batch->findChild<QPushButton *>(QStringLiteral("cmdCreateOutPut")), Qt::LeftButton);
    poll.stop();

    QVERIFY(acted);
    QCOMPARE(leftOpen.join(QLatin1String(" / ")), QString()); // the box went with its window
    QVERIFY(!forms.batch.isLoaded());
    QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
    QCOMPARE(program.homeFiles(), QStringList()); // no file, not even half
    QCOMPARE(ended.size(), how == QLatin1String("Exit") ? 1 : 0);
    if (how != QLatin1String("Exit")) { // the program goes on
        forms.batch.Show();
        QVERIFY(forms.batch.window()->findChild<QLineEdit *>()->text().isEmpty());
    }
}

void tst_Application::assistiveTechnologyReadsButCannotWriteOutputBoxes()
{
    MixingGenerator generator(1);
    Windows program(generator);
    Forms &forms = program.forms();
    forms.contact.Show();
    QWidget *main = program.main();
    program.draw(QStringLiteral("0"), QStringLiteral("9"));
    for (const char *name : { "txtRandom", "txtAverage" }) {
        auto *box = main->findChild<QLineEdit *>(QString::fromLatin1(name));
        const QString shown = box->text();
        QVERIFY(!shown.isEmpty());
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(box);
        QVERIFY(accessible->state().readOnly && !accessible->state().editable);
        QCOMPARE(accessible->text(QAccessible::Value), shown);
        QVERIFY(!accessible->editableTextInterface());
        accessible->setText(QAccessible::Value, QStringLiteral("999"));
        QCOMPARE(box->text(), shown);
        QAccessibleTextInterface *text = accessible->textInterface(); // read and select, as a screen reader does
        QVERIFY(text);
        QCOMPARE(text->text(0, text->characterCount()), shown);
        text->setSelection(0, 0, text->characterCount());
        QCOMPARE(box->selectedText(), shown);
    }
    QCOMPARE(QAccessible::queryAccessibleInterface(main->findChild<QLineEdit *>(QStringLiteral("txtMinValue")))
                 ->editableTextInterface() != nullptr,
             true); // the input boxes stay editable

    // The contact line takes the focus and can be selected from the keyboard.
    QWidget *contact = forms.contact.window();
    contact->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(contact));
    auto *line = contact->findChild<QLabel *>(QStringLiteral("lblContact"));
    QCOMPARE(QApplication::focusWidget(), line);
    QTest::keyClick(line, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(line->selectedText(), line->text());
}

int main(int argc, char *argv[])
{
    Application application(argc, argv);
    tst_Application test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_application.moc"
