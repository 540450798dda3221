#pragma once

#include "absences/dayfacts.h"
#include "absences/history.h"
#include "absences/weights.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace rasp::absences {

// What is done with an open lesson.
enum class Action { Teacher,
                    Subject,
                    Move,
                    Cancel,
                    Open };

// The JSON and sheet word of an action: "teacher", "subject", "move", "cancel", "open".
QString ActionWord(Action action);

// One way of dealing with one open lesson, with what it costs and what it occupies.
struct Option {
    int lesson = 0; // index into the open lessons
    Action action = Action::Open;
    QString teacher;                       // Teacher/Subject: who gives the lesson (counted as a cover)
    QString kind;                          // the cover's kind
    QString subject;                       // Subject: the class's other subject taught instead
    int otherRow = 0;                      // Move: the row of the other lesson (its last, or a swap partner)
    bool swap = false;                     // Move: the two lessons exchange rows (else the last one moves up)
    int staticCost = 0;                    // the cost without the fairness term
    QStringList reasons;                   // short Russian badges
    std::vector<std::pair<int, int>> uses; // (name number, row) this option places a teacher in
    int fairName = -1;                     // the name number whose monthly count the option raises
    int partnerCell = -1;                  // Move: the other lesson's cell (row * 256 + column), used once
    int moveClass = 0;                     // Move of the last lesson: its column (one such move per class)
    int chainHead = 0;                     // Cancel: position in the class's open first lessons (1 = first)
    int chainTail = 0;                     // Cancel: position from the end in its open last lessons (1 = last)
};

// The open lessons of a day, every option of each, and the counts fairness starts from. The
// options of a lesson come in rank order; the number of an option there is its tie-break.
class CoverModel
{
public:
    CoverModel(const DayFacts &facts, const CoverCounts &counts, const Weights &weights);

    const DayFacts &facts() const { return m_facts; }
    const Weights &weights() const { return m_weights; }
    int cap() const { return m_cap; }
    int lessonCount() const { return int(m_lessonOptions.size()); }
    const std::vector<Option> &options(int lesson) const { return m_lessonOptions[std::size_t(lesson)]; }

    // Names the options place (teachers of the load and any other listed teacher), by number.
    int nameCount() const { return int(m_names.size()); }
    const QString &nameAt(int n) const { return m_names[std::size_t(n)]; }
    // Covers counted for a name before this proposal: the month so far and the day's own.
    int startCount(int n) const { return m_start[std::size_t(n)]; }
    // Pairs of different names that clash by the grid's rule (one holds the other).
    const std::vector<std::pair<int, int>> &clashingNames() const { return m_clashingNames; }

    // The cost of the k-th cover of a month (k from 1): convex, dearer beyond the cap.
    int marginal(int k) const { return m_weights.perCover * k + (k > m_cap ? m_weights.overCap : 0); }
    // The cost of an option chosen alone: its static cost and the fairness of one more cover.
    int aloneCost(const Option &o) const { return o.staticCost + (o.fairName >= 0 ? marginal(startCount(o.fairName) + 1) : 0); }

private:
    int nameNumber(const QString &name);
    void addTeacherOptions(int lesson);
    void addAlternatives(int lesson);
    void addCancellations();
    void rank(int lesson);

    const DayFacts &m_facts;
    const CoverCounts &m_counts;
    Weights m_weights;
    int m_cap = kDefaultMonthlyCap;
    std::vector<std::vector<Option>> m_lessonOptions;
    std::vector<QString> m_names;
    QHash<QString, int> m_nameIds;
    std::vector<int> m_start;
    std::vector<std::pair<int, int>> m_clashingNames;
};

// The presence badge and cost of a teacher free in `row`: a window between own lessons, next to
// one, some rows away, or no lessons that day.
struct Presence {
    QString badge;
    int cost = 0;
};
Presence PresenceOf(quint32 ownRows, int row, const Weights &weights);

} // namespace rasp::absences
