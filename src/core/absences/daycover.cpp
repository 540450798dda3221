#include "daycover.h"

#include "cbclock.h"

#include <coin/Cbc_C_Interface.h>

#include <QElapsedTimer>
#include <QHash>

#include <algorithm>
#include <limits>
#include <map>
#include <mutex>
#include <set>

using namespace Qt::Literals::StringLiterals;

namespace rasp::absences {

long long TotalCost(const CoverModel &model, const std::vector<int> &chosen)
{
    long long total = 0;
    std::map<int, int> picks;
    for (int l = 0; l < model.lessonCount(); ++l) {
        const Option &o = model.options(l)[std::size_t(chosen[std::size_t(l)])];
        total += o.staticCost;
        if (o.fairName >= 0)
            ++picks[o.fairName];
    }
    for (const auto &[name, count] : picks)
        for (int k = 1; k <= count; ++k)
            total += model.marginal(model.startCount(name) + k);
    return total;
}

bool Feasible(const CoverModel &model, const std::vector<int> &chosen)
{
    std::map<std::pair<int, int>, int> used; // (name, row) -> the lesson placing it there
    std::set<int> partners;
    std::set<std::pair<int, int>> heads, tails; // (column, position)
    for (int l = 0; l < model.lessonCount(); ++l) {
        const Option &o = model.options(l)[std::size_t(chosen[std::size_t(l)])];
        for (const auto &use : o.uses)
            if (!used.emplace(use, l).second)
                return false;
        if (o.partnerCell >= 0 && !partners.insert(o.partnerCell).second)
            return false;
        const int column = model.facts().openLessons()[std::size_t(l)].column;
        if (o.chainHead > 0)
            heads.insert({column, o.chainHead});
        if (o.chainTail > 0)
            tails.insert({column, o.chainTail});
    }
    // Names holding one another clash in a row unless one lesson's list holds both.
    for (const auto &[a, b] : model.clashingNames())
        for (const auto &[use, lesson] : used)
            if (use.first == a) {
                const auto other = used.find({b, use.second});
                if (other != used.end() && other->second != lesson)
                    return false;
            }
    for (const auto &[column, k] : heads)
        if (k > 1 && !heads.count({column, k - 1}))
            return false;
    for (const auto &[column, k] : tails)
        if (k > 1 && !tails.count({column, k - 1}))
            return false;
    return true;
}

namespace {

constexpr double kNoBound = std::numeric_limits<double>::max(); // a row bounded on one side only

// The model's rows as lists of (column, coefficient) with bounds, turned into CBC's columns.
struct Matrix {
    std::vector<std::vector<std::pair<int, double>>> rows;
    std::vector<double> lower, upper;

