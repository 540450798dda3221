// Day timetable: teacher resolution, the highlighting modes of "Показывать" and the teacher caption.
#include "tform1.h"

#include "day/celladdress.h"
#include "day/gridops.h"
#include "day/poiskuchit.h"
#include "daygridview.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

void TForm1::buildRegimGroup()
{
    auto *column = new QVBoxLayout(sGroupBox1);
    column->setContentsMargins(6, 4, 4, 4);
    column->setSpacing(2);
    Regim = new QButtonGroup(sGroupBox1);
    Regim->setObjectName(u"Regim"_s);
    const std::pair<QRadioButton **, QString> buttons[] = {
        {&sRadioButton2, u"только совпадения"_s},
        {&sRadioButton1, u"каждого учителя отдельным цветом"_s},
        {&sRadioButton4, u"только выбранного учителя"_s},
        {&sRadioButton3, u"не выделять цветом"_s},
    };
    // A size smaller than the window's lets the longest caption fit the group's width.
    QFont font = sGroupBox1->font();
    font.setPointSize(10);
    int n = 0;
    for (const auto &[button, caption] : buttons) {
        *button = new QRadioButton(caption, sGroupBox1);
        (*button)->setFont(font);
        Regim->addButton(*button, n++);
        column->addWidget(*button);
    }
    sRadioButton2->setObjectName(u"sRadioButton2"_s);
    sRadioButton1->setObjectName(u"sRadioButton1"_s);
    sRadioButton4->setObjectName(u"sRadioButton4"_s);
    sRadioButton3->setObjectName(u"sRadioButton3"_s);
    column->addStretch(1);
}

void TForm1::wireHighlight()
{
    connect(sRadioButton1, &QRadioButton::toggled, this, &TForm1::sRadioButton1Change);
    connect(sRadioButton2, &QRadioButton::toggled, this, &TForm1::sRadioButton2Change);
    connect(sRadioButton3, &QRadioButton::toggled, this, &TForm1::sRadioButton3Change);
    connect(sRadioButton4, &QRadioButton::toggled, this, &TForm1::sRadioButton4Change);
}

QString TForm1::focusedCellHint() const
{
    // Only a subject field carries a cell address; a room field's hint is its teacher list.
    if (QApplication::focusWidget() == grid->editor() && grid->editorField() == rasp::day::GridGeometry::Subject)
        return rasp::day::CellHint(grid->editorRow(), grid->editorColumn());
    return {};
}

void TForm1::PoiskUchit(const QString &uchitel)
{
    refresh(rasp::RefreshTeachers, uchitel); // core day::PoiskUchit, then the views repaint
}

void TForm1::regimChosen(rasp::day::Regim regim, const QString &uchitel)
{
    m_state.regim = regim;
    // The mode button is the focused control here, so an empty selection stays empty.
    rasp::day::PoiskUchit(m_state, uchitel, {});
    if (m_state.klassvis >= 1 && rasp::day::SubjectVisible(m_state, 1, 1)) {
        rasp::day::RamkaKoord(m_state, 1, 1);
        grid->focusField(1, 1, rasp::day::GridGeometry::Subject);
        sLabel7->setText(m_state.grid.cell(1, 1).teachers);
        grid->editor()->setCursorPosition(int(grid->editor()->text().size()));
    }
    grid->syncEditor();
    grid->viewport()->update();
}

void TForm1::sRadioButton1Change()
{
    if (sRadioButton1->isChecked())
        regimChosen(rasp::day::Regim::Each, {});
}

void TForm1::sRadioButton2Change()
{
    if (sRadioButton2->isChecked())
        regimChosen(rasp::day::Regim::Coincidences, {});
}

void TForm1::sRadioButton3Change()
{
    if (sRadioButton3->isChecked())
        regimChosen(rasp::day::Regim::None, {});
}

void TForm1::sRadioButton4Change()
{
    if (sRadioButton4->isChecked())
        regimChosen(rasp::day::Regim::Selected, m_state.klassvis >= 1 ? m_state.grid.cell(1, 1).teachers : QString());
}
