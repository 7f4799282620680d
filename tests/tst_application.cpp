#include "support/loaded.h"
#include "app/application.h"
#include "runtime/errors.h"
#include "runtime/ui/accessiblewidgets.h"
#include "support/disk.h"
#include "support/windows.h"

#include <QAccessible>
#include <QElapsedTimer>
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
    void eventsPassOrTheErrorIsReportedAndEnds_data();
    void eventsPassOrTheErrorIsReportedAndEnds();
    void windowsCarryTheIconAndTheirCaptions();
    void anEscapedErrorEndsAsExitDoes();
    void windowsCloseCleanlyUnderTheirBoxes_data();
    void windowsCloseCleanlyUnderTheirBoxes();
    void assistiveTechnologyReadsTheBoxesWhole_data();
    void assistiveTechnologyReadsTheBoxesWhole();
};

void tst_Application::eventsPassOrTheErrorIsReportedAndEnds_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("named"); // empty: delivered, with no message and no end
    QTest::newRow("delivered") << -1 << "";
    QTest::newRow("type mismatch") << 0 << "Type mismatch: 'abc' is not a number";
    QTest::newRow("overflow") << 1 << "Overflow or invalid result in the moving average";
    QTest::newRow("anything else") << 2 << "an unknown error";
}

void tst_Application::eventsPassOrTheErrorIsReportedAndEnds()
{
    QFETCH(int, kind);
    QFETCH(QString, named);
    RecordingMessages messages;
    bool ended = false;
    const bool result = deliverGuarded(
        [kind]() -> bool {
            if (kind < 0)
                return true;
            if (kind == 0)
                throw std::invalid_argument("Type mismatch: 'abc' is not a number");
            if (kind == 1)
                checkedFinite(1e308 * 10, "the moving average");
            throw 42;
        },
        messages, [&] { ended = messages.texts.size() == 1; }); // once the message is read
    QCOMPARE(result, named.isEmpty());
    QCOMPARE(messages.texts.size(), named.isEmpty() ? 0 : 1);
    QVERIFY2(named.isEmpty() || messages.texts.first().contains(named), qPrintable(messages.texts.value(0)));
    QCOMPARE(ended, !named.isEmpty());
}

void tst_Application::windowsCarryTheIconAndTheirCaptions()
{
    MixingGenerator generator(1);
    Windows program(generator);
    QTRY_VERIFY_WITH_TIMEOUT(!QApplication::windowIcon().isNull(), kLoadedMs); // once the first window shows
    for (Form *form : program.forms().all()) {
        form->Show();
        QVERIFY(!form->window()->windowIcon().isNull());
        // Announced to assistive technology as a window with its caption, not as a filler.
        QAccessibleInterface *window = QAccessible::queryAccessibleInterface(form->window());
        QCOMPARE(window->role(), QAccessible::Window);
        QCOMPARE(window->text(QAccessible::Name), form->window()->windowTitle());
    }
}

void tst_Application::anEscapedErrorEndsAsExitDoes()
{
    auto &application = *static_cast<Application *>(QCoreApplication::instance());
    MixingGenerator generator(1);
    Windows program(generator);
    Forms &forms = program.forms();
    connect(&application, &Application::failed, &forms, &Forms::End); // as main() has it
    QSignalSpy ended(&forms, &Forms::ended);
    program.openBatchForm();
    program.go(QStringLiteral("70000"));
    QTRY_COMPARE_WITH_TIMEOUT(program.recorded.texts.size(), 3, kLoadedMs);
    const QStringList earlier = program.exportedLines("randomnumbers.txt");
    disk::shut(); // the next batch is held at the disk while the error comes
    program.go(QStringLiteral("1e7"));
    QTRY_VERIFY_WITH_TIMEOUT(disk::holding(), kLoadedMs);

    class Broken final : public QObject
    {
    public:
        bool event(QEvent *) override { throw std::runtime_error("a broken handler"); }
    } broken;
    QString told;
    QTimer::singleShot(0, this, [&] { // the user reads the real box, and presses OK
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        told = box ? box->text() : QStringLiteral("<no box>");
        if (box)
            box->button(QMessageBox::Ok)->click();
    });
    QEvent event(QEvent::User);
    QCoreApplication::sendEvent(&broken, &event);
    QVERIFY2(told.contains(QLatin1String("a broken handler")), qPrintable(told));
    QTRY_COMPARE_WITH_TIMEOUT(ended.size(), 1, kLoadedMs); // once the batch's threads have ended
    QCOMPARE(application.exitStatus(), EXIT_FAILURE);
    QVERIFY(!forms.main.isLoaded() && !forms.exportWindow.isLoaded());
    QCOMPARE(program.homeFiles(), QStringList { "randomnumbers.txt" }); // no temporary file
    QCOMPARE(program.exportedLines("randomnumbers.txt"), earlier);
    disk::open();
}

