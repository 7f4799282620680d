#include "generator/draw.h"
#include "generator/rangecheck.h"
#include "generator/runningaverage.h"
#include "runtime/randomgenerator.h"
#include "support/countinggenerator.h"
#include "support/locales.h"
#include "support/sequencegenerator.h"

#include <QLocale>
#include <QTest>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <map>
#include <vector>

class tst_Draw : public QObject
{
    Q_OBJECT

private slots:
    void rangeCheck_data();
    void rangeCheck();
    void candidates_data();
    void candidates();
    void minimumIsHalfAsLikely_data();
    void minimumIsHalfAsLikely();
    void wideRangesUseEveryNumber_data();
    void wideRangesUseEveryNumber();
    void drawsLieBetweenTheBounds_data();
    void drawsLieBetweenTheBounds();
    void blockDrawsAsOneAtATime_data();
    void blockDrawsAsOneAtATime();
    void nearestAfterEveryAttemptMissed();
    void averageOfDraws_data();
    void averageOfDraws();
};

void tst_Draw::rangeCheck_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("minimum");
    QTest::addColumn<QString>("maximum");
    QTest::addColumn<RangeVerdict>("verdict");

    QTest::newRow("both empty") << c << "" << "" << RangeVerdict::NotNumbers;
    QTest::newRow("maximum empty") << c << "5" << "" << RangeVerdict::NotNumbers;
    QTest::newRow("maximum 12abc") << c << "5" << "12abc" << RangeVerdict::NotNumbers;
    QTest::newRow("minimum inf") << c << "inf" << "5" << RangeVerdict::NotNumbers;
    QTest::newRow("equal") << c << "5" << "5" << RangeVerdict::MinNotBelowMax;
    QTest::newRow("reversed") << c << "10" << "5" << RangeVerdict::MinNotBelowMax;
    QTest::newRow("minimum negative") << c << "-5" << "5" << RangeVerdict::Negative;
    QTest::newRow("both negative, ascending") << c << "-10" << "-5" << RangeVerdict::Negative;
    QTest::newRow("both negative, reversed: order first") << c << "-5" << "-10" << RangeVerdict::MinNotBelowMax;
    QTest::newRow("0 to 1") << c << "0" << "1" << RangeVerdict::Valid;
    QTest::newRow("fractions pass, with nothing to draw") << c << "0.5" << "0.75" << RangeVerdict::NoWholeNumber;
    QTest::newRow("fractions around a whole number") << c << "0.5" << "1.75" << RangeVerdict::Valid;
    QTest::newRow("exponents by value") << c << "1e2" << "2e2" << RangeVerdict::Valid;
    QTest::newRow("blanks around") << c << " 1 " << " 6 " << RangeVerdict::Valid;
    // Both bounds are compared as the draw reads them.
    QTest::newRow("en_US: 1,000 is a thousand") << enUS << "1,000" << "5" << RangeVerdict::MinNotBelowMax;
    QTest::newRow("en_US: 1,000 to 5,000") << enUS << "1,000" << "5,000" << RangeVerdict::Valid;
    QTest::newRow("de_DE: 0,5 is a half") << deDE << "0,5" << "0,25" << RangeVerdict::MinNotBelowMax;
    QTest::newRow("de_DE: 0.5 is no number") << deDE << "0.5" << "1" << RangeVerdict::NotNumbers;
}

void tst_Draw::rangeCheck()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, minimum);
    QFETCH(QString, maximum);
    QFETCH(RangeVerdict, verdict);
    const RangeCheck check = checkRange(minimum, maximum, locale);
    QCOMPARE(check.verdict, verdict);
    // The bounds pass the check (the user is not told to start again) unless a test refuses them.
    const bool passes = verdict == RangeVerdict::Valid || verdict == RangeVerdict::NoWholeNumber;
    QCOMPARE(check.boundsRefused(), !passes);
    QCOMPARE(check.range.has_value(), verdict == RangeVerdict::Valid);
}

