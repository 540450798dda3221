// The search under the relaxation's reduced costs: its proofs never pass a day that exists, its
// days are real and meet its bound, every day's moves split exactly into the dual bound and the
// terms it pays, and the weighted counter it rests on allows exactly the sets within capacity.
#include "arrange/exact/assignmentmip.h"
#include "arrange/exact/costsearch.h"
#include "arrange/exact/daycheck.h"
#include "arrange/exact/daymodel.h"
#include "arrange/exact/encoding.h"
#include "exactfixture.h"
#include "podborfill.h"

#include <QDir>
#include <QTest>

#include <cmath>

using namespace Qt::Literals::StringLiterals;
using namespace rasp::arrange;
using namespace rasp::arrange::exact;

namespace {

// Which threads take the passes in a test.
constexpr int kCallingThread = 0;
constexpr int kBothThreads = 1;
constexpr int kSecondThread = 2;

// Lessons of a placement that do not stand in their own row.
int movesOf(const DayModel &model, const Placement &p)
{
    int moved = 0;
    for (std::size_t ci = 0; ci < model.classes().size(); ++ci) {
        const ClassModel &c = model.classes()[ci];
        for (std::size_t k = 0; k < c.kinds.size(); ++k)
            for (const int r : c.kinds[k].rows)
                moved += r <= model.lastRow() && p[ci][std::size_t(r)] == int(k) ? 0 : 1;
    }
    return moved;
}

// The value the encoding's day gives a column of the program.
bool columnValue(const DayModel &model, const Encoding &enc, const AssignmentMip &mip, int column)
{
    const AssignmentMip::Column &c = mip.columnAt(column);
    if (c.kind >= 0)
        return enc.value(enc.kindVar(c.klass, c.kind, c.row));
    const auto &starts = model.classes()[std::size_t(c.klass)].starts;
    const int n = int(std::find(starts.begin(), starts.end(), c.row) - starts.begin());
    return enc.value(enc.startVar(c.klass, n));
}

} // namespace

class TstCostSearch : public QObject
{
    Q_OBJECT

private slots:

    // From a bound of 0 every target below the fewest moves (found by an exhaustive search
    // apart from the solver) must be refuted and a day of exactly that many moves found: on the
    // calling thread alone, on both threads, and on the second thread alone (the calling thread
    // only waits for it); every day offered must pass the checks and split exactly.
    void theFewestMovesAreProvenAndFound_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("threads");
        const QDir dir(QStringLiteral(RASP_EXACT_DAYS));
        for (const QString &f : dir.entryList({u"*.day"_s}, QDir::Files, QDir::Name)) {
            QTest::newRow(qPrintable(f + u", calling thread"_s)) << dir.filePath(f) << kCallingThread;
            QTest::newRow(qPrintable(f + u", both threads"_s)) << dir.filePath(f) << kBothThreads;
            QTest::newRow(qPrintable(f + u", second thread"_s)) << dir.filePath(f) << kSecondThread;
        }
    }
    void theFewestMovesAreProvenAndFound()
    {
        QFETCH(QString, path);
        QFETCH(int, threads);
        const exactfixture::FixtureDay day = exactfixture::readFixture(path);
        const Options o = podborfill::options(int(day.rows.first().count(u'|')) + 1, int(day.rows.size()), day.R, day.P);
        TPodbor p;
        podborfill::fill(p, day.rows);
        QStringList names;
        for (int j = 1; j <= o.klassvis; ++j)
            names << QString::number(j);
        const DayModel model(p, o, names);
        const AssignmentMip mip(model);

        bool searched = false;
        int bound = -1, found = -1, days = 0;
        QString fault;
        MipHooks hooks;
        hooks.stop = [&]() { return searched; };
        hooks.onRelaxation = [&](Relaxation &lp) -> const Placement * {
            lp.lowerBound = 0;
            CostSearchHooks costs;
            costs.best = [&]() { return found >= 0 ? found : model.lessonCount() + 1; };
            costs.takeDay = [&](const Encoding &enc) {
                ++days;
                const Placement placed = enc.placement();
                const int moves = movesOf(model, placed);
                double split = lp.dualBound;
                for (const CostTerm &t : lp.terms) {
                    bool any = false;
                    for (const int c : t.columns)
                        any = any || columnValue(model, enc, mip, c);
                    split += any != t.whenEmpty ? t.weight : 0;
                }
                if (fault.isEmpty())
                    fault = CheckPlacement(model, placed);
                if (fault.isEmpty() && std::abs(split - moves) > 1e-6)
                    fault = u"day %1 splits into %2"_s.arg(moves).arg(split);
                if (found < 0 || moves < found)
                    found = moves;
            };
            CostSearch search(model, mip, lp, costs);
            if (threads != kCallingThread)
                search.startDays();
            if (threads == kSecondThread)
                search.waitDays();
            bound = search.prove();
            searched = true;
            return nullptr;
        };
        mip.solve(nullptr, 20, hooks);
        QVERIFY(searched);
        QVERIFY(days > 0);
        QCOMPARE(fault, QString());
        QCOMPARE(bound, day.minimum);
        QCOMPARE(found, day.minimum);
    }

    // Every set of true literals is allowed exactly when its weights fit the capacity.
    void theWeightedCounterAllowsExactlyTheSetsWithinCapacity_data()
    {
        QTest::addColumn<QList<int>>("weights");
        QTest::addColumn<int>("capacity");
        QTest::newRow("unit weights") << QList<int>{1, 1, 1, 1} << 2;
        QTest::newRow("mixed") << QList<int>{3, 1, 2, 2, 1} << 4;
        QTest::newRow("one heavier than the capacity") << QList<int>{5, 1, 1} << 4;
        QTest::newRow("capacity reached only by all") << QList<int>{2, 3, 4} << 9;
        QTest::newRow("capacity zero") << QList<int>{1, 2} << 0;
    }
    void theWeightedCounterAllowsExactlyTheSetsWithinCapacity()
    {
        QFETCH(QList<int>, weights);
        QFETCH(int, capacity);
        TPodbor p;
        podborfill::fill(p, {u"А:x"_s});
        const DayModel model(p, podborfill::options(1, 1, 1), {u"1"_s});
        Encoding enc(model);
        std::vector<std::pair<int, int>> terms;
        for (const int w : weights)
            terms.push_back({enc.freshVar(), w});
        QVERIFY(enc.addWeightedAtMost(terms, capacity, {}));
        for (int mask = 0; mask < (1 << weights.size()); ++mask) {
            std::vector<int> assumptions;
            int sum = 0;
            for (int n = 0; n < int(terms.size()); ++n) {
                const bool on = mask & (1 << n);
                assumptions.push_back(on ? terms[std::size_t(n)].first : -terms[std::size_t(n)].first);
                sum += on ? terms[std::size_t(n)].second : 0;
            }
            QCOMPARE(enc.solve(assumptions, {}), sum <= capacity ? 10 : 20);
        }
    }
};

QTEST_GUILESS_MAIN(TstCostSearch)
#include "tst_costsearch.moc"
