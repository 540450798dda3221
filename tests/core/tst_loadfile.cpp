// The teaching load: reading nagruz.ini (well-formed and malformed), the subject index, colour
// numbers, saving byte for byte, and the order of the subject lists.
#include "day/gridops.h"
#include "load/loadmodel.h"
#include "load/nagruzfile.h"
#include "state.h"
#include "text/cp1251.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TstLoadFile : public QObject
{
    Q_OBJECT

    static rasp::State freshState()
    {
        rasp::State s;
        rasp::FillPalette(s);
        rasp::BuildPlaceholders(s);
        return s;
    }
    static void writeBytes(const QString &path, const QByteArray &bytes)
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    static QByteArray readBytes(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // The load as short texts: teachers "name", assignments "m/j=S,T", index "S=A,B,".
    static QStringList teachers(const rasp::State &s)
    {
        QStringList out;
        for (int m = 1; m <= s.pedvis; ++m)
            out << s.PedFio[m].name;
        return out;
    }
    static QStringList assignments(const rasp::State &s)
    {
        QStringList out;
        for (int m = 1; m <= s.pedvis; ++m)
            for (int j = 1; j <= s.klassvis; ++j)
                if (!s.Predmet[m][j].isEmpty())
                    out << u"%1/%2=%3"_s.arg(m).arg(j).arg(s.Predmet[m][j].join(u','));
        return out;
    }
    static QStringList index(const rasp::State &s)
    {
        QStringList out;
        for (int k = 0; k < s.RaspUrPredm.Count; ++k)
            out << s.RaspUrPredm.predmet[k] + u'=' + s.RaspUrPredm.uchitel[k];
        return out;
    }
    static QStringList headers(const rasp::State &s)
    {
        QStringList out;
        for (int j = 1; j <= s.klassvis; ++j) {
            out << s.grid.cell(0, j).subject;
            if (s.Klass[j] != s.grid.cell(0, j).subject)
                out << u"(Klass differs)"_s;
        }
        return out;
    }

private slots:
    void reading_data()
    {
        QTest::addColumn<QString>("file"); // "\n" stands for CR LF
        QTest::addColumn<QStringList>("classes");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("subjects");
        QTest::addColumn<QStringList>("index");
        QTest::addColumn<QStringList>("problems"); // a fragment of each expected report line

        QTest::newRow("two classes, one teacher")
            << u"5А|5Б|\nN|S;T;|S;|\n~end~\n"_s << QStringList{u"5А"_s, u"5Б"_s} << QStringList{u"N"_s}
            << QStringList{u"1/1=S,T"_s, u"1/2=S"_s} << QStringList{u"S=N,"_s, u"T=N,"_s} << QStringList{};
        QTest::newRow("empty class field passed over")
            << u"5А||6А|\nN|S;|T;|\n~end~\n"_s << QStringList{u"5А"_s, u"6А"_s} << QStringList{u"N"_s}
            << QStringList{u"1/1=S"_s, u"1/2=T"_s} << QStringList{u"S=N,"_s, u"T=N,"_s} << QStringList{};
        QTest::newRow("empty teacher name keeps its row")
            << u"5А|\n|S;|\nB|S;|\n~end~\n"_s << QStringList{u"5А"_s} << QStringList{QString(), u"B"_s}
            << QStringList{u"1/1=S"_s, u"2/1=S"_s} << QStringList{u"S=,B,"_s} << QStringList{};
        QTest::newRow("two teachers of one subject in file order, one entry each")
            << u"5А|5Б|6А|\nБ|Алг;|Алг;|Алг;|\nА||Алг;|Гео;|\n~end~\n"_s
            << QStringList{u"5А"_s, u"5Б"_s, u"6А"_s} << QStringList{u"Б"_s, u"А"_s}
            << QStringList{u"1/1=Алг"_s, u"1/2=Алг"_s, u"1/3=Алг"_s, u"2/2=Алг"_s, u"2/3=Гео"_s}
            << QStringList{u"Алг=Б,А,"_s, u"Гео=А,"_s} << QStringList{};
        QTest::newRow("letter case makes two subjects, empty piece passed over")
            << u"5А|\nN|Физика;;физика;|\n~end~\n"_s << QStringList{u"5А"_s} << QStringList{u"N"_s}
            << QStringList{u"1/1=Физика,физика"_s} << QStringList{u"Физика=N,"_s, u"физика=N,"_s} << QStringList{};
        QTest::newRow("a name ending another name is still listed")
            << u"5А|5Б|\nИван Петров|Хим;||\nПетров||Хим;|\n~end~\n"_s << QStringList{u"5А"_s, u"5Б"_s}
            << QStringList{u"Иван Петров"_s, u"Петров"_s} << QStringList{u"1/1=Хим"_s, u"2/2=Хим"_s}
            << QStringList{u"Хим=Иван Петров,Петров,"_s} << QStringList{};
        QTest::newRow("text after the last separator is read")
            << u"5А|5Б\nN|S;T|U\n~end~\n"_s << QStringList{u"5А"_s, u"5Б"_s} << QStringList{u"N"_s}
            << QStringList{u"1/1=S,T"_s, u"1/2=U"_s} << QStringList{u"S=N,"_s, u"T=N,"_s, u"U=N,"_s} << QStringList{};
        QTest::newRow("missing end line: teachers up to the end of the file")
            << u"5А|\nA|S;|\nB|T;|"_s << QStringList{u"5А"_s} << QStringList{u"A"_s, u"B"_s}
            << QStringList{u"1/1=S"_s, u"2/1=T"_s} << QStringList{u"S=A,"_s, u"T=B,"_s} << QStringList{u"~end~"_s};
        QTest::newRow("more class fields than classes")
            << u"5А|\nA|S;|T;|U;|\nB|S;||\n~end~\n"_s << QStringList{u"5А"_s} << QStringList{u"A"_s, u"B"_s}
            << QStringList{u"1/1=S"_s, u"2/1=S"_s} << QStringList{u"S=A,B,"_s}
            << QStringList{u"Строка 2 (учитель «A»): предметы сверх числа классов пропущены: «T;|U;»"_s};
        QTest::newRow("lines after the end line")
            << u"5А|\nA|S;|\n~end~\nB|T;|\n"_s << QStringList{u"5А"_s} << QStringList{u"A"_s}
            << QStringList{u"1/1=S"_s} << QStringList{u"S=A,"_s} << QStringList{u"После строки «~end~»"_s};
        QTest::newRow("empty file") << QString() << QStringList{} << QStringList{} << QStringList{}
                                    << QStringList{} << QStringList{u"пуст"_s};
        QTest::newRow("only the end line")
            << u"~end~\n"_s << QStringList{u"~end~"_s} << QStringList{} << QStringList{} << QStringList{}
            << QStringList{u"~end~"_s};
    }
    void reading()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, classes);
        QFETCH(QStringList, names);
        QFETCH(QStringList, subjects);
        QFETCH(QStringList, index);
        QFETCH(QStringList, problems);
        QTemporaryDir dir;
        QDir::setCurrent(dir.path());
        QByteArray bytes = rasp::text::encode1251(file);
        bytes.replace("\n", "\r\n");
        writeBytes(rasp::load::NagruzPath(), bytes);

        rasp::State s = freshState();
        const rasp::load::NagruzReport report = rasp::load::NagruzLoad(s, 1);
        QCOMPARE(report.status, rasp::text::ReadResult::Ok);
        QCOMPARE(headers(s), classes);
        QCOMPARE(s.tab1vis, classes.isEmpty() ? 0 : 1);
        QCOMPARE(teachers(s), names);
        QCOMPARE(assignments(s), subjects);
        QCOMPARE(TstLoadFile::index(s), index);
        QCOMPARE(s.RaspUrPredm.uchitel.size(), s.RaspUrPredm.Count);
        QCOMPARE(report.problems.size(), problems.size());
        for (int n = 0; n < problems.size(); ++n)
            QVERIFY2(report.problems.at(n).contains(problems.at(n)), qPrintable(report.problems.at(n)));
    }

    void hugeFilesEndWithoutLosingTheStart()
    {
        QTemporaryDir dir;
        QDir::setCurrent(dir.path());
        // A 10 MB first line of class names, a 10 MB teacher line of one repeated subject,
        // a 10 MB line without any separator, and no end line.
        QByteArray bytes = "5A|5B|";
        while (bytes.size() < 10'000'000)
            bytes += "7C|";
        bytes += "\r\nN|";
        for (int n = 0; n < 5'000'000; ++n)
            bytes += "S;";
        bytes += "|\r\n";
        bytes += QByteArray(10'000'000, 'x');
        writeBytes(rasp::load::NagruzPath(), bytes);

        rasp::State s = freshState();
        const rasp::load::NagruzReport report = rasp::load::NagruzLoad(s, 1);
        QCOMPARE(s.klassvis, 200);
        QCOMPARE(s.Klass[1], u"5A"_s);
        QCOMPARE(s.Klass[200], u"7C"_s);
        QCOMPARE(s.pedvis, 2);
        QCOMPARE(s.Predmet[1][1].size(), 5'000'000);
        QCOMPARE(s.RaspUrPredm.Count, 1);
        QCOMPARE(s.PedFio[2].name.size(), 10'000'000);
        QCOMPARE(report.problems.size(), 2); // the classes beyond 200 and the missing end line
    }

    void colourNumbersRunTheCycleFromRowZero()
    {
        rasp::State s = freshState();
        QCOMPARE(s.PedFio[0].colour, 1);
        QList<int> colours;
        for (int n = 1; n <= 19; ++n)
            colours << s.PedFio[rasp::load::PedCreate(s)].colour;
        QCOMPARE(colours.first(), 2);
        QCOMPARE(colours.at(16), 18);
        QCOMPARE(colours.at(17), 1);
        QCOMPARE(colours.at(18), 2);
        QCOMPARE(s.pedvis, 19);
        QCOMPARE(s.pedvis_mas, 20);
    }

    void savingIsByteExactAndReloadEqualsAFreshStart()
    {
        QTemporaryDir dir;
        QDir::setCurrent(dir.path());
        rasp::State s = freshState();
        for (const QString &name : {u"5А"_s, u"5Б"_s}) {
            const int c = rasp::day::KlassCreate(s);
            s.Klass[c] = name;
        }
        for (const QString &name : {u"Ёлкина Анна"_s, u"Котов Иван"_s})
            s.PedFio[rasp::load::PedCreate(s)].name = name;
        s.Predmet[1][1] = QStringList{u"Алгебра"_s, QString(), u"Геом"_s};
        s.Predmet[1][2] = QStringList{QString(), QString()};
        s.Predmet[2][2] = QStringList{u"Алгебра"_s};
        QString error;
        QVERIFY2(rasp::load::NagruzSave(s, &error), qPrintable(error));
        const QByteArray expected = "5\xC0|5\xC1|\r\n"
                                    "\xA8\xEB\xEA\xE8\xED\xE0 \xC0\xED\xED\xE0|\xC0\xEB\xE3\xE5\xE1\xF0\xE0;\xC3\xE5\xEE\xEC;||\r\n"
                                    "\xCA\xEE\xF2\xEE\xE2 \xC8\xE2\xE0\xED||\xC0\xEB\xE3\xE5\xE1\xF0\xE0;|\r\n"
                                    "~end~\r\n";
        QCOMPARE(readBytes(rasp::load::NagruzPath()), expected);

        // Reload mode on the saved model, and a fresh start on the same file, agree.
        rasp::State fresh = freshState();
        QVERIFY(rasp::load::NagruzLoad(fresh, 1).problems.isEmpty());
        QVERIFY(rasp::load::NagruzLoad(s, 0).problems.isEmpty());
        QCOMPARE(index(s), index(fresh));
        QCOMPARE(index(s), (QStringList{u"Алгебра=Ёлкина Анна,Котов Иван,"_s, u"Геом=Ёлкина Анна,"_s}));
        QCOMPARE(assignments(s), assignments(fresh));
        QCOMPARE(headers(s), headers(fresh));
        QCOMPARE(s.pedvis, fresh.pedvis);
        QCOMPARE(s.klassvis, fresh.klassvis);
        QCOMPARE(readBytes(rasp::load::NagruzPath()), expected);
    }

    void reloadKeepsClassesAndTeachersAndReportsExtras()
    {
        QTemporaryDir dir;
        QDir::setCurrent(dir.path());
        writeBytes(rasp::load::NagruzPath(), "5A|\r\nA|S;|\r\n~end~\r\n");
        rasp::State s = freshState();
        QVERIFY(rasp::load::NagruzLoad(s, 1).problems.isEmpty());
        s.Klass[1] = u"9Z"_s; // edited on the load page, not saved: the header keeps the file's name
        writeBytes(rasp::load::NagruzPath(), "5B|6B|\r\nA|T;|U;|\r\nB|S;|\r\n~end~\r\n");
        const rasp::load::NagruzReport report = rasp::load::NagruzLoad(s, 0);
        QCOMPARE(s.klassvis, 1);
        QCOMPARE(s.pedvis, 1);
        QCOMPARE(s.grid.cell(0, 1).subject, u"5B"_s);
        QCOMPARE(assignments(s), QStringList{u"1/1=T"_s});
        QCOMPARE(index(s), QStringList{u"T=A,"_s});
        QCOMPARE(report.problems.size(), 3); // a class name, a class field and a teacher line too many
    }

    void masClearEmptiesOnlyForTheIndexName()
    {
        QTemporaryDir dir;
        QDir::setCurrent(dir.path());
        writeBytes(rasp::load::NagruzPath(), "5A|\r\nA|S;|\r\n~end~\r\n");
        rasp::State s = freshState();
        rasp::load::NagruzLoad(s, 1);
        rasp::load::masClear(s, u"Other");
        QCOMPARE(s.RaspUrPredm.Count, 1);
        rasp::load::masClear(s, u"RaspUrPredm");
        QCOMPARE(s.RaspUrPredm.Count, 0);
        QVERIFY(s.RaspUrPredm.predmet.isEmpty() && s.RaspUrPredm.uchitel.isEmpty());
        QVERIFY(s.Predmet[1][1].isEmpty());
        QCOMPARE(s.PedFio[1].name, u"A"_s);
    }

    void subjectListOrder()
    {
        rasp::load::TUchPredm index;
        index.predmet = QStringList{u"физика"_s, u"ИЗО"_s, u"info"_s, u"Алгебра"_s, u"INFO"_s, u"_x"_s,
                                    u"Info2"_s, u"Zoo"_s, u"алгебра"_s, u"Ёж"_s, u"Алг"_s};
        index.Count = int(index.predmet.size());
        // ASCII letters fold to capitals ("_" sorts after them), Cyrillic by code: Ё, А..я.
        QCOMPARE(rasp::load::SortedSubjects(index),
                 (QStringList{u"info"_s, u"INFO"_s, u"Info2"_s, u"Zoo"_s, u"_x"_s, u"Ёж"_s, u"Алг"_s,
                              u"Алгебра"_s, u"ИЗО"_s, u"алгебра"_s, u"физика"_s}));
    }
};

QTEST_GUILESS_MAIN(TstLoadFile)
#include "tst_loadfile.moc"
