#include "reportscontroller.h"

#include "day/dayfile.h"
#include "docxfile.h"
#include "shell/pageframe.h"
#include "widgets/popupclosewatcher.h"
#include "reports/exportlayout.h"
#include "reports/journal.h"
#include "reports/journallayout.h"
#include "reports/period.h"
#include "reports/vipolnenie.h"
#include "reports/zameny.h"
#include "reports/zamenylayout.h"
#include "reports/zamenytally.h"
#include "reportstexts.h"
#include "reports/reportview.h"
#include "state.h"
#include "text/datewords.h"
#include "xlsxfile.h"
#include "reports/zamenypage.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QProgressBar>
#include <QTableView>
#include <QThread>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace rasp::ui {

namespace {

constexpr QSize kPageSize(1300, 670); // both report pages, centred

QDateEdit *makeDatePicker(QWidget *parent, const QString &name)
{
    auto *picker = new QDateEdit(parent);
    picker->setObjectName(name);
    picker->setCalendarPopup(true);
    picker->setDisplayFormat(u"dd.MM.yyyy"_s);
    return picker;
}

// Puts `page` centred at its size or over the whole window.
void placeOver(QWidget *window, QWidget *page, bool filled)
{
    if (filled) {
        page->setFixedSize(window->size());
        page->move(0, 0);
    } else {
        // A smaller window gets the panel cut down to it, never off its edge.
        const QSize panel = kPageSize.boundedTo(window->size());
        page->setFixedSize(panel);
        page->move((window->width() - panel.width()) / 2, (window->height() - panel.height()) / 2);
    }
}

} // namespace

ReportsController::ReportsController(const Shell &shell, QWidget *hoursPage, QObject *parent)
    : Controller(shell, parent)
    , m_hoursPage(hoursPage)
{
    shellOpen = [](const QString &path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); };
    buildHoursPage();
    buildSubstitutionsPage();
}

ReportsController::~ReportsController() = default;

// ---- Delivered hours (Tab_3) -------------------------------------------------------------------

void ReportsController::buildHoursPage()
{
    QWidget *page = m_hoursPage;
    QVBoxLayout *layout = whitePageLayout(page);

    QWidget *bar = captionBar(page, u"reportBar"_s);
    m_note = new QLabel(reportstexts::kSavedOnly.toString(), bar);
    m_note->setObjectName(u"Label12"_s);
    m_sizeButton = pictureButton(bar, u"SpeedButton10"_s, u"expand"_s, QString(), 34);
    m_closeButton = pictureButton(bar, u"SpeedButton7"_s, u"close"_s, QString(), 34);
    layCaptionBar(bar, m_note, m_sizeButton, m_closeButton);
    layout->addWidget(bar);

    m_periodBar = new QWidget(page);
    m_periodBar->setObjectName(u"Rectangle16"_s);
    m_periodBar->setFixedHeight(44);
    auto *period = new QHBoxLayout(m_periodBar);
    period->setContentsMargins(10, 4, 10, 4);
    period->setSpacing(8); // the captions keep clear of their date fields
    period->addWidget(new QLabel(reportstexts::kCountFrom.toString(), m_periodBar));
    m_from = makeDatePicker(m_periodBar, u"sDateTimePicker4"_s);
    m_from->setFixedWidth(140);
    period->addWidget(m_from);
    period->addWidget(new QLabel(reportstexts::kCountTo.toString(), m_periodBar));
    m_to = makeDatePicker(m_periodBar, u"sDateTimePicker5"_s);
    m_to->setFixedWidth(140);
    period->addWidget(m_to);
    m_countButton = pictureButton(m_periodBar, u"sSpeedButton19"_s, u"report"_s, reportstexts::kCount.toString(), 34);
    period->addWidget(m_countButton);
    m_progress = new QProgressBar(m_periodBar);
    m_progress->setObjectName(u"sProgressBar1"_s);
    m_progress->setFixedWidth(272);
    showCountProgress(m_progress, false);
    period->addWidget(m_progress);
    period->addStretch(1);
    layout->addWidget(m_periodBar);

    m_model = new ReportModel(this);
    m_table = new QTableView(page);
    m_table->setObjectName(u"StringGrid1"_s);
    auto *header = new ReportHeader(m_table);
    header->fitColumnsToContent(); // the count at a cell's end always shows
    m_table->setHorizontalHeader(header);
    m_table->setModel(m_model);
    m_table->verticalHeader()->hide();
    m_table->setShowGrid(true);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setWordWrap(false);
    layout->addWidget(m_table, 1);

    connect(m_countButton, &QToolButton::clicked, this, [this] { countHours(0); });
    connect(m_sizeButton, &QToolButton::clicked, this, &ReportsController::toggleHoursSize);
    connect(m_closeButton, &QToolButton::clicked, this, &ReportsController::closeHours);
    new PopupCloseWatcher(m_from, [this] { periodChanged(); });
    new PopupCloseWatcher(m_to, [this] { periodChanged(); });
    // A date typed in changes the period as well: the old result no longer belongs to it.
    for (QDateEdit *picker : {m_from, m_to})
        connect(picker, &QDateEdit::dateChanged, this, [this] {
            if (m_hoursPage->isVisible() && m_hoursPage->isEnabled())
                periodChanged();
        });
}

