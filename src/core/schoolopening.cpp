#include "schoolopening.h"

#include "settings/settings.h"
#include "state.h"

namespace rasp {

SchoolOpening OpenSchool(State &state)
{
    SchoolOpening opening;
    FillPalette(state);
    // A link that leads nowhere is read too, so it is reported and never saved over.
    if (text::isPresent(settings::SettingsPath()))
        opening.settings = settings::SetLoad(state, settings::SettingsPath(), &opening.settingsProblems,
                                             &opening.settingsError);
    BuildPlaceholders(state);
    if (text::isPresent(load::NagruzPath())) {
        load::masClear(state, QStringLiteral("RaspUrPredm"));
        state.pins.clear();
        opening.load = load::NagruzLoad(state, 1);
    } else {
        opening.load.status = text::ReadResult::NoFile;
    }
    return opening;
}

} // namespace rasp
