// The weekly template in core: the seven files byte for byte, blanks, column 0, files of another
// shape, unreadable files, and putting a template day on the grid.
#include "day/gridops.h"
#include "state.h"
#include "template/classorder.h"
#include "template/setka.h"
#include "text/cp1251.h"
#include "text/textfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

rasp::State school(int rows, int classes)
{
    rasp::State s;
    s.max_ur = rows;
    for (int j = 0; j <= classes; ++j)
        rasp::day::KlassCreate(s);
    return s;
}

QByteArray bytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray cp1251(const QString &text)
{
    return rasp::text::encode1251(text);
}

} // namespace

class TstTemplate : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_work;

    QString path(int k) const { return m_work->filePath(rasp::tmpl::SetkaPath(k)); }
    void write(int k, const QStringList &lines)
    {
        QDir(m_work->path()).mkpath(u"setka"_s);
        QVERIFY(rasp::text::writeLines(path(k), lines));
    }

private slots:
    void init()
    {
        m_work = std::make_unique<QTemporaryDir>();
        QVERIFY(m_work->isValid());
    }

    void filesAreNamedByTheWeekdayWords()
    {
        QCOMPARE(rasp::tmpl::SetkaPath(1), u"setka/Понедельник.ini"_s);
        QCOMPARE(rasp::tmpl::SetkaPath(3), u"setka/Среда.ini"_s);
        QCOMPARE(rasp::tmpl::SetkaPath(7), u"setka/Воскресенье.ini"_s);
    }

    void saveWritesAllSevenFilesByteForByte()
    {
        rasp::State s = school(2, 2);
        QVERIFY(rasp::tmpl::SetkaLoad(s, m_work->path()).isEmpty()); // no folder, no files: all empty
        s.vibr_den_set = 3;
        s.grid.cell(1, 1).subject = u"Математика"_s;
        s.grid.cell(1, 2).subject = u"Русский язык"_s;
        s.grid.cell(2, 1).subject = u"Чтение"_s;
        s.grid.cell(1, 1).room = u"12"_s;
        s.grid.cell(1, 2).room = u"14"_s;
        QVERIFY(rasp::tmpl::SetkaSave(s, m_work->path()).isEmpty());

        QCOMPARE(bytes(path(3)), cp1251(u"|Математика|Русский язык|\r\n|Чтение||\r\n12|14|\r\n||\r\n\r\n~end~\r\n"_s));
        for (int k : {1, 2, 4, 5, 6, 7})
            QCOMPARE(bytes(path(k)), QByteArray("|||\r\n|||\r\n||\r\n||\r\n\r\n~end~\r\n"));

        // Read back into a fresh state, then written again unchanged.
        rasp::State back = school(2, 2);
        QVERIFY(rasp::tmpl::SetkaLoad(back, m_work->path()).isEmpty());
        QCOMPARE(back.Setka[3].SetkaMasUr[1][2], u"Русский язык"_s);
        QCOMPARE(back.Setka[3].SetkaMasKab[1][1], u"12"_s);
        back.vibr_den_set = 3;
        rasp::tmpl::SetkaZapol(back, 3);
        QVERIFY(rasp::tmpl::SetkaSave(back, m_work->path()).isEmpty());
        QCOMPARE(bytes(path(3)), cp1251(u"|Математика|Русский язык|\r\n|Чтение||\r\n12|14|\r\n||\r\n\r\n~end~\r\n"_s));
    }

    // Saving records the class names beside each template; after 5Б is deleted from the middle of
    // the load, reading maps the columns by name and names the class once for all its weekdays.
    void templatesRecordTheirClassesAndAreReadByName()
    {
        rasp::State s = school(1, 3);
        s.Klass = {QString(), u"5А"_s, u"5Б"_s, u"6А"_s};
        QVERIFY(rasp::tmpl::SetkaLoad(s, m_work->path()).isEmpty());
        s.vibr_den_set = 1;
        s.grid.cell(1, 1).subject = u"Алгебра"_s;
        s.grid.cell(1, 2).subject = u"Физика"_s;
        s.grid.cell(1, 3).subject = u"Химия"_s;
        s.grid.cell(1, 3).room = u"21"_s;
        QVERIFY(rasp::tmpl::SetkaSave(s, m_work->path()).isEmpty());
        s.vibr_den_set = 3;
        rasp::tmpl::SetkaZapol(s, 1);
        QVERIFY(rasp::tmpl::SetkaSave(s, m_work->path()).isEmpty()); // Wednesday as Monday
        const QByteArray recorded = cp1251(u"[Классы]\r\n5А\r\n5Б\r\n6А\r\n"_s);
        for (int k = 1; k <= 7; ++k)
            QCOMPARE(bytes(m_work->filePath(rasp::tmpl::SetkaCompanionPath(k))), recorded);
        QCOMPARE(rasp::tmpl::TemplatesHoldingClass(s, QDir(m_work->path()), 2), (QStringList{u"понедельник"_s, u"среда"_s}));

        rasp::State after = school(1, 2);
        after.Klass = {QString(), u"5А"_s, u"6А"_s};
        QCOMPARE(rasp::tmpl::SetkaLoad(after, m_work->path()),
                 QStringList{u"Класс 5Б удалён из нагрузки: его уроки в сетках понедельника, среды не учтены"_s});
        QCOMPARE(after.Setka[1].SetkaMasUr[1][2], u"Химия"_s);
        QCOMPARE(after.Setka[1].SetkaMasKab[1][2], u"21"_s);
        QCOMPARE(after.Setka[3].SetkaMasUr[1][1], u"Алгебра"_s);

        // A class added to the load is empty in the templates and named once too.
        rasp::State wider = school(1, 4);
        wider.Klass = {QString(), u"5А"_s, u"5Б"_s, u"6А"_s, u"8В"_s};
        QCOMPARE(rasp::tmpl::SetkaLoad(wider, m_work->path()),
                 QStringList{u"Класс 8В: нет в сетках понедельника, среды"_s});
        QCOMPARE(wider.Setka[1].SetkaMasUr[1][3], u"Химия"_s);
        QVERIFY(wider.Setka[1].SetkaMasUr[1][4].isEmpty());
    }

    // A template saved before names were recorded is read by position; deleting a class first
    // records the present order beside it, so the deletion does not shift its later classes.
    void deletingAClassRecordsTheOrderOfOlderTemplates()
    {
        write(2, {u"|Алгебра|Физика|Химия|"_s, u"||||"_s, QString(), u"~end~"_s});
        rasp::State s = school(1, 3);
        s.Klass = {QString(), u"5А"_s, u"5Б"_s, u"6А"_s};
        const QDir work(m_work->path());
        QCOMPARE(rasp::tmpl::TemplatesHoldingClass(s, work, 2), QStringList{u"вторник"_s});
        QCOMPARE(rasp::tmpl::DeleteClassQuestion(u"5Б"_s, {u"вторник"_s}),
                 u"Уроки класса 5Б есть в сохранённых сетках: вторник. После удаления класса они в этих сетках не учитываются.\rУдалить класс?"_s);
        QVERIFY(!QFile::exists(m_work->filePath(rasp::tmpl::SetkaCompanionPath(2))));
        QVERIFY(rasp::tmpl::RecordMissingClassOrders(s, work).isEmpty());
        QVERIFY(!QFile::exists(m_work->filePath(rasp::tmpl::SetkaCompanionPath(1)))); // no template, no companion
        rasp::State after = school(1, 2);
        after.Klass = {QString(), u"5А"_s, u"6А"_s};
        QCOMPARE(rasp::tmpl::SetkaLoad(after, m_work->path()).size(), 1);
        QCOMPARE(after.Setka[2].SetkaMasUr[1][2], u"Химия"_s);
    }

    void singleBlankSubjects_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("written");
        QTest::newRow("one blank") << u" "_s << QString();
        QTest::newRow("two blanks") << u"  "_s << u"  "_s;
        QTest::newRow("blank and letter") << u" x"_s << u" x"_s;
    }
    void singleBlankSubjects()
    {
        QFETCH(QString, text);
        QFETCH(QString, written);
        rasp::State s = school(2, 1);
        rasp::tmpl::SetkaLoad(s, m_work->path());
        s.grid.cell(1, 1).subject = text;   // on the grid of the selected Monday
        s.grid.cell(1, 1).room = u" "_s;    // rooms are left alone
        s.Setka[5].SetkaMasUr[2][1] = text; // a weekday not on the grid
        QVERIFY(rasp::tmpl::SetkaSave(s, m_work->path()).isEmpty());
        QCOMPARE(bytes(path(1)), cp1251(u"|%1|\r\n||\r\n |\r\n|\r\n\r\n~end~\r\n"_s.arg(written)));
        QCOMPARE(bytes(path(5)), cp1251(u"||\r\n|%1|\r\n|\r\n|\r\n\r\n~end~\r\n"_s.arg(written)));
        QCOMPARE(s.grid.cell(1, 1).subject, text); // the grid keeps what it shows
    }

    void columnZeroSurvivesAndIsNotTakenFromTheGrid()
    {
        write(2, {u"Ш|Алгебра|Химия|"_s, u"||Физика|"_s, u"5|6|"_s, u"|7|"_s, QString(), u"~end~"_s});
        rasp::State s = school(2, 2);
        QVERIFY(rasp::tmpl::SetkaLoad(s, m_work->path()).isEmpty());
        QCOMPARE(s.Setka[2].SetkaMasUr[1][0], u"Ш"_s);
        s.vibr_den_set = 2;
        rasp::tmpl::SetkaZapol(s, 2);
        s.grid.cell(1, 0).subject = u"чужое"_s; // the grid's column 0 is never copied
        s.grid.cell(2, 1).subject = u"Русский"_s;
        QVERIFY(rasp::tmpl::SetkaSave(s, m_work->path()).isEmpty());
        QCOMPARE(bytes(path(2)), cp1251(u"Ш|Алгебра|Химия|\r\n|Русский|Физика|\r\n5|6|\r\n|7|\r\n\r\n~end~\r\n"_s));
    }

    void filesOfAnotherShapeAreReadByPosition_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("classes");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("subjects"); // row by row, columns 1..classes
        QTest::addColumn<QStringList>("rooms");
        // Written with three rows, read with two: the third subject line becomes room line 1.
        QTest::newRow("fewer rows") << 2 << 2
                                    << QStringList{u"|А|Б|"_s, u"|В|Г|"_s, u"|Д|Е|"_s, u"1|2|"_s, u"3|4|"_s,
                                                   u"5|6|"_s, QString(), u"~end~"_s}
                                    << QStringList{u"А"_s, u"Б"_s, u"В"_s, u"Г"_s}
                                    << QStringList{QString(), u"Д"_s, u"1"_s, u"2"_s};
        // Written with one row, read with two: the room line is read as subject line 2 (its
        // first field in column 0) and the missing room lines are empty, "~end~" included.
        QTest::newRow("more rows") << 2 << 2 << QStringList{u"|А|Б|"_s, u"1|2|"_s, QString(), u"~end~"_s}
                                   << QStringList{u"А"_s, u"Б"_s, u"2"_s, QString()}
                                   << QStringList{QString(), QString(), QString(), QString()};
        QTest::newRow("short lines and file") << 2 << 3 << QStringList{u"|А|"_s, u"|"_s, u"1|"_s}
                                              << QStringList{u"А"_s, QString(), QString(), QString(), QString(), QString()}
                                              << QStringList{u"1"_s, QString(), QString(), QString(), QString(), QString()};
        QTest::newRow("wider lines") << 1 << 1 << QStringList{u"|А|Б|В|"_s, u"1|2|3|"_s, u"~end~"_s}
                                     << QStringList{u"А"_s} << QStringList{u"1"_s};
        QTest::newRow("empty file") << 1 << 2 << QStringList{} << QStringList{QString(), QString()}
                                    << QStringList{QString(), QString()};
    }
    void filesOfAnotherShapeAreReadByPosition()
    {
        QFETCH(int, rows);
        QFETCH(int, classes);
        QFETCH(QStringList, lines);
        QFETCH(QStringList, subjects);
        QFETCH(QStringList, rooms);
        write(4, lines);
        rasp::State s = school(rows, classes);
        QVERIFY(rasp::tmpl::SetkaLoad(s, m_work->path()).isEmpty());
        QStringList gotSubjects, gotRooms;
        for (int i = 1; i <= rows; ++i)
            for (int j = 1; j <= classes; ++j) {
                gotSubjects << s.Setka[4].SetkaMasUr[std::size_t(i)][std::size_t(j)];
                gotRooms << s.Setka[4].SetkaMasKab[std::size_t(i)][std::size_t(j)];
            }
        QCOMPARE(gotSubjects, subjects);
        QCOMPARE(gotRooms, rooms);
        // Every weekday is sized rows 0..max_ur by the grid's columns.
        for (int k = 1; k <= 7; ++k) {
            QCOMPARE(int(s.Setka[std::size_t(k)].SetkaMasUr.size()), rows + 1);
            QCOMPARE(int(s.Setka[std::size_t(k)].SetkaMasKab.back().size()), s.klassvis_mas);
        }
    }

    void loadingReplacesUnsavedEdits()
    {
        write(1, {u"|Алгебра|"_s, u"12|"_s, QString(), u"~end~"_s});
        rasp::State s = school(1, 1);
        rasp::tmpl::SetkaLoad(s, m_work->path());
        s.Setka[1].SetkaMasUr[1][1] = u"Правка"_s;
        s.Setka[6].SetkaMasUr[1][1] = u"Правка"_s;
        rasp::tmpl::SetkaLoad(s, m_work->path());
        QCOMPARE(s.Setka[1].SetkaMasUr[1][1], u"Алгебра"_s);
        QCOMPARE(s.Setka[6].SetkaMasUr[1][1], QString());
    }

    void anUnreadableFileIsReportedAndNeverOverwritten()
    {
        QVERIFY(QDir(m_work->path()).mkpath(rasp::tmpl::SetkaPath(2))); // a folder where Вторник.ini goes
        write(3, {u"|Химия|"_s, u"|"_s, QString(), u"~end~"_s});
        rasp::State s = school(1, 1);
        const QStringList problems = rasp::tmpl::SetkaLoad(s, m_work->path());
        QCOMPARE(problems.size(), 1);
        QVERIFY2(problems.first().startsWith(u"Не удалось прочитать файл"_s), qPrintable(problems.first()));
        QCOMPARE(s.Setka[3].SetkaMasUr[1][1], u"Химия"_s); // the other weekdays are read

        const QStringList failures = rasp::tmpl::SetkaSave(s, m_work->path());
        QCOMPARE(failures.size(), 1);
        QVERIFY2(failures.first().startsWith(u"Сетка «Вторник» не сохранена"_s), qPrintable(failures.first()));
        QVERIFY(QFileInfo(path(2)).isDir());
        QVERIFY(QFile::exists(path(7))); // the others are written
    }

    void aFileThatCannotBeWrittenIsReportedAndTheOthersWritten()
    {
        rasp::State s = school(1, 1);
        rasp::tmpl::SetkaLoad(s, m_work->path());
        QVERIFY(QDir(m_work->path()).mkpath(rasp::tmpl::SetkaPath(5))); // appears after the load
        const QStringList failures = rasp::tmpl::SetkaSave(s, m_work->path());
        QCOMPARE(failures.size(), 1);
        QVERIFY2(failures.first().startsWith(u"Не удалось записать файл"_s), qPrintable(failures.first()));
        QVERIFY(QFile::exists(path(4)) && QFile::exists(path(6)));
    }

    void zapolPutsTheDayOnTheGrid()
    {
        rasp::State s = school(2, 2);
        rasp::tmpl::SetkaLoad(s, m_work->path());
        s.Setka[6].SetkaMasUr[2][2] = u"Труд"_s;
        s.Setka[6].SetkaMasKab[2][2] = u"30"_s;
        s.grid.cell(1, 1).teachers = u"Иванова"_s;
        s.grid.cell(1, 1).textColour = 0xFFFF0000;
        rasp::day::RaspClear(s);
        rasp::tmpl::SetkaZapol(s, 6);
        QCOMPARE(s.grid.cell(2, 2).subject, u"Труд"_s);
        QCOMPARE(s.grid.cell(2, 2).room, u"30"_s);
        QCOMPARE(s.grid.cell(1, 1).teachers, QString());
        QCOMPARE(s.grid.cell(1, 1).textColour, rasp::day::kBlack);
        QVERIFY(s.grid.cell(1, 1).roomVisible);
        QVERIFY(s.grid.ramkaVisible);

        rasp::State empty = school(2, 0);
        rasp::tmpl::SetkaLoad(empty, m_work->path());
        empty.grid.ramkaVisible = true;
        rasp::tmpl::SetkaZapol(empty, 1);
        QVERIFY(!empty.grid.ramkaVisible);
    }

    void classesAddedAfterTheLoadKeepEveryTextInPlace()
    {
        write(1, {u"|А|Б|"_s, u"1|2|"_s, QString(), u"~end~"_s});
        rasp::State s = school(1, 2);
        rasp::tmpl::SetkaLoad(s, m_work->path());
        rasp::day::KlassCreate(s); // a third class, wider than the template
        rasp::day::RaspClear(s);
        rasp::tmpl::SetkaZapol(s, 1);
        QCOMPARE(s.grid.cell(1, 3).subject, QString());
        s.grid.cell(1, 3).subject = u"В"_s;
        s.grid.cell(1, 3).room = u"3"_s;
        rasp::tmpl::SetkaFromGrid(s, 1);
        QCOMPARE(s.Setka[1].SetkaMasUr[1][1], u"А"_s);
        QCOMPARE(s.Setka[1].SetkaMasUr[1][3], u"В"_s);
        // A weekday never shown since is written three classes wide as well.
        QVERIFY(rasp::tmpl::SetkaSave(s, m_work->path()).isEmpty());
        QCOMPARE(bytes(path(1)), QByteArray("|\xC0|\xC1|\xC2|\r\n1|2|3|\r\n\r\n~end~\r\n"));
        QCOMPARE(bytes(path(2)), QByteArray("||||\r\n|||\r\n\r\n~end~\r\n"));
    }

    void clearingEmptiesOnlyTheGivenWeekday()
    {
        rasp::State s = school(2, 2);
        rasp::tmpl::SetkaLoad(s, m_work->path());
        s.Setka[2].SetkaMasUr[1][0] = u"Ш"_s;
        s.Setka[2].SetkaMasUr[2][2] = u"Химия"_s;
        s.Setka[2].SetkaMasKab[2][2] = u"14"_s;
        s.Setka[3].SetkaMasUr[2][2] = u"Химия"_s;
        rasp::tmpl::SetkaClearDay(s, 2);
        QCOMPARE(s.Setka[2].SetkaMasUr[2][2], QString());
        QCOMPARE(s.Setka[2].SetkaMasKab[2][2], QString());
        QCOMPARE(s.Setka[2].SetkaMasUr[1][0], u"Ш"_s);
        QCOMPARE(s.Setka[3].SetkaMasUr[2][2], u"Химия"_s);
    }
};

QTEST_MAIN(TstTemplate)
#include "tst_template.moc"
