#include "app/SingleInstance.h"
#include "app/InstalledProgram.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QSysInfo>
#include <QTest>
#include <gtest/gtest.h>

// Before the fixture of the same name is declared.
static QString DeltaProLockPath(const QString& folder) {
    return SingleInstance(folder, QStringLiteral("Delta-Pro DIVEDADE")).lockPath();
}

namespace {

// Starts of the real program, each with a private home and temp folder.
class SingleInstance : public ::testing::Test {
protected:
    ~SingleInstance() override {
        for (QProcess* p : {&m_first, &m_second, &m_beside}) {
            p->kill();
            p->waitForFinished();
        }
    }

    QString lockPath() const { return DeltaProLockPath(m_program.runtimeFolder()); }

    void start(QProcess& p) {
        m_program.start(p);
        ASSERT_TRUE(p.waitForStarted());
    }

    // The first instance owns the lock once its window is up.
    bool ownsLock(const QProcess& p) const {
        return QTest::qWaitFor(
            [&] {
                QLockFile lock(lockPath());
                qint64 pid = 0;
                QString host, app;
                return lock.getLockInfo(&pid, &host, &app) && pid == p.processId() &&
                       !m_program.logText().isEmpty();
            },
            10000);
    }

    void expectStartDespiteLeftover() {
        start(m_first);
        EXPECT_TRUE(ownsLock(m_first));
        EXPECT_EQ(m_first.state(), QProcess::Running) << m_first.readAllStandardError().data();
    }

    InstalledProgram m_program;
    QProcess m_first;
    QProcess m_second;
    QProcess m_beside; // a start of another user or installation
};

TEST_F(SingleInstance, SecondStartBringsTheFirstWindowToTheFrontAndEnds) {
    start(m_first);
    ASSERT_TRUE(ownsLock(m_first));

    start(m_second);
    ASSERT_TRUE(m_second.waitForFinished(10000));
    EXPECT_EQ(m_second.exitCode(), 0);
    EXPECT_TRUE(m_second.readAllStandardError().contains("already running"));
    EXPECT_EQ(m_first.state(), QProcess::Running);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return m_program.logText().contains(QStringLiteral("Zweiter Programmstart")); },
        10000));
}

// The window of a start is up when it has written its log.
bool Started(const InstalledProgram& program, const QProcess& process) {
    return QTest::qWaitFor([&] { return !program.logText().isEmpty(); }, 10000) &&
           process.state() == QProcess::Running;
}

TEST_F(SingleInstance, UsersSharingTheTemporaryFolderEachRunTheirOwn) {
    start(m_first);
    ASSERT_TRUE(ownsLock(m_first));

    // Another user on the same machine: the same temporary folder, a home of their own, and a
    // session that sets no runtime folder.
    InstalledProgram otherUser;
    otherUser.environment().insert(QStringLiteral("TMPDIR"), m_program.home());
    otherUser.environment().remove(QStringLiteral("XDG_RUNTIME_DIR"));
    otherUser.start(m_beside);
    ASSERT_TRUE(m_beside.waitForStarted());
    EXPECT_TRUE(Started(otherUser, m_beside)) << m_beside.readAllStandardError().data();
    EXPECT_EQ(m_first.state(), QProcess::Running);
    EXPECT_FALSE(m_program.logText().contains(QStringLiteral("Zweiter Programmstart")));
    EXPECT_EQ(QDir(otherUser.home() + QStringLiteral("/.cache/tavelin-transfer"))
                  .entryList({QStringLiteral("*.lock")}, QDir::Files)
                  .size(),
              1);
}

TEST_F(SingleInstance, AnotherModelRunsBesideAndEachFindsItsOwnWindow) {
    start(m_first);
    ASSERT_TRUE(ownsLock(m_first));
    InstalledProgram aster(QStringLiteral("AS3"));
    aster.shareHomeWith(m_program);
    aster.start(m_beside);
    ASSERT_TRUE(m_beside.waitForStarted());
    EXPECT_TRUE(Started(aster, m_beside)) << m_beside.readAllStandardError().data();

    start(m_second);
    ASSERT_TRUE(m_second.waitForFinished(10000));
    EXPECT_TRUE(m_second.readAllStandardError().contains("already running"));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return m_program.logText().contains(QStringLiteral("Zweiter Programmstart")); },
        10000));
    EXPECT_FALSE(aster.logText().contains(QStringLiteral("Zweiter Programmstart")));
    EXPECT_EQ(m_beside.state(), QProcess::Running);
}

TEST_F(SingleInstance, LeftoverLocksDoNotBlockAStart) {
    for (const QByteArray& content : {QByteArray(), QByteArray("\x01garbage\n\xff")}) {
        QFile lock(lockPath());
        ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
        lock.write(content);
        lock.close();
        // Older than a start in progress.
        ASSERT_TRUE(lock.open(QIODevice::ReadWrite));
        lock.setFileTime(QDateTime::currentDateTime().addSecs(-60),
                         QFileDevice::FileModificationTime);
        lock.close();

        SCOPED_TRACE(content.isEmpty() ? "empty lock" : "damaged lock");
        expectStartDespiteLeftover();
        m_first.kill();
        m_first.waitForFinished();
    }
}

TEST_F(SingleInstance, ALockDirectoryDoesNotBlockAStart) {
    ASSERT_TRUE(QDir().mkpath(lockPath() + "/inside"));
    expectStartDespiteLeftover();
}

TEST_F(SingleInstance, ALockOfAnEndedProgramDoesNotBlockAStart) {
    QProcess ended;
    ended.start(QStringLiteral("true"), {});
    ASSERT_TRUE(ended.waitForStarted());
    const qint64 pid = ended.processId();
    ASSERT_TRUE(ended.waitForFinished());
    QFile lock(lockPath());
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    lock.write(QByteArray::number(pid) + "\ntavelin-transfer\n" +
               QSysInfo::machineHostName().toUtf8() + "\n");
    lock.close();

    expectStartDespiteLeftover();
}

} // namespace
