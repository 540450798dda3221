// Application shell: entering and leaving pages, the two modes of the grid page's tool bar,
// and the action hints that carry the target date.
#include "tform1.h"
#include "shell/shelltexts.h"

#include "day/counterscontroller.h"

#include "absences/absencescontroller.h"
#include "day/dayfilecontroller.h"
#include "edit/editfunnel.h"
#include "template/templatecontroller.h"

#include "shell/messages.h"

#include "day/dayfile.h"
#include "day/daygridview.h"
#include "shell/hint.h"
#include "shell/tabbutton.h"
#include "template/setka.h"
#include "text/datewords.h"
#include "text/textfile.h"

#include <QDateEdit>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QTimer>
#include <QLabel>
#include <QPlainTextEdit>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;

void TForm1::wirePages()
{
    connect(SpeedB1, &QAbstractButton::clicked, this, &TForm1::SpeedB1Click);
    connect(SpeedB5, &QAbstractButton::clicked, this, &TForm1::SpeedB5Click);
    connect(SpeedB2, &QAbstractButton::clicked, this, &TForm1::SpeedB2Click);
    connect(SpeedB4, &QAbstractButton::clicked, this, &TForm1::SpeedB4Click);
}

bool TForm1::dayPageActive() const
{
    return SpeedB1->hasActiveLook();
}

bool TForm1::templatePageActive() const
{
    return SpeedB5->hasActiveLook();
}

void TForm1::SpeedB1Click()
{
    if (templatePageActive() && Dial(rasp::ui::kLoseChanges) != rasp::ui::shelltexts::kYes)
        return;
    SostMeuProg(1, 0, 0, 0, 0);
}

void TForm1::SpeedB2Click()
{
    SostMeuProg(0, 1, 0, 0, 0);
}

void TForm1::SpeedB4Click()
{
    SostMeuProg(0, 0, 0, 1, 0);
}

void TForm1::SpeedB5Click()
{
    if (dayPageActive() && Dial(rasp::ui::kLoseChanges) != rasp::ui::shelltexts::kYes)
        return;
    dejstv();
}

void TForm1::setActionBarMode(bool dayMode)
{
    // x in day mode, x in template mode; -1 = hidden in that mode.
    const struct {
        QToolButton *picture;
        int dayX;
        int templateX;
    } bar[] = {
        {img_SB8, 10, 10},
        {img_SB3, 50, 50},
        {img_SB9, 90, -1},
        {img_SB10, 130, 90},
        {img_SB11, 170, 130},
        {img_SB12, 210, 170},
        {img_SB2, 250, 210},
        {img_SB13, 290, -1},
        {img_SB14, 330, -1},
        {img_SB1, 370, 250},
        {img_SBZam, 370, -1}, // below img_SB1, beside the date pickers
    };
    for (const auto &b : bar) {
        const int x = dayMode ? b.dayX : b.templateX;
        b.picture->setVisible(x >= 0);
        if (x >= 0)
            b.picture->move(x, b.picture->y());
    }
    for (QWidget *w : {static_cast<QWidget *>(labLoadDate), static_cast<QWidget *>(labEditDate),
                       static_cast<QWidget *>(sDateTimePicker1), static_cast<QWidget *>(sDateTimePicker2)})
        w->setVisible(dayMode);
    sGroupBox4->setFixedWidth(dayMode ? 410 : 290);
    Rectangle13->setVisible(dayMode);
    RctSet->setVisible(!dayMode);

    // Box order of the top bar: creation date, teacher caption, weekday strip in day mode;
    // weekday strip, teacher caption in template mode.
    auto *topBar = static_cast<QHBoxLayout *>(Panel5->layout());
    const QList<QWidget *> order = dayMode ? QList<QWidget *>{Rectangle13, Rectangle15, RctSet}
                                           : QList<QWidget *>{RctSet, Rectangle15, Rectangle13};
    for (QWidget *box : order)
        topBar->removeWidget(box);
    for (int k = 0; k < order.size(); ++k)
        topBar->insertWidget(k, order.at(k));
}

