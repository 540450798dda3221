#pragma once

#include <QString>
#include <QStringList>

namespace rasp::text {

// Order of the editor's sorted lists: ASCII letters compared without regard to case, every
// other character by its UTF-16 code; a prefix comes first.
bool ListTextLess(QStringView a, QStringView b);

// Inserts `item` into a list kept in ListTextLess order, after any equal items; returns its index.
qsizetype SortedInsert(QStringList &list, const QString &item);

} // namespace rasp::text
