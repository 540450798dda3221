#include "stateinvariants.h"

#include "state.h"

#include <algorithm>

namespace rasp {

QStringList CheckInvariants(const State &state)
{
    QStringList out;
    const auto expect = [&out](bool holds, const QString &what, long long a, long long b) {
        if (!holds)
            out << QStringLiteral("%1 (%2 vs %3)").arg(what).arg(a).arg(b);
    };
    if (state.klassvis < 0) { // before column 0 is built
        expect(state.klassvis_mas == 0, QStringLiteral("no columns before column 0"), state.klassvis_mas, 0);
        expect(state.grid.columnCount() == 0, QStringLiteral("no grid columns before column 0"),
               state.grid.columnCount(), 0);
        return out;
    }
    expect(state.klassvis == state.klassvis_mas - 1, QStringLiteral("klassvis is klassvis_mas - 1"), state.klassvis,
           state.klassvis_mas);
    expect(state.grid.columnCount() == state.klassvis_mas, QStringLiteral("grid columns are klassvis_mas"),
           state.grid.columnCount(), state.klassvis_mas);
    expect(qsizetype(state.Klass.size()) == std::max(state.klassvis_mas, 1), QStringLiteral("class names are klassvis_mas"),
           qsizetype(state.Klass.size()), state.klassvis_mas);
    expect(state.grid.lastRow() == state.max_ur, QStringLiteral("grid rows are max_ur"), state.grid.lastRow(),
           state.max_ur);
    if (state.pedvis >= 0) {
        expect(state.pedvis == state.pedvis_mas - 1, QStringLiteral("pedvis is pedvis_mas - 1"), state.pedvis,
               state.pedvis_mas);
        expect(qsizetype(state.PedFio.size()) == state.pedvis_mas, QStringLiteral("teacher names are pedvis_mas"),
               qsizetype(state.PedFio.size()), state.pedvis_mas);
        expect(qsizetype(state.Predmet.size()) == state.pedvis_mas, QStringLiteral("subject rows are pedvis_mas"),
               qsizetype(state.Predmet.size()), state.pedvis_mas);
        for (std::size_t m = 0; m < state.Predmet.size(); ++m)
            expect(qsizetype(state.Predmet[m].size()) == std::max(state.klassvis_mas, 1),
                   QStringLiteral("subject columns of teacher %1 are klassvis_mas").arg(m),
                   qsizetype(state.Predmet[m].size()), state.klassvis_mas);
    }
    return out;
}

} // namespace rasp
