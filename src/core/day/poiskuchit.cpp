#include "poiskuchit.h"

#include "celladdress.h"
#include "state.h"

#include <algorithm>
#include <array>
#include <bit>
#include <unordered_map>
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

// A plain FNV-1a hash of a text. The look-ups here run thousands of times per call on short
// texts, where it is several times cheaper than the library's seeded string hash.
struct TextHash {
    std::size_t operator()(QStringView text) const noexcept
    {
        std::size_t h = 14695981039346656037ull;
        for (const QChar ch : text) {
            h ^= ch.unicode();
            h *= 1099511628211ull;
        }
        return h;
    }
};

// Texts of the grid and the load to numbers; the views point into strings that outlive the map.
using TextMap = std::unordered_map<QStringView, int, TextHash>;

// Whether a subject field holds the subject as one of its lines (exact comparison).
bool teaches(const load::PredmetLines &lines, const QString &subject)
{
    for (const QString &line : lines)
        if (line == subject)
            return true;
    return false;
}

void makeNeutral(Cell &cell)
{
    cell.textColour = kBlack;
    cell.background = kWhite;
}

// The teachers that resolve a subject index entry: for every name of uchitel[k] in order, the
// first teacher carrying exactly that name (names without a teacher are left out).
class EntryTeachers
{
public:
    explicit EntryTeachers(const State &state)
        : m_state(state)
        , m_entries(std::size_t(std::max(state.RaspUrPredm.Count, 0)))
        , m_done(m_entries.size(), false)
    {
        const int pedvis = std::min<int>(state.pedvis, int(state.PedFio.size()) - 1);
        m_byName.reserve(std::max(pedvis, 0));
        for (int m = 1; m <= pedvis; ++m)
            m_byName.emplace(state.PedFio[m].name, m); // emplace keeps the first of equal names
        const int count = int(std::min<qsizetype>(m_entries.size(), state.RaspUrPredm.predmet.size()));
        m_bySubject.reserve(count);
        for (int k = 0; k < count; ++k)
            m_bySubject.emplace(state.RaspUrPredm.predmet.at(k), k); // the first entry wins
    }

    // Teachers of the first index entry of `subject`, or nullptr when it has none.
    const std::vector<int> *find(const QString &subject)
    {
        const auto it = m_bySubject.find(subject);
        if (it == m_bySubject.end())
            return nullptr;
        const int k = it->second;
        if (!m_done[k]) {
            m_done[k] = true;
            QStringView rest(m_state.RaspUrPredm.uchitel.at(k));
            while (!rest.isEmpty()) {
                const qsizetype comma = rest.indexOf(u',');
                const QStringView name = comma < 0 ? rest : rest.first(comma);
                rest = comma < 0 ? QStringView() : rest.sliced(comma + 1);
                const auto m = m_byName.find(name);
                if (m != m_byName.end())
                    m_entries[k].push_back(m->second);
            }
        }
        return &m_entries[k];
    }

private:
    const State &m_state;
    TextMap m_byName;
    TextMap m_bySubject;
    std::vector<std::vector<int>> m_entries;
    std::vector<bool> m_done;
};

