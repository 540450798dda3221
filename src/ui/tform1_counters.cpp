// Day timetable: the limit lists of "Автоподбор", the pins of "Не перемещать", the missing-teacher
// warning with its panel, the teacher-hours panel and the weekly count of the template.
#include "tform1.h"

#include "template/templatecontroller.h"

#include "arrange/arrangecontroller.h"
#include "edit/editfunnel.h"
#include "callout.h"
#include "day/counters.h"
#include "day/gridgeometry.h"
#include "daygridview.h"
#include "overlaypanel.h"
#include "undo/editcommands.h"

#include <QComboBox>
#include <QDateTime>
#include <QGraphicsDropShadowEffect>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>

#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace {

// The warning's glow: a shadow 3 px away at 45 degrees, softness 0.2 and opacity 0.4. The blur
// radius is 30 px per unit of softness.
constexpr double kGlowDistance = 3.0;
constexpr double kGlowSoftness = 0.2;
constexpr double kGlowOpacity = 0.4;

// The glow's colour for the pulse alpha `migan`, weakened by the glow's opacity.
QColor glowColour(int migan)
{
    QColor c = QColor::fromRgba(rasp::day::GenerateRandomColor(migan));
    c.setAlphaF(c.alphaF() * kGlowOpacity);
    return c;
}

} // namespace

void TForm1::buildDayChecks()
{
    Timer1 = new QTimer(this);
    Timer1->setInterval(50);
    Timer4 = new QTimer(this);
    Timer4->setInterval(10);
    slideTimer = new QTimer(this);
    slideTimer->setInterval(10);

    // The warning sits in the corner above the row strip.
    Img_Migan = new QToolButton(grid->viewport());
    Img_Migan->setObjectName(u"Img_Migan"_s);
    Img_Migan->setIcon(QIcon(u":/img/warning.svg"_s));
    Img_Migan->setIconSize(QSize(28, 28));
    Img_Migan->setAutoRaise(true);
    Img_Migan->setToolTip(u"Нажми меня"_s);
    const QRect corner = grid->cornerRect();
    Img_Migan->setGeometry(corner.x() + (corner.width() - 30) / 2, corner.y(), 30, 30);
    ShadowEffect32 = new QGraphicsDropShadowEffect(Img_Migan);
    ShadowEffect32->setOffset(kGlowDistance * M_SQRT1_2, kGlowDistance * M_SQRT1_2);
    ShadowEffect32->setBlurRadius(30 * kGlowSoftness);
    ShadowEffect32->setColor(glowColour(0));
    Img_Migan->setGraphicsEffect(ShadowEffect32);
    Img_Migan->hide();

    Rct_NetUch = new rasp::ui::OverlayPanel(u"Не указаны учителя"_s, QSize(151, 343), this);
    Rct_NetUch->setObjectName(u"Rct_NetUch"_s);
    Memo1 = new QPlainTextEdit(Rct_NetUch->body());
    Memo1->setObjectName(u"Memo1"_s);
    Memo1->setReadOnly(true);
    Memo1->setGeometry(5, 5, 139, 270);
    Button3 = new QPushButton(u"Я все исправлю"_s, Rct_NetUch->body());
    Button3->setObjectName(u"Button3"_s);
    Button3->setGeometry(10, 282, 129, 30);

    Rct_KolUrUch = new rasp::ui::OverlayPanel(u"Количество часов в день"_s, QSize(291, 502), this);
    Rct_KolUrUch->setObjectName(u"Rct_KolUrUch"_s);
    SpeedButton8 = new QToolButton(Rct_KolUrUch);
    SpeedButton8->setObjectName(u"SpeedButton8"_s);
    SpeedButton8->setText(u"✕"_s);
    SpeedButton8->setAutoRaise(true);
    SpeedButton8->setStyleSheet(u"color: #FFFFFF; background: transparent; border: none;"_s);
    SpeedButton8->setGeometry(291 - 26, 1, 25, 25);
    StringGrid2 = new QTableWidget(Rct_KolUrUch->body());
    StringGrid2->setObjectName(u"StringGrid2"_s);
    StringGrid2->setGeometry(5, 5, 279, 465);
    StringGrid2->setSelectionBehavior(QAbstractItemView::SelectRows);
    StringGrid2->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid2->verticalHeader()->hide();
    StringGrid2->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);

    // The popup lists and the callout float over the grid.
    ListBox1 = new QListWidget(grid->viewport());
    ListBox1->setObjectName(u"ListBox1"_s);
    ListBox4 = new QListWidget(grid->viewport());
    ListBox4->setObjectName(u"ListBox4"_s);
    for (QListWidget *list : {ListBox1, ListBox4}) {
        list->setFont(QFont(u"Calibri"_s, 12));
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        list->hide();
    }
    ListBox1->resize(rasp::day::GridGeometry::kFieldWidth, 90);
    ListBox4->resize(rasp::day::GridGeometry::kFieldWidth + 10, 90);

    // 67 x 32 with its pointer: the box is 23 high, the pointer hangs 9 below it.
    OblKolUr = new rasp::ui::Callout(QSize(67, 32), grid->viewport());
    OblKolUr->setObjectName(u"OblKolUr"_s);
    Label11 = new QLabel(OblKolUr);
    Label11->setObjectName(u"Label11"_s);
    Label11->setAlignment(Qt::AlignCenter);
    Label11->setGeometry(OblKolUr->box());
    OblKolUr->hide();
}

