#pragma once

namespace rasp::absences {

// The costs of covering an open lesson: the ranking of candidates sorts by them and the whole-day
// cover minimises their total, so the two never disagree. Integers, so totals are exact.
struct Weights {
    int otherSubject = 40;     // the teacher does not teach the lesson's subject anywhere
    int unknownClass = 10;     // the teacher does not teach this class
    int adjacent = 3;          // the free row is next to one of the teacher's own lessons
    int perRowAway = 2;        // and for every further free row between them
    int special = 35;          // the teacher has no lesson that day and comes specially
    int perCover = 3;          // the k-th cover of the month costs perCover * k (convex fairness)
    int overCap = 200;         // each cover beyond the monthly cap; above every other teacher cost
    int otherSubjectSwap = 25; // another subject of the class whose teacher is free now
    int swap = 15;             // the lesson swapped with another lesson of its class
    int moveLast = 30;         // the class's last lesson moved into the row (the class ends earlier)
    int cancel = 45;           // the first or last lesson of the class cancelled
    int leaveOpen = 1000;      // no cover found: the lesson stays open
};

// The two presets of the page: "сначала по предмету" and "сначала поровну".
enum class Preset { Subject,
                    Fair };

// The weights of a preset.
inline Weights PresetWeights(Preset preset)
{
    Weights w;
    if (preset == Preset::Fair) {
        w.otherSubject = 20;
        w.perCover = 10;
    }
    return w;
}

} // namespace rasp::absences
