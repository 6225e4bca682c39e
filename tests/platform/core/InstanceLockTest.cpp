#include "platform/core/InstanceLock.h"
#include "support/TestFiles.h"

#include <QFile>
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using sorban::platform::InstanceLock;
using sorban::test::inChild;

namespace {

class InstanceLockTest : public ::testing::Test {
protected:
    // The lock folder goes in a temporary folder of the test's own.
    void SetUp() override
    {
        m_oldTemp = qgetenv("TMPDIR");
        qputenv("TMPDIR", QByteArray::fromStdString(temp.path().string()));
        ASSERT_EQ(InstanceLock::lockFolder().toStdString(), (temp / ("sorban-" + std::to_string(getuid()))).string());
    }
    void TearDown() override
    {
        if (m_oldTemp.isNull())
            qunsetenv("TMPDIR");
        else
            qputenv("TMPDIR", m_oldTemp);
    }

    sorban::test::TempDir temp;
    const QString name = QStringLiteral("sorban-test");

private:
    QByteArray m_oldTemp;
};

} // namespace

TEST_F(InstanceLockTest, aSecondProcessFindsTheLockHeld)
{
    const InstanceLock first(name);
    ASSERT_FALSE(first.heldElsewhere());
    EXPECT_EQ(inChild([&] { return InstanceLock(name).heldElsewhere() ? 7 : 0; }), 7);
}

TEST_F(InstanceLockTest, theLockIsFreeAgainOnceItsOwnerEnded)
{
    {
        const InstanceLock first(name);
    }
    EXPECT_EQ(inChild([&] { return InstanceLock(name).heldElsewhere() ? 7 : 0; }), 0);
}

TEST_F(InstanceLockTest, aLockLeftByACrashedProcessIsTakenOver)
{
    // The child takes the lock and dies without releasing it; its lock file stays behind.
    EXPECT_EQ(inChild([&] {
                  auto* leaked = new InstanceLock(name);
                  return leaked->heldElsewhere() ? 7 : 0;
              }),
              0);
    ASSERT_TRUE(QFile::exists(InstanceLock::lockPath(name)));
    const InstanceLock next(name);
    EXPECT_FALSE(next.heldElsewhere());
}

TEST_F(InstanceLockTest, whateverALeftoverLockFileHoldsOnlyALiveHolderBlocks)
{
    const std::string path = InstanceLock::lockPath(name).toStdString();
    for (const std::string& leftover : {std::string(), std::string("12345\nother-host\nsorban\n"), std::string("\xff\x00garbage", 9)}) {
        sorban::test::writeBytes(path, leftover);
        const InstanceLock lock(name);
        EXPECT_FALSE(lock.heldElsewhere()) << "leftover of " << leftover.size() << " bytes";
    }
}

TEST_F(InstanceLockTest, aFrozenHolderStillHoldsTheLock)
{
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t holder = fork();
    if (holder == 0) {
        const InstanceLock lock(name);
        const char c = lock.heldElsewhere() ? 'n' : 'y';
        if (write(ready[1], &c, 1) != 1)
            _exit(1);
        pause();
        _exit(0);
    }
    char c = 0;
    ASSERT_EQ(read(ready[0], &c, 1), 1);
    ASSERT_EQ(c, 'y');
    kill(holder, SIGSTOP);
    EXPECT_EQ(inChild([&] { return InstanceLock(name).heldElsewhere() ? 7 : 0; }), 7);
    kill(holder, SIGKILL); // a killed holder frees the lock at once
    waitpid(holder, nullptr, 0);
    EXPECT_EQ(inChild([&] { return InstanceLock(name).heldElsewhere() ? 7 : 0; }), 0);
    close(ready[0]);
    close(ready[1]);
}

TEST_F(InstanceLockTest, tenCopiesStartedAtOnceLeaveExactlyOneHolder)
{
    int go[2], result[2];
    ASSERT_EQ(pipe(go), 0);
    ASSERT_EQ(pipe(result), 0);
    std::vector<pid_t> copies;
    for (int i = 0; i < 10; ++i) {
        const pid_t pid = fork();
        if (pid == 0) {
            char c;
            if (read(go[0], &c, 1) != 1) // all start at the same moment
                _exit(1);
            const InstanceLock lock(name);
            const char verdict = lock.heldElsewhere() ? 'n' : 'y';
            if (write(result[1], &verdict, 1) != 1)
                _exit(1);
            pause(); // keep the lock until every copy has tried
            _exit(0);
        }
        copies.push_back(pid);
    }
    const std::string start(10, 'x');
    ASSERT_EQ(write(go[1], start.data(), start.size()), 10);
    int holders = 0, refused = 0;
    for (int i = 0; i < 10; ++i) {
        char verdict = 0;
        ASSERT_EQ(read(result[0], &verdict, 1), 1);
        (verdict == 'y' ? holders : refused)++;
    }
    for (const pid_t pid : copies) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    EXPECT_EQ(holders, 1);
    EXPECT_EQ(refused, 9);
    for (int fd : {go[0], go[1], result[0], result[1]})
        close(fd);
}

TEST_F(InstanceLockTest, aCopyWithoutARuntimeFolderFindsTheLockOfOneStartedFromTheDesktop)
{
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(temp.path().string()));
    const InstanceLock desktop(name);
    ASSERT_FALSE(desktop.heldElsewhere());
    EXPECT_EQ(inChild([&] {
                  unsetenv("XDG_RUNTIME_DIR"); // as after "su -"
                  return InstanceLock(name).heldElsewhere() ? 7 : 0;
              }),
              7);
    if (runtime.isNull())
        qunsetenv("XDG_RUNTIME_DIR");
    else
        qputenv("XDG_RUNTIME_DIR", runtime);
}

TEST_F(InstanceLockTest, aLockFolderOthersMayEnterOrALinkInItsPlaceIsNotUsed)
{
    const std::string folder = InstanceLock::lockFolder().toStdString();
    ASSERT_EQ(mkdir(folder.c_str(), 0777), 0);
    chmod(folder.c_str(), 0777);
    EXPECT_FALSE(InstanceLock(name).heldElsewhere());
    EXPECT_FALSE(QFile::exists(InstanceLock::lockPath(name))) << "no lock file in a folder others may enter";
    rmdir(folder.c_str());
    const sorban::test::TempDir elsewhere;
    chmod(elsewhere.path().c_str(), 0700);
    ASSERT_EQ(symlink(elsewhere.path().c_str(), folder.c_str()), 0);
    EXPECT_FALSE(InstanceLock(name).heldElsewhere());
    EXPECT_FALSE(std::filesystem::exists(elsewhere / (name.toStdString() + ".lock"))) << "nothing made through a planted link";
    unlink(folder.c_str());
    const InstanceLock made(name);
    struct stat info {};
    ASSERT_EQ(lstat(folder.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700U);
    EXPECT_TRUE(QFile::exists(InstanceLock::lockPath(name)));
}
