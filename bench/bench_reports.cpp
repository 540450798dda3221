// The delivered-hours count over a school year of saved days, 16 rows x 200 classes each: what
// one "Рассчитать" costs apart from the per-day redraw and pause.
#include "day/dayfile.h"
#include "day/gridops.h"
#include "reports/vipolnenie.h"
#include "state.h"

#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

rasp::State fullDay(int variant)
{
    rasp::State s;
    s.max_ur = 16;
    for (int j = 0; j <= 200; ++j)
        rasp::day::KlassCreate(s);
    for (int i = 1; i <= 16; ++i)
        for (int j = 1; j <= 200; ++j)
            s.grid.cell(i, j).subject = QStringLiteral("Предмет%1").arg((i * 7 + j + variant) % 40);
    return s;
}

void BM_CountOneFullDay(benchmark::State &st)
{
    const rasp::State s = fullDay(0);
    const QStringList lines = rasp::day::DayFileLines(s);
    rasp::reports::Vipolnenie vip;
    rasp::reports::VipolnenieStart(s, vip);
    for (auto _ : st)
        rasp::reports::RaspVipLoad(s, vip, lines);
}
BENCHMARK(BM_CountOneFullDay)->Unit(benchmark::kMicrosecond);

void BM_PeriodOfAYear(benchmark::State &st)
{
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    QDir().mkpath(QStringLiteral("r_data"));
    const QDate from(2026, 9, 1);
    for (int d = 0; d < 365; ++d) {
        rasp::State day = fullDay(d);
        if (from.addDays(d).dayOfWeek() != 7)
            rasp::day::RaspSave(day, rasp::day::DayFilePath(from.addDays(d)));
    }
    const rasp::State s = fullDay(0);
    for (auto _ : st) {
        rasp::reports::Vipolnenie vip;
        rasp::reports::VipolnenieStart(s, vip);
        rasp::reports::RaschetPeriod(s, vip, from, from.addDays(364));
        benchmark::DoNotOptimize(rasp::reports::VipTable(vip));
    }
}
BENCHMARK(BM_PeriodOfAYear)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
