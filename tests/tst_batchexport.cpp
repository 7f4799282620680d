#include "support/loaded.h"
#include "export/batchwriter.h"
#include "export/batchjob.h"
#include "export/countcheck.h"
#include "generator/draw.h"
#include "runtime/randomgenerator.h"
#include "support/disk.h"
#include "support/locales.h"
#include "support/sequencegenerator.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <fcntl.h>
#include <pwd.h>
#include <sys/resource.h>
#include <unistd.h>


class tst_BatchExport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void countCheck_data();
    void countCheck();
    void lineCount_data();
    void lineCount();
    void linesAndExpectedSize_data();
    void linesAndExpectedSize();
    void spaceRefusals_data();
    void spaceRefusals();
    void sizesInARefusalDiffer();
    void exportPaths();
    void replacesOnlyItsOwnFile();
    void failuresKeepEarlierFile_data();
    void failuresKeepEarlierFile();
    void jobTellsItsCallerFromItsOwnThreads();
    void linkAtTheTargetIsFollowed_data();
    void linkAtTheTargetIsFollowed();
    void staleTemporariesGo();

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
static BatchOutcome batch(const QString &path, double size, const DrawRange &range, RandomGenerator &generator,
                          const BatchControl &control = {})
{
    SharedGenerator shared(generator);
    return writeBatch(makeBatchRequest(path, size, range), shared, control);
}

void tst_BatchExport::initTestCase()
{
    std::signal(SIGXFSZ, SIG_IGN); // as the program ignores it, so that a file-size limit is a failure
}

void tst_BatchExport::countCheck_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<CountVerdict>("verdict");
    QTest::addColumn<double>("count");

    QTest::newRow("empty") << c << "" << CountVerdict::NotANumber << 0.0;
    QTest::newRow("abc") << c << "abc" << CountVerdict::NotANumber << 0.0;
    QTest::newRow("0") << c << "0" << CountVerdict::NotPositive << 0.0;
    QTest::newRow("-3") << c << "-3" << CountVerdict::NotPositive << -3.0;
    QTest::newRow("0.5") << c << "0.5" << CountVerdict::Spreadsheet << 0.5;
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
    QCOMPARE(countMessage(verdict).isEmpty(), verdict == CountVerdict::Spreadsheet);
}

void tst_BatchExport::lineCount_data()
{
    QTest::addColumn<double>("size");
    QTest::addColumn<quint64>("lines");
    QTest::newRow("2.5") << 2.5 << quint64(3);
    QTest::newRow("0.5") << 0.5 << quint64(1);
    QTest::newRow("65536") << 65536.0 << quint64(65536);
    QTest::newRow("beyond 2^64: cut, never wrapped") << 1e30 << quint64(UINT64_MAX);
}

void tst_BatchExport::lineCount()
{
    QFETCH(double, size);
    QFETCH(quint64, lines);
    QCOMPARE(makeBatchRequest(exportPath(m_folder.path(), true), size, DrawRange(0, 9)).lines, lines);
}

void tst_BatchExport::linesAndExpectedSize_data()
{
    QTest::addColumn<double>("minimum");
    QTest::addColumn<double>("maximum");
    QTest::addColumn<double>("lineBytes"); // as the spread of the draw makes them, CR LF included
    QTest::newRow("0 to 1") << 0.0 << 1.0 << 3.0;
    QTest::newRow("0 to 1000000: 7.89 bytes a line") << 0.0 << 1e6 << 7.888893;
    QTest::newRow("9 to 10: 9 half as likely") << 9.0 << 10.0 << 11 / 3.0;
    QTest::newRow("2.5 to 7.5") << 2.5 << 7.5 << 3.0;
    QTest::newRow("999.5 to 1000.5: 1000 alone") << 999.5 << 1000.5 << 6.0;
    QTest::newRow("10^9 to 10^9 + 10") << 1e9 << 1e9 + 10 << 12.0;
    QTest::newRow("0 to 10^16: exponent forms from 10^15") << 0.0 << 1e16 << 0.0;
    QTest::newRow("0 to 10^300") << 0.0 << 1e300 << 0.0;
}

