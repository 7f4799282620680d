#include "export/batchexport.h"
#include "export/countcheck.h"
#include "generator/draw.h"
#include "runtime/randomgenerator.h"
#include "support/locales.h"
#include "support/sequencegenerator.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

class tst_BatchExport : public QObject
{
    Q_OBJECT

private slots:
    void countCheck_data();
    void countCheck();
    void countMessages();
    void lineCount_data();
    void lineCount();
    void leastBatchBytes_data();
    void leastBatchBytes();
    void exportPaths();
    void writesExactBytes();
    void everyLineIsAWholeNumberBetweenTheBounds();
    void largeBatchIsComplete();
    void shorterBatchReplacesTheFile();
    void otherFileIsLeftAlone();
    void folderThatIsAFileFails();
    void targetThatIsAFolderFails();
    void writeFailingPartWayKeepsEarlierFile();
    void cancelKeepsEarlierFile();

private:
    QTemporaryDir m_folder;
};

static QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

static void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

void tst_BatchExport::countCheck_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<CountVerdict>("verdict");
    QTest::addColumn<double>("count");

    QTest::newRow("empty") << c << "" << CountVerdict::NotANumber << 0.0;
    QTest::newRow("abc") << c << "abc" << CountVerdict::NotANumber << 0.0;
    QTest::newRow("inf") << c << "inf" << CountVerdict::NotANumber << 0.0;
    QTest::newRow("0") << c << "0" << CountVerdict::NotPositive << 0.0;
    QTest::newRow("-3") << c << "-3" << CountVerdict::NotPositive << -3.0;
    QTest::newRow("0.5") << c << "0.5" << CountVerdict::Spreadsheet << 0.5;
    QTest::newRow("blanks around") << c << " 12 " << CountVerdict::Spreadsheet << 12.0;
    QTest::newRow("65536") << c << "65536" << CountVerdict::Spreadsheet << 65536.0;
    QTest::newRow("65536.5") << c << "65536.5" << CountVerdict::TextFile << 65536.5;
    QTest::newRow("65537") << c << "65537" << CountVerdict::TextFile << 65537.0;
    QTest::newRow("en_US: 1,000 is a thousand") << enUS << "1,000" << CountVerdict::Spreadsheet << 1000.0;
    QTest::newRow("de_DE: 2,5") << deDE << "2,5" << CountVerdict::Spreadsheet << 2.5;
    QTest::newRow("de_DE: 100.000 is a hundred thousand") << deDE << "100.000" << CountVerdict::TextFile << 100000.0;
}

void tst_BatchExport::countCheck()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, text);
    QFETCH(CountVerdict, verdict);
    QFETCH(double, count);
    const CountCheck check = checkCount(text, locale);
    QCOMPARE(check.verdict, verdict);
    QCOMPARE(check.count, count);
}

void tst_BatchExport::countMessages()
{
    QCOMPARE(countMessage(CountVerdict::NotANumber), "Please enter number of random numbers you want to generate and output");
    QCOMPARE(countMessage(CountVerdict::NotPositive),
             "Number of random numbers you want to generate  should be greater than zero");
    QCOMPARE(countMessage(CountVerdict::TextFile),
             "Excel cannot have more than 65536 rows. Therefore the output file be a text file, which you can open "
             "with notepad.");
    QVERIFY(countMessage(CountVerdict::Spreadsheet).isEmpty());
}

void tst_BatchExport::lineCount_data()
{
    QTest::addColumn<double>("size");
    QTest::addColumn<double>("lines");
    QTest::newRow("5") << 5.0 << 5.0;
    QTest::newRow("2.5") << 2.5 << 3.0;
    QTest::newRow("0.5") << 0.5 << 1.0;
    QTest::newRow("65536") << 65536.0 << 65536.0;
}

void tst_BatchExport::lineCount()
{
    QFETCH(double, size);
    QFETCH(double, lines);
    QCOMPARE(batchLineCount(size), lines);

    MixingGenerator generator(1);
    const QString path = m_folder.filePath(QStringLiteral("lines.txt"));
    const BatchOutcome outcome = writeBatch(path, size, DrawRange(0, 9), generator);
    QCOMPARE(outcome.status, BatchOutcome::Written);
    QCOMPARE(double(contents(path).count("\r\n")), lines);
}

