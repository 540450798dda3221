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

int RunExport(const QStringList &args)
{
    const QString usage = u"Укажите дату и вид файла: export ДД.ММ.ГГГГ --xlsx|--docx"_s;
    if (args.size() != 2 || (args.at(1) != u"--xlsx"_s && args.at(1) != u"--docx"_s)) {
        WriteErr(usage);
        return kExitUsage;
    }
    QDate date;
    if (!DateArgument(args.first(), &date))
        return kExitUsage;
    State state;
    if (!OpenDay(state, date))
        return kExitFailed;
    QString error;
    const bool xlsx = args.at(1) == u"--xlsx"_s;
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
