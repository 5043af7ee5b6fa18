#pragma once

#include <QString>

#include <memory>

class QLockFile;

namespace qelvo
{

// A per-user lock held for the life of the process. A lock left behind by a
// process that no longer runs does not block the next start.
class SingleInstance
{
public:
    // An empty lockPath takes no lock and counts as acquired.
    explicit SingleInstance(const QString &lockPath = defaultLockPath());
    ~SingleInstance();

    // True when this process is the only running instance.
    [[nodiscard]] bool acquired() const { return m_acquired; }
    // Lets the next start run, before this process has quite ended.
    void release();

    // qelvo-<uid>.lock in $XDG_RUNTIME_DIR, else in a folder only this user
    // can write, $XDG_CACHE_HOME/qelvo or ~/.cache/qelvo (made with mode 0700);
    // empty when there is no such place.
    [[nodiscard]] static QString defaultLockPath();

private:
    std::unique_ptr<QLockFile> m_lock;
    bool m_acquired = false;
};

} // namespace qelvo
