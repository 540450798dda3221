#include "tform1.h"
#include "shell/shelltexts.h"
#include "server/serverlink.h"

#include "day/daygridview.h"
#include "shell/elidedlabel.h"
#include "widgets/geometrywatcher.h"
#include "shell/overlaypanel.h"
#include "shell/pagearea.h"
#include "shell/spreadrowlayout.h"
#include "shell/tabbutton.h"
#include "shell/uiresources.h"
#include "text/datewords.h"

#include <QDateEdit>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {

// The least width of a notes card: a heading's date and name side by side, a message in a few lines.
constexpr int kLeastNotesCard = 300;

QDateEdit *makeDatePicker(QWidget *parent, const QString &name)
{
    auto *picker = new QDateEdit(parent);
    picker->setObjectName(name);
    picker->setCalendarPopup(true);
    picker->setDisplayFormat(u"dd.MM.yyyy"_s);
    return picker;
}

// The width of the longest weekday name in a font.
int widestWeekday(const QFont &font)
{
    const QFontMetrics metrics(font);
    int widest = 0;
    for (int k = 1; k <= 7; ++k)
        widest = std::max(widest, metrics.horizontalAdvance(rasp::text::day(QDate(2024, 1, k))));
    return widest;
}

QToolButton *makePicture(QWidget *parent, const QString &name, const QString &icon, const QString &hint = {})
{
    auto *button = new QToolButton(parent);
    button->setObjectName(name);
    button->setIcon(QIcon(u":/img/"_s + icon + u".svg"_s));
    button->setIconSize(QSize(32, 32));
    button->setFixedSize(34, 34);
    button->setAutoRaise(true);
    button->setToolTip(hint);
    return button;
}

} // namespace

TForm1::TForm1(QWidget *parent)
    : QWidget(parent)
{
    rasp::ui::initResources();
    setObjectName(u"Form1"_s);
    setFont(QFont(u"Calibri"_s, 12));
    buildShell();
    buildOverlays();
    buildUndo();
    wireShift();
    wireEditing();
    wireApp();
    wireHighlight();
    wirePages();
    wireDayFile();
    wireSettings();
    wireLoad();
    wireDayChecks();
    wireLayout();
    wireTemplate();
    wireArrange();
    wireReport();
    wireAbsences();
    wirePrint();
    wireServer();
    wireUndo();
    wireExplain();
    FormCreate();
}

TForm1::~TForm1()
{
    // The window leaves the screen while it is whole: the focus leaving the grid's editor reaches
    // handlers of a living window, not of one half destroyed by the base class's destructor.
    hide();
}

void TForm1::buildShell()
{
    auto *top = new QVBoxLayout(this);
    top->setContentsMargins(0, 0, 0, 0);
    top->setSpacing(0);

    Rct_Tab = new QWidget(this);
    Rct_Tab->setObjectName(u"Rct_Tab"_s);
    Rct_Tab->setFixedHeight(25);
    auto *bar = new QHBoxLayout(Rct_Tab);
    bar->setContentsMargins(0, 0, 0, 0);
    bar->setSpacing(0);
    SpeedB1 = new rasp::ui::TabButton(rasp::ui::shelltexts::kDayTab.toString(), Rct_Tab);
    SpeedB5 = new rasp::ui::TabButton(rasp::ui::shelltexts::kTemplateTab.toString(), Rct_Tab);
    SpeedB2 = new rasp::ui::TabButton(rasp::ui::shelltexts::kLoadTab.toString(), Rct_Tab);
    SpeedB4 = new rasp::ui::TabButton(rasp::ui::shelltexts::kSettingsTab.toString(), Rct_Tab);
    for (auto *tab : {SpeedB1, SpeedB5, SpeedB2, SpeedB4})
        bar->addWidget(tab);
    bar->addStretch(1);
    top->addWidget(Rct_Tab);

    // Until the school has a load no page is shown; the empty area then says where to begin.
    pageArea = new rasp::ui::PageArea([this] { return m_state.klassvis == 0 && Tab_3->isHidden(); }, this);
    auto *stack = new QGridLayout(pageArea);
    stack->setContentsMargins(0, 0, 0, 0);
    top->addWidget(pageArea, 1);

    Tab_1 = new QWidget(pageArea);
    Tab_1->setObjectName(u"Tab_1"_s);
    Tab_2 = new QWidget(pageArea);
    Tab_2->setObjectName(u"Tab_2"_s);
    Tab_4 = new QWidget(pageArea);
    Tab_4->setObjectName(u"Tab_4"_s);
    for (auto *page : {Tab_1, Tab_2, Tab_4})
        stack->addWidget(page, 0, 0);
    buildGridPage();

    Tab_3 = new QWidget(this);
    Tab_3->setObjectName(u"Tab_3"_s);
    Tab_3->setFixedSize(1300, 670);
    Tab_3->hide();

    Img_zdite = new QLabel(rasp::ui::shelltexts::kWait.toString(), this);
    Img_zdite->setObjectName(u"Img_zdite"_s);
    Img_zdite->setAlignment(Qt::AlignCenter);
    Img_zdite->setFixedSize(370, 130);
    Img_zdite->setStyleSheet(u"background: #FFFFFF; border: 1px solid #717171; color: #0061B0; font-size: 20pt;"_s);
    Img_zdite->hide();
}

