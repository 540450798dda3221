#include "widgets/geometrywatcher.h"

#include <QEvent>
#include <QWidget>

namespace rasp::ui {

GeometryWatcher::GeometryWatcher(QWidget *watched, std::function<void()> onChange)
    : QObject(watched)
    , m_onChange(std::move(onChange))
{
    watched->installEventFilter(this);
}

bool GeometryWatcher::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
        m_onChange();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace rasp::ui
