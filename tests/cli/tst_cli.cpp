// The command-line companion: usage, work folder and exit codes.
#include "clischool.h"
#include "text/textfile.h"

#include <QDir>
#include <QFile>
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

    using Run = clischool::Run;
    // raspisanie-cli with these arguments; its commands here answer within 30 s.
    static Run cli(const QStringList &args) { return clischool::cli(args, 30000); }

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
        QTest::newRow("day without a date") << QStringList{u"day"_s} << true << 2 << u"Укажите дату"_s;
        QTest::newRow("day with a date of another form") << QStringList{u"day"_s, u"2026-12-09"_s} << true << 2
                                                         << u"ДД.ММ.ГГГГ: 2026-12-09"_s;
        QTest::newRow("day of a date never saved") << QStringList{u"day"_s, u"10.12.2026"_s} << true << 1
                                                   << u"Расписания на 10.12.2026 нет"_s;
        QTest::newRow("day without a load file") << QStringList{u"day"_s, u"10.12.2026"_s} << false << 1
                                                 << u"Файл нагрузки не найден"_s;
        QTest::newRow("settings with an argument") << QStringList{u"settings"_s, u"x"_s} << true << 2
                                                   << u"не принимает"_s;
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
        if (code == 2) // bad usage ends with the hint to the command's help
            QVERIFY2(r.err.endsWith(u"Подробнее: raspisanie-cli %1 --help\n"_s.arg(args.first())), qPrintable(r.err));
    }

    void settingsPrintsTheFileAsTheEditorReadsIt()
    {
        QTemporaryDir dir;
        QVERIFY(rasp::text::writeLines(dir.filePath(u"setting.ini"_s),
                                       {u"12"_s, u"1а"_s, u"~end~"_s, u"Физ-ра"_s, u"~end~"_s, u"10.0.0.7"_s, u"7100"_s,
                                        u"завуч"_s, u"тайна"_s, u"1"_s, u"0"_s, u""_s, u"0"_s, u"1"_s, u"10"_s, u"5"_s,
                                        u"3"_s, u"1"_s, u"0"_s, u"1"_s}));
        const Run r = cli({u"-C"_s, dir.path(), u"settings"_s});
        QCOMPARE(r.code, 0);
        QVERIFY(!r.out.contains(u"тайна"_s)); // the password never leaves the file
        const QJsonObject o = json(r);
        QCOMPARE(o.value(u"rooms"_s).toArray().toVariantList(), (QVariantList{u"12"_s, u"1а"_s}));
        QCOMPARE(o.value(u"blocked"_s).toArray().toVariantList(), QVariantList{u"Физ-ра"_s});
        QCOMPARE(o.value(u"serverPort"_s).toInt(), 7100);
        QCOMPARE(o.value(u"login"_s).toString(), u"завуч"_s);
        QVERIFY(o.value(u"passwordSet"_s).toBool());
        QVERIFY(o.value(u"useServer"_s).toBool());
        QCOMPARE(o.value(u"wordOrientation"_s).toString(), u"landscape"_s);
        QCOMPARE(o.value(u"classNames"_s).toString(), u"row"_s);
        QVERIFY(o.value(u"animateMoves"_s).toBool());
        QCOMPARE(o.value(u"max_ur"_s).toInt(), 10);
        QCOMPARE(o.value(u"vt_sm_y"_s).toInt(), 5);
        QCOMPARE(o.value(u"vt_sm_x"_s).toInt(), 3);
        QCOMPARE(o.value(u"secondShiftTables"_s).toString(), u"two"_s);
        QVERIFY(o.value(u"problems"_s).toArray().isEmpty());

        QTemporaryDir empty;
        const QJsonObject defaults = json(cli({u"-C"_s, empty.path(), u"settings"_s}));
        QVERIFY(!defaults.value(u"file"_s).toBool());
        QCOMPARE(defaults.value(u"max_ur"_s).toInt(), 6);
        QCOMPARE(defaults.value(u"wordOrientation"_s).toString(), u"portrait"_s);
        QVERIFY(!defaults.value(u"useServer"_s).toBool());
    }

    void settingsOfADamagedFileWarnAndFallBack()
    {
        QTemporaryDir dir;
        QVERIFY(rasp::text::writeLines(dir.filePath(u"setting.ini"_s), {u"12"_s, u"~end~"_s, u"10.0.0.7"_s}));
        const Run r = cli({u"-C"_s, dir.path(), u"settings"_s});
        QCOMPARE(r.code, 0);
        QVERIFY2(r.err.contains(u"~end~"_s), qPrintable(r.err));
        const QJsonObject o = json(r);
        QCOMPARE(o.value(u"rooms"_s).toArray().toVariantList(), QVariantList{u"12"_s});
        QVERIFY(o.value(u"ip"_s).toString().isEmpty());
        QCOMPARE(o.value(u"problems"_s).toArray().size(), 1);
    }

    void dayReadsTheSavedDateWithTheRowsOfTheSettings()
    {
        QTemporaryDir dir;
        writeSchool(dir.path());
        QVERIFY(rasp::text::writeLines(dir.filePath(u"setting.ini"_s),
                                       {u"~end~"_s, u"~end~"_s, u""_s, u""_s, u""_s, u""_s, u"0"_s, u"1"_s, u"1"_s,
                                        u"0"_s, u"0"_s, u"8"_s}));
        QVERIFY(QDir(dir.path()).mkdir(u"r_data"_s));
        QStringList lines = {u"|Алгебра|Алгебра|"_s};
        for (int i = 2; i <= 7; ++i)
            lines << u"|||"_s;
        lines << u"||Англ|"_s << u"12|14|"_s;
        for (int i = 2; i <= 8; ++i)
            lines << u"||"_s;
        lines << u"Замена"_s << u"в 5Б"_s << u"~end~"_s;
        QVERIFY(rasp::text::writeLines(dir.filePath(u"r_data/09.12.2026.ini"_s), lines));

        const Run r = cli({u"-C"_s, dir.path(), u"day"_s, u"09.12.2026"_s});
        QCOMPARE(r.code, 0);
        const QJsonObject o = json(r);
        const QJsonArray cells = o.value(u"cells"_s).toArray();
        QCOMPARE(cells.size(), 16); // eight lessons of two classes
        QCOMPARE(cells.at(0)[u"teachers"_s].toString(), u"Иванова"_s);
        QCOMPARE(cells.at(0)[u"background"_s].toString(), u"FF8E4A4D"_s); // the clash shows
        QCOMPARE(cells.at(0)[u"room"_s].toString(), u"12"_s);
        QCOMPARE(cells.at(15)[u"subject"_s].toString(), u"Англ"_s);
        QCOMPARE(cells.at(15)[u"teachers"_s].toString(), u"Петров, Сидорова"_s);
        QCOMPARE(o.value(u"note"_s).toString(), u"Замена\nв 5Б"_s);
    }

    void dayShowsRoomClashesPinsMissingTeachersAndHours()
    {
        QTemporaryDir dir;
        writeSchool(dir.path());
        // No rooms, "Англ" pinned by default.
        QVERIFY(rasp::text::writeLines(dir.filePath(u"setting.ini"_s), {u"~end~"_s, u"Англ"_s, u"~end~"_s}));
        QVERIFY(QDir(dir.path()).mkdir(u"r_data"_s));
        QVERIFY(rasp::text::writeLines(dir.filePath(u"r_data/09.12.2026.ini"_s),
                                       {u"|Алгебра|Алгебра|"_s, u"||Англ|"_s, u"|Хор||"_s, u"|||"_s, u"|||"_s, u"|||"_s,
                                        u"12|12|"_s, u"|21|"_s, u"||"_s, u"||"_s, u"||"_s, u"||"_s, u"~end~"_s}));
        const Run r = cli({u"-C"_s, dir.path(), u"day"_s, u"09.12.2026"_s});
        QCOMPARE(r.code, 0);
        const QJsonObject o = json(r);
        const QJsonArray cells = o.value(u"cells"_s).toArray();
        QCOMPARE(cells.at(0)[u"roomColour"_s].toString(), u"FFFF0000"_s);
        QCOMPARE(cells.at(1)[u"roomColour"_s].toString(), u"FFFF0000"_s);
        QCOMPARE(cells.at(3)[u"roomColour"_s].toString(), u"FF000000"_s);
        QCOMPARE(cells.at(3)[u"locked"_s].toBool(), true); // Англ in 5Б
        QCOMPARE(cells.at(0)[u"locked"_s].toBool(), false);
        QCOMPARE(o.value(u"missingTeachers"_s).toString(), u"5А\rХор\r\r\n"_s);
        QStringList hours;
        for (const QJsonValue &row : o.value(u"hours"_s).toArray())
            hours << row[u"teacher"_s].toString() + u'=' + QString::number(row[u"hours"_s].toInt());
        QCOMPARE(hours, (QStringList{u"Иванова=2"_s, u"Петров=1"_s, u"Сидорова=1"_s}));
    }

    void dayExplainsClashesRedRoomsAndClassShapes()
    {
        QTemporaryDir dir;
        QVERIFY(rasp::text::writeLines(dir.filePath(u"nagruz.ini"_s),
                                       {u"5А|5Б|6В|"_s, u"Иванова|Алгебра;|Алгебра;||"_s, u"Петров||Англ;||"_s,
                                        u"Сидорова||Англ;|Физика;|"_s, u"~end~"_s}));
        QVERIFY(QDir(dir.path()).mkdir(u"r_data"_s));
        // Row 1: the second teacher of 5Б's English also teaches 6В; 12/14 against 14. Row 2: Иванова
        // twice. Row 3: 5Б and 6В again. 5А has a gap in row 3, 6В one in row 2.
        QVERIFY(rasp::text::writeLines(dir.filePath(u"r_data/09.12.2026.ini"_s),
                                       {u"|Алгебра|Англ|Физика|"_s, u"|Алгебра|Алгебра||"_s, u"||Англ|Физика|"_s,
                                        u"|Алгебра|||"_s, u"||||"_s, u"||||"_s, u"12/14|14||"_s, u"|||"_s, u"|||"_s,
                                        u"|||"_s, u"|||"_s, u"|||"_s, u"~end~"_s}));
        const Run plain = cli({u"-C"_s, dir.path(), u"day"_s, u"09.12.2026"_s});
        QCOMPARE(plain.code, 0);
        QVERIFY(!json(plain).contains(u"clashes"_s));
        const Run r = cli({u"-C"_s, dir.path(), u"day"_s, u"09.12.2026"_s, u"--explain"_s});
        QCOMPARE(r.code, 0);
        const QJsonObject o = json(r);
        auto entries = [&](const QString &key, const QString &name) {
            QStringList out;
            for (const QJsonValue &e : o.value(key).toArray()) {
                QStringList classes;
                for (const QJsonValue &c : e[u"classes"_s].toArray())
                    classes << QString::number(c.toInt());
                out << u"%1:%2:%3"_s.arg(e[u"row"_s].toInt()).arg(e[name].toString(), classes.join(u','));
            }
            return out;
        };
        QCOMPARE(entries(u"clashes"_s, u"teacher"_s), (QStringList{u"1:Сидорова:2,3"_s, u"2:Иванова:1,2"_s, u"3:Сидорова:2,3"_s}));
        QCOMPARE(entries(u"rooms"_s, u"room"_s), QStringList{u"1:14:1,2"_s});
        QStringList shape;
        for (const QJsonValue &e : o.value(u"shape"_s).toArray())
            shape << QString::number(e[u"class"_s].toInt()) + u' ' + e[u"problem"_s].toString();
        QCOMPARE(shape, (QStringList{u"1 Окно на 3-м уроке"_s, u"3 Окно на 2-м уроке"_s}));
        QVERIFY(cli({u"day"_s, u"--help"_s}).out.contains(u"--explain"_s));
    }

    void templatePrintsAWeekdayAsTheTemplatePageShowsIt()
    {
        QTemporaryDir dir;
        writeSchool(dir.path());
        QVERIFY(QDir(dir.path()).mkpath(u"setka/Вторник.ini"_s)); // unreadable: a folder
        QStringList lines = {u"Ш|Алгебра|Алгебра|"_s, u"||Англ|"_s};
        for (int i = 3; i <= 6; ++i)
            lines << u"|||"_s;
        lines << u"12|12|"_s;
        for (int i = 2; i <= 6; ++i)
            lines << u"||"_s;
        lines << QString() << u"~end~"_s;
        QVERIFY(rasp::text::writeLines(dir.filePath(u"setka/Среда.ini"_s), lines));

        const Run r = cli({u"-C"_s, dir.path(), u"template"_s, u"среда"_s});
        QCOMPARE(r.code, 0);
        QVERIFY2(r.err.contains(u"Вторник.ini"_s), qPrintable(r.err)); // another weekday's problem is a warning
        const QJsonObject o = json(r);
        QCOMPARE(o.value(u"weekday"_s).toString(), u"Среда"_s);
        QCOMPARE(o.value(u"saved"_s).toBool(), true);
        const QJsonArray cells = o.value(u"cells"_s).toArray();
        QCOMPARE(cells.size(), 12);
        QCOMPARE(cells.at(0)[u"subject"_s].toString(), u"Алгебра"_s);
        QCOMPARE(cells.at(0)[u"teachers"_s].toString(), u"Иванова"_s);
        QCOMPARE(cells.at(0)[u"roomColour"_s].toString(), u"FFFF0000"_s); // 12 twice in lesson 1
        QCOMPARE(cells.at(3)[u"teachers"_s].toString(), u"Петров, Сидорова"_s);
        QCOMPARE(cli({u"-C"_s, dir.path(), u"template"_s, u"3"_s}).out, r.out);

        const Run never = cli({u"-C"_s, dir.path(), u"template"_s, u"7"_s});
        QCOMPARE(never.code, 0);
        QCOMPARE(json(never).value(u"saved"_s).toBool(), false);
        QCOMPARE(json(never).value(u"cells"_s).toArray().at(0)[u"subject"_s].toString(), QString());

        const Run unreadable = cli({u"-C"_s, dir.path(), u"template"_s, u"Вторник"_s});
        QCOMPARE(unreadable.code, 1);
        QVERIFY2(unreadable.err.contains(u"Не удалось прочитать файл"_s), qPrintable(unreadable.err));
    }

    void hoursCountsTheSavedDaysOfAPeriodAndTheTemplateWeek()
    {
        QTemporaryDir dir;
        writeSchool(dir.path());
        QVERIFY(QDir(dir.path()).mkpath(u"r_data"_s));
        for (const QString &d : {u"01.12.2026"_s, u"03.12.2026"_s, u"05.12.2026"_s})
            QVERIFY(QFile::copy(dir.filePath(u"day.ini"_s), dir.filePath(u"r_data/"_s + d + u".ini"_s)));
        QVERIFY(QDir(dir.path()).mkpath(u"r_data/02.12.2026.ini"_s)); // unreadable: a folder

        const auto subjects = [](const QJsonObject &o) {
            QStringList out;
            for (const QJsonValue &c : o.value(u"classes"_s).toArray()) {
                QStringList cells;
                for (const QJsonValue &s : c[u"subjects"_s].toArray())
                    cells << s[u"cell"_s].toString();
                out << c[u"class"_s].toString() + u": "_s + cells.join(u", "_s);
            }
            return out;
        };
        const Run r = cli({u"-C"_s, dir.path(), u"hours"_s, u"03.12.2026"_s, u"05.12.2026"_s});
        QCOMPARE(r.code, 0);
        QJsonObject o = json(r);
        QCOMPARE(o.value(u"files"_s).toInt(), 2);
        QCOMPARE(subjects(o), (QStringList{u"5А: Алгебра - 2"_s, u"5Б: Алгебра - 2, Англ - 2"_s}));

        const Run bad = cli({u"-C"_s, dir.path(), u"hours"_s, u"01.12.2026"_s, u"03.12.2026"_s});
        QCOMPARE(bad.code, 1); // counted, but one day could not be read
        QVERIFY2(bad.err.contains(u"02.12.2026.ini"_s), qPrintable(bad.err));
        QCOMPARE(json(bad).value(u"unreadable"_s).toArray().size(), 1);
        QCOMPARE(subjects(json(bad)), (QStringList{u"5А: Алгебра - 2"_s, u"5Б: Алгебра - 2, Англ - 2"_s}));

        // A day saved when the load had 5Б, 5Г: its columns go by those names, each change named.
        QVERIFY(QFile::copy(dir.filePath(u"day.ini"_s), dir.filePath(u"r_data/04.12.2026.ini"_s)));
        QVERIFY(rasp::text::writeLines(dir.filePath(u"r_data/04.12.2026.zam"_s), {u"[Классы]"_s, u"5Б"_s, u"5Г"_s}));
        const Run named = cli({u"-C"_s, dir.path(), u"hours"_s, u"04.12.2026"_s, u"04.12.2026"_s});
        QCOMPARE(named.code, 0);
        QCOMPARE(subjects(json(named)), (QStringList{u"5А: "_s, u"5Б: Алгебра - 1"_s}));
        QCOMPARE(json(named).value(u"notices"_s).toArray(),
                 QJsonArray({u"Класс 5Г удалён из нагрузки: его уроки в расписании на 04.12.2026 не учтены"_s,
                             u"Класс 5А: нет в расписании на 04.12.2026"_s}));

        QVERIFY(QDir(dir.path()).mkpath(u"setka"_s));
        QVERIFY(QFile::copy(dir.filePath(u"day.ini"_s), dir.filePath(u"setka/Пятница.ini"_s)));
        const Run week = cli({u"-C"_s, dir.path(), u"hours"_s, u"--week"_s});
        QCOMPARE(week.code, 0);
        QCOMPARE(json(week).value(u"files"_s).toInt(), 1);
        QCOMPARE(subjects(json(week)), (QStringList{u"5А: Алгебра - 1"_s, u"5Б: Алгебра - 1, Англ - 1"_s}));
    }

    void dayLocksTheCellsOutsideEachClasssShift()
    {
        QTemporaryDir dir;
        writeSchool(dir.path());
        // Lessons 1..2 are the first shift, 5А the only first-shift class.
        QVERIFY(rasp::text::writeLines(dir.filePath(u"setting.ini"_s),
                                       {u"~end~"_s, u"~end~"_s, u""_s, u""_s, u""_s, u""_s, u"0"_s, u"1"_s, u"1"_s,
                                        u"0"_s, u"0"_s, u"6"_s, u"2"_s, u"1"_s}));
        QVERIFY(QDir(dir.path()).mkdir(u"r_data"_s));
        QVERIFY(QFile::copy(dir.filePath(u"day.ini"_s), dir.filePath(u"r_data/09.12.2026.ini"_s)));
        const Run r = cli({u"-C"_s, dir.path(), u"day"_s, u"09.12.2026"_s});
        QCOMPARE(r.code, 0);
        QString locks;
        for (const QJsonValue &c : json(r).value(u"cells"_s).toArray())
            locks += c[u"locked"_s].toBool() ? u'L' : u'-';
        // Row-major: 5А's empty lessons 3..6 are locked; 5Б's first-shift rows hold lessons.
        QCOMPARE(locks, u"--"
                        u"--"
                        u"L-"
                        u"L-"
                        u"L-"
                        u"L-"_s);
    }

    void usageErrors_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        QTest::newRow("no command") << QStringList{} << 2 << u"Использование"_s;
        QTest::newRow("unknown command") << QStringList{u"frobnicate"_s} << 2 << u"Неизвестная команда: frobnicate"_s;
        QTest::newRow("template without a weekday") << QStringList{u"template"_s} << 2 << u"Укажите день недели"_s;
        QTest::newRow("template of day 8") << QStringList{u"template"_s, u"8"_s} << 2 << u"Укажите день недели"_s;
        QTest::newRow("hours without a period") << QStringList{u"hours"_s} << 2 << u"Укажите период"_s;
        QTest::newRow("hours with a bad date") << QStringList{u"hours"_s, u"1.12.2026"_s, u"03.12.2026"_s} << 2
                                               << u"Дата должна быть в виде ДД.ММ.ГГГГ: 1.12.2026"_s;
        QTest::newRow("hours ending before it starts") << QStringList{u"hours"_s, u"03.12.2026"_s, u"01.12.2026"_s} << 2
                                                       << u"Конец периода раньше его начала"_s;
        QTest::newRow("hours from a day that does not exist") << QStringList{u"hours"_s, u"31.04.2026"_s, u"03.05.2026"_s}
                                                              << 2 << u"Такой даты нет: 31.04.2026 (в этом месяце 30 дней)"_s;
        QTest::newRow("hours over thousands of years") << QStringList{u"hours"_s, u"01.01.0001"_s, u"31.12.9999"_s} << 2
                                                       << u"Период длиннее 10 лет"_s;
        QTest::newRow("hours over ten years and a day") << QStringList{u"hours"_s, u"01.09.2016"_s, u"02.09.2026"_s} << 2
                                                        << u"Период длиннее 10 лет"_s;
        QTest::newRow("zameny over eleven years") << QStringList{u"zameny"_s, u"01.09.2015"_s, u"01.09.2026"_s, u"--teachers"_s}
                                                  << 2 << u"Период длиннее 10 лет"_s;
        QTest::newRow("missing folder") << QStringList{u"-C"_s, u"/no/such/folder"_s, u"help"_s} << 1
                                        << u"Рабочая папка не найдена"_s;
        QTest::newRow("-C without a folder") << QStringList{u"-C"_s} << 2 << u"Не указана рабочая папка после -C"_s;
        QTest::newRow("unknown program option") << QStringList{u"--fast"_s, u"load"_s} << 2
                                                << u"Неверный параметр: --fast\nПодробнее: raspisanie-cli --help\n"_s;
        QTest::newRow("help of an unknown command") << QStringList{u"help"_s, u"frobnicate"_s} << 2
                                                    << u"Неизвестная команда: frobnicate"_s;
        QTest::newRow("export without its kind") << QStringList{u"export"_s, u"09.12.2026"_s} << 2
                                                 << u"Укажите дату и вид файла"_s;
        QTest::newRow("export of both kinds") << QStringList{u"export"_s, u"09.12.2026"_s, u"--xlsx"_s, u"--docx"_s}
                                              << 2 << u"Укажите дату и вид файла"_s;
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

    void versionIsTheWindowsVersion_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("alone") << QStringList{u"--version"_s};
        QTest::newRow("with a work folder") << QStringList{u"-C"_s, u"."_s, u"--version"_s};
    }
    void versionIsTheWindowsVersion()
    {
        QFETCH(QStringList, args);
        const Run r = cli(args);
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, u"raspisanie-cli 1.0.5.5\n"_s);
    }

    // Every command of the list answers --help (also as -h and "help COMMAND") with its usage,
    // exit codes and an example, and refuses an unknown option with exit 2 and the hint.
    void everyListedCommandHasHelpAndRefusesUnknownOptions()
    {
        const Run list = cli({u"--help"_s});
        QCOMPARE(list.code, 0);
        QStringList names;
        const QString block = list.out.section(u"Команды:\n"_s, 1).section(u"\n\n"_s, 0, 0);
        for (const QString &line : block.split(u'\n'))
            if (line.startsWith(u"  "_s) && line.at(2) != u' ')
                names << line.trimmed().section(u' ', 0, 0);
        for (const QString &known : {u"load"_s, u"settings"_s, u"day"_s, u"template"_s, u"resolve"_s, u"arrange"_s,
                                     u"hours"_s, u"export"_s})
            QVERIFY2(names.contains(known), qPrintable(known));
        for (const QString &name : std::as_const(names)) {
            for (const QStringList &args : {QStringList{name, u"--help"_s}, QStringList{name, u"-h"_s},
                                            QStringList{u"help"_s, name}}) {
                const Run r = cli(args);
                QCOMPARE(r.code, 0);
                QVERIFY2(r.err.isEmpty(), qPrintable(r.err));
                QVERIFY2(r.out.startsWith(u"Использование: raspisanie-cli [-C ПАПКА] "_s + name), qPrintable(r.out));
                QVERIFY2(r.out.contains(u"\nКоды выхода"_s), qPrintable(name));
                QVERIFY2(r.out.contains(u"\n  1   "_s) && r.out.contains(u"\n  2   неверные параметры"_s), qPrintable(name));
                QVERIFY2(r.out.contains(u"\nПример: raspisanie-cli -C ~/школа "_s + name), qPrintable(name));
            }
            const Run bad = cli({name, u"--no-such-option"_s});
            QCOMPARE(bad.code, 2);
            QVERIFY(bad.out.isEmpty());
            QCOMPARE(bad.err, u"Неверный параметр команды %1: --no-such-option\nПодробнее: raspisanie-cli %1 --help\n"_s.arg(name));
        }
    }
};

QTEST_GUILESS_MAIN(TstCli)
#include "tst_cli.moc"
