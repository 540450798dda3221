#include "settingscontroller.h"

#include "widgets/codepageguard.h"
#include "edit/editfunnel.h"
#include "shell/messages.h"
#include "refresh.h"
#include "settings/settings.h"
#include "settingstexts.h"
#include "state.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace rasp::ui {

namespace {

namespace t = settingstexts;

QString str(QStringView view)
{
    return view.toString();
}

// Shows a list of the state in a list widget; list items use "Calibri" 12.
void fillList(QListWidget *list, const QStringList &items)
{
    list->clear();
    list->addItems(items);
    for (int k = 0; k < list->count(); ++k)
        list->item(k)->setFont(QFont(u"Calibri"_s, 12));
}

// Index of the selected item of a list, or -1 when nothing is selected.
int selectedRow(const QListWidget *list)
{
    const QList<QListWidgetItem *> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.first());
}

QLineEdit *makeField(QWidget *parent, const QString &name)
{
    auto *field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setValidator(new CodePageValidator(field)); // setting.ini is Windows-1251
    return field;
}

} // namespace

SettingsController::SettingsController(const Shell &shell, QWidget *page, QObject *parent)
    : Controller(shell, parent)
{
    build(page);
    wire();
}

void SettingsController::build(QWidget *tab)
{
    // The page scrolls when the window is lower than its content (6 lesson rows make a low window).
    auto *outer = new QVBoxLayout(tab);
    outer->setContentsMargins(0, 0, 0, 0);
    auto *scroll = new QScrollArea(tab);
    scroll->setObjectName(u"settingsScroll"_s);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    outer->addWidget(scroll);
    auto *content = new QWidget(scroll);
    scroll->setWidget(content);
    auto *page = new QVBoxLayout(content);
    page->setContentsMargins(10, 10, 10, 0);
    auto *groups = new QGridLayout;
    groups->setHorizontalSpacing(12);
    groups->setVerticalSpacing(12);
    page->addLayout(groups);

    // Rooms.
    m_w.roomsGroup = new QGroupBox(str(t::kRooms), content);
    auto *rooms = new QGridLayout(m_w.roomsGroup);
    m_w.sListBox1 = new QListWidget(m_w.roomsGroup);
    m_w.sListBox1->setObjectName(u"sListBox1"_s);
    m_w.sListBox1->setFixedSize(150, 220);
    rooms->addWidget(m_w.sListBox1, 0, 0, 4, 1);
    m_w.sEdit1 = makeField(m_w.roomsGroup, u"sEdit1"_s);
    m_w.sEdit1->setFixedWidth(120);
    rooms->addWidget(m_w.sEdit1, 0, 1);
    m_w.SpeedButton3 = new QPushButton(str(t::kAdd), m_w.roomsGroup);
    m_w.SpeedButton3->setObjectName(u"SpeedButton3"_s);
    rooms->addWidget(m_w.SpeedButton3, 1, 1);
    m_w.SpeedButton4 = new QPushButton(str(t::kRemove), m_w.roomsGroup);
    m_w.SpeedButton4->setObjectName(u"SpeedButton4"_s);
    rooms->addWidget(m_w.SpeedButton4, 2, 1);
    rooms->setRowStretch(3, 1);
    groups->addWidget(m_w.roomsGroup, 0, 0);

    // Subjects locked automatically.
    auto *lockGroup = new QGroupBox(str(t::kAutoLock), content);
    auto *lock = new QGridLayout(lockGroup);
    lock->addWidget(new QLabel(str(t::kSubjects), lockGroup), 0, 0);
    m_w.ListBox2 = new QListWidget(lockGroup);
    m_w.ListBox2->setObjectName(u"ListBox2"_s);
    m_w.ListBox2->setFixedSize(170, 220);
    lock->addWidget(m_w.ListBox2, 1, 0, 3, 1);
    m_w.sSpeedButton2 = new QToolButton(lockGroup);
    m_w.sSpeedButton2->setObjectName(u"sSpeedButton2"_s);
    m_w.sSpeedButton2->setArrowType(Qt::RightArrow);
    m_w.sSpeedButton2->setToolTip(str(t::kLock));
    lock->addWidget(m_w.sSpeedButton2, 1, 1, Qt::AlignBottom);
    m_w.sSpeedButton1 = new QToolButton(lockGroup);
    m_w.sSpeedButton1->setObjectName(u"sSpeedButton1"_s);
    m_w.sSpeedButton1->setArrowType(Qt::LeftArrow);
    m_w.sSpeedButton1->setToolTip(str(t::kDontLock));
    lock->addWidget(m_w.sSpeedButton1, 2, 1, Qt::AlignTop);
    lock->addWidget(new QLabel(str(t::kLock), lockGroup), 0, 2);
    m_w.ListBox3 = new QListWidget(lockGroup);
    m_w.ListBox3->setObjectName(u"ListBox3"_s);
    m_w.ListBox3->setFixedSize(170, 220);
    lock->addWidget(m_w.ListBox3, 1, 2, 3, 1);
    groups->addWidget(lockGroup, 0, 1);

    // Server.
    auto *server = new QWidget(content);
    auto *serverColumn = new QVBoxLayout(server);
    serverColumn->setContentsMargins(0, 0, 0, 0);
    m_w.sCheckBox1 = new QCheckBox(str(t::kUseServer), server);
    m_w.sCheckBox1->setObjectName(u"sCheckBox1"_s);
    serverColumn->addWidget(m_w.sCheckBox1);
    m_w.sGroupBox7 = new QGroupBox(server);
    m_w.sGroupBox7->setObjectName(u"sGroupBox7"_s);
    auto *fields = new QGridLayout(m_w.sGroupBox7);
    m_w.sEdit2 = makeField(m_w.sGroupBox7, u"sEdit2"_s);
    m_w.sEdit5 = makeField(m_w.sGroupBox7, u"sEdit5"_s);
    m_w.sEdit3 = makeField(m_w.sGroupBox7, u"sEdit3"_s);
    m_w.sEdit4 = makeField(m_w.sGroupBox7, u"sEdit4"_s);
    m_w.sEdit4->setEchoMode(QLineEdit::Password);
    m_w.SpeedButton5 = new QToolButton(m_w.sGroupBox7);
    m_w.SpeedButton5->setObjectName(u"SpeedButton5"_s);
    m_w.SpeedButton5->setIcon(QIcon(u":/img/eye.svg"_s));
    m_w.SpeedButton5->setToolTip(str(t::kShowPassword));
    const std::pair<QStringView, QLineEdit *> rows[] = {
        {t::kIp, m_w.sEdit2}, {t::kPort, m_w.sEdit5}, {t::kLogin, m_w.sEdit3}, {t::kPassword, m_w.sEdit4}};
    int r = 0;
    for (const auto &[caption, field] : rows) {
        fields->addWidget(new QLabel(str(caption), m_w.sGroupBox7), r, 0);
        fields->addWidget(field, r, 1);
        ++r;
    }
    fields->addWidget(m_w.SpeedButton5, 3, 2);
    serverColumn->addWidget(m_w.sGroupBox7);
    serverColumn->addStretch(1);
    groups->addWidget(server, 0, 2);

    // Print options.
    auto *printGroup = new QGroupBox(str(t::kPrintOptions), content);
    auto *print = new QHBoxLayout(printGroup);
    auto *orientation = new QGroupBox(str(t::kOrientation), printGroup);
    auto *orientationColumn = new QVBoxLayout(orientation);
    m_w.RadioButton1 = new QRadioButton(str(t::kPortrait), orientation);
    m_w.RadioButton2 = new QRadioButton(str(t::kLandscape), orientation);
    orientationColumn->addWidget(m_w.RadioButton1);
    orientationColumn->addWidget(m_w.RadioButton2);
    print->addWidget(orientation);
    auto *classNames = new QGroupBox(str(t::kClassNames), printGroup);
    auto *classNamesColumn = new QVBoxLayout(classNames);
    m_w.RadioButton3 = new QRadioButton(str(t::kInRow), classNames);
    m_w.RadioButton4 = new QRadioButton(str(t::kInColumn), classNames);
    classNamesColumn->addWidget(m_w.RadioButton3);
    classNamesColumn->addWidget(m_w.RadioButton4);
    print->addWidget(classNames);
    groups->addWidget(printGroup, 1, 0, 1, 2);

    // Second shift.
    auto *shift = new QWidget(content);
    auto *shiftColumn = new QVBoxLayout(shift);
    shiftColumn->setContentsMargins(0, 0, 0, 0);
    m_w.CheckBox3 = new QCheckBox(str(t::kSecondShift), shift);
    m_w.CheckBox3->setObjectName(u"CheckBox3"_s);
    shiftColumn->addWidget(m_w.CheckBox3);
    m_w.GroupBox3 = new QGroupBox(shift);
    m_w.GroupBox3->setObjectName(u"GroupBox3"_s);
    auto *tables = new QVBoxLayout(m_w.GroupBox3);
    m_w.RadioButton5 = new QRadioButton(str(t::kOneTable), m_w.GroupBox3);
    m_w.RadioButton6 = new QRadioButton(str(t::kTwoTables), m_w.GroupBox3);
    tables->addWidget(m_w.RadioButton5);
    tables->addWidget(m_w.RadioButton6);
    shiftColumn->addWidget(m_w.GroupBox3);
    shiftColumn->addStretch(1);
    groups->addWidget(shift, 1, 2);

    // Lesson rows and the two behaviour switches.
    auto *behaviour = new QGridLayout;
    auto *rowsLabel = new QLabel(str(t::kLessonRows), content);
    behaviour->addWidget(rowsLabel, 0, 0);
    m_w.ComboBox1 = new QComboBox(content);
    m_w.ComboBox1->setObjectName(u"ComboBox1"_s);
    for (int n = settings::kMinLessonRows; n <= settings::kMaxLessonRows; ++n)
        m_w.ComboBox1->addItem(QString::number(n));
    behaviour->addWidget(m_w.ComboBox1, 0, 1, Qt::AlignLeft);
    auto *rowsNotice = new QLabel(str(t::kLessonRowsLater), content);
    rowsNotice->setObjectName(u"rowsNotice"_s);
    rowsNotice->setStyleSheet(u"color: #717171;"_s);
    behaviour->addWidget(rowsNotice, 1, 0, 1, 2);
    m_w.CheckBox1 = new QCheckBox(str(t::kRoomsFromTemplate), content);
    m_w.CheckBox1->setObjectName(u"CheckBox1"_s);
    behaviour->addWidget(m_w.CheckBox1, 2, 0, 1, 2);
    m_w.CheckBox2 = new QCheckBox(str(t::kAnimateMoves), content);
    m_w.CheckBox2->setObjectName(u"CheckBox2"_s);
    behaviour->addWidget(m_w.CheckBox2, 3, 0, 1, 2);
    behaviour->setColumnStretch(2, 1);
    page->addLayout(behaviour);
    page->addStretch(1);

    // The "Сохранить" bar.
    auto *saveBar = new QWidget(content);
    saveBar->setObjectName(u"saveBar"_s);
    saveBar->setFixedHeight(40);
    auto *saveRow = new QHBoxLayout(saveBar);
    saveRow->addStretch(1);
    m_w.SpeedButton6 = new QPushButton(str(t::kSave), saveBar);
    m_w.SpeedButton6->setObjectName(u"SpeedButton6"_s);
    saveRow->addWidget(m_w.SpeedButton6);
    page->addWidget(saveBar);
}

