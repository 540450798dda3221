#pragma once

// The command-line arrangement tests' fixture: running raspisanie-cli, the state of a work
// folder, and a small four-class school whose saved day is given by its first rows.
#include "settings/settings.h"
#include "text/textfile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>

namespace clischool {

using namespace Qt::Literals::StringLiterals;

struct Run {
    int code;
    QString out;
    QString err;
};

// Runs raspisanie-cli with these arguments, waiting at most timeoutMs, and collects its exit
// code and output (an arrangement may run for a while; plain commands answer at once).
inline Run cli(const QStringList &args, int timeoutMs = 120000)
{
    QProcess p;
    p.start(QStringLiteral(RASP_CLI_BIN), args);
    p.waitForFinished(timeoutMs);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

// The JSON object a run printed.
inline QJsonObject json(const Run &r)
{
    return QJsonDocument::fromJson(r.out.toUtf8()).object();
}

// Every file of a folder with a hash of its bytes.
inline QStringList folderState(const QString &dir)
{
    QStringList out;
    QDirIterator it(dir, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        if (f.open(QIODevice::ReadOnly))
            out << path + u' ' + QString::fromLatin1(QCryptographicHash::hash(f.readAll(), QCryptographicHash::Md5).toHex());
    }
    out.sort();
    return out;
}

// Four classes; Химия pinned by default; Англ of 6А is taught by Петров and Сидорова. The
// subjects of rows 1..3, one text per class; the day is saved for 09.12.2026.
inline void writeSchool(const QString &dir, const QStringList &rows)
{
    QVERIFY(rasp::text::writeLines(dir + u"/nagruz.ini"_s,
                                   {u"5А|5Б|6А|7А|"_s, u"Иванова|Алгебра;|Алгебра;|||"_s, u"Петров|Физика;|Физика;|Англ;||"_s,
                                    u"Сидорова|||Англ;||"_s, u"Борисова|Химия;||Химия;||"_s, u"~end~"_s}));
    rasp::settings::Settings settings;
    settings.blocked = {u"Химия"_s};
    QVERIFY(rasp::text::writeLines(dir + u"/setting.ini"_s, rasp::settings::SettingsLines(settings, 0, 0)));
    QStringList day;
    for (int i = 0; i < 6; ++i)
        day << u"|"_s + (i < rows.size() ? rows.at(i) : u"||||"_s);
    day << u"12|14|21||"_s;
    for (int i = 1; i < 6; ++i)
        day << u"||||"_s;
    day << u"~end~"_s;
    QVERIFY(QDir(dir).mkpath(u"r_data"_s));
    QVERIFY(rasp::text::writeLines(dir + u"/r_data/09.12.2026.ini"_s, day));
}

// The subjects of rows 1..3 in the printed cells, one text per row.
inline QStringList rowsOf(const QJsonObject &o)
{
    QStringList rows(3);
    for (const QJsonValue &c : o.value(u"cells"_s).toArray()) {
        const int row = c[u"row"_s].toInt();
        if (row <= 3)
            rows[row - 1] += c[u"subject"_s].toString() + u'|';
    }
    return rows;
}

} // namespace clischool
