// Editing rules of the load page, headless: deleting classes and teachers, clearing, sorting,
// the checks before saving, and the page's pixel layout.
#include "day/gridops.h"
#include "load/loadedit.h"
#include "load/loadgeometry.h"
#include "load/loadmodel.h"
#include "state.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using rasp::load::LoadGeometry;

class TstLoadEdit : public QObject
{
    Q_OBJECT

    // A school with the given classes and teachers; teacher m teaches "m/<class name>" in every
    // class, and grid column j holds the lesson "L<j>" so that moved grid cells show.
    static rasp::State school(const QStringList &classes, const QStringList &teachers)
    {
        rasp::State s;
        rasp::FillPalette(s);
        rasp::BuildPlaceholders(s);
        for (const QString &name : classes) {
            const int c = rasp::day::KlassCreate(s);
            s.Klass[c] = name;
            s.grid.cell(0, c).subject = name;
            s.grid.cell(1, c).subject = u"L%1"_s.arg(c);
        }
        for (const QString &name : teachers) {
            const int m = rasp::load::PedCreate(s);
            s.PedFio[m].name = name;
            for (int j = 1; j <= s.klassvis; ++j)
                s.Predmet[m][j] = QStringList{u"%1/%2"_s.arg(m).arg(s.Klass[j])};
        }
        return s;
    }
    static QStringList classes(const rasp::State &s)
    {
        return QStringList(s.Klass.begin() + 1, s.Klass.begin() + 1 + s.klassvis);
    }
    static QStringList names(const rasp::State &s)
    {
        QStringList out;
        for (int m = 1; m <= s.pedvis; ++m)
            out << s.PedFio[m].name;
        return out;
    }
    static QList<int> colours(const rasp::State &s)
    {
        QList<int> out;
        for (int m = 1; m <= s.pedvis; ++m)
            out << s.PedFio[m].colour;
        return out;
    }
    // Each teacher's subject fields joined: "1/5А,1/6А".
    static QStringList rows(const rasp::State &s)
    {
        QStringList out;
        for (int m = 1; m <= s.pedvis; ++m) {
            QStringList cells;
            for (int j = 1; j <= s.klassvis; ++j)
                cells << s.Predmet[m][j].join(u'+');
            out << cells.join(u',');
        }
        return out;
    }
    // The arrays stay as long as the counts say, so a later add or save never reads past them.
    static void checkShapes(const rasp::State &s)
    {
        QCOMPARE(s.klassvis_mas, s.klassvis + 1);
        QCOMPARE(s.pedvis_mas, s.pedvis + 1);
        QCOMPARE(int(s.Klass.size()), s.klassvis_mas);
        QCOMPARE(s.grid.columnCount(), s.klassvis_mas);
        QCOMPARE(int(s.PedFio.size()), s.pedvis_mas);
        QCOMPARE(int(s.Predmet.size()), s.pedvis_mas);
        for (const auto &row : s.Predmet)
            QCOMPARE(int(row.size()), s.klassvis_mas);
    }

private slots:
    void deleteClass_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<QStringList>("left");
        QTest::addColumn<QStringList>("subjects");
        QTest::newRow("5Б of 5А, 5Б, 6А") << 2 << QStringList{u"5А"_s, u"6А"_s}
                                          << QStringList{u"1/5А,1/6А"_s, u"2/5А,2/6А"_s};
        QTest::newRow("the first") << 1 << QStringList{u"5Б"_s, u"6А"_s} << QStringList{u"1/5Б,1/6А"_s, u"2/5Б,2/6А"_s};
        QTest::newRow("the last") << 3 << QStringList{u"5А"_s, u"5Б"_s} << QStringList{u"1/5А,1/5Б"_s, u"2/5А,2/5Б"_s};
    }
    void deleteClass()
    {
        QFETCH(int, which);
        QFETCH(QStringList, left);
        QFETCH(QStringList, subjects);
        rasp::State s = school({u"5А"_s, u"5Б"_s, u"6А"_s}, {u"Аникина"_s, u"Борисов"_s});
        s.vt_sm_x = 2;
        s.vt_sm_y = 4;
        s.grid.ramkaColumn = 3;
        // Templates in memory: Monday and Friday hold each class's own lesson and room.
        for (int k : {1, 5}) {
            s.Setka[std::size_t(k)].resize(s.max_ur, s.klassvis + 1);
            for (int j = 1; j <= s.klassvis; ++j) {
                s.Setka[std::size_t(k)].SetkaMasUr[1][std::size_t(j)] = QString::number(k) + u'/' + s.Klass[std::size_t(j)];
                s.Setka[std::size_t(k)].SetkaMasKab[1][std::size_t(j)] = u"к"_s + s.Klass[std::size_t(j)];
            }
        }
        QVERIFY(!rasp::load::DeletingClassDeletesAll(s));
        rasp::load::DeleteClass(s, which);
        QCOMPARE(classes(s), left);
        // The deleted class's column left every weekday of the templates, not its neighbour's.
        for (int k : {1, 5})
            for (int j = 1; j <= s.klassvis; ++j) {
                QCOMPARE(s.Setka[std::size_t(k)].ur(1, j), QString::number(k) + u'/' + left.at(j - 1));
                QCOMPARE(s.Setka[std::size_t(k)].kab(1, j), u"к"_s + left.at(j - 1));
            }
        QCOMPARE(rows(s), subjects);
        QCOMPARE(s.klassvis, 2);
        checkShapes(s);
        // The day grid is not shifted: the first two columns keep their names and lessons.
        QCOMPARE(s.grid.cell(0, 2).subject, u"5Б"_s);
        QCOMPARE(s.grid.cell(1, 2).subject, u"L2"_s);
        QCOMPARE(s.vt_sm_x, 0);
        QCOMPARE(s.vt_sm_y, 0);
        QCOMPARE(s.grid.ramkaColumn, 2); // the frame stays on an existing column
        // A class added afterwards starts empty at the right end.
        const int c = rasp::day::KlassCreate(s);
        QCOMPARE(c, 3);
        QVERIFY(s.Klass[3].isEmpty() && s.Predmet[1][3].isEmpty());
        checkShapes(s);
    }

    void deletingTheOnlyClass()
    {
        rasp::State alone = school({u"5А"_s}, {});
        QVERIFY(!rasp::load::DeletingClassDeletesAll(alone));
        rasp::load::DeleteClass(alone, 1);
        QCOMPARE(alone.klassvis, 0);
        QVERIFY(!alone.grid.ramkaVisible);
        checkShapes(alone);

        rasp::State taught = school({u"5А"_s}, {u"Аникина"_s, u"Борисов"_s});
        taught.tab1vis = 1;
        taught.vt_sm_x = 1;
        QVERIFY(rasp::load::DeletingClassDeletesAll(taught));
        rasp::load::DelVsejNagruz(taught);
        QCOMPARE(taught.klassvis, 0);
        QCOMPARE(taught.pedvis, 0);
        QCOMPARE(taught.tab1vis, 0);
        QCOMPARE(taught.vt_sm_x, 0);
        checkShapes(taught);
        // The colour counter runs on: the next teacher takes the number after the last one dealt.
        rasp::day::KlassCreate(taught);
        QCOMPARE(taught.PedFio[rasp::load::PedCreate(taught)].colour, 4);
        checkShapes(taught);
    }

    void deleteTeacherTwoOfFour()
    {
        rasp::State s = school({u"5А"_s, u"6А"_s}, {u"А"_s, u"Б"_s, u"В"_s, u"Г"_s});
        rasp::load::DeleteTeacher(s, 2);
        QCOMPARE(names(s), (QStringList{u"А"_s, u"В"_s, u"Г"_s}));
        QCOMPARE(colours(s), (QList<int>{2, 4, 5}));
        QCOMPARE(rows(s), (QStringList{u"1/5А,1/6А"_s, u"3/5А,3/6А"_s, u"4/5А,4/6А"_s}));
        checkShapes(s);
        rasp::load::DeleteAllTeachers(s);
        QCOMPARE(s.pedvis, 0);
        QCOMPARE(s.klassvis, 2);
        checkShapes(s);
    }

    void sortTeachers_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QStringList>("after");
        // Ordinal UTF-16: Ё (U+0401) < А..я < ё (U+0451); capitals before small letters.
        QTest::newRow("Я, А, ё, Ё") << QStringList{u"Яшин"_s, u"Акулов"_s, u"ёжиков"_s, u"Ёлкин"_s}
                                    << QStringList{u"Ёлкин"_s, u"Акулов"_s, u"Яшин"_s, u"ёжиков"_s};
        QTest::newRow("empty name in between") << QStringList{u"Яшин"_s, u"Акулов"_s, QString(), u"ёжиков"_s, u"Ёлкин"_s}
                                               << QStringList{u"Акулов"_s, u"Яшин"_s, QString(), u"Ёлкин"_s, u"ёжиков"_s};
        QTest::newRow("nothing crosses an empty name") << QStringList{u"Яшин"_s, QString(), u"Акулов"_s}
                                                       << QStringList{u"Яшин"_s, QString(), u"Акулов"_s};
        QTest::newRow("equal names keep their order") << QStringList{u"Б"_s, u"А"_s, u"Б"_s}
                                                      << QStringList{u"А"_s, u"Б"_s, u"Б"_s};
    }
    void sortTeachers()
    {
        QFETCH(QStringList, before);
        QFETCH(QStringList, after);
        rasp::State s = school({u"5А"_s}, before);
        rasp::load::SortTeachers(s);
        QCOMPARE(names(s), after);
        // Colours and subjects travel with their teacher: teacher m had colour m + 1 and "m/5А".
        for (int m = 1; m <= s.pedvis; ++m) {
            const int was = s.PedFio[m].colour - 1;
            QCOMPARE(s.Predmet[m][1], QStringList{u"%1/5А"_s.arg(was)});
            QCOMPARE(before.at(was - 1), s.PedFio[m].name);
        }
        checkShapes(s);
    }

    void clearing()
    {
        rasp::State s = school({u"5А"_s, u"6А"_s}, {u"А"_s, u"Б"_s});
        rasp::load::ClearClassLoad(s, 2);
        QCOMPARE(rows(s), (QStringList{u"1/5А,"_s, u"2/5А,"_s}));
        rasp::load::ClearTeacherLoad(s, 1);
        QCOMPARE(rows(s), (QStringList{u","_s, u"2/5А,"_s}));
        rasp::load::ClearAllLoad(s);
        QCOMPARE(rows(s), (QStringList{u","_s, u","_s}));
        rasp::load::ClearClassNames(s);
        QCOMPARE(classes(s), (QStringList{QString(), QString()}));
        QCOMPARE(s.grid.cell(0, 1).subject, u"5А"_s); // the header keeps its text until a save
        rasp::load::ClearTeacherNames(s);
        QCOMPARE(names(s), (QStringList{QString(), QString()}));
        QCOMPARE(colours(s), (QList<int>{2, 3}));
        checkShapes(s);
    }

    void saveCheck_data()
    {
        QTest::addColumn<QStringList>("classes");
        QTest::addColumn<QStringList>("teachers");
        QTest::addColumn<QString>("subject");
        QTest::addColumn<QString>("message");
        const QStringList two{u"5А"_s, u"6А"_s};
        const QStringList named{u"Аникина"_s};
        QTest::newRow("no class") << QStringList{} << QStringList{} << QString()
                                  << u"Нечего сохранять.\r\nДобавьте хотя бы один класс."_s;
        QTest::newRow("no teacher") << two << QStringList{} << QString() << u"Добавьте хотя бы одного учителя."_s;
        QTest::newRow("teacher without a name comes before class names")
            << QStringList{QString(), QString()} << QStringList{u"А"_s, QString()} << QString()
            << u"Укажите ФИО всех учителей"_s;
        QTest::newRow("two empty class names repeat") << QStringList{QString(), u"5А"_s, QString()} << named << QString()
                                                      << u"В номерах классов имеются повторы.\r\nСохранение невозможно."_s;
        QTest::newRow("equal class names") << QStringList{u"5А"_s, u"6А"_s, u"5А"_s} << named << QString()
                                           << u"В номерах классов имеются повторы.\r\nСохранение невозможно."_s;
        QTest::newRow("one empty class name") << QStringList{u"5А"_s, QString()} << named << QString()
                                              << u"Указаны не все номера классов.\r\nИх необходимо заполнить или удалить."_s;
        QTest::newRow("names differing in case are different") << QStringList{u"5а"_s, u"5А"_s} << named << QString() << QString();
        QTest::newRow("a separator inside a subject") << two << named << u"Алг;ебра"_s
                                                      << u"Знаки «|» и «;» нельзя использовать в названиях классов, ФИО и предметах.\r\nСохранение невозможно."_s;
        QTest::newRow("all filled") << QStringList{u"5А"_s} << named << u"Алгебра"_s << QString();
    }
    void saveCheck()
    {
        QFETCH(QStringList, classes);
        QFETCH(QStringList, teachers);
        QFETCH(QString, subject);
        QFETCH(QString, message);
        rasp::State s = school(classes, teachers);
        if (!subject.isEmpty())
            s.Predmet[1][1] = QStringList{QString(), subject};
        QCOMPARE(rasp::load::SaveCheck(s), message);
    }

    void geometry_data()
    {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<QString>("matrix"); // "m/j" of the subject field hit, or "-"
        QTest::addColumn<int>("className");
        QTest::addColumn<int>("classMenu");
        QTest::addColumn<int>("teacherName");
        QTest::addColumn<int>("teacherMenu");
        // 3 classes, 2 teachers. Class j: name x 65j-55..65j+4 y 25..44, menu x 65j-32.. y 11..22.
        // Teacher m: name x 4..123 y 54m-43..54m-24, menu x 57..70 y 54m-23..54m-12.
        // Subject (m, j): x 65j-55..65j+4, y 54m-45..54m+4.
        QTest::newRow("origin") << QPoint(10, 9) << u"1/1"_s << -1 << -1 << -1 << -1;
        QTest::newRow("class 2 name / menu") << QPoint(80, 30) << u"1/2"_s << 2 << -1 << 1 << -1;
        QTest::newRow("class 2 menu") << QPoint(100, 15) << u"1/2"_s << -1 << 2 << 1 << -1;
        QTest::newRow("gap between columns") << QPoint(72, 30) << u"-"_s << -1 << -1 << 1 << -1;
        QTest::newRow("gap between rows") << QPoint(20, 5 + 54 * 1 + 1) << u"-"_s << -1 << -1 << -1 << -1;
        QTest::newRow("teacher 2 name") << QPoint(10, 54 * 2 - 43) << u"2/1"_s << -1 << -1 << 2 << -1;
        QTest::newRow("teacher 2 menu") << QPoint(84, 54 * 2 - 20) << u"2/2"_s << -1 << -1 << -1 << 2;
        QTest::newRow("past the last class") << QPoint(65 * 4 - 50, 30) << u"-"_s << -1 << -1 << -1 << -1;
        QTest::newRow("past the last teacher") << QPoint(10, 54 * 3 - 40) << u"-"_s << -1 << -1 << -1 << -1;
        QTest::newRow("left of the origin") << QPoint(-3, -3) << u"-"_s << -1 << -1 << -1 << -1;
    }
    void geometry()
    {
        QFETCH(QPoint, point);
        QFETCH(QString, matrix);
        QFETCH(int, className);
        QFETCH(int, classMenu);
        QFETCH(int, teacherName);
        QFETCH(int, teacherMenu);
        const LoadGeometry::Cell c = LoadGeometry::hitSubject(point, 3, 2);
        QCOMPARE(c.valid() ? u"%1/%2"_s.arg(c.teacher).arg(c.klass) : u"-"_s, matrix);
        QCOMPARE(LoadGeometry::hitClassName(point, 3), className);
        QCOMPARE(LoadGeometry::hitClassMenu(point, 3), classMenu);
        QCOMPARE(LoadGeometry::hitTeacherName(point, 2), teacherName);
        QCOMPARE(LoadGeometry::hitTeacherMenu(point, 2), teacherMenu);
    }
};

QTEST_GUILESS_MAIN(TstLoadEdit)
#include "tst_loadedit.moc"
