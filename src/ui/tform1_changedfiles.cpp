// Saves over files changed by another program: the question before replacing them and the
// offer to open the other program's version instead.
#include "tform1.h"
#include "shell/shelltexts.h"

#include "files/filestamp.h"

using namespace Qt::Literals::StringLiterals;

bool TForm1::mayReplaceChangedFiles(const QStringList &paths, const std::function<void()> &reload)
{
    for (const QString &path : paths) {
        if (!m_state.stamps.changedOnDisk(path))
            continue;
        if (Dial(rasp::files::ChangedOnDiskQuestion(path)) == rasp::ui::shelltexts::kYes)
            continue;
        if (!reload) {
            Rct_SoobPokaz(rasp::files::ChangedKeptNotice(
                path, rasp::ui::shelltexts::kRestartToOpen.toString()));
        } else if (Dial(rasp::files::ReloadChangedQuestion(path)) == rasp::ui::shelltexts::kYes) {
            reload();
        } else {
            Rct_SoobPokaz(rasp::files::ChangedKeptNotice(path));
        }
        return false;
    }
    return true;
}