void tst_BatchExport::linesAndExpectedSize()
{
    QFETCH(double, minimum);
    QFETCH(double, maximum);
    QFETCH(double, lineBytes);
    const int lines = 100000;
    const QString path = m_folder.filePath(QStringLiteral("expected.txt"));
    MixingGenerator generator(3);
    QCOMPARE(batch(path, lines, DrawRange(minimum, maximum), generator).status, BatchOutcome::Written);
    // Every line a whole number between the bounds, written as it reads back, with CR LF.
    const QByteArray bytes = contents(path);
    QVERIFY(bytes.endsWith("\r\n"));
    const QList<QByteArray> written = bytes.chopped(1).split('\n'); // each line keeps its CR
    QCOMPARE(written.size(), lines);
    for (const QByteArray &line : written) {
        QVERIFY2(line.endsWith('\r') && !line.startsWith(' '), line.constData());
        bool ok = false;
        const double value = line.chopped(1).toDouble(&ok);
        QVERIFY2(ok && value == std::round(value) && value >= minimum && value <= maximum, line.constData());
    }
    const double expected = expectedBatchBytes(makeBatchRequest(path, lines, DrawRange(minimum, maximum)));
    if (lineBytes > 0)
        QCOMPARE(expected / lines, lineBytes);
    // What a batch of these numbers really takes, within 1 %.
    const auto size = static_cast<double>(bytes.size());
    QVERIFY2(std::abs(expected / size - 1) < 0.01, qPrintable(QStringLiteral("%1 for %2").arg(expected).arg(size)));
}

void tst_BatchExport::spaceRefusals_data()
{
    QTest::addColumn<QString>("folder"); // under the test's folder
    QTest::addColumn<double>("size");
    QTest::addColumn<QString>("refusal"); // a pattern; empty: the batch may go ahead
    QTest::newRow("fits") << "" << 1000.0 << "";
    QTest::newRow("beyond the free space")
        << "" << 1e13 << "^The random numbers cannot be exported into '.+': the file needs about 27\\.28 TiB, and only "
                         "[0-9.]+ [KMGT]iB are free there\\.$";
    QTest::newRow("largest figure: 2^61 lines, 6 EiB")
        << "" << 0x1p61 << "^The random numbers cannot be exported into '.+': the file needs about 6\\.00 EiB, and only "
                           "[0-9.]+ [KMGT]iB are free there\\.$";
    QTest::newRow("beyond any figure: 10^20")
        << "" << 1e20 << "^The random numbers cannot be exported into '.+': so many numbers need far more space than "
                         "any disk holds\\.$";
    QTest::newRow("no such folder") << "gone" << 1.0
                                    << "^The random numbers cannot be exported into '.+/gone': the space free there "
                                       "cannot be read: No such file or directory$";
}

void tst_BatchExport::spaceRefusals()
{
    QFETCH(QString, folder);
    QFETCH(double, size);
    QFETCH(QString, refusal);
    const auto problem =
        batchSpaceProblem(makeBatchRequest(exportPath(m_folder.filePath(folder), false), size, DrawRange(0, 1)), c);
    QCOMPARE(problem.has_value(), !refusal.isEmpty());
    if (problem)
        QVERIFY2(QRegularExpression(refusal).match(*problem).hasMatch(), qPrintable(*problem));
}

void tst_BatchExport::sizesInARefusalDiffer()
{
    // As many decimals as it takes for the two sizes to read differently.
    QCOMPARE(spaceMessage(QStringLiteral("/home/ann"), 1'000'000'001, 1'000'000'000, c),
             "The random numbers cannot be exported into '/home/ann': the file needs about 953.674317 MiB, and only "
             "953.674316 MiB are free there.");
}

