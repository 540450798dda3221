#include "singleinstance.h"

#include "appversion.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

SingleInstance::SingleInstance()
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    m_lock = std::make_unique<QLockFile>(dir + u"/raspisanie.lock"_s);
    m_lock->setStaleLockTime(0);
}

bool SingleInstance::acquire()
{
    return m_lock->tryLock(10);
}

int showAlreadyRunning()
{
    QWidget box;
    box.setWindowTitle(u"Редактор расписания "_s + rasp::AppVersion());
    box.setFont(QFont(u"Calibri"_s, 12));
    auto *layout = new QVBoxLayout(&box);
    auto *text = new QLabel(u"Программа уже запущена"_s, &box);
    text->setAlignment(Qt::AlignCenter);
    layout->addWidget(text);
    auto *ok = new QPushButton(u"Замечательно"_s, &box);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    QObject::connect(ok, &QPushButton::clicked, &box, &QWidget::close);
    box.setFixedSize(300, 110);
    box.show();
    QTimer::singleShot(5000, &box, &QWidget::close);
    QApplication::exec();
    return 0;
}
