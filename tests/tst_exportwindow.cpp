#include "support/loaded.h"
#include "export/ui/batchprogress.h"
#include "support/disk.h"
#include "support/locales.h"
#include "support/windows.h"

#include <QLabel>
#include <QLocale>
#include <QDeadlineTimer>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QWindow>

#include <csignal>
#include <memory>
#include <sys/resource.h>

class tst_ExportWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void opensWithFocusInCount();
    void secondOpeningBringsTheSameWindow();
    void go_data();
    void go();
    void enterPressesNothing();
    void mainWindowClosedAtGo();
    void batchThatCannotFitIsRefused();
    void batchLeavesTheKeyboardWhereItIs();
    void endingWaitsForTheDisk_data();
    void endingWaitsForTheDisk();
    void stopsKeepEarlierFile_data();
    void stopsKeepEarlierFile();

private:
    QWidget *mainWindow() const { return m_windows->main(); }
    QWidget *batchWindow() const { return m_windows->exportWindow(); }
    const QStringList &messages() const { return m_windows->recorded.texts; }

    MixingGenerator m_generator { 2026 };
    std::unique_ptr<Windows> m_windows;
};

static const QString kGenerating = QStringLiteral("Generating the random numbers. Please wait.");
static const QString kTextFile = QStringLiteral("Excel cannot have more than 65536 rows. Therefore the output file be a "
                                                "text file, which you can open with notepad.");

// The export window's progress, once it shows.
static BatchProgress *progress(QWidget *window)
{
    auto *found = window ? window->findChild<BatchProgress *>() : nullptr;
    return found && found->isVisible() ? found : nullptr;
}

// The message box on screen, if one shows.
static QMessageBox *shownBox()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *box = qobject_cast<QMessageBox *>(widget); box && box->isVisible())
            return box;
    }
    return nullptr;
}

void tst_ExportWindow::initTestCase()
{
    QGuiApplication::setQuitOnLastWindowClosed(false);
}

void tst_ExportWindow::init()
{
    m_windows = std::make_unique<Windows>(m_generator);
}

void tst_ExportWindow::cleanup()
{
    disk::open();
    m_windows.reset();
    QLocale::setDefault(QLocale::c());
}

void tst_ExportWindow::opensWithFocusInCount()
{
    m_windows->openBatchForm();
    QCOMPARE(batchWindow()->objectName(), "frmNumberofRandomNumbers");
    QCOMPARE(focusName(), "txtNumberofRandomNumbers");
    QVERIFY(m_windows->countBox()->text().isEmpty());
    QVERIFY(messages().isEmpty());
}

void tst_ExportWindow::secondOpeningBringsTheSameWindow()
{
    // A refused range opens nothing; once the window is open, it leaves it as it is.
    m_windows->setBounds(QStringLiteral("5"), QStringLiteral("5"));
    QTest::mouseClick(m_windows->button("cmdOpenBatchForm"), Qt::LeftButton);
    QVERIFY(!batchWindow());
    QCOMPARE(focusName(), "txtMinValue");
    m_windows->openBatchForm();
    QWidget *first = batchWindow();
    typeInto(m_windows->countBox(), QStringLiteral("12"));
    m_windows->setBounds(QStringLiteral("-1"), QStringLiteral("5"));
    QTest::mouseClick(m_windows->button("cmdOpenBatchForm"), Qt::LeftButton);
    QCOMPARE(messages().size(), 2); // the refusals
    QVERIFY(first->isVisible());
    m_windows->openBatchForm();
    QCOMPARE(batchWindow(), first);
    QCOMPARE(m_windows->countBox()->text(), "12");
    QCOMPARE(windowsNamed("frmNumberofRandomNumbers"), 1);
}

