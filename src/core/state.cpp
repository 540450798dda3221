#include "state.h"

#include "day/gridops.h"
#include "load/loadmodel.h"

namespace rasp {

void FillPalette(State &state)
{
    static constexpr std::array<day::Argb, 18> kPalette = {
        0xFF1F3864,
        0xFF8E4A4D,
        0xFFD54A4D,
        0xFF833C0B,
        0xFFE0B083,
        0xFFED7D31,
        0xFF806000,
        0xFFE1D966,
        0xFFE1C000,
        0xFF385623,
        0xFFA8D08D,
        0xFF70AD47,
        0xFF171717,
        0xFF767171,
        0xFF7030A0,
        0xFFCB9BE1,
        0xFFC00000,
        0xFFE17979,
    };
    state.colorr[0] = day::kWhite;
    for (int n = 1; n <= 18; ++n)
        state.colorr[n] = kPalette[n - 1];
}

void BuildPlaceholders(State &state)
{
    state.klassvis = -1;
    state.klassvis_mas = 0;
    state.pedvis = -1;
    state.pedvis_mas = 0;
    day::KlassCreate(state);
    load::PedCreate(state);
}

} // namespace rasp
