#pragma once
// An exclusive, non-blocking lock on a file that other processes (and other workstations on
// a shared folder) respect. The lock is held while the object lives or until Unlock().

#include <QString>

namespace fakvo {

class FileLock
{
public:
    FileLock() = default;
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Creates the file when missing, writes `content` into it and takes the lock. Fails at
    // once, without waiting, when another process holds it.
    bool Lock(const QString& path, const QByteArray& content);
    void Unlock();
    bool IsLocked() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

} // namespace fakvo
