#pragma once

#include <QLockFile>
#include <memory>

// The guard that lets only one editor run per user: a lock file in the user's runtime folder,
// held for the life of the first instance. The operating system drops the lock when that
// process ends, so a crashed instance never blocks the next start.
class SingleInstance
{
public:
    SingleInstance();
    // True when this process is the first instance and now holds the guard.
    bool acquire();

private:
    std::unique_ptr<QLockFile> m_lock;
};

// Shows "Программа уже запущена" in a small window of its own until acknowledged (or for 5 s).
int showAlreadyRunning();

// Shows why the editor does not start, in a small window of its own until acknowledged (or for
// 5 s), after writing it to stderr; returns `code`.
int showStartRefusal(const QString &text, int code);
