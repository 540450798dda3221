#include "analysis.h"

#include "day/cell.h"
#include "rng.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace rasp::arrange {

namespace {

// The two parts of a list for the comparisons: with ", " in it, the text before the first ","
// and the text after the first ", "; otherwise the whole list and no second part.
void splitList(const QString &list, QString *first, QString *second, bool *hasSecond)
{
    const qsizetype sep = list.indexOf(u", ");
    *hasSecond = sep >= 0;
    if (sep < 0) {
        *first = list;
        second->clear();
        return;
    }
    *first = list.left(list.indexOf(u','));
    *second = list.mid(sep + 2);
}

bool locked(const Styll &styl, int row, int column)
{
    return styl[row][column] == day::kStyleLocked;
}

} // namespace

int Options::lastRow() const
{
    return std::clamp(R, 0, std::min(max_ur, kPodborRows));
}

int Options::classes() const
{
    return std::clamp(klassvis, 0, kPodborClasses);
}

QChar RowCode(int row)
{
    static constexpr char16_t kCodes[] = u"123456789ABCDEFG";
    return row >= 1 && row <= kPodborRows ? QChar(kCodes[row - 1]) : QChar();
}

int RowFromCode(QChar code)
{
    const char16_t c = code.unicode();
    if (c >= u'1' && c <= u'9')
        return c - u'0';
    if (c >= u'A' && c <= u'G')
        return c - u'A' + 10;
    return 0;
}

bool ListsConflict(const QString &tested, const QString &compared)
{
    QString f1, s1, f2, s2;
    bool has1 = false, has2 = false;
    splitList(tested, &f1, &s1, &has1);
    splitList(compared, &f2, &s2, &has2);
    if (!has1)
        s1 = u"@"_s;
    if (!has2)
        s2 = u"#"_s;
    return f1 == f2 || s1 == f2 || f1 == s2 || s1 == s2;
}

// ---- ListIndex ---------------------------------------------------------------------------

int ListIndex::id(const QString &list)
{
    const auto it = m_ids.constFind(list);
    if (it != m_ids.cend())
        return *it;
    const int n = int(m_text.size());
    m_ids.insert(list, n);
    m_text.push_back(list);
    Parts p;
    splitList(list, &p.first, &p.second, &p.hasSecond);
    m_parts.push_back(std::move(p));
    m_conflicts.emplace_back();
    m_hits.emplace_back();
    m_conflictsDone.push_back(0);
    m_hitsDone.push_back(0);
    // A new list may be related to every list seen before: relations are worked out again.
    std::fill(m_conflictsDone.begin(), m_conflictsDone.end(), 0);
    std::fill(m_hitsDone.begin(), m_hitsDone.end(), 0);
    return n;
}

void ListIndex::rebuild(const Perebor &uch, int rows, int classes)
{
    m_classes = classes;
    m_cellIds.assign(std::size_t(rows + 1) * std::size_t(classes + 1), -1);
    m_rows.resize(std::size_t(rows + 1));
    for (int i = 1; i <= rows; ++i) {
        std::vector<Entry> &entries = m_rows[std::size_t(i)];
        entries.clear();
        entries.reserve(std::size_t(classes));
        for (int j = 1; j <= classes; ++j) {
            const int n = id(uch[i][j]);
            m_cellIds[std::size_t(i) * std::size_t(classes + 1) + std::size_t(j)] = n;
            entries.push_back({n, j});
        }
        std::sort(entries.begin(), entries.end(),
                  [](const Entry &a, const Entry &b) { return a.id != b.id ? a.id < b.id : a.column < b.column; });
    }
}

void ListIndex::computeConflicts(int a)
{
    const Parts &pa = m_parts[std::size_t(a)];
    const QString s1 = pa.hasSecond ? pa.second : u"@"_s;
    std::vector<int> &out = m_conflicts[std::size_t(a)];
    out.clear();
    for (int b = 0; b < int(m_text.size()); ++b) {
        const Parts &pb = m_parts[std::size_t(b)];
        const QString &s2 = pb.hasSecond ? pb.second : u"#"_s;
        if (pa.first == pb.first || s1 == pb.first || pa.first == s2 || s1 == s2)
            out.push_back(b);
    }
    m_conflictsDone[std::size_t(a)] = 1;
}

void ListIndex::computeHits(int a)
{
    const Parts &pa = m_parts[std::size_t(a)];
    std::vector<int> &out = m_hits[std::size_t(a)];
    out.clear();
    for (int b = 0; b < int(m_text.size()); ++b) {
        const QString &t = m_text[std::size_t(b)];
        if (t.contains(pa.first) || (pa.hasSecond && t.contains(pa.second)))
            out.push_back(b);
    }
    m_hitsDone[std::size_t(a)] = 1;
}

const std::vector<int> &ListIndex::conflicts(int a)
{
    if (!m_conflictsDone[std::size_t(a)])
        computeConflicts(a);
    return m_conflicts[std::size_t(a)];
}

const std::vector<int> &ListIndex::hits(int a)
{
    if (!m_hitsDone[std::size_t(a)])
        computeHits(a);
    return m_hits[std::size_t(a)];
}

