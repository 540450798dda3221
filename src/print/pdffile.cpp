#include "pdffile.h"

#include "sheetpainter.h"

#include <QDir>
#include <QFileInfo>
#include <QPdfWriter>
#include <QSaveFile>

using namespace Qt::Literals::StringLiterals;

namespace rasp::print {

bool WritePdf(const sheets::PrintDocument &document, const QString &path, QString *error, int *pages)
{
    const auto fail = [&](const QString &why) {
        if (error)
            *error = u"Не удалось записать файл %1: %2"_s.arg(QDir::toNativeSeparators(path), why);
        return false;
    };
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return fail(u"нет папки"_s);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    int painted = 0;
    {
        QPdfWriter writer(&file);
        writer.setResolution(300);
        writer.setTitle(document.title);
        writer.setCreator(u"Raspisanie"_s);
        painted = PaintDocument(writer, document);
    }
    if (painted == 0) {
        file.cancelWriting();
        return fail(u"не удалось нарисовать страницы"_s);
    }
    if (!file.flush() || file.error() != QFileDevice::NoError || !file.commit())
        return fail(file.errorString());
    if (pages)
        *pages = painted;
    return true;
}

} // namespace rasp::print
