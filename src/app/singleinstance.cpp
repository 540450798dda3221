#include "singleinstance.h"

#include "appversion.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>
#include <QVBoxLayout>

#include <cstdio>

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

namespace {

// The small window of a start that goes no further: the text and one button.
void showStartBox(const QString &message, QSize size)
{
    QWidget box;
    box.setWindowTitle(u"Редактор расписания "_s + rasp::AppVersion());
    box.setFont(QFont(u"Calibri"_s, 12));
    auto *layout = new QVBoxLayout(&box);
    auto *text = new QLabel(message, &box);
    text->setTextFormat(Qt::PlainText);
    text->setWordWrap(true);
    text->setAlignment(Qt::AlignCenter);
    layout->addWidget(text);
    auto *ok = new QPushButton(u"Замечательно"_s, &box);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    QObject::connect(ok, &QPushButton::clicked, &box, &QWidget::close);
    box.setFixedSize(size);
    box.show();
    QTimer::singleShot(5000, &box, &QWidget::close);
    QApplication::exec();
}

} // namespace

int showAlreadyRunning()
{
    showStartBox(u"Программа уже запущена"_s, QSize(300, 110));
    return 0;
}

int showStartRefusal(const QString &text, int code)
{
    const QByteArray line = (text + u'\n').toUtf8();
    std::fwrite(line.constData(), 1, std::size_t(line.size()), stderr);
    std::fflush(stderr);
    showStartBox(text, QSize(440, 170));
    return code;
}
