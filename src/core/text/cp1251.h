#pragma once

#include <QByteArray>
#include <QString>

namespace rasp::text {

// Decodes Windows-1251 bytes into text (byte 0x98, unassigned, becomes U+0098).
QString decode1251(QByteArrayView bytes);

// Encodes text as Windows-1251; a character outside the code page becomes '?'.
QByteArray encode1251(QStringView text);

// Whether `c` has a byte in Windows-1251 (each half of a surrogate pair has none).
bool In1251(QChar c);

// The characters of `text` that Windows-1251 cannot hold, each once, in order of appearance
// (a character beyond the Basic Multilingual Plane as its whole surrogate pair).
QString Outside1251(QStringView text);

// Characters as a list for a message: one space between characters, a surrogate pair kept whole.
QString SpacedCharacters(const QString &characters);

// The notice shown when such characters are refused, listing them.
QString Outside1251Notice(const QString &characters);

} // namespace rasp::text
