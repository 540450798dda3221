// The delivered-hours count: slots per class in order of first occurrence, their capacity,
// reading by position or by recorded class names, the period of saved days and the template week.
#include "day/dayfile.h"
#include "day/gridops.h"
#include "reports/vipolnenie.h"
#include "state.h"
#include "template/setka.h"
#include "text/datewords.h"
#include "text/textfile.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using Files = QList<QStringList>;

class TstReports : public QObject
{
    Q_OBJECT

    static rasp::State school(int rows, int classes)
    {
        rasp::State s;
        s.max_ur = rows;
        for (int j = 0; j <= classes; ++j)
            rasp::day::KlassCreate(s);
        return s;
    }
    // The table as one text per class column, its filled cells joined by ";" (every column is
    // as long as the longest; the free cells below a class's last subject are left out).
    static QStringList columns(const rasp::reports::Vipolnenie &vip)
    {
        QStringList out;
        for (QStringList c : rasp::reports::VipTable(vip)) {
            if (c.size() != rasp::reports::VipRows(vip))
                return {u"column of the wrong length"_s};
            while (!c.isEmpty() && c.last().isEmpty())
                c.removeLast();
            out << c.join(u';');
        }
        return out;
    }
    // A six-row day of three classes: subject lines from `rows`, then six room lines and "~end~".
    static QStringList day3(const QStringList &rows)
    {
        QStringList lines = rows;
        while (lines.size() < 6)
            lines << u"||||"_s;
        for (int i = 0; i < 6; ++i)
            lines << u"31|32|33|"_s;
        lines << QString() << u"~end~"_s;
        return lines;
    }

private slots:
    void countsFilesBySlot_data()
    {
        QTest::addColumn<int>("classes");
        QTest::addColumn<int>("rows");
        QTest::addColumn<Files>("files");
        QTest::addColumn<QStringList>("expected");

        const QStringList sRows13 = {u"|S|||"_s, u"||||"_s, u"|S|||"_s};
        QTest::newRow("same subject in rows 1 and 3 on two days") << 3 << 6 << Files{day3(sRows13), day3(sRows13)}
                                                                  << QStringList{u"S - 4"_s, QString(), QString()};
        // A small school's class has more subjects than the school has classes: all are counted.
        QTest::newRow("three classes, five subjects in one")
            << 3 << 6
            << Files{day3({u"|А|||"_s, u"|Б|||"_s, u"|В|||"_s}), day3({u"|Г|Хор||"_s, u"|Б|||"_s, u"|Д|||"_s, u"|А|||"_s})}
            << QStringList{u"А - 2;Б - 2;В - 1;Г - 1;Д - 1"_s, u"Хор - 1"_s, QString()};
        QTest::newRow("slots fill in order of first occurrence, per class")
            << 3 << 6 << Files{day3({u"|Хор|Физика||"_s, u"|Алгебра|Хор||"_s}), day3({u"|Физика|Физика|Хор|"_s})}
            << QStringList{u"Хор - 1;Алгебра - 1;Физика - 1"_s, u"Физика - 2;Хор - 1"_s, u"Хор - 1"_s};
        QTest::newRow("names compare exactly") << 3 << 6 << Files{day3({u"|Алгебра|||"_s, u"|алгебра|||"_s, u"|Алгебра |||"_s})}
                                               << QStringList{u"Алгебра - 1;алгебра - 1;Алгебра  - 1"_s, QString(), QString()};
        QTest::newRow("column 0, empty fields and fields past the last class count nothing")
            << 2 << 6 << Files{day3({u"Ноль|||Лишний|"_s, u"|Хор|"_s})} << QStringList{u"Хор - 1"_s, QString()};
        QTest::newRow("room lines and the note are never subjects")
            << 3 << 6 << Files{day3({u"|Хор|||"_s})} << QStringList{u"Хор - 1"_s, QString(), QString()};
        QTest::newRow("a shorter file ends at its end line")
            << 3 << 8 << Files{{u"|Хор|||"_s, u"~end~"_s, u"|Лишний|||"_s}} << QStringList{u"Хор - 1"_s, QString(), QString()};
        QTest::newRow("only max_ur subject lines are read")
            << 3 << 2 << Files{day3({u"|А|||"_s, u"|Б|||"_s, u"|В|||"_s})} << QStringList{u"А - 1;Б - 1"_s, QString(), QString()};
        QTest::newRow("text after the last bar still counts")
            << 2 << 6 << Files{{u"|Хор|Физика"_s, u"~end~"_s}} << QStringList{u"Хор - 1"_s, u"Физика - 1"_s};
    }
    void countsFilesBySlot()
    {
        QFETCH(int, classes);
        QFETCH(int, rows);
        QFETCH(Files, files);
        QFETCH(QStringList, expected);
        const rasp::State s = school(rows, classes);
        rasp::reports::Vipolnenie vip;
        rasp::reports::VipolnenieStart(s, vip);
        QCOMPARE(vip.vipolnen, 2 * classes);
        QCOMPARE(int(vip.vipolnenie.size()), 2 * classes + 1);
        for (const QStringList &lines : files)
            rasp::reports::RaspVipLoad(s, vip, lines);
        QCOMPARE(columns(vip), expected);
        // The raw rows: a free slot keeps an empty subject and the count "0".
        QCOMPARE(int(vip.vipolnenie.size()), vip.vipolnen + 1);
        for (int j = 1; j <= classes; ++j)
            for (int k = 1; 2 * k <= vip.vipolnen; ++k)
                if (vip.vipolnenie[std::size_t(2 * k - 1)][std::size_t(j)].isEmpty())
                    QCOMPARE(vip.vipolnenie[std::size_t(2 * k)][std::size_t(j)], u"0"_s);
    }

