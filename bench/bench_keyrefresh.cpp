// The refresh after a key release in a lesson cell, on 16 rows x 200 classes with 400 teachers:
// teacher resolution, the room check, pinning without questions and the two limit lists.
#include "benchschool.h"
#include "day/counters.h"
#include "day/kabpoisk.h"
#include "day/poiskuchit.h"
#include "refresh.h"

#include <benchmark/benchmark.h>

namespace {

void BM_KeyReleaseRefresh(benchmark::State &st)
{
    rasp::State s = bench::makeSchool();
    bench::addRoomsAndPins(s);
    for (auto _ : st) {
        // What a key release in a subject field and one in a room field refresh together.
        rasp::Refresh(s, rasp::refresh::SubjectTyped | rasp::refresh::RoomChanged);
        const rasp::day::LimitList max = rasp::day::MaxUrVsego(s);
        const rasp::day::LimitList gaps = rasp::day::MaxRepUr(s, max.items.at(max.selected).toInt());
        benchmark::DoNotOptimize(gaps.items.size());
    }
    int red = 0;
    int locked = 0;
    for (int j = 1; j <= bench::kClasses; ++j)
        for (int i = 1; i <= bench::kRows; ++i) {
            red += s.grid.cell(i, j).roomColour == rasp::day::kRed;
            locked += s.grid.cell(i, j).locked();
        }
    st.counters["red_rooms"] = red;
    st.counters["locked_cells"] = locked;
}
BENCHMARK(BM_KeyReleaseRefresh)->Unit(benchmark::kMillisecond);

void BM_KabPoisk(benchmark::State &st)
{
    rasp::State s = bench::makeSchool();
    for (int j = 1; j <= bench::kClasses; ++j)
        for (int i = 1; i <= bench::kRows; ++i)
            s.grid.cell(i, j).room = QString::number((i * 7 + j * 13) % 45 + 1);
    for (auto _ : st) {
        rasp::day::KabPoisk(s, 1, 0, QString());
        benchmark::DoNotOptimize(s.grid.cell(1, 1).roomColour);
    }
}
BENCHMARK(BM_KabPoisk)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
