#include "print/printjobs.h"

#include "print/printtexts.h"
#include "reports/exportlayout.h"
#include "reports/zamenylayout.h"
#include "sheets/daysheets.h"
#include "state.h"
#include "text/datewords.h"
#include "web/webfolder.h"

using namespace Qt::Literals::StringLiterals;

namespace rasp::ui {

namespace {

// A job of one table.
PrintJob tableJob(sheets::SheetTable table, const QString &pdfPath, const QString &question)
{
    PrintJob job;
    job.document.title = table.title;
    job.document.tables.push_back(std::move(table));
    job.pdfPath = pdfPath;
    job.question = question;
    return job;
}

} // namespace

std::optional<PrintJob> PageJob(const State &state, bool dayPage, bool templatePage, QDate date)
{
    if (dayPage)
        return tableJob(sheets::DayTable(state, date), reports::DayExportPath(date, u"pdf"_s),
                        printtexts::kDayPdfQuestion.toString().arg(text::day2(date)));
    if (templatePage) {
        const int k = state.vibr_den_set;
        return tableJob(sheets::TemplateTable(state, k), u"setka/"_s + text::daySet(k) + u".pdf"_s, QString());
    }
    return std::nullopt;
}

std::optional<WebJob> DayWebJob(const State &state, bool dayPage, QDate date)
{
    if (!dayPage)
        return std::nullopt;
    return WebJob{web::DayWebPages(state, date), u"raspisanie/web"_s,
                  printtexts::kWebQuestion.toString().arg(text::day2(date))};
}

std::optional<PrintJob> SheetJob(const State &state, const reports::ZamenySheet *sheet)
{
    if (!sheet)
        return std::nullopt;
    return tableJob(sheets::ZamenyTable(state, *sheet), reports::ZamenyExportPath(sheet->date, u"pdf"_s),
                    printtexts::kZamenyPdfQuestion.toString().arg(text::day2(sheet->date)));
}

std::optional<PrintJob> SlipsJob(const State &state, const reports::ZamenySheet *sheet)
{
    if (!sheet)
        return std::nullopt;
    PrintJob job;
    job.document.slipsDocument = true;
    job.document.title = sheets::SlipsTitle(sheet->date);
    job.document.slips = sheets::SlipsOf(sheets::CoversOfSheet(state, *sheet));
    job.document.emptySlips = printtexts::kNoSlips.toString();
    job.pdfPath = printtexts::kSlipsPdf.toString().arg(text::ShortDate(sheet->date));
    return job;
}

PrintJob JournalJob(const State &state, QDate date, QStringList *errors)
{
    const reports::Journal journal = sheets::MonthJournal(state, date);
    if (errors)
        *errors = journal.errors;
    return tableJob(sheets::JournalTable(journal), printtexts::kJournalPdf.toString().arg(date.toString(u"MM.yyyy"_s)),
                    QString());
}

} // namespace rasp::ui
