#include "app/forms.h"
#include "runtime/randomgenerator.h"
#include "support/gatedgenerator.h"
#include "support/gui.h"
#include "support/recordingmessages.h"
#include "support/threads.h"

#include <QDir>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QProgressBar>
#include <QProgressDialog>
#include <QRegularExpression>
#include <QPushButton>
#include <QSignalSpy>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QTimer>

#include <memory>

class tst_ExportWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void refusedRangeOpensNothing();
    void opensWithFocusInCount();
    void secondOpeningBringsTheSameWindow();
    void secondOpeningWithRefusedRangeLeavesWindow();
    void closeUnloadsAndKeepsMembers();
    void closeBoxUnloadsToo();
    void countRefusals_data();
    void countRefusals();
    void exports_data();
    void exports();
    void enterPressesNothing();
    void batchLeavesMainWindowAlone();
    void boundsCheckedAgainAtGo_data();
    void boundsCheckedAgainAtGo();
    void editedBoundsAreUsedAtGo();
    void mainWindowClosedAtGo();
    void numbersReadInTheUsersLocale();
    void unwritableFolderIsReported();
    void windowThreadAnswersWhileABatchRuns();
    void stopsKeepEarlierFile_data();
    void stopsKeepEarlierFile();
    void generateWhileABatchRuns();
    void batchThatCannotFitIsRefused();
    void contactWindowOpensOnce();
    void exitEndsEverything();

private:
    QWidget *mainWindow() const { return m_forms->main.window(); }
    QWidget *batchWindow() const { return m_forms->batch.window(); }
    QLineEdit *countBox() const { return child<QLineEdit>(batchWindow(), "txtNumberofRandomNumbers"); }
    void setBounds(const QString &minimum, const QString &maximum);
    void openBatchForm(const QString &minimum = QStringLiteral("0"), const QString &maximum = QStringLiteral("1"));
    void go(const QString &count);
    QString exportFile(const char *name) const { return QDir(m_home->path()).filePath(QString::fromLatin1(name)); }
    QStringList exportedLines(const char *name) const;
    QStringList homeFiles() const { return QDir(m_home->path()).entryList(QDir::Files); }

    RecordingMessages m_messages;
    GatedGenerator m_generator { 2026 };
    SharedGenerator m_shared { m_generator };
    std::unique_ptr<QTemporaryDir> m_home;
    std::unique_ptr<Forms> m_forms;
};

static const QString kGenerating = QStringLiteral("Generating the random numbers. Please wait.");
static const QString kTextFile = QStringLiteral("Excel cannot have more than 65536 rows. Therefore the output file be a "
                                                "text file, which you can open with notepad.");

// Counts the paint events a widget receives.
class PaintCounter final : public QObject
{
public:
    explicit PaintCounter(QWidget *widget) { widget->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        count += event->type() == QEvent::Paint;
        return false;
    }
};

static QString thanks(const QString &path)
{
    return QStringLiteral("The random numbers are exported into '%1'. Thanks.").arg(QDir::toNativeSeparators(path));
}

void tst_ExportWindow::initTestCase()
{
    QGuiApplication::setQuitOnLastWindowClosed(false);
}

void tst_ExportWindow::init()
{
    m_home = std::make_unique<QTemporaryDir>();
    qputenv("HOME", m_home->path().toLocal8Bit());
    m_messages.texts.clear();
    m_messages.onShow = nullptr;
    m_generator.open();
    m_forms = std::make_unique<Forms>(m_messages, m_shared);
    m_forms->Start();
    QVERIFY(QTest::qWaitForWindowActive(mainWindow()));
}

void tst_ExportWindow::cleanup()
{
    m_forms.reset();
    QLocale::setDefault(QLocale::c());
}

void tst_ExportWindow::setBounds(const QString &minimum, const QString &maximum)
{
    typeInto(child<QLineEdit>(mainWindow(), "txtMinValue"), minimum);
    typeInto(child<QLineEdit>(mainWindow(), "txtMaxValue"), maximum);
}

