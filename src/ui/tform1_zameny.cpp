// The substitution page Tab_Zam: the saved day of a date against the template of its weekday, by
// class or by teacher, the tally per teacher over a period, and their files.
#include "tform1.h"

#include "docxfile.h"
#include "hint.h"
#include "reports/period.h"
#include "reports/zamenylayout.h"
#include "texttablemodel.h"
#include "xlsxfile.h"
#include "zamenypage.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QTableView>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr QSize kZamenySize(1300, 670);

} // namespace

void TForm1::buildZamenyPage()
{
    Tab_Zam = new rasp::ui::ZamenyPage(this);
    Tab_Zam->setFixedSize(kZamenySize);
    Tab_Zam->hide();
    rasp::ui::setHint(img_SBZam, u"Замены: сохраненное расписание дня\r\nпротив шаблона его дня недели"_s);
}

void TForm1::wireZameny()
{
    connect(img_SBZam, &QToolButton::clicked, this, &TForm1::ZamenyClick);
    connect(Tab_Zam->date, &QDateEdit::dateChanged, this, [this] {
        if (Tab_Zam->isVisible())
            ZamenyPokaz();
    });
    connect(Tab_Zam->views, &QButtonGroup::idClicked, this, [this] { ZamenyVid(); });
    connect(Tab_Zam->countButton, &QToolButton::clicked, this, &TForm1::ZamenyRaschet);
    connect(Tab_Zam->excelButton, &QToolButton::clicked, this, &TForm1::ZamenyExcel);
    connect(Tab_Zam->wordButton, &QToolButton::clicked, this, &TForm1::ZamenyWord);
    connect(Tab_Zam->sizeButton, &QToolButton::clicked, this, &TForm1::ZamenySize);
    connect(Tab_Zam->closeButton, &QToolButton::clicked, this, &TForm1::ZamenyClose);
    // The period's button is usable while the end is not before the start.
    for (QDateEdit *d : {Tab_Zam->from, Tab_Zam->to})
        connect(d, &QDateEdit::dateChanged, this,
                [this] { Tab_Zam->countButton->setEnabled(Tab_Zam->to->date() >= Tab_Zam->from->date()); });
}

void TForm1::placeZamenyPage()
{
    if (zamenyFilled) {
        Tab_Zam->setFixedSize(size());
        Tab_Zam->move(0, 0);
    } else {
        const QSize panel = kZamenySize.boundedTo(size());
        Tab_Zam->setFixedSize(panel);
        Tab_Zam->move((width() - panel.width()) / 2, (height() - panel.height()) / 2);
    }
}

void TForm1::ZamenyClick()
{
    reportOpen = true;
    FormEnable(false);
    zamenyFilled = false;
    Tab_Zam->sizeButton->setIcon(QIcon(u":/img/expand.svg"_s));
    placeZamenyPage();
    const QDate d = sDateTimePicker3->date();
    {
        const QSignalBlocker block(Tab_Zam->date);
        Tab_Zam->date->setDate(d);
    }
    // The period offered is the month of the date up to the date itself.
    Tab_Zam->from->setDate(QDate(d.year(), d.month(), 1));
    Tab_Zam->to->setDate(d);
    Tab_Zam->progress->setValue(0);
    zamenyTally.reset();
    Tab_Zam->setView(rasp::ui::ZamenyPage::ByClass);
    Tab_Zam->show();
    Tab_Zam->raise();
    ZamenyPokaz();
}

void TForm1::ZamenyPokaz()
{
    const rasp::reports::ZamenyResult r = rasp::reports::ZamenyForDate(m_state, Tab_Zam->date->date());
    zamenySheet = r.sheet;
    zamenyError = r.error;
    if (Tab_Zam->view() == rasp::ui::ZamenyPage::Period)
        Tab_Zam->setView(rasp::ui::ZamenyPage::ByClass);
    ZamenyVid();
}

