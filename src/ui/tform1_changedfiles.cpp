// Saves over files changed by another program: the question before replacing them and the
// offer to open the other program's version instead.
#include "tform1.h"

#include "files/filestamp.h"

using namespace Qt::Literals::StringLiterals;

bool TForm1::mayReplaceChangedFiles(const QStringList &paths, const std::function<void()> &reload)
{
    for (const QString &path : paths) {
        if (!m_state.stamps.changedOnDisk(path))
            continue;
        if (Dial(rasp::files::ChangedOnDiskQuestion(path)) == u"Да"_s)
            continue;
        if (!reload) {
            Rct_SoobPokaz(rasp::files::ChangedKeptNotice(
                path, u"Чтобы открыть версию другой программы, перезапустите редактор."_s));
        } else if (Dial(rasp::files::ReloadChangedQuestion(path)) == u"Да"_s) {
            reload();
        } else {
            Rct_SoobPokaz(rasp::files::ChangedKeptNotice(path));
        }
        return false;
    }
    return true;
}
