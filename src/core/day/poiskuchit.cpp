#include "poiskuchit.h"

#include "absences/coveredlist.h"
#include "celladdress.h"
#include "state.h"
#include "text/texthash.h"

#include <algorithm>
#include <vector>

namespace rasp::day {

TeacherListParts SplitTeacherList(QStringView list)
{
    if (!list.contains(u", "))
        return {QStringView(), list};
    const qsizetype comma = list.indexOf(u',');
    return {list.first(comma), list.sliced(comma + 2)};
}

namespace {

using text::TextIndex;

// Whether a subject field holds the subject as one of its lines (exact comparison).
bool teaches(const load::PredmetLines &lines, const QString &subject)
{
    for (const QString &line : lines)
        if (line == subject)
            return true;
    return false;
}

// Gives a cell the neutral colours: black text on white.
void makeNeutral(Cell &cell)
{
    cell.textColour = kBlack;
    cell.background = kWhite;
}

// Makes `target` hold `text`; a target already sharing the very characters is left alone, so a
// repeated refresh neither counts references nor allocates.
void keepOrAssign(QString &target, const QString &text)
{
    if (target.constData() != text.constData() || target.size() != text.size())
        target = text;
}

// The teachers that resolve a subject index entry: for every name of uchitel[k] in order, the
// first teacher carrying exactly that name (names without a teacher are left out).
class EntryTeachers
{
public:
    explicit EntryTeachers(const State &state)
        : m_state(state)
        , m_byName(std::size_t(std::max(state.pedvis, 0)))
        , m_bySubject(std::size_t(std::max(state.RaspUrPredm.Count, 0)))
        , m_entries(std::size_t(std::max(state.RaspUrPredm.Count, 0)))
        , m_done(m_entries.size(), false)
    {
        const int pedvis = std::min<int>(state.pedvis, int(state.PedFio.size()) - 1);
        for (int m = 1; m <= pedvis; ++m)
            m_byName.insert(state.PedFio[m].name, m); // the first of equal names stays
        const int count = int(std::min<qsizetype>(m_entries.size(), state.RaspUrPredm.predmet.size()));
        for (int k = 0; k < count; ++k)
            m_bySubject.insert(state.RaspUrPredm.predmet.at(k), k); // the first entry wins
    }

    // The first teacher named exactly `name`, or -1.
    int teacherNamed(QStringView name) const { return m_byName.find(name); }

    // Number of index entries.
    int count() const { return int(m_entries.size()); }

    // The first index entry of `subject`, or -1 when it has none.
    int find(QStringView subject) const { return m_bySubject.find(subject); }

