#pragma once

#include <QAbstractButton>

namespace rasp::ui {

// A button of the template page's weekday strip: a filled rectangle with a 1-px grey
// stroke and the weekday's name. Its fill records whether its weekday is the one on the grid;
// it carries its weekday number (1 = Monday), never shown.
class WeekdayButton : public QAbstractButton
{
    Q_OBJECT
public:
    WeekdayButton(int weekday, const QString &caption, QWidget *parent);

    // Accent fill and white text for the selected weekday, grey fill and black text otherwise.
    void setSelectedLook(bool selected);
    quint32 fill() const { return m_fill; }
    quint32 textColour() const { return m_text; }
    int weekday() const { return m_weekday; }
    // The font the name is painted in: the button's own, smaller only where the name would not fit.
    QFont captionFont() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_weekday;
    quint32 m_fill;
    quint32 m_text;
};

} // namespace rasp::ui