void tst_ExportWindow::openBatchForm(const QString &minimum, const QString &maximum)
{
    setBounds(minimum, maximum);
    QTest::mouseClick(child<QPushButton>(mainWindow(), "cmdOpenBatchForm"), Qt::LeftButton);
    QVERIFY(batchWindow());
    QVERIFY(QTest::qWaitForWindowActive(batchWindow()));
}

void tst_ExportWindow::go(const QString &count)
{
    typeInto(countBox(), count);
    QTest::mouseClick(child<QPushButton>(batchWindow(), "cmdCreateOutPut"), Qt::LeftButton);
}

QStringList tst_ExportWindow::exportedLines(const char *name) const
{
    QFile file(exportFile(name));
    if (!file.open(QIODevice::ReadOnly))
        return { QStringLiteral("<missing>") };
    QString text = QString::fromLatin1(file.readAll());
    if (!text.endsWith(QLatin1String("\r\n")))
        return { QStringLiteral("<no CR LF at the end>") };
    text.chop(2);
    return text.split(QStringLiteral("\r\n"));
}

void tst_ExportWindow::refusedRangeOpensNothing()
{
    setBounds(QStringLiteral("5"), QStringLiteral("5"));
    QTest::mouseClick(child<QPushButton>(mainWindow(), "cmdOpenBatchForm"), Qt::LeftButton);
    QCOMPARE(m_messages.texts, QStringList { "Min Value should be smaller than Max Value" });
    QVERIFY(!m_forms->batch.isLoaded());
    QCOMPARE(windowsNamed("frmNumberofRandomNumbers"), 0);
    QCOMPARE(focusName(), "txtMinValue");
}

void tst_ExportWindow::opensWithFocusInCount()
{
    openBatchForm();
    QCOMPARE(batchWindow()->objectName(), "frmNumberofRandomNumbers");
    QCOMPARE(batchWindow()->windowTitle(), "Export To Excel");
    QCOMPARE(focusName(), "txtNumberofRandomNumbers");
    QVERIFY(countBox()->text().isEmpty());
    QCOMPARE(child<QLabel>(batchWindow(), "lblNumberofRandomNumbers")->text(),
             "Please Enter How Many Random Numbers You Want To Create and Export Into Excel");
    QCOMPARE(child<QLabel>(batchWindow(), "lblNumberofRandomNumbers")->buddy(), countBox());
    QCOMPARE(countBox()->accessibleName(),
             "Please Enter How Many Random Numbers You Want To Create and Export Into Excel");
    QCOMPARE(child<QPushButton>(batchWindow(), "cmdCreateOutPut")->text(), "Go");
    QCOMPARE(child<QPushButton>(batchWindow(), "cmdClose")->text(), "Close");

    QStringList visited { focusName() };
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << focusName();
    }
    QCOMPARE(visited, (QStringList { "txtNumberofRandomNumbers", "cmdCreateOutPut", "cmdClose", "txtNumberofRandomNumbers" }));
    QVERIFY(m_messages.texts.isEmpty());
}

void tst_ExportWindow::secondOpeningBringsTheSameWindow()
{
    openBatchForm();
    QWidget *first = batchWindow();
    typeInto(countBox(), QStringLiteral("12"));
    mainWindow()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(mainWindow()));
    QTest::mouseClick(child<QPushButton>(mainWindow(), "cmdOpenBatchForm"), Qt::LeftButton);
    QVERIFY(QTest::qWaitForWindowActive(first));
    QCOMPARE(batchWindow(), first);
    QCOMPARE(countBox()->text(), "12");
    QCOMPARE(windowsNamed("frmNumberofRandomNumbers"), 1);
}

void tst_ExportWindow::secondOpeningWithRefusedRangeLeavesWindow()
{
    openBatchForm();
    typeInto(countBox(), QStringLiteral("12"));
    setBounds(QStringLiteral("-1"), QStringLiteral("5"));
    QTest::mouseClick(child<QPushButton>(mainWindow(), "cmdOpenBatchForm"), Qt::LeftButton);
    QCOMPARE(m_messages.texts, QStringList { "Min Value and Max Value should be equal or greater than zero" });
    QVERIFY(batchWindow()->isVisible());
    QCOMPARE(countBox()->text(), "12");
}

