// The exact arrangement beside the randomised run on generated days (bench/exactday.h), three
// days each: 200 classes x 16 rows x 400 teachers (group lessons, one subject of 15 pinned),
// 60 x 10 x 120, 60 x 10 x 90 tight (half the lessons in a clash) and 30 x 8 x 60 with 6 of the 15
// subjects pinned. Exact: time to the first clash-free day, to the proof, the fewest moves found
// within 10 s, the bound and whether they are proven fewest. Randomised: cycles and time until
// finished, or 60000 cycles.
#include "arrange/arrangement.h"
#include "arrange/exact/exactsolver.h"
#include "exactday.h"
#include "rng.h"

#include <QElapsedTimer>

#include <benchmark/benchmark.h>

namespace {

void dayCounters(benchmark::State &st, const bench::GeneratedDay &day)
{
    st.counters["lessons"] = day.lessons;
    st.counters["inClash"] = day.lessonsInClash;
    st.counters["shuffled"] = day.shuffleMoves;
}

// The generated day of a benchmark's arguments: classes, rows, teachers, seed, pinned subjects,
// share of shuffled classes.
bench::GeneratedDay dayOf(const benchmark::State &st)
{
    return bench::makeGeneratedDay(int(st.range(0)), int(st.range(1)), int(st.range(2)), unsigned(st.range(3)),
                                   int(st.range(4)), int(st.range(5)));
}

void BM_ExactArrangement(benchmark::State &st)
{
    const bench::GeneratedDay day = dayOf(st);
    for (auto _ : st) {
        rasp::arrange::TPodbor p = day.snapshot;
        qint64 firstMs = -1;
        int firstMoves = -1;
        qint64 provenMs = -1;
        rasp::arrange::exact::Limits limits;
        limits.timeLimitMs = 10000;
        limits.progress = [&](const rasp::arrange::exact::Progress &pr) {
            if (firstMs < 0 && pr.best >= 0) {
                firstMs = pr.ms;
                firstMoves = pr.best;
            }
            if (provenMs < 0 && pr.best >= 0 && pr.best == pr.lowerBound)
                provenMs = pr.ms;
        };
        const auto r = rasp::arrange::exact::SolveExact(p, day.options, day.classNames, limits);
        st.counters["solved"] = r.status == rasp::arrange::exact::Status::Solved ? 1 : 0;
        st.counters["firstDayMs"] = double(firstMs);
        st.counters["firstMoves"] = firstMoves;
        st.counters["moves"] = r.movedCount;
        st.counters["lowerBound"] = r.lowerBound;
        st.counters["optimal"] = r.optimal ? 1 : 0;
        st.counters["provenMs"] = double(provenMs);
        st.counters["ms"] = double(r.ms);
    }
    dayCounters(st, day);
}

// Lessons whose row now holds a different lesson than before the run (as the exact count).
int movedLessons(const bench::GeneratedDay &day, const rasp::arrange::TPodbor &p)
{
    int n = 0;
    for (int j = 1; j <= day.options.klassvis; ++j)
        for (int i = 1; i <= day.options.max_ur; ++i)
            if (!p.ishod_ur[i][j].isEmpty() && p.ishod_styl[i][j] != rasp::day::kStyleLocked
                && (p.ishod_ur[i][j] != p.itog_ur[i][j] || p.ishod_uch[i][j] != p.itog_uch[i][j]))
                ++n;
    return n;
}

// The run's own seed is the day's seed.
void BM_RandomisedRun(benchmark::State &st)
{
    const bench::GeneratedDay day = dayOf(st);
    for (auto _ : st) {
        rasp::arrange::TPodbor p = day.snapshot;
        rasp::Rng rng(quint64(st.range(3)));
        rasp::arrange::Arrangement run(p, day.options, rng);
        while (!run.finished() && run.cycles() < 60000)
            run.step();
        st.counters["finished"] = run.finished() ? 1 : 0;
        st.counters["moves"] = movedLessons(day, p);
        st.counters["cycles"] = double(run.cycles());
    }
    dayCounters(st, day);
}

void days(benchmark::internal::Benchmark *b)
{
    for (int seed = 1; seed <= 3; ++seed)
        b->Args({200, 16, 400, seed, 1, 100});
    for (int seed = 1; seed <= 3; ++seed)
        b->Args({60, 10, 120, seed, 0, 100});
    for (int seed = 1; seed <= 3; ++seed)
        b->Args({60, 10, 90, seed, 0, 100});
    for (int seed = 1; seed <= 3; ++seed)
        b->Args({30, 8, 60, seed, 6, 100});
}

BENCHMARK(BM_ExactArrangement)->Apply(days)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_RandomisedRun)->Apply(days)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
