#include "template/classrenames.h"

#include "absences/companion.h"
#include "state.h"
#include "template/classorder.h"

#include <QHash>
#include <QSet>

using namespace Qt::Literals::StringLiterals;

namespace rasp::tmpl {

std::vector<ClassRename> ClassRenames(const State &state)
{
    std::vector<ClassRename> out;
    for (int j = 1; j <= state.klassvis && j < int(state.Klass.size()) && j < int(state.KlassRead.size()); ++j) {
        const QString &was = state.KlassRead[std::size_t(j)];
        const QString &now = state.Klass[std::size_t(j)];
        if (!was.isEmpty() && !now.isEmpty() && was != now)
            out.emplace_back(was, now);
    }
    return out;
}

namespace {

// Renames the names of one recorded class list; false when nothing changed.
bool renameList(QStringList &names, const QHash<QString, QString> &renames)
{
    // A new name already standing for a class that is not renamed away would make two columns
    // of one name: that rename is left out for this list.
    const QSet<QString> present(names.cbegin(), names.cend());
    bool changed = false;
    for (QString &name : names) {
        const auto it = renames.constFind(name);
        if (it == renames.cend())
            continue;
        if (present.contains(*it) && !renames.contains(*it))
            continue;
        name = *it;
        changed = true;
    }
    return changed;
}

} // namespace

QStringList ApplyClassRenames(const QDir &work, const std::vector<ClassRename> &renames)
{
    QStringList failures;
    if (renames.empty())
        return failures;
    QHash<QString, QString> byOld;
    for (const auto &[was, now] : renames)
        byOld.insert(was, now);
    for (const QString &folder : {u"setka"_s, u"r_data"_s}) {
        const QDir dir(work.filePath(folder));
        for (const QString &file : dir.entryList({u"*.zam"_s}, QDir::Files, QDir::Name)) {
            const QString path = dir.filePath(file);
            absences::ReadOutcome read = absences::ReadCompanion(path);
            if (read.status == text::ReadResult::Unreadable) {
                failures << read.error;
                continue;
            }
            bool changed = false;
            for (absences::OtherSection &s : read.companion.others)
                if (s.name == kClassesSection)
                    changed = renameList(s.lines, byOld) || changed;
            QString error;
            if (changed && !absences::WriteCompanion(path, read.companion, &error))
                failures << error;
        }
    }
    return failures;
}

} // namespace rasp::tmpl
