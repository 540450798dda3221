#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace rasp::day {

// Pixel layout of the day grid, in logical pixels. Lesson cells, the row strip and the notes
// memo are in body coordinates (origin at the top left of the grid body); the header row is
// in class-header-strip coordinates, whose x includes the 70-px row strip.
class GridGeometry
{
public:
    static constexpr int kColumnStep = 60;
    static constexpr int kRowStep = 45;
    static constexpr int kFieldWidth = 55;
    static constexpr int kFieldHeight = 20;
    static constexpr int kRowStripWidth = 70;
    static constexpr int kHeaderHeight = 30;
    static constexpr int kMemoHeight = 89;
    static constexpr int kTopBarHeight = 30;
    static constexpr int kTypedLength = 10; // characters a subject or room may be typed up to

    enum Field { None,
                 Subject,
                 Room };
    struct Hit {
        int row = -1;
        int column = -1;
        Field field = None;
    };

    // Subject field of (row, column); row 0 is the class header, in strip coordinates.
    static QRect subjectRect(int row, int column);
    // Room field of a lesson cell, 19 px below the subject field.
    static QRect roomRect(int row, int column);
    // Selection frame around the subject and room fields of a cell (57 x 41).
    static QRect frameRect(int row, int column);
    // Freeze toggle picture of a lesson row, in the row strip.
    static QRect toggleRect(int row);
    // Row-number label of a lesson row, in the row strip.
    static QRect rowLabelRect(int row);
    // Notes memo: under the last row, aligned with column 1, as wide as all class columns.
    static QRect memoRect(int maxUr, int klassvis);
    // Size of the scrolled body content (cells and memo, with a margin).
    static QSize bodySize(int maxUr, int klassvis);
    // The lesson field under a body point, if any.
    static Hit hitBody(QPoint p, int maxUr, int klassvis);
    // The lesson row whose freeze toggle is under a row-strip point, or -1.
    static int hitToggle(QPoint p, int maxUr);
    // Top of the subject field of lesson row r: Y(r) = 2h(r - 1) + 5r, rows 45 apart.
    static int slotTop(int row);
    // Row a lesson dragged to field top `top` lands on: (top - 10 + 2h) / (2h + 5) rounded to the
    // nearest integer, halves to even, then limited to 1..maxUr.
    static int dropRow(double top, int maxUr);
    // Step of the sliding animation from yNach towards yKon: a tenth of the distance rounded
    // (halves to even), negative when yKon lies above yNach.
    static int slideStep(double yKon, double yNach);
    // Window height for a number of lesson rows (299 + 42 per row; 750 for none).
    static int windowHeight(int maxUr);
};

} // namespace rasp::day
