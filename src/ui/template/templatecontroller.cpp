#include "templatecontroller.h"

#include "edit/editfunnel.h"
#include "widgets/geometrywatcher.h"
#include "shell/messages.h"
#include "state.h"
#include "template/setka.h"
#include "templatetexts.h"
#include "text/datewords.h"
#include "undo/editcommands.h"
#include "template/weekdaybutton.h"

#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QLabel>

using namespace Qt::Literals::StringLiterals;

namespace rasp::ui {

namespace {

namespace t = templatetexts;

constexpr int kWeekdayWidth = 80;
constexpr int kWeekdayPadding = 6; // px kept free either side of a weekday name
constexpr int kBadgeSize = 17;

} // namespace

TemplateController::TemplateController(const Shell &shell, QWidget *strip, QWidget *gridPage, QObject *parent)
    : Controller(shell, parent)
    , m_stripBox(strip)
    , m_gridPage(gridPage)
{ }

void TemplateController::buildStrip()
{
    // The badges hang below the strip, over the grid's header, so they live in the grid area
    // (the strip's grandparent) and follow the strip wherever the top bar places it.
    QWidget *bar = m_stripBox->parentWidget();
    QWidget *area = bar->parentWidget();
    // All seven buttons are as wide as the longest weekday name needs in their font (80 px at
    // least), so every name reads whole in one and the same size.
    const QFontMetrics metrics(QFont(u"Calibri"_s, 12));
    int width = kWeekdayWidth;
    for (int k = 1; k <= 7; ++k)
        width = std::max(width, metrics.horizontalAdvance(text::daySet(k)) + 2 * kWeekdayPadding);
    m_stripBox->setFixedWidth(std::max(m_stripBox->width(), 7 * width));
    for (int k = 1; k <= 7; ++k) {
        auto *button = new WeekdayButton(k, text::daySet(k), m_stripBox);
        button->setObjectName(u"BtnSetMas%1"_s.arg(k));
        button->setGeometry((k - 1) * width, 0, width, bar->height());
        button->setSelectedLook(k == state().vibr_den_set);
        connect(button, &QAbstractButton::clicked, this, [this, k] { chooseWeekday(k); });
        m_strip.BtnSetMas[k] = button;

        QLabel *&badge = m_strip.Rct_Set_schet[k];
        badge = new QLabel(area);
        badge->setObjectName(u"Rct_Set_schet%1"_s.arg(k));
        badge->resize(kBadgeSize, kBadgeSize);
        badge->setStyleSheet(u"background: #FF0000; border: none; border-radius: 8px;"_s);
        QLabel *&count = m_strip.LabSet[k];
        count = new QLabel(u"0"_s, badge);
        count->setObjectName(u"LabSet%1"_s.arg(k));
        count->setGeometry(0, 0, kBadgeSize, kBadgeSize);
        count->setAlignment(Qt::AlignCenter);
        count->setFont(QFont(u"Calibri"_s, 12));
        count->setStyleSheet(u"color: #FFFFFF; background: transparent;"_s);
        badge->hide();
    }
    new GeometryWatcher(m_stripBox, [this] {
        if (m_stripBox->isHidden())
            hideBadges();
        else
            placeBadges();
    });
}

void TemplateController::placeBadges()
{
    for (int k = 1; k <= 7; ++k) {
        QWidget *button = m_strip.BtnSetMas[k];
        QLabel *badge = m_strip.Rct_Set_schet[k];
        // Centred on the button, its top 7 px above the button's bottom edge.
        const QPoint at((button->width() - kBadgeSize) / 2, button->height() - 7);
        badge->move(button->mapTo(badge->parentWidget(), at));
        badge->raise();
    }
}

void TemplateController::hideBadges()
{
    for (int k = 1; k <= 7; ++k)
        m_strip.Rct_Set_schet[k]->hide();
}

void TemplateController::showCounts(const std::array<int, 8> &perDay)
{
    for (int k = 1; k <= 7; ++k) {
        const int n = perDay[std::size_t(k)];
        m_strip.LabSet[k]->setText(QString::number(n));
        m_strip.Rct_Set_schet[k]->setVisible(n != 0);
    }
}

void TemplateController::read()
{
    QStringList problems;
    {
        Edit edit(edits());
        problems = tmpl::SetkaLoad(edit.state(), QDir::currentPath());
    }
    if (!problems.isEmpty())
        notify(FirstProblemNotice(problems));
}

void TemplateController::save()
{
    QStringList paths;
    for (int k = 1; k <= 7; ++k)
        paths << QDir::current().filePath(tmpl::SetkaPath(k));
    if (!mayReplace(paths, [this] {
            read();
            fillGrid(state().vibr_den_set);
        }))
        return;
    QStringList failures;
    {
        Edit edit(edits());
        failures = tmpl::SetkaSave(edit.state(), QDir::currentPath());
    }
    if (failures.isEmpty())
        notify(t::kSaved.toString());
    else
        notify(NotSavedNotice(FirstProblemNotice(failures)));
}

void TemplateController::fillGrid(int den)
{
    if (m_gridPage->isHidden())
        return;
    Edit edit(edits()); // the views repaint when it ends
    tmpl::SetkaZapol(edit.state(), den);
    emit gridFilled();
}

void TemplateController::enter()
{
    emit pageWanted();
    showDay();
}

void TemplateController::showDay()
{
    emit gridClearing();
    fillGrid(state().vibr_den_set);
    emit dayShown();
    hideBadges();
    edits().clearHistory();
}

void TemplateController::chooseWeekday(int k)
{
    for (int n = 1; n <= 7; ++n)
        m_strip.BtnSetMas[n]->setSelectedLook(false);
    {
        Edit edit(edits());
        State &s = edit.state();
        tmpl::SetkaFromGrid(s, s.vibr_den_set);
        s.vibr_den_set = tmpl::WeekdayIndex(k);
    }
    m_strip.BtnSetMas[state().vibr_den_set]->setSelectedLook(true);
    showDay();
}

QString TemplateController::fileOfTargetDate() const
{
    return u"setka/"_s + text::day(targetDate()) + u".ini"_s;
}

void TemplateController::loadDayFromTemplate()
{
    const QString weekday = text::day2(targetDate());
    if (!ask(t::kLoadDayQuestion.toString().arg(weekday)))
        return;
    // The template file is read from disk: unsaved template edits are not used.
    const QString path = fileOfTargetDate();
    const bool exists = QFileInfo::exists(QDir::current().filePath(path));
    {
        Edit edit(edits());
        emit dayFromTemplateWanted(exists ? path : QString());
        edit.record(stepOf<undo::WholeDayCommand>(t::kLoadDayStep.toString()));
    }
    if (!exists)
        notify(t::kNoTemplate.toString().arg(weekday));
}

void TemplateController::askClear()
{
    if (!ask(t::kClearQuestion.toString())) {
        emit clearDeclined();
        return;
    }
    const bool templateShown = templatePage();
    Edit edit(edits());
    emit gridClearing();
    if (templateShown)
        clearShownDay();
    emit gridCleared();
    edit.record(stepOf<undo::WholeDayCommand>((templateShown ? t::kClearTemplateStep : t::kClearDayStep).toString()));
}

void TemplateController::keepShownWeekday()
{
    if (state().klassvis < 1 || state().max_ur < 1 || !m_gridPage->isVisible())
        return;
    Edit edit(edits());
    State &s = edit.state();
    for (int i = 1; i <= s.max_ur; ++i)
        for (int j = 1; j <= s.klassvis; ++j) {
            day::Cell &c = s.grid.cell(i, j);
            if (c.subject == u" "_s)
                c.subject.clear();
        }
    tmpl::SetkaFromGrid(s, s.vibr_den_set);
}

void TemplateController::clearShownDay()
{
    Edit edit(edits());
    tmpl::SetkaClearDay(edit.state(), state().vibr_den_set);
}

} // namespace rasp::ui