void tst_BatchExport::exportPaths()
{
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

void tst_BatchExport::replacesOnlyItsOwnFile()
{
    // With bounds 0 and 10 the candidate is round(10 r): 7, 10 and 1, three lines that replace a
    // longer earlier file, while the text-named file beside it stays as it is.
    QTemporaryDir folder;
    const QString spreadsheet = exportPath(folder.path(), true);
    const QString text = exportPath(folder.path(), false);
    writeFile(spreadsheet, QByteArray(1000, 'x'));
    writeFile(text, "text file\r\n");
    SequenceGenerator generator({ 0.7, 0.99, 0.1 });
    const BatchOutcome outcome = batch(spreadsheet, 3, DrawRange(0, 10), generator);
    QCOMPARE(outcome.status, BatchOutcome::Written);
    QCOMPARE(outcome.lines, 3u);
    QCOMPARE(contents(spreadsheet), QByteArray("7\r\n10\r\n1\r\n"));
    QCOMPARE(contents(text), QByteArray("text file\r\n"));
    QCOMPARE(filesIn(folder.path()), (QStringList { "randomnumbers.txt", "randomnumbers.xls" }));
}

void tst_BatchExport::failuresKeepEarlierFile_data()
{
    QTest::addColumn<QString>("path"); // in a fresh folder that holds "plainfile" and "taken.xls/inside"
    QTest::addColumn<unsigned>("faults");
    QTest::addColumn<bool>("sizeLimit"); // files may not grow beyond 100,000 bytes
    QTest::addColumn<bool>("moved");     // the folder is renamed once a block is written, and the batch stopped
    QTest::addColumn<BatchOutcome::Status>("status");
    QTest::addColumn<QString>("error"); // empty: any reason the system gives
    QTest::addColumn<QString>("left");  // why an unfinished file is left behind, if one is
    const QString target = QStringLiteral("randomnumbers.txt");
    const auto failed = BatchOutcome::Failed;
    const auto unconfirmed = BatchOutcome::Unconfirmed;
    const QString io = QStringLiteral("Input/output error");
    QTest::newRow("the folder is a file") << "plainfile/randomnumbers.xls" << 0u << false << false << failed
                                          << "Not a directory" << "";
    QTest::newRow("the target is a folder") << "taken.xls" << 0u << false << false << failed << "Is a directory" << "";
    QTest::newRow("a file-size limit part-way: a failure, never SIGXFSZ")
        << target << 0u << true << false << failed << "File too large" << "";
    QTest::newRow("a write-back fails") << target << unsigned(disk::WriteBack) << false << false << failed
                                        << "No space left on device" << "";
    QTest::newRow("a write-back error, told once, at the wait for an earlier part")
        << target << unsigned(disk::WriteBackLost) << false << false << failed << io << "";
    QTest::newRow("the final sync fails") << target << unsigned(disk::DataSync) << false << false << failed << io << "";
    QTest::newRow("stopped during the final sync") << target << unsigned(disk::StopWhileSyncing) << false << false
                                                   << BatchOutcome::Stopped << "" << "";
    QTest::newRow("only the folder's sync fails: the new file is in place")
        << target << unsigned(disk::FolderSync) << false << false << unconfirmed << io << "";
    QTest::newRow("a file system that cannot sync the file")
        << target << unsigned(disk::DataSyncUnsupported) << false << false << unconfirmed << "Invalid argument" << "";
    QTest::newRow("a file system that cannot sync the folder")
        << target << unsigned(disk::FolderSyncUnsupported) << false << false << unconfirmed << "Invalid argument" << "";
    QTest::newRow("no space to name the file") << target << unsigned(disk::NamingFails) << false << false << failed
                                               << "No space left on device" << "";
    // Where files cannot be unnamed, the temporary file has a name.
    QTest::newRow("a named file, the final sync fails")
        << target << unsigned(disk::NoUnnamedFiles | disk::DataSync) << false << false << failed << io << "";
    QTest::newRow("a named file, its folder renamed, then stopped")
        << target << unsigned(disk::NoUnnamedFiles) << false << true << BatchOutcome::Stopped << "" << "";
    QTest::newRow("a named file that cannot be removed is named")
        << target << unsigned(disk::NoUnnamedFiles | disk::DataSync | disk::RemovalRefused) << false << false << failed
        << io << "Operation not permitted";
}

void tst_BatchExport::failuresKeepEarlierFile()
{
    QFETCH(QString, path);
    QFETCH(unsigned, faults);
    QFETCH(bool, sizeLimit);
    QFETCH(bool, moved);
    QFETCH(BatchOutcome::Status, status);
    QFETCH(QString, error);
    QFETCH(QString, left);
    QTemporaryDir parent;
    const QString folder = parent.filePath(QStringLiteral("export"));
    QVERIFY(QDir().mkpath(folder + QStringLiteral("/taken.xls/inside")));
    writeFile(folder + QStringLiteral("/plainfile"), "x");
    const QString target = QDir(folder).filePath(path);
    const bool earlier = !path.contains(QLatin1Char('/')) && !QFileInfo(target).isDir();
    if (earlier)
        writeFile(target, "earlier batch\r\n");
    const QStringList before = filesIn(folder);

    // 6,000,000 lines, 18 MB: more than two chunks of the file go to the disk before the end.
    rlimit unlimited {};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &unlimited), 0);
    const rlimit limit { 100000, unlimited.rlim_max };
    if (sizeLimit)
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &limit), 0);
    std::stop_source stop;
    disk::setFault(faults, stop);
    const QString movedTo = folder + QStringLiteral("-moved");
    const auto progressed = [&](std::uint64_t) {
        if (moved && !stop.stop_requested()) {
            QDir().rename(folder, movedTo);
            stop.request_stop();
        }
    };
    MixingGenerator generator(15);
    const BatchOutcome outcome = batch(target, 6e6, DrawRange(0, 1), generator, { stop.get_token(), progressed, {} });
    disk::setFault(disk::None);
    setrlimit(RLIMIT_FSIZE, &unlimited);

    QCOMPARE(outcome.status, status);
    QCOMPARE(outcome.error, error); // the system's reason
    if (status == BatchOutcome::Unconfirmed)
        QVERIFY(batchOutcomeMessage(target, outcome).contains(QLatin1String("could not confirm")));
    QCOMPARE(outcome.leftBehindReason, left);
    QCOMPARE(!outcome.leftBehind.isEmpty(), !left.isEmpty());
    if (!left.isEmpty()) { // there, as the outcome names it, and as the user is told
        QVERIFY2(batchOutcomeMessage(target, outcome)
                     .endsWith(QStringLiteral(" Its unfinished file '%1' could not be removed: %2").arg(outcome.leftBehind, left)),
                 qPrintable(batchOutcomeMessage(target, outcome)));
        QVERIFY(QFile::remove(outcome.leftBehind));
    }
    const QString now = moved ? movedTo : folder;
    QCOMPARE(filesIn(now), before); // nothing left beside it
    QCOMPARE(contents(now + QStringLiteral("/plainfile")), QByteArray("x"));
    QVERIFY(QFileInfo(now + QStringLiteral("/taken.xls/inside")).isDir());
    const QString nowTarget = QDir(now).filePath(path);
    if (earlier && status == BatchOutcome::Unconfirmed)
        QCOMPARE(contents(nowTarget).size(), 18'000'000);
    else if (earlier)
        QCOMPARE(contents(nowTarget), QByteArray("earlier batch\r\n"));
}