void tst_Draw::candidates_data()
{
    QTest::addColumn<double>("minimum");
    QTest::addColumn<double>("maximum");
    QTest::addColumn<double>("value"); // of the generator
    QTest::addColumn<double>("candidate");

    const double largest = 1 - 0x1p-53;
    QTest::newRow("0 to 1: below the half") << 0.0 << 1.0 << 0.25 << 0.0;
    QTest::newRow("0 to 1: above the half") << 0.0 << 1.0 << 0.75 << 1.0;
    QTest::newRow("0 to 1: the last value below the half") << 0.0 << 1.0 << 0.5 - 0x1p-53 << 0.0;
    QTest::newRow("0 to 1: 0.5 stands for values above the half") << 0.0 << 1.0 << 0.5 << 1.0;
    QTest::newRow("0 to 10") << 0.0 << 10.0 << 0.7 << 7.0;
    QTest::newRow("5 to 10: the minimum first") << 5.0 << 10.0 << 0.0 << 5.0;
    QTest::newRow("5 to 10: the maximum last") << 5.0 << 10.0 << largest << 10.0;
    QTest::newRow("0 to 2^30: the maximum") << 0.0 << 0x1p30 << largest << 0x1p30;
    QTest::newRow("0 to 2^30: an odd number") << 0.0 << 0x1p30 << 0x1p-30 << 1.0;
    QTest::newRow("0 to 2^53 - 1: the maximum") << 0.0 << 0x1p53 - 1 << largest << 0x1p53 - 1;
    QTest::newRow("2^52 to 2^52 + 2: the minimum") << 0x1p52 << 0x1p52 + 2 << 0.19 << 0x1p52;
    QTest::newRow("2^52 to 2^52 + 2: then one more") << 0x1p52 << 0x1p52 + 2 << 0.21 << 0x1p52 + 1;
    QTest::newRow("2^52 to 2^52 + 2: the maximum") << 0x1p52 << 0x1p52 + 2 << largest << 0x1p52 + 2;
    // Bounds that are not whole: r = 0 gives 2.5, which rounds to the even 2.
    QTest::newRow("2.5 to 7.5: halfway to even") << 2.5 << 7.5 << 0.0 << 2.0;
}

void tst_Draw::candidates()
{
    QFETCH(double, minimum);
    QFETCH(double, maximum);
    QFETCH(double, value);
    QFETCH(double, candidate);
    QCOMPARE(DrawRange(minimum, maximum).candidate(value), candidate);
}

static std::map<double, int> tally(const DrawRange &range, RandomGenerator &generator, int draws)
{
    std::map<double, int> counts;
    for (int i = 0; i < draws; ++i)
        ++counts[DrawRandomNumber(range, generator)];
    return counts;
}

void tst_Draw::minimumIsHalfAsLikely_data()
{
    QTest::addColumn<double>("minimum");
    QTest::addColumn<QList<int>>("counts"); // of minimum, minimum + 1, ... for values evenly spread

    QTest::newRow("5 to 10: 5 is 1 in 11, 6 to 10 each 2 in 11")
        << 5.0 << QList<int> { 1000, 2000, 2000, 2000, 2000, 2000 };
    QTest::newRow("0 to 4: 0 and 4 half as likely") << 0.0 << QList<int> { 500, 1000, 1000, 1000, 500 };
    QTest::newRow("2^52 to 2^52 + 2: 1 in 5, 2 in 5, 2 in 5") << 0x1p52 << QList<int> { 1000, 2000, 2000 };
}

void tst_Draw::minimumIsHalfAsLikely()
{
    QFETCH(double, minimum);
    QFETCH(QList<int>, counts);
    const double maximum = minimum + double(counts.size() - 1);
    int draws = 0;
    for (int count : counts)
        draws += count;
    SequenceGenerator generator = SequenceGenerator::evenlySpread(draws);
    const auto tallied = tally(DrawRange(minimum, maximum), generator, draws);
    QCOMPARE(tallied.size(), std::size_t(counts.size()));
    for (int i = 0; i < counts.size(); ++i)
        QVERIFY2(std::abs(tallied.at(minimum + i) - counts[i]) <= 1, qPrintable(QString::number(i)));
}

void tst_Draw::wideRangesUseEveryNumber_data()
{
    QTest::addColumn<double>("minimum");
    QTest::addColumn<double>("maximum");
    QTest::newRow("0 to 2^30") << 0.0 << 0x1p30;
    QTest::newRow("0 to 1000000") << 0.0 << 1e6;
    QTest::newRow("0 to 2^48") << 0.0 << 0x1p48;
    QTest::newRow("1 to 2^53 - 1") << 1.0 << 0x1p53 - 1;
}