    void periodCountsSavedDaysInDateOrder()
    {
        QTemporaryDir dir;
        QDir::setCurrent(dir.path());
        QDir().mkpath(u"r_data"_s);
        const rasp::State s = school(6, 3);
        const auto save = [](QDate d, const QStringList &rows) {
            QVERIFY(rasp::text::writeLines(rasp::day::DayFilePath(d), day3(rows)));
        };
        save(QDate(2026, 11, 30), {u"|До|||"_s});    // before the period
        save(QDate(2026, 12, 3), {u"|Физика|||"_s}); // later date, written first
        save(QDate(2026, 12, 1), {u"|Хор|||"_s, u"|Физика|||"_s});
        save(QDate(2026, 12, 5), {u"|После|||"_s}); // the end date is included

        rasp::reports::Vipolnenie vip;
        rasp::reports::VipolnenieStart(s, vip);
        QList<bool> steps;
        const QStringList errors = rasp::reports::RaschetPeriod(s, vip, QDate(2026, 12, 1), QDate(2026, 12, 5),
                                                                [&steps](bool counted) { steps << counted; return true; })
                                       .errors;
        QVERIFY(errors.isEmpty());
        QCOMPARE(steps, (QList<bool>{true, false, true, false, true}));
        QCOMPARE(columns(vip).first(), u"Хор - 1;Физика - 2;После - 1"_s);

        // Start and end equal: one step, one file at most.
        rasp::reports::VipolnenieStart(s, vip);
        steps.clear();
        rasp::reports::RaschetPeriod(s, vip, QDate(2026, 12, 3), QDate(2026, 12, 3), [&steps](bool c) { steps << c; return true; });
        QCOMPARE(steps, QList<bool>{true});
        QCOMPARE(columns(vip).first(), u"Физика - 1"_s);

        // A step that says stop ends the run there.
        rasp::reports::VipolnenieStart(s, vip);
        steps.clear();
        rasp::reports::RaschetPeriod(s, vip, QDate(2026, 12, 1), QDate(2026, 12, 5), [&steps](bool c) {
            steps << c;
            return steps.size() < 2;
        });
        QCOMPARE(steps, (QList<bool>{true, false}));
        QCOMPARE(columns(vip).first(), u"Хор - 1;Физика - 1"_s);

        // End before start: nothing is read.
        rasp::reports::VipolnenieStart(s, vip);
        steps.clear();
        rasp::reports::RaschetPeriod(s, vip, QDate(2026, 12, 5), QDate(2026, 12, 1), [&steps](bool c) { steps << c; return true; });
        QVERIFY(steps.isEmpty());
        QCOMPARE(rasp::reports::VipRows(vip), 0);
    }

