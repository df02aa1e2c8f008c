#include "app/InstalledProgram.h"
#include "core/QStringPrinter.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A private X server; its display number is the one it reports on its own.
class VirtualDisplay {
public:
    VirtualDisplay() {
        m_server.start(QStringLiteral("Xvfb"),
                       {QStringLiteral("-displayfd"), QStringLiteral("1"),
                        QStringLiteral("-nolisten"), QStringLiteral("tcp")});
        if (m_server.waitForStarted() &&
            QTest::qWaitFor([&] { return m_server.canReadLine(); }, 10000))
            m_name = QStringLiteral(":") + QString::fromLatin1(m_server.readLine()).trimmed();
    }
    ~VirtualDisplay() {
        m_server.terminate();
        m_server.waitForFinished();
    }
    QString name() const { return m_name; }

private:
    QProcess m_server;
    QString m_name;
};

QString Xdotool(const QString& display, const QStringList& arguments) {
    QProcess tool;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), display);
    tool.setProcessEnvironment(environment);
    tool.start(QStringLiteral("xdotool"), arguments);
    tool.waitForFinished(20000);
    return QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
}

// The title the desktop shows, read off a real X server: exactly the model title and version,
// with nothing appended by the toolkit.
TEST(WindowTitle, TheDesktopShowsExactlyTheModelTitleAndVersion) {
    if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        GTEST_SKIP() << "Xvfb or xdotool missing";
    VirtualDisplay display;
    ASSERT_FALSE(display.name().isEmpty());

    InstalledProgram program;
    program.environment().insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    program.environment().insert(QStringLiteral("DISPLAY"), display.name());
    QProcess running;
    program.start(running);
    ASSERT_TRUE(running.waitForStarted());

    const QString window =
        Xdotool(display.name(), {QStringLiteral("search"), QStringLiteral("--sync"),
                                 QStringLiteral("--name"), QStringLiteral("DIVEDADE")})
            .section(QLatin1Char('\n'), 0, 0);
    ASSERT_FALSE(window.isEmpty());
    EXPECT_EQ(Xdotool(display.name(), {QStringLiteral("getwindowname"), window}),
              QStringLiteral("Delta-Pro DIVEDADE V4.05"));

    running.kill();
    running.waitForFinished();
}

} // namespace
