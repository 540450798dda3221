// raspisanie-cli arrange: the saved day arranged headless with a fixed seed, printed as the day's
// cells, with no file written; a day that cannot be finished, and the command's errors.
#include "clischool.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace clischool;

namespace {

const QStringList kSolvable = {u"Алгебра|Алгебра|Англ|Лепка|"_s, u"Физика|Лепка|Химия||"_s, u"Химия||||"_s};
const QStringList kArranged = {u"Алгебра|Лепка|Англ|Лепка|"_s, u"Физика|Алгебра|Химия||"_s, u"Химия||||"_s};

} // namespace

class TstCliArrange : public QObject
{
    Q_OBJECT

private slots:
    void theDayIsArrangedAndNothingIsWritten()
    {
        QTemporaryDir dir;
        writeSchool(dir.path(), kSolvable);
        const QStringList before = folderState(dir.path());
        const Run r = cli({u"-C"_s, dir.path(), u"arrange"_s, u"09.12.2026"_s, u"--seed"_s, u"12"_s});
        QCOMPARE(r.code, 0);
        QVERIFY2(r.err.isEmpty(), qPrintable(r.err));
        const QJsonObject o = json(r);
        QCOMPARE(rowsOf(o), kArranged);
        QCOMPARE(o.value(u"finished"_s).toBool(), true);
        QCOMPARE(o.value(u"message"_s).toString(), u"Готово!"_s);
        QCOMPARE(o.value(u"seed"_s).toString(), u"12"_s);
        QCOMPARE(o.value(u"maxLessons"_s).toInt(), 6);
        QCOMPARE(o.value(u"missingFirst"_s).toInt(), 0);
        const QJsonArray cells = o.value(u"cells"_s).toArray();
        QCOMPARE(cells.size(), 24);
        QCOMPARE(cells.at(0)[u"room"_s].toString(), u"12"_s);          // the room went with Алгебра
        QCOMPARE(cells.at(5)[u"teachers"_s].toString(), u"Иванова"_s); // 5Б's Алгебра at lesson 2
        QCOMPARE(cells.at(8)[u"locked"_s].toBool(), true);             // Химия of 5А stays pinned
        for (const QJsonValue &c : cells)
            QCOMPARE(c[u"background"_s].toString(), u"FFFFFFFF"_s); // no coincidence left
        QCOMPARE(folderState(dir.path()), before);
        // The same seed gives the same run, options given before the date or with "=".
        const Run again = cli({u"-C"_s, dir.path(), u"arrange"_s, u"--seed=12"_s, u"09.12.2026"_s});
        QCOMPARE(again.out, r.out);
    }

    void aDayThatCannotBeFinishedStopsAfterTheGivenCycles()
    {
        QTemporaryDir dir;
        // Борисова's two pinned Химия lessons at lesson 1 can never move.
        writeSchool(dir.path(), {u"Химия|Алгебра|Химия|Лепка|"_s, u"Алгебра|Физика|Англ||"_s, u"Физика||||"_s});
        const Run r = cli({u"-C"_s, dir.path(), u"arrange"_s, u"09.12.2026"_s, u"--seed"_s, u"3"_s, u"--max-cycles"_s, u"40"_s});
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains(u"Сделайте несколько перестановок вручную и повторите автоподбор еще раз"_s), qPrintable(r.err));
        const QJsonObject o = json(r);
        QCOMPARE(o.value(u"finished"_s).toBool(), false);
        QCOMPARE(o.value(u"cycles"_s).toInt(), 40);
        QCOMPARE(rowsOf(o).at(0).section(u'|', 0, 0), u"Химия"_s);
        QCOMPARE(rowsOf(o).at(0).section(u'|', 2, 2), u"Химия"_s);
    }

    void errors_data()
    {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        QTest::newRow("no date") << kSolvable << QStringList{} << 2 << u"Укажите дату"_s;
        QTest::newRow("date that does not exist") << kSolvable << QStringList{u"31.02.2026"_s} << 2
                                                  << u"Такой даты нет: 31.02.2026 (в этом месяце 28 дней)"_s;
        QTest::newRow("no saved day") << kSolvable << QStringList{u"10.12.2026"_s} << 1 << u"Расписания на 10.12.2026 нет"_s;
        QTest::newRow("bad seed") << kSolvable << QStringList{u"09.12.2026"_s, u"--seed"_s, u"x"_s} << 2 << u"Зерно"_s;
        QTest::newRow("maximum not offered") << kSolvable << QStringList{u"09.12.2026"_s, u"--max-lessons"_s, u"2"_s} << 2
                                             << u"Максимум уроков: 2 нельзя выбрать, возможны 3, 4, 5, 6"_s;
        QTest::newRow("missing first not offered")
            << kSolvable << QStringList{u"09.12.2026"_s, u"--max-lessons"_s, u"3"_s, u"--missing-first"_s, u"2"_s} << 2
            << u"Отсутствие первых уроков: 2 нельзя выбрать, возможны 0, 1"_s;
        QTest::newRow("empty day") << QStringList{} << QStringList{u"09.12.2026"_s} << 1 << u"Заполните расписание"_s;
        QTest::newRow("unknown option") << kSolvable << QStringList{u"09.12.2026"_s, u"--fast"_s} << 2 << u"Неверный параметр"_s;
        QTest::newRow("seed without its value") << kSolvable << QStringList{u"09.12.2026"_s, u"--seed"_s} << 2
                                                << u"Не указано значение параметра --seed команды arrange"_s;
        QTest::newRow("two dates") << kSolvable << QStringList{u"09.12.2026"_s, u"10.12.2026"_s} << 2
                                   << u"Лишний параметр команды arrange: 10.12.2026"_s;
    }
    void errors()
    {
        QFETCH(QStringList, rows);
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QString, message);
        QTemporaryDir dir;
        writeSchool(dir.path(), rows);
        const Run r = cli(QStringList{u"-C"_s, dir.path(), u"arrange"_s} + args);
        QCOMPARE(r.code, code);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QVERIFY(r.out.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TstCliArrange)
#include "tst_cliarrange.moc"
