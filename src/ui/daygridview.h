#pragma once

#include "day/gridgeometry.h"

#include <QAbstractScrollArea>
#include <QHash>
#include <QPixmap>
#include <QStaticText>

class QLineEdit;
class QPlainTextEdit;

namespace rasp {
struct State;
}

namespace rasp::ui {

// The day grid on screen: one painted widget for the class-header strip, the row strip with
// its freeze toggles and the grid body, plus the notes memo and a single live editor that
// sits on the focused field. It paints the core grid and forwards gestures as signals.
class DayGridView : public QAbstractScrollArea
{
    Q_OBJECT
public:
    using Field = day::GridGeometry::Field;

    explicit DayGridView(State &state, QWidget *parent = nullptr);

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

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void paintGrid(QPainter &p, const QRect &exposed);
    // Draws a field text centred in a rectangle, reusing its laid-out form between repaints.
    void drawCentred(QPainter &p, const QRect &r, const QString &text, bool bold);
    void updateScrollBars();
    void placeEditor();
    QRect bodyViewportRect() const;

    State &m_state;
    QLineEdit *m_editor;
    QPlainTextEdit *m_memo;
    QPixmap m_lock;     // lock picture, rendered once at field size
    QPixmap m_snegOff;  // not-frozen toggle picture
    QPixmap m_snegOn;   // frozen toggle picture
    QFont m_bold;
    QFont m_plain;
    QHash<QString, QStaticText> m_boldTexts;  // laid-out texts: subjects, captions, class names
    QHash<QString, QStaticText> m_plainTexts; // laid-out texts: rooms
    int m_editRow = -1;
    int m_editColumn = -1;
    Field m_editField = Field::None;
    bool m_togglesEnabled = true;
};

} // namespace rasp::ui
