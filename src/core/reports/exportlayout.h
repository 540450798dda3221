#pragma once

#include <QDate>
#include <QString>

#include <array>
#include <map>
#include <utility>
#include <vector>

namespace rasp {
struct State;
}

namespace rasp::reports {

// A rectangle of cells, 1-based and inclusive.
struct Block {
    int top = 0;
    int left = 0;
    int bottom = 0;
    int right = 0;
    bool operator==(const Block &) const = default;
};

// One written cell of a workbook sheet or a document table.
struct LayoutCell {
    QString text;        // lines separated by "\r\n"
    bool number = false; // the text is a whole number and is stored as one (workbooks)
    bool bold = false;
    bool centred = true;  // centred horizontally (workbooks; document tables centre every paragraph)
    bool rotated = false; // text turned 90 degrees, running upward
    int size = 0;         // font size in points; 0 = the sheet's or table's own size
    bool operator==(const LayoutCell &) const = default;
};

using CellKey = std::pair<int, int>; // (row, column), 1-based

// One workbook sheet: written cells, merged blocks, bordered blocks and row heights.
struct Sheet {
    QString name;
    std::map<CellKey, LayoutCell> cells;
    std::vector<Block> merges;
    std::vector<Block> borders;       // thin lines on every edge of every cell of each block
    std::map<int, double> rowHeights; // row -> height in points; other rows keep the default
    bool printA4Portrait = false;     // printed on A4 portrait, scaled to one page wide
    int printTitleFirst = 0;          // rows printTitleFirst..printTitleLast repeat at the top of
    int printTitleLast = 0;           // every printed page; 0 = none

    // Writes a cell (replacing what was there).
    void put(int row, int column, LayoutCell cell) { cells[{row, column}] = std::move(cell); }
    // Merges a block; a block of one cell is no merge and is left out.
    void merge(Block b);
};

// One document table: its size, its font size, the written cells and the merged blocks.
// Every table is bordered with single lines, in "Times New Roman", centred, single spacing.
struct DocTable {
    int rows = 0;
    int columns = 0;
    int fontSize = 11;
    std::map<CellKey, LayoutCell> cells;
    std::vector<Block> merges;
    int headerRows = 0;             // the first rows, repeated at the top of every printed page
    bool widthsFromContent = false; // columns as wide as their text asks; otherwise all equal

    void put(int row, int column, LayoutCell cell) { cells[{row, column}] = std::move(cell); }
    void merge(Block b);
};

// A document: page orientation and its tables, which follow each other with two empty
// paragraphs between them. Left and right page margins are 20 points.
struct Document {
    bool landscape = false;
    std::vector<DocTable> tables;
};

// How the export lays out the school's two shifts.
enum class ExportMode { Single,
                        OneTable,
                        TwoTables };

// The export mode of the state: the second shift counts when "Вторая смена" is on and both
// vt_sm_x and vt_sm_y are above 0.
ExportMode ExportModeOf(const State &state);

// Day row counts of the export.
struct RowCounts {
    int max_strok = 0;
    int max_strok2 = 0;
    int dop = 0;
};

// The day row counts of the current export mode.
RowCounts DayRowCounts(const State &state);

// The day row counts as one text: max_strok, max_strok2 and dop, each followed by ";".
QString MaxStrokRasp(const State &state);

// Weekday counts of the template for a set of classes and a row range.
struct TMas_St {
    // mas_stolb[1][k]: rows of weekday k; mas_stolb[2][k]: 1 when weekday k has content;
    // [1][8]: sum of the rows; [2][8]: classes times weekdays with content. Row 0 and column 0 unused.
    std::array<std::array<int, 9>, 3> mas_stolb{};
};

// Weekday counts of the template over classes x1..x2 and template rows y1..y2 (counted from y1).
TMas_St MasStolb(const State &state, int x1, int x2, int y1, int y2);

// The largest of the seven weekday row counts.
int MaxObs(const TMas_St &mas);

// Title of a day table: weekday word + " " + date in words ("Среда 10 декабря 2026 года").
QString DayTitle(QDate date);

// Writes one day table for classes x1..x2 with max_strok lesson rows, y_dop sheet rows above it;
// x_dop is the extra column or row of the one-table mode, reg the table kind (0 single or first
// of two, 1 one table, 2 second of two). Returns the table's last sheet row.
int ExcelSaveRasp(const State &state, Sheet &sheet, QDate date, int x1, int x2, int max_strok, int vt_x,
                  int vt_y, int x_dop, int y_dop, int reg);

// Writes one template table for classes x1..x2 with the weekday counts mas_st, smes_y sheet rows
// above it, reading template rows r + vt_y. Returns the table's last sheet row.
int ExcelSaveSetka(const State &state, Sheet &sheet, const TMas_St &mas_st, int x1, int x2, int vt_x, int vt_y,
                   int smes_y, int max_obs);

// Fills one day table for classes x1+1..x2 (x1 classes come before it) with max_strok lesson rows;
// the table gets its size here. reg as in ExcelSaveRasp.
void WordSaveRasp(const State &state, DocTable &table, QDate date, int x1, int x2, int max_strok, int vt_x,
                  int vt_y, int reg);

// Fills one template table for classes x1+1..x2 with the weekday counts mas_st, reading template
// rows r + vt_y; the table gets its size here.
void WordSaveSetka(const State &state, DocTable &table, const TMas_St &mas_st, int x1, int x2, int vt_y,
                   int max_obs);

// The whole sheet of the day export ("Среда 10.12.2026").
Sheet DaySheet(const State &state, QDate date);
// The whole sheet of the template export ("Сетка").
Sheet SetkaSheet(const State &state);
// The document of the day export.
Document DayDocument(const State &state, QDate date);
// The document of the template export.
Document SetkaDocument(const State &state);

// Relative paths of the exported files.
QString DayExportPath(QDate date, const QString &suffix); // raspisanie/DD.MM.YYYY.<suffix>
QString SetkaExportPath(const QString &suffix);           // setka/Сетка.<suffix>

} // namespace rasp::reports
