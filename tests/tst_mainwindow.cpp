#include "support/loaded.h"
#include "support/sequencegenerator.h"
#include "runtime/ui/accessiblewidgets.h"
#include "support/windows.h"

#include <QLabel>

#include <tuple>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QWindow>

#include <memory>

class tst_MainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void startsEmptyAndNamed();
    void generateShowsNumberAndAverage();
    void refusals_data();
    void refusals();
    void editingABoundResetsTheAverage();
    void clearEmptiesAndResets();
    void noWholeNumberLeavesEverything();
    void enterPressesOnlyAFocusedButton();
    void tabOrder_data();
    void tabOrder();
    void activation_data();
    void activation();
    void focusReturnsWhenAWindowCloses_data();
    void focusReturnsWhenAWindowCloses();
    void contactWindowOpensOnce();

private:
    QWidget *window() const { return m_windows->main(); }
    QLineEdit *textBox(const char *name) const { return m_windows->textBox(name); }
    QPushButton *button(const char *name) const { return m_windows->button(name); }
    void draw(const QString &minimum, const QString &maximum) { m_windows->draw(minimum, maximum); }
    const QStringList &messages() const { return m_windows->recorded.texts; }
    Forms &forms() { return m_windows->forms(); }

    // Bounds 0 and 10 make each draw round(10 r): 7, 3, 9, 4, ...
    SequenceGenerator m_generator { { 0.7, 0.3, 0.9, 0.4 } };
    std::unique_ptr<Windows> m_windows;
};

void tst_MainWindow::initTestCase()
{
    QGuiApplication::setQuitOnLastWindowClosed(false);
}

void tst_MainWindow::init()
{
    m_generator = SequenceGenerator({ 0.7, 0.3, 0.9, 0.4 });
    m_windows = std::make_unique<Windows>(m_generator);
}

void tst_MainWindow::cleanup()
{
    m_windows.reset();
}

void tst_MainWindow::startsEmptyAndNamed()
{
    QCOMPARE(window()->objectName(), "frmZandrel");
    for (const char *name : { "txtMinValue", "txtMaxValue", "txtRandom", "txtAverage" })
        QVERIFY(textBox(name)->text().isEmpty());
    QCOMPARE(focusName(), "txtMinValue");
    QVERIFY(messages().isEmpty());
    QCOMPARE(child<QMenu>(window(), "Help")->actions().first()->objectName(), "Contact");
    for (QPushButton *each : window()->findChildren<QPushButton *>())
        QVERIFY(!each->isDefault() && !each->accessibleName().contains(QLatin1Char('\n')));
}

void tst_MainWindow::generateShowsNumberAndAverage()
{
    draw(QStringLiteral("5"), QStringLiteral("5")); // refused first: a check that passes sets RangeValid again
    QVERIFY(!forms().main.rangeValid());
    m_windows->recorded.texts.clear();
    draw(QStringLiteral("0"), QStringLiteral("10"));
    QCOMPARE(textBox("txtRandom")->text(), "7");
    QCOMPARE(textBox("txtAverage")->text(), "7");
    QTest::mouseClick(button("cmdGenerateRandomNumber"), Qt::LeftButton);
    QCOMPARE(textBox("txtRandom")->text(), "3");
    QCOMPARE(textBox("txtAverage")->text(), "5");
    QTest::mouseClick(button("cmdGenerateRandomNumber"), Qt::LeftButton);
    QCOMPARE(textBox("txtRandom")->text(), "9");
    QCOMPARE(textBox("txtAverage")->text(), "6.33");
    QVERIFY(messages().isEmpty());
    QVERIFY(forms().main.rangeValid());
    QTest::keyClicks(textBox("txtRandom"), QStringLiteral("99")); // read-only, yet selectable
    QCOMPARE(textBox("txtRandom")->text(), "9");
    textBox("txtRandom")->selectAll();
    QCOMPARE(textBox("txtRandom")->selectedText(), "9");
}

void tst_MainWindow::refusals_data()
{
    QTest::addColumn<QString>("minimum");
    QTest::addColumn<QString>("maximum");
    QTest::addColumn<QString>("message");
    const QString numbers = QStringLiteral("Please enter minimum and maximum random number desired range");
    const QString order = QStringLiteral("Min Value should be smaller than Max Value");
    const QString sign = QStringLiteral("Min Value and Max Value should be equal or greater than zero");
    QTest::newRow("maximum 12abc") << "5" << "12abc" << numbers;
    QTest::newRow("reversed") << "10" << "5" << order;
    QTest::newRow("minimum negative") << "-5" << "5" << sign;
}

