// Building the day grid model and one full repaint of the grid view for 16 rows x 200 classes.
#include "day/gridops.h"
#include "day/daygridview.h"
#include "edit/editfunnel.h"
#include "state.h"
#include "widgetbenchmain.h"

#include <QApplication>
#include <QImage>
#include <benchmark/benchmark.h>

namespace {

void fill(rasp::State &s)
{
    s.max_ur = 16;
    rasp::day::KlassCreate(s);
    for (int j = 1; j <= 200; ++j) {
        rasp::day::KlassCreate(s);
        s.grid.cell(0, j).subject = QString::number(5 + j % 7) + QChar(0x0410 + j % 3);
    }
}

void BM_BuildGridModel(benchmark::State &st)
{
    for (auto _ : st) {
        rasp::State s;
        fill(s);
        benchmark::DoNotOptimize(s.grid.columnCount());
    }
}
BENCHMARK(BM_BuildGridModel)->Unit(benchmark::kMillisecond);

void BM_FullRepaint(benchmark::State &st)
{
    rasp::State s;
    fill(s);
    const QString subjects[] = {QStringLiteral("Алгебра"), QStringLiteral("Рус.яз"), QStringLiteral("Физика"),
                                QStringLiteral("История"), QStringLiteral("Англ.яз")};
    for (int j = 1; j <= 200; ++j)
        for (int i = 1; i <= 16; ++i) {
            auto &c = s.grid.cell(i, j);
            c.subject = subjects[(i + j) % 5];
            c.room = QString::number(100 + (i * j) % 40);
            c.background = (i + j) % 3 ? 0xFFFFFFFF : 0xFF385623;
            if ((i * j) % 11 == 0)
                rasp::day::LockCell(c);
        }
    s.grid.ramkaVisible = true;
    rasp::ui::EditFunnel edits(s, {}, nullptr);
    rasp::ui::DayGridView view(s);
    view.setFunnel(&edits);
    // The whole grid at once: 200 columns of 60 px and 16 rows of 45 px, plus both strips.
    const QSize size(70 + 60 * 200 + 20, 30 + 45 * 16 + 120);
    view.resize(size);
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : st) {
        view.renderTo(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_FullRepaint)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return runWidgetBenchmarks(argc, argv);
}
