#include "filelock.h"

#include <QFile>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace fakvo {

FileLock::~FileLock()
{
    Unlock();
}

bool FileLock::Lock(const QString& path, const QByteArray& content)
{
    Unlock();
    const QByteArray nativePath = QFile::encodeName(path);
    const int fd = ::open(nativePath.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    // The content only marks the file as ours; a failure to write it does not void the lock.
    if (::ftruncate(fd, 0) == 0 && ::write(fd, content.constData(), content.size()) >= 0)
        ::fsync(fd);
    m_fd = fd;
    return true;
}

void FileLock::Unlock()
{
    if (m_fd >= 0) {
        // Closing our descriptor releases the lock. No explicit LOCK_UN: a forked child that
        // inherited the descriptor would otherwise release the parent's lock with its own.
        ::close(m_fd);
        m_fd = -1;
    }
}

} // namespace fakvo
