// Opening the load page for a school of 200 classes x 400 teachers: the whole start-up that
// reads nagruz.ini and builds the window, then showing and painting the load page; the page
// alone on a ready model; and one scroll step of the matrix. Peak resident memory of the
// process is reported as the counter peak_rss_mb.
#include "day/gridops.h"
#include "load/loadmodel.h"
#include "load/nagruzfile.h"
#include "load/loadmatrixview.h"
#include "load/loadpage.h"
#include "state.h"
#include "text/textfile.h"
#include "tform1.h"
#include "widgetbenchmain.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QScrollBar>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kClasses = 200;
constexpr int kTeachers = 400;

// Peak resident set size of this process in MB (VmHWM).
double peakRssMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    return 0;
}

// A school: every teacher teaches one or two subjects in 20 of the 200 classes.
void fillSchool(rasp::State &s)
{
    const QString subjects[] = {QStringLiteral("Алгебра"), QStringLiteral("Рус.яз"), QStringLiteral("Физика"),
                                QStringLiteral("История"), QStringLiteral("Англ.яз"), QStringLiteral("Химия"),
                                QStringLiteral("Биология"), QStringLiteral("Геометрия"), QStringLiteral("ИЗО"),
                                QStringLiteral("Музыка"), QStringLiteral("Физ-ра"), QStringLiteral("Литература")};
    rasp::FillPalette(s);
    rasp::BuildPlaceholders(s);
    for (int j = 1; j <= kClasses; ++j) {
        const int c = rasp::day::KlassCreate(s);
        s.Klass[c] = QString::number(1 + j % 11) + QChar(0x0410 + j / 11);
    }
    for (int m = 1; m <= kTeachers; ++m) {
        const int t = rasp::load::PedCreate(s);
        s.PedFio[t].name = QStringLiteral("Учитель %1 Иванович").arg(m);
        for (int j = 1; j <= kClasses; ++j)
            if ((j + m) % 10 == 0) {
                s.Predmet[t][j] = QStringList{subjects[m % 12]};
                if (m % 3 == 0)
                    s.Predmet[t][j] << subjects[(m + 5) % 12];
            }
    }
}

QTemporaryDir &workFolder()
{
    static QTemporaryDir dir;
    static const bool written = [] {
        QDir::setCurrent(dir.path());
        rasp::State s;
        fillSchool(s);
        return rasp::load::NagruzSave(s);
    }();
    Q_UNUSED(written);
    QDir::setCurrent(dir.path());
    return dir;
}

void BM_OpenLoadPageFromStartUp(benchmark::State &st)
{
    workFolder();
    QImage image(QSize(1350, 1030), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : st) {
        TForm1 form;
        form.resize(1350, 1030);
        form.widgets().Tab_1->hide();
        form.widgets().Tab_2->show();
        form.show();
        form.render(&image);
        benchmark::DoNotOptimize(image.constBits());
        if (form.state().pedvis != kTeachers || form.state().klassvis != kClasses)
            st.SkipWithError("the load was not read whole");
        form.hide();
    }
    st.counters["peak_rss_mb"] = peakRssMb();
}
BENCHMARK(BM_OpenLoadPageFromStartUp)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_BuildLoadPage(benchmark::State &st)
{
    rasp::State s;
    fillSchool(s);
    QImage image(QSize(1350, 980), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : st) {
        rasp::ui::LoadPage page(s);
        page.resize(image.size());
        page.modelChanged();
        page.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
    st.counters["peak_rss_mb"] = peakRssMb();
}
BENCHMARK(BM_BuildLoadPage)->Unit(benchmark::kMillisecond);

void BM_ScrollMatrixOnePage(benchmark::State &st)
{
    rasp::State s;
    fillSchool(s);
    rasp::ui::LoadPage page(s);
    page.resize(1350, 980);
    page.modelChanged();
    QImage image(page.size(), QImage::Format_ARGB32_Premultiplied);
    QScrollBar *v = page.ScrollBox1->verticalScrollBar();
    QScrollBar *h = page.ScrollBox1->horizontalScrollBar();
    int step = 0;
    for (auto _ : st) {
        ++step;
        v->setValue((step * v->pageStep()) % (v->maximum() + 1));
        h->setValue((step * 7 * 65) % (h->maximum() + 1));
        page.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_ScrollMatrixOnePage)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return runWidgetBenchmarks(argc, argv);
}
