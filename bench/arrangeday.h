#pragma once
// The large school of benchschool.h with a day for the automatic arrangement.
#include "benchschool.h"
#include "day/poiskuchit.h"

#include <QSet>

#include <algorithm>

namespace bench {

// The large school with a realistic day: every class has 10..14 lessons from row 1, chosen so
// that no teacher has two lessons in a row; one lesson in twenty is pinned where it stands; then
// every class's free lessons are shuffled among its free rows 1..n.
inline rasp::State makeArrangeDay()
{
    rasp::State s = bench::makeSchool();
    std::mt19937 g(42);
    // The teacher list of each subject of each class, resolved once on a grid of 15 subjects.
    std::vector<QStringList> subjects(bench::kClasses + 1);
    for (int j = 1; j <= bench::kClasses; ++j) {
        QSet<QString> seen;
        for (int m = 1; m <= s.pedvis; ++m)
            for (const QString &line : s.Predmet[m][j])
                if (!seen.contains(line)) {
                    seen.insert(line);
                    subjects[j] << line;
                }
        for (int i = 1; i <= bench::kRows; ++i)
            s.grid.cell(i, j).subject = i <= subjects[j].size() ? subjects[j].at(i - 1) : QString();
    }
    rasp::day::PoiskUchit(s, QString());
    std::vector<std::vector<QString>> lists(bench::kClasses + 1);
    for (int j = 1; j <= bench::kClasses; ++j)
        for (int n = 0; n < subjects[j].size(); ++n)
            lists[j].push_back(s.grid.cell(n + 1, j).teachers);

    std::vector<int> last(bench::kClasses + 1);
    for (int j = 1; j <= bench::kClasses; ++j)
        last[j] = 10 + int(g() % 5);
    for (int i = 1; i <= bench::kRows; ++i) {
        QSet<QString> used;
        for (int j = 1; j <= bench::kClasses; ++j) {
            rasp::day::Cell &c = s.grid.cell(i, j);
            c = rasp::day::Cell();
            if (i > last[j])
                continue;
            std::vector<int> order(subjects[j].size());
            for (std::size_t n = 0; n < order.size(); ++n)
                order[n] = int(n);
            std::shuffle(order.begin(), order.end(), g);
            bool placed = false;
            for (int n : order) {
                const QStringList names = lists[j][std::size_t(n)].split(QStringLiteral(", "));
                if (lists[j][std::size_t(n)].isEmpty() || std::any_of(names.begin(), names.end(), [&](const QString &x) { return used.contains(x); }))
                    continue;
                for (const QString &x : names)
                    used.insert(x);
                c.subject = subjects[j].at(n);
                c.room = QString::number(100 + int(g() % 120));
                placed = true;
                break;
            }
            if (!placed)
                last[j] = i - 1;
        }
    }
    for (int j = 1; j <= bench::kClasses; ++j) {
        std::vector<int> freeRows;
        for (int i = 1; i <= last[j]; ++i) {
            if (g() % 20 == 0)
                rasp::day::LockCell(s.grid.cell(i, j));
            else
                freeRows.push_back(i);
        }
        std::vector<rasp::day::Cell> cells;
        for (int i : freeRows)
            cells.push_back(s.grid.cell(i, j));
        std::shuffle(cells.begin(), cells.end(), g);
        for (std::size_t n = 0; n < freeRows.size(); ++n)
            s.grid.cell(freeRows[n], j) = cells[n];
    }
    rasp::day::PoiskUchit(s, QString());
    return s;
}

} // namespace bench
