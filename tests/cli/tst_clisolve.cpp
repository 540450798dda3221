// raspisanie-cli solve: the saved day arranged exactly and printed, the reason for a day that
// cannot be arranged, writing the day only with --save, the help and the usage errors.
#include "clischool.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace clischool;

namespace {

const QStringList kClash = {u"Алгебра|Алгебра|Англ|Лепка|"_s, u"Физика|Лепка|Химия||"_s, u"Химия||||"_s};
const QStringList kSolved = {u"Алгебра|Лепка|Англ|Лепка|"_s, u"Физика|Алгебра|Химия||"_s, u"Химия||||"_s};

} // namespace

class TstCliSolve : public QObject
{
    Q_OBJECT

private slots:
    void theDayIsSolvedWithTheFewestMovesAndNothingIsWritten()
    {
        QTemporaryDir dir;
        writeSchool(dir.path(), kClash);
        const QStringList before = folderState(dir.path());
        const Run r = cli({u"-C"_s, dir.path(), u"solve"_s, u"09.12.2026"_s});
        QCOMPARE(r.code, 0);
        QVERIFY2(r.err.isEmpty(), qPrintable(r.err));
        const QJsonObject o = json(r);
        QCOMPARE(o.value(u"status"_s).toString(), u"solved"_s);
        QCOMPARE(o.value(u"optimal"_s).toBool(), true);
        QCOMPARE(rowsOf(o), kSolved);
        const QJsonArray moved = o.value(u"moved"_s).toArray();
        QCOMPARE(moved.size(), 2);
        QCOMPARE(moved.at(0).toObject(), (QJsonObject{{u"class"_s, 2}, {u"className"_s, u"5Б"_s}, {u"subject"_s, u"Алгебра"_s}, {u"from"_s, 1}, {u"to"_s, 2}}));
        QCOMPARE(moved.at(1).toObject(), (QJsonObject{{u"class"_s, 2}, {u"className"_s, u"5Б"_s}, {u"subject"_s, u"Лепка"_s}, {u"from"_s, 2}, {u"to"_s, 1}}));
        const QJsonArray cells = o.value(u"cells"_s).toArray();
        QCOMPARE(cells.at(0)[u"room"_s].toString(), u"12"_s); // 5А's Алгебра kept its room
        QCOMPARE(cells.at(5)[u"room"_s].toString(), u"14"_s); // 5Б's Алгебра took its room along
        QCOMPARE(cells.at(8)[u"locked"_s].toBool(), true);    // Химия of 5А stays pinned
        for (const QJsonValue &c : cells)
            QCOMPARE(c[u"background"_s].toString(), u"FFFFFFFF"_s); // no coincidence left
        QCOMPARE(folderState(dir.path()), before);
    }

    void saveWritesTheSolvedDay()
    {
        QTemporaryDir dir;
        writeSchool(dir.path(), kClash);
        const Run r = cli({u"-C"_s, dir.path(), u"solve"_s, u"09.12.2026"_s, u"--save"_s});
        QCOMPARE(r.code, 0);
        const Run day = cli({u"-C"_s, dir.path(), u"day"_s, u"09.12.2026"_s});
        QCOMPARE(day.code, 0);
        QCOMPARE(rowsOf(json(day)), kSolved);
        QCOMPARE(json(day).value(u"cells"_s).toArray().at(5)[u"room"_s].toString(), u"14"_s);
    }

    void anImpossibleDayGivesItsReasonAndIsNotWritten()
    {
        QTemporaryDir dir;
        // Борисова's two pinned Химия lessons at lesson 1 can never move.
        writeSchool(dir.path(), {u"Химия|Алгебра|Химия|Лепка|"_s, u"Алгебра|Физика|Англ||"_s, u"Физика||||"_s});
        const QStringList before = folderState(dir.path());
        const Run r = cli({u"-C"_s, dir.path(), u"solve"_s, u"09.12.2026"_s, u"--save"_s});
        QCOMPARE(r.code, 1);
        const QString reason = u"Закреплённые уроки совпадают: Борисова в ряду 1 у классов 5А и 6А"_s;
        QVERIFY2(r.err.contains(reason), qPrintable(r.err));
        const QJsonObject o = json(r);
        QCOMPARE(o.value(u"status"_s).toString(), u"impossible"_s);
        QCOMPARE(o.value(u"reason"_s).toString(), reason);
        QCOMPARE(o.value(u"moved"_s).toArray().size(), 0);
        QCOMPARE(rowsOf(o).at(0), u"Химия|Алгебра|Химия|Лепка|"_s);
        QCOMPARE(folderState(dir.path()), before);
    }

    void helpDescribesTheCommand()
    {
        QTemporaryDir dir;
        const Run r = cli({u"-C"_s, dir.path(), u"solve"_s, u"--help"_s});
        QCOMPARE(r.code, 0);
        for (const QString &part : {u"solve ДД.ММ.ГГГГ"_s, u"--time-limit"_s, u"--save"_s, u"Коды выхода"_s, u"Пример:"_s})
            QVERIFY2(r.out.contains(part), qPrintable(part));
    }

    void errors_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        QTest::newRow("no date") << QStringList{} << 2 << u"Укажите дату"_s;
        QTest::newRow("date that does not exist") << QStringList{u"31.02.2026"_s} << 2 << u"Такой даты нет: 31.02.2026"_s;
        QTest::newRow("two dates") << QStringList{u"09.12.2026"_s, u"10.12.2026"_s} << 2 << u"Лишний параметр"_s;
        QTest::newRow("unknown option") << QStringList{u"09.12.2026"_s, u"--fast"_s} << 2 << u"Неверный параметр команды solve: --fast"_s;
        QTest::newRow("bad time limit") << QStringList{u"09.12.2026"_s, u"--time-limit"_s, u"0"_s} << 2 << u"Время на поиск"_s;
        QTest::newRow("maximum not offered") << QStringList{u"09.12.2026"_s, u"--max-lessons"_s, u"2"_s} << 2
                                             << u"Максимум уроков: 2 нельзя выбрать, возможны 3, 4, 5, 6"_s;
        QTest::newRow("no saved day") << QStringList{u"10.12.2026"_s} << 1 << u"Расписания на 10.12.2026 нет"_s;
    }
    void errors()
    {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QString, message);
        QTemporaryDir dir;
        writeSchool(dir.path(), kClash);
        const Run r = cli(QStringList{u"-C"_s, dir.path(), u"solve"_s} + args);
        QCOMPARE(r.code, code);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        if (code == 2)
            QVERIFY2(r.err.contains(u"solve --help"_s), qPrintable(r.err));
        QVERIFY(r.out.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TstCliSolve)
#include "tst_clisolve.moc"