void tst_ExportWindow::go_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("minimum"); // typed into the main window once the export window is open
    QTest::addColumn<QString>("maximum");
    QTest::addColumn<QString>("count");
    QTest::addColumn<QStringList>("said"); // "xls" and "txt" stand for the thanks for that file
    QTest::addColumn<int>("lines");
    QTest::addColumn<QString>("each"); // the pattern every line matches
    const QString numbers = QStringLiteral("Please enter minimum and maximum random number desired range");
    const QStringList thanks = { kGenerating, "xls" };
    QTest::newRow("count abc") << c << "0" << "1" << "abc"
                               << QStringList { "Please enter number of random numbers you want to generate and output" }
                               << 0 << "";
    QTest::newRow("count 0") << c << "0" << "1" << "0"
                             << QStringList { "Number of random numbers you want to generate  should be greater than zero" }
                             << 0 << "";
    QTest::newRow("2.5 numbers: 3 lines") << c << "0" << "1" << "2.5" << thanks << 3 << "[01]";
    QTest::newRow("65537: the text file") << c << "0" << "1" << "65537" << QStringList { kTextFile, kGenerating, "txt" }
                                          << 65537 << "[01]";
    QTest::newRow("in the user's locale") << deDE << "0,5" << "2,5" << "2,5" << thanks << 3 << "[12]";
    // The bounds are checked again at "Go", and used as they stand.
    QTest::newRow("bounds emptied") << c << "" << "10" << "200" << QStringList { numbers } << 0 << "";
    QTest::newRow("no whole number") << c << "0.6" << "0.9" << "200"
                                     << QStringList { "There is no whole number between Min Value and Max Value." }
                                     << 0 << "";
    QTest::newRow("bounds edited") << c << "5" << "6" << "200" << thanks << 200 << "[56]";
}

void tst_ExportWindow::go()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, minimum);
    QFETCH(QString, maximum);
    QFETCH(QString, count);
    QFETCH(QStringList, said);
    QFETCH(int, lines);
    QFETCH(QString, each);
    QLocale::setDefault(locale);
    m_windows->openBatchForm();
    m_windows->setBounds(minimum, maximum);
    m_windows->forms().exportWindow.Show();
    m_windows->go(count);

    for (QString &text : said) {
        if (text.size() == 3)
            text = thanks(m_windows->exportFile(text == QLatin1String("xls") ? "randomnumbers.xls" : "randomnumbers.txt"));
    }
    QTRY_COMPARE_WITH_TIMEOUT(messages(), said, kLoadedMs);
    QCOMPARE(m_windows->textBox("txtMinValue")->text(), minimum);
    QCOMPARE(m_windows->textBox("txtMaxValue")->text(), maximum);
    QVERIFY(batchWindow()->isVisible()); // ready to go again
    if (lines == 0) {
        QCOMPARE(m_windows->homeFiles(), QStringList());
        const bool countRefused = count == QLatin1String("abc") || count == QLatin1String("0");
        QCOMPARE(m_windows->countBox()->text(), countRefused ? QString() : count);
        QCOMPARE(focusName(), countRefused ? "txtNumberofRandomNumbers" : "cmdCreateOutPut");
        return;
    }
    const char *name = said.contains(kTextFile) ? "randomnumbers.txt" : "randomnumbers.xls";
    QCOMPARE(m_windows->homeFiles(), QStringList { QString::fromLatin1(name) });
    const QStringList written = m_windows->exportedLines(name);
    QCOMPARE(written.size(), lines);
    QCOMPARE(written.filter(QRegularExpression(QLatin1Char('^') + each + QLatin1Char('$'))).size(), lines);
    QCOMPARE(m_windows->countBox()->text(), count);
}

void tst_ExportWindow::enterPressesNothing()
{
    m_windows->openBatchForm();
    typeInto(m_windows->countBox(), QStringLiteral("5"));
    QTest::keyClick(m_windows->countBox(), Qt::Key_Return);
    QTest::keyClick(m_windows->countBox(), Qt::Key_Enter);
    QVERIFY(messages().isEmpty());
    QVERIFY(m_windows->homeFiles().isEmpty());
}

