// Saves on a full disk. The write-fault shim (preloaded) makes write() fail with ENOSPC once a
// named file has taken N bytes, or fsync() fail: every save path, with a file smaller and larger
// than a stdio or Qt buffer (16 KB), failing at once, half-way and at the flush, must report the
// file and the reason in Russian and leave the old file byte for byte, with no temporary file left.
#include "clischool.h"
#include "day/dayfile.h"
#include "docxfile.h"
#include "files/atomicfile.h"
#include "load/loadmodel.h"
#include "load/nagruzfile.h"
#include "reports/exportlayout.h"
#include "server/notes.h"
#include "settings/settings.h"
#include "state.h"
#include "template/setka.h"
#include "text/textfile.h"
#include "web/webfolder.h"
#include "xlsxfile.h"

#include "baregrid.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <functional>

#include <sys/file.h>
#include <sys/stat.h>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr qsizetype kBuffer = 16 * 1024;
const QByteArray kOldBytes = rasp::text::encodeLines({u"Старое содержимое файла"_s, u"~end~"_s});

// A day grid of `classes` classes with a subject and a room in every cell.
rasp::State filledGrid(int classes)
{
    rasp::State s = baregrid::grid(classes, 7);
    for (int j = 1; j <= classes; ++j)
        for (int i = 1; i <= 7; ++i) {
            s.grid.cell(i, j).subject = u"Математика %1"_s.arg(i * 1000 + j);
            s.grid.cell(i, j).room = QString::number(100 + j);
        }
    return s;
}

// Texts that do not compress, so an export's size follows the number of cells.
QString noise(QRandomGenerator &random)
{
    return QString::number(random.generate64(), 16);
}

// One way of saving: the file it writes (relative to the work folder) and the save itself,
// of a small or a large file; `written` gets the size of what it writes.
struct SavePath {
    QString target;
    std::function<bool(bool big, QString *error)> save;
};

SavePath savePath(const QString &name)
{
    if (name == u"day"_s)
        return {u"r_data/09.12.2026.ini"_s, [](bool big, QString *error) {
                    rasp::State s = filledGrid(big ? 200 : 3);
                    return rasp::day::RaspSave(s, QDir::current().filePath(u"r_data/09.12.2026.ini"_s), error);
                }};
    if (name == u"load"_s)
        return {u"nagruz.ini"_s, [](bool big, QString *error) {
                    rasp::State s = baregrid::grid(3);
                    for (int m = 1; m <= (big ? 700 : 5); ++m) {
                        const int row = rasp::load::PedCreate(s);
                        s.PedFio[std::size_t(row)].name = u"Учитель номер %1"_s.arg(m);
                        s.Predmet[std::size_t(row)][1] = QStringList{u"Предмет %1"_s.arg(m)};
                    }
                    return rasp::load::NagruzSave(s, error);
                }};
    if (name == u"settings"_s)
        return {u"setting.ini"_s, [](bool big, QString *error) {
                    rasp::State s;
                    for (int k = 1; k <= (big ? 2000 : 10); ++k)
                        s.settings.rooms << u"Кабинет %1"_s.arg(k);
                    s.settings.password = u"пароль"_s;
                    return rasp::settings::SetSave(s, rasp::settings::SettingsPath(), error);
                }};
    if (name == u"template"_s)
        return {rasp::tmpl::SetkaPath(1), [](bool big, QString *error) {
                    rasp::State s = filledGrid(big ? 200 : 3);
                    s.vibr_den_set = 1; // the grid is Monday's template
                    const QStringList failures = rasp::tmpl::SetkaSave(s, QDir::currentPath());
                    if (error)
                        *error = failures.join(u'\n');
                    return failures.isEmpty();
                }};
    if (name == u"notes"_s)
        return {u"notes/data.ini"_s, [](bool big, QString *error) {
                    QByteArray bytes;
                    for (int k = 0; k < (big ? 1500 : 20); ++k)
                        bytes += "09.12.2026\x0b\xc7\xe0\xec\xe5\xf2\xea\xe0 " + QByteArray::number(k) + "\r\n";
                    return rasp::server::WriteNotesFile(QDir::current().filePath(u"notes/data.ini"_s), bytes, error);
                }};
    if (name == u"xlsx"_s)
        return {u"raspisanie/day.xlsx"_s, [](bool big, QString *error) {
                    QRandomGenerator random(7);
                    rasp::reports::Sheet sheet;
                    sheet.name = u"Лист"_s;
                    for (int r = 1; r <= (big ? 300 : 5); ++r)
                        for (int c = 1; c <= 8; ++c)
                            sheet.put(r, c, {noise(random)});
                    return rasp::exporter::WriteXlsx(sheet, QDir::current().filePath(u"raspisanie/day.xlsx"_s), error);
                }};
    if (name == u"docx"_s)
        return {u"raspisanie/day.docx"_s, [](bool big, QString *error) {
                    QRandomGenerator random(7);
                    rasp::reports::Document doc;
                    rasp::reports::DocTable table;
                    table.columns = 8;
                    table.rows = big ? 300 : 5;
                    for (int r = 1; r <= table.rows; ++r)
                        for (int c = 1; c <= 8; ++c)
                            table.put(r, c, {noise(random)});
                    doc.tables.push_back(table);
                    return rasp::exporter::WriteDocx(doc, QDir::current().filePath(u"raspisanie/day.docx"_s), error);
                }};
    if (name == u"web"_s)
        return {u"web/index.html"_s, [](bool big, QString *error) {
                    QRandomGenerator random(7);
                    QString html = u"<!DOCTYPE html>\n<title>Расписание</title>\n"_s;
                    for (int k = 0; k < (big ? 2000 : 20); ++k)
                        html += u"<p>"_s + noise(random) + u"</p>\n"_s;
                    return rasp::web::WriteWebFolder({{u"index.html"_s, html}}, QDir::current().filePath(u"web"_s), error);
                }};
    // The command line's "solve --save" on the sample four-class day; the day's note makes it large.
    return {u"r_data/09.12.2026.ini"_s, [](bool, QString *error) {
                const clischool::Run r = clischool::cli({u"solve"_s, u"09.12.2026"_s, u"--save"_s});
                if (error)
                    *error = r.err.trimmed();
                return r.code == 0;
            }};
}

