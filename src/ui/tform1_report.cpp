// The delivered-hours report page Tab_3: how many lessons of each subject every class was given
// over a period of saved days, or over the saved template week.
#include "tform1.h"

#include "pageframe.h"
#include "popupclosewatcher.h"
#include "reports/period.h"
#include "reports/vipolnenie.h"
#include "reportview.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QTableView>
#include <QThread>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr QSize kReportSize(1300, 670);

} // namespace

void TForm1::buildReportPage()
{
    QVBoxLayout *page = rasp::ui::whitePageLayout(Tab_3);

    QWidget *bar = rasp::ui::captionBar(Tab_3, u"reportBar"_s);
    Label12 = new QLabel(u"При расчете учитываются только сохраненные данные"_s, bar);
    Label12->setObjectName(u"Label12"_s);
    SpeedButton10 = rasp::ui::pictureButton(bar, u"SpeedButton10"_s, u"expand"_s, QString(), 34);
    SpeedButton7 = rasp::ui::pictureButton(bar, u"SpeedButton7"_s, u"close"_s, QString(), 34);
    rasp::ui::layCaptionBar(bar, Label12, SpeedButton10, SpeedButton7);
    page->addWidget(bar);

    Rectangle16 = new QWidget(Tab_3);
    Rectangle16->setObjectName(u"Rectangle16"_s);
    Rectangle16->setFixedHeight(44);
    auto *period = new QHBoxLayout(Rectangle16);
    period->setContentsMargins(10, 4, 10, 4);
    period->addWidget(new QLabel(u"Рассчитать с"_s, Rectangle16));
    sDateTimePicker4->setParent(Rectangle16);
    sDateTimePicker4->setFixedWidth(140);
    period->addWidget(sDateTimePicker4);
    period->addWidget(new QLabel(u"по"_s, Rectangle16));
    sDateTimePicker5->setParent(Rectangle16);
    sDateTimePicker5->setFixedWidth(140);
    period->addWidget(sDateTimePicker5);
    sSpeedButton19 = rasp::ui::pictureButton(Rectangle16, u"sSpeedButton19"_s, u"report"_s, u"Рассчитать"_s, 34);
    period->addWidget(sSpeedButton19);
    sProgressBar1 = new QProgressBar(Rectangle16);
    sProgressBar1->setObjectName(u"sProgressBar1"_s);
    sProgressBar1->setFixedWidth(272);
    sProgressBar1->setTextVisible(false);
    period->addWidget(sProgressBar1);
    period->addStretch(1);
    page->addWidget(Rectangle16);

    reportModel = new rasp::ui::ReportModel(this);
    StringGrid1 = new QTableView(Tab_3);
    StringGrid1->setObjectName(u"StringGrid1"_s);
    auto *reportHeader = new rasp::ui::ReportHeader(StringGrid1);
    reportHeader->fitColumnsToContent(); // the count at a cell's end always shows
    StringGrid1->setHorizontalHeader(reportHeader);
    StringGrid1->setModel(reportModel);
    StringGrid1->verticalHeader()->hide();
    StringGrid1->setShowGrid(true);
    StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->setWordWrap(false);
    page->addWidget(StringGrid1, 1);
}

void TForm1::wireReport()
{
    connect(img_SB8, &QToolButton::clicked, this, &TForm1::sSpeedButton8Click);
    connect(sSpeedButton19, &QToolButton::clicked, this, &TForm1::sSpeedButton19Click);
    connect(SpeedButton10, &QToolButton::clicked, this, &TForm1::SpeedButton10Click);
    connect(SpeedButton7, &QToolButton::clicked, this, &TForm1::SpeedButton7Click);
    new rasp::ui::PopupCloseWatcher(sDateTimePicker4, [this] { sDateTimePicker4ClosePicker(); });
    new rasp::ui::PopupCloseWatcher(sDateTimePicker5, [this] { sDateTimePicker4ClosePicker(); });
    // A date typed in changes the period as well: the old result no longer belongs to it.
    for (QDateEdit *picker : {sDateTimePicker4, sDateTimePicker5})
        connect(picker, &QDateEdit::dateChanged, this, [this] {
            if (Tab_3->isVisible() && Tab_3->isEnabled())
                sDateTimePicker4ClosePicker();
        });
}

