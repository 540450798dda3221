#pragma once

#include <QFrame>

class QLabel;

namespace rasp::ui {

// A white panel drawn inside the main window, centred over it: a 25-px accent title bar with a
// white centred title and a body on which the owner places its texts and buttons.
class OverlayPanel : public QFrame
{
    Q_OBJECT
public:
    OverlayPanel(const QString &title, QSize size, QWidget *parent);

    // The area under the title bar; children are placed in its coordinates.
    QWidget *body() const { return m_body; }
    // Centres the panel over its parent and brings it to the front.
    void centreAndRaise();
    // Grows the panel (from its designed size, at most to its parent's height less a margin)
    // so that `message`, a label of the body made by makeMessageLabel, shows its whole text;
    // the body's other children keep their places under it. A short text keeps the designed size.
    void fitToMessage(QLabel *message);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    // Draws the panel's grey border over its white background.
    void paintEvent(QPaintEvent *event) override;
    // Keeps the title bold in the panel's font when that font changes.
    void changeEvent(QEvent *event) override;

private:
    // Gives the title bar the bold form of the panel's font.
    void boldenTitle();

    QWidget *m_body;
    QSize m_designed;
};

// A multi-line, centred, plain-text label for overlay messages; "\r\n" in the text breaks the line.
QLabel *makeMessageLabel(QWidget *parent, QRect geometry);

// Shows a message on such a label, turning "\r\n" and lone "\r" into line breaks.
void setMessageText(QLabel *label, const QString &text);

// A message from outside (the server) cut to what such a label can show, ending with "…" when cut.
QString fitMessageText(const QLabel *label, const QString &text);

} // namespace rasp::ui
