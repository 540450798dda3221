#include "template/classorder.h"

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

QStringList ClassOrderLines(const QStringList &names)
{
    return QStringList{kClassesSection} + names;
}

std::optional<QStringList> ClassOrderOf(const QStringList &lines)
{
    const qsizetype start = lines.indexOf(kClassesSection);
    if (start < 0)
        return std::nullopt;
    QStringList names;
    for (qsizetype n = start + 1; n < lines.size(); ++n) {
        const QString &line = lines.at(n);
        if (line.startsWith(u'[') && line.endsWith(u']'))
            break;
        names << line;
    }
    return names;
}

ClassOrderRead ReadSetkaClassOrder(const QDir &work, int k)
{
    ClassOrderRead out;
    const text::ReadResult read = text::readLines(work.filePath(SetkaCompanionPath(k)));
    if (read.status == text::ReadResult::Unreadable)
        out.error = read.error;
    else if (read.ok())
        out.names = ClassOrderOf(read.lines);
    return out;
}

bool WriteSetkaClassOrder(const QDir &work, int k, const QStringList &names, QString *error)
{
    return text::writeLines(work.filePath(SetkaCompanionPath(k)), ClassOrderLines(names), error);
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
    static const std::array<QString, 7> words = {u"понедельника"_s, u"вторника"_s, u"среды"_s,      u"четверга"_s,
                                                 u"пятницы"_s,      u"субботы"_s,  u"воскресенья"_s};
    return k >= 1 && k <= 7 ? words[std::size_t(k - 1)] : QString();
}

} // namespace rasp::tmpl
