// Weekly template: the weekday strip of the template page with its counter badges, the seven
// template files, filling the grid from a template day, and the day page's action that loads
// the day from the template of its weekday.
#include "tform1.h"

#include "edit/editfunnel.h"
#include "messages.h"

#include "callout.h"
#include "daygridview.h"
#include "geometrywatcher.h"
#include "template/setka.h"
#include "text/datewords.h"
#include "weekdaybutton.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;

namespace {
constexpr int kWeekdayWidth = 80;
constexpr int kBadgeSize = 17;
} // namespace

void TForm1::buildWeekdayStrip()
{
    // The badges hang below the strip, over the grid's header, so they live in the grid area
    // (the strip's grandparent) and follow the strip wherever the top bar places it.
    QWidget *area = RctSet->parentWidget()->parentWidget();
    for (int k = 1; k <= 7; ++k) {
        auto *button = new rasp::ui::WeekdayButton(k, rasp::text::daySet(k), RctSet);
        button->setObjectName(u"BtnSetMas%1"_s.arg(k));
        button->setGeometry((k - 1) * kWeekdayWidth, 0, kWeekdayWidth, Panel5->height());
        button->setSelectedLook(k == m_state.vibr_den_set);
        connect(button, &QAbstractButton::clicked, this, [this, k] { BtnSetClick(k); });
        BtnSetMas[k] = button;

        Rct_Set_schet[k] = new QLabel(area);
        Rct_Set_schet[k]->setObjectName(u"Rct_Set_schet%1"_s.arg(k));
        Rct_Set_schet[k]->resize(kBadgeSize, kBadgeSize);
        Rct_Set_schet[k]->setStyleSheet(u"background: #FF0000; border: none; border-radius: 8px;"_s);
        LabSet[k] = new QLabel(u"0"_s, Rct_Set_schet[k]);
        LabSet[k]->setObjectName(u"LabSet%1"_s.arg(k));
        LabSet[k]->setGeometry(0, 0, kBadgeSize, kBadgeSize);
        LabSet[k]->setAlignment(Qt::AlignCenter);
        LabSet[k]->setFont(QFont(u"Calibri"_s, 12));
        LabSet[k]->setStyleSheet(u"color: #FFFFFF; background: transparent;"_s);
        Rct_Set_schet[k]->hide();
    }
    new rasp::ui::GeometryWatcher(RctSet, [this] {
        if (RctSet->isHidden())
            hideWeekdayBadges();
        else
            placeWeekdayBadges();
    });
}

void TForm1::placeWeekdayBadges()
{
    for (int k = 1; k <= 7; ++k) {
        QWidget *button = BtnSetMas[k];
        // Centred on the button, its top 7 px above the button's bottom edge.
        const QPoint at((button->width() - kBadgeSize) / 2, button->height() - 7);
        Rct_Set_schet[k]->move(button->mapTo(Rct_Set_schet[k]->parentWidget(), at));
        Rct_Set_schet[k]->raise();
    }
}

void TForm1::hideWeekdayBadges()
{
    for (int k = 1; k <= 7; ++k)
        Rct_Set_schet[k]->hide();
}

void TForm1::wireTemplate()
{
    connect(img_SB9, &QToolButton::clicked, this, &TForm1::sSpeedButton9Click);
    connect(img_SB10, &QToolButton::clicked, this, &TForm1::sSpeedButton10Click);
}

void TForm1::SetkaLoad()
{
    const QStringList problems = rasp::tmpl::SetkaLoad(m_state, QDir::currentPath());
    if (problems.isEmpty())
        return;
    QString notice = problems.first();
    if (problems.size() > 1)
        notice += u"\r\n(и ещё %1)"_s.arg(problems.size() - 1);
    Rct_SoobPokaz(notice);
}

void TForm1::SetkaSave()
{
    QStringList paths;
    for (int k = 1; k <= 7; ++k)
        paths << QDir::current().filePath(rasp::tmpl::SetkaPath(k));
    if (!mayReplaceChangedFiles(paths, [this] {
            SetkaLoad();
            SetkaZapol(m_state.vibr_den_set);
        }))
        return;
    const QStringList failures = rasp::tmpl::SetkaSave(m_state, QDir::currentPath());
    if (failures.isEmpty()) {
        Rct_SoobPokaz(u"Данные сохранены"_s);
        return;
    }
    QString notice = failures.first();
    if (failures.size() > 1)
        notice += u"\r\n(и ещё %1)"_s.arg(failures.size() - 1);
    Rct_SoobPokaz(rasp::ui::NotSavedNotice(notice));
}

void TForm1::SetkaZapol(int den)
{
    if (Tab_1->isHidden())
        return;
    rasp::tmpl::SetkaZapol(m_state, den);
    VtorayaSmenaGranici();
    VtorayaSmenaBlok(1);
    refresh(0); // the views repaint
}

void TForm1::dejstv()
{
    SostMeuProg(0, 0, 0, 0, 1);
    showTemplateDay();
}

void TForm1::showTemplateDay()
{
    RaspClear();
    SetkaZapol(m_state.vibr_den_set);
    refreshDay(true);
    hideWeekdayBadges();
    OblKolUr->hide();
    clearHistory();
}

void TForm1::BtnSetClick(int k)
{
    for (int n = 1; n <= 7; ++n)
        BtnSetMas[n]->setSelectedLook(false);
    rasp::tmpl::SetkaFromGrid(m_state, m_state.vibr_den_set);
    m_state.vibr_den_set = rasp::tmpl::WeekdayIndex(k);
    BtnSetMas[m_state.vibr_den_set]->setSelectedLook(true);
    showTemplateDay();
}

QString TForm1::templateFileOfTargetDate() const
{
    return u"setka/"_s + rasp::text::day(sDateTimePicker3->date()) + u".ini"_s;
}

void TForm1::sSpeedButton9Click()
{
    const QDate d = sDateTimePicker3->date();
    const QString weekday = rasp::text::day2(d);
    if (Dial(u"Загрузить расписание на "_s + weekday + u" из сетки?"_s + u"\r\n"_s
             + u"Все изменения в текущем расписании будут удалены"_s)
        != u"Да"_s)
        return;
    rasp::ui::Edit edit(*m_edits);
    // The template file is read from disk: unsaved template edits are not used.
    const QString path = templateFileOfTargetDate();
    if (!QFileInfo::exists(QDir::current().filePath(path))) {
        clearDay();
        edit.record(wholeDayStep(u"загрузка дня из сетки"_s));
        Rct_SoobPokaz(u"Это ужасно, но шаблона на "_s + weekday + u" не существует"_s);
        return;
    }
    RaspLoad(path, m_state.settings.roomsFromTemplate ? 1 : 0);
    edit.record(wholeDayStep(u"загрузка дня из сетки"_s));
}

void TForm1::sSpeedButton10Click()
{
    if (Dial(u"Все изменения не будут сохранены.\r\nОчистить?"_s) == u"Да"_s) {
        rasp::ui::Edit edit(*m_edits);
        RaspClear();
        if (templatePageActive())
            rasp::tmpl::SetkaClearDay(m_state, m_state.vibr_den_set);
        // The whole refresh, not only the limit lists: the cleared grid must not keep the
        // missing-teacher warning or red rooms of the day it replaced.
        refreshDay(true);
        edit.record(wholeDayStep(templatePageActive() ? u"очистка сетки"_s : u"очистка дня"_s));
        return;
    }
    MaxUrVsego();
    MaxRepUr();
}
