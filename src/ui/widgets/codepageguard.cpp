#include "widgets/codepageguard.h"

#include "text/cp1251.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <QToolTip>

namespace rasp::ui {

void ShowRefusedCharacters(QWidget *field, const QString &characters)
{
    if (field && !characters.isEmpty())
        QToolTip::showText(field->mapToGlobal(QPoint(0, field->height())), text::Outside1251Notice(characters), field);
}

bool RefuseOutside1251(const QString &input, QWidget *field)
{
    const QString outside = text::Outside1251(input);
    ShowRefusedCharacters(field, outside);
    return !outside.isEmpty();
}

CodePageValidator::CodePageValidator(QWidget *field)
    : QValidator(field)
{
}

QValidator::State CodePageValidator::validate(QString &input, int &) const
{
    return RefuseOutside1251(input, qobject_cast<QWidget *>(parent())) ? Invalid : Acceptable;
}

bool TakeOutCharacters(QPlainTextEdit *edit, const std::function<bool(QChar)> &refused)
{
    const QString text = edit->toPlainText();
    QTextCursor cursor(edit->document());
    bool taken = false;
    // From the end, so the positions still to visit stay valid; the editor's own caret moves
    // with the text it stands in.
    for (qsizetype i = text.size() - 1; i >= 0; --i) {
        if (!refused(text[i]))
            continue;
        if (!taken)
            cursor.beginEditBlock();
        taken = true;
        cursor.setPosition(int(i));
        cursor.setPosition(int(i) + 1, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    }
    if (taken)
        cursor.endEditBlock();
    return taken;
}

bool TakeOutOutside1251(QPlainTextEdit *edit)
{
    const QString outside = text::Outside1251(edit->toPlainText());
    if (outside.isEmpty())
        return false;
    TakeOutCharacters(edit, [](QChar c) { return !text::In1251(c); });
    ShowRefusedCharacters(edit, outside);
    return true;
}

} // namespace rasp::ui
