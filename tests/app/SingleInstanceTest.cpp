#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

// A second start of the program ends at once without a window while the first one runs.
TEST(SingleInstance, SecondStartEndsAtOnce) {
    QTemporaryDir home;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("HOME"), home.path());
    environment.insert(QStringLiteral("TMPDIR"), home.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path() + QStringLiteral("/config"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home.path() + QStringLiteral("/data"));

    QProcess first;
    first.setProcessEnvironment(environment);
    first.start(QStringLiteral(TRANSFER_PROGRAM), {});
    ASSERT_TRUE(first.waitForStarted());
    // The first instance holds its lock once its window is up.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return QFileInfo::exists(home.path() + "/tavelin-transfer.lock"); }, 10000));

    QProcess second;
    second.setProcessEnvironment(environment);
    second.start(QStringLiteral(TRANSFER_PROGRAM), {});
    ASSERT_TRUE(second.waitForFinished(10000));
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_TRUE(second.readAllStandardError().contains("already running"));
    EXPECT_EQ(first.state(), QProcess::Running);

    first.kill();
    first.waitForFinished();
}
