#include "counters.h"

#include "load/loadmodel.h"
#include "state.h"
#include "text/texthash.h"

#include <QHash>
#include <QSet>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace rasp::day {

namespace {

// Filled lessons (non-empty subject texts) of class j.
int filledLessons(const State &state, int j)
{
    int n = 0;
    for (int i = 1; i <= state.max_ur; ++i)
        if (!state.grid.cell(i, j).subject.isEmpty())
            ++n;
    return n;
}

// Calls `take` with each name of a teacher list as the hours count reads it: the list gets a
// final ",", each candidate is the text before the next ",", one leading blank is removed from
// the candidate and from the rest.
template<typename Take>
void forEachTeacherName(const QString &list, Take take)
{
    const QString all = list + u',';
    QStringView rest(all);
    while (!rest.isEmpty()) {
        const qsizetype comma = rest.indexOf(u',');
        if (comma < 0)
            break;
        QStringView candidate = rest.first(comma);
        rest = rest.sliced(comma + 1);
        if (candidate.startsWith(u' '))
            candidate = candidate.sliced(1);
        if (rest.startsWith(u' '))
            rest = rest.sliced(1);
        if (!take(candidate))
            return;
    }
}

} // namespace

LimitList MaxUrVsego(const State &state)
{
    int most = 0;
    for (int j = 1; j <= state.klassvis; ++j)
        most = std::max(most, filledLessons(state, j));
    LimitList list;
    for (int n = most; n <= state.max_ur; ++n)
        list.items << QString::number(n);
    list.selected = int(list.items.size()) - 1;
    return list;
}

LimitList MaxRepUr(const State &state, int maxChosen)
{
    int fewest = state.max_ur;
    for (int j = 1; j <= state.klassvis; ++j)
        fewest = std::min(fewest, filledLessons(state, j));
    LimitList list;
    list.items << u"0"_s;
    for (int n = 1; n <= maxChosen - fewest - 1; ++n)
        list.items << QString::number(n);
    list.selected = 0;
    return list;
}

void FillPinList(State &state)
{
    state.pins.clear();
    for (const QString &subject : load::SortedSubjects(state.RaspUrPredm))
        state.pins.push_back({subject, false});
}

void CheckDefaultPins(State &state, const QStringList &defaults)
{
    const QSet<QString> wanted(defaults.cbegin(), defaults.cend());
    for (PinEntry &pin : state.pins)
        pin.checked = wanted.contains(pin.text);
}

QString CheckListQuestion()
{
    return u"Этот предмет имеет совпадение\r\nВсе равно закрепить предмет?"_s;
}

bool CheckList(State &state, int ind, int y1, int y2, const std::function<bool(const QString &)> &ask)
{
    DayGrid &grid = state.grid;
    y1 = std::max(y1, 1);
    y2 = std::min(y2, state.max_ur);
    const int klassvis = state.klassvis;
    bool unchecked = false;

    if (ind != 1) {
        // Without questions each cell depends only on the entries of its own subject, applied in
        // list order, so one pass over the cells (column by column, as the grid is stored) with
        // the entries chained per subject does the same work.
        const int count = int(state.pins.size());
        text::TextIndex subjects{std::size_t(count)};  // entry text -> its number
        std::vector<int> first;                        // per subject, its first entry
        std::vector<int> last;                         // per subject, its last entry so far
        std::vector<int> next(std::size_t(count), -1); // per entry, the next one of its subject
        for (int e = 0; e < count; ++e) {
            const auto [subject, added] = subjects.insert(state.pins[std::size_t(e)].text, int(first.size()));
            if (added) {
                first.push_back(e);
                last.push_back(e);
            } else {
                next[std::size_t(last[std::size_t(subject)])] = e;
                last[std::size_t(subject)] = e;
            }
        }
        for (int j = 1; j <= klassvis; ++j)
            for (int i = y1; i <= y2; ++i) {
                Cell &c = grid.cell(i, j);
                const int subject = subjects.find(c.subject);
                if (subject < 0)
                    continue;
                for (int e = first[std::size_t(subject)]; e >= 0; e = next[std::size_t(e)]) {
                    if (state.pins[std::size_t(e)].checked) {
                        if (c.style != kStyleLocked)
                            LockCell(c);
                    } else if (!grid.frozen(i) && c.style != kStyleFree) {
                        UnlockCell(c);
                    }
                }
            }
        return false;
    }

    for (PinEntry &pin : state.pins) {
        const QString &t = pin.text;
        if (!pin.checked) {
            for (int i = y1; i <= y2; ++i) {
                if (grid.frozen(i))
                    continue;
                for (int j = 1; j <= klassvis; ++j) {
                    Cell &c = grid.cell(i, j);
                    if (c.subject == t && c.style != kStyleFree)
                        UnlockCell(c);
                }
            }
            continue;
        }
        bool coincides = false;
        for (int i = y1; i <= y2 && !coincides; ++i)
            for (int j = 1; j <= klassvis && !coincides; ++j) {
                const Cell &c = grid.cell(i, j);
                coincides = c.subject == t && c.background != kWhite && !c.locked();
            }
        if (coincides && !(ask && ask(CheckListQuestion()))) {
            pin.checked = false;
            unchecked = true;
            continue;
        }
        for (int i = y1; i <= y2; ++i)
            for (int j = 1; j <= klassvis; ++j) {
                Cell &c = grid.cell(i, j);
                if (c.subject == t && c.style != kStyleLocked)
                    LockCell(c);
            }
    }
    return unchecked;
}

