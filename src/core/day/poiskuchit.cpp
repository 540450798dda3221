#include "poiskuchit.h"

#include "celladdress.h"
#include "state.h"

#include <QHash>

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
        for (int m = pedvis; m >= 1; --m)
            m_byName.insert(state.PedFio[m].name, m); // the first of equal names wins
        const int count = int(m_entries.size());
        m_bySubject.reserve(count);
        for (int k = count - 1; k >= 0; --k)
            m_bySubject.insert(state.RaspUrPredm.predmet.value(k), k); // the first entry wins
    }

    // Teachers of the first index entry of `subject`, or nullptr when it has none.
    const std::vector<int> *find(const QString &subject)
    {
        const auto it = m_bySubject.constFind(subject);
        if (it == m_bySubject.cend())
            return nullptr;
        const int k = *it;
        if (!m_done[k]) {
            m_done[k] = true;
            QStringView rest(m_state.RaspUrPredm.uchitel.at(k));
            while (!rest.isEmpty()) {
                const qsizetype comma = rest.indexOf(u',');
                const QStringView name = comma < 0 ? rest : rest.first(comma);
                rest = comma < 0 ? QStringView() : rest.sliced(comma + 1);
                const auto m = m_byName.constFind(name.toString());
                if (m != m_byName.cend())
                    m_entries[k].push_back(*m);
            }
        }
        return &m_entries[k];
    }

private:
    const State &m_state;
    QHash<QString, int> m_byName;
    QHash<QString, int> m_bySubject;
    std::vector<std::vector<int>> m_entries;
    std::vector<bool> m_done;
};

// Answers "does a text occur in the teacher list of another class in the same row" for the
// coincidence pass without comparing every pair of cells. Each list is cut at its commas into
// pieces; a text without a comma occurs in a list exactly when it occurs in one of its pieces.
// Pieces are interned once per call, so the substring tests run over the few distinct pieces
// (mostly teacher names), and each piece knows the cells it occurs in, in row-major order.
class RowSearch
{
public:
    RowSearch(const State &state, int rows, int columns)
        : m_grid(state.grid)
        , m_columns(columns)
    {
        for (int i = 1; i <= rows; ++i)
            for (int j = 1; j <= columns; ++j) {
                const QString &list = m_grid.cell(i, j).teachers;
                if (list.isEmpty())
                    continue;
                qsizetype start = 0;
                while (start <= list.size()) {
                    qsizetype end = list.indexOf(u',', start);
                    if (end < 0)
                        end = list.size();
                    if (end > start)
                        addOccurrence(QStringView(list).sliced(start, end - start), i, j);
                    start = end + 1;
                }
            }
    }

    // Whether `text` (not empty) occurs in the teacher list of some cell (row, k), k != column.
    bool elsewhereInRow(QStringView text, int row, int column)
    {
        if (text.contains(u',')) {
            for (int k = 1; k <= m_columns; ++k)
                if (k != column && m_grid.cell(row, k).teachers.contains(text))
                    return true;
            return false;
        }
        const QString key = text.toString();
        const auto exact = m_ids.constFind(key);
        if (exact != m_ids.cend() && pieceElsewhere(*exact, row, column))
            return true;
        for (int id : containing(key))
            if (pieceElsewhere(id, row, column))
                return true;
        return false;
    }

private:
    struct Cell {
        int row;
        int column;
    };

    static quint64 charMask(QStringView text)
    {
        quint64 mask = 0;
        for (const QChar ch : text) {
            const char16_t u = ch.unicode();
            mask |= quint64(1) << ((u ^ (u >> 6)) & 63);
        }
        return mask;
    }

    void addOccurrence(QStringView piece, int row, int column)
    {
        const QString key = piece.toString();
        auto it = m_ids.find(key);
        if (it == m_ids.end()) {
            it = m_ids.insert(key, int(m_pieces.size()));
            m_pieces.push_back(key);
            m_masks.push_back(charMask(piece));
            m_cells.emplace_back();
        }
        m_cells[*it].push_back({row, column});
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

    // The pieces that contain `text`, found once per distinct text and call.
    const std::vector<int> &containing(const QString &text)
    {
        auto it = m_containing.find(text);
        if (it != m_containing.end())
            return *it;
        std::vector<int> ids;
        const quint64 mask = charMask(text);
        for (int id = 0; id < int(m_pieces.size()); ++id) {
            if ((m_masks[id] & mask) != mask || m_pieces[id].size() < text.size())
                continue;
            if (m_pieces[id].contains(text))
                ids.push_back(id);
        }
        return *m_containing.insert(text, std::move(ids));
    }

    const DayGrid &m_grid;
    int m_columns;
    QHash<QString, int> m_ids;
    std::vector<QString> m_pieces;
    std::vector<quint64> m_masks;
    std::vector<std::vector<Cell>> m_cells;
    QHash<QString, std::vector<int>> m_containing;
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
            for (int m : *teachers) {
                if (m > lastTeacher || j >= int(state.Predmet[m].size()) || !state.Predmet[m][j].contains(cell.subject))
                    continue;
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
        }
    }

    if (regim == Regim::Coincidences) {
        RowSearch search(state, rows, columns);
        for (int i = 1; i <= rows; ++i)
            for (int j = 1; j <= columns; ++j) {
                Cell &cell = grid.cell(i, j);
                if (cell.subject.isEmpty())
                    continue;
                const TeacherListParts parts = SplitTeacherList(cell.teachers);
                const bool coincides = (!parts.first.isEmpty() && search.elsewhereInRow(parts.first, i, j))
                                       || (!parts.rest.isEmpty() && search.elsewhereInRow(parts.rest, i, j));
                if (!coincides)
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
