#include "reports/zameny.h"

#include "absences/companion.h"
#include "absences/daycompanion.h"
#include "day/classcolumns.h"
#include "day/dayfile.h"
#include "day/poiskuchit.h"
#include "reports/daysections.h"
#include "reports/exportlayout.h"
#include "state.h"
#include "template/classorder.h"
#include "template/setka.h"
#include "text/datewords.h"
#include "text/textfile.h"

#include <QDir>

#include <algorithm>
#include <cstdlib>
#include <tuple>
#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace rasp::reports {

bool IsLesson(const QString &subject)
{
    return std::any_of(subject.cbegin(), subject.cend(), [](QChar c) { return c.isLetterOrNumber(); });
}

namespace {

// A room text in the form compared: "\" as "/", without outer blanks.
QString normalRoom(const QString &room)
{
    QString r = room.trimmed();
    r.replace(u'\\', u'/');
    return r;
}

// The same lesson: subject and teacher list equal (rooms aside).
bool sameLesson(const Lesson &a, const Lesson &b)
{
    return a.subject == b.subject && a.teachers == b.teachers;
}

// Where a change is listed: a moved or added lesson under its new row, the rest under the old.
int listedRow(const Change &c)
{
    return c.now ? c.now->row : c.was->row;
}

bool changeLess(const Change &a, const Change &b)
{
    if (a.column != b.column)
        return a.column < b.column;
    if (a.row != b.row)
        return a.row < b.row;
    return int(a.kind) < int(b.kind);
}

// Links each added lesson that ends a chain of moves started by a cancelled lesson: the lesson of
// row Y moved into the cancelled lesson's row X, the lesson of row Z into Y, ..., and the added
// lesson fills the last row left. Rows hold one lesson each side, so every chain is a path.
void linkMoveChains(std::vector<Change> &changes, int lastRow)
{
    std::vector<int> movedInto(std::size_t(lastRow + 1), -1); // day row -> the move landing there
    std::vector<int> addedAt(std::size_t(lastRow + 1), -1);   // day row -> the added lesson there
    for (std::size_t k = 0; k < changes.size(); ++k) {
        const Change &c = changes[k];
        if (c.kind == ChangeKind::Moved)
            movedInto[std::size_t(c.now->row)] = int(k);
        else if (c.kind == ChangeKind::Added)
            addedAt[std::size_t(c.now->row)] = int(k);
    }
    for (std::size_t k = 0; k < changes.size(); ++k) {
        if (changes[k].kind != ChangeKind::Cancelled)
            continue;
        int row = changes[k].was->row;
        // Each step goes to a template row a move left; there are fewer moves than rows.
        for (int step = 0; step <= lastRow && movedInto[std::size_t(row)] >= 0; ++step) {
            row = changes[std::size_t(movedInto[std::size_t(row)])].was->row;
            const int added = addedAt[std::size_t(row)];
            if (added >= 0 && !changes[std::size_t(added)].coverOf) {
                changes[std::size_t(added)].coverOf = changes[k].was;
                break;
            }
        }
    }
}

} // namespace

bool RoomsDiffer(const QString &was, const QString &now)
{
    const QString a = normalRoom(was);
    const QString b = normalRoom(now);
    return !a.isEmpty() && !b.isEmpty() && a != b;
}

