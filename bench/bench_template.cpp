// Writing and reading the whole weekly template, seven days of 16 rows x 200 classes: what the
// save on the template page, start-up and every save of the load page cost.
#include "day/gridops.h"
#include "state.h"
#include "template/setka.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

rasp::State fullTemplate(const QString &work)
{
    rasp::State s;
    s.max_ur = 16;
    for (int j = 0; j <= 200; ++j)
        rasp::day::KlassCreate(s);
    rasp::tmpl::SetkaLoad(s, work);
    for (int k = 1; k <= 7; ++k)
        for (int i = 1; i <= 16; ++i)
            for (int j = 1; j <= 200; ++j) {
                s.Setka[std::size_t(k)].SetkaMasUr[std::size_t(i)][std::size_t(j)] = QStringLiteral("Алгебра%1").arg(j % 9);
                s.Setka[std::size_t(k)].SetkaMasKab[std::size_t(i)][std::size_t(j)] = QString::number(100 + j);
            }
    rasp::tmpl::SetkaZapol(s, 1);
    return s;
}

void BM_SetkaSave7x16x200(benchmark::State &st)
{
    QTemporaryDir dir;
    rasp::State s = fullTemplate(dir.path());
    for (auto _ : st)
        benchmark::DoNotOptimize(rasp::tmpl::SetkaSave(s, dir.path()));
}
BENCHMARK(BM_SetkaSave7x16x200)->Unit(benchmark::kMillisecond);

void BM_SetkaLoad7x16x200(benchmark::State &st)
{
    QTemporaryDir dir;
    rasp::State s = fullTemplate(dir.path());
    rasp::tmpl::SetkaSave(s, dir.path());
    for (auto _ : st)
        benchmark::DoNotOptimize(rasp::tmpl::SetkaLoad(s, dir.path()));
}
BENCHMARK(BM_SetkaLoad7x16x200)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