void TForm1::placeReportPage()
{
    if (reportFilled) {
        Tab_3->setFixedSize(size());
        Tab_3->move(0, 0);
    } else {
        // Centred 1300 x 670; a smaller window gets the panel cut down to it, never off its edge.
        const QSize panel = kReportSize.boundedTo(size());
        Tab_3->setFixedSize(panel);
        Tab_3->move((width() - panel.width()) / 2, (height() - panel.height()) / 2);
    }
}

void TForm1::sSpeedButton8Click()
{
    reportOpen = true;
    FormEnable(false);
    reportFilled = false;
    SpeedButton10->setIcon(QIcon(u":/img/expand.svg"_s));
    placeReportPage();
    NachZapolSG();
    const bool dayPage = dayPageActive();
    Rectangle16->setVisible(dayPage);
    Tab_3->show();
    Tab_3->raise();
    if (dayPage)
        sSpeedButton19->setEnabled(sDateTimePicker5->date() >= sDateTimePicker4->date());
    else
        RaschetVipProg(1);
}

void TForm1::NachZapolSG()
{
    QStringList headers;
    for (int j = 1; j <= m_state.klassvis; ++j)
        headers << m_state.Klass[std::size_t(j)];
    reportModel->resetColumns(headers);
    sProgressBar1->setValue(0);
}

void TForm1::sSpeedButton19Click()
{
    RaschetVipProg(0);
}

void TForm1::sDateTimePicker4ClosePicker()
{
    NachZapolSG();
    sSpeedButton19->setEnabled(sDateTimePicker5->date() >= sDateTimePicker4->date());
}

void TForm1::RaschetVipProg(int reg)
{
    Tab_3->setEnabled(false);
    rasp::reports::Vipolnenie vip;
    rasp::reports::VipolnenieStart(m_state, vip);
    int done = 0;
    const auto step = [&](bool counted, unsigned long pauseMs) {
        if (counted)
            reportModel->setCells(rasp::reports::VipTable(vip));
        ++done;
        sProgressBar1->setValue(std::min(done, sProgressBar1->maximum()));
        QCoreApplication::processEvents();
        QThread::msleep(pauseMs);
        return isVisible(); // the window closed meanwhile: nothing left to show the result in
    };
    QStringList errors;
    if (reg == 0) {
        const QDate from = sDateTimePicker4->date();
        const QDate to = sDateTimePicker5->date();
        if (const QString problem = rasp::reports::PeriodProblem(from, to); !problem.isEmpty()) {
            Tab_3->setEnabled(true);
            Rct_SoobPokaz(problem);
            return;
        }
        // One step per day counted, so a one-day range fills the bar (a 0..0 range would be
        // the endless busy animation).
        sProgressBar1->setRange(0, int(std::max<qint64>(from.daysTo(to), 0)) + 1);
        sProgressBar1->setValue(0);
        errors = rasp::reports::RaschetPeriod(m_state, vip, from, to, [&](bool counted) { return step(counted, 5); });
        sSpeedButton19->setEnabled(false);
    } else {
        sProgressBar1->setRange(0, 7);
        sProgressBar1->setValue(0);
        errors = rasp::reports::RaschetWeek(m_state, vip, [&](bool counted) { return step(counted, 15); });
    }
    Tab_3->setEnabled(true);
    if (!errors.isEmpty())
        Rct_SoobPokaz(u"Не учтены файлы, которые не удалось прочитать:\r\n"_s + errors.join(u"\r\n"_s));
}

void TForm1::SpeedButton10Click()
{
    reportFilled = !reportFilled;
    SpeedButton10->setIcon(QIcon(reportFilled ? u":/img/collapse.svg"_s : u":/img/expand.svg"_s));
    placeReportPage();
}

void TForm1::SpeedButton7Click()
{
    Tab_3->hide();
    reportOpen = false;
    FormEnable(true);
}
