#pragma once

#include <QValidator>

#include <functional>

class QPlainTextEdit;
class QWidget;

namespace rasp::ui {

// The school's files are Windows-1251: a character outside that code page would be saved as "?"
// and lost. The editors that feed those files refuse such characters and say why.

// Shows, under `field`, which typed or pasted characters were refused because the files cannot
// hold them.
void ShowRefusedCharacters(QWidget *field, const QString &characters);

// Whether `input` holds characters outside Windows-1251; if so they are shown under `field`.
bool RefuseOutside1251(const QString &input, QWidget *field);

// A line editor's validator that refuses characters outside Windows-1251 (the parent is the
// editor, under which the refusal is shown).
class CodePageValidator : public QValidator
{
public:
    explicit CodePageValidator(QWidget *field);

    // Refuses an input that holds a character outside the code page.
    State validate(QString &input, int &pos) const override;
};

// Takes every character for which `refused` holds out of a plain-text editor in one step, the
// caret staying where it was among the characters kept; returns whether anything was taken.
// The editor's textChanged fires again for the cleaned text.
bool TakeOutCharacters(QPlainTextEdit *edit, const std::function<bool(QChar)> &refused);

// Takes characters outside Windows-1251 out of a plain-text editor (see TakeOutCharacters) and
// shows which were refused; returns whether anything was taken.
bool TakeOutOutside1251(QPlainTextEdit *edit);

} // namespace rasp::ui
