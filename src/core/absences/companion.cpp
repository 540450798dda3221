#include "companion.h"

#include <QFile>
#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

namespace rasp::absences {

namespace {

// Whether a line opens a section: "[" name "]".
bool isSectionLine(const QString &line)
{
    return line.size() >= 2 && line.startsWith(u'[') && line.endsWith(u']');
}

// A row number of the file: 1..16.
bool parseRow(const QString &text, int *row)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < 1 || value > 16 || text != QString::number(value))
        return false;
    *row = value;
    return true;
}

// One absence line: teacher|from|to|reason.
bool parseAbsence(const QString &line, Absence *out)
{
    const QStringList f = line.split(u'|');
    if (f.size() != 4 || f[0].isEmpty())
        return false;
    Absence a;
    a.teacher = f[0];
    if (!parseRow(f[1], &a.from) || !parseRow(f[2], &a.to) || a.from > a.to)
        return false;
    a.reason = f[3];
    *out = a;
    return true;
}

// One cover line: row|class|teacher|kind|absent teacher.
bool parseCover(const QString &line, CoverLine *out)
{
    const QStringList f = line.split(u'|');
    if (f.size() != 5 || f[1].isEmpty() || f[2].isEmpty())
        return false;
    CoverLine c;
    if (!parseRow(f[0], &c.row))
        return false;
    c.className = f[1];
    c.teacher = f[2];
    c.kind = f[3];
    c.absent = f[4];
    *out = c;
    return true;
}

} // namespace

QString CompanionPath(const QString &dayPath)
{
    QString path = dayPath;
    if (path.endsWith(u".ini"_s, Qt::CaseInsensitive))
        path.chop(4);
    return path + u".zam"_s;
}

QStringList CompanionLines(const Companion &companion)
{
    QStringList lines;
    if (!companion.absences.empty()) {
        lines << kAbsencesSection;
        for (const Absence &a : companion.absences)
            lines << a.teacher + u'|' + QString::number(a.from) + u'|' + QString::number(a.to) + u'|' + a.reason;
    }
    if (!companion.covers.empty()) {
        lines << kCoversSection;
        for (const CoverLine &c : companion.covers)
            lines << QString::number(c.row) + u'|' + c.className + u'|' + c.teacher + u'|' + c.kind + u'|' + c.absent;
    }
    for (const OtherSection &s : companion.others) {
        lines << s.name;
        lines << s.lines;
    }
    return lines;
}

bool ParseCompanionLines(const QStringList &lines, Companion *companion, QString *error, const QString &where)
{
    Companion out;
    enum class In { Nothing,
                    Absences,
                    Covers,
                    Other } in = In::Nothing;
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const QString &line = lines.at(n);
        bool ok = true;
        if (isSectionLine(line)) {
            if (line == kAbsencesSection) {
                in = In::Absences;
            } else if (line == kCoversSection) {
                in = In::Covers;
            } else {
                in = In::Other;
                out.others.push_back({line, {}});
            }
            continue;
        }
        switch (in) {
        case In::Nothing:
            ok = line.isEmpty();
            break;
        case In::Absences:
            if (!line.isEmpty()) {
                Absence a;
                ok = parseAbsence(line, &a);
                if (ok)
                    out.absences.push_back(a);
            }
            break;
        case In::Covers:
            if (!line.isEmpty()) {
                CoverLine c;
                ok = parseCover(line, &c);
                if (ok)
                    out.covers.push_back(c);
            }
            break;
        case In::Other:
            out.others.back().lines << line;
            break;
        }
        if (!ok) {
            if (error)
                *error = u"Файл %1 не прочитан: непонятная строка %2 «%3»"_s.arg(where).arg(n + 1).arg(line);
            *companion = Companion();
            return false;
        }
    }
    *companion = std::move(out);
    return true;
}

QString FieldProblem(const QString &text)
{
    if (text.contains(u'|'))
        return u"Знак «|» не может входить в запись о замене"_s;
    if (text.contains(u'\n') || text.contains(u'\r'))
        return u"Запись о замене должна быть одной строкой"_s;
    return QString();
}

ReadOutcome ReadCompanion(const QString &path)
{
    ReadOutcome outcome;
    const text::ReadResult read = text::readLines(path);
    outcome.status = read.status;
    if (read.status == text::ReadResult::Unreadable) {
        outcome.error = read.error;
        return outcome;
    }
    if (read.status == text::ReadResult::NoFile)
        return outcome;
    if (!ParseCompanionLines(read.lines, &outcome.companion, &outcome.error, QFileInfo(path).fileName()))
        outcome.status = text::ReadResult::Unreadable;
    return outcome;
}

bool WriteCompanion(const QString &path, const Companion &companion, QString *error)
{
    if (companion.empty()) {
        if (!QFileInfo::exists(path) || QFile::remove(path))
            return true;
        if (error)
            *error = u"Не удалось удалить файл %1"_s.arg(path);
        return false;
    }
    return text::writeLines(path, CompanionLines(companion), error);
}

} // namespace rasp::absences