void ReportsController::setPeriod(QDate date)
{
    m_from->setDate(date);
    m_to->setDate(date);
}

void ReportsController::placePages()
{
    placeHoursPage();
    placeSubstitutionsPage();
}

void ReportsController::placeHoursPage()
{
    placeOver(window(), m_hoursPage, m_hoursFilled);
}

void ReportsController::openHours()
{
    m_open = true;
    enablePages(false);
    m_hoursFilled = false;
    m_sizeButton->setIcon(QIcon(u":/img/expand.svg"_s));
    placeHoursPage();
    resetHoursTable();
    const bool onDayPage = dayPage();
    m_periodBar->setVisible(onDayPage);
    m_hoursPage->show();
    m_hoursPage->raise();
    if (onDayPage)
        m_countButton->setEnabled(m_to->date() >= m_from->date());
    else
        countHours(1);
}

void ReportsController::resetHoursTable()
{
    QStringList headers;
    for (int j = 1; j <= state().klassvis; ++j)
        headers << state().Klass[std::size_t(j)];
    m_model->resetColumns(headers);
    m_progress->setValue(0);
    showCountProgress(m_progress, false);
}

void ReportsController::periodChanged()
{
    resetHoursTable();
    m_countButton->setEnabled(m_to->date() >= m_from->date());
}

void ReportsController::countHours(int reg)
{
    m_hoursPage->setEnabled(false);
    reports::Vipolnenie vip;
    reports::VipolnenieStart(state(), vip);
    int done = 0;
    // Each step processes events (a nested loop): nothing here keeps a cell of the grid.
    const auto step = [&](bool counted, unsigned long pauseMs) {
        if (counted)
            m_model->setCells(reports::VipTable(vip));
        ++done;
        m_progress->setValue(std::min(done, m_progress->maximum()));
        QCoreApplication::processEvents();
        QThread::msleep(pauseMs);
        return window()->isVisible(); // the window closed meanwhile: nothing left to show the result in
    };
    reports::VipOutcome outcome;
    if (reg == 0) {
        const QDate from = m_from->date();
        const QDate to = m_to->date();
        if (const QString problem = reports::PeriodProblem(from, to); !problem.isEmpty()) {
            m_hoursPage->setEnabled(true);
            notify(problem);
            return;
        }
        // One step per day counted, so a one-day range fills the bar (a 0..0 range would be
        // the endless busy animation).
        m_progress->setRange(0, int(std::max<qint64>(from.daysTo(to), 0)) + 1);
        m_progress->setValue(0);
        showCountProgress(m_progress, true);
        outcome = reports::RaschetPeriod(state(), vip, from, to, [&](bool counted) { return step(counted, 5); });
        m_countButton->setEnabled(false);
    } else {
        m_progress->setRange(0, 7);
        m_progress->setValue(0);
        showCountProgress(m_progress, true);
        outcome = reports::RaschetWeek(state(), vip, [&](bool counted) { return step(counted, 15); });
    }
    m_hoursPage->setEnabled(true);
    QStringList notices = outcome.notices;
    if (!outcome.errors.isEmpty())
        notices.prepend(reportstexts::kUnreadableFiles.toString() + outcome.errors.join(u"\r\n"_s));
    if (!notices.isEmpty())
        notify(notices.join(u"\r\n"_s));
}

void ReportsController::toggleHoursSize()
{
    m_hoursFilled = !m_hoursFilled;
    m_sizeButton->setIcon(QIcon(m_hoursFilled ? u":/img/collapse.svg"_s : u":/img/expand.svg"_s));
    placeHoursPage();
}

