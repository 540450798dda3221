#include "reports/daysections.h"

#include "absences/companion.h"
#include "text/datewords.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace rasp::reports {

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
    // The companion's own reader: the sections this editor adds are among those it keeps as read.
    const absences::ReadOutcome read = absences::ReadCompanion(path);
    SectionsRead out;
    out.status = read.status;
    out.error = read.error;
    for (const absences::OtherSection &s : read.companion.others)
        out.sections.push_back({s.name, s.lines});
    return out;
}

bool PutSections(const QString &path, const std::vector<Section> &sections, QString *error, const QStringList &remove)
{
    absences::ReadOutcome file = absences::ReadCompanion(path);
    if (file.status == text::ReadResult::Unreadable) {
        if (error)
            *error = text::UnreadableKept(u"Записи дня не сохранены"_s, path);
        return false;
    }
    std::vector<absences::OtherSection> &kept = file.companion.others;
    for (const Section &s : sections) {
        const auto it = std::find_if(kept.begin(), kept.end(), [&s](const absences::OtherSection &o) { return o.name == s.name; });
        if (it != kept.end())
            it->lines = s.lines;
        else
            kept.push_back({s.name, s.lines});
    }
    std::erase_if(kept, [&remove](const absences::OtherSection &o) { return remove.contains(o.name); });
    // Written whole through the companion's writer, which leaves no file for an empty companion.
    return absences::WriteCompanion(path, file.companion, error);
}

} // namespace rasp::reports
