#include "reports/daysections.h"

#include "text/datewords.h"

#include <QDir>
#include <QFile>

using namespace Qt::Literals::StringLiterals;

namespace rasp::reports {

namespace {

bool isHeading(const QString &line)
{
    return line.size() >= 2 && line.startsWith(u'[') && line.endsWith(u']');
}

std::vector<Section> splitSections(const QStringList &lines)
{
    std::vector<Section> out;
    for (const QString &line : lines) {
        if (isHeading(line))
            out.push_back({line, {}});
        else if (out.empty())
            out.push_back({QString(), {line}});
        else
            out.back().lines << line;
    }
    return out;
}

} // namespace

const QStringList *SectionsRead::find(const QString &name) const
{
    for (const Section &s : sections)
        if (s.name == name)
            return &s.lines;
    return nullptr;
}

int WeekdayOf(const SectionsRead &file)
{
    const QStringList *lines = file.find(kWeekdaySection);
    if (!lines)
        return 0;
    for (const QString &line : *lines) {
        bool ok = false;
        const int k = line.toInt(&ok);
        if (ok && k >= 1 && k <= 7)
            return k;
    }
    return 0;
}

QString DayCompanionPath(QDate date)
{
    return u"r_data/"_s + text::ShortDate(date) + u".zam"_s;
}

SectionsRead ReadSections(const QString &path)
{
    SectionsRead out;
    const text::ReadResult read = text::readLines(path);
    out.status = read.status;
    if (read.status == text::ReadResult::Unreadable)
        out.error = read.error;
    else if (read.ok())
        out.sections = splitSections(read.lines);
    return out;
}

bool PutSections(const QString &path, const std::vector<Section> &sections, QString *error, const QStringList &remove)
{
    SectionsRead file = ReadSections(path);
    if (file.status == text::ReadResult::Unreadable) {
        if (error)
            *error = text::UnreadableKept(u"Записи дня не сохранены"_s, path);
        return false;
    }
    for (const Section &s : sections) {
        bool replaced = false;
        for (Section &kept : file.sections)
            if (kept.name == s.name) {
                kept.lines = s.lines;
                replaced = true;
            }
        if (!replaced)
            file.sections.push_back(s);
    }
    if (file.status == text::ReadResult::NoFile && sections.empty())
        return true; // nothing to add, nothing to drop
    QStringList lines;
    for (const Section &s : file.sections) {
        if (remove.contains(s.name))
            continue;
        if (!s.name.isEmpty())
            lines << s.name;
        lines << s.lines;
    }
    if (lines.isEmpty()) { // nothing left: no file, as for a date that never had one
        if (QFile::remove(path) || !QFile::exists(path))
            return true;
        if (error)
            *error = u"Не удалось удалить файл %1"_s.arg(QDir::toNativeSeparators(path));
        return false;
    }
    return text::writeLines(path, lines, error);
}

} // namespace rasp::reports
