#pragma once

#include <QAbstractButton>

namespace rasp::ui {

// Fill and text colours of the page tabs (ARGB): the active page's tab and the others.
inline constexpr quint32 kTabActiveFill = 0xFF0061B0;
inline constexpr quint32 kTabInactiveFill = 0xFFE0E0E0;
inline constexpr quint32 kTabActiveText = 0xFFFFFFFF;
inline constexpr quint32 kTabInactiveText = 0xFF000000;
inline constexpr quint32 kTabDisabledText = 0xFF6E6E6E; // on the inactive fill, readable but plainly off

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
    // The look of the active page's tab (accent fill, white text) or of any other tab.
    void setActiveLook(bool active);
    // The active page is recorded by its tab's accent fill.
    bool hasActiveLook() const { return m_fill == kTabActiveFill; }

    QSize sizeHint() const override { return QSize(100, 25); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    quint32 m_fill = kTabInactiveFill;
    quint32 m_text = kTabInactiveText;
};

} // namespace rasp::ui
