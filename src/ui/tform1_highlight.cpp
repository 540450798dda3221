// Day timetable: teacher resolution and the highlighting modes of "Показывать"; the modes are
// rasp::ui::HighlightController (src/ui/day).
#include "tform1.h"

#include "day/celladdress.h"
#include "day/highlightcontroller.h"
#include "day/daygridview.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

using rasp::ui::HighlightController;

void TForm1::wireHighlight()
{
    m_highlight = new HighlightController(shellServices(), sGroupBox1, grid, this);
    connect(m_highlight, &HighlightController::teachersShown, sLabel7, &QLabel::setText);
}

QString TForm1::focusedCellHint() const
{
    // Only a subject field carries a cell address; a room field's hint is its teacher list.
    if (QApplication::focusWidget() == grid->editor() && grid->editorField() == rasp::day::GridGeometry::Subject)
        return rasp::day::CellHint(grid->editorRow(), grid->editorColumn());
    return {};
}

void TForm1::PoiskUchit(const QString &uchitel)
{
    m_edits->refresh(rasp::RefreshTeachers, uchitel); // core day::PoiskUchit, then the views repaint
}

// HighlightController::eachToggled.
void TForm1::sRadioButton1Change() { m_highlight->eachToggled(); }
// HighlightController::coincidencesToggled.
void TForm1::sRadioButton2Change() { m_highlight->coincidencesToggled(); }
// HighlightController::noneToggled.
void TForm1::sRadioButton3Change() { m_highlight->noneToggled(); }
// HighlightController::selectedToggled.
void TForm1::sRadioButton4Change() { m_highlight->selectedToggled(); }
