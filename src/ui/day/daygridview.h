#pragma once

#include "day/gridgeometry.h"
#include "widgets/fieldfont.h"

#include <QAbstractScrollArea>
#include <QEvent>
#include <QHash>
#include <QPixmap>
#include <QStaticText>

#include <vector>

class QLineEdit;
class QPlainTextEdit;

namespace rasp {
struct State;
}

namespace rasp::ui {

class EditFunnel;

// The day grid on screen: one painted widget for the class-header strip, the row strip with
// its freeze toggles and the grid body, plus the notes memo and a single live editor that
// sits on the focused field. It paints the core grid and forwards gestures as signals.
class DayGridView : public QAbstractScrollArea
{
    Q_OBJECT
public:
    // The whole text of the field under a body-content point when its field is too narrow to
    // show it, else empty; `header` for a point of the class-header strip.
    QString cutTextAt(QPoint content, bool header);
    using Field = day::GridGeometry::Field;

    // Paints `state`; what is typed into the live editor and the note box goes in through the
    // funnel given by setFunnel (built after the shell's widgets, so that it outlives them).
    explicit DayGridView(const State &state, QWidget *parent = nullptr);
    void setFunnel(EditFunnel *edits) { m_edits = edits; }

    // Re-reads the grid's size after columns were added or removed.
    void gridChanged();
    // Puts the live editor on a field of a lesson cell, giving it the keyboard focus if asked.
    void focusField(int row, int column, Field field, bool takeFocus = true);
    // Takes the live editor off the grid.
    void releaseEditor();
    // Re-reads the editor's text from the model (after a program changed the focused cell).
    void syncEditor();
    // Enables or disables the row freeze toggles.
    void setTogglesEnabled(bool enabled);
    bool togglesEnabled() const { return m_togglesEnabled; }
    // Moves the notes memo to its place under the last row and sets its width.
    void placeMemo();

    QLineEdit *editor() const { return m_editor; }
    QPlainTextEdit *memo() const { return m_memo; }
    int editorRow() const { return m_editRow; }
    int editorColumn() const { return m_editColumn; }
    Field editorField() const { return m_editField; }

    // Viewport position of a body point and of a header-strip point.
    QPoint bodyToViewport(QPoint p) const;
    QPoint headerToViewport(QPoint p) const;

    // Draws the subject field, background and room field of a lesson cell with their top at
    // `top` (body coordinates) instead of their own row, over every other cell; later lifted
    // cells are drawn over earlier ones. Used for a dragged and a sliding lesson.
    void setLifted(int row, int column, double top);
    // Puts a lifted cell back at its own row; clearLifted() puts all back.
    void clearLifted(int row, int column);
    void clearLifted();
    // Top of the subject field of a lesson cell as drawn (lifted or at its own row).
    double fieldTop(int row, int column) const;
    // Where the popup lists and the count callout go: a body rectangle in viewport coordinates.
    QRect bodyRectInViewport(const QRect &bodyRect) const;
    // The 70 x 30 corner above the row strip, where the missing-teacher warning sits.
    QRect cornerRect() const;

    // Marks lesson cells (row, column) with a thin frame until the marks are cleared: the lessons
    // an exact arrangement moved. Clearing repaints only when there were marks.
    void setMovedMarks(std::vector<std::pair<int, int>> cells);
    void clearMovedMarks();
    const std::vector<std::pair<int, int>> &movedMarks() const { return m_movedMarks; }

    // Marks the open lessons (row, column): lessons whose teacher is away and that nobody covers,
    // hatched and framed with a dashed line, so they stand out from any teacher colour or clash.
    // Repaints only when the marks change.
    void setOpenMarks(std::vector<std::pair<int, int>> cells);
    const std::vector<std::pair<int, int>> &openMarks() const { return m_openMarks; }

