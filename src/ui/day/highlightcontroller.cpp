#include "day/highlightcontroller.h"
#include "day/daytexts.h"

#include "day/gridops.h"
#include "day/poiskuchit.h"
#include "day/daygridview.h"
#include "edit/editfunnel.h"
#include "state.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace rasp::ui {

HighlightController::HighlightController(const Shell &shell, QGroupBox *box, DayGridView *grid, QObject *parent)
    : Controller(shell, parent)
    , m_grid(grid)
{
    auto *column = new QVBoxLayout(box);
    column->setContentsMargins(4, 4, 2, 4); // its captions take the width it has
    column->setSpacing(2);
    m_modes = new QButtonGroup(box);
    m_modes->setObjectName(u"Regim"_s);
    const std::tuple<QRadioButton **, QString, QString> buttons[] = {
        {&m_coincidences, daytexts::kModeCoincidences.toString(), u"sRadioButton2"_s},
        {&m_each, daytexts::kModeEach.toString(), u"sRadioButton1"_s},
        {&m_selected, daytexts::kModeSelected.toString(), u"sRadioButton4"_s},
        {&m_none, daytexts::kModeNone.toString(), u"sRadioButton3"_s},
    };
    // A size smaller than the window's lets the longest caption fit the group's width.
    QFont font = box->font();
    font.setPointSize(10);
    int n = 0;
    for (const auto &[button, caption, name] : buttons) {
        *button = new QRadioButton(caption, box);
        (*button)->setObjectName(name);
        (*button)->setFont(font);
        m_modes->addButton(*button, n++);
        column->addWidget(*button);
    }
    column->addStretch(1);
    // The group gives up width down to what its captions need when the tool row is short of room.
    box->setMinimumWidth(box->minimumSizeHint().width());
    connect(m_each, &QRadioButton::toggled, this, &HighlightController::eachToggled);
    connect(m_coincidences, &QRadioButton::toggled, this, &HighlightController::coincidencesToggled);
    connect(m_none, &QRadioButton::toggled, this, &HighlightController::noneToggled);
    connect(m_selected, &QRadioButton::toggled, this, &HighlightController::selectedToggled);
}

void HighlightController::choose(day::Regim regim, const QString &uchitel)
{
    {
        Edit edit(edits());
        edit.state().regim = regim;
        // The mode button is the focused control here, so an empty selection stays empty.
        day::PoiskUchit(edit.state(), uchitel, {});
    }
    if (state().klassvis >= 1 && day::SubjectVisible(state(), 1, 1)) {
        edits().moveFrame(1, 1);
        m_grid->focusField(1, 1, day::GridGeometry::Subject);
        emit teachersShown(state().grid.cell(1, 1).teachers);
        m_grid->editor()->setCursorPosition(int(m_grid->editor()->text().size()));
    }
    m_grid->syncEditor();
    m_grid->viewport()->update();
}

void HighlightController::eachToggled()
{
    if (m_each->isChecked())
        choose(day::Regim::Each, {});
}

void HighlightController::coincidencesToggled()
{
    if (m_coincidences->isChecked())
        choose(day::Regim::Coincidences, {});
}

void HighlightController::noneToggled()
{
    if (m_none->isChecked())
        choose(day::Regim::None, {});
}

void HighlightController::selectedToggled()
{
    if (m_selected->isChecked())
        choose(day::Regim::Selected, state().klassvis >= 1 ? state().grid.cell(1, 1).teachers : QString());
}

} // namespace rasp::ui
