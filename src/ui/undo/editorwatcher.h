#pragma once

#include <QObject>

#include <functional>

class QWidget;

namespace rasp::ui::undo {

// Watches the grid's live editor for the window's undo: the undo and redo keys go to the
// window's history instead of the editor's own text undo (which would bypass the grid model),
// every other key press may open a typing run, and losing the focus closes it. The releases of
// the undo and redo keys never reach the grid, whose key-release refresh would re-pin cells the
// step has just put back.
class EditorWatcher : public QObject
{
    Q_OBJECT
public:
    struct Callbacks {
        std::function<void()> undo;
        std::function<void()> redo;
        std::function<void()> keyPressed; // before the key changes the text
        std::function<void()> focusLost;
    };
    EditorWatcher(QWidget *editor, Callbacks callbacks);

    // Whether a key event is one of the undo (Ctrl+Z) or redo (Ctrl+Shift+Z, Ctrl+Y) keys.
    static bool isUndoKey(const QEvent *event);
    static bool isRedoKey(const QEvent *event);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Callbacks m_callbacks;
    bool m_swallowReleases = false; // the keys of an undo or redo are being let go
};

} // namespace rasp::ui::undo
