// Damaged and hostile work folders: every school file in place of which stands a FIFO, a device,
// a broken or looping link, a folder, a file failing mid-read or a runaway file is reported as
// unreadable by the core reader and by raspisanie-cli, in bounded time and memory, and no file
// of the folder changes, not even when the editor's save of that file is tried afterwards. Two
// damaged contents (a room with "|", an early "~end~") and a load saved as UTF-8 read soundly.
#include "state.h"
#include "day/dayfile.h"
#include "day/gridops.h"
#include "load/nagruzfile.h"
#include "settings/settings.h"
#include "template/setka.h"
#include "text/textfile.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <map>
#include <optional>

#include <sys/resource.h>
#include <sys/stat.h>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kDay = u"r_data/09.12.2026.ini"_s;
const QString kMonday = u"setka/Понедельник.ini"_s;

// A small school: two classes, enough teachers that the load file is a few kilobytes long.
void writeSchool(const QDir &dir)
{
    QStringList load{u"5А|5Б|"_s};
    for (int m = 1; m <= 80; ++m)
        load << u"Учитель номер %1|Предмет %1;|Предмет %1;|"_s.arg(m);
    load << u"~end~"_s;
    QVERIFY(rasp::text::writeLines(dir.filePath(u"nagruz.ini"_s), load));
    QVERIFY(rasp::text::writeLines(dir.filePath(u"setting.ini"_s),
                                   {u"101"_s, u"102"_s, u"~end~"_s, u"~end~"_s, QString(), QString(), QString(),
                                    QString(), u"0"_s, u"1"_s, u"1"_s, u"0"_s, u"0"_s, u"6"_s, u"0"_s, u"0"_s,
                                    u"0"_s, u"1"_s, u"0"_s}));
    QStringList day;
    for (int i = 1; i <= 6; ++i)
        day << u"|Предмет %1|Предмет %2|"_s.arg(i).arg(i + 1);
    for (int i = 1; i <= 6; ++i)
        day << u"101|102|"_s;
    day << u"Заметка дня"_s << u"~end~"_s;
    QVERIFY(dir.mkpath(u"r_data"_s) && dir.mkpath(u"setka"_s));
    QVERIFY(rasp::text::writeLines(dir.filePath(kDay), day));
    QVERIFY(rasp::text::writeLines(dir.filePath(kMonday), day));
}

// What a folder holds, without following links or opening anything but regular files.
std::map<QString, QByteArray> snapshot(const QDir &dir)
{
    std::map<QString, QByteArray> out;
    QDirIterator it(dir.path(), QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info = it.fileInfo();
        QByteArray &entry = out[dir.relativeFilePath(path)];
        if (info.isSymLink())
            entry = "link:" + QFile::encodeName(info.symLinkTarget());
        else if (info.isDir())
            entry = "folder";
        else if (!info.isFile())
            entry = "special";
        else if (info.size() > 1024 * 1024)
            entry = "big:" + QByteArray::number(info.size()) + ':' + QByteArray::number(info.lastModified().toMSecsSinceEpoch());
        else {
            QFile f(path);
            entry = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("unreadable");
        }
    }
    return out;
}