void tst_BatchExport::leastBatchBytes_data()
{
    QTest::addColumn<double>("minimum");
    QTest::addColumn<double>("maximum");
    QTest::addColumn<double>("lines");
    QTest::addColumn<double>("bytes");
    QTest::newRow("0 to 1: \"0\" and CR LF") << 0.0 << 1.0 << 10.0 << 30.0;
    QTest::newRow("999.5 to 2000: four digits") << 999.5 << 2000.0 << 10.0 << 60.0;
    QTest::newRow("10^14 to 2 10^15: \"1E+15\" is shorter") << 1e14 << 2e15 << 1.0 << 7.0;
    QTest::newRow("a count past any disk") << 0.0 << 1.0 << 1e300 << 3e300;
}

void tst_BatchExport::leastBatchBytes()
{
    QFETCH(double, minimum);
    QFETCH(double, maximum);
    QFETCH(double, lines);
    QFETCH(double, bytes);
    QCOMPARE(::leastBatchBytes(lines, DrawRange(minimum, maximum)), bytes);
    QVERIFY(!batchSpaceProblem(m_folder.path(), 1, DrawRange(minimum, maximum), c)); // one line fits
    if (bytes > 1e18)
        QVERIFY(batchSpaceProblem(m_folder.path(), lines, DrawRange(minimum, maximum), c));
}

void tst_BatchExport::exportPaths()
{
    QCOMPARE(exportPath(QStringLiteral("/home/ann"), true), "/home/ann/randomnumbers.xls");
    QCOMPARE(exportPath(QStringLiteral("/home/ann"), false), "/home/ann/randomnumbers.txt");
    qputenv("HOME", m_folder.path().toLocal8Bit());
    QCOMPARE(QDir(exportFolder().value()), QDir(m_folder.path()));
    // Without HOME, the user database's home folder.
    const passwd *user = getpwuid(getuid());
    QVERIFY(user);
    for (const char *home : { "", static_cast<const char *>(nullptr) }) {
        home ? qputenv("HOME", home) : qunsetenv("HOME");
        QCOMPARE(QDir(exportFolder().value()), QDir(QFile::decodeName(user->pw_dir)));
    }
}

void tst_BatchExport::writesExactBytes()
{
    // With bounds 0 and 10 the candidate is round(10 r).
    SequenceGenerator generator({ 0.7, 0.99, 0.1 });
    const QString path = m_folder.filePath(QStringLiteral("exact.xls"));
    const BatchOutcome outcome = writeBatch(path, 3, DrawRange(0, 10), generator);
    QCOMPARE(outcome.status, BatchOutcome::Written);
    QCOMPARE(outcome.written, 3u);
    QCOMPARE(contents(path), QByteArray("7\r\n10\r\n1\r\n"));
}

void tst_BatchExport::everyLineIsAWholeNumberBetweenTheBounds()
{
    MixingGenerator generator(11);
    const QString path = m_folder.filePath(QStringLiteral("bounds.txt"));
    QCOMPARE(writeBatch(path, 5000, DrawRange(1000000000, 1000000010), generator).status, BatchOutcome::Written);
    const QByteArray bytes = contents(path);
    QVERIFY(bytes.endsWith("\r\n"));
    const QList<QByteArray> lines = bytes.chopped(1).split('\n'); // each line keeps its CR
    QCOMPARE(lines.size(), 5000);
    for (const QByteArray &line : lines) {
        QVERIFY2(line.endsWith('\r'), line.constData());
        const QByteArray number = line.chopped(1);
        bool ok = false;
        const qlonglong value = number.toLongLong(&ok);
        QVERIFY2(ok && QByteArray::number(value) == number, number.constData()); // digits only
        QVERIFY(value >= 1000000000 && value <= 1000000010);
    }
}

void tst_BatchExport::largeBatchIsComplete()
{
    MixingGenerator generator(12);
    const QString path = m_folder.filePath(QStringLiteral("large.txt"));
    int progressCalls = 0;
    const BatchOutcome outcome = writeBatch(path, 300001, DrawRange(0, 1), generator, [&](std::uint64_t written) {
        ++progressCalls;
        return written <= 300001;
    });
    QCOMPARE(outcome.status, BatchOutcome::Written);
    const QByteArray bytes = contents(path);
    QCOMPARE(bytes.count("\r\n"), 300001);
    QCOMPARE(bytes.size(), 300001 * 3); // "0\r\n" or "1\r\n"
    QCOMPARE(progressCalls, int(300001 / kBatchProgressStride));
}

