#pragma once

#include <QByteArrayView>
#include <QString>

namespace rasp::fuzz {

// One fuzzed parser: the input's bytes in, an empty text when every invariant and round trip
// held, otherwise what broke (the harness then aborts, the corpus replay fails the test).
using Target = QString (*)(QByteArrayView input);

// The load file: read, invariants of the model, write → read gives the same load.
QString LoadFile(QByteArrayView input);
// The day file on a small school with the refresh after loading: invariants and round trip.
QString DayFile(QByteArrayView input);
// A weekday's template file read, saved and read again from a work folder.
QString TemplateFile(QByteArrayView input);
// setting.ini: the ranges of max_ur and the shift bounds, clean room lists, round trip.
QString SettingsFile(QByteArrayView input);
// A schedule-server reply and a request line built from the same text.
QString ServerReply(QByteArrayView input);
// The notes file as fetched: first line the Content-Type, the rest the body.
QString NotesFile(QByteArrayView input);
// Short dates and the cell address scheme (hints and tags).
QString DatesAndAddresses(QByteArrayView input);

// Every target under the name of its harness and corpus folder.
struct NamedTarget {
    const char *name;
    Target run;
};
inline constexpr NamedTarget kTargets[] = {
    {"loadfile", LoadFile},
    {"dayfile", DayFile},
    {"templatefile", TemplateFile},
    {"settingsfile", SettingsFile},
    {"serverreply", ServerReply},
    {"notesfile", NotesFile},
    {"dates", DatesAndAddresses},
};

} // namespace rasp::fuzz