void tst_ExportWindow::mainWindowClosedAtGo()
{
    m_windows->openBatchForm(QStringLiteral("0"), QStringLiteral("9"));
    mainWindow()->close();
    QVERIFY(!mainWindow());
    QVERIFY(batchWindow()->isVisible());
    m_windows->go(QStringLiteral("5"));

    QCOMPARE(messages(), QStringList { "Please enter minimum and maximum random number desired range" });
    QVERIFY(m_windows->homeFiles().isEmpty());
    QVERIFY(QTest::qWaitForWindowActive(mainWindow(), kLoadedMs));
    for (const char *name : { "txtMinValue", "txtMaxValue", "txtRandom", "txtAverage" })
        QVERIFY(m_windows->textBox(name)->text().isEmpty());
    QCOMPARE(focusName(), "txtMinValue");
}

void tst_ExportWindow::batchThatCannotFitIsRefused()
{
    // Under a file-size limit, so that a refusal that fails cannot fill the disk.
    rlimit unlimited {};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &unlimited), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit { 1 << 20, unlimited.rlim_max };
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &limit), 0);
    m_windows->openBatchForm();
    m_windows->go(QStringLiteral("1e13")); // 30 TB: three bytes for each "0" or "1" and its CR LF
    setrlimit(RLIMIT_FSIZE, &unlimited);
    std::signal(SIGXFSZ, previousHandler);

    QCOMPARE(messages().size(), 2); // the text-file note, then the refusal: nothing is generated
    const QString refusal = messages().last();
    const QString start = QStringLiteral("The random numbers cannot be exported into '%1': the file needs about ")
                              .arg(QDir::toNativeSeparators(m_windows->home()));
    QVERIFY2(refusal.startsWith(start) && refusal.endsWith(QLatin1String(" are free there.")), qPrintable(refusal));
    QVERIFY2(refusal.contains(QLocale().formattedDataSize(30'000'000'000'000)), qPrintable(refusal));
    QVERIFY(m_windows->homeFiles().isEmpty());
    QCOMPARE(m_windows->countBox()->text(), "1e13");
}

