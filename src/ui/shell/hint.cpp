#include "shell/hint.h"

#include <QVariant>
#include <QWidget>

namespace rasp::ui {

void setHint(QWidget *widget, const QString &text)
{
    widget->setProperty("hint", text);
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    widget->setToolTip(shown);
}

QString hint(const QWidget *widget)
{
    return widget->property("hint").toString();
}

} // namespace rasp::ui
