#include "day/counterscontroller.h"
#include "widgets/shownbreaks.h"

#include "day/checkstexts.h"
#include "day/counters.h"
#include "shell/overlaypanel.h"
#include "state.h"

#include <QDateTime>
#include <QGraphicsDropShadowEffect>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>

#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace rasp::ui {

namespace {

namespace texts = checkstexts;

// The warning's glow: a shadow 3 px away at 45 degrees, softness 0.2 and opacity 0.4. The blur
// radius is 30 px per unit of softness.
constexpr double kGlowDistance = 3.0;
constexpr double kGlowSoftness = 0.2;
constexpr double kGlowOpacity = 0.4;

// The glow's colour for the pulse alpha `migan`, weakened by the glow's opacity.
QColor glowColour(int migan)
{
    QColor c = QColor::fromRgba(day::GenerateRandomColor(migan));
    c.setAlphaF(c.alphaF() * kGlowOpacity);
    return c;
}

} // namespace

CountersController::CountersController(const Shell &shell, QWidget *gridViewport, QRect corner, QObject *parent)
    : Controller(shell, parent)
{
    m_glowTimer = new QTimer(this);
    m_glowTimer->setInterval(10);
    connect(m_glowTimer, &QTimer::timeout, this, &CountersController::glowStep);

    // The warning sits in the corner above the row strip.
    m_warning = new QToolButton(gridViewport);
    m_warning->setObjectName(u"Img_Migan"_s);
    m_warning->setIcon(QIcon(u":/img/warning.svg"_s));
    m_warning->setIconSize(QSize(28, 28));
    m_warning->setAutoRaise(true);
    m_warning->setToolTip(texts::kWarningHint.toString());
    m_warning->setGeometry(corner.x() + (corner.width() - 30) / 2, corner.y(), 30, 30);
    m_glowEffect = new QGraphicsDropShadowEffect(m_warning);
    m_glowEffect->setOffset(kGlowDistance * M_SQRT1_2, kGlowDistance * M_SQRT1_2);
    m_glowEffect->setBlurRadius(30 * kGlowSoftness);
    m_glowEffect->setColor(glowColour(0));
    m_warning->setGraphicsEffect(m_glowEffect);
    m_warning->hide();

    m_missingPanel = new OverlayPanel(texts::kMissingTitle.toString(), QSize(151, 343), window());
    m_missingPanel->setObjectName(u"Rct_NetUch"_s);
    m_missingList = new QPlainTextEdit(m_missingPanel->body());
    m_missingList->setObjectName(u"Memo1"_s);
    m_missingList->setReadOnly(true);
    m_missingList->setGeometry(5, 5, 139, 270);
    m_missingList->setFont(QFont(u"Calibri"_s, 12));
    m_missingClose = new QPushButton(texts::kMissingCaptions[2].toString(), m_missingPanel->body());
    m_missingClose->setObjectName(u"Button3"_s);
    m_missingClose->setGeometry(10, 282, 129, 30);

    m_hoursPanel = new OverlayPanel(texts::kHoursTitle.toString(), QSize(291, 502), window());
    m_hoursPanel->setObjectName(u"Rct_KolUrUch"_s);
    m_hoursClose = new QToolButton(m_hoursPanel);
    m_hoursClose->setObjectName(u"SpeedButton8"_s);
    m_hoursClose->setText(texts::kClose.toString());
    m_hoursClose->setAutoRaise(true);
    m_hoursClose->setStyleSheet(u"color: #FFFFFF; background: transparent; border: none;"_s);
    m_hoursClose->setGeometry(291 - 26, 1, 25, 25);
    m_hoursTable = new QTableWidget(m_hoursPanel->body());
    m_hoursTable->setObjectName(u"StringGrid2"_s);
    m_hoursTable->setGeometry(5, 5, 279, 465);
    m_hoursTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_hoursTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_hoursTable->verticalHeader()->hide();
    m_hoursTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
}

CountersController::~CountersController() = default;

void CountersController::checkTeachers()
{
    const QStringList entries = day::NetUchit(state());
    m_missingText = day::NetUchitText(entries);
    m_missingList->setPlainText(ShownBreaks(m_missingText));
    if (!entries.isEmpty()) {
        m_glow = 0;
        m_glowStep = 10;
        m_warning->show();
        m_warning->raise();
        m_glowTimer->start();
    } else {
        hideWarning();
    }
}

void CountersController::hideWarning()
{
    m_warning->hide();
    m_glowTimer->stop();
}

void CountersController::glowStep()
{
    day::WarningGlowStep(m_glow, m_glowStep);
    m_glowEffect->setColor(glowColour(m_glow));
}

void CountersController::openWarning()
{
    hideWarning();
    showMissingPanel();
}

void CountersController::showMissingPanel()
{
    QRandomGenerator fresh(quint32(QDateTime::currentMSecsSinceEpoch()));
    m_missingClose->setText(texts::kMissingCaptions[fresh.bounded(4)].toString());
    enablePages(false);
    m_missingPanel->centreAndRaise();
    m_missingPanel->show();
}

void CountersController::closeMissingPanel()
{
    m_missingPanel->hide();
    enablePages(true);
}

void CountersController::resetHoursTable()
{
    m_hoursTable->clear();
    m_hoursTable->setRowCount(0);
    m_hoursTable->setColumnCount(2);
    m_hoursTable->setHorizontalHeaderLabels({texts::kTeacherColumn.toString(), texts::kHoursColumn.toString()});
    m_hoursTable->setColumnWidth(0, 170);
    m_hoursTable->setColumnWidth(1, 90);
}

void CountersController::showTeacherHours()
{
    enablePages(false);
    resetHoursTable();
    const auto rows = day::TeacherHoursRows(state());
    m_hoursTable->setRowCount(int(rows.size()));
    for (int r = 0; r < int(rows.size()); ++r) {
        m_hoursTable->setItem(r, 0, new QTableWidgetItem(rows[std::size_t(r)].first));
        m_hoursTable->setItem(r, 1, new QTableWidgetItem(QString::number(rows[std::size_t(r)].second)));
    }
    if (!rows.empty()) {
        m_hoursPanel->centreAndRaise();
        m_hoursPanel->show();
    } else {
        notify(texts::kNoHours.toString());
    }
}

void CountersController::closeTeacherHours()
{
    m_hoursPanel->hide();
    enablePages(true);
}

} // namespace rasp::ui
