// The journal of substituted lessons: the records kept beside each saved day, the month's journal
// against a hand count before and after a teacher leaves the load, its totals against the records
// in the files, and a date that follows another weekday's template.
#include "day/dayfile.h"
#include "load/nagruzfile.h"
#include "reports/journal.h"
#include "reports/zameny.h"
#include "reports/zamenytally.h"
#include "sixrowday.h"
#include "state.h"
#include "template/classorder.h"
#include "template/setka.h"
#include "text/cp1251.h"
#include "text/textfile.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace rasp::reports;

namespace {

// Иванова: algebra in every class; Петров: physics in 5А and 6А; Сидорова: English and "Англ-з"
// in 5А, physics in 5Б; Кузнецова: English in 5А, chemistry in 6А; Орлов: "Англ-з" in 5А,
// English in 5Б and 6А.
const QStringList kLoad{u"5А|5Б|6А|"_s,
                        u"Иванова|Алгебра;|Алгебра;|Алгебра;|"_s,
                        u"Петров|Физика;||Физика;|"_s,
                        u"Сидорова|Англ;Англ-з;|Физика;||"_s,
                        u"Кузнецова|Англ;||Химия;|"_s,
                        u"Орлов|Англ-з;|Англ;|Англ;|"_s,
                        u"~end~"_s};

QStringList file(const QStringList &subjects)
{
    return sixrowday::lines(3, subjects);
}

rasp::State openSchool()
{
    rasp::State s;
    rasp::FillPalette(s);
    rasp::BuildPlaceholders(s);
    rasp::load::NagruzLoad(s, 1);
    return s;
}

QByteArray bytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList rowsOf(const Journal &j)
{
    QStringList out;
    for (const QStringList &r : JournalRows(j))
        out << r.join(u'|');
    return out;
}

QStringList totalsOf(const Journal &j)
{
    QStringList out;
    for (const QStringList &r : JournalTotalRows(j))
        out << r.join(u'|');
    return out;
}

QStringList tallyOf(const ZamenyTally &t)
{
    QStringList out;
    for (const QStringList &r : TallyRows(t))
        out << r.join(u'|');
    return out;
}

} // namespace

class TstJournal : public QObject
{
    Q_OBJECT

