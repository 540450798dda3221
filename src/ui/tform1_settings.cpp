// Settings: the settings page Tab_4, reading and writing setting.ini, and the page's handlers.
#include "tform1.h"

#include "messages.h"

#include "codepageguard.h"

#include "settings/settings.h"

#include <QDir>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace {

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
    field->setValidator(new rasp::ui::CodePageValidator(field)); // setting.ini is Windows-1251
    return field;
}

} // namespace

void TForm1::buildSettingsPage()
{
    // The page scrolls when the window is lower than its content (6 lesson rows make a low window).
    auto *outer = new QVBoxLayout(Tab_4);
    outer->setContentsMargins(0, 0, 0, 0);
    auto *scroll = new QScrollArea(Tab_4);
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
    roomsGroup = new QGroupBox(u"Кабинеты"_s, content);
    auto *rooms = new QGridLayout(roomsGroup);
    sListBox1 = new QListWidget(roomsGroup);
    sListBox1->setObjectName(u"sListBox1"_s);
    sListBox1->setFixedSize(150, 220);
    rooms->addWidget(sListBox1, 0, 0, 4, 1);
    sEdit1 = makeField(roomsGroup, u"sEdit1"_s);
    sEdit1->setFixedWidth(120);
    rooms->addWidget(sEdit1, 0, 1);
    SpeedButton3 = new QPushButton(u"Добавить"_s, roomsGroup);
    SpeedButton3->setObjectName(u"SpeedButton3"_s);
    rooms->addWidget(SpeedButton3, 1, 1);
    SpeedButton4 = new QPushButton(u"Удалить"_s, roomsGroup);
    SpeedButton4->setObjectName(u"SpeedButton4"_s);
    rooms->addWidget(SpeedButton4, 2, 1);
    rooms->setRowStretch(3, 1);
    groups->addWidget(roomsGroup, 0, 0);

    // Subjects locked automatically.
    auto *lockGroup = new QGroupBox(u"Автоматически блокировать"_s, content);
    auto *lock = new QGridLayout(lockGroup);
    lock->addWidget(new QLabel(u"Предметы"_s, lockGroup), 0, 0);
    ListBox2 = new QListWidget(lockGroup);
    ListBox2->setObjectName(u"ListBox2"_s);
    ListBox2->setFixedSize(170, 220);
    lock->addWidget(ListBox2, 1, 0, 3, 1);
    sSpeedButton2 = new QToolButton(lockGroup);
    sSpeedButton2->setObjectName(u"sSpeedButton2"_s);
    sSpeedButton2->setArrowType(Qt::RightArrow);
    sSpeedButton2->setToolTip(u"Блокировать"_s);
    lock->addWidget(sSpeedButton2, 1, 1, Qt::AlignBottom);
    sSpeedButton1 = new QToolButton(lockGroup);
    sSpeedButton1->setObjectName(u"sSpeedButton1"_s);
    sSpeedButton1->setArrowType(Qt::LeftArrow);
    sSpeedButton1->setToolTip(u"Не блокировать"_s);
    lock->addWidget(sSpeedButton1, 2, 1, Qt::AlignTop);
    lock->addWidget(new QLabel(u"Блокировать"_s, lockGroup), 0, 2);
    ListBox3 = new QListWidget(lockGroup);
    ListBox3->setObjectName(u"ListBox3"_s);
    ListBox3->setFixedSize(170, 220);
    lock->addWidget(ListBox3, 1, 2, 3, 1);
    groups->addWidget(lockGroup, 0, 1);

    // Server.
    auto *server = new QWidget(content);
    auto *serverColumn = new QVBoxLayout(server);
    serverColumn->setContentsMargins(0, 0, 0, 0);
    sCheckBox1 = new QCheckBox(u"Использовать сервер"_s, server);
    sCheckBox1->setObjectName(u"sCheckBox1"_s);
    serverColumn->addWidget(sCheckBox1);
    sGroupBox7 = new QGroupBox(server);
    sGroupBox7->setObjectName(u"sGroupBox7"_s);
    auto *fields = new QGridLayout(sGroupBox7);
    sEdit2 = makeField(sGroupBox7, u"sEdit2"_s);
    sEdit5 = makeField(sGroupBox7, u"sEdit5"_s);
    sEdit3 = makeField(sGroupBox7, u"sEdit3"_s);
    sEdit4 = makeField(sGroupBox7, u"sEdit4"_s);
    sEdit4->setEchoMode(QLineEdit::Password);
    SpeedButton5 = new QToolButton(sGroupBox7);
    SpeedButton5->setObjectName(u"SpeedButton5"_s);
    SpeedButton5->setIcon(QIcon(u":/img/eye.svg"_s));
    SpeedButton5->setToolTip(u"Показать пароль, пока нажата кнопка"_s);
    const std::pair<QString, QLineEdit *> rows[] = {
        {u"IP"_s, sEdit2}, {u"Порт"_s, sEdit5}, {u"Логин"_s, sEdit3}, {u"Пароль"_s, sEdit4}};
    int r = 0;
    for (const auto &[caption, field] : rows) {
        fields->addWidget(new QLabel(caption, sGroupBox7), r, 0);
        fields->addWidget(field, r, 1);
        ++r;
    }
    fields->addWidget(SpeedButton5, 3, 2);
    serverColumn->addWidget(sGroupBox7);
    serverColumn->addStretch(1);
    groups->addWidget(server, 0, 2);

    // Print options.
    auto *printGroup = new QGroupBox(u"Параметры вывода на печать"_s, content);
    auto *print = new QHBoxLayout(printGroup);
    auto *orientation = new QGroupBox(u"Ориентация листа в Word"_s, printGroup);
    auto *orientationColumn = new QVBoxLayout(orientation);
    RadioButton1 = new QRadioButton(u"Книжная"_s, orientation);
    RadioButton2 = new QRadioButton(u"Альбомная"_s, orientation);
    orientationColumn->addWidget(RadioButton1);
    orientationColumn->addWidget(RadioButton2);
    print->addWidget(orientation);
    auto *classNames = new QGroupBox(u"Названия классов"_s, printGroup);
    auto *classNamesColumn = new QVBoxLayout(classNames);
    RadioButton3 = new QRadioButton(u"в строчку"_s, classNames);
    RadioButton4 = new QRadioButton(u"в столбец"_s, classNames);
    classNamesColumn->addWidget(RadioButton3);
    classNamesColumn->addWidget(RadioButton4);
    print->addWidget(classNames);
    groups->addWidget(printGroup, 1, 0, 1, 2);

    // Second shift.
    auto *shift = new QWidget(content);
    auto *shiftColumn = new QVBoxLayout(shift);
    shiftColumn->setContentsMargins(0, 0, 0, 0);
    CheckBox3 = new QCheckBox(u"Вторая смена"_s, shift);
    CheckBox3->setObjectName(u"CheckBox3"_s);
    shiftColumn->addWidget(CheckBox3);
    GroupBox3 = new QGroupBox(shift);
    GroupBox3->setObjectName(u"GroupBox3"_s);
    auto *tables = new QVBoxLayout(GroupBox3);
    RadioButton5 = new QRadioButton(u"в одной таблице"_s, GroupBox3);
    RadioButton6 = new QRadioButton(u"две разные таблицы"_s, GroupBox3);
    tables->addWidget(RadioButton5);
    tables->addWidget(RadioButton6);
    shiftColumn->addWidget(GroupBox3);
    shiftColumn->addStretch(1);
    groups->addWidget(shift, 1, 2);

    // Lesson rows and the two behaviour switches.
    auto *behaviour = new QGridLayout;
    auto *rowsLabel = new QLabel(u"Максимальное количество уроков [первая+вторая смена (если есть)]"_s, content);
    behaviour->addWidget(rowsLabel, 0, 0);
    ComboBox1 = new QComboBox(content);
    ComboBox1->setObjectName(u"ComboBox1"_s);
    for (int n = rasp::settings::kMinLessonRows; n <= rasp::settings::kMaxLessonRows; ++n)
        ComboBox1->addItem(QString::number(n));
    behaviour->addWidget(ComboBox1, 0, 1, Qt::AlignLeft);
    auto *rowsNotice = new QLabel(u"Новое количество уроков вступит в силу после перезапуска программы"_s, content);
    rowsNotice->setObjectName(u"rowsNotice"_s);
    rowsNotice->setStyleSheet(u"color: #717171;"_s);
    behaviour->addWidget(rowsNotice, 1, 0, 1, 2);
    CheckBox1 = new QCheckBox(u"При загрузке расписания из сетки подгружать номера кабинетов"_s, content);
    CheckBox1->setObjectName(u"CheckBox1"_s);
    behaviour->addWidget(CheckBox1, 2, 0, 1, 2);
    CheckBox2 = new QCheckBox(u"Анимировать перетаскивание уроков"_s, content);
    CheckBox2->setObjectName(u"CheckBox2"_s);
    behaviour->addWidget(CheckBox2, 3, 0, 1, 2);
    behaviour->setColumnStretch(2, 1);
    page->addLayout(behaviour);
    page->addStretch(1);

    // The "Сохранить" bar.
    auto *saveBar = new QWidget(content);
    saveBar->setObjectName(u"saveBar"_s);
    saveBar->setFixedHeight(40);
    auto *saveRow = new QHBoxLayout(saveBar);
    saveRow->addStretch(1);
    SpeedButton6 = new QPushButton(u"Сохранить"_s, saveBar);
    SpeedButton6->setObjectName(u"SpeedButton6"_s);
    saveRow->addWidget(SpeedButton6);
    page->addWidget(saveBar);

    settingsToPage();
}