// Puts the hostile thing of `kind` at `path` (or damages the file there).
void plant(const QString &kind, const QString &path, const QDir &dir)
{
    const QByteArray native = QFile::encodeName(path);
    if (kind != u"readerror"_s && kind != u"barroom"_s && kind != u"earlyend"_s && !kind.startsWith(u"utf8"_s))
        QVERIFY(QFile::remove(path));
    if (kind == u"fifo"_s) {
        QCOMPARE(::mkfifo(native.constData(), 0644), 0);
    } else if (kind == u"zero"_s) {
        QVERIFY(QFile::link(u"/dev/zero"_s, path));
    } else if (kind == u"urandom"_s) {
        QVERIFY(QFile::link(u"/dev/urandom"_s, path));
    } else if (kind == u"dangling"_s) {
        QVERIFY(QFile::link(dir.filePath(u"gone.ini"_s), path));
    } else if (kind == u"loop"_s) {
        QVERIFY(QFile::link(path + u".other"_s, path));
        QVERIFY(QFile::link(path, path + u".other"_s));
    } else if (kind == u"folder"_s) {
        QVERIFY(QDir().mkpath(path));
    } else if (kind == u"oversize"_s) {
        QFile f(path); // sparse: costs no disk
        QVERIFY(f.open(QIODevice::WriteOnly) && f.resize(rasp::text::kMaxFileSize + 1));
    } else if (kind == u"barroom"_s) {
        QVERIFY(rasp::text::writeLines(path, {u"101"_s, u"1|2"_s, u"102"_s, u"~end~"_s, u"~end~"_s}));
    } else if (kind.startsWith(u"utf8"_s)) { // another tool saved the file as UTF-8 with LF line ends
        QString text = rasp::text::readLines(path).lines.join(u'\n');
        if (kind == u"utf8tatar"_s) // and a subject Windows-1251 cannot hold was typed there
            text.replace(u"Предмет 1|"_s, u"Әдәбият|"_s);
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text.toUtf8());
    } else if (kind == u"earlyend"_s) {
        QVERIFY(rasp::text::writeLines(path, {u"|Предмет 1|Предмет 2|"_s, u"~end~"_s, u"не заметка"_s, u"~end~"_s}));
    }
}

// A state with the two classes of the small school's day, as the window has them.
rasp::State twoClassState()
{
    rasp::State s;
    rasp::FillPalette(s);
    rasp::BuildPlaceholders(s);
    s.max_ur = 6;
    for (int j = 1; j <= 2; ++j)
        rasp::day::KlassCreate(s);
    return s;
}

// Reads the school file `target` of the folder into a fresh state as the editor does, then
// saves it back as the editor's save does; returns the save's messages (none if it saved), or
// nothing if `target` is not a file the editor saves.
std::optional<QStringList> readAndSave(const QString &target, const QDir &dir)
{
    const QString before = QDir::currentPath();
    QDir::setCurrent(dir.path());
    rasp::State s = twoClassState();
    std::optional<QStringList> messages;
    QString error;
    if (target == u"setting.ini"_s) {
        rasp::settings::SetLoad(s, rasp::settings::SettingsPath());
        messages = rasp::settings::SetSave(s, rasp::settings::SettingsPath(), &error) ? QStringList() : QStringList{error};
    } else if (target == u"nagruz.ini"_s) {
        rasp::load::NagruzLoad(s, 1);
        messages = rasp::load::NagruzSave(s, &error) ? QStringList() : QStringList{error};
    } else if (target == kMonday) {
        rasp::tmpl::SetkaLoad(s, dir.path());
        s.vibr_den_set = 1;
        messages = rasp::tmpl::SetkaSave(s, dir.path());
    } else if (target == kDay) {
        rasp::day::RaspLoad(s, dir.filePath(kDay), 1);
        s.grid.cell(1, 1).subject = u"Правка"_s; // what the user typed after the error
        messages = rasp::day::RaspSave(s, dir.filePath(kDay), &error) ? QStringList() : QStringList{error};
    }
    QDir::setCurrent(before);
    return messages;
}

bool shimLoaded()
{
    return qEnvironmentVariable("LD_PRELOAD").contains(u"readfault"_s);
}

// While it lives, the preloaded shim makes read() of `path` in this process fail once `after`
// bytes of it have been read.
class ReadFault
{
public:
    ReadFault(const QString &path, const QByteArray &after)
    {
        qputenv("RASP_READ_FAIL_PATH", QFile::encodeName(path));
        qputenv("RASP_READ_FAIL_AFTER", after);
    }
    ~ReadFault() { qunsetenv("RASP_READ_FAIL_PATH"); }
    ReadFault(const ReadFault &) = delete;
    ReadFault &operator=(const ReadFault &) = delete;
};

} // namespace

class TstHostileFiles : public QObject
{
    Q_OBJECT

private slots:
    void hostileFileIsReportedAndNothingChanges_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QStringList>("command");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message"); // in the CLI's stderr and the core reader's error
        QTest::addColumn<QString>("jsonKey"); // for a file that reads: what the CLI prints
        QTest::addColumn<QVariant>("jsonValue");

