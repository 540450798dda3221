// Writing and reading a full day file, 16 rows x 200 classes: what every entry to the day page,
// every date switch and every save costs before the refresh.
#include "day/dayfile.h"
#include "day/gridops.h"
#include "state.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

rasp::State fullDay()
{
    rasp::State s;
    s.max_ur = 16;
    for (int j = 0; j <= 200; ++j)
        rasp::day::KlassCreate(s);
    for (int i = 1; i <= 16; ++i)
        for (int j = 1; j <= 200; ++j) {
            s.grid.cell(i, j).subject = QStringLiteral("Алгебра%1").arg(j % 9);
            s.grid.cell(i, j).room = QString::number(100 + j);
        }
    s.note = QStringLiteral("Замена уроков");
    return s;
}

void BM_RaspSave16x200(benchmark::State &st)
{
    QTemporaryDir dir;
    rasp::State s = fullDay();
    const QString path = dir.filePath(QStringLiteral("d.ini"));
    for (auto _ : st)
        benchmark::DoNotOptimize(rasp::day::RaspSave(s, path));
}
BENCHMARK(BM_RaspSave16x200)->Unit(benchmark::kMillisecond);

void BM_RaspLoad16x200(benchmark::State &st)
{
    QTemporaryDir dir;
    rasp::State s = fullDay();
    const QString path = dir.filePath(QStringLiteral("d.ini"));
    rasp::day::RaspSave(s, path);
    for (auto _ : st)
        benchmark::DoNotOptimize(rasp::day::RaspLoad(s, path, 1));
}
BENCHMARK(BM_RaspLoad16x200)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