void TForm1::buildGridPage()
{
    auto *page = new QVBoxLayout(Tab_1);
    page->setContentsMargins(0, 0, 0, 0);
    page->setSpacing(0);

    sSpeedButton5 = new QToolButton(Tab_1);
    sSpeedButton5->setObjectName(u"sSpeedButton5"_s);
    sSpeedButton5->setIcon(QIcon(u":/img/panel_open.svg"_s)); // the panel starts closed
    sSpeedButton5->setText(rasp::ui::shelltexts::kToolPanel.toString());
    sSpeedButton5->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    sSpeedButton5->setFixedHeight(25);
    sSpeedButton5->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    sSpeedButton5->setAutoRaise(true);
    page->addWidget(sSpeedButton5);

    buildToolPanel();
    page->addWidget(sPanel8);

    auto *panel1 = new QWidget(Tab_1);
    panel1->setObjectName(u"Panel1"_s);
    auto *area = new QVBoxLayout(panel1);
    area->setContentsMargins(0, 0, 0, 0);
    area->setSpacing(0);

    Panel5 = new QWidget(panel1);
    Panel5->setObjectName(u"Panel5"_s);
    Panel5->setFixedHeight(30);
    // The boxes keep their designed widths; a window narrower than them cuts the bar off at the
    // right instead of refusing to shrink.
    Panel5->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    auto *topBar = new QHBoxLayout(Panel5);
    topBar->setContentsMargins(0, 0, 0, 0);
    topBar->setSpacing(0);

    // The creation-date box is as wide as its caption, picker and longest weekday name need in
    // the window's font (352 px at least), so no weekday cuts the caption short.
    Rectangle13 = new QWidget(Panel5);
    Rectangle13->setObjectName(u"Rectangle13"_s);
    Rectangle13->setMinimumWidth(352);
    Rectangle13->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    auto *created = new QHBoxLayout(Rectangle13);
    created->setContentsMargins(6, 0, 6, 0);
    created->addWidget(new QLabel(rasp::ui::shelltexts::kCreatedOn.toString(), Rectangle13));
    sDateTimePicker3 = makeDatePicker(Rectangle13, u"sDateTimePicker3"_s);
    created->addWidget(sDateTimePicker3);
    sLabel2 = new QLabel(Rectangle13);
    sLabel2->setObjectName(u"sLabel2"_s);
    sLabel2->setMinimumWidth(widestWeekday(sLabel2->font()));
    created->addWidget(sLabel2, 1);

    // The teacher caption takes the rest of the bar (240 px at least): a full name with its
    // patronymic, or several teachers, reads whole; what is wider still ends in "…" and is its
    // tooltip.
    Rectangle15 = new QWidget(Panel5);
    Rectangle15->setObjectName(u"Rectangle15"_s);
    Rectangle15->setMinimumWidth(240);
    Rectangle15->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    auto *teacher = new QHBoxLayout(Rectangle15);
    teacher->setContentsMargins(6, 0, 6, 0);
    teacher->addWidget(new QLabel(rasp::ui::shelltexts::kTeacher.toString(), Rectangle15));
    sLabel7 = new rasp::ui::ElidedLabel(Rectangle15);
    sLabel7->setObjectName(u"sLabel7"_s);
    sLabel7->setTextFormat(Qt::PlainText);
    sLabel7->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    teacher->addWidget(sLabel7, 1);

    RctSet = new QWidget(Panel5);
    RctSet->setObjectName(u"RctSet"_s);
    RctSet->setFixedWidth(595);
    LabSetOpis = new QLabel(rasp::ui::shelltexts::kWeekdayStrip.toString(), RctSet);
    LabSetOpis->setObjectName(u"LabSetOpis"_s);

    for (auto *box : {Rectangle13, Rectangle15, RctSet})
        topBar->addWidget(box);
    area->addWidget(Panel5);

    grid = new rasp::ui::DayGridView(m_state, panel1);
    grid->setObjectName(u"ScrollBox2"_s);
    area->addWidget(grid, 1);
    page->addWidget(panel1, 1);
}

