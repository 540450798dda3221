#pragma once

#include "load/nagruzfile.h"

#include <QByteArray>
#include <QDate>
#include <QString>

namespace rasp {
struct State;
}

namespace rasp::cli {

// Reads the school of the work folder into a fresh state with the editor's own start-up
// (rasp::OpenSchool); problems of setting.ini go to stderr as warnings. A missing or unreadable
// load file gives false after its Russian error went to stderr; `report` tells what the reader
// passed over.
bool OpenSchool(State &state, load::NagruzReport &report);

// Reads the day file at `path` into the grid of an opened school; a warning of the reader goes to
// stderr. A missing file gives false after `noFile` went to stderr, an unreadable one after its
// Russian error.
bool ReadDay(State &state, const QString &path, const QString &noFile);

// Opens the school and reads the day of `date` into the grid, refreshed as the editor shows it.
// A missing or unreadable school or day gives false after its Russian error went to stderr.
bool OpenDay(State &state, QDate date);

// Reads a DD.MM.YYYY argument; an invalid one gives false after a Russian error on stderr (its
// form, or that the date does not exist).
bool DateArgument(const QString &text, QDate *date);

// Whether the work folder may be written now: false, after naming the holder on stderr, while
// an editor holds it (files::FolderLock). Every command that writes a school file asks first.
bool FolderFreeForWriting();

// Writes UTF-8 text to stdout as it is.
void WriteOut(const QByteArray &utf8);

// Writes one line to stderr.
void WriteErr(const QString &line);

} // namespace rasp::cli