void ReportsController::closeHours()
{
    m_hoursPage->hide();
    m_open = false;
    enablePages(true);
}

// ---- Substitutions (Tab_Zam) -------------------------------------------------------------------

void ReportsController::buildSubstitutionsPage()
{
    m_zameny = new ZamenyPage(window());
    m_zameny->setFixedSize(kPageSize);
    m_zameny->hide();
    connect(m_zameny->date, &QDateEdit::dateChanged, this, [this] {
        if (m_zameny->isVisible())
            showSubstitutions();
    });
    connect(m_zameny->views, &QButtonGroup::idClicked, this, [this] { showSubstitutionView(); });
    connect(m_zameny->countButton, &QToolButton::clicked, this, &ReportsController::countSubstitutions);
    connect(m_zameny->excelButton, &QToolButton::clicked, this, &ReportsController::substitutionsToXlsx);
    connect(m_zameny->wordButton, &QToolButton::clicked, this, &ReportsController::substitutionsToDocx);
    // "As weekday": kept beside the day, its journal worked out again, the sheet shown anew.
    connect(m_zameny->asWeekday, &QComboBox::activated, this, [this](int weekday) {
        const QDate d = m_zameny->date->date();
        QString error;
        if (!QFileInfo::exists(day::DayFilePath(d)))
            error = reportstexts::kWeekdayNeedsSavedDay.toString().arg(text::ShortDate(d));
        else if (reports::RecordFollowedWeekday(d, weekday == d.dayOfWeek() ? 0 : weekday, &error))
            reports::RecordJournal(state(), d, &error);
        if (!error.isEmpty())
            notify(error);
        showSubstitutions();
    });
    connect(m_zameny->journalButton, &QToolButton::clicked, this, [this] {
        const QDate from = m_zameny->from->date(), to = m_zameny->to->date();
        if (to < from)
            return;
        const reports::Journal journal = reports::BuildJournal(state(), from, to);
        exportFile(reports::JournalExportPath(from, to), [&journal](const QString &path, QString *error) {
            return exporter::WriteXlsx(reports::JournalWorkbook(journal), path, error);
        });
    });
    connect(m_zameny->sizeButton, &QToolButton::clicked, this, &ReportsController::toggleSubstitutionsSize);
    connect(m_zameny->closeButton, &QToolButton::clicked, this, &ReportsController::closeSubstitutions);
    // The period's button is usable while the end is not before the start.
    for (QDateEdit *d : {m_zameny->from, m_zameny->to})
        connect(d, &QDateEdit::dateChanged, this,
                [this] { m_zameny->countButton->setEnabled(m_zameny->to->date() >= m_zameny->from->date()); });
}

void ReportsController::placeSubstitutionsPage()
{
    placeOver(window(), m_zameny, m_zamenyFilled);
}

void ReportsController::openSubstitutions(int view)
{
    m_open = true;
    enablePages(false);
    m_zamenyFilled = false;
    m_zameny->sizeButton->setIcon(QIcon(u":/img/expand.svg"_s));
    placeSubstitutionsPage();
    const QDate d = targetDate();
    {
        const QSignalBlocker block(m_zameny->date);
        m_zameny->date->setDate(d);
    }
    // The period offered is the month of the date up to the date itself.
    m_zameny->from->setDate(QDate(d.year(), d.month(), 1));
    m_zameny->to->setDate(d);
    m_zameny->progress->setValue(0);
    showCountProgress(m_zameny->progress, false);
    m_tally.reset();
    m_zameny->setView(ZamenyPage::View(view));
    m_zameny->show();
    m_zameny->raise();
    showSubstitutions();
}

void ReportsController::showSubstitutions()
{
    {
        const QSignalBlocker block(m_zameny->asWeekday);
        m_zameny->asWeekday->setCurrentIndex(reports::FollowedWeekday(m_zameny->date->date()));
    }
    reports::ZamenyResult r = reports::ZamenyForDate(state(), m_zameny->date->date());
    m_sheet = r.sheet ? std::make_unique<reports::ZamenySheet>(std::move(*r.sheet)) : nullptr;
    m_sheetError = r.error;
    if (m_zameny->view() == ZamenyPage::Period)
        m_zameny->setView(ZamenyPage::ByClass);
    showSubstitutionView();
}

