#pragma once

#include "text/textfile.h"

#include <QString>
#include <QStringList>

namespace rasp {
struct State;
struct LoadState;
}

namespace rasp::load {

// What a read of the load file did: whether there was a file, and what it passed over.
struct NagruzReport {
    text::ReadResult::Status status = text::ReadResult::NoFile;
    QString error;        // Russian text when the file could not be read
    QStringList problems; // Russian, one entry per irregularity met (empty for a well-formed file)
    int classNames = 0;   // non-empty class names found in line 1
};

// Path of the load file in the work folder.
QString NagruzPath();

// Reads nagruz.ini of the work folder. prm = 1 (start-up): builds a class column per class
// and a teacher row per teacher, then the assignments and the subject index. prm = 0 (after a
// save): classes and teachers exist; refreshes the header names, assignments and index. A file
// that cannot be read is marked (nagruzReadError) so NagruzSave leaves it alone.
NagruzReport NagruzLoad(State &state, int prm);

// NagruzLoad on lines already read; problems met are appended to `report`.
void NagruzLoadLines(State &state, const QStringList &lines, int prm, NagruzReport &report);

// The lines of the load file for the current model: class names, one line per teacher, "~end~".
QStringList NagruzLines(const LoadState &state);

// Writes the whole model to nagruz.ini; false with a Russian error if it failed. A file that
// could not be read at the last NagruzLoad is never replaced (false, with a message naming it).
bool NagruzSave(State &state, QString *error = nullptr);

} // namespace rasp::load
