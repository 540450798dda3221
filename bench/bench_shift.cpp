// One move of a second-shift slider on the largest grid: every lock lifted, the pins applied
// again with their questions answered "Да", the cells outside each class's shift locked.
#include "benchschool.h"
#include "day/blocking.h"
#include "day/counters.h"

#include <benchmark/benchmark.h>

namespace {

void BM_SliderMoveSplit(benchmark::State &st)
{
    rasp::State s = bench::makeSchool();
    std::mt19937 rng(11);
    for (int j = 1; j <= bench::kClasses; ++j)
        for (int i = 1; i <= bench::kRows; ++i)
            if (rng() % 4 == 0)
                s.grid.cell(i, j).subject.clear(); // a quarter of the cells empty
    rasp::day::FillPinList(s);
    for (std::size_t n = 0; n < s.pins.size(); n += 10)
        s.pins[n].checked = true;
    s.chek_pderm = 1;
    s.vt_sm_x = 100;
    s.vt_sm_y = 8;
    const auto yes = [](const QString &) { return true; };
    for (auto _ : st) {
        rasp::day::VtorayaSmenaBlok(s, 1, yes);
        benchmark::DoNotOptimize(s.grid.cell(16, 1).style);
    }
    int locked = 0;
    for (int j = 1; j <= bench::kClasses; ++j)
        for (int i = 1; i <= bench::kRows; ++i)
            locked += s.grid.cell(i, j).locked();
    st.counters["locked_cells"] = locked;
}
BENCHMARK(BM_SliderMoveSplit)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
