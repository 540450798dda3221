#pragma once

#include "server/notes.h"
#include "server/noteslayout.h"

#include <QAbstractScrollArea>

namespace rasp::ui {

// The notes board: one painted scrolling column of note cards (plain text only, never rich
// text). Each card shows its delete cross; a click on it reports the note's key.
class NotesBoardView : public QAbstractScrollArea
{
    Q_OBJECT
public:
    explicit NotesBoardView(QWidget *parent = nullptr);
    // Shows a new board from the top.
    void setBoard(server::NotesBoardModel board);
    // Discards the board.
    void clear();
    const server::NotesBoardModel &board() const { return m_board; }
    // The cards' places in content coordinates (viewport coordinates at scroll 0).
    const std::vector<server::CardGeometry> &geometry() const { return m_geometry; }
    // Laid-out height of `text` at the given width, size and weight (the body's measure).
    int ViravHeight(const QString &ss, bool bold, int siz, int width) const;
    // The layout the cards have now: compact on a short board.
    server::CardLayout layout() const { return m_layout; }

    // The one line a compact card's heading strip shows: the left heading's lines joined by a
    // space, and the right heading's by ", " ended by "…" where it does not fit beside the left
    // one; `cut` when anything was shortened (the whole heading is then the strip's tooltip).
    struct HeadingLine {
        QString left;
        QString right;
        bool cut = false;
    };
    HeadingLine compactHeading(int card) const;
    // The font of the cards' headings: 9-pt bold.
    QFont headingFont() const;

signals:
    // The delete cross of the card whose note has this key was clicked.
    void deleteClicked(const QString &key);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    // Lays the cards out at the width the board shows at.
    void showEvent(QShowEvent *event) override;
    // Shows the whole heading of a compact card whose heading line is shortened.
    bool viewportEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    // Measures every card's body at the current width and stacks the cards.
    void relayout();
    // The card whose cross is under a viewport point, or -1 (the closing card has none).
    int crossUnder(QPoint viewportPos) const;

    server::NotesBoardModel m_board;
    std::vector<server::CardGeometry> m_geometry;
    server::CardLayout m_layout = server::CardLayout::Full;
    int m_pressed = -1;
};

} // namespace rasp::ui
