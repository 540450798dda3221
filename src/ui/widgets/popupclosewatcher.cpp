#include "widgets/popupclosewatcher.h"

#include <QCalendarWidget>
#include <QDateEdit>
#include <QEvent>

namespace rasp::ui {

PopupCloseWatcher::PopupCloseWatcher(QDateEdit *picker, std::function<void()> onClose)
    : QObject(picker)
    , m_popup(picker->calendarWidget()->window()) // creates the drop-down once; it is kept for reuse
    , m_onClose(std::move(onClose))
{
    m_popup->installEventFilter(this);
}

bool PopupCloseWatcher::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_popup && event->type() == QEvent::Hide && m_onClose)
        m_onClose();
    return QObject::eventFilter(watched, event);
}

} // namespace rasp::ui