void tst_BatchExport::jobTellsItsCallerFromItsOwnThreads()
{
    const QString path = exportPath(m_folder.path(), false);
    MixingGenerator generator(19);
    SharedGenerator shared(generator);
    const std::uint64_t lines = 4'000'000; // beyond the first chunk of the file
    BatchJob job(makeBatchRequest(path, double(lines), DrawRange(0, 9)), shared);
    // Told through this thread's event loop.
    QList<BatchOutcome> finished;
    QList<quint64> progressed;
    QStringList told;
    connect(&job, &BatchJob::finished, this, [&](const BatchOutcome &outcome) { finished << outcome; });
    connect(&job, &BatchJob::progressed, this, [&](quint64 written) {
        progressed << written;
        told << QStringLiteral("progressed");
    });
    connect(&job, &BatchJob::saving, this, [&] { told << QStringLiteral("saving"); });
    disk::shut();
    job.start(); // and returns, while the batch goes on without this thread
    QTRY_VERIFY_WITH_TIMEOUT(disk::holding(), kLoadedMs);
    shared.use([](RandomGenerator &held) { return held.next(); }); // the generator is free meanwhile
    QCOMPARE(finished.size(), 0);
    disk::open();
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, kLoadedMs);
    const BatchOutcome outcome = finished.first();
    QCOMPARE(outcome.status, BatchOutcome::Written);
    QCOMPARE(outcome.lines, lines);
    // The whole count is told, and then that the file is being saved.
    QCOMPARE(progressed.last(), lines);
    QVERIFY(std::is_sorted(progressed.begin(), progressed.end()));
    QCOMPARE(told.mid(told.size() - 2), (QStringList { "progressed", "saving" }));
    QCOMPARE(quint64(contents(path).count("\r\n")), lines);
}

