#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

namespace rasp::exporter {

// Serialises the exports into one folder and clears what interrupted exports left there: while
// an ExportFolder is held no other export into that folder (from the editor or the command line)
// is writing, so every temporary file of the writers' patterns found in it is a leftover.
class ExportFolder
{
public:
    // Takes the folder's export lock (waiting a few seconds for another export) and removes the
    // leftovers. Without the lock the export still goes ahead and nothing is removed.
    explicit ExportFolder(const QString &folder);

    // Whether a file name is a temporary file of the writers: ".~XXXXXX.xlsx" of the workbook
    // writer, "NAME.docx.XXXXXX" of the document writer's zip library.
    static bool IsExportTemporary(const QString &fileName);

private:
    std::unique_ptr<QLockFile> m_lock;
};

// The mode a file written at `target` gets, as the zip library gives a document: the existing
// target's permission bits, or 0666 for a new file, less the process's umask.
unsigned NewFileMode(const QString &target);

} // namespace rasp::exporter
