// Printing from the window: the print controller gets the window's question, notice and shell,
// and the documents of the page shown (rasp::ui::PageJob and the others of print/printjobs.h).
#include "tform1.h"

#include "print/printcontroller.h"
#include "print/printjobs.h"
#include "print/printtexts.h"
#include "reports/reportscontroller.h"
#include "reports/zamenypage.h"

#include <QDateEdit>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;

void TForm1::wirePrint()
{
    m_print = new rasp::ui::PrintController(
        this, {[this](const QString &q) { return Dial(q); }, [this](const QString &s) { Rct_SoobPokaz(s); },
               [this](const QString &p) { return m_reports->shellOpen(p); }});
    // An exported file the system cannot open is named, with its folder offered.
    m_reports->openExported = [this](const QString &path) { m_print->openResult(path); };

    const auto pageJob = [this] {
        return rasp::ui::PageJob(m_state, dayPageActive(), templatePageActive(), sDateTimePicker3->date());
    };
    const auto webJob = [this] { return rasp::ui::DayWebJob(m_state, dayPageActive(), sDateTimePicker3->date()); };
    m_print->addMenu(img_SB2, pageJob, webJob);
    m_print->addMenu(img_SB12, pageJob, webJob);
    const auto sheetJob = [this] { return rasp::ui::SheetJob(m_state, m_reports->sheet()); };
    const auto slipsJob = [this] { return rasp::ui::SlipsJob(m_state, m_reports->sheet()); };
    const auto journalJob = [this]() -> std::optional<rasp::ui::PrintJob> {
        QStringList errors;
        rasp::ui::PrintJob job = rasp::ui::JournalJob(m_state, m_reports->substitutionsPage()->date->date(), &errors);
        if (!errors.isEmpty())
            Rct_SoobPokaz(errors.join(u"\r\n"_s));
        return job;
    };
    using namespace rasp::ui::printtexts;
    m_print->addMenuButton(m_reports->substitutionsPage()->wordButton, {{kSheetMenu.toString(), sheetJob},
                                                                        {kSlipsMenu.toString(), slipsJob},
                                                                        {kJournalMenu.toString(), journalJob}});
}