std::vector<Change> CompareClass(int column, const std::vector<Lesson> &was, const std::vector<Lesson> &now)
{
    std::vector<Change> out;
    std::vector<bool> wasDone(was.size(), false);
    std::vector<bool> nowDone(now.size(), false);
    int lastRow = 0;
    for (const Lesson &l : was)
        lastRow = std::max(lastRow, l.row);
    for (const Lesson &l : now)
        lastRow = std::max(lastRow, l.row);
    std::vector<int> nowAt(std::size_t(lastRow + 1), -1);
    for (std::size_t n = 0; n < now.size(); ++n)
        nowAt[std::size_t(now[n].row)] = int(n);

    const auto add = [&](ChangeKind kind, std::size_t w, std::size_t n) {
        Change c;
        c.column = column;
        c.kind = kind;
        if (w < was.size()) {
            c.was = was[w];
            wasDone[w] = true;
        }
        if (n < now.size()) {
            c.now = now[n];
            nowDone[n] = true;
        }
        c.row = listedRow(c);
        out.push_back(std::move(c));
    };
    const std::size_t none = std::size_t(-1);

    // 1. The same lesson in the same row: unchanged, or only its room changed.
    for (std::size_t w = 0; w < was.size(); ++w) {
        const int n = nowAt[std::size_t(was[w].row)];
        if (n < 0 || !sameLesson(was[w], now[std::size_t(n)]))
            continue;
        if (RoomsDiffer(was[w].room, now[std::size_t(n)].room)) {
            add(ChangeKind::Room, w, std::size_t(n));
        } else {
            wasDone[w] = true;
            nowDone[std::size_t(n)] = true;
        }
    }

    // 2. The same lesson in another row: moved. The nearest pairs are taken first, ties by the
    // earlier template row, then the earlier day row, so the pairing never depends on chance.
    struct Pair {
        int distance;
        int wasRow;
        int nowRow;
        std::size_t w;
        std::size_t n;
    };
    std::vector<Pair> pairs;
    for (std::size_t w = 0; w < was.size(); ++w) {
        if (wasDone[w])
            continue;
        for (std::size_t n = 0; n < now.size(); ++n)
            if (!nowDone[n] && sameLesson(was[w], now[n]))
                pairs.push_back({std::abs(was[w].row - now[n].row), was[w].row, now[n].row, w, n});
    }
    std::sort(pairs.begin(), pairs.end(), [](const Pair &a, const Pair &b) {
        return std::tie(a.distance, a.wasRow, a.nowRow) < std::tie(b.distance, b.wasRow, b.nowRow);
    });
    for (const Pair &p : pairs)
        if (!wasDone[p.w] && !nowDone[p.n])
            add(ChangeKind::Moved, p.w, p.n);

    // 3. Another lesson in the same row: replacement.
    for (std::size_t w = 0; w < was.size(); ++w) {
        if (wasDone[w])
            continue;
        const int n = nowAt[std::size_t(was[w].row)];
        if (n >= 0 && !nowDone[std::size_t(n)])
            add(ChangeKind::Replacement, w, std::size_t(n));
    }

    // 4. What is left: template lessons cancelled, day lessons added.
    for (std::size_t w = 0; w < was.size(); ++w)
        if (!wasDone[w])
            add(ChangeKind::Cancelled, w, none);
    for (std::size_t n = 0; n < now.size(); ++n)
        if (!nowDone[n])
            add(ChangeKind::Added, none, n);

    linkMoveChains(out, lastRow);
    std::sort(out.begin(), out.end(), changeLess);
    return out;
}

std::vector<Change> CompareLessons(const DayLessons &was, const DayLessons &now)
{
    static const std::vector<Lesson> empty;
    std::vector<Change> out;
    const std::size_t columns = std::max(was.byClass.size(), now.byClass.size());
    for (std::size_t j = 1; j < columns; ++j) {
        const auto &w = j < was.byClass.size() ? was.byClass[j] : empty;
        const auto &n = j < now.byClass.size() ? now.byClass[j] : empty;
        if (w.empty() && n.empty())
            continue;
        std::vector<Change> c = CompareClass(int(j), w, n);
        out.insert(out.end(), std::make_move_iterator(c.begin()), std::make_move_iterator(c.end()));
    }
    return out;
}

struct LessonReader::Scratch {
    State state;
};

LessonReader::LessonReader(const State &state)
    : m_scratch(std::make_unique<Scratch>())
{
    State &s = m_scratch->state;
    s.max_ur = state.max_ur;
    s.klassvis = std::max(state.klassvis, 0);
    s.klassvis_mas = s.klassvis + 1;
    s.grid.setLastRow(s.max_ur);
    for (int j = 0; j <= s.klassvis; ++j)
        s.grid.appendColumn();
    s.pedvis = state.pedvis;
    s.pedvis_mas = state.pedvis_mas;
    s.PedFio = state.PedFio;
    s.Predmet = state.Predmet;
    s.RaspUrPredm = state.RaspUrPredm;
    s.colorr = state.colorr;
    s.regim = day::Regim::None; // only the teacher lists are wanted, not the colours
    // Class names in the header row: a companion's covers find their lessons by them.
    s.Klass = state.Klass;
    for (int j = 1; j <= s.klassvis && std::size_t(j) < state.Klass.size(); ++j)
        s.grid.cell(0, j).subject = state.Klass[std::size_t(j)];
}

