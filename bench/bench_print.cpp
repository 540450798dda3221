// Printing and the web folder of the largest day, 16 rows x 200 classes with 400 teachers: the
// PDF of the day (laying out every cell with the wrapping rule and writing the file) and the
// day's web folder (about 600 pages, with the changes against a template read from the files).
#include "benchschool.h"
#include "day/dayfile.h"
#include "day/poiskuchit.h"
#include "pdffile.h"
#include "sheets/daysheets.h"
#include "template/setka.h"
#include "text/textfile.h"
#include "web/webfolder.h"

#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

const QDate kDate(2026, 12, 11);

// The bench school with rooms and teachers resolved, its day and a template saved in `dir`; the
// template has another subject in lesson 3 of every fourth class.
rasp::State savedSchool(const QString &dir)
{
    rasp::State s = bench::makeSchool();
    bench::addRoomsAndPins(s);
    s.note = QStringLiteral("Линейка в 8:15");
    rasp::day::PoiskUchit(s, QString());
    QDir(dir).mkpath(QStringLiteral("r_data"));
    QDir(dir).mkpath(QStringLiteral("setka"));
    rasp::text::writeLines(dir + QLatin1Char('/') + rasp::day::DayFilePath(kDate), rasp::day::DayFileLines(s));
    const auto subject = [&](int r, int j) {
        const QString &text = s.grid.cell(r, j).subject;
        return r == 3 && j % 4 == 0 ? s.grid.cell(4, j).subject : text;
    };
    const auto room = [&](int r, int j) { return s.grid.cell(r, j).room; };
    rasp::text::writeLines(dir + QLatin1Char('/') + rasp::tmpl::SetkaPath(kDate.dayOfWeek()),
                           rasp::day::DayFileLines(s.max_ur, s.klassvis, subject, room, QString()));
    return s;
}

void BM_DayPdf200Classes(benchmark::State &st)
{
    QTemporaryDir dir;
    const rasp::State s = savedSchool(dir.path());
    rasp::sheets::PrintDocument doc;
    int pages = 0;
    for (auto _ : st) {
        doc.tables = {rasp::sheets::DayTable(s, kDate)};
        QString error;
        if (!rasp::print::WritePdf(doc, dir.filePath(QStringLiteral("day.pdf")), &error, &pages))
            st.SkipWithError(error.toStdString().c_str());
    }
    st.counters["pages"] = pages;
}
BENCHMARK(BM_DayPdf200Classes)->Unit(benchmark::kMillisecond);

void BM_WebFolder200Classes400Teachers(benchmark::State &st)
{
    QTemporaryDir dir;
    const QString old = QDir::currentPath();
    QDir::setCurrent(dir.path());
    const rasp::State s = savedSchool(dir.path());
    std::size_t files = 0;
    for (auto _ : st) {
        const std::vector<rasp::web::WebPage> pages = rasp::web::DayWebPages(s, kDate);
        QString error;
        if (!rasp::web::WriteWebFolder(pages, dir.filePath(QStringLiteral("web")), &error))
            st.SkipWithError(error.toStdString().c_str());
        files = pages.size();
    }
    st.counters["pages"] = double(files);
    QDir::setCurrent(old);
}
BENCHMARK(BM_WebFolder200Classes400Teachers)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
