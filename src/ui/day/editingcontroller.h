#pragma once

#include "day/gridgeometry.h"
#include "shell/controller.h"

#include <QPointF>
#include <QString>

#include <array>

class QLabel;
class QListWidget;
class QTimer;

namespace rasp::ui {

class Callout;
class DayGridView;

// Editing the day (and the template weekday) on the grid: typing subjects and rooms, walking a
// class column with the keys, the subject picker and the room list that open under a field,
// dragging a lesson to another row of its class, where it changes places with the lesson there,
// and the "Всего" callout of a subject's count in the template week. Every change goes through
// the edit funnel; typing runs are recorded by it too.
class EditingController : public Controller
{
    Q_OBJECT
public:
    // Builds the two lists and the callout over `grid`'s viewport and listens to the grid.
    EditingController(const Shell &shell, DayGridView *grid, QObject *parent);

    // RaspClick: a free subject field or a room field was clicked; frame and editor go there.
    void fieldClicked(int row, int column, day::GridGeometry::Field field);
    // UrokKeyUp: key release in a subject field: template write-through, navigation, refresh.
    void subjectKeyReleased(int row, int column, int key);
    // RaspUrDblClick: opens or closes the subject picker under a subject field.
    void toggleSubjectPicker(int row, int column);
    // ListBox4DblClick: the picked subject goes into the cell.
    void pickSubject();
    // UrokMouseDown / UrokMouseMove / UrokMouseUp: dragging a lesson within its class.
    void pressLesson(QPointF pos);
    void dragLesson(int row, int column, QPointF pos);
    void dropLesson(int row, int column);
    // TPeremesenStep: one 10-ms step of the displaced lesson's slide.
    void slideStep();
    // Timer1Timer: 50-ms tick; completes a move once it is ready.
    void completeMove();
    // RaspKabDblClick: opens or closes the list of free rooms under a room field.
    void toggleRoomList(int row, int column);
    // ListBox1DblClick: the picked room goes into the cell.
    void pickRoom();
    // KabKeyUp: key release in a room field: template write-through, Up/Down/Enter, recheck.
    void roomKeyReleased(int row, int column, int key);
    // KabMouseUp: the caption shows the teachers of the released room field.
    void roomReleased(int row, int column);
    // PodshetKolUr: the weekday badges (weekCounted) and the "Всего" callout for subject s of
    // class `column` at cell (row, column).
    void countWeek(const QString &s, int row, int column);

    // Focuses the subject (or room) field of a cell and puts the frame and the caption there.
    void goToCell(int row, int column, day::GridGeometry::Field field);
    // The frame goes to a cell an undone or redone step changed; the editor too when it is unlocked.
    void showRestoredCell(int row, int column);
    // Hides the room list and the subject picker, which are anchored to a cell on screen.
    void hideCellLists();
    // Hides the "Всего" callout.
    void hideWeekCount();
    // Whether a lesson is pressed, sliding or waiting to complete its move (no undo then).
    bool moveUnderWay() const { return m_pressed || m_move.state != 0; }

    // Typing runs (kept by the funnel): a key pressed in the editor's field opens one.
    void typingKeyPressed();
    // Records what the run of the field changed so far, merged into its step.
    void recordTyping(int row, int column, day::GridGeometry::Field field);

    // The cell the room list or the subject picker was opened for; false when none.
    static bool listCell(const QListWidget *list, int *row, int *column);

    // The parts the window tests look at.
    QListWidget *roomList() const { return m_roomList; }       // ListBox1
    QListWidget *subjectList() const { return m_subjectList; } // ListBox4
    Callout *weekCallout() const { return m_callout; }         // OblKolUr
    QLabel *weekCalloutText() const { return m_calloutText; }  // Label11
    QTimer *moveTimer() const { return m_moveTimer; }          // Timer1
    int moveState() const { return m_move.state; }             // peremesen
    bool pressed() const { return m_pressed; }                 // FPressed

signals:
    // The teacher caption shows a cell's teacher list.
    void teachersShown(const QString &teachers);
    // The subjects of the day changed: the limit lists of "Автоподбор" follow.
    void limitsWanted();
    // The week's count of a subject per weekday (all 0: the badges hide).
    void weekCounted(const std::array<int, 8> &perDay);

private:
    // Writes a subject or room text into the template of the shown weekday.
    void writeTemplate(int row, int column, day::GridGeometry::Field field, const QString &text);
    // Hides both lists, remembering which one a press just closed.
    void hidePopupLists();
    // Whether a press of the double-click under way closed this list for this cell; the
    // double-click then leaves it closed instead of opening it again.
    bool closedByClick(const QListWidget *list, int row, int column) const;
    // Opens `list` under the cell (row, column) with `items`, `height` px high (0: as it is).
    void openUnder(QListWidget *list, int row, int column, const QStringList &items, int height);
    // The name of a cell in step texts: "5А, 2".
    QString cellName(int row, int column) const;

    DayGridView *m_grid = nullptr;
    QListWidget *m_roomList = nullptr;
    QListWidget *m_subjectList = nullptr;
    Callout *m_callout = nullptr;
    QLabel *m_calloutText = nullptr;
    QTimer *m_moveTimer = nullptr;  // 50 ms: completes a lesson move
    QTimer *m_slideTimer = nullptr; // 10 ms: steps of the sliding animation
    bool m_pressed = false;         // FPressed: a press on a subject field may start a drag
    QPointF m_pressPos;             // FStartPos: the press position inside the pressed field
    struct Move {
        int state = 0;   // peremesen: 0 idle, 1 sliding, 2 ready to complete
        int toRow = 0;   // y_num_nach: target row of the move
        int fromRow = 0; // y_num_kon: origin row of the move
        int column = 0;  // x_nach: class column of the move
        double top = 0;  // y_nach: current top of the displaced lesson while it slides
        double goal = 0; // y_kon: top of the origin row, where the displaced lesson goes
        int step = 0;    // mn_per_Ur: slide step in pixels, negative upwards
    } m_move;
    QString m_closedList;      // "list;row;column" closed by the last press
    qint64 m_closedListAt = 0; // when (ms since epoch)
};

} // namespace rasp::ui