    // Teachers of index entry `k`.
    const std::vector<int> &teachers(int k)
    {
        if (!m_done[k]) {
            m_done[k] = true;
            QStringView rest(m_state.RaspUrPredm.uchitel.at(k));
            while (!rest.isEmpty()) {
                const qsizetype comma = rest.indexOf(u',');
                const QStringView name = comma < 0 ? rest : rest.first(comma);
                rest = comma < 0 ? QStringView() : rest.sliced(comma + 1);
                const int m = m_byName.find(name);
                if (m >= 0)
                    m_entries[k].push_back(m);
            }
        }
        return m_entries[k];
    }

private:
    const State &m_state;
    TextIndex m_byName;
    TextIndex m_bySubject;
    std::vector<std::vector<int>> m_entries;
    std::vector<bool> m_done;
};

// Decides the coincidence pass without comparing every pair of cells. Each teacher list is cut
// at its commas into pieces; a text without a comma occurs in a list exactly when it occurs in
// one of its pieces. Pieces (mostly teacher names) are numbered once per call; row by row, each
// piece of the row knows the first cell it occurs in and whether another cell has it too. "Which
// pieces contain this text" is worked out once per distinct text, among the pieces sharing its
// rarest pair of neighbouring characters. Cells are numbered column by column, the grid's own
// storage order: (column - 1) * rows + row - 1.
class RowSearch
{
public:
    // `sole` gives, per cell, the teacher whose name is the whole teacher list, or -1.
    RowSearch(const State &state, int rows, int columns, const std::vector<int> &sole)
        : m_grid(state.grid)
        , m_rows(rows)
        , m_columns(columns)
        , m_ids(state.PedFio.size() * 2) // names, and the pieces after a comma
        , m_teacherPiece(state.PedFio.size(), -1)
    {
        const std::size_t cells = std::size_t(rows) * std::size_t(columns);
        m_start.reserve(cells + 1);
        m_pieces.reserve(cells + cells / 4);
        for (int j = 1; j <= columns; ++j)
            for (int i = 1; i <= rows; ++i) {
                m_start.push_back(int(m_pieces.size()));
                const QString &list = m_grid.cell(i, j).teachers;
                if (list.isEmpty())
                    continue;
                const int m = sole[index(i, j)];
                if (m >= 0) {
                    int &id = m_teacherPiece[m]; // the list is the teacher's name
                    if (id == -1)
                        id = list.contains(u',') ? -2 : intern(list);
                    if (id >= 0) {
                        m_pieces.push_back(id);
                        continue;
                    }
                }
                qsizetype start = 0;
                while (start <= list.size()) {
                    qsizetype end = list.indexOf(u',', start);
                    if (end < 0)
                        end = list.size();
                    m_pieces.push_back(end > start ? intern(QStringView(list).sliced(start, end - start)) : -1);
                    start = end + 1;
                }
            }
        m_start.push_back(int(m_pieces.size()));
        m_pieceCount = int(m_text.size());
        m_seenRow.assign(std::size_t(m_pieceCount), 0);
        m_seenColumn.assign(std::size_t(m_pieceCount), 0);
        m_seenTwice.assign(std::size_t(m_pieceCount), false);
    }

    // Per cell, whether its first teacher or the rest of its list occurs in the teacher list of
    // another class in the same row.
    std::vector<bool> coinciding()
    {
        std::vector<bool> result(std::size_t(m_rows) * std::size_t(m_columns), false);
        for (int i = 1; i <= m_rows; ++i) {
            enterRow(i);
            for (int j = 1; j <= m_columns; ++j)
                result[index(i, j)] = coincides(i, j);
        }
        return result;
    }

private:
    static constexpr int kPairBits = 12; // 4096 buckets of character pairs

    std::size_t index(int row, int column) const { return std::size_t(column - 1) * std::size_t(m_rows) + std::size_t(row - 1); }

    // A mask of the character classes of a text: a cheap test that one text cannot hold another.
    static quint64 charMask(QStringView text)
    {
        quint64 mask = 0;
        for (const QChar ch : text) {
            const char16_t u = ch.unicode();
            mask |= quint64(1) << ((u ^ (u >> 6)) & 63);
        }
        return mask;
    }

    // The bucket of the pair of characters at positions k - 1 and k.
    static int pairBucket(QStringView text, qsizetype k)
    {
        const quint32 pair = quint32(text[k - 1].unicode()) << 16 | text[k].unicode();
        return int((pair * 2654435761u) >> (32 - kPairBits));
    }

    // The number of a text, given on first sight; the view must outlive the call.
    int intern(QStringView text)
    {
        const auto [id, added] = m_ids.insert(text, int(m_text.size()));
        if (added) {
            m_text.push_back(text);
            m_size.push_back(text.size());
            m_mask.push_back(charMask(text));
            m_stripped.push_back(-2);
            m_containing.emplace_back();
            m_containingDone.push_back(false);
        }
        return id;
    }

    // The number of a piece's text without its leading blank (-1 when that leaves nothing).
    int stripped(int id)
    {
        if (m_stripped[id] == -2)
            m_stripped[id] = m_text[id].size() > 1 ? intern(m_text[id].sliced(1)) : -1;
        return m_stripped[id];
    }