// Decides the coincidence pass without comparing every pair of cells. Each teacher list is cut
// at its commas into pieces; a text without a comma occurs in a list exactly when it occurs in
// one of its pieces. Pieces (mostly teacher names) are numbered once per call, each knows the
// cells it occurs in, in row-major order, and "which pieces contain this text" is worked out
// once per distinct text. A list of one teacher is numbered through the teacher, without
// hashing its text.
class RowSearch
{
public:
    // `sole` gives, per cell ((row - 1) * columns + column - 1), the teacher whose name is the
    // whole teacher list, or -1.
    RowSearch(const State &state, int rows, int columns, const std::vector<int> &sole)
        : m_grid(state.grid)
        , m_columns(columns)
        , m_teacherPiece(state.PedFio.size(), -1)
        , m_info(std::size_t(rows) * std::size_t(std::max(columns, 0)))
    {
        for (int i = 1; i <= rows; ++i)
            for (int j = 1; j <= columns; ++j) {
                const QString &list = m_grid.cell(i, j).teachers;
                if (list.isEmpty())
                    continue;
                CellInfo &info = m_info[index(i, j)];
                const int m = sole[index(i, j)];
                if (m >= 0 && !list.contains(u',')) {
                    int &id = m_teacherPiece[m];
                    if (id < 0)
                        id = intern(list);
                    m_cells[id].push_back({i, j});
                    info = {1, id, -1};
                    continue;
                }
                qsizetype start = 0;
                while (start <= list.size()) {
                    qsizetype end = list.indexOf(u',', start);
                    if (end < 0)
                        end = list.size();
                    int id = -1;
                    if (end > start) {
                        id = intern(QStringView(list).sliced(start, end - start));
                        m_cells[id].push_back({i, j});
                    }
                    if (info.count == 0)
                        info.p0 = id;
                    else if (info.count == 1)
                        info.p1 = id;
                    ++info.count;
                    start = end + 1;
                }
            }
        m_pieceCount = int(m_text.size());
        for (int p = 0; p < m_pieceCount; ++p)
            for (quint64 bits = m_mask[p]; bits != 0; bits &= bits - 1)
                m_byChar[std::countr_zero(bits)].push_back(p);
    }

    // Whether the cell's first teacher or the rest of its list occurs in the teacher list of
    // another class in the same row.
    bool coincides(int row, int column)
    {
        const CellInfo &info = m_info[index(row, column)];
        if (info.count == 1) // no comma: the rest is the whole list, the first part is empty
            return info.p0 >= 0 && idElsewhere(info.p0, row, column);
        if (info.count == 2 && info.p0 >= 0 && info.p1 >= 0 && m_text[info.p1].startsWith(u' ')) {
            // "A, B": the first part is piece 0, the rest is piece 1 without its blank.
            if (idElsewhere(info.p0, row, column))
                return true;
            const int rest = stripped(info.p1);
            return rest >= 0 && idElsewhere(rest, row, column);
        }
        const TeacherListParts parts = SplitTeacherList(m_grid.cell(row, column).teachers);
        return (!parts.first.isEmpty() && textElsewhere(parts.first, row, column))
               || (!parts.rest.isEmpty() && textElsewhere(parts.rest, row, column));
    }

private:
    struct Cell {
        int row;
        int column;
    };
    struct CellInfo {
        int count = 0; // pieces of the list, empty ones included
        int p0 = -1;   // numbers of the first two pieces (-1 for an empty piece)
        int p1 = -1;
    };

    std::size_t index(int row, int column) const { return std::size_t(row - 1) * std::size_t(m_columns) + std::size_t(column - 1); }

    static quint64 charMask(QStringView text)
    {
        quint64 mask = 0;
        for (const QChar ch : text) {
            const char16_t u = ch.unicode();
            mask |= quint64(1) << ((u ^ (u >> 6)) & 63);
        }
        return mask;
    }

    // The number of a text, given on first sight; the view must outlive the call.
    int intern(QStringView text)
    {
        const auto [it, added] = m_ids.emplace(text, int(m_text.size()));
        if (added) {
            m_text.push_back(text);
            m_size.push_back(text.size());
            m_mask.push_back(charMask(text));
            m_cells.emplace_back();
            m_stripped.push_back(-2);
            m_containing.emplace_back();
            m_containingDone.push_back(false);
        }
        return it->second;
    }

    // The number of a piece's text without its leading blank (-1 when that leaves nothing).
    int stripped(int id)
    {
        if (m_stripped[id] == -2)
            m_stripped[id] = m_text[id].size() > 1 ? intern(m_text[id].sliced(1)) : -1;
        return m_stripped[id];
    }

    bool pieceElsewhere(int id, int row, int column) const
    {
        const std::vector<Cell> &cells = m_cells[id];
        auto it = std::lower_bound(cells.begin(), cells.end(), row, [](const Cell &c, int r) { return c.row < r; });
        for (; it != cells.end() && it->row == row; ++it)
            if (it->column != column)
                return true;
        return false;
    }