LessonReader::~LessonReader() = default;

DayLessons LessonReader::read(const QStringList &lines, const day::ColumnMap *map, const absences::Companion *companion,
                              QStringList *open)
{
    State &s = m_scratch->state;
    for (int j = 1; j <= s.klassvis; ++j)
        for (int i = 1; i <= s.max_ur; ++i) {
            day::Cell &c = s.grid.cell(i, j);
            c.subject.clear();
            c.room.clear();
            c.cover = day::Cover();
        }
    const day::ColumnMap byPosition;
    day::ReadMappedFields(
        lines, s.max_ur, s.klassvis, map ? *map : byPosition,
        [&s](int i, int j, QString text) {
            if (j >= 1)
                s.grid.cell(i, j).subject = std::move(text);
        },
        [&s](int i, int j, QString text) { s.grid.cell(i, j).room = std::move(text); });
    if (companion)
        absences::ApplyCompanion(s, *companion);
    else
        absences::ClearCompanion(s);
    day::PoiskUchit(s, QString());

    DayLessons out;
    out.byClass.resize(std::size_t(s.klassvis + 1));
    for (int j = 1; j <= s.klassvis; ++j)
        for (int i = 1; i <= s.max_ur; ++i) {
            const day::Cell &c = s.grid.cell(i, j);
            if (!IsLesson(c.subject))
                continue;
            out.byClass[std::size_t(j)].push_back({i, c.subject, c.room, c.teachers, c.cover.kind, c.cover.absent});
            if (!open || !companion)
                continue;
            // A lesson still naming an absent teacher in her rows is open: no cover took it.
            const QStringList names = c.teachers.split(u", "_s, Qt::SkipEmptyParts);
            for (const absences::Absence &a : companion->absences)
                if (a.covers(i) && names.contains(a.teacher))
                    *open << u"%1, %2-й урок, %3 (%4)"_s.arg(s.Klass[std::size_t(j)]).arg(i).arg(c.subject, a.teacher);
        }
    return out;
}

ZamenySheet ZamenySheetOf(QDate date, const DayLessons &templateLessons, const DayLessons &dayLessons)
{
    ZamenySheet sheet;
    sheet.date = date;
    sheet.changes = CompareLessons(templateLessons, dayLessons);
    return sheet;
}

ZamenyResult ZamenyForDate(const State &state, QDate date)
{
    if (!date.isValid()) {
        ZamenyResult result;
        result.error = u"Неверная дата"_s;
        return result;
    }
    LessonReader reader(state);
    TemplateCache cache;
    return CompareSavedDay(state, reader, cache, date).result;
}

const TemplateLessons &TemplateCache::get(const State &state, LessonReader &reader, int k)
{
    std::optional<TemplateLessons> &t = weekdays[std::size_t(tmpl::WeekdayIndex(k))];
    if (!t)
        t = ReadTemplateLessons(state, reader, tmpl::WeekdayIndex(k));
    return *t;
}