void tst_Draw::wideRangesUseEveryNumber()
{
    QFETCH(double, minimum);
    QFETCH(double, maximum);
    MixingGenerator generator(42);
    const DrawRange range(minimum, maximum);
    const int draws = 300000;
    std::vector<double> values;
    int odd = 0;
    int multiplesOf64 = 0;
    for (int i = 0; i < draws; ++i) {
        const double value = DrawRandomNumber(range, generator);
        QVERIFY(value >= minimum && value <= maximum);
        values.push_back(value);
        odd += std::fmod(value, 2.0) == 1.0;
        multiplesOf64 += std::fmod(value, 64.0) == 0.0;
    }
    // Odd and even numbers, and the low bits in general, come out evenly: 5 standard deviations.
    QVERIFY2(std::abs(odd - draws / 2) < 5 * std::sqrt(draws / 4.0), qPrintable(QString::number(odd)));
    QVERIFY2(std::abs(multiplesOf64 - draws / 64) < 5 * std::sqrt(draws / 64.0),
             qPrintable(QString::number(multiplesOf64)));
    // Nearly every draw is a number not drawn before.
    std::sort(values.begin(), values.end());
    const auto distinct = std::unique(values.begin(), values.end()) - values.begin();
    const double expectedRepeats = double(draws) * draws / (2 * (maximum - minimum));
    QVERIFY2(double(draws - distinct) < expectedRepeats + 5 * std::sqrt(expectedRepeats) + 5,
             qPrintable(QString::number(distinct)));
}

void tst_Draw::drawsLieBetweenTheBounds_data()
{
    QTest::addColumn<double>("minimum");
    QTest::addColumn<double>("maximum");
    // The smallest and the largest number drawn: 0 for ranges too wide to meet both, NaN where no
    // number can be drawn.
    QTest::addColumn<double>("first");
    QTest::addColumn<double>("last");
    const double none = std::nan("");
    QTest::newRow("0.6 to 0.9") << 0.6 << 0.9 << none << none;
    QTest::newRow("0.5 to 0.75") << 0.5 << 0.75 << none << none;
    QTest::newRow("2.1 to 2.9") << 2.1 << 2.9 << none << none;
    QTest::newRow("reversed") << 10.0 << 5.0 << none << none;
    QTest::newRow("maximum zero") << -3.0 << 0.0 << none << none;
    QTest::newRow("0.6 to 1") << 0.6 << 1.0 << 1.0 << 1.0;
    QTest::newRow("1 to 1") << 1.0 << 1.0 << 1.0 << 1.0;
    QTest::newRow("2.5 to 3") << 2.5 << 3.0 << 3.0 << 3.0;
    QTest::newRow("2.5 to 7.5: 2, rounded from 2.5, is drawn again") << 2.5 << 7.5 << 3.0 << 7.0;
    QTest::newRow("10^9 to 10^9 + 10") << 1e9 << 1e9 + 10 << 1e9 << 1e9 + 10;
    // Sums beyond a double's range are drawn again, never infinite.
    QTest::newRow("10^308 to 1.7 10^308") << 1e308 << 1.7e308 << 0.0 << 0.0;
    QTest::newRow("half the largest double to the largest") << DBL_MAX / 2 << DBL_MAX << 0.0 << 0.0;
    QTest::newRow("0 to the largest double") << 0.0 << DBL_MAX << 0.0 << 0.0;
    QTest::newRow("10^300, a few doubles wide") << 1e300 << 1e300 * (1 + 1e-15) << 0.0 << 0.0;
}

void tst_Draw::drawsLieBetweenTheBounds()
{
    QFETCH(double, minimum);
    QFETCH(double, maximum);
    QFETCH(double, first);
    QFETCH(double, last);
    const DrawRange range(minimum, maximum);
    QCOMPARE(range.hasWholeNumber(), !std::isnan(first));
    if (!range.hasWholeNumber())
        return;
    MixingGenerator inner(5);
    CountingGenerator generator(inner);
    const int draws = 22000;
    const auto counts = tally(range, generator, draws);
    for (const auto &[value, count] : counts)
        QVERIFY2(std::isfinite(value) && value >= minimum && value <= maximum && value == std::round(value),
                 qPrintable(QString::number(value)));
    if (first > 0) { // every number between, the first and the last included
        QCOMPARE(counts.begin()->first, first);
        QCOMPARE(counts.rbegin()->first, last);
        QCOMPARE(double(counts.size()), last - first + 1);
    }
    // With r taken from the accepted interval, about one attempt a number.
    QVERIFY2(double(generator.draws) < draws * 1.01, qPrintable(QString::number(generator.draws)));
}