void tst_BatchExport::linkAtTheTargetIsFollowed_data()
{
    QTest::addColumn<QString>("linkTo"); // from randomnumbers.txt; "elsewhere/kept.txt" holds "earlier"
    QTest::addColumn<unsigned>("faults");
    QTest::addColumn<QString>("error"); // empty: written
    QTest::newRow("to a file in another folder") << "elsewhere/kept.txt" << 0u << "";
    QTest::newRow("to a file in another folder, the batch fails") << "elsewhere/kept.txt" << unsigned(disk::DataSync)
                                                                  << "Input/output error";
    QTest::newRow("to a name not yet there") << "elsewhere/new.txt" << 0u << "";
    QTest::newRow("a loop") << "randomnumbers.txt" << 0u << "Too many levels of symbolic links";
    QTest::newRow("into a missing folder") << "gone/new.txt" << 0u << "No such file or directory";
}

void tst_BatchExport::linkAtTheTargetIsFollowed()
{
    QFETCH(QString, linkTo);
    QFETCH(unsigned, faults);
    QFETCH(QString, error);
    QTemporaryDir folder;
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("elsewhere")));
    writeFile(folder.filePath(QStringLiteral("elsewhere/kept.txt")), "earlier");
    const QString link = folder.filePath(QStringLiteral("randomnumbers.txt"));
    QVERIFY(QFile::link(linkTo, link));
    const QByteArray before = contents(folder.filePath(linkTo));
    SequenceGenerator generator({ 0.7, 0.99, 0.1 });
    disk::setFault(faults);
    const BatchOutcome outcome = batch(link, 3, DrawRange(0, 10), generator);
    disk::setFault(disk::None);
    QCOMPARE(outcome.error, error);
    QCOMPARE(QFile::symLinkTarget(link), QFileInfo(folder.filePath(linkTo)).absoluteFilePath()); // the link stays
    QCOMPARE(contents(folder.filePath(linkTo)), error.isEmpty() ? QByteArray("7\r\n10\r\n1\r\n") : before);
    const bool made = error.isEmpty() && linkTo.endsWith(QLatin1String("new.txt"));
    QCOMPARE(filesIn(folder.filePath(QStringLiteral("elsewhere"))).size(), made ? 2 : 1); // nothing left beside it
}

void tst_BatchExport::staleTemporariesGo()
{
    // Beside the target: what interrupted batches left, one a running batch holds (as the program
    // does, with a lock of its open file description), and what only looks like them.
    QTemporaryDir folder;
    QDir here(folder.path());
    for (const char *name : { ".randomnumbers.txt.a1B2c3", ".randomnumbers.xls.a1B2c3", ".randomnumbers.txt.held01",
                              ".randomnumbers.txt.bak", "x" })
        writeFile(here.filePath(QString::fromLatin1(name)), "part of a batch");
    QVERIFY(here.mkdir(QStringLiteral(".randomnumbers.txt.Folder")));
    QVERIFY(QFile::link(QStringLiteral("x"), here.filePath(QStringLiteral(".randomnumbers.txt.Link01"))));
    const int held = ::open(QFile::encodeName(here.filePath(QStringLiteral(".randomnumbers.txt.held01"))), O_RDWR);
    struct flock lock {};
    lock.l_type = F_WRLCK;
    QCOMPARE(::fcntl(held, F_OFD_SETLK, &lock), 0);
    MixingGenerator generator(4);
    QCOMPARE(batch(exportPath(folder.path(), false), 5, DrawRange(0, 9), generator).status, BatchOutcome::Written);
    ::close(held);
    QCOMPARE(here.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
             (QStringList { ".randomnumbers.txt.bak", ".randomnumbers.txt.Folder", ".randomnumbers.txt.held01",
                            ".randomnumbers.txt.Link01", "randomnumbers.txt", "x" }));
    QCOMPARE(contents(here.filePath(QStringLiteral("x"))), QByteArray("part of a batch"));
}

QTEST_GUILESS_MAIN(tst_BatchExport)
#include "tst_batchexport.moc"