DayComparison CompareSavedDay(const State &state, LessonReader &reader, TemplateCache &cache, QDate date)
{
    DayComparison out;
    ZamenyResult &result = out.result;
    const QString dayPath = day::DayFilePath(date);
    const text::ReadResult dayRead = text::readLines(dayPath);
    if (dayRead.status == text::ReadResult::NoFile) {
        out.noDay = true;
        result.error = u"Расписание на %1 не сохранено: нет файла %2"_s.arg(text::ShortDate(date),
                                                                            QDir::toNativeSeparators(dayPath));
        return out;
    }
    if (!dayRead.ok()) {
        result.error = dayRead.error;
        return out;
    }
    // The companion may say which weekday's template the date follows, which classes the day's
    // columns are, who is absent and who covers.
    const absences::ReadOutcome companionRead = absences::ReadCompanion(absences::CompanionPath(dayPath));
    SectionsRead companion;
    companion.status = companionRead.status;
    companion.error = companionRead.error;
    for (const absences::OtherSection &o : companionRead.companion.others)
        companion.sections.push_back({o.name, o.lines});
    const int followed = WeekdayOf(companion);
    const int k = followed > 0 ? followed : date.dayOfWeek();
    out.weekday = k;
    const TemplateLessons &was = cache.get(state, reader, k);
    if (!was.lessons) {
        out.noTemplate = was.missing;
        out.templateUnreadable = !was.missing;
        result.error = was.missing ? u"Шаблона на %1 нет: %2"_s.arg(followed > 0 ? text::daySet(k).toLower() : text::day2(date), was.error)
                                   : was.error;
        return out;
    }
    std::optional<QStringList> names;
    if (const QStringList *recorded = companion.find(tmpl::kClassesSection))
        names = *recorded;
    const day::ColumnMap map = day::MapColumns(names, state);
    QStringList open;
    result.sheet = ZamenySheetOf(date, *was.lessons, reader.read(dayRead.lines, &map, &companionRead.companion, &open));
    result.sheet->openLessons = std::move(open);
    for (const absences::Absence &a : companionRead.companion.absences)
        result.sheet->absences << AbsenceText(a.teacher, a.reason, LessonNumber(state, 1, a.from), LessonNumber(state, 1, a.to));
    result.sheet->followedWeekday = followed != date.dayOfWeek() ? followed : 0;
    result.sheet->notices = was.notices;
    if (!companion.error.isEmpty())
        result.sheet->notices << companion.error;
    result.sheet->notices << day::ColumnNotices(map, dayRead.lines, state.max_ur, u"в расписании на "_s + text::ShortDate(date));
    return out;
}

TemplateLessons ReadTemplateLessons(const State &state, LessonReader &reader, int k)
{
    TemplateLessons out;
    const QString setkaPath = tmpl::SetkaPath(k);
    const text::ReadResult setkaRead = text::readLines(setkaPath);
    if (setkaRead.status == text::ReadResult::NoFile) {
        out.missing = true;
        out.error = u"нет файла %1"_s.arg(QDir::toNativeSeparators(setkaPath));
        return out;
    }
    if (!setkaRead.ok()) {
        out.error = setkaRead.error;
        return out;
    }
    const tmpl::ClassOrderRead order = tmpl::ReadSetkaClassOrder(QDir::current(), k);
    if (!order.error.isEmpty())
        out.notices << order.error;
    const day::ColumnMap map = day::MapColumns(order.names, state);
    out.notices << day::ColumnNotices(map, setkaRead.lines, state.max_ur, u"в сетке "_s + tmpl::WeekdayGenitive(k));
    out.lessons = reader.read(setkaRead.lines, &map);
    return out;
}

int LessonNumber(const State &state, int column, int row)
{
    if (ExportModeOf(state) != ExportMode::Single && column > state.vt_sm_x && row > state.vt_sm_y)
        return row - state.vt_sm_y;
    return row;
}

namespace {

// A kind of change as the window and the files word it, and as the CLI's JSON names it.
std::pair<QString, QString> kindWords(ChangeKind kind)
{
    switch (kind) {
    case ChangeKind::Replacement:
        return {u"замена"_s, u"replacement"_s};
    case ChangeKind::Moved:
        return {u"перенос"_s, u"moved"_s};
    case ChangeKind::Cancelled:
        return {u"отмена"_s, u"cancelled"_s};
    case ChangeKind::Added:
        return {u"новый урок"_s, u"added"_s};
    case ChangeKind::Room:
        return {u"смена кабинета"_s, u"room"_s};
    }
    return {};
}

} // namespace

QString KindText(ChangeKind kind)
{
    return kindWords(kind).first;
}

QString KindName(ChangeKind kind)
{
    return kindWords(kind).second;
}

