#pragma once

#include "reports/exportlayout.h"

#include <QString>

namespace rasp::exporter {

// Writes the sheet as a one-sheet .xlsx workbook at `path`, replacing an existing file only once
// the new one is complete. False with a Russian message in `error` when it cannot be written.
bool WriteXlsx(const reports::Sheet &sheet, const QString &path, QString *error = nullptr);

// Why the workbook library failed, in Russian, for one of its error codes; a code it may add
// later gets a general reason with the number.
QString XlsxErrorReason(int code);

} // namespace rasp::exporter
