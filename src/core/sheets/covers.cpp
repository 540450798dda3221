#include "sheets/covers.h"

#include "reports/zamenytally.h"
#include "day/dayfile.h"
#include "state.h"
#include "text/datewords.h"

#include <QDir>
#include <QFile>
#include <QSet>

using namespace Qt::Literals::StringLiterals;

namespace rasp::sheets {

namespace {

// The class name of a column; empty outside the load.
QString classOf(const State &state, int column)
{
    return std::size_t(column) < state.Klass.size() ? state.Klass[std::size_t(column)] : QString();
}

// The surname in the genitive by its ending; the initials tell nothing of the gender, so only
// endings that do are changed.
QString genitiveSurname(const QString &s)
{
    struct Ending {
        const char16_t *from;
        const char16_t *to;
    };
    static const Ending endings[] = {
        {u"ская", u"ской"},
        {u"цкая", u"цкой"},
        {u"ова", u"овой"},
        {u"ева", u"евой"},
        {u"ёва", u"ёвой"},
        {u"ина", u"иной"},
        {u"ына", u"ыной"},
        {u"ский", u"ского"},
        {u"цкий", u"цкого"},
        {u"ой", u"ого"},
        {u"ов", u"ова"},
        {u"ев", u"ева"},
        {u"ёв", u"ёва"},
        {u"ин", u"ина"},
        {u"ын", u"ына"},
    };
    for (const Ending &e : endings) {
        const QString from = QString::fromUtf16(e.from);
        if (s.size() > from.size() + 1 && s.endsWith(from))
            return s.chopped(from.size()) + QString::fromUtf16(e.to);
    }
    return s;
}

// The initials of the given names: "Е. В.".
QString initialsOf(const QStringList &words)
{
    QStringList out;
    for (qsizetype i = 1; i < words.size(); ++i)
        out << words[i].left(1) + u'.';
    return out.join(u' ');
}

} // namespace

std::vector<Cover> CoversOfSheet(const State &state, const reports::ZamenySheet &sheet)
{
    std::vector<Cover> out;
    for (const reports::Change &c : sheet.changes) {
        // A replaced lesson, or an added one standing in (through moves) for a cancelled one.
        const std::optional<reports::Lesson> &before =
            c.kind == reports::ChangeKind::Replacement ? c.was
            : c.kind == reports::ChangeKind::Added     ? c.coverOf
                                                       : std::nullopt;
        if (!before || !c.now)
            continue;
        const QStringList was = reports::TeacherNames(before->teachers);
        const QStringList now = reports::TeacherNames(c.now->teachers);
        const QSet<QString> wasSet(was.begin(), was.end());
        const QSet<QString> nowSet(now.begin(), now.end());
        QStringList absent;
        for (const QString &t : was)
            if (!nowSet.contains(t))
                absent << t;
        for (const QString &t : now) {
            if (wasSet.contains(t))
                continue;
            Cover cover;
            cover.date = sheet.date;
            cover.column = c.column;
            cover.lesson = reports::LessonNumber(state, c.column, c.now->row);
            cover.klass = classOf(state, c.column);
            cover.subject = c.now->subject;
            cover.room = c.now->room;
            cover.teacher = t;
            cover.absent = absent;
            out.push_back(std::move(cover));
        }
    }
    return out;
}

std::vector<Cover> CoversForDate(const State &state, QDate date, QString *error)
{
    const reports::ZamenyResult result = reports::ZamenyForDate(state, date);
    if (!result.sheet) {
        if (error)
            *error = result.error;
        return {};
    }
    return CoversOfSheet(state, *result.sheet);
}

QString ShortName(const QString &fullName)
{
    const QStringList words = fullName.split(u' ', Qt::SkipEmptyParts);
    if (words.size() < 2)
        return fullName.trimmed();
    return words[0] + u' ' + initialsOf(words);
}

QString GenitiveShortName(const QString &fullName)
{
    const QStringList words = fullName.split(u' ', Qt::SkipEmptyParts);
    if (words.isEmpty())
        return {};
    const QString surname = genitiveSurname(words[0]);
    return words.size() < 2 ? surname : surname + u' ' + initialsOf(words);
}

QString SlipLine(const Cover &cover)
{
    QString line = ShortName(cover.teacher) + u": "_s + QString::number(cover.lesson) + u" урок, "_s + cover.klass
                   + u", "_s + cover.subject;
    if (!cover.room.trimmed().isEmpty())
        line += u", каб. "_s + cover.room.trimmed();
    if (!cover.absent.isEmpty()) {
        QStringList names;
        for (const QString &a : cover.absent)
            names << GenitiveShortName(a);
        line += u", вместо "_s + names.join(u", "_s);
    }
    return line;
}

} // namespace rasp::sheets
