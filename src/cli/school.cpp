#include "school.h"

#include "absences/daycompanion.h"
#include "day/dayfile.h"
#include "files/folderlock.h"
#include "refresh.h"
#include "schoolopening.h"
#include "state.h"
#include "text/datewords.h"

#include <QDir>

#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace rasp::cli {

bool OpenSchool(State &state, load::NagruzReport &report)
{
    const SchoolOpening opening = rasp::OpenSchool(state);
    if (opening.settings == text::ReadResult::Unreadable)
        WriteErr(u"Предупреждение: "_s + opening.settingsError);
    for (const QString &problem : opening.settingsProblems)
        WriteErr(u"Предупреждение: setting.ini: "_s + problem);
    report = opening.load;
    switch (report.status) {
    case text::ReadResult::Ok:
        return true;
    case text::ReadResult::NoFile:
        WriteErr(u"Файл нагрузки не найден: %1"_s.arg(QDir::toNativeSeparators(load::NagruzPath())));
        return false;
    case text::ReadResult::Unreadable:
        WriteErr(report.error);
        return false;
    }
    return false;
}

bool OpenDay(State &state, QDate date)
{
    load::NagruzReport report;
    if (!OpenSchool(state, report))
        return false;
    const QString path = QDir::current().filePath(day::DayFilePath(date));
    if (!ReadDay(state, path, u"Расписания на %1 нет: %2"_s.arg(text::ShortDate(date), QDir::toNativeSeparators(path))))
        return false;
    // Nobody answers here: a default pin stays pinned even when its lesson coincides.
    Refresh(state, refresh::DayLoadedHeadless);
    return true;
}

bool ReadDay(State &state, const QString &path, const QString &noFile)
{
    QString error;
    switch (day::RaspLoad(state, path, 1, &error)) {
    case text::ReadResult::Ok:
        if (!error.isEmpty())
            WriteErr(u"Предупреждение: "_s + error);
        if (!absences::LoadCompanion(state, path, &error))
            WriteErr(u"Предупреждение: "_s + error); // the day is shown without absences
        return true;
    case text::ReadResult::NoFile:
        WriteErr(noFile);
        return false;
    case text::ReadResult::Unreadable:
        WriteErr(error);
        return false;
    }
    return false;
}

bool DateArgument(const QString &text, QDate *date)
{
    *date = text::ParseShortDate(text);
    if (date->isValid())
        return true;
    WriteErr(text::ShortDateProblem(text));
    return false;
}

bool FolderFreeForWriting()
{
    if (const auto holder = files::FolderLock::ActiveHolder(QDir::currentPath())) {
        WriteErr(files::FolderBusyText(*holder));
        return false;
    }
    return true;
}

void WriteOut(const QByteArray &utf8)
{
    std::fwrite(utf8.constData(), 1, std::size_t(utf8.size()), stdout);
    std::fflush(stdout);
}

void WriteErr(const QString &line)
{
    const QByteArray bytes = (line + u'\n').toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stderr);
}

} // namespace rasp::cli
