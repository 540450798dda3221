#pragma once

#include "widgets/fieldfont.h"

#include <QAbstractScrollArea>
#include <QHash>
#include <QStaticText>

class QPlainTextEdit;

namespace rasp {
struct State;
}

namespace rasp::ui {

// The load matrix of the load page (ScrollBox1): one painted widget for the subject fields of
// every teacher in every class, with a single live multi-line editor on the field being edited.
// Typing hands the field's lines to its owner (cellTyped), which writes them into the model. It scrolls only by its scroll
// bars; the two name strips follow its offsets.
class LoadMatrixView : public QAbstractScrollArea
{
    Q_OBJECT
public:
    explicit LoadMatrixView(const State &state, QWidget *parent = nullptr);

    // Re-reads the model's size and the edited field after classes or teachers changed.
    void modelChanged();
    // Puts the live editor on the subject field of teacher m in class j.
    void editCell(int m, int j, bool takeFocus = true);
    void releaseEditor();

    QPlainTextEdit *editor() const { return m_editor; }
    int editorTeacher() const { return m_teacher; }
    int editorClass() const { return m_klass; }
    // How the subjects of teacher m in class j are set in their field: all lines whole, or cut.
    const FieldFont::Fitted &fittedCell(int m, int j);
    // Viewport position of a matrix point.
    QPoint toViewport(QPoint content) const;

    // Paints the visible part into a device of the viewport's size (used by the benchmark).
    void renderTo(QPaintDevice *device);

signals:
    // The subject field of teacher m in class j was typed into: `lines` are its subjects now.
    // Connected directly, the owner writes them into the model before the view goes on.
    void cellTyped(int m, int j, const QStringList &lines);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    // Shows every subject of a field that cannot show them all as its tooltip.
    bool viewportEvent(QEvent *event) override;

private:
    void paintMatrix(QPainter &p, const QRect &exposed);
    void updateScrollBars();
    void placeEditor();
    // Moves the editor by one field along the rows (Tab / Shift+Tab), scrolling it into view.
    void stepEditor(int step);
    void ensureCellVisible(int m, int j);
    // Sets the live editor's font to the one its field is painted in.
    void setEditorFont();
    const QStaticText &laidOut(const QString &text, const QFont &font);

    const State &m_state;
    QPlainTextEdit *m_editor;
    QFont m_font;
    FieldFont m_fit;
    QHash<QString, QStaticText> m_texts; // laid-out field texts, by font and joined lines
    int m_teacher = -1;
    int m_klass = -1;
    bool m_syncing = false;
};

} // namespace rasp::ui
