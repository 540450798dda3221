// Exporting the largest day, 16 rows x 200 classes, and a full week of template: building the
// layouts and writing the .xlsx and .docx files, what one press of the Excel or Word action costs.
#include "day/gridops.h"
#include "docxfile.h"
#include "reports/exportlayout.h"
#include "state.h"
#include "xlsxfile.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

rasp::State fullSchool()
{
    rasp::State s;
    s.max_ur = 16;
    for (int j = 0; j <= 200; ++j)
        rasp::day::KlassCreate(s);
    for (int j = 1; j <= 200; ++j)
        s.grid.cell(0, j).subject = QStringLiteral("%1А").arg(j);
    for (int i = 1; i <= 16; ++i)
        for (int j = 1; j <= 200; ++j) {
            s.grid.cell(i, j).subject = QStringLiteral("Алгебра%1").arg(j % 9);
            s.grid.cell(i, j).room = QString::number(100 + j);
        }
    for (int k = 1; k <= 7; ++k) {
        s.Setka[std::size_t(k)].resize(16, 201);
        for (int i = 1; i <= 16; ++i)
            for (int j = 1; j <= 200; ++j)
                s.Setka[std::size_t(k)].SetkaMasUr[std::size_t(i)][std::size_t(j)] = QStringLiteral("Физика");
    }
    s.note = QStringLiteral("Замена уроков");
    return s;
}

void BM_DayXlsx16x200(benchmark::State &st)
{
    QTemporaryDir dir;
    const rasp::State s = fullSchool();
    const QString path = dir.filePath(QStringLiteral("d.xlsx"));
    for (auto _ : st)
        benchmark::DoNotOptimize(rasp::exporter::WriteXlsx(rasp::reports::DaySheet(s, QDate(2026, 12, 9)), path));
}
BENCHMARK(BM_DayXlsx16x200)->Unit(benchmark::kMillisecond);

void BM_DayDocx16x200(benchmark::State &st)
{
    QTemporaryDir dir;
    const rasp::State s = fullSchool();
    const QString path = dir.filePath(QStringLiteral("d.docx"));
    for (auto _ : st)
        benchmark::DoNotOptimize(rasp::exporter::WriteDocx(rasp::reports::DayDocument(s, QDate(2026, 12, 9)), path));
}
BENCHMARK(BM_DayDocx16x200)->Unit(benchmark::kMillisecond);

void BM_TemplateXlsxWeek16x200(benchmark::State &st)
{
    QTemporaryDir dir;
    const rasp::State s = fullSchool();
    const QString path = dir.filePath(QStringLiteral("s.xlsx"));
    for (auto _ : st)
        benchmark::DoNotOptimize(rasp::exporter::WriteXlsx(rasp::reports::SetkaSheet(s), path));
}
BENCHMARK(BM_TemplateXlsxWeek16x200)->Unit(benchmark::kMillisecond);

void BM_TemplateDocxWeek16x200(benchmark::State &st)
{
    QTemporaryDir dir;
    const rasp::State s = fullSchool();
    const QString path = dir.filePath(QStringLiteral("s.docx"));
    for (auto _ : st)
        benchmark::DoNotOptimize(rasp::exporter::WriteDocx(rasp::reports::SetkaDocument(s), path));
}
BENCHMARK(BM_TemplateDocxWeek16x200)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
