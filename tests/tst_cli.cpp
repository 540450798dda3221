// The command-line companion: usage, work folder and exit codes.
#include "text/textfile.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TstCli : public QObject
{
    Q_OBJECT

    struct Run {
        int code;
        QString out;
        QString err;
    };
    static Run cli(const QStringList &args)
    {
        QProcess p;
        p.start(QStringLiteral(RASP_CLI_BIN), args);
        p.waitForFinished();
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
    }

    // A school of two classes: Иванова teaches algebra in both, English in 5Б is split in two.
    static void writeSchool(const QString &dir)
    {
        QVERIFY(rasp::text::writeLines(dir + u"/nagruz.ini"_s,
                                       {u"5А|5Б|"_s, u"Иванова|Алгебра;|Алгебра;|"_s, u"Петров||Англ;|"_s,
                                        u"Сидорова||Англ;Физика;|"_s, u"~end~"_s}));
        // Lesson 1: algebra in both classes; lesson 2: English in 5Б; rooms; a note.
        QVERIFY(rasp::text::writeLines(dir + u"/day.ini"_s,
                                       {u"|Алгебра|Алгебра|"_s, u"||Англ|"_s, u"|||"_s, u"|||"_s, u"|||"_s, u"|||"_s,
                                        u"12|14|"_s, u"|21|"_s, u"||"_s, u"||"_s, u"||"_s, u"||"_s, u"~end~"_s}));
    }
    static QJsonObject json(const Run &r)
    {
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(r.out.toUtf8(), &error);
        if (error.error != QJsonParseError::NoError)
            qWarning("%s", qPrintable(error.errorString()));
        return doc.object();
    }

private slots:
    void loadPrintsClassesTeachersAndIndexInOrder()
    {
        QTemporaryDir dir;
        writeSchool(dir.path());
        const Run r = cli({u"-C"_s, dir.path(), u"load"_s});
        QCOMPARE(r.code, 0);
        const QJsonObject o = json(r);
        QCOMPARE(o.value(u"classes"_s).toArray().toVariantList(), (QVariantList{u"5А"_s, u"5Б"_s}));
        const QJsonArray teachers = o.value(u"teachers"_s).toArray();
        QCOMPARE(teachers.size(), 3);
        const QJsonObject sidorova = teachers.at(2).toObject();
        QCOMPARE(sidorova.value(u"name"_s).toString(), u"Сидорова"_s);
        QCOMPARE(sidorova.value(u"colour"_s).toInt(), 4);
        QCOMPARE(sidorova.value(u"subjects"_s).toArray().at(1).toArray().toVariantList(),
                 (QVariantList{u"Англ"_s, u"Физика"_s}));
        QStringList index;
        for (const QJsonValue &entry : o.value(u"index"_s).toArray())
            index << entry[u"subject"_s].toString() + u'=' + entry[u"teachers"_s].toString();
        QCOMPARE(index, (QStringList{u"Алгебра=Иванова,"_s, u"Англ=Петров,Сидорова,"_s, u"Физика=Сидорова,"_s}));
        QVERIFY(o.value(u"problems"_s).toArray().isEmpty());
    }

    void loadListsWhatAMalformedFilePassedOver()
    {
        QTemporaryDir dir;
        QVERIFY(rasp::text::writeLines(dir.filePath(u"nagruz.ini"_s), {u"5А|"_s, u"Иванова|Алгебра;|Химия;|"_s}));
        const Run r = cli({u"-C"_s, dir.path(), u"load"_s});
        QCOMPARE(r.code, 0);
        const QJsonArray problems = json(r).value(u"problems"_s).toArray();
        QCOMPARE(problems.size(), 2);
        QVERIFY(problems.at(1).toString().contains(u"Химия"_s));
    }

    void resolvePrintsEveryCellInRowOrder_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QStringList>("expected"); // "teachers background" for the first four cells
        QTest::newRow("coincidences by default")
            << QStringList{} << QStringList{u"Иванова FF8E4A4D"_s, u"Иванова FF8E4A4D"_s, u" FFFFFFFF"_s, u"Петров, Сидорова FFFFFFFF"_s};
        QTest::newRow("each teacher")
            << QStringList{u"--mode"_s, u"each"_s}
            << QStringList{u"Иванова FF8E4A4D"_s, u"Иванова FF8E4A4D"_s, u" FFFFFFFF"_s, u"Петров, Сидорова FF833C0B"_s};
        QTest::newRow("selected teacher")
            << QStringList{u"--mode"_s, u"selected"_s, u"--selection"_s, u"Петров"_s}
            << QStringList{u"Иванова FFFFFFFF"_s, u"Иванова FFFFFFFF"_s, u" FFFFFFFF"_s, u"Петров, Сидорова FF833C0B"_s};
        QTest::newRow("no colours")
            << QStringList{u"--mode"_s, u"none"_s}
            << QStringList{u"Иванова FFFFFFFF"_s, u"Иванова FFFFFFFF"_s, u" FFFFFFFF"_s, u"Петров, Сидорова FFFFFFFF"_s};
    }
    void resolvePrintsEveryCellInRowOrder()
    {
        QFETCH(QStringList, options);
        QFETCH(QStringList, expected);
        QTemporaryDir dir;
        writeSchool(dir.path());
        const Run r = cli(QStringList{u"-C"_s, dir.path(), u"resolve"_s, u"day.ini"_s} + options);
        QCOMPARE(r.code, 0);
        const QJsonArray cells = json(r).value(u"cells"_s).toArray();
        QCOMPARE(cells.size(), 12); // six lessons of two classes
        QStringList got;
        for (int n = 0; n < 4; ++n)
            got << cells.at(n)[u"teachers"_s].toString() + u' ' + cells.at(n)[u"background"_s].toString();
        QCOMPARE(got, expected);
        const QJsonObject second = cells.at(3).toObject();
        QCOMPARE(second.value(u"row"_s).toInt(), 2);
        QCOMPARE(second.value(u"class"_s).toInt(), 2);
        QCOMPARE(second.value(u"subject"_s).toString(), u"Англ"_s);
        QCOMPARE(second.value(u"room"_s).toString(), u"21"_s);
        QCOMPARE(cells.at(0)[u"text"_s].toString(), expected.at(0).endsWith(u"FFFFFFFF"_s) ? u"FF000000"_s : u"FFFFFFFF"_s);
    }

    void commandErrors_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<bool>("withSchool");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        QTest::newRow("load without a load file") << QStringList{u"load"_s} << false << 1 << u"Файл нагрузки не найден"_s;
        QTest::newRow("load with an argument") << QStringList{u"load"_s, u"x"_s} << true << 2 << u"не принимает"_s;
        QTest::newRow("resolve without a file name") << QStringList{u"resolve"_s} << true << 2 << u"Укажите файл"_s;
        QTest::newRow("resolve of a missing day file") << QStringList{u"resolve"_s, u"none.ini"_s} << true << 1
                                                       << u"Файл расписания не найден"_s;
        QTest::newRow("resolve with an unknown mode") << QStringList{u"resolve"_s, u"day.ini"_s, u"--mode"_s, u"all"_s}
                                                      << true << 2 << u"Неизвестный режим: all"_s;
        QTest::newRow("resolve with an unknown option") << QStringList{u"resolve"_s, u"day.ini"_s, u"--fast"_s} << true
                                                        << 2 << u"Неверный параметр"_s;
    }
    void commandErrors()
    {
        QFETCH(QStringList, args);
        QFETCH(bool, withSchool);
        QFETCH(int, code);
        QFETCH(QString, message);
        QTemporaryDir dir;
        if (withSchool)
            writeSchool(dir.path());
        const Run r = cli(QStringList{u"-C"_s, dir.path()} + args);
        QCOMPARE(r.code, code);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QVERIFY(r.out.isEmpty());
    }

    void usageErrors_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        QTest::newRow("no command") << QStringList{} << 2 << u"Использование"_s;
        QTest::newRow("unknown command") << QStringList{u"frobnicate"_s} << 2 << u"Неизвестная команда: frobnicate"_s;
        QTest::newRow("missing folder") << QStringList{u"-C"_s, u"/no/such/folder"_s, u"help"_s} << 1
                                        << u"Рабочая папка не найдена"_s;
    }
    void usageErrors()
    {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QString, message);
        const Run r = cli(args);
        QCOMPARE(r.code, code);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
    }

    void helpGoesToStdoutWithExitZero()
    {
        QTemporaryDir dir;
        const Run r = cli({u"-C"_s, dir.path(), u"--help"_s});
        QCOMPARE(r.code, 0);
        QVERIFY(r.out.contains(u"-C ПАПКА"_s));
    }
};

QTEST_GUILESS_MAIN(TstCli)
#include "tst_cli.moc"
