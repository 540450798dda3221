#include "pdffile.h"

#include "sheetpainter.h"

#include "files/atomicfile.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QPdfWriter>

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
    // The document is painted into memory and written through the one checked writer, so a full
    // disk is reported with its reason and the old file stays whole.
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
    if (painted == 0)
        return fail(u"не удалось нарисовать страницы"_s);
    if (!files::WriteWhole(path, buffer.data(), error))
        return false;
    if (pages)
        *pages = painted;
    return true;
}

} // namespace rasp::print