void tst_ExportWindow::closeUnloadsAndKeepsMembers()
{
    openBatchForm();
    go(QStringLiteral("5"));
    QCOMPARE(m_forms->batch.NumberOfBatch, 5.0);
    QTest::mouseClick(child<QPushButton>(batchWindow(), "cmdClose"), Qt::LeftButton);
    QVERIFY(!m_forms->batch.isLoaded());
    QTRY_COMPARE(windowsNamed("frmNumberofRandomNumbers"), 0);

    mainWindow()->activateWindow();
    QTest::mouseClick(child<QPushButton>(mainWindow(), "cmdOpenBatchForm"), Qt::LeftButton);
    QVERIFY(QTest::qWaitForWindowActive(batchWindow()));
    QVERIFY(countBox()->text().isEmpty());
    QCOMPARE(focusName(), "txtNumberofRandomNumbers");
    QCOMPARE(m_forms->batch.NumberOfBatch, 5.0);
    QVERIFY(m_forms->batch.countValid());
    QVERIFY(m_forms->batch.excelOutput());
}

void tst_ExportWindow::closeBoxUnloadsToo()
{
    openBatchForm();
    typeInto(countBox(), QStringLiteral("12"));
    batchWindow()->close();
    QVERIFY(!m_forms->batch.isLoaded());
    QTRY_COMPARE(windowsNamed("frmNumberofRandomNumbers"), 0);
    m_forms->batch.Show();
    QVERIFY(countBox()->text().isEmpty());
}

void tst_ExportWindow::countRefusals_data()
{
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("message");
    const QString notANumber = QStringLiteral("Please enter number of random numbers you want to generate and output");
    const QString notPositive = QStringLiteral("Number of random numbers you want to generate  should be greater than zero");
    QTest::newRow("empty") << "" << notANumber;
    QTest::newRow("abc") << "abc" << notANumber;
    QTest::newRow("0") << "0" << notPositive;
    QTest::newRow("-3") << "-3" << notPositive;
}

void tst_ExportWindow::countRefusals()
{
    QFETCH(QString, count);
    QFETCH(QString, message);
    openBatchForm();
    go(QStringLiteral("70000")); // an accepted check: the text-named file
    QVERIFY(!m_forms->batch.excelOutput());
    m_messages.texts.clear();

    go(count);
    QCOMPARE(m_messages.texts, QStringList { message });
    QVERIFY(countBox()->text().isEmpty());
    QCOMPARE(focusName(), "txtNumberofRandomNumbers");
    QVERIFY(!m_forms->batch.countValid());
    QVERIFY(!m_forms->batch.excelOutput()); // as the last accepted check left it
    QCOMPARE(homeFiles(), QStringList { "randomnumbers.txt" });
}

void tst_ExportWindow::exports_data()
{
    QTest::addColumn<QString>("count");
    QTest::addColumn<bool>("spreadsheet");
    QTest::addColumn<int>("lines");
    QTest::newRow("5") << "5" << true << 5;
    QTest::newRow("2.5") << "2.5" << true << 3;
    QTest::newRow("0.5") << "0.5" << true << 1;
    QTest::newRow("blanks around") << " 4 " << true << 4;
    QTest::newRow("65536") << "65536" << true << 65536;
    QTest::newRow("65536.5") << "65536.5" << false << 65537;
    QTest::newRow("65537") << "65537" << false << 65537;
}

void tst_ExportWindow::exports()
{
    QFETCH(QString, count);
    QFETCH(bool, spreadsheet);
    QFETCH(int, lines);
    openBatchForm(QStringLiteral("0"), QStringLiteral("1"));
    go(count);

    const char *name = spreadsheet ? "randomnumbers.xls" : "randomnumbers.txt";
    QStringList expected;
    if (!spreadsheet)
        expected << kTextFile;
    expected << kGenerating << thanks(exportFile(name));
    QCOMPARE(m_messages.texts, expected);
    QCOMPARE(homeFiles(), QStringList { QString::fromLatin1(name) });

    const QStringList numbers = exportedLines(name);
    QCOMPARE(numbers.size(), lines);
    QVERIFY(numbers.contains(QStringLiteral("0")) || lines < 20);
    for (const QString &number : numbers)
        QVERIFY2(number == QLatin1String("0") || number == QLatin1String("1"), qPrintable(number));

    QVERIFY(batchWindow()->isVisible()); // ready to go again
    QCOMPARE(countBox()->text(), count);
}

