#pragma once

#include "platform/clock.h"
#include "platform/filesystem.h"
#include "platform/randomsource.h"

#include <QMap>

#include <deque>
#include <set>

// Test doubles for the platform services.
namespace qelvo::fakes
{

// An in-memory tree: files and folders added by path; folder listings keep the
// order the files were added in.
class FakeFileSystem final : public FileSystem
{
public:
    void addFile(const QString &path)
    {
        m_files.insert(path);
        const qsizetype slash = path.lastIndexOf('/');
        const QString folder = slash <= 0 ? QStringLiteral("/") : path.left(slash);
        addFolder(folder);
        m_listing[folder].push_back({path.mid(slash + 1), path});
    }
    // A folder and the folders above it; each is listed in its parent once.
    void addFolder(const QString &path)
    {
        if (!m_folders.insert(path).second || path == QLatin1String("/"))
            return;
        const qsizetype slash = path.lastIndexOf('/');
        const QString parent = slash <= 0 ? QStringLiteral("/") : path.left(slash);
        addFolder(parent);
        m_subfolders[parent] << path.mid(slash + 1);
    }
    void removeFile(const QString &path) { m_files.erase(path); }

    bool isNormalFile(const QString &path) const override { return m_files.count(path) > 0; }
    bool folderExists(const QString &path) const override { return m_folders.count(path) > 0; }
    std::vector<FolderFile> listFiles(const QString &folder) const override
    {
        return m_listing.value(folder);
    }
    QStringList listFolders(const QString &folder) const override { return m_subfolders.value(folder); }

private:
    std::set<QString> m_files;
    std::set<QString> m_folders;
    QMap<QString, std::vector<FolderFile>> m_listing;
    QMap<QString, QStringList> m_subfolders;
};

// Hands out scripted draws in order, then repeats the last one.
class ScriptedRandom final : public RandomSource
{
public:
    ScriptedRandom(std::initializer_list<double> draws = {}) : m_draws(draws) {}
    void push(double draw) { m_draws.push_back(draw); }
    double next() override
    {
        if (m_draws.empty())
            return m_last;
        m_last = m_draws.front();
        m_draws.pop_front();
        return m_last;
    }
    [[nodiscard]] std::size_t remaining() const { return m_draws.size(); }

private:
    std::deque<double> m_draws;
    double m_last = 0.0;
};

class FixedClock final : public Clock
{
public:
    explicit FixedClock(QDateTime now) : m_now(std::move(now)) {}
    QDateTime now() const override { return m_now; }
    void set(QDateTime now) { m_now = std::move(now); }
    void advanceSeconds(int s) { m_now = m_now.addSecs(s); }

private:
    QDateTime m_now;
};

} // namespace qelvo::fakes