    void add(std::vector<std::pair<int, double>> row, double lo, double up)
    {
        rows.push_back(std::move(row));
        lower.push_back(lo);
        upper.push_back(up);
    }
};

} // namespace

DayCover SolveDayCover(const CoverModel &model, double seconds)
{
    QElapsedTimer clock;
    clock.start();
    DayCover result;
    const int lessons = model.lessonCount();
    result.chosen.assign(std::size_t(lessons), 0);
    if (lessons == 0) {
        result.solved = result.optimal = true;
        return result;
    }

    // Columns: one binary per option, then the fairness steps of each counted name.
    std::vector<std::pair<int, int>> optionOf; // column -> (lesson, option)
    std::vector<std::vector<int>> columnOf = std::vector<std::vector<int>>(std::size_t(lessons));
    long long tieRange = 1;
    for (int l = 0; l < lessons; ++l)
        tieRange += qint64(model.options(l).size());
    std::vector<double> objective, upper;
    std::vector<bool> integer;
    for (int l = 0; l < lessons; ++l)
        for (int k = 0; k < int(model.options(l).size()); ++k) {
            columnOf[std::size_t(l)].push_back(int(optionOf.size()));
            optionOf.emplace_back(l, k);
            // The cost first; among equal costs the options ranked first (the tie-break sums to
            // less than one unit of cost).
            objective.push_back(double(model.options(l)[std::size_t(k)].staticCost) * double(tieRange) + double(k));
            upper.push_back(1.0);
            integer.push_back(true);
        }

    Matrix m;
    std::map<std::pair<int, int>, std::vector<int>> byUse; // (name, row) -> columns
    std::map<int, std::vector<int>> byPartner;
    std::map<int, std::set<int>> fairRows; // name -> rows it may cover
    std::map<int, std::vector<int>> byFair;
    std::map<std::pair<int, int>, int> headAt, tailAt; // (column, position) -> column
    for (int c = 0; c < int(optionOf.size()); ++c) {
        const auto [l, k] = optionOf[std::size_t(c)];
        const Option &o = model.options(l)[std::size_t(k)];
        for (const auto &use : o.uses)
            byUse[use].push_back(c);
        if (o.partnerCell >= 0)
            byPartner[o.partnerCell].push_back(c);
        if (o.fairName >= 0) {
            byFair[o.fairName].push_back(c);
            fairRows[o.fairName].insert(model.facts().openLessons()[std::size_t(l)].row);
        }
        const int column = model.facts().openLessons()[std::size_t(l)].column;
        if (o.chainHead > 0)
            headAt[{column, o.chainHead}] = c;
        if (o.chainTail > 0)
            tailAt[{column, o.chainTail}] = c;
    }
    for (int l = 0; l < lessons; ++l) { // one option per open lesson
        std::vector<std::pair<int, double>> row;
        for (const int c : columnOf[std::size_t(l)])
            row.emplace_back(c, 1.0);
        m.add(std::move(row), 1.0, 1.0);
    }
    for (const auto &[use, columns] : byUse) // a teacher once in a row
        if (columns.size() > 1) {
            std::vector<std::pair<int, double>> row;
            for (const int c : columns)
                row.emplace_back(c, 1.0);
            m.add(std::move(row), -kNoBound, 1.0);
        }
    for (const auto &[a, b] : model.clashingNames()) // names holding one another: one of them a row
        for (int r = 1; r <= 16; ++r) {
            const auto ia = byUse.find({a, r});
            const auto ib = byUse.find({b, r});
            if (ia == byUse.end() || ib == byUse.end())
                continue;
            std::vector<std::pair<int, double>> row;
            for (const int c : ia->second)
                row.emplace_back(c, 1.0);
            for (const int c : ib->second)
                if (std::find(ia->second.begin(), ia->second.end(), c) == ia->second.end())
                    row.emplace_back(c, 1.0);
            m.add(std::move(row), -kNoBound, 1.0);
        }
    for (const auto &[cell, columns] : byPartner) // another lesson moved once
        if (columns.size() > 1) {
            std::vector<std::pair<int, double>> row;
            for (const int c : columns)
                row.emplace_back(c, 1.0);
            m.add(std::move(row), -kNoBound, 1.0);
        }
    for (const auto *chain : {&headAt, &tailAt}) // a cancelled run: each with the one before it
        for (const auto &[key, c] : *chain) {
            if (key.second == 1)
                continue;
            const auto before = chain->find({key.first, key.second - 1});
            if (before == chain->end())
                continue;
            m.add({{c, 1.0}, {before->second, -1.0}}, -kNoBound, 0.0);
        }
    for (const auto &[name, columns] : byFair) { // the k-th cover of a teacher at its own cost
        std::vector<std::pair<int, double>> row;
        for (const int c : columns)
            row.emplace_back(c, 1.0);
        const int steps = int(fairRows[name].size());
        for (int k = 1; k <= steps; ++k) {
            const int step = int(objective.size());
            objective.push_back(double(model.marginal(model.startCount(name) + k)) * double(tieRange));
            upper.push_back(1.0);
            integer.push_back(false);
            row.emplace_back(step, -1.0);
        }
        m.add(std::move(row), 0.0, 0.0);
    }

    // Column-wise form for CBC.
    const int columns = int(objective.size());
    auto byColumn = std::vector<std::vector<std::pair<int, double>>>(std::size_t(columns));
    for (int r = 0; r < int(m.rows.size()); ++r)
        for (const auto &[c, v] : m.rows[std::size_t(r)])
            byColumn[std::size_t(c)].emplace_back(r, v);
    std::vector<CoinBigIndex> start{0};
    std::vector<int> index;
    std::vector<double> value;
    for (const auto &col : byColumn) {
        for (const auto &[r, v] : col) {
            index.push_back(r);
            value.push_back(v);
        }
        start.push_back(CoinBigIndex(index.size()));
    }
    const std::vector<double> lower(std::size_t(columns), 0.0);

    Cbc_Model *cbc = Cbc_newModel();
    Cbc_setLogLevel(cbc, 0);
    Cbc_setParameter(cbc, "log", "0");
    Cbc_setParameter(cbc, "slog", "0");
    Cbc_setParameter(cbc, "threads", "1");      // the same day gives the same proposal
    Cbc_setParameter(cbc, "preprocess", "off"); // the model is small and nearly integral: straight to the LP
    Cbc_setParameter(cbc, "cuts", "off");
    Cbc_setMaximumSeconds(cbc, seconds);
    Cbc_setAllowableGap(cbc, 0.5); // costs are whole multiples of the tie range
    Cbc_loadProblem(cbc, columns, int(m.rows.size()), start.data(), index.data(), value.data(), lower.data(),
                    upper.data(), objective.data(), m.lower.data(), m.upper.data());
    for (int c = 0; c < columns; ++c)
        if (integer[std::size_t(c)])
            Cbc_setInteger(cbc, c);
    // CBC keeps process-wide state: the exact arrangement's solves take the same lock.
    const std::lock_guard<std::mutex> cbcGuard(CbcLock());
    const int status = Cbc_solve(cbc);
    const double *solution = Cbc_getColSolution(cbc);
    bool complete = solution != nullptr;
    if (complete) {
        std::vector<int> chosen(std::size_t(lessons), -1);
        for (int c = 0; c < int(optionOf.size()); ++c)
            if (solution[c] > 0.5) {
                const auto [l, k] = optionOf[std::size_t(c)];
                if (chosen[std::size_t(l)] >= 0)
                    complete = false;
                chosen[std::size_t(l)] = k;
            }
        complete = complete && std::none_of(chosen.begin(), chosen.end(), [](int k) { return k < 0; });
        if (complete) {
            result.chosen = std::move(chosen);
            result.solved = Feasible(model, result.chosen);
            result.optimal = result.solved && Cbc_isProvenOptimal(cbc) != 0;
            result.total = TotalCost(model, result.chosen);
        }
    }
    Cbc_deleteModel(cbc);
    if (!result.solved) {
        result.error = u"Замены не подобраны: решатель не нашёл допустимого варианта (код %1)"_s.arg(status);
        for (int l = 0; l < lessons; ++l) // every lesson left open
            for (int k = 0; k < int(model.options(l).size()); ++k)
                if (model.options(l)[std::size_t(k)].action == Action::Open)
                    result.chosen[std::size_t(l)] = k;
    }
    result.ms = clock.elapsed();
    return result;
}

} // namespace rasp::absences
