#pragma once

// The work folder of the window tests that edit or arrange a day: a four-class load, the
// settings, and today's day written from its subject and room rows.
#include "day/dayfile.h"
#include "load/nagruzfile.h"
#include "settings/settings.h"
#include "text/textfile.h"

#include <QDate>
#include <QDir>
#include <QTest>

namespace dayschool {

using namespace Qt::Literals::StringLiterals;

// Four classes; 7А has no subjects at all.
inline const QStringList kLoad = {
    u"5А|5Б|6А|7А|"_s,
    u"Иванова|Алгебра;|Алгебра;|||"_s,
    u"Петров|Физика;|Физика;|Англ;||"_s,
    u"Сидорова|||Англ;||"_s,
    u"Борисова|Химия;||Химия;||"_s,
    u"~end~"_s,
};

// Writes the load kLoad and the settings (these rooms, Химия pinned) into the current folder.
inline void writeLoadAndSettings(const QStringList &rooms)
{
    QVERIFY(rasp::text::writeLines(rasp::load::NagruzPath(), kLoad));
    rasp::settings::Settings settings;
    settings.rooms = rooms;
    settings.blocked = {u"Химия"_s};
    QVERIFY(rasp::text::writeLines(rasp::settings::SettingsPath(), rasp::settings::SettingsLines(settings, 0, 0)));
}

// Writes today's day into the current folder: each subject row framed by "|", then the room
// rows, then the closing lines (a note and "~end~", or "~end~" alone).
inline void writeToday(const QStringList &subjects, const QStringList &rooms, const QStringList &closing)
{
    QStringList day;
    for (const QString &row : subjects)
        day << u"|"_s + row + u"|"_s;
    day << rooms << closing;
    QDir().mkpath(u"r_data"_s);
    QVERIFY(rasp::text::writeLines(rasp::day::DayFilePath(QDate::currentDate()), day));
}

} // namespace dayschool
