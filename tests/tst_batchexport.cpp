#include "export/batchexport.h"
#include "export/batchjob.h"
#include "export/countcheck.h"
#include "generator/draw.h"
#include "runtime/randomgenerator.h"
#include "support/locales.h"
#include "support/sequencegenerator.h"
#include "support/threads.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <pwd.h>
#include <sys/resource.h>
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
    void failures_data();
    void failures();
    void writeFailingPartWayKeepsEarlierFile();
    void stopKeepsEarlierFile();
    void jobRunsOnItsOwnThreads();
    void stoppedJobKeepsEarlierFile_data();
    void stoppedJobKeepsEarlierFile();

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

static QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden);
}

// A batch of size numbers from range into path.
static BatchRequest request(const QString &path, double size, const DrawRange &range)
{
    BatchRequest request = makeBatchRequest(QFileInfo(path).path(), true, size, range);
    request.path = path;
    return request;
}

static BatchOutcome batch(const QString &path, double size, const DrawRange &range, RandomGenerator &generator,
                          const BatchControl &control = {})
{
    SharedGenerator shared(generator);
    return writeBatch(request(path, size, range), shared, control);
}

// Asks a batch to stop once it has drawn a given number of values.
class StoppingGenerator final : public RandomGenerator
{
public:
    StoppingGenerator(std::stop_source stop, long long after)
        : m_stop(std::move(stop))
        , m_after(after)
    {
    }
    void reinitialise(double seed) override { m_inner.reinitialise(seed); }
    double next(float argument) override
    {
        if (++m_draws == m_after)
            m_stop.request_stop();
        return m_inner.next(argument);
    }

private:
    MixingGenerator m_inner { 7 };
    std::stop_source m_stop;
    long long m_after;
    long long m_draws = 0;
};

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
    const BatchRequest spreadsheet = makeBatchRequest(m_folder.path(), true, size, DrawRange(0, 9));
    QCOMPARE(spreadsheet.lines, lines);
    QCOMPARE(spreadsheet.path, exportPath(m_folder.path(), true));
    QCOMPARE(spreadsheet.folder, m_folder.path());

    MixingGenerator generator(1);
    SharedGenerator shared(generator);
    const BatchOutcome outcome = writeBatch(spreadsheet, shared);
    QCOMPARE(outcome.status, BatchOutcome::Written);
    QCOMPARE(double(outcome.written), lines);
    QCOMPARE(double(contents(spreadsheet.path).count("\r\n")), lines);
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
    const DrawRange range(minimum, maximum);
    QCOMPARE(::leastBatchBytes(makeBatchRequest(m_folder.path(), false, lines, range)), bytes);
    QVERIFY(!batchSpaceProblem(makeBatchRequest(m_folder.path(), true, 1, range), c)); // one line fits
    if (bytes > 1e18)
        QVERIFY(batchSpaceProblem(makeBatchRequest(m_folder.path(), false, lines, range), c));
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
    const BatchOutcome outcome = batch(path, 3, DrawRange(0, 10), generator);
    QCOMPARE(outcome.status, BatchOutcome::Written);
    QCOMPARE(outcome.written, 3u);
    QCOMPARE(contents(path), QByteArray("7\r\n10\r\n1\r\n"));
}

void tst_BatchExport::everyLineIsAWholeNumberBetweenTheBounds()
{
    MixingGenerator generator(11);
    const QString path = m_folder.filePath(QStringLiteral("bounds.txt"));
    QCOMPARE(batch(path, 5000, DrawRange(1000000000, 1000000010), generator).status, BatchOutcome::Written);
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
    // Stretches on their way between the two threads, and a last one cut short.
    MixingGenerator generator(12);
    const QString path = m_folder.filePath(QStringLiteral("large.txt"));
    const double lines = 50 * kBatchStretch + 1;
    std::atomic<std::uint64_t> written = 0;
    const BatchOutcome outcome = batch(path, lines, DrawRange(0, 1), generator, { {}, &written });
    QCOMPARE(outcome.status, BatchOutcome::Written);
    QCOMPARE(double(written), lines);
    const QByteArray bytes = contents(path);
    QCOMPARE(double(bytes.count("\r\n")), lines);
    QCOMPARE(double(bytes.size()), lines * 3); // "0\r\n" or "1\r\n"
    QVERIFY(bytes.contains("\n0\r") && bytes.contains("\n1\r"));
}

void tst_BatchExport::shorterBatchReplacesTheFile()
{
    MixingGenerator generator(13);
    const QString path = m_folder.filePath(QStringLiteral("replace.xls"));
    QCOMPARE(batch(path, 100, DrawRange(0, 1), generator).status, BatchOutcome::Written);
    QCOMPARE(batch(path, 2, DrawRange(0, 1), generator).status, BatchOutcome::Written);
    QCOMPARE(contents(path).size(), 6);
}

void tst_BatchExport::otherFileIsLeftAlone()
{
    MixingGenerator generator(14);
    const QString spreadsheet = exportPath(m_folder.path(), true);
    const QString text = exportPath(m_folder.path(), false);
    writeFile(text, "text file\r\n");
    QCOMPARE(batch(spreadsheet, 5, DrawRange(0, 1), generator).status, BatchOutcome::Written);
    QCOMPARE(contents(text), QByteArray("text file\r\n"));
    writeFile(spreadsheet, "spreadsheet\r\n");
    QCOMPARE(batch(text, 5, DrawRange(0, 1), generator).status, BatchOutcome::Written);
    QCOMPARE(contents(spreadsheet), QByteArray("spreadsheet\r\n"));
}