void TForm1::ZamenyVid()
{
    using rasp::ui::ZamenyPage;
    const ZamenyPage::View view = Tab_Zam->view();
    if (view == ZamenyPage::Period) {
        Tab_Zam->wordButton->setEnabled(false);
        Tab_Zam->excelButton->setEnabled(zamenyTally.has_value());
        if (!zamenyTally) {
            Tab_Zam->status->setText(u"Выберите период и нажмите «Рассчитать»"_s);
            Tab_Zam->showTable(rasp::reports::TallyHeader(), {}, {});
            return;
        }
        const QString summary =
            u"%1: сравнено дней — %2"_s.arg(rasp::reports::TallyTitle(zamenyFrom, zamenyTo)).arg(zamenyTally->days);
        Tab_Zam->status->setText(QStringList(QStringList{summary} + zamenyTally->notices).join(u'\n'));
        Tab_Zam->showTable(rasp::reports::TallyHeader(), rasp::reports::TallyRows(*zamenyTally), {220, 130, 400, 160, 360});
        return;
    }
    Tab_Zam->wordButton->setEnabled(zamenySheet.has_value());
    Tab_Zam->excelButton->setEnabled(zamenySheet.has_value());
    if (!zamenySheet) {
        Tab_Zam->status->setText(zamenyError);
        Tab_Zam->showTable(view == ZamenyPage::ByClass ? rasp::reports::SheetHeader() : rasp::reports::TeacherViewHeader(),
                           {}, {});
        return;
    }
    const rasp::reports::ZamenySheet &sheet = *zamenySheet;
    const QString summary = sheet.changes.empty()
                                ? rasp::reports::NoChangesText(sheet.date)
                                : u"%1: изменений — %2"_s.arg(rasp::reports::ZamenyTitle(sheet.date)).arg(sheet.changes.size());
    // Classes read by name are named under the summary, once each.
    Tab_Zam->status->setText(QStringList(QStringList{summary} + sheet.notices).join(u'\n'));
    if (view == ZamenyPage::ByClass) {
        std::vector<QStringList> rows;
        for (const rasp::reports::SheetRow &r : rasp::reports::SheetRows(m_state, sheet))
            rows.push_back({r.klass, QString::number(r.lesson), r.was, r.now, r.room, r.kind});
        Tab_Zam->showTable(rasp::reports::SheetHeader(), std::move(rows), {80, 60, 300, 300, 140, 160});
    } else {
        Tab_Zam->showTable(rasp::reports::TeacherViewHeader(),
                           rasp::reports::TeacherViewRows(m_state, rasp::reports::TallyOfSheet(m_state, sheet)),
                           {220, 260, 260, 260, 260});
    }
}

void TForm1::ZamenyRaschet()
{
    const QDate from = Tab_Zam->from->date();
    const QDate to = Tab_Zam->to->date();
    if (to < from)
        return;
    if (const QString problem = rasp::reports::PeriodProblem(from, to); !problem.isEmpty()) {
        Rct_SoobPokaz(problem);
        return;
    }
    Tab_Zam->setEnabled(false);
    Tab_Zam->progress->setRange(0, int(from.daysTo(to)) + 1);
    Tab_Zam->progress->setValue(0);
    int done = 0;
    rasp::reports::ZamenyTally tally = rasp::reports::ZamenyPeriod(m_state, from, to, [&](bool) {
        Tab_Zam->progress->setValue(++done);
        QCoreApplication::processEvents();
        return isVisible(); // the window closed meanwhile: nothing left to show the result in
    });
    Tab_Zam->setEnabled(true);
    zamenyTally = std::move(tally);
    zamenyFrom = from;
    zamenyTo = to;
    Tab_Zam->setView(rasp::ui::ZamenyPage::Period);
    ZamenyVid();
    QStringList notes;
    if (!zamenyTally->skipped.isEmpty())
        notes << u"Не учтены дни:"_s << zamenyTally->skipped;
    if (!zamenyTally->errors.isEmpty())
        notes << u"Не удалось прочитать:"_s << zamenyTally->errors;
    if (!notes.isEmpty())
        Rct_SoobPokaz(notes.join(u"\r\n"_s));
}

void TForm1::ZamenyExcel()
{
    if (Tab_Zam->view() == rasp::ui::ZamenyPage::Period) {
        if (!zamenyTally)
            return;
        exportFile(rasp::reports::TallyExportPath(zamenyFrom, zamenyTo), [this](const QString &path, QString *error) {
            return rasp::exporter::WriteXlsx(rasp::reports::TallyWorkbook(*zamenyTally, zamenyFrom, zamenyTo), path, error);
        });
        return;
    }
    if (!zamenySheet)
        return;
    exportFile(rasp::reports::ZamenyExportPath(zamenySheet->date, u"xlsx"_s), [this](const QString &path, QString *error) {
        return rasp::exporter::WriteXlsx(rasp::reports::ZamenyWorkbook(m_state, *zamenySheet), path, error);
    });
}

void TForm1::ZamenyWord()
{
    if (!zamenySheet || Tab_Zam->view() == rasp::ui::ZamenyPage::Period)
        return;
    exportFile(rasp::reports::ZamenyExportPath(zamenySheet->date, u"docx"_s), [this](const QString &path, QString *error) {
        return rasp::exporter::WriteDocx(rasp::reports::ZamenyDocument(m_state, *zamenySheet), path, error);
    });
}

void TForm1::ZamenySize()
{
    zamenyFilled = !zamenyFilled;
    Tab_Zam->sizeButton->setIcon(QIcon(zamenyFilled ? u":/img/collapse.svg"_s : u":/img/expand.svg"_s));
    placeZamenyPage();
}

void TForm1::ZamenyClose()
{
    Tab_Zam->hide();
    reportOpen = false;
    FormEnable(true);
}
