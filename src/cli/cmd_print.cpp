// raspisanie-cli print: the day, the template of its weekday, the substitution sheet, the cover
// slips or the month's journal of covers as a PDF file, laid out as the window prints them.
#include "clicommands.h"
#include "pdffile.h"
#include "reports/zameny.h"
#include "school.h"
#include "sheets/daysheets.h"
#include "state.h"
#include "template/setka.h"
#include "text/datewords.h"

#include <QDir>

using namespace Qt::Literals::StringLiterals;

namespace rasp::cli {

CommandHelp PrintHelp()
{
    return {u"print"_s, u"ДД.ММ.ГГГГ --pdf ФАЙЛ [--what day|template|zameny|slips|journal]"_s,
            u"печатает в PDF день, шаблон его дня недели, лист замен, листки заменяющим учителям или журнал замен за месяц"_s,
            u"путь к записанному PDF (A4: день и шаблон - альбомный лист, классы по 10 на странице;\n"
            "замены, листки и журнал - книжный)"_s,
            u"нет нагрузки, дня или шаблона на эту дату, либо файл не записывается"_s,
            u"09.12.2026 --pdf день.pdf"_s};
}

// Builds the document that --what names; false after the reason went to stderr.
static bool buildDocument(State &state, const QString &what, QDate date, sheets::PrintDocument &doc)
{
    load::NagruzReport report;
    if (what == u"day"_s) {
        if (!OpenDay(state, date))
            return false;
        doc.tables.push_back(sheets::DayTable(state, date));
        doc.title = doc.tables.back().title;
        return true;
    }
    if (!OpenSchool(state, report))
        return false;
    if (what == u"template"_s) {
        for (const QString &p : tmpl::SetkaLoad(state, QDir::currentPath()))
            WriteErr(p);
        const int k = date.dayOfWeek();
        if (!state.Setka[std::size_t(k)].readError.isEmpty()) {
            WriteErr(state.Setka[std::size_t(k)].readError);
            return false;
        }
        doc.tables.push_back(sheets::TemplateTable(state, k));
        doc.title = doc.tables.back().title;
        return true;
    }
    if (what == u"zameny"_s) {
        const reports::ZamenyResult result = reports::ZamenyForDate(state, date);
        if (!result.sheet) {
            WriteErr(result.error);
            return false;
        }
        doc.tables.push_back(sheets::ZamenyTable(state, *result.sheet));
        doc.title = doc.tables.back().title;
        return true;
    }
    if (what == u"slips"_s) {
        QString error;
        const std::vector<sheets::Cover> covers = sheets::CoversForDate(state, date, &error);
        if (!error.isEmpty()) {
            WriteErr(error);
            return false;
        }
        doc.slipsDocument = true;
        doc.slips = sheets::SlipsOf(covers);
        doc.title = sheets::SlipsTitle(date);
        doc.emptySlips = u"Заменяющих учителей на эту дату нет"_s;
        return true;
    }
    const reports::Journal journal = sheets::MonthJournal(state, date);
    for (const QString &w : journal.warnings)
        WriteErr(w);
    for (const QString &e : journal.errors)
        WriteErr(e);
    doc.tables.push_back(sheets::JournalTable(journal));
    doc.title = doc.tables.back().title;
    return true;
}

int RunPrint(const QStringList &args)
{
    CommandLine line(PrintHelp());
    line.addArgument(u"ДД.ММ.ГГГГ"_s, u"дата (для журнала - любой день месяца)"_s);
    line.addOption(QCommandLineOption(u"pdf"_s, u"файл PDF, который записать"_s, u"ФАЙЛ"_s));
    line.addOption(QCommandLineOption(u"what"_s, u"что печатать: day (день, по умолчанию), template, zameny, slips, journal"_s,
                                      u"ЧТО"_s, u"day"_s));
    if (const auto stop = line.parse(args, 1, 1, u"Укажите дату: print ДД.ММ.ГГГГ --pdf ФАЙЛ"_s))
        return *stop;
    const QString what = line.value(u"what"_s);
    static const QStringList kinds{u"day"_s, u"template"_s, u"zameny"_s, u"slips"_s, u"journal"_s};
    if (!kinds.contains(what))
        return line.usageError(u"Неизвестный вид листа: %1 (day, template, zameny, slips или journal)"_s.arg(what));
    if (line.value(u"pdf"_s).isEmpty())
        return line.usageError(u"Укажите файл: --pdf ФАЙЛ"_s);
    QDate date;
    if (!DateArgument(line.positional().first(), &date))
        return line.usageHint();
    State state;
    sheets::PrintDocument doc;
    if (!buildDocument(state, what, date, doc))
        return kExitFailed;
    const QString out = QDir::current().filePath(line.value(u"pdf"_s));
    QString error;
    if (!print::WritePdf(doc, out, &error)) {
        WriteErr(error);
        return kExitFailed;
    }
    WriteOut((QDir::toNativeSeparators(out) + u'\n').toUtf8());
    return kExitOk;
}

} // namespace rasp::cli
