// Absent teachers and their covers: the shell hands rasp::ui::AbsencesController (src/ui/absences)
// the top bar for its count, the substitutions page's view "Отсутствия", the cell menu and the
// teacher caption, and puts its open lessons on the grid.
#include "tform1.h"

#include "day/shiftcontroller.h"

#include "absences/absencescontroller.h"
#include "day/daygridview.h"
#include "reports/reportscontroller.h"
#include "reports/zamenypage.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

void TForm1::wireAbsences()
{
    m_absences = new rasp::ui::AbsencesController(shellServices(), Panel5, m_reports->substitutionsPage()->absencesArea,
                                                  m_shift->cellMenu(), this);
    // After the three boxes of the top bar, whose order the page switch changes, before its stretch.
    static_cast<QHBoxLayout *>(Panel5->layout())->insertWidget(3, m_absences->openCount());
    connect(m_absences, &rasp::ui::AbsencesController::openLessonsChanged, grid, &rasp::ui::DayGridView::setOpenMarks);
    connect(m_absences, &rasp::ui::AbsencesController::planningRequested, this,
            [this] { m_reports->openSubstitutions(rasp::ui::ZamenyPage::Absences); });
    connect(m_reports, &rasp::ui::ReportsController::absencesShown, m_absences, &rasp::ui::AbsencesController::showPlanning);
    connect(m_shift, &rasp::ui::ShiftController::cellMenuOpening, m_absences, &rasp::ui::AbsencesController::prepareCellMenu);
    sLabel7->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(sLabel7, &QWidget::customContextMenuRequested, this,
            [this](QPoint pos) { m_absences->showCaptionMenu(sLabel7->text(), sLabel7->mapToGlobal(pos)); });
}
