#include "InstanceLock.h"
#include "TestFiles.h"

#include <QFile>
#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/wait.h>
#include <unistd.h>

using sorban::platform::InstanceLock;

namespace {

class InstanceLockTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_oldRuntime = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(runtime.path().string()));
        chmod(runtime.path().c_str(), 0700);
    }
    void TearDown() override { qputenv("XDG_RUNTIME_DIR", m_oldRuntime); }

    // Runs `body` in a child process and returns its exit status.
    template <typename Body>
    static int inChild(Body body)
    {
        const pid_t pid = fork();
        if (pid == 0)
            _exit(body());
        int status = 0;
        waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    sorban::test::TempDir runtime;
    const QString name = QStringLiteral("sorban-test");

private:
    QByteArray m_oldRuntime;
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
    { const InstanceLock first(name); }
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