// Files whose name is a temporary file of the writer, anywhere under the folder.
QStringList leftovers(const QString &folder)
{
    QStringList found;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        if (rasp::files::IsLeftoverName(it.fileName()) || it.fileName().startsWith(u".~"_s))
            found << it.filePath();
    }
    return found;
}

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("missing");
}

void disarm()
{
    qunsetenv("RASP_WRITE_FAIL_PATH");
    qunsetenv("RASP_WRITE_FAIL_AFTER");
    qunsetenv("RASP_WRITE_FAIL_SYNC");
}

} // namespace

class TestSaveFaults : public QObject
{
    Q_OBJECT

    QString m_start = QDir::currentPath();

    // Prepares the work folder of a row: the command line's school for "cli", and the old file.
    void prepare(const QTemporaryDir &work, const QString &name, bool big, const QString &target)
    {
        QVERIFY(QDir::setCurrent(work.path()));
        if (name == u"cli"_s) {
            clischool::writeSchool(work.path(), {u"Алгебра|Алгебра|Англ|Лепка|"_s, u"Физика|Лепка|Химия||"_s, u"Химия||||"_s});
            rasp::text::ReadResult day = rasp::text::readLines(target);
            QVERIFY(day.ok());
            if (big)
                for (int k = 0; k < 800; ++k)
                    day.lines.insert(day.lines.size() - 1, u"Заметка дня, строка %1"_s.arg(k));
            QVERIFY(rasp::text::writeLines(target, day.lines));
            return;
        }
        QVERIFY(QDir().mkpath(QFileInfo(target).absolutePath()));
        QFile old(target);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write(kOldBytes) == kOldBytes.size());
    }