void tst_ExportWindow::enterPressesNothing()
{
    openBatchForm();
    typeInto(countBox(), QStringLiteral("5"));
    QTest::keyClick(countBox(), Qt::Key_Return);
    QTest::keyClick(countBox(), Qt::Key_Enter);
    QVERIFY(m_messages.texts.isEmpty());
    QVERIFY(homeFiles().isEmpty());

    // Enter on the focused "Go" exports; on "Close" it closes the window.
    auto *goButton = child<QPushButton>(batchWindow(), "cmdCreateOutPut");
    goButton->setFocus();
    QTest::keyClick(goButton, Qt::Key_Return);
    QCOMPARE(homeFiles(), QStringList { "randomnumbers.xls" });
    auto *closeButton = child<QPushButton>(batchWindow(), "cmdClose");
    closeButton->setFocus();
    QTest::keyClick(closeButton, Qt::Key_Enter, Qt::KeypadModifier);
    QVERIFY(!m_forms->batch.isLoaded());
}

void tst_ExportWindow::batchLeavesMainWindowAlone()
{
    setBounds(QStringLiteral("0"), QStringLiteral("100"));
    QTest::mouseClick(child<QPushButton>(mainWindow(), "cmdGenerateRandomNumber"), Qt::LeftButton);
    const QString random = child<QLineEdit>(mainWindow(), "txtRandom")->text();
    const QString average = child<QLineEdit>(mainWindow(), "txtAverage")->text();
    QVERIFY(!random.isEmpty());
    QTest::mouseClick(child<QPushButton>(mainWindow(), "cmdOpenBatchForm"), Qt::LeftButton);
    QVERIFY(QTest::qWaitForWindowActive(batchWindow()));
    go(QStringLiteral("1000"));
    QCOMPARE(exportedLines("randomnumbers.xls").size(), 1000);
    QCOMPARE(child<QLineEdit>(mainWindow(), "txtRandom")->text(), random);
    QCOMPARE(child<QLineEdit>(mainWindow(), "txtAverage")->text(), average);
    QCOMPARE(m_forms->main.average().DrawCount, 1.0);
}

void tst_ExportWindow::boundsCheckedAgainAtGo_data()
{
    QTest::addColumn<QString>("minimum");
    QTest::addColumn<QString>("maximum");
    QTest::addColumn<QString>("message");
    QTest::newRow("emptied") << "" << "10" << "Please enter minimum and maximum random number desired range";
    QTest::newRow("not a number") << "0" << "ten" << "Please enter minimum and maximum random number desired range";
    QTest::newRow("reversed") << "10" << "5" << "Min Value should be smaller than Max Value";
    QTest::newRow("negative") << "-5" << "5" << "Min Value and Max Value should be equal or greater than zero";
    QTest::newRow("no whole number") << "0.6" << "0.9" << "There is no whole number between Min Value and Max Value.";
}

void tst_ExportWindow::boundsCheckedAgainAtGo()
{
    QFETCH(QString, minimum);
    QFETCH(QString, maximum);
    QFETCH(QString, message);
    openBatchForm();
    setBounds(minimum, maximum);
    m_forms->batch.Show();
    go(QStringLiteral("5"));
    QCOMPARE(m_messages.texts, QStringList { message });
    QVERIFY(homeFiles().isEmpty());
    QCOMPARE(child<QLineEdit>(mainWindow(), "txtMinValue")->text(), minimum);
    QCOMPARE(child<QLineEdit>(mainWindow(), "txtMaxValue")->text(), maximum);
}

void tst_ExportWindow::editedBoundsAreUsedAtGo()
{
    openBatchForm(QStringLiteral("0"), QStringLiteral("1"));
    setBounds(QStringLiteral("5"), QStringLiteral("6"));
    m_forms->batch.Show();
    go(QStringLiteral("200"));
    const QStringList numbers = exportedLines("randomnumbers.xls");
    QCOMPARE(numbers.size(), 200);
    QVERIFY(numbers.contains(QStringLiteral("5")) && numbers.contains(QStringLiteral("6")));
    for (const QString &number : numbers)
        QVERIFY(number == QLatin1String("5") || number == QLatin1String("6"));
}

