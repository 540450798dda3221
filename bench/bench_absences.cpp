// Covers on the large school (16 rows x 200 classes, 400 teachers): the ranked candidates of one
// open lesson, and the whole-day cover of ten absent teachers (about 50 open lessons).
#include "absences/absenceedit.h"
#include "absences/candidates.h"
#include "absences/daycover.h"
#include "benchschool.h"
#include "day/poiskuchit.h"

#include <benchmark/benchmark.h>

namespace {

namespace ab = rasp::absences;

// The bench school with teachers resolved and `absent` teachers away in rows 1..`rows`.
rasp::State schoolWithAbsences(int absent, int rows)
{
    rasp::State s = bench::makeSchool();
    rasp::day::PoiskUchit(s, QString());
    // The teachers of the first lessons of classes 1, 21, 41, ... (a group lesson: its first).
    for (int k = 0; k < absent; ++k) {
        const QString list = s.grid.cell(1, 1 + 20 * k).teachers;
        ab::MarkAbsent(s, list.left(list.indexOf(QLatin1Char(','))), 1, rows, QStringLiteral("болезнь"));
    }
    return s;
}

void BM_CandidatesOfOneLesson(benchmark::State &st)
{
    rasp::State s = schoolWithAbsences(1, 1);
    const ab::CoverCounts counts;
    int free = 0;
    for (auto _ : st) {
        const ab::DayFacts facts(s);
        const ab::CoverModel model(facts, counts, ab::Weights());
        const ab::Candidates list = ab::RankCandidates(model, 0);
        free = 0;
        for (const ab::Candidate &c : list.teachers)
            free += c.free ? 1 : 0;
        benchmark::DoNotOptimize(list.teachers.front().cost);
    }
    st.counters["free"] = free;
}
BENCHMARK(BM_CandidatesOfOneLesson)->Unit(benchmark::kMillisecond);

void BM_WholeDayCover(benchmark::State &st)
{
    rasp::State s = schoolWithAbsences(10, 6);
    const ab::CoverCounts counts;
    ab::DayCover cover;
    int open = 0;
    for (auto _ : st) {
        const ab::DayFacts facts(s);
        const ab::CoverModel model(facts, counts, ab::Weights());
        open = model.lessonCount();
        cover = ab::SolveDayCover(model);
        benchmark::DoNotOptimize(cover.total);
    }
    st.counters["open"] = open;
    st.counters["optimal"] = cover.optimal ? 1 : 0;
    st.counters["total"] = double(cover.total);
}
BENCHMARK(BM_WholeDayCover)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
