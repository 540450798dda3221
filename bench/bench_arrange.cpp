// One whole automatic arrangement on the large school (16 rows x 200 classes, 400 teachers): a
// day that has a clash-free arrangement, whose lessons were shuffled within every class, is
// arranged from its snapshot until no clash is left. Measured without and with what the window
// adds per cycle (writing the working copy into the grid and resolving the teachers).
#include "arrange/arrangement.h"
#include "benchschool.h"
#include "day/poiskuchit.h"
#include "rng.h"

#include <benchmark/benchmark.h>

#include <QSet>

#include <optional>

namespace {

// The large school with a realistic day: every class has 10..14 lessons from row 1, chosen so
// that no teacher has two lessons in a row; one lesson in twenty is pinned where it stands; then
// every class's free lessons are shuffled among its free rows 1..n.
rasp::State makeDay()
{
    rasp::State s = bench::makeSchool();
    std::mt19937 g(42);
    // The teacher list of each subject of each class, resolved once on a grid of 15 subjects.
    std::vector<QStringList> subjects(bench::kClasses + 1);
    for (int j = 1; j <= bench::kClasses; ++j) {
        QSet<QString> seen;
        for (int m = 1; m <= s.pedvis; ++m)
            for (const QString &line : s.Predmet[m][j])
                if (!seen.contains(line)) {
                    seen.insert(line);
                    subjects[j] << line;
                }
        for (int i = 1; i <= bench::kRows; ++i)
            s.grid.cell(i, j).subject = i <= subjects[j].size() ? subjects[j].at(i - 1) : QString();
    }
    rasp::day::PoiskUchit(s, QString());
    std::vector<std::vector<QString>> lists(bench::kClasses + 1);
    for (int j = 1; j <= bench::kClasses; ++j)
        for (int n = 0; n < subjects[j].size(); ++n)
            lists[j].push_back(s.grid.cell(n + 1, j).teachers);

    std::vector<int> last(bench::kClasses + 1);
    for (int j = 1; j <= bench::kClasses; ++j)
        last[j] = 10 + int(g() % 5);
    for (int i = 1; i <= bench::kRows; ++i) {
        QSet<QString> used;
        for (int j = 1; j <= bench::kClasses; ++j) {
            rasp::day::Cell &c = s.grid.cell(i, j);
            c = rasp::day::Cell();
            if (i > last[j])
                continue;
            std::vector<int> order(subjects[j].size());
            for (std::size_t n = 0; n < order.size(); ++n)
                order[n] = int(n);
            std::shuffle(order.begin(), order.end(), g);
            bool placed = false;
            for (int n : order) {
                const QStringList names = lists[j][std::size_t(n)].split(QStringLiteral(", "));
                if (lists[j][std::size_t(n)].isEmpty() || std::any_of(names.begin(), names.end(), [&](const QString &x) { return used.contains(x); }))
                    continue;
                for (const QString &x : names)
                    used.insert(x);
                c.subject = subjects[j].at(n);
                c.room = QString::number(100 + int(g() % 120));
                placed = true;
                break;
            }
            if (!placed)
                last[j] = i - 1;
        }
    }
    for (int j = 1; j <= bench::kClasses; ++j) {
        std::vector<int> freeRows;
        for (int i = 1; i <= last[j]; ++i) {
            if (g() % 20 == 0)
                rasp::day::LockCell(s.grid.cell(i, j));
            else
                freeRows.push_back(i);
        }
        std::vector<rasp::day::Cell> cells;
        for (int i : freeRows)
            cells.push_back(s.grid.cell(i, j));
        std::shuffle(cells.begin(), cells.end(), g);
        for (std::size_t n = 0; n < freeRows.size(); ++n)
            s.grid.cell(freeRows[n], j) = cells[n];
    }
    rasp::day::PoiskUchit(s, QString());
    return s;
}

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
    const rasp::State day = makeDay();
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
    const rasp::State day = makeDay();
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
    rasp::State s = makeDay();
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
