// Reports: the day or the template exported to a workbook (.xlsx) or a document (.docx), and
// the folder action that opens where those files go.
#include "tform1.h"

#include "print/printcontroller.h"

#include "docxfile.h"
#include "reports/exportlayout.h"
#include "text/datewords.h"
#include "xlsxfile.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QLabel>
#include <QToolButton>
#include <QUrl>

using namespace Qt::Literals::StringLiterals;

void TForm1::wireExport()
{
    shellOpen = [](const QString &path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); };
    connect(img_SB2, &QToolButton::clicked, this, &TForm1::SpeedButton2Click);
    connect(img_SB12, &QToolButton::clicked, this, &TForm1::sSpeedButton12Click);
    connect(img_SB1, &QToolButton::clicked, this, &TForm1::SpeedButton1Click);
}

void TForm1::exportFile(const QString &rel, const std::function<bool(const QString &, QString *)> &write)
{
    FormEnable(false);
    Img_zdite->move((width() - Img_zdite->width()) / 2, (height() - Img_zdite->height()) / 2);
    Img_zdite->raise();
    Img_zdite->show();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); // let the wait picture paint
    const QString path = QDir::current().filePath(rel);
    QString error;
    const bool written = write(path, &error);
    Img_zdite->hide();
    FormEnable(!reportOpen); // an open report page keeps the pages disabled
    if (!written) {
        Rct_SoobPokaz(error);
        return;
    }
    m_print->openResult(path);
}

void TForm1::SpeedButton2Click()
{
    if (dayPageActive()) {
        const QDate d = sDateTimePicker3->date();
        if (Dial(u"Сохранить расписание на "_s + rasp::text::day2(d) + u" в файл Excel?\r\nРанее сохраненный файл будет удален."_s)
            != u"Да"_s)
            return;
        exportFile(rasp::reports::DayExportPath(d, u"xlsx"_s), [&](const QString &path, QString *error) {
            return rasp::exporter::WriteXlsx(rasp::reports::DaySheet(m_state, d), path, error);
        });
    } else if (templatePageActive()) {
        exportFile(rasp::reports::SetkaExportPath(u"xlsx"_s), [&](const QString &path, QString *error) {
            return rasp::exporter::WriteXlsx(rasp::reports::SetkaSheet(m_state), path, error);
        });
    }
}

void TForm1::sSpeedButton12Click()
{
    if (dayPageActive()) {
        const QDate d = sDateTimePicker3->date();
        if (Dial(u"Сохранить расписание на "_s + rasp::text::day2(d) + u" в файл Word?\r\nРанее сохраненный файл будет удален."_s)
            != u"Да"_s)
            return;
        exportFile(rasp::reports::DayExportPath(d, u"docx"_s), [&](const QString &path, QString *error) {
            return rasp::exporter::WriteDocx(rasp::reports::DayDocument(m_state, d), path, error);
        });
    } else if (templatePageActive()) {
        exportFile(rasp::reports::SetkaExportPath(u"docx"_s), [&](const QString &path, QString *error) {
            return rasp::exporter::WriteDocx(rasp::reports::SetkaDocument(m_state), path, error);
        });
    }
}

void TForm1::SpeedButton1Click()
{
    QString folder;
    if (dayPageActive())
        folder = u"raspisanie"_s;
    else if (templatePageActive())
        folder = u"setka"_s;
    else
        return;
    const QString path = QDir::current().filePath(folder);
    QDir().mkpath(path); // the folder may have been removed while the editor ran
    if (!shellOpen(path))
        Rct_SoobPokaz(u"Не удалось открыть папку:\r\n"_s + QDir::toNativeSeparators(path));
}
