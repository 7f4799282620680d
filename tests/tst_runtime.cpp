#include "runtime/numberformat.h"
#include "runtime/numerictext.h"
#include "runtime/randomgenerator.h"
#include "runtime/rounding.h"
#include "runtime/terminationsignals.h"
#include "support/loaded.h"
#include "support/locales.h"

#include <QLocale>
#include <QSignalSpy>
#include <QTest>

#include <csignal>
#include <cfloat>
#include <cmath>

class tst_Runtime : public QObject
{
    Q_OBJECT

private slots:
    void numericText_data();
    void numericText();
    void roundHalfEven_data();
    void roundHalfEven();
    void numberToText_data();
    void numberToText();
    void wholeNumberForFile_data();
    void wholeNumberForFile();
    void generatorValuesStayBelowOne();
    void terminationSignalsComeThroughTheEventLoop();
};

void tst_Runtime::numericText_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("isNumber");
    QTest::addColumn<double>("value");

    for (const QLocale &locale : { c, enUS, deDE }) {
        const QByteArray name = locale.name().toLatin1() + ": ";
        QTest::newRow(name + "whole") << locale << "42" << true << 42.0;
        QTest::newRow(name + "blanks around") << locale << "  42 " << true << 42.0;
        QTest::newRow(name + "leading zeros") << locale << "007" << true << 7.0;
        QTest::newRow(name + "ten digits") << locale << " 1000000010 " << true << 1000000010.0;
        QTest::newRow(name + "sixteen digits") << locale << "1234567890123457" << true << 1234567890123457.0;
        QTest::newRow(name + "plus sign") << locale << "+5" << true << 5.0;
        QTest::newRow(name + "minus sign") << locale << "-5" << true << -5.0;
        QTest::newRow(name + "exponent") << locale << "1e2" << true << 100.0;
        QTest::newRow(name + "signed exponent") << locale << "25E-1" << true << 2.5;
        QTest::newRow(name + "empty") << locale << "" << false << 0.0;
        QTest::newRow(name + "blanks only") << locale << "   " << false << 0.0;
        QTest::newRow(name + "trailing text") << locale << "12abc" << false << 0.0;
        QTest::newRow(name + "word") << locale << "abc" << false << 0.0;
        QTest::newRow(name + "inf") << locale << "inf" << false << 0.0;
        QTest::newRow(name + "nan") << locale << "nan" << false << 0.0;
        QTest::newRow(name + "beyond a double") << locale << "1e400" << false << 0.0;
        QTest::newRow(name + "hexadecimal") << locale << "0x10" << false << 0.0;
        QTest::newRow(name + "two numbers") << locale << "1 2" << false << 0.0;
    }
    QTest::newRow("C: decimal point") << c << "0.5" << true << 0.5;
    QTest::newRow("en_US: decimal point") << enUS << "0.5" << true << 0.5;
    QTest::newRow("en_US: comma groups") << enUS << "1,000" << true << 1000.0;
    QTest::newRow("en_US: groups and decimals") << enUS << "1,234,567.25" << true << 1234567.25;
    QTest::newRow("en_US: decimal comma") << enUS << "2,5" << false << 0.0;
    QTest::newRow("de_DE: decimal comma") << deDE << "0,5" << true << 0.5;
    QTest::newRow("de_DE: point groups") << deDE << "1.500" << true << 1500.0;
    QTest::newRow("de_DE: groups and decimals") << deDE << "1.000,5" << true << 1000.5;
    QTest::newRow("de_DE: decimal point") << deDE << "1.5" << false << 0.0;
    QTest::newRow("de_DE: exponent with comma") << deDE << "1,5E+3" << true << 1500.0;
    // Forms people type where the locale writes numbers differently.
    const QLocale svSE(QLocale::Swedish, QLocale::Sweden); // groups with U+00A0, exponent "×10^"
    const QLocale ukUA(QLocale::Ukrainian, QLocale::Ukraine);
    const QLocale frFR(QLocale::French, QLocale::France); // groups with U+202F
    const QLocale deCH(QLocale::German, QLocale::Switzerland); // groups with U+2019
    QTest::newRow("sv_SE: small e") << svSE << "1e3" << true << 1000.0;
    QTest::newRow("sv_SE: capital E") << svSE << "1,5E3" << true << 1500.0;
    QTest::newRow("sv_SE: no-break space group") << svSE << "1\u00A0000" << true << 1000.0;
    QTest::newRow("sv_SE: plain space group") << svSE << "1 000,5" << true << 1000.5;
    QTest::newRow("sv_SE: narrow no-break space group") << svSE << "1\u202F000" << true << 1000.0;
    QTest::newRow("uk_UA: small e") << ukUA << "2,5e-1" << true << 0.25;
    // What QLocale writes itself and does not read back: exponent signs, signs in the exponent
    // and marks of the text's direction.
    const QLocale arEG(QLocale::Arabic, QLocale::Egypt);
    QTest::newRow("sv_SE: its own exponent") << svSE << svSE.toString(-1.5e-20, 'e', 1) << true << -1.5e-20;
    QTest::newRow("uk_UA: its own exponent") << ukUA << ukUA.toString(2.5e20, 'e', 1) << true << 2.5e20;
    QTest::newRow("ar_EG: as it writes a number") << arEG << arEG.toString(-1234.5, 'f', 1) << true << -1234.5;
    QTest::newRow("ar_EG: its own exponent") << arEG << arEG.toString(-2.25e-7, 'e', 2) << true << -2.25e-7;
    QTest::newRow("fr_FR: no-break space group") << frFR << "1\u00A0000" << true << 1000.0;
    QTest::newRow("fr_FR: narrow no-break space group") << frFR << "12\u202F345,5" << true << 12345.5;
    QTest::newRow("fr_FR: plain space group") << frFR << "1 000" << true << 1000.0;
    QTest::newRow("fr_FR: blanks around") << frFR << "\u00A0 1 000 " << true << 1000.0;
    QTest::newRow("fr_FR: a blank that groups nothing") << frFR << "1 2" << false << 0.0;
    QTest::newRow("de_CH: keyboard apostrophe") << deCH << "1'000" << true << 1000.0;
    QTest::newRow("de_CH: its own apostrophe") << deCH << "1\u2019000.5" << true << 1000.5;
    QTest::newRow("de_CH: apostrophe out of place") << deCH << "1'0" << false << 0.0;
    QTest::newRow("en_US: no blank groups") << enUS << "1\u00A0000" << false << 0.0;
    QTest::newRow("en_US: comma that groups nothing") << enUS << "1,2,3" << false << 0.0;
    QTest::newRow("de_DE: no apostrophe groups") << deDE << "1'000" << false << 0.0;
}