    void write(const QString &path, const QStringList &lines) { QVERIFY(rasp::text::writeLines(path, lines)); }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_dir->path()));
        QDir().mkpath(u"r_data"_s);
        QDir().mkpath(u"setka"_s);
        write(u"nagruz.ini"_s, kLoad);
        // Monday: algebra, physics and English in 5А; algebra, physics in 5Б; chemistry and algebra in 6А.
        write(u"setka/Понедельник.ini"_s, file({u"|Алгебра|Алгебра|Химия|"_s, u"|Физика|Физика||"_s, u"|Англ||Алгебра|"_s}));
        write(u"setka/Вторник.ini"_s, file({u"|Англ|Алгебра||"_s, u"||Физика||"_s}));
    }
    void cleanup()
    {
        QDir::setCurrent(m_previous);
        m_dir.reset();
    }

    // Saving records the class names and the day's substituted lessons beside the day file.
    void savingADayRecordsItsClassesAndLessons()
    {
        write(u"r_data/07.12.2026.ini"_s, file({u"|Физика|Алгебра|Химия|"_s, u"|Физика|Физика||"_s, u"|Англ||Алгебра|"_s}));
        const rasp::State s = openSchool();
        QString error;
        QVERIFY2(RecordDay(s, QDate(2026, 12, 7), &error), qPrintable(error));
        // 5А's algebra (1) given as physics by Петров; his own physics (2) stays.
        QCOMPARE(bytes(u"r_data/07.12.2026.zam"_s),
                 rasp::text::encode1251(u"[Классы]\r\n5А\r\n5Б\r\n6А\r\n[Журнал]\r\n1|5А|Физика|Иванова|Петров|замена|1\r\n"_s));
        // A day saved again as its template: the record says there is nothing, and other sections stay.
        QVERIFY(RecordFollowedWeekday(QDate(2026, 12, 7), 1));
        write(u"r_data/07.12.2026.ini"_s, file({u"|Алгебра|Алгебра|Химия|"_s, u"|Физика|Физика||"_s, u"|Англ||Алгебра|"_s}));
        QVERIFY(RecordDay(s, QDate(2026, 12, 7)));
        QCOMPARE(bytes(u"r_data/07.12.2026.zam"_s),
                 rasp::text::encode1251(u"[Классы]\r\n5А\r\n5Б\r\n6А\r\n[Журнал]\r\n[По расписанию]\r\n1\r\n"_s));
        // A date without a record and without a weekday choice has no companion at all.
        QVERIFY(RecordFollowedWeekday(QDate(2026, 12, 8), 0));
        QVERIFY(!QFile::exists(u"r_data/08.12.2026.zam"_s));
    }

    // Four substitutions over two weeks, three days saved with their record, one without. Hand
    // count: 07.12 5А (1) Иванова's algebra given by Петров; 08.12 5Б Иванова's algebra (1) not
    // given, physics moved up from 2 and Орлов's English in 2 stands in for it; 14.12 6А Иванова's
    // algebra (3) cancelled; 15.12 (no record) 5А English: Кузнецова's group taken by Орлов.
    // Then Петров leaves the load: the journal and the tally stay as they were.
    void monthJournalMatchesTheHandCountAndOutlivesTheLoad()
    {
        write(u"r_data/07.12.2026.ini"_s, file({u"|Физика|Алгебра|Химия|"_s, u"|Физика|Физика||"_s, u"|Англ||Алгебра|"_s}));
        write(u"r_data/08.12.2026.ini"_s, file({u"|Англ|Физика||"_s, u"||Англ||"_s}));
        write(u"r_data/14.12.2026.ini"_s, file({u"|Алгебра|Алгебра|Химия|"_s, u"|Физика|Физика||"_s, u"|Англ|||"_s}));
        write(u"r_data/15.12.2026.ini"_s, file({u"|Англ-з|Алгебра||"_s, u"||Физика||"_s}));
        {
            const rasp::State s = openSchool();
            for (int day : {7, 8, 14})
                QVERIFY(RecordDay(s, QDate(2026, 12, day)));
        }
        const QStringList lines{u"07.12.2026|1|5А|Физика|Иванова|Петров|замена|1"_s,
                                u"08.12.2026|2|5Б|Англ|Иванова|Орлов|замена через перенос|1"_s,
                                u"14.12.2026|3|6А|Алгебра|Иванова||отмена|1"_s,
                                u"15.12.2026|1|5А|Англ-з|Кузнецова|Орлов|замена|1"_s};
        const QStringList totals{u"Иванова|0|3"_s, u"Кузнецова|0|1"_s, u"Орлов|2|0"_s, u"Петров|1|0"_s};
        const QStringList tally{u"Иванова|||3|07.12.2026, 08.12.2026, 14.12.2026"_s, u"Кузнецова|||1|15.12.2026"_s,
                                u"Орлов|2|08.12.2026, 15.12.2026||"_s, u"Петров|1|07.12.2026||"_s};
        const QDate from(2026, 12, 1), to(2026, 12, 31);
        for (const bool deleted : {false, true}) {
            if (deleted) {
                QStringList load = kLoad;
                load.removeAt(2); // Петров
                write(u"nagruz.ini"_s, load);
            }
            const rasp::State s = openSchool();
            const Journal j = BuildJournal(s, from, to);
            QCOMPARE(rowsOf(j), lines);
            QCOMPARE(totalsOf(j), totals);
            QCOMPARE(j.recordedDays, 3);
            QCOMPARE(j.comparedDays, 1);
            QCOMPARE(j.warnings, QStringList{u"15.12.2026: записи дня нет, замены определены по текущей нагрузке"_s});
            QVERIFY(j.errors.isEmpty());
            QCOMPARE(tallyOf(ZamenyPeriod(s, from, to)), tally);
            QCOMPARE(JournalTitle(from, to), u"Журнал замещённых уроков с 01.12.2026 по 31.12.2026"_s);
        }
        // Compared now, without the record, 07.12 would have lost Петров: the cover has no teacher.
        QVERIFY(QFile::remove(u"r_data/07.12.2026.zam"_s));
        const Journal now = BuildJournal(openSchool(), from, to);
        QCOMPARE(rowsOf(now).first(), u"07.12.2026|1|5А|Физика|Иванова||замена|1"_s);
    }

    // With every day recorded, the totals are the sums of the hours of the lines in the files.
    void journalTotalsEqualTheSumOverTheCompanionFiles()
    {
        write(u"r_data/07.12.2026.ini"_s, file({u"|Физика|Алгебра|Химия|"_s, u"|Физика|Физика||"_s, u"|Англ||Алгебра|"_s}));
        write(u"r_data/08.12.2026.ini"_s, file({u"|Англ-з|Физика||"_s, u"||Англ||"_s}));
        write(u"r_data/14.12.2026.ini"_s, file({u"|Англ-з|Физика|Химия|"_s, u"|Физика|Физика||"_s, u"|||Англ|"_s}));
        const rasp::State s = openSchool();
        QHash<QString, QPair<int, int>> fromFiles; // teacher -> (covered, absent)
        for (int day : {7, 8, 14}) {
            QVERIFY(RecordDay(s, QDate(2026, 12, day)));
            const rasp::text::ReadResult read = rasp::text::readLines(u"r_data/%1.12.2026.zam"_s.arg(day, 2, 10, QChar(u'0')));
            QVERIFY(read.ok());
            bool inJournal = false;
            for (const QString &line : read.lines) {
                if (line.startsWith(u'['))
                    inJournal = line == u"[Журнал]"_s;
                else if (inJournal) {
                    const QStringList f = line.split(u'|');
                    for (const QString &t : f[4].split(u", "_s, Qt::SkipEmptyParts))
                        fromFiles[t].first += f[6].toInt();
                    for (const QString &t : f[3].split(u", "_s, Qt::SkipEmptyParts))
                        fromFiles[t].second += f[6].toInt();
                }
            }
        }
        const Journal j = BuildJournal(s, QDate(2026, 12, 1), QDate(2026, 12, 31));
        QCOMPARE(j.recordedDays, 3);
        QVERIFY(j.warnings.isEmpty());
        QCOMPARE(qsizetype(j.totals.size()), fromFiles.size());
        QVERIFY(j.totals.size() >= 4);
        for (const JournalTotal &t : j.totals) {
            QVERIFY2(fromFiles.contains(t.teacher), qPrintable(t.teacher));
            QCOMPARE(t.covered, fromFiles[t.teacher].first);
            QCOMPARE(t.absent, fromFiles[t.teacher].second);
        }
    }

    // A working Saturday that follows Monday's timetable: without the choice there is no Saturday
    // template; with it the day is compared with Monday's and the title says so.
    void aDateFollowsTheWeekdayItIsToldTo()
    {
        write(u"r_data/12.12.2026.ini"_s, file({u"|Алгебра|Алгебра|Химия|"_s, u"|Физика|Физика||"_s, u"|Англ-з||Алгебра|"_s}));
        const rasp::State s = openSchool();
        const ZamenyResult before = ZamenyForDate(s, QDate(2026, 12, 12));
        QVERIFY(!before.sheet);
        QVERIFY(before.error.startsWith(u"Шаблона на субботу нет"_s));

        QVERIFY(RecordFollowedWeekday(QDate(2026, 12, 12), 1));
        QCOMPARE(FollowedWeekday(QDate(2026, 12, 12)), 1);
        const ZamenyResult r = ZamenyForDate(s, QDate(2026, 12, 12));
        QVERIFY2(r.sheet, qPrintable(r.error));
        QCOMPARE(r.sheet->followedWeekday, 1);
        QCOMPARE(r.sheet->changes.size(), std::size_t(1)); // 5А's English group only
        QCOMPARE(ZamenyTitle(r.sheet->date, r.sheet->followedWeekday), u"Замены на субботу 12.12.2026 по расписанию понедельника"_s);
        QCOMPARE(FollowedText(r.sheet->date, r.sheet->followedWeekday), u"Суббота 12.12.2026 по расписанию понедельника"_s);
        const Journal j = BuildJournal(s, QDate(2026, 12, 12), QDate(2026, 12, 12));
        QCOMPARE(rowsOf(j), QStringList{u"12.12.2026|3|5А|Англ-з|Кузнецова|Орлов|замена|1"_s});
    }

    // A day saved before 5Б left the middle of the load opens with each class's lessons in its
    // own column, and the sheet against a template saved then lists no false change.
    void aDaySavedBeforeAClassWasDeletedIsReadByName()
    {
        write(u"r_data/07.12.2026.ini"_s, file({u"|Физика|Алгебра|Химия|"_s, u"|Физика|Физика||"_s, u"|Англ||Алгебра|"_s}));
        {
            rasp::State s = openSchool();
            QVERIFY(RecordDay(s, QDate(2026, 12, 7)));
        }
        QVERIFY(rasp::tmpl::WriteSetkaClassOrder(QDir::current(), 1, {u"5А"_s, u"5Б"_s, u"6А"_s}));
        QStringList load = kLoad;
        load[0] = u"5А|6А|"_s;
        for (int n = 1; n <= 5; ++n) { // drop 5Б's field of every teacher
            QStringList f = load[n].split(u'|');
            f.removeAt(2);
            load[n] = f.join(u'|');
        }
        write(u"nagruz.ini"_s, load);
        rasp::State s = openSchool();
        QCOMPARE(s.klassvis, 2);
        QString notice;
        rasp::day::RaspLoad(s, QDir::current().filePath(u"r_data/07.12.2026.ini"_s), 1, &notice);
        QCOMPARE(s.grid.cell(1, 2).subject, u"Химия"_s);
        QCOMPARE(s.grid.cell(3, 2).subject, u"Алгебра"_s);
        QCOMPARE(notice, u"Класс 5Б удалён из нагрузки: его уроки в расписании на 07.12.2026 не учтены"_s);
        const ZamenyResult r = ZamenyForDate(s, QDate(2026, 12, 7));
        QVERIFY(r.sheet);
        QStringList changes;
        for (const SheetRow &row : SheetRows(s, *r.sheet))
            changes << row.klass + u' ' + QString::number(row.lesson) + u' ' + row.kind;
        QCOMPARE(changes, QStringList{u"5А 1 замена"_s}); // Иванова's algebra given as physics, nothing else
        QCOMPARE(r.sheet->notices, (QStringList{u"Класс 5Б удалён из нагрузки: его уроки в сетке понедельника не учтены"_s,
                                                u"Класс 5Б удалён из нагрузки: его уроки в расписании на 07.12.2026 не учтены"_s}));
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_previous;
};

QTEST_GUILESS_MAIN(TstJournal)
#include "tst_journal.moc"