void tst_Draw::blockDrawsAsOneAtATime_data()
{
    QTest::addColumn<double>("minimum");
    QTest::addColumn<double>("maximum");
    QTest::newRow("0 to 10^6, exact") << 0.0 << 1e6;
    QTest::newRow("5 to 10, exact") << 5.0 << 10.0;
    QTest::newRow("0 to 2^53 - 1, exact") << 0.0 << 0x1p53 - 1;
    QTest::newRow("2.5 to 7.5") << 2.5 << 7.5;
    QTest::newRow("2^53 to 2^54") << 0x1p53 << 0x1p54;
}

void tst_Draw::blockDrawsAsOneAtATime()
{
    QFETCH(double, minimum);
    QFETCH(double, maximum);
    const DrawRange range(minimum, maximum);
    MixingGenerator blockGenerator(11);
    MixingGenerator oneGenerator(11);
    std::vector<double> block(5000);
    drawBlock(range, blockGenerator, block);
    for (const double number : block)
        QCOMPARE(number, DrawRandomNumber(range, static_cast<RandomGenerator &>(oneGenerator)));
}

void tst_Draw::nearestAfterEveryAttemptMissed()
{
    // From 2^51 + 0.5 to 2^51 + 1 the sums lie half a step apart, and those from generator values
    // below a quarter round halfway, to the even 2^51, below the minimum; those from three
    // quarters on round to 2^51 + 2, above the maximum. Each attempt misses with a chance of one
    // half, so 64 misses in a row come from a real generator with a chance of 2^-64.
    const DrawRange range(0x1p51 + 0.5, 0x1p51 + 1);
    QCOMPARE(range.candidate(0.0), 0x1p51);
    QCOMPARE(range.candidate(0.9), 0x1p51 + 2);
    SequenceGenerator missThenHit({ 0.0, 0.9, 0.5 });
    QCOMPARE(DrawRandomNumber(range, missThenHit), 0x1p51 + 1);
    QCOMPARE(missThenHit.draws, 3);
    // A generator that misses every time: the draw gives up after its last attempt.
    SequenceGenerator stuck({ 0.0 });
    QCOMPARE(DrawRandomNumber(range, stuck), 0x1p51 + 1);
    QCOMPARE(stuck.draws, kMaxDrawAttempts);
}

void tst_Draw::averageOfDraws_data()
{
    QTest::addColumn<QList<double>>("draws");
    QTest::addColumn<double>("average");
    QTest::newRow("one draw") << QList<double> { 7 } << 7.0;
    QTest::newRow("3 and 4") << QList<double> { 3, 4 } << 3.5;
    QTest::newRow("1, 2 and 2") << QList<double> { 1, 2, 2 } << 1.67;
    QTest::newRow("0.125 to even") << QList<double> { 0, 0, 0, 0, 0, 0, 0, 1 } << 0.12;
    QTest::newRow("0.375 to even") << QList<double> { 0, 0, 0, 0, 0, 1, 1, 1 } << 0.38;
    // Exact halves of the true mean, which the nearest double would round the other way.
    QList<double> draws(39, 448812);
    draws << 448833; // the mean is exactly 448812.525
    QTest::newRow("448812.525 to even") << draws << 448812.52;
    draws = QList<double>(169, 0) + QList<double>(31, 1); // 0.155
    QTest::newRow("0.155 to even") << draws << 0.16;
    draws = QList<double>(3, 0x1p53 - 1) << 0x1p53 - 2; // a mean with more digits than a double has
    QTest::newRow("beyond 2^53") << draws << 9007199254740990.75;
    QTest::newRow("huge draws: a sum beyond a double's range") << QList<double>(1000, 1.5e308) << 1.5e308;
}

void tst_Draw::averageOfDraws()
{
    QFETCH(QList<double>, draws);
    QFETCH(double, average);
    RunningAverage running;
    double last = -1;
    for (double value : draws)
        last = running.UpdateAverage(value);
    QCOMPARE(last, average);
    QCOMPARE(running.DrawCount, double(draws.size()));
}

QTEST_GUILESS_MAIN(tst_Draw)
#include "tst_draw.moc"
