#include "template/classorder.h"

#include "absences/companion.h"
#include "day/classcolumns.h"
#include "state.h"
#include "template/setka.h"
#include "text/datewords.h"
#include "text/textfile.h"

#include <QFileInfo>

#include <algorithm>
#include <array>

using namespace Qt::Literals::StringLiterals;

namespace rasp::tmpl {

QString SetkaCompanionPath(int k)
{
    return u"setka/"_s + text::daySet(k) + u".zam"_s;
}

ClassOrderRead ReadSetkaClassOrder(const QDir &work, int k)
{
    // The companion's own reader and layout, as for a date's companion.
    ClassOrderRead out;
    const absences::ReadOutcome read = absences::ReadCompanion(work.filePath(SetkaCompanionPath(k)));
    if (read.status == text::ReadResult::Unreadable)
        out.error = read.error;
    for (const absences::OtherSection &s : read.companion.others)
        if (s.name == kClassesSection)
            out.names = s.lines;
    return out;
}

bool WriteSetkaClassOrder(const QDir &work, int k, const QStringList &names, QString *error)
{
    absences::Companion companion;
    companion.others.push_back({kClassesSection, names});
    return absences::WriteCompanion(work.filePath(SetkaCompanionPath(k)), companion, error);
}

QStringList TemplatesHoldingClass(const State &state, const QDir &work, int j)
{
    QStringList out;
    for (int k = 1; k <= 7; ++k) {
        const text::ReadResult read = text::readLines(work.filePath(SetkaPath(k)));
        if (!read.ok())
            continue;
        const day::ColumnMap map = day::MapColumns(ReadSetkaClassOrder(work, k).names, state);
        int column = map.byPosition ? j : 0;
        for (std::size_t c = 1; !map.byPosition && c < map.toLoad.size(); ++c)
            if (map.toLoad[c] == j)
                column = int(c);
        bool holds = false;
        if (column > 0)
            day::ReadDayFileFields(
                read.lines, state.max_ur, column,
                [&holds, column](int, int c, QString text) {
                    if (c == column && std::any_of(text.cbegin(), text.cend(), [](QChar ch) { return ch.isLetterOrNumber(); }))
                        holds = true;
                },
                {});
        if (holds)
            out << text::daySet(k).toLower();
    }
    return out;
}

QString DeleteClassQuestion(const QString &className, const QStringList &holdingWeekdays)
{
    if (holdingWeekdays.isEmpty())
        return u"Удалить класс?"_s;
    return u"Уроки класса %1 есть в сохранённых сетках: %2. После удаления класса они в этих сетках не учитываются.\rУдалить класс?"_s
        .arg(className, holdingWeekdays.join(u", "_s));
}

QStringList RecordMissingClassOrders(const State &state, const QDir &work)
{
    QStringList failures;
    for (int k = 1; k <= 7; ++k) {
        // A companion already there is left as it is, readable or not.
        if (!QFileInfo::exists(work.filePath(SetkaPath(k))) || QFileInfo::exists(work.filePath(SetkaCompanionPath(k))))
            continue;
        QString error;
        if (!WriteSetkaClassOrder(work, k, LoadClassOrder(state.Klass, state.klassvis), &error))
            failures << error;
    }
    return failures;
}

QString WeekdayGenitive(int k)
{
    static const std::array<QString, 7> words = {u"понедельника"_s, u"вторника"_s, u"среды"_s, u"четверга"_s,
                                                 u"пятницы"_s, u"субботы"_s, u"воскресенья"_s};
    return k >= 1 && k <= 7 ? words[std::size_t(k - 1)] : QString();
}

QString WhereInTemplates(const QStringList &weekdaysGenitive)
{
    return (weekdaysGenitive.size() == 1 ? u"в сетке "_s : u"в сетках "_s) + weekdaysGenitive.join(u", "_s);
}

} // namespace rasp::tmpl