    // Paints the whole widget into an image of the given size (used by the repaint benchmark).
    void renderTo(QPaintDevice *device);

signals:
    // A free subject field or a room field was clicked.
    void cellClicked(int row, int column, rasp::day::GridGeometry::Field field);
    // The text of the focused field was typed into; the model already holds the new text.
    void cellEdited(int row, int column, rasp::day::GridGeometry::Field field);
    // A key was released in the live editor.
    void editorKeyReleased(int row, int column, rasp::day::GridGeometry::Field field, int key);
    // A row's freeze toggle was clicked.
    void toggleClicked(int row);
    // A right-click (context-menu request) on the subject field or lock picture of a lesson
    // cell, `xInField` pixels right of the field's left edge.
    void cellContextMenu(int row, int column, int xInField, QPoint globalPos);
    // Mouse press, move and release on a free subject field; `pos` is relative to the field
    // as drawn. Moves and releases go to the pressed field wherever the pointer is.
    void subjectPressed(int row, int column, QPointF pos);
    void subjectMoved(int row, int column, QPointF pos);
    void subjectReleased(int row, int column, QPointF pos);
    // A mouse release after a press on a room field.
    void roomReleased(int row, int column);
    // The pointer moved over the grid body outside every lesson field, no button held.
    void hoveredOutsideCells();
    // A double-click on a free subject field or a room field.
    void fieldDoubleClicked(int row, int column, rasp::day::GridGeometry::Field field);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    // Shows the whole text of a cut class name as the header strip's tooltip.
    bool viewportEvent(QEvent *event) override;

private:
    void paintGrid(QPainter &p, const QRect &exposed);
    // Draws a field text centred in a rectangle, set by the fitting rule (smaller or tighter
    // when it is wider), from its left edge and cut only when even the floor is too wide;
    // reuses its laid-out form between repaints.
    void drawFieldText(QPainter &p, const QRect &r, const QString &text, bool bold);

public:
    // The usable text width of a field of `fieldWidth` pixels: what the live editor shows
    // inside its 2-px margins, so a text the painted field shows whole the editor shows whole.
    static int textWidth(int fieldWidth) { return fieldWidth - 4; }
    // How a field text is set in a field of `fieldWidth` pixels: its font and whether it is cut.
    const FieldFont::Fitted &fitted(const QString &text, bool bold, int fieldWidth);

private:
    void paintCell(QPainter &p, int row, int column, int top, bool editorShown);
    struct Laid {
        QStaticText text;
        QFont font;
        bool cut;
    };
    // The laid-out form of a field text in a field width, made once and kept between repaints.
    const Laid &laidOut(const QString &text, bool bold, int fieldWidth);
    // Shows the tooltip of a cut field text at a body-content point; true when one is shown.
    bool showCutText(QPoint content, bool header, QPoint globalPos);
    // Presses, moves, releases and double-clicks on the body, at a body-content point; `editor`
    // when they arrived on the live editor.
    bool bodyMouse(QEvent::Type type, QPoint content, bool editor);
    QPoint contentOf(QWidget *from, QPointF pos) const;
    // A context-menu request at a body-content point: emits cellContextMenu on a subject field.
    bool bodyContextMenu(QPoint content, QPoint globalPos);
    int liftedIndex(int row, int column) const;
    void updateScrollBars();
    void placeEditor();
    // The stored text of the field the editor is on; empty when it is on none.
    QString editedText() const;
    QRect bodyViewportRect() const;

    const State &m_state;
    EditFunnel *m_edits = nullptr;
    QLineEdit *m_editor;
    QPlainTextEdit *m_memo;
    QPixmap m_lock;    // lock picture, rendered once at field size
    QPixmap m_snegOff; // not-frozen toggle picture
    QPixmap m_snegOn;  // frozen toggle picture
    QFont m_bold;
    QFont m_plain;
    FieldFont m_boldFit;              // subjects, captions, class names, row numbers
    FieldFont m_plainFit;             // rooms
    QHash<QString, Laid> m_boldTexts; // laid-out texts by field width and text
    QHash<QString, Laid> m_plainTexts;
    int m_editRow = -1;
    int m_editColumn = -1;
    Field m_editField = Field::None;
    bool m_togglesEnabled = true;
    std::vector<std::pair<int, int>> m_movedMarks; // (row, column) of the marked cells
    std::vector<std::pair<int, int>> m_openMarks;  // (row, column) of the open lessons
    struct Lifted {
        int row;
        int column;
        double top;
    };
    std::vector<Lifted> m_lifted; // few: a dragged lesson and a sliding one
    int m_pressRow = -1;          // the field a mouse press landed on
    int m_pressColumn = -1;
    Field m_pressField = Field::None;
};

} // namespace rasp::ui
