#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

namespace rasp::files {

// Who holds a work folder's editor lock.
struct LockHolder {
    QString user;
    QString host;
    qint64 pid = 0;
    QDateTime since; // when the editor took the folder
};

// How often the holder refreshes the lock, and how old an unrefreshed lock must be to count as
// abandoned (its editor's machine went down or lost the folder).
inline constexpr int kLockRefreshSeconds = 60;
inline constexpr int kLockStaleSeconds = 600;

// The editor's lock inside a work folder ("raspisanie.lock"), so two editors, from two user
// sessions or two machines sharing the folder, never edit one school side by side. The file
// names its holder (user, machine, process, since when); the holder refreshes its time every
// minute. A lock whose process is gone on this machine, or that was not refreshed for ten
// minutes, is abandoned and taken over. The command line reads it (ActiveHolder) to refuse
// writing while an editor works.
class FolderLock
{
public:
    explicit FolderLock(const QString &folder);
    // Releases the lock if this object holds it.
    ~FolderLock();
    FolderLock(const FolderLock &) = delete;
    FolderLock &operator=(const FolderLock &) = delete;

    enum class Outcome { Taken,
                         HeldByOther,
                         Failed };
    // Takes the lock for this process, taking over an abandoned one. HeldByOther leaves the
    // holder in holder(); Failed (a folder that refuses the file) leaves the reason in error().
    Outcome take();
    // Marks the lock as alive (its file's time); false when it is no longer this process's
    // (removed, or taken over after this machine slept past the stale time).
    bool refresh();
    // Removes the lock if this process holds it.
    void release();

    const LockHolder &holder() const { return m_holder; }
    const QString &error() const { return m_error; }
    bool held() const { return m_held; }

    // The lock file of a folder.
    static QString LockPath(const QString &folder);
    // The editor holding `folder` now, if any: a lock that is neither missing nor abandoned.
    static std::optional<LockHolder> ActiveHolder(const QString &folder);

private:
    QString m_path;
    QString m_token; // this process's mark in the file, telling its own lock from another's
    LockHolder m_holder;
    QString m_error;
    bool m_held = false;
};

// The holder in words: "пользователь ivan на компьютере pc1 (с 10.12.2026 09:15)".
QString HolderText(const LockHolder &holder);

// The refusal of a command that would write a school file while an editor holds the folder.
QString FolderBusyText(const LockHolder &holder);

} // namespace rasp::files
