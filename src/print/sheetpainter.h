#pragma once

#include "sheets/sheettable.h"

#include <QString>

class QPagedPaintDevice;

namespace rasp::print {

// Point size of table titles.
inline constexpr double kTitleSize = 14.0;

// Paints a document on a paged device (a PDF writer or a printer), A4 with 10-mm margins in the
// orientation each table asks for. A table is cut into pages by rows, and by columns when it has
// more than it puts on one page; every page repeats the title, the header row and the fixed
// leading columns. Cell texts wrap only at spaces and shrink for a word too wide (never below
// 8 pt). Slips follow each other on portrait pages, never cut by a page end. Returns the pages
// painted; 0 when the device could not be painted on.
int PaintDocument(QPagedPaintDevice &device, const sheets::PrintDocument &document);

} // namespace rasp::print
