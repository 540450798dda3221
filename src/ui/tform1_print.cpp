// Printing from the window: the print controller gets the window's question, notice and shell,
// and the sheets of the page shown (the day or the template on the export pictures, the
// substitution sheet, the cover slips and the month's journal on the substitutions page).
#include "tform1.h"
#include "shell/shelltexts.h"

#include "print/printcontroller.h"
#include "reports/exportlayout.h"
#include "reports/reportscontroller.h"
#include "reports/zamenylayout.h"
#include "sheets/daysheets.h"
#include "text/datewords.h"
#include "web/webfolder.h"
#include "reports/zamenypage.h"

#include <QDateEdit>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;
using rasp::ui::PrintJob;

namespace {

// A job of one table.
PrintJob tableJob(rasp::sheets::SheetTable table, const QString &pdfPath, const QString &question)
{
    PrintJob job;
    job.document.title = table.title;
    job.document.tables.push_back(std::move(table));
    job.pdfPath = pdfPath;
    job.question = question;
    return job;
}

} // namespace

void TForm1::wirePrint()
{
    m_print = new rasp::ui::PrintController(
        this, {[this](const QString &q) { return Dial(q); }, [this](const QString &s) { Rct_SoobPokaz(s); },
               [this](const QString &p) { return m_reports->shellOpen(p); }});
    // An exported file the system cannot open is named, with its folder offered.
    m_reports->openExported = [this](const QString &path) { m_print->openResult(path); };

    const auto pageJob = [this]() -> std::optional<PrintJob> {
        if (dayPageActive()) {
            const QDate d = sDateTimePicker3->date();
            return tableJob(rasp::sheets::DayTable(m_state, d), rasp::reports::DayExportPath(d, u"pdf"_s),
                            rasp::ui::shelltexts::kDayPdfQuestion.toString().arg(rasp::text::day2(d)));
        }
        if (templatePageActive()) {
            const int k = m_state.vibr_den_set;
            return tableJob(rasp::sheets::TemplateTable(m_state, k),
                            u"setka/"_s + rasp::text::daySet(k) + u".pdf"_s, QString());
        }
        return std::nullopt;
    };
    const auto webJob = [this]() -> std::optional<rasp::ui::WebJob> {
        if (!dayPageActive())
            return std::nullopt;
        const QDate d = sDateTimePicker3->date();
        return rasp::ui::WebJob{rasp::web::DayWebPages(m_state, d), u"raspisanie/web"_s,
                                rasp::ui::shelltexts::kWebQuestion.toString().arg(rasp::text::day2(d))};
    };
    m_print->addMenu(img_SB2, pageJob, webJob);
    m_print->addMenu(img_SB12, pageJob, webJob);

    const auto sheetJob = [this]() -> std::optional<PrintJob> {
        const rasp::reports::ZamenySheet *sheet = m_reports->sheet();
        if (!sheet)
            return std::nullopt;
        const QDate d = sheet->date;
        return tableJob(rasp::sheets::ZamenyTable(m_state, *sheet), rasp::reports::ZamenyExportPath(d, u"pdf"_s),
                        rasp::ui::shelltexts::kZamenyPdfQuestion.toString().arg(rasp::text::day2(d)));
    };
    const auto slipsJob = [this]() -> std::optional<PrintJob> {
        const rasp::reports::ZamenySheet *sheet = m_reports->sheet();
        if (!sheet)
            return std::nullopt;
        const QDate d = sheet->date;
        PrintJob job;
        job.document.slipsDocument = true;
        job.document.title = rasp::sheets::SlipsTitle(d);
        job.document.slips = rasp::sheets::SlipsOf(rasp::sheets::CoversOfSheet(m_state, *sheet));
        job.document.emptySlips = rasp::ui::shelltexts::kNoSlips.toString();
        job.pdfPath = rasp::ui::shelltexts::kSlipsPdf.toString().arg(rasp::text::ShortDate(d));
        return job;
    };
    const auto journalJob = [this]() -> std::optional<PrintJob> {
        const QDate d = m_reports->substitutionsPage()->date->date();
        const rasp::reports::Journal journal = rasp::sheets::MonthJournal(m_state, d);
        if (!journal.errors.isEmpty())
            Rct_SoobPokaz(journal.errors.join(u"\r\n"_s));
        return tableJob(rasp::sheets::JournalTable(journal),
                        rasp::ui::shelltexts::kJournalPdf.toString().arg(d.toString(u"MM.yyyy"_s)), QString());
    };
    m_print->addMenuButton(m_reports->substitutionsPage()->wordButton, {{rasp::ui::shelltexts::kSheetMenu.toString(), sheetJob},
                                                                        {rasp::ui::shelltexts::kSlipsMenu.toString(), slipsJob},
                                                                        {rasp::ui::shelltexts::kJournalMenu.toString(), journalJob}});
}
