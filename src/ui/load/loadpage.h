#pragma once

#include <QWidget>

namespace rasp {
struct State;
}

namespace rasp::ui {

class CircleButton;
class LoadMatrixView;
class LoadStripView;

// The load page ("Нагрузка", inside Tab_2): the tool bar of four round buttons, the sort
// button in the top-left corner, the class-name strip, the teacher-name strip and the load
// matrix. It paints the load model (read-only) and keeps the strips at the matrix's offsets;
// what the buttons and menus do, and what typing writes, is up to rasp::ui::LoadController.
class LoadPage : public QWidget
{
    Q_OBJECT
public:
    explicit LoadPage(const State &state, QWidget *parent = nullptr);

    // Re-reads the model after classes or teachers were added, removed, cleared or sorted:
    // scroll ranges, the edited fields, and the sort button (shown while a teacher exists).
    void modelChanged();
    // Scrolls all three areas back to the origin.
    void scrollToOrigin();
    // Scrolls the matrix to its right end (a class was added), keeping the vertical offset.
    void scrollToLastClass();
    // Scrolls the matrix to its bottom (a teacher was added), keeping the horizontal offset.
    void scrollToLastTeacher();

    // Load matrix scrolled: the strip along that direction takes the matrix's offset.
    void ScrollBox1HScrollChange();
    void ScrollBox1VScrollChange();

    CircleButton *sSpeedButton18 = nullptr; // "Добавить класс", badge 1
    CircleButton *sSpeedButton16 = nullptr; // "Добавить учителя", badge 2
    CircleButton *sSpeedButton15 = nullptr; // "Сохранить", badge 3
    CircleButton *SpeedButton12 = nullptr;  // "Удалить ВСЁ"
    CircleButton *sSpeedButton17 = nullptr; // "Сортировать по алфавиту" (picture img_SB17)
    LoadStripView *ScrollBox4 = nullptr;    // class-name strip
    LoadStripView *ScrollBox3 = nullptr;    // teacher-name strip
    LoadMatrixView *ScrollBox1 = nullptr;   // load matrix

private:
    const State &m_state;
};

} // namespace rasp::ui