void SettingsController::wire()
{
    connect(m_w.SpeedButton3, &QPushButton::clicked, this, &SettingsController::addRoom);
    connect(m_w.sEdit1, &QLineEdit::returnPressed, this, &SettingsController::addRoom);
    connect(m_w.SpeedButton4, &QPushButton::clicked, this, &SettingsController::removeRoom);
    connect(m_w.sSpeedButton2, &QToolButton::clicked, this, &SettingsController::lockSubject);
    connect(m_w.sSpeedButton1, &QToolButton::clicked, this, &SettingsController::unlockSubject);
    connect(m_w.SpeedButton5, &QToolButton::pressed, this, &SettingsController::showPassword);
    connect(m_w.SpeedButton5, &QToolButton::released, this, &SettingsController::hidePassword);
    connect(m_w.sCheckBox1, &QCheckBox::toggled, this, &SettingsController::serverSwitched);
    connect(m_w.CheckBox3, &QCheckBox::toggled, this, &SettingsController::secondShiftSwitched);
    connect(m_w.SpeedButton6, &QPushButton::clicked, this, [this] { save(true); });
    // Every other control takes effect in the state at once; the file follows at the next save.
    auto take = [this] { fromPage(); };
    for (QLineEdit *field : {m_w.sEdit2, m_w.sEdit5, m_w.sEdit3, m_w.sEdit4})
        connect(field, &QLineEdit::textChanged, this, take);
    for (QAbstractButton *box : std::initializer_list<QAbstractButton *>{
             m_w.sCheckBox1, m_w.CheckBox1, m_w.CheckBox2, m_w.CheckBox3, m_w.RadioButton1, m_w.RadioButton2,
             m_w.RadioButton3, m_w.RadioButton4, m_w.RadioButton5, m_w.RadioButton6})
        connect(box, &QAbstractButton::toggled, this, take);
    connect(m_w.ComboBox1, &QComboBox::currentIndexChanged, this, take);
}