void tst_MainWindow::refusals()
{
    QFETCH(QString, minimum);
    QFETCH(QString, maximum);
    QFETCH(QString, message);

    draw(QStringLiteral("0"), QStringLiteral("10")); // fills the output boxes
    QVERIFY(forms().main.rangeValid());
    QStringList shownWith;
    m_windows->recorded.onShow = [&](const QString &) { shownWith = { textBox("txtMinValue")->text(), textBox("txtMaxValue")->text() }; };

    typeInto(textBox("txtMinValue"), minimum);
    typeInto(textBox("txtMaxValue"), maximum);
    QTest::mouseClick(button("cmdGenerateRandomNumber"), Qt::LeftButton);

    QCOMPARE(messages(), QStringList { message });
    QCOMPARE(shownWith, (QStringList { minimum, maximum })); // the box still held the texts
    for (const char *name : { "txtMinValue", "txtMaxValue", "txtRandom", "txtAverage" })
        QVERIFY2(textBox(name)->text().isEmpty(), name);
    QCOMPARE(focusName(), "txtMinValue");
    QVERIFY(!forms().main.rangeValid());
    QCOMPARE(forms().main.average().DrawCount, 0.0);
    QCOMPARE(m_generator.draws, 1); // only the first draw
}

void tst_MainWindow::editingABoundResetsTheAverage()
{
    draw(QStringLiteral("0"), QStringLiteral("10"));
    QTest::mouseClick(button("cmdGenerateRandomNumber"), Qt::LeftButton);
    QCOMPARE(textBox("txtAverage")->text(), "5");

    QTest::keyClick(textBox("txtMaxValue"), Qt::Key_End);
    QTest::keyClick(textBox("txtMaxValue"), Qt::Key_0); // 100
    QTest::keyClick(textBox("txtMaxValue"), Qt::Key_Backspace); // 10 again
    QCOMPARE(forms().main.average().DrawCount, 0.0);
    QCOMPARE(textBox("txtAverage")->text(), "5"); // still shown until the next draw

    QTest::mouseClick(button("cmdGenerateRandomNumber"), Qt::LeftButton);
    QCOMPARE(textBox("txtRandom")->text(), "9");
    QCOMPARE(textBox("txtAverage")->text(), "9");
}

void tst_MainWindow::clearEmptiesAndResets()
{
    draw(QStringLiteral("0"), QStringLiteral("10"));
    QTest::mouseClick(button("cmClear"), Qt::LeftButton);
    for (const char *name : { "txtMinValue", "txtMaxValue", "txtRandom", "txtAverage" })
        QVERIFY(textBox(name)->text().isEmpty());
    QCOMPARE(forms().main.average().DrawCount, 0.0);
    QVERIFY(forms().main.rangeValid()); // left as it was
    QVERIFY(messages().isEmpty());
}

void tst_MainWindow::noWholeNumberLeavesEverything()
{
    draw(QStringLiteral("0"), QStringLiteral("10"));
    typeInto(textBox("txtMinValue"), QStringLiteral("0.6"));
    typeInto(textBox("txtMaxValue"), QStringLiteral("0.9"));
    QTest::mouseClick(button("cmdGenerateRandomNumber"), Qt::LeftButton);
    QCOMPARE(messages(), QStringList { "There is no whole number between Min Value and Max Value." });
    QCOMPARE(textBox("txtMinValue")->text(), "0.6");
    QCOMPARE(textBox("txtMaxValue")->text(), "0.9");
    QCOMPARE(textBox("txtRandom")->text(), "7");
    QCOMPARE(textBox("txtAverage")->text(), "7");
    QCOMPARE(m_generator.draws, 1);
}

void tst_MainWindow::enterPressesOnlyAFocusedButton()
{
    typeInto(textBox("txtMinValue"), QStringLiteral("0"));
    typeInto(textBox("txtMaxValue"), QStringLiteral("10"));
    QTest::keyClick(textBox("txtMaxValue"), Qt::Key_Return);
    QTest::keyClick(textBox("txtMinValue"), Qt::Key_Enter);
    QTest::keyClick(textBox("txtMinValue"), Qt::Key_Escape);
    QVERIFY(textBox("txtRandom")->text().isEmpty());
    QVERIFY(messages().isEmpty());
    QCOMPARE(m_generator.draws, 0);

    // On a button, Return and the keypad's Enter press it, as Space does.
    button("cmdGenerateRandomNumber")->setFocus();
    QTest::keyClick(button("cmdGenerateRandomNumber"), Qt::Key_Return);
    QCOMPARE(textBox("txtRandom")->text(), "7");
    QTest::keyClick(button("cmdGenerateRandomNumber"), Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(textBox("txtRandom")->text(), "3");
    button("cmClear")->setFocus();
    QTest::keyClick(button("cmClear"), Qt::Key_Enter, Qt::KeypadModifier);
    QVERIFY(textBox("txtRandom")->text().isEmpty() && textBox("txtMinValue")->text().isEmpty());
}

void tst_MainWindow::tabOrder_data()
{
    QTest::addColumn<int>("form"); // in Forms::all()
    QTest::addColumn<QStringList>("visited"); // from the control that has the focus as the window opens
    QTest::newRow("main window") << 0
                                 << QStringList { "txtMinValue", "txtMaxValue", "cmClear", "cmdExit", "txtAverage",
                                                  "cmdOpenBatchForm", "cmdGenerateRandomNumber", "txtRandom",
                                                  "txtMinValue" };
    QTest::newRow("export window") << 1
                                   << QStringList { "txtNumberofRandomNumbers", "cmdCreateOutPut", "cmdClose",
                                                    "txtNumberofRandomNumbers" };
    QTest::newRow("contact window") << 2 << QStringList { "lblContact", "lblContact" };
}

void tst_MainWindow::tabOrder()
{
    QFETCH(int, form);
    QFETCH(QStringList, visited);
    forms().all()[form]->Show();
    QWidget *shown = forms().all()[form]->window();
    QVERIFY(QTest::qWaitForWindowActive(shown, kLoadedMs));
    auto *client = child<QWidget>(shown, "client");
    const QList<QWidget *> controls = client->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    QList<QRect> places;
    for (QWidget *each : controls)
        places << each->geometry();
    // Given half the room the layout needs, as a tiling desktop may give it, the window keeps every
    // control in its place, and scrolls to each one the focus comes to.
    shown->resize(client->size() / 2);
    QWidget *view = child<QScrollArea>(shown, "clientArea")->viewport();
    QTRY_VERIFY_WITH_TIMEOUT(view->width() < client->width(), kLoadedMs);
    QStringList tabbed { focusName() };
    while (tabbed.size() < visited.size()) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        tabbed << focusName();
        QWidget *focus = QApplication::focusWidget();
        QVERIFY2(view->rect().intersects(QRect(focus->mapTo(view, QPoint()), focus->size())), qPrintable(focusName()));
    }
    QCOMPARE(tabbed, visited);
    for (int i = 0; i < controls.size(); ++i)
        QCOMPARE(controls[i]->geometry(), places[i]);
}

