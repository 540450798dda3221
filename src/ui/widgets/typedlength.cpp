#include "widgets/typedlength.h"

#include "widgets/codepageguard.h"

#include <QWidget>

namespace rasp::ui {

TypedLengthValidator::TypedLengthValidator(int limit, std::function<qsizetype()> storedLength,
                                           const QString &refused, QObject *parent)
    : QValidator(parent)
    , m_limit(limit)
    , m_storedLength(std::move(storedLength))
    , m_refused(refused)
{
}

QValidator::State TypedLengthValidator::validate(QString &input, int &) const
{
    for (const QChar c : m_refused)
        if (input.contains(c))
            return Invalid;
    if (RefuseOutside1251(input, qobject_cast<QWidget *>(parent())))
        return Invalid;
    // The stored text still holds what was there before this edit: the editor writes it back
    // only once the edit is accepted, and the program sets the stored text before the editor's.
    if (input.size() > m_limit && input.size() > m_storedLength())
        return Invalid;
    return Acceptable;
}

} // namespace rasp::ui
