#pragma once
// A large school for the benchmarks: 16 rows x 200 classes, 400 teachers, 60 subjects.
#include "day/counters.h"
#include "load/nagruzfile.h"
#include "state.h"

#include <algorithm>
#include <random>

namespace bench {

constexpr int kRows = 16;
constexpr int kClasses = 200;
constexpr int kTeachers = 400;
constexpr int kSubjects = 60;
constexpr int kSubjectsPerClass = 15;

// A school built through the load reader: every class learns 15 of the 60 subjects, each from one
// of that subject's teachers (one in ten split between two), and every lesson cell holds one of
// its class's subjects.
inline rasp::State makeSchool()
{
    std::mt19937 rng(20261210);
    const QString surnames[] = {QStringLiteral("Иванова"), QStringLiteral("Петров"), QStringLiteral("Смирнова"),
                                QStringLiteral("Кузнецов"), QStringLiteral("Соколова"), QStringLiteral("Попов")};
    const QString given[] = {QStringLiteral("Анна Сергеевна"), QStringLiteral("Олег Петрович"),
                             QStringLiteral("Мария Ивановна"), QStringLiteral("Игорь Юрьевич")};
    QStringList names;
    for (int m = 0; m < kTeachers; ++m)
        names << surnames[m % 6] + QString::number(m) + QLatin1Char(' ') + given[m % 4];
    QStringList subjects;
    for (int k = 0; k < kSubjects; ++k)
        subjects << QStringLiteral("Предм%1").arg(k);

    std::vector<std::vector<QStringList>> load(kTeachers, std::vector<QStringList>(kClasses));
    std::vector<std::vector<int>> classSubjects(kClasses);
    for (int j = 0; j < kClasses; ++j) {
        std::vector<int> all(kSubjects);
        for (int k = 0; k < kSubjects; ++k)
            all[k] = k;
        std::shuffle(all.begin(), all.end(), rng);
        classSubjects[j].assign(all.begin(), all.begin() + kSubjectsPerClass);
        for (int k : classSubjects[j]) {
            // Teachers m with m % 60 == k teach subject k.
            const int pool = kTeachers / kSubjects + (k < kTeachers % kSubjects ? 1 : 0);
            const int first = k + kSubjects * int(rng() % pool);
            load[first][j] << subjects[k];
            if (rng() % 10 == 0)
                load[k + kSubjects * int((first / kSubjects + 1) % pool)][j] << subjects[k];
        }
    }
    QStringList lines{QString()};
    for (int j = 0; j < kClasses; ++j)
        lines[0] += QStringLiteral("К%1|").arg(j + 1);
    for (int m = 0; m < kTeachers; ++m) {
        QString line = names[m] + QLatin1Char('|');
        for (int j = 0; j < kClasses; ++j)
            line += load[m][j].join(QLatin1Char(';')) + (load[m][j].isEmpty() ? QString() : QStringLiteral(";")) + QLatin1Char('|');
        lines << line;
    }
    lines << QStringLiteral("~end~");

    rasp::State s;
    s.max_ur = kRows;
    rasp::FillPalette(s);
    rasp::BuildPlaceholders(s);
    rasp::load::NagruzReport report;
    rasp::load::NagruzLoadLines(s, lines, 1, report);
    for (int j = 1; j <= kClasses; ++j)
        for (int i = 1; i <= kRows; ++i)
            s.grid.cell(i, j).subject = subjects[classSubjects[j - 1][rng() % kSubjectsPerClass]];
    return s;
}

// Rooms in every lesson cell, one or two out of 40 (so rows hold clashes), a few subjects
// cleared, and every tenth subject of the pin list pinned.
inline void addRoomsAndPins(rasp::State &s)
{
    std::mt19937 rng(7);
    for (int j = 1; j <= kClasses; ++j)
        for (int i = 1; i <= kRows; ++i) {
            rasp::day::Cell &c = s.grid.cell(i, j);
            const int r = int(rng() % 40) + 1;
            c.room = rng() % 8 == 0 ? QStringLiteral("%1/%2").arg(r).arg(r + 1) : QString::number(r);
            if (rng() % 20 == 0)
                c.subject.clear();
        }
    rasp::day::FillPinList(s);
    for (std::size_t n = 0; n < s.pins.size(); n += 10)
        s.pins[n].checked = true;
}

} // namespace bench
