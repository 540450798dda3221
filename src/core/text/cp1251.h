#pragma once

#include <QByteArray>
#include <QString>

namespace rasp::text {

// Decodes Windows-1251 bytes into text (byte 0x98, unassigned, becomes U+0098).
QString decode1251(QByteArrayView bytes);

// Encodes text as Windows-1251; a character outside the code page becomes '?'.
QByteArray encode1251(QStringView text);

} // namespace rasp::text