    // Whether text `id` (no comma in it) occurs in a list of another cell of the row.
    bool idElsewhere(int id, int row, int column)
    {
        if (id < m_pieceCount && pieceElsewhere(id, row, column))
            return true;
        if (!m_containingDone[id]) {
            m_containingDone[id] = true;
            const quint64 mask = m_mask[id];
            const int size = m_size[id];
            const QStringView text = m_text[id];
            // Only pieces sharing the text's rarest character class can contain it.
            const std::vector<int> *candidates = nullptr;
            for (quint64 bits = mask; bits != 0; bits &= bits - 1) {
                const std::vector<int> &list = m_byChar[std::countr_zero(bits)];
                if (!candidates || list.size() < candidates->size())
                    candidates = &list;
            }
            if (candidates)
                for (int p : *candidates)
                    if (p != id && m_size[p] > size && (m_mask[p] & mask) == mask && m_text[p].contains(text))
                        m_containing[id].push_back(p);
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
    int m_columns;
    int m_pieceCount = 0; // numbers below it are pieces of lists; later ones only searched texts
    TextMap m_ids;
    std::vector<QStringView> m_text;
    std::vector<int> m_size;
    std::vector<quint64> m_mask;
    std::vector<std::vector<Cell>> m_cells;
    std::vector<int> m_stripped;
    std::vector<std::vector<int>> m_containing;
    std::vector<bool> m_containingDone;
    std::vector<int> m_teacherPiece;
    std::vector<CellInfo> m_info;
    std::array<std::vector<int>, 64> m_byChar; // pieces by character class (bit of charMask)
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
    const int rows = std::min(state.max_ur, grid.lastRow());
    const int columns = std::min(state.klassvis, grid.columnCount() - 1);
    const Regim regim = state.regim;
    EntryTeachers entries(state);
    const int lastTeacher = int(state.Predmet.size()) - 1;
    // Per cell, the teacher whose name alone makes the teacher list (-1 otherwise).
    std::vector<int> sole(std::size_t(std::max(rows, 0)) * std::size_t(std::max(columns, 0)), -1);

    // Reset and resolution, merged: every cell starts neutral and without teachers.
    for (int i = 1; i <= rows; ++i) {
        for (int j = 1; j <= columns; ++j) {
            Cell &cell = grid.cell(i, j);
            makeNeutral(cell);
            cell.teachers.clear();
            if (cell.subject.isEmpty())
                continue;
            const std::vector<int> *teachers = entries.find(cell.subject);
            if (!teachers)
                continue;
            int found = 0;
            int only = -1;
            for (int m : *teachers) {
                if (m > lastTeacher || j >= int(state.Predmet[m].size()) || !teaches(state.Predmet[m][j], cell.subject))
                    continue;
                ++found;
                only = m;
                if (regim != Regim::None) {
                    const int c = state.PedFio[m].colour;
                    cell.textColour = kWhite;
                    cell.background = state.colorr[c >= 1 && c <= 18 ? c : 1];
                }
                if (cell.teachers.isEmpty())
                    cell.teachers = state.PedFio[m].name;
                else {
                    cell.teachers += QLatin1String(", ");
                    cell.teachers += state.PedFio[m].name;
                }
            }
            if (found == 1)
                sole[std::size_t(i - 1) * std::size_t(columns) + std::size_t(j - 1)] = only;
        }
    }

    if (regim == Regim::Coincidences) {
        RowSearch search(state, rows, columns, sole);
        for (int i = 1; i <= rows; ++i)
            for (int j = 1; j <= columns; ++j) {
                Cell &cell = grid.cell(i, j);
                if (!cell.subject.isEmpty() && !search.coincides(i, j))
                    makeNeutral(cell);
            }
    } else if (regim == Regim::Selected) {
        QString selection = uchitel;
        int row = 0, column = 0;
        if (selection.isEmpty() && ParseCellHint(focusHint, &row, &column) && row >= 0 && row <= grid.lastRow()
            && column >= 0 && column < grid.columnCount())
            selection = grid.cell(row, column).teachers;
        for (int i = 1; i <= rows; ++i)
            for (int j = 1; j <= columns; ++j) {
                Cell &cell = grid.cell(i, j);
                if (!selected(selection, cell.teachers))
                    makeNeutral(cell);
            }
    }
}

} // namespace rasp::day
