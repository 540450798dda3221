// Day timetable: typing and picking subjects, walking a class column with the keys, and
// dragging a lesson to another row of its class, where it changes places with the lesson there.
#include "tform1.h"

#include "edit/editfunnel.h"
#include "callout.h"
#include "day/celladdress.h"
#include "day/counters.h"
#include "day/gridops.h"
#include "daygridview.h"
#include "text/listorder.h"
#include "undo/editcommands.h"

#include <QApplication>
#include <QDateTime>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTimer>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;
using rasp::day::GridGeometry;

void TForm1::wireEditing()
{
    connect(grid, &rasp::ui::DayGridView::cellClicked, this, &TForm1::RaspClick);
    connect(grid, &rasp::ui::DayGridView::editorKeyReleased, this,
            [this](int row, int column, GridGeometry::Field field, int key) {
                if (row < 1)
                    return;
                if (field == GridGeometry::Subject)
                    UrokKeyUp(row, column, key);
                else if (field == GridGeometry::Room)
                    KabKeyUp(row, column, key);
            });
    connect(grid, &rasp::ui::DayGridView::fieldDoubleClicked, this, [this](int row, int column, GridGeometry::Field field) {
        if (field == GridGeometry::Subject)
            RaspUrDblClick(row, column);
        else
            RaspKabDblClick(row, column);
    });
    connect(grid, &rasp::ui::DayGridView::subjectPressed, this, &TForm1::UrokMouseDown);
    connect(grid, &rasp::ui::DayGridView::subjectMoved, this, &TForm1::UrokMouseMove);
    connect(grid, &rasp::ui::DayGridView::subjectReleased, this, &TForm1::UrokMouseUp);
    connect(grid, &rasp::ui::DayGridView::roomReleased, this, &TForm1::KabMouseUp);
    connect(grid, &rasp::ui::DayGridView::hoveredOutsideCells, OblKolUr, &QWidget::hide);
    connect(ListBox4, &QListWidget::itemDoubleClicked, this, &TForm1::ListBox4DblClick);
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, &TForm1::ListBox1DblClick);
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    connect(slideTimer, &QTimer::timeout, this, &TForm1::TPeremesenStep);
}

void TForm1::writeTemplate(int row, int column, GridGeometry::Field field, const QString &text)
{
    rasp::tmpl::TSetkaMas &day = m_state.Setka[std::size_t(std::clamp(m_state.vibr_den_set, 1, 7))];
    day.grow(m_state.max_ur, m_state.klassvis_mas);
    (field == GridGeometry::Subject ? day.SetkaMasUr : day.SetkaMasKab)[std::size_t(row)][std::size_t(column)] = text;
}

void TForm1::goToCell(int row, int column, GridGeometry::Field field)
{
    rasp::day::RamkaKoord(m_state, row, column);
    grid->focusField(row, column, field);
    sLabel7->setText(m_state.grid.cell(row, column).teachers);
}

void TForm1::hidePopupLists()
{
    for (QListWidget *list : {ListBox1, ListBox4})
        if (list->isVisible()) {
            m_closedList = list->objectName() + u';' + list->toolTip();
            m_closedListAt = QDateTime::currentMSecsSinceEpoch();
        }
    hideCellLists();
}

bool TForm1::closedByClick(QListWidget *list, int row, int column) const
{
    return m_closedList == list->objectName() + u';' + rasp::day::CellHint(row, column)
           && QDateTime::currentMSecsSinceEpoch() - m_closedListAt <= QApplication::doubleClickInterval();
}

void TForm1::RaspClick(int row, int column, GridGeometry::Field field)
{
    if (field == GridGeometry::Subject && templatePageActive())
        PodshetKolUr(m_state.grid.cell(row, column).subject, row, column);
    rasp::day::RamkaKoord(m_state, row, column);
    grid->focusField(row, column, field);
    sLabel7->setText(m_state.grid.cell(row, column).teachers);
    hidePopupLists();
}