void SettingsController::toPage()
{
    const settings::Settings &s = state().settings;
    m_filling = true;
    fillList(m_w.sListBox1, s.rooms);
    fillList(m_w.ListBox3, s.blocked);
    m_w.sEdit2->setText(s.ip);
    m_w.sEdit5->setText(s.port);
    m_w.sEdit3->setText(s.login);
    m_w.sEdit4->setText(s.password);
    m_w.sCheckBox1->setChecked(s.useServer);
    m_w.sGroupBox7->setEnabled(s.useServer);
    emit serverUseShown(s.useServer);
    (s.portrait ? m_w.RadioButton1 : m_w.RadioButton2)->setChecked(true);
    (s.classesInRow ? m_w.RadioButton3 : m_w.RadioButton4)->setChecked(true);
    m_w.CheckBox1->setChecked(s.roomsFromTemplate);
    m_w.CheckBox2->setChecked(s.animateMoves);
    m_w.ComboBox1->setCurrentIndex(s.lessonRows - settings::kMinLessonRows);
    m_w.CheckBox3->setChecked(s.secondShift);
    m_w.GroupBox3->setEnabled(s.secondShift);
    (s.twoTables ? m_w.RadioButton6 : m_w.RadioButton5)->setChecked(true);
    m_filling = false;
}

