#include "shell/hint.h"
#include "widgets/shownbreaks.h"

#include <QVariant>
#include <QWidget>

namespace rasp::ui {

void setHint(QWidget *widget, const QString &text)
{
    widget->setProperty("hint", text);
    widget->setToolTip(ShownBreaks(text));
}

QString hint(const QWidget *widget)
{
    return widget->property("hint").toString();
}

} // namespace rasp::ui
