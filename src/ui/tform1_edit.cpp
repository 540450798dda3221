// Day timetable: typing and picking subjects, walking a class column with the keys, and
// dragging a lesson to another row of its class. Entry points of rasp::ui::EditingController
// (src/ui/day), which does the work.
#include "tform1.h"

#include "arrange/arrangecontroller.h"
#include "day/editingcontroller.h"
#include "template/templatecontroller.h"

#include <QLabel>

using rasp::day::GridGeometry;
using rasp::ui::EditingController;

void TForm1::wireEditing()
{
    m_editing = new EditingController(shellServices(), grid, this);
    connect(m_editing, &EditingController::teachersShown, sLabel7, &QLabel::setText);
    connect(m_editing, &EditingController::limitsWanted, this, [this] {
        MaxUrVsego();
        MaxRepUr();
    });
    // A badge shows where its weekday's count is not 0, so an empty subject hides them all.
    connect(m_editing, &EditingController::weekCounted, this,
            [this](const std::array<int, 8> &perDay) { m_template->showCounts(perDay); });
}

// EditingController::fieldClicked.
void TForm1::RaspClick(int row, int column, GridGeometry::Field field) { m_editing->fieldClicked(row, column, field); }
// EditingController::subjectKeyReleased.
void TForm1::UrokKeyUp(int i, int j, int key) { m_editing->subjectKeyReleased(i, j, key); }
// EditingController::toggleSubjectPicker.
void TForm1::RaspUrDblClick(int i, int j) { m_editing->toggleSubjectPicker(i, j); }
// EditingController::pickSubject.
void TForm1::ListBox4DblClick() { m_editing->pickSubject(); }
// EditingController::pressLesson.
void TForm1::UrokMouseDown(int, int, QPointF pos) { m_editing->pressLesson(pos); }
// EditingController::dragLesson.
void TForm1::UrokMouseMove(int row, int column, QPointF pos) { m_editing->dragLesson(row, column, pos); }
// EditingController::dropLesson.
void TForm1::UrokMouseUp(int i, int j, QPointF) { m_editing->dropLesson(i, j); }
// EditingController::slideStep.
void TForm1::TPeremesenStep() { m_editing->slideStep(); }
// EditingController::completeMove.
void TForm1::Timer1Timer() { m_editing->completeMove(); }
// EditingController::countWeek.
void TForm1::PodshetKolUr(const QString &s, int ii, int jj) { m_editing->countWeek(s, ii, jj); }