void SettingsController::fromPage()
{
    if (m_filling)
        return;
    // The page's values are settings, not an edit of the day: no step, no refresh, no repaint.
    edits().keepFacts([this](State &state) { takePage(state.settings); });
}

void SettingsController::takePage(settings::Settings &s) const
{
    s.ip = m_w.sEdit2->text();
    s.port = m_w.sEdit5->text();
    s.login = m_w.sEdit3->text();
    s.password = m_w.sEdit4->text();
    s.useServer = m_w.sCheckBox1->isChecked();
    s.portrait = !m_w.RadioButton2->isChecked();
    s.classesInRow = !m_w.RadioButton4->isChecked();
    s.roomsFromTemplate = m_w.CheckBox1->isChecked();
    s.animateMoves = m_w.CheckBox2->isChecked();
    s.lessonRows = m_w.ComboBox1->currentText().toInt();
    s.secondShift = m_w.CheckBox3->isChecked();
    s.twoTables = m_w.RadioButton6->isChecked();
}

void SettingsController::showSubjects(const QStringList &subjects)
{
    fillList(m_w.ListBox2, subjects);
}

void SettingsController::load()
{
    QStringList problems;
    QString error;
    text::ReadResult::Status status;
    {
        Edit edit(edits());
        status = settings::SetLoad(edit.state(), settings::SettingsPath(), &problems, &error);
    }
    showRead(status, problems, error);
}

