#pragma once

#include "widgets/fieldfont.h"

#include <QWidget>

class QLineEdit;

namespace rasp {
struct State;
}

namespace rasp::ui {

// One name strip of the load page, painted whole: the class-name strip across the top
// (ScrollBox4) or the teacher-name strip down the left (ScrollBox3). It paints the name fields
// and their "…" menu pictures from the load model, puts a single live line editor on the field
// being edited (typing is handed to its owner, nameTyped) and reports clicks on the "…" pictures.
// It has no scroll bars: its offset follows the load matrix along the strip's direction.
class LoadStripView : public QWidget
{
    Q_OBJECT
public:
    enum Kind { Classes,
                Teachers };

    LoadStripView(const State &state, Kind kind, QWidget *parent = nullptr);

    Kind kind() const { return m_kind; }
    // Offset of the strip's content along its direction (the matrix's scroll offset).
    void setOffset(int offset);
    int offset() const { return m_offset; }
    // Re-reads the model after classes or teachers were added, removed or changed.
    void modelChanged();
    // Puts the live editor on the name field of item n (a class or a teacher).
    void editItem(int n, bool takeFocus = true);
    void releaseEditor();

    QLineEdit *editor() const { return m_editor; }
    int editorItem() const { return m_item; }
    // Name field and menu picture of item n, in this widget's coordinates.
    QRect nameRect(int n) const;
    QRect menuRect(int n) const;
    // How the name of item n is set in its field: its font and whether it is cut.
    const FieldFont::Fitted &fittedName(int n);

signals:
    // The "…" picture of item n was clicked.
    void menuClicked(int n);
    // The name of item n was typed into: `name` is its text now. Connected directly, the owner
    // writes it into the model before the view goes on.
    void nameTyped(int n, const QString &name);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    // Shows the whole name of a cut name field as its tooltip.
    bool event(QEvent *event) override;

private:
    int count() const;
    QString name(int n) const;
    QPoint toWidget(QPoint content) const;
    QPoint toContent(QPoint widget) const;
    void placeEditor();

    const State &m_state;
    Kind m_kind;
    QLineEdit *m_editor;
    QFont m_font;
    FieldFont m_fit;
    int m_offset = 0;
    int m_item = -1;
};

} // namespace rasp::ui
