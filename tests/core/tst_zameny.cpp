// Substitutions: a day against the template of its weekday, class by class; the sheet's rows,
// the messages for what is missing, and the tally per teacher over a period.
#include "absences/companion.h"
#include "load/nagruzfile.h"
#include "reports/journal.h"
#include "reports/zameny.h"
#include "reports/zamenytally.h"
#include "state.h"
#include "template/classorder.h"
#include "text/textfile.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace rasp::reports;

class TstZameny : public QObject
{
    Q_OBJECT

    // Three classes. Иванова: algebra everywhere; Петров: physics in 5А and 6А; Сидорова:
    // English and its substitute group "Англ-з" in 5А, physics in 5Б; Кузнецова: English in 5А
    // (the second group), chemistry in 6А; Орлов: "Англ-з" in 5А, English in 5Б and 6А.
    static void writeSchool()
    {
        QVERIFY(rasp::text::writeLines(u"nagruz.ini"_s,
                                       {u"5А|5Б|6А|"_s, u"Иванова|Алгебра;|Алгебра;|Алгебра;|"_s,
                                        u"Петров|Физика;||Физика;|"_s, u"Сидорова|Англ;Англ-з;|Физика;||"_s,
                                        u"Кузнецова|Англ;||Химия;|"_s, u"Орлов|Англ-з;|Англ;|Англ;|"_s, u"~end~"_s}));
        QDir().mkpath(u"r_data"_s);
        QDir().mkpath(u"setka"_s);
    }
    static rasp::State openSchool()
    {
        rasp::State s;
        rasp::FillPalette(s);
        rasp::BuildPlaceholders(s);
        rasp::load::NagruzLoad(s, 1);
        return s;
    }
    // A six-row file of three classes: the given subject lines, then the room lines.
    static QStringList file(QStringList subjects, QStringList rooms = {})
    {
        while (subjects.size() < 6)
            subjects << u"||||"_s;
        while (rooms.size() < 6)
            rooms << u"|||"_s;
        return subjects + rooms + QStringList{QString(), u"~end~"_s};
    }
    // One change in a line: class, lesson, kind, then was and now as subject/teachers/room@lesson.
    static QStringList describe(const rasp::State &s, const ZamenySheet &sheet)
    {
        const auto side = [&](const std::optional<Lesson> &l, int column) {
            return l ? u"%1/%2/%3@%4"_s.arg(l->subject, l->teachers, l->room).arg(LessonNumber(s, column, l->row))
                     : u"-"_s;
        };
        QStringList out;
        for (const Change &c : sheet.changes)
            out << u"%1 %2 %3 %4 > %5"_s.arg(s.Klass[std::size_t(c.column)])
                           .arg(LessonNumber(s, c.column, c.row))
                           .arg(KindName(c.kind), side(c.was, c.column), side(c.now, c.column))
                       + (c.coverOf ? u" for "_s + side(c.coverOf, c.column) : QString());
        return out;
    }

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_dir.path()));
        writeSchool();
    }
    void cleanup()
    {
        QDir::setCurrent(m_previous);
        QDir(m_dir.path() + u"/r_data"_s).removeRecursively();
        QDir(m_dir.path() + u"/setka"_s).removeRecursively();
    }

    void sheetListsEachDifferenceOfTheDay_data()
    {
        QTest::addColumn<QStringList>("setka");
        QTest::addColumn<QStringList>("day");
        QTest::addColumn<bool>("secondShift");
        QTest::addColumn<QStringList>("expected");

        const QStringList plain = file({u"|Алгебра|Физика|Англ|"_s, u"|Физика|Алгебра|Алгебра|"_s}, {u"12|14|21|"_s});
        QTest::newRow("identical day: empty sheet") << plain << plain << false << QStringList{};
        QTest::newRow("one replacement")
            << file({u"|Алгебра|||"_s}, {u"12|||"_s}) << file({u"|Физика|||"_s}, {u"15|||"_s}) << false
            << QStringList{u"5А 1 replacement Алгебра/Иванова/12@1 > Физика/Петров/15@1"_s};
        QTest::newRow("two lessons swapped: two moves, no replacement")
            << file({u"|Алгебра|||"_s, u"|Физика|||"_s}) << file({u"|Физика|||"_s, u"|Алгебра|||"_s}) << false
            << QStringList{u"5А 1 moved Физика/Петров/@2 > Физика/Петров/@1"_s,
                           u"5А 2 moved Алгебра/Иванова/@1 > Алгебра/Иванова/@2"_s};
        QTest::newRow("last lesson cancelled")
            << file({u"||Алгебра||"_s, u"||Физика||"_s, u"||Англ||"_s}) << file({u"||Алгебра||"_s, u"||Физика||"_s})
            << false << QStringList{u"5Б 3 cancelled Англ/Орлов/@3 > -"_s};
        QTest::newRow("lesson added")
            << file({u"|||Алгебра|"_s}) << file({u"|||Алгебра|"_s, u"||||"_s, u"||||"_s, u"|||Химия|"_s}) << false
            << QStringList{u"6А 4 added - > Химия/Кузнецова/@4"_s};
        QTest::newRow("room change only")
            << file({u"|Алгебра|Физика||"_s}, {u"12|14||"_s}) << file({u"|Алгебра|Физика||"_s}, {u"13|14||"_s})
            << false << QStringList{u"5А 1 room Алгебра/Иванова/12@1 > Алгебра/Иванова/13@1"_s};
        QTest::newRow("same rooms written differently or a room missing on one side are no change")
            << file({u"|Алгебра|Физика||"_s}, {u"12\\14|14||"_s}) << file({u"|Алгебра|Физика||"_s}, {u" 12/14|||"_s})
            << false << QStringList{};
        QTest::newRow("two teachers, one of them replaced")
            << file({u"|Англ|||"_s}) << file({u"|Англ-з|||"_s}) << false
            << QStringList{u"5А 1 replacement Англ/Сидорова, Кузнецова/@1 > Англ-з/Сидорова, Орлов/@1"_s};
        QTest::newRow("the nearest template lesson is the one moved, the far one cancelled")
            << file({u"||||"_s, u"|Алгебра|||"_s, u"||||"_s, u"||||"_s, u"||||"_s, u"|Алгебра|||"_s})
            << file({u"||||"_s, u"||||"_s, u"||||"_s, u"||||"_s, u"|Алгебра|||"_s}) << false
            << QStringList{u"5А 2 cancelled Алгебра/Иванова/@2 > -"_s,
                           u"5А 5 moved Алгебра/Иванова/@6 > Алгебра/Иванова/@5"_s};
        // ... and the English lesson in the row physics left stands in for the cancelled algebra.
        QTest::newRow("a move is found before a same-row replacement")
            << file({u"|Алгебра|||"_s, u"|Физика|||"_s}) << file({u"|Физика|||"_s, u"|Англ|||"_s}) << false
            << QStringList{u"5А 1 moved Физика/Петров/@2 > Физика/Петров/@1"_s,
                           u"5А 1 cancelled Алгебра/Иванова/@1 > -"_s,
                           u"5А 2 added - > Англ/Сидорова, Кузнецова/@2 for Алгебра/Иванова/@1"_s};
        // Иванова's algebra (1) is not given; Сидорова's physics moves up from 2 and Орлов
        // teaches in the row it left: he stands in for Иванова.
        QTest::newRow("move chain: the teacher of the freed row covers the cancelled lesson")
            << file({u"||Алгебра||"_s, u"||Физика||"_s}) << file({u"||Физика||"_s, u"||Англ||"_s}) << false
            << QStringList{u"5Б 1 moved Физика/Сидорова/@2 > Физика/Сидорова/@1"_s,
                           u"5Б 1 cancelled Алгебра/Иванова/@1 > -"_s,
                           u"5Б 2 added - > Англ/Орлов/@2 for Алгебра/Иванова/@1"_s};
        QTest::newRow("move chain through two moves")
            << file({u"|||Алгебра|"_s, u"|||Физика|"_s, u"|||Химия|"_s})
            << file({u"|||Физика|"_s, u"|||Химия|"_s, u"|||Англ|"_s}) << false
            << QStringList{u"6А 1 moved Физика/Петров/@2 > Физика/Петров/@1"_s,
                           u"6А 1 cancelled Алгебра/Иванова/@1 > -"_s,
                           u"6А 2 moved Химия/Кузнецова/@3 > Химия/Кузнецова/@2"_s,
                           u"6А 3 added - > Англ/Орлов/@3 for Алгебра/Иванова/@1"_s};
        QTest::newRow("an added lesson in a row nobody left is no cover")
            << file({u"||Алгебра||"_s}) << file({u"||||"_s, u"||Англ||"_s}) << false
            << QStringList{u"5Б 1 cancelled Алгебра/Иванова/@1 > -"_s, u"5Б 2 added - > Англ/Орлов/@2"_s};
        QTest::newRow("blanks and placeholders are not lessons")
            << file({u"|$$| |-|"_s, u"|Алгебра|||"_s}) << file({u"||$$|$$|"_s, u"|Алгебра|||"_s}) << false
            << QStringList{};
        QTest::newRow("unknown subjects compare by their text, without teachers")
            << file({u"|Экскурсия|||"_s}) << file({u"|Музей|||"_s}) << false
            << QStringList{u"5А 1 replacement Экскурсия//@1 > Музей//@1"_s};
        // 6А is the second shift (two first-shift classes, first shift in rows 1..3): its lessons
        // count from row 4, and the empty cells the split locks are nothing.
        QTest::newRow("second-shift class numbers its lessons from its first row")
            << file({u"|Алгебра|||"_s, u"||||"_s, u"||||"_s, u"|||Химия|"_s, u"|||Англ|"_s})
            << file({u"|Алгебра|||"_s, u"||||"_s, u"||||"_s, u"|||Англ|"_s, u"|||Химия|"_s, u"|||Физика|"_s}) << true
            << QStringList{u"6А 1 moved Англ/Орлов/@2 > Англ/Орлов/@1"_s, u"6А 2 moved Химия/Кузнецова/@1 > Химия/Кузнецова/@2"_s,
                           u"6А 3 added - > Физика/Петров/@3"_s};
    }
    void sheetListsEachDifferenceOfTheDay()
    {
        QFETCH(QStringList, setka);
        QFETCH(QStringList, day);
        QFETCH(bool, secondShift);
        QFETCH(QStringList, expected);
        QVERIFY(rasp::text::writeLines(u"setka/Пятница.ini"_s, setka));
        QVERIFY(rasp::text::writeLines(u"r_data/11.12.2026.ini"_s, day));
        rasp::State s = openSchool();
        if (secondShift) {
            s.settings.secondShift = true;
            s.vt_sm_x = 2;
            s.vt_sm_y = 3;
        }
        const ZamenyResult r = ZamenyForDate(s, QDate(2026, 12, 11));
        QVERIFY2(r.sheet, qPrintable(r.error));
        QCOMPARE(describe(s, *r.sheet), expected);
    }

    // Day and template files hold no class names; the names recorded beside a template say which
    // class each of its columns is. `load` replaces the school's classes when given; `order` is
    // the template's recorded class order (none when empty).
    void templateColumnsFollowTheRecordedClassNames_data()
    {
        QTest::addColumn<QStringList>("load");
        QTest::addColumn<QStringList>("order");
        QTest::addColumn<QStringList>("setka");
        QTest::addColumn<QStringList>("day");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QStringList>("notices");
        // 5Б deleted from the middle of the load after the template was saved.
        const QStringList twoClasses{u"5А|6А|"_s, u"Иванова|Алгебра;|Алгебра;|"_s, u"Петров|Физика;|Физика;|"_s,
                                     u"Кузнецова|Англ;|Химия;|"_s, u"Орлов|Англ-з;|Англ;|"_s, u"~end~"_s};
        const QStringList threeColumns = file({u"|Алгебра|Физика|Химия|"_s, u"|Физика|Алгебра|Алгебра|"_s});
        const QStringList sameDayTwoColumns = file({u"|Алгебра|Химия|"_s, u"|Физика|Алгебра|"_s});
        QTest::newRow("deleted middle class: no false changes, the class named once")
            << twoClasses << QStringList{u"5А"_s, u"5Б"_s, u"6А"_s} << threeColumns << sameDayTwoColumns << QStringList{}
            << QStringList{u"Класс 5Б удалён из нагрузки: его уроки в сетке пятницы не учтены"_s};
        QTest::newRow("deleted middle class, no names recorded: read by position as before")
            << twoClasses << QStringList{} << threeColumns << sameDayTwoColumns
            << QStringList{u"6А 1 replacement Физика/Петров/@1 > Химия/Кузнецова/@1"_s} << QStringList{};
        QTest::newRow("class added since the template: its lessons added, the class named")
            << QStringList{} << QStringList{u"5А"_s, u"5Б"_s} << file({u"|Алгебра|Физика|"_s})
            << file({u"|Алгебра|Физика|Химия|"_s}) << QStringList{u"6А 1 added - > Химия/Кузнецова/@1"_s}
            << QStringList{u"Класс 6А: нет в сетке пятницы"_s};
        QTest::newRow("classes reordered in the load: matched by name, nothing to say")
            << QStringList{} << QStringList{u"5Б"_s, u"5А"_s, u"6А"_s} << file({u"|Физика|Алгебра|Химия|"_s})
            << file({u"|Алгебра|Физика|Химия|"_s}) << QStringList{} << QStringList{};
        QTest::newRow("names recorded as the load has them: read by position")
            << QStringList{} << QStringList{u"5А"_s, u"5Б"_s, u"6А"_s} << file({u"|Алгебра|||"_s})
            << file({u"|Физика|||"_s}) << QStringList{u"5А 1 replacement Алгебра/Иванова/@1 > Физика/Петров/@1"_s}
            << QStringList{};
    }
    void templateColumnsFollowTheRecordedClassNames()
    {
        QFETCH(QStringList, load);
        QFETCH(QStringList, order);
        QFETCH(QStringList, setka);
        QFETCH(QStringList, day);
        QFETCH(QStringList, expected);
        QFETCH(QStringList, notices);
        if (!load.isEmpty())
            QVERIFY(rasp::text::writeLines(u"nagruz.ini"_s, load));
        QVERIFY(rasp::text::writeLines(u"setka/Пятница.ini"_s, setka));
        if (!order.isEmpty())
            QVERIFY(rasp::tmpl::WriteSetkaClassOrder(QDir::current(), 5, order));
        QVERIFY(rasp::text::writeLines(u"r_data/11.12.2026.ini"_s, day));
        const rasp::State s = openSchool();
        const ZamenyResult r = ZamenyForDate(s, QDate(2026, 12, 11));
        QVERIFY2(r.sheet, qPrintable(r.error));
        QCOMPARE(describe(s, *r.sheet), expected);
        QCOMPARE(r.sheet->notices, notices);
        // The period tally reads the template the same way and names each class once.
        const ZamenyTally tally = ZamenyPeriod(s, QDate(2026, 12, 11), QDate(2026, 12, 18));
        QCOMPARE(tally.notices, notices);
    }

    // The date's companion: Иванова away all day; Сидорова covers 5А's algebra (1), 5Б's (2) is
    // left open. The cover is a replacement worded as one, the absence heads the sheet, the open
    // lesson is warned of, and the journal takes the cover's kind.
    void coversAndAbsencesFromTheCompanionAreOnTheSheet()
    {
        QVERIFY(rasp::text::writeLines(u"setka/Пятница.ini"_s, file({u"|Алгебра|||"_s, u"||Алгебра||"_s})));
        QVERIFY(rasp::text::writeLines(u"r_data/11.12.2026.ini"_s, file({u"|Алгебра|||"_s, u"||Алгебра||"_s})));
        rasp::absences::Companion companion;
        companion.absences.push_back({u"Иванова"_s, 1, 7, u"болезнь"_s});
        companion.covers.push_back({1, u"5А"_s, u"Сидорова"_s, u"не по предмету"_s, u"Иванова"_s});
        QVERIFY(rasp::absences::WriteCompanion(u"r_data/11.12.2026.zam"_s, companion, nullptr));
        const rasp::State s = openSchool();
        const ZamenyResult r = ZamenyForDate(s, QDate(2026, 12, 11));
        QVERIFY2(r.sheet, qPrintable(r.error));
        QCOMPARE(describe(s, *r.sheet), QStringList{u"5А 1 replacement Алгебра/Иванова/@1 > Алгебра/Сидорова/@1"_s});
        QCOMPARE(SheetRows(s, *r.sheet).at(0).now, u"Алгебра — Сидорова вместо Ивановой (не по предмету)"_s);
        QCOMPARE(r.sheet->absences, QStringList{u"Иванова (болезнь), 1-7 уроки"_s});
        QCOMPARE(r.sheet->openLessons, QStringList{u"5Б, 2-й урок, Алгебра (Иванова)"_s});
        const std::vector<JournalEntry> journal = JournalEntriesOf(s, *r.sheet);
        QCOMPARE(journal.size(), std::size_t(1));
        QCOMPARE(JournalSectionLines(journal).at(1), u"1|5А|Алгебра|Иванова|Сидорова|не по предмету|1"_s);
    }

    void genitiveOfTeacherNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("genitive");
        QTest::newRow("-ова") << u"Иванова А. П."_s << u"Ивановой А. П."_s;
        QTest::newRow("-ина") << u"Сорокина Е. В."_s << u"Сорокиной Е. В."_s;
        QTest::newRow("-ов") << u"Петров В. В."_s << u"Петрова В. В."_s;
        QTest::newRow("-ский") << u"Маевский И. И."_s << u"Маевского И. И."_s;
        QTest::newRow("-ая") << u"Толстая Н."_s << u"Толстой Н."_s;
        QTest::newRow("other names stay") << u"Шмидт К."_s << u"Шмидт К."_s;
    }
    void genitiveOfTeacherNames()
    {
        QFETCH(QString, name);
        QFETCH(QString, genitive);
        QCOMPARE(GenitiveName(name), genitive);
    }

    void sheetRowsShowWhereAMovedLessonCameFromAndBothRooms()
    {
        QVERIFY(rasp::text::writeLines(u"setka/Пятница.ini"_s, file({u"|Алгебра|Физика||"_s, u"|Физика|||"_s}, {u"12|14||"_s, u"16|||"_s})));
        QVERIFY(rasp::text::writeLines(u"r_data/11.12.2026.ini"_s, file({u"|Физика|Физика||"_s, u"||||"_s}, {u"17|15||"_s})));
        const rasp::State s = openSchool();
        const ZamenyResult r = ZamenyForDate(s, QDate(2026, 12, 11));
        QVERIFY(r.sheet);
        QStringList rows;
        for (const SheetRow &row : SheetRows(s, *r.sheet))
            rows << QStringList{row.klass, QString::number(row.lesson), row.was, row.now, row.room, row.kind}.join(u'|');
        QCOMPARE(rows, (QStringList{u"5А|1|2-й урок|Физика\r\nПетров|16 → 17|перенос"_s,
                                    u"5А|1|Алгебра\r\nИванова|||отмена"_s,
                                    u"5Б|1|Физика\r\nСидорова|Физика\r\nСидорова|14 → 15|смена кабинета"_s}));
        QCOMPARE(ZamenyTitle(QDate(2026, 12, 11)), u"Замены на пятницу 11.12.2026"_s);
    }

    void missingOrUnreadableFilesGiveAMessageNotASheet_data()
    {
        QTest::addColumn<bool>("withDay");
        QTest::addColumn<bool>("withSetka");
        QTest::addColumn<QString>("message");
        QTest::newRow("no saved day") << false << true << u"Расписание на 11.12.2026 не сохранено"_s;
        QTest::newRow("no template for the weekday") << true << false << u"Шаблона на пятницу нет"_s;
    }
    void missingOrUnreadableFilesGiveAMessageNotASheet()
    {
        QFETCH(bool, withDay);
        QFETCH(bool, withSetka);
        QFETCH(QString, message);
        if (withSetka)
            QVERIFY(rasp::text::writeLines(u"setka/Пятница.ini"_s, file({u"|Алгебра|||"_s})));
        if (withDay)
            QVERIFY(rasp::text::writeLines(u"r_data/11.12.2026.ini"_s, file({u"|Алгебра|||"_s})));
        const ZamenyResult r = ZamenyForDate(openSchool(), QDate(2026, 12, 11));
        QVERIFY(!r.sheet);
        QVERIFY2(r.error.startsWith(message), qPrintable(r.error));
    }

    void unreadableDayIsReportedAsSuch()
    {
        // A folder where the day file should be cannot be read as a file.
        QVERIFY(rasp::text::writeLines(u"setka/Пятница.ini"_s, file({u"|Алгебра|||"_s})));
        QVERIFY(QDir().mkpath(u"r_data/11.12.2026.ini"_s));
        const ZamenyResult r = ZamenyForDate(openSchool(), QDate(2026, 12, 11));
        QVERIFY(!r.sheet);
        QVERIFY2(r.error.contains(u"11.12.2026.ini"_s), qPrintable(r.error));
    }

    // Monday: algebra in 5А and 6А given by Петров instead of Иванова. Tuesday: 5А's English group
    // of Кузнецова taken by Орлов, 5Б's algebra cancelled. Wednesday: 5Б's physics given by Иванова
    // instead of Сидорова, a room change and an added chemistry lesson. Thursday: a saved day
    // without a template. Hand count: Иванова took 1 (Wed) and was freed of 3 (Mon x2, Tue);
    // Кузнецова freed of 1 (Tue); Орлов took 1 (Tue); Петров took 2 (Mon); Сидорова freed of 1 (Wed).
    void tallyOverThreeDatesMatchesTheHandCount()
    {
        const auto write = [](const QString &path, const QStringList &lines) {
            QVERIFY(rasp::text::writeLines(path, lines));
        };
        write(u"setka/Понедельник.ini"_s, file({u"|Алгебра|||"_s, u"|Физика|||"_s, u"|||Алгебра|"_s}));
        write(u"r_data/07.12.2026.ini"_s, file({u"|Физика|||"_s, u"|Физика|||"_s, u"|||Физика|"_s}));
        write(u"setka/Вторник.ini"_s, file({u"|Англ|Алгебра||"_s}));
        write(u"r_data/08.12.2026.ini"_s, file({u"|Англ-з|||"_s}));
        write(u"setka/Среда.ini"_s, file({u"||||"_s, u"||Физика||"_s, u"|||Англ|"_s}, {u"|||"_s, u"|||"_s, u"||21|"_s}));
        write(u"r_data/09.12.2026.ini"_s, file({u"||||"_s, u"||Алгебра||"_s, u"|||Англ|"_s, u"||||"_s, u"|||Химия|"_s},
                                               {u"|||"_s, u"|||"_s, u"||22|"_s}));
        write(u"r_data/10.12.2026.ini"_s, file({u"|Алгебра|||"_s}));

        const rasp::State s = openSchool();
        int steps = 0, compared = 0;
        const ZamenyTally tally = ZamenyPeriod(s, QDate(2026, 12, 6), QDate(2026, 12, 10), [&](bool counted) {
            ++steps;
            compared += counted ? 1 : 0;
            return true;
        });
        QCOMPARE(steps, 5);
        QCOMPARE(compared, 3);
        QCOMPARE(tally.days, 3);
        QCOMPARE(tally.skipped.size(), 1);
        QVERIFY(tally.skipped.first().startsWith(u"10.12.2026: шаблона на этот день недели нет"_s));
        QVERIFY(tally.errors.isEmpty());

        QStringList rows;
        for (const QStringList &row : TallyRows(tally))
            rows << row.join(u'|');
        QCOMPARE(rows, (QStringList{u"Иванова|1|09.12.2026|3|07.12.2026 (2), 08.12.2026"_s,
                                    u"Кузнецова|||1|08.12.2026"_s,
                                    u"Орлов|1|08.12.2026||"_s,
                                    u"Петров|2|07.12.2026 (2)||"_s,
                                    u"Сидорова|||1|09.12.2026"_s}));
        // Кузнецова's added lesson is no substitution but shows in the teacher view.
        const auto kuz = std::find_if(tally.teachers.begin(), tally.teachers.end(),
                                      [](const TeacherTally &t) { return t.teacher == u"Кузнецова"_s; });
        QVERIFY(kuz != tally.teachers.end());
        QCOMPARE(kuz->added.size(), std::size_t(1));

        // The teacher view of Monday alone names the places.
        const ZamenyResult monday = ZamenyForDate(s, QDate(2026, 12, 7));
        QVERIFY(monday.sheet);
        QStringList view;
        for (const QStringList &row : TeacherViewRows(s, TallyOfSheet(s, *monday.sheet)))
            view << row.join(u'|');
        QCOMPARE(view, (QStringList{u"Иванова||2: 5А (1), 6А (3)||"_s, u"Петров|2: 5А (1), 6А (3)|||"_s}));
    }

    // The chain of the table above over a period: Орлов, who teaches in the row the moved lesson
    // left, is counted as covering Иванова's lesson, so the exported tally lists him.
    void moveChainCountsTheFreedRowsTeacherAsCovering()
    {
        QVERIFY(rasp::text::writeLines(u"setka/Пятница.ini"_s, file({u"||Алгебра||"_s, u"||Физика||"_s})));
        QVERIFY(rasp::text::writeLines(u"r_data/11.12.2026.ini"_s, file({u"||Физика||"_s, u"||Англ||"_s})));
        const rasp::State s = openSchool();
        const ZamenyTally tally = ZamenyPeriod(s, QDate(2026, 12, 11), QDate(2026, 12, 11));
        QStringList rows;
        for (const QStringList &row : TallyRows(tally))
            rows << row.join(u'|');
        QCOMPARE(rows, (QStringList{u"Иванова|||1|11.12.2026"_s, u"Орлов|1|11.12.2026||"_s}));
        const ZamenyResult r = ZamenyForDate(s, QDate(2026, 12, 11));
        QVERIFY(r.sheet);
        const std::vector<SheetRow> sheet = SheetRows(s, *r.sheet);
        QCOMPARE(sheet.size(), std::size_t(3));
        QCOMPARE(sheet[2].was, u"Алгебра\r\nИванова (1-й урок)"_s);
        QCOMPARE(sheet[2].kind, u"замена через перенос"_s);
    }

    void stoppingThePeriodEndsItThere()
    {
        QVERIFY(rasp::text::writeLines(u"setka/Понедельник.ini"_s, file({u"|Алгебра|||"_s})));
        QVERIFY(rasp::text::writeLines(u"r_data/07.12.2026.ini"_s, file({u"|Физика|||"_s})));
        QVERIFY(rasp::text::writeLines(u"r_data/14.12.2026.ini"_s, file({u"|Физика|||"_s})));
        int steps = 0;
        const ZamenyTally tally = ZamenyPeriod(openSchool(), QDate(2026, 12, 7), QDate(2026, 12, 14), [&](bool) {
            return ++steps < 2;
        });
        QCOMPARE(steps, 2);
        QCOMPARE(tally.days, 1);
    }

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

QTEST_GUILESS_MAIN(TstZameny)
#include "tst_zameny.moc"