void tst_ExportWindow::batchLeavesTheKeyboardWhereItIs()
{
    QLocale::setDefault(enUS);
    MessageBox boxes;
    m_windows->recorded.tellThrough = &boxes;
    m_windows->openBatchForm();
    disk::shut(); // the batch is held beyond its first chunk of the file, until the user has gone on
    m_windows->go(QStringLiteral("1e7"));
    QCOMPARE(messages(), (QStringList { kTextFile, kGenerating })); // "Go" has returned
    QTest::mouseClick(child<QPushButton>(batchWindow(), "cmdCreateOutPut"), Qt::LeftButton);
    QCOMPARE(messages().size(), 2); // and starts no second batch

    // The user goes on typing in the main window while the progress appears, the batch runs
    // and ends: every key arrives there, and nothing the batch shows becomes active.
    mainWindow()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(mainWindow(), kLoadedMs));
    QLineEdit *maximum = m_windows->textBox("txtMaxValue");
    typeInto(maximum, QString());
    QString typed;
    const auto typeUntil = [&](const std::function<bool()> &done) {
        for (const QDeadlineTimer deadline(60000); !done() && !deadline.hasExpired(); QTest::qWait(10)) {
            typed += QLatin1Char(static_cast<char>('1' + typed.size() % 9));
            QTest::keyClick(QApplication::focusWidget(), typed.back().toLatin1());
            QCOMPARE(QApplication::activeWindow(), mainWindow());
            QCOMPARE(QApplication::focusWidget(), maximum);
        }
        QVERIFY(done());
    };
    typeUntil([&] { return progress(batchWindow()) != nullptr; });

    // Below the export window's controls, covering none.
    BatchProgress *shown = progress(batchWindow());
    const QRect area(shown->mapTo(batchWindow(), QPoint()), shown->size());
    for (QWidget *control : child<QWidget>(batchWindow(), "client")->findChildren<QWidget *>())
        QVERIFY2(!QRect(control->mapTo(batchWindow(), QPoint()), control->size()).intersects(area),
                 qPrintable(control->objectName()));
    const QLabel *text = shown->findChild<QLabel *>();
    QVERIFY2(text->text().endsWith(QLatin1String(" of 10,000,000 written.")), qPrintable(text->text()));
    QTRY_VERIFY_WITH_TIMEOUT(!text->text().contains(QLatin1String(": 0 ")), kLoadedMs); // once a block is written
    auto *bar = shown->findChild<QProgressBar *>();
    QCOMPARE(QAccessible::queryAccessibleInterface(bar)->text(QAccessible::Name), "Export progress");
    QTRY_VERIFY_WITH_TIMEOUT(bar->value() > 0, kLoadedMs);

    disk::open();
    typeUntil([&] { return messages().size() == 3; });
    QCOMPARE(messages().last(), thanks(m_windows->exportFile("randomnumbers.txt")));
    QVERIFY(!batchWindow()->findChild<BatchProgress *>()); // gone with the batch
    QCOMPARE(shownBox(), nullptr); // it waits for the user to come to the export window
    QCOMPARE(maximum->text(), typed);

    // There, the message shows; once it is read, the user stays there, the focus where it was.
    m_windows->countBox()->setFocus();
    batchWindow()->activateWindow();
    QTRY_VERIFY_WITH_TIMEOUT(shownBox() && shownBox()->isActiveWindow(), kLoadedMs);
    QCOMPARE(shownBox()->text(), messages().last());
    QTest::keyClick(shownBox(), Qt::Key_Return);
    QTRY_COMPARE_WITH_TIMEOUT(QApplication::activeWindow(), batchWindow(), kLoadedMs);
    QCOMPARE(QApplication::focusWidget(), m_windows->countBox());

    // The export button brings a minimised export window back.
    typeInto(maximum, QStringLiteral("9")); // from the digits, which a slow machine makes a number beyond a double
    batchWindow()->showMinimized();
    QTRY_VERIFY_WITH_TIMEOUT(batchWindow()->isMinimized(), kLoadedMs);
    QTest::mouseClick(m_windows->button("cmdOpenBatchForm"), Qt::LeftButton);
    QVERIFY(QTest::qWaitForWindowActive(batchWindow(), kLoadedMs));
    QVERIFY(!batchWindow()->isMinimized());
    QCOMPARE(m_windows->countBox()->text(), "1e7");
}

void tst_ExportWindow::endingWaitsForTheDisk_data()
{
    QTest::addColumn<bool>("exit"); // or every window closed
    QTest::newRow("Exit") << true;
    QTest::newRow("the last window closed") << false;
}

void tst_ExportWindow::endingWaitsForTheDisk()
{
    QFETCH(bool, exit);
    QLocale::setDefault(enUS);
    QSignalSpy ended(&m_windows->forms(), &Forms::ended);
    m_windows->openBatchForm();
    disk::shutFinalSync(); // a slow disk
    m_windows->go(QStringLiteral("100000"));
    QTRY_VERIFY_WITH_TIMEOUT(disk::holding(), kLoadedMs);
    // The whole count, and that the file is being saved.
    QTRY_VERIFY_WITH_TIMEOUT(progress(batchWindow()), kLoadedMs);
    QTRY_COMPARE_WITH_TIMEOUT(progress(batchWindow())->findChild<QLabel *>()->text(),
                 "Saving the file to the disk: all 100,000 numbers are written.", kLoadedMs);
    auto *bar = progress(batchWindow())->findChild<QProgressBar *>();
    QCOMPARE(bar->value(), bar->maximum());

    if (exit) {
        QTest::mouseClick(m_windows->button("cmdExit"), Qt::LeftButton);
    } else {
        batchWindow()->close();
        mainWindow()->close();
    }
    QCOMPARE(windowsNamed("frmZandrel") + windowsNamed("frmNumberofRandomNumbers"), 0); // at once
    // The program waits for the disk, and says so, until the sync returns.
    QTRY_COMPARE_WITH_TIMEOUT(windowsNamed("endingNotice"), 1, kLoadedMs);
    QCOMPARE(ended.size(), 0);
    disk::open();
    QTRY_COMPARE_WITH_TIMEOUT(ended.size(), 1, kLoadedMs);
    QCOMPARE(windowsNamed("endingNotice"), 0);
    QCOMPARE(m_windows->homeFiles(), QStringList()); // the stopped batch left nothing
    QCOMPARE(messages(), (QStringList { kTextFile, kGenerating }));
}

