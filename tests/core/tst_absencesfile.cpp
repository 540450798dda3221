// The companion file of a date (absences and covers): byte layout, round trip through the grid,
// a missing file, a file that cannot be read or understood, and a date without one.
#include "absences/daycompanion.h"
#include "day/dayfile.h"
#include "day/gridops.h"
#include "state.h"
#include "text/textfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
namespace ab = rasp::absences;

class TstAbsencesFile : public QObject
{
    Q_OBJECT

    // A grid of `rows` rows and the classes named.
    static rasp::State grid(int rows, const QStringList &classes)
    {
        rasp::State s;
        s.max_ur = rows;
        for (int j = 0; j <= classes.size(); ++j)
            rasp::day::KlassCreate(s);
        for (int j = 1; j <= classes.size(); ++j)
            s.grid.cell(0, j).subject = classes.at(j - 1);
        return s;
    }
    static QByteArray bytes(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static void write(const QString &path, const QByteArray &data)
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(data);
    }
    static ab::Companion sample()
    {
        ab::Companion c;
        c.absences.push_back({u"Иванова А. А."_s, 2, 4, u"болезнь"_s});
        c.covers.push_back({3, u"7А"_s, u"Смирнова Е. В."_s, ab::kKindSubject, u"Иванова А. А."_s});
        c.others.push_back({u"[Классы]"_s, {u"7А|7Б"_s}});
        return c;
    }

