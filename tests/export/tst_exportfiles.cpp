// The export files as written: workbooks and documents are unzipped and their XML parts read
// back into cells, merges, looks, borders, heights, page settings and body order, and compared
// with the layouts they were written from; failures to write; raspisanie-cli export end to end.
#include "day/dayfile.h"
#include "day/gridops.h"
#include "docxfile.h"
#include "exportschool.h"
#include "load/nagruzfile.h"
#include "ooxmlread.h"
#include "reports/exportlayout.h"
#include "settings/settings.h"
#include "state.h"
#include "text/textfile.h"
#include "xlsxfile.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

#include <algorithm>

#include <xlsxwriter.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;
using namespace rasp::reports;
using exportschool::Mode;

Q_DECLARE_METATYPE(Mode)

namespace {

using exportschool::school;

std::vector<Block> sorted(std::vector<Block> blocks)
{
    std::sort(blocks.begin(), blocks.end(), [](const Block &a, const Block &b) {
        return std::tie(a.top, a.left, a.bottom, a.right) < std::tie(b.top, b.left, b.bottom, b.right);
    });
    return blocks;
}

bool inside(const std::vector<Block> &blocks, int row, int column)
{
    return std::any_of(blocks.begin(), blocks.end(), [&](const Block &b) {
        return row >= b.top && row <= b.bottom && column >= b.left && column <= b.right;
    });
}

void addModes()
{
    QTest::addColumn<Mode>("mode");
    QTest::addColumn<bool>("inRow");
    QTest::addColumn<bool>("templateExport");
    for (const bool tmpl : {false, true})
        for (const bool inRow : {true, false})
            for (const auto &[mode, name] : {std::pair(Mode::Single, "single"), std::pair(Mode::OneTable, "one table"),
                                             std::pair(Mode::TwoTables, "two tables")})
                QTest::addRow("%s, %s, %s", tmpl ? "template" : "day", inRow ? "in a row" : "in a column", name)
                    << mode << inRow << tmpl;
}

// Compares a workbook read back with the sheet it was written from.
void compareSheet(const Sheet &sheet, const ooxml::XlsxSheet &read)
{
    QVERIFY(read.wellFormed);
    QCOMPARE(read.name, sheet.name);
    const auto merges = sorted(read.merges);
    QCOMPARE(merges, sorted(sheet.merges));
    for (const auto &[key, cell] : sheet.cells) {
        const auto [r, c] = key;
        const bool covered = std::any_of(sheet.merges.begin(), sheet.merges.end(), [&](const Block &b) {
            return r >= b.top && r <= b.bottom && c >= b.left && c <= b.right && (r != b.top || c != b.left);
        });
        if (covered)
            continue;
        const auto it = read.cells.find(key);
        QVERIFY2(it != read.cells.end(), qPrintable(u"cell %1,%2 missing"_s.arg(r).arg(c)));
        QCOMPARE(it->second.text, cell.text);
        QCOMPARE(it->second.number, cell.number);
        QCOMPARE(it->second.bold, cell.bold);
        QCOMPARE(it->second.centred, cell.centred);
        QCOMPARE(it->second.rotated, cell.rotated);
    }
    // Borders: every cell of a bordered block has all four edges, no other cell has any.
    for (const Block &b : sheet.borders)
        for (int r = b.top; r <= b.bottom; ++r)
            for (int c = b.left; c <= b.right; ++c) {
                const auto it = read.cells.find({r, c});
                QVERIFY2(it != read.cells.end() && it->second.bordered,
                         qPrintable(u"no border at %1,%2"_s.arg(r).arg(c)));
            }
    for (const auto &[key, cell] : read.cells)
        QCOMPARE(cell.bordered, inside(sheet.borders, key.first, key.second));
    for (const auto &[row, height] : sheet.rowHeights)
        QCOMPARE(read.heights.count(row) ? read.heights.at(row) : 0.0, height);
}

QString lf(QString text)
{
    return text.replace(u"\r\n"_s, u"\n"_s);
}

// Compares a document read back with the document it was written from.
void compareDocument(const Document &doc, const ooxml::DocxDocument &read)
{
    QStringList body;
    for (std::size_t n = 0; n < doc.tables.size(); ++n)
        body << (n > 0 ? QStringList{u"p"_s, u"p"_s, u"tbl"_s} : QStringList{u"tbl"_s});
    body << u"p"_s << u"sectPr"_s;
    QVERIFY(read.wellFormed);
    QCOMPARE(read.body, body);
    QCOMPARE(read.landscape, doc.landscape);
    QCOMPARE(read.pageWidth > read.pageHeight, doc.landscape);
    QCOMPARE(read.marginLeft, 400);
    QCOMPARE(read.marginRight, 400);
    QCOMPARE(read.tables.size(), doc.tables.size());
    for (std::size_t n = 0; n < doc.tables.size(); ++n) {
        const DocTable &t = doc.tables[n];
        const ooxml::DocxTable &rt = read.tables[n];
        QCOMPARE(rt.rows, t.rows);
        QCOMPARE(rt.gridColumns, t.columns);
        QCOMPARE(sorted(rt.merges), sorted(t.merges));
        QVERIFY(rt.allTimesNewRoman);
        QVERIFY(rt.allCentredSingle);
        QCOMPARE(rt.borderedEdges, 6);
        for (const auto &[key, cell] : t.cells) {
            const auto it = rt.cells.find(key);
            QVERIFY2(it != rt.cells.end(), qPrintable(u"cell %1,%2 missing"_s.arg(key.first).arg(key.second)));
            QCOMPARE(it->second.text, lf(cell.text));
            QCOMPARE(it->second.bold, cell.bold);
            QCOMPARE(it->second.rotated, cell.rotated);
            if (!cell.text.isEmpty())
                QCOMPARE(it->second.size, cell.size > 0 ? cell.size : t.fontSize);
        }
        // Every grid row holds cells covering all columns.
        for (int r = 1; r <= t.rows; ++r) {
            int covered = 0;
            for (int c = 1; c <= t.columns; ++c)
                covered += rt.cells.count({r, c}) || inside(rt.merges, r, c);
            QCOMPARE(covered, t.columns);
        }
    }
}

} // namespace