void tst_ExportWindow::mainWindowClosedAtGo()
{
    openBatchForm(QStringLiteral("0"), QStringLiteral("9"));
    mainWindow()->close();
    QVERIFY(!m_forms->main.isLoaded());
    QVERIFY(batchWindow()->isVisible());
    go(QStringLiteral("5"));

    QCOMPARE(m_messages.texts, QStringList { "Please enter minimum and maximum random number desired range" });
    QVERIFY(homeFiles().isEmpty());
    QVERIFY(QTest::qWaitForWindowActive(mainWindow()));
    for (const char *name : { "txtMinValue", "txtMaxValue", "txtRandom", "txtAverage" })
        QVERIFY(child<QLineEdit>(mainWindow(), name)->text().isEmpty());
    QCOMPARE(focusName(), "txtMinValue");
}

void tst_ExportWindow::numbersReadInTheUsersLocale()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    openBatchForm(QStringLiteral("1,000"), QStringLiteral("1,002"));
    go(QStringLiteral("1,000"));
    QStringList numbers = exportedLines("randomnumbers.xls");
    QCOMPARE(numbers.size(), 1000);
    QVERIFY(numbers.contains(QStringLiteral("1000")) && numbers.contains(QStringLiteral("1002")));

    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    setBounds(QStringLiteral("0,5"), QStringLiteral("2,5"));
    m_forms->batch.Show();
    go(QStringLiteral("2,5"));
    numbers = exportedLines("randomnumbers.xls");
    QCOMPARE(numbers.size(), 3);
    for (const QString &number : numbers)
        QVERIFY(number == QLatin1String("1") || number == QLatin1String("2"));
}

void tst_ExportWindow::unwritableFolderIsReported()
{
    const QString notAFolder = exportFile("plainfile");
    QFile file(notAFolder);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    qputenv("HOME", notAFolder.toLocal8Bit());

    openBatchForm();
    go(QStringLiteral("5"));
    QCOMPARE(m_messages.texts.size(), 2);
    QCOMPARE(m_messages.texts[0], kGenerating);
    const QString prefix = QStringLiteral("The random numbers could not be exported into '%1': ")
                               .arg(QDir::toNativeSeparators(QDir(notAFolder).filePath(QStringLiteral("randomnumbers.xls"))));
    QVERIFY2(m_messages.texts[1].startsWith(prefix), qPrintable(m_messages.texts[1]));
    QVERIFY(m_messages.texts[1].size() > prefix.size()); // the system's reason
    QVERIFY(batchWindow()->isVisible());
}

void tst_ExportWindow::windowThreadAnswersWhileABatchRuns()
{
    openBatchForm();
    m_generator.shut(); // the batch waits in its first draw until the end of the checks below
    bool timerRan = false;
    bool painted = false;
    QString accessibleBar;
    bool batchHeldMeanwhile = true;
    PaintCounter paints(mainWindow());
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
        timerRan = true;
        batchHeldMeanwhile = batchHeldMeanwhile && m_generator.held();
        auto *dialog = qobject_cast<QProgressDialog *>(QApplication::activeModalWidget());
        if (!dialog) {
            mainWindow()->update(); // a repaint, while the progress waits to show
            return;
        }
        painted = paints.count > 0;
        // What a screen reader asks, posted as its questions arrive.
        QMetaObject::invokeMethod(
            this,
            [&, dialog] {
                auto *bar = QAccessible::queryAccessibleInterface(dialog->findChild<QProgressBar *>());
                accessibleBar = bar ? bar->text(QAccessible::Name) : QStringLiteral("<none>");
                batchHeldMeanwhile = batchHeldMeanwhile && m_generator.held();
                m_generator.open();
            },
            Qt::QueuedConnection);
        poll.stop();
    });
    poll.start(20);
    go(QStringLiteral("5"));

    QVERIFY(timerRan);
    QVERIFY(painted);
    QCOMPARE(accessibleBar, "Export progress");
    QVERIFY(batchHeldMeanwhile); // all of it happened while the batch ran
    QVERIFY(m_generator.drawingThread() != std::this_thread::get_id());
    QCOMPARE(m_messages.texts, (QStringList { kGenerating, thanks(exportFile("randomnumbers.xls")) }));
    QCOMPARE(exportedLines("randomnumbers.xls").size(), 5);
    QCOMPARE(batchThreads(), QStringList());
}