void ReportsController::showSubstitutionView()
{
    const ZamenyPage::View view = m_zameny->view();
    // The absences view plans the covers of the day on the grid; the sheet's parts step aside.
    const bool absences = view == ZamenyPage::Absences;
    m_zameny->absencesArea->setVisible(absences);
    m_zameny->table->setVisible(!absences);
    m_zameny->status->setVisible(!absences);
    if (absences) {
        m_zameny->wordButton->setEnabled(false);
        m_zameny->excelButton->setEnabled(false);
        emit absencesShown();
        return;
    }
    if (view == ZamenyPage::Period) {
        m_zameny->wordButton->setEnabled(false);
        m_zameny->excelButton->setEnabled(m_tally != nullptr);
        if (!m_tally) {
            m_zameny->status->setText(reportstexts::kChoosePeriod.toString());
            m_zameny->showTable(reports::TallyHeader(), {}, {});
            return;
        }
        const QString summary =
            reportstexts::kDaysCompared.toString().arg(reports::TallyTitle(m_tallyFrom, m_tallyTo)).arg(m_tally->days);
        m_zameny->status->setText(QStringList(QStringList{summary} + m_tally->notices).join(u'\n'));
        m_zameny->showTable(reports::TallyHeader(), reports::TallyRows(*m_tally), {220, 130, 400, 160, 360});
        return;
    }
    m_zameny->wordButton->setEnabled(m_sheet != nullptr);
    m_zameny->excelButton->setEnabled(m_sheet != nullptr);
    if (!m_sheet) {
        m_zameny->status->setText(m_sheetError);
        m_zameny->showTable(view == ZamenyPage::ByClass ? reports::SheetHeader() : reports::TeacherViewHeader(), {}, {});
        return;
    }
    const reports::ZamenySheet &sheet = *m_sheet;
    const QString summary = sheet.changes.empty() ? reports::NoChangesText(sheet.date, sheet.followedWeekday)
                                                  : reportstexts::kChanges.toString()
                                                        .arg(reports::ZamenyTitle(sheet.date, sheet.followedWeekday))
                                                        .arg(sheet.changes.size());
    // Lessons nobody covers first, as a warning; who is absent; classes read by name, once each.
    QStringList status;
    if (!sheet.openLessons.isEmpty())
        status << reportstexts::kOpenLessons.toString().arg(sheet.openLessons.size()).arg(sheet.openLessons.join(u"; "_s));
    status << summary;
    if (!sheet.absences.isEmpty())
        status << reportstexts::kAbsent.toString() + sheet.absences.join(u"; "_s);
    m_zameny->status->setText((status + sheet.notices).join(u'\n'));
    if (view == ZamenyPage::ByClass) {
        std::vector<QStringList> rows;
        for (const reports::SheetRow &r : reports::SheetRows(state(), sheet))
            rows.push_back({r.klass, QString::number(r.lesson), r.was, r.now, r.room, r.kind});
        m_zameny->showTable(reports::SheetHeader(), std::move(rows), {80, 60, 300, 300, 140, 160});
    } else {
        m_zameny->showTable(reports::TeacherViewHeader(),
                            reports::TeacherViewRows(state(), reports::TallyOfSheet(state(), sheet)),
                            {220, 260, 260, 260, 260});
    }
}

void ReportsController::countSubstitutions()
{
    const QDate from = m_zameny->from->date();
    const QDate to = m_zameny->to->date();
    if (to < from)
        return;
    if (const QString problem = reports::PeriodProblem(from, to); !problem.isEmpty()) {
        notify(problem);
        return;
    }
    m_zameny->setEnabled(false);
    m_zameny->progress->setRange(0, int(from.daysTo(to)) + 1);
    m_zameny->progress->setValue(0);
    showCountProgress(m_zameny->progress, true);
    int done = 0;
    reports::ZamenyTally tally = reports::ZamenyPeriod(state(), from, to, [&](bool) {
        m_zameny->progress->setValue(++done);
        QCoreApplication::processEvents(); // a nested loop: nothing here keeps a cell of the grid
        return window()->isVisible();      // the window closed meanwhile: nothing left to show the result in
    });
    m_zameny->setEnabled(true);
    m_tally = std::make_unique<reports::ZamenyTally>(std::move(tally));
    m_tallyFrom = from;
    m_tallyTo = to;
    m_zameny->setView(ZamenyPage::Period);
    showSubstitutionView();
    QStringList notes;
    if (!m_tally->skipped.isEmpty())
        notes << reportstexts::kDaysSkipped.toString() << m_tally->skipped;
    if (!m_tally->errors.isEmpty())
        notes << reportstexts::kUnreadable.toString() << m_tally->errors;
    if (!notes.isEmpty())
        notify(notes.join(u"\r\n"_s));
}

