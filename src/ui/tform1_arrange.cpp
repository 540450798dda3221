// Automatic arrangement: the entry points of the group "Автоподбор" ("Старт", "Стоп", "Венуть
// предыдущий вариант", "Точный подбор"). The work is done by rasp::ui::ArrangeController
// (src/ui/arrange); each routine here forwards to it.
#include "tform1.h"

#include "day/highlightcontroller.h"

#include "arrange/arrangecontroller.h"
#include "day/daygridview.h"
#include "undo/undocontroller.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;

void TForm1::wireArrange()
{
    m_arrange = new rasp::ui::ArrangeController(shellServices(), sGroupBox3, this);
    // The group's tab order stays: the run buttons and the limit lists before "Не перемещать".
    QWidget *previous = sSpeedButton5;
    for (QWidget *w : {static_cast<QWidget *>(m_arrange->startButton()), static_cast<QWidget *>(m_arrange->stopButton()),
                       static_cast<QWidget *>(m_arrange->revertButton()), static_cast<QWidget *>(m_arrange->exactButton()),
                       static_cast<QWidget *>(m_arrange->maxLessonsBox()), static_cast<QWidget *>(m_arrange->firstGapsBox())}) {
        QWidget::setTabOrder(previous, w);
        previous = w;
    }
    connect(m_arrange, &rasp::ui::ArrangeController::runStarting, this, [this] {
        hideCellLists();
        grid->clearMovedMarks();
    });
    connect(m_arrange, &rasp::ui::ArrangeController::runStateChanged, this, [this] {
        EnabledKomponent();
        m_undo->updateActions();
    });
    connect(m_arrange, &rasp::ui::ArrangeController::coincidencesWanted, this, [this] { m_highlight->coincidencesButton()->setChecked(true); });
    connect(m_arrange, &rasp::ui::ArrangeController::movedLessons, grid, &rasp::ui::DayGridView::setMovedMarks);
    connect(m_arrange, &rasp::ui::ArrangeController::maxLessonsChosen, this, &TForm1::sComboBox2Change);
    connect(m_arrange->startButton(), &QToolButton::clicked, this, &TForm1::sSpeedButton4Click);
    connect(m_arrange->stopButton(), &QToolButton::clicked, this, &TForm1::sSpeedButton6Click);
    connect(m_arrange->revertButton(), &QToolButton::clicked, this, &TForm1::sSpeedButton7Click);
    connect(m_arrange->exactButton(), &QToolButton::clicked, this, &TForm1::exactButtonClick);
}

// ArrangeController::startRandom.
void TForm1::sSpeedButton4Click() { m_arrange->startRandom(); }
// ArrangeController::stop.
void TForm1::sSpeedButton6Click() { m_arrange->stop(); }
// ArrangeController::revert.
void TForm1::sSpeedButton7Click() { m_arrange->revert(); }
// ArrangeController::startExact.
void TForm1::exactButtonClick() { m_arrange->startExact(); }