void tst_ExportWindow::stopsKeepEarlierFile_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Cancel") << "Cancel";
    QTest::newRow("Escape in the progress dialog") << "Escape";
    QTest::newRow("Close pressed accessibly") << "Close";
    QTest::newRow("close box") << "close box";
    QTest::newRow("window manager") << "window manager";
    QTest::newRow("Exit pressed accessibly") << "Exit";
    QTest::newRow("the application quits") << "quit";
}

void tst_ExportWindow::stopsKeepEarlierFile()
{
    QFETCH(QString, how);
    openBatchForm();
    go(QStringLiteral("70000"));
    const QStringList earlier = exportedLines("randomnumbers.txt");
    QCOMPARE(earlier.size(), 70000);
    m_messages.texts.clear();
    QSignalSpy ended(m_forms.get(), &Forms::ended);

    // The batch is held in its first draw until it is stopped, so nothing it writes is lost by chance.
    m_generator.shut();
    const bool needsDialog = how == QLatin1String("Cancel") || how == QLatin1String("Escape");
    bool acted = false;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
        if (acted) {
            m_generator.open(); // the batch has been told to stop: it does, from its next stretch
            return;
        }
        auto *dialog = qobject_cast<QProgressDialog *>(QApplication::activeModalWidget());
        if (!m_generator.held() || (needsDialog && !dialog))
            return;
        acted = true;
        if (how == QLatin1String("Cancel"))
            QTest::mouseClick(dialog->findChild<QPushButton *>(), Qt::LeftButton);
        else if (how == QLatin1String("Escape"))
            QTest::keyClick(dialog, Qt::Key_Escape);
        else if (how == QLatin1String("Close"))
            pressAccessibly(child<QPushButton>(batchWindow(), "cmdClose"));
        else if (how == QLatin1String("close box"))
            batchWindow()->close();
        else if (how == QLatin1String("window manager"))
            batchWindow()->windowHandle()->close(); // as the platform delivers a close request
        else if (how == QLatin1String("Exit"))
            pressAccessibly(child<QPushButton>(mainWindow(), "cmdExit"));
        else if (how == QLatin1String("quit")) {
            m_generator.open(); // the window thread is about to wait for the batch
            QCoreApplication::exit(0); // the end of the main event loop, as when the program ends
        }
    });
    poll.start(20);
    go(QStringLiteral("1e8"));
    poll.stop();
    if (how == QLatin1String("quit")) { // let later event loops run again
        QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        QCoreApplication::exec();
    }

    QVERIFY(acted);
    QCOMPARE(m_messages.texts, (QStringList { kTextFile, kGenerating })); // nothing about the stopped batch
    QCOMPARE(exportedLines("randomnumbers.txt"), earlier);
    QCOMPARE(homeFiles() + QDir(m_home->path()).entryList(QDir::Hidden | QDir::Files), // no temporary file
             (QStringList { "randomnumbers.txt", "randomnumbers.txt" }));
    QCOMPARE(batchThreads(), QStringList());
    QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
    QCOMPARE(ended.size(), how == QLatin1String("Exit") ? 1 : 0);
    if (ended.isEmpty()) { // the program goes on
        m_forms->batch.Show();
        go(QStringLiteral("5"));
        QCOMPARE(m_messages.texts.last(), thanks(exportFile("randomnumbers.xls")));
    }
}