void TForm1::UrokKeyUp(int i, int j, int key)
{
    const rasp::day::Cell &cell = m_state.grid.cell(i, j);
    if (templatePageActive())
        writeTemplate(i, j, GridGeometry::Subject, cell.subject);
    const bool up = key == Qt::Key_Up;
    const bool down = key == Qt::Key_Down || key == Qt::Key_Return || key == Qt::Key_Enter;
    // The first character typed into an empty neutral cell refreshes nothing.
    const bool refreshes = up || down || cell.subject.size() >= 2 || cell.background != rasp::day::kWhite;
    if (refreshes) {
        if (up && i != 1) {
            for (int r = i - 1; r >= 1; --r)
                if (rasp::day::SubjectVisible(m_state, r, j)) {
                    goToCell(r, j, GridGeometry::Subject);
                    break;
                }
        } else if (down && i != m_state.max_ur) {
            for (int r = i + 1; r <= m_state.max_ur; ++r)
                if (rasp::day::SubjectVisible(m_state, r, j)) {
                    goToCell(r, j, GridGeometry::Subject);
                    break;
                }
        }
        refresh(rasp::refresh::SubjectTyped);
        MaxUrVsego();
        MaxRepUr();
        if (key != Qt::Key_Up && key != Qt::Key_Down)
            sLabel7->setText(m_state.grid.cell(i, j).teachers);
    }
    if (templatePageActive())
        PodshetKolUr(m_state.grid.cell(i, j).subject, i, j);
    recordTyping(i, j, GridGeometry::Subject);
}

void TForm1::RaspUrDblClick(int i, int j)
{
    ListBox1->hide();
    if (ListBox4->isVisible() || closedByClick(ListBox4, i, j)) {
        ListBox4->hide();
        m_closedList.clear();
        return;
    }
    ListBox4->setToolTip(rasp::day::CellHint(i, j));
    const QRect cell = grid->bodyRectInViewport(GridGeometry::roomRect(i, j));
    ListBox4->move(cell.left(), cell.bottom() + 1);
    ListBox4->raise();
    ListBox4->resize(ListBox4->width(), 190);
    ListBox4->clear();
    QStringList subjects;
    for (int t = 1; t <= m_state.pedvis && t < int(m_state.Predmet.size()); ++t) {
        const auto &byClass = m_state.Predmet[std::size_t(t)];
        if (j >= int(byClass.size()))
            continue;
        for (const QString &line : byClass[std::size_t(j)])
            if (!line.isEmpty() && !subjects.contains(line))
                rasp::text::SortedInsert(subjects, line);
    }
    ListBox4->addItems(subjects);
    if (ListBox4->count() > 0)
        ListBox4->show();
}

void TForm1::ListBox4DblClick()
{
    QListWidgetItem *item = ListBox4->currentItem();
    int i = 0;
    int j = 0;
    if (!item || !item->isSelected() || !listCell(ListBox4, &i, &j))
        return;
    rasp::ui::Edit edit(*m_edits);
    m_state.grid.cell(i, j).subject = item->text();
    if (templatePageActive()) {
        writeTemplate(i, j, GridGeometry::Subject, item->text());
        PodshetKolUr(item->text(), i, j);
    }
    refresh(rasp::refresh::SubjectTyped);
    ListBox4->hide();
    MaxUrVsego();
    MaxRepUr();
    sLabel7->setText(m_state.grid.cell(i, j).teachers);
    grid->syncEditor();
    edit.record(stepOf<rasp::ui::undo::PickCommand>(u"выбор предмета "_s + cellName(i, j)));
}

void TForm1::UrokMouseDown(int /*row*/, int /*column*/, QPointF pos)
{
    if (arrangementRunning() || peremesen != 0)
        return;
    FPressed = true;
    FStartPos = pos;
    OblKolUr->hide();
    hidePopupLists();
}

void TForm1::UrokMouseMove(int row, int column, QPointF pos)
{
    if (!FPressed || m_state.grid.cell(row, column).locked())
        return;
    // Only vertically: the lesson slides up and down its class column; background, room field
    // and frame follow it.
    grid->setLifted(row, column, grid->fieldTop(row, column) + (pos.y() - FStartPos.y()));
}

