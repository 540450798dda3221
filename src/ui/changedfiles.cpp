#include "changedfiles.h"

#include "files/filestamp.h"
#include "tform1.h"

using namespace Qt::Literals::StringLiterals;

namespace rasp::ui {

bool MayReplaceChangedFiles(TForm1 &form, const QStringList &paths, const std::function<void()> &reload)
{
    for (const QString &path : paths) {
        if (!files::SessionStamps().changedOnDisk(path))
            continue;
        if (form.Dial(files::ChangedOnDiskQuestion(path)) == u"Да"_s)
            continue;
        if (!reload)
            form.Rct_SoobPokaz(files::ChangedKeptNotice(path, u"Чтобы открыть версию другой программы, перезапустите редактор."_s));
        else if (form.Dial(files::ReloadChangedQuestion(path)) == u"Да"_s)
            reload();
        else
            form.Rct_SoobPokaz(files::ChangedKeptNotice(path));
        return false;
    }
    return true;
}

} // namespace rasp::ui