void TForm1::wireDayChecks()
{
    connect(sCheckListBox1, &QListWidget::itemChanged, this, &TForm1::sCheckListBox1ChangeCheck);
    connect(Timer4, &QTimer::timeout, this, &TForm1::Timer4Timer);
    connect(Img_Migan, &QToolButton::clicked, this, &TForm1::SpeedButton11Click);
    connect(Button3, &QPushButton::clicked, this, &TForm1::Button3Click);
    connect(img_SB3, &QToolButton::clicked, this, &TForm1::SpeedButton9Click);
    connect(SpeedButton8, &QToolButton::clicked, this, &TForm1::SpeedButton8Click);
}

void TForm1::MaxUrVsego()
{
    m_arrange->showMaxLessons(rasp::day::MaxUrVsego(m_state));
}

void TForm1::MaxRepUr()
{
    m_arrange->showFirstGaps(rasp::day::MaxRepUr(m_state, m_arrange->maxLessons()));
}

void TForm1::sComboBox2Change()
{
    MaxRepUr();
}

void TForm1::fillPinList()
{
    rasp::day::FillPinList(m_state);
    const QSignalBlocker quiet(sCheckListBox1);
    sCheckListBox1->clear();
    for (const rasp::day::PinEntry &pin : m_state.pins) {
        auto *item = new QListWidgetItem(pin.text, sCheckListBox1);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
}

namespace {

// Shows the state's pin checks in the list without the list reporting user changes.
void showPins(QListWidget *list, const std::vector<rasp::day::PinEntry> &pins)
{
    const QSignalBlocker quiet(list);
    for (int n = 0; n < list->count() && n < int(pins.size()); ++n)
        list->item(n)->setCheckState(pins[std::size_t(n)].checked ? Qt::Checked : Qt::Unchecked);
}

} // namespace

void TForm1::sCheckListBox1Checked()
{
    refresh(rasp::RefreshDefaultPins); // core day::CheckDefaultPins
}

void TForm1::CheckList(int ind, int y1, int y2)
{
    const bool unchecked = rasp::day::CheckList(m_state, ind, y1, y2,
                                                [this](const QString &q) { return Dial(q) == u"Да"_s; });
    // Asked inside the window: a question processes events, so no cell is kept across it.
    if (unchecked)
        showPins(sCheckListBox1, m_state.pins);
    refresh(0);
}

void TForm1::sCheckListBox1ChangeCheck(QListWidgetItem *item)
{
    const int n = sCheckListBox1->row(item);
    if (n < 0 || n >= int(m_state.pins.size()))
        return;
    rasp::ui::Edit edit(*m_edits);
    const bool checked = item->checkState() == Qt::Checked;
    m_state.pins[std::size_t(n)].checked = checked;
    if (m_state.chek_pderm == 1)
        CheckList(1, 1, m_state.max_ur);
    edit.record(stepOf<rasp::ui::undo::LockCommand>((checked ? u"закрепление «"_s : u"открепление «"_s)
                                                    + m_state.pins[std::size_t(n)].text + u"»"_s));
}

void TForm1::NetUchit()
{
    const QStringList entries = rasp::day::NetUchit(m_state);
    Memo1Text = rasp::day::NetUchitText(entries);
    QString shown = Memo1Text;
    shown.replace(u"\r\n"_s, u"\n"_s);
    shown.replace(u'\r', u'\n');
    Memo1->setPlainText(shown);
    if (!entries.isEmpty()) {
        migan = 0;
        migan_mn = 10;
        Img_Migan->show();
        Img_Migan->raise();
        Timer4->start();
    } else {
        Img_Migan->hide();
        Timer4->stop();
    }
}

void TForm1::Timer4Timer()
{
    rasp::day::WarningGlowStep(migan, migan_mn);
    ShadowEffect32->setColor(glowColour(migan));
}

void TForm1::SpeedButton11Click()
{
    Img_Migan->hide();
    Timer4->stop();
    Rct_NetUchit();
}

void TForm1::Rct_NetUchit()
{
    static const QString captions[] = {u"Печально"_s, u"Ну и ладно"_s, u"Я все исправлю"_s, u"Так надо"_s};
    QRandomGenerator fresh(quint32(QDateTime::currentMSecsSinceEpoch()));
    Button3->setText(captions[fresh.bounded(4)]);
    FormEnable(false);
    Rct_NetUch->centreAndRaise();
    Rct_NetUch->show();
}

void TForm1::Button3Click()
{
    Rct_NetUch->hide();
    FormEnable(true);
}

void TForm1::GapolSG2()
{
    StringGrid2->clear();
    StringGrid2->setRowCount(0);
    StringGrid2->setColumnCount(2);
    StringGrid2->setHorizontalHeaderLabels({u"Учитель"_s, u"Кол-во часов"_s});
    StringGrid2->setColumnWidth(0, 170);
    StringGrid2->setColumnWidth(1, 90);
}

void TForm1::SpeedButton9Click()
{
    FormEnable(false);
    GapolSG2();
    const auto rows = rasp::day::TeacherHoursRows(m_state);
    StringGrid2->setRowCount(int(rows.size()));
    for (int r = 0; r < int(rows.size()); ++r) {
        StringGrid2->setItem(r, 0, new QTableWidgetItem(rows[std::size_t(r)].first));
        StringGrid2->setItem(r, 1, new QTableWidgetItem(QString::number(rows[std::size_t(r)].second)));
    }
    if (!rows.empty()) {
        Rct_KolUrUch->centreAndRaise();
        Rct_KolUrUch->show();
    } else {
        Rct_SoobPokaz(u"Ничего не найдено"_s);
    }
}

void TForm1::SpeedButton8Click()
{
    Rct_KolUrUch->hide();
    FormEnable(true);
}

void TForm1::PodshetKolUr(const QString &s, int ii, int jj)
{
    if (s.isEmpty()) {
        m_template->hideBadges();
        return;
    }
    const rasp::day::WeekCount w = rasp::day::PodshetKolUr(m_state, s, jj);
    m_template->showCounts(w.perDay);
    if (w.total >= 1) {
        // Bottom edge on the cell's top edge, left edge at the cell's horizontal centre.
        const QRect cell = grid->bodyRectInViewport(rasp::day::GridGeometry::subjectRect(ii, jj));
        OblKolUr->move(cell.center().x(), cell.top() - OblKolUr->height());
        Label11->setText(u"Всего "_s + QString::number(w.total));
        OblKolUr->raise();
        OblKolUr->show();
    } else {
        OblKolUr->hide();
    }
}
