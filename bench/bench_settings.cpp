// Reading setting.ini with very many rooms: every start of the editor and every CLI command pays it.
#include "settings/settings.h"
#include "state.h"
#include "text/textfile.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// SetLoad of a file with `range(0)` distinct rooms in no particular order.
void BM_SetLoadRooms(benchmark::State &st)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("setting.ini"));
    QStringList lines;
    const int rooms = int(st.range(0));
    for (int k = 0; k < rooms; ++k)
        lines << QStringLiteral("к%1").arg((k * 7919) % rooms);
    lines << QStringLiteral("~end~") << QStringLiteral("~end~");
    rasp::text::writeLines(path, lines);
    for (auto _ : st) {
        rasp::State s;
        benchmark::DoNotOptimize(rasp::settings::SetLoad(s, path));
    }
}
BENCHMARK(BM_SetLoadRooms)->Arg(100000)->Arg(200000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