    // Notes, for every piece of row `row`, the first cell it occurs in and whether another has it.
    void enterRow(int row)
    {
        for (int j = 1; j <= m_columns; ++j) {
            const std::size_t c = index(row, j);
            for (int k = m_start[c]; k < m_start[c + 1]; ++k) {
                const int id = m_pieces[std::size_t(k)];
                if (id < 0)
                    continue;
                if (m_seenRow[id] != row) {
                    m_seenRow[id] = row;
                    m_seenColumn[id] = j;
                    m_seenTwice[id] = false;
                } else if (m_seenColumn[id] != j) {
                    m_seenTwice[id] = true;
                }
            }
        }
    }

    // Whether the cell's first teacher or the rest of its list occurs in another cell of the
    // row entered last.
    bool coincides(int row, int column)
    {
        const std::size_t c = index(row, column);
        const int count = m_start[c + 1] - m_start[c];
        if (count == 0) // an empty list: nothing to look for
            return false;
        const int *piece = m_pieces.data() + m_start[c];
        if (count == 1) // no comma: the rest is the whole list, the first part is empty
            return idElsewhere(piece[0], row, column);
        if (count == 2 && piece[0] >= 0 && piece[1] >= 0 && m_text[piece[1]].startsWith(u' ')) {
            // "A, B": the first part is piece 0, the rest is piece 1 without its blank.
            if (idElsewhere(piece[0], row, column))
                return true;
            const int rest = stripped(piece[1]);
            return rest >= 0 && idElsewhere(rest, row, column);
        }
        const TeacherListParts parts = SplitTeacherList(m_grid.cell(row, column).teachers);
        return (!parts.first.isEmpty() && textElsewhere(parts.first, row, column))
               || (!parts.rest.isEmpty() && textElsewhere(parts.rest, row, column));
    }

    // Whether piece `id` occurs in a cell of the row entered last other than `column`.
    bool pieceElsewhere(int id, int row, int column) const
    {
        return id < m_pieceCount && m_seenRow[id] == row && (m_seenTwice[id] || m_seenColumn[id] != column);
    }

    // Files every piece under the buckets of its pairs of neighbouring characters, in piece
    // order (a piece with a repeated pair is filed twice, next to itself).
    void fileByPairs()
    {
        m_pairStart.assign((std::size_t(1) << kPairBits) + 1, 0);
        for (int p = 0; p < m_pieceCount; ++p)
            for (qsizetype k = 1; k < m_text[p].size(); ++k)
                ++m_pairStart[std::size_t(pairBucket(m_text[p], k)) + 1];
        for (std::size_t b = 1; b < m_pairStart.size(); ++b)
            m_pairStart[b] += m_pairStart[b - 1];
        std::vector<int> next(m_pairStart.begin(), m_pairStart.end() - 1);
        m_pairPieces.resize(std::size_t(m_pairStart.back()));
        for (int p = 0; p < m_pieceCount; ++p)
            for (qsizetype k = 1; k < m_text[p].size(); ++k)
                m_pairPieces[std::size_t(next[std::size_t(pairBucket(m_text[p], k))]++)] = p;
        m_filed = true;
    }

    // Finds the longer pieces holding text `id`; only those filed under the text's least
    // crowded pair of characters can (a text of one character is looked for in every piece).
    void findContaining(int id)
    {
        const QStringView text = m_text[id];
        const int size = m_size[id];
        const quint64 mask = m_mask[id];
        std::vector<int> &found = m_containing[id];
        auto consider = [&](int p) {
            if (m_size[p] > size && (m_mask[p] & mask) == mask && (found.empty() || found.back() != p)
                && m_text[p].contains(text))
                found.push_back(p);
        };
        if (size < 2) {
            for (int p = 0; p < m_pieceCount; ++p)
                consider(p);
            return;
        }
        if (!m_filed)
            fileByPairs();
        int bucket = pairBucket(text, 1);
        for (qsizetype k = 2; k < size; ++k) {
            const int b = pairBucket(text, k);
            if (m_pairStart[b + 1] - m_pairStart[b] < m_pairStart[bucket + 1] - m_pairStart[bucket])
                bucket = b;
        }
        for (int n = m_pairStart[bucket]; n < m_pairStart[bucket + 1]; ++n)
            consider(m_pairPieces[std::size_t(n)]);
    }

