#pragma once

#include <QAbstractButton>

namespace rasp::ui {

// A circular picture button of the load page's tool bar: an accent disc with a white glyph
// and, for the buttons that show the order of work, a small numbered badge. The hint is the
// tool tip.
class CircleButton : public QAbstractButton
{
    Q_OBJECT
public:
    enum Glyph { AddClass,
                 AddTeacher,
                 Save,
                 DeleteAll,
                 Sort };

    CircleButton(Glyph glyph, const QString &hint, const QString &badge, QWidget *parent);

    QString badge() const { return m_badge; }
    QSize sizeHint() const override { return QSize(48, 44); }

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    Glyph m_glyph;
    QString m_badge;
    bool m_hover = false;
};

} // namespace rasp::ui
