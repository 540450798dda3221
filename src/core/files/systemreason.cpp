#include "systemreason.h"

#include <QDir>

#include <cerrno>

using namespace Qt::Literals::StringLiterals;

namespace rasp::files {

QString WriteReason(int errorCode)
{
    switch (errorCode) {
    case ENOSPC:
        return u"нет места на диске"_s;
    case EDQUOT:
        return u"исчерпана квота на диске"_s;
    case EFBIG:
        return u"файл слишком большой для этого диска"_s;
    case EROFS:
        return u"диск доступен только для чтения"_s;
    case EACCES:
    case EPERM:
        return u"нет прав на запись"_s;
    case EIO:
        return u"ошибка записи на диск"_s;
    case ENOENT:
        return u"папка не найдена"_s;
    case ENOTDIR:
        return u"в пути вместо папки стоит файл"_s;
    case EISDIR:
        return u"на месте файла стоит папка"_s;
    case ENAMETOOLONG:
        return u"слишком длинный путь"_s;
    case ELOOP:
        return u"ссылки на файл замкнуты в кольцо"_s;
    case EBUSY:
    case ETXTBSY:
        return u"файл занят другой программой"_s;
    case EXDEV:
        return u"файл на другом диске"_s;
    case EMFILE:
    case ENFILE:
        return u"открыто слишком много файлов"_s;
    case ENOMEM:
        return u"не хватает памяти"_s;
    case ENXIO:
    case ENODEV:
    case ESTALE:
        return u"диск или сетевая папка недоступны"_s;
    default:
        return u"ошибка системы (код %1)"_s.arg(errorCode);
    }
}

QString NotWritten(const QString &path, const QString &reason)
{
    return u"Не удалось записать файл %1: %2"_s.arg(QDir::toNativeSeparators(path), reason);
}

QString ReasonOfNotWritten(const QString &message, const QString &path)
{
    const QString start = NotWritten(path, QString());
    return message.startsWith(start) ? message.mid(start.size()) : message;
}

} // namespace rasp::files