void TForm1::wireSettings()
{
    connect(SpeedButton3, &QPushButton::clicked, this, &TForm1::SpeedButton3Click);
    connect(sEdit1, &QLineEdit::returnPressed, this, &TForm1::SpeedButton3Click);
    connect(SpeedButton4, &QPushButton::clicked, this, &TForm1::SpeedButton4Click);
    connect(sSpeedButton2, &QToolButton::clicked, this, &TForm1::sSpeedButton2Click);
    connect(sSpeedButton1, &QToolButton::clicked, this, &TForm1::sSpeedButton1Click);
    connect(SpeedButton5, &QToolButton::pressed, this, &TForm1::SpeedButton5MouseDown);
    connect(SpeedButton5, &QToolButton::released, this, &TForm1::SpeedButton5MouseUp);
    connect(sCheckBox1, &QCheckBox::toggled, this, &TForm1::sCheckBox1Change);
    connect(SpeedButton6, &QPushButton::clicked, this, &TForm1::SpeedButton6Click);
    // Every other control takes effect in the state at once; the file follows at the next save.
    auto take = [this] { settingsFromPage(); };
    for (QLineEdit *field : {sEdit2, sEdit5, sEdit3, sEdit4})
        connect(field, &QLineEdit::textChanged, this, take);
    for (QAbstractButton *box : std::initializer_list<QAbstractButton *>{
             sCheckBox1, CheckBox1, CheckBox2, CheckBox3, RadioButton1, RadioButton2, RadioButton3, RadioButton4,
             RadioButton5, RadioButton6})
        connect(box, &QAbstractButton::toggled, this, take);
    connect(ComboBox1, &QComboBox::currentIndexChanged, this, take);
}

