// raspisanie-cli absent: records a teacher away on a date (all day or some rows) with a reason,
// or removes the absence with its covers; writes only the date's companion file.
#include "absences/absenceedit.h"
#include "absences/dayfacts.h"
#include "absences/daycompanion.h"
#include "clicommands.h"
#include "coverjson.h"
#include "day/dayfile.h"
#include "day/poiskuchit.h"
#include "school.h"
#include "state.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

using namespace Qt::Literals::StringLiterals;

namespace rasp::cli {

CommandHelp AbsentHelp()
{
    return {u"absent"_s, u"ДД.ММ.ГГГГ УЧИТЕЛЬ [--rows A-B] [--reason ТЕКСТ] [--remove]"_s,
            u"отметить отсутствие учителя на дату (весь день или уроки A-B) или снять его вместе с заменами"_s,
            u"JSON: date, teacher, absences ([{teacher, from, to, reason}] дня), removedCovers (с --remove), "
            "open (уроки без учителя: [{row, class, subject, teachers, absent}])"_s,
            u"нет нагрузки или дня на эту дату, учителя нет в нагрузке, отсутствие не записано (--remove), "
            "файл замен не читается"_s,
            u"09.12.2026 \"Иванова Анна Петровна\" --rows 2-4 --reason болезнь"_s};
}

int RunAbsent(const QStringList &args)
{
    CommandLine line(AbsentHelp());
    line.addArgument(u"ДД.ММ.ГГГГ"_s, u"дата сохраненного дня"_s);
    line.addArgument(u"УЧИТЕЛЬ"_s, u"полное имя учителя, как в нагрузке"_s);
    line.addOption(QCommandLineOption(u"rows"_s, u"уроки отсутствия, например 2-4 (по умолчанию весь день)"_s, u"A-B"_s));
    line.addOption(QCommandLineOption(u"reason"_s, u"причина: болезнь, курсы, командировка, другое или свой текст"_s, u"ТЕКСТ"_s));
    line.addOption(QCommandLineOption(u"remove"_s, u"снять отсутствие и его замены"_s));
    if (const auto stop = line.parse(args, 2, 2, u"Укажите дату и учителя: absent ДД.ММ.ГГГГ УЧИТЕЛЬ"_s))
        return *stop;
    QDate date;
    if (!DateArgument(line.positional().at(0), &date))
        return line.usageHint();
    const QString teacher = line.positional().at(1);
    if (line.isSet(u"remove"_s) && (line.isSet(u"rows"_s) || line.isSet(u"reason"_s)))
        return line.usageError(u"С --remove не указывают --rows и --reason"_s);
    if (!FolderFreeForWriting())
        return kExitFailed;
    State state;
    if (!OpenDay(state, date))
        return kExitFailed;
    const QString path = QDir::current().filePath(day::DayFilePath(date));
    if (state.unreadableCompanions.contains(QFileInfo(absences::CompanionPath(path)).absoluteFilePath())) {
        WriteErr(text::UnreadableKept(u"Отсутствие не записано"_s, absences::CompanionPath(path), u"повторите"_s));
        return kExitFailed;
    }
    bool known = false;
    for (int m = 1; m <= state.pedvis && m < int(state.PedFio.size()); ++m)
        known = known || state.PedFio[std::size_t(m)].name == teacher;

    QJsonObject document{{u"date"_s, line.positional().at(0)}, {u"teacher"_s, teacher}};
    if (line.isSet(u"remove"_s)) {
        const int removed = absences::RemoveAbsence(state, teacher);
        if (removed < 0) {
            WriteErr(u"Отсутствие учителя «%1» на %2 не записано"_s.arg(teacher, line.positional().at(0)));
            return kExitFailed;
        }
        document.insert(u"removedCovers"_s, removed);
    } else {
        if (!known) {
            WriteErr(u"Учителя «%1» нет в нагрузке"_s.arg(teacher));
            return kExitFailed;
        }
        int from = 1, to = state.max_ur;
        if (line.isSet(u"rows"_s)) {
            const QRegularExpressionMatch match =
                QRegularExpression(u"^(\\d{1,2})(?:-(\\d{1,2}))?$"_s).match(line.value(u"rows"_s));
            if (!match.hasMatch())
                return line.usageError(u"Уроки указываются как A-B, например 2-4: "_s + line.value(u"rows"_s));
            from = match.captured(1).toInt();
            to = match.captured(2).isEmpty() ? from : match.captured(2).toInt();
        }
        const QString problem = absences::MarkAbsent(state, teacher, from, to, line.value(u"reason"_s));
        if (!problem.isEmpty())
            return line.usageError(problem);
    }
    QString error;
    if (!absences::SaveCompanion(state, path, &error)) {
        WriteErr(error);
        return kExitFailed;
    }
    day::PoiskUchit(state, QString());
    QJsonArray list;
    for (const absences::Absence &a : state.companion.absences)
        list.append(QJsonObject{{u"teacher"_s, a.teacher}, {u"from"_s, a.from}, {u"to"_s, a.to}, {u"reason"_s, a.reason}});
    document.insert(u"absences"_s, list);
    document.insert(u"open"_s, OpenLessonsJson(absences::DayFacts(state)));
    WriteOut(QJsonDocument(document).toJson(QJsonDocument::Indented));
    return kExitOk;
}

} // namespace rasp::cli
