#include "loadmodel.h"

#include "text/listorder.h"

#include "state.h"

#include <algorithm>

namespace rasp::load {

int PedCreate(State &state)
{
    state.pedvis_mas += 1;
    state.pedvis += 1;
    const int m = state.pedvis;
    state.collor = state.collor % kPaletteSize + 1;
    state.PedFio.resize(state.pedvis_mas);
    state.PedFio[m] = PedFioField{QString(), state.collor};
    state.Predmet.resize(state.pedvis_mas);
    state.Predmet[m].assign(std::max(state.klassvis_mas, 1), PredmetLines());
    return m;
}

void GrowClassColumns(State &state)
{
    const std::size_t columns = std::max(state.klassvis_mas, 1);
    state.Klass.resize(columns);
    for (std::vector<PredmetLines> &row : state.Predmet)
        row.resize(columns);
}

void masClear(State &state, QStringView tipp)
{
    if (tipp != QLatin1String("RaspUrPredm"))
        return;
    state.RaspUrPredm = TUchPredm();
    for (int m = 1; m <= state.pedvis && m < int(state.Predmet.size()); ++m) {
        std::vector<PredmetLines> &row = state.Predmet[m];
        for (int j = 1; j <= state.klassvis && j < int(row.size()); ++j)
            row[j].clear();
    }
}

QStringList SortedSubjects(const TUchPredm &index)
{
    QStringList subjects = index.predmet;
    std::stable_sort(subjects.begin(), subjects.end(),
                     [](const QString &a, const QString &b) { return text::ListTextLess(a, b); });
    return subjects;
}

} // namespace rasp::load
