#pragma once

#include <QObject>

#include <functional>

class QDateEdit;

namespace rasp::ui {

// Calls a function each time the calendar drop-down of a date picker closes, whether a date
// was picked or the drop-down was dismissed; the picker's date is already set by then.
class PopupCloseWatcher : public QObject
{
    Q_OBJECT
public:
    PopupCloseWatcher(QDateEdit *picker, std::function<void()> onClose);

    // The drop-down window being watched.
    QWidget *popup() const { return m_popup; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_popup;
    std::function<void()> m_onClose;
};

} // namespace rasp::ui
