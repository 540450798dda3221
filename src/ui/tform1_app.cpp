// Application shell: start-up, shutdown and the tool-state routines of the main window.
#include "tform1.h"
#include "shell/shelltexts.h"

#include "day/highlightcontroller.h"

#include "day/shiftcontroller.h"

#include "reports/reportscontroller.h"
#include "schoolopening.h"
#include "appversion.h"
#include "day/dayfile.h"
#include "day/gridops.h"
#include "text/textfile.h"
#include "load/nagruzfile.h"
#include "settings/settings.h"
#include "day/daygridview.h"
#include "arrange/arrangecontroller.h"
#include "day/counters.h"
#include "load/loadcontroller.h"
#include "template/templatecontroller.h"
#include "settings/settingscontroller.h"
#include "shell/overlaypanel.h"
#include "shell/tabbutton.h"

#include <QDateEdit>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QScreen>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;

void TForm1::wireApp()
{
    connect(ButtonSoob1, &QPushButton::clicked, this, &TForm1::ButtonSoob1Click);
    connect(ButtonSoob2, &QPushButton::clicked, this, &TForm1::ButtonSoob2Click);
    connect(Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
}

void TForm1::FormCreate()
{
    // 1. The single-instance guard runs in the program entry, before this window exists.
    startingUp = true;
    NachSost();                          // 2
    m_state.simv = QString(QChar(0x0B)); // 3
    m_state.max_ur = 6;
    m_state.vibr_den_set = 1;
    m_state.chek_pderm = 0;
    m_state.tab1vis = 0;
    const QDate today = QDate::currentDate(); // 4
    m_reports->setPeriod(today);
    // The schedule-server client takes its 1000 ms connect and read time-outs where it is built.

    Rct_soobDlg->hide(); // 5
    Rct_soob->hide();
    Img_zdite->hide();
    LabSetOpis->hide();
    sPanel8->hide();
    Tab_1->hide();
    sLabel7->clear();
    SpeedB2->setTextColour(rasp::ui::kTabInactiveText);
    SpeedB4->setTextColour(rasp::ui::kTabInactiveText);

    // 6. The window's random generator is seeded from the clock where it is created.
    QDir work = QDir::current(); // 7
    for (const QString &folder : {u"r_data"_s, u"setka"_s, u"raspisanie"_s})
        work.mkdir(folder);
    m_state.collor = 0; // 8

    m_state.vibor_dat = 0; // 9
    sDateTimePicker1->setDate(today);
    sDateTimePicker2->setDate(today);
    sDateTimePicker3->setDate(today);
    m_state.vibor_dat = 1;
    m_state.vt_sm_x = 0; // 10
    m_state.vt_sm_y = 0;
    // 11 (the palette) is the first data step of OpenSchool below.
    // 12. The missing-teacher list gets its font where CountersController builds it.
    m_template->buildStrip(); // 13
    // 14. Pictures come from the resource file as the widgets are built.
    TextKnop(); // 15

    m_state.klassvis = -1; // 16
    m_state.klassvis_mas = 0;
    m_state.pedvis = -1;
    m_state.pedvis_mas = 0;

    // 11, 17, 18 and 21: the data steps, shared with the command line (core rasp::OpenSchool):
    // the palette, setting.ini before column 0 fixes max_ur, column 0 and teacher row 0, nagruz.ini.
    const rasp::SchoolOpening opening = rasp::OpenSchool(m_state);
    if (opening.settings != rasp::text::ReadResult::NoFile) // 17
        m_settings->showRead(opening.settings, opening.settingsProblems, opening.settingsError);
    else
        m_settings->toPage();
    grid->gridChanged(); // 18
    m_edits->clearHistory();
    m_load->modelChanged();

    const int h = rasp::day::GridGeometry::windowHeight(m_state.max_ur); // 19
    resize(1350, h);
    if (const QScreen *s = screen())
        move(s->availableGeometry().center() - rect().center());

    rasp::day::LimitList maxLessons; // 20
    for (int n = 2; n <= m_state.max_ur; ++n)
        maxLessons.items << QString::number(n);
    maxLessons.selected = int(maxLessons.items.size()) - 1;
    m_arrange->showMaxLessons(maxLessons);
    rasp::day::LimitList firstGaps;
    for (int n = 0; n <= m_state.max_ur - 1; ++n)
        firstGaps.items << QString::number(n);
    m_arrange->showFirstGaps(firstGaps);

    if (opening.load.status != rasp::text::ReadResult::NoFile) // 21
        m_load->showRead(opening.load, 1);
    SetkaLoad();                                         // 22
    m_highlight->coincidencesButton()->setChecked(true); // 23

    if (m_state.klassvis == 0) // 24
        m_state.grid.ramkaVisible = false;

    // 25. Today's day: its file with rooms and note, or every lesson cell empty, black and visible.
    const QString todayFile = rasp::day::DayFilePath(sDateTimePicker3->date());
    if (rasp::text::isPresent(QDir::current().filePath(todayFile))) {
        RaspLoad(todayFile, 1);
    } else {
        for (int j = 1; j <= m_state.klassvis; ++j) {
            for (int i = 1; i <= m_state.max_ur; ++i) {
                rasp::day::Cell &c = m_state.grid.cell(i, j);
                c.subject.clear();
                c.room.clear();
                c.textColour = rasp::day::kBlack;
                c.roomColour = rasp::day::kBlack;
                c.teachers.clear();
                c.roomVisible = true;
            }
        }
    }
    if (m_state.klassvis > 0)
        RamkaKoord(1, 1);

    showFrameAndMemo(); // 26, 27
    ServerConekt();     // 28

    if (m_state.klassvis >= 1) { // 29
        Tab_1->show();
        SpeedB1->setEnabled(true);
        SpeedB2->setEnabled(true);
        SpeedB5->setEnabled(true);
    } else {
        SpeedB2->setEnabled(true);
    }
    SpeedB4->setEnabled(true);

    setWindowTitle(rasp::ui::shelltexts::kWindowTitle.toString() + rasp::AppVersion()); // 30
    EnabledKomponent();                                                                 // 31
    m_arrange->disableRevert();
    ScrolNaNol();                                   // 32
    m_state.chek_pderm = 1;                         // 33
    if (m_state.klassvis > 0 && m_state.max_ur > 0) // 34
        VtorayaSmenaGranici();
    grid->gridChanged();
    startingUp = false;
}

void TForm1::showFrameAndMemo()
{
    const bool classes = m_state.klassvis >= 1;
    m_edits->keepFacts([classes](rasp::State &s) { s.grid.ramkaVisible = classes; });
    if (!classes) {
        grid->memo()->hide();
    } else {
        if (m_state.grid.cell(1, 1).roomVisible) {
            grid->placeMemo();
            grid->memo()->show();
        }
    }
    grid->viewport()->update();
}

void TForm1::NachSost()
{
    for (auto *page : {Tab_1, Tab_2, Tab_3, Tab_4}) // 1
        page->hide();
    SpeedB1->setEnabled(false);
    SpeedB2->setEnabled(false);
    SpeedB5->setEnabled(false);

    SpeedB1->setActiveLook(true); // 2
    for (auto *tab : {SpeedB2, SpeedB4, SpeedB5})
        tab->setActiveLook(false);

    const std::pair<QToolButton *, int> dayBar[] = {
        // 3
        {img_SB8, 10},
        {img_SB3, 50},
        {img_SB9, 90},
        {img_SB10, 130},
        {img_SB11, 170},
        {img_SB12, 210},
        {img_SB2, 250},
        {img_SB13, 290},
        {img_SB14, 330},
        {img_SB1, 370},
    };
    for (const auto &[picture, x] : dayBar) {
        picture->move(x, 24);
        picture->show();
    }
    // "Замены" sits below the tenth picture, between the two date pickers' rows, so the group
    // keeps its designed width.
    img_SBZam->move(370, 79);
    img_SBZam->show();

    RctSet->hide(); // 4
    TextKnop();

    for (QWidget *w : {static_cast<QWidget *>(labLoadDate), static_cast<QWidget *>(labEditDate), // 5
                       static_cast<QWidget *>(sDateTimePicker1), static_cast<QWidget *>(sDateTimePicker2),
                       Rectangle13, static_cast<QWidget *>(sGroupBox9)})
        w->show();
    grid->memo()->hide();

    sGroupBox4->setFixedWidth(410); // 6
    // Box order of the top bar is fixed by the layout: creation date, teacher caption, weekday strip.
}

void TForm1::EnabledKomponent()
{
    // Whether "Старт" itself is enabled, not whether a notice has the page disabled meanwhile.
    const bool idle = !arrangementRunning();
    grid->setTogglesEnabled(idle);
    m_arrange->showRunState();
    m_shift->clearPinsAction()->setEnabled(idle);
    sCheckListBox1->setEnabled(idle);
    sGroupBox1->setEnabled(idle);
    sGroupBox4->setEnabled(idle);
    grid->memo()->setEnabled(idle);
    sDateTimePicker3->setEnabled(idle);
}

void TForm1::ScrolNaNol()
{
    grid->horizontalScrollBar()->setValue(0);
    grid->verticalScrollBar()->setValue(0);
    if (m_load)
        m_load->scrollToOrigin();
}

void TForm1::FormCloseQuery(bool &CanClose)
{
    CanClose = Dial(rasp::ui::shelltexts::kCloseQuestion.toString()) == rasp::ui::shelltexts::kYes;
    if (CanClose)
        m_arrange->stopForClose();
}

void TForm1::closeEvent(QCloseEvent *event)
{
    bool canClose = false;
    FormCloseQuery(canClose);
    if (canClose)
        event->accept();
    else
        event->ignore();
}