    void anUnreadableFileIsNamedAndTheRestCounted()
    {
        QTemporaryDir dir;
        QDir::setCurrent(dir.path());
        const rasp::State s = school(6, 3);
        QVERIFY(QDir().mkpath(rasp::day::DayFilePath(QDate(2026, 12, 2)))); // a folder where the file goes
        QVERIFY(rasp::text::writeLines(rasp::day::DayFilePath(QDate(2026, 12, 3)), day3({u"|Хор|||"_s})));
        rasp::reports::Vipolnenie vip;
        rasp::reports::VipolnenieStart(s, vip);
        const QStringList errors = rasp::reports::RaschetPeriod(s, vip, QDate(2026, 12, 1), QDate(2026, 12, 3)).errors;
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors.first().contains(u"02.12.2026.ini"_s), qPrintable(errors.first()));
        QCOMPARE(columns(vip).first(), u"Хор - 1"_s);
    }

    // A class deleted from the middle of the load, and one added since: each file's columns go to
    // the classes recorded beside it, so neither shifts the count; a file without recorded names
    // is read by position. Each class is named once with the files it concerns.
    void filesAreCountedByTheirRecordedClassNames()
    {
        QTemporaryDir dir;
        QDir::setCurrent(dir.path());
        QDir().mkpath(u"r_data"_s);
        QDir().mkpath(u"setka"_s);
        rasp::State s = school(6, 3);
        s.Klass = {QString(), u"5А"_s, u"6А"_s, u"8В"_s}; // 5Б deleted, 8В added since
        const auto save = [](const QString &path, const QStringList &rows, const QStringList &classes) {
            QVERIFY(rasp::text::writeLines(path, day3(rows)));
            if (!classes.isEmpty())
                QVERIFY(rasp::text::writeLines(QFileInfo(path).path() + u'/' + QFileInfo(path).completeBaseName() + u".zam"_s,
                                               QStringList{u"[Классы]"_s} + classes));
        };
        const QStringList before{u"5А"_s, u"5Б"_s, u"6А"_s};
        save(rasp::day::DayFilePath(QDate(2026, 12, 1)), {u"|Хор|Физика|Химия|"_s}, before);
        save(rasp::day::DayFilePath(QDate(2026, 12, 2)), {u"|Хор|Химия|Труд|"_s}, {}); // by position
        save(rasp::day::DayFilePath(QDate(2026, 12, 3)), {u"|Хор|Химия|"_s}, {u"5А"_s, u"6А"_s});
        save(rasp::day::DayFilePath(QDate(2026, 12, 4)), {u"|Хор|Физика|Химия|"_s}, before);

        rasp::reports::Vipolnenie vip;
        rasp::reports::VipolnenieStart(s, vip);
        const rasp::reports::VipOutcome period = rasp::reports::RaschetPeriod(s, vip, QDate(2026, 12, 1), QDate(2026, 12, 4));
        QVERIFY(period.errors.isEmpty());
        QCOMPARE(columns(vip), (QStringList{u"Хор - 4"_s, u"Химия - 4"_s, u"Труд - 1"_s}));
        QCOMPARE(period.notices,
                 (QStringList{u"Класс 5Б удалён из нагрузки: его уроки в расписаниях на 01.12.2026, 04.12.2026 не учтены"_s,
                              u"Класс 8В: нет в расписаниях на 01.12.2026, 03.12.2026, 04.12.2026"_s}));

        save(rasp::tmpl::SetkaPath(1), {u"|Хор|Физика|Химия|"_s}, before);
        save(rasp::tmpl::SetkaPath(3), {u"|Хор||Химия|"_s}, before); // 5Б has no lesson there
        rasp::reports::VipolnenieStart(s, vip);
        const rasp::reports::VipOutcome week = rasp::reports::RaschetWeek(s, vip);
        QCOMPARE(columns(vip), (QStringList{u"Хор - 2"_s, u"Химия - 2"_s, QString()}));
        QCOMPARE(week.notices, (QStringList{u"Класс 5Б удалён из нагрузки: его уроки в сетке понедельника не учтены"_s,
                                            u"Класс 8В: нет в сетках понедельника, среды"_s}));

        QCOMPARE(rasp::reports::WhereInDays({u"01.12.2026"_s}), u"в расписании на 01.12.2026"_s);
        QStringList many;
        for (int d = 1; d <= 12; ++d)
            many << rasp::text::ShortDate(QDate(2026, 12, d));
        QCOMPARE(rasp::reports::WhereInDays(many), u"в расписаниях с 01.12.2026 по 12.12.2026 (дней: 12)"_s);
    }

    void templateWeekCountsTheSevenFilesMondayFirst()
    {
        QTemporaryDir dir;
        QDir::setCurrent(dir.path());
        QDir().mkpath(u"setka"_s);
        const rasp::State s = school(6, 3);
        QVERIFY(rasp::text::writeLines(rasp::tmpl::SetkaPath(7), day3({u"|Хор||Хор|"_s})));
        QVERIFY(rasp::text::writeLines(rasp::tmpl::SetkaPath(1), day3({u"|Физика|||"_s, u"|Хор|||"_s})));
        QVERIFY(rasp::text::writeLines(rasp::tmpl::SetkaPath(3), day3({u"|Физика|||"_s})));
        rasp::reports::Vipolnenie vip;
        rasp::reports::VipolnenieStart(s, vip);
        QList<bool> steps;
        QVERIFY(rasp::reports::RaschetWeek(s, vip, [&steps](bool c) { steps << c; return true; }).errors.isEmpty());
        QCOMPARE(steps, (QList<bool>{true, false, true, false, false, false, true}));
        QCOMPARE(columns(vip), (QStringList{u"Физика - 2;Хор - 2"_s, QString(), u"Хор - 1"_s}));
        QCOMPARE(rasp::reports::VipRows(vip), 2);
    }
};

QTEST_GUILESS_MAIN(TstReports)
#include "tst_reports.moc"
