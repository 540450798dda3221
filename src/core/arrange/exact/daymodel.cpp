#include "daymodel.h"

#include "day/cell.h"

#include <algorithm>
#include <map>
#include <tuple>

using namespace Qt::Literals::StringLiterals;

namespace rasp::arrange::exact {

DayModel::DayModel(const TPodbor &rasp, const Options &options, const QStringList &classNames)
    : m_options(options)
{
    m_R = options.lastRow();
    const int rows = std::min(options.max_ur, kPodborRows);
    const int classes = options.classes();
    m_classes.reserve(std::size_t(classes));
    for (int j = 1; j <= classes; ++j) {
        ClassModel c;
        c.column = j;
        c.name = classNames.value(j - 1, QString::number(j));
        // Identical lessons are grouped by their whole content, in order of their first row.
        std::map<std::tuple<QString, QString, QString, quint8>, int> kindOf;
        int lockedLessons = 0;
        for (int i = 1; i <= rows; ++i) {
            const QString &subject = rasp.itog_ur[i][j];
            const bool isLocked = rasp.itog_styl[i][j] == day::kStyleLocked;
            if (isLocked) {
                if (i <= m_R) {
                    c.locked.push_back({i, !subject.isEmpty(), tokensOf(rasp.itog_uch[i][j])});
                    lockedLessons += subject.isEmpty() ? 0 : 1;
                }
                continue;
            }
            if (subject.isEmpty())
                continue;
            const auto key = std::make_tuple(subject, rasp.itog_kab[i][j], rasp.itog_uch[i][j], rasp.itog_styl[i][j]);
            auto it = kindOf.find(key);
            if (it == kindOf.end()) {
                it = kindOf.emplace(key, int(c.kinds.size())).first;
                LessonKind k;
                k.subject = subject;
                k.room = rasp.itog_kab[i][j];
                k.teachers = rasp.itog_uch[i][j];
                k.style = rasp.itog_styl[i][j];
                k.tokens = tokensOf(k.teachers);
                c.kinds.push_back(std::move(k));
            }
            c.kinds[std::size_t(it->second)].rows.push_back(i);
            ++c.movable;
        }
        c.runLength = c.movable + lockedLessons;
        m_lessons += c.movable;

        // A start s is possible when the run s..s+len-1 lies in rows 1..R, s <= P + 1, every
        // locked lesson of rows 1..R lies inside it and no locked empty cell does.
        for (int s = 1; c.runLength > 0 && s <= std::min(options.P + 1, m_R); ++s) {
            if (s + c.runLength - 1 > m_R)
                break;
            bool ok = true;
            for (const LockedCell &l : c.locked)
                if (l.lesson != covers(c, s, l.row)) {
                    ok = false;
                    break;
                }
            if (ok)
                c.starts.push_back(s);
        }
        // The class is acceptable as it stands when its lessons fill a possible run exactly.
        for (const int s : c.starts) {
            bool ok = true;
            for (const LessonKind &k : c.kinds)
                for (const int r : k.rows)
                    ok = ok && covers(c, s, r);
            if (ok)
                c.currentValid = true;
        }
        m_classes.push_back(std::move(c));
    }
}

bool DayModel::lockedAt(const ClassModel &c, int row) const
{
    return std::any_of(c.locked.begin(), c.locked.end(), [row](const LockedCell &l) { return l.row == row; });
}

int DayModel::tokenId(const QString &token)
{
    const auto it = m_tokenIds.constFind(token);
    if (it != m_tokenIds.cend())
        return *it;
    m_tokens << token;
    m_tokenIds.insert(token, int(m_tokens.size() - 1));
    return int(m_tokens.size() - 1);
}

std::vector<int> DayModel::tokensOf(const QString &list)
{
    // Two non-empty lists conflict exactly when they share one of these tokens: the comparisons
    // first-first, second-first, first-second and second-second, where a list without ", " has
    // a marker as its second part that no name equals.
    std::vector<int> out;
    if (list.isEmpty())
        return out;
    const qsizetype sep = list.indexOf(u", ");
    if (sep < 0) {
        out.push_back(tokenId(list));
        return out;
    }
    out.push_back(tokenId(list.left(list.indexOf(u','))));
    const int second = tokenId(list.mid(sep + 2));
    if (second != out.front())
        out.push_back(second);
    return out;
}

std::vector<MovedLesson> MovedLessons(const DayModel &model, const Placement &placement)
{
    std::vector<MovedLesson> out;
    for (std::size_t ci = 0; ci < model.classes().size(); ++ci) {
        const ClassModel &c = model.classes()[ci];
        for (std::size_t k = 0; k < c.kinds.size(); ++k) {
            const LessonKind &kind = c.kinds[k];
            std::vector<int> now;
            for (int r = 1; r <= model.lastRow(); ++r)
                if (placement[ci][std::size_t(r)] == int(k))
                    now.push_back(r);
            std::vector<int> left, taken;
            std::set_difference(kind.rows.begin(), kind.rows.end(), now.begin(), now.end(), std::back_inserter(left));
            std::set_difference(now.begin(), now.end(), kind.rows.begin(), kind.rows.end(), std::back_inserter(taken));
            for (std::size_t n = 0; n < left.size() && n < taken.size(); ++n)
                out.push_back({c.column, c.name, kind.subject, left[n], taken[n]});
        }
    }
    std::sort(out.begin(), out.end(), [](const MovedLesson &a, const MovedLesson &b) {
        return std::tie(a.column, a.from) < std::tie(b.column, b.from);
    });
    return out;
}

void ApplyPlacement(const DayModel &model, const Placement &placement, TPodbor &rasp)
{
    const int rows = std::min(model.options().max_ur, kPodborRows);
    for (std::size_t ci = 0; ci < model.classes().size(); ++ci) {
        const ClassModel &c = model.classes()[ci];
        const int j = c.column;
        for (int i = 1; i <= rows; ++i) {
            if (rasp.itog_styl[i][j] == day::kStyleLocked)
                continue;
            const int k = i <= model.lastRow() ? placement[ci][std::size_t(i)] : -1;
            if (k < 0) {
                rasp.itog_ur[i][j].clear();
                rasp.itog_kab[i][j].clear();
                rasp.itog_uch[i][j].clear();
                rasp.itog_styl[i][j] = day::kStyleFree;
                continue;
            }
            const LessonKind &kind = c.kinds[std::size_t(k)];
            rasp.itog_ur[i][j] = kind.subject;
            rasp.itog_kab[i][j] = kind.room;
            rasp.itog_uch[i][j] = kind.teachers;
            rasp.itog_styl[i][j] = kind.style;
        }
    }
}

} // namespace rasp::arrange::exact
