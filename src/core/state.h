#pragma once

#include "absences/companion.h"
#include "arrange/tpodbor.h"
#include "day/daygrid.h"
#include "day/regim.h"
#include "files/filestamp.h"
#include "load/loadmodel.h"
#include "settings/settings.h"
#include "template/tsetkamas.h"

#include <QSet>
#include <QString>
#include <array>
#include <vector>

namespace rasp {

// The state is grouped by what it describes; State joins the groups, so every field keeps the
// name the routines use (state.Klass, state.grid, ...) and a function that reads one group can
// take just that group (a State converts to any of them).

// The teaching load: classes, teachers and who teaches what where (nagruz.ini).
// Element 0 of the class and teacher arrays exists and is never used.
struct LoadState {
    int klassvis = -1;          // classes in use (-1 before column 0 is built)
    int klassvis_mas = 0;       // grid columns built, column 0 included
    int pedvis = -1;            // teachers in use (-1 before teacher row 0 is built)
    int pedvis_mas = 0;         // teacher rows built, row 0 included
    int tab1vis = 0;            // 1 once a load file has been read
    int collor = 0;             // running colour number dealt to new teacher rows
    std::vector<QString> Klass; // class names, by grid column
    // The name each class column had when the load was last read or saved (shorter, or an empty
    // name: a class added since); a column whose name differs now was renamed on the load page.
    std::vector<QString> KlassRead;
    std::vector<load::PedFioField> PedFio;                // teachers: name and colour number
    std::vector<std::vector<load::PredmetLines>> Predmet; // [teacher][class]: subject lines
    load::TUchPredm RaspUrPredm;                          // subject index, rebuilt by the load reader
    // Set when nagruz.ini exists but could not be read at its last reading: saving then leaves
    // that file alone instead of replacing it with an empty load.
    QString nagruzReadError;
};

// The shown day: the grid, its note, its companion data and how it is drawn.
struct DayState {
    int max_ur = 6;    // lesson rows of the day grid (6..16)
    int vt_sm_x = 0;   // second shift: number of first-shift classes
    int vt_sm_y = 0;   // second shift: last first-shift lesson row
    day::DayGrid grid; // the day grid: cells, row freeze toggles, selection frame
    QString note;      // the day's note (notes memo)
    // Highlighting mode of the day grid (the "Показывать" group).
    day::Regim regim = day::Regim::Coincidences;
    // The "Не перемещать" list (sCheckListBox1): one entry per subject, sorted, with its check.
    std::vector<day::PinEntry> pins;
    // The shown date's companion file (r_data/DD.MM.YYYY.zam) as far as no cell holds it: the
    // absences, covers whose lesson is not on the grid and sections of a newer editor. The covers
    // of lessons on the grid live in their cells (Cell::cover).
    absences::Companion companion;
    // Day files (absolute paths) whose last reading failed: the grid then holds none of their
    // lessons, so a save under that date is refused until the file reads whole or is gone.
    QSet<QString> unreadableDays;
    // Companion files (absolute paths) whose last reading failed: never replaced by a save.
    QSet<QString> unreadableCompanions;
};

// The weekly template in memory.
struct TemplateState {
    int vibr_den_set = 1; // weekday shown by the template page, 1 = Monday
    tmpl::Setka Setka;    // Setka[1..7] (1 = Monday)
};

// The automatic arrangement: its stop request and the snapshot undo puts back.
struct ArrangementState {
    int RecExit = 0; // stop request for a running arrangement
    // The grid before the last run and the run's working copy, with the shape of the grid it was
    // taken of (undo puts it back only onto the same shape).
    arrange::TPodbor sost_rasp;
    arrange::SnapshotShape sost_shape;
};

// The settings page (setting.ini), the teacher palette and the notes board's separator.
struct SettingsState {
    settings::Settings settings;
    std::array<day::Argb, 19> colorr{};  // teacher palette, entries 1..18
    QString simv = QString(QChar(0x0B)); // field separator of the notes board
    // Set when setting.ini exists but could not be read at its last reading: saving then leaves
    // that file alone instead of replacing it with defaults.
    QString settingsReadError;
};

// What the school files (day, load, settings, templates) held when last read or written here,
// so a save can ask before replacing another program's changes.
struct FilesState {
    files::StampBook stamps;
};

// Start-up and picker flags.
struct StateFlags {
    int chek_pderm = 0; // 1 once the grid has settled after start-up or a load
    int vibor_dat = 0;  // 1 while the date pickers' close handlers may act
};

// Everything the running editor knows, under the names the routines use. The main window
// owns one State; the CLI and the tests build their own.
struct State : LoadState, DayState, TemplateState, ArrangementState, SettingsState, FilesState, StateFlags { };

// Fills the 18-colour teacher palette colorr[1..18].
void FillPalette(State &state);

// Builds the never-shown grid column 0 and teacher row 0, as start-up does before the load is
// read (klassvis and pedvis become 0). For headless users of a fresh State.
void BuildPlaceholders(State &state);

} // namespace rasp