void TForm1::buildToolPanel()
{
    sPanel8 = new QWidget(Tab_1);
    sPanel8->setObjectName(u"sPanel8"_s);
    sPanel8->setFixedHeight(146);
    sPanel8->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed); // cut off, like the top bar
    // The shown groups spread evenly over the panel, so hiding "Заметки" (no server) or the
    // narrower "Действия" of the template page leaves no empty end.
    auto *row = new rasp::ui::SpreadRowLayout(sPanel8, 6, 24);
    row->setContentsMargins(4, 2, 4, 2);

    // "Автоподбор" gives up a little of its pin list's width when the row is short of room.
    sGroupBox3 = new QGroupBox(rasp::ui::shelltexts::kArrangeGroup.toString(), sPanel8);
    sGroupBox3->setMinimumWidth(335);
    sGroupBox3->setMaximumWidth(345);
    // The run buttons, the limit lists and the progress line: ArrangeController (wireArrange).
    // The heading as tall as a line of the window's font, the list a little below it.
    auto *pinLabel = new QLabel(rasp::ui::shelltexts::kPinList.toString(), sGroupBox3);
    pinLabel->setGeometry(200, 14, 140, 24);
    sCheckListBox1 = new QListWidget(sGroupBox3);
    sCheckListBox1->setObjectName(u"sCheckListBox1"_s);
    sCheckListBox1->setGeometry(200, 42, 138, 94);
    new rasp::ui::GeometryWatcher(sGroupBox3, [this] {
        sCheckListBox1->resize(sGroupBox3->width() - sCheckListBox1->x() - 7, sCheckListBox1->height());
    });

    // "Показывать" gives up width down to what its captions need when the row is short of room.
    sGroupBox1 = new QGroupBox(rasp::ui::shelltexts::kHighlightGroup.toString(), sPanel8);
    sGroupBox1->setMaximumWidth(247); // its mode buttons and their minimum width: HighlightController

    sGroupBox4 = new QGroupBox(rasp::ui::shelltexts::kActionsGroup.toString(), sPanel8);
    img_SB8 = makePicture(sGroupBox4, u"img_SB8"_s, u"report"_s);
    img_SB3 = makePicture(sGroupBox4, u"img_SB3"_s, u"hours"_s, rasp::ui::shelltexts::kHoursHint.toString());
    img_SB9 = makePicture(sGroupBox4, u"img_SB9"_s, u"fromtemplate"_s);
    img_SB10 = makePicture(sGroupBox4, u"img_SB10"_s, u"clear"_s, rasp::ui::shelltexts::kClearHint.toString());
    img_SB11 = makePicture(sGroupBox4, u"img_SB11"_s, u"save"_s);
    img_SB12 = makePicture(sGroupBox4, u"img_SB12"_s, u"word"_s);
    img_SB2 = makePicture(sGroupBox4, u"img_SB2"_s, u"excel"_s);
    img_SB13 = makePicture(sGroupBox4, u"img_SB13"_s, u"publish"_s);
    img_SB14 = makePicture(sGroupBox4, u"img_SB14"_s, u"withdraw"_s);
    img_SB1 = makePicture(sGroupBox4, u"img_SB1"_s, u"folder"_s, rasp::ui::shelltexts::kFolderHint.toString());
    img_SBZam = makePicture(sGroupBox4, u"img_SBZam"_s, u"zameny"_s);
    // The date labels and pickers leave the group's right end, under the tenth picture, to
    // "Замены" (placed by NachSost), so the group keeps its designed 410 px in day mode.
    labLoadDate = new QLabel(rasp::ui::shelltexts::kLoadDate.toString(), sGroupBox4);
    labLoadDate->setGeometry(10, 67, 206, 24);
    sDateTimePicker1 = makeDatePicker(sGroupBox4, u"sDateTimePicker1"_s);
    sDateTimePicker1->setGeometry(220, 66, 140, 26);
    labEditDate = new QLabel(rasp::ui::shelltexts::kEditDate.toString(), sGroupBox4);
    labEditDate->setGeometry(10, 101, 206, 24);
    sDateTimePicker2 = makeDatePicker(sGroupBox4, u"sDateTimePicker2"_s);
    sDateTimePicker2->setGeometry(220, 100, 140, 26);

    sGroupBox9 = new QGroupBox(rasp::ui::shelltexts::kNotesGroup.toString(), sPanel8);
    // The notes group narrows where the row would run off the window's edge, but never below
    // cards of kLeastNotesCard px beside the board's scroll bar inside the group's margins.
    const int scrollBar = QScrollBar(Qt::Vertical).sizeHint().width();
    const QMargins frame = sGroupBox9->contentsMargins(); // the group's own frame, inside it the 10-px margins
    sGroupBox9->setMinimumWidth(kLeastNotesCard + scrollBar + 20 + frame.left() + frame.right());
    sGroupBox9->setMaximumWidth(345);

    for (auto *box : {sGroupBox3, sGroupBox1, sGroupBox4, sGroupBox9})
        row->addWidget(box);
}

