// The files around the programs: the demo work folder, the desktop entry with its icon and the
// layout that cmake --install gives.
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>

#include <map>

using namespace Qt::Literals::StringLiterals;

class TstScripts : public QObject
{
    Q_OBJECT

    struct Run {
        int code;
        QString out;
        QString err;
    };
    static Run run(const QString &program, const QStringList &args)
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"RASPISANIE_CLI"_s, QStringLiteral(RASP_CLI_BIN));
        env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s); // the screenshot tool's window
        p.setProcessEnvironment(env);
        p.start(program, args);
        if (!p.waitForFinished(60000))
            qWarning("%s did not finish", qPrintable(program));
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
    }
    static QJsonArray cells(const QStringList &args)
    {
        const Run r = run(QStringLiteral(RASP_CLI_BIN), args);
        if (r.code != 0)
            qWarning("%s", qPrintable(r.err));
        return QJsonDocument::fromJson(r.out.toUtf8()).object().value(u"cells"_s).toArray();
    }
    static bool anySubject(const QJsonArray &cells)
    {
        for (const QJsonValue &c : cells)
            if (!c[u"subject"_s].toString().isEmpty())
                return true;
        return false;
    }
    static QByteArray bytes(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static QString source(const QString &relative) { return QStringLiteral(RASP_SOURCE_DIR) + u'/' + relative; }

private slots:
    void demoOpensOnTodayWithTheSampleDayAndItsClashes()
    {
        // The sample's saved day is its latest dated file.
        const QDir sampleDays(source(u"samples/school/r_data"_s));
        const QStringList sampleNames = sampleDays.entryList({u"*.ini"_s}, QDir::Files);
        QVERIFY(!sampleNames.isEmpty());
        QString sampleDay;
        for (const QString &name : sampleNames) {
            const QDate date = QDate::fromString(name.chopped(4), u"dd.MM.yyyy"_s);
            if (sampleDay.isEmpty() || date > QDate::fromString(sampleDay.chopped(4), u"dd.MM.yyyy"_s))
                sampleDay = name;
        }

        QTemporaryDir dir;
        const QString work = dir.filePath(u"demo"_s);
        const Run made = run(u"bash"_s, {source(u"scripts/demo"_s), work});
        QCOMPARE(made.code, 0);
        QVERIFY2(made.err.isEmpty(), qPrintable(made.err));
        const auto dayFile = [&work](QDate d) { return work + u"/r_data/"_s + d.toString(u"dd.MM.yyyy"_s) + u".ini"_s; };
        const QDate today = QDate::currentDate();
        // Today gets the sample day of its weekday (else the latest) with its absences and covers.
        QString todaySample = sampleDay;
        for (const QString &name : sampleNames)
            if (QDate::fromString(name.chopped(4), u"dd.MM.yyyy"_s).dayOfWeek() == today.dayOfWeek())
                todaySample = name;
        QCOMPARE(bytes(dayFile(today)), bytes(sampleDays.filePath(todaySample)));
        const QString zam = todaySample.chopped(4) + u".zam"_s;
        if (QFile::exists(sampleDays.filePath(zam)))
            QCOMPARE(bytes(dayFile(today).chopped(4) + u".zam"_s), bytes(sampleDays.filePath(zam)));

        // The next four school days (weekdays whose template has lessons) get the day too.
        std::map<int, bool> lessons;
        for (int k = 1; k <= 7; ++k)
            lessons[k] = anySubject(cells({u"-C"_s, work, u"template"_s, QString::number(k)}));
        int schoolDays = 0;
        for (QDate d = today.addDays(1); d <= today.addDays(14); d = d.addDays(1)) {
            const bool expected = schoolDays < 4 && lessons[d.dayOfWeek()];
            schoolDays += expected ? 1 : 0;
            if (!sampleNames.contains(QFileInfo(dayFile(d)).fileName()))
                QVERIFY2(QFile::exists(dayFile(d)) == expected, qPrintable(d.toString()));
        }
        QCOMPARE(schoolDays, 4);

        // Today's day opens full, with clashes coloured for the newcomer to repair.
        const QJsonArray day = cells({u"-C"_s, work, u"day"_s, today.toString(u"dd.MM.yyyy"_s)});
        QVERIFY(anySubject(day));
        int clashes = 0;
        for (const QJsonValue &c : day)
            clashes += c[u"background"_s].toString() != u"FFFFFFFF"_s ? 1 : 0;
        QVERIFY(clashes > 0);

        // Made again over the same folder, a day the user changed is kept.
        QFile edited(dayFile(today));
        QVERIFY(edited.open(QIODevice::WriteOnly));
        edited.write("~end~\r\n");
        edited.close();
        QCOMPARE(run(u"bash"_s, {source(u"scripts/demo"_s), work}).code, 0);
        QCOMPARE(bytes(dayFile(today)), QByteArray("~end~\r\n"));
    }

    // The README's picture: the screenshot tool draws the demo day offscreen; a window that
    // starts with a notice (here an unreadable settings file) or a question fails it at once
    // with the reason, instead of a picture of the overlay or a wait for an answer.
    void screenshotToolDrawsTheDemoDayAndFailsFast()
    {
        QTemporaryDir dir;
        const QString work = dir.filePath(u"demo"_s);
        QCOMPARE(run(u"bash"_s, {source(u"scripts/demo"_s), work}).code, 0);
        const QString picture = dir.filePath(u"shot.png"_s);
        QElapsedTimer clock;
        clock.start();
        Run r = run(QStringLiteral(RASP_SCREENSHOT_BIN), {work, picture});
        QVERIFY2(r.code == 0, qPrintable(r.err));
        QVERIFY(clock.elapsed() < 20000);
        QImageReader png(picture);
        QCOMPARE(png.format(), QByteArray("png"));
        QVERIFY2(png.size().width() >= 1350 && png.size().height() > 600, qPrintable(QString::number(png.size().width())));
        QVERIFY(QFileInfo(picture).size() < 300 * 1024);

        QVERIFY(QFile::remove(picture));
        QVERIFY(QFile::remove(work + u"/setting.ini"_s));
        QVERIFY(QDir(work).mkdir(u"setting.ini"_s));
        clock.restart();
        r = run(QStringLiteral(RASP_SCREENSHOT_BIN), {work, picture});
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains(u"при запуске на экране сообщение «Не удалось прочитать файл"_s), qPrintable(r.err));
        QVERIFY(clock.elapsed() < 20000);
        QVERIFY(!QFile::exists(picture));
    }

    void desktopEntryValidatesAndNamesTheProgramAndIcon()
    {
        const QString entry = source(u"packaging/raspisanie.desktop"_s);
        QMap<QString, QString> keys;
        for (const QByteArray &line : bytes(entry).split('\n'))
            if (line.contains('='))
                keys.insert(QString::fromUtf8(line.left(line.indexOf('='))), QString::fromUtf8(line.mid(line.indexOf('=') + 1)));
        QCOMPARE(keys.value(u"Name"_s), u"Редактор расписания"_s);
        QCOMPARE(keys.value(u"Exec"_s), u"raspisanie %f"_s);
        QCOMPARE(keys.value(u"Categories"_s), u"Office;Education;"_s);
        QCOMPARE(keys.value(u"Icon"_s), u"raspisanie"_s);
        QSvgRenderer icon(source(u"packaging/raspisanie.svg"_s));
        QVERIFY(icon.isValid());

        const QString validator = QStandardPaths::findExecutable(u"desktop-file-validate"_s);
        if (validator.isEmpty())
            QSKIP("desktop-file-validate is not installed (scripts/setup installs it)");
        const Run r = run(validator, {entry});
        QCOMPARE(r.code, 0);
        const QString report = r.out + r.err;
        QVERIFY2(!report.contains(u"error:"_s) && !report.contains(u"warning:"_s), qPrintable(report));
    }

    void installPutsProgramsEntryAndIconInTheStandardPlaces()
    {
        QTemporaryDir prefix;
        const Run r = run(QStringLiteral(RASP_CMAKE), {u"--install"_s, QStringLiteral(RASP_BINARY_DIR), u"--prefix"_s, prefix.path()});
        QCOMPARE(r.code, 0);
        const QDir root(prefix.path());
        for (const QString &file : {u"share/applications/raspisanie.desktop"_s,
                                    u"share/icons/hicolor/scalable/apps/raspisanie.svg"_s})
            QVERIFY2(QFile::exists(root.filePath(file)), qPrintable(file));
        QVERIFY(QFileInfo(root.filePath(u"bin/raspisanie"_s)).isExecutable());
        const Run version = run(root.filePath(u"bin/raspisanie-cli"_s), {u"--version"_s});
        QCOMPARE(version.out, u"raspisanie-cli 1.0.5.5\n"_s);
    }
};

QTEST_GUILESS_MAIN(TstScripts)
#include "tst_scripts.moc"
