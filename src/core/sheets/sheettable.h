#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace rasp::sheets {

// One cell of a printed or web table: its lines separated by "\n".
struct SheetCell {
    QString text;
    bool bold = false;
    bool marked = false; // a lesson that differs from the template (printed and shown highlighted)
};

// A table laid out for paper and for the web: a title, a header row repeated on every page, the
// rows, and how its columns share the page. The printing library paginates it; the web pages
// render it as HTML.
struct SheetTable {
    QString title;                            // over the table on every page
    std::vector<SheetCell> header;            // column captions, repeated on every page
    std::vector<std::vector<SheetCell>> rows; // every row has as many cells as the header
    std::vector<double> widths;               // relative column widths, one per column
    int fixedColumns = 0;                     // leading columns repeated on every page when the columns are split
    int columnsPerPage = 0;                   // the other columns on one page; 0 puts them all on one page
    bool landscape = false;
    double fontSize = 11; // point size of the cells; the title is larger
    QString note;         // printed under the table's last page
    QString empty;        // said instead of the table when it has no rows
};

// One slip for a covering teacher: the lessons taken over, and a line to sign.
struct Slip {
    QString teacher;
    QStringList lines;
};

// What one print or PDF holds: tables, each starting on a new page, or slips several to a page.
struct PrintDocument {
    QString title; // the PDF's title
    std::vector<SheetTable> tables;
    std::vector<Slip> slips;
    QString emptySlips; // printed when there are no slips
    bool slipsDocument = false;
};

} // namespace rasp::sheets