    // Whether text `id` (no comma in it) occurs in a list of another cell of the row.
    bool idElsewhere(int id, int row, int column)
    {
        if (pieceElsewhere(id, row, column))
            return true;
        if (!m_containingDone[id]) {
            m_containingDone[id] = true;
            findContaining(id);
        }
        for (int p : m_containing[id])
            if (pieceElsewhere(p, row, column))
                return true;
        return false;
    }

    // The same for any text; one with a comma is searched in the lists themselves.
    bool textElsewhere(QStringView text, int row, int column)
    {
        if (!text.contains(u','))
            return idElsewhere(intern(text), row, column);
        for (int k = 1; k <= m_columns; ++k)
            if (k != column && m_grid.cell(row, k).teachers.contains(text))
                return true;
        return false;
    }

    const DayGrid &m_grid;
    int m_rows;
    int m_columns;
    int m_pieceCount = 0; // numbers below it are pieces of lists; later ones only searched texts
    TextIndex m_ids;
    std::vector<QStringView> m_text;
    std::vector<int> m_size;
    std::vector<quint64> m_mask;
    std::vector<int> m_stripped;
    std::vector<std::vector<int>> m_containing;
    std::vector<bool> m_containingDone;
    std::vector<int> m_teacherPiece; // per teacher, the piece of the name (-1 not yet, -2 it has a comma)
    std::vector<int> m_start;        // per cell, where its pieces begin in m_pieces (one more at the end)
    std::vector<int> m_pieces;       // the pieces of every list in order, -1 for an empty one
    std::vector<int> m_seenRow;      // per piece, the last row entered that has it
    std::vector<int> m_seenColumn;   // the first cell of that row having it
    std::vector<bool> m_seenTwice;   // whether another cell of that row has it too
    bool m_filed = false;
    std::vector<int> m_pairStart;  // per pair bucket, where its pieces begin (one more at the end)
    std::vector<int> m_pairPieces; // pieces by pair bucket
};

// Whether the selection names one of the cell's teachers, in the substring sense of the lists.
bool selected(QStringView selection, QStringView list)
{
    const TeacherListParts parts = SplitTeacherList(list);
    return (!parts.first.isEmpty() && selection.contains(parts.first))
           || (!parts.rest.isEmpty() && selection.contains(parts.rest));
}

} // namespace

void PoiskUchit(State &state, const QString &uchitel, QStringView focusHint)
{
    DayGrid &grid = state.grid;
    const int rows = std::max(std::min(state.max_ur, grid.lastRow()), 0);
    const int columns = std::max(std::min(state.klassvis, grid.columnCount() - 1), 0);
    const Regim regim = state.regim;
    EntryTeachers entries(state);
    const int lastTeacher = int(state.Predmet.size()) - 1;
    // Per cell (column by column), the teacher whose name alone makes the teacher list (-1 otherwise).
    std::vector<int> sole(std::size_t(rows) * std::size_t(columns), -1);
    // A subject's teachers in a class are the same for every lesson of the class, so they are
    // worked out once per entry and column: the teachers who have the subject in the class, in
    // entry order, their list, and the last of them (whose colour the cells take).
    struct Resolved {
        int column = 0;
        int found = 0;
        int first = -1;
        int last = -1;
        QString list; // the list when it names several teachers
    };
    std::vector<Resolved> resolved(std::size_t(entries.count()));
    auto resolve = [&](int k, int j) -> const Resolved & {
        Resolved &r = resolved[std::size_t(k)];
        if (r.column == j)
            return r;
        r = {j, 0, -1, -1, std::move(r.list)};
        const QString &subject = state.RaspUrPredm.predmet.at(k);
        for (int m : entries.teachers(k)) {
            if (m > lastTeacher || j >= int(state.Predmet[m].size()) || !teaches(state.Predmet[m][j], subject))
                continue;
            if (r.found == 0) {
                r.first = m;
            } else {
                if (r.found == 1) {
                    r.list.truncate(0);
                    r.list += state.PedFio[r.first].name;
                }
                if (!r.list.isEmpty()) // a list that is still empty takes the name alone
                    r.list += QLatin1String(", ");
                r.list += state.PedFio[m].name;
            }
            r.last = m;
            ++r.found;
        }
        return r;
    };

    // A covered lesson (rare): its load teachers with the cover applied; the colour is that of the
    // last teacher of the list who is in the load.
    auto applyCover = [&](Cell &cell, int k, int i, int j) {
        QStringList names;
        const QString subject = k >= 0 ? state.RaspUrPredm.predmet.at(k) : QString();
        for (int m : k >= 0 ? entries.teachers(k) : std::vector<int>())
            if (m <= lastTeacher && j < int(state.Predmet[m].size()) && teaches(state.Predmet[m][j], subject))
                names << state.PedFio[m].name;
        names = absences::CoveredTeachers(names, cell.cover);
        const QString list = names.join(QLatin1String(", "));
        if (cell.teachers != list)
            cell.teachers = list;
        int colourOf = -1;
        for (qsizetype n = names.size() - 1; n >= 0 && colourOf < 0; --n)
            colourOf = entries.teacherNamed(names.at(n));
        if (colourOf >= 0 && regim != Regim::None) {
            const int c = state.PedFio[colourOf].colour;
            cell.textColour = kWhite;
            cell.background = state.colorr[c >= 1 && c <= 18 ? c : 1];
        }
        if (names.size() == 1 && colourOf >= 0 && state.PedFio[colourOf].name == list)
            sole[std::size_t(j - 1) * std::size_t(rows) + std::size_t(i - 1)] = colourOf;
    };

    // Reset and resolution, merged, column by column as the grid is stored: every cell starts
    // neutral; its list is rewritten only when it changes.
    for (int j = 1; j <= columns; ++j) {
        for (int i = 1; i <= rows; ++i) {
            Cell &cell = grid.cell(i, j);
            makeNeutral(cell);
            if (!cell.cover.empty() && cell.cover.subject != cell.subject)
                cell.cover = Cover(); // the lesson was retyped or cleared: its cover goes
            const int k = cell.subject.isEmpty() ? -1 : entries.find(cell.subject);
            if (k < 0) {
                if (cell.cover.empty() || cell.subject.isEmpty())
                    cell.teachers.clear();
                else
                    applyCover(cell, k, i, j);
                continue;
            }
            const Resolved &r = resolve(k, j);
            if (!cell.cover.empty()) {
                applyCover(cell, k, i, j);
                continue;
            }
            if (r.found > 0 && regim != Regim::None) {
                const int c = state.PedFio[r.last].colour;
                cell.textColour = kWhite;
                cell.background = state.colorr[c >= 1 && c <= 18 ? c : 1];
            }
            if (r.found == 0) {
                cell.teachers.clear();
            } else if (r.found == 1) {
                keepOrAssign(cell.teachers, state.PedFio[r.first].name);
                sole[std::size_t(j - 1) * std::size_t(rows) + std::size_t(i - 1)] = r.first;
            } else if (cell.teachers != r.list) {
                cell.teachers = QString(r.list.constData(), r.list.size()); // a copy: `list` is reused
            }
        }
    }

    if (regim == Regim::Coincidences) {
        const std::vector<bool> coinciding = RowSearch(state, rows, columns, sole).coinciding();
        for (int j = 1; j <= columns; ++j)
            for (int i = 1; i <= rows; ++i)
                if (!coinciding[std::size_t(j - 1) * std::size_t(rows) + std::size_t(i - 1)])
                    makeNeutral(grid.cell(i, j));
    } else if (regim == Regim::Selected) {
        QString selection = uchitel;
        int row = 0, column = 0;
        if (selection.isEmpty() && ParseCellHint(focusHint, &row, &column) && row >= 0 && row <= grid.lastRow()
            && column >= 0 && column < grid.columnCount())
            selection = grid.cell(row, column).teachers;
        for (int j = 1; j <= columns; ++j)
            for (int i = 1; i <= rows; ++i) {
                Cell &cell = grid.cell(i, j);
                if (!selected(selection, cell.teachers))
                    makeNeutral(cell);
            }
    }
}

} // namespace rasp::day
