#pragma once
// Generated days for the arrangement benchmarks, built straight into a snapshot: a day with a
// clash-free arrangement, every class's free lessons then shuffled among its free rows.
#include "arrange/analysis.h"
#include "arrange/tpodbor.h"
#include "day/cell.h"

#include <QSet>

#include <algorithm>
#include <random>

namespace bench {

struct GeneratedDay {
    rasp::arrange::TPodbor snapshot;
    rasp::arrange::Options options;
    QStringList classNames;
    int lessons = 0;
    int lessonsInClash = 0; // lessons that share a teacher with another lesson of their row
    int shuffleMoves = 0;   // lessons the shuffle took away from their row
};

// `classes` classes x `rows` rows, `teachers` teachers; every class learns 15 subjects, each from
// one teacher (one subject in ten from two, as a list "A, B": a group lesson); it has `rows` - 6 ..
// `rows` - 2 lessons from row 1, chosen row by row so that no teacher has two lessons in a row;
// one lesson in twenty is locked where it stands, and so is every lesson of the first
// `pinnedSubjects` of the 15 subjects (a pinned subject); `shuffledPercent` of the classes then
// have their other lessons shuffled within the class. R = rows, P = 0.
inline GeneratedDay makeGeneratedDay(int classes, int rows, int teachers, unsigned seed, int pinnedSubjects = 0,
                                     int shuffledPercent = 100)
{
    std::mt19937 g(seed);
    GeneratedDay day;
    day.options.max_ur = rows;
    day.options.klassvis = classes;
    day.options.R = rows;
    day.options.P = 0;
    auto name = [](int m) { return QStringLiteral("Учитель%1 А. Б.").arg(m); };
    // Per class its subjects' teacher lists.
    std::vector<std::vector<QStringList>> lists(static_cast<std::size_t>(classes + 1));
    for (int j = 1; j <= classes; ++j) {
        day.classNames << QStringLiteral("%1%2").arg(1 + (j - 1) / 20).arg(QChar(u'А' + (j - 1) % 20));
        for (int k = 0; k < 15; ++k) {
            QStringList l{name(int(g() % unsigned(teachers)))};
            if (g() % 10 == 0)
                l << name(int(g() % unsigned(teachers)));
            lists[std::size_t(j)].push_back(l);
        }
    }
    rasp::arrange::TPodbor &p = day.snapshot;
    std::vector<int> last(static_cast<std::size_t>(classes + 1));
    for (int j = 1; j <= classes; ++j)
        last[std::size_t(j)] = rows - 6 + int(g() % 5);
    for (int i = 1; i <= rows; ++i) {
        QSet<QString> used;
        std::vector<int> order(static_cast<std::size_t>(classes));
        for (int j = 0; j < classes; ++j)
            order[std::size_t(j)] = j + 1;
        std::shuffle(order.begin(), order.end(), g);
        for (const int j : order) {
            if (i > last[std::size_t(j)])
                continue;
            std::vector<int> subjects(15);
            for (int k = 0; k < 15; ++k)
                subjects[std::size_t(k)] = k;
            std::shuffle(subjects.begin(), subjects.end(), g);
            bool placed = false;
            for (const int k : subjects) {
                const QStringList &l = lists[std::size_t(j)][std::size_t(k)];
                if (std::any_of(l.begin(), l.end(), [&](const QString &x) { return used.contains(x); }))
                    continue;
                for (const QString &x : l)
                    used.insert(x);
                p.itog_ur[i][j] = QStringLiteral("Предмет%1").arg(k);
                p.itog_uch[i][j] = l.join(QStringLiteral(", "));
                p.itog_kab[i][j] = QString::number(100 + int(g() % 120));
                const bool pinned = k < pinnedSubjects;
                p.itog_styl[i][j] = g() % 20 == 0 || pinned ? rasp::day::kStyleLocked : rasp::day::kStyleFree;
                placed = true;
                break;
            }
            if (!placed)
                last[std::size_t(j)] = i - 1;
        }
    }
    const rasp::arrange::TPodbor solved = p;
    for (int j = 1; j <= classes; ++j) {
        if (shuffledPercent < 100 && int(g() % 100) >= shuffledPercent)
            continue;
        std::vector<int> freeRows;
        for (int i = 1; i <= last[std::size_t(j)]; ++i)
            if (p.itog_styl[i][j] != rasp::day::kStyleLocked)
                freeRows.push_back(i);
        std::vector<int> from = freeRows;
        std::shuffle(from.begin(), from.end(), g);
        for (std::size_t n = 0; n < freeRows.size(); ++n) {
            const int to = freeRows[n];
            p.itog_ur[to][j] = solved.itog_ur[from[n]][j];
            p.itog_uch[to][j] = solved.itog_uch[from[n]][j];
            p.itog_kab[to][j] = solved.itog_kab[from[n]][j];
            if (p.itog_ur[to][j] != solved.itog_ur[to][j] || p.itog_uch[to][j] != solved.itog_uch[to][j])
                ++day.shuffleMoves;
        }
    }
    for (int i = 1; i <= rows; ++i)
        for (int j = 1; j <= classes; ++j) {
            if (p.itog_uch[i][j].isEmpty())
                continue;
            ++day.lessons;
            for (int k = 1; k <= classes; ++k)
                if (k != j && !p.itog_uch[i][k].isEmpty() && rasp::arrange::ListsConflict(p.itog_uch[i][j], p.itog_uch[i][k])) {
                    ++day.lessonsInClash;
                    break;
                }
        }
    p.ishod_ur = p.itog_ur;
    p.ishod_kab = p.itog_kab;
    p.ishod_uch = p.itog_uch;
    p.ishod_styl = p.itog_styl;
    return day;
}

} // namespace bench