class TstExportFiles : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void workbookReadsBackAsLaidOut_data() { addModes(); }
    void workbookReadsBackAsLaidOut()
    {
        QFETCH(Mode, mode);
        QFETCH(bool, inRow);
        QFETCH(bool, templateExport);
        rasp::State s = school();
        exportschool::setMode(s, mode, inRow);
        const Sheet sheet = templateExport ? SetkaSheet(s) : DaySheet(s, exportschool::kDate);
        const QString path = m_dir.filePath(u"out/книга.xlsx"_s);
        QString error;
        QVERIFY2(rasp::exporter::WriteXlsx(sheet, path, &error), qPrintable(error));
        compareSheet(sheet, ooxml::readXlsx(path));
        // Two-line lesson cells get rows tall enough for both lines.
        if (!templateExport && mode == Mode::Single && inRow)
            QCOMPARE(ooxml::readXlsx(path).heights.at(3), 30.0);
    }

    void documentReadsBackAsLaidOut_data() { addModes(); }
    void documentReadsBackAsLaidOut()
    {
        QFETCH(Mode, mode);
        QFETCH(bool, inRow);
        QFETCH(bool, templateExport);
        rasp::State s = school();
        exportschool::setMode(s, mode, inRow);
        s.settings.portrait = mode != Mode::OneTable; // landscape once per kind
        const Document doc = templateExport ? SetkaDocument(s) : DayDocument(s, exportschool::kDate);
        const QString path = m_dir.filePath(u"out/документ.docx"_s);
        QString error;
        QVERIFY2(rasp::exporter::WriteDocx(doc, path, &error), qPrintable(error));
        QVERIFY(!ooxml::zipEntry(path, "[Content_Types].xml").isEmpty());
        QVERIFY(ooxml::zipEntry(path, "_rels/.rels").contains("word/document.xml"));
        compareDocument(doc, ooxml::readDocx(path));
    }

    void anExistingFileIsReplaced()
    {
        rasp::State s = school();
        const QString xlsx = m_dir.filePath(u"again.xlsx"_s);
        const QString docx = m_dir.filePath(u"again.docx"_s);
        QVERIFY(rasp::exporter::WriteXlsx(DaySheet(s, exportschool::kDate), xlsx));
        QVERIFY(rasp::exporter::WriteDocx(DayDocument(s, exportschool::kDate), docx));
        rasp::day::RaspClear(s);
        QVERIFY(rasp::exporter::WriteXlsx(DaySheet(s, exportschool::kDate), xlsx));
        QVERIFY(rasp::exporter::WriteDocx(DayDocument(s, exportschool::kDate), docx));
        QCOMPARE(ooxml::readXlsx(xlsx).cells.size(), std::size_t(10)); // rows 1..2 of five columns
        QCOMPARE(ooxml::readDocx(docx).tables.at(0).rows, 3);
        const QStringList left = QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden);
        QCOMPARE(left, QStringList({u"again.docx"_s, u"again.xlsx"_s})); // no temporary files stay
    }

    // A target that cannot be replaced (here a folder of that name) is reported in Russian and
    // nothing is left behind.
    void unwritableTargetIsReported()
    {
        const rasp::State s = school();
        QTemporaryDir dir;
        for (const QString &name : {u"busy.xlsx"_s, u"busy.docx"_s}) {
            QVERIFY(QDir(dir.path()).mkdir(name));
            const QString path = dir.filePath(name);
            QString error;
            const bool written = name.endsWith(u"xlsx"_s)
                                     ? rasp::exporter::WriteXlsx(DaySheet(s, exportschool::kDate), path, &error)
                                     : rasp::exporter::WriteDocx(DayDocument(s, exportschool::kDate), path, &error);
            QVERIFY(!written);
            QVERIFY2(error.startsWith(u"Не удалось сохранить файл "_s), qPrintable(error));
            QVERIFY(error.contains(QDir::toNativeSeparators(path)));
            // Russian through and through: no English text of a library.
            static const QRegularExpression latinWord(u"[A-Za-z]{3,}"_s);
            QVERIFY2(!error.mid(error.indexOf(u": "_s)).contains(latinWord), qPrintable(error));
            QVERIFY(QFileInfo(path).isDir());
        }
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

    void writers_data()
    {
        QTest::addColumn<QString>("suffix");
        QTest::newRow("workbook") << u"xlsx"_s;
        QTest::newRow("document") << u"docx"_s;
    }

    // Temporary files that an export killed half-way left in the folder (and its stale lock) are
    // removed by the next export into that folder; files of other names stay.
    void leftoversOfInterruptedExportsAreRemoved_data() { writers_data(); }
    void leftoversOfInterruptedExportsAreRemoved()
    {
        QFETCH(QString, suffix);
        QTemporaryDir dir;
        const QDir d(dir.path());
        const QStringList leftovers{u".~Ab12Cd.xlsx"_s, u"05.12.2026.docx.Xy34Zw"_s, u"Сетка.docx.q1W2e3"_s};
        const QStringList kept{u"05.12.2026.docx"_s, u".~list.xlsx"_s, u"notes.docx.txt"_s};
        for (const QString &name : leftovers + kept) {
            QFile f(d.filePath(name));
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write("x") == 1);
        }
        // An export process that died holding the folder's lock.
        const pid_t child = ::fork();
        if (child == 0) {
            QLockFile lock(d.filePath(u".export.lock"_s));
            ::_exit(lock.tryLock(1000) ? 0 : 1);
        }
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        QVERIFY(QFile::exists(d.filePath(u".export.lock"_s)));

        const rasp::State s = school();
        const QString out = d.filePath(u"09.12.2026."_s + suffix);
        QString error;
        const bool written = suffix == u"xlsx"_s ? rasp::exporter::WriteXlsx(DaySheet(s, exportschool::kDate), out, &error)
                                                 : rasp::exporter::WriteDocx(DayDocument(s, exportschool::kDate), out, &error);
        QVERIFY2(written, qPrintable(error));
        QStringList expected = kept + QStringList{u"09.12.2026."_s + suffix};
        expected.sort();
        QStringList left = d.entryList(QDir::Files | QDir::Hidden);
        left.sort();
        QCOMPARE(left, expected);
    }

    // A text the workbook cannot hold fails the export, naming the cell, and an earlier file of
    // that name stays as it was.
    void textTooLongForACellFailsTheWorkbook_data()
    {
        QTest::addColumn<bool>("merged");
        QTest::addColumn<QString>("cell");
        QTest::newRow("cell") << false << u"C2"_s;
        QTest::newRow("merged block") << true << u"A5"_s;
    }
    void textTooLongForACellFailsTheWorkbook()
    {
        QFETCH(bool, merged);
        QFETCH(QString, cell);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"long.xlsx"_s);
        Sheet sheet;
        sheet.put(1, 1, LayoutCell{u"Заголовок"_s});
        const QString text(32768, u'я');
        if (merged) {
            sheet.put(5, 1, LayoutCell{text});
            sheet.merge(Block{5, 1, 5, 3});
        } else {
            sheet.put(2, 3, LayoutCell{text});
        }
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
        old.close();
        QString error;
        QVERIFY(!rasp::exporter::WriteXlsx(sheet, path, &error));
        QVERIFY2(error.contains(u"ячейка "_s + cell) && error.contains(u"32767"_s), qPrintable(error));
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("old"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"long.xlsx"_s});

        sheet.put(merged ? 5 : 2, merged ? 1 : 3, LayoutCell{QString(32767, u'я')}); // the longest allowed
        QVERIFY2(rasp::exporter::WriteXlsx(sheet, path, &error), qPrintable(error));
    }

    // A cell the library refuses for another reason is named with a Russian reason too (here a
    // row or column beyond the sheet's last), and the workbook is not kept.
    void cellBeyondTheSheetFailsTheWorkbook_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("cell");
        QTest::newRow("row") << 1048577 << 2 << u"B1048577"_s;
        QTest::newRow("column") << 3 << 16385 << u"XFE3"_s;
    }
    void cellBeyondTheSheetFailsTheWorkbook()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, cell);
        QTemporaryDir dir;
        Sheet sheet;
        sheet.put(1, 1, LayoutCell{u"Заголовок"_s});
        sheet.put(row, column, LayoutCell{u"5А"_s});
        QString error;
        QVERIFY(!rasp::exporter::WriteXlsx(sheet, dir.filePath(u"far.xlsx"_s), &error));
        QCOMPARE(error, u"Не удалось сохранить файл %1: ячейка %2: строка или столбец за пределами листа"_s.arg(
                            QDir::toNativeSeparators(dir.filePath(u"far.xlsx"_s)), cell));
        QVERIFY(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
    }

    // Every error code of the workbook library has its own Russian reason; a code it may add
    // later gets a general one with the number. No English text of the library gets through.
    void everyLibraryErrorHasARussianReason()
    {
        static const QRegularExpression latin(u"[A-Za-z]"_s);
        QSet<QString> reasons;
        for (int code = LXW_ERROR_MEMORY_MALLOC_FAILED; code < LXW_MAX_ERRNO; ++code) {
            const QString why = rasp::exporter::XlsxErrorReason(code);
            QVERIFY2(!why.isEmpty() && !why.contains(latin) && !why.contains(u"код"_s), qPrintable(why));
            reasons.insert(why);
        }
        QVERIFY(reasons.size() >= LXW_MAX_ERRNO - 5); // zip failures share reasons, others differ
        QCOMPARE(rasp::exporter::XlsxErrorReason(LXW_ERROR_MAX_STRING_LENGTH_EXCEEDED), u"текст длиннее 32767 знаков"_s);
        QCOMPARE(rasp::exporter::XlsxErrorReason(LXW_ERROR_CREATING_XLSX_FILE),
                 u"файл книги не создается (нет прав или места)"_s);
        QCOMPARE(rasp::exporter::XlsxErrorReason(LXW_MAX_ERRNO + 3),
                 u"ошибка записи книги (код %1)"_s.arg(LXW_MAX_ERRNO + 3));
        QCOMPARE(rasp::exporter::XlsxErrorReason(-1), u"ошибка записи книги (код -1)"_s);
    }

    // Both writers give a new file the mode the umask allows and keep the mode of a file replaced.
    void filesFollowTheUmask_data() { writers_data(); }
    void filesFollowTheUmask()
    {
        QFETCH(QString, suffix);
        QTemporaryDir dir;
        const rasp::State s = school();
        const auto write = [&](const QString &path) {
            return suffix == u"xlsx"_s ? rasp::exporter::WriteXlsx(DaySheet(s, exportschool::kDate), path)
                                       : rasp::exporter::WriteDocx(DayDocument(s, exportschool::kDate), path);
        };
        const auto mode = [](const QString &path) {
            struct stat st { };
            return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 0777) : -1;
        };
        const mode_t saved = ::umask(027);
        const QString fresh = dir.filePath(u"fresh."_s + suffix);
        const bool written = write(fresh);
        const QString kept = dir.filePath(u"kept."_s + suffix);
        const bool first = write(kept);
        ::chmod(QFile::encodeName(kept).constData(), 0600);
        const bool again = write(kept);
        ::umask(saved);
        QVERIFY(written && first && again);
        QCOMPARE(mode(fresh), 0640);
        QCOMPARE(mode(kept), 0600);
    }

    void cliExportsASavedDay_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("workbook") << u"--xlsx"_s;
        QTest::newRow("document") << u"--docx"_s;
    }
    void cliExportsASavedDay()
    {
        QFETCH(QString, kind);
        QTemporaryDir work;
        rasp::State s = school();
        exportschool::setMode(s, Mode::TwoTables, true);
        s.settings.lessonRows = 8;
        QVERIFY(rasp::text::writeLines(work.filePath(u"setting.ini"_s),
                                       rasp::settings::SettingsLines(s.settings, 4, 2)));
        QVERIFY(rasp::text::writeLines(work.filePath(u"nagruz.ini"_s),
                                       {u"5А|5Б|6А|6Б|"_s, u"Иванова|Алгебра;||||"_s, u"~end~"_s}));
        QVERIFY(QDir(work.path()).mkpath(u"r_data"_s));
        QVERIFY(rasp::day::RaspSave(s, work.filePath(rasp::day::DayFilePath(exportschool::kDate))));

        QProcess p;
        p.start(QStringLiteral(RASP_CLI_BIN), {u"-C"_s, work.path(), u"export"_s, u"09.12.2026"_s, kind});
        QVERIFY(p.waitForFinished(20000));
        QCOMPARE(p.exitCode(), 0);
        const QString out = work.filePath(u"raspisanie/09.12.2026."_s + kind.mid(2));
        QCOMPARE(QString::fromUtf8(p.readAllStandardOutput()).trimmed(), QDir::toNativeSeparators(out));
        // What the CLI wrote is the layout of the day it read back.
        if (kind == u"--xlsx"_s) {
            compareSheet(DaySheet(s, exportschool::kDate), ooxml::readXlsx(out));
        } else {
            compareDocument(DayDocument(s, exportschool::kDate), ooxml::readDocx(out));
            QCOMPARE(ooxml::readDocx(out).tables.at(1).cells.at({3, 2}).text, u"Биол\n31"_s);
        }

        p.start(QStringLiteral(RASP_CLI_BIN), {u"-C"_s, work.path(), u"export"_s, u"10.12.2026"_s, kind});
        QVERIFY(p.waitForFinished(20000));
        QCOMPARE(p.exitCode(), 1);
        QVERIFY(QString::fromUtf8(p.readAllStandardError()).contains(u"Расписания на 10.12.2026 нет"_s));
        p.start(QStringLiteral(RASP_CLI_BIN), {u"-C"_s, work.path(), u"export"_s, u"09.12.2026"_s, u"--pdf"_s});
        QVERIFY(p.waitForFinished(20000));
        QCOMPARE(p.exitCode(), 2);
    }
};

QTEST_GUILESS_MAIN(TstExportFiles)
#include "tst_exportfiles.moc"
