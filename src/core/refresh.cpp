#include "refresh.h"

#include "day/blocking.h"
#include "day/counters.h"
#include "day/kabpoisk.h"
#include "day/poiskuchit.h"
#include "state.h"

namespace rasp {

RefreshResult Refresh(State &state, RefreshParts parts, const RefreshInput &input)
{
    RefreshResult result;
    if (parts & RefreshTeachers)
        day::PoiskUchit(state, input.selection, input.focusHint);
    if (parts & RefreshRooms)
        day::KabPoisk(state, 1, 0, QString());
    if (parts & RefreshPinList) {
        day::FillPinList(state);
        result.pinChecksChanged = true;
    }
    if (parts & RefreshDefaultPins) {
        day::CheckDefaultPins(state, state.settings.blocked);
        result.pinChecksChanged = true;
    }
    // Without questions: a pin stays pinned even where its lesson coincides.
    if (parts & RefreshPins)
        day::CheckList(state, 0, 1, state.max_ur);
    if (parts & RefreshSettled)
        state.chek_pderm = 1;
    if (parts & RefreshShift) {
        const auto ask = input.ask ? input.ask : [](const QString &) { return true; };
        if (day::VtorayaSmenaBlok(state, 1, ask))
            result.pinChecksChanged = true;
    }
    return result;
}

} // namespace rasp