void TForm1::settingsToPage()
{
    const rasp::settings::Settings &s = m_state.settings;
    m_fillingSettingsPage = true;
    fillList(sListBox1, s.rooms);
    fillList(ListBox3, s.blocked);
    sEdit2->setText(s.ip);
    sEdit5->setText(s.port);
    sEdit3->setText(s.login);
    sEdit4->setText(s.password);
    sCheckBox1->setChecked(s.useServer);
    sGroupBox7->setEnabled(s.useServer);
    if (!templatePageActive())
        sGroupBox9->setVisible(s.useServer);
    (s.portrait ? RadioButton1 : RadioButton2)->setChecked(true);
    (s.classesInRow ? RadioButton3 : RadioButton4)->setChecked(true);
    CheckBox1->setChecked(s.roomsFromTemplate);
    CheckBox2->setChecked(s.animateMoves);
    ComboBox1->setCurrentIndex(s.lessonRows - rasp::settings::kMinLessonRows);
    CheckBox3->setChecked(s.secondShift);
    GroupBox3->setEnabled(s.secondShift);
    (s.twoTables ? RadioButton6 : RadioButton5)->setChecked(true);
    m_fillingSettingsPage = false;
}

void TForm1::settingsFromPage()
{
    if (m_fillingSettingsPage)
        return;
    rasp::settings::Settings &s = m_state.settings;
    s.ip = sEdit2->text();
    s.port = sEdit5->text();
    s.login = sEdit3->text();
    s.password = sEdit4->text();
    s.useServer = sCheckBox1->isChecked();
    s.portrait = !RadioButton2->isChecked();
    s.classesInRow = !RadioButton4->isChecked();
    s.roomsFromTemplate = CheckBox1->isChecked();
    s.animateMoves = CheckBox2->isChecked();
    s.lessonRows = ComboBox1->currentText().toInt();
    s.secondShift = CheckBox3->isChecked();
    s.twoTables = RadioButton6->isChecked();
}