void tst_ExportWindow::stopsKeepEarlierFile_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Cancel") << "Cancel";
    QTest::newRow("Escape in the export window") << "Escape";
    QTest::newRow("Close") << "Close";
    QTest::newRow("Close pressed accessibly") << "Close accessibly";
    QTest::newRow("Exit") << "Exit";
    QTest::newRow("the program ends") << "end";
}

void tst_ExportWindow::stopsKeepEarlierFile()
{
    QFETCH(QString, how);
    m_windows->openBatchForm();
    m_windows->go(QStringLiteral("70000"));
    QTRY_COMPARE_WITH_TIMEOUT(messages().size(), 3, kLoadedMs);
    const QStringList earlier = m_windows->exportedLines("randomnumbers.txt");
    QCOMPARE(earlier.size(), 70000);
    m_windows->recorded.texts.clear();
    QSignalSpy ended(&m_windows->forms(), &Forms::ended);

    // Held beyond its first chunk of the file until it is stopped, so that nothing it writes is lost by chance.
    disk::shut();
    m_windows->go(QStringLiteral("1e7"));
    QTRY_VERIFY_WITH_TIMEOUT(disk::holding(), kLoadedMs);
    QTRY_VERIFY_WITH_TIMEOUT(progress(batchWindow()), kLoadedMs);
    QPointer<QWidget> window = batchWindow();
    if (how == QLatin1String("Cancel"))
        QTest::mouseClick(child<QPushButton>(window, "cmdCancel"), Qt::LeftButton);
    else if (how == QLatin1String("Escape"))
        QTest::keyClick(m_windows->countBox(), Qt::Key_Escape);
    else if (how == QLatin1String("Close"))
        QTest::mouseClick(child<QPushButton>(window, "cmdClose"), Qt::LeftButton);
    else if (how == QLatin1String("Close accessibly"))
        pressAccessibly(child<QPushButton>(window, "cmdClose"));
    else if (how == QLatin1String("Exit")) {
        m_windows->forms().contact.Show();
        QTest::mouseClick(m_windows->button("cmdExit"), Qt::LeftButton);
        QCOMPARE(windowsNamed("frmZandrel") + windowsNamed("frmContact"), 0); // every window went
    }
    else
        m_windows->end();
    QTRY_VERIFY_WITH_TIMEOUT(!progress(window), kLoadedMs); // the windows do not wait for the batch
    QTRY_VERIFY_WITH_TIMEOUT(m_windows->ended() || !m_windows->forms().exportWindow.batchesEnding(), kLoadedMs);
    if (how != QLatin1String("Cancel") && how != QLatin1String("Escape"))
        QTRY_VERIFY_WITH_TIMEOUT(!window, kLoadedMs);
    QCOMPARE(m_windows->homeFiles(), QStringList { "randomnumbers.txt" }); // no temporary file
    QCOMPARE(m_windows->exportedLines("randomnumbers.txt"), earlier);
    QCOMPARE(messages(), (QStringList { kTextFile, kGenerating })); // nothing about the stopped batch
    if (m_windows->ended())
        return;
    QTRY_COMPARE_WITH_TIMEOUT(ended.size(), how == QLatin1String("Exit") ? 1 : 0, kLoadedMs);
    if (ended.isEmpty()) { // the program goes on
        disk::open();
        m_windows->forms().exportWindow.Show();
        m_windows->go(QStringLiteral("5"));
        QTRY_COMPARE_WITH_TIMEOUT(messages().last(), thanks(m_windows->exportFile("randomnumbers.xls")), kLoadedMs);
    }
}

QTEST_MAIN(tst_ExportWindow)
#include "tst_exportwindow.moc"
