#include "link/serial/PortAccess.h"
#include "core/QStringPrinter.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const PortAccess Missing{false, false, {}};
const PortAccess Forbidden{true, false, "dialout"};
const PortAccess Allowed{true, true, "dialout"};

TEST(ClassifyOpenFailure, TellsMissingRightsFromALockedPort) {
    EXPECT_EQ(ClassifyOpenFailure(QSerialPort::PermissionError, Forbidden),
              OpenProblem::NoPermission);
    EXPECT_EQ(ClassifyOpenFailure(QSerialPort::PermissionError, Allowed), OpenProblem::InUse);
    EXPECT_EQ(ClassifyOpenFailure(QSerialPort::OpenError, Allowed), OpenProblem::InUse);
    EXPECT_EQ(ClassifyOpenFailure(QSerialPort::PermissionError, Missing), OpenProblem::NotPresent);
    EXPECT_EQ(ClassifyOpenFailure(QSerialPort::DeviceNotFoundError, Allowed),
              OpenProblem::NotPresent);
    EXPECT_EQ(ClassifyOpenFailure(QSerialPort::UnsupportedOperationError, Allowed),
              OpenProblem::Other);
}

TEST(ClassifyOpenFailure, NumbersMatchTheControlsErrors) {
    EXPECT_EQ(OpenProblemNumber(OpenProblem::NotPresent), 68);
    EXPECT_EQ(OpenProblemNumber(OpenProblem::Other), 68);
    EXPECT_EQ(OpenProblemNumber(OpenProblem::NoPermission), 70);
    EXPECT_EQ(OpenProblemNumber(OpenProblem::InUse), 8005);
}

TEST(OpenProblemText, MissingRightsNameTheGroupToJoin) {
    const QString english =
        OpenProblemText(OpenProblem::NoPermission, "COM7", "/dev/ttyUSB0", "root", {}, 1);
    EXPECT_TRUE(english.contains("COM7 (/dev/ttyUSB0)")) << english.toStdString();
    EXPECT_TRUE(english.contains("group \"dialout\"")) << english.toStdString();
    EXPECT_TRUE(english.contains("usermod -aG dialout")) << english.toStdString();

    const QString german =
        OpenProblemText(OpenProblem::NoPermission, "COM7", "/dev/ttyACM0", "uucp", {}, 0);
    EXPECT_TRUE(german.startsWith("Keine Berechtigung")) << german.toStdString();
    EXPECT_TRUE(german.contains("Gruppe \"uucp\"")) << german.toStdString();
}

TEST(OpenProblemText, OtherProblemsSayWhatHappened) {
    EXPECT_EQ(OpenProblemText(OpenProblem::NotPresent, "COM9", {}, {}, {}, 1),
              "COM9 is not present.");
    EXPECT_EQ(OpenProblemText(OpenProblem::InUse, "COM9", "/dev/pts/3", {}, {}, 0),
              "COM9 (/dev/pts/3) wird von einem anderen Programm benutzt.");
    EXPECT_EQ(OpenProblemText(OpenProblem::Other, "COM9", "/dev/pts/3", {}, "Bad", 1),
              "COM9 (/dev/pts/3) cannot be opened: Bad");
}

TEST(ProbeAccess, SeesWhetherADeviceExists) {
    QTemporaryDir folder;
    EXPECT_FALSE(ProbeAccess(folder.filePath("none")).Exists);
    EXPECT_FALSE(ProbeAccess({}).Exists);
    QFile file(folder.filePath("device"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const PortAccess access = ProbeAccess(file.fileName());
    EXPECT_TRUE(access.Exists);
    EXPECT_TRUE(access.ReadWrite);
    EXPECT_FALSE(access.Group.isEmpty());
}

} // namespace
