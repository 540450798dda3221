#include "history.h"

#include "absences/companion.h"
#include "text/datewords.h"
#include "text/textfile.h"

#include <QDir>

using namespace Qt::Literals::StringLiterals;

namespace rasp::absences {

CoverCounts CountCovers(const QString &dataFolder, QDate date)
{
    CoverCounts counts;
    const QDate monthStart(date.year(), date.month(), 1);
    const QDate weekStart = date.addDays(1 - date.dayOfWeek());
    const QDate from = std::min(monthStart, weekStart);
    const QDir dir(dataFolder);
    for (QDate d = from; d < date; d = d.addDays(1)) {
        const QString path = dir.filePath(text::ShortDate(d) + u".zam"_s);
        if (!QFileInfo::exists(path))
            continue;
        const ReadOutcome read = ReadCompanion(path);
        for (const CoverLine &c : read.companion.covers) {
            if (d >= monthStart)
                ++counts.month[c.teacher];
            if (d >= weekStart)
                ++counts.week[c.teacher];
        }
    }
    return counts;
}

int ReadMonthlyCap(const QString &path, QString *warning)
{
    const text::ReadResult read = text::readLines(path);
    if (read.status == text::ReadResult::NoFile)
        return kDefaultMonthlyCap;
    bool ok = false;
    const int cap = read.ok() && !read.lines.isEmpty() ? read.lines.first().trimmed().toInt(&ok) : 0;
    if (ok && cap >= 1 && cap <= 99)
        return cap;
    if (warning)
        *warning = u"Файл %1 повреждён: предел замен в месяц взят по умолчанию, %2"_s.arg(path).arg(kDefaultMonthlyCap);
    return kDefaultMonthlyCap;
}

bool WriteMonthlyCap(const QString &path, int cap, QString *error)
{
    if (cap < 1 || cap > 99) {
        if (error)
            *error = u"Предел замен в месяц должен быть от 1 до 99"_s;
        return false;
    }
    return text::writeLines(path, {QString::number(cap)}, error);
}

} // namespace rasp::absences
