#include "school.h"

#include "settings/settings.h"
#include "state.h"

#include <QDir>

#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace rasp::cli {

bool OpenSchool(State &state, load::NagruzReport &report)
{
    FillPalette(state);
    // The settings come first: their lesson-row count shapes the grid, as in the editor.
    QStringList problems;
    QString settingsError;
    if (settings::SetLoad(state, settings::SettingsPath(), &problems, &settingsError) == text::ReadResult::Unreadable)
        WriteErr(u"Предупреждение: "_s + settingsError);
    for (const QString &problem : problems)
        WriteErr(u"Предупреждение: setting.ini: "_s + problem);
    BuildPlaceholders(state);
    report = load::NagruzLoad(state, 1);
    switch (report.status) {
    case text::ReadResult::Ok:
        return true;
    case text::ReadResult::NoFile:
        WriteErr(u"Файл нагрузки не найден: %1"_s.arg(QDir::toNativeSeparators(load::NagruzPath())));
        return false;
    case text::ReadResult::Unreadable:
        WriteErr(report.error);
        return false;
    }
    return false;
}

void WriteOut(const QByteArray &utf8)
{
    std::fwrite(utf8.constData(), 1, std::size_t(utf8.size()), stdout);
    std::fflush(stdout);
}

void WriteErr(const QString &line)
{
    const QByteArray bytes = (line + u'\n').toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stderr);
}

} // namespace rasp::cli
