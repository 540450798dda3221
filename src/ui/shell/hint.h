#pragma once

#include <QString>

class QWidget;

namespace rasp::ui {

// Gives a control its hint: the exact text is kept (read back with hint()) and shown as the
// tool tip with "\r\n" turned into line breaks.
void setHint(QWidget *widget, const QString &text);

// The exact hint text of a control, "\r\n" included.
QString hint(const QWidget *widget);

} // namespace rasp::ui
