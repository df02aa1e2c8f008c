#include "app/InstalledProgram.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QSysInfo>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Starts of the real program, each with a private home and temp folder.
class SingleInstance : public ::testing::Test {
protected:
    ~SingleInstance() override {
        for (QProcess* p : {&m_first, &m_second}) {
            p->kill();
            p->waitForFinished();
        }
    }

    QString lockPath() const { return m_program.home() + QStringLiteral("/tavelin-transfer.lock"); }

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
