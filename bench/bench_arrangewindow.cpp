// One whole automatic arrangement through the window: the large school's day (16 rows x 200
// classes, 400 teachers, see arrangeday.h) saved as today's day, the window started on it
// offscreen, and "Старт" clicked; the run shows and paints the grid after every cycle and
// handles the window's events once per cycle, as it does for the user. The day file keeps no
// pins, so no lesson is locked here.
#include "arrangeday.h"
#include "arrange/arrangement.h"
#include "day/dayfile.h"
#include "load/nagruzfile.h"
#include "shell/overlaypanel.h"
#include "settings/settings.h"
#include "text/textfile.h"
#include "arrange/arrangecontroller.h"
#include "tform1.h"
#include "widgetbenchmain.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <benchmark/benchmark.h>

namespace {

QTemporaryDir &workFolder()
{
    static QTemporaryDir dir;
    static const bool written = [] {
        QDir::setCurrent(dir.path());
        rasp::State s = bench::makeArrangeDay();
        for (int j = 1; j <= bench::kClasses; ++j)
            for (int i = 1; i <= bench::kRows; ++i)
                rasp::day::UnlockCell(s.grid.cell(i, j));
        rasp::settings::Settings settings;
        settings.lessonRows = bench::kRows;
        QDir().mkpath(QStringLiteral("r_data"));
        return rasp::load::NagruzSave(s)
               && rasp::text::writeLines(rasp::settings::SettingsPath(), rasp::settings::SettingsLines(settings, 0, 0))
               && rasp::day::RaspSave(s, QDir::current().filePath(rasp::day::DayFilePath(QDate::currentDate())));
    }();
    if (!written)
        qFatal("the work folder could not be written");
    QDir::setCurrent(dir.path());
    return dir;
}

void BM_ArrangeFullRunInTheWindow(benchmark::State &st)
{
    workFolder();
    qint64 cycles = 0;
    bool finished = true;
    quint64 seed = 0;
    for (auto _ : st) {
        st.PauseTiming();
        TForm1 form;
        form.resize(1350, 1030);
        form.show();
        QApplication::processEvents();
        if (form.state().klassvis != bench::kClasses || form.state().max_ur != bench::kRows)
            st.SkipWithError("the school was not read whole");
        // Answers the start question and counts the cycles of the run.
        QTimer answer;
        QObject::connect(&answer, &QTimer::timeout, [&] {
            if (form.widgets().Rct_soobDlg->isVisible() && form.widgets().resDial.isEmpty())
                form.widgets().ButtonSoob1->click();
            if (form.arrange().randomRun())
                cycles = std::max<qint64>(cycles, form.arrange().randomRun()->cycles());
        });
        answer.start(0);
        form.arrange().setSeed(++seed); // a fixed seed: some seeds need far more cycles than others
        const qint64 before = cycles;
        cycles = 0;
        st.ResumeTiming();
        form.arrange().startButton()->click();
        st.PauseTiming();
        finished = finished && form.widgets().noticeText == rasp::arrange::kDone;
        cycles += before;
        st.ResumeTiming();
    }
    st.counters["cycles_seen"] = benchmark::Counter(double(cycles), benchmark::Counter::kAvgIterations);
    st.counters["finished"] = finished ? 1 : 0;
}
BENCHMARK(BM_ArrangeFullRunInTheWindow)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char **argv)
{
    return runWidgetBenchmarks(argc, argv);
}
