#include "nagruzfile.h"

#include "day/gridops.h"
#include "loadmodel.h"
#include "state.h"

#include <QDir>
#include <QHash>
#include <QSet>

using namespace Qt::Literals::StringLiterals;

namespace rasp::load {

namespace {

const QString kEnd = u"~end~"_s;

// A text shortened for a message: at most 40 characters, then "…".
QString shortText(QStringView text)
{
    constexpr qsizetype kMax = 40;
    return text.size() <= kMax ? text.toString() : text.first(kMax).toString() + u"…"_s;
}

// Calls take(piece) for every sep-terminated piece of text, left to right, empty ones included;
// text after the last separator counts as a last piece, so nothing typed is lost.
template<typename F>
void forEachPiece(QStringView text, QChar sep, F take)
{
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf(sep, start);
        if (end < 0)
            end = text.size();
        take(text.sliced(start, end - start));
        start = end + 1;
    }
}

// Index of the line "~end~" after line 1, or lines.size() if the file has none.
qsizetype endLine(const QStringList &lines)
{
    for (qsizetype n = 1; n < lines.size(); ++n)
        if (lines.at(n) == kEnd)
            return n;
    return lines.size();
}

// Builds the subject index while the assignments are read: an exact lookup of the subject and
// of the names already listed for it.
class IndexBuilder
{
public:
    explicit IndexBuilder(TUchPredm &index)
        : m_index(index)
    { }

    void add(const QString &subject, const QString &name)
    {
        const auto it = m_entry.constFind(subject);
        if (it == m_entry.cend()) {
            m_entry.insert(subject, m_index.Count);
            m_index.predmet.append(subject);
            m_index.uchitel.append(name + u',');
            m_names.push_back(QSet<QString>{name});
            ++m_index.Count;
            return;
        }
        // A teacher is listed once per subject; names are compared whole, so a name that
        // happens to end another one ("Петров" in "Иван Петров,") is still listed.
        QSet<QString> &names = m_names[*it];
        if (!names.contains(name)) {
            names.insert(name);
            m_index.uchitel[*it] += name + u',';
        }
    }

private:
    TUchPredm &m_index;
    QHash<QString, int> m_entry;
    std::vector<QSet<QString>> m_names;
};

} // namespace

QString NagruzPath()
{
    return QDir::current().filePath(u"nagruz.ini"_s);
}

