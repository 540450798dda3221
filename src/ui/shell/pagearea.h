#pragma once

#include <QString>
#include <QWidget>

#include <functional>

namespace rasp::ui {

// The area under the page bar that holds the pages. While none of its pages is shown and the
// school has no load yet, it paints one centred, muted line telling a newcomer where to begin.
// The line is painted text only: no widget, no page, no notice.
class PageArea : public QWidget
{
    Q_OBJECT
public:
    // `noLoad` tells at paint time whether the school has no load yet.
    PageArea(std::function<bool()> noLoad, QWidget *parent = nullptr);

    // The line the area paints.
    static QString hintText();
    // Whether the line is painted now: no load and no page of the area shown.
    bool hintShown() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::function<bool()> m_noLoad;
};

} // namespace rasp::ui
