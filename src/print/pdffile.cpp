#include "pdffile.h"

#include "sheetpainter.h"

#include "files/atomicfile.h"

#include <QDir>
#include <QFileInfo>
#include <QPdfWriter>
#include <QBuffer>

using namespace Qt::Literals::StringLiterals;

namespace rasp::print {

bool WritePdf(const sheets::PrintDocument &document, const QString &path, QString *error, int *pages)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        if (error)
            *error = u"Не удалось записать файл %1: нет папки"_s.arg(QDir::toNativeSeparators(path));
        return false;
    }
    // The pages are drawn into memory and written through the one checked writer, so a full disk
    // is reported with its reason and an earlier PDF stays whole.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    int painted = 0;
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(300);
        writer.setTitle(document.title);
        writer.setCreator(u"Raspisanie"_s);
        painted = PaintDocument(writer, document);
    }
    if (painted == 0) {
        if (error)
            *error = u"Не удалось записать файл %1: страницы не нарисованы"_s.arg(QDir::toNativeSeparators(path));
        return false;
    }
    if (!files::WriteWhole(path, buffer.data(), error))
        return false;
    if (pages)
        *pages = painted;
    return true;
}

} // namespace rasp::print
