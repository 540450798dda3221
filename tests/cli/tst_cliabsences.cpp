// raspisanie-cli absent, candidates, cover and day on a small school: the JSON, the files written,
// an absence removed leaving the day file as it was, and a companion file that cannot be read.
#include "absenceschool.h"
#include "clischool.h"

#include "day/dayfile.h"

#include <QMap>
#include <QTemporaryDir>

using namespace Qt::Literals::StringLiterals;
using clischool::cli;
using clischool::json;

class TstCliAbsences : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString work() const { return m_dir.path(); }
    QByteArray bytes(const QString &relative) const
    {
        QFile f(work() + u'/' + relative);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // The sample school of the core tests saved for 09.12.2026 (rows 1..6).
    void writeSchool()
    {
        QVERIFY(rasp::text::writeLines(work() + u"/nagruz.ini"_s, absenceschool::kLoad));
        rasp::settings::Settings settings;
        QVERIFY(rasp::text::writeLines(work() + u"/setting.ini"_s, rasp::settings::SettingsLines(settings, 0, 0)));
        QStringList day;
        for (int i = 0; i < 6; ++i)
            day << u"|"_s + (i < absenceschool::kDay.size() ? absenceschool::kDay.at(i) : u"|||"_s) + u'|';
        for (int i = 0; i < 6; ++i)
            day << u"||||"_s;
        day << u"~end~"_s;
        QVERIFY(QDir(work()).mkpath(u"r_data"_s));
        QVERIFY(rasp::text::writeLines(work() + u"/r_data/09.12.2026.ini"_s, day));
    }

private slots:
    void init()
    {
        QVERIFY(QDir(work()).removeRecursively() && QDir().mkpath(work()));
        writeSchool();
    }

    void absenceCandidatesAndTheDayCoverEndToEnd()
    {
        const QByteArray dayBefore = bytes(u"r_data/09.12.2026.ini"_s);
        clischool::Run r = cli({u"-C"_s, work(), u"absent"_s, u"09.12.2026"_s, u"Иванова"_s, u"--rows"_s, u"1-3"_s});
        QVERIFY2(r.code == 0, qPrintable(r.err));
        QCOMPARE(json(r)[u"open"_s].toArray().size(), 3);
        QCOMPARE(bytes(u"r_data/09.12.2026.ini"_s), dayBefore);
        QVERIFY(bytes(u"r_data/09.12.2026.zam"_s).startsWith("[\xCE\xF2\xF1"));

        r = cli({u"-C"_s, work(), u"candidates"_s, u"09.12.2026"_s, u"3"_s, u"7А"_s});
        QVERIFY2(r.code == 0, qPrintable(r.err));
        const QJsonObject c = json(r);
        QCOMPARE(c[u"subject"_s].toString(), u"Алгебра"_s);
        const QJsonObject best = c[u"candidates"_s].toArray().first().toObject();
        QCOMPARE(best[u"teacher"_s].toString(), u"Смирнова"_s);
        QVERIFY(best[u"free"_s].toBool());
        QVERIFY(best[u"reasons"_s].toArray().contains(u"окно"_s));
        QVERIFY(c[u"candidates"_s].toArray().last().toObject()[u"cost"_s].isNull()); // absent, never first
        QVERIFY(!c[u"alternatives"_s].toArray().isEmpty());

        r = cli({u"-C"_s, work(), u"cover"_s, u"09.12.2026"_s, u"--apply"_s});
        QVERIFY2(r.code == 0, qPrintable(r.err));
        const QJsonObject cover = json(r);
        QCOMPARE(cover[u"open"_s].toInt(), 3);
        QCOMPARE(cover[u"covered"_s].toInt(), 3);
        QVERIFY(cover[u"optimal"_s].toBool());
        QCOMPARE(cover[u"lessons"_s].toArray().size(), 3);

        // The day shows who really teaches; nothing is open any more.
        r = cli({u"-C"_s, work(), u"day"_s, u"09.12.2026"_s});
        const QStringList classes{u"7А"_s, u"7Б"_s, u"8А"_s, u"8Б"_s};
        QMap<QString, QString> teachers; // "row class" -> the day's teachers
        for (const QJsonValue &cell : json(r)[u"cells"_s].toArray())
            teachers.insert(u"%1 %2"_s.arg(cell[u"row"_s].toInt()).arg(classes.value(cell[u"class"_s].toInt() - 1)),
                            cell[u"teachers"_s].toString());
        int byTeacher = 0;
        for (const QJsonValue &l : cover[u"lessons"_s].toArray())
            if (l[u"action"_s] == u"teacher"_s) {
                ++byTeacher;
                QCOMPARE(teachers.value(u"%1 %2"_s.arg(l[u"row"_s].toInt()).arg(l[u"class"_s].toString())),
                         l[u"teacher"_s].toString());
            }
        QVERIFY(byTeacher > 0);
        r = cli({u"-C"_s, work(), u"cover"_s, u"09.12.2026"_s});
        QCOMPARE(json(r)[u"open"_s].toInt(), 0);

        // Removing the absence takes its covers; the day file is as the cover left it.
        const QByteArray dayCovered = bytes(u"r_data/09.12.2026.ini"_s);
        r = cli({u"-C"_s, work(), u"absent"_s, u"09.12.2026"_s, u"Иванова"_s, u"--remove"_s});
        QVERIFY2(r.code == 0, qPrintable(r.err));
        QCOMPARE(bytes(u"r_data/09.12.2026.ini"_s), dayCovered);
        QVERIFY(!QFile::exists(work() + u"/r_data/09.12.2026.zam"_s));
    }

    void removingAnAbsenceWithoutCoversLeavesTheDayFileAlone()
    {
        const QByteArray before = bytes(u"r_data/09.12.2026.ini"_s);
        QCOMPARE(cli({u"-C"_s, work(), u"absent"_s, u"09.12.2026"_s, u"Петров"_s, u"--reason"_s, u"курсы"_s}).code, 0);
        QCOMPARE(cli({u"-C"_s, work(), u"absent"_s, u"09.12.2026"_s, u"Петров"_s, u"--remove"_s}).code, 0);
        QCOMPARE(bytes(u"r_data/09.12.2026.ini"_s), before);
        QVERIFY(!QFile::exists(work() + u"/r_data/09.12.2026.zam"_s));
    }

    void errorsInRussianWithTheUsualCodes_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown teacher") << QStringList{u"absent"_s, u"09.12.2026"_s, u"Никто"_s} << 1 << u"нет в нагрузке"_s;
        QTest::newRow("rows beyond the day") << QStringList{u"absent"_s, u"09.12.2026"_s, u"Петров"_s, u"--rows"_s, u"3-9"_s}
                                             << 2 << u"в пределах"_s;
        QTest::newRow("rows not a range") << QStringList{u"absent"_s, u"09.12.2026"_s, u"Петров"_s, u"--rows"_s, u"x"_s}
                                          << 2 << u"A-B"_s;
        QTest::newRow("removing no absence") << QStringList{u"absent"_s, u"09.12.2026"_s, u"Петров"_s, u"--remove"_s} << 1
                                             << u"не записано"_s;
        QTest::newRow("no open lesson there") << QStringList{u"candidates"_s, u"09.12.2026"_s, u"1"_s, u"7А"_s} << 1
                                              << u"нет отсутствующего"_s;
        QTest::newRow("no such class") << QStringList{u"candidates"_s, u"09.12.2026"_s, u"1"_s, u"9Я"_s} << 1 << u"нет"_s;
        QTest::newRow("bad preset") << QStringList{u"cover"_s, u"09.12.2026"_s, u"--preset"_s, u"x"_s} << 2 << u"subject или fair"_s;
        QTest::newRow("no day") << QStringList{u"cover"_s, u"10.12.2026"_s} << 1 << u"нет"_s;
    }
    void errorsInRussianWithTheUsualCodes()
    {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QString, message);
        const clischool::Run r = cli(QStringList{u"-C"_s, work()} + args);
        QCOMPARE(r.code, code);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
    }

    void companionThatCannotBeReadIsNeverReplaced()
    {
        const QByteArray broken("[\xC7\xE0\xEC\xE5\xED\xFB]\r\n99|7A|X|k|Y\r\n");
        QFile f(work() + u"/r_data/09.12.2026.zam"_s);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(broken);
        f.close();
        const clischool::Run r = cli({u"-C"_s, work(), u"absent"_s, u"09.12.2026"_s, u"Петров"_s});
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains(u"строка 2"_s), qPrintable(r.err));
        QCOMPARE(bytes(u"r_data/09.12.2026.zam"_s), broken);
        QCOMPARE(cli({u"-C"_s, work(), u"cover"_s, u"09.12.2026"_s, u"--apply"_s}).code, 1);
        QCOMPARE(bytes(u"r_data/09.12.2026.zam"_s), broken);
    }
};

QTEST_GUILESS_MAIN(TstCliAbsences)
#include "tst_cliabsences.moc"