void TForm1::SostMeuProg(int r1, int r2, int /*r3*/, int r4, int r5)
{
    // 1. Leaving the template page writes the grid into the template in memory.
    if (templatePageActive())
        m_template->keepShownWeekday();

    // 2. Hide the pages and the pop-up lists; every tab inactive.
    for (QWidget *page : {Tab_1, Tab_2, Tab_3, Tab_4})
        page->hide();
    m_counters->hideWarning();
    hideCellLists();
    for (auto *tab : {SpeedB1, SpeedB5, SpeedB2, SpeedB4})
        tab->setActiveLook(false);

    if (r1 == 1) { // 3. Day page
        showFrameAndMemo();
        SpeedB1->setActiveLook(true);
        setActionBarMode(true);
        TextKnop();
        sGroupBox9->setVisible(m_state.settings.useServer);
        // While the day is opened the grid has not settled: the pin list's checks lock nothing.
        m_edits->keepFacts([](rasp::State &s) { s.chek_pderm = 0; });
        VtorayaSmenaGranici();
        m_dayFile->openTargetDay();
        m_edits->keepFacts([](rasp::State &s) {
            for (int j = 1; j <= s.klassvis; ++j)
                for (int i = 1; i <= s.max_ur; ++i)
                    s.grid.cell(i, j).roomVisible = true;
        });
        showFrameAndMemo();
        m_edits->keepFacts([](rasp::State &s) { s.chek_pderm = 1; });
        if (m_state.tab1vis == 1)
            Tab_1->show();
        grid->viewport()->update();
    } else if (r2 == 1) { // 4. Load page
        SpeedB2->setActiveLook(true);
        Tab_2->show();
    } else if (r4 == 1) { // 5. Settings page
        SpeedB4->setActiveLook(true);
        Tab_4->show();
    } else if (r5 == 1) { // 6. Template page
        SpeedB5->setActiveLook(true);
        setActionBarMode(false);
        TextKnop();
        sGroupBox9->hide();
        grid->memo()->hide();
        if (m_state.tab1vis == 1)
            Tab_1->show();
    }
    if (m_absences)
        m_absences->dayChanged(); // open lessons are marked and counted on the day page only
}

void TForm1::TextKnop()
{
    const QDate d = sDateTimePicker3->date();
    const QString date = rasp::text::ShortDate(d);
    sLabel2->setText(rasp::text::day(d));
    if (dayPageActive()) {
        rasp::ui::setHint(img_SB11, rasp::ui::shelltexts::kHintSaveDay.toString().arg(date));
        rasp::ui::setHint(img_SB8, rasp::ui::shelltexts::kHintHoursPeriod.toString());
        rasp::ui::setHint(img_SB9, rasp::ui::shelltexts::kHintDayFromTemplate.toString().arg(rasp::text::day2(d)));
        rasp::ui::setHint(img_SB12, rasp::ui::shelltexts::kHintDayToWord.toString().arg(date));
        rasp::ui::setHint(img_SB2, rasp::ui::shelltexts::kHintDayToExcel.toString().arg(date));
    } else {
        rasp::ui::setHint(img_SB8, rasp::ui::shelltexts::kHintHoursWeek.toString());
        rasp::ui::setHint(img_SB11, rasp::ui::shelltexts::kHintSaveTemplate.toString());
        rasp::ui::setHint(img_SB12, rasp::ui::shelltexts::kHintTemplateToWord.toString());
        rasp::ui::setHint(img_SB2, rasp::ui::shelltexts::kHintTemplateToExcel.toString());
    }
    rasp::ui::setHint(img_SB13, rasp::ui::shelltexts::kHintPublish.toString().arg(date));
    rasp::ui::setHint(img_SB14, rasp::ui::shelltexts::kHintWithdraw.toString().arg(date));
}
