#pragma once

#include <QAbstractButton>

namespace rasp::ui {

// A page tab of the page bar: a 100 x 25 filled rectangle with a centred caption. Its fill
// colour records whether its page is the active one.
class TabButton : public QAbstractButton
{
    Q_OBJECT
public:
    TabButton(const QString &caption, QWidget *parent);

    // Sets the fill and text colours (ARGB).
    void setColours(quint32 fill, quint32 text);
    quint32 fill() const { return m_fill; }
    quint32 textColour() const { return m_text; }
    void setTextColour(quint32 text);

    QSize sizeHint() const override { return QSize(100, 25); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    quint32 m_fill = 0xFFE0E0E0;
    quint32 m_text = 0xFF000000;
};

} // namespace rasp::ui
