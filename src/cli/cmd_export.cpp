// raspisanie-cli export: reads the saved day of a date as the editor opens it and writes it to
// raspisanie/DD.MM.YYYY.xlsx or .docx with the print options of the settings file.
#include "clicommands.h"
#include "docxfile.h"
#include "reports/exportlayout.h"
#include "school.h"
#include "state.h"
#include "xlsxfile.h"

#include <QDir>

using namespace Qt::Literals::StringLiterals;

namespace rasp::cli {

CommandHelp ExportHelp()
{
    return {u"export"_s, u"ДД.ММ.ГГГГ --xlsx|--docx"_s,
            u"сохраняет расписание дня в папку raspisanie с настройками печати и печатает путь к файлу"_s,
            u"путь к записанному файлу raspisanie/ДД.ММ.ГГГГ.xlsx или .docx"_s,
            u"нет файла нагрузки или дня на эту дату, либо файл не записывается"_s, u"09.12.2026 --xlsx"_s};
}

int RunExport(const QStringList &args)
{
    const QString usage = u"Укажите дату и вид файла: export ДД.ММ.ГГГГ --xlsx|--docx"_s;
    CommandLine line(ExportHelp());
    line.addArgument(u"ДД.ММ.ГГГГ"_s, u"дата сохраненного дня"_s);
    line.addOption(QCommandLineOption(u"xlsx"_s, u"книга .xlsx"_s));
    line.addOption(QCommandLineOption(u"docx"_s, u"документ .docx"_s));
    if (const auto stop = line.parse(args, 1, 1, usage))
        return *stop;
    const bool xlsx = line.isSet(u"xlsx"_s);
    if (xlsx == line.isSet(u"docx"_s))
        return line.usageError(usage);
    QDate date;
    if (!DateArgument(line.positional().first(), &date))
        return line.usageHint();
    State state;
    if (!OpenDay(state, date))
        return kExitFailed;
    QString error;
    const QString out = QDir::current().filePath(reports::DayExportPath(date, xlsx ? u"xlsx"_s : u"docx"_s));
    const bool written = xlsx ? exporter::WriteXlsx(reports::DaySheet(state, date), out, &error)
                              : exporter::WriteDocx(reports::DayDocument(state, date), out, &error);
    if (!written) {
        WriteErr(error);
        return kExitFailed;
    }
    WriteOut((QDir::toNativeSeparators(out) + u'\n').toUtf8());
    return kExitOk;
}

} // namespace rasp::cli
