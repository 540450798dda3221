// Weekday and month words, the date in words and the short date text.
#include "text/datewords.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace rasp;

class TstDateWords : public QObject
{
    Q_OBJECT

private slots:
    void wordsOfADate_data()
    {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("nominative");
        QTest::addColumn<QString>("accusative");
        QTest::addColumn<QString>("inWords");
        QTest::addColumn<QString>("shortText");
        QTest::newRow("Thursday, day without leading zero") << QDate(2025, 5, 1) << u"Четверг"_s << u"четверг"_s
                                                            << u"1 мая 2025 года"_s << u"01.05.2025"_s;
        QTest::newRow("Wednesday") << QDate(2026, 12, 9) << u"Среда"_s << u"среду"_s << u"9 декабря 2026 года"_s
                                   << u"09.12.2026"_s;
        QTest::newRow("Sunday, index 1 of the Sunday-first tables")
            << QDate(2026, 12, 6) << u"Воскресенье"_s << u"воскресенье"_s << u"6 декабря 2026 года"_s << u"06.12.2026"_s;
        QTest::newRow("Saturday, index 7") << QDate(2026, 12, 12) << u"Суббота"_s << u"субботу"_s
                                           << u"12 декабря 2026 года"_s << u"12.12.2026"_s;
        QTest::newRow("Friday in January") << QDate(2027, 1, 22) << u"Пятница"_s << u"пятницу"_s
                                           << u"22 января 2027 года"_s << u"22.01.2027"_s;
    }
    void wordsOfADate()
    {
        QFETCH(QDate, date);
        QFETCH(QString, nominative);
        QFETCH(QString, accusative);
        QFETCH(QString, inWords);
        QFETCH(QString, shortText);
        QCOMPARE(text::day(date), nominative);
        QCOMPARE(text::day2(date), accusative);
        QCOMPARE(text::DataSlov(date), inWords);
        QCOMPARE(text::ShortDate(date), shortText);
        QCOMPARE(text::ParseShortDate(shortText), date);
        // The weekday label of a date names the template file of that weekday.
        QCOMPARE(text::daySet(date.dayOfWeek()), nominative);
    }

    void fixedTables()
    {
        const QStringList week = {u"Понедельник"_s, u"Вторник"_s, u"Среда"_s, u"Четверг"_s,
                                  u"Пятница"_s, u"Суббота"_s, u"Воскресенье"_s};
        for (int n = 1; n <= 7; ++n)
            QCOMPARE(text::daySet(n), week.at(n - 1));
        QVERIFY(text::daySet(0).isEmpty());
        QVERIFY(text::daySet(8).isEmpty());
        QCOMPARE(text::stMonth(1), u"января"_s);
        QCOMPARE(text::stMonth(3), u"марта"_s);
        QCOMPARE(text::stMonth(8), u"августа"_s);
        QCOMPARE(text::stMonth(12), u"декабря"_s);
        QVERIFY(text::stMonth(13).isEmpty());
    }

    void badShortDatesAreRefused_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QString();
        QTest::newRow("no leading zero") << u"9.12.2026"_s;
        QTest::newRow("ISO order") << u"2026-12-09"_s;
        QTest::newRow("no such day") << u"31.02.2026"_s;
        QTest::newRow("letters") << u"0a.12.2026"_s;
        QTest::newRow("signs") << u"+9.12.2026"_s;
    }
    void badShortDatesAreRefused()
    {
        QFETCH(QString, text);
        QVERIFY(!text::ParseShortDate(text).isValid());
        QVERIFY(!text::ShortDateProblem(text).isEmpty());
    }

    // A text in the DD.MM.YYYY form that names no day is told so, not asked for that form.
    void aDateThatDoesNotExistIsToldSo_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("problem");
        QTest::newRow("a real date") << u"29.02.2028"_s << QString();
        QTest::newRow("31 April") << u"31.04.2026"_s << u"Такой даты нет: 31.04.2026 (в этом месяце 30 дней)"_s;
        QTest::newRow("29 February of a common year") << u"29.02.2027"_s
                                                      << u"Такой даты нет: 29.02.2027 (в этом месяце 28 дней)"_s;
        QTest::newRow("32 January") << u"32.01.2026"_s << u"Такой даты нет: 32.01.2026 (в этом месяце 31 день)"_s;
        QTest::newRow("month 13") << u"01.13.2026"_s << u"Такой даты нет: 01.13.2026 (месяцев в году 12)"_s;
        QTest::newRow("day 00") << u"00.05.2026"_s << u"Такой даты нет: 00.05.2026 (дни месяца считаются с 01)"_s;
        QTest::newRow("year 0000") << u"01.01.0000"_s << u"Такой даты нет: 01.01.0000 (года 0000 не было)"_s;
        QTest::newRow("another form") << u"1.12.2026"_s << u"Дата должна быть в виде ДД.ММ.ГГГГ: 1.12.2026"_s;
    }
    void aDateThatDoesNotExistIsToldSo()
    {
        QFETCH(QString, text);
        QFETCH(QString, problem);
        QCOMPARE(text::ShortDateProblem(text), problem);
    }
};

QTEST_GUILESS_MAIN(TstDateWords)
#include "tst_datewords.moc"