        const QStringList load{u"load"_s};
        const QStringList settings{u"settings"_s};
        const QStringList day{u"day"_s, u"09.12.2026"_s};
        const QStringList monday{u"template"_s, u"1"_s};
        const QString notRegular = u"это не обычный файл"_s;
        QTest::newRow("fifo load") << u"fifo"_s << u"nagruz.ini"_s << load << 1 << notRegular << QString() << QVariant();
        QTest::newRow("fifo settings") << u"fifo"_s << u"setting.ini"_s << settings << 1 << notRegular << QString() << QVariant();
        QTest::newRow("fifo template") << u"fifo"_s << kMonday << monday << 1 << notRegular << QString() << QVariant();
        QTest::newRow("/dev/zero load") << u"zero"_s << u"nagruz.ini"_s << load << 1 << notRegular << QString() << QVariant();
        QTest::newRow("/dev/urandom settings") << u"urandom"_s << u"setting.ini"_s << settings << 1 << notRegular << QString() << QVariant();
        QTest::newRow("fifo day") << u"fifo"_s << kDay << day << 1 << notRegular << QString() << QVariant();
        QTest::newRow("/dev/zero day") << u"zero"_s << kDay << day << 1 << notRegular << QString() << QVariant();
        QTest::newRow("dangling link day") << u"dangling"_s << kDay << day << 1 << u"несуществующий файл"_s << QString() << QVariant();
        QTest::newRow("looping link day") << u"loop"_s << kDay << day << 1 << u"кольцо"_s << QString() << QVariant();
        QTest::newRow("looping link load") << u"loop"_s << u"nagruz.ini"_s << load << 1 << u"кольцо"_s << QString() << QVariant();
        QTest::newRow("folder template") << u"folder"_s << kMonday << monday << 1 << u"это папка"_s << QString() << QVariant();
        QTest::newRow("read error mid load") << u"readerror"_s << u"nagruz.ini"_s << load << 1 << u"ошибка чтения"_s << QString() << QVariant();
        QTest::newRow("read error mid day") << u"readerror"_s << kDay << day << 1 << u"ошибка чтения"_s << QString() << QVariant();
        QTest::newRow("over-size day") << u"oversize"_s << kDay << day << 1 << u"больше 64 МБ"_s << QString() << QVariant();
        QTest::newRow("read error mid settings") << u"readerror"_s << u"setting.ini"_s << settings << 1 << u"ошибка чтения"_s << QString() << QVariant();
        QTest::newRow("over-size settings") << u"oversize"_s << u"setting.ini"_s << settings << 1 << u"больше 64 МБ"_s << QString() << QVariant();
        QTest::newRow("dangling link settings") << u"dangling"_s << u"setting.ini"_s << settings << 1 << u"несуществующий файл"_s << QString() << QVariant();
        QTest::newRow("over-size load") << u"oversize"_s << u"nagruz.ini"_s << load << 1 << u"больше 64 МБ"_s << QString() << QVariant();
        QTest::newRow("room with bar") << u"barroom"_s << u"setting.ini"_s << settings << 0 << u"«1|2»"_s << u"rooms"_s
                                       << QVariant(QVariantList{u"101"_s, u"102"_s});
        QTest::newRow("load saved as UTF-8") << u"utf8"_s << u"nagruz.ini"_s << load << 0 << QString() << u"classes"_s
                                             << QVariant(QVariantList{u"5А"_s, u"5Б"_s});
        QTest::newRow("day saved as UTF-8 with Tatar letters")
            << u"utf8tatar"_s << kDay << day << 0 << u"(Ә ә): при сохранении они будут записаны как «?»"_s << u"note"_s
            << QVariant(u"Заметка дня"_s);
        QTest::newRow("early end") << u"earlyend"_s << kDay << day << 0 << QString() << u"note"_s << QVariant(QString());
    }
    void hostileFileIsReportedAndNothingChanges()
    {
        QFETCH(QString, kind);
        QFETCH(QString, target);
        QFETCH(QStringList, command);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        QFETCH(QString, jsonKey);
        QFETCH(QVariant, jsonValue);
        QTemporaryDir work;
        const QDir dir(work.path());
        writeSchool(dir);
        const QString path = dir.filePath(target);
        plant(kind, path, dir);
        const auto before = snapshot(dir);

        // The shim makes read() of the target fail half-way through it, here and in the CLI.
        const bool readError = kind == u"readerror"_s;
        const QByteArray failAfter = QByteArray::number(QFileInfo(path).size() / 2);
        if (readError)
            QVERIFY2(shimLoaded(), "the read-fault shim must be preloaded (run through ctest)");
        std::optional<ReadFault> fault;
        if (readError)
            fault.emplace(path, failAfter);
        const rasp::text::ReadResult read = rasp::text::readLines(path);
        fault.reset();
        if (jsonKey.isEmpty()) {
            QCOMPARE(read.status, rasp::text::ReadResult::Unreadable);
            QVERIFY2(read.error.contains(QDir::toNativeSeparators(path)) && read.error.contains(message), qPrintable(read.error));
            QVERIFY(read.lines.isEmpty());
        } else {
            QVERIFY(read.ok());
        }

        QProcess cli;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        if (readError) {
            env.insert(u"RASP_READ_FAIL_PATH"_s, path);
            env.insert(u"RASP_READ_FAIL_AFTER"_s, QString::fromLatin1(failAfter));
        }
        cli.setProcessEnvironment(env);
        // A reader that swallowed a device would hit this limit instead of the machine's memory.
        // Not under AddressSanitizer, whose shadow memory alone reserves terabytes of addresses.
#ifndef __SANITIZE_ADDRESS__
        cli.setChildProcessModifier([] {
            const rlimit limit{rlim_t(1) << 30, rlim_t(1) << 30};
            ::setrlimit(RLIMIT_AS, &limit);
        });
#endif
        cli.start(QStringLiteral(RASP_CLI_BIN), QStringList{u"-C"_s, work.path()} + command);
        if (!cli.waitForFinished(60000)) {
            cli.kill();
            cli.waitForFinished();
            QFAIL("raspisanie-cli did not finish: it hangs on the file");
        }
        const QString err = QString::fromUtf8(cli.readAllStandardError());
        QCOMPARE(cli.exitStatus(), QProcess::NormalExit);
        QVERIFY2(cli.exitCode() == exitCode, qPrintable(err));
        QVERIFY2(err.contains(message), qPrintable(err));
        if (jsonKey.isEmpty()) {
            QVERIFY2(err.contains(u"Не удалось прочитать файл"_s) && err.contains(target.section(u'/', -1)), qPrintable(err));
        } else {
            const QJsonObject o = QJsonDocument::fromJson(cli.readAllStandardOutput()).object();
            QCOMPARE(o.value(jsonKey).toVariant(), jsonValue);
        }
        QVERIFY(snapshot(dir) == before);

        // The editor's save of the file read before refuses, naming it, and leaves it as it was.
        if (!jsonKey.isEmpty())
            return;
        if (readError)
            fault.emplace(path, failAfter);
        const std::optional<QStringList> saved = readAndSave(target, dir);
        fault.reset();
        if (!saved)
            return;
        QCOMPARE(saved->size(), 1);
        QVERIFY2(saved->first().contains(u"не удалось прочитать, он оставлен без изменений"_s)
                     && saved->first().contains(QDir::toNativeSeparators(path)),
                 qPrintable(saved->first()));
        const auto after = snapshot(dir);
        if (target == kMonday) // the other weekdays' files are written, as a template save does
            QCOMPARE(after.at(target), before.at(target));
        else
            QVERIFY(after == before);
    }

    // A template file whose read fails part-way is not taken for a short one: it is reported and
    // the next template save leaves it as it was.
    void templateFailingMidReadIsNeverOverwritten()
    {
        QVERIFY2(shimLoaded(), "the read-fault shim must be preloaded (run through ctest)");
        QTemporaryDir work;
        const QDir dir(work.path());
        writeSchool(dir);
        const QString path = dir.filePath(kMonday);
        const auto before = snapshot(dir);
        rasp::State s = twoClassState();
        const QStringList problems = [&] {
            const ReadFault fault(path, QByteArray::number(QFileInfo(path).size() / 2));
            return rasp::tmpl::SetkaLoad(s, work.path());
        }();
        QCOMPARE(problems.size(), 1);
        QVERIFY2(problems.first().contains(u"ошибка чтения"_s), qPrintable(problems.first()));
        QCOMPARE(s.Setka[1].ur(1, 1), QString()); // nothing of the half-read file is taken

        s.vibr_den_set = 1;
        const QStringList failures = rasp::tmpl::SetkaSave(s, work.path());
        QCOMPARE(failures.size(), 1);
        QVERIFY2(failures.first().contains(u"Понедельник"_s), qPrintable(failures.first()));
        QCOMPARE(snapshot(dir).at(kMonday), before.at(kMonday));
    }

    // A day file whose reading failed once is not replaced by the grid the failure left, even
    // when it reads again by the time of the save, under whatever name the save gives it; a
    // whole reading or its removal ends the refusal. A date never opened is guarded too.
    void dayFailingOnceIsKeptUntilReadWholeOrRemoved()
    {
        QVERIFY2(shimLoaded(), "the read-fault shim must be preloaded (run through ctest)");
        QTemporaryDir work;
        const QDir dir(work.path());
        writeSchool(dir);
        const QString path = dir.filePath(kDay);
        const auto before = snapshot(dir);
        rasp::State s = twoClassState();
        auto failingLoad = [&] {
            const ReadFault fault(path, "100");
            return rasp::day::RaspLoad(s, path, 1);
        };
        QCOMPARE(failingLoad(), rasp::text::ReadResult::Unreadable);
        QCOMPARE(s.grid.cell(1, 1).subject, QString());

        s.grid.cell(1, 1).subject = u"Правка"_s;
        for (const QString &name : {path, dir.filePath(u"r_data/../r_data/09.12.2026.ini"_s)}) {
            QString error;
            QVERIFY(!rasp::day::RaspSave(s, name, &error));
            QVERIFY2(error.startsWith(u"Расписание не сохранено: файл "_s + QDir::toNativeSeparators(name))
                         && error.endsWith(u"Исправьте или удалите его и откройте этот день снова"_s),
                     qPrintable(error));
        }
        QVERIFY(snapshot(dir) == before);
        QCOMPARE(s.grid.cell(1, 1).subject, u"Правка"_s); // the grid keeps what was typed

        // Read whole: the day is the file's again and saves.
        QCOMPARE(rasp::day::RaspLoad(s, path, 1), rasp::text::ReadResult::Ok);
        QCOMPARE(s.grid.cell(1, 1).subject, u"Предмет 1"_s);
        s.grid.cell(1, 1).subject = u"Правка"_s;
        QVERIFY(rasp::day::RaspSave(s, path));
        QCOMPARE(rasp::text::readLines(path).lines.at(0), u"|Правка|Предмет 2|"_s);

        // Failing again, then removed: nothing is left to protect and the save writes the grid.
        QCOMPARE(failingLoad(), rasp::text::ReadResult::Unreadable);
        QVERIFY(!rasp::day::RaspSave(s, path));
        QVERIFY(QFile::remove(path));
        s.grid.cell(2, 2).subject = u"Новое"_s;
        QVERIFY(rasp::day::RaspSave(s, path));
        QCOMPARE(rasp::text::readLines(path).lines.at(1), u"||Новое|"_s);

        // The save's target date was never opened and a FIFO stands there: refused, FIFO kept.
        const QString other = dir.filePath(u"r_data/10.12.2026.ini"_s);
        QCOMPARE(::mkfifo(QFile::encodeName(other).constData(), 0644), 0);
        QString error;
        QVERIFY(!rasp::day::RaspSave(s, other, &error));
        QVERIFY2(error.contains(u"не удалось прочитать, он оставлен без изменений"_s), qPrintable(error));
        QVERIFY(QFileInfo(other).exists() && !QFileInfo(other).isFile());
    }
};

QTEST_GUILESS_MAIN(TstHostileFiles)
#include "tst_hostilefiles.moc"
