// raspisanie-cli zameny: the sheet and the tally as JSON, the files, usage and failures.
#include "sixrowday.h"
#include "text/textfile.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TstCliZameny : public QObject
{
    Q_OBJECT

    struct Run {
        int code;
        QString out;
        QString err;
    };
    Run cli(const QStringList &args) const
    {
        QProcess p;
        p.start(QStringLiteral(RASP_CLI_BIN), QStringList{u"-C"_s, m_dir.path()} + args);
        p.waitForFinished();
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
    }
    static QJsonObject json(const Run &r)
    {
        return QJsonDocument::fromJson(r.out.toUtf8()).object();
    }
    void write(const QString &path, const QStringList &lines) const
    {
        QDir(m_dir.path()).mkpath(QFileInfo(path).path());
        QVERIFY(rasp::text::writeLines(m_dir.filePath(path), lines));
    }
    // Six lesson rows of two classes: the subject lines given, then room lines.
    static QStringList day(const QStringList &subjects, const QStringList &rooms = {})
    {
        return sixrowday::lines(2, subjects, rooms);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        write(u"nagruz.ini"_s, {u"5А|5Б|"_s, u"Иванова|Алгебра;|Алгебра;|"_s, u"Петров|Физика;|Физика;|"_s, u"~end~"_s});
        // Friday 11.12.2026: 5А's algebra given by Петров as physics in another room; 5Б unchanged.
        write(u"setka/Пятница.ini"_s, day({u"|Алгебра|Физика|"_s}, {u"12|14|"_s}));
        write(u"r_data/11.12.2026.ini"_s, day({u"|Физика|Физика|"_s}, {u"15|14|"_s}));
        // Monday 14.12.2026: the same as its template.
        write(u"setka/Понедельник.ini"_s, day({u"|Алгебра||"_s}));
        write(u"r_data/14.12.2026.ini"_s, day({u"|Алгебра||"_s}));
    }

    void sheetIsPrintedAsJson()
    {
        const Run r = cli({u"zameny"_s, u"11.12.2026"_s});
        QCOMPARE(r.code, 0);
        const QJsonObject o = json(r);
        QCOMPARE(o.value(u"date"_s).toString(), u"11.12.2026"_s);
        QCOMPARE(o.value(u"weekday"_s).toString(), u"Пятница"_s);
        const QJsonArray changes = o.value(u"changes"_s).toArray();
        QCOMPARE(changes.size(), 1);
        const QJsonObject c = changes.first().toObject();
        QCOMPARE(c.value(u"class"_s).toString(), u"5А"_s);
        QCOMPARE(c.value(u"column"_s).toInt(), 1);
        QCOMPARE(c.value(u"row"_s).toInt(), 1);
        QCOMPARE(c.value(u"kind"_s).toString(), u"replacement"_s);
        QCOMPARE(c.value(u"was"_s).toObject(),
                 (QJsonObject{{u"subject"_s, u"Алгебра"_s}, {u"room"_s, u"12"_s}, {u"teachers"_s, u"Иванова"_s}, {u"row"_s, 1}}));
        QCOMPARE(c.value(u"now"_s).toObject(),
                 (QJsonObject{{u"subject"_s, u"Физика"_s}, {u"room"_s, u"15"_s}, {u"teachers"_s, u"Петров"_s}, {u"row"_s, 1}}));
    }

    void identicalDaySaysSo()
    {
        const Run r = cli({u"zameny"_s, u"14.12.2026"_s});
        QCOMPARE(r.code, 0);
        const QJsonObject o = json(r);
        QVERIFY(o.value(u"changes"_s).toArray().isEmpty());
        QVERIFY(o.value(u"message"_s).toString().contains(u"совпадает с шаблоном"_s));
    }

    void tallyCountsPerTeacher()
    {
        const Run r = cli({u"zameny"_s, u"11.12.2026"_s, u"14.12.2026"_s, u"--teachers"_s});
        QCOMPARE(r.code, 0);
        const QJsonObject o = json(r);
        QCOMPARE(o.value(u"days"_s).toInt(), 2);
        QStringList teachers;
        for (const QJsonValue &t : o.value(u"teachers"_s).toArray())
            teachers << u"%1 %2 %3"_s.arg(t[u"teacher"_s].toString()).arg(t[u"takenOver"_s].toInt()).arg(t[u"freed"_s].toInt());
        QCOMPARE(teachers, (QStringList{u"Иванова 0 1"_s, u"Петров 1 0"_s}));
        const QJsonObject lesson = o.value(u"teachers"_s).toArray().at(1)[u"takenOverLessons"_s].toArray().first().toObject();
        QCOMPARE(lesson, (QJsonObject{{u"date"_s, u"11.12.2026"_s}, {u"class"_s, u"5А"_s}, {u"row"_s, 1}}));
    }

    void badUsageAndMissingDataFail_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        QTest::newRow("no date") << QStringList{u"zameny"_s} << 2 << u"--help"_s;
        QTest::newRow("bad date") << QStringList{u"zameny"_s, u"11.12"_s} << 2 << u"ДД.ММ.ГГГГ"_s;
        QTest::newRow("unknown option") << QStringList{u"zameny"_s, u"11.12.2026"_s, u"--pdf"_s} << 2 << u"--help"_s;
        QTest::newRow("period without --teachers") << QStringList{u"zameny"_s, u"11.12.2026"_s, u"14.12.2026"_s} << 2
                                                   << u"--help"_s;
        QTest::newRow("period ending before it starts")
            << QStringList{u"zameny"_s, u"14.12.2026"_s, u"11.12.2026"_s, u"--teachers"_s} << 2 << u"раньше"_s;
        QTest::newRow("no saved day") << QStringList{u"zameny"_s, u"15.12.2026"_s} << 1 << u"не сохранено"_s;
        QTest::newRow("weekday out of range")
            << QStringList{u"zameny"_s, u"11.12.2026"_s, u"--as-weekday"_s, u"8"_s} << 2 << u"1..7"_s;
        QTest::newRow("weekday choice for a day not saved")
            << QStringList{u"zameny"_s, u"19.12.2026"_s, u"--as-weekday"_s, u"1"_s} << 1 << u"не сохранено"_s;
        QTest::newRow("journal without a period") << QStringList{u"journal"_s, u"01.12.2026"_s} << 2 << u"период"_s;
    }
    void badUsageAndMissingDataFail()
    {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QString, message);
        const Run r = cli(args);
        QCOMPARE(r.code, code);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QVERIFY(r.out.isEmpty());
    }

    // Saturday 12.12.2026 worked as Friday: the choice is recorded beside the day, the sheet
    // says it and compares with Friday's template; the journal then lists the day's substitution
    // from that record.
    void aDateFollowsAnotherWeekdayAndTheJournalListsIt()
    {
        write(u"r_data/12.12.2026.ini"_s, day({u"|Физика|Физика|"_s}, {u"15|14|"_s}));
        QCOMPARE(cli({u"zameny"_s, u"12.12.2026"_s}).code, 1); // no Saturday template
        const Run r = cli({u"zameny"_s, u"12.12.2026"_s, u"--as-weekday"_s, u"5"_s});
        QCOMPARE(r.code, 0);
        const QJsonObject o = json(r);
        QCOMPARE(o.value(u"asWeekday"_s).toInt(), 5);
        QCOMPARE(o.value(u"title"_s).toString(), u"Суббота 12.12.2026 по расписанию пятницы"_s);
        QCOMPARE(o.value(u"changes"_s).toArray().size(), 1);
        QVERIFY(QFile::exists(m_dir.filePath(u"r_data/12.12.2026.zam"_s)));
        QCOMPARE(json(cli({u"zameny"_s, u"12.12.2026"_s})).value(u"asWeekday"_s).toInt(), 5); // kept

        const Run j = cli({u"journal"_s, u"11.12.2026"_s, u"12.12.2026"_s});
        QCOMPARE(j.code, 0);
        const QJsonObject journal = json(j);
        QCOMPARE(journal.value(u"title"_s).toString(), u"Журнал замещённых уроков с 11.12.2026 по 12.12.2026"_s);
        QCOMPARE(journal.value(u"recordedDays"_s).toInt(), 1);
        QCOMPARE(journal.value(u"comparedDays"_s).toInt(), 1); // 11.12 has no record: compared now
        QCOMPARE(journal.value(u"hours"_s).toInt(), 2);
        const QJsonObject first = journal.value(u"lessons"_s).toArray().at(0).toObject();
        QCOMPARE(first.value(u"absent"_s).toString(), u"Иванова"_s);
        QCOMPARE(first.value(u"covering"_s).toString(), u"Петров"_s);
        QCOMPARE(first.value(u"class"_s).toString(), u"5А"_s);
        QVERIFY(j.err.contains(u"11.12.2026: записи дня нет"_s));

        const Run x = cli({u"journal"_s, u"11.12.2026"_s, u"12.12.2026"_s, u"--xlsx"_s});
        QCOMPARE(x.code, 0);
        QCOMPARE(x.out.trimmed(), QDir::toNativeSeparators(m_dir.filePath(u"raspisanie/Журнал 11.12.2026-12.12.2026.xlsx"_s)));
        QVERIFY(QFileInfo(m_dir.filePath(u"raspisanie/Журнал 11.12.2026-12.12.2026.xlsx"_s)).size() > 0);
        QVERIFY(QFile::remove(m_dir.filePath(u"r_data/12.12.2026.zam"_s)));
        QVERIFY(QFile::remove(m_dir.filePath(u"r_data/12.12.2026.ini"_s)));
    }

    void helpExplainsTheCommand()
    {
        const Run r = cli({u"zameny"_s, u"--help"_s});
        QCOMPARE(r.code, 0);
        QVERIFY(r.out.contains(u"Коды выхода"_s));
        QVERIFY(r.out.contains(u"Пример: raspisanie-cli"_s));
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TstCliZameny)
#include "tst_clizameny.moc"
