// Teacher resolution of a whole day, 16 rows x 200 classes with 400 teachers and 60 subjects.
#include "day/poiskuchit.h"
#include "benchschool.h"

#include <benchmark/benchmark.h>

namespace {

using bench::kClasses;
using bench::kRows;
using bench::makeSchool;

void runMode(benchmark::State &st, rasp::day::Regim regim)
{
    rasp::State s = makeSchool();
    s.regim = regim;
    for (auto _ : st) {
        rasp::day::PoiskUchit(s, QString());
        benchmark::DoNotOptimize(s.grid.cell(1, 1).background);
    }
    int coloured = 0;
    for (int j = 1; j <= kClasses; ++j)
        for (int i = 1; i <= kRows; ++i)
            coloured += s.grid.cell(i, j).background != rasp::day::kWhite;
    st.counters["coloured_cells"] = coloured;
}

void BM_PoiskUchitCoincidences(benchmark::State &st)
{
    runMode(st, rasp::day::Regim::Coincidences);
}
BENCHMARK(BM_PoiskUchitCoincidences)->Unit(benchmark::kMillisecond);

void BM_PoiskUchitEachTeacher(benchmark::State &st)
{
    runMode(st, rasp::day::Regim::Each);
}
BENCHMARK(BM_PoiskUchitEachTeacher)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
