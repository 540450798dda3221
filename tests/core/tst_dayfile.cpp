// The day file: byte layout, round trip, blanks, and files of another shape read by position.
#include "day/dayfile.h"
#include "day/gridops.h"
#include "state.h"
#include "text/textfile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TstDayFile : public QObject
{
    Q_OBJECT

    static rasp::State grid(int rows, int classes)
    {
        rasp::State s;
        s.max_ur = rows;
        for (int j = 0; j <= classes; ++j)
            rasp::day::KlassCreate(s);
        return s;
    }
    static QByteArray bytes(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private slots:
    void sixRowsThreeClassesLayoutAndRoundTrip()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"09.12.2026.ini"_s);
        rasp::State s = grid(6, 3);
        s.grid.cell(1, 1).subject = u"Алгебра"_s;
        s.grid.cell(1, 3).subject = u"Физ-ра"_s;
        s.grid.cell(6, 2).subject = u"Химия"_s;
        s.grid.cell(1, 1).room = u"12"_s;
        s.grid.cell(6, 2).room = u"14/15"_s;
        s.note = u"Замена: Ёлкина"_s;
        QVERIFY(rasp::day::RaspSave(s, path));

        const QByteArray expected = "|\xC0\xEB\xE3\xE5\xE1\xF0\xE0||\xD4\xE8\xE7-\xF0\xE0|\r\n"
                                    "||||\r\n||||\r\n||||\r\n||||\r\n|"
                                    "|\xD5\xE8\xEC\xE8\xFF||\r\n"
                                    "12|||\r\n|||\r\n|||\r\n|||\r\n|||\r\n|14/15||\r\n"
                                    "\xC7\xE0\xEC\xE5\xED\xE0: \xA8\xEB\xEA\xE8\xED\xE0\r\n~end~\r\n";
        QCOMPARE(bytes(path), expected);

        rasp::State back = grid(6, 3);
        back.grid.cell(2, 2).subject = u"старое"_s;
        QCOMPARE(rasp::day::RaspLoad(back, path, 1), rasp::text::ReadResult::Ok);
        for (int i = 1; i <= 6; ++i)
            for (int j = 1; j <= 3; ++j) {
                QCOMPARE(back.grid.cell(i, j).subject, s.grid.cell(i, j).subject);
                QCOMPARE(back.grid.cell(i, j).room, s.grid.cell(i, j).room);
            }
        QCOMPARE(back.note, s.note);
        QCOMPARE(rasp::day::DayFileLines(back), rasp::day::DayFileLines(s));
    }

    void singleBlankIsEmptiedInTheGridAndTheFile()
    {
        QTemporaryDir dir;
        rasp::State s = grid(6, 2);
        s.grid.cell(2, 2).subject = u" "_s;
        s.grid.cell(3, 1).subject = u"  "_s; // only a single blank counts as empty
        QVERIFY(rasp::day::RaspSave(s, dir.filePath(u"d.ini"_s)));
        QVERIFY(s.grid.cell(2, 2).subject.isEmpty());
        QCOMPARE(s.grid.cell(3, 1).subject, u"  "_s);
        QCOMPARE(rasp::day::DayFileLines(s).at(1), u"|||"_s);
    }

    void roomsAndNoteOnlyWithTheRoomFlag()
    {
        rasp::State s = grid(6, 1);
        const QStringList lines = {u"|Рус|"_s, u"|"_s, u"|"_s, u"|"_s, u"|"_s, u"|"_s,
                                   u"21|"_s, u"|"_s, u"|"_s, u"|"_s, u"|"_s, u"|"_s, u"Заметка"_s, u"~end~"_s};
        rasp::day::ApplyDayFileLines(s, lines, 0);
        QCOMPARE(s.grid.cell(1, 1).subject, u"Рус"_s);
        QVERIFY(s.grid.cell(1, 1).room.isEmpty());
        QVERIFY(s.note.isEmpty());
        rasp::day::ApplyDayFileLines(s, lines, 1);
        QCOMPARE(s.grid.cell(1, 1).room, u"21"_s);
        QCOMPARE(s.note, u"Заметка"_s);
    }

    void aShorterFileFillsTheTopRowsOfALongerGrid()
    {
        rasp::State six = grid(6, 2);
        six.grid.cell(1, 1).subject = u"Рус"_s;
        six.grid.cell(6, 2).subject = u"Хим"_s;
        six.grid.cell(6, 2).room = u"31"_s;
        six.note = u"н"_s;
        rasp::State eight = grid(8, 2);
        eight.grid.cell(8, 1).subject = u"старое"_s;
        rasp::day::RaspClear(eight);
        rasp::day::ApplyDayFileLines(eight, rasp::day::DayFileLines(six), 1);
        QCOMPARE(eight.grid.cell(1, 1).subject, u"Рус"_s);
        QCOMPARE(eight.grid.cell(6, 2).subject, u"Хим"_s);
        // Rows 7 and 8 read the first two room lines as subjects; the rooms then read by position.
        QVERIFY(eight.grid.cell(7, 1).subject.isEmpty());
        QVERIFY(eight.grid.cell(8, 1).subject.isEmpty());
        QCOMPARE(eight.grid.cell(4, 2).room, u"31"_s);
        QCOMPARE(eight.grid.cell(5, 1).room, u"н"_s);
        QVERIFY(eight.grid.cell(6, 1).room.isEmpty()); // the "~end~" line is no room
        QVERIFY(eight.note.isEmpty());
        QCOMPARE(rasp::day::DayFilePath(QDate(2026, 12, 9)), u"r_data/09.12.2026.ini"_s);
    }

    void filesOfAnotherShapeReadByPosition_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("subject11");
        QTest::addColumn<QString>("subject12");
        QTest::addColumn<QString>("subject62");
        QTest::addColumn<QString>("room12");
        QTest::addColumn<QString>("note");
        // Grid: 6 rows, 2 classes.
        QTest::newRow("short file") << QStringList{u"|А|Б|"_s, u"|В"_s} << u"А"_s << u"Б"_s << u""_s << u""_s << u""_s;
        QTest::newRow("wider file: extra classes unused")
            << QStringList{u"|А|Б|В|Г|"_s, u"|"_s, u"|"_s, u"|"_s, u"|"_s, u"|Е|Ж|"_s,
                           u"1|2|3|"_s, u"|"_s, u"|"_s, u"|"_s, u"|"_s, u"|"_s, u"н"_s, u"~end~"_s}
            << u"А"_s << u"Б"_s << u"Ж"_s << u"2"_s << u"н"_s;
        QTest::newRow("file of 8 rows: read by position, nothing fails")
            << QStringList{u"|А|Б|"_s, u"|"_s, u"|"_s, u"|"_s, u"|"_s, u"|Е|Ж|"_s, u"|7|7|"_s, u"|8|8|"_s,
                           u"к1|к2|"_s, u"|"_s, u"|"_s, u"|"_s, u"|"_s, u"|"_s, u"|"_s, u"|"_s, u"~end~"_s}
            << u"А"_s << u"Б"_s << u"Ж"_s << u"7"_s << u"|\n|\n|\n|"_s;
        QTest::newRow("last field without its bar") << QStringList{u"|А|Б"_s} << u"А"_s << u"Б"_s << u""_s << u""_s << u""_s;
        QTest::newRow("multi-line note read whole")
            << QStringList{u"|"_s, u"|"_s, u"|"_s, u"|"_s, u"|"_s, u"|"_s,
                           u"|"_s, u"|"_s, u"|"_s, u"|"_s, u"|"_s, u"|"_s, u"раз"_s, u"два"_s, u"~end~"_s, u"хвост"_s}
            << u""_s << u""_s << u""_s << u""_s << u"раз\nдва"_s;
    }
    void filesOfAnotherShapeReadByPosition()
    {
        QFETCH(QStringList, lines);
        QFETCH(QString, subject11);
        QFETCH(QString, subject12);
        QFETCH(QString, subject62);
        QFETCH(QString, room12);
        QFETCH(QString, note);
        rasp::State s = grid(6, 2);
        rasp::day::ApplyDayFileLines(s, lines, 1);
        QCOMPARE(s.grid.cell(1, 1).subject, subject11);
        QCOMPARE(s.grid.cell(1, 2).subject, subject12);
        QCOMPARE(s.grid.cell(6, 2).subject, subject62);
        QCOMPARE(s.grid.cell(1, 2).room, room12);
        QCOMPARE(s.note, note);
    }
};

QTEST_GUILESS_MAIN(TstDayFile)
#include "tst_dayfile.moc"
