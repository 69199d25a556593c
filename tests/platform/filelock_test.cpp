#include "platform/filelock.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

using namespace fakvo;

namespace {
// Tries the lock from a separate process, as another workstation would; returns its success.
bool LockFromOtherProcess(const QString& path)
{
    const pid_t child = fork();
    if (child == 0) {
        FileLock lock;
        _exit(lock.Lock(path, "xx") ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
} // namespace

TEST(FileLock, HeldLockRefusesOtherProcessUntilReleased)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Fakvo.GL"));
    FileLock lock;
    ASSERT_TRUE(lock.Lock(path, "xx"));
    EXPECT_FALSE(LockFromOtherProcess(path));
    lock.Unlock();
    EXPECT_TRUE(LockFromOtherProcess(path));
    EXPECT_TRUE(QFile::exists(path)) << "the lock file stays on disk";
}
