// raspisanie-cli arrange: the saved day arranged headless with a fixed seed, printed as the day's
// cells, with no file written; a day that cannot be finished, and the command's errors.
#include "settings/settings.h"
#include "text/textfile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

struct Run {
    int code;
    QString out;
    QString err;
};

Run cli(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral(RASP_CLI_BIN), args);
    p.waitForFinished(120000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

QJsonObject json(const Run &r)
{
    return QJsonDocument::fromJson(r.out.toUtf8()).object();
}

// Every file of a folder with a hash of its bytes.
QStringList folderState(const QString &dir)
{
    QStringList out;
    QDirIterator it(dir, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        if (f.open(QIODevice::ReadOnly))
            out << path + u' ' + QString::fromLatin1(QCryptographicHash::hash(f.readAll(), QCryptographicHash::Md5).toHex());
    }
    out.sort();
    return out;
}

// Four classes; Химия pinned by default. The subjects of rows 1..3, one text per class.
void writeSchool(const QString &dir, const QStringList &rows)
{
    QVERIFY(rasp::text::writeLines(dir + u"/nagruz.ini"_s,
                                   {u"5А|5Б|6А|7А|"_s, u"Иванова|Алгебра;|Алгебра;|||"_s, u"Петров|Физика;|Физика;|Англ;||"_s,
                                    u"Сидорова|||Англ;||"_s, u"Борисова|Химия;||Химия;||"_s, u"~end~"_s}));
    rasp::settings::Settings settings;
    settings.blocked = {u"Химия"_s};
    QVERIFY(rasp::text::writeLines(dir + u"/setting.ini"_s, rasp::settings::SettingsLines(settings, 0, 0)));
    QStringList day;
    for (int i = 0; i < 6; ++i)
        day << u"|"_s + (i < rows.size() ? rows.at(i) : u"||||"_s);
    day << u"12|14|21||"_s;
    for (int i = 1; i < 6; ++i)
        day << u"||||"_s;
    day << u"~end~"_s;
    QVERIFY(QDir(dir).mkpath(u"r_data"_s));
    QVERIFY(rasp::text::writeLines(dir + u"/r_data/09.12.2026.ini"_s, day));
}

// The subjects of rows 1..3 in the printed cells, one text per row.
QStringList rowsOf(const QJsonObject &o)
{
    QStringList rows(3);
    for (const QJsonValue &c : o.value(u"cells"_s).toArray()) {
        const int row = c[u"row"_s].toInt();
        if (row <= 3)
            rows[row - 1] += c[u"subject"_s].toString() + u'|';
    }
    return rows;
}

const QStringList kSolvable = {u"Алгебра|Алгебра|Англ|Лепка|"_s, u"Физика|Лепка|Химия||"_s, u"Химия||||"_s};
const QStringList kArranged = {u"Алгебра|Лепка|Англ|Лепка|"_s, u"Физика|Алгебра|Химия||"_s, u"Химия||||"_s};

} // namespace

class TstCliArrange : public QObject
{
    Q_OBJECT

private slots:
    void theDayIsArrangedAndNothingIsWritten()
    {
        QTemporaryDir dir;
        writeSchool(dir.path(), kSolvable);
        const QStringList before = folderState(dir.path());
        const Run r = cli({u"-C"_s, dir.path(), u"arrange"_s, u"09.12.2026"_s, u"--seed"_s, u"12"_s});
        QCOMPARE(r.code, 0);
        QVERIFY2(r.err.isEmpty(), qPrintable(r.err));
        const QJsonObject o = json(r);
        QCOMPARE(rowsOf(o), kArranged);
        QCOMPARE(o.value(u"finished"_s).toBool(), true);
        QCOMPARE(o.value(u"message"_s).toString(), u"Готово!"_s);
        QCOMPARE(o.value(u"seed"_s).toString(), u"12"_s);
        QCOMPARE(o.value(u"maxLessons"_s).toInt(), 6);
        QCOMPARE(o.value(u"missingFirst"_s).toInt(), 0);
        const QJsonArray cells = o.value(u"cells"_s).toArray();
        QCOMPARE(cells.size(), 24);
        QCOMPARE(cells.at(0)[u"room"_s].toString(), u"12"_s);          // the room went with Алгебра
        QCOMPARE(cells.at(5)[u"teachers"_s].toString(), u"Иванова"_s); // 5Б's Алгебра at lesson 2
        QCOMPARE(cells.at(8)[u"locked"_s].toBool(), true);              // Химия of 5А stays pinned
        for (const QJsonValue &c : cells)
            QCOMPARE(c[u"background"_s].toString(), u"FFFFFFFF"_s);   // no coincidence left
        QCOMPARE(folderState(dir.path()), before);
        // The same seed gives the same run, options given before the date or with "=".
        const Run again = cli({u"-C"_s, dir.path(), u"arrange"_s, u"--seed=12"_s, u"09.12.2026"_s});
        QCOMPARE(again.out, r.out);
    }

