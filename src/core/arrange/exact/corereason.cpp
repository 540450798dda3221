#include "corereason.h"

#include "encoding.h"
#include "refutations.h"

#include <QElapsedTimer>
#include <QStringList>

#include <algorithm>
#include <set>

using namespace Qt::Literals::StringLiterals;

namespace rasp::arrange::exact {

namespace {

const QString kNoDay = u"Расстановки без совпадений учителей нет: "_s;

// Guards of a core that a short search still refutes without one of them are dropped; each try
// stops after this many conflicts, and the whole shrinking after this many milliseconds.
constexpr int kShrinkConflicts = 2000;
constexpr qint64 kShrinkMs = 1500;

} // namespace

QString ExplainNoDay(const DayModel &model, const std::function<bool()> &stop)
{
    Encoding enc(model, true);
    const int classCount = int(model.classes().size());
    const int tokenCount = int(model.tokens().size());
    std::vector<int> all;
    for (int ci = 0; ci < classCount; ++ci)
        all.push_back(enc.classGuard(ci));
    for (int t = 0; t < tokenCount; ++t)
        all.push_back(enc.tokenGuard(t));
    const QString plain = kNoDay + u"ни одна перестановка уроков внутри классов не убирает все совпадения"_s;
    if (enc.solve(all, stop) != 20)
        return plain;
    const auto failedOf = [&](const std::vector<int> &from) {
        std::vector<int> out;
        for (const int g : from)
            if (enc.failed(g))
                out.push_back(g);
        return out;
    };
    std::vector<int> core = failedOf(all);

    // Deletion: a guard whose removal still leaves a refutation is not needed; the new
    // refutation's own failed guards may drop more at once.
    QElapsedTimer clock;
    clock.start();
    const std::function<bool()> shrinkStop = [&]() { return clock.elapsed() > kShrinkMs || (stop && stop()); };
    for (std::size_t n = 0; n < core.size() && !shrinkStop();) {
        std::vector<int> rest = core;
        rest.erase(rest.begin() + std::ptrdiff_t(n));
        if (enc.solve(rest, shrinkStop, kShrinkConflicts) == 20)
            core = failedOf(rest);
        else
            ++n;
    }

    QStringList teachers, classes;
    for (int t = 0; t < tokenCount; ++t)
        if (std::find(core.begin(), core.end(), enc.tokenGuard(t)) != core.end())
            teachers << model.tokens().at(t);
    for (int ci = 0; ci < classCount; ++ci)
        if (std::find(core.begin(), core.end(), enc.classGuard(ci)) != core.end())
            classes << model.classes()[std::size_t(ci)].name;
    if (classes.isEmpty())
        return plain;
    if (teachers.isEmpty()) {
        // The classes' own teachers are kept out of rows by other classes' locked lessons.
        std::set<int> lockedTokens;
        for (const ClassModel &c : model.classes())
            for (const LockedCell &l : c.locked)
                lockedTokens.insert(l.tokens.begin(), l.tokens.end());
        std::set<int> blocking;
        for (int ci = 0; ci < classCount; ++ci) {
            if (std::find(core.begin(), core.end(), enc.classGuard(ci)) == core.end())
                continue;
            for (const LessonKind &k : model.classes()[std::size_t(ci)].kinds)
                for (const int t : k.tokens)
                    if (lockedTokens.count(t))
                        blocking.insert(t);
        }
        QStringList names;
        for (const int t : blocking)
            names << model.tokens().at(t);
        QString text = kNoDay + u"%1 уроки нельзя расставить между закреплёнными уроками"_s.arg(InClassesText(classes));
        if (!names.isEmpty())
            text += (names.size() == 1 ? u" учителя "_s : u" учителей "_s) + NamesText(names);
        return text;
    }
    const QString who = teachers.size() == 1 ? u"ведёт %1"_s.arg(teachers.first()) : u"ведут %1"_s.arg(NamesText(teachers));
    return kNoDay + u"уроки, которые %1, %2 нельзя расставить без совпадений"_s.arg(who, InClassesText(classes));
}

} // namespace rasp::arrange::exact
