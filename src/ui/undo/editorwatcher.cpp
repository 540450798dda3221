#include "editorwatcher.h"

#include <QKeyEvent>
#include <QWidget>

namespace rasp::ui::undo {

namespace {

// The key and its modifiers, keypad and similar flags left out.
QKeyCombination combination(const QEvent *event)
{
    const auto *key = static_cast<const QKeyEvent *>(event);
    const Qt::KeyboardModifiers mods = key->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier | Qt::MetaModifier);
    return QKeyCombination(mods, Qt::Key(key->key()));
}

bool isKeyEvent(const QEvent *event)
{
    return event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride;
}

} // namespace

EditorWatcher::EditorWatcher(QWidget *editor, Callbacks callbacks)
    : QObject(editor)
    , m_callbacks(std::move(callbacks))
{
    editor->installEventFilter(this);
}

bool EditorWatcher::isUndoKey(const QEvent *event)
{
    return isKeyEvent(event) && combination(event) == QKeyCombination(Qt::ControlModifier, Qt::Key_Z);
}

bool EditorWatcher::isRedoKey(const QEvent *event)
{
    if (!isKeyEvent(event))
        return false;
    const QKeyCombination c = combination(event);
    return c == QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z)
           || c == QKeyCombination(Qt::ControlModifier, Qt::Key_Y);
}

bool EditorWatcher::eventFilter(QObject *, QEvent *event)
{
    const bool undo = isUndoKey(event);
    const bool redo = isRedoKey(event);
    if (event->type() == QEvent::ShortcutOverride && (undo || redo)) {
        // Taken as a key press here rather than as a shortcut, so it is handled exactly once.
        event->accept();
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        if (undo || redo) {
            m_swallowReleases = true;
            (undo ? m_callbacks.undo : m_callbacks.redo)();
            return true;
        }
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key != Qt::Key_Control && key != Qt::Key_Shift)
            m_swallowReleases = false;
        m_callbacks.keyPressed();
    } else if (event->type() == QEvent::KeyRelease && m_swallowReleases) {
        // The keys of the gesture, modifiers included, in whatever order they are let go.
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Z || key == Qt::Key_Y || key == Qt::Key_Control || key == Qt::Key_Shift)
            return true;
        m_swallowReleases = false;
    } else if (event->type() == QEvent::FocusOut) {
        m_callbacks.focusLost();
    }
    return false;
}

} // namespace rasp::ui::undo