int ListIndex::firstAfter(int row, int b, int column) const
{
    const std::vector<Entry> &entries = m_rows[std::size_t(row)];
    const auto it = std::lower_bound(entries.begin(), entries.end(), Entry{b, column + 1}, [](const Entry &x, const Entry &y) {
        return x.id != y.id ? x.id < y.id : x.column < y.column;
    });
    return it != entries.end() && it->id == b ? it->column : 0;
}

// ---- The three judgements ------------------------------------------------------------------

bool Sootv(const Options &options, const Perebor &varia)
{
    ListIndex index;
    return Sootv(options, varia, index);
}

bool Sootv(const Options &options, const Perebor &varia, ListIndex &index)
{
    const int rows = options.lastRow();
    const int classes = options.classes();
    index.rebuild(varia, rows, classes);
    for (int i = 1; i <= rows; ++i)
        for (int j = 1; j <= classes; ++j) {
            const int a = index.idAt(i, j);
            if (index.text(a).isEmpty())
                continue;
            // A pair (j, k) with k > j whose lists conflict; empty lists are never compared.
            for (const int b : index.conflicts(a))
                if (!index.text(b).isEmpty() && index.firstAfter(i, b, j) != 0)
                    return false;
        }
    return true;
}

bool SootvKlassa(const Options &options, int nom, const Perebor &varia)
{
    const int ur = options.lastRow();
    const int perv_ur = options.P;
    if (nom < 1 || nom > kPodborClasses)
        return false;
    int f = 0;
    for (int r = 1; r <= ur && f == 0; ++r)
        if (!varia[r][nom].isEmpty())
            f = r;
    if (f == 0 || f - 1 > perv_ur)
        return false;
    int probel = -1;
    int kon = -1;
    for (int r = f; r <= ur; ++r) {
        const bool empty = varia[r][nom].isEmpty();
        if (empty && probel == -1)
            probel = r - 1;
        if (!empty)
            kon = r;
    }
    if (probel == -1)
        probel = ur;
    return probel == kon && kon != -1 && kon <= ur;
}

QString SvobodUr(const Options &options, const TPodbor &rasp, int jj, const QString &uch, Rng &rng)
{
    ListIndex index;
    index.rebuild(rasp.itog_uch, options.lastRow(), options.classes());
    return SvobodUr(options, rasp, jj, uch, rng, index);
}

QString SvobodUr(const Options &options, const TPodbor &rasp, int jj, const QString &uch, Rng &rng, ListIndex &index)
{
    // zanjat: one mark per row, '0' free, '1' busy, '2' locked in class jj.
    std::array<char, kPodborRows + 1> zanjat;
    zanjat.fill('0');
    const int max_dop_ur = options.lastRow();
    if (max_dop_ur <= 0 || jj < 1 || jj > kPodborClasses)
        return {};
    const int a = index.id(uch);
    const std::vector<int> &conflicting = index.conflicts(a);
    for (int i = 1; i <= max_dop_ur; ++i)
        for (const int b : conflicting)
            if (index.inRow(i, b)) {
                zanjat[std::size_t(i)] = '1';
                break;
            }
    for (int i = 1; i <= max_dop_ur; ++i)
        if (locked(rasp.itog_styl, i, jj))
            zanjat[std::size_t(i)] = '2';

    QString svobod;
    int busy = 0;
    for (int i = 1; i <= max_dop_ur; ++i) {
        if (zanjat[std::size_t(i)] == '0')
            svobod += RowCode(i);
        else if (zanjat[std::size_t(i)] == '1')
            ++busy;
    }
    if (!svobod.isEmpty())
        return svobod;
    if (busy == 0)
        return {};
    const int c = rng.bounded(0, busy - 1);
    for (int i = 1, n = 0; i <= max_dop_ur; ++i)
        if (zanjat[std::size_t(i)] == '1' && n++ == c)
            return QString(RowCode(i));
    return {};
}

Clash FindClash(const Options &options, const TPodbor &rasp, int d)
{
    ListIndex index;
    index.rebuild(rasp.itog_uch, options.lastRow(), options.classes());
    return FindClash(options, rasp, d, index);
}

Clash FindClash(const Options &options, const TPodbor &rasp, int d, ListIndex &index)
{
    const int rows = options.lastRow();
    const int classes = options.classes();
    const bool rowsUp = d == 1 || d == 3;
    const bool classesUp = d == 1 || d == 4;
    for (int ri = 0; ri < rows; ++ri) {
        const int i = rowsUp ? ri + 1 : rows - ri;
        for (int ci = 0; ci < classes; ++ci) {
            const int j = classesUp ? ci + 1 : classes - ci;
            const int a = index.idAt(i, j);
            if (index.text(a).isEmpty())
                continue;
            // The first class to the right whose list holds one of the names. A locked lesson is
            // visited too, so that its clash with a free lesson to its right is found (and that
            // lesson moved); a pair of two locked lessons cannot be repaired and is passed over.
            const bool lockedHere = locked(rasp.itog_styl, i, j);
            int k = 0;
            for (const int b : index.hits(a)) {
                int col = index.firstAfter(i, b, j);
                while (lockedHere && col != 0 && locked(rasp.itog_styl, i, col))
                    col = index.firstAfter(i, b, col);
                if (col != 0 && (k == 0 || col < k))
                    k = col;
            }
            if (k != 0)
                return {i, j, k};
        }
    }
    return {};
}

} // namespace rasp::arrange