void TForm1::UrokMouseUp(int i, int j, QPointF /*pos*/)
{
    if (!FPressed)
        return;
    if (templatePageActive())
        PodshetKolUr(m_state.grid.cell(i, j).subject, i, j);
    int k = GridGeometry::dropRow(grid->fieldTop(i, j), m_state.max_ur);
    if (m_state.grid.cell(k, j).locked())
        k = i;
    if (k == i)
        grid->clearLifted(i, j);
    else
        grid->setLifted(i, j, GridGeometry::slotTop(k));
    sLabel7->setText(m_state.grid.cell(i, j).teachers);
    rasp::day::RamkaKoord(m_state, i, j);
    if (k != i) {
        y_num_nach = k;
        y_num_kon = i;
        x_nach = j;
        y_kon = GridGeometry::slotTop(i);
        y_nach = GridGeometry::slotTop(k);
        grid->setLifted(k, j, y_nach); // the displaced lesson is drawn over the dropped one
        mn_per_Ur = GridGeometry::slideStep(y_kon, y_nach);
        if (m_state.settings.animateMoves) { // "Анимировать перетаскивание уроков"
            peremesen = 1;
            Timer1->start();
            slideTimer->start();
        } else {
            peremesen = 2;
            Timer1->start();
        }
    } else {
        refresh(rasp::RefreshTeachers, m_state.regim == rasp::day::Regim::None ? QString() : m_state.grid.cell(i, j).teachers);
    }
    FPressed = false;
    grid->viewport()->update();
}

void TForm1::TPeremesenStep()
{
    const double top = grid->fieldTop(y_num_nach, x_nach);
    if ((top < y_kon && mn_per_Ur > 0) || (top > y_kon && mn_per_Ur < 0)) {
        y_nach += mn_per_Ur;
        grid->setLifted(y_num_nach, x_nach, y_nach);
        return;
    }
    slideTimer->stop();
    peremesen = 2;
}

void TForm1::Timer1Timer()
{
    if (peremesen != 2)
        return;
    const int k = y_num_nach;
    const int i = y_num_kon;
    const int x = x_nach;
    rasp::ui::Edit edit(*m_edits);
    rasp::day::Cell &a = m_state.grid.cell(k, x);
    rasp::day::Cell &b = m_state.grid.cell(i, x);
    std::swap(a.subject, b.subject);
    std::swap(a.style, b.style);
    std::swap(a.background, b.background);
    std::swap(a.room, b.room);
    std::swap(a.cover, b.cover); // a lesson's cover moves with it
    if (templatePageActive()) {
        rasp::tmpl::TSetkaMas &day = m_state.Setka[std::size_t(std::clamp(m_state.vibr_den_set, 1, 7))];
        writeTemplate(k, x, GridGeometry::Subject, a.subject); // sizes the template day
        day.SetkaMasUr[std::size_t(i)][std::size_t(x)] = b.subject;
        day.SetkaMasKab[std::size_t(k)][std::size_t(x)] = a.room;
        day.SetkaMasKab[std::size_t(i)][std::size_t(x)] = b.room;
    }
    grid->clearLifted(k, x);
    grid->clearLifted(i, x);
    if (rasp::day::SubjectVisible(m_state, k, x)) {
        rasp::day::RamkaKoord(m_state, k, x);
        grid->focusField(k, x, GridGeometry::Subject);
        grid->editor()->setCursorPosition(int(grid->editor()->text().size()));
    }
    const QString selection = m_state.regim == rasp::day::Regim::None ? QString() : m_state.grid.cell(i, x).teachers;
    refresh(rasp::refresh::LessonsMoved, selection);
    peremesen = 0;
    Timer1->stop();
    edit.record(stepOf<rasp::ui::undo::MoveLessonCommand>(u"перенос урока %1 → %2"_s.arg(cellName(i, x)).arg(k), selection));
}