void tst_Runtime::numericText()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, text);
    QFETCH(bool, isNumber);
    QFETCH(double, value);

    const auto converted = toNumber(text, locale);
    QCOMPARE(converted.has_value(), isNumber);
    if (isNumber)
        QCOMPARE(*converted, value);
}

void tst_Runtime::roundHalfEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<double>("expected");

    QTest::newRow("2.5 to even 2") << 2.5 << 0 << 2.0;
    QTest::newRow("0.125 to even 0.12") << 0.125 << 2 << 0.12;
    QTest::newRow("0.375 to even 0.38") << 0.375 << 2 << 0.38;
    QTest::newRow("-0.125 to even -0.12") << -0.125 << 2 << -0.12;
    QTest::newRow("1.005 is stored below the half") << 1.005 << 2 << 1.0;
    QTest::newRow("5/3 to 1.67") << 5.0 / 3.0 << 2 << 1.67;
    QTest::newRow("already two decimals") << 3.14 << 2 << 3.14;
    QTest::newRow("large whole") << 1e20 << 2 << 1e20;
}

void tst_Runtime::roundHalfEven()
{
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(double, expected);
    QCOMPARE(::roundHalfEven(value, decimals), expected);
}

void tst_Runtime::numberToText_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");

    QTest::newRow("whole") << c << 7.0 << "7";
    QTest::newRow("zero") << c << 0.0 << "0";
    QTest::newRow("negative zero") << c << -0.0 << "0";
    QTest::newRow("negative") << c << -12.0 << "-12";
    QTest::newRow("two decimals") << c << 1.67 << "1.67";
    QTest::newRow("shortest form") << c << 0.3 << "0.3";
    QTest::newRow("15 digits") << c << 123456789.123457 << "123456789.123457";
    QTest::newRow("17 digits where 15 name another number") << c << 0.1 + 0.2 << "0.30000000000000004";
    // The 16 digits rounded, 7.291122019556397E-304, would name another number.
    QTest::newRow("the fewest digits, not the rounded ones")
        << c << 7.2911220195563975e-304 << "7.291122019556398E-304";
    QTest::newRow("just below 10^15") << c << 999999999999999.0 << "999999999999999";
    QTest::newRow("10^15") << c << 1e15 << "1E+15";
    QTest::newRow("16 digits below 10^15") << c << 999999999999999.9 << "999999999999999.9";
    QTest::newRow("10^15 and a bit") << c << 1.5e15 << "1.5E+15";
    QTest::newRow("10^15 + 1 in 16 digits") << c << 1e15 + 1 << "1.000000000000001E+15";
    QTest::newRow("2^52 + 1 in 16 digits") << c << 4503599627370497.0 << "4.503599627370497E+15";
    QTest::newRow("2^53 in 16 digits") << c << 9007199254740992.0 << "9.007199254740992E+15";
    QTest::newRow("negative, 16 digits") << c << -4503599627370497.0 << "-4.503599627370497E+15";
    QTest::newRow("three exponent digits") << c << 1e100 << "1E+100";
    QTest::newRow("negative exponent") << c << -2e20 << "-2E+20";
    QTest::newRow("tiny") << c << 1.5e-5 << "1.5E-05";
    QTest::newRow("largest double in 17 digits") << c << DBL_MAX << "1.7976931348623157E+308";
    QTest::newRow("lowest double in 17 digits") << c << -DBL_MAX << "-1.7976931348623157E+308";
    QTest::newRow("en_US: no group separator") << enUS << 1234567.0 << "1234567";
    QTest::newRow("en_US: decimals") << enUS << 3.5 << "3.5";
    QTest::newRow("de_DE: decimal comma") << deDE << 3.5 << "3,5";
    QTest::newRow("de_DE: no group separator") << deDE << 1234567.25 << "1234567,25";
    QTest::newRow("de_DE: exponent keeps E") << deDE << 1.5e20 << "1,5E+20";
    QTest::newRow("de_DE: 16 digits") << deDE << 4503599627370497.0 << "4,503599627370497E+15";
}