    static constexpr const char *kSampleBytes =
        "[\xCE\xF2\xF1\xF3\xF2\xF1\xF2\xE2\xF3\xFE\xF2]\r\n"
        "\xC8\xE2\xE0\xED\xEE\xE2\xE0 \xC0. \xC0.|2|4|\xE1\xEE\xEB\xE5\xE7\xED\xFC\r\n"
        "[\xC7\xE0\xEC\xE5\xED\xFB]\r\n"
        "3|7\xC0|\xD1\xEC\xE8\xF0\xED\xEE\xE2\xE0 \xC5. \xC2.|\xEF\xEE \xEF\xF0\xE5\xE4\xEC\xE5\xF2\xF3|"
        "\xC8\xE2\xE0\xED\xEE\xE2\xE0 \xC0. \xC0.\r\n"
        "[\xCA\xEB\xE0\xF1\xF1\xFB]\r\n"
        "7\xC0|7\xC1\r\n";

private slots:
    void layoutIsWindows1251SectionsAndReadsBack()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"09.12.2026.zam"_s);
        QString error;
        QVERIFY2(ab::WriteCompanion(path, sample(), &error), qPrintable(error));
        QCOMPARE(bytes(path), QByteArray(kSampleBytes));
        const ab::ReadOutcome read = ab::ReadCompanion(path);
        QCOMPARE(read.status, rasp::text::ReadResult::Ok);
        QVERIFY(read.companion == sample()); // the unknown section is kept as it was
    }

    void companionPathSitsBesideTheDayFile()
    {
        QCOMPARE(ab::CompanionPath(u"r_data/09.12.2026.ini"_s), u"r_data/09.12.2026.zam"_s);
    }

    void coversLiveInTheirCellsAndComeBackInRowOrder()
    {
        rasp::State s = grid(6, {u"7А"_s, u"7Б"_s});
        s.grid.cell(3, 1).subject = u"Алгебра"_s;
        s.grid.cell(1, 2).subject = u"Физика"_s;
        ab::Companion c = sample();
        c.covers.push_back({5, u"7А"_s, u"Петров П. П."_s, ab::kKindSubject, u"Иванова А. А."_s}); // an empty cell
        c.covers.push_back({1, u"7Б"_s, u"Петров П. П."_s, ab::kKindMerge, u"Иванова А. А."_s});
        c.covers.push_back({2, u"9В"_s, u"Петров П. П."_s, ab::kKindSubject, u"Иванова А. А."_s}); // no such class
        ab::ApplyCompanion(s, c);
        QCOMPARE(s.grid.cell(3, 1).cover.teacher, u"Смирнова Е. В."_s);
        QCOMPARE(s.grid.cell(1, 2).cover.kind, ab::kKindMerge);
        QCOMPARE(s.grid.cell(3, 1).cover.subject, u"Алгебра"_s);
        QCOMPARE(s.companion.covers.size(), std::size_t(2)); // the covers without a lesson wait in the state
        const ab::Companion back = ab::CompanionOfDay(s);
        QCOMPARE(back.covers.size(), std::size_t(4));
        QCOMPARE(back.covers.at(0).className, u"7Б"_s); // row 1 first
        QCOMPARE(back.covers.at(1).row, 3);
        QCOMPARE(back.covers.at(2).row, 5);
        QCOMPARE(back.covers.at(3).className, u"9В"_s);
        QVERIFY(back.absences == c.absences);
        QVERIFY(back.others == c.others);
        rasp::day::RaspClear(s);
        QVERIFY(s.grid.cell(3, 1).cover.empty());
    }

    void missingFileMeansNoAbsencesAndAnEmptyDayWritesNone()
    {
        QTemporaryDir dir;
        const QString day = dir.filePath(u"09.12.2026.ini"_s);
        rasp::State s = grid(6, {u"7А"_s});
        s.companion = sample(); // left from another date
        QVERIFY(ab::LoadCompanion(s, day));
        QVERIFY(s.companion.empty());
        QVERIFY(ab::SaveCompanion(s, day));
        QVERIFY(!QFile::exists(ab::CompanionPath(day)));

        s.companion.absences.push_back({u"Иванова А. А."_s, 1, 6, u"курсы"_s});
        QVERIFY(ab::SaveCompanion(s, day));
        QVERIFY(QFile::exists(ab::CompanionPath(day)));
        s.companion.absences.clear(); // the last absence removed: the date has no file again
        QVERIFY(ab::SaveCompanion(s, day));
        QVERIFY(!QFile::exists(ab::CompanionPath(day)));
    }

    void dateWithoutCompanionSavesTheDayFileAlone()
    {
        QTemporaryDir dir;
        const QString day = dir.filePath(u"09.12.2026.ini"_s);
        rasp::State s = grid(6, {u"7А"_s, u"7Б"_s});
        s.grid.cell(1, 1).subject = u"Алгебра"_s;
        QVERIFY(rasp::day::RaspSave(s, day));
        const QByteArray before = bytes(day);
        QCOMPARE(rasp::day::RaspLoad(s, day, 1), rasp::text::ReadResult::Ok);
        QVERIFY(ab::LoadCompanion(s, day));
        QVERIFY(rasp::day::RaspSave(s, day));
        QVERIFY(ab::SaveCompanion(s, day));
        QCOMPARE(bytes(day), before);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{u"09.12.2026.ini"_s});
    }

    void notUnderstoodFileIsReportedAndNeverOverwritten_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("message");
        QTest::newRow("line before any section") << QByteArray("abc\r\n") << u"строка 1"_s;
        QTest::newRow("row out of range") << QByteArray("[\xC7\xE0\xEC\xE5\xED\xFB]\r\n17|7A|X|k|Y\r\n") << u"строка 2"_s;
        QTest::newRow("absence rows reversed") << QByteArray("[\xCE\xF2\xF1\xF3\xF2\xF1\xF2\xE2\xF3\xFE\xF2]\r\nX|4|2|r\r\n")
                                               << u"строка 2"_s;
        QTest::newRow("cover without its teacher") << QByteArray("[\xC7\xE0\xEC\xE5\xED\xFB]\r\n3|7A||k|Y\r\n") << u"строка 2"_s;
        QTest::newRow("absence with a field too few") << QByteArray("[\xCE\xF2\xF1\xF3\xF2\xF1\xF2\xE2\xF3\xFE\xF2]\r\nX|1|2\r\n")
                                                      << u"строка 2"_s;
    }
    void notUnderstoodFileIsReportedAndNeverOverwritten()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString day = dir.filePath(u"09.12.2026.ini"_s);
        const QString path = ab::CompanionPath(day);
        write(path, content);
        rasp::State s = grid(6, {u"7A"_s});
        QString error;
        QVERIFY(!ab::LoadCompanion(s, day, &error));
        QVERIFY2(error.contains(message) && error.contains(u"09.12.2026.zam"_s), qPrintable(error));
        QVERIFY(s.companion.empty());
        s.companion.absences.push_back({u"X"_s, 1, 2, u"курсы"_s});
        QVERIFY(!ab::SaveCompanion(s, day, &error));
        QVERIFY2(error.contains(u"не сохранены"_s), qPrintable(error));
        QCOMPARE(bytes(path), content);
    }

    void unreadableFileStaysProtectedUntilItReadsWhole()
    {
        QTemporaryDir dir;
        const QString day = dir.filePath(u"09.12.2026.ini"_s);
        const QString path = ab::CompanionPath(day);
        QVERIFY(QDir().mkpath(path)); // a folder where the file should be: cannot be read
        rasp::State s = grid(6, {u"7A"_s});
        QString error;
        QVERIFY(!ab::LoadCompanion(s, day, &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!ab::SaveCompanion(s, day, &error));
        QVERIFY(QFileInfo(path).isDir());
        QVERIFY(QDir(path).removeRecursively());
        write(path, QByteArray(kSampleBytes)); // mended: reads whole, and saves again
        QVERIFY(ab::LoadCompanion(s, day, &error));
        QVERIFY(ab::SaveCompanion(s, day, &error));
    }
};

QTEST_GUILESS_MAIN(TstAbsencesFile)
#include "tst_absencesfile.moc"