bool ReportsController::askSheetExport(const QString &app) const
{
    return ask(reportstexts::kSaveSheetTo.toString().arg(text::day2(m_sheet->date), app));
}

void ReportsController::substitutionsToXlsx()
{
    if (m_zameny->view() == ZamenyPage::Period) {
        if (!m_tally)
            return;
        if (!ask(reportstexts::kSaveTallyToExcel.toString().arg(text::ShortDate(m_tallyFrom), text::ShortDate(m_tallyTo))))
            return;
        exportFile(reports::TallyExportPath(m_tallyFrom, m_tallyTo), [this](const QString &path, QString *error) {
            return exporter::WriteXlsx(reports::TallyWorkbook(*m_tally, m_tallyFrom, m_tallyTo), path, error);
        });
        return;
    }
    if (!m_sheet || !askSheetExport(u"Excel"_s))
        return;
    exportFile(reports::ZamenyExportPath(m_sheet->date, u"xlsx"_s), [this](const QString &path, QString *error) {
        return exporter::WriteXlsx(reports::ZamenyWorkbook(state(), *m_sheet), path, error);
    });
}

void ReportsController::substitutionsToDocx()
{
    if (!m_sheet || m_zameny->view() == ZamenyPage::Period || !askSheetExport(u"Word"_s))
        return;
    exportFile(reports::ZamenyExportPath(m_sheet->date, u"docx"_s), [this](const QString &path, QString *error) {
        return exporter::WriteDocx(reports::ZamenyDocument(state(), *m_sheet), path, error);
    });
}

void ReportsController::toggleSubstitutionsSize()
{
    m_zamenyFilled = !m_zamenyFilled;
    m_zameny->sizeButton->setIcon(QIcon(m_zamenyFilled ? u":/img/collapse.svg"_s : u":/img/expand.svg"_s));
    placeSubstitutionsPage();
}

void ReportsController::closeSubstitutions()
{
    m_zameny->hide();
    m_open = false;
    enablePages(true);
}

// ---- Export of the day or the template --------------------------------------------------------

void ReportsController::exportFile(const QString &rel, const std::function<bool(const QString &, QString *)> &write)
{
    enablePages(false);
    showWait(true);
    const QString path = QDir::current().filePath(rel);
    QString error;
    const bool written = write(path, &error);
    showWait(false);
    enablePages(!m_open); // an open report page keeps the pages disabled
    if (!written) {
        notify(error);
        return;
    }
    if (openExported)
        openExported(path);
    else if (!shellOpen(path))
        notify(reportstexts::kOpenFailed.toString() + QDir::toNativeSeparators(path));
}

void ReportsController::exportXlsx()
{
    if (dayPage()) {
        const QDate d = targetDate();
        if (!ask(reportstexts::kSaveDayToExcel.toString().arg(text::day2(d))))
            return;
        exportFile(reports::DayExportPath(d, u"xlsx"_s), [&](const QString &path, QString *error) {
            return exporter::WriteXlsx(reports::DaySheet(state(), d), path, error);
        });
    } else if (templatePage()) {
        exportFile(reports::SetkaExportPath(u"xlsx"_s), [&](const QString &path, QString *error) {
            return exporter::WriteXlsx(reports::SetkaSheet(state()), path, error);
        });
    }
}

void ReportsController::exportDocx()
{
    if (dayPage()) {
        const QDate d = targetDate();
        if (!ask(reportstexts::kSaveDayToWord.toString().arg(text::day2(d))))
            return;
        exportFile(reports::DayExportPath(d, u"docx"_s), [&](const QString &path, QString *error) {
            return exporter::WriteDocx(reports::DayDocument(state(), d), path, error);
        });
    } else if (templatePage()) {
        exportFile(reports::SetkaExportPath(u"docx"_s), [&](const QString &path, QString *error) {
            return exporter::WriteDocx(reports::SetkaDocument(state()), path, error);
        });
    }
}

void ReportsController::openExportFolder()
{
    QString folder;
    if (dayPage())
        folder = u"raspisanie"_s;
    else if (templatePage())
        folder = u"setka"_s;
    else
        return;
    const QString path = QDir::current().filePath(folder);
    QDir().mkpath(path); // the folder may have been removed while the editor ran
    if (!shellOpen(path))
        notify(reportstexts::kFolderFailed.toString() + QDir::toNativeSeparators(path));
}

} // namespace rasp::ui
