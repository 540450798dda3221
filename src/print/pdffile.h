#pragma once

#include "sheets/sheettable.h"

#include <QString>

namespace rasp::print {

// Writes the document as a PDF file at `path`, whole or not at all (the folder is created when
// missing). On failure `error` gets a Russian message naming the file. `pages` gets the page count.
bool WritePdf(const sheets::PrintDocument &document, const QString &path, QString *error, int *pages = nullptr);

} // namespace rasp::print
