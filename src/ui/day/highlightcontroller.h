#pragma once

#include "day/regim.h"
#include "shell/controller.h"

class QButtonGroup;
class QGroupBox;
class QRadioButton;

namespace rasp::ui {

class DayGridView;

// The group "Показывать": the four highlighting modes of the grid (coincidences only, each
// teacher in a colour, the selected teacher only, no colours). Choosing one resolves the grid's
// teachers in that mode and puts the frame on the first cell.
class HighlightController : public Controller
{
    Q_OBJECT
public:
    // Builds the four mode buttons inside `box`.
    HighlightController(const Shell &shell, QGroupBox *box, DayGridView *grid, QObject *parent);

    // sRadioButton1Change … sRadioButton4Change: each acts only when its own button has become checked.
    void eachToggled();
    void coincidencesToggled();
    void noneToggled();
    void selectedToggled();

    // The parts the window tests look at.
    QButtonGroup *modes() const { return m_modes; }                     // Regim
    QRadioButton *coincidencesButton() const { return m_coincidences; } // sRadioButton2
    QRadioButton *eachButton() const { return m_each; }                 // sRadioButton1
    QRadioButton *selectedButton() const { return m_selected; }         // sRadioButton4
    QRadioButton *noneButton() const { return m_none; }                 // sRadioButton3

signals:
    // The teacher caption shows a cell's teacher list.
    void teachersShown(const QString &teachers);

private:
    // Sets the mode, resolves the grid and puts the focus, frame and caption on cell (1,1).
    void choose(day::Regim regim, const QString &uchitel);

    DayGridView *m_grid = nullptr;
    QButtonGroup *m_modes = nullptr;
    QRadioButton *m_coincidences = nullptr; // "только совпадения"
    QRadioButton *m_each = nullptr;         // "каждого учителя отдельным цветом"
    QRadioButton *m_selected = nullptr;     // "только выбранного учителя"
    QRadioButton *m_none = nullptr;         // "не выделять цветом"
};

} // namespace rasp::ui