QString GenitiveName(const QString &name)
{
    const qsizetype blank = name.indexOf(u' ');
    QString surname = blank < 0 ? name : name.left(blank);
    const QString rest = blank < 0 ? QString() : name.mid(blank);
    const auto ends = [&surname](const QString &tail) { return surname.endsWith(tail); };
    if (ends(u"ова"_s) || ends(u"ева"_s) || ends(u"ёва"_s) || ends(u"ина"_s) || ends(u"ына"_s))
        surname = surname.chopped(1) + u"ой"_s;
    else if (ends(u"ая"_s))
        surname = surname.chopped(2) + u"ой"_s;
    else if (ends(u"ский"_s) || ends(u"цкий"_s))
        surname = surname.chopped(2) + u"ого"_s;
    else if (ends(u"ой"_s) && surname.size() > 3)
        surname = surname.chopped(2) + u"ого"_s;
    else if (ends(u"ов"_s) || ends(u"ев"_s) || ends(u"ёв"_s) || ends(u"ин"_s) || ends(u"ын"_s))
        surname += u'а';
    return surname + rest;
}

QString AbsenceText(const QString &teacher, const QString &reason, int from, int to)
{
    const QString rows = from == to ? u"%1 урок"_s.arg(from) : u"%1-%2 уроки"_s.arg(from).arg(to);
    return reason.isEmpty() ? u"%1, %2"_s.arg(teacher, rows) : u"%1 (%2), %3"_s.arg(teacher, reason, rows);
}

QString ChainCoverText()
{
    return u"замена через перенос"_s;
}

QString ZamenyTitle(QDate date, int followedWeekday)
{
    QString title = u"Замены на "_s + text::day2(date) + u' ' + text::ShortDate(date);
    if (followedWeekday > 0)
        title += u" по расписанию "_s + tmpl::WeekdayGenitive(followedWeekday);
    return title;
}

QString FollowedText(QDate date, int followedWeekday)
{
    if (followedWeekday <= 0)
        return {};
    return text::day(date) + u' ' + text::ShortDate(date) + u" по расписанию "_s + tmpl::WeekdayGenitive(followedWeekday);
}

QString NoChangesText(QDate date, int followedWeekday)
{
    const QString followed = followedWeekday > 0 ? u" по расписанию "_s + tmpl::WeekdayGenitive(followedWeekday) : QString();
    return u"Замен на %1 %2%3 нет: расписание совпадает с шаблоном"_s.arg(text::day2(date), text::ShortDate(date), followed);
}

namespace {

// Subject and, on a second line, the teachers of a lesson.
QString lessonText(const std::optional<Lesson> &l)
{
    if (!l)
        return {};
    return l->teachers.isEmpty() ? l->subject : l->subject + u"\r\n"_s + l->teachers;
}

} // namespace

std::vector<SheetRow> SheetRows(const State &state, const ZamenySheet &sheet)
{
    std::vector<SheetRow> rows;
    rows.reserve(sheet.changes.size());
    for (const Change &c : sheet.changes) {
        SheetRow r;
        if (c.column >= 0 && std::size_t(c.column) < state.Klass.size())
            r.klass = state.Klass[std::size_t(c.column)];
        r.lesson = LessonNumber(state, c.column, c.row);
        if (c.kind == ChangeKind::Moved)
            r.was = u"%1-й урок"_s.arg(LessonNumber(state, c.column, c.was->row));
        else if (c.coverOf)
            r.was = lessonText(c.coverOf) + u" (%1-й урок)"_s.arg(LessonNumber(state, c.column, c.coverOf->row));
        else
            r.was = lessonText(c.was);
        r.now = lessonText(c.now);
        if (c.now && !c.now->coverKind.isEmpty()) // "Матем. — Сидорова Е. В. вместо Ивановой А. П. (по предмету)"
            r.now = u"%1 — %2 вместо %3 (%4)"_s.arg(c.now->subject, c.now->teachers, GenitiveName(c.now->coverAbsent),
                                                    c.now->coverKind);
        if (c.was && c.now && RoomsDiffer(c.was->room, c.now->room))
            r.room = c.was->room + u" → "_s + c.now->room;
        else if (c.now)
            r.room = c.now->room;
        r.kind = c.coverOf ? ChainCoverText() : KindText(c.kind);
        rows.push_back(std::move(r));
    }
    return rows;
}

QStringList SheetHeader()
{
    return {u"Класс"_s, u"Урок"_s, u"Было"_s, u"Стало"_s, u"Кабинет"_s, u"Изменение"_s};
}

} // namespace rasp::reports
