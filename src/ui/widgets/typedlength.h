#pragma once

#include <QValidator>

#include <functional>

namespace rasp::ui {

// Limits what the user types into a line editor without ever cutting a text the program put
// there: an edit is refused when it makes the text longer than `limit` characters and longer
// than the stored text it edits, so a longer text read from a file is shown whole and can still
// be shortened. Characters in `refused` (the separators of the data files) are never accepted,
// nor characters outside Windows-1251 (shown under the editor, the validator's parent).
class TypedLengthValidator : public QValidator
{
public:
    // `storedLength` gives the length of the stored text the editor shows now.
    TypedLengthValidator(int limit, std::function<qsizetype()> storedLength, const QString &refused,
                         QObject *parent);

    // Refuses an input that grows past the limit or holds a refused character.
    State validate(QString &input, int &pos) const override;

private:
    int m_limit;
    std::function<qsizetype()> m_storedLength;
    QString m_refused;
};

} // namespace rasp::ui
