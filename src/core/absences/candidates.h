#pragma once

#include "absences/covermodel.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace rasp {
struct State;
}

namespace rasp::absences {

// One teacher in the list of candidates for an open lesson.
struct Candidate {
    QString teacher;
    bool free = false;              // free in the row and not away: may take it
    int cost = 0;                   // the cost of taking it (free ones only)
    QStringList reasons;            // short Russian badges
    const Option *option = nullptr; // the model's option (free ones only)
};

// The candidates of one open lesson: every teacher, the free ones best first (within the monthly
// cap before over it, as their costs order them), then the busy, then the absent ones, by name;
// and the alternatives (another subject, a moved lesson, a cancellation), cheapest first.
struct Candidates {
    std::vector<Candidate> teachers;
    std::vector<const Option *> alternatives;
};

// Ranks the candidates of open lesson `lesson` of the model; the order is the model's own, so the
// whole-day cover of this lesson alone takes the first.
Candidates RankCandidates(const CoverModel &model, int lesson);

// The open lesson at a row of a class (by name), or -1.
int LessonAt(const DayFacts &facts, int row, const QString &className);

// Why there is no open lesson at a row of a class: no such class, an empty cell, a covered lesson,
// or no absent teacher (Russian).
QString NotOpenReason(const State &state, int row, const QString &className);

} // namespace rasp::absences
