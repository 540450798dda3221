#pragma once

#include "sheets/sheettable.h"

#include <QString>

// HTML text of the day's web pages: one self-contained page per file, no scripts, no fonts or
// styles from elsewhere, readable on a 360-px phone and printable.
namespace rasp::web {

// Which style a page takes: an ordinary page, or the corridor screen's large type.
enum class PageStyle { Normal,
                       Corridor };

// A table as HTML: the title as a heading, the header row, the rows (a marked row highlighted,
// line breaks kept), or the table's `empty` text when it has no rows.
QString TableHtml(const sheets::SheetTable &table);

// A whole page: UTF-8 with its meta charset, the viewport for phones, the inline style, the
// links bar `nav` (HTML, may be empty) and `body` (HTML). The corridor page reloads every minute.
QString PageHtml(const QString &title, const QString &nav, const QString &body, PageStyle style = PageStyle::Normal);

// Text escaped for HTML, line breaks as <br>.
QString Escaped(const QString &text);

} // namespace rasp::web
