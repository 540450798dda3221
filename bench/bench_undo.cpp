// Undo and redo of a lesson move and the explanations of one cell, on 16 rows x 200 classes
// with 400 teachers: what the window does for a step, without painting.
#include "benchschool.h"
#include "day/counters.h"
#include "day/explain.h"
#include "day/gridsnapshot.h"
#include "day/kabpoisk.h"
#include "day/poiskuchit.h"
#include "refresh.h"

#include <benchmark/benchmark.h>

namespace {

// The bench school with rooms in every cell (some split, so rows hold red rooms) and pins.
rasp::State school()
{
    rasp::State s = bench::makeSchool();
    bench::addRoomsAndPins(s);
    rasp::day::PoiskUchit(s, QString());
    rasp::day::KabPoisk(s, 1, 0, QString());
    rasp::day::CheckList(s, 0, 1, s.max_ur);
    return s;
}

// The refresh that follows a restored step: teachers and colours, rooms, the two limit lists,
// and the snapshot the history keeps of the grid it leaves.
void refreshAfterRestore(rasp::State &s, const QString &selection)
{
    rasp::Refresh(s, rasp::refresh::LessonsMoved, {selection, QString(), {}});
    const rasp::day::LimitList max = rasp::day::MaxUrVsego(s);
    const rasp::day::LimitList gaps = rasp::day::MaxRepUr(s, max.items.at(max.selected).toInt());
    benchmark::DoNotOptimize(gaps.items.size());
    benchmark::DoNotOptimize(rasp::day::TakeGridSnapshot(s).cells.size());
}

// The change of a move of the lesson in row 2 of class 100 to row 9, as the window records it.
rasp::day::GridChange moveChange(rasp::State &s)
{
    const rasp::day::GridSnapshot before = rasp::day::TakeGridSnapshot(s);
    std::swap(s.grid.cell(2, 100).subject, s.grid.cell(9, 100).subject);
    std::swap(s.grid.cell(2, 100).room, s.grid.cell(9, 100).room);
    rasp::day::PoiskUchit(s, QString());
    rasp::day::KabPoisk(s, 1, 0, QString());
    return rasp::day::Difference(before, rasp::day::TakeGridSnapshot(s));
}

void BM_UndoRedoOfAMove(benchmark::State &st)
{
    rasp::State s = school();
    const rasp::day::GridChange change = moveChange(s);
    bool after = false;
    for (auto _ : st) {
        rasp::day::ApplyGridChange(s, change, after);
        refreshAfterRestore(s, QString());
        after = !after;
    }
    st.counters["changed_cells"] = double(change.cells.size());
}
BENCHMARK(BM_UndoRedoOfAMove)->Unit(benchmark::kMillisecond);

void BM_RecordAStep(benchmark::State &st)
{
    // What an edit adds to record itself: the grid after it, compared with the grid before.
    rasp::State s = school();
    const rasp::day::GridSnapshot before = rasp::day::TakeGridSnapshot(s);
    std::swap(s.grid.cell(2, 100).subject, s.grid.cell(9, 100).subject);
    for (auto _ : st)
        benchmark::DoNotOptimize(rasp::day::Difference(before, rasp::day::TakeGridSnapshot(s)).cells.size());
}
BENCHMARK(BM_RecordAStep)->Unit(benchmark::kMillisecond);

void BM_ExplainOneLesson(benchmark::State &st)
{
    rasp::State s = school();
    int lines = 0;
    int row = 1;
    for (auto _ : st) {
        lines += int(rasp::day::LessonClashLines(s, row, 100).size());
        row = row % bench::kRows + 1;
    }
    benchmark::DoNotOptimize(lines);
}
BENCHMARK(BM_ExplainOneLesson)->Unit(benchmark::kMicrosecond);

void BM_ExplainOneRoom(benchmark::State &st)
{
    rasp::State s = school();
    int lines = 0;
    int row = 1;
    for (auto _ : st) {
        lines += int(rasp::day::RoomClashLines(s, row, 100).size());
        row = row % bench::kRows + 1;
    }
    benchmark::DoNotOptimize(lines);
}
BENCHMARK(BM_ExplainOneRoom)->Unit(benchmark::kMicrosecond);

void BM_ExplainOneRowNumber(benchmark::State &st)
{
    rasp::State s = school();
    int lines = 0;
    int row = 1;
    for (auto _ : st) {
        lines += int(rasp::day::RowShapeLines(s, row, bench::kRows, 0).size());
        row = row % bench::kRows + 1;
    }
    benchmark::DoNotOptimize(lines);
}
BENCHMARK(BM_ExplainOneRowNumber)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