void tst_ExportWindow::generateWhileABatchRuns()
{
    // Long enough to show its progress, and small enough for the disk: at least 300 MB.
    if (QStorageInfo(m_home->path()).bytesAvailable() < 400'000'000)
        QSKIP("too little free space for a batch that runs long enough to be cancelled");
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    openBatchForm();
    auto *random = child<QLineEdit>(mainWindow(), "txtRandom");
    QString drawnMeanwhile;
    QString progressText;
    bool modal = false;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
        auto *dialog = qobject_cast<QProgressDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        modal = dialog->windowModality() == Qt::ApplicationModal;
        if (progressText.isEmpty()) {
            // The main window's Generate, pressed under the dialog as assistive technology can.
            progressText = dialog->labelText();
            pressAccessibly(child<QPushButton>(mainWindow(), "cmdGenerateRandomNumber"));
        } else if (!random->text().isEmpty()) {
            drawnMeanwhile = random->text();
            QTest::mouseClick(dialog->findChild<QPushButton *>(), Qt::LeftButton);
        }
    });
    poll.start(20);
    go(QStringLiteral("1e8"));
    poll.stop();

    QVERIFY(modal);
    QVERIFY2(drawnMeanwhile == QLatin1String("0") || drawnMeanwhile == QLatin1String("1"), qPrintable(drawnMeanwhile));
    QCOMPARE(child<QLineEdit>(mainWindow(), "txtAverage")->text(), drawnMeanwhile);
    // Both counts with the locale's group separators.
    const QRegularExpression progress(
        QStringLiteral("^Exporting the random numbers: [1-9]\\d{0,2}(,\\d{3})* of 100,000,000 written\\.$"));
    QVERIFY2(progress.match(progressText).hasMatch(), qPrintable(progressText));
    QCOMPARE(m_messages.texts, (QStringList { kTextFile, kGenerating }));
    QVERIFY(homeFiles().isEmpty());
}

void tst_ExportWindow::batchThatCannotFitIsRefused()
{
    openBatchForm();
    go(QStringLiteral("1e13")); // 30 TB at least: three bytes for each "0" or "1" and its CR LF
    QCOMPARE(m_messages.texts.size(), 2); // the text-file note, then the refusal: nothing is generated
    const QString refusal = m_messages.texts.last();
    const QString start = QStringLiteral("The random numbers cannot be exported into '%1': the file needs at least ")
                              .arg(QDir::toNativeSeparators(m_home->path()));
    QVERIFY2(refusal.startsWith(start) && refusal.endsWith(QLatin1String(" are free there.")), qPrintable(refusal));
    QVERIFY2(refusal.contains(QLocale().formattedDataSize(30'000'000'000'000)), qPrintable(refusal));
    QVERIFY(homeFiles().isEmpty());
    QCOMPARE(countBox()->text(), "1e13");
    QVERIFY(batchWindow()->isVisible());
}

void tst_ExportWindow::contactWindowOpensOnce()
{
    QAction *contact = child<QMenu>(mainWindow(), "Help")->actions().first();
    contact->trigger();
    QVERIFY(QTest::qWaitForWindowActive(m_forms->contact.window()));
    QWidget *first = m_forms->contact.window();
    contact->trigger();
    QCOMPARE(m_forms->contact.window(), first);
    QCOMPARE(windowsNamed("frmContact"), 1);
    QCOMPARE(first->windowTitle(), "Contact");
    const QString caption = child<QLabel>(first, "lblContact")->text();
    QVERIFY(caption.startsWith(QLatin1String("For Questions and Recommendations Please Contact Us at  ")));
    QVERIFY(caption.endsWith(QLatin1String("@example.com")));

    mainWindow()->close(); // the contact window stays
    QVERIFY(first->isVisible());
    first->close();
    QVERIFY(!m_forms->contact.isLoaded());
    contact = nullptr;
    m_forms->contact.Show();
    QCOMPARE(child<QLabel>(m_forms->contact.window(), "lblContact")->text(), caption);
}

void tst_ExportWindow::exitEndsEverything()
{
    openBatchForm();
    m_forms->contact.Show();
    QSignalSpy ended(m_forms.get(), &Forms::ended);
    mainWindow()->activateWindow();
    QTest::mouseClick(child<QPushButton>(mainWindow(), "cmdExit"), Qt::LeftButton);
    QCOMPARE(ended.size(), 1);
    QCOMPARE(windowsNamed("frmZandrel") + windowsNamed("frmNumberofRandomNumbers") + windowsNamed("frmContact"), 0);
}

QTEST_MAIN(tst_ExportWindow)
#include "tst_exportwindow.moc"
