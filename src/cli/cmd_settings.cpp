// raspisanie-cli settings: prints setting.ini as the editor reads it.
#include "clicommands.h"
#include "school.h"
#include "settings/settings.h"
#include "state.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::Literals::StringLiterals;

namespace rasp::cli {

CommandHelp SettingsHelp()
{
    return {u"settings"_s, QString(), u"настройки из setting.ini так, как их читает редактор (JSON)"_s,
            u"JSON: кабинеты, сервер (пароль только как passwordSet), печать, число уроков, вторая смена, "
            "problems (что в файле не так); предупреждения идут в stderr"_s,
            u"setting.ini не читается"_s, QString()};
}

int RunSettings(const QStringList &args)
{
    CommandLine line(SettingsHelp());
    if (const auto stop = line.parse(args, 0, 0))
        return *stop;
    State state;
    QStringList problems;
    QString error;
    const QString path = settings::SettingsPath();
    if (settings::SetLoad(state, path, &problems, &error) == text::ReadResult::Unreadable) {
        WriteErr(error);
        return kExitFailed;
    }
    const settings::Settings &s = state.settings;
    // The password is never printed: only whether one is set.
    const QJsonObject o{
        {u"file"_s, QFileInfo::exists(path)},
        {u"rooms"_s, QJsonArray::fromStringList(s.rooms)},
        {u"blocked"_s, QJsonArray::fromStringList(s.blocked)},
        {u"ip"_s, s.ip},
        {u"port"_s, s.port},
        {u"serverPort"_s, settings::ServerPort(s)},
        {u"login"_s, s.login},
        {u"passwordSet"_s, !s.password.isEmpty()},
        {u"useServer"_s, s.useServer},
        {u"wordOrientation"_s, s.portrait ? u"portrait"_s : u"landscape"_s},
        {u"classNames"_s, s.classesInRow ? u"row"_s : u"column"_s},
        {u"roomsFromTemplate"_s, s.roomsFromTemplate},
        {u"animateMoves"_s, s.animateMoves},
        {u"lessonRows"_s, s.lessonRows},
        {u"max_ur"_s, state.max_ur},
        {u"vt_sm_y"_s, state.vt_sm_y},
        {u"vt_sm_x"_s, state.vt_sm_x},
        {u"secondShift"_s, s.secondShift},
        {u"secondShiftTables"_s, s.twoTables ? u"two"_s : u"one"_s},
        {u"problems"_s, QJsonArray::fromStringList(problems)},
    };
    for (const QString &problem : problems)
        WriteErr(u"Предупреждение: setting.ini: "_s + problem);
    WriteOut(QJsonDocument(o).toJson(QJsonDocument::Indented));
    return kExitOk;
}

} // namespace rasp::cli