void TForm1::buildOverlays()
{
    Rct_soobDlg = new rasp::ui::OverlayPanel(rasp::ui::shelltexts::kQuestionTitle.toString(), QSize(297, 148), this);
    Rct_soobDlg->setObjectName(u"Rct_soobDlg"_s);
    // The texts keep 14 px (question) and 12 px (notice) from the panel's sides.
    LabelSoob1 = rasp::ui::makeMessageLabel(Rct_soobDlg->body(), QRect(14, 4, 267, 77));
    LabelSoob1->setObjectName(u"LabelSoob1"_s);
    ButtonSoob1 = new QPushButton(rasp::ui::shelltexts::kYes.toString(), Rct_soobDlg->body());
    ButtonSoob1->setObjectName(u"ButtonSoob1"_s);
    ButtonSoob1->setGeometry(32, 85, 85, 30);
    ButtonSoob2 = new QPushButton(rasp::ui::shelltexts::kNo.toString(), Rct_soobDlg->body());
    ButtonSoob2->setObjectName(u"ButtonSoob2"_s);
    ButtonSoob2->setGeometry(177, 85, 85, 30);

    Rct_soob = new rasp::ui::OverlayPanel(rasp::ui::shelltexts::kNoticeTitle.toString(), QSize(260, 148), this);
    Rct_soob->setObjectName(u"Rct_soob"_s);
    Label10 = rasp::ui::makeMessageLabel(Rct_soob->body(), QRect(12, 4, 234, 73));
    Label10->setObjectName(u"Label10"_s);
    Button1 = new QPushButton(rasp::ui::shelltexts::kNoticeButton.toString(), Rct_soob->body());
    Button1->setObjectName(u"Button1"_s);
    Button1->setGeometry(64, 81, 130, 34); // wide enough for its word with room either side
}
