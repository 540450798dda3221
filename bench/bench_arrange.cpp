// One whole automatic arrangement on the large school (16 rows x 200 classes, 400 teachers): a
// day that has a clash-free arrangement, whose lessons were shuffled within every class, is
// arranged from its snapshot until no clash is left. Measured without and with what the window
// adds per cycle (writing the working copy into the grid and resolving the teachers).
#include "arrange/arrangement.h"
#include "arrangeday.h"
#include "day/poiskuchit.h"
#include "rng.h"

#include <benchmark/benchmark.h>

#include <optional>

namespace {

rasp::arrange::Options fullDay()
{
    rasp::arrange::Options o;
    o.max_ur = bench::kRows;
    o.klassvis = bench::kClasses;
    o.R = bench::kRows;
    o.P = 0;
    return o;
}

// The run as the command line makes it: snapshot, cycles until finished, the result shown once.
void BM_ArrangeFullRun(benchmark::State &st)
{
    const rasp::State day = bench::makeArrangeDay();
    qint64 cycles = 0;
    bool finished = true;
    quint64 seed = 0;
    for (auto _ : st) {
        st.PauseTiming();
        rasp::State s = day;
        st.ResumeTiming();
        rasp::arrange::TakeSnapshot(s);
        rasp::Rng rng(++seed);
        rasp::arrange::Arrangement run(s.sost_rasp, fullDay(), rng);
        while (!run.finished() && run.cycles() < 1000000)
            run.step();
        rasp::arrange::ShowWorkingCopy(s);
        rasp::day::PoiskUchit(s, QString());
        cycles += run.cycles();
        finished = finished && run.finished();
    }
    st.counters["cycles"] = benchmark::Counter(double(cycles), benchmark::Counter::kAvgIterations);
    st.counters["finished"] = finished ? 1 : 0;
}
BENCHMARK(BM_ArrangeFullRun)->Unit(benchmark::kMillisecond)->Iterations(5);

// The same run with the window's work per cycle: the working copy written into the grid and the
// teachers resolved after every cycle (painting not included).
void BM_ArrangeFullRunShowingEachCycle(benchmark::State &st)
{
    const rasp::State day = bench::makeArrangeDay();
    qint64 cycles = 0;
    quint64 seed = 0;
    for (auto _ : st) {
        st.PauseTiming();
        rasp::State s = day;
        st.ResumeTiming();
        rasp::arrange::TakeSnapshot(s);
        rasp::Rng rng(++seed);
        rasp::arrange::Arrangement run(s.sost_rasp, fullDay(), rng);
        while (!run.finished() && run.cycles() < 1000000) {
            run.step();
            rasp::arrange::ShowWorkingCopy(s);
            rasp::day::PoiskUchit(s, QString());
        }
        cycles += run.cycles();
    }
    st.counters["cycles"] = benchmark::Counter(double(cycles), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_ArrangeFullRunShowingEachCycle)->Unit(benchmark::kMillisecond)->Iterations(5);

// One cycle of the engine alone on the shuffled day (the first cycles, with many clashes left).
void BM_ArrangeCycle(benchmark::State &st)
{
    rasp::State s = bench::makeArrangeDay();
    rasp::arrange::TakeSnapshot(s);
    rasp::Rng rng(1);
    std::optional<rasp::arrange::Arrangement> run(std::in_place, s.sost_rasp, fullDay(), rng);
    for (auto _ : st) {
        if (run->finished()) {
            st.PauseTiming();
            rasp::arrange::RestoreOriginal(s);
            rasp::arrange::TakeSnapshot(s);
            run.emplace(s.sost_rasp, fullDay(), rng);
            st.ResumeTiming();
        }
        run->step();
    }
}
BENCHMARK(BM_ArrangeCycle)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
