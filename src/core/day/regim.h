#pragma once

namespace rasp::day {

// Highlighting mode of the day grid, one per radio button of the "Показывать" group.
enum class Regim {
    Coincidences, // "только совпадения": a teacher colour only where the teacher is wanted twice in a row
    Each,         // "каждого учителя отдельным цветом"
    Selected,     // "только выбранного учителя"
    None,         // "не выделять цветом": teacher lists only
};

} // namespace rasp::day
