#pragma once

#include "text/textfile.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace rasp {
struct State;
}

namespace rasp::absences {

// The reasons offered for an absence; any other text is kept as it was typed.
inline const QString kReasonIllness = QStringLiteral("болезнь");
inline const QString kReasonCourses = QStringLiteral("курсы");
inline const QString kReasonTrip = QStringLiteral("командировка");
inline const QString kReasonOther = QStringLiteral("другое");

// The kinds of a cover.
inline const QString kKindSubject = QStringLiteral("по предмету");
inline const QString kKindOtherSubject = QStringLiteral("не по предмету");
inline const QString kKindMerge = QStringLiteral("объединение");

// One teacher away for rows from..to of the day, with the reason given.
struct Absence {
    QString teacher;
    int from = 1;
    int to = 1;
    QString reason;

    bool covers(int row) const { return row >= from && row <= to; }
    bool operator==(const Absence &other) const = default;
};

// A cover as the file keeps it: the lesson's row and class by name, and who covers whom.
struct CoverLine {
    int row = 0;
    QString className;
    QString teacher;
    QString kind;
    QString absent;

    bool operator==(const CoverLine &other) const = default;
};

// A section of the file this editor does not know (written by a newer one): kept as it was read
// and written back unchanged.
struct OtherSection {
    QString name;
    QStringList lines;

    bool operator==(const OtherSection &other) const = default;
};

// Everything a companion file holds about its date.
struct Companion {
    std::vector<Absence> absences;
    std::vector<CoverLine> covers;
    std::vector<OtherSection> others;

    bool empty() const { return absences.empty() && covers.empty() && others.empty(); }
    bool operator==(const Companion &other) const = default;
};

// The section names of the file, in the order they are written.
inline const QString kAbsencesSection = QStringLiteral("[Отсутствуют]");
inline const QString kCoversSection = QStringLiteral("[Замены]");

// The companion file of a day file: the same path with ".zam" for ".ini" (r_data/DD.MM.YYYY.zam).
QString CompanionPath(const QString &dayPath);

// The lines of a companion file: each non-empty section as its "[name]" line and one line per
// entry, fields separated by "|"; an empty companion gives no lines.
QStringList CompanionLines(const Companion &companion);

// Reads companion lines; false with a Russian message naming the first bad line (`where` names
// the file) when a line cannot be understood, and then `companion` is left empty.
bool ParseCompanionLines(const QStringList &lines, Companion *companion, QString *error, const QString &where);

// Why a text cannot be a field of the file (it holds "|" or a line break), or empty when it can.
QString FieldProblem(const QString &text);

// The outcome of reading a companion file.
struct ReadOutcome {
    text::ReadResult::Status status = text::ReadResult::NoFile;
    Companion companion;
    QString error; // Russian, set when the file is unreadable or not understood
};

// Reads the companion file at `path`: a missing file is an empty companion; a file that cannot be
// read or understood is Unreadable with its error.
ReadOutcome ReadCompanion(const QString &path);

// Writes the companion whole through the atomic writer; an empty companion removes the file, so a
// date without absences has none. False with a Russian error.
bool WriteCompanion(const QString &path, const Companion &companion, QString *error);

} // namespace rasp::absences