void tst_Runtime::numberToText()
{
    QFETCH(QLocale, locale);
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(::numberToText(value, locale), text);
}

void tst_Runtime::wholeNumberForFile_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("zero") << 0.0 << QByteArray("0");
    QTest::newRow("negative") << -3.0 << QByteArray("-3");
    QTest::newRow("five digits") << 99999.0 << QByteArray("99999");
    QTest::newRow("2^32 - 1: the largest of 32 bits") << 4294967295.0 << QByteArray("4294967295");
    QTest::newRow("2^32") << 4294967296.0 << QByteArray("4294967296");
    QTest::newRow("below 10^15") << 999999999999999.0 << QByteArray("999999999999999");
    QTest::newRow("10^15") << 1e15 << QByteArray("1E+15");
    QTest::newRow("2^52 + 1") << 4503599627370497.0 << QByteArray("4.503599627370497E+15");
    QTest::newRow("2^53 - 1") << 9007199254740991.0 << QByteArray("9.007199254740991E+15");
    QTest::newRow("huge") << 1.5e300 << QByteArray("1.5E+300");
}

void tst_Runtime::wholeNumberForFile()
{
    QFETCH(double, value);
    QFETCH(QByteArray, text);
    char out[kMaxWholeNumberChars];
    const std::size_t length = writeWholeNumber(value, out);
    QCOMPARE(QByteArray(out, static_cast<qsizetype>(length)), text);
}

void tst_Runtime::generatorValuesStayBelowOne()
{
    MixingGenerator generator(12345);
    double smallest = 1;
    double largest = 0;
    int lowestBitSet = 0;
    const int draws = 200000;
    for (int i = 0; i < draws; ++i) {
        const double r = generator.next();
        QVERIFY(r >= 0.0 && r < 1.0);
        smallest = std::min(smallest, r);
        largest = std::max(largest, r);
        const double steps = r * 0x1p53; // a whole number: r is a multiple of 2^-53
        QCOMPARE(steps, std::floor(steps));
        lowestBitSet += std::fmod(steps, 2.0) == 1.0;
    }
    QVERIFY(smallest < 0.001); // spread over the whole interval
    QVERIFY(largest > 0.999);
    // All 53 bits are random, the last one included.
    QVERIFY2(std::abs(lowestBitSet - draws / 2) < 2000, qPrintable(QString::number(lowestBitSet)));
}

static void handledElsewhere(int) {}

void tst_Runtime::terminationSignalsComeThroughTheEventLoop()
{
    // As under nohup, SIGHUP is ignored from the start; SIGINT has a handler of another's.
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    struct sigaction elsewhere {};
    elsewhere.sa_handler = handledElsewhere;
    struct sigaction term {}, hup {}, interrupt {};
    QCOMPARE(sigaction(SIGTERM, nullptr, &term), 0);
    QCOMPARE(sigaction(SIGHUP, &ignore, &hup), 0);
    QCOMPARE(sigaction(SIGINT, &elsewhere, &interrupt), 0);
    const auto action = [](int signalNumber) {
        struct sigaction now {};
        sigaction(signalNumber, nullptr, &now);
        return now.sa_handler;
    };
    {
        TerminationSignals watcher;
        QSignalSpy received(&watcher, &TerminationSignals::received);
        QCOMPARE(raise(SIGTERM), 0); // ends nothing: told as the event loop comes round
        QVERIFY(received.wait(kLoadedMs));
        QCOMPARE(received.first().first().toInt(), SIGTERM);
        QVERIFY(action(SIGHUP) == SIG_IGN);
    }
    // Each signal does again what it did before.
    QVERIFY(action(SIGTERM) == term.sa_handler); // Qt Test's own
    QVERIFY(action(SIGHUP) == SIG_IGN);
    QVERIFY(action(SIGINT) == &handledElsewhere);
    sigaction(SIGHUP, &hup, nullptr);
    sigaction(SIGINT, &interrupt, nullptr);
    sigaction(SIGTERM, &term, nullptr);
}

QTEST_GUILESS_MAIN(tst_Runtime)
#include "tst_runtime.moc"
