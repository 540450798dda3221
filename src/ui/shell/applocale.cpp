#include "shell/applocale.h"

#include <QLocale>

namespace rasp::ui {

void UseRussianLocale()
{
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
}

} // namespace rasp::ui
