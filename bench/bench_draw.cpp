#include "generator/rangecheck.h"
#include "generator/runningaverage.h"
#include "runtime/numberformat.h"
#include "runtime/randomgenerator.h"

#include <QLocale>
#include <QString>

#include <benchmark/benchmark.h>

#include <vector>

namespace {

// What the Generate button computes: the range read from the two texts, the draw and the new
// moving average.
void DrawAndAverage(benchmark::State &state, const char *minimum, const char *maximum)
{
    const QString minimumText = QString::fromLatin1(minimum);
    const QString maximumText = QString::fromLatin1(maximum);
    const QLocale locale = QLocale::c();
    RunningAverage average;
    for (auto _ : state) {
        const RangeCheck check = checkRange(minimumText, maximumText, locale);
        const double value = processGenerator().use(
            [&](RandomGenerator &generator) { return DrawRandomNumber(*check.range, generator); });
        benchmark::DoNotOptimize(average.UpdateAverage(value));
    }
}
BENCHMARK_CAPTURE(DrawAndAverage, 5_to_10, "5", "10");
BENCHMARK_CAPTURE(DrawAndAverage, 1e9_to_1e9_plus_10, "1000000000", "1000000010");

// One number of a batch, as the batch draws it: a block at a time from the program's own
// generator, with the range read once per batch. The time printed is per number.
void BatchDraw(benchmark::State &state)
{
    const DrawRange range(static_cast<double>(state.range(0)), static_cast<double>(state.range(1)));
    MixingGenerator generator(2026);
    std::vector<double> block(65536);
    for (auto _ : state) {
        drawBlock(range, generator, block);
        benchmark::DoNotOptimize(block.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(block.size()));
}
BENCHMARK(BatchDraw)->Args({ 0, 1000000 })->Args({ 1000000000, 1000000010 });

void NumberToText(benchmark::State &state)
{
    const QLocale locale = QLocale::c();
    double value = 1.67;
    for (auto _ : state) {
        benchmark::DoNotOptimize(numberToText(value, locale));
        value += 1;
    }
}
BENCHMARK(NumberToText);

void WholeNumberForFile(benchmark::State &state)
{
    char out[kMaxWholeNumberChars];
    double value = 1000000000;
    for (auto _ : state) {
        benchmark::DoNotOptimize(writeWholeNumber(value, out));
        value += 1;
    }
}
BENCHMARK(WholeNumberForFile);

} // namespace

BENCHMARK_MAIN();