void tst_BatchExport::failures_data()
{
    QTest::addColumn<QString>("path"); // in a fresh folder that holds "plainfile" and "taken.xls/inside"
    QTest::newRow("the folder is a file") << "plainfile/randomnumbers.xls";
    QTest::newRow("the target is a folder") << "taken.xls";
}

void tst_BatchExport::failures()
{
    QFETCH(QString, path);
    QTemporaryDir folder;
    writeFile(folder.filePath(QStringLiteral("plainfile")), "x");
    QVERIFY(QDir().mkpath(folder.filePath(QStringLiteral("taken.xls/inside"))));
    const QStringList before = filesIn(folder.path());
    MixingGenerator generator(15);
    const BatchOutcome outcome = batch(folder.filePath(path), 5, DrawRange(0, 1), generator);
    QCOMPARE(outcome.status, BatchOutcome::Failed);
    QVERIFY(!outcome.error.isEmpty()); // the system's reason
    QCOMPARE(contents(folder.filePath(QStringLiteral("plainfile"))), QByteArray("x"));
    QVERIFY(QFileInfo(folder.filePath(QStringLiteral("taken.xls/inside"))).isDir());
    QCOMPARE(filesIn(folder.path()), before);
}

void tst_BatchExport::writeFailingPartWayKeepsEarlierFile()
{
    QTemporaryDir folder;
    const QString path = exportPath(folder.path(), false);
    writeFile(path, "earlier batch\r\n");

    // A file-size limit: the batch's writes fail with "File too large" part-way.
    rlimit unlimited {};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &unlimited), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit { 100000, unlimited.rlim_max };
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &limit), 0);
    MixingGenerator generator(17);
    const BatchOutcome outcome = batch(path, 1000000, DrawRange(0, 1000000), generator);
    setrlimit(RLIMIT_FSIZE, &unlimited);
    std::signal(SIGXFSZ, previousHandler);

    QCOMPARE(outcome.status, BatchOutcome::Failed);
    QCOMPARE(outcome.error, "File too large"); // the system's own reason
    QCOMPARE(contents(path), QByteArray("earlier batch\r\n"));
    QCOMPARE(filesIn(folder.path()), QStringList { QStringLiteral("randomnumbers.txt") });
}

void tst_BatchExport::stopKeepsEarlierFile()
{
    QTemporaryDir folder;
    const QString path = exportPath(folder.path(), true);
    writeFile(path, "earlier batch\r\n");
    std::stop_source stop;
    StoppingGenerator generator(stop, 3 * kBatchStretch);
    std::atomic<std::uint64_t> written = 0;
    const BatchOutcome outcome = batch(path, 1e12, DrawRange(0, 1), generator, { stop.get_token(), &written });
    QCOMPARE(outcome.status, BatchOutcome::Stopped);
    // Stopped within a few stretches of the request.
    QVERIFY2(outcome.written >= 2 * kBatchStretch && outcome.written <= 8 * kBatchStretch,
             qPrintable(QString::number(outcome.written)));
    QCOMPARE(written.load(), outcome.written);
    QCOMPARE(contents(path), QByteArray("earlier batch\r\n"));
    QCOMPARE(filesIn(folder.path()), QStringList { QStringLiteral("randomnumbers.xls") });
}

void tst_BatchExport::jobRunsOnItsOwnThreads()
{
    const QString path = exportPath(m_folder.path(), false);
    MixingGenerator generator(19);
    SharedGenerator shared(generator);
    const double lines = 4 * kBatchStretch;
    {
        BatchJob job(makeBatchRequest(m_folder.path(), false, lines, DrawRange(0, 9)), shared);
        const BatchOutcome outcome = job.wait();
        QCOMPARE(outcome.status, BatchOutcome::Written);
        QVERIFY(job.finished());
        QCOMPARE(double(job.written()), lines);
    }
    QCOMPARE(double(contents(path).count("\r\n")), lines);
    QCOMPARE(batchThreads(), QStringList());
}

void tst_BatchExport::stoppedJobKeepsEarlierFile_data()
{
    QTest::addColumn<bool>("destroyed"); // rather than stopped and waited for
    QTest::newRow("stopped") << false;
    QTest::newRow("destroyed while it runs") << true;
}

void tst_BatchExport::stoppedJobKeepsEarlierFile()
{
    QFETCH(bool, destroyed);
    QTemporaryDir folder;
    const QString path = exportPath(folder.path(), false);
    writeFile(path, "earlier batch\r\n");
    MixingGenerator generator(20);
    SharedGenerator shared(generator);
    {
        BatchJob job(makeBatchRequest(folder.path(), false, 1e12, DrawRange(0, 1)), shared);
        QTRY_VERIFY(job.written() > 0);
        QVERIFY(!job.finished());
        QCOMPARE(batchThreads(), (QStringList { "zandrel-batch", "zandrel-draw" }));
        // The window thread's own draws go on meanwhile, between the batch's stretches.
        shared.use([](RandomGenerator &held) { return held.next(0); });
        if (!destroyed) {
            job.stop();
            QCOMPARE(job.wait().status, BatchOutcome::Stopped);
            QVERIFY(job.finished());
        }
    }
    QCOMPARE(batchThreads(), QStringList());
    QCOMPARE(contents(path), QByteArray("earlier batch\r\n"));
    QCOMPARE(filesIn(folder.path()), QStringList { QStringLiteral("randomnumbers.txt") });
}

QTEST_GUILESS_MAIN(tst_BatchExport)
#include "tst_batchexport.moc"
