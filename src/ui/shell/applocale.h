#pragma once

namespace rasp::ui {

// Makes Russian the locale of everything the window builds afterwards, whatever the system's
// locale: the date pickers' calendars name months and weekdays in Russian and start the week on
// Monday. Call it once at start-up, before the first widget exists.
void UseRussianLocale();

} // namespace rasp::ui
