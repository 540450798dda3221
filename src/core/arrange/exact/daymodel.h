#pragma once

#include "arrange/analysis.h"
#include "arrange/tpodbor.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <vector>

namespace rasp::arrange::exact {

// The whole content a lesson carries when it moves: subject, room, teacher list and style.
struct LessonKind {
    QString subject;
    QString room;
    QString teachers;
    quint8 style = 0;
    std::vector<int> tokens; // numbers of the teacher tokens of `teachers` (see DayModel::tokens)
    std::vector<int> rows;   // rows the lessons of this kind hold now, ascending (rows past R too)
};

// One locked cell of rows 1..R: it never moves and no lesson is placed on it.
struct LockedCell {
    int row = 0;
    bool lesson = false;     // its subject text is not empty, so it belongs to the class's run
    std::vector<int> tokens; // teacher tokens of its list
};

// One class of the day as the exact arrangement sees it.
struct ClassModel {
    int column = 0;
    QString name;
    std::vector<LessonKind> kinds; // the movable lessons, identical ones grouped
    std::vector<LockedCell> locked;
    int movable = 0;           // number of movable lessons (sum of the kinds' counts)
    int runLength = 0;         // movable lessons + locked lessons of rows 1..R: the length of the class's run
    std::vector<int> starts;   // the rows its run may start at (locks and rows 1..R allow them)
    bool currentValid = false; // its lessons now form an acceptable run within rows 1..R
};

// The day of a snapshot's working copy (itog_*) reduced to what an arrangement may change: per
// class its movable lessons grouped by their whole content, its locked cells, and the rows its
// unbroken run of lessons may start at. A class's run holds all its movable lessons and its
// locked lessons of rows 1..R, starts at row P + 1 at the latest, ends at row R at the latest and
// contains no locked empty cell. Two lessons clash when their teacher lists share a token: the
// first name of a list and, when the list holds ", ", its whole second part.
class DayModel
{
public:
    DayModel(const TPodbor &rasp, const Options &options, const QStringList &classNames);

    const Options &options() const { return m_options; }
    int lastRow() const { return m_R; }
    const std::vector<ClassModel> &classes() const { return m_classes; }
    const QStringList &tokens() const { return m_tokens; }
    int lessonCount() const { return m_lessons; }

    // Whether the run that starts at `start` holds row `row` of class `c`.
    bool covers(const ClassModel &c, int start, int row) const { return row >= start && row < start + c.runLength; }
    // Whether row `row` of class `c` is locked.
    bool lockedAt(const ClassModel &c, int row) const;

private:
    int tokenId(const QString &token);
    std::vector<int> tokensOf(const QString &list);

    Options m_options;
    int m_R = 0;
    std::vector<ClassModel> m_classes;
    QStringList m_tokens;
    QHash<QString, int> m_tokenIds;
    int m_lessons = 0;
};

// One lesson the arrangement moved within its class.
struct MovedLesson {
    int column = 0;
    QString className;
    QString subject;
    int from = 0;
    int to = 0;
};

// A placement of every class's movable lessons: for each class (in DayModel order) and each row
// 1..R the index of the kind placed there, or -1 for none.
using Placement = std::vector<std::vector<int>>;

// The lessons a placement moves, per class in column order and, within a class, pairing the rows
// a kind leaves with the rows it takes in ascending order.
std::vector<MovedLesson> MovedLessons(const DayModel &model, const Placement &placement);

// Writes a placement into the working copy (itog_*): placed lessons with their whole content,
// every other unlocked cell of rows 1..max_ur emptied with the free style. Locked cells stay.
void ApplyPlacement(const DayModel &model, const Placement &placement, TPodbor &rasp);

} // namespace rasp::arrange::exact
