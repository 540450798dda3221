// The substitution sheet and the period tally as files: workbooks and documents are unzipped and
// their XML parts read back (cells, merges, borders, page set-up); the CLI writes the same files.
#include "docxfile.h"
#include "load/nagruzfile.h"
#include "ooxmlread.h"
#include "reports/zamenylayout.h"
#include "state.h"
#include "sixrowday.h"
#include "text/textfile.h"
#include "xlsxfile.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;
using namespace rasp::reports;

class TstZamenyFiles : public QObject
{
    Q_OBJECT

    // Six lesson rows of two classes: the subject lines given, then room lines.
    static QStringList day(const QStringList &subjects, const QStringList &rooms = {})
    {
        return sixrowday::lines(2, subjects, rooms);
    }
    void write(const QString &path, const QStringList &lines) const
    {
        QDir(m_dir.path()).mkpath(QFileInfo(path).path());
        QVERIFY(rasp::text::writeLines(m_dir.filePath(path), lines));
    }
    static rasp::State school()
    {
        rasp::State s;
        rasp::FillPalette(s);
        rasp::BuildPlaceholders(s);
        rasp::load::NagruzLoad(s, 1);
        return s;
    }
    // The texts of a workbook row, columns 1..n (missing cells empty).
    static QStringList rowOf(const ooxml::XlsxSheet &sheet, int row, int n)
    {
        QStringList out;
        for (int c = 1; c <= n; ++c) {
            const auto it = sheet.cells.find({row, c});
            out << (it == sheet.cells.end() ? QString() : it->second.text);
        }
        return out;
    }
    // Every cell of rows 1..rows, columns 1..columns carries all four edges.
    static bool allBordered(const ooxml::XlsxSheet &sheet, int rows, int columns)
    {
        for (int r = 1; r <= rows; ++r)
            for (int c = 1; c <= columns; ++c) {
                const auto it = sheet.cells.find({r, c});
                if (it == sheet.cells.end() || !it->second.bordered)
                    return false;
            }
        return true;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_dir.path()));
        write(u"nagruz.ini"_s, {u"5А|5Б|"_s, u"Иванова|Алгебра;|Алгебра;|"_s, u"Петров|Физика;|Физика;|"_s, u"~end~"_s});
        // Friday 11.12.2026: 5А's algebra given by Петров as physics in another room, 5Б's two
        // lessons swapped. Monday 14.12.2026: as its template.
        write(u"setka/Пятница.ini"_s, day({u"|Алгебра|Физика|"_s, u"||Алгебра|"_s}, {u"12|14|"_s}));
        write(u"r_data/11.12.2026.ini"_s, day({u"|Физика|Алгебра|"_s, u"||Физика|"_s}, {u"15|14|"_s}));
        write(u"setka/Понедельник.ini"_s, day({u"|Алгебра||"_s}));
        write(u"r_data/14.12.2026.ini"_s, day({u"|Алгебра||"_s}));
    }
    void cleanupTestCase() { QDir::setCurrent(m_previous); }

    void sheetWorkbookReadsBack()
    {
        const rasp::State s = school();
        const ZamenyResult r = ZamenyForDate(s, QDate(2026, 12, 11));
        QVERIFY(r.sheet);
        const QString path = m_dir.filePath(ZamenyExportPath(QDate(2026, 12, 11), u"xlsx"_s));
        QString error;
        QVERIFY2(rasp::exporter::WriteXlsx(ZamenyWorkbook(s, *r.sheet), path, &error), qPrintable(error));
        QVERIFY(path.endsWith(u"raspisanie/Замены 11.12.2026.xlsx"_s));
        const ooxml::XlsxSheet x = ooxml::readXlsx(path);
        QVERIFY(x.wellFormed);
        QCOMPARE(x.name, u"Замены 11.12.2026"_s);
        QCOMPARE(x.merges, (std::vector<Block>{{1, 1, 1, 6}}));
        QCOMPARE(x.cells.at({1, 1}).text, u"Замены на пятницу 11.12.2026"_s);
        QVERIFY(x.cells.at({1, 1}).bold);
        QCOMPARE(rowOf(x, 2, 6), (QStringList{u"Класс"_s, u"Урок"_s, u"Было"_s, u"Стало"_s, u"Кабинет"_s, u"Изменение"_s}));
        QVERIFY(x.cells.at({2, 3}).bold);
        QCOMPARE(rowOf(x, 3, 6), (QStringList{u"5А"_s, u"1"_s, u"Алгебра\r\nИванова"_s, u"Физика\r\nПетров"_s,
                                              u"12 → 15"_s, u"замена"_s}));
        QVERIFY(x.cells.at({3, 2}).number);
        QVERIFY(!x.cells.at({3, 3}).bold);
        QCOMPARE(rowOf(x, 4, 6), (QStringList{u"5Б"_s, u"1"_s, u"2-й урок"_s, u"Алгебра\r\nИванова"_s, u"14"_s, u"перенос"_s}));
        QCOMPARE(rowOf(x, 5, 6), (QStringList{u"5Б"_s, u"2"_s, u"1-й урок"_s, u"Физика\r\nПетров"_s, QString(), u"перенос"_s}));
        QVERIFY(!x.cells.count({6, 1}));
        QVERIFY(allBordered(x, 5, 6));
        QCOMPARE(x.paperSize, 9);
        QCOMPARE(x.orientation, u"portrait"_s);
        QVERIFY(x.fitToPage);
        QCOMPARE(x.fitToWidth, 1);
        QCOMPARE(x.printTitles, u"$2:$2"_s);
        // Two-line entries get two lines' height.
        QCOMPARE(x.heights.at(3), 30.0);
    }

    void identicalDayWritesTheTitleAndSaysSo()
    {
        const rasp::State s = school();
        const ZamenyResult r = ZamenyForDate(s, QDate(2026, 12, 14));
        QVERIFY(r.sheet);
        const QString xlsx = m_dir.filePath(u"same.xlsx"_s);
        const QString docx = m_dir.filePath(u"same.docx"_s);
        QVERIFY(rasp::exporter::WriteXlsx(ZamenyWorkbook(s, *r.sheet), xlsx));
        QVERIFY(rasp::exporter::WriteDocx(ZamenyDocument(s, *r.sheet), docx));
        const ooxml::XlsxSheet x = ooxml::readXlsx(xlsx);
        QCOMPARE(x.merges, (std::vector<Block>{{1, 1, 1, 6}, {3, 1, 3, 6}}));
        QCOMPARE(x.cells.at({3, 1}).text, u"Замен на понедельник 14.12.2026 нет: расписание совпадает с шаблоном"_s);
        QVERIFY(allBordered(x, 3, 6));
        const ooxml::DocxDocument d = ooxml::readDocx(docx);
        QCOMPARE(d.tables.size(), std::size_t(1));
        QCOMPARE(d.tables[0].rows, 3);
        QCOMPARE(d.tables[0].cells.at({3, 1}).text, x.cells.at({3, 1}).text);
    }

    void sheetDocumentReadsBack()
    {
        const rasp::State s = school();
        const ZamenyResult r = ZamenyForDate(s, QDate(2026, 12, 11));
        QVERIFY(r.sheet);
        const QString path = m_dir.filePath(ZamenyExportPath(QDate(2026, 12, 11), u"docx"_s));
        QString error;
        QVERIFY2(rasp::exporter::WriteDocx(ZamenyDocument(s, *r.sheet), path, &error), qPrintable(error));
        const ooxml::DocxDocument d = ooxml::readDocx(path);
        QVERIFY(d.wellFormed);
        QVERIFY(!d.landscape);
        QVERIFY(d.pageHeight > d.pageWidth);
        QCOMPARE(d.tables.size(), std::size_t(1));
        const ooxml::DocxTable &t = d.tables[0];
        QCOMPARE(t.rows, 5);
        QCOMPARE(t.gridColumns, 6);
        QCOMPARE(t.borderedEdges, 6);
        QVERIFY(t.allTimesNewRoman);
        QCOMPARE(t.merges, (std::vector<Block>{{1, 1, 1, 6}}));
        QCOMPARE(t.cells.at({1, 1}).text, u"Замены на пятницу 11.12.2026"_s);
        QCOMPARE(t.cells.at({1, 1}).size, 14);
        QVERIFY(t.cells.at({2, 6}).bold);
        QCOMPARE(t.cells.at({2, 6}).text, u"Изменение"_s);
        QCOMPARE(t.cells.at({3, 4}).text, u"Физика\nПетров"_s);
        QCOMPARE(t.cells.at({5, 3}).text, u"1-й урок"_s);
        QVERIFY(!t.cells.at({3, 4}).bold);
    }

    // A replacement naming two teachers in full wraps within the widest column: its row is made
    // high enough for every line, the header row is repeated on each printed page of the workbook
    // and the document, and the document's columns follow their texts instead of six equal ones.
    void printedSheetsFitWrappedTextAndRepeatTheHeader()
    {
        rasp::State s;
        s.Klass = {QString(), u"5А"_s};
        ZamenySheet sheet;
        sheet.date = QDate(2026, 12, 11);
        Change swap;
        swap.column = 1;
        swap.row = 3;
        swap.kind = ChangeKind::Replacement;
        swap.was = Lesson{3, u"Англ"_s, u"21"_s, u"Сидорова Елена Викторовна, Кузнецова Анна Петровна"_s, {}, {}};
        swap.now = Lesson{3, u"Англ"_s, u"21"_s, u"Орлов Пётр Ильич"_s, {}, {}};
        Change moved;
        moved.column = 1;
        moved.row = 4;
        moved.kind = ChangeKind::Moved;
        moved.was = Lesson{5, u"Химия"_s, QString(), QString(), {}, {}};
        moved.now = Lesson{4, u"Химия"_s, QString(), QString(), {}, {}};
        sheet.changes = {swap, moved};

        const QString xlsx = m_dir.filePath(u"wrapped.xlsx"_s);
        QVERIFY(rasp::exporter::WriteXlsx(ZamenyWorkbook(s, sheet), xlsx));
        const ooxml::XlsxSheet x = ooxml::readXlsx(xlsx);
        QVERIFY(x.wellFormed);
        QCOMPARE(x.printTitles, u"$2:$2"_s);
        // "Англ", then the two names wrapped at the 40-character column: "Сидорова Елена
        // Викторовна, Кузнецова" / "Анна Петровна". Three lines of 15 points; the moved lesson's
        // row keeps the default; the title keeps its own 30.
        QCOMPARE(x.heights, (std::map<int, double>{{1, 30.0}, {3, 45.0}}));
        QVERIFY(x.widths.at(3) >= 40.0 && x.widths.at(3) < 41.0);
        QVERIFY(x.widths.at(2) < 10.0);

        const QString docx = m_dir.filePath(u"wrapped.docx"_s);
        QVERIFY(rasp::exporter::WriteDocx(ZamenyDocument(s, sheet), docx));
        const ooxml::DocxDocument d = ooxml::readDocx(docx);
        QVERIFY(d.wellFormed);
        const ooxml::DocxTable &t = d.tables.at(0);
        QCOMPARE(t.headerRows, 2);
        QCOMPARE(t.gridWidths.size(), std::size_t(6));
        int total = 0;
        for (const int w : t.gridWidths)
            total += w;
        QVERIFY(total <= d.pageWidth - d.marginLeft - d.marginRight);
        QVERIFY(total > d.pageWidth - d.marginLeft - d.marginRight - 10);
        // "Было" holds the longest line, "Урок" only a number.
        QCOMPARE(*std::max_element(t.gridWidths.begin(), t.gridWidths.end()), t.gridWidths[2]);
        QVERIFY(t.gridWidths[1] * 4 < t.gridWidths[2]);
    }

    void tallyWorkbookReadsBack()
    {
        const rasp::State s = school();
        const QDate from(2026, 12, 10), to(2026, 12, 14);
        const ZamenyTally tally = ZamenyPeriod(s, from, to);
        const QString path = m_dir.filePath(TallyExportPath(from, to));
        QVERIFY(path.endsWith(u"raspisanie/Замены 10.12.2026-14.12.2026.xlsx"_s));
        QVERIFY(rasp::exporter::WriteXlsx(TallyWorkbook(tally, from, to), path));
        const ooxml::XlsxSheet x = ooxml::readXlsx(path);
        QCOMPARE(x.cells.at({1, 1}).text, u"Замены с 10.12.2026 по 14.12.2026"_s);
        QCOMPARE(rowOf(x, 2, 5), (QStringList{u"Учитель"_s, u"Заменил уроков"_s, u"Даты замен"_s,
                                              u"Освобождён от уроков"_s, u"Даты освобождения"_s}));
        QCOMPARE(rowOf(x, 3, 5), (QStringList{u"Иванова"_s, QString(), QString(), u"1"_s, u"11.12.2026"_s}));
        QCOMPARE(rowOf(x, 4, 5), (QStringList{u"Петров"_s, u"1"_s, u"11.12.2026"_s, QString(), QString()}));
        QVERIFY(x.cells.at({4, 2}).number);
        QVERIFY(allBordered(x, 4, 5));
        QCOMPARE(x.paperSize, 9);
    }

    void cliWritesTheFilesAndPrintsTheirPaths()
    {
        QProcess p;
        p.start(QStringLiteral(RASP_CLI_BIN), {u"-C"_s, m_dir.path(), u"zameny"_s, u"11.12.2026"_s, u"--xlsx"_s, u"--docx"_s});
        QVERIFY(p.waitForFinished(20000));
        QCOMPARE(p.exitCode(), 0);
        const QString base = m_dir.filePath(u"raspisanie/Замены 11.12.2026."_s);
        QCOMPARE(QString::fromUtf8(p.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts),
                 (QStringList{QDir::toNativeSeparators(base + u"xlsx"_s), QDir::toNativeSeparators(base + u"docx"_s)}));
        QCOMPARE(ooxml::readXlsx(base + u"xlsx"_s).cells.at({3, 6}).text, u"замена"_s);
        QCOMPARE(ooxml::readDocx(base + u"docx"_s).tables.at(0).rows, 5);

        p.start(QStringLiteral(RASP_CLI_BIN), {u"-C"_s, m_dir.path(), u"zameny"_s, u"10.12.2026"_s, u"14.12.2026"_s,
                                               u"--teachers"_s, u"--xlsx"_s});
        QVERIFY(p.waitForFinished(20000));
        QCOMPARE(p.exitCode(), 0);
        const QString tally = m_dir.filePath(u"raspisanie/Замены 10.12.2026-14.12.2026.xlsx"_s);
        QCOMPARE(QString::fromUtf8(p.readAllStandardOutput()).trimmed(), QDir::toNativeSeparators(tally));
        QCOMPARE(ooxml::readXlsx(tally).cells.at({4, 1}).text, u"Петров"_s);
    }

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

QTEST_GUILESS_MAIN(TstZamenyFiles)
#include "tst_zamenyfiles.moc"
