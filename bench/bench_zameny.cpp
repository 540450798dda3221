// Substitutions on a large school (16 rows x 200 classes, 400 teachers): the sheet of one saved
// day against its template weekday, files read and resolved; the tally and the journal of
// substituted lessons over a school year (from the days' records, and compared without them).
#include "benchschool.h"
#include "day/dayfile.h"
#include "reports/journal.h"
#include "reports/zameny.h"
#include "reports/zamenytally.h"
#include "template/setka.h"

#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// Writes the template of every weekday (the school's day) and, from `from`, `days` calendar days
// of which every one but Sunday is saved: each class has one lesson replaced by the subject of
// another row and two rows swapped, at places that change from day to day.
void writeYear(rasp::State &s, QDate from, int days)
{
    QDir().mkpath(QStringLiteral("r_data"));
    QDir().mkpath(QStringLiteral("setka"));
    const QStringList tmpl = rasp::day::DayFileLines(s);
    for (int k = 1; k <= 7; ++k)
        rasp::text::writeLines(rasp::tmpl::SetkaPath(k), tmpl);
    const rasp::day::DayGrid original = s.grid;
    for (int d = 0; d < days; ++d) {
        const QDate date = from.addDays(d);
        if (date.dayOfWeek() == 7)
            continue;
        s.grid = original;
        for (int j = 1; j <= s.klassvis; ++j) {
            const int a = (d + j) % 16 + 1, b = (d + 3 * j) % 16 + 1, c = (d * 5 + j) % 16 + 1;
            std::swap(s.grid.cell(a, j).subject, s.grid.cell(b, j).subject);
            s.grid.cell(c, j).subject = s.grid.cell(c % 16 + 1, j).subject;
        }
        rasp::text::writeLines(rasp::day::DayFilePath(date), rasp::day::DayFileLines(s));
    }
    s.grid = original;
}

void BM_SheetOneDay16x200(benchmark::State &st)
{
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    rasp::State s = bench::makeSchool();
    const QDate date(2026, 12, 11);
    writeYear(s, date, 1);
    std::size_t changes = 0;
    for (auto _ : st) {
        const rasp::reports::ZamenyResult r = rasp::reports::ZamenyForDate(s, date);
        changes = r.sheet ? r.sheet->changes.size() : 0;
        benchmark::DoNotOptimize(changes);
    }
    st.counters["changes"] = double(changes);
}
BENCHMARK(BM_SheetOneDay16x200)->Unit(benchmark::kMillisecond);

void BM_TallyOfASchoolYear(benchmark::State &st)
{
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    rasp::State s = bench::makeSchool();
    const QDate from(2026, 9, 1);
    writeYear(s, from, 365);
    int days = 0;
    for (auto _ : st) {
        const rasp::reports::ZamenyTally t = rasp::reports::ZamenyPeriod(s, from, from.addDays(364));
        days = t.days;
        benchmark::DoNotOptimize(rasp::reports::TallyRows(t));
    }
    st.counters["days"] = days;
}
BENCHMARK(BM_TallyOfASchoolYear)->Unit(benchmark::kMillisecond)->Iterations(3);

// The journal of a school year; `recorded`: every day saved with its record, else each compared.
void journalOfAYear(benchmark::State &st, bool recorded)
{
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    rasp::State s = bench::makeSchool();
    const QDate from(2026, 9, 1);
    writeYear(s, from, 365);
    if (recorded)
        for (int d = 0; d < 365; ++d)
            if (from.addDays(d).dayOfWeek() != 7)
                rasp::reports::RecordDay(s, from.addDays(d));
    std::size_t lessons = 0;
    for (auto _ : st) {
        const rasp::reports::Journal j = rasp::reports::BuildJournal(s, from, from.addDays(364));
        lessons = j.entries.size();
        benchmark::DoNotOptimize(rasp::reports::JournalTotalRows(j));
    }
    st.counters["lessons"] = double(lessons);
}

void BM_JournalOfARecordedSchoolYear(benchmark::State &st)
{
    journalOfAYear(st, true);
}
BENCHMARK(BM_JournalOfARecordedSchoolYear)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_JournalOfAnUnrecordedSchoolYear(benchmark::State &st)
{
    journalOfAYear(st, false);
}
BENCHMARK(BM_JournalOfAnUnrecordedSchoolYear)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