void SettingsController::showRead(text::ReadResult::Status status, const QStringList &problems, const QString &error)
{
    toPage();
    edits().refresh(RefreshDefaultPins);
    emit fileInStep();
    if (status == text::ReadResult::Unreadable)
        notify(error);
    else if (!problems.isEmpty())
        notify(t::kFileDamaged.toString().arg(problems.join(u"; "_s)));
}

void SettingsController::save(bool notice)
{
    fromPage();
    if (!mayReplace({QDir::current().filePath(settings::SettingsPath())}, [this] { load(); }))
        return;
    QString error;
    bool saved;
    edits().keepFacts([&](State &s) { saved = settings::SetSave(s, settings::SettingsPath(), &error); });
    if (!saved) {
        notify(NotSavedNotice(error));
        return;
    }
    emit fileInStep();
    if (notice)
        notify(str(t::kSaved));
}

void SettingsController::addRoom()
{
    settings::AddRoomResult result;
    edits().keepFacts([&](State &s) { result = settings::AddRoom(s.settings, m_w.sEdit1->text()); });
    switch (result) {
    case settings::AddRoomResult::Empty:
        return;
    case settings::AddRoomResult::Duplicate:
        notify(str(t::kRoomExists));
        return;
    case settings::AddRoomResult::Invalid:
        notify(str(t::kRoomInvalid));
        return;
    case settings::AddRoomResult::Added:
        break;
    }
    fillList(m_w.sListBox1, state().settings.rooms);
    m_w.sEdit1->clear();
    m_w.sEdit1->setFocus();
    save(false);
}

void SettingsController::removeRoom()
{
    const int row = selectedRow(m_w.sListBox1);
    if (row < 0) {
        notify(str(t::kChooseRoom));
        return;
    }
    edits().keepFacts([row](State &s) { s.settings.rooms.removeAt(row); });
    fillList(m_w.sListBox1, state().settings.rooms);
    save(false);
}

void SettingsController::lockSubject()
{
    const int row = selectedRow(m_w.ListBox2);
    if (row < 0) {
        notify(str(t::kChooseSubject));
        return;
    }
    bool added;
    {
        Edit edit(edits());
        added = settings::AddBlocked(edit.state().settings, m_w.ListBox2->item(row)->text());
        if (added)
            edit.addParts(RefreshDefaultPins);
    }
    if (added) {
        fillList(m_w.ListBox3, state().settings.blocked);
        save(false);
    }
    edits().refresh(RefreshPins);
}

void SettingsController::unlockSubject()
{
    const int row = selectedRow(m_w.ListBox3);
    if (row < 0) {
        notify(str(t::kChooseSubject));
        return;
    }
    {
        Edit edit(edits(), RefreshDefaultPins);
        edit.state().settings.blocked.removeAt(row);
    }
    fillList(m_w.ListBox3, state().settings.blocked);
    save(false);
    edits().refresh(RefreshPins);
}

void SettingsController::showPassword()
{
    m_w.sEdit4->setEchoMode(QLineEdit::Normal);
}

void SettingsController::hidePassword()
{
    m_w.sEdit4->setEchoMode(QLineEdit::Password);
}

void SettingsController::serverSwitched()
{
    if (m_filling)
        return;
    const bool on = m_w.sCheckBox1->isChecked();
    if (!on)
        emit serverSwitchedOff();
    m_w.sGroupBox7->setEnabled(on);
    emit serverUseShown(on);
}

void SettingsController::secondShiftSwitched()
{
    m_w.GroupBox3->setEnabled(m_w.CheckBox3->isChecked());
}

} // namespace rasp::ui
