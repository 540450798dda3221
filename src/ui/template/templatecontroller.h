#pragma once

#include "shell/controller.h"

#include <QString>

#include <array>

class QLabel;
class QWidget;

namespace rasp::ui {

class WeekdayButton;

// The weekday strip of the template page, named as the routines refer to it (the window tests
// reach it through TForm1::weekdayStrip()).
struct WeekdayStrip {
    WeekdayButton *BtnSetMas[8] = {}; // weekday buttons 1..7 (each paints its RctSetMas rectangle)
    QLabel *Rct_Set_schet[8] = {};    // weekday counter badges 1..7 (label LabSet[k] inside)
    QLabel *LabSet[8] = {};
};

// The weekly template: the seven template files read and written, the weekday strip of the
// template page with its counter badges, a template weekday put on the grid, and the questions
// of the grid actions that load the day from the template or clear the grid. Changes of the
// template go through the edit funnel; what the day's grid must do about them is asked of the
// shell by the signals below.
class TemplateController : public Controller
{
    Q_OBJECT
public:
    // `strip` is the shell's box for the weekday buttons (RctSet, in the grid page's top bar);
    // `gridPage` the page the grid is on (a template day goes on the grid only while it is shown).
    TemplateController(const Shell &shell, QWidget *strip, QWidget *gridPage, QObject *parent);

    // buildWeekdayStrip: seven weekday buttons and their badges, the selected weekday highlighted.
    void buildStrip();
    // placeWeekdayBadges / hideWeekdayBadges: the badges under their buttons, or all hidden.
    void placeBadges();
    void hideBadges();
    // PodshetKolUr's badges: the count of each weekday, a badge shown where it is not 0.
    void showCounts(const std::array<int, 8> &perDay);

    // SetkaLoad: reads the seven template files; a file that cannot be read is reported.
    void read();
    // SetkaSave: writes the seven files and says how it went.
    void save();
    // SetkaZapol: template day `den` on the grid, if the grid page is shown.
    void fillGrid(int den);
    // BtnSetClick: the grid goes into the weekday left, weekday k comes on the grid.
    void chooseWeekday(int k);
    // dejstv: enters the template page and shows the selected weekday.
    void enter();
    // showTemplateDay: the selected weekday on the grid with everything derived from it.
    void showDay();
    // sSpeedButton9Click: after a question, the day from the template of its weekday.
    void loadDayFromTemplate();
    // sSpeedButton10Click: after a question, the grid emptied (on the template page the weekday too).
    void askClear();
    // Leaving the template page: the grid goes into the selected weekday in memory (a subject of
    // one space becomes empty, as the file keeps it).
    void keepShownWeekday();
    // The shown weekday of the template emptied (part of "Очистить" on the template page).
    void clearShownDay();
    // templateFileOfTargetDate: "setka/<weekday>.ini" of the target date.
    QString fileOfTargetDate() const;

    // The strip, for the window tests.
    const WeekdayStrip &strip() const { return m_strip; }

signals:
    // The template page is entered (the page switch).
    void pageWanted();
    // The grid is emptied before a template day comes on it (RaspClear).
    void gridClearing();
    // A template day is on the grid: the second shift is placed and applied to it.
    void gridFilled();
    // The selected weekday is on the grid: the day's whole refresh runs.
    void dayShown();
    // Inside the step of "load the day from the template": the day becomes the template file at
    // `path` (empty: there is none, the day is emptied).
    void dayFromTemplateWanted(const QString &path);
    // Inside the step of "Очистить", after the grid was emptied: the day's whole refresh runs (the
    // cleared grid must not keep the missing-teacher warning or red rooms of the day it replaced).
    void gridCleared();
    // "Очистить" was answered "Нет": the limit lists are refilled.
    void clearDeclined();

private:
    QWidget *m_stripBox;
    QWidget *m_gridPage;
    WeekdayStrip m_strip;
};

} // namespace rasp::ui