void tst_Application::windowsCloseCleanlyUnderTheirBoxes_data()
{
    QTest::addColumn<QString>("count"); // typed into the export window before "Go"
    QTest::addColumn<QString>("under"); // the start of the box's text
    QTest::addColumn<QString>("how");
    const QString refusal = QStringLiteral("Please enter number");
    const QString generating = QStringLiteral("Generating");
    QTest::newRow("refusal box, Close pressed accessibly") << "abc" << refusal << "Close";
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
    forms.exportWindow.Show();
    QWidget *batch = forms.exportWindow.window();
    typeInto(program.countBox(), count);

    // Whenever a box waits: the one named is closed under by the action; any other gets its OK.
    bool acted = false;
    QElapsedTimer sinceActing; // an accessible press comes a moment later, as the button animates
    QStringList leftOpen;
    QStringList shown;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        auto *box = qobject_cast<QMessageBox *>(modal);
        const bool named = box && box->text().startsWith(under);
        if (box) // a real message box: its text under the program's title, and OK alone
            shown = { box->windowTitle(), box->text().left(under.size()), box->buttons().first()->text(),
                      QString::number(box->buttons().size()) };
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
        else
            pressAccessibly(forms.main.window()->findChild<QPushButton *>(QStringLiteral("cmdExit")));
    });
    poll.start(20);
    QTest::mouseClick(batch->findChild<QPushButton *>(QStringLiteral("cmdCreateOutPut")), Qt::LeftButton);
    poll.stop();

    QVERIFY(acted);
    QCOMPARE(shown, (QStringList { "Zandrel", under, "OK", "1" }));
    QCOMPARE(leftOpen.join(QLatin1String(" / ")), QString()); // the box went with its window
    QVERIFY(!forms.exportWindow.isLoaded());
    QTRY_VERIFY_WITH_TIMEOUT(QApplication::activeModalWidget() == nullptr, kLoadedMs);
    QCOMPARE(program.homeFiles(), QStringList()); // no file, not even half
    QCOMPARE(ended.size(), how == QLatin1String("Exit") ? 1 : 0);
    if (how != QLatin1String("Exit")) { // the program goes on
        forms.exportWindow.Show();
        QVERIFY(forms.exportWindow.window()->findChild<QLineEdit *>()->text().isEmpty());
    }
}

void tst_Application::assistiveTechnologyReadsTheBoxesWhole_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("editable");
    QTest::newRow("minimum") << "txtMinValue" << true;
    QTest::newRow("result") << "txtRandom" << false;
    QTest::newRow("average") << "txtAverage" << false;
}

void tst_Application::assistiveTechnologyReadsTheBoxesWhole()
{
    QFETCH(QString, name);
    QFETCH(bool, editable);
    MixingGenerator generator(1);
    Windows program(generator);
    program.draw(QStringLiteral("100"), QStringLiteral("900"));
    auto *box = program.main()->findChild<QLineEdit *>(name);
    const QString shown = box->text();
    QCOMPARE(shown.size(), 3);
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(box);
    QCOMPARE(accessible->state().readOnly, !editable);
    QCOMPARE(accessible->state().editable, editable);
    QCOMPARE(accessible->text(QAccessible::Value), shown);
    // Read and selected as a screen reader does: one run of attributes over the whole text.
    QAccessibleTextInterface *text = accessible->textInterface();
    QVERIFY(text);
    QCOMPARE(text->text(0, text->characterCount()), shown);
    int start = -1;
    int end = -1;
    text->attributes(1, &start, &end);
    QCOMPARE((std::pair { start, end }), (std::pair { 0, 3 }));
    text->setSelection(0, 0, text->characterCount());
    QCOMPARE(box->selectedText(), shown);
    // Written by it only where the user may write.
    QCOMPARE(accessible->editableTextInterface() != nullptr, editable);
    accessible->setText(QAccessible::Value, QStringLiteral("7"));
    QCOMPARE(box->text(), editable ? QStringLiteral("7") : shown);
}

int main(int argc, char *argv[])
{
    Application application(argc, argv);
    tst_Application test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_application.moc"
