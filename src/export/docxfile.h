#pragma once

#include "reports/exportlayout.h"

#include <QByteArray>
#include <QString>

namespace rasp::exporter {

// The WordprocessingML body part (word/document.xml) of the document.
QByteArray DocumentXml(const reports::Document &doc);

// Writes the document as a .docx file at `path`, replacing an existing file only once the new
// one is complete. False with a Russian message in `error` when it cannot be written.
bool WriteDocx(const reports::Document &doc, const QString &path, QString *error = nullptr);

} // namespace rasp::exporter
