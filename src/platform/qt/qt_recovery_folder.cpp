#include "platform/qt/qt_recovery_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QLockFile>
#include <QStandardPaths>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "platform/qt/atomic_file.h"
#include "platform/qt/qt_text.h"

QtRecoveryFolder::QtRecoveryFolder(QString folder) : m_folder(folder.isEmpty() ? userFolder() : std::move(folder))
{
    m_worker = std::thread([this] { run(); });
}

QtRecoveryFolder::~QtRecoveryFolder()
{
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    m_worker.join();
}

QString QtRecoveryFolder::userFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/recovery";
}

int QtRecoveryFolder::processId() const
{
    return static_cast<int>(QCoreApplication::applicationPid());
}

std::string QtRecoveryFolder::hostPath(const std::string& name) const
{
    return hostPathFromQ(m_folder) + "/" + name;
}

bool QtRecoveryFolder::makeFolder() const
{
    // Copies may hold what the user typed: only the user reads them.
    if (!QDir().mkpath(m_folder))
        return false;
    QFile::setPermissions(m_folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return true;
}

bool QtRecoveryFolder::claim(const std::string& name)
{
    if (m_claims.count(name))
        return true;
    if (!makeFolder())
        return false;
    auto lock = std::make_unique<QLockFile>(m_folder + "/" + toQ(name) + ".lock");
    // Held for as long as the process runs; found stale only once its owner has ended.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return false;
    m_claims[name] = std::move(lock);
    return true;
}

void QtRecoveryFolder::release(const std::string& name)
{
    m_claims.erase(name);
}

std::vector<std::string> QtRecoveryFolder::list() const
{
    std::vector<std::string> out;
    for (const QString& name : QDir(m_folder).entryList(QDir::Files, QDir::Name))
        out.push_back(hostPathFromQ(name));
    return out;
}

std::optional<std::string> QtRecoveryFolder::read(const std::string& name) const
{
    std::ifstream in(hostPath(name), std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        return std::nullopt;
    return bytes;
}

void QtRecoveryFolder::write(const std::string& name, std::function<std::string()> bytes)
{
    {
        std::lock_guard lock(m_mutex);
        // A newer copy replaces one still waiting, so a slow disk never builds a queue of them.
        if (!m_jobs.empty() && m_jobs.back().name == name && m_jobs.back().bytes)
            m_jobs.back().bytes = std::move(bytes);
        else
            m_jobs.push_back({name, std::move(bytes)});
    }
    m_wake.notify_one();
}

void QtRecoveryFolder::remove(const std::string& name)
{
    {
        std::lock_guard lock(m_mutex);
        m_jobs.push_back({name, nullptr});
    }
    m_wake.notify_one();
}

void QtRecoveryFolder::flush()
{
    std::unique_lock lock(m_mutex);
    m_idle.wait(lock, [this] { return m_jobs.empty() && !m_busy; });
}

void QtRecoveryFolder::run()
{
    std::unique_lock lock(m_mutex);
    while (true) {
        m_wake.wait(lock, [this] { return m_stop || !m_jobs.empty(); });
        if (m_jobs.empty()) {
            m_idle.notify_all();
            return;
        }
        Job job = std::move(m_jobs.front());
        m_jobs.pop_front();
        m_busy = true;
        lock.unlock();
        const std::string path = hostPath(job.name);
        if (!job.bytes) {
            std::remove(path.c_str());
        } else if (makeFolder()) {
            const std::string bytes = job.bytes();
            AtomicFile out(path);
            if (out.open() && out.write(bytes.data(), bytes.size()))
                out.commit();
        }
        lock.lock();
        m_busy = false;
        if (m_jobs.empty())
            m_idle.notify_all();
    }
}
