#pragma once

#include <QLabel>

namespace rasp::ui {

// A one-line plain-text label that, when its text is wider than the label, shows the text's
// beginning ended by "…" and offers the whole text as its tooltip. The text itself is kept
// whole (text() returns it), so whoever sets or reads it through QLabel is unaffected.
class ElidedLabel : public QLabel
{
    Q_OBJECT
public:
    explicit ElidedLabel(QWidget *parent = nullptr);
    // Whether the text is wider than the room the label gives it.
    bool isCut() const;
    // The text as painted: whole, or its beginning ended by "…" when cut.
    QString shownText() const;

protected:
    // Paints the shown text in the label's alignment and colours.
    void paintEvent(QPaintEvent *event) override;
    // Answers a tooltip request with the whole text when it is cut, and with nothing otherwise.
    bool event(QEvent *event) override;

private:
    // The room the text has: the contents less the label's margin and indent.
    QRect textArea() const;
};

} // namespace rasp::ui