void tst_BatchExport::shorterBatchReplacesTheFile()
{
    MixingGenerator generator(13);
    const QString path = m_folder.filePath(QStringLiteral("replace.xls"));
    QCOMPARE(writeBatch(path, 100, DrawRange(0, 1), generator).status, BatchOutcome::Written);
    QCOMPARE(writeBatch(path, 2, DrawRange(0, 1), generator).status, BatchOutcome::Written);
    QCOMPARE(contents(path).size(), 6);
}

void tst_BatchExport::otherFileIsLeftAlone()
{
    MixingGenerator generator(14);
    const QString spreadsheet = exportPath(m_folder.path(), true);
    const QString text = exportPath(m_folder.path(), false);
    writeFile(text, "text file\r\n");
    QCOMPARE(writeBatch(spreadsheet, 5, DrawRange(0, 1), generator).status, BatchOutcome::Written);
    QCOMPARE(contents(text), QByteArray("text file\r\n"));
    writeFile(spreadsheet, "spreadsheet\r\n");
    QCOMPARE(writeBatch(text, 5, DrawRange(0, 1), generator).status, BatchOutcome::Written);
    QCOMPARE(contents(spreadsheet), QByteArray("spreadsheet\r\n"));
}

void tst_BatchExport::folderThatIsAFileFails()
{
    const QString notAFolder = m_folder.filePath(QStringLiteral("plainfile"));
    writeFile(notAFolder, "x");
    MixingGenerator generator(15);
    const BatchOutcome outcome = writeBatch(exportPath(notAFolder, true), 5, DrawRange(0, 1), generator);
    QCOMPARE(outcome.status, BatchOutcome::Failed);
    QVERIFY(!outcome.error.isEmpty());
    QCOMPARE(contents(notAFolder), QByteArray("x"));
}

void tst_BatchExport::targetThatIsAFolderFails()
{
    const QString path = m_folder.filePath(QStringLiteral("taken.xls"));
    QVERIFY(QDir().mkpath(path + QStringLiteral("/inside")));
    MixingGenerator generator(16);
    const BatchOutcome outcome = writeBatch(path, 5, DrawRange(0, 1), generator);
    QCOMPARE(outcome.status, BatchOutcome::Failed);
    QVERIFY(!outcome.error.isEmpty());
    QVERIFY(QFileInfo(path + QStringLiteral("/inside")).isDir());
}

void tst_BatchExport::writeFailingPartWayKeepsEarlierFile()
{
    QTemporaryDir folder;
    const QString path = exportPath(folder.path(), false);
    writeFile(path, "earlier batch\r\n");

    // A child process with a file-size limit: its writes fail with "File too large" part-way.
    int pipeEnds[2];
    QCOMPARE(pipe(pipeEnds), 0);
    const pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit { 100000, 100000 };
        setrlimit(RLIMIT_FSIZE, &limit);
        MixingGenerator generator(17);
        const BatchOutcome outcome = writeBatch(path, 1000000, DrawRange(0, 1000000), generator);
        const QByteArray report = QByteArray::number(int(outcome.status)) + ' ' + outcome.error.toUtf8();
        [[maybe_unused]] const auto sent = write(pipeEnds[1], report.constData(), size_t(report.size()));
        _exit(0);
    }
    close(pipeEnds[1]);
    QByteArray report;
    char buffer[512];
    for (ssize_t got; (got = read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        report.append(buffer, got);
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);

    QVERIFY2(report.startsWith(QByteArray::number(int(BatchOutcome::Failed)) + ' '), report.constData());
    QVERIFY2(report.endsWith(" File too large"), report.constData()); // the system's own reason
    QCOMPARE(contents(path), QByteArray("earlier batch\r\n"));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList { QStringLiteral("randomnumbers.txt") });
}

void tst_BatchExport::cancelKeepsEarlierFile()
{
    QTemporaryDir folder;
    const QString path = exportPath(folder.path(), true);
    writeFile(path, "earlier batch\r\n");
    MixingGenerator generator(18);
    std::uint64_t cancelledAt = 0;
    const BatchOutcome outcome = writeBatch(path, 1e12, DrawRange(0, 1), generator, [&](std::uint64_t written) {
        cancelledAt = written;
        return written < 3 * kBatchProgressStride;
    });
    QCOMPARE(outcome.status, BatchOutcome::Cancelled);
    QCOMPARE(cancelledAt, 3 * kBatchProgressStride);
    QCOMPARE(contents(path), QByteArray("earlier batch\r\n"));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList { QStringLiteral("randomnumbers.xls") });
}

QTEST_GUILESS_MAIN(tst_BatchExport)
#include "tst_batchexport.moc"
