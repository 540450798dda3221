#pragma once

#include <QObject>

#include <functional>

class QWidget;

namespace rasp::ui {

// Calls a function whenever a widget moves, is resized, shown or hidden; used for items that
// belong to a widget but must be drawn outside its bounds (the weekday strip's badges).
class GeometryWatcher : public QObject
{
    Q_OBJECT
public:
    GeometryWatcher(QWidget *watched, std::function<void()> onChange);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::function<void()> m_onChange;
};

} // namespace rasp::ui