    void aDayThatCannotBeFinishedStopsAfterTheGivenCycles()
    {
        QTemporaryDir dir;
        // Борисова's two pinned Химия lessons at lesson 1 can never move.
        writeSchool(dir.path(), {u"Химия|Алгебра|Химия|Лепка|"_s, u"Алгебра|Физика|Англ||"_s, u"Физика||||"_s});
        const Run r = cli({u"-C"_s, dir.path(), u"arrange"_s, u"09.12.2026"_s, u"--seed"_s, u"3"_s, u"--max-cycles"_s, u"40"_s});
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains(u"Сделайте несколько перестановок вручную и повторите автоподбор еще раз"_s), qPrintable(r.err));
        const QJsonObject o = json(r);
        QCOMPARE(o.value(u"finished"_s).toBool(), false);
        QCOMPARE(o.value(u"cycles"_s).toInt(), 40);
        QCOMPARE(rowsOf(o).at(0).section(u'|', 0, 0), u"Химия"_s);
        QCOMPARE(rowsOf(o).at(0).section(u'|', 2, 2), u"Химия"_s);
    }

    void errors_data()
    {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        QTest::newRow("no date") << kSolvable << QStringList{} << 2 << u"Укажите дату"_s;
        QTest::newRow("bad date") << kSolvable << QStringList{u"31.02.2026"_s} << 2 << u"ДД.ММ.ГГГГ"_s;
        QTest::newRow("no saved day") << kSolvable << QStringList{u"10.12.2026"_s} << 1 << u"Расписания на 10.12.2026 нет"_s;
        QTest::newRow("bad seed") << kSolvable << QStringList{u"09.12.2026"_s, u"--seed"_s, u"x"_s} << 2 << u"Зерно"_s;
        QTest::newRow("maximum not offered") << kSolvable << QStringList{u"09.12.2026"_s, u"--max-lessons"_s, u"2"_s} << 2
                                             << u"Максимум уроков: 2 нельзя выбрать, возможны 3, 4, 5, 6"_s;
        QTest::newRow("missing first not offered")
            << kSolvable << QStringList{u"09.12.2026"_s, u"--max-lessons"_s, u"3"_s, u"--missing-first"_s, u"2"_s} << 2
            << u"Отсутствие первых уроков: 2 нельзя выбрать, возможны 0, 1"_s;
        QTest::newRow("empty day") << QStringList{} << QStringList{u"09.12.2026"_s} << 1 << u"Заполните расписание"_s;
        QTest::newRow("unknown option") << kSolvable << QStringList{u"09.12.2026"_s, u"--fast"_s} << 2 << u"Неверный параметр"_s;
        QTest::newRow("seed without its value") << kSolvable << QStringList{u"09.12.2026"_s, u"--seed"_s} << 2
                                                << u"Не указано значение параметра --seed команды arrange"_s;
        QTest::newRow("two dates") << kSolvable << QStringList{u"09.12.2026"_s, u"10.12.2026"_s} << 2
                                   << u"Лишний параметр команды arrange: 10.12.2026"_s;
    }
    void errors()
    {
        QFETCH(QStringList, rows);
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QString, message);
        QTemporaryDir dir;
        writeSchool(dir.path(), rows);
        const Run r = cli(QStringList{u"-C"_s, dir.path(), u"arrange"_s} + args);
        QCOMPARE(r.code, code);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QVERIFY(r.out.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TstCliArrange)
#include "tst_cliarrange.moc"