void NagruzLoadLines(State &state, const QStringList &lines, int prm, NagruzReport &report)
{
    QStringList &problems = report.problems;
    if (lines.isEmpty()) {
        problems.append(u"Файл нагрузки пуст: классов и учителей в нём нет."_s);
        return;
    }
    const qsizetype end = endLine(lines);
    if (end == lines.size())
        problems.append(u"В файле нагрузки нет строки «~end~»: учителями считаются все строки до конца файла."_s);
    else {
        int after = 0;
        for (qsizetype n = end + 1; n < lines.size(); ++n)
            after += lines.at(n).isEmpty() ? 0 : 1;
        if (after > 0)
            problems.append(u"После строки «~end~» пропущено непустых строк: %1."_s.arg(after));
    }

    // First pass: classes (line 1) and, at start-up, one teacher row per teacher line.
    int p = 0;
    int skippedClasses = 0;
    forEachPiece(lines.first(), u'|', [&](QStringView name) {
        if (name.isEmpty())
            return;
        if (p >= day::kMaxClasses || (prm != 1 && p >= state.klassvis)) {
            ++skippedClasses;
            return;
        }
        ++p;
        state.tab1vis = 1;
        if (prm == 1) {
            const int c = day::KlassCreate(state);
            state.Klass[c] = name.toString();
            state.grid.cell(0, c).subject = state.Klass[c];
        } else {
            state.grid.cell(0, p).subject = name.toString();
        }
    });
    report.classNames = p + skippedClasses;
    if (skippedClasses > 0) {
        problems.append(prm == 1 ? u"Строка 1: классов больше %1, пропущено имён классов: %2."_s.arg(day::kMaxClasses).arg(skippedClasses)
                                 : u"Строка 1: классов в файле больше, чем в таблице, пропущено имён: %1."_s.arg(skippedClasses));
    }

    const int teacherLines = int(end - 1);
    const int limit = prm == 1 ? kMaxTeachers : std::max(state.pedvis, 0);
    if (teacherLines > limit) {
        problems.append(prm == 1 ? u"Учителей больше %1: пропущены строки %2–%3."_s.arg(limit).arg(limit + 2).arg(end)
                                 : u"Учителей в файле больше, чем в таблице: пропущены строки %1–%2."_s.arg(limit + 2).arg(end));
    }
    const int teachers = std::min(teacherLines, limit);
    if (prm == 1) {
        for (int k = 1; k <= teachers; ++k) {
            const QString &line = lines.at(k);
            const qsizetype bar = line.indexOf(u'|');
            const int m = PedCreate(state);
            state.PedFio[m].name = bar < 0 ? line : line.first(bar);
        }
    }

    // Second pass: assignments and the subject index.
    masClear(state, u"RaspUrPredm");
    IndexBuilder index(state.RaspUrPredm);
    for (int k = 1; k <= teachers; ++k) {
        const QString &line = lines.at(k);
        const qsizetype bar = line.indexOf(u'|');
        const QString name = bar < 0 ? line : line.first(bar);
        if (bar < 0)
            continue;
        QStringList dropped;
        int l = 0;
        forEachPiece(QStringView(line).sliced(bar + 1), u'|', [&](QStringView field) {
            ++l;
            if (l > state.klassvis) {
                if (!field.isEmpty())
                    dropped.append(field.toString());
                return;
            }
            PredmetLines &cell = state.Predmet[k][l];
            forEachPiece(field, u';', [&](QStringView piece) {
                if (piece.isEmpty())
                    return;
                const QString s = piece.toString();
                cell.append(s);
                index.add(s, name);
            });
        });
        if (!dropped.isEmpty())
            problems.append(u"Строка %1 (учитель «%2»): предметы сверх числа классов пропущены: «%3»."_s
                                .arg(k + 1)
                                .arg(shortText(name), shortText(dropped.join(u'|'))));
    }
}

NagruzReport NagruzLoad(State &state, int prm)
{
    NagruzReport report;
    text::ReadResult read = text::readLines(NagruzPath());
    report.status = read.status;
    report.error = read.error;
    state.nagruzReadError = read.status == text::ReadResult::Unreadable ? read.error : QString();
    if (read.status == text::ReadResult::Unreadable)
        state.stamps.forget(NagruzPath());
    else
        state.stamps.remember(NagruzPath(), read.stamp);
    if (read.ok())
        NagruzLoadLines(state, read.lines, prm, report);
    if (prm == 1)
        state.KlassRead = state.Klass;
    if (!read.warning.isEmpty())
        report.problems << read.warning;
    return report;
}

QStringList NagruzLines(const LoadState &state)
{
    QStringList lines;
    lines.reserve(state.pedvis + 2);
    QString first;
    for (int j = 1; j <= state.klassvis; ++j)
        first += state.Klass[j] + u'|';
    lines.append(first);
    for (int m = 1; m <= state.pedvis; ++m) {
        QString line = state.PedFio[m].name + u'|';
        for (int j = 1; j <= state.klassvis; ++j) {
            for (const QString &subject : state.Predmet[m][j])
                if (!subject.isEmpty())
                    line += subject + u';';
            line += u'|';
        }
        lines.append(line);
    }
    lines.append(kEnd);
    return lines;
}

bool NagruzSave(State &state, QString *error)
{
    if (!state.nagruzReadError.isEmpty()) {
        if (error)
            *error = text::UnreadableKept(u"Нагрузка не сохранена"_s, NagruzPath());
        return false;
    }
    files::FileStamp written;
    if (!text::writeLines(NagruzPath(), NagruzLines(state), error, text::Access::Default, &written))
        return false;
    state.stamps.remember(NagruzPath(), written);
    return true;
}

} // namespace rasp::load