QStringList NetUchit(const State &state)
{
    QStringList entries;
    for (int j = 1; j <= state.klassvis; ++j) {
        QString collected;
        for (int i = 1; i <= state.max_ur; ++i) {
            const Cell &c = state.grid.cell(i, j);
            if (!c.subject.isEmpty() && c.teachers.isEmpty())
                collected += c.subject + u'\r';
        }
        if (!collected.isEmpty())
            entries << state.grid.cell(0, j).subject + u'\r' + collected;
    }
    return entries;
}

QString NetUchitText(const QStringList &entries)
{
    QString text;
    for (const QString &e : entries)
        text += e + u"\r\n"_s;
    return text;
}

quint32 GenerateRandomColor(int i)
{
    return (quint32(i) << 24) | 0x00FF0000u;
}

void WarningGlowStep(int &migan, int &migan_mn)
{
    if (migan >= 245)
        migan_mn = -10;
    if (migan <= 0)
        migan_mn = 10;
    migan += migan_mn;
}

int KolUrUUchVDen(const State &state, const QString &name)
{
    int count = 0;
    for (int i = 1; i <= state.max_ur; ++i)
        for (int j = 1; j <= state.klassvis; ++j) {
            bool found = false;
            forEachTeacherName(state.grid.cell(i, j).teachers, [&](QStringView candidate) {
                found = candidate == name;
                return !found;
            });
            if (found)
                ++count;
        }
    return count;
}

std::vector<std::pair<QString, int>> TeacherHoursRows(const State &state)
{
    // One pass: every cell counts once for each distinct name in its list, which is what
    // KolUrUUchVDen gives for that name; the names come from the cells that hold a subject.
    QHash<QString, int> counts;
    QSet<QString> named;
    QSet<QString> inCell;
    for (int i = 1; i <= state.max_ur; ++i)
        for (int j = 1; j <= state.klassvis; ++j) {
            const Cell &c = state.grid.cell(i, j);
            if (c.teachers.isEmpty())
                continue;
            inCell.clear();
            forEachTeacherName(c.teachers, [&](QStringView candidate) {
                if (!candidate.isEmpty())
                    inCell.insert(candidate.toString());
                return true;
            });
            for (const QString &name : std::as_const(inCell)) {
                ++counts[name];
                if (!c.subject.isEmpty())
                    named.insert(name);
            }
        }
    std::vector<std::pair<QString, int>> rows;
    rows.reserve(std::size_t(named.size()));
    for (const QString &name : std::as_const(named))
        rows.emplace_back(name, counts.value(name));
    std::sort(rows.begin(), rows.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    return rows;
}

WeekCount PodshetKolUr(const State &state, const QString &s, int jj)
{
    WeekCount w;
    if (s.isEmpty())
        return w;
    for (int k = 1; k <= 7; ++k) {
        int n = 0;
        for (int m = 1; m <= state.max_ur; ++m)
            if (state.Setka[std::size_t(k)].ur(m, jj) == s)
                ++n;
        w.perDay[std::size_t(k)] = n;
        w.total += n;
    }
    return w;
}

} // namespace rasp::day
