#include "core/QStringPrinter.h"
#include "link/serial/PortNumbers.h"
#include "sim/InstrumentSimulator.h"
#include "support/TestInstallation.h"
#include "ui/QtPlatformServices.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTest>
#include <csignal>
#include <gtest/gtest.h>

// End to end on a real X server: the program, online with a simulated instrument, types into a
// second program whose text field writes what it receives to a file.

namespace {

constexpr int Com = 7;
constexpr int Deadline = 10000;

// Programs, windows and key strokes are the desktop's own; boxes and dialogs stay scripted.
class DesktopKeys : public FakePlatformServices {
public:
    qint64 startProgram(const QString& commandLine) override {
        return m_desktop.startProgram(commandLine);
    }
    bool programRunning(qint64 taskId) const override { return m_desktop.programRunning(taskId); }
    bool activateProgram(qint64 taskId) override { return m_desktop.activateProgram(taskId); }
    KeyRoad keyRoad() const override { return m_desktop.keyRoad(); }
    bool sendKeys(const QString& keys) override { return m_desktop.sendKeys(keys); }

private:
    QtPlatformServices m_desktop;
};

class KeyEventsOnADesktop : public ::testing::Test {
protected:
    void SetUp() override {
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        if (xvfb.isEmpty())
            GTEST_SKIP() << "Xvfb is not installed";
        // The server picks a free display itself and names it on the descriptor given.
        m_server.setProgram(xvfb);
        m_server.setArguments(
            {"-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "800x600x24"});
        m_server.setProcessChannelMode(QProcess::SeparateChannels);
        m_server.start();
        ASSERT_TRUE(m_server.waitForStarted(Deadline));
        QByteArray display;
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                display += m_server.readAllStandardOutput();
                return display.contains('\n');
            },
            Deadline))
            << "Xvfb named no display";
        qputenv("DISPLAY", ":" + display.trimmed());
        // The X11 road is the one of an X11 session, whatever session runs the tests.
        qunsetenv("WAYLAND_DISPLAY");
        qunsetenv("XDG_SESSION_TYPE");
    }

    void TearDown() override {
        if (w != nullptr && w->state().KeyEventTaskId > 0)
            ::kill(static_cast<pid_t>(w->state().KeyEventTaskId), SIGKILL);
        w.reset();
        if (m_server.state() != QProcess::NotRunning) {
            m_server.terminate();
            m_server.waitForFinished(Deadline);
        }
        qunsetenv("DISPLAY");
    }

    // Starts the program with forwarding set to the fields and line end, connects to the
    // simulator and selects Online once the target's window is there.
    void begin(const QString& fields, const QString& lineEnd) {
        recordPath = m_files.filePath(QStringLiteral("received.txt"));
        appData = install.configHome() + QStringLiteral("/Tavelin/Delta-Pro DIVEDADE");
        QDir().mkpath(appData);
        WriteText(appData + QStringLiteral("/Port.ini"), QStringLiteral("%1\r\n").arg(Com));
        targetCommand = QStringLiteral(KEY_TARGET_PROGRAM " ") + recordPath;
        WriteText(appData + QStringLiteral("/Tastatur.ini"),
                  QStringLiteral("1;%1;%2;%3\r\n").arg(targetCommand, fields, lineEnd));
        SimOptions options;
        options.PortsFolder = PortsFolder(appData);
        options.ComNumber = Com;
        // A value in each memory: a connection with empty memories waits to show that.
        options.FeCount = 1;
        options.NfeCount = 1;
        ASSERT_FALSE(sim.start(QStringLiteral("DP"), options).isEmpty());

        w = std::make_unique<frmTransfer>(platform, install.programFolder());
        w->Form_Load();
        ASSERT_TRUE(w->state().KeyEventAppStarted);
        ASSERT_GT(w->state().KeyEventTaskId, 0);
        ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(recordPath); }, Deadline))
            << "the target's window did not appear";
        w->cmdConnect->click();
        ASSERT_TRUE(w->link().LinkConnected());
        w->optOnline->click();
        ASSERT_EQ(w->state().Kind, MemoryKind::Online);
    }

    // One value from the instrument, waited for until its row is in the table.
    const MeasurementRecord& measure() {
        const int rows = w->MSFlex->rowCount();
        sim.sendOnlineValue();
        EXPECT_TRUE(QTest::qWaitFor([&] { return w->MSFlex->rowCount() == rows + 1; }, Deadline));
        return w->state().Store.at(MemoryKind::Online, rows + 1);
    }
    QString cell(int row, int column) const { return w->MSFlex->item(row, column)->text(); }

    // True once the target has recorded exactly the text; what it holds is in `received`.
    bool receives(const QString& text) {
        return QTest::qWaitFor(
            [&] {
                received = ReadText(recordPath);
                return received == text;
            },
            Deadline);
    }

    DesktopKeys platform;
    TestInstallation install;
    InstrumentSimulator sim;
    std::unique_ptr<frmTransfer> w;
    QString appData;
    QString recordPath;
    QString targetCommand;
    QString received;

private:
    QProcess m_server;
    QTemporaryDir m_files;
};

TEST_F(KeyEventsOnADesktop, ValueOnly) {
    begin(QStringLiteral("0000"), QString());
    measure();
    measure();
    EXPECT_EQ(cell(0, 2).size(), 11);
    EXPECT_TRUE(receives(cell(0, 2) + cell(1, 2))) << received.toStdString();
    EXPECT_TRUE(platform.messages.empty()) << platform.messageTexts().join('|').toStdString();
}

TEST_F(KeyEventsOnADesktop, NumberDateUnitMarkerAndEnter) {
    begin(QStringLiteral("1111"), QStringLiteral("ENTER"));
    QString expected;
    for (int row = 0; row < 2; ++row) {
        const MeasurementRecord& r = measure();
        expected +=
            cell(row, 1) + " " + r.DateText + cell(row, 2) + " " + r.Unit + " " + r.Marker + "\n";
    }
    EXPECT_EQ(cell(0, 1), QStringLiteral("      1"));
    EXPECT_TRUE(receives(expected)) << received.toStdString();
}

TEST_F(KeyEventsOnADesktop, TargetClosedMidRun) {
    begin(QStringLiteral("0000"), QStringLiteral("ENTER"));
    measure();
    const QString first = cell(0, 2) + "\n";
    ASSERT_TRUE(receives(first)) << received.toStdString();

    const qint64 target = w->state().KeyEventTaskId;
    ::kill(static_cast<pid_t>(target), SIGTERM);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !platform.programRunning(target); }, Deadline));
    measure();
    measure();
    EXPECT_EQ(w->MSFlex->rowCount(), 3);
    const QString gone = "App " + targetCommand + " wurde beendet, bitte Pgm neu starten!";
    EXPECT_EQ(platform.messageTexts(), QStringList{gone});
    EXPECT_EQ(ReadText(appData + QStringLiteral("/Tavelin_TransferLog.txt")).count(gone), 2);
    EXPECT_EQ(ReadText(recordPath), first);
}

} // namespace