void TForm1::SetLoad()
{
    QStringList problems;
    QString error;
    const auto status = rasp::settings::SetLoad(m_state, rasp::settings::SettingsPath(), &problems, &error);
    showSettingsRead(status, problems, error);
}

void TForm1::showSettingsRead(rasp::text::ReadResult::Status status, const QStringList &problems, const QString &error)
{
    settingsToPage();
    refresh(rasp::RefreshDefaultPins);
    shiftInFile = QPoint(m_state.vt_sm_x, m_state.vt_sm_y);
    takeServerAddress();
    if (status == rasp::text::ReadResult::Unreadable)
        Rct_SoobPokaz(error);
    else if (!problems.isEmpty())
        Rct_SoobPokaz(u"Файл setting.ini повреждён: "_s + problems.join(u"; "_s) + u". Взяты значения по умолчанию."_s);
}

void TForm1::SetSave(int s)
{
    settingsFromPage();
    if (!mayReplaceChangedFiles({QDir::current().filePath(rasp::settings::SettingsPath())}, [this] { SetLoad(); }))
        return;
    QString error;
    if (!rasp::settings::SetSave(m_state, rasp::settings::SettingsPath(), &error)) {
        Rct_SoobPokaz(rasp::ui::NotSavedNotice(error));
        return;
    }
    shiftInFile = QPoint(m_state.vt_sm_x, m_state.vt_sm_y);
    takeServerAddress();
    if (s == 1)
        Rct_SoobPokaz(
            u"Данные сохранены?\r\nДля встепления в силу некоторых параметров возможно потребутся перезапустить программу"_s);
}

void TForm1::SpeedButton3Click()
{
    switch (rasp::settings::AddRoom(m_state.settings, sEdit1->text())) {
    case rasp::settings::AddRoomResult::Empty:
        return;
    case rasp::settings::AddRoomResult::Duplicate:
        Rct_SoobPokaz(u"Такой кабинет уже есть"_s);
        return;
    case rasp::settings::AddRoomResult::Invalid:
        Rct_SoobPokaz(u"Название кабинета не может быть «~end~» или содержать «|»"_s);
        return;
    case rasp::settings::AddRoomResult::Added:
        break;
    }
    fillList(sListBox1, m_state.settings.rooms);
    sEdit1->clear();
    sEdit1->setFocus();
    SetSave(0);
}

void TForm1::SpeedButton4Click()
{
    const int row = selectedRow(sListBox1);
    if (row < 0) {
        Rct_SoobPokaz(u"А выбирать кабинет я за Вас буду?\r\nОно мне надо?"_s);
        return;
    }
    m_state.settings.rooms.removeAt(row);
    fillList(sListBox1, m_state.settings.rooms);
    SetSave(0);
}

void TForm1::sSpeedButton2Click()
{
    const int row = selectedRow(ListBox2);
    if (row < 0) {
        Rct_SoobPokaz(u"Выберите предмет"_s);
        return;
    }
    if (rasp::settings::AddBlocked(m_state.settings, ListBox2->item(row)->text())) {
        fillList(ListBox3, m_state.settings.blocked);
        refresh(rasp::RefreshDefaultPins);
        SetSave(0);
    }
    refresh(rasp::RefreshPins);
}

void TForm1::sSpeedButton1Click()
{
    const int row = selectedRow(ListBox3);
    if (row < 0) {
        Rct_SoobPokaz(u"Выберите предмет"_s);
        return;
    }
    m_state.settings.blocked.removeAt(row);
    fillList(ListBox3, m_state.settings.blocked);
    refresh(rasp::RefreshDefaultPins);
    SetSave(0);
    refresh(rasp::RefreshPins);
}

void TForm1::SpeedButton5MouseDown()
{
    sEdit4->setEchoMode(QLineEdit::Normal);
}

void TForm1::SpeedButton5MouseUp()
{
    sEdit4->setEchoMode(QLineEdit::Password);
}

void TForm1::sCheckBox1Change()
{
    if (m_fillingSettingsPage)
        return;
    const bool on = sCheckBox1->isChecked();
    if (!on)
        TCPDis();
    sGroupBox7->setEnabled(on);
    if (!templatePageActive())
        sGroupBox9->setVisible(on);
}

void TForm1::SpeedButton6Click()
{
    SetSave(1);
}
