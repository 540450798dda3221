#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>
#include <vector>

namespace rasp::server {

// The notes file: one note per line, eight fields each followed by a vertical tab (`simv`).
inline constexpr QChar simv = QChar(0x0B);

// Bounds that keep a hostile notes file from freezing the window or exhausting memory: the
// bytes taken from one fetch, the cards built, and the characters shown of one field.
inline constexpr qsizetype kMaxNotesBytes = 1024 * 1024;
inline constexpr int kMaxNoteCards = 200;
inline constexpr qsizetype kMaxNoteBodyChars = 2000;
inline constexpr qsizetype kMaxNoteFieldChars = 200;

// Time-outs of the notes fetch (connect and every wait for data), in milliseconds.
inline constexpr int kNotesTimeoutMs = 3000;

// The notes file's path on the notes web service and the Accept header of its fetch.
inline constexpr QStringView kNotesPath = u"/zametki/data.ini";
inline constexpr QByteArrayView kNotesAccept = "text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8";

// Relative paths of the two working copies of the notes file.
QString Tmp0Path();
QString TmpPath();

// One line of the notes file, under the field names of the board.
struct Note {
    QString dat, tim, log, par, im, dolgn, soobsen, cvet;
};

// Splits a notes line into its eight fields; a field whose separator is missing is empty and
// the rest of the line is read on as it is. Text after the eighth separator is ignored.
Note SplitNote(QStringView line);

// The key that names a note to the server: dat, tim, log, par and im, each followed by simv.
QString NoteKey(const Note &note);

// Replaces every "<br>" by CR LF.
QString BrDel(QString ss);

// The card fill read from a colour field: characters 2 to 9 as hexadecimal AARRGGBB (six
// digits thus give alpha 0). None when those characters are missing or not hexadecimal.
std::optional<quint32> NoteColour(QStringView cvet);

// The text of the HTTP response decoded by the charset its Content-Type declares. Windows-1251
// and UTF-8 are known by their usual names; a response without a usable charset is read as
// UTF-8 when it is valid UTF-8 and as Windows-1251 otherwise.
QString DecodeNotesText(QByteArrayView body, QByteArrayView contentType);

// A fetched body cut to `limit` bytes ends at its last complete line, so no half note is read.
QByteArray CutNotesBody(QByteArrayView body, qsizetype limit = kMaxNotesBytes);

// r_data/tmp0.ini: the fetched text as Windows-1251, followed by CR LF.
QByteArray Tmp0Bytes(const QString &fetched);

// The lines of tmp0.ini, read up to the first empty line, whose date (the text before the
// first separator) is exactly `date`; the last such line of the file comes first.
QStringList DayNoteLines(QByteArrayView tmp0, const QString &date);

// r_data/tmp.ini: the day's lines joined by CR LF, followed by CR LF (one empty line if none).
QByteArray TmpBytes(const QStringList &dayLines);

// One card of the board, ready to show as plain text.
struct NoteCard {
    QString key;                 // sent with "zameDDisp"; empty for the closing "… и еще N" card
    QString leftHeading;         // dat CR tim
    QString rightHeading;        // im CR dolgn
    QString body;                // the message with "<br>" turned into CR LF
    std::optional<quint32> fill; // ARGB; none: no fill
    bool operator==(const NoteCard &) const = default;
};

// The board in display order (the fetched file's order, top to bottom).
struct NotesBoardModel {
    std::vector<NoteCard> cards;
    bool empty() const { return cards.empty(); }
};

// The text of the last card when more notes exist than the board builds.
QString MoreNotesText(qsizetype n);

// The board built from the bytes of tmp.ini, read up to the first empty line: at most
// `maxCards` cards for the day's notes, then one card "… и еще N" for the rest.
NotesBoardModel NotesCards(QByteArrayView tmp, int maxCards = kMaxNoteCards);

// Everything one rebuild of the board derives from a fetched notes file, without touching a
// file: the bytes of both working copies and the board (empty: the board shows "Пусто").
struct NotesRebuild {
    bool fetchedEmpty = true; // nothing fetched: no working copy is written
    QByteArray tmp0;
    QByteArray tmp;
    NotesBoardModel board;
};

// The rebuild for the text fetched for the day `date`.
NotesRebuild PrepareNotes(const QString &fetched, const QString &date);

// The whole path from the HTTP response's bytes to the board (decode, bound, filter, build).
NotesRebuild ReadNotes(QByteArrayView body, QByteArrayView contentType, const QString &date);

// Writes one working copy whole (the r_data folder is made if missing); false with a Russian error.
bool WriteNotesFile(const QString &path, const QByteArray &bytes, QString *error = nullptr);

} // namespace rasp::server
