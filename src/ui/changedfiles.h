#pragma once

#include <QStringList>

#include <functional>

class TForm1;

namespace rasp::ui {

// Asks, through the window's question overlay, before a save replaces files another program
// changed since this editor read them: "Да" replaces them; "Нет" keeps them and offers `reload`
// (without one, the notice says how to open them). False when the save must not go on; the
// user's edits stay in the editor unless reloaded.
bool MayReplaceChangedFiles(TForm1 &form, const QStringList &paths, const std::function<void()> &reload);

} // namespace rasp::ui