private slots:
    void cleanup()
    {
        disarm();
        QDir::setCurrent(m_start);
    }

    void aFullDiskKeepsTheOldFileAndSaysWhyInRussian_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("big");
        QTest::addColumn<QString>("failAt");
        for (const QString &name : {u"day"_s, u"load"_s, u"settings"_s, u"template"_s, u"notes"_s, u"xlsx"_s, u"docx"_s, u"web"_s, u"cli"_s})
            for (const bool big : {false, true})
                for (const QString &failAt : {u"start"_s, u"half"_s, u"flush"_s})
                    QTest::newRow(qPrintable(u"%1 %2 %3"_s.arg(name, big ? u"large"_s : u"small"_s, failAt)))
                        << name << big << failAt;
    }
    void aFullDiskKeepsTheOldFileAndSaysWhyInRussian()
    {
        QFETCH(QString, name);
        QFETCH(bool, big);
        QFETCH(QString, failAt);
        const SavePath path = savePath(name);

        // The size the save writes, measured by the same save without a fault in another folder.
        QTemporaryDir probe;
        prepare(probe, name, big, probe.filePath(path.target));
        QString error;
        QVERIFY2(path.save(big, &error), qPrintable(error));
        const qint64 size = QFileInfo(probe.filePath(path.target)).size();
        QVERIFY2(big ? size > kBuffer : size < kBuffer, qPrintable(QString::number(size)));
        QVERIFY(leftovers(probe.path()).isEmpty());

        QTemporaryDir work;
        prepare(work, name, big, work.filePath(path.target));
        const QString target = work.filePath(path.target);
        const QByteArray old = bytesOf(target);
        qputenv("RASP_WRITE_FAIL_PATH", QFile::encodeName(target));
        if (failAt == u"flush"_s)
            qputenv("RASP_WRITE_FAIL_SYNC", "1");
        else
            qputenv("RASP_WRITE_FAIL_AFTER", QByteArray::number(failAt == u"start"_s ? 0 : size / 2));
        error.clear();
        const bool saved = path.save(big, &error);
        disarm();

        QVERIFY2(!saved, "a save to a full disk reported success");
        QCOMPARE(bytesOf(target), old);
        QCOMPARE(leftovers(work.path()), QStringList());
        QVERIFY2(error.contains(u"файл "_s + QDir::toNativeSeparators(target) + u": нет места на диске"_s)
                     && error.contains(u"Не удалось "_s),
                 qPrintable(error));
        // Nothing English: the message without the path holds no Latin letter.
        QString words = error;
        words.remove(QDir::toNativeSeparators(target));
        QVERIFY2(!words.contains(QRegularExpression(u"[A-Za-z]"_s)), qPrintable(error));
    }

    // A save killed before its rename leaves its temporary file; the next save in that folder
    // removes it, and nothing else: not a date's companion file, not a user's copy, not a
    // temporary file a running save holds.
    void theNextSaveRemovesLeftoversOfKilledSavesOnly()
    {
        QTemporaryDir work;
        const QDir dir(work.path());
        const QStringList others{u"09.12.2026.zam"_s, u"09.12.2026.ini.backup"_s, u"09.12.2026.ini.rasp-abc"_s,
                                 u"rasp-abcdef"_s, u"10.12.2026.ini.XyZ123"_s};
        for (const QString &name : others + QStringList{u"09.12.2026.ini.rasp-Ab12Cd"_s, u"10.12.2026.ini.rasp-000000"_s}) {
            QFile f(dir.filePath(name));
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write("x") == 1);
        }
        QVERIFY(dir.mkdir(u"folder.ini.rasp-Qwerty"_s)); // not a regular file
        QFile held(dir.filePath(u"11.12.2026.ini.rasp-InUse1"_s));
        QVERIFY(held.open(QIODevice::WriteOnly));
        QCOMPARE(::flock(held.handle(), LOCK_EX | LOCK_NB), 0); // as a running save holds its file

        QVERIFY(rasp::text::writeLines(dir.filePath(u"09.12.2026.ini"_s), {u"~end~"_s}));
        QStringList left = dir.entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
        QStringList expected = others + QStringList{u"09.12.2026.ini"_s, u"folder.ini.rasp-Qwerty"_s, u"11.12.2026.ini.rasp-InUse1"_s};
        left.sort();
        expected.sort();
        QCOMPARE(left, expected);
    }

    // The written file keeps the mode of the one it replaces and a link keeps pointing at it.
    void aSaveKeepsTheModeAndFollowsALink()
    {
        QTemporaryDir work;
        const QString real = work.filePath(u"real.ini"_s);
        QVERIFY(rasp::text::writeLines(real, {u"старое"_s}));
        QVERIFY(QFile::setPermissions(real, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup));
        QVERIFY(QFile::link(real, work.filePath(u"link.ini"_s)));
        QVERIFY(rasp::text::writeLines(work.filePath(u"link.ini"_s), {u"новое"_s}));
        QVERIFY(QFileInfo(work.filePath(u"link.ini"_s)).isSymLink());
        QCOMPARE(bytesOf(real), rasp::text::encodeLines({u"новое"_s}));
        struct stat st { };
        QCOMPARE(::stat(QFile::encodeName(real).constData(), &st), 0);
        QCOMPARE(st.st_mode & 07777, mode_t(0640));
    }
};

QTEST_GUILESS_MAIN(TestSaveFaults)
#include "tst_savefaults.moc"
