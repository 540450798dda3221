// Printed sheets read back from the PDF files the command line writes: page counts from pdfinfo,
// the text of each page from pdftotext. Every word on a page must be a whole word of the sheet,
// so a subject split across lines or cut at a cell's edge fails.
#include "clischool.h"
#include "printschool.h"
#include "sheets/covers.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <map>

using namespace Qt::Literals::StringLiterals;
using clischool::cli;

class TstPrintPdf : public QObject
{
    Q_OBJECT

    QTemporaryDir m_big;   // 200 classes, 400 teachers, no changes
    QTemporaryDir m_small; // 60 classes, 40 teachers, lesson 3 of 34 classes replaced

    // Runs a poppler tool and returns its standard output.
    static QString poppler(const QString &tool, const QStringList &args)
    {
        QProcess p;
        p.start(tool, args);
        if (!p.waitForFinished(60000) || p.exitCode() != 0)
            return QString();
        return QString::fromUtf8(p.readAllStandardOutput());
    }
    static int pageCount(const QString &pdf)
    {
        const QRegularExpressionMatch m = QRegularExpression(u"Pages:\\s+(\\d+)"_s).match(poppler(u"pdfinfo"_s, {pdf}));
        return m.hasMatch() ? m.captured(1).toInt() : -1;
    }
    // The text of every page (pdftotext ends each page with a form feed).
    static QStringList pageTexts(const QString &pdf)
    {
        QStringList pages = poppler(u"pdftotext"_s, {u"-layout"_s, pdf, u"-"_s}).split(u'\f');
        if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
            pages.removeLast();
        return pages;
    }
    // How many times each word stands on a page.
    static std::map<QString, int> wordsOf(const QString &text)
    {
        std::map<QString, int> out;
        for (const QString &w : text.split(QRegularExpression(u"\\s+"_s), Qt::SkipEmptyParts))
            ++out[w];
        return out;
    }
    // Adds the words of a text to a count.
    static void count(std::map<QString, int> &into, const QString &text)
    {
        for (const QString &w : text.split(QRegularExpression(u"\\s+"_s), Qt::SkipEmptyParts))
            ++into[w];
    }
    // Prints into the folder and returns the PDF's path, checking the run.
    static QString print(const QString &dir, const QString &what, const QString &file)
    {
        const clischool::Run r = cli({u"-C"_s, dir, u"print"_s, printschool::kDate.toString(u"dd.MM.yyyy"_s),
                                      u"--pdf"_s, file, u"--what"_s, what});
        if (r.code != 0)
            qWarning().noquote() << r.err;
        return r.code == 0 ? r.out.trimmed() : QString();
    }

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed: scripts/setup installs it");
        printschool::write(m_big.path(), 200, 400, 0);
        printschool::write(m_small.path(), 60, 40, 34);
    }

    // 200 classes at ten a page: twenty landscape pages, each with the row numbers, its ten class
    // names and every lesson's subject and room whole; nothing else on the page.
    void dayOf200ClassesPrintsEverySubjectWhole()
    {
        const QString pdf = print(m_big.path(), u"day"_s, u"день.pdf"_s);
        QVERIFY(!pdf.isEmpty());
        QCOMPARE(pageCount(pdf), 20);
        QVERIFY(poppler(u"pdfinfo"_s, {pdf}).contains(u"842 x 595 pts (A4)"_s)); // A4 landscape
        const QStringList pages = pageTexts(pdf);
        QCOMPARE(pages.size(), 20);
        for (int p = 0; p < 20; ++p) {
            std::map<QString, int> expected;
            count(expected, u"Пятница 11 декабря 2026 года №"_s);
            for (int r = 1; r <= printschool::kRows; ++r)
                count(expected, QString::number(r));
            for (int j = p * 10 + 1; j <= p * 10 + 10; ++j) {
                count(expected, printschool::className(j));
                for (int r = 1; r <= printschool::kRows; ++r)
                    count(expected, printschool::subjectOf(r, j) + u' ' + QString::number(10 + (r * 3 + j) % 40));
            }
            if (p == 19)
                count(expected, u"Линейка в 8:15"_s);
            QCOMPARE(wordsOf(pages[p]), expected);
        }
    }

    // 34 changes fill two portrait pages; the title and the header stand on both, every change's
    // class and subjects are on one of them, whole.
    void substitutionsSheetOfTwoPages()
    {
        const QString pdf = print(m_small.path(), u"zameny"_s, m_small.filePath(u"замены.pdf"_s));
        QVERIFY(!pdf.isEmpty());
        QCOMPARE(pageCount(pdf), 2);
        QVERIFY(poppler(u"pdfinfo"_s, {pdf}).contains(u"595 x 842 pts (A4)"_s)); // A4 portrait
        const QStringList pages = pageTexts(pdf);
        QCOMPARE(pages.size(), 2);
        std::map<QString, int> seen;
        for (const QString &page : pages) {
            QVERIFY(page.contains(u"Замены на пятницу 11.12.2026"_s));
            for (const QString &h : {u"Класс"_s, u"Урок"_s, u"Было"_s, u"Стало"_s})
                QVERIFY2(page.contains(h), qPrintable(h));
            for (const auto &[w, n] : wordsOf(page))
                seen[w] += n;
        }
        const QString all = pages.join(u' ');
        for (int j = 1; j <= 34; ++j) {
            QVERIFY2(seen.count(printschool::className(j)), qPrintable(printschool::className(j)));
            const QString now = printschool::subjectOf(3, j);
            const QString was = printschool::kSubjects[(3 + 2 * j + 1) % printschool::kSubjects.size()];
            for (const QString &w : (now + u' ' + was).split(u' '))
                QVERIFY2(seen.count(w), qPrintable(w));
        }
        QVERIFY(!seen.count(printschool::className(35)));
    }

    // One slip per covering teacher with the lesson line and a line to sign; the journal of the
    // month lists the same covers with their date.
    void slipsAndJournalOfTheCovers()
    {
        const QString slips = print(m_small.path(), u"slips"_s, u"листки.pdf"_s);
        QVERIFY(!slips.isEmpty());
        const QString text = QStringList(pageTexts(slips)).join(u'\n');
        const int j = 1;
        const int now = printschool::teacherOf(int(printschool::kSubjects.indexOf(printschool::subjectOf(3, j))), j, 40);
        const int was = printschool::teacherOf((3 + 2 * j + 1) % int(printschool::kSubjects.size()), j, 40);
        const QString line = rasp::sheets::ShortName(printschool::teacherName(now)) + u": 3 урок, "_s
                             + printschool::className(j) + u", "_s + printschool::subjectOf(3, j) + u", каб. "_s
                             + QString::number(10 + (3 * 3 + j) % 40) + u", вместо "_s
                             + rasp::sheets::GenitiveShortName(printschool::teacherName(was));
        QVERIFY2(text.simplified().contains(line), qPrintable(line));
        QCOMPARE(text.count(u"Подпись"_s), text.count(u"Замены на пятницу 11.12.2026"_s));

        const QString journal = print(m_small.path(), u"journal"_s, u"журнал.pdf"_s);
        QVERIFY(!journal.isEmpty());
        const QString jtext = pageTexts(journal).join(u'\n');
        QVERIFY2(jtext.contains(u"01.12.2026"_s) && jtext.contains(u"31.12.2026"_s), qPrintable(jtext.left(300)));
        QCOMPARE(jtext.count(u"11.12.2026"_s), 34);
    }

    // Bad requests exit 2, a date without a saved day and an unwritable file exit 1, in Russian.
    void refusesBadRequests()
    {
        const QString date = printschool::kDate.toString(u"dd.MM.yyyy"_s);
        clischool::Run r = cli({u"-C"_s, m_small.path(), u"print"_s, date, u"--pdf"_s, u"x.pdf"_s, u"--what"_s, u"week"_s});
        QCOMPARE(r.code, 2);
        QVERIFY(r.err.contains(u"Неизвестный вид листа: week"_s));
        r = cli({u"-C"_s, m_small.path(), u"print"_s, date});
        QCOMPARE(r.code, 2);
        QVERIFY(r.err.contains(u"--pdf"_s));
        r = cli({u"-C"_s, m_small.path(), u"print"_s, u"10.12.2026"_s, u"--pdf"_s, u"x.pdf"_s});
        QCOMPARE(r.code, 1);
        QVERIFY(!QFile::exists(m_small.filePath(u"x.pdf"_s)));
        QFile blocker(m_small.filePath(u"файл"_s));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        r = cli({u"-C"_s, m_small.path(), u"print"_s, date, u"--pdf"_s, u"файл/день.pdf"_s});
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains(u"Не удалось записать файл"_s), qPrintable(r.err));
    }
};

QTEST_GUILESS_MAIN(TstPrintPdf)
#include "tst_printpdf.moc"