void tst_MainWindow::activation_data()
{
    QTest::addColumn<bool>("fromOwnWindow"); // or from another program's
    QTest::addColumn<QString>("focus");
    QTest::newRow("from the contact window: the minimum") << true << "txtMinValue";
    QTest::newRow("from elsewhere: the focus stays") << false << "txtMaxValue";
}

void tst_MainWindow::activation()
{
    QFETCH(bool, fromOwnWindow);
    QFETCH(QString, focus);
    QWidget elsewhere; // stands for another program's window
    if (fromOwnWindow)
        forms().contact.Show();
    QWidget *before = fromOwnWindow ? forms().contact.window() : &elsewhere;
    before->show();
    before->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(before, kLoadedMs));
    textBox("txtMaxValue")->setFocus(); // the main window's own focus, while it is inactive
    window()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window(), kLoadedMs));
    QCOMPARE(focusName(), focus);
}

void tst_MainWindow::focusReturnsWhenAWindowCloses_data()
{
    QTest::addColumn<bool>("exportWindow"); // or the contact window
    QTest::addColumn<QString>("how");
    QTest::newRow("export window: Close") << true << "button";
    QTest::newRow("contact window: close box") << false << "close box";
}

void tst_MainWindow::focusReturnsWhenAWindowCloses()
{
    QFETCH(bool, exportWindow);
    QFETCH(QString, how);
    Form &form = exportWindow ? static_cast<Form &>(forms().exportWindow) : forms().contact;
    button("cmdOpenBatchForm")->setFocus(); // as after opening the export window with it
    form.Show();
    QVERIFY(QTest::qWaitForWindowActive(form.window(), kLoadedMs));
    if (exportWindow)
        typeInto(child<QLineEdit>(form.window(), "txtNumberofRandomNumbers"), QStringLiteral("12"));
    const QPointer<QWidget> closing = form.window();
    if (how == QLatin1String("button"))
        QTest::mouseClick(child<QPushButton>(form.window(), "cmdClose"), Qt::LeftButton);
    else
        form.window()->close();
    QVERIFY(!form.isLoaded());
    QTRY_VERIFY_WITH_TIMEOUT(!closing, kLoadedMs); // the closed window goes away
    window()->activateWindow(); // as the window manager does once the window has gone
    QVERIFY(QTest::qWaitForWindowActive(window(), kLoadedMs));
    QCOMPARE(focusName(), "txtMinValue");
    if (exportWindow) { // opened again, with new controls: the count box is empty
        form.Show();
        QVERIFY(child<QLineEdit>(form.window(), "txtNumberofRandomNumbers")->text().isEmpty());
    }
}

void tst_MainWindow::contactWindowOpensOnce()
{
    QAction *contact = child<QMenu>(window(), "Help")->actions().first();
    contact->trigger();
    QVERIFY(QTest::qWaitForWindowActive(forms().contact.window(), kLoadedMs));
    QWidget *first = forms().contact.window();
    contact->trigger();
    QCOMPARE(forms().contact.window(), first);
    QCOMPARE(windowsNamed("frmContact"), 1);
    const QString caption = child<SelectableText>(first, "lblContact")->text();

    window()->close(); // the contact window stays
    QVERIFY(first->isVisible());
    first->close();
    QVERIFY(!forms().contact.isLoaded());
    forms().contact.Show();
    QCOMPARE(child<SelectableText>(forms().contact.window(), "lblContact")->text(), caption);
}

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
